// The definition quiz, the product and the power windows driven as a pupil
// drives them: radio buttons and typed answers, counters, the kind cycle
// across closing and reopening, errors that change nothing, the tallies.
#include <QApplication>
#include <QTest>

#include "FormulaRimpicciolita.h"
#include "Errori.h"
#include "McdMcmMon.h"
#include "PotenzaMon.h"
#include "QuozienteMon.h"
#include "ProdottoMon.h"
#include "SchedaPol.h"
#include "SommaMon.h"
#include "concetto.h"
#include "funzioni.h"
#include "ucomune.h"

using namespace mevario;

class TestFinestre : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { delete Tfrmcomune::Istanza(); }
    void quizSwitchesPanelsAndJudgesButtons();
    void quizKindsContinueAcrossClosing();
    void quizKeepsItsQuestionWhenActivatedAgain();
    void quizJudgesValuesAndTellsSlipsOfForm();
    void productWindowAcceptsAnyLetterOrder();
    void powerWindowReadsItsOwnCoefficient();
    void conceptPagesDrawTheirExamples();
    void quotientGcdAndLcmWindows();
    void exerciseFormulasAtFullSize();

private:
    static void Procedi(TFinestraEsercizi* w) { QTest::mouseClick(w->btnNuovo, Qt::LeftButton, {}, QPoint(60, 30)); }
    QStringList FErrori;
};

void TestFinestre::initTestCase()
{
    new Tfrmcomune;
    TSchedaPol::Crea();
    ImpostaGestoreErrori([this](const QString& m) { FErrori << m; });
    ImpostaSeme(11);
}

void TestFinestre::quizSwitchesPanelsAndJudgesButtons()
{
    TfrmConcetto w;
    EsercizioConcetto& es = w.Esercizio();
    const int giustePrima = TSchedaPol::Istanza()->Valore("E_MON_DEF");
    const int sbagliatePrima = TSchedaPol::Istanza()->Valore("S_MON_DEF");
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Kind 1, a yes/no question: the radio buttons, not the field.
    QCOMPARE(es.TipoDomanda, 1);
    QVERIFY(w.pnlSiNo->isVisible());
    QVERIFY(!w.pnlEdit->isVisible());
    QCOMPARE(w.lbDomanda->text(), QStringLiteral("È un monomio?"));
    QVERIFY(!w.rbSi->isChecked() && !w.rbNo->isChecked());
    QTest::mouseClick(es.RispostaSi ? w.rbNo : w.rbSi, Qt::LeftButton);
    Procedi(&w);
    QCOMPARE(w.lblErrori->text(), QStringLiteral("1"));
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    QTest::mouseClick(es.RispostaSi ? w.rbSi : w.rbNo, Qt::LeftButton);
    Procedi(&w);
    QCOMPARE(w.lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Nuovo"));
    // Kind 2; "Nuovo" clears the buttons. Neither chosen is no answer: it
    // asks for a choice and counts nothing.
    Procedi(&w);
    QCOMPARE(es.TipoDomanda, 2);
    QVERIFY(!w.rbSi->isChecked() && !w.rbNo->isChecked());
    Procedi(&w);
    QCOMPARE(w.lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(w.lblErrori->text(), QStringLiteral("1"));
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(w.lblLettura && w.lblLettura->isVisible());
    QCOMPARE(w.lblLettura->text(), QStringLiteral("Scegli Sì o No."));
    QTest::mouseClick(es.RispostaSi ? w.rbSi : w.rbNo, Qt::LeftButton);
    Procedi(&w);
    QCOMPARE(w.lblEsatte->text(), QStringLiteral("2"));
    // Kind 3, typed: the field, no live drawing.
    Procedi(&w);
    QCOMPARE(es.TipoDomanda, 3);
    QVERIFY(!w.pnlSiNo->isVisible());
    QVERIFY(w.pnlEdit->isVisible());
    QVERIFY(!w.PBRisp->isVisible());
    QVERIFY(w.EditRisp->hasFocus());
    const int esatte = w.Esatte();
    QTest::keyClicks(w.EditRisp, QString::fromStdString(es.RispostaAttesa()));
    QVERIFY(w.PBRisp->Formula().empty());
    Procedi(&w);
    QCOMPARE(w.Esatte(), esatte + 1);
    const int giuste = w.Esatte(), sbagliate = w.Errori();
    w.btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore("E_MON_DEF"), giustePrima + giuste);
    QCOMPARE(TSchedaPol::Istanza()->Valore("S_MON_DEF"), sbagliatePrima + sbagliate);
}

void TestFinestre::quizKindsContinueAcrossClosing()
{
    TfrmConcetto w;
    w.Apri(true);
    QCOMPARE(w.Esercizio().TipoDomanda, 1);
    w.btEseAppr->click(); // concept page: no question drawn
    w.btEseAppr->click();
    QCOMPARE(w.Esercizio().TipoDomanda, 2);
    w.btnChiudi->click();
    w.Apri(true);
    QCOMPARE(w.Esercizio().TipoDomanda, 3);
    w.btEseAppr->click();
    w.btEseAppr->click();
    QCOMPARE(w.Esercizio().TipoDomanda, 4);
    w.btEseAppr->click();
    w.btEseAppr->click();
    QCOMPARE(w.Esercizio().TipoDomanda, 1);
    w.btnChiudi->click();
}

void TestFinestre::quizKeepsItsQuestionWhenActivatedAgain()
{
    TfrmConcetto w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Go to a typed question and type half an answer.
    while (w.Esercizio().SiNo())
        w.btEseAppr->click(), w.btEseAppr->click();
    const std::string domanda = w.TestoEsercizio;
    const int tipo = w.Esercizio().TipoDomanda;
    QTest::keyClicks(w.EditRisp, QStringLiteral("x^"));
    // Another window (the blackboard, a message box) comes and goes.
    QWidget altra;
    altra.show();
    altra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&altra));
    altra.close();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.TestoEsercizio, domanda);
    QCOMPARE(w.Esercizio().TipoDomanda, tipo);
    QCOMPARE(w.EditRisp->text(), QStringLiteral("x^"));
    w.btnChiudi->click();
}

