// Mevario driven as a pupil drives it: the main window's menus, the sum of
// monomials on both pages, answers typed on the keypad and the keyboard,
// the counters, the flashes and the tallies of the results record.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <QElapsedTimer>

#include <numeric>
#include <set>

#include "../../monomials/tests/Risposte.h"
#include "Avvio.h"
#include "QuibWord.h"
#include <QScreen>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include "Errori.h"
#include "EserciziStampa.h"
#include "SchedaPol.h"

using namespace mevario;
using namespace mevario::test;

namespace {

std::string RispostaGiusta(const TfrmSommaMon& w)
{
    const EsercizioSommaMon& f = w.Esercizio();
    long long num = 0, den = 1;
    for (auto [p, q] : {std::pair<long long, long long>{f.p1, f.q1}, {f.p2, f.q2}, {f.p3, f.q3}}) {
        num = num * q + p * den;
        den *= q;
    }
    return Digitata(num, den, f.L);
}

} // namespace

class TestMevario : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { FFinestre.reset(); }
    void mainWindowAndItsMenus();
    void openTheSumOnEachPage();
    void rightAnswerThroughTheKeypad();
    void rightAnswerThroughTheKeyboard();
    void wrongAnswerKeepsTheExercise();
    void pageButtonTwiceGivesANewExercise();
    void unreadableAnswerChangesNothing();
    void doubleClickOnProcediCountsOnce();
    void esciAddsTheCountersToTheTallies();
    void accessibleNames();
    void topicMenusOpenTheirWindows();
    void schedaAndStampaWriteTheirDocuments();
    void lavagnaOpensFromEveryExercisePage();
    void menusHighlightOneEntryAndStayOnScreen();
    void keyboardAloneWorksAnExercise();
    void formulasAreNeverCut();
    void errorsSpeakItalian();
    void exercisesToPrintFromTheMainWindow();

private:
    void ApriSomma(bool esercizi);
    void Digita(const std::string& testo);
    void Procedi();
    TfrmSommaMon* S() { return FFinestre->frmSommaMon.get(); }
    TfrmMain* M() { return FFinestre->frmMain.get(); }

    std::unique_ptr<TFinestre> FFinestre;
    QStringList FErrori;
};

void TestMevario::initTestCase()
{
    FFinestre = Avvia();
    ImpostaGestoreErrori([this](const QString& m) { FErrori << m; });
    M()->show();
    QVERIFY(QTest::qWaitForWindowExposed(M()));
    QVERIFY(TSchedaPol::Istanza()); // created when the main window was first shown
}

void TestMevario::ApriSomma(bool esercizi)
{
    M()->ApriMenu(M()->btSomma, M()->pmSomma);
    QVERIFY(M()->pmSomma->isVisible());
    TVoceMenu* voce = M()->pmSomma->Voci()[esercizi ? 1 : 0];
    QTest::mouseClick(voce, Qt::LeftButton);
    QVERIFY(!M()->pmSomma->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(S()));
}

void TestMevario::Digita(const std::string& testo)
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    QTest::mouseClick(S()->EditRisp, Qt::LeftButton); // the keypad opens beside the field
    QVERIFY(c->pnlTastiera->isVisible());
    for (char ch : testo) {
        TDsFancyButton* tasto = nullptr;
        for (TDsFancyButton* b : c->Tasti)
            if (b->text() == QString(QChar(ch)))
                tasto = b;
        QVERIFY2(tasto, std::string(1, ch).c_str());
        QTest::mouseClick(tasto, Qt::LeftButton, {}, QPoint(20, 20));
    }
}

void TestMevario::Procedi() { QTest::mouseClick(S()->btnNuovo, Qt::LeftButton, {}, QPoint(60, 30)); }

