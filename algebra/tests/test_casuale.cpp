// The random exercise material: exact ranges, the fraction rules, the
// bracketing forms and rough probabilities, on a seeded source.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

#include "funzioni.h"

using namespace mevario;

namespace {

constexpr int kEstrazioni = 20000;

class Casuale : public ::testing::Test {
protected:
    void SetUp() override { ImpostaSeme(20261207); }
};

// Fraction of draws for which the predicate holds.
template <typename F>
double Frequenza(int n, F f)
{
    int si = 0;
    for (int i = 0; i < n; ++i)
        if (f())
            ++si;
    return static_cast<double>(si) / n;
}

} // namespace

TEST_F(Casuale, CasualeTraCoversItsRangeAndNeverTheUpperBound)
{
    for (auto [a, b] : std::initializer_list<std::pair<int, int>>{{2, 4}, {1, 4}, {1, 9}, {2, 9}, {2, 5}, {1, 3}, {2, 50}}) {
        std::set<int> visti;
        for (int i = 0; i < kEstrazioni; ++i)
            visti.insert(CasualeTra(a, b));
        EXPECT_EQ(visti.size(), static_cast<std::size_t>(b - a)) << a << ".." << b;
        EXPECT_EQ(*visti.begin(), a);
        EXPECT_EQ(*visti.rbegin(), b - 1);
    }
    EXPECT_EQ(CasualeTra(5, 5), 5);
    EXPECT_EQ(CasualeTra(5, 2), 5);
}

TEST_F(Casuale, TestaOCroceIsFair)
{
    EXPECT_NEAR(Frequenza(kEstrazioni, TestaOCroce), 0.5, 0.02);
}

TEST_F(Casuale, SeedingGivesTheSameSequence)
{
    ImpostaSeme(7);
    const std::string a = MonomioCasuale() + NonMonomioCasuale();
    ImpostaSeme(7);
    EXPECT_EQ(MonomioCasuale() + NonMonomioCasuale(), a);
}

