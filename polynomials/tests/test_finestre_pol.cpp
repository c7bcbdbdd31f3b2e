// The polynomial definition quiz, the sum and the difference windows driven
// as a pupil drives them; the rings of the worked examples around their terms.
#include <QApplication>
#include <QTest>

#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <set>
#include <tuple>

#include <QAccessible>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>

#include "FormulaRimpicciolita.h"
#include "DivisionePol.h"
#include "Errori.h"
#include "Polinomi.h"
#include "Registro.h"
#include "RegistroSql.h"
#include "ProdPol.h"
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
    void productWindow();
    void productConnectorsJoinTheirTerms();
    void exerciseFormulasAtFullSize();
    void divisionExercisePage();
    void divisionCellsAndEditorSpeakThePupilsNotation();
    void divisionGridUnderThePupilsHand();
    void divisionFitsASmallScreen();
    void divisionNarrationTakesFourClicksAStep();
    void divisionClosedDuringNarrationRunsTheRestAtOnce();
    void divisionPageChangeEndsTheNarrationFirst();
    void divisionEnterGoesToTheNextCellAndCountsNothing();
    void divisionWrongGridMarksEveryCellToFix();
    void divisionFormSlipsAreToldNotCounted();
    void divisionSolutionNarratesThePupilsOwnDivision();

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
    QCOMPARE(w.Label2->text(), QStringLiteral("I polinomi - "));
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
        QCOMPARE(f.w->PBEsercizi->width(), 663);
        // One term too many: wrong; Caps Lock on beside it is not the
        // mistake to name.
        const std::string giusta = f.w->Esercizio().RispostaAttesa();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(giusta + "+z^9").toUpper());
        Procedi(f.w);
        QCOMPARE(f.w->Errori(), 1);
        QVERIFY(f.w->lblLettura->isVisible());
        QVERIFY2(!f.w->lblLettura->text().contains(QStringLiteral("lettere")), qPrintable(f.w->lblLettura->text()));
        // Caps Lock on the right answer, the terms in another order: told,
        // not counted, no flash; then the same in small letters: right.
        const auto termini = SeparaTermini(giusta);
        std::string altroOrdine;
        for (auto t = termini.rbegin(); t != termini.rend(); ++t)
            altroOrdine += (t->front() == '-' || altroOrdine.empty() ? "" : "+") + TogliCarattere('*', *t);
        altroOrdine = TogliCarattere(')', TogliCarattere('(', altroOrdine));
        f.w->EditRisp->clear();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(altroOrdine).toUpper() + QLatin1Char(' '));
        QVERIFY(f.w->PBRisp->Valida());
        bool flash = false;
        const auto c = connect(f.w, &TFinestraEsercizi::Giudicata, this, [&] { flash = true; });
        Procedi(f.w);
        disconnect(c);
        QVERIFY(!flash);
        QCOMPARE(f.w->Errori(), 1);
        QCOMPARE(f.w->Esatte(), 0);
        QCOMPARE(f.w->lblLettura->text(), QStringLiteral("Scrivi le lettere in minuscolo."));
        QCOMPARE(f.w->btnNuovo->text(), QStringLiteral("Procedi"));
        f.w->EditRisp->clear();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(altroOrdine));
        Procedi(f.w);
        QCOMPARE(f.w->Esatte(), 1);
        QCOMPARE(f.w->btnNuovo->text(), QStringLiteral("Nuovo"));
        Procedi(f.w);
        f.w->EditRisp->clear();
        const std::string giusta2 = f.w->Esercizio().RispostaAttesa();
        QTest::keyClicks(f.w->EditRisp, QString::fromStdString(giusta2));
        QVERIFY(f.w->PBRisp->Valida());
        Procedi(f.w);
        QCOMPARE(f.w->Esatte(), 2);
        QCOMPARE(f.w->btnNuovo->text(), QStringLiteral("Nuovo"));
        f.w->btnChiudi->click();
        QCOMPARE(TSchedaPol::Istanza()->Valore(f.giuste), giuste + 2);
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
    QCOMPARE(FErrori[0], QStringLiteral("La risposta non si può leggere: qui manca un numero o una lettera."));
    QCOMPARE(w.EditRisp->Segno(), 3); // the spot after the sign
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
    // What reads is still drawn; the spot is marked and the reason said.
    QCOMPARE(w.PBRisp->Formula(), std::string("3*x^2-(1/2)*x*y"));
    QVERIFY(w.PBRisp->Valida());
    QCOMPARE(w.EditRisp->Segno(), 12);
    QVERIFY(w.lblLettura && w.lblLettura->isVisible());
    QCOMPARE(w.lblLettura->text(), QStringLiteral("qui manca un numero o una lettera"));
    QTest::keyClick(w.EditRisp, Qt::Key_Backspace);
    QTest::keyClick(w.EditRisp, Qt::Key_Backspace);
    QVERIFY(!w.lblLettura->isVisible());
    QCOMPARE(w.EditRisp->Segno(), -1);
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
            // Each ring encloses exactly one term; a term's minus stands
            // outside, between the rings, as the "+" does.
            for (const QRect& t : termini) {
                const int tolto = std::max(0, a.left() + 1 - t.left()); // the sign's part of the box
                racchiusi += a.contains(t.adjusted(tolto, 0, 0, 0)) && tolto <= 2 * t.width() / 3;
            }
            QCOMPARE(racchiusi, 1);
        }
        for (TFormulaBox* b : w->PaginaConcetto->findChildren<TFormulaBox*>())
            QVERIFY2(b->Valida(), b->Formula().c_str());
        // The rings leave the signs between the terms whole: the ink of
        // every sign is the same with and without the rings.
        const QImage conAnelli = w->PaintBox3->grab().toImage();
        w->PaintBox3->SetAnelli({});
        const QImage senza = w->PaintBox3->grab().toImage();
        int segni = 0;
        for (const TPezzoTesto& pz : PezziDiTesto(w->PaintBox3->Formula(), w->PaintBox3->size(),
                                                  TFormulaVariant::PaintBoxCentered, w->PaintBox3->logicalDpiY())) {
            if (pz.testo != u"+" && pz.testo != u"\u2212")
                continue;
            QRect inchiostro;
            for (int y = pz.cella.top(); y <= pz.cella.bottom(); ++y)
                for (int x = pz.cella.left(); x <= pz.cella.right(); ++x)
                    if (senza.valid(x, y) && senza.pixelColor(x, y).lightness() < 128)
                        inchiostro |= QRect(x, y, 1, 1);
            QVERIFY(!inchiostro.isEmpty());
            ++segni;
            inchiostro.adjust(-1, -1, 1, 1);
            for (int y = inchiostro.top(); y <= inchiostro.bottom(); ++y)
                for (int x = inchiostro.left(); x <= inchiostro.right(); ++x)
                    QVERIFY2(conAnelli.pixel(x, y) == senza.pixel(x, y),
                             qPrintable(QStringLiteral("a ring crosses the sign at %1,%2").arg(x).arg(y)));
        }
        QCOMPARE(segni, w == &s ? 7 : 5);
        w->btnChiudi->click();
    }
}