void TestMevario::mainWindowAndItsMenus()
{
    QCOMPARE(M()->size(), QSize(767, 645));
    QCOMPARE(M()->Label2->text(), QStringLiteral("Mevario"));
    // The title says "Mevario" once; the product label tells what it is.
    int mevario = 0;
    for (const QLabel* l : M()->findChildren<QLabel*>())
        mevario += !l->isHidden() && l->text().contains(QLatin1String("Mevario"));
    QCOMPARE(mevario, 1);
    QVERIFY(M()->Label1->toolTip().startsWith(QStringLiteral("Mevario ")));
    // Entries: 50 high, 200 or 250 wide; separators 20.
    const auto& v = M()->pmProdotto->Voci();
    QCOMPARE(int(v.size()), 5);
    QCOMPARE(v[0]->text(), QStringLiteral("Prodotto: Concetto"));
    QCOMPARE(TVoceMenu::Misura(v[0]->text(), false), QSize(250, 50));
    QCOMPARE(TVoceMenu::Misura(QStringLiteral("Somma: Concetto"), false), QSize(200, 50));
    QVERIFY(v[2]->Separatore());
    QCOMPARE(v[2]->height(), 20);
    // Topics not built yet: entries present and disabled.
    QVERIFY(v[0]->isEnabled());
    QVERIFY(M()->pmDivisione->Voci()[0]->isEnabled());
    QVERIFY(M()->pmSomma->Voci()[0]->isEnabled());
    // The menu pops up below its button, 30 pixels to the right.
    M()->ApriMenu(M()->btSomma, M()->pmSomma);
    const QPoint atteso = M()->mapToGlobal(QPoint(M()->btSomma->x() + 30, M()->btSomma->geometry().bottom() + 1));
    // (the offscreen platform may add a frame of a couple of pixels)
    QVERIFY((M()->pmSomma->frameGeometry().topLeft() - atteso).manhattanLength() <= 4);
    QTest::keyClick(M()->pmSomma, Qt::Key_Escape);
    QVERIFY(!M()->pmSomma->isVisible());
}

