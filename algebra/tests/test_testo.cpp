// The monomial text model: typed form, formula form and the answer readers.
#include <gtest/gtest.h>

#include "funzioni.h"
#include "scrittura.h"

using namespace mevario;

namespace {

std::string MessaggioConversione(const std::string& testo)
{
    try {
        LeggiCoefficiente(testo);
    } catch (const ErroreConversione& e) {
        return e.what();
    }
    return "(nessun errore)";
}

} // namespace

TEST(FormaFormula, HelpModelsAndDocumentedExamples)
{
    EXPECT_EQ(FormaFormula("12x^5"), "12*x^5");
    EXPECT_EQ(FormaFormula("-2/5xy^3z"), "-(2/5)*x*y^3*z");
    EXPECT_EQ(FormaFormula("7/12x"), "(7/12)*x");
    EXPECT_EQ(FormaFormula("xy"), "x*y");
    EXPECT_EQ(FormaFormula("x2"), "x*2");
    EXPECT_EQ(FormaFormula("2(x)"), "2(x)");
    EXPECT_EQ(FormaFormula("(2/5)x"), "((2/5))*x");
}

TEST(FormaFormula, BracketsOnlyTheFirstFraction)
{
    EXPECT_EQ(FormaFormula("1/2x+3/4y"), "(1/2)*x+3/4*y");
    // A bar in first position is left alone, and then no later bar counts.
    EXPECT_EQ(FormaFormula("/2x+3/4y"), "/2*x+3/4*y");
    // Empty digit runs still get their brackets.
    EXPECT_EQ(FormaFormula("x/5"), "x(/5)");
    EXPECT_EQ(FormaFormula("3/x"), "(3/)*x");
    EXPECT_EQ(FormaFormula("-/"), "-(/)");
}

TEST(FormaFormula, SpacesAndOtherCharactersBreakTheFlags)
{
    EXPECT_EQ(FormaFormula("2 x"), "2 x");
    EXPECT_EQ(FormaFormula("x ^2y"), "x ^2*y");
    EXPECT_EQ(FormaFormula("x^2y"), "x^2*y"); // the digit after '^' is a digit like any other
    EXPECT_EQ(FormaFormula("X2Y"), "X*2*Y");
    EXPECT_EQ(FormaFormula(""), "");
    EXPECT_EQ(FormaFormula("2*x"), "2*x");
}

TEST(TogliCarattere, RemovesEveryOccurrence)
{
    EXPECT_EQ(TogliCarattere(' ', " a b  c "), "abc");
    EXPECT_EQ(TogliCarattere('(', "((2/5))*x"), "2/5))*x");
    EXPECT_EQ(TogliCarattere('x', ""), "");
}

TEST(ParteLetterale, CopiesFromFirstLetterOrStarWithoutSpaces)
{
    EXPECT_EQ(ParteLetterale("-2/5 x y^3 z"), "xy^3z");
    EXPECT_EQ(ParteLetterale("3*x^2"), "x^2");
    EXPECT_EQ(ParteLetterale("5"), "");
    EXPECT_EQ(ParteLetterale(""), "");
    EXPECT_EQ(ParteLetterale("2x^2+3"), "x^2+3");
    EXPECT_EQ(ParteLetterale("yx"), "yx"); // order kept as typed
    EXPECT_EQ(ParteLetterale("3**x"), "*x"); // only one '*' is dropped
}

TEST(LeggiCoefficiente, DocumentedExamples)
{
    struct Caso {
        const char* testo;
        int num, den;
    };
    const Caso casi[] = {
        {"12x^5", 12, 1}, {"-2/5xy", -2, 5}, {"(2/5)x", 2, 5}, {"-(2/5)x", -2, 5},
        {"-x", -1, 1},    {"x^3", 1, 1},     {"+3x", 1, 1},    {"0.5x", 0, 1},
        {"2/-3x", 2, -3}, {"4/0x", 4, 0},    {"", 1, 1},       {" 7 ", 7, 1},
        {"-2147483648x", -2147483647 - 1, 1}, {"2147483647", 2147483647, 1},
    };
    for (const auto& c : casi) {
        const Frazione f = LeggiCoefficiente(c.testo);
        EXPECT_EQ(f.num, c.num) << c.testo;
        EXPECT_EQ(f.den, c.den) << c.testo;
    }
}

TEST(LeggiCoefficiente, InvalidBuffersRaiseTheConversionMessage)
{
    EXPECT_EQ(MessaggioConversione("2-3x"), "'2-3' is not a valid integer value");
    EXPECT_EQ(MessaggioConversione("--2x"), "'--2' is not a valid integer value");
    EXPECT_EQ(MessaggioConversione("5-x"), "'5-' is not a valid integer value");
    EXPECT_EQ(MessaggioConversione("2/-x"), "'-' is not a valid integer value");
    // Beyond the signed 32-bit range.
    EXPECT_EQ(MessaggioConversione("2147483648x"), "'2147483648' is not a valid integer value");
    EXPECT_EQ(MessaggioConversione("-2147483649"), "'-2147483649' is not a valid integer value");
    EXPECT_EQ(MessaggioConversione("1/99999999999999999999999"),
              "'99999999999999999999999' is not a valid integer value");
    // The error is one of the algebra core's calculation errors.
    EXPECT_THROW(LeggiCoefficiente("2-3"), ErroreCalcolo);
}

