// The common exercise window: keypad typing and placement, flashes, the
// responsive wait and Chiusura, the help panel and the formula boxes.
#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "Errori.h"
#include "Lettura.h"
#include "Finestra.h"
#include "UDsFancyButton.h"
#include "ucomune.h"

using namespace mevario;

namespace {

// A window like an exercise window: 774 x 604 with an answer field.
struct Finestra {
    QWidget w;
    TEditRisp* campo;
    Finestra(QPoint pos = QPoint(38, 304))
    {
        w.resize(774, 604);
        campo = new TEditRisp(&w);
        campo->setGeometry(pos.x(), pos.y(), 203, 39);
        Tfrmcomune::Istanza()->Presta(&w, campo);
        w.show();
    }
    ~Finestra() { Tfrmcomune::Istanza()->Restituisci(&w); }
};

TDsFancyButton* Tasto(const QString& caption)
{
    for (TDsFancyButton* b : Tfrmcomune::Istanza()->Tasti)
        if (b->text() == caption)
            return b;
    return nullptr;
}

void Premi(const QString& caption)
{
    TDsFancyButton* b = Tasto(caption);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
}

} // namespace

class TestComune : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new Tfrmcomune; }
    void cleanupTestCase() { delete Tfrmcomune::Istanza(); }
    void init() { Chiusura = false; }
    void unreadableAnswersSayWhereAndWhy_data();
    void unreadableAnswersSayWhereAndWhy();
    void theSpotIsUnderlinedUnderItsCharacter();
    void keypadHasTwentyKeysThatNeverTakeFocus();
    void keypadTypesAtTheCaret();
    void backspaceRemovesTheCharacterBeforeTheCaret();
    void keyReleaseReachesTheField();
    void keypadPlacement();
    void flashesEndInThePanelColour();
    void captionsReadOnTheFlash();
    void chiusuraCutsTheWait();
    void waitHandlesEventsWithoutSpinning();
    void helpPanel();
    void helpPanelIsBuiltOncePerContent();
    void formulaBoxesExposeTheirFormula();
    void aFormulaShrinksOnlyAsMuchAsItMust();
    void errorsGoToTheErrorBox();
    void windowShapes();
    void windowsOpenCentredInsideTheScreen();
};

void TestComune::windowsOpenCentredInsideTheScreen()
{
    const QRect area(0, 0, 1366, 768);
    // Centred over the window it belongs to.
    QCOMPARE(PosizioneCentrata({774, 604}, QRect(299, 61, 767, 645), area), QRect(296, 82, 774, 604));
    // Moved in where it would cross an edge of the available area.
    QCOMPARE(PosizioneCentrata({577, 483}, QRect(900, 500, 400, 300), area).topLeft(), QPoint(789, 285));
    QCOMPARE(PosizioneCentrata({577, 483}, QRect(-300, -200, 100, 100), area).topLeft(), QPoint(0, 0));
    // Larger than the area: its top-left corner in the area's corner.
    QCOMPARE(PosizioneCentrata({896, 900}, QRect(299, 61, 767, 645), area).topLeft(), QPoint(235, 0));
    QCOMPARE(PosizioneCentrata({1400, 900}, QRect(299, 61, 767, 645), area).topLeft(), QPoint(0, 0));
    // An area that does not start at the origin (a panel on the left, a second screen).
    const QRect destra(1366, 32, 1280, 688);
    QCOMPARE(PosizioneCentrata({774, 604}, QRect(1300, 500, 200, 200), destra).topLeft(), QPoint(1366, 116));
    // Beside the window it is opened from: right, else left; where neither
    // side has room both stand side by side, the window moved; on a screen
    // too narrow for both, at the edges, the board over the window's right side.
    const QRect esercizio(296, 82, 774, 604);
    const auto accanto = [](const QRect& f, QSize l, QRect a) { return PosizioniAccanto(f, l, a); };
    QCOMPARE(accanto(QRect(10, 82, 774, 604), {577, 483}, area), std::pair(QRect(10, 82, 774, 604), QRect(784, 82, 577, 483)));
    QCOMPARE(accanto(QRect(580, 82, 774, 604), {577, 483}, area), std::pair(QRect(580, 82, 774, 604), QRect(3, 82, 577, 483)));
    QCOMPARE(accanto(esercizio, {577, 483}, area), std::pair(QRect(7, 82, 774, 604), QRect(781, 82, 577, 483)));
    QCOMPARE(accanto(esercizio, {577, 483}, QRect(0, 0, 1024, 768)),
             std::pair(QRect(0, 82, 774, 604), QRect(447, 82, 577, 483)));
    // Its height kept inside the area.
    QCOMPARE(accanto(QRect(10, 500, 774, 260), {577, 483}, area).second, QRect(784, 285, 577, 483));
    QCOMPARE(accanto(QRect(1400, 40, 600, 600), {577, 483}, destra).second, QRect(2000, 40, 577, 483));
    // Over a window on the screen, with CentraSopra.
    QWidget sopra;
    sopra.setGeometry(40, 40, 300, 200);
    sopra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sopra));
    QWidget finestra(&sopra, Qt::Dialog);
    finestra.resize(100, 60);
    CentraSopra(&finestra, &sopra);
    QCOMPARE(QRect(finestra.pos(), finestra.size()).center(), sopra.frameGeometry().center());
}

