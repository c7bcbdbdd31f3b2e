// The sentences inside formulas: cut from the formula, and written with
// their accents for whoever shows or prints them.
#include <gtest/gtest.h>

#include "ExprProsa.h"

using namespace mevario;

TEST(Prosa, ApostropheAfterAVowelAtAWordsEndIsTheAccent)
{
    EXPECT_EQ(AccentiUtf8("c'e' un coefficiente frazionario, percio' il coefficiente e' 1"),
              "c'\xC3\xA8 un coefficiente frazionario, perci\xC3\xB2 il coefficiente \xC3\xA8 1");
    // An elision before a word keeps its apostrophe.
    EXPECT_EQ(AccentiUtf8("l'esponente dell'ultimo un'altra"), "l'esponente dell'ultimo un'altra");
    EXPECT_EQ(AccentiUtf8("E' una somma"), "\xC3\x88 una somma");
    // At the very end, before punctuation, and twice in a row.
    EXPECT_EQ(AccentiUtf8("cosi'"), "cos\xC3\xAC");
    EXPECT_EQ(AccentiUtf8("piu'."), "pi\xC3\xB9.");
    EXPECT_EQ(AccentiUtf8("e''"), "\xC3\xA8'");
    EXPECT_EQ(AccentiUtf8("'"), "'");
    EXPECT_EQ(AccentiUtf8(""), "");
    // Only the accents: the answer "Si" stays as it is typed.
    EXPECT_EQ(AccentiUtf8("Si"), "Si");
    EXPECT_EQ(ProsaItaliana16(" Si "), u" S\u00EC ");
    EXPECT_EQ(ProsaItaliana16("Si e' vero"), u"Si \u00E8 vero");
    EXPECT_EQ(ProsaItaliana16("No"), u"No");
}

TEST(Prosa, OnlyTheProsePiecesOfAFormulaChange)
{
    EXPECT_EQ(FormulaConProsaUtf8("string(e' una somma, non un prodotto)"),
              "string(\xC3\xA8 una somma, non un prodotto)");
    EXPECT_EQ(FormulaConProsaUtf8("x^2&string(  ha un esponente negativo: non e' un monomio)"),
              "x^2&string(  ha un esponente negativo: non \xC3\xA8 un monomio)");
    EXPECT_EQ(FormulaConProsaUtf8("string(\"a) e' b\")&x"), "string(\"a) \xC3\xA8 b\")&x");
    // Signs written as text and the formula itself stay as written.
    EXPECT_EQ(FormulaConProsaUtf8("a'&string(  =  )&b"), "a'&string(  =  )&b");
    EXPECT_EQ(FormulaConProsaUtf8("3*x^2"), "3*x^2");
    EXPECT_EQ(FormulaConProsaUtf8(""), "");
}

TEST(Prosa, PiecesKeepWhereTheirTextStands)
{
    const std::string f = "2*x&string(e' un monomio)&string(  =  )&y";
    const auto p = DividiProsa(f);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_FALSE(p[0].prosa);
    EXPECT_TRUE(p[1].prosa);
    EXPECT_EQ(f.substr(p[1].inizio, p[1].lunghezza), "e' un monomio");
    EXPECT_FALSE(p[2].prosa);
    EXPECT_EQ(p[2].testo, "string(  =  )&y");
}
