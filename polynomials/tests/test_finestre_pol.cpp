// The polynomial definition quiz, the sum and the difference windows driven
// as a pupil drives them; the rings of the worked examples around their terms.
#include <QApplication>
#include <QTest>

#include "Errori.h"
#include "SchedaPol.h"
#include "SommaDiffPol.h"
#include "funzioni.h"
#include "pol_concetto.h"
#include "ucomune.h"

using namespace mevario;

class TestFinestrePol : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { delete Tfrmcomune::Istanza(); }
    void quizAsksItsThreeKindsInTurn();
    void sumAndDifferenceWindows();
    void emptyTermShowsAMessageAndChangesNothing();
    void liveDrawingSurvivesARepaint();
    void ringsEncloseTheirTerms();

private:
    static void Procedi(TFinestraEsercizi* w) { QTest::mouseClick(w->btnNuovo, Qt::LeftButton, {}, QPoint(60, 30)); }
    QStringList FErrori;
};

void TestFinestrePol::initTestCase()
{
    new Tfrmcomune;
    TSchedaPol::Crea();
    ImpostaGestoreErrori([this](const QString& m) { FErrori << m; });
    ImpostaSeme(21);
}

void TestFinestrePol::quizAsksItsThreeKindsInTurn()
{
    TfrmPolConcetto w;
    const int giuste = TSchedaPol::Istanza()->Valore("E_POL_DEF");
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Label2->text(), QStringLiteral("I Polinomi - "));
    for (int tipo = 1; tipo <= 3; ++tipo) {
        QCOMPARE(w.Esercizio().TipoDomanda, tipo);
        QCOMPARE(w.pnlSiNo->isVisible(), tipo != 3);
        QCOMPARE(w.pnlEdit->isVisible(), tipo == 3);
        if (tipo == 3)
            QTest::keyClicks(w.EditRisp, QString::fromStdString(w.Esercizio().RispostaAttesa()));
        else
            QTest::mouseClick(w.Esercizio().RispostaSi ? w.rbSi : w.rbNo, Qt::LeftButton);
        Procedi(&w);
        QCOMPARE(w.Esatte(), tipo);
        Procedi(&w); // "Nuovo"
    }
    QCOMPARE(w.Esercizio().TipoDomanda, 1);
    // Coming back to the window keeps the question.
    const std::string domanda = w.TestoEsercizio;
    QWidget altra;
    altra.show();
    altra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&altra));
    altra.close();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.TestoEsercizio, domanda);
    w.btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore("E_POL_DEF"), giuste + 3);
}

void TestFinestrePol::sumAndDifferenceWindows()
{
    TfrmSommaPol s;
    TfrmDiffPol d;
    const struct {
        TfrmSommaDiffPol* w;
        const char* titolo;
        const char* domanda;
        const char* giuste;
        const char* sbagliate;
    } finestre[] = {{&s, "Addizione di polinomi - ", "Calcola la somma", "E_POL_SOM", "S_POL_SOM"},
                    {&d, "Differenza tra polinomi - ", "Calcola la differenza", "E_POL_DIFF", "S_POL_DIFF"}};
    for (const auto& f : finestre) {
        const int giuste = TSchedaPol::Istanza()->Valore(f.giuste);
        const int sbagliate = TSchedaPol::Istanza()->Valore(f.sbagliate);
        f.w->Apri(true);
        QCOMPARE(f.w->Label2->text(), QString::fromUtf8(f.titolo));
        QCOMPARE(f.w->lbDomanda->text(), QString::fromUtf8(f.domanda));
        QCOMPARE(f.w->PBEsercizi->width(), 603);
        // One term left out: wrong; then the whole answer: right.
        const std::string giusta = f.w->Esercizio().RispostaAttesa();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(giusta + "+z^9"));
        Procedi(f.w);
        QCOMPARE(f.w->Errori(), 1);
        f.w->EditRisp->clear();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(giusta));
        QVERIFY(f.w->PBRisp->Valida());
        Procedi(f.w);
        QCOMPARE(f.w->Esatte(), 1);
        QCOMPARE(f.w->btnNuovo->text(), QStringLiteral("Nuovo"));
        f.w->btnChiudi->click();
        QCOMPARE(TSchedaPol::Istanza()->Valore(f.giuste), giuste + 1);
        QCOMPARE(TSchedaPol::Istanza()->Valore(f.sbagliate), sbagliate + 1);
    }
}

void TestFinestrePol::emptyTermShowsAMessageAndChangesNothing()
{
    TfrmSommaPol w;
    w.Apri(true);
    QTest::keyClicks(w.EditRisp, QStringLiteral("3x+"));
    FErrori.clear();
    Procedi(&w);
    QCOMPARE(FErrori.size(), 1);
    QVERIFY(FErrori[0].contains(QStringLiteral("segno senza il suo termine")));
    QCOMPARE(w.Esatte(), 0);
    QCOMPARE(w.Errori(), 0);
    QCOMPARE(w.EditRisp->text(), QStringLiteral("3x+"));
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    w.btnChiudi->click();
}

void TestFinestrePol::liveDrawingSurvivesARepaint()
{
    TfrmDiffPol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClicks(w.EditRisp, QStringLiteral("3x^2-1/2xy"));
    w.PBRisp->repaint();
    QCOMPARE(w.PBRisp->Formula(), std::string("3*x^2-(1/2)*x*y"));
    QVERIFY(w.PBRisp->Valida());
    QTest::keyClicks(w.EditRisp, QStringLiteral("+("));
    w.PBRisp->repaint();
    QVERIFY(!w.PBRisp->Valida()); // left cleared, no message
    w.btnChiudi->click();
}

void TestFinestrePol::ringsEncloseTheirTerms()
{
    TfrmSommaPol s;
    TfrmDiffPol d;
    for (TfrmSommaDiffPol* w : {static_cast<TfrmSommaDiffPol*>(&s), static_cast<TfrmSommaDiffPol*>(&d)}) {
        w->Apri(false);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->PaintBox3->repaint();
        const auto termini = RiquadriTermini(w->PaintBox3->Formula(), w->PaintBox3->size(), TFormulaVariant::PaintBoxCentered,
                                             w->PaintBox3->logicalDpiY());
        QCOMPARE(termini.size(), std::size_t(w == &s ? 8 : 6));
        // Terms follow each other left to right without overlapping.
        for (std::size_t i = 1; i < termini.size(); ++i)
            QVERIFY(termini[i].left() > termini[i - 1].right());
        const auto& anelli = w->PaintBox3->Anelli();
        QCOMPARE(anelli.size(), termini.size()); // every term has its ring
        for (const QRect& a : anelli) {
            QVERIFY(QRect(QPoint(0, 0), w->PaintBox3->size()).contains(a));
            int racchiusi = 0;
            for (const QRect& t : termini)
                racchiusi += a.contains(t);
            QCOMPARE(racchiusi, 1); // each ring encloses exactly one term
        }
        for (TFormulaBox* b : w->PaginaConcetto->findChildren<TFormulaBox*>())
            QVERIFY2(b->Valida(), b->Formula().c_str());
        w->btnChiudi->click();
    }
}

QTEST_MAIN(TestFinestrePol)
#include "test_finestre_pol.moc"