void TestComune::keypadHasTwentyKeysThatNeverTakeFocus()
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    QCOMPARE(int(c->Tasti.size()), 20);
    QCOMPARE(c->pnlTastiera->size(), QSize(165, 241));
    QStringList captions;
    for (TDsFancyButton* b : c->Tasti) {
        captions << b->text();
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        QCOMPARE(b->size(), QSize(40, 40));
        QCOMPARE(b->FaceColor(), QColor(255, 113, 45));
        QCOMPARE(b->FrameWidth(), 3);
    }
    QCOMPARE(captions.join(QLatin1Char(' ')),
             QStringLiteral("* / ^ + 7 8 9 - 4 5 6 x 1 2 3 y 0 . <-- z"));
    QCOMPARE(c->btnChiudiTastiera->text(), QStringLiteral("Chiudi"));
    QCOMPARE(c->btnChiudiTastiera->size(), QSize(113, 32));
    QCOMPARE(c->btnChiudiTastiera->focusPolicy(), Qt::NoFocus);
    QVERIFY(!c->pnlTastiera->isVisible());
}

void TestComune::keypadTypesAtTheCaret()
{
    Finestra f;
    QTest::mouseClick(f.campo, Qt::LeftButton);
    f.campo->setText(QStringLiteral("12"));
    f.campo->setCursorPosition(1);
    Premi(QStringLiteral("x"));
    QCOMPARE(f.campo->text(), QStringLiteral("1x2"));
    QCOMPARE(f.campo->cursorPosition(), 2);
    // A selection is replaced.
    f.campo->setSelection(0, 2);
    Premi(QStringLiteral("7"));
    QCOMPARE(f.campo->text(), QStringLiteral("72"));
    QCOMPARE(f.w.focusWidget(), f.campo);
}

void TestComune::backspaceRemovesTheCharacterBeforeTheCaret()
{
    Finestra f;
    QTest::mouseClick(f.campo, Qt::LeftButton);
    f.campo->setText(QStringLiteral("12x"));
    Premi(QStringLiteral("<--"));
    QCOMPARE(f.campo->text(), QStringLiteral("12"));
    f.campo->setCursorPosition(1);
    Premi(QStringLiteral("<--"));
    QCOMPARE(f.campo->text(), QStringLiteral("2"));
    f.campo->setCursorPosition(0);
    Premi(QStringLiteral("<--"));
    QCOMPARE(f.campo->text(), QStringLiteral("2"));
}

void TestComune::keyReleaseReachesTheField()
{
    Finestra f;
    QSignalSpy rilasci(f.campo, &TEditRisp::TastoRilasciato);
    QTest::mouseClick(f.campo, Qt::LeftButton);
    Premi(QStringLiteral("3"));
    Premi(QStringLiteral("<--"));
    QCOMPARE(rilasci.count(), 2);
    QTest::keyClick(f.campo, Qt::Key_5);
    QCOMPARE(rilasci.count(), 3);
    QCOMPARE(f.campo->text(), QStringLiteral("5"));
}

