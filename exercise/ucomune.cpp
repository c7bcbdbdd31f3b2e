#include "ucomune.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "Finestra.h"
#include "UDsFancyButton.h"

namespace mevario {

bool Chiusura = false;

TAvvisoChiusura* TAvvisoChiusura::Istanza()
{
    static TAvvisoChiusura avviso;
    return &avviso;
}

void ImpostaChiusura()
{
    Chiusura = true;
    emit TAvvisoChiusura::Istanza()->Chiusa();
}

namespace {

QString& Cartella()
{
    static QString c;
    return c;
}

Tfrmcomune* gIstanza = nullptr;

const QColor kMarrone(128, 0, 0);

int gFaseLampeggio = 500;

void Lampeggia(QWidget* panel, const QColor& flash)
{
    const QColor c = Colore(panel);
    ImpostaColore(panel, flash);
    Attendi(gFaseLampeggio);
    ImpostaColore(panel, c);
    Attendi(gFaseLampeggio);
    ImpostaColore(panel, flash);
    Attendi(gFaseLampeggio);
    ImpostaColore(panel, c);
}


} // namespace

// ---- answer field ------------------------------------------------------------

TEditRisp::TEditRisp(QWidget* parent) : QLineEdit(parent)
{
    setAccessibleName(QStringLiteral("Risposta"));
    // Black on white, whatever the desktop's theme.
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

void TEditRisp::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    emit Cliccato();
}

void TEditRisp::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    emit FocusPerso();
}

void TEditRisp::keyReleaseEvent(QKeyEvent* e)
{
    QLineEdit::keyReleaseEvent(e);
    emit TastoRilasciato();
}

void TEditRisp::SegnaErrore(int posizione)
{
    if (posizione == FSegno)
        return;
    FSegno = posizione;
    update();
}

int TEditRisp::XCarattere(int i)
{
    // From the cursor, which the line edit places (scrolled as it is), by
    // the widths of the text between the cursor and the character.
    const QFontMetrics fm(font());
    const QString t = text();
    return cursorRect().center().x() + fm.horizontalAdvance(t.left(i)) - fm.horizontalAdvance(t.left(cursorPosition()));
}

void TEditRisp::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (FSegno < 0 || FSegno > text().size())
        return;
    const int x0 = XCarattere(FSegno);
    int x1 = FSegno < text().size() ? XCarattere(FSegno + 1) : x0 + fontMetrics().horizontalAdvance(QLatin1Char('0'));
    if (x1 - x0 < 6)
        x1 = x0 + fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(220, 0, 0), 2));
    const int y = height() - 5;
    // A wavy line, as a spelling checker marks a word.
    QPainterPath onda;
    onda.moveTo(x0, y);
    for (int x = x0; x < x1; x += 4)
        onda.quadTo(x + 1, (x - x0) % 8 == 0 ? y - 3 : y + 3, std::min(x + 4, x1), y);
    p.drawPath(onda);
}

// ---- shared operations ---------------------------------------------------------

QString CartellaProgramma() { return Cartella(); }
void RegistraCartellaProgramma() { Cartella() = QDir::currentPath(); }

void Attendi(int ms)
{
    if (Chiusura || ms <= 0)
        return;
    // An event loop sleeps until an event arrives or the timer fires.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ImpostaColore(QWidget* panel, const QColor& c)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, c);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
    panel->update();
}

QColor Colore(const QWidget* panel) { return panel->palette().color(QPalette::Window); }

void ImpostaFaseLampeggio(int ms) { gFaseLampeggio = ms < 0 ? 0 : ms; }

void LampeggiaVerde(QWidget* panel) { Lampeggia(panel, QColor(0, 255, 0)); }
void LampeggiaRosso(QWidget* panel) { Lampeggia(panel, QColor(255, 0, 0)); }

void DrawFormula(TFormulaBox* box, const std::string& formula)
{
    box->SetFormula(formula);
    box->update();
}

// ---- the common window ---------------------------------------------------------

Tfrmcomune* Tfrmcomune::Istanza() { return gIstanza; }

Tfrmcomune::Tfrmcomune()
{
    gIstanza = this;
    setObjectName(QStringLiteral("frmcomune"));
    CreaTastiera();
    CreaAiuto();
}

