// Leaves of a formula: text runs, variables, numbers, characters and signs.
#include <gtest/gtest.h>

#include "FakeCanvas.h"
#include "TestNodes.h"

using namespace mevario;
using namespace mevario::test;

TEST(Atoms, TextRunWidenedAndShiftedByNegativeOverhangs)
{
    FakeCanvas c;
    c.sporgenze[u'f'] = {-3, 1};  // only negative overhangs count
    c.sporgenze[u'x'] = {2, -2};
    TExprSimple t("fx");
    Prepara(t, c);
    EXPECT_EQ(t.Width(), 20 + 3 + 2);
    EXPECT_EQ(t.Height(), 31);
    t.Draw(10, 20, THorzAlign::Left, TVertAlign::Top);
    ASSERT_EQ(c.Of("text").size(), 1u);
    EXPECT_EQ(c.Of("text")[0].x, 13); // the ink starts at the node's left edge
    EXPECT_EQ(c.Of("text")[0].y, 20);
    EXPECT_FALSE(c.Of("text")[0].font.Italic);

    TExprSimple vuoto("");
    Prepara(vuoto, c);
    EXPECT_EQ(vuoto.Width(), 0);
}

TEST(Atoms, TextRunAccentRoomByFirstCharacter)
{
    FakeCanvas c;
    struct Caso {
        const char* testo;
        int capDY;
    };
    // UnitY = 1.1232: round(4u) = 4, round(7u) = 8, round(9.5u) = 11, round(2.5u) = 3
    for (const Caso& k : {Caso{"Ab", 4}, Caso{"b", 4}, Caso{"i", 8}, Caso{"a", 11}, Caso{"x", 11}, Caso{"7", 0},
                          Caso{"\xC0", 4}, Caso{"\xC9", 3}, Caso{"\xE9", 8}, Caso{"\xE0", 11}, Caso{"\xA9", 0}}) {
        TExprSimple t(k.testo);
        Prepara(t, c);
        EXPECT_EQ(t.CapDY(), k.capDY) << k.testo;
    }
}

TEST(Atoms, VariableIsItalicWithScriptPositionsByLastLetter)
{
    FakeCanvas c;
    TExprVar x("x"), f("f"), y("y"), r("r"), W("W");
    for (TExprVar* v : {&x, &f, &y, &r, &W})
        Prepara(*v, c);
    EXPECT_EQ(x.PowerXPos(), x.Width());
    EXPECT_EQ(x.IndexXPos(), x.Width() - 1);
    EXPECT_EQ(f.PowerXPos(), f.Width() + 2);
    EXPECT_EQ(r.PowerXPos(), r.Width() + 1);
    EXPECT_EQ(y.IndexXPos(), y.Width() - 3);
    EXPECT_EQ(W.IndexXPos(), W.Width() - 7); // round(6 * 1.1232)
    x.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_TRUE(c.Of("text").back().font.Italic);

    EXPECT_EQ(f.CapDXLeft(), 6);  // round(5u)
    EXPECT_EQ(f.CapDXRight(), 6); // round(5.5u) = round(6.18)
    EXPECT_EQ(x.CapDXLeft(), 0);
    EXPECT_EQ(x.CapDXRight(), 1);
    TExprVar u("u");
    Prepara(u, c);
    EXPECT_EQ(u.CapDXLeft(), -1); // round(-0.56)
    TExprVar alfa("\xE0");       // not an ASCII letter
    Prepara(alfa, c);
    EXPECT_EQ(alfa.CapDXLeft(), 0);
    EXPECT_EQ(alfa.CapDXRight(), 0);
}

