// The reader of a line of working and the judgement of a step.
#include <gtest/gtest.h>

#include <chrono>

#include "espressione.h"
#include "passaggi.h"

using namespace mevario;

namespace {

std::string Canonico(const std::string& riga) { return TestoPolinomio(PolinomioDi(riga)); }

// The reason and the byte where a line stops reading, or "legge".
std::string Rifiuto(const std::string& riga)
{
    try {
        (void)PolinomioDi(riga);
        return "legge";
    } catch (const ErroreRiga& e) {
        return std::string(e.troppoGrande() ? "troppo grande" : "illeggibile") + " @" +
               std::to_string(e.posizione()) + ": " + e.motivo();
    }
}

GiudizioPassaggio Giudica(const std::string& a, const std::string& b) { return GiudicaPassaggio(a, b); }

} // namespace

TEST(LettorePassaggi, AnswerNotation)
{
    EXPECT_EQ(Canonico("-3/4x^2y"), "-3/4x^2y");
    EXPECT_EQ(Canonico("2/3"), "2/3");
    EXPECT_EQ(Canonico("12x^5"), "12x^5");
    EXPECT_EQ(Canonico("X^2Y"), "x^2y");          // either case
    EXPECT_EQ(Canonico("3 x  y"), "3xy");         // spaces ignored
    EXPECT_EQ(Canonico("1 2x"), "12x");           // as in the answers: digits join across a space
    EXPECT_EQ(Canonico("2*x*y^2"), "2xy^2");
    EXPECT_EQ(Canonico("yx"), "xy");
    EXPECT_EQ(Canonico("x^0"), "1");
    EXPECT_EQ(Canonico("+3x-2x"), "x");
    EXPECT_EQ(Canonico("6/8x"), "3/4x");
    EXPECT_EQ(Canonico("x-x"), "0");
    EXPECT_EQ(Canonico("2/3^2"), "4/9"); // a fraction is one number, as the preview brackets it
}

TEST(LettorePassaggi, BracketsProductsPowersAndMinus)
{
    EXPECT_EQ(Canonico("(x+1)(x-2)"), "x^2-x-2");
    EXPECT_EQ(Canonico("[x+1][x-2]"), "x^2-x-2");
    EXPECT_EQ(Canonico("{x+1}*{x-2}"), "x^2-x-2");
    EXPECT_EQ(Canonico("2(x+1)"), "2x+2");
    EXPECT_EQ(Canonico("(x+1)*3x"), "3x^2+3x");
    EXPECT_EQ(Canonico("(x+1)3"), "3x+3");
    EXPECT_EQ(Canonico("(2x^2y)^3"), "8x^6y^3");
    EXPECT_EQ(Canonico("(x-1)^2"), "x^2-2x+1");
    EXPECT_EQ(Canonico("-(x+1)"), "-x-1");
    EXPECT_EQ(Canonico("-(-x)"), "x");
    EXPECT_EQ(Canonico("x--y"), "x+y");
    EXPECT_EQ(Canonico("3x*-2y"), "-6xy");
    EXPECT_EQ(Canonico("{2[x-(y+1)]}^2"), "4x^2-8xy-8x+4y^2+8y+4");
    EXPECT_EQ(Canonico("2x^3 - [x^2 - (x - {1 - x})]"), "2x^3-x^2+2x-1");
    EXPECT_EQ(Canonico("(x+y)^0"), "1");
    EXPECT_EQ(Canonico("(-1/2x)^3"), "-1/8x^3");
}

TEST(LettorePassaggi, DivisionByAMonomial)
{
    EXPECT_EQ(Canonico("(6x^3y):(2xy)"), "3x^2");
    EXPECT_EQ(Canonico("12x^5:3x^2"), "4x^3"); // the divisor is the whole monomial after ':'
    EXPECT_EQ(Canonico("(4x^2-2x):2x"), "2x-1");
    EXPECT_EQ(Canonico("3/4x^2:(-1/2x)"), "-3/2x");
    EXPECT_EQ(Canonico("6x^2:2x*3y"), "9xy"); // ':' and '*' from left to right
    EXPECT_EQ(Rifiuto("x:0"), "illeggibile @1: non si pu\xC3\xB2 dividere per zero");
    EXPECT_EQ(Rifiuto("x:(x-x)"), "illeggibile @1: non si pu\xC3\xB2 dividere per zero");
    EXPECT_EQ(Rifiuto("x^2:(x+1)"), "illeggibile @3: si pu\xC3\xB2 dividere solo per un monomio");
    EXPECT_EQ(Rifiuto("x:y").rfind("illeggibile @1: questa divisione non d\xC3\xA0 un polinomio", 0), 0U);
    EXPECT_EQ(Rifiuto("(x^2+1):x").rfind("illeggibile @7: questa divisione", 0), 0U);
}