Tfrmcomune::~Tfrmcomune()
{
    if (gIstanza == this)
        gIstanza = nullptr;
}

void Tfrmcomune::CreaTastiera()
{
    pnlTastiera = new QFrame(this);
    pnlTastiera->setObjectName(QStringLiteral("pnlTastiera"));
    pnlTastiera->setAccessibleName(QStringLiteral("Tastiera"));
    pnlTastiera->resize(165, 241);
    pnlTastiera->hide();
    static const char* const kTasti[5][4] = {{"*", "/", "^", "+"},
                                             {"7", "8", "9", "-"},
                                             {"4", "5", "6", "x"},
                                             {"1", "2", "3", "y"},
                                             {"0", ".", "<--", "z"}};
    auto stile = [](TDsFancyButton* b) {
        StileCapsula(b, 15, Qt::black, Qt::yellow);
        b->setFocusPolicy(Qt::NoFocus); // the field keeps the focus
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            auto* b = new TDsFancyButton(pnlTastiera);
            // "&" would make an accelerator; none of the captions has one.
            b->setText(QString::fromLatin1(kTasti[r][c]));
            b->setAccessibleName(QString::fromLatin1(kTasti[r][c]) == QLatin1String("<--")
                                     ? QStringLiteral("Cancella")
                                     : QString::fromLatin1(kTasti[r][c]));
            stile(b);
            b->setGeometry(1 + c * 41, 1 + r * 41, 40, 40);
            connect(b, &QAbstractButton::clicked, this, [this, b] { SpeedButton8Click(b); });
            Tasti.push_back(b);
        }
    btnChiudiTastiera = new TDsFancyButton(QStringLiteral("Chiudi"), pnlTastiera);
    stile(btnChiudiTastiera);
    btnChiudiTastiera->setGeometry(26, 207, 113, 32);
    connect(btnChiudiTastiera, &QAbstractButton::clicked, this, [this] { SpeedButton13Click(); });
}

void Tfrmcomune::CreaAiuto()
{
    pnlHelp1 = new QFrame(this);
    pnlHelp1->setObjectName(QStringLiteral("pnlHelp1"));
    pnlHelp1->setAccessibleName(QStringLiteral("Istruzioni"));
    pnlHelp1->resize(369, 297);
    pnlHelp1->setFrameShape(QFrame::Box);
    pnlHelp1->hide();
    auto testo = [this](const QString& t, int x, int y, bool grassetto, const QColor& colore) {
        QLabel* l = Etichetta(t, pnlHelp1, Carattere("Tahoma", 13, grassetto), colore);
        l->move(x, y);
        return l;
    };
    testo(QStringLiteral("Per indicare un monomio devi scrivere"), 10, 8, true, Qt::black);
    testo(QStringLiteral("il coefficiente seguito dalla parte letterale"), 10, 25, true, Qt::black);
    testo(QStringLiteral("Se vuoi indicare una potenza devi scrivere "), 10, 48, true, Qt::black);
    testo(QStringLiteral("lettera ^ esponente"), 30, 65, true, kMarrone);
    testo(QStringLiteral("Se vuoi indicare una frazione devi scrivere "), 10, 88, true, Qt::black);
    testo(QStringLiteral("numeratore / denominatore"), 30, 105, true, kMarrone);
    QLabel* esempi = testo(QStringLiteral("Esempi"), 10, 130, true, Qt::black);
    QFont fe = esempi->font();
    fe.setPixelSize(16);
    esempi->setFont(fe);
    esempi->adjustSize();

    PaintBoxEsempio1 = new TFormulaBox(pnlHelp1);
    PaintBoxEsempio1->setGeometry(10, 154, 180, 50);
    DrawFormula(PaintBoxEsempio1, "12*x^5");
    // What is typed, at the size of the answer field's text, beside what it gives.
    const auto digitato = [&testo](const QString& t, int y) {
        QLabel* l = testo(t, 200, y, true, kMarrone);
        l->setFont(Carattere("Tahoma", 19, true));
        l->adjustSize();
    };
    digitato(QStringLiteral("12x^5"), 167);
    PaintBoxEsempio2 = new TFormulaBox(pnlHelp1);
    PaintBoxEsempio2->setGeometry(10, 210, 180, 80);
    DrawFormula(PaintBoxEsempio2, "-(2/5)*x*y^3*z");
    digitato(QStringLiteral("-2/5xy^3z"), 238);

    SpeedButton1 = new TDsFancyButton(QStringLiteral("X"), pnlHelp1);
    SpeedButton1->setAccessibleName(QStringLiteral("Chiudi istruzioni"));
    StileCapsula(SpeedButton1, 12, Qt::white, Qt::yellow);
    SpeedButton1->SetFrameWidth(2);
    SpeedButton1->setGeometry(369 - 26, 4, 22, 22);
    connect(SpeedButton1, &QAbstractButton::clicked, this, [this] { SpeedButton1Click(); });
}