TEST(Quoziente, ZeroDenominatorsRaiseTheFloatingPointMessages)
{
    EXPECT_DOUBLE_EQ(static_cast<double>(Quoziente(-2, 5)), -0.4);
    EXPECT_DOUBLE_EQ(static_cast<double>(Quoziente(2, -3)), -2.0 / 3.0);
    try {
        Quoziente(4, 0);
        FAIL();
    } catch (const ErroreDivisionePerZero& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    try {
        Quoziente(0, 0);
        FAIL();
    } catch (const ErroreOperazioneNonValida& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
    EXPECT_THROW(Quoziente(-1, 0), ErroreCalcolo);
}

TEST(Esponente, ReadsAtMostTwoDigitsOfTheFirstOccurrence)
{
    EXPECT_EQ(Esponente("x*x", "x"), 1);
    EXPECT_EQ(Esponente("x^12", "x"), 12);
    EXPECT_EQ(Esponente("x^123", "x"), 12);
    EXPECT_EQ(Esponente("x^(2)", "x"), 1);
    EXPECT_EQ(Esponente("X^3", "x"), 3);
    EXPECT_EQ(Esponente("x^3", "X"), 3);
    EXPECT_EQ(Esponente("x^", "x"), 1);
    EXPECT_EQ(Esponente("x^a", "x"), 1);
    EXPECT_EQ(Esponente("3*y^2", "x"), 0);
    EXPECT_EQ(Esponente("x*x^5", "x"), 1);
    EXPECT_EQ(Esponente("x^07", "x"), 7);
    EXPECT_EQ(Esponente("", "z"), 0);
}

TEST(StessaParteLetterale, ComparesExponentsOfXYZ)
{
    EXPECT_TRUE(StessaParteLetterale("3*x^2*y", "x^2*y"));
    EXPECT_TRUE(StessaParteLetterale("x", "x^1"));
    EXPECT_FALSE(StessaParteLetterale("x*y", "x*z"));
    EXPECT_TRUE(StessaParteLetterale("y*x^2", "x^2*y")); // order does not matter here
    EXPECT_FALSE(StessaParteLetterale("x^2", "x^3"));
    EXPECT_TRUE(StessaParteLetterale("", "5"));
}

TEST(SeparaTermini, CutsAtSignsButKeepsStarMinus)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SeparaTermini("3x^2-2/5xy+z"), (V{"3*x^2", "-2/5*x*y", "z"}));
    EXPECT_EQ(SeparaTermini("-x+y"), (V{"-x", "y"}));
    EXPECT_EQ(SeparaTermini("2*-3x"), (V{"2*-3*x"}));
    EXPECT_EQ(SeparaTermini(" x - y "), (V{"x", "-y"}));
    EXPECT_EQ(SeparaTermini("x+"), (V{"x", ""}));
    EXPECT_EQ(SeparaTermini("+x"), (V{"+x"})); // the first character starts the first term
    EXPECT_EQ(SeparaTermini(""), V{});
    EXPECT_EQ(SeparaTermini("  "), V{});
    EXPECT_EQ(SeparaTermini("()"), V{});
}

TEST(CalcolaMcdMcm, DocumentedValuesAndZeros)
{
    EXPECT_EQ(CalcolaMcd(-12, 18), 6);
    EXPECT_EQ(CalcolaMcd(0, 7), 7);
    EXPECT_EQ(CalcolaMcd(7, 0), 7);
    EXPECT_EQ(CalcolaMcd(0, 0), 0);
    EXPECT_EQ(CalcolaMcd(CalcolaMcd(12, 18), 27), 3);
    EXPECT_EQ(CalcolaMcm(4, -6), 12);
    EXPECT_EQ(CalcolaMcm(7, 5), 35);
    EXPECT_EQ(CalcolaMcm(0, 5), 0);
    EXPECT_EQ(CalcolaMcm(-2147483647 - 1, 2147483647), 4611686016279904256LL);
}

TEST(Scrittura, FractionsReducedOrAsGiven)
{
    EXPECT_EQ(FrazioneFormula(-6, 8), "-(3/4)");
    EXPECT_EQ(FrazioneFormula(-6, 8, false), "-(6/8)");
    EXPECT_EQ(FattoreFormula(6, -8, false), "(-(6/8))"); // the sign moves to the numerator
    EXPECT_EQ(FattoreFormula(4, 2), "2");
    EXPECT_EQ(FattoreFormula(4, 2, false), "(4/2)");
    EXPECT_EQ(AddendoFormula(2, 4, false, false), "+(2/4)");
    EXPECT_EQ(TermineFormula(-2, 2, "x", true), "-x");
    EXPECT_EQ(TermineFormula(-2, 2, "x", true, false), "-(2/2)*x");
    EXPECT_EQ(TermineFormula(3, 1, "", false, false), "+3");
}
