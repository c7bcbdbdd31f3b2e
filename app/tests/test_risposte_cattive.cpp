// Whatever a pupil types, every exercise window stays calm: an empty answer,
// 100,000 characters, letters from other alphabets, a huge exponent, a zero
// denominator, brackets that never close. "Procedi" on such an answer either
// says why it cannot be read (nothing changes) or counts one error; it never
// counts a right answer, never loses the exercise and never breaks the
// window, which goes on judging the right answer as right afterwards.
// After a wrong answer every window offers the worked solution.
#include <QRegularExpression>
#include <QApplication>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

#include "DivisionePol.h"
#include "Errori.h"
#include "McdMcmMon.h"
#include "PotenzaMon.h"
#include "ProdPol.h"
#include "ProdottoMon.h"
#include "QuozienteMon.h"
#include "SchedaPol.h"
#include "SommaDiffPol.h"
#include "SommaMon.h"
#include "concetto.h"
#include "funzioni.h"
#include "pol_concetto.h"
#include "ucomune.h"

using namespace mevario;

namespace {

const QStringList& RisposteCattive()
{
    static const QStringList r = {
        QString(),
        QString(100000, QLatin1Char('7')),
        QString(100000, QLatin1Char('x')),
        QString(100000, QLatin1Char('(')), // once read again for every bracket: minutes a key
        QStringLiteral("àèìòù"),
        QStringLiteral("αβγ²√∞ЖЯ漢字🙂"),
        QStringLiteral("x^99999999999"),
        QStringLiteral("1/0x"),
        QStringLiteral("(((("),
        QStringLiteral("))))"),
        QStringLiteral("3x+"),
        QStringLiteral("-"),
        QStringLiteral("^^^"),
        QStringLiteral("99999999999999999999x"),
        QStringLiteral("x/0"),
        QStringLiteral("   "),
        QStringLiteral("x\t\ny\x01"), // pasted: control characters cannot be typed
    };
    return r;
}

using Fabbrica = std::function<TFinestraEsercizi*()>;

// The right answer typed as a pupil might, equal in value: Caps Lock on,
// the letters of every term backwards, "^1" written, spaces around.
QStringList StessoValore(const QString& attesa)
{
    const QRegularExpression lettere(QStringLiteral("(?:[xyz](?:\\^\\d+)?)+"));
    const QRegularExpression pezzo(QStringLiteral("[xyz](?:\\^\\d+)?"));
    QString rovescia = attesa, uno = attesa;
    for (auto it = lettere.globalMatch(attesa); it.hasNext();) {
        const auto m = it.next();
        QStringList pezzi;
        for (auto p = pezzo.globalMatch(m.captured()); p.hasNext();)
            pezzi.prepend(p.next().captured());
        rovescia.replace(m.capturedStart(), m.capturedLength(), pezzi.join(QString()));
    }
    uno.replace(QRegularExpression(QStringLiteral("([xyz])(?!\\^)")), QStringLiteral("\\1^1"));
    return {QStringLiteral("  ") + attesa.toUpper() + QStringLiteral(" "), rovescia, uno,
            rovescia.toUpper() + QStringLiteral(" ")};
}

template <class W>
Fabbrica Di()
{
    return [] { return new W; };
}

} // namespace

class TestRisposteCattive : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { delete Tfrmcomune::Istanza(); }
    void everyWindowKeepsCalm_data();
    void everyWindowKeepsCalm();
    void divisionCellsKeepCalm();
    void everyWindowShowsTheSolution_data() { everyWindowKeepsCalm_data(); }
    void everyWindowShowsTheSolution();
    void equalValuesAreNeverCountedWrong_data() { everyWindowKeepsCalm_data(); }
    void equalValuesAreNeverCountedWrong();

private:
    static void Procedi(TFinestraEsercizi* w) { QTest::mouseClick(w->btnNuovo, Qt::LeftButton, {}, QPoint(60, 30)); }
    static void Scrivi(TFinestraEsercizi* w, const QString& testo);
    QStringList FErrori;
};

void TestRisposteCattive::initTestCase()
{
    new Tfrmcomune;
    TSchedaPol::Crea();
    ImpostaGestoreErrori([this](const QString& m) { FErrori << m; });
    ImpostaFaseLampeggio(0);
    ImpostaSeme(2024);
}

