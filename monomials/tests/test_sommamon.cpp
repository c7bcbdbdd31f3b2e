// The sum of monomials: its exercises and its check, on many seeded draws.
#include <QApplication>
#include <QTest>

#include <numeric>
#include <regex>

#include "Risposte.h"
#include "SommaMon.h"
#include "ucomune.h"

using namespace mevario;
using namespace mevario::test;

namespace {

// The exact sum of the exercise as num/den.
std::pair<long long, long long> SommaEsatta(const EsercizioSommaMon& f)
{
    long long num = 0, den = 1;
    for (auto [p, q] : {std::pair<long long, long long>{f.p1, f.q1}, {f.p2, f.q2}, {f.p3, f.q3}}) {
        num = num * q + p * den;
        den *= q;
        const long long g = std::gcd(num < 0 ? -num : num, den);
        if (g > 1) {
            num /= g;
            den /= g;
        }
    }
    return {num, den};
}

} // namespace

class TestSommaMon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new Tfrmcomune; }
    void cleanupTestCase() { delete Tfrmcomune::Istanza(); }
    void exercisesHaveTwoOrThreeSimilarTerms();
    void expectedAnswerInEveryFormIsRightAndPerturbedWrong();
    void documentedAnswersForSeventeenHalves();
    void zeroAndPlusMinusOneCoefficients();
    void unreadableAnswersRaiseBeforeCounting();
};

void TestSommaMon::exercisesHaveTwoOrThreeSimilarTerms()
{
    TfrmSommaMon f;
    const EsercizioSommaMon& e = f.Esercizio();
    f.ModoEsercizi = true;
    ImpostaSeme(42);
    int tre = 0;
    const std::regex segnoSenzaParentesi(R"(&string\(  \+  \)&-)");
    for (int i = 0; i < 300; ++i) {
        f.PreparaPagina();
        const std::string& t = f.TestoEsercizio;
        const std::size_t termini = 1 + (t.size() - std::regex_replace(t, std::regex("&string"), "").size()) / 7;
        QVERIFY(termini == 2 || termini == 3);
        if (termini == 3)
            ++tre;
        QVERIFY(t.front() != '(' || t[1] != '-'); // the first term never bracketed
        QVERIFY(!std::regex_search(t, segnoSenzaParentesi)); // a negative later term always is
        // Every term ends with the same literal part.
        std::size_t pos = 0, trovati = 0;
        while ((pos = t.find("*" + e.L, pos)) != std::string::npos) {
            ++trovati;
            pos += e.L.size();
        }
        QVERIFY(trovati >= termini);
        QCOMPARE(f.lbDomanda->text(), QStringLiteral("Calcola la somma"));
    }
    QVERIFY(tre > 100 && tre < 200);
}

void TestSommaMon::expectedAnswerInEveryFormIsRightAndPerturbedWrong()
{
    TfrmSommaMon w;
    EsercizioSommaMon& f = w.Esercizio();
    w.ModoEsercizi = true;
    ImpostaSeme(7);
    for (int i = 0; i < 500; ++i) {
        w.PreparaPagina();
        QCOMPARE(w.TestoEsercizio, f.TestoEsercizio());
        QVERIFY(f.Verifica(f.RispostaAttesa()));
        const auto [num, den] = SommaEsatta(f);
        const std::string giusta = Digitata(num, den, f.L);
        QVERIFY2(f.Verifica(giusta), giusta.c_str());
        // With the stars, with spaces, unreduced, with the fraction bracketed.
        QVERIFY(f.Verifica(Digitata(num, den, f.L, true)));
        std::string spazi;
        for (char c : giusta)
            spazi += std::string(1, c) + " ";
        QVERIFY2(f.Verifica(spazi), spazi.c_str());
        if (num != 0) {
            const std::string doppia = std::to_string(2 * num) + "/" + std::to_string(2 * den) + TogliCarattere('*', f.L);
            QVERIFY2(f.Verifica(doppia), doppia.c_str());
        }
        if (den != 1) {
            const std::string tra = (num < 0 ? "-(" : "(") + std::to_string(num < 0 ? -num : num) + "/" +
                                    std::to_string(den) + ")" + f.L;
            QVERIFY2(f.Verifica(tra), tra.c_str());
        }
        // A different coefficient, another literal part, capitals: wrong.
        QVERIFY(!f.Verifica(Digitata(num + den, den, f.L)));
        QVERIFY(!f.Verifica(Digitata(num, den, f.L + "*z^9")));
        std::string maiuscola = giusta;
        for (char& c : maiuscola)
            if (c >= 'x' && c <= 'z')
                c = static_cast<char>(c - 32);
        QVERIFY(!f.Verifica(maiuscola));
    }
}

void TestSommaMon::documentedAnswersForSeventeenHalves()
{
    EsercizioSommaMon f;
    f.p1 = 17;
    f.q1 = 2;
    f.p2 = 0;
    f.q2 = 1;
    f.p3 = 0;
    f.q3 = 1;
    f.L = "x^2*y";
    for (const char* s : {"17/2x^2y", "34/4 x^2 y", "(17/2)x^2*y"})
        QVERIFY2(f.Verifica(s), s);
    for (const char* s : {"17/2y x^2", "17/2X^2Y", "17/2x^2y^1", "8.5x^2y"})
        QVERIFY2(!f.Verifica(s), s);
}

void TestSommaMon::zeroAndPlusMinusOneCoefficients()
{
    EsercizioSommaMon f;
    f.p1 = 3;
    f.q1 = 1;
    f.p2 = -3;
    f.q2 = 1;
    f.L = "x*z";
    QVERIFY(f.Verifica("0xz"));
    QVERIFY(!f.Verifica("0"));
    QVERIFY(!f.Verifica("xz"));
    f.p2 = -2;
    QVERIFY(f.Verifica("xz"));
    QVERIFY(f.Verifica("1xz"));
    f.p2 = -4;
    QVERIFY(f.Verifica("-xz"));
    QVERIFY(f.Verifica("-1x*z"));
}

void TestSommaMon::unreadableAnswersRaiseBeforeCounting()
{
    EsercizioSommaMon f;
    f.p1 = 1;
    f.q1 = 2;
    f.L = "x";
    QVERIFY_THROWS_EXCEPTION(ErroreConversione, f.Verifica("2-3x"));
    QVERIFY_THROWS_EXCEPTION(ErroreDivisionePerZero, f.Verifica("4/0x"));
    QVERIFY_THROWS_EXCEPTION(ErroreOperazioneNonValida, f.Verifica("0/0x"));
}

QTEST_MAIN(TestSommaMon)
#include "test_sommamon.moc"