// The keypad's rectangle against every visible widget that shows something.
static bool TastieraSgombra(QWidget* w)
{
    const QRect t = Tfrmcomune::Istanza()->pnlTastiera->geometry();
    if (!w->rect().contains(t))
        return false;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisible() || c == Tfrmcomune::Istanza()->pnlTastiera ||
            Tfrmcomune::Istanza()->pnlTastiera->isAncestorOf(c))
            continue;
        const QRect g(c->mapTo(w, QPoint(0, 0)), c->size());
        bool foglia = true;
        for (QWidget* f : c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            foglia = foglia && !f->isVisible();
        if (foglia && g.intersects(t))
            return false;
        // A painted panel is entered whole or left whole.
        if (!foglia && c->autoFillBackground() && g.intersects(t) && !g.contains(t))
            return false;
    }
    return true;
}

void TestComune::keypadPlacement()
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    {
        // Beside the field: nothing else in the window.
        Finestra f(QPoint(38, 304));
        QTest::mouseClick(f.campo, Qt::LeftButton);
        QVERIFY(c->pnlTastiera->isVisible());
        QCOMPARE(c->pnlTastiera->parentWidget(), &f.w);
        QVERIFY(TastieraSgombra(&f.w));
        const QRect t = c->pnlTastiera->geometry(), campo = f.campo->geometry();
        QVERIFY(std::abs(t.top() - campo.bottom()) <= 8 || std::abs(t.left() - campo.right()) <= 8);
        c->EditTastieraExit();
        QVERIFY(!c->pnlTastiera->isVisible());
    }
    {
        // A crowded window: buttons right of the field, a panel of labels
        // below it, a button reserved while hidden; a painted panel with a
        // free corner may take it whole.
        Finestra f(QPoint(20, 20));
        auto* sotto = new QFrame(&f.w);
        sotto->setGeometry(0, 70, 774, 200);
        ImpostaColore(sotto, Qt::yellow);
        for (int x = 0; x < 774; x += 60)
            (new QLabel(QStringLiteral("88"), sotto))->setGeometry(x, 10, 50, 20);
        auto* destra = new QPushButton(QStringLiteral("A"), &f.w);
        destra->setGeometry(240, 20, 100, 40);
        auto* riservato = new QPushButton(QStringLiteral("R"), &f.w);
        riservato->setGeometry(20, 280, 300, 300);
        riservato->setProperty("postoRiservato", true);
        for (QWidget* w : {static_cast<QWidget*>(sotto), static_cast<QWidget*>(destra)})
            w->show();
        for (QLabel* l : sotto->findChildren<QLabel*>())
            l->show();
        QTest::mouseClick(f.campo, Qt::LeftButton);
        QVERIFY(TastieraSgombra(&f.w));
        QVERIFY(!c->pnlTastiera->geometry().intersects(riservato->geometry()));
        QCOMPARE(f.w.size(), QSize(774, 604));
        // Where it is it stays; something shown there moves it.
        const QRect prima = c->pnlTastiera->geometry();
        QTest::mouseClick(f.campo, Qt::LeftButton);
        QCOMPARE(c->pnlTastiera->geometry(), prima);
        auto* nuovo = new QPushButton(QStringLiteral("N"), &f.w);
        nuovo->setGeometry(prima.adjusted(10, 10, -10, -10));
        nuovo->show();
        c->RiponiTastiera();
        QVERIFY(c->pnlTastiera->geometry() != prima);
        QVERIFY(TastieraSgombra(&f.w));
    }
    {
        // No room anywhere: the window grows to the right while the keypad
        // is open, and takes its size back when it closes.
        Finestra f(QPoint(20, 20));
        f.w.setFixedSize(400, 300);
        for (int y = 70; y < 300; y += 30)
            (new QLabel(QStringLiteral("pieno"), &f.w))->setGeometry(0, y, 400, 25);
        for (QLabel* l : f.w.findChildren<QLabel*>())
            l->show();
        QTest::mouseClick(f.campo, Qt::LeftButton);
        QVERIFY(c->pnlTastiera->isVisible());
        QCOMPARE(f.w.width(), 400 + 165 + 8);
        QVERIFY(c->pnlTastiera->x() >= 400);
        QVERIFY(TastieraSgombra(&f.w));
        c->SpeedButton13Click();
        QVERIFY(!c->pnlTastiera->isVisible());
        QCOMPARE(f.w.size(), QSize(400, 300));
    }
    {
        Finestra f;
        f.campo->setReadOnly(true);
        QTest::mouseClick(f.campo, Qt::LeftButton);
        QVERIFY(!c->pnlTastiera->isVisible());
    }
    {
        // A field of a window that does not hold the keypad (not shown yet):
        // nothing to place, and no crash.
        Finestra f;
        QLineEdit altro;
        c->EditTastieraEnter(&altro);
        QVERIFY(!c->pnlTastiera->isVisible());
        QCOMPARE(c->Bersaglio(), &altro);
    }
}