// Short texts are typed key by key, as a pupil does; the long ones are
// pasted (typing 100,000 keys would take minutes), as are control
// characters; then a key is released.
void TestRisposteCattive::Scrivi(TFinestraEsercizi* w, const QString& testo)
{
    w->EditRisp->clear();
    const bool digitabile = std::all_of(testo.begin(), testo.end(), [](QChar c) { return c.unicode() >= 32; });
    if (testo.size() < 40 && digitabile) {
        for (const char32_t c : testo.toUcs4()) {
            const QString tasto = QString::fromUcs4(&c, 1);
            if (c < 128)
                QTest::keyClick(w->EditRisp, static_cast<char>(c));
            else // a letter of a keyboard of another language
                QTest::sendKeyEvent(QTest::Click, w->EditRisp, Qt::Key_unknown, tasto, Qt::NoModifier);
        }
    } else
        w->EditRisp->setText(testo);
    QTest::keyClick(w->EditRisp, Qt::Key_End);
}

void TestRisposteCattive::everyWindowKeepsCalm_data()
{
    QTest::addColumn<Fabbrica>("crea");
    QTest::newRow("definizione monomio") << Di<TfrmConcetto>();
    QTest::newRow("somma monomi") << Di<TfrmSommaMon>();
    QTest::newRow("prodotto monomi") << Di<TfrmProdottoMon>();
    QTest::newRow("potenza monomio") << Di<TfrmPotenzaMon>();
    QTest::newRow("quoziente monomi") << Di<TfrmQuozienteMon>();
    QTest::newRow("mcd monomi") << Di<TfrmMcdMon>();
    QTest::newRow("mcm monomi") << Di<TfrmMcmMon>();
    QTest::newRow("definizione polinomio") << Di<TfrmPolConcetto>();
    QTest::newRow("somma polinomi") << Di<TfrmSommaPol>();
    QTest::newRow("differenza polinomi") << Di<TfrmDiffPol>();
    QTest::newRow("prodotto polinomi") << Di<TfrmProdottoPol>();
}

void TestRisposteCattive::everyWindowKeepsCalm()
{
    QFETCH(Fabbrica, crea);
    std::unique_ptr<TFinestraEsercizi> w(crea());
    const int giustePrima = TSchedaPol::Istanza()->Valore(w->TallyGiuste());
    const int sbagliatePrima = TSchedaPol::Istanza()->Valore(w->TallySbagliate());
    w->Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const TEsercizio* es = w->Argomento();
    QVERIFY(es);
    // The quizzes: on to a question answered in the field.
    for (int i = 0; i < 4 && es->SiNo(); ++i)
        w->PreparaPagina();
    QVERIFY(!es->SiNo());
    const std::string esercizio = es->TestoEsercizio();
    const std::string attesa = es->RispostaAttesa();

    int errori = 0;
    for (const QString& r : RisposteCattive()) {
        FErrori.clear();
        Scrivi(w.get(), r);
        Procedi(w.get());
        QCOMPARE(w->Esatte(), 0);
        if (r.trimmed().isEmpty()) {
            // Nothing typed: asked for, not counted, no error box.
            QVERIFY(FErrori.isEmpty());
            QVERIFY(w->lblLettura && w->lblLettura->isVisible());
            QCOMPARE(w->lblLettura->text(), QStringLiteral("Scrivi la risposta, poi premi Procedi."));
        } else if (FErrori.isEmpty()) {
            ++errori; // read and judged: one error
        } else {
            QCOMPARE(FErrori.size(), 1); // said why, counted nothing
            QVERIFY(!FErrori[0].trimmed().isEmpty());
        }
        QCOMPARE(w->Errori(), errori);
        QCOMPARE(w->btnNuovo->text(), QStringLiteral("Procedi"));
        QCOMPARE(es->TestoEsercizio(), esercizio);
        QCOMPARE(es->RispostaAttesa(), attesa);
        QVERIFY(w->isVisible());
    }
    // Still the same window: the right answer is right.
    FErrori.clear();
    Scrivi(w.get(), QString::fromStdString(NarrowToUtf8(attesa)));
    Procedi(w.get());
    QVERIFY2(FErrori.isEmpty(), qPrintable(FErrori.join(QLatin1Char('\n'))));
    QCOMPARE(w->Esatte(), 1);
    QCOMPARE(w->btnNuovo->text(), QStringLiteral("Nuovo"));
    w->btnChiudi->click();
    QCOMPARE(TSchedaPol::Istanza()->Valore(w->TallyGiuste()), giustePrima + 1);
    QCOMPARE(TSchedaPol::Istanza()->Valore(w->TallySbagliate()), sbagliatePrima + errori);
}

