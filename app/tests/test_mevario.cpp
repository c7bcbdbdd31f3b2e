// Mevario driven as a pupil drives it: the main window's menus, the sum of
// monomials on both pages, answers typed on the keypad and the keyboard,
// the counters, the flashes and the tallies of the results record.
#include <QAccessible>
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
#include <QSettings>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QDate>
#include "Documenti.h"
#include "UDsFancyButton.h"
#include "Errori.h"
#include "EserciziStampa.h"
#include "Finestra.h"
#include <QWindow>
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

// A wrong answer counted by the window's lesson, as a wrong grid would be
// (no record is open here: nothing is kept).
void UnaSbagliata(TFinestraEsercizi* w)
{
    TGiudizio g;
    g.esito = TEsito::Sbagliata;
    w->Lezione().Concludi(g, QString(), QString());
}

} // namespace

class TestMevario : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { FFinestre.reset(); }
    void windowsAreCreatedAtFirstUse();
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
    void schedaCountsTheWindowsStillOpen();
    void lavagnaOpensFromEveryExercisePage();
    void menusHighlightOneEntryAndStayOnScreen();
    void menuPlacement();
    void openMenuIsSeenByScreenReaders();
    void clickOnItsButtonOnlyClosesTheMenu();
    void keyboardAloneWorksAnExercise();
    void formulasAreNeverCut();
    void everyFixedFormulaAtFullSize();
    void errorsSpeakItalian();
    void exercisesToPrintFromTheMainWindow();
    void topicWindowsBelongToTheMainWindowAndOpenOverIt();
    void lavagnaTakesInputThroughItsWindowWhileTheExerciseIsModal();
    void esciEndsTheProgramWithTheDivisionOpen();

private:
    void ApriSomma(bool esercizi);
    void Digita(const std::string& testo);
    void Procedi();
    TfrmSommaMon* S() { return FFinestre->frmSommaMon(); }
    TfrmMain* M() { return FFinestre->frmMain(); }

    std::unique_ptr<TFinestre> FFinestre;
    QStringList FErrori;
    QTemporaryDir FCasa; // HOME: the documents go to its Documents/Mevario
};

void TestMevario::initTestCase()
{
    QVERIFY(FCasa.isValid());
    qputenv("HOME", QFile::encodeName(FCasa.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FCasa.filePath(QStringLiteral(".config"))));
    FFinestre = Avvia();
    ImpostaGestoreErrori([this](const QString& m) { FErrori << m; });
    M()->show();
    QVERIFY(QTest::qWaitForWindowExposed(M()));
    QVERIFY(TSchedaPol::Istanza()); // created when the main window was first shown
}