TEST(LettorePassaggi, UnreadableAtTheSpotOfTheAnswers)
{
    EXPECT_EQ(Rifiuto(""), "illeggibile @-1: la riga \xC3\xA8 vuota");
    EXPECT_EQ(Rifiuto("   "), "illeggibile @-1: la riga \xC3\xA8 vuota");
    EXPECT_EQ(Rifiuto("x+"), "illeggibile @2: qui manca un numero o una lettera");
    EXPECT_EQ(Rifiuto("x+*y"), "illeggibile @2: qui manca un numero o una lettera");
    EXPECT_EQ(Rifiuto("x+(1"), "illeggibile @4: qui manca una parentesi chiusa");
    EXPECT_EQ(Rifiuto("x+1)"), "illeggibile @3: questa parentesi non \xC3\xA8 stata aperta");
    EXPECT_EQ(Rifiuto("2()"), "illeggibile @2: tra le parentesi manca qualcosa");
    EXPECT_EQ(Rifiuto("(x+1]"), "illeggibile @4: questa parentesi non chiude quella aperta: ci vuole \xC2\xAB)\xC2\xBB");
    EXPECT_EQ(Rifiuto("[x+(1]+2)"), "illeggibile @5: questa parentesi non chiude quella aperta: ci vuole \xC2\xAB)\xC2\xBB");
    EXPECT_EQ(Rifiuto("x+a"), "illeggibile @2: qui si usano solo le lettere x, y, z");
    EXPECT_EQ(Rifiuto("x=2"), "illeggibile @1: questo carattere non si pu\xC3\xB2 usare");
    // The typographic minus and dot: the answer field has no key for them
    // and the answers refuse them; so do the steps.
    EXPECT_EQ(Rifiuto("x\xE2\x88\x92y"), "illeggibile @1: questo carattere non si pu\xC3\xB2 usare");
    EXPECT_EQ(Rifiuto("x\xC2\xB7y"), "illeggibile @1: questo carattere non si pu\xC3\xB2 usare");
    EXPECT_EQ(Rifiuto("3/0x"), "illeggibile @0: Il denominatore non pu\xC3\xB2 essere zero.");
    EXPECT_EQ(Rifiuto("x+1.5y"),
              "illeggibile @2: Non riesco a leggere il coefficiente \xC2\xAB" "1.5\xC2\xBB: scrivi un numero intero o "
              "una frazione come 3/4.");
    EXPECT_EQ(Rifiuto("x^y"), "illeggibile @2: qui ci vuole l'esponente: un numero intero da 0 a 50");
    EXPECT_EQ(Rifiuto("x^-2"), "illeggibile @2: qui ci vuole l'esponente: un numero intero da 0 a 50");
    EXPECT_EQ(Rifiuto("x^2^3"), "illeggibile @3: due potenze di seguito: usa le parentesi");
    EXPECT_EQ(Rifiuto("x/2"), "illeggibile @1: la frazione si scrive tra due numeri: numeratore/denominatore");
    EXPECT_EQ(Rifiuto("3/x"), "illeggibile @2: qui manca il denominatore della frazione");
    EXPECT_EQ(Rifiuto("(0)^0"), "illeggibile @3: 0 elevato a 0 non ha significato");
}

TEST(LettorePassaggi, LimitsAreTooBigAtOnce)
{
    const auto inizio = std::chrono::steady_clock::now();
    EXPECT_EQ(Rifiuto("(x+y+z)^50"), "troppo grande @7: il calcolo avrebbe pi\xC3\xB9 di 2000 termini");
    EXPECT_EQ(Rifiuto("(x+1)^11"), "troppo grande @5: il calcolo avrebbe pi\xC3\xB9 di 2000 termini");
    EXPECT_EQ(Rifiuto("(x+1)^10"), "legge");
    EXPECT_EQ(Rifiuto("x^51"), "troppo grande @2: un esponente \xC3\xA8 maggiore di 50");
    EXPECT_EQ(Rifiuto("x^50"), "legge");
    EXPECT_EQ(Rifiuto("x^30*x^21"), "troppo grande @-1: un esponente \xC3\xA8 maggiore di 50");
    EXPECT_EQ(Rifiuto("(x^10)^6"), "troppo grande @6: un esponente \xC3\xA8 maggiore di 50");
    EXPECT_EQ(Rifiuto(std::string(1000, '(') + "x" + std::string(1000, ')')),
              "troppo grande @-1: la riga ha pi\xC3\xB9 di 1000 caratteri");
    EXPECT_EQ(Rifiuto(std::string(51, '(') + "x" + std::string(51, ')')),
              "troppo grande @50: ci sono pi\xC3\xB9 di 50 parentesi una dentro l'altra");
    EXPECT_EQ(Rifiuto(std::string(50, '(') + "x" + std::string(50, ')')), "legge");
    EXPECT_EQ(Rifiuto(std::string(1000, '9')), "troppo grande @0: un numero \xC3\xA8 troppo grande");
    EXPECT_EQ(Rifiuto(std::string(1001, '9')), "troppo grande @-1: la riga ha pi\xC3\xB9 di 1000 caratteri");
    EXPECT_EQ(Rifiuto("x+" + std::string(39, '9')), "troppo grande @2: un numero \xC3\xA8 troppo grande");
    EXPECT_EQ(Rifiuto(std::string(38, '9')), "legge");
    // Coefficients that outgrow 128 bits while computing.
    EXPECT_EQ(Rifiuto("(8x)^50"), "troppo grande @4: un numero \xC3\xA8 troppo grande");
    EXPECT_EQ(Rifiuto("99999999999999999999x*99999999999999999999x"), "troppo grande @-1: un numero \xC3\xA8 troppo grande");
    // 1000 characters are counted as characters, not bytes.
    std::string accentate;
    for (int i = 0; i < 600; ++i)
        accentate += "\xC3\xA8";
    EXPECT_EQ(Rifiuto(accentate), "illeggibile @0: questo carattere non si pu\xC3\xB2 usare");
    const auto durata = std::chrono::steady_clock::now() - inizio;
    // Generous: every refusal above is meant to cost microseconds.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(durata).count(), 2000);
}