// No answer equal in value to the expected one is ever counted as an error
// in any window: it is right, or it is told what to change (under the
// preview, no count, no flash). A yes/no question left unanswered asks for
// a choice and counts nothing.
void TestRisposteCattive::equalValuesAreNeverCountedWrong()
{
    QFETCH(Fabbrica, crea);
    std::unique_ptr<TFinestraEsercizi> w(crea());
    w->Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const TEsercizio* es = w->Argomento();
    int giudicate = 0, esatte = 0, forme = 0;
    connect(w.get(), &TFinestraEsercizi::Giudicata, this, [&] { ++giudicate; });
    for (int n = 0; n < 8; ++n) {
        if (es->SiNo()) {
            FErrori.clear();
            Procedi(w.get()); // neither chosen
            QVERIFY(FErrori.isEmpty());
            QCOMPARE(w->Errori(), 0);
            QCOMPARE(giudicate, esatte);
            QVERIFY(w->lblLettura && w->lblLettura->isVisible());
            QCOMPARE(w->lblLettura->text(), QStringLiteral("Scegli Sì o No."));
            QVERIFY(w->pnlSiNo->geometry().bottom() < w->lblLettura->geometry().top());
            QCOMPARE(w->btnNuovo->text(), QStringLiteral("Procedi"));
            (es->RispostaAttesa() == "Si" ? w->rbSi : w->rbNo)->setChecked(true);
            QVERIFY(!w->lblLettura->isVisible()); // the choice made, the line goes
        } else {
            const QString attesa = QString::fromStdString(NarrowToUtf8(es->RispostaAttesa()));
            bool giaGiusta = false;
            for (const QString& r : StessoValore(attesa)) {
                if (r == attesa)
                    continue;
                FErrori.clear();
                Scrivi(w.get(), r);
                Procedi(w.get());
                QVERIFY2(FErrori.isEmpty(), qPrintable(r + QLatin1Char(' ') + FErrori.join(QLatin1Char('\n'))));
                QVERIFY2(w->Errori() == 0, (es->TestoEsercizio() + " " + r.toStdString()).c_str());
                if (w->Esatte() == esatte + 1) { // a form the topic accepts
                    ++esatte;
                    QCOMPARE(giudicate, esatte);
                    w->btnNuovo->click(); // "Nuovo"
                    giaGiusta = true;
                    break;
                }
                ++forme;
                QCOMPARE(giudicate, esatte); // no flash, nothing judged
                QCOMPARE(w->btnNuovo->text(), QStringLiteral("Procedi"));
                QVERIFY(w->lblLettura && w->lblLettura->isVisible());
                QVERIFY2(QRegularExpression(QStringLiteral("^(Scrivi le lettere|Non scrivere l'esponente 1)"))
                             .match(w->lblLettura->text())
                             .hasMatch(),
                         qPrintable(w->lblLettura->text()));
                QVERIFY(w->EditRisp->hasFocus());
            }
            if (giaGiusta)
                continue;
            Scrivi(w.get(), attesa);
        }
        Procedi(w.get());
        QCOMPARE(w->Esatte(), ++esatte);
        QCOMPARE(w->Errori(), 0);
        w->btnNuovo->click(); // "Nuovo"
    }
    const QString argomento = w->NomeCatalogo();
    // The sums want the letters as shown: their slips are told.
    if (argomento.startsWith(QLatin1String("somma")) || argomento.startsWith(QLatin1String("differenza")))
        QVERIFY(forme > 0);
    w->btnChiudi->click();
}