TEST(Atoms, NumbersAndTheirRaisedExponent)
{
    FakeCanvas c;
    TExprNumber due(2.5, false);
    EXPECT_EQ(due.Mantissa(), std::string("2") + DecimalSeparator() + "5");
    EXPECT_EQ(due.Exponent(), "");
    Prepara(due, c);
    EXPECT_EQ(due.Width(), 30);
    EXPECT_EQ(due.Height(), 31);
    EXPECT_EQ(due.CapDY(), 9); // round(8u)

    TExprNumber grande(1e20L, false);
    EXPECT_EQ(grande.Mantissa(), "1");
    EXPECT_EQ(grande.Exponent(), "20");
    Prepara(grande, c);
    EXPECT_EQ(grande.Width(), 20 + 20);     // "10", then "20" in the smaller font
    EXPECT_EQ(grande.Height(), 37);         // round(1.2 * 31)
    EXPECT_EQ(grande.MidLineUp(), 6 + 15);  // round(0.2 * 31) + 31 div 2
    EXPECT_EQ(grande.MidLineDown(), -15);
    EXPECT_EQ(grande.CapDY(), 3);
    grande.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    auto testi = c.Of("text");
    ASSERT_EQ(testi.size(), 2u);
    EXPECT_EQ(testi[0].text, "10"); // a mantissa of 1 is never written before the dot
    EXPECT_EQ(testi[0].y, 6);
    EXPECT_EQ(testi[1].text, "20");
    EXPECT_EQ(testi[1].x, 20);
    EXPECT_EQ(testi[1].y, 0);
    EXPECT_EQ(testi[1].font.Height, -19);

    TExprNumber esp(2.5, true);
    EXPECT_EQ(esp.Mantissa(), std::string("2") + DecimalSeparator() + "5");
    EXPECT_EQ(esp.Exponent(), "0");
    TExprNumber piccolo(-1.5e-7L, false);
    EXPECT_EQ(piccolo.Mantissa(), std::string("-1") + DecimalSeparator() + "5");
    EXPECT_EQ(piccolo.Exponent(), "-7");
    Prepara(piccolo, c);
    piccolo.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(c.Of("text").back().text, "-7");
    EXPECT_EQ(c.Of("text")[c.Of("text").size() - 2].text, std::string("-1") + DecimalSeparator() + "5\xB7" "10");
}

TEST(Atoms, NumberJoinFlagsAndSetValue)
{
    FakeCanvas c;
    EXPECT_EQ(TExprNumber(-3, false).JoinFlags(), 6);
    EXPECT_EQ(TExprNumber(0, false).JoinFlags(), 2);
    EXPECT_EQ(TExprNumber(5, false).JoinFlags(), 2);
    TExprNumber n(2, false);
    Prepara(n, c);
    EXPECT_EQ(n.Width(), 10);
    n.SetValue(12);
    EXPECT_EQ(n.Mantissa(), "12");
    EXPECT_EQ(n.Width(), 20); // marked dirty and measured again
    TExprNumber zero(0, false);
    EXPECT_EQ(zero.Mantissa(), "0");
    TExprNumber meno0(-0.0L, false);
    EXPECT_EQ(meno0.Mantissa(), "0");
}

TEST(Atoms, FixedPrecisionNumber)
{
    TExprExpNumber fisso(3.14159L, 5, 2, 3);
    EXPECT_EQ(fisso.Mantissa(), std::string("3") + DecimalSeparator() + "14");
    TExprExpNumber minuscolo(0.000123L, 3, 2, 3);
    EXPECT_EQ(minuscolo.Mantissa(), std::string("1") + DecimalSeparator() + "23");
    EXPECT_EQ(minuscolo.Exponent(), "-4");
}