void TestFinestrePol::productWindow()
{
    TfrmProdottoPol w;
    const int giuste = TSchedaPol::Istanza()->Valore("E_POL_PROD");
    const int sbagliate = TSchedaPol::Istanza()->Valore("S_POL_PROD");
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Label2->text(), QStringLiteral("Prodotto tra polinomi - "));
    QCOMPARE(w.lbDomanda->text(), QStringLiteral("Calcola il prodotto"));
    QCOMPARE(w.EditRisp->width(), 451);
    // The concept example, typed with the letters in another order.
    EsercizioProdottoPol& es = w.Esercizio();
    es.A.c = {CoefficienteCasualeRisultato{"2", 2, 1}, {"5", 5, 1}, {}};
    es.A.L = {"x", "y", ""};
    es.B.c = {CoefficienteCasualeRisultato{"3", 3, 1}, {"-4", -4, 1}, {}};
    es.B.L = {"x", "y", ""};
    QTest::keyClicks(w.EditRisp, QStringLiteral("6x^2-8xy+15xy-20y^2"));
    Procedi(&w);
    QCOMPARE(w.Errori(), 1);
    w.EditRisp->clear();
    QTest::keyClicks(w.EditRisp, QStringLiteral("-20y^2+7yx+6x^2"));
    w.PBRisp->repaint();
    QCOMPARE(w.PBRisp->Formula(), std::string("-20*y^2+7*y*x+6*x^2"));
    Procedi(&w);
    QCOMPARE(w.Esatte(), 1);
    w.btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore("E_POL_PROD"), giuste + 1);
    QCOMPARE(TSchedaPol::Istanza()->Valore("S_POL_PROD"), sbagliate + 1);
}

void TestFinestrePol::productConnectorsJoinTheirTerms()
{
    TfrmProdottoPol w;
    w.Apri(false);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint origine = w.PaintBox2->parentWidget()->pos() + w.PaintBox2->pos();
    const auto pezzi = PezziDiTesto(w.PaintBox2->Formula(), w.PaintBox2->size(), w.PaintBox2->Variant(),
                                    w.PaintBox2->logicalDpiY());
    // Columns of 2x, 5y, 3x and -4y in page coordinates.
    const auto colonne = [&](std::size_t da, std::size_t a) {
        return std::make_pair(pezzi[da].cella.left() + origine.x(), pezzi[a].cella.right() + origine.x());
    };
    QVERIFY(pezzi.size() >= 11);
    const auto t2x = colonne(0, 1), t5y = colonne(3, 4), t3x = colonne(6, 7), t4y = colonne(8, 10);
    const std::pair<std::pair<int, int>, std::pair<int, int>> attesi[] = {{t2x, t3x}, {t2x, t4y}, {t5y, t4y}, {t5y, t3x}};
    QCOMPARE(w.Connettori.size(), std::size_t(4));
    const int sopra = w.PaintBox2->parentWidget()->y();
    const int sotto = sopra + w.PaintBox2->parentWidget()->height();
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& c = w.Connettori[i];
        const auto [da, a] = attesi[i];
        const int xInizio = c.inizio->geometry().center().x();
        QVERIFY2(xInizio >= da.first && xInizio <= da.second, QByteArray::number(int(i)));
        // The head's tip stands over (or under) the target term and touches
        // the panel's edge.
        const QPolygon testa = c.freccia->Teste().at(0).translated(c.freccia->pos());
        QVERIFY(testa[0].x() >= a.first && testa[0].x() <= a.second);
        QVERIFY(std::abs(testa[0].y() - (i < 2 ? sopra - 1 : sotto)) <= 1);
        // Stubs and bar touch each other.
        QVERIFY(c.barra->geometry().intersects(c.inizio->geometry()));
        QVERIFY(c.barra->geometry().intersects(c.fine->geometry()));
        QVERIFY(c.fine->geometry().adjusted(0, -1, 0, 1).intersects(c.freccia->geometry()));
    }
    // The rings of the fifth line enclose -8xy and 15xy.
    w.PaintBox5->repaint();
    QCOMPARE(w.PaintBox5->Anelli().size(), std::size_t(2));
    w.btnChiudi->click();
}

namespace {

// Runs actions one after the other from the event loop, each timed before
// the previous one runs (a click may start the narration, which returns only
// at its end). Returns when the last has run.
void Copione(const std::vector<std::function<void()>>& azioni, int ms = 10)
{
    QEventLoop fine;
    std::function<void(std::size_t)> passo = [&](std::size_t i) {
        if (i == azioni.size()) {
            fine.quit();
            return;
        }
        QTimer::singleShot(ms, [&, i] {
            passo(i + 1);
            azioni[i]();
        });
    };
    passo(0);
    fine.exec();
}

int Passi(const TDivisione& d)
{
    TDivisione copia = d;
    copia.Svolgi(1);
    return (copia.RigaFinale - 1) / 2;
}

} // namespace