void TestComune::flashesEndInThePanelColour()
{
    QWidget panel;
    ImpostaColore(&panel, QColor(255, 201, 147));
    QList<QColor> visti;
    QTimer campione;
    connect(&campione, &QTimer::timeout, [&] { visti << Colore(&panel); });
    campione.start(100);
    QElapsedTimer t;
    t.start();
    LampeggiaVerde(&panel);
    campione.stop();
    QVERIFY(t.elapsed() >= 1400);
    QCOMPARE(Colore(&panel), QColor(255, 201, 147));
    QVERIFY(visti.contains(ColoreLampoVerde()));
    visti.clear();
    campione.start(100);
    LampeggiaRosso(&panel);
    campione.stop();
    QVERIFY(visti.contains(ColoreLampoRosso()));
    QCOMPARE(Colore(&panel), QColor(255, 201, 147));
}

void TestComune::captionsReadOnTheFlash()
{
    // The counters panel: a green and a red caption, black digits.
    QWidget panel;
    ImpostaColore(&panel, QColor(255, 201, 147));
    QLabel* esatte = Etichetta(QStringLiteral("Risposte esatte:"), &panel, QFont(), QColor(0, 100, 0));
    QLabel* errori = Etichetta(QStringLiteral("Errori:"), &panel, QFont(), QColor(176, 0, 0));
    QLabel* cifra = Etichetta(QStringLiteral("3"), &panel, QFont(), Qt::black);
    std::vector<std::pair<QColor, QColor>> visti; // background, text, sampled while it flashes
    QTimer campione;
    connect(&campione, &QTimer::timeout, [&] {
        for (QLabel* l : {esatte, errori, cifra})
            visti.emplace_back(Colore(&panel), l->palette().color(QPalette::WindowText));
    });
    ImpostaFaseLampeggio(60);
    campione.start(20);
    LampeggiaVerde(&panel);
    LampeggiaRosso(&panel);
    campione.stop();
    ImpostaFaseLampeggio(500);
    QVERIFY(visti.size() > 20);
    for (const auto& [sfondo, testo] : visti)
        QVERIFY2(Contrasto(sfondo, testo) >= 4.5, qPrintable(sfondo.name() + QLatin1Char(' ') + testo.name()));
    // Afterwards every caption has its own colour again.
    QCOMPARE(esatte->palette().color(QPalette::WindowText), QColor(0, 100, 0));
    QCOMPARE(errori->palette().color(QPalette::WindowText), QColor(176, 0, 0));
    QCOMPARE(cifra->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(Contrasto(Qt::black, Qt::white), 21.0);
    QCOMPARE(Contrasto(Qt::red, Qt::red), 1.0);
}

void TestComune::chiusuraCutsTheWait()
{
    QWidget panel;
    ImpostaColore(&panel, Qt::white);
    Chiusura = true;
    QElapsedTimer t;
    t.start();
    LampeggiaVerde(&panel);
    QVERIFY(t.elapsed() < 200);
    QCOMPARE(Colore(&panel), QColor(Qt::white));
    // Set during a flash: the wait in progress ends, the rest passes at once.
    Chiusura = false;
    QTimer::singleShot(200, [] { Chiusura = true; });
    t.restart();
    LampeggiaRosso(&panel);
    QVERIFY(t.elapsed() < 1200);
    QCOMPARE(Colore(&panel), QColor(Qt::white));
}

void TestComune::waitHandlesEventsWithoutSpinning()
{
    bool scattato = false;
    QTimer::singleShot(20, [&] { scattato = true; });
    QElapsedTimer t;
    t.start();
    const std::clock_t c0 = std::clock();
    Attendi(300);
    QVERIFY(scattato);
    QVERIFY(t.elapsed() >= 290);
    // Sleeping, not spinning: far less processor time than wall time.
    QVERIFY(double(std::clock() - c0) / CLOCKS_PER_SEC < 0.15);
}

void TestComune::helpPanel()
{
    Finestra f;
    Tfrmcomune* c = Tfrmcomune::Istanza();
    c->ImpostaAiuto(AiutoMonomi());
    c->ShowHelp1(QPoint(100, 50));
    QVERIFY(c->pnlHelp1->isVisible());
    QCOMPARE(c->pnlHelp1->pos(), QPoint(100, 50));
    QCOMPARE(c->PaintBoxEsempio1->Formula(), std::string("12*x^5"));
    QCOMPARE(c->PaintBoxEsempio2->Formula(), std::string("-(2/5)*x*y^3*z"));
    QTest::mouseClick(c->SpeedButton1, Qt::LeftButton, {}, QPoint(11, 11));
    QVERIFY(!c->pnlHelp1->isVisible());
    // Asked for past the window's edge, it stays inside, its "X" with it.
    c->ShowHelp1(QPoint(700, 500));
    QVERIFY(f.w.rect().contains(c->pnlHelp1->geometry()));
    QVERIFY(f.w.rect().contains(QRect(c->SpeedButton1->mapTo(&f.w, QPoint(0, 0)), c->SpeedButton1->size())));
    // Escape in the window closes it.
    f.campo->setFocus();
    QTest::keyClick(f.campo, Qt::Key_Escape);
    QVERIFY(!c->pnlHelp1->isVisible());
    // Beside the field and never over the open keypad, in every shape.
    QTest::mouseClick(f.campo, Qt::LeftButton);
    QVERIFY(c->pnlTastiera->isVisible());
    TAiuto lungo = AiutoMonomi();
    lungo.esempi.push_back("3x^2-5xy+1");
    for (const TAiuto& a : {AiutoMonomi(), lungo}) {
        c->ImpostaAiuto(a);
        c->MostraAiuto(f.campo);
        QVERIFY(c->pnlHelp1->isVisible());
        QVERIFY(f.w.rect().contains(c->pnlHelp1->geometry()));
        QVERIFY(!c->pnlHelp1->geometry().intersects(c->pnlTastiera->geometry()));
        QVERIFY(!c->pnlHelp1->geometry().intersects(f.campo->geometry()));
        QVERIFY(c->pnlTastiera->isVisible());
    }
    QCOMPARE(c->PaintBoxEsempio1->Formula(), std::string("12*x^5"));
    // Lent to a window again, it starts closed.
    Finestra g;
    QVERIFY(!c->pnlHelp1->isVisible());
    QCOMPARE(c->pnlHelp1->parentWidget(), &g.w);
}

void TestComune::helpPanelIsBuiltOncePerContent()
{
    Finestra f;
    Tfrmcomune* c = Tfrmcomune::Istanza();
    TAiuto lungo = AiutoMonomi();
    lungo.esempi.push_back("3x^2-5xy+1");
    c->ImpostaAiuto(lungo);
    c->MostraAiuto(f.campo);
    const QRect prima = c->pnlHelp1->geometry();
    const QPointer<TFormulaBox> esempio = c->PaintBoxEsempio1;
    QVERIFY(esempio);
    // Opened again where nothing changed: the same panel, not built again.
    for (int i = 0; i < 3; ++i) {
        c->SpeedButton1Click();
        c->MostraAiuto(f.campo);
        QVERIFY(esempio);
        QCOMPARE(c->PaintBoxEsempio1, esempio.data());
        QCOMPARE(c->pnlHelp1->geometry(), prima);
    }
    // Other content is built anew, and placed for its own size.
    TAiuto altro = AiutoMonomi();
    altro.esempi.insert(altro.esempi.begin(), "x^2y^2z^2+x^3y^3z^3-x^4y^4z^4");
    c->ImpostaAiuto(altro);
    c->MostraAiuto(f.campo);
    QVERIFY(!esempio);
    QVERIFY(c->PaintBoxEsempio1);
    QVERIFY(c->PaintBoxEsempio1->Formula() != std::string("12*x^5"));
    QVERIFY(f.w.rect().contains(c->pnlHelp1->geometry()));
    QVERIFY(!c->pnlHelp1->geometry().intersects(f.campo->geometry()));
}

void TestComune::aFormulaShrinksOnlyAsMuchAsItMust()
{
    const std::string f = "(-(3/4)*x^2*y+(2/5)*x*y^2-(7/8)*z)&string(  +  )&((1/2)*x^2*y-3*z)";
    TFormulaBox box;
    const int ppi = box.logicalDpiY();
    QCOMPARE(box.MisuraNaturale(), QSize());
    box.SetFormula(f);
    QCOMPARE(box.MisuraNaturale(), MisuraFormula(f, TFormulaVariant::PaintBoxCentered, ppi));
    // A box just the size of the formula at p points draws it at p, and
    // one pixel less in either direction at the largest size that fits.
    for (int p : {19, 17, 15, 13}) {
        const QSize a = MisuraFormula(f, TFormulaVariant::PaintBoxCentered, ppi, p);
        box.resize(a);
        QCOMPARE(box.PuntiUsati(), p);
        for (const QSize& meno : {a - QSize(1, 0), a - QSize(0, 1)}) {
            box.resize(meno);
            const int usati = box.PuntiUsati();
            QVERIFY(usati < p);
            const QSize u = MisuraFormula(f, TFormulaVariant::PaintBoxCentered, ppi, usati);
            QVERIFY(u.width() <= meno.width() && u.height() <= meno.height());
            const QSize su = MisuraFormula(f, TFormulaVariant::PaintBoxCentered, ppi, usati + 1);
            QVERIFY(su.width() > meno.width() || su.height() > meno.height());
        }
    }
    // Room enough: the full size.
    box.resize(MisuraFormula(f, TFormulaVariant::PaintBoxCentered, ppi) + QSize(40, 10));
    QCOMPARE(box.PuntiUsati(), 20);
}

void TestComune::formulaBoxesExposeTheirFormula()
{
    TFormulaBox box;
    box.resize(300, 60);
    // What a screen reader asks of the box: the spoken formula as its name,
    // the linear form as its description.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&box);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Graphic);
    DrawFormula(&box, "3*x^2*y&string(  +  )&(-(2/5))*x^2*y");
    QCOMPARE(a->text(QAccessible::Name),
             QStringLiteral("tre ics al quadrato ipsilon più aperta parentesi meno due quinti chiusa parentesi ics al "
                            "quadrato ipsilon"));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("3x²y + (−2/5)x²y"));
    DrawFormula(&box, "12*x^5");
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("dodici ics alla quinta"));
    QCOMPARE(box.NomeAccessibile(), QStringLiteral("dodici ics alla quinta"));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("12x⁵"));
    // A line said with the preview goes after the linear form.
    box.SetNotaAccessibile(QStringLiteral("Manca l'esponente."));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("12x⁵. Manca l'esponente."));
    box.SetNotaAccessibile(QString());
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("12x⁵"));
    // A box named by its place says the place, then the formula.
    box.SetNomeAccessibile(QStringLiteral("Soluzione, riga 2"));
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Soluzione, riga 2: dodici ics alla quinta"));
    DrawFormula(&box, "");
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Soluzione, riga 2"));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("vuota"));
    box.SetNomeAccessibile(QString());
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Formula vuota"));
    DrawFormula(&box, "12*x^5");
    const QImage img = box.grab().toImage();
    bool inchiostro = false;
    for (int x = 0; x < 300 && !inchiostro; ++x)
        inchiostro = qGray(img.pixel(x, 30)) < 100;
    QVERIFY(inchiostro);
}