TEST(Atoms, SignsHaveTwoStrokesOfRoomEachSide)
{
    FakeCanvas c;
    TExprSign piu(u'+');
    Prepara(piu, c);
    EXPECT_EQ(piu.Width(), 10 + 4 * 2);
    piu.Draw(30, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(c.Of("text").back().x, 34); // ink starts 2 StrokeW after the left edge
    EXPECT_EQ(piu.CapDY(), TExprClass::NoCap);

    TExprSign parallelo(esParallel);
    Prepara(parallelo, c);
    EXPECT_EQ(parallelo.Width(), 16);
    c.larghezze[u'_'] = 11; // odd against an even StrokeW: one more column
    TExprSign perp(esPerpendicular);
    Prepara(perp, c);
    EXPECT_EQ(perp.Width(), 12 + 8);

    TExprSign pm(esPlusMinus);
    Prepara(pm, c);
    EXPECT_EQ(pm.Width(), 18);
    c.ops.clear();
    pm.Draw(0, 10, THorzAlign::Left, TVertAlign::Top);
    ASSERT_EQ(c.Of("text").size(), 1u);
    EXPECT_EQ(c.Of("text")[0].y, 8); // the "+" raised by StrokeH
    ASSERT_EQ(c.Of("rect").size(), 1u);
    // "+" ink: 8 rows ending 6 rows above the baseline (row 8 + 24); bar 2 rows below its last row.
    const int baseline = 8 + 24, ultima = baseline - (24 - 6) + 8 - 1;
    EXPECT_EQ(c.Of("rect")[0].y, ultima + 2);
    EXPECT_EQ(c.Of("rect")[0].b - c.Of("rect")[0].y, 2);
}

TEST(Atoms, SignFlags)
{
    struct Caso {
        char16_t code;
        bool forza;
        int flags;
    };
    for (const Caso& k : {Caso{u'+', true, 0}, Caso{esMinus, true, 4}, Caso{esPlusMinus, true, 4},
                          Caso{esMinusPlus, true, 4}, Caso{u'=', false, 0}, Caso{esMiddleDot, false, 0},
                          Caso{u'-', false, 0}}) {
        TExprSign s(k.code);
        EXPECT_EQ(s.ForcesArgumentBrackets(), k.forza) << int(k.code);
        EXPECT_EQ(s.JoinFlags(), k.flags) << int(k.code);
    }
    EXPECT_TRUE(TExprComma().ForcesArgumentBrackets());
    EXPECT_EQ(TExprComma().CalcCapDY(), TExprClass::NoCap);
    EXPECT_EQ(TExprVar("x").JoinFlags(), 3);
}

TEST(Atoms, GreekLettersAndSpecialSymbols)
{
    FakeCanvas c;
    TExprExtSymbol alfaMaiuscola(913), teta(952), alfa(945), parziale(8706), puntini(8230);
    for (auto* s : {&alfaMaiuscola, &teta, &alfa, &parziale, &puntini})
        Prepara(*s, c);
    EXPECT_EQ(alfaMaiuscola.CapDY(), 4);
    EXPECT_EQ(alfaMaiuscola.CapDXLeft(), 1);
    EXPECT_EQ(alfaMaiuscola.CapDXRight(), -1);
    EXPECT_EQ(teta.CapDXRight(), -1); // round(-0.56)
    EXPECT_EQ(alfa.CapDY(), 10);      // round(8.8u)
    EXPECT_EQ(parziale.PowerXPos(), parziale.Width() + 2);
    EXPECT_EQ(puntini.CapDY(), TExprClass::NoCap - 1);

    TExprNabla nabla;
    Prepara(nabla, c);
    nabla.Draw(5, 7, THorzAlign::Left, TVertAlign::Top);
    ASSERT_EQ(c.Of("rot").size(), 1u);
    EXPECT_EQ(c.Of("rot")[0].x, 15);
    EXPECT_EQ(c.Of("rot")[0].y, 38);
}

TEST(Atoms, SpacesStrokesAndEmptyPlaces)
{
    FakeCanvas c;
    TExprSpace zero(0), tre(3);
    Prepara(zero, c);
    Prepara(tre, c);
    EXPECT_EQ(zero.Width(), 0);
    EXPECT_EQ(tre.Width(), 6);
    EXPECT_EQ(tre.Height(), 0);
    TExprStrokes primi(2);
    Prepara(primi, c);
    EXPECT_EQ(primi.Width(), 20);
    EXPECT_EQ(primi.Height(), 19); // round(0.6 * 31)
    primi.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    ASSERT_EQ(c.Of("poly").size(), 2u);
    EXPECT_EQ(c.Of("poly")[1].points[0], (TExprPoint{12, 2}));
    EXPECT_EQ(c.Of("poly")[1].points[2], (TExprPoint{12, 2 + 11}));
    TExprEmpty vuoto;
    Prepara(vuoto, c);
    EXPECT_EQ(vuoto.Width(), 0);
    EXPECT_EQ(vuoto.Height(), 31);
}