void TestFinestrePol::exerciseFormulasAtFullSize()
{
    ImpostaSeme(5);
    TfrmPolConcetto definizione;
    TfrmSommaPol somma;
    TfrmDiffPol differenza;
    TfrmProdottoPol prodotto;
    for (TFinestraEsercizi* w : std::initializer_list<TFinestraEsercizi*>{&definizione, &somma, &differenza, &prodotto})
    {
        const std::string f = FormulaRimpicciolita(*w, 400);
        QVERIFY2(f.empty(), (w->objectName().toStdString() + ": " + f).c_str());
    }
    // The operation between the two polynomials is a typeset sign, the
    // minus as the plus: the same glyph size, never a text hyphen.
    differenza.NuovoEsercizio();
    QVERIFY(differenza.TestoEsercizio.find("string(  -  )") == std::string::npos);
    QVERIFY(differenza.TestoEsercizio.find(GiuntoOperazione('-')) != std::string::npos);
    somma.NuovoEsercizio();
    QVERIFY(somma.TestoEsercizio.find(GiuntoOperazione('+')) != std::string::npos);
    const auto segno = [](char c) {
        QImage img(QSize(200, 60), QImage::Format_RGB32);
        img.fill(Qt::white);
        TFormulaBox b;
        b.resize(img.size());
        b.SetColor(Qt::white);
        b.SetFormula("a" + GiuntoOperazione(c) + "b");
        b.render(&img);
        // The ink of the sign, between the two letters' ink.
        QRect r;
        const int meta = img.width() / 2;
        for (int y = 0; y < img.height(); ++y)
            for (int x = meta - 12; x <= meta + 12; ++x)
                if (qGray(img.pixel(x, y)) < 128)
                    r |= QRect(x, y, 1, 1);
        return r;
    };
    const QRect meno = segno('-'), piu = segno('+');
    QVERIFY(!meno.isEmpty() && !piu.isEmpty());
    QVERIFY(qAbs(meno.width() - piu.width()) <= 1);
}

void TestFinestrePol::divisionExercisePage()
{
    TfrmDivisionePol w;
    const int giuste = TSchedaPol::Istanza()->Valore("E_POL_DIV");
    const int sbagliate = TSchedaPol::Istanza()->Valore("S_POL_DIV");
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.isModal());
    // As large as the window gets, inside the screen's available area.
    const QRect schermo = w.screen()->availableGeometry();
    QCOMPARE(w.size(), TfrmDivisionePol::Dimensione().boundedTo(schermo.size()));
    TDivisione& d = w.Divisione();
    QCOMPARE(d.GradoDividendo, 4);
    // The editor stands over the first quotient cell.
    QVERIFY(w.EditRisp->isVisible());
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    TCellaDivisione* primo = w.CellaDi({2, 2, 4});
    QCOMPARE(w.EditRisp->parentWidget(), w.panel1);
    QCOMPARE(w.EditRisp->x(), primo->x());
    QVERIFY(qAbs(w.EditRisp->geometry().center().y() - primo->geometry().center().y()) <= 1);
    QCOMPARE(primo->accessibleName(), QStringLiteral("quoziente 1"));
    QCOMPARE(w.CellaDi({1, 3, 2})->accessibleName(), QStringLiteral("riga 3, grado 2"));
    // Row 1 is given: a click there does not move the editor.
    QTest::mouseClick(w.CellaDi({1, 1, 4}), Qt::LeftButton);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    // Typing stores the term; deleting keeps it; "0" empties.
    QTest::keyClicks(w.EditRisp, QStringLiteral("7x^2"));
    QCOMPARE(d.TestoCella({2, 2, 4}, true), std::string("7*x^2"));
    QCOMPARE(primo->Formula(), std::string("7*x^2"));
    // A screen reader hears the cell's place and its term as said aloud.
    QAccessibleInterface* cella = QAccessible::queryAccessibleInterface(primo);
    QCOMPARE(cella->role(), QAccessible::Cell);
    QCOMPARE(cella->text(QAccessible::Name), QStringLiteral("quoziente 1: sette ics al quadrato"));
    QCOMPARE(cella->text(QAccessible::Description), QStringLiteral("7x²"));
    // The division's header says both polynomials, in brackets, "diviso".
    const QString testata = w.PaintBox2->NomeAccessibile();
    QVERIFY2(testata.startsWith(QStringLiteral("aperta parentesi ")) &&
                 testata.contains(QStringLiteral(" chiusa parentesi diviso aperta parentesi ")) &&
                 testata.endsWith(QStringLiteral(" chiusa parentesi")),
             qPrintable(testata));
    w.EditRisp->clear();
    QTest::keyClick(w.EditRisp, Qt::Key_Backspace);
    QCOMPARE(d.TestoCella({2, 2, 4}, true), std::string("7*x^2"));
    QTest::keyClicks(w.EditRisp, QStringLiteral("0"));
    QCOMPARE(d.TestoCella({2, 2, 4}, true), std::string());
    // Checked with only the first quotient term written: one error, the
    // editor over the first empty cell of row 2.
    w.PaintBox1Click(primo);
    w.EditRisp->clear();
    QTest::keyClicks(w.EditRisp, QString::fromStdString(d.TestoCella({2, 2, 4}, false)));
    Procedi(&w);
    QCOMPARE(w.Errori(), 1);
    QCOMPARE(w.CellaScelta().riga, 2);
    QCOMPARE(w.CellaScelta().blocco, 1);
    QVERIFY(w.EditRisp->isVisible());
    QVERIFY(w.pbQuoziente->Formula().empty());
    // The whole expected grid typed: right, "Nuovo", and the result line
    // says the quotient and the remainder.
    for (const auto& c : TDivisione::OrdineVerifica(4)) {
        const std::string t = d.TestoCella(c, false);
        w.PaintBox1Click(w.CellaDi(c));
        w.EditRisp->clear();
        QTest::keyClicks(w.EditRisp, QString::fromStdString(t.empty() ? "0" : t));
    }
    Procedi(&w);
    QCOMPARE(w.Esatte(), 1);
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Nuovo"));
    QVERIFY(w.Segnate().empty());
    QCOMPARE(w.pbQuoziente->Formula(), "string(Quoziente = )&" + d.TestoQuoziente + "&string(    Resto = )&" + d.TestoResto);
    QVERIFY(!d.TestoQuoziente.empty() && !d.TestoResto.empty());
    QVERIFY(w.pbQuoziente->Valida());
    QVERIFY(!w.btnSoluzione->isVisible());
    const std::string prima = d.TestoDividendo;
    Procedi(&w);
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    w.btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore("E_POL_DIV"), giuste + 1);
    QCOMPARE(TSchedaPol::Istanza()->Valore("S_POL_DIV"), sbagliate + 1);
    Q_UNUSED(prima);
}