TEST(GiudicaPassaggio, EquivalentAndNot)
{
    EXPECT_EQ(Giudica("(x+1)(x-2)", "x^2-2x+x-2").verdetto, VerdettoPassaggio::Equivalente);
    EXPECT_EQ(Giudica("x^2-2x+x-2", "x^2-x-2").verdetto, VerdettoPassaggio::Equivalente);
    const GiudizioPassaggio g = Giudica("x^2-2x+x-2", "x^2+x-2");
    ASSERT_EQ(g.verdetto, VerdettoPassaggio::NonEquivalente);
    ASSERT_EQ(g.valori.size(), 1U);
    EXPECT_EQ(g.valori[0], (std::pair<char, long long>('x', 1)));
    EXPECT_EQ(g.valorePrima, "-2");
    EXPECT_EQ(g.valoreDopo, "0");
    EXPECT_EQ(FraseControesempio(g), "per x = 1: prima vale -2, dopo vale 0");
    // Equivalent steps have no counterexample and no sentence.
    const GiudizioPassaggio e = Giudica("2x^2y*3x^3y", "6x^5y^2");
    EXPECT_TRUE(e.valori.empty());
    EXPECT_TRUE(e.valorePrima.empty());
    EXPECT_EQ(FraseControesempio(e), "");
}

TEST(GiudicaPassaggio, CounterexampleUsesPleasantDistinctValues)
{
    // x^2y and xy^2 are equal wherever x = y: the values are distinct.
    GiudizioPassaggio g = Giudica("x^2y", "xy^2");
    EXPECT_EQ(FraseControesempio(g), "per x = 1, y = 2: prima vale 2, dopo vale 4");
    // Letters of either line, in the order x, y, z.
    g = Giudica("z+x", "z+x+y");
    EXPECT_EQ(FraseControesempio(g), "per x = 1, y = 2, z = -1: prima vale 0, dopo vale 2");
    // Fractions exact; a difference that vanishes at 1 and 2.
    g = Giudica("1/2x", "1/2x+(x-1)(x-2)");
    EXPECT_EQ(FraseControesempio(g), "per x = -1: prima vale -1/2, dopo vale 11/2");
    // Constants: no letters.
    g = Giudica("2+3", "6");
    EXPECT_EQ(FraseControesempio(g), "prima vale 5, dopo vale 6");
    // A high-degree difference that vanishes on the first eight values.
    g = Giudica("x", "x+x(x-1)(x-2)(x+1)(x-3)(x+2)(x-4)(x+3)");
    ASSERT_EQ(g.verdetto, VerdettoPassaggio::NonEquivalente);
    EXPECT_EQ(FraseControesempio(g).substr(0, 9), "per x = 5");
}

TEST(GiudicaPassaggio, UnreadableLineIsNamed)
{
    GiudizioPassaggio g = Giudica("(x+1)(x-2)", "x^2-x-");
    EXPECT_EQ(g.verdetto, VerdettoPassaggio::Illeggibile);
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(g.posizione, 6);
    EXPECT_EQ(g.motivo, "qui manca un numero o una lettera");
    g = Giudica("(x+1", "x+1");
    EXPECT_EQ(g.riga, 0);
    EXPECT_EQ(g.motivo, "qui manca una parentesi chiusa");
    g = Giudica("x", "(x+y+z)^50");
    EXPECT_EQ(g.verdetto, VerdettoPassaggio::TroppoGrande);
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(FraseControesempio(g), "");
}