void TestComune::errorsGoToTheErrorBox()
{
    QStringList messaggi;
    auto vecchio = ImpostaGestoreErrori([&](const QString& m) { messaggi << m; });
    // A formula of the program's own that does not parse is reported once.
    TFormulaBox box;
    box.resize(200, 50);
    DrawFormula(&box, "[a,b");
    box.grab();
    box.grab();
    QTRY_COMPARE(messaggi.size(), 1);
    QCOMPARE(messaggi[0], QStringLiteral("si aspetta \"]\"  in posizione 5"));
    QVERIFY(!box.Valida());
    // The live preview ignores it.
    TFormulaBox anteprima;
    anteprima.SetIgnoraErrori(true);
    anteprima.resize(200, 50);
    DrawFormula(&anteprima, "2-");
    anteprima.grab();
    QTest::qWait(20);
    QCOMPARE(messaggi.size(), 1);
    QVERIFY(!Protetto([] { throw std::runtime_error("'2-3' is not a valid integer value"); }));
    QCOMPARE(messaggi.last(), QStringLiteral("'2-3' is not a valid integer value"));
    QVERIFY(Protetto([] {}));
    ImpostaGestoreErrori(vecchio);
}

void TestComune::windowShapes()
{
    const QRegion f = FormaFinestra(QSize(774, 604));
    QVERIFY(!f.contains(QPoint(0, 0)));     // top corners rounded
    QVERIFY(!f.contains(QPoint(773, 0)));
    QVERIFY(f.contains(QPoint(0, 603)));    // bottom corners square
    QVERIFY(f.contains(QPoint(773, 603)));
    QVERIFY(f.contains(QPoint(387, 0)));
    const QRegion p = FormaPannello(QSize(497, 41));
    QVERIFY(!p.contains(QPoint(0, 40)));
    QVERIFY(p.contains(QPoint(10, 20)));
}