void TestFinestrePol::divisionCellsAndEditorSpeakThePupilsNotation()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione& d = w.Divisione();
    // A wrong entry re-opens as it was typed, whole in the editor.
    TCellaDivisione* cella = w.CellaDi({1, 3, 3});
    for (const char* digitato : {"7x^3", "-3/2x^2", "-97/98x^4"}) {
        w.PaintBox1Click(cella);
        w.EditRisp->clear();
        QTest::keyClicks(w.EditRisp, QString::fromLatin1(digitato));
        w.PaintBox1Click(w.CellaDi({2, 2, 4}));
        w.PaintBox1Click(cella);
        QCOMPARE(w.EditRisp->text(), QString::fromLatin1(digitato));
        QVERIFY(w.EditRisp->width() >= w.EditRisp->fontMetrics().horizontalAdvance(w.EditRisp->text()) + 8);
        QVERIFY(w.panel1->rect().contains(w.EditRisp->geometry()));
    }
    QCOMPARE(d.TestoCella({1, 3, 3}, true), std::string("-(97/98)*x^4"));
    // A fraction in a cell is drawn as large as an integer: its row grows.
    QCOMPARE(cella->PuntiUsati(), FormulaPoints(cella->Variant()));
    QVERIFY(cella->height() >= cella->MisuraNaturale().height());
    QCOMPARE(w.CellaDi({1, 3, 0})->height(), cella->height());
    for (TCellaDivisione* c : w.Celle())
        if (w.Mostrata(c) && !c->Formula().empty())
            QCOMPARE(c->PuntiUsati(), FormulaPoints(c->Variant()));
    // The header at its full size too.
    QCOMPARE(w.PaintBox2->PuntiUsati(), FormulaPoints(w.PaintBox2->Variant()));
    w.btnChiudi->click();

    // The narration: terms as the pupil types them, on yellow, beside the
    // grid, covering neither the header nor the page's text.
    TfrmDivisionePol c;
    c.Apri(false);
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QString letto;
    bool visto = false;
    Copione({[&] { c.btnNuovo->click(); },
             [&] {
                 visto = c.meAlgo->isVisible();
                 letto = c.meAlgo->toPlainText();
                 const QRect r = c.meAlgo->geometry();
                 QVERIFY(!r.intersects(c.PaintBox2->geometry()));
                 QVERIFY(!r.intersects(c.Label4->geometry()));
                 QVERIFY(!r.intersects(c.meConcetto->geometry()));
                 QVERIFY(c.rect().contains(r));
                 for (TCellaDivisione* x : c.Celle())
                     if (c.Mostrata(x))
                         QVERIFY(!r.intersects(QRect(x->mapTo(&c, QPoint(0, 0)), x->size())));
                 c.btnChiudi->click();
             },
             [] {}});
    QVERIFY(visto);
    QVERIFY(letto.contains(QStringLiteral("cioè (")));
    QVERIFY(!letto.contains(QLatin1Char('*')));
    QCOMPARE(c.meAlgo->palette().color(QPalette::Base), QColor(255, 255, 128));
    const QImage img = c.meAlgo->viewport()->grab().toImage();
    QCOMPARE(QColor(img.pixel(img.width() - 3, img.height() - 3)), QColor(255, 255, 128));
}

