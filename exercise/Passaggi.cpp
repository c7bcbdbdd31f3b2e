#include "Passaggi.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QRegularExpression>
#include <QScrollBar>

#include "Colori.h"
#include "Finestra.h"
#include "FormulaBox.h"
#include "Lezione.h"
#include "UDsFancyButton.h"
#include "passaggi.h"
#include "ucomune.h"

namespace mevario {

namespace {

// Sizes of a row: the mark's column, the field at its narrowest, a row's
// height, the "x", the space between, the column that says whether the
// line still equals the exercise.
constexpr int kSegno = 30, kCampo = 150, kAltezza = 46, kTogli = 22, kSpazio = 6, kEsercizio = 92;

// Where a step broke is said in calm colours: a dark blue for the values,
// a dark brown for the mistake's name.
const QColor kCalmo(30, 50, 110), kErrore(110, 50, 0);

QString Html(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

// A step judged while it is typed: whatever goes wrong in the judging
// leaves the line without a mark (and the program running).
GiudizioPassaggio Giudizio(const std::string& prima, const std::string& dopo)
{
    try {
        return GiudicaPassaggio(prima, dopo);
    } catch (const std::exception&) {
        GiudizioPassaggio g;
        g.motivo = "questa riga non si può leggere";
        return g;
    }
}

} // namespace

TPassaggi::TPassaggi(QWidget* parent, const QColor& sfondo) : QFrame(parent), FSfondo(sfondo)
{
    setObjectName(QStringLiteral("pnlPassaggi"));
    setAccessibleName(QStringLiteral("Passaggi"));
    ImpostaColore(this, sfondo);
    FScorri = new QScrollArea(this);
    FScorri->setFrameShape(QFrame::NoFrame);
    FScorri->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FScorri->setFocusPolicy(Qt::NoFocus);
    FContenuto = new QWidget;
    FContenuto->setObjectName(QStringLiteral("righePassaggi"));
    ImpostaColore(FContenuto, sfondo);
    ImpostaColore(FScorri->viewport(), sfondo);
    FScorri->setWidget(FContenuto);
    FScorri->setWidgetResizable(false);
}

TPassaggi::TRiga TPassaggi::CreaRiga(bool esercizio)
{
    TRiga r;
    r.riga = new QWidget(FContenuto);
    r.segno = new QLabel(r.riga);
    r.segno->setFont(Carattere("DejaVu Sans", 24, true));
    r.segno->setAlignment(Qt::AlignCenter);
    r.segno->setGeometry(0, 0, kSegno, kAltezza);
    r.campo = new TEditRisp(r.riga);
    r.campo->setFont(Carattere("Times New Roman", 20));
    r.campo->setGeometry(kSegno, 6, kCampo, kAltezza - 12);
    r.campo->setTextMargins(2, 0, 2, 0);
    r.anteprima = new TFormulaBox(r.riga, TFormulaVariant::ControlLeft);
    // A piece of a line wider than a row shrinks to fit rather than be cut.
    r.anteprima->SetPuntiMinimi(KPuntiStretti);
    r.anteprima->SetColor(FSfondo);
    r.anteprima->SetIgnoraErrori(true);
    r.nota = new QLabel(r.riga);
    r.nota->setObjectName(QStringLiteral("notaPassaggio"));
    r.nota->setFont(Carattere("Tahoma", 13, true));
    r.nota->setWordWrap(true);
    r.nota->setTextFormat(Qt::RichText);
    r.nota->hide();
    if (esercizio) {
        r.campo->setReadOnly(true);
        r.campo->setAccessibleName(QStringLiteral("Esercizio"));
        QPalette p = r.campo->palette();
        p.setColor(QPalette::Base, QColor(255, 243, 228));
        r.campo->setPalette(p);
        r.segno->setAccessibleName(QString());
    } else {
        r.esercizio = new QLabel(r.riga);
        r.esercizio->setObjectName(QStringLiteral("esercizioPassaggio"));
        r.esercizio->setFont(Carattere("Tahoma", 12, true));
        r.esercizio->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        r.togli = new TDsFancyButton(QStringLiteral("x"), r.riga);
        StileCapsula(r.togli, 12, Qt::white, Qt::yellow);
        r.togli->SetFrameWidth(2);
        r.togli->setFocusPolicy(Qt::NoFocus); // the keys Backspace and Delete do it from the line
        CollegaRiga(r);
    }
    r.campo->installEventFilter(this);
    r.riga->show();
    return r;
}

void TPassaggi::CollegaRiga(const TRiga& r)
{
    connect(r.togli, &QAbstractButton::clicked, this, [this, b = r.togli] {
        const int i = Indice(b);
        if (i >= 1)
            TogliRiga(i);
    });
    connect(r.campo, &QLineEdit::textChanged, this, [this, c = r.campo] {
        const int i = Indice(c);
        if (i >= 1)
            Testato(i);
    });
    connect(r.campo, &QLineEdit::returnPressed, this, [this, c = r.campo] {
        const int i = Indice(c);
        if (i >= 1)
            AggiungiRiga(i);
    });
    // The keypad types into the line clicked, and follows the focus
    // from line to line; it closes when the focus leaves the working.
    connect(r.campo, &TEditRisp::Cliccato, this, [c = r.campo] {
        if (Tfrmcomune* t = Tfrmcomune::Istanza())
            t->EditTastieraEnter(c);
    });
    connect(r.campo, &TEditRisp::FocusPerso, this, [this] {
        const QWidget* dopo = QApplication::focusWidget();
        if (Tfrmcomune* t = Tfrmcomune::Istanza(); t && !(dopo && FContenuto->isAncestorOf(dopo)))
            t->EditTastieraExit();
    });
}

int TPassaggi::Indice(const QObject* o) const
{
    for (std::size_t i = 0; i < FRighe.size(); ++i)
        if (FRighe[i].campo == o || FRighe[i].togli == o)
            return static_cast<int>(i);
    return -1;
}

void TPassaggi::Ricomincia(const std::string& esercizio)
{
    // The old lines go after the events under way: Ctrl+Enter in one of
    // them may be what drew the new exercise.
    for (TRiga& r : FRighe) {
        r.campo->removeEventFilter(this);
        r.riga->hide();
        r.riga->deleteLater();
    }
    FRighe.clear();
    FRighe.push_back(CreaRiga(true));
    FRighe[0].campo->setText(QString::fromStdString(esercizio));
    FRighe[0].campo->setCursorPosition(0);
    Disegna(FRighe[0]);
    FRighe[0].anteprima->SetNomeAccessibile(QStringLiteral("Esercizio"));
    FRighe.push_back(CreaRiga(false));
    Numera();
    Giudica(1);
    Disponi();
    emit Cambiato();
}

QString TPassaggi::Testo(int i) const
{
    return i >= 0 && i < Righe() ? FRighe[static_cast<std::size_t>(i)].campo->text() : QString();
}
TEditRisp* TPassaggi::Campo(int i) const { return FRighe.at(static_cast<std::size_t>(i)).campo; }
TFormulaBox* TPassaggi::Anteprima(int i) const { return FRighe.at(static_cast<std::size_t>(i)).anteprima; }
QLabel* TPassaggi::Segno(int i) const { return FRighe.at(static_cast<std::size_t>(i)).segno; }
QLabel* TPassaggi::Nota(int i) const { return FRighe.at(static_cast<std::size_t>(i)).nota; }
QLabel* TPassaggi::Esercizio(int i) const { return FRighe.at(static_cast<std::size_t>(i)).esercizio; }
std::vector<TFormulaBox*> TPassaggi::Anteprime(int i) const
{
    const TRiga& r = FRighe.at(static_cast<std::size_t>(i));
    std::vector<TFormulaBox*> v{r.anteprima};
    for (TFormulaBox* b : r.seguito)
        if (b->isVisibleTo(r.riga))
            v.push_back(b);
    return v;
}
TDsFancyButton* TPassaggi::Togli(int i) const { return FRighe.at(static_cast<std::size_t>(i)).togli; }

TEditRisp* TPassaggi::AggiungiRiga(int dopo)
{
    const auto pos = FRighe.begin() + std::clamp(dopo + 1, 1, Righe());
    const int i = static_cast<int>(pos - FRighe.begin());
    FRighe.insert(pos, CreaRiga(false));
    Numera();
    TogliAggiunte();
    Giudica(i);
    if (i + 1 < Righe())
        Giudica(i + 1);
    Disponi();
    Fuoco(i);
    emit Cambiato();
    return FRighe[static_cast<std::size_t>(i)].campo;
}

void TPassaggi::TogliRiga(int i)
{
    if (i < 1 || i >= Righe())
        return;
    if (Righe() == 2) {
        FRighe[1].campo->clear();
        Fuoco(1);
        return;
    }
    const bool aveva = FRighe[static_cast<std::size_t>(i)].campo->hasFocus();
    // The line goes after its events: a click on its "x" is still being delivered.
    FRighe[static_cast<std::size_t>(i)].campo->removeEventFilter(this);
    FRighe[static_cast<std::size_t>(i)].riga->hide();
    FRighe[static_cast<std::size_t>(i)].riga->deleteLater();
    FRighe.erase(FRighe.begin() + i);
    Numera();
    TogliAggiunte();
    if (i < Righe())
        Giudica(i);
    Disponi();
    if (aveva || !FContenuto->isAncestorOf(QApplication::focusWidget()))
        Fuoco(std::min(i, Righe() - 1));
    emit Cambiato();
}

int TPassaggi::UltimaScritta() const
{
    for (int i = Righe() - 1; i >= 1; --i)
        if (!Testo(i).trimmed().isEmpty())
            return i;
    return 0;
}

void TPassaggi::NotaUltima(const QString& testo)
{
    const int u = std::max(1, UltimaScritta());
    if (u >= Righe())
        return;
    for (TRiga& r : FRighe)
        r.aggiunta.clear();
    FRighe[static_cast<std::size_t>(u)].aggiunta = testo;
    for (int i = 1; i < Righe(); ++i)
        MostraNota(i);
    Disponi();
    FScorri->ensureWidgetVisible(FRighe[static_cast<std::size_t>(u)].nota, 0, 4);
}

void TPassaggi::Fuoco(int i)
{
    if (i < 0 || i >= Righe())
        i = Righe() - 1;
    TEditRisp* c = FRighe[static_cast<std::size_t>(i)].campo;
    c->setFocus();
    FScorri->ensureWidgetVisible(FRighe[static_cast<std::size_t>(i)].riga, 0, 0);
}

void TPassaggi::Numera()
{
    for (int i = 1; i < Righe(); ++i) {
        TRiga& r = FRighe[static_cast<std::size_t>(i)];
        r.campo->setAccessibleName(QStringLiteral("Passaggio %1").arg(i));
        r.togli->setAccessibleName(QStringLiteral("Cancella il passaggio %1").arg(i));
        r.togli->setToolTip(QStringLiteral("Cancella questa riga"));
        r.anteprima->SetNomeAccessibile(QStringLiteral("Passaggio %1 scritto").arg(i));
        setTabOrder(FRighe[static_cast<std::size_t>(i - 1)].campo, r.campo);
    }
}

void TPassaggi::Testato(int i)
{
    TRiga& r = FRighe[static_cast<std::size_t>(i)];
    TogliAggiunte();
    // Only this line is typeset again; its mark and the next line's follow.
    Disegna(r);
    Giudica(i);
    if (i + 1 < Righe())
        Giudica(i + 1);
    Disponi();
    // The line typed in stays in sight with what is said under it.
    if (r.campo->hasFocus())
        FScorri->ensureWidgetVisible(r.riga, 0, 0);
    emit Cambiato();
}

void TPassaggi::Disegna(TRiga& r)
{
    const std::string formula = FormulaPassaggio(r.campo->text().toStdString());
    DrawFormula(r.anteprima, formula);
    r.larghezzaTesto = QFontMetrics(r.campo->font()).horizontalAdvance(r.campo->text());
    r.larghezzaCopia = -1;
    // A line too long for its place beside the field, even at the smallest
    // size, is drawn under the field instead.
    r.larghezzaMinima = 0;
    try {
        if (!formula.empty())
            r.larghezzaMinima = MisuraFormula(formula, TFormulaVariant::ControlLeft,
                                              logicalDpiY() > 0 ? logicalDpiY() : 96, KPuntiMinimi)
                                    .width();
    } catch (const std::exception&) {
    }
}

void TPassaggi::TogliAggiunte()
{
    // What the window added under the last line belongs to the working as
    // it was.
    for (std::size_t i = 1; i < FRighe.size(); ++i)
        if (!FRighe[i].aggiunta.isEmpty() || !FRighe[i].cambio.isEmpty()) {
            FRighe[i].aggiunta.clear();
            FRighe[i].cambio.clear();
            MostraNota(static_cast<int>(i));
        }
}

void TPassaggi::Giudica(int i)
{
    TRiga& r = FRighe[static_cast<std::size_t>(i)];
    const std::string dopo = r.campo->text().toStdString();
    QString segno, nome, giudizio;
    QColor colore = kVerde;
    int posizione = -1;
    const auto illeggibile = [&](const GiudizioPassaggio& g) {
        if (g.verdetto == VerdettoPassaggio::TroppoGrande) {
            giudizio = QStringLiteral("<span style=\"color:#c80000\">troppo grande</span>");
        } else {
            giudizio = QStringLiteral("<span style=\"color:#c80000\">") + Html(g.motivo) + QStringLiteral("</span>");
            // The spot, in the field's characters.
            if (g.posizione >= 0)
                posizione = static_cast<int>(QString::fromUtf8(dopo.substr(0, static_cast<std::size_t>(g.posizione))).size());
            else
                posizione = r.campo->text().size();
        }
    };
    if (!QString::fromStdString(dopo).trimmed().isEmpty()) {
        const GiudizioPassaggio g = Giudizio(Testo(i - 1).toStdString(), dopo);
        switch (g.verdetto) {
        case VerdettoPassaggio::Equivalente:
            segno = QStringLiteral("\u21D4");
            nome = QStringLiteral("equivalente");
            break;
        case VerdettoPassaggio::NonEquivalente: {
            segno = QStringLiteral("\u21CE");
            nome = QStringLiteral("non equivalente");
            colore = kRosso;
            giudizio = QStringLiteral("<span style=\"color:%1\">").arg(kCalmo.name()) + Html(FraseControesempio(g)) +
                       QStringLiteral("</span>");
            if (!g.errore.empty())
                giudizio += QStringLiteral("<br><span style=\"color:%1\">").arg(kErrore.name()) + Html(g.errore) +
                            QStringLiteral("</span>");
            break;
        }
        case VerdettoPassaggio::Illeggibile:
        case VerdettoPassaggio::TroppoGrande:
            if (g.riga == 1) {
                illeggibile(g);
            } else {
                // The line above cannot be read (it says why): this line is
                // read on its own.
                const GiudizioPassaggio solo = Giudizio(dopo, dopo);
                if (solo.verdetto == VerdettoPassaggio::Illeggibile || solo.verdetto == VerdettoPassaggio::TroppoGrande)
                    illeggibile(solo);
            }
            break;
        }
    }
    MostraSegno(r, segno, nome, colore);
    r.campo->SegnaErrore(posizione);
    r.giudizio = giudizio;
    MostraRispetto(r, dopo);
    MostraNota(i);
}

void TPassaggi::MostraSegno(TRiga& r, const QString& segno, const QString& nome, const QColor& colore)
{
    r.segno->setText(segno);
    QPalette p = r.segno->palette();
    p.setColor(QPalette::WindowText, colore);
    r.segno->setPalette(p);
    r.segno->setAccessibleName(nome);
    r.segno->setToolTip(nome);
}

void TPassaggi::MostraRispetto(TRiga& r, const std::string& dopo)
{
    // Set against the exercise too: a line may follow from the one above
    // and yet no longer be the exercise.
    ConfrontoEsercizio rispetto = ConfrontoEsercizio::Illeggibile;
    if (!QString::fromStdString(dopo).trimmed().isEmpty())
        try {
            rispetto = ConfrontaConEsercizio(Testo(0).toStdString(), dopo);
        } catch (const std::exception&) {
        }
    const bool uguale = rispetto == ConfrontoEsercizio::Uguale;
    r.esercizio->setText(rispetto == ConfrontoEsercizio::Illeggibile ? QString()
                         : uguale ? QStringLiteral("= esercizio")
                                  : QStringLiteral("\u2260 esercizio"));
    r.esercizio->setAccessibleName(rispetto == ConfrontoEsercizio::Illeggibile ? QString()
                                   : uguale ? QStringLiteral("uguale all'esercizio")
                                            : QStringLiteral("diversa dall'esercizio"));
    QPalette pe = r.esercizio->palette();
    pe.setColor(QPalette::WindowText, uguale ? kVerde : kRosso);
    r.esercizio->setPalette(pe);
}

void TPassaggi::MostraNota(int i)
{
    TRiga& r = FRighe[static_cast<std::size_t>(i)];
    // Where the working left the exercise first, then the step's judgement.
    QString t = r.giudizio;
    if (!r.cambio.isEmpty())
        t = QStringLiteral("<span style=\"color:%1\">").arg(kRosso.name()) + r.cambio.toHtmlEscaped() +
            QStringLiteral("</span>") + (t.isEmpty() ? QString() : QStringLiteral("<br>") + t);
    if (!r.aggiunta.isEmpty())
        t += (t.isEmpty() ? QString() : QStringLiteral("<br>")) + QStringLiteral("<span style=\"color:%1\">").arg(kCalmo.name()) +
             r.aggiunta.toHtmlEscaped() + QStringLiteral("</span>");
    if (t == r.nota->text() && r.nota->isVisible() == !t.isEmpty())
        return;
    r.nota->setText(t);
    // Screen readers hear it as plain text, with the line.
    QString piano = t;
    piano.replace(QStringLiteral("<br>"), QStringLiteral(". "));
    piano.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    r.nota->setAccessibleName(piano);
    r.campo->setAccessibleDescription(piano);
    r.nota->setVisible(!t.isEmpty());
}

void TPassaggi::Disponi()
{
    // The scroll bar's room is kept whether it shows or not: the lines do
    // not move when it comes.
    const int larghezza = FScorri->width() - FScorri->verticalScrollBar()->sizeHint().width();
    int y = 0;
    for (TRiga& r : FRighe) {
        // The field as wide as its text, up to the whole row; the typeset
        // copy beside it when it fits there at its smallest size, else in
        // the rows under it.
        const int destra = r.togli ? kTogli + kEsercizio + 2 * kSpazio : kSpazio;
        const int wCampo = std::clamp(r.larghezzaTesto + 16, kCampo, std::max(kCampo, larghezza - kSegno - destra));
        r.campo->setGeometry(kSegno, 6, wCampo, kAltezza - 12);
        const int xAnteprima = kSegno + wCampo + kSpazio;
        const int wAnteprima = larghezza - xAnteprima - destra;
        int h = kAltezza;
        const bool accanto = r.larghezzaMinima <= wAnteprima;
        // The exercise is typeset in its panel above: its line here has a
        // typeset copy only beside the field.
        r.anteprima->setVisible(accanto || r.togli);
        if (accanto || !r.togli) {
            if (r.larghezzaCopia >= 0)
                Disegna(r); // the whole line again, after rows of pieces
            r.anteprima->setGeometry(xAnteprima, 0, std::max(0, wAnteprima), kAltezza);
            for (TFormulaBox* b : r.seguito)
                b->hide();
        } else {
            h += DisponiCopia(r, kSegno, kAltezza, larghezza - kSegno - kSpazio);
        }
        if (r.togli) {
            r.togli->setGeometry(larghezza - kTogli - kSpazio, (kAltezza - kTogli) / 2, kTogli, kTogli);
            r.esercizio->setGeometry(larghezza - destra + kSpazio, 0, kEsercizio, kAltezza);
        }
        if (r.nota->isVisibleTo(r.riga)) {
            const int w = larghezza - kSegno - kSpazio;
            // Measured again only when its text or width changed (laying out
            // rich text is the dearest part of a key).
            if (r.testoMisurato != r.nota->text() || r.misuraNota.width() != w) {
                const int hw = r.nota->heightForWidth(w);
                r.misuraNota = QSize(w, hw > 0 ? hw : r.nota->sizeHint().height());
                r.testoMisurato = r.nota->text();
            }
            const int hn = r.misuraNota.height();
            r.nota->setGeometry(kSegno, h, w, hn);
            h += hn + 2;
        }
        r.riga->setGeometry(0, y, larghezza, h);
        y += h + 2;
    }
    FContenuto->resize(larghezza, std::max(y, 1));
}

int TPassaggi::SegnaCambio()
{
    std::vector<std::string> righe;
    for (int i = 0; i <= UltimaScritta(); ++i)
        righe.push_back(Testo(i).toStdString());
    CambioCalcolo c;
    try {
        c = DoveCambia(righe);
    } catch (const std::exception&) {
        return -1;
    }
    if (c.riga < 1 || c.riga >= Righe())
        return -1;
    TRiga& r = FRighe[static_cast<std::size_t>(c.riga)];
    r.cambio = QString::fromStdString(FraseCambio(c.giudizio));
    MostraNota(c.riga);
    Disponi();
    FScorri->ensureWidgetVisible(r.riga, 0, 0); // the line whole, with what is said under it
    return c.riga;
}

std::string TPassaggi::UltimoErrore() const
{
    std::vector<std::string> righe;
    for (int k = 0; k <= UltimaScritta(); ++k)
        righe.push_back(Testo(k).toStdString());
    return TLezione::UltimoErrore(righe);
}

void TPassaggi::resizeEvent(QResizeEvent* e)
{
    QFrame::resizeEvent(e);
    FScorri->setGeometry(rect());
    Disponi();
}

bool TPassaggi::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusIn) {
        // The keypad, when open, types into the line that has the focus.
        const int i = Indice(o);
        if (i >= 0) {
            FScorri->ensureWidgetVisible(FRighe[static_cast<std::size_t>(i)].riga, 0, 0);
            Tfrmcomune* t = Tfrmcomune::Istanza();
            if (i >= 1 && t && t->pnlTastiera->isVisible())
                t->EditTastieraEnter(FRighe[static_cast<std::size_t>(i)].campo);
        }
    } else if (e->type() == QEvent::KeyPress) {
        const int i = Indice(o);
        const auto* k = static_cast<QKeyEvent*>(e);
        if (i >= 0 && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            (k->modifiers() & Qt::ControlModifier)) {
            emit ProcediChiesto();
            return true;
        }
        if (i >= 0 && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (k->key() == Qt::Key_Up && i > 0) {
                Fuoco(i - 1);
                return true;
            }
            if (k->key() == Qt::Key_Down && i + 1 < Righe()) {
                Fuoco(i + 1);
                return true;
            }
            if ((k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete) && i >= 1 && Testo(i).isEmpty() &&
                Righe() > 2) {
                // Backspace goes up to the line before, Delete down to the next.
                const int dopo = k->key() == Qt::Key_Backspace || i + 1 >= Righe() ? i - 1 : i;
                TogliRiga(i);
                Fuoco(std::max(1, dopo));
                return true;
            }
        }
    }
    return QFrame::eventFilter(o, e);
}

} // namespace mevario