void TestRisposteCattive::divisionCellsKeepCalm()
{
    TfrmDivisionePol w;
    w.Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TDivisione& d = w.Divisione();
    const TDivisione atteso = d;
    const TDivisione::Cella primo{2, 2, 4};
    for (const QString& r : RisposteCattive()) {
        FErrori.clear();
        w.PaintBox1Click(w.CellaDi(primo));
        Scrivi(&w, r);
        QVERIFY(FErrori.isEmpty()); // a cell that cannot be read keeps its term silently
        QVERIFY(d.SolDividendo == atteso.SolDividendo && d.SolDivisore == atteso.SolDivisore);
        const std::string cella = d.TestoCella(primo, true);
        QVERIFY2(cella.size() < 64, cella.c_str());
    }
    // The grid is incomplete: one error, nothing else lost.
    Procedi(&w);
    QCOMPARE(w.Esatte(), 0);
    QCOMPARE(w.Errori(), 1);
    for (const auto& c : TDivisione::OrdineVerifica(d.GradoDividendo)) {
        const std::string t = d.TestoCella(c, false);
        w.PaintBox1Click(w.CellaDi(c));
        Scrivi(&w, QString::fromStdString(t.empty() ? "0" : NarrowToUtf8(t)));
    }
    Procedi(&w);
    QCOMPARE(w.Esatte(), 1);
    w.btnChiudi->click();
}

void TestRisposteCattive::everyWindowShowsTheSolution()
{
    QFETCH(Fabbrica, crea);
    std::unique_ptr<TFinestraEsercizi> w(crea());
    w->Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const TEsercizio* es = w->Argomento();
    // A right answer: no solution offered.
    if (es->SiNo())
        (es->RispostaAttesa() == "Si" ? w->rbSi : w->rbNo)->setChecked(true);
    else
        Scrivi(w.get(), QString::fromStdString(NarrowToUtf8(es->RispostaAttesa())));
    Procedi(w.get());
    QCOMPARE(w->Esatte(), 1);
    QVERIFY(!w->btnSoluzione->isVisible());
    Procedi(w.get()); // "Nuovo"
    // A wrong one: the button appears; the keypad is open.
    if (es->SiNo()) {
        (es->RispostaAttesa() == "Si" ? w->rbNo : w->rbSi)->setChecked(true);
    } else {
        QTest::mouseClick(w->EditRisp, Qt::LeftButton);
        Scrivi(w.get(), QStringLiteral("9/7x^8y^8z^8"));
    }
    Procedi(w.get());
    QCOMPARE(w->Errori(), 1);
    QVERIFY(w->btnSoluzione->isVisible());
    // A calculation marks the wrong term in red in the preview.
    if (!w->pnlSiNo) {
        w->PBRisp->repaint();
        QCOMPARE(w->PBRisp->Anelli().size(), std::size_t(1));
    }
    QCOMPARE(w->btnNuovo->text(), QStringLiteral("Procedi"));
    const std::string esercizio = es->TestoEsercizio();
    const TSoluzione attesa = es->Soluzione();
    QTest::mouseClick(w->btnSoluzione, Qt::LeftButton, {}, QPoint(60, 30));
    // The panel shows every line, inside it, and nothing covers it.
    QVERIFY(w->pnlSoluzione && w->pnlSoluzione->isVisible());
    QCOMPARE(w->RigheSoluzione.size(), attesa.size());
    for (std::size_t i = 0; i < attesa.size(); ++i) {
        TFormulaBox* b = w->RigheSoluzione[i];
        QCOMPARE(b->Formula(), attesa[i].formula);
        QVERIFY(b->Valida());
        QVERIFY(QRect(QPoint(), w->pnlSoluzione->size()).contains(b->geometry()));
        QCOMPARE(b->accessibleName(), QStringLiteral("Soluzione, riga %1").arg(i + 1));
        // Heard as the line's place and the line in words.
        const QString detta = b->NomeAccessibile();
        QVERIFY2(detta.startsWith(QStringLiteral("Soluzione, riga %1: ").arg(i + 1)) &&
                     !detta.contains(QRegularExpression(QStringLiteral("[\\^*/&(){}]"))),
                 qPrintable(detta));
    }
    QVERIFY(!Tfrmcomune::Istanza()->pnlTastiera->isVisible());
    QVERIFY(!w->btnSoluzione->isVisible());
    // Not counted, over: "Nuovo" draws the next exercise and the panel goes.
    QCOMPARE(w->Esatte(), 1);
    QCOMPARE(w->Errori(), 1);
    QCOMPARE(w->btnNuovo->text(), QStringLiteral("Nuovo"));
    QCOMPARE(es->TestoEsercizio(), esercizio);
    Procedi(w.get());
    QVERIFY(!w->pnlSoluzione->isVisible());
    QCOMPARE(w->btnNuovo->text(), QStringLiteral("Procedi"));
    QCOMPARE(w->Errori(), 1);
    w->btnChiudi->click();
}

QTEST_MAIN(TestRisposteCattive)
#include "test_risposte_cattive.moc"