void TestFinestre::quizJudgesValuesAndTellsSlipsOfForm()
{
    TfrmConcetto w;
    EsercizioConcetto& es = w.Esercizio();
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    int coefficienti = 0, lettere = 0;
    for (int n = 0; n < 40 && (coefficienti < 2 || lettere < 2); ++n) {
        while (es.TipoDomanda != 2) // the next question is of kind 3
            w.PreparaPagina();
        w.PreparaPagina();
        const std::string attesa = es.RispostaAttesa();
        const int esatte = w.Esatte();
        if (es.Domanda() == "Qual è il coefficiente del monomio?") {
            // Equal fractions are equal: doubled, with the sign outside brackets.
            const auto c = LeggiCoefficiente(attesa);
            const QString doppia = QStringLiteral("%1(%2/%3) ").arg(c.num < 0 ? "-" : "").arg(2 * std::abs(c.num)).arg(2 * c.den);
            QTest::keyClicks(w.EditRisp, doppia);
            ++coefficienti;
        } else {
            // Caps Lock on the literal part: told, not counted, then right.
            QTest::keyClicks(w.EditRisp, QString::fromStdString(attesa).toUpper());
            Procedi(&w);
            QCOMPARE(w.Esatte(), esatte);
            QCOMPARE(w.Errori(), 0);
            QCOMPARE(w.lblLettura->text(), QStringLiteral("Scrivi le lettere in minuscolo."));
            QVERIFY(w.lblLettura->isVisible());
            w.EditRisp->clear();
            QTest::keyClicks(w.EditRisp, QString::fromStdString(attesa) + QLatin1Char(' '));
            ++lettere;
        }
        Procedi(&w);
        QCOMPARE(w.Esatte(), esatte + 1);
        QCOMPARE(w.Errori(), 0);
    }
    QVERIFY(coefficienti >= 2 && lettere >= 2);
    // The degree: spaces after it do not matter.
    while (es.TipoDomanda != 3)
        w.PreparaPagina();
    w.PreparaPagina();
    QTest::keyClicks(w.EditRisp, QString::fromStdString(es.RispostaAttesa()) + QStringLiteral(" "));
    const int esatte = w.Esatte();
    Procedi(&w);
    QCOMPARE(w.Esatte(), esatte + 1);
    w.btnChiudi->click();
}