void TestComune::unreadableAnswersSayWhereAndWhy_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("posizione"); // -1: it reads
    QTest::addColumn<QString>("motivo");
    QTest::addColumn<QString>("prefisso");
    QTest::newRow("readable") << "-17/12x^2yz^3" << -1 << "" << "";
    QTest::newRow("empty") << "" << -1 << "" << "";
    QTest::newRow("spaces are left out") << " 3 x ^2 " << -1 << "" << "";
    QTest::newRow("trailing sign") << "3x+" << 3 << "qui manca un numero o una lettera" << "3*x";
    QTest::newRow("two signs") << "3x+*2" << 3 << "qui manca un numero o una lettera" << "3*x";
    QTest::newRow("open bracket") << "2(x+1" << 5 << "qui manca una parentesi chiusa" << "2";
    // The formula reader reads the whole text or nothing: "2(" is not read
    // as "2" with the rest left out.
    QTest::newRow("bracket after a number") << "2(x+1)" << 1 << "da qui la risposta non si legge" << "2";
    QTest::newRow("closed, never opened") << "x+1)" << 3 << "questa parentesi non è stata aperta" << "x+1";
    QTest::newRow("empty brackets") << "x+()" << 3 << "tra le parentesi manca qualcosa" << "x";
    QTest::newRow("not a character of ours") << "3è" << 1 << "questo carattere non si può usare" << "3";
    QTest::newRow("emoji") << "x+🙂" << 2 << "questo carattere non si può usare" << "x";
    QTest::newRow("a spot counted in the field") << "3 x +" << 5 << "qui manca un numero o una lettera" << "3*x";
}

