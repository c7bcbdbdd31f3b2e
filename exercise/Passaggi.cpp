#include "Passaggi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QRegularExpression>
#include <QScrollBar>

#include "Finestra.h"
#include "FormulaBox.h"
#include "UDsFancyButton.h"
#include "passaggi.h"
#include "ucomune.h"

namespace mevario {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }
bool Lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Sizes of a row: the mark's column, the field, the typeset line, the "x".
constexpr int kSegno = 30, kCampo = 170, kAltezza = 46, kTogli = 22, kSpazio = 6;
// The smallest size a formula box draws at.
constexpr int kPuntiMinimi = 12;

const QColor kVerde(0, 128, 0), kRosso(200, 0, 0);
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

std::string FormulaPassaggio(const std::string& digitato)
{
    std::string s;
    for (char c : digitato)
        if (c != ' ')
            s += c;
    std::string r;
    bool dopoOperando = false; // after a number, a letter or a closing bracket
    bool esponente = false;    // right after "^"
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (Cifra(c)) {
            std::size_t f = i;
            while (f < s.size() && Cifra(s[f]))
                ++f;
            std::string numero = s.substr(i, f - i);
            // A fraction of whole numbers is one factor (not in an exponent).
            if (!esponente && f + 1 < s.size() && s[f] == '/' && Cifra(s[f + 1])) {
                std::size_t g = f + 1;
                while (g < s.size() && Cifra(s[g]))
                    ++g;
                numero = "(" + numero + "/" + s.substr(f + 1, g - f - 1) + ")";
                f = g;
            }
            if (dopoOperando)
                r += "**";
            r += numero;
            i = f;
            dopoOperando = true;
            esponente = false;
            continue;
        }
        esponente = false;
        if (Lettera(c) || c == '(' || c == '[' || c == '{') {
            // Nothing typed between two factors: they stand side by side,
            // in the order typed.
            if (dopoOperando)
                r += "**";
            r += c == '(' ? std::string("!(") : std::string(1, c);
            dopoOperando = Lettera(c);
        } else if (c == ')' || c == ']' || c == '}') {
            r += c;
            dopoOperando = true;
        } else if (c == '*') {
            r += "*."; // a dot, as typed
            dopoOperando = false;
        } else if (c == ':') {
            r += "**string( : )**";
            dopoOperando = false;
        } else {
            // Two signs in a row stay two signs ("+-" would be one, "±").
            if ((c == '+' || c == '-') && !r.empty() && (r.back() == '+' || r.back() == '-'))
                r += "space(0)";
            r += c;
            esponente = c == '^';
            dopoOperando = false;
        }
        ++i;
    }
    return r;
}

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
    r.anteprima = new TFormulaBox(r.riga, TFormulaVariant::ControlLeft);
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
        r.togli = new TDsFancyButton(QStringLiteral("x"), r.riga);
        StileCapsula(r.togli, 12, Qt::white, Qt::yellow);
        r.togli->SetFrameWidth(2);
        r.togli->setFocusPolicy(Qt::NoFocus); // the keys Backspace and Delete do it from the line
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
    r.campo->installEventFilter(this);
    r.riga->show();
    return r;
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
    // A line too long for its place beside the field, even at the smallest
    // size, is drawn under the field instead.
    r.larghezzaMinima = 0;
    try {
        if (!formula.empty())
            r.larghezzaMinima = MisuraFormula(formula, TFormulaVariant::ControlLeft,
                                              logicalDpiY() > 0 ? logicalDpiY() : 96, kPuntiMinimi)
                                    .width();
    } catch (const std::exception&) {
    }
}

void TPassaggi::TogliAggiunte()
{
    // What the window added under the last line belongs to the working as
    // it was.
    for (std::size_t i = 1; i < FRighe.size(); ++i)
        if (!FRighe[i].aggiunta.isEmpty()) {
            FRighe[i].aggiunta.clear();
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
    r.segno->setText(segno);
    QPalette p = r.segno->palette();
    p.setColor(QPalette::WindowText, colore);
    r.segno->setPalette(p);
    r.segno->setAccessibleName(nome);
    r.segno->setToolTip(nome);
    r.campo->SegnaErrore(posizione);
    r.giudizio = giudizio;
    MostraNota(i);
}

void TPassaggi::MostraNota(int i)
{
    TRiga& r = FRighe[static_cast<std::size_t>(i)];
    QString t = r.giudizio;
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
        const int xAnteprima = kSegno + kCampo + kSpazio;
        const int wAnteprima = std::max(60, larghezza - xAnteprima - kTogli - 2 * kSpazio);
        int h = kAltezza;
        if (r.larghezzaMinima > wAnteprima) {
            r.anteprima->setGeometry(kSegno, kAltezza, larghezza - kSegno - kSpazio, kAltezza);
            h += kAltezza;
        } else {
            r.anteprima->setGeometry(xAnteprima, 0, wAnteprima, kAltezza);
        }
        if (r.togli)
            r.togli->setGeometry(larghezza - kTogli - kSpazio, (kAltezza - kTogli) / 2, kTogli, kTogli);
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