void TestMevario::openTheSumOnEachPage()
{
    ApriSomma(false);
    QVERIFY(S()->isVisible());
    QVERIFY(S()->isModal());
    QCOMPARE(S()->Notebook1->currentWidget(), S()->PaginaConcetto);
    QCOMPARE(S()->lblTitolo->text(), QStringLiteral("Concetto"));
    QCOMPARE(S()->btEseAppr->text(), QStringLiteral("Esercizi"));
    QVERIFY(!S()->btnNuovo->isEnabled());
    QVERIFY(!S()->pnlRisp->isVisible());
    QVERIFY(S()->PaintBox1->Valida() && S()->PaintBox2->Valida());
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QVERIFY(!S()->isVisible());
    const int prima = M()->Riseminati();
    M()->activateWindow();
    QTRY_VERIFY(M()->Riseminati() > prima); // reseeded when the main window is active again

    ApriSomma(true);
    QCOMPARE(S()->Notebook1->currentWidget(), S()->PaginaEsercizi);
    QCOMPARE(S()->lblTitolo->text(), QStringLiteral("Esercizi"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(S()->btnNuovo->isEnabled());
    QVERIFY(S()->pnlRisp->isVisible());
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("0"));
    QVERIFY(!S()->TestoEsercizio.empty());
    QCOMPARE(S()->PBEsercizi->Formula(), S()->TestoEsercizio);
}

void TestMevario::rightAnswerThroughTheKeypad()
{
    ApriSomma(true);
    const std::string risposta = RispostaGiusta(*S());
    Digita(risposta);
    QCOMPARE(S()->EditRisp->text(), QString::fromStdString(risposta));
    // Drawn live at every key.
    QCOMPARE(S()->PBRisp->Formula(), FormaFormula(risposta));
    Procedi();
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(S()->lblErrori->text(), QStringLiteral("0"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Nuovo"));
    QCOMPARE(Colore(S()->pnlRisp), TFinestraEsercizi::ColorePannelli());
    const std::string vecchio = S()->TestoEsercizio;
    Procedi(); // "Nuovo"
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(S()->EditRisp->text().isEmpty());
    QVERIFY(S()->PBRisp->Formula().empty());
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("1"));
    Q_UNUSED(vecchio);
}

void TestMevario::rightAnswerThroughTheKeyboard()
{
    ApriSomma(true);
    const std::string risposta = RispostaGiusta(*S());
    QTest::keyClicks(S()->EditRisp, QString::fromStdString(risposta));
    QCOMPARE(S()->PBRisp->Formula(), FormaFormula(risposta));
    Procedi();
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Nuovo"));
}

void TestMevario::wrongAnswerKeepsTheExercise()
{
    ApriSomma(true);
    const std::string esercizio = S()->TestoEsercizio;
    QTest::keyClicks(S()->EditRisp, QStringLiteral("999x^9"));
    Procedi();
    QCOMPARE(S()->lblErrori->text(), QStringLiteral("1"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Procedi"));
    QCOMPARE(S()->TestoEsercizio, esercizio);
    QCOMPARE(S()->EditRisp->text(), QStringLiteral("999x^9"));
    // Corrected: one error, then one right answer.
    S()->EditRisp->clear();
    QTest::keyClicks(S()->EditRisp, QString::fromStdString(RispostaGiusta(*S())));
    Procedi();
    QCOMPARE(S()->lblErrori->text(), QStringLiteral("1"));
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("1"));
}

void TestMevario::pageButtonTwiceGivesANewExercise()
{
    ApriSomma(true);
    QTest::keyClicks(S()->EditRisp, QStringLiteral("1x"));
    Procedi();
    const QString errori = S()->lblErrori->text();
    // Drawn from a known seed, the next exercises differ from this one.
    std::set<std::string> visti{S()->TestoEsercizio};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(S()->btEseAppr, Qt::LeftButton, {}, QPoint(60, 30));
        QCOMPARE(S()->Notebook1->currentWidget(), S()->PaginaConcetto);
        QTest::mouseClick(S()->btEseAppr, Qt::LeftButton, {}, QPoint(60, 30));
        QCOMPARE(S()->Notebook1->currentWidget(), S()->PaginaEsercizi);
        visti.insert(S()->TestoEsercizio);
        QCOMPARE(S()->lblErrori->text(), errori);
        QVERIFY(S()->EditRisp->text().isEmpty());
    }
    QVERIFY(visti.size() >= 3);
}

void TestMevario::unreadableAnswerChangesNothing()
{
    ApriSomma(true);
    FErrori.clear();
    QTest::keyClicks(S()->EditRisp, QStringLiteral("2-3x"));
    const std::string esercizio = S()->TestoEsercizio;
    Procedi();
    QCOMPARE(FErrori, QStringList{QStringLiteral("'2-3' is not a valid integer value")});
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("0"));
    QCOMPARE(S()->lblErrori->text(), QStringLiteral("0"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Procedi"));
    QCOMPARE(S()->EditRisp->text(), QStringLiteral("2-3x"));
    QCOMPARE(S()->TestoEsercizio, esercizio);
    // A zero denominator is reported the same way.
    S()->EditRisp->clear();
    QTest::keyClicks(S()->EditRisp, QStringLiteral("4/0x"));
    Procedi();
    QCOMPARE(FErrori.last(), QStringLiteral("Floating point division by zero"));
    QCOMPARE(S()->lblErrori->text(), QStringLiteral("0"));
}

void TestMevario::doubleClickOnProcediCountsOnce()
{
    ApriSomma(true);
    QTest::keyClicks(S()->EditRisp, QString::fromStdString(RispostaGiusta(*S())));
    bool durante = false;
    QTimer::singleShot(300, [&] {
        durante = S()->InVerifica();
        Procedi(); // while the panel flashes
        Procedi();
    });
    Procedi();
    QVERIFY(durante);
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Nuovo"));
    // "Esci" still works during a flash, and cuts it short.
    S()->btnNuovo->setText(QStringLiteral("Procedi"));
    QElapsedTimer t;
    t.start();
    QTimer::singleShot(200, [&] { QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30)); });
    Procedi();
    QVERIFY(t.elapsed() < 1200);
    QVERIFY(!S()->isVisible());
}

void TestMevario::esciAddsTheCountersToTheTallies()
{
    TSchedaPol* s = TSchedaPol::Istanza();
    ApriSomma(true);
    const int giuste0 = s->Valore("E_MON_SOMDIF"), sbagliate0 = s->Valore("S_MON_SOMDIF");
    for (int i = 0; i < 2; ++i) {
        QTest::keyClicks(S()->EditRisp, QString::fromStdString(RispostaGiusta(*S())));
        Procedi();
        Procedi(); // "Nuovo"
    }
    QTest::keyClicks(S()->EditRisp, QStringLiteral("5x^7"));
    Procedi();
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("2"));
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(s->Valore("E_MON_SOMDIF"), giuste0 + 2);
    QCOMPARE(s->Valore("S_MON_SOMDIF"), sbagliate0 + 1);
    QVERIFY(Chiusura);
    // Shown again: counters from 0, and a second visit adds once more.
    ApriSomma(true);
    QVERIFY(!Chiusura);
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("0"));
    QTest::keyClicks(S()->EditRisp, QStringLiteral("5x^7"));
    Procedi();
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(s->Valore("E_MON_SOMDIF"), giuste0 + 2);
    QCOMPARE(s->Valore("S_MON_SOMDIF"), sbagliate0 + 2);
    // Opened again while still open: nothing of the visit is lost.
    ApriSomma(true);
    QTest::keyClicks(S()->EditRisp, QStringLiteral("5x^7"));
    Procedi();
    S()->Apri(false);
    QCOMPARE(S()->lblErrori->text(), QStringLiteral("0"));
    QCOMPARE(s->Valore("S_MON_SOMDIF"), sbagliate0 + 3);
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(s->Valore("S_MON_SOMDIF"), sbagliate0 + 3);
}