void TestFinestre::productWindowAcceptsAnyLetterOrder()
{
    TfrmProdottoMon w;
    w.Apri(true);
    QVERIFY(w.lbDomanda->text() == QStringLiteral("Calcola il prodotto"));
    QVERIFY(w.TestoEsercizio.find("&string(  \xB7  )&") != std::string::npos);
    // The exercise of the first worked example.
    EsercizioProdottoMon& es = w.Esercizio();
    es.p1 = 4, es.q1 = 1, es.L1 = "x^2*z^3";
    es.p2 = 3, es.q2 = 5, es.L2 = "x*y^2";
    es.p3 = 1, es.q3 = 1, es.L3.clear();
    QTest::keyClicks(w.EditRisp, QStringLiteral("12/5x^3y^2z^3x"));
    QCOMPARE(w.PBRisp->Formula(), std::string("(12/5)*x^3*y^2*z^3*x")); // drawn live
    Procedi(&w);
    QCOMPARE(w.Errori(), 1); // x written twice
    w.EditRisp->clear();
    QTest::keyClicks(w.EditRisp, QStringLiteral("24/10 z^3 y^2 x^3"));
    Procedi(&w);
    QCOMPARE(w.Esatte(), 1);
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Nuovo"));
    const int giuste = TSchedaPol::Istanza()->Valore("E_MON_PROD");
    w.btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore("E_MON_PROD"), giuste + 1);
}

void TestFinestre::powerWindowReadsItsOwnCoefficient()
{
    TfrmPotenzaMon w;
    w.Apri(true);
    QCOMPARE(w.pnlEsercizi->geometry(), QRect(24, 72, 569, 89));
    EsercizioPotenzaMon& es = w.Esercizio();
    es.p = -2, es.q = 3, es.L = "x^3*y", es.k = 2;
    QTest::keyClicks(w.EditRisp, QStringLiteral("(4/9)x^6y^2"));
    Procedi(&w);
    QCOMPARE(w.Errori(), 1);
    // A lone minus: the conversion message, nothing else changes.
    w.EditRisp->clear();
    QTest::keyClicks(w.EditRisp, QStringLiteral("-x^6y^2"));
    FErrori.clear();
    Procedi(&w);
    QCOMPARE(FErrori, QStringList{QStringLiteral("'-' is not a valid integer value")});
    QCOMPARE(w.Errori(), 1);
    QCOMPARE(w.Esatte(), 0);
    QCOMPARE(w.EditRisp->text(), QStringLiteral("-x^6y^2"));
    w.EditRisp->clear();
    QTest::keyClicks(w.EditRisp, QStringLiteral("4/9Y^2X^6"));
    Procedi(&w);
    QCOMPARE(w.Esatte(), 1);
    const int sbagliate = TSchedaPol::Istanza()->Valore("S_MON_POT");
    w.btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore("S_MON_POT"), sbagliate + 1);
}