void TestFinestrePol::divisionGridUnderThePupilsHand()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // A press on a cell binds the editor there and does not move the window.
    const QPoint prima = w.pos();
    TCellaDivisione* cella = w.CellaDi({1, 4, 2});
    QTest::mousePress(cella, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(cella, QPoint(-5, 20));
    QTest::mouseRelease(cella, Qt::LeftButton, {}, QPoint(-5, 20));
    QCOMPARE(w.pos(), prima);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 4, 2}));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.EditRisp));
    // Screen readers can press a cell.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.CellaDi({1, 5, 1}));
    QVERIFY(a && a->actionInterface());
    QVERIFY(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 5, 1}));
    // The arrow keys reach every cell: from the quotient row down to its
    // step's product row, along rows, across the bar and back.
    w.PaintBox1Click(w.CellaDi({2, 2, 4}));
    QTest::keyClick(w.EditRisp, Qt::Key_Down);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 2, 4}));
    QTest::keyClick(w.EditRisp, Qt::Key_Down);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 3, 4}));
    QTest::keyClick(w.EditRisp, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 3, 3}));
    QTest::keyClick(w.EditRisp, Qt::Key_Up);
    QTest::keyClick(w.EditRisp, Qt::Key_Up);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4})); // up from row 2: the quotient
    QTest::keyClick(w.EditRisp, Qt::Key_Right); // the editor is empty: at its end
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 3}));
    QTest::keyClick(w.EditRisp, Qt::Key_Down);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 4, 4})); // the second step's product row
    w.PaintBox1Click(w.CellaDi({2, 2, 4}));
    QTest::keyClick(w.EditRisp, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 2, 0})); // back across the bar
    QTest::keyClick(w.EditRisp, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    // Inside a text the arrows move the caret.
    QTest::keyClicks(w.EditRisp, QStringLiteral("3x"));
    QTest::keyClick(w.EditRisp, Qt::Key_Left);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    QCOMPARE(w.EditRisp->cursorPosition(), 1);
    // From every editable cell some arrow leads on, and all of them are reached.
    std::set<std::tuple<int, int, int>> raggiunte;
    std::vector<TDivisione::Cella> daFare{{2, 2, 4}};
    while (!daFare.empty()) {
        const TDivisione::Cella c = daFare.back();
        daFare.pop_back();
        if (!raggiunte.insert({c.blocco, c.riga, c.indice}).second)
            continue;
        for (int tasto : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
            w.PaintBox1Click(w.CellaDi(c));
            w.EditRisp->clear();
            QTest::keyClick(w.EditRisp, static_cast<Qt::Key>(tasto), Qt::ControlModifier);
            daFare.push_back(w.CellaScelta());
        }
    }
    int modificabili = 0;
    for (TCellaDivisione* c : w.Celle()) {
        const TDivisione::Cella k = c->Cella(w.Divisione().GradoDivisore);
        if (w.Mostrata(c) && k.riga > 1) {
            ++modificabili;
            QVERIFY2(raggiunte.count({k.blocco, k.riga, k.indice}), qPrintable(c->accessibleName()));
        }
    }
    QCOMPARE(static_cast<int>(raggiunte.size()), modificabili);
    w.btnChiudi->click();
}

void TestFinestrePol::divisionFitsASmallScreen()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // 1280 x 720 less a panel; 1024 x 768 with and without a panel; 1366 x 768; a full HD screen.
    for (const QRect schermo : {QRect(0, 32, 1280, 688), QRect(0, 0, 1024, 740), QRect(0, 0, 1024, 768),
                                QRect(0, 0, 1366, 768), QRect(0, 0, 1920, 1040)}) {
        w.AdattaAlloSchermo(schermo);
        QVERIFY(w.width() <= schermo.width() && w.height() <= schermo.height());
        if (schermo.height() >= TfrmDivisionePol::Dimensione().height())
            QCOMPARE(w.size(), TfrmDivisionePol::Dimensione());
        // Every control inside the window, none over another.
        std::vector<QWidget*> controlli{w.btnChiudi, w.btnStampa, w.btEseAppr, w.btnNuovo, w.btnLavagna, w.PaintBox2,
                                        w.meEsercizi, w.scrGriglia, w.pbQuoziente, w.lblRisultato, w.pnlRisp};
        for (QWidget* c : controlli) {
            QVERIFY2(w.rect().contains(c->geometry()), qPrintable(c->accessibleName()));
            for (QWidget* d : controlli)
                if (c != d && c->isVisible() && d->isVisible())
                    QVERIFY2(!c->geometry().intersects(d->geometry()),
                             qPrintable(c->accessibleName() + QLatin1Char('/') + d->accessibleName()));
        }
        // Every cell can be brought into view, also with every row grown by a fraction.
        // While the lower rows are filled the dividend and divisor row stays
        // in view, and the editor covers no cell but its own.
        for (int r = 2; r <= 9; ++r) {
            w.PaintBox1Click(w.CellaDi({1, r, 2}));
            w.EditRisp->clear();
            QTest::keyClicks(w.EditRisp, QStringLiteral("-97/98x^2"));
            for (TCellaDivisione* c : w.Celle()) {
                if (!w.Mostrata(c))
                    continue;
                const TDivisione::Cella k = c->Cella(w.Divisione().GradoDivisore);
                if (k.riga == 1) {
                    const QRect inGriglia(c->mapTo(w.scrGriglia, QPoint(0, 0)), c->size());
                    QVERIFY2(w.scrGriglia->rect().contains(inGriglia), qPrintable(c->accessibleName()));
                    QVERIFY(inGriglia.bottom() < w.scrGriglia->viewport()->y());
                } else if (!(k == w.CellaScelta())) {
                    QVERIFY2(!w.EditRisp->geometry().intersects(c->geometry()), qPrintable(c->accessibleName()));
                }
            }
            // The cell being filled in view whole, and the quotient in view
            // above it, under the divisor.
            const auto inVista = [&](QWidget* x) {
                return w.scrGriglia->viewport()->rect().contains(
                    QRect(x->mapTo(w.scrGriglia->viewport(), QPoint(0, 0)), x->size()));
            };
            QVERIFY(inVista(w.EditRisp));
            QVERIFY(inVista(w.CellaDi(w.CellaScelta())));
            for (int p = 4; p >= 1; --p)
                QVERIFY2(inVista(w.CellaDi({2, 2, p})), qPrintable(w.CellaDi({2, 2, p})->accessibleName()));
        }
        for (TCellaDivisione* c : w.Celle()) {
            if (!w.Mostrata(c) || c->Cella(w.Divisione().GradoDivisore).riga == 1)
                continue;
            w.scrGriglia->ensureWidgetVisible(c, 0, 0);
            const QRect vista(QPoint(), w.scrGriglia->viewport()->size());
            QVERIFY2(vista.contains(QRect(c->mapTo(w.scrGriglia->viewport(), QPoint(0, 0)), c->size())),
                     qPrintable(c->accessibleName()));
        }
    }
    w.btnChiudi->click();
}