void TestMevario::accessibleNames()
{
    ApriSomma(true);
    QCOMPARE(S()->EditRisp->accessibleName(), QStringLiteral("Risposta"));
    QCOMPARE(S()->lblEsatte->accessibleName(), QStringLiteral("Risposte esatte: 0"));
    QCOMPARE(S()->lblErrori->accessibleName(), QStringLiteral("Errori: 0"));
    QVERIFY(!S()->PBEsercizi->accessibleName().isEmpty());
    QCOMPARE(S()->PBEsercizi->accessibleDescription(), QString::fromStdString(S()->TestoEsercizio));
    QTest::keyClicks(S()->EditRisp, QStringLiteral("-2/5xy"));
    QCOMPARE(S()->PBRisp->accessibleName(), QStringLiteral("−(2/5)xy"));
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
}

void TestMevario::topicMenusOpenTheirWindows()
{
    struct Voce {
        TDsFancyButton* bottone;
        TMenuArgomento* menu;
        int indice;
        TFinestraEsercizi* finestra;
        bool esercizi;
    };
    const Voce voci[] = {
        {M()->btDefMon, M()->pmDefinizione, 0, FFinestre->frmConcetto.get(), false},
        {M()->btDefMon, M()->pmDefinizione, 1, FFinestre->frmConcetto.get(), true},
        {M()->btProdottoMon, M()->pmProdotto, 0, FFinestre->frmProdottoMon.get(), false},
        {M()->btProdottoMon, M()->pmProdotto, 1, FFinestre->frmProdottoMon.get(), true},
        {M()->btProdottoMon, M()->pmProdotto, 3, FFinestre->frmPotenzaMon.get(), false},
        {M()->btProdottoMon, M()->pmProdotto, 4, FFinestre->frmPotenzaMon.get(), true},
        {M()->btQuoziente, M()->pmQuoziente, 0, FFinestre->frmQuozienteMon.get(), false},
        {M()->btQuoziente, M()->pmQuoziente, 1, FFinestre->frmQuozienteMon.get(), true},
        {M()->DsFancyButton1, M()->pmmcd, 0, FFinestre->frmMcdMon.get(), false},
        {M()->DsFancyButton1, M()->pmmcd, 1, FFinestre->frmMcdMon.get(), true},
        {M()->DsFancyButton1, M()->pmmcd, 3, FFinestre->frmMcmMon.get(), false},
        {M()->DsFancyButton1, M()->pmmcd, 4, FFinestre->frmMcmMon.get(), true},
        {M()->btDefPol, M()->pmDefPol, 0, FFinestre->frmPolConcetto.get(), false},
        {M()->btDefPol, M()->pmDefPol, 1, FFinestre->frmPolConcetto.get(), true},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 0, FFinestre->frmSommaPol.get(), false},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 1, FFinestre->frmSommaPol.get(), true},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 3, FFinestre->frmDiffPol.get(), false},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 4, FFinestre->frmDiffPol.get(), true},
        {M()->btProdottoPol, M()->pmProdottoPol, 0, FFinestre->frmProdottoPol.get(), false},
        {M()->btProdottoPol, M()->pmProdottoPol, 1, FFinestre->frmProdottoPol.get(), true},
        {M()->btDaf, M()->pmDivisione, 0, FFinestre->frmDivisionePol.get(), false},
        {M()->btDaf, M()->pmDivisione, 1, FFinestre->frmDivisionePol.get(), true},
    };
    for (const Voce& v : voci) {
        M()->ApriMenu(v.bottone, v.menu);
        QTest::mouseClick(v.menu->Voci()[static_cast<std::size_t>(v.indice)], Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(v.finestra));
        QCOMPARE(v.finestra->lblTitolo->text(), v.esercizi ? QStringLiteral("Esercizi") : QStringLiteral("Concetto"));
        if (v.finestra != FFinestre->frmDivisionePol.get()) {
            QCOMPARE(v.finestra->Notebook1->currentWidget(), v.esercizi ? v.finestra->PaginaEsercizi : v.finestra->PaginaConcetto);
            QCOMPARE(v.finestra->btnNuovo->isEnabled(), v.esercizi);
        } else {
            QVERIFY(!v.finestra->isModal()); // the main window stays usable
        }
        QTest::mouseClick(v.finestra->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
        QVERIFY(!v.finestra->isVisible());
    }
}