void TestMevario::windowsAreCreatedAtFirstUse()
{
    // Start-up makes the main window only.
    for (const char* classe : {"TfrmConcetto", "TfrmSommaMon", "TfrmProdottoMon", "TfrmPotenzaMon", "TfrmQuozienteMon",
                               "TfrmMcdMon", "TfrmMcmMon", "TfrmPolConcetto", "TfrmSommaPol", "TfrmDiffPol",
                               "TfrmProdottoPol", "TfrmDivisionePol"})
        QVERIFY2(!FFinestre->ArgomentoSeCreato(classe), classe);
    QVERIFY(!FFinestre->LavagnaSeCreata());
    QVERIFY(!Tfrmcomune::Istanza());
    QVERIFY(M()->findChildren<TdlgEserciziStampa*>().isEmpty());
    QVERIFY(!FFinestre->Argomento("TfrmNessuno"));
    // The first entry that opens a topic makes its window (and the common
    // window whose keypad it borrows); later ones find the same window.
    M()->ApriMenu(M()->btQuoziente, M()->pmQuoziente);
    QTest::mouseClick(M()->pmQuoziente->Voci()[0], Qt::LeftButton);
    TFinestraEsercizi* q = FFinestre->ArgomentoSeCreato("TfrmQuozienteMon");
    QVERIFY(q);
    QVERIFY(Tfrmcomune::Istanza());
    QVERIFY(QTest::qWaitForWindowExposed(q));
    QCOMPARE(q->parentWidget(), M());
    QVERIFY(q->isWindow());
    QVERIFY(!FFinestre->ArgomentoSeCreato("TfrmSommaMon")); // only what was asked for
    QTest::mouseClick(q->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    M()->ApriMenu(M()->btQuoziente, M()->pmQuoziente);
    QTest::mouseClick(M()->pmQuoziente->Voci()[1], Qt::LeftButton);
    QCOMPARE(FFinestre->ArgomentoSeCreato("TfrmQuozienteMon"), q);
    QCOMPARE(FFinestre->frmQuozienteMon(), q);
    QCOMPARE(q->lblTitolo->text(), QStringLiteral("Esercizi"));
    QTest::mouseClick(q->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QVERIFY(!q->isVisible());
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
    QCOMPARE(M()->size(), QSize(767, 707));
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
    QVERIFY(!S()->PBEsercizi->NomeAccessibile().isEmpty());
    QVERIFY(!S()->PBEsercizi->NomeAccessibile().contains(QLatin1Char('^')));
    QVERIFY(!S()->PBEsercizi->DescrizioneAccessibile().isEmpty());
    QTest::keyClicks(S()->EditRisp, QStringLiteral("-2/5xy"));
    QCOMPARE(S()->PBRisp->NomeAccessibile(), QStringLiteral("meno due quinti ics ipsilon"));
    QCOMPARE(S()->PBRisp->DescrizioneAccessibile(), QStringLiteral("−(2/5)xy"));
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
        {M()->btDefMon, M()->pmDefinizione, 0, FFinestre->frmConcetto(), false},
        {M()->btDefMon, M()->pmDefinizione, 1, FFinestre->frmConcetto(), true},
        {M()->btProdottoMon, M()->pmProdotto, 0, FFinestre->frmProdottoMon(), false},
        {M()->btProdottoMon, M()->pmProdotto, 1, FFinestre->frmProdottoMon(), true},
        {M()->btProdottoMon, M()->pmProdotto, 3, FFinestre->frmPotenzaMon(), false},
        {M()->btProdottoMon, M()->pmProdotto, 4, FFinestre->frmPotenzaMon(), true},
        {M()->btQuoziente, M()->pmQuoziente, 0, FFinestre->frmQuozienteMon(), false},
        {M()->btQuoziente, M()->pmQuoziente, 1, FFinestre->frmQuozienteMon(), true},
        {M()->DsFancyButton1, M()->pmmcd, 0, FFinestre->frmMcdMon(), false},
        {M()->DsFancyButton1, M()->pmmcd, 1, FFinestre->frmMcdMon(), true},
        {M()->DsFancyButton1, M()->pmmcd, 3, FFinestre->frmMcmMon(), false},
        {M()->DsFancyButton1, M()->pmmcd, 4, FFinestre->frmMcmMon(), true},
        {M()->btDefPol, M()->pmDefPol, 0, FFinestre->frmPolConcetto(), false},
        {M()->btDefPol, M()->pmDefPol, 1, FFinestre->frmPolConcetto(), true},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 0, FFinestre->frmSommaPol(), false},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 1, FFinestre->frmSommaPol(), true},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 3, FFinestre->frmDiffPol(), false},
        {M()->btSommaEDIffPol, M()->pmSommaEDiffPol, 4, FFinestre->frmDiffPol(), true},
        {M()->btProdottoPol, M()->pmProdottoPol, 0, FFinestre->frmProdottoPol(), false},
        {M()->btProdottoPol, M()->pmProdottoPol, 1, FFinestre->frmProdottoPol(), true},
        {M()->btDaf, M()->pmDivisione, 0, FFinestre->frmDivisionePol(), false},
        {M()->btDaf, M()->pmDivisione, 1, FFinestre->frmDivisionePol(), true},
    };
    for (const Voce& v : voci) {
        M()->ApriMenu(v.bottone, v.menu);
        QTest::mouseClick(v.menu->Voci()[static_cast<std::size_t>(v.indice)], Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(v.finestra));
        QCOMPARE(v.finestra->lblTitolo->text(), v.esercizi ? QStringLiteral("Esercizi") : QStringLiteral("Concetto"));
        if (v.finestra != FFinestre->frmDivisionePol()) {
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
    // Both in Documents/Mevario, named after what they hold.
    const QString documenti = FCasa.filePath(QStringLiteral("Documents/Mevario"));
    QCOMPARE(QFileInfo(consegnati[0]).absolutePath(), documenti);
    QCOMPARE(QFileInfo(consegnati[1]).absolutePath(), documenti);
    QVERIFY(QFileInfo(consegnati[0]).fileName().startsWith(QStringLiteral("Risultati 20")));
    QVERIFY(QFileInfo(consegnati[1]).fileName().startsWith(QStringLiteral("Somma di monomi 20")));
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    for (const QString& c : consegnati)
        QDir(QFileInfo(c).absolutePath()).removeRecursively();
    TQuibWord::ImpostaConsegna({});
    QVERIFY(FErrori.isEmpty());
}

void TestMevario::schedaCountsTheWindowsStillOpen()
{
    FErrori.clear();
    QStringList consegnati;
    TQuibWord::ImpostaConsegna([&](const QString& f) {
        consegnati << f;
        return true;
    });
    const auto sbagliateDivisione = [&](int i) {
        QFile f(consegnati[i]);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray t = f.readAll();
        const QByteArray segno = "text:name=\"S_POL_DIV\"/>";
        const qsizetype k = t.indexOf(segno);
        return k < 0 ? -1 : t.mid(k + segno.size(), t.indexOf('<', k + segno.size()) - k - segno.size()).toInt();
    };
    // The division, not modal, open beside the main window with one error.
    M()->ApriMenu(M()->btDaf, M()->pmDivisione);
    QTest::mouseClick(M()->pmDivisione->Voci()[1], Qt::LeftButton);
    TFinestraEsercizi* divisione = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<TFinestraEsercizi*>(w); f && f->isVisible() && QByteArray(f->TallySbagliate()) == "S_POL_DIV")
            divisione = f;
    QVERIFY(divisione);
    const int prima = TSchedaPol::Istanza()->Valore("S_POL_DIV");
    UnaSbagliata(divisione);
    QTest::mouseClick(M()->btScheda, Qt::LeftButton, {}, QPoint(60, 25));
    QCOMPARE(consegnati.size(), 1);
    QCOMPARE(sbagliateDivisione(0), prima + 1);
    QCOMPARE(TSchedaPol::Istanza()->Valore("S_POL_DIV"), prima); // the visit is not over
    // Closing adds the visit once: a later sheet has the same total.
    QTest::mouseClick(divisione->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QVERIFY(!divisione->isVisible());
    QCOMPARE(TSchedaPol::Istanza()->Valore("S_POL_DIV"), prima + 1);
    QTest::mouseClick(M()->btScheda, Qt::LeftButton, {}, QPoint(60, 25));
    QCOMPARE(consegnati.size(), 2);
    QCOMPARE(sbagliateDivisione(1), prima + 1);
    TQuibWord::ImpostaConsegna({});
    QVERIFY(FErrori.isEmpty());
}

void TestMevario::lavagnaOpensFromEveryExercisePage()
{
    TfrmLavagna* l = FFinestre->frmLavagna();
    for (TFinestraEsercizi* w : std::initializer_list<TFinestraEsercizi*>{S(), FFinestre->frmProdottoPol(), FFinestre->frmDivisionePol()}) {
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
    m->Mostra(M()->btProdottoMon, false);
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
    m->Mostra(M()->btProdottoMon, true);
    QCOMPARE(m->Evidenziata(), m->Voci()[0]);
    QTest::keyClick(m, Qt::Key_Escape);
    QVERIFY(!m->isVisible());
    QVERIFY(m->Voci()[2]->Separatore());
    // One menu open at a time.
    M()->ApriMenu(M()->btSomma, M()->pmSomma);
    M()->ApriMenu(M()->btDaf, M()->pmDivisione);
    QVERIFY(!M()->pmSomma->isVisible());
    QVERIFY(M()->pmDivisione->isVisible());
    QTest::keyClick(M()->pmDivisione, Qt::Key_Escape);
    // Opened at its button, the menu stays on the screen and off the button.
    const QRect schermo = M()->btProdottoMon->screen()->availableGeometry();
    for (TDsFancyButton* b : {M()->DsFancyButton1, M()->btDaf, M()->btDefMon}) {
        M()->ApriMenu(b, M()->pmmcd);
        const QRect g = M()->pmmcd->geometry();
        QVERIFY(schermo.contains(g));
        QVERIFY(!g.intersects(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())));
        QTest::keyClick(M()->pmmcd, Qt::Key_Escape);
    }
}

void TestMevario::menuPlacement()
{
    const QSize mcd(252, 222); // "MCD e mcm": four entries and a separator
    // Room below: under the button, 30 pixels to the right.
    QCOMPARE(TMenuArgomento::Posizione(QRect(387, 281, 234, 46), mcd, QRect(0, 0, 1366, 768)), QPoint(417, 327));
    // "MCD e mcm" of the main window centred on 1024 x 768: no room below,
    // so above, off its button.
    const QRect s1024(0, 0, 1024, 768);
    const QRect bottone(216, 529, 234, 46);
    const QPoint p = TMenuArgomento::Posizione(bottone, mcd, s1024);
    QCOMPARE(p, QPoint(246, 529 - 222));
    QVERIFY(!QRect(p, mcd).intersects(bottone));
    // Exactly room below (the menu's last row on the screen's last row), and one row short.
    QCOMPARE(TMenuArgomento::Posizione(QRect(100, 500, 234, 46), mcd, s1024).y(), 546);
    QCOMPARE(TMenuArgomento::Posizione(QRect(100, 501, 234, 46), mcd, s1024).y(), 501 - 222);
    // Room neither below nor above (a panel takes the top): beside the
    // button, right of it or else left of it.
    const QRect basso(0, 32, 1024, 400);
    QCOMPARE(TMenuArgomento::Posizione(QRect(100, 200, 234, 46), mcd, basso), QPoint(334, 200));
    QCOMPARE(TMenuArgomento::Posizione(QRect(700, 200, 234, 46), mcd, basso), QPoint(448, 200));
    QCOMPARE(TMenuArgomento::Posizione(QRect(100, 230, 234, 46), mcd, basso), QPoint(334, 210));
    // Near the right edge: moved left to stay on the screen.
    QCOMPARE(TMenuArgomento::Posizione(QRect(900, 100, 120, 46), mcd, s1024), QPoint(1024 - 252, 146));
}

void TestMevario::openMenuIsSeenByScreenReaders()
{
    TMenuArgomento* m = M()->pmSomma;
    QCOMPARE(m->windowType(), Qt::Popup);
    QAccessibleInterface* main = QAccessible::queryAccessibleInterface(M());
    const int chiuso = main->childCount();
    M()->ApriMenu(M()->btSomma, m);
    QCOMPARE(m->windowHandle()->transientParent(), M()->windowHandle());
    // The open menu is the main window's last child, and its parent is the main window.
    QCOMPARE(main->childCount(), chiuso + 1);
    QAccessibleInterface* menu = main->child(chiuso);
    QVERIFY(menu);
    QCOMPARE(menu->object(), m);
    QCOMPARE(menu->role(), QAccessible::PopupMenu);
    QCOMPARE(menu->parent(), main);
    QCOMPARE(main->indexOfChild(menu), chiuso);
    QCOMPARE(menu->childCount(), 2);
    QAccessibleInterface* esercizi = menu->child(1);
    QCOMPARE(esercizi->role(), QAccessible::MenuItem);
    QCOMPARE(esercizi->text(QAccessible::Name), QStringLiteral("Esercizi"));
    // The highlighted entry is the focused one.
    m->Evidenzia(nullptr);
    QVERIFY(!menu->child(0)->state().focused);
    QTest::keyClick(m, Qt::Key_Down);
    QVERIFY(menu->child(0)->state().focused);
    QVERIFY(!esercizi->state().focused);
    QTest::keyClick(m, Qt::Key_Down);
    QVERIFY(esercizi->state().focused);
    // Pressed by a screen reader, it opens the window like a click.
    QVERIFY(esercizi->actionInterface());
    QCOMPARE(esercizi->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    esercizi->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!m->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(S()));
    QCOMPARE(S()->Notebook1->currentWidget(), S()->PaginaEsercizi);
    QCOMPARE(main->childCount(), chiuso); // closed: gone from the tree
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    // Separators are separators, with nothing to press.
    M()->ApriMenu(M()->DsFancyButton1, M()->pmmcd);
    QAccessibleInterface* sep = main->child(main->childCount() - 1)->child(2);
    QCOMPARE(sep->role(), QAccessible::Separator);
    QVERIFY(sep->actionInterface()->actionNames().isEmpty());
    QTest::keyClick(M()->pmmcd, Qt::Key_Escape);
}

void TestMevario::clickOnItsButtonOnlyClosesTheMenu()
{
    TMenuArgomento* m = M()->pmSomma;
    M()->ApriMenu(M()->btSomma, m);
    // A press on the menu's own button closes it and is not handed on.
    const QPoint suBottone = m->mapFromGlobal(M()->btSomma->mapToGlobal(QPoint(20, 20)));
    QTest::mousePress(m, Qt::LeftButton, {}, suBottone);
    QVERIFY(!m->isVisible());
    QVERIFY(m->testAttribute(Qt::WA_NoMouseReplay));
    // A press elsewhere closes it and reaches what is under the pointer.
    M()->ApriMenu(M()->btSomma, m);
    QVERIFY(!m->testAttribute(Qt::WA_NoMouseReplay));
    QTest::mousePress(m, Qt::LeftButton, {}, m->mapFromGlobal(M()->btDaf->mapToGlobal(QPoint(20, 20))));
    QVERIFY(!m->isVisible());
    QVERIFY(!m->testAttribute(Qt::WA_NoMouseReplay));
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
    // A wrong answer checked with Enter: a key that changes nothing (Shift,
    // an arrow) leaves the rings round the wrong terms; a typed one redraws.
    S()->EditRisp->clear();
    QTest::keyClicks(S()->EditRisp, QStringLiteral("99/7x^9y^9z^9"));
    QTest::keyClick(S()->EditRisp, Qt::Key_Return);
    QCOMPARE(S()->Errori(), 1);
    S()->PBRisp->repaint();
    QCOMPARE(S()->PBRisp->Anelli().size(), std::size_t(1));
    QTest::keyClick(S()->EditRisp, Qt::Key_Shift);
    QTest::keyClick(S()->EditRisp, Qt::Key_Left);
    S()->PBRisp->repaint();
    QCOMPARE(S()->PBRisp->Anelli().size(), std::size_t(1));
    QTest::keyClick(S()->EditRisp, Qt::Key_End);
    QTest::keyClicks(S()->EditRisp, QStringLiteral("2"));
    S()->PBRisp->repaint();
    QVERIFY(S()->PBRisp->Anelli().empty());
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

void TestMevario::everyFixedFormulaAtFullSize()
{
    // The worked examples, help panels and headers of every window have
    // room for their formulas at the full size of their kind.
    for (QWidget* w : QApplication::allWidgets()) {
        auto* b = qobject_cast<TFormulaBox*>(w);
        if (!b || b->Formula().empty() || !b->Valida() || b->IgnoraErrori())
            continue;
        QVERIFY2(b->PuntiUsati() == FormulaPoints(b->Variant()),
                 qPrintable(b->window()->objectName() + QStringLiteral(": ") + QString::fromStdString(b->Formula())));
    }
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
    // The user's folders in a temporary one: the documents folder named by
    // user-dirs.dirs, the settings beside it.
    QTemporaryDir casa;
    QVERIFY(casa.isValid());
    const QByteArray configPrima = qgetenv("XDG_CONFIG_HOME");
    const QString config = casa.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(config));
    {
        QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DOCUMENTS_DIR=\"" + casa.filePath(QStringLiteral("Documenti")).toUtf8() + "\"\n");
    }
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    const QString cartella = casa.filePath(QStringLiteral("Documenti/Mevario"));
    QCOMPARE(CartellaDocumenti(), cartella);

    QStringList aperti;
    TdlgEserciziStampa::ImpostaApertura([&aperti](const QString& f) {
        aperti << f;
        return true;
    });
    // The main window's button opens the dialog, modal; "Chiudi" writes nothing.
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
    QVERIFY(!QFileInfo::exists(cartella));

    // Nothing remembered yet: no topic, five exercises, with the key.
    TdlgEserciziStampa d;
    QCOMPARE(d.Argomenti.size(), ArgomentiScheda().size());
    QVERIFY(!d.btScrivi->isEnabled()); // nothing chosen yet
    QCOMPARE(d.spQuanti->value(), 5);
    QVERIFY(d.cbSoluzioni->isChecked());
    QVERIFY(d.lbEsito->text().contains(cartella)); // where the sheets go, before one is written
    d.Argomenti[1]->setChecked(true);  // somma-monomi
    d.Argomenti.back()->setChecked(true); // the division
    QVERIFY(d.btScrivi->isEnabled());
    d.spQuanti->setValue(2);
    const std::optional<TRichiestaScheda> r = d.Richiesta();
    QVERIFY(r.has_value());
    QCOMPARE(r->argomenti, (std::vector<std::string>{"somma-monomi", kArgomentoDivisione}));
    QCOMPARE(r->quanti, 2);
    QVERIFY(r->soluzioni);
    d.btScrivi->click();
    // Written in Documents/Mevario under a name that says what and when, opened;
    // the dialog stays and says where, and with which seed.
    QCOMPARE(aperti.size(), 1);
    QFile pdf(aperti[0]);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QCOMPARE(QFileInfo(aperti[0]).absolutePath(), cartella);
    QVERIFY2(QFileInfo(aperti[0]).fileName().startsWith(QStringLiteral("Esercizi ") + QDate::currentDate().toString(Qt::ISODate)),
             qPrintable(aperti[0]));
    QVERIFY(d.lbEsito->text().contains(aperti[0]));
    const QRegularExpressionMatch seme = QRegularExpression(QStringLiteral("Seme (\\d+)")).match(d.lbEsito->text());
    QVERIFY2(seme.hasMatch(), qPrintable(d.lbEsito->text()));
    QVERIFY(d.edSeme->text().isEmpty()); // the next sheet is a new one...
    QVERIFY(d.edSeme->placeholderText().contains(seme.captured(1))); // ...and the last seed is shown
    // Again in the same minute: a name of its own, nothing written over.
    d.btScrivi->click();
    QCOMPARE(aperti.size(), 2);
    QVERIFY(aperti[1] != aperti[0]);
    if (QFileInfo(aperti[1]).fileName().left(25) == QFileInfo(aperti[0]).fileName().left(25)) // "Esercizi yyyy-MM-dd hh.mm"
        QVERIFY(aperti[1].endsWith(QStringLiteral(" (2).pdf")));
    QCOMPARE(QDir(cartella).entryList(QDir::Files).size(), 2);

    // The next dialog remembers the topics, the count and the key.
    d.cbSoluzioni->setChecked(false);
    d.spQuanti->setValue(3);
    d.btScrivi->click();
    QCOMPARE(aperti.size(), 3);
    {
        TdlgEserciziStampa d2;
        for (std::size_t i = 0; i < d2.Argomenti.size(); ++i)
            QCOMPARE(d2.Argomenti[i]->isChecked(), i == 1 || i + 1 == d2.Argomenti.size());
        QCOMPARE(d2.spQuanti->value(), 3);
        QVERIFY(!d2.cbSoluzioni->isChecked());
        QVERIFY(d2.btScrivi->isEnabled());
        QVERIFY(d2.edSeme->text().isEmpty());
    }

    // A seed typed is the sheet's seed; one out of range writes nothing.
    d.edSeme->setText(QStringLiteral("12345"));
    QCOMPARE(d.Richiesta()->seme, 12345u);
    d.edSeme->setText(QStringLiteral("4294967295"));
    QCOMPARE(d.Richiesta()->seme, 4294967295u);
    d.edSeme->setText(QStringLiteral("4294967296"));
    QVERIFY(!d.Richiesta().has_value());
    FErrori.clear();
    QVERIFY(d.Scrivi().isEmpty());
    QCOMPARE(FErrori.size(), 1);
    QVERIFY(FErrori[0].contains(QStringLiteral("seme")));
    QCOMPARE(QDir(cartella).entryList(QDir::Files).size(), 3);
    d.edSeme->setText(QStringLiteral("77"));
    d.btScrivi->click();
    QCOMPARE(aperti.size(), 4);
    QVERIFY(d.lbEsito->text().contains(QStringLiteral("Seme 77")));

    // No viewer: the user is told where the sheet is.
    FErrori.clear();
    TdlgEserciziStampa::ImpostaApertura([](const QString&) { return false; });
    TdlgEserciziStampa d3;
    const QString f3 = d3.Scrivi();
    QVERIFY(QFileInfo::exists(f3));
    QVERIFY(!aperti.contains(f3));
    QCOMPARE(FErrori.size(), 1);
    QVERIFY(FErrori[0].contains(f3));
    TdlgEserciziStampa::ImpostaApertura({});
    if (configPrima.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", configPrima);
}

void TestMevario::topicWindowsBelongToTheMainWindowAndOpenOverIt()
{
    M()->move(30, 20);
    ApriSomma(false);
    // A window of the main window, modal towards it only.
    QCOMPARE(S()->parentWidget(), M());
    QCOMPARE(S()->windowHandle()->transientParent(), M()->windowHandle());
    QCOMPARE(S()->windowModality(), Qt::WindowModal);
    QCOMPARE(S()->windowType(), Qt::Dialog); // transient for it on X11 too
    // (centres may differ by rounding, and the offscreen platform adds a frame of two pixels)
    QVERIFY((S()->frameGeometry().center() - M()->frameGeometry().center()).manhattanLength() <= 4);
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    // The division too, and it leaves the main window usable.
    TfrmDivisionePol* d = FFinestre->frmDivisionePol();
    M()->Apri(d, false);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QCOMPARE(d->windowHandle()->transientParent(), M()->windowHandle());
    QVERIFY(!d->isModal());
    // Centred where it fits, inside the screen where it does not.
    const QRect area = M()->screen()->availableGeometry();
    QCOMPARE(d->frameGeometry(), PosizioneCentrata(d->frameGeometry().size(), M()->frameGeometry(), area));
    QVERIFY(area.contains(d->frameGeometry().topLeft()));
    QTest::mouseClick(d->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    // The dialog of the exercises to print: one, a window of the main window.
    TdlgEserciziStampa* dlg = M()->dlgEserciziStampa();
    QCOMPARE(M()->dlgEserciziStampa(), dlg);
    QCOMPARE(dlg->parentWidget(), M());
    // Opened centred over the main window with the size its layout gives it.
    bool centrato = false;
    QTimer::singleShot(0, this, [this, dlg, &centrato] {
        centrato = (dlg->frameGeometry().center() - M()->frameGeometry().center()).manhattanLength() <= 4;
        dlg->reject();
    });
    M()->btEserciziStampa->click();
    QVERIFY(centrato);
}

void TestMevario::lavagnaTakesInputThroughItsWindowWhileTheExerciseIsModal()
{
    ApriSomma(true);
    QVERIFY(S()->isModal());
    QTest::mouseClick(S()->btnLavagna, Qt::LeftButton, {}, QPoint(40, 15));
    TfrmLavagna* l = FFinestre->frmLavagna();
    QVERIFY(QTest::qWaitForWindowExposed(l));
    // The board is a window of the exercise that opened it, beside it, never
    // over its exercise: on a screen too narrow for both side by side, at
    // its right edge with the exercise window at its left edge.
    QCOMPARE(l->windowHandle()->transientParent(), S()->windowHandle());
    const QRect area = S()->screen()->availableGeometry();
    QVERIFY2(area.contains(l->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6; esercizio %7,%8").arg(l->frameGeometry().x()).arg(l->frameGeometry().y()).arg(l->frameGeometry().width()).arg(l->frameGeometry().height()).arg(area.width()).arg(area.height()).arg(S()->frameGeometry().x()).arg(S()->frameGeometry().y())));
    if (area.width() >= S()->frameGeometry().width() + l->frameGeometry().width()) {
        QVERIFY(!l->frameGeometry().intersects(S()->frameGeometry()));
    } else {
        QCOMPARE(S()->frameGeometry().left(), area.left());
        QCOMPARE(l->frameGeometry().right(), area.right());
    }
    QCOMPARE(l->frameGeometry().top(), S()->frameGeometry().top());
    // Input through the window system, as the platform delivers it: a
    // window blocked by a modal window would drop it.
    QWindow* w = l->windowHandle();
    const std::size_t prima = l->Tratti().size();
    const QPoint a = l->Foglio->mapTo(l, QPoint(40, 60)), b = l->Foglio->mapTo(l, QPoint(200, 120));
    QTest::mousePress(w, Qt::LeftButton, {}, a);
    QTest::mouseMove(w, (a + b) / 2);
    QTest::mouseMove(w, b);
    QTest::mouseRelease(w, Qt::LeftButton, {}, b);
    QCOMPARE(l->Tratti().size(), prima + 1);
    QVERIFY(l->Tratti().back().punti.size() >= 2);
    const QPoint gomma = l->cbGomma->mapTo(l, QPoint(8, l->cbGomma->height() / 2));
    QTest::mouseClick(w, Qt::LeftButton, {}, gomma);
    QVERIFY(l->cbGomma->isChecked());
    QTest::mouseClick(w, Qt::LeftButton, {}, gomma);
    QVERIFY(!l->cbGomma->isChecked());
    // The main window meanwhile is blocked: a click on a topic button opens no menu.
    QTest::mouseClick(M()->windowHandle(), Qt::LeftButton, {}, M()->btSomma->geometry().center());
    QVERIFY(!M()->pmSomma->isVisible());
    // The board goes with the exercise and keeps its strokes for the next time.
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QVERIFY(!l->isVisible());
    QCOMPARE(l->Tratti().size(), prima + 1);
    ApriSomma(true);
    QTest::mouseClick(S()->btnLavagna, Qt::LeftButton, {}, QPoint(40, 15));
    QVERIFY(l->isVisible());
    QCOMPARE(FFinestre->frmLavagna(), l);
    QCOMPARE(l->Tratti().size(), prima + 1);
    QTest::mouseClick(S()->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
}

void TestMevario::esciEndsTheProgramWithTheDivisionOpen()
{
    TSchedaPol* scheda = TSchedaPol::Istanza();
    TfrmDivisionePol* d = FFinestre->frmDivisionePol();
    M()->Apri(d, true);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QVERIFY(M()->isVisible());
    // The division counts a wrong grid; "Esci" on the main window then closes
    // it (its counters go to the record) and ends the event loop.
    const int sbagliate = scheda->Valore("S_POL_DIV");
    UnaSbagliata(d);
    QTimer::singleShot(0, M(), [this] { QTest::mouseClick(M()->btEsci, Qt::LeftButton, {}, QPoint(60, 25)); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); }); // never reached
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!d->isVisible());
    QVERIFY(!M()->isVisible());
    QCOMPARE(scheda->Valore("S_POL_DIV"), sbagliate + 1);
}

QTEST_MAIN(TestMevario)
#include "test_mevario.moc"
