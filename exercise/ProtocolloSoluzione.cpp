// "Soluzione": the worked solution of the exercise on screen, in a panel
// over the answer area, one formula box a line.
#include "Colori.h"
#include "Protocollo.h"

#include <QFontMetrics>

#include "Finestra.h"
#include "ucomune.h"

namespace mevario {

namespace {

// The panel's title row, its inner margin and the room left of the lines
// for "=" or an arrow.
constexpr int kCima = 34, kMargine = 8, kRientro = 46;

} // namespace

void TFinestraEsercizi::NascondiSoluzione()
{
    btnSoluzione->hide();
    if (pnlSoluzione)
        pnlSoluzione->hide();
}

void TFinestraEsercizi::btnSoluzioneClick()
{
    if (FInVerifica || !ModoEsercizi || !FEsercizio)
        return;
    const TSoluzione soluzione = FEsercizio->Soluzione();
    if (soluzione.empty())
        return;
    FLezione.SoluzioneVista();
    // Over the answer area, from the answer panel down to the counters; the
    // keypad and the help panel go away so that nothing covers it.
    if (Tfrmcomune* c = Tfrmcomune::Istanza()) {
        c->EditTastieraExit();
        c->SpeedButton1Click();
    }
    // Under the typeset answer, how it is typed (not for a yes/no choice).
    const int rigaScritta = FEsercizio->SiNo() ? 0 : 26;
    std::vector<int> altezze;
    int totale = 0;
    const QRect area = AreaSoluzione(soluzione, altezze, totale, rigaScritta);
    if (!pnlSoluzione) {
        pnlSoluzione = new QFrame(PaginaEsercizi);
        pnlSoluzione->setObjectName(QStringLiteral("pnlSoluzione"));
        pnlSoluzione->setAccessibleName(QStringLiteral("Soluzione"));
        ImpostaColore(pnlSoluzione, ColorePannelli());
        auto* titolo = Etichetta(QStringLiteral("Soluzione"), pnlSoluzione, Carattere("Comic Sans MS", 18), kMarrone);
        titolo->move(12, 4);
    }
    pnlSoluzione->setGeometry(area);
    RigheDellaSoluzione(soluzione, area, altezze, totale, rigaScritta);
    pnlSoluzione->show();
    pnlSoluzione->raise();
    btnSoluzione->hide();
    // Seen the solution, the exercise is over: no count, a new one next.
    btnNuovo->setText(QStringLiteral("Nuovo"));
    btnNuovo->setFocus();
}

QRect TFinestraEsercizi::AreaSoluzione(const TSoluzione& soluzione, std::vector<int>& altezze, int& totale,
                                       int rigaScritta) const
{
    QRect area = pnlEdit->geometry();
    if (pnlSiNo)
        area = area.united(pnlSiNo->geometry());
    area.setLeft(pnlEsercizi->geometry().left());
    area.setRight(pnlEsercizi->geometry().right());
    area.setBottom(std::max(area.bottom(), pnlRisp->geometry().top() - 8));
    // One box a line, as tall as its formula at 18 points, all within the panel.
    for (const TRigaSoluzione& r : soluzione) {
        int h = 40;
        try {
            h = std::max(h, MisuraFormula(r.formula, TFormulaVariant::ControlLeft, 96).height() + 8);
        } catch (const std::exception&) {
        }
        altezze.push_back(h);
        totale += h;
    }
    // A solution too long for its place covers the question as well (the
    // whole of it, never half a line), never the exercise itself.
    if (totale + rigaScritta > area.height() - kCima - kMargine)
        area.setTop(std::min(area.top(), pnlEsercizi->geometry().bottom() + 8));
    return area;
}

void TFinestraEsercizi::RigheDellaSoluzione(const TSoluzione& soluzione, const QRect& area,
                                            const std::vector<int>& altezze, int totale, int rigaScritta)
{
    for (const char* nome : {"uguale", "siScrive"})
        for (QWidget* w : pnlSoluzione->findChildren<QWidget*>(QLatin1String(nome)))
            delete w;
    for (TFormulaBox* b : RigheSoluzione)
        delete b;
    RigheSoluzione.clear();
    const int disponibile = area.height() - kCima - kMargine - rigaScritta;
    int y = kCima;
    for (std::size_t i = 0; i < soluzione.size(); ++i) {
        const int h = totale <= disponibile ? altezze[i] : disponibile * altezze[i] / totale;
        auto* box = new TFormulaBox(pnlSoluzione, TFormulaVariant::ControlLeft);
        box->setGeometry(kRientro, y, area.width() - kRientro - kMargine, h);
        box->SetColor(ColorePannelli());
        box->SetProsa(true); // the explanations in the program's font
        box->SetNomeAccessibile(QStringLiteral("Soluzione, riga %1").arg(i + 1));
        DrawFormula(box, soluzione[i].formula);
        box->show();
        RigheSoluzione.push_back(box);
        // "=" before a line that goes on with the calculation; an arrow
        // before an answer reached otherwise (a reason, the letters chosen).
        const bool finale = i + 1 == soluzione.size() && i > 0;
        if (soluzione[i].uguale || finale) {
            auto* uguale = Etichetta(soluzione[i].uguale ? QStringLiteral("=") : QStringLiteral("\u2192"), pnlSoluzione,
                                     Carattere("Times New Roman", 24), Qt::black);
            uguale->setObjectName(QStringLiteral("uguale"));
            uguale->setGeometry(8, y, kRientro - 16, h);
            uguale->setAlignment(Qt::AlignCenter);
            uguale->show();
        }
        y += h;
    }
    if (rigaScritta > 0)
        ScrittaSoluzione(area, y, rigaScritta);
}

void TFinestraEsercizi::ScrittaSoluzione(const QRect& area, int y, int rigaScritta)
{
    const QString testo =
        QStringLiteral("si scrive:  ") + QString::fromStdString(NarrowToUtf8(FEsercizio->RispostaAttesa()));
    // A long answer (a product of polynomials) is written smaller, so
    // that the whole of it stays on its line inside the panel.
    const int largo = area.width() - kRientro - kMargine;
    int px = 15;
    while (px > 10 && QFontMetrics(Carattere("Tahoma", px, true)).horizontalAdvance(testo) > largo)
        --px;
    auto* scritta = Etichetta(testo, pnlSoluzione, Carattere("Tahoma", px, true), kMarrone);
    scritta->setObjectName(QStringLiteral("siScrive"));
    scritta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scritta->setGeometry(kRientro, y + 2, largo, rigaScritta - 2);
    scritta->setToolTip(QFontMetrics(scritta->font()).horizontalAdvance(testo) > largo ? testo : QString());
    scritta->show();
}

} // namespace mevario