void TestFinestrePol::divisionNarrationTakesFourClicksAStep()
{
    TfrmDivisionePol w;
    w.Apri(false);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int s = Passi(w.Divisione());
    QVERIFY(s >= 1 && s <= 4);
    int clic = 0;
    bool narrazioneVista = false;
    std::vector<std::function<void()>> azioni;
    for (int i = 0; i < 30; ++i)
        azioni.push_back([&] {
            if (w.AnimazioneFinita())
                return;
            if (w.InPausa())
                narrazioneVista = narrazioneVista || w.meAlgo->isVisible();
            ++clic;
            w.btnNuovo->click();
        });
    Copione(azioni);
    QVERIFY(w.AnimazioneFinita());
    QVERIFY(narrazioneVista);
    QCOMPARE(clic, 4 * s + 2);
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Nuovo"));
    // The narration's last sentence stays, whole in view, beside the result.
    QVERIFY(w.meAlgo->isVisible());
    QVERIFY(w.meAlgo->toPlainText().endsWith(QStringLiteral("Il risultato della Divisione è scritto sotto.")));
    QVERIFY(w.meAlgo->verticalScrollBar()->value() == w.meAlgo->verticalScrollBar()->maximum());
    QVERIFY(!w.meAlgo->geometry().intersects(w.pbQuoziente->geometry()));
    QVERIFY(w.pbQuoziente->Formula().rfind("string(Quoziente = )&", 0) == 0);
    QVERIFY(w.pbQuoziente->Valida());
    QCOMPARE(w.pbQuoziente->PuntiUsati(), FormulaPoints(w.pbQuoziente->Variant()));
    // The result is heard as words: "Quoziente uguale ..., Resto uguale ...".
    const QString risultato = w.pbQuoziente->NomeAccessibile();
    QVERIFY2(risultato.startsWith(QStringLiteral("Quoziente uguale ")) &&
                 risultato.contains(QStringLiteral(", Resto uguale ")),
             qPrintable(risultato));
    // The click after the end draws a new division.
    w.btnNuovo->click();
    QVERIFY(!w.AnimazioneFinita());
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(w.pbQuoziente->Formula().empty());
    QVERIFY(!w.meAlgo->isVisible());
    // The theory button is not a second "Concetto" on the concept page.
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        QVERIFY(!(b->isVisible() && b->text() == QLatin1String("Concetto")));
    QVERIFY(w.btnConcetto->isVisible());
    w.btnChiudi->click();
}

void TestFinestrePol::divisionClosedDuringNarrationRunsTheRestAtOnce()
{
    TfrmDivisionePol w;
    w.Apri(false);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione atteso = w.Divisione();
    atteso.Svolgi(1);
    bool inPausaPrimaDiEsci = false;
    Copione({[&] { w.btnNuovo->click(); }, [&] { w.btnNuovo->click(); },
             [&] {
                 inPausaPrimaDiEsci = w.InPausa();
                 w.btnChiudi->click();
             },
             [] {}});
    QVERIFY(inPausaPrimaDiEsci);
    QVERIFY(!w.InAnimazione());
    QVERIFY(w.AnimazioneFinita());
    QVERIFY(!w.isVisible());
    // The rest of the grid was filled at once.
    for (int r = 1; r <= TDivisione::Righe; ++r)
        for (int k = 0; k <= 4; ++k)
            QCOMPARE(w.Divisione().TestoCella({1, r, k}, false), atteso.TestoCella({1, r, k}, false));
}

void TestFinestrePol::divisionPageChangeEndsTheNarrationFirst()
{
    TfrmDivisionePol w;
    w.Apri(false);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    bool attendeva = false;
    Copione({[&] { w.btnNuovo->click(); }, [&] { w.btnNuovo->click(); },
             [&] {
                 attendeva = w.InPausa();
                 w.btEseAppr->click();
             },
             [] {}});
    QVERIFY(attendeva);
    QVERIFY(!w.InAnimazione());
    QVERIFY(w.ModoEsercizi);
    QCOMPARE(w.lblTitolo->text(), QStringLiteral("Esercizi"));
    QVERIFY(!w.AnimazioneFinita()); // a fresh page
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(w.EditRisp->isVisible());
    // The new exercise's grid is empty below row 1.
    QCOMPARE(w.Divisione().TestoCella({1, 2, 4}, true), std::string());
    w.btnChiudi->click();
}

namespace {

// The whole expected grid typed in as the pupil types it, "0" where a cell
// stays empty.
void ScriviGriglia(TfrmDivisionePol& w)
{
    for (const auto& c : TDivisione::OrdineVerifica(4)) {
        const std::string t = w.Divisione().TestoDigitatoCella(c, false);
        w.PaintBox1Click(w.CellaDi(c));
        w.EditRisp->clear();
        QTest::keyClicks(w.EditRisp, QString::fromStdString(t.empty() ? "0" : t));
    }
}

void Scrivi(TfrmDivisionePol& w, const TDivisione::Cella& c, const QString& t)
{
    w.PaintBox1Click(w.CellaDi(c));
    w.EditRisp->selectAll();
    QTest::keyClicks(w.EditRisp, t);
}

// A red outline at the widget's left edge, not red inside.
bool ContornoRosso(QWidget* x)
{
    const QImage img = x->grab().toImage();
    const QColor bordo = img.pixelColor(1, img.height() / 2), dentro = img.pixelColor(img.width() - 6, 5);
    return bordo == QColor(255, 0, 0) && dentro != QColor(255, 0, 0);
}

} // namespace