void TestComune::unreadableAnswersSayWhereAndWhy()
{
    QFETCH(QString, campo);
    QFETCH(int, posizione);
    QFETCH(QString, motivo);
    QFETCH(QString, prefisso);
    const TLettura l = LeggiDigitata(campo);
    QCOMPARE(l.leggibile, posizione < 0);
    QCOMPARE(l.posizione, posizione);
    QCOMPARE(l.motivo, motivo);
    if (!l.leggibile)
        QCOMPARE(QString::fromStdString(l.prefisso), prefisso);
}

void TestComune::theSpotIsUnderlinedUnderItsCharacter()
{
    TEditRisp e;
    e.resize(300, 40);
    e.setText(QStringLiteral("3x+*2"));
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    const auto rosso = [&e](int da, int a) {
        const QImage img = e.grab().toImage();
        int n = 0;
        for (int x = da; x < a; ++x)
            for (int y = e.height() - 10; y < e.height(); ++y)
                if (QColor(img.pixel(x, y)).red() > 180 && QColor(img.pixel(x, y)).green() < 80)
                    ++n;
        return n;
    };
    QCOMPARE(rosso(0, e.width()), 0);
    e.SegnaErrore(3);
    QCOMPARE(e.cursorPosition(), 5); // the mark does not move the cursor
    // Under the "*", not under "3x".
    QVERIFY(rosso(0, e.width()) > 0);
    QCOMPARE(rosso(0, QFontMetrics(e.font()).horizontalAdvance(QStringLiteral("3x"))), 0);
    e.SegnaErrore(-1);
    QCOMPARE(rosso(0, e.width()), 0);
}

QTEST_MAIN(TestComune)
#include "test_comune.moc"