void TestMevario::schedaAndStampaWriteTheirDocuments()
{
    FErrori.clear();
    QStringList consegnati;
    TQuibWord::ImpostaConsegna([&](const QString& f) {
        consegnati << f;
        return true;
    });
    QVERIFY(M()->btScheda->isEnabled());
    QTest::mouseClick(M()->btScheda, Qt::LeftButton, {}, QPoint(60, 25));
    QCOMPARE(consegnati.size(), 1);
    QFile f(consegnati[0]);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray scheda = f.readAll();
    const QByteArray atteso = "text:name=\"E_MON_SOMDIF\"/>" + QByteArray::number(TSchedaPol::Istanza()->Valore("E_MON_SOMDIF"));
    QVERIFY2(scheda.contains(atteso), atteso.constData());
    // "Stampa" on the exercise page: the window's picture in the window sheet.
    ApriSomma(false);
    QVERIFY(!S()->btnStampa->isVisible());
    S()->btEseAppr->click();
    QVERIFY(S()->btnStampa->isVisible());
    QTest::mouseClick(S()->btnStampa, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(consegnati.size(), 2);
    QFile g(consegnati[1]);
    QVERIFY(g.open(QIODevice::ReadOnly));
    QVERIFY(g.readAll().contains("<draw:image"));
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    for (const QString& c : consegnati)
        QDir(QFileInfo(c).absolutePath()).removeRecursively();
    TQuibWord::ImpostaConsegna({});
    QVERIFY(FErrori.isEmpty());
}

void TestMevario::lavagnaOpensFromEveryExercisePage()
{
    TfrmLavagna* l = FFinestre->frmLavagna.get();
    for (TFinestraEsercizi* w : std::initializer_list<TFinestraEsercizi*>{S(), FFinestre->frmProdottoPol.get(), FFinestre->frmDivisionePol.get()}) {
        M()->Apri(w, true);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(w->btnLavagna->isEnabled());
        QTest::mouseClick(w->btnLavagna, Qt::LeftButton, {}, QPoint(40, 15));
        QVERIFY(l->isVisible());
        QVERIFY(w->isVisible()); // the exercise stays open beside it
        l->close();
        QTest::mouseClick(w->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    }
}

void TestMevario::menusHighlightOneEntryAndStayOnScreen()
{
    TMenuArgomento* m = M()->pmProdotto;
    // Opened with the mouse: nothing highlighted until the pointer is on an entry.
    m->Mostra(M()->mapToGlobal(QPoint(100, 100)), false);
    QVERIFY(m->isVisible());
    QCOMPARE(m->Evidenziata(), nullptr);
    QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(m->Voci()[1], &entra);
    QCOMPARE(m->Evidenziata(), m->Voci()[1]);
    QApplication::sendEvent(m->Voci()[3], &entra);
    QCOMPARE(m->Evidenziata(), m->Voci()[3]);
    int evidenziate = 0;
    for (TVoceMenu* v : m->Voci())
        evidenziate += v->Evidenziata();
    QCOMPARE(evidenziate, 1);
    // The arrow keys move the one highlight, skipping the separator.
    QTest::keyClick(m, Qt::Key_Up);
    QCOMPARE(m->Evidenziata(), m->Voci()[1]);
    QTest::keyClick(m, Qt::Key_Escape);
    // From the keyboard the first entry is highlighted.
    m->Mostra(M()->mapToGlobal(QPoint(100, 100)), true);
    QCOMPARE(m->Evidenziata(), m->Voci()[0]);
    QTest::keyClick(m, Qt::Key_Escape);
    // Near the bottom of the screen the menu moves up to stay on it.
    const QRect schermo = QGuiApplication::primaryScreen()->availableGeometry();
    M()->pmmcd->Mostra(QPoint(schermo.left() + 10, schermo.bottom() - 20), false);
    QVERIFY(schermo.contains(M()->pmmcd->frameGeometry().adjusted(2, 2, -2, -2)));
    QTest::keyClick(M()->pmmcd, Qt::Key_Escape);
    QVERIFY(m->Voci()[2]->Separatore());
}

void TestMevario::keyboardAloneWorksAnExercise()
{
    ApriSomma(true);
    QCOMPARE(S()->windowTitle(), QStringLiteral("Somma di monomi - Esercizi"));
    QVERIFY(!S()->windowIcon().isNull());
    QVERIFY(!QApplication::windowIcon().pixmap(48, 48).isNull());
    // The typed answer, then Enter: "Procedi"; Enter again: "Nuovo".
    QTest::keyClicks(S()->EditRisp, QString::fromStdString(RispostaGiusta(*S())));
    QTest::keyClick(S()->EditRisp, Qt::Key_Return);
    QCOMPARE(S()->lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Nuovo"));
    const std::string prima = S()->TestoEsercizio;
    QTest::keyClick(S()->EditRisp, Qt::Key_Return);
    QCOMPARE(S()->btnNuovo->text(), QStringLiteral("Procedi"));
    Q_UNUSED(prima);
    // The preview shows what the check reads: spaces left out.
    S()->EditRisp->clear();
    QTest::keyClicks(S()->EditRisp, QStringLiteral("-13 y"));
    QCOMPARE(S()->PBRisp->Formula(), std::string("-13*y"));
    // Every button takes the focus from the keyboard.
    for (TDsFancyButton* b : {S()->btnChiudi, S()->btnStampa, S()->btEseAppr, S()->btnNuovo, S()->DsFancyButton1, S()->btnLavagna})
        QCOMPARE(b->focusPolicy(), Qt::TabFocus);
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
}

void TestMevario::formulasAreNeverCut()
{
    TFormulaBox box;
    box.resize(537, 57);
    // Bracketed negative fractions make a formula taller than the box.
    box.SetFormula("-(3/4)*x^2*y&string(  +  )&(-(2/5))*x^2*y&string(  +  )&(-(7/8))*x^2*y");
    const int punti = box.PuntiUsati();
    QVERIFY(punti < 20 && punti >= 12);
    QVERIFY(MisuraFormula(box.Formula(), TFormulaVariant::PaintBoxCentered, box.logicalDpiY(), punti).height() <= 57);
    // A formula that fits is drawn at its own size.
    box.SetFormula("3*x^2*y");
    QCOMPARE(box.PuntiUsati(), 20);
}

void TestMevario::errorsSpeakItalian()
{
    QCOMPARE(TestoPerAlunno(ErroreConversione("2-3")),
             QStringLiteral("Non riesco a leggere il coefficiente «2-3»: scrivi un numero intero o una frazione come 3/4."));
    QCOMPARE(TestoPerAlunno(ErroreDivisionePerZero()), QStringLiteral("Il denominatore non può essere zero."));
    QCOMPARE(TestoPerAlunno(ErroreOperazioneNonValida()), QStringLiteral("Il denominatore non può essere zero."));
    QCOMPARE(TestoPerAlunno(std::runtime_error("altro")), QStringLiteral("altro"));
}

void TestMevario::exercisesToPrintFromTheMainWindow()
{
    QStandardPaths::setTestModeEnabled(true);
    QStringList aperti;
    TdlgEserciziStampa::ImpostaApertura([&aperti](const QString& f) {
        aperti << f;
        return true;
    });
    // The main window's button opens the dialog, modal; "Annulla" writes nothing.
    bool visto = false;
    QTimer::singleShot(0, this, [&visto] {
        auto* d = qobject_cast<TdlgEserciziStampa*>(QApplication::activeModalWidget());
        visto = d != nullptr;
        if (d)
            d->btAnnulla->click();
    });
    M()->btEserciziStampa->click();
    QVERIFY(visto);
    QVERIFY(aperti.isEmpty());

    TdlgEserciziStampa d;
    QCOMPARE(d.Argomenti.size(), ArgomentiScheda().size());
    QVERIFY(!d.btScrivi->isEnabled()); // nothing chosen yet
    d.Argomenti[1]->setChecked(true);  // somma-monomi
    d.Argomenti.back()->setChecked(true); // the division
    QVERIFY(d.btScrivi->isEnabled());
    d.spQuanti->setValue(2);
    const TRichiestaScheda r = d.Richiesta();
    QCOMPARE(r.argomenti, (std::vector<std::string>{"somma-monomi", kArgomentoDivisione}));
    QCOMPARE(r.quanti, 2);
    QVERIFY(r.soluzioni);
    d.btScrivi->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(aperti.size(), 1);
    QFile pdf(aperti[0]);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QCOMPARE(QFileInfo(aperti[0]).absolutePath(),
             QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).absolutePath());
    // A second sheet in the same second gets a name of its own.
    QVERIFY(NomeSchedaNuova(QFileInfo(aperti[0]).absolutePath()) != aperti[0] ||
            !QFileInfo::exists(aperti[0]));
    // No viewer: the pupil is told where the sheet is.
    FErrori.clear();
    TdlgEserciziStampa::ImpostaApertura([](const QString&) { return false; });
    TdlgEserciziStampa d2;
    d2.Argomenti[0]->setChecked(true);
    const QString f2 = d2.Scrivi();
    QVERIFY(QFileInfo::exists(f2));
    QVERIFY(f2 != aperti[0]);
    QCOMPARE(FErrori.size(), 1);
    QVERIFY(FErrori[0].contains(f2));
    QFile::remove(aperti[0]);
    QFile::remove(f2);
    TdlgEserciziStampa::ImpostaApertura({});
}

QTEST_MAIN(TestMevario)
#include "test_mevario.moc"