void TestFinestrePol::divisionEnterGoesToTheNextCellAndCountsNothing()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione& d = w.Divisione();
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    QTest::keyClicks(w.EditRisp, QStringLiteral("3x^2"));
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QCOMPARE(d.TestoCella({2, 2, 4}, true), std::string("3*x^2"));
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 3}));
    QVERIFY(w.EditRisp->isVisible());
    QCOMPARE(w.EditRisp->text(), QString());
    QCOMPARE(w.Errori(), 0);
    QCOMPARE(w.Esatte(), 0);
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    // The keypad's Enter too; from the quotient row to row 3's first cell.
    QTest::keyClick(w.EditRisp, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 2}));
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 3, 4}));
    // Row 2's last cell leads across the bar to the quotient.
    w.PaintBox1Click(w.CellaDi({1, 2, 0}));
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    QCOMPARE(w.EditRisp->text(), QStringLiteral("3x^2"));
    // The grid's last cell is confirmed and keeps the editor.
    Scrivi(w, {1, 9, 0}, QStringLiteral("1"));
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 9, 0}));
    QCOMPARE(d.TestoCella({1, 9, 0}, true), std::string("1"));
    // What is not a term stays where it is, said; the cell keeps what it
    // held before the last key.
    Scrivi(w, {1, 5, 2}, QStringLiteral("3x+"));
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{1, 5, 2}));
    QVERIFY(w.lblEsito->isVisible());
    QVERIFY2(w.lblEsito->text().contains(QStringLiteral("non \u00E8 un termine")), qPrintable(w.lblEsito->text()));
    QCOMPARE(d.TestoCella({1, 5, 2}, true), std::string("3*x"));
    QCOMPARE(w.Errori(), 0);
    // Ctrl+Enter is "Procedi": this grid is wrong.
    QTest::keyClick(w.EditRisp, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.Errori(), 1);
    w.btnChiudi->click();
}

void TestFinestrePol::divisionWrongGridMarksEveryCellToFix()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione& d = w.Divisione();
    ScriviGriglia(w);
    // One wrong value, one cell left empty, one term where none is expected.
    Scrivi(w, {2, 2, 4}, QStringLiteral("99x^5"));
    TDivisione::Cella vuota{1, 3, 0}, inPiu{1, 2, 0};
    for (int k = 0; k <= 4; ++k)
        if (d.Termine({1, 3, k}, false).Num != 0)
            vuota = {1, 3, k};
    for (int k = 0; k <= 4; ++k)
        if (d.Termine({1, 2, k}, false).Num == 0)
            inPiu = {1, 2, k};
    Scrivi(w, vuota, QStringLiteral("0"));
    Scrivi(w, inPiu, QStringLiteral("5x"));
    Procedi(&w);
    QCOMPARE(w.Errori(), 1);
    const std::vector<TDivisione::Cella> attese = d.GiudicaGriglia().sbagliate;
    QCOMPARE(attese.size(), std::size_t(3));
    QCOMPARE(w.Segnate(), attese);
    for (TCellaDivisione* c : w.Celle()) {
        const bool segnata = std::find(attese.begin(), attese.end(), c->Cella(d.GradoDivisore)) != attese.end();
        QCOMPARE(c->Segnata(), segnata);
        if (segnata)
            QVERIFY2(ContornoRosso(c), qPrintable(c->accessibleName()));
    }
    QVERIFY(w.CellaDi(attese.back())->accessibleName().contains(QStringLiteral(", da correggere")));
    QVERIFY(w.lblEsito->isVisible());
    QVERIFY2(w.lblEsito->text().startsWith(QStringLiteral("Da correggere: 3 celle")), qPrintable(w.lblEsito->text()));
    QVERIFY(w.btnSoluzione->isVisible());
    // The editor over the first of them, outlined, its text black on white.
    QCOMPARE(w.CellaScelta(), attese.front());
    QVERIFY(ContornoRosso(w.EditRisp));
    // A key that edits nothing leaves the mark; an edit takes it away.
    QTest::keyClick(w.EditRisp, Qt::Key_End);
    QCOMPARE(w.Segnate().size(), std::size_t(3));
    QTest::keyClick(w.EditRisp, Qt::Key_Backspace);
    QCOMPARE(w.Segnate().size(), std::size_t(2));
    QVERIFY(!w.CellaDi(attese.front())->Segnata());
    QVERIFY(!ContornoRosso(w.EditRisp));
    QVERIFY2(w.lblEsito->text().startsWith(QStringLiteral("Da correggere: 2 celle")), qPrintable(w.lblEsito->text()));
    // Enter passes over a marked cell without unmarking it.
    w.PaintBox1Click(w.CellaDi(attese[1]));
    QVERIFY(ContornoRosso(w.EditRisp));
    QTest::keyClick(w.EditRisp, Qt::Key_Return);
    QCOMPARE(w.Segnate().size(), std::size_t(2));
    // Fixed: right, nothing marked, the result line filled.
    ScriviGriglia(w);
    QVERIFY2(w.lblEsito->text().contains(QStringLiteral("Hai cambiato tutte le celle segnate")),
             qPrintable(w.lblEsito->text()));
    Procedi(&w);
    QCOMPARE(w.Esatte(), 1);
    QCOMPARE(w.Errori(), 1);
    QVERIFY(w.Segnate().empty());
    QVERIFY(!w.lblEsito->isVisible());
    QVERIFY(!w.btnSoluzione->isVisible());
    QVERIFY(!w.pbQuoziente->Formula().empty());
    w.btnChiudi->click();
}