void TestFinestre::conceptPagesDrawTheirExamples()
{
    TfrmConcetto c;
    TfrmProdottoMon p;
    TfrmPotenzaMon q;
    TfrmQuozienteMon d;
    TfrmMcdMon mcd;
    TfrmMcmMon mcm;
    for (TFinestraEsercizi* w : std::initializer_list<TFinestraEsercizi*>{&c, &p, &q, &d, &mcd, &mcm}) {
        w->Apri(false);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const auto boxes = w->PaginaConcetto->findChildren<TFormulaBox*>();
        QVERIFY(boxes.size() >= 1);
        for (TFormulaBox* b : boxes) {
            b->repaint();
            QVERIFY2(b->Valida(), b->Formula().c_str());
            QVERIFY(!b->NomeAccessibile().isEmpty());
        }
        QVERIFY(!w->btnNuovo->isEnabled());
        w->btnChiudi->click();
    }
    QCOMPARE(c.Label2->text(), QStringLiteral("I monomi - "));
    QCOMPARE(p.Label2->text(), QStringLiteral("Prodotto di monomi - "));
    QCOMPARE(q.Label2->text(), QStringLiteral("Potenza di un monomio - "));
    QCOMPARE(c.rbSi->accessibleName(), QStringLiteral("Sì"));
}

void TestFinestre::quotientGcdAndLcmWindows()
{
    TfrmQuozienteMon d;
    TfrmMcdMon mcd;
    TfrmMcmMon mcm;
    const struct {
        TFinestraEsercizi* w;
        const char* domanda;
        const char* giuste;
        const char* sbagliate;
    } finestre[] = {{&d, "Calcola il quoziente", "E_MON_QUOZ", "S_MON_QUOZ"},
                    {&mcd, "Calcola il MCD", "E_MON_MCD", "S_MON_MCD"},
                    {&mcm, "Calcola il mcm", "E_MON_MCM", "S_MON_MCM"}};
    for (const auto& f : finestre) {
        const int giuste = TSchedaPol::Istanza()->Valore(f.giuste);
        const int sbagliate = TSchedaPol::Istanza()->Valore(f.sbagliate);
        f.w->Apri(true);
        QCOMPARE(f.w->lbDomanda->text(), QString::fromUtf8(f.domanda));
        QTest::keyClicks(f.w->EditRisp, QStringLiteral("99x^9y^9z^9"));
        Procedi(f.w);
        f.w->EditRisp->clear();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(f.w->Argomento()->RispostaAttesa()));
        QVERIFY(f.w->PBRisp->Valida());
        Procedi(f.w);
        QCOMPARE(f.w->btnNuovo->text(), QStringLiteral("Nuovo"));
        f.w->btnChiudi->click();
        QCOMPARE(TSchedaPol::Istanza()->Valore(f.giuste), giuste + 1);
        QCOMPARE(TSchedaPol::Istanza()->Valore(f.sbagliate), sbagliate + 1);
    }
    // The GCD of 12 and -4 is positive.
    mcd.Apri(true);
    EsercizioMcdMcmMon& es = mcd.Esercizio();
    es.p1 = 12, es.q1 = 1, es.L1 = "x^3*y^3*z";
    es.p2 = -4, es.q2 = 1, es.L2 = "x^2*y^4";
    es.p3 = 0, es.q3 = 1;
    QTest::keyClicks(mcd.EditRisp, QStringLiteral("-4x^2y^3"));
    Procedi(&mcd);
    QCOMPARE(mcd.Errori(), 1);
    mcd.EditRisp->clear();
    QTest::keyClicks(mcd.EditRisp, QStringLiteral("4y^3x^2"));
    Procedi(&mcd);
    QCOMPARE(mcd.Esatte(), 1);
    mcd.btnChiudi->click();
}

void TestFinestre::exerciseFormulasAtFullSize()
{
    ImpostaSeme(5);
    TfrmConcetto definizione;
    TfrmSommaMon somma;
    TfrmProdottoMon prodotto;
    TfrmPotenzaMon potenza;
    TfrmQuozienteMon quoziente;
    TfrmMcdMon mcd;
    TfrmMcmMon mcm;
    for (TFinestraEsercizi* w : std::initializer_list<TFinestraEsercizi*>{&definizione, &somma, &prodotto, &potenza,
                                                                          &quoziente, &mcd, &mcm})
    {
        const std::string f = FormulaRimpicciolita(*w, 400);
        QVERIFY2(f.empty(), (w->objectName().toStdString() + ": " + f).c_str());
    }
}

QTEST_MAIN(TestFinestre)
#include "test_finestre.moc"