TEST_F(Casuale, CoefficienteCasualeRangesFormsAndValues)
{
    std::set<int> interi, numeratori, denominatori;
    std::set<std::string> forme;
    int frazioni = 0, negativi = 0;
    const std::regex intero(R"(\(?(-?)([0-9]+)\)?)");
    const std::regex frazione(R"(\(?(-?)\(([0-9]+)/([0-9]+)\)\)?)");
    for (int i = 0; i < kEstrazioni; ++i) {
        const bool parentesi = (i % 2) == 0;
        const auto c = CoefficienteCasuale(parentesi);
        std::smatch m;
        if (c.den == 1) {
            ASSERT_TRUE(std::regex_match(c.testo, m, intero)) << c.testo;
            EXPECT_EQ(std::stoi(m[1].str() + m[2].str()), c.num);
            interi.insert(std::abs(c.num));
        } else {
            ++frazioni;
            ASSERT_TRUE(std::regex_match(c.testo, m, frazione)) << c.testo;
            EXPECT_EQ(std::stoi(m[1].str() + m[2].str()), c.num) << c.testo;
            EXPECT_EQ(std::stoi(m[3].str()), c.den) << c.testo;
            EXPECT_NE(std::abs(c.num), c.den) << c.testo;
            EXPECT_NE(std::abs(c.num) % c.den, 0) << c.testo;
            numeratori.insert(std::abs(c.num));
            denominatori.insert(c.den);
        }
        if (c.num < 0) {
            ++negativi;
            // A negative value is bracketed exactly when asked for.
            EXPECT_EQ(c.testo.front() == '(' && c.testo[1] == '-', parentesi) << c.testo;
            EXPECT_EQ(c.testo.front() == '-', !parentesi) << c.testo;
        } else {
            EXPECT_NE(c.testo.front(), '-');
        }
        forme.insert(std::regex_replace(c.testo, std::regex("[0-9]+"), "n"));
    }
    EXPECT_EQ(interi, (std::set<int>{2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(numeratori, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(denominatori, (std::set<int>{2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(forme, (std::set<std::string>{"n", "-n", "(-n)", "(n/n)", "-(n/n)", "(-(n/n))"}));
    EXPECT_NEAR(static_cast<double>(frazioni) / kEstrazioni, 1.0 / 3.0, 0.02);
    EXPECT_NEAR(static_cast<double>(negativi) / kEstrazioni, 0.5, 0.02);
}

TEST_F(Casuale, CoefficienteCasualeFinoRanges)
{
    for (int limite : {50, 20}) {
        std::set<int> interi, numeratori, denominatori;
        int frazioni = 0;
        for (int i = 0; i < 4 * kEstrazioni; ++i) {
            const auto c = CoefficienteCasualeFino(limite, false);
            if (c.den == 1) {
                interi.insert(std::abs(c.num));
            } else {
                ++frazioni;
                EXPECT_NE(std::abs(c.num) % c.den, 0);
                EXPECT_NE(std::abs(c.num), c.den);
                numeratori.insert(std::abs(c.num));
                denominatori.insert(c.den);
                EXPECT_EQ(c.testo, (c.num < 0 ? "-(" : "(") + std::to_string(std::abs(c.num)) + "/" +
                                       std::to_string(c.den) + ")");
            }
        }
        EXPECT_EQ(interi.size(), static_cast<std::size_t>(limite - 2));
        EXPECT_EQ(*interi.begin(), 2);
        EXPECT_EQ(*interi.rbegin(), limite - 1);
        // Numerator limite-1 never makes a whole fraction with every denominator,
        // so 1..limite-1 all occur.
        EXPECT_EQ(numeratori.size(), static_cast<std::size_t>(limite - 1));
        EXPECT_EQ(*numeratori.rbegin(), limite - 1);
        EXPECT_EQ(denominatori.size(), static_cast<std::size_t>(limite - 2));
        EXPECT_EQ(*denominatori.rbegin(), limite - 1);
        EXPECT_NEAR(static_cast<double>(frazioni) / (4 * kEstrazioni), 0.5, 0.02);
    }
}

TEST_F(Casuale, ParteLetteraleCasualeWithThreeLetters)
{
    const std::regex forma(R"((x(\^[23])?)?(\*?y(\^[23])?)?(\*?z(\^[23])?)?)");
    std::map<std::string, int> conteggio;
    int soloX = 0, conEsponente = 0, lettere = 0;
    std::set<int> gradi;
    for (int i = 0; i < kEstrazioni; ++i) {
        const std::string p = ParteLetteraleCasuale(3);
        ASSERT_FALSE(p.empty());
        ASSERT_TRUE(std::regex_match(p, forma)) << p;
        EXPECT_NE(p.front(), '*');
        EXPECT_EQ(p.find("**"), std::string::npos);
        EXPECT_NE(p.find_first_of("xyz"), std::string::npos);
        if (p == "x" || p == "x^2" || p == "x^3")
            ++soloX;
        int grado = 0;
        for (const char* l : {"x", "y", "z"}) {
            const int e = Esponente(p, l);
            grado += e;
            if (e > 0) {
                ++conteggio[l];
                ++lettere;
            }
            if (e > 1)
                ++conEsponente;
        }
        gradi.insert(grado);
    }
    EXPECT_NEAR(static_cast<double>(soloX) / kEstrazioni, 0.25, 0.02);
    EXPECT_NEAR(static_cast<double>(conteggio["y"]) / kEstrazioni, 0.5, 0.02);
    EXPECT_NEAR(static_cast<double>(conteggio["z"]) / kEstrazioni, 0.5, 0.02);
    EXPECT_NEAR(static_cast<double>(conEsponente) / lettere, 0.5, 0.02);
    EXPECT_EQ(gradi, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(Casuale, ParteLetteraleCasualeWithTwoLettersConsidersZOnlyAfterOneLetter)
{
    int conZ = 0;
    for (int i = 0; i < kEstrazioni; ++i) {
        const std::string p = ParteLetteraleCasuale(2);
        const bool x = Esponente(p, "x") > 0, y = Esponente(p, "y") > 0, z = Esponente(p, "z") > 0;
        ASSERT_LE(x + y + z, 2) << p;
        ASSERT_FALSE(x && y && z);
        if (z)
            ++conZ;
    }
    // z is drawn (1/2) only when x and y were not both drawn (3/4).
    EXPECT_NEAR(static_cast<double>(conZ) / kEstrazioni, 0.375, 0.02);
}

TEST_F(Casuale, MonomioCasualeIsCoefficientStarLiteralPart)
{
    const std::regex forma(R"(-?(\d|\(\d/\d\))\*x?(\^[23])?\*?y?(\^[23])?\*?z?(\^[23])?)");
    for (int i = 0; i < kEstrazioni; ++i) {
        const std::string m = MonomioCasuale();
        ASSERT_TRUE(std::regex_match(m, forma)) << m;
        ASSERT_NE(m.find_first_of("xyz"), std::string::npos) << m;
    }
}

TEST_F(Casuale, NonMonomioCasualeIsNeverAMonomial)
{
    const std::regex potenzaNegativa(R"(-?(\d|\(\d/\d\))\*[xy]\^\(-[234]\)(\*z(\^[234])?)?)");
    const std::regex somma(R"(-?(\d|\(\d/\d\))[+-][xyz].*)");
    int negativi = 0;
    std::set<int> esponentiNegativi;
    for (int i = 0; i < kEstrazioni; ++i) {
        const std::string t = NonMonomioCasuale();
        const bool a = std::regex_match(t, potenzaNegativa), b = std::regex_match(t, somma);
        ASSERT_TRUE(a != b) << t;
        if (a) {
            ++negativi;
            esponentiNegativi.insert(t[t.find("^(-") + 3] - '0');
        } else {
            // The literal part after the sign is a whole random literal part.
            const auto s = t.find_first_of("+-", 1);
            EXPECT_EQ(t.find_first_of("+-", s + 1), std::string::npos) << t;
        }
    }
    EXPECT_NEAR(static_cast<double>(negativi) / kEstrazioni, 0.5, 0.02);
    EXPECT_EQ(esponentiNegativi, (std::set<int>{2, 3, 4}));
}
