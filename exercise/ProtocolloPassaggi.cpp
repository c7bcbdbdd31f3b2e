// The working line by line on the exercise page: the toggle, and the page
// laid out for it (the answer area given to the lines, the window taller
// when the screen has room) or back as it was.
#include "Protocollo.h"

#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QStackedWidget>

#include "Colori.h"
#include "Finestra.h"
#include "argomenti.h"
#include "ucomune.h"

namespace mevario {

namespace {

// The lines the working shows whole: each a field (46 pixels) and its
// typeset copy under it when long (38), 2 between; and a note under one.
constexpr int kRigheVisibili = 5, kRiga = 46 + 38 + 2, kNota = 24;

} // namespace

void TFinestraEsercizi::OffriPassaggi()
{
    const std::string argomento = NomeCatalogo().toStdString();
    const TTemaArgomento* tema = TemaArgomento(argomento);
    if (!tema || !tema->passaggi)
        return;
    FLezione.ImpostaPassaggi(argomento);
    cbPassaggi = new QCheckBox(QStringLiteral("Passaggi"), PaginaEsercizi);
    cbPassaggi->setObjectName(QStringLiteral("cbPassaggi"));
    cbPassaggi->setFont(Carattere("Comic Sans MS", 20));
    ColoraTesto(cbPassaggi, kMarrone);
    cbPassaggi->setToolTip(QStringLiteral("Scrivi il calcolo una riga alla volta: ogni riga viene controllata"));
    pnlPassaggi = new TPassaggi(pnlEdit, ColorePannelli());
    pnlPassaggi->hide();
    lblTastiPassaggi = new QLabel(QStringLiteral("Invio: nuova riga \u00B7 \u2191\u2193: cambia riga \u00B7 Canc: toglie la "
                                                 "riga vuota \u00B7 Ctrl+Invio: Procedi"),
                                  pnlEdit);
    lblTastiPassaggi->setObjectName(QStringLiteral("lblTastiPassaggi"));
    // As large as the page's other texts (the counters, the review line).
    lblTastiPassaggi->setFont(Carattere("Tahoma", 16));
    lblTastiPassaggi->setWordWrap(true);
    ColoraTesto(lblTastiPassaggi, QColor(60, 40, 20));
    lblTastiPassaggi->hide();
    connect(cbPassaggi, &QCheckBox::toggled, this, [this](bool on) { MostraPassaggi(on); });
    connect(pnlPassaggi, &TPassaggi::ProcediChiesto, this, [this] {
        if (btnNuovo->isEnabled() && btnNuovo->isVisible())
            btnNuovo->click();
    });
}

void TFinestraEsercizi::PosaPassaggi()
{
    if (!cbPassaggi || PassaggiAttivi())
        return;
    // The toggle stands at the end of the question's line, over the answer
    // area's right edge; the question keeps the rest of its line.
    const QRect d = lbDomanda->geometry();
    const int x = pnlEdit->geometry().right() + 1 - 130;
    cbPassaggi->setGeometry(x, d.top() + 2, 130, 30);
    lbDomanda->resize(std::min(d.width(), x - 8 - d.left()), d.height());
    FGeometrieRisposta = {pnlEdit->geometry(), DsFancyButton1->geometry(), btnLavagna->geometry(),
                          pnlRisp->geometry(),  Notebook1->geometry(),      geometry()};
}

void TFinestraEsercizi::MostraPassaggi(bool attivi)
{
    if (!pnlPassaggi)
        return;
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->EditTastieraExit(); // it typed into the field that now goes
    if (FGeometrieRisposta.empty())
        PosaPassaggi();
    // The field keeps what the pupil typed in it; "Procedi" on the working
    // puts its last line there, which goes when the field comes back.
    if (attivi) {
        FCampoPrima = EditRisp->text();
    } else {
        EditRisp->setText(FCampoPrima);
        FTestoAnteprima = QStringLiteral("\n"); // never a field's text: the preview is drawn again
        EditRispKeyUp();
    }
    const QRect e = FGeometrieRisposta[0];
    if (attivi)
        FGeometrieRisposta[5] = geometry(); // where the window is now, to come back to
    EditRisp->setVisible(!attivi);
    PBRisp->setVisible(!attivi);
    if (lblLettura)
        lblLettura->hide();
    if (attivi) {
        DisponiPassaggi();
        if (pnlPassaggi->Righe() == 0 && FEsercizio)
            pnlPassaggi->Ricomincia(FEsercizio->TestoPassaggi());
    } else {
        pnlEdit->setGeometry(e);
        DsFancyButton1->setGeometry(FGeometrieRisposta[1]);
        btnLavagna->setGeometry(FGeometrieRisposta[2]);
        // The page and the window as they were; the window where it was,
        // if it had to move up to grow.
        pnlRisp->setGeometry(FGeometrieRisposta[3]);
        Notebook1->setGeometry(FGeometrieRisposta[4]);
        const QRect finestra = FGeometrieRisposta[5];
        if (size() != finestra.size()) {
            setFixedSize(finestra.size());
            move(pos().x(), std::max(pos().y(), finestra.top()));
        }
    }
    lblTastiPassaggi->setVisible(attivi);
    pnlPassaggi->setVisible(attivi);
    if (attivi)
        pnlPassaggi->Fuoco(std::max(1, pnlPassaggi->UltimaScritta()));
    else
        EditRisp->setFocus();
}

void TFinestraEsercizi::DisponiPassaggi()
{
    const QRect e = FGeometrieRisposta[0], risp = FGeometrieRisposta[3], libro = FGeometrieRisposta[4];
    const QSize finestra = FGeometrieRisposta[5].size();
    // The answer area grows down to the counters and to the left edge of
    // the exercise's panel (its right edge leaves room for the keypad
    // beside it); the field and its preview give way to the lines, the
    // buttons go to its top right, the keys' instructions beside them.
    const int sinistra = std::min(e.left(), pnlEsercizi->geometry().left());
    const int w = e.right() + 1 - sinistra;
    const int wTesto = w - 2 * 89 - 36;
    const int testa = std::max(44, lblTastiPassaggi->heightForWidth(wTesto) + 6);
    // Five whole lines at least: the window grows down (up, if its foot
    // would leave the screen) by what they lack, as far as the screen has room.
    const int ora = risp.top() - 8 - e.top();
    int cresce = std::max(0, testa + kRigheVisibili * kRiga + kNota + 6 - ora);
    const QRect schermo = screen() ? screen()->availableGeometry() : QRect();
    const int cornice = frameGeometry().height() - height();
    if (schermo.isValid())
        cresce = std::min(cresce, std::max(0, schermo.height() - cornice - finestra.height()));
    setFixedSize(finestra.width(), finestra.height() + cresce);
    Notebook1->setGeometry(libro.adjusted(0, 0, 0, cresce));
    pnlRisp->setGeometry(risp.translated(0, cresce));
    if (schermo.isValid() && pos().y() + cornice + height() > schermo.bottom() + 1)
        move(pos().x(), std::max(schermo.top(), schermo.bottom() + 1 - cornice - height()));
    pnlEdit->setGeometry(sinistra, e.top(), w, ora + cresce);
    DsFancyButton1->setGeometry(w - 2 * 89 - 16, 6, 89, 33);
    btnLavagna->setGeometry(w - 89 - 8, 6, 89, 33);
    lblTastiPassaggi->setGeometry(12, 2, wTesto, testa - 4);
    pnlPassaggi->setGeometry(6, testa, w - 12, pnlEdit->height() - testa - 6);
}

} // namespace mevario