void Tfrmcomune::Presta(QWidget* finestra, TEditRisp* campo)
{
    pnlTastiera->hide();
    const bool aiutoVisibile = pnlHelp1->isVisible();
    pnlTastiera->setParent(finestra);
    // An opaque panel of the window's colour: nothing shows between the keys.
    ImpostaColore(pnlTastiera, finestra->palette().color(QPalette::Window));
    pnlTastiera->setAutoFillBackground(true);
    pnlHelp1->setParent(finestra);
    pnlHelp1->setVisible(aiutoVisibile);
    pnlHelp1->raise();
    pnlTastiera->raise();
    if (campo) {
        disconnect(campo, nullptr, this, nullptr);
        connect(campo, &TEditRisp::Cliccato, this, [this, campo] { EditTastieraEnter(campo); });
        connect(campo, &TEditRisp::FocusPerso, this, [this] { EditTastieraExit(); });
    }
}

void Tfrmcomune::Restituisci(QWidget* finestra)
{
    for (QFrame* p : {pnlTastiera, pnlHelp1})
        if (p->parentWidget() == finestra) {
            p->hide();
            p->setParent(this);
        }
}

void Tfrmcomune::EditTastieraEnter(QLineEdit* campo)
{
    FBersaglio = campo;
    if (!campo || campo->isReadOnly())
        return;
    QWidget* parent = pnlTastiera->parentWidget();
    // The keypad is lent to the window of the field only when it is shown.
    if (!parent || !parent->isAncestorOf(campo))
        return;
    const QPoint p0 = campo->mapTo(parent, QPoint(0, 0));
    const int kw = pnlTastiera->width(), kh = pnlTastiera->height();
    int y = p0.y() + campo->height();
    if (y + kh > parent->height())
        y = y - campo->height() - kh;
    int x = p0.x();
    if (x + kw > parent->width())
        x = x - campo->width() - kw;
    pnlTastiera->move(x + 50, y);
    pnlTastiera->raise();
    pnlTastiera->show();
}

void Tfrmcomune::EditTastieraExit() { pnlTastiera->hide(); }

void Tfrmcomune::SpeedButton8Click(TDsFancyButton* tasto)
{
    QLineEdit* campo = FBersaglio;
    if (!campo || !tasto)
        return;
    const QString c = tasto->text();
    if (c == QLatin1String("<--"))
        campo->backspace(); // removes the character before the caret (or the selection)
    else if (!c.isEmpty())
        campo->insert(c.left(1)); // at the caret, replacing a selection
    // The window's key-release handling redraws the typed answer.
    QKeyEvent rilascio(QEvent::KeyRelease, c == QLatin1String("<--") ? Qt::Key_Backspace : Qt::Key_unknown,
                       Qt::NoModifier, c == QLatin1String("<--") ? QString() : c.left(1));
    QCoreApplication::sendEvent(campo, &rilascio);
    campo->setFocus();
}

void Tfrmcomune::SpeedButton13Click() { pnlTastiera->hide(); }

void Tfrmcomune::ShowHelp1(const QPoint& p)
{
    pnlHelp1->move(p);
    pnlHelp1->raise();
    pnlHelp1->show();
}

void Tfrmcomune::SpeedButton1Click() { pnlHelp1->hide(); }

} // namespace mevario