void TestFinestrePol::divisionFormSlipsAreToldNotCounted()
{
    // A pupil's record: a slip of form is kept as one, never as an error.
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    TOpzioniRegistro o;
    o.db = cartella.filePath(QStringLiteral("registro.sqlite"));
    std::unique_ptr<TRegistro> registro = ApriRegistro(o, [](const QString& m) { QFAIL(qPrintable(m)); });
    QVERIFY(registro && !registro->Ospite());
    registro->ScegliAlunno(registro->CreaAlunno(QStringLiteral("Dario"), QStringLiteral("2B")));
    TFinestraEsercizi::ImpostaRegistro(registro.get());
    struct TTogli {
        ~TTogli() { TFinestraEsercizi::ImpostaRegistro(nullptr); }
    } togli;
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione& d = w.Divisione();
    // Nothing written: said, not counted.
    Procedi(&w);
    QCOMPARE(w.Errori(), 0);
    QVERIFY(w.lblEsito->text().startsWith(QStringLiteral("Scrivi i termini nelle celle")));
    // A right grid with a capital letter (as typed with Caps Lock).
    ScriviGriglia(w);
    const TTermine q = d.Termine({2, 2, 4}, false);
    const QString giusto = QString::fromStdString(d.TestoDigitatoCella({2, 2, 4}, false));
    Scrivi(w, {2, 2, 4}, giusto.toUpper());
    QCOMPARE(w.EditRisp->text(), giusto.toUpper());
    Procedi(&w);
    QCOMPARE(w.Errori(), 0);
    QCOMPARE(w.Esatte(), 0);
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(w.Segnate().empty());
    QVERIFY(!ContornoRosso(w.EditRisp));
    QCOMPARE(w.CellaScelta(), (TDivisione::Cella{2, 2, 4}));
    QVERIFY2(w.lblEsito->text().startsWith(QStringLiteral("Scrivi le lettere in minuscolo.")), qPrintable(w.lblEsito->text()));
    {
        auto* sql = dynamic_cast<TRegistroSql*>(registro.get());
        QVERIFY(sql);
        const auto storia = sql->Storico(registro->AlunnoScelto()->id);
        QCOMPARE(storia.size(), 1);
        QVERIFY(storia[0].Forma());
        QVERIFY(storia[0].diagnosi.startsWith(QStringLiteral("Scrivi le lettere in minuscolo.")));
        QCOMPARE(storia[0].argomento, QStringLiteral("divisione-polinomi"));
    }
    // The same term as a fraction not in lowest terms.
    const std::string lett = q.Lett == "x^1" ? "x" : q.Lett;
    Scrivi(w, {2, 2, 4}, QStringLiteral("%1/%2").arg(3 * q.Num).arg(3 * q.Den) + QString::fromStdString(lett));
    Procedi(&w);
    QCOMPARE(w.Errori(), 0);
    QVERIFY2(w.lblEsito->text().startsWith(QStringLiteral("Scrivi le frazioni ridotte ai minimi termini.")),
             qPrintable(w.lblEsito->text()));
    // With a wrong value beside it: one error, the slip said and not marked.
    Scrivi(w, {2, 2, 4}, giusto.toUpper());
    Scrivi(w, {1, 2, 4}, QStringLiteral("77"));
    Procedi(&w);
    QCOMPARE(w.Errori(), 1);
    QCOMPARE(w.Segnate(), (std::vector<TDivisione::Cella>{{1, 2, 4}}));
    QVERIFY(w.lblEsito->text().contains(QStringLiteral("Scrivi le lettere in minuscolo.")));
    w.btnChiudi->click();
}

void TestFinestrePol::divisionSolutionNarratesThePupilsOwnDivision()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione& d = w.Divisione();
    TDivisione atteso = d;
    const std::string dividendo = d.TestoDividendo, divisore = d.TestoDivisore;
    QVERIFY(!w.btnSoluzione->isVisible());
    QTest::keyClicks(w.EditRisp, QStringLiteral("1"));
    Procedi(&w);
    QCOMPARE(w.Errori(), 1);
    QVERIFY(w.btnSoluzione->isVisible());
    const int s = Passi(d);
    int clic = 0;
    QString primaRiga;
    bool grigliaVuota = false;
    std::vector<std::function<void()>> azioni{[&] { w.btnSoluzione->click(); }};
    for (int i = 0; i < 30; ++i)
        azioni.push_back([&] {
            if (w.AnimazioneFinita())
                return;
            if (clic == 0) {
                primaRiga = w.meAlgo->toPlainText();
                grigliaVuota = w.CellaDi({2, 2, 4})->Formula().empty() && w.CellaDi({1, 2, 4})->Formula().empty();
            }
            ++clic;
            w.btnNuovo->click();
        });
    Copione(azioni);
    QVERIFY(w.AnimazioneFinita());
    QVERIFY(grigliaVuota); // filled in front of the pupil, from the start
    QCOMPARE(clic + 1, 4 * s + 2);
    // The exercise's own division: its header, its leading terms, its grid.
    QCOMPARE(d.TestoDividendo, dividendo);
    QCOMPARE(d.TestoDivisore, divisore);
    const std::string cioe = "cio\xC3\xA8 (" + TestoDigitato(atteso.SolDividendo[1][4]) + ") / (" +
                             TestoDigitato(atteso.SolDivisore[1][static_cast<std::size_t>(atteso.GradoDivisore)]) + ")";
    QVERIFY2(primaRiga.contains(QString::fromStdString(cioe)), qPrintable(primaRiga));
    for (const auto& c : TDivisione::OrdineVerifica(4))
        QCOMPARE(w.CellaDi(c) ? w.CellaDi(c)->Formula() : std::string(), atteso.TestoCella(c, false));
    atteso.ScriviRisultato();
    QCOMPARE(w.pbQuoziente->Formula(),
             "string(Quoziente = )&" + atteso.TestoQuoziente + "&string(    Resto = )&" + atteso.TestoResto);
    QVERIFY(w.meAlgo->isVisible());
    // Seen, not counted; "Nuovo" draws the next division.
    QCOMPARE(w.Errori(), 1);
    QCOMPARE(w.Esatte(), 0);
    QVERIFY(!w.btnSoluzione->isVisible());
    QVERIFY(!w.EditRisp->isVisible());
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Nuovo"));
    Procedi(&w);
    QVERIFY(!w.InSoluzione());
    QCOMPARE(w.btnNuovo->text(), QStringLiteral("Procedi"));
    QVERIFY(w.EditRisp->isVisible());
    QVERIFY(w.CellaDi({2, 2, 4})->Formula().empty());
    w.btnChiudi->click();
}

QTEST_MAIN(TestFinestrePol)
#include "test_finestre_pol.moc"
