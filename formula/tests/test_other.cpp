// Limits, substitutions, accents, stacks, matrices, case lists and big
// operators on the fixed-metric canvas (20 points: cell 31, sw = sh = 2;
// scripts at 0.7: cell 23).
#include <gtest/gtest.h>

#include "FakeCanvas.h"
#include "TestNodes.h"
#include "ExprMake.h"

using namespace mevario;
using namespace mevario::test;

TEST(Lim, SmallExpressionCentredUnderTheWord)
{
    FakeCanvas c;
    TExprLim lim(std::make_unique<TExprVar>("x"));
    Prepara(lim, c);
    EXPECT_EQ(lim.Son()->Font().Height, -19);
    EXPECT_EQ(lim.Width(), 30);
    EXPECT_EQ(lim.Height(), 31 + 23);
    EXPECT_EQ(lim.MidLineUp(), 15);
    EXPECT_EQ(lim.MidLineDown(), -15 - 23);
    EXPECT_FALSE(lim.AlwaysBracketsArgument());
    lim.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    auto t = c.Of("text");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, "lim");
    EXPECT_EQ(t[0].x, 0);
    EXPECT_EQ(t[1].x, 10);
    EXPECT_EQ(t[1].y, 31);
}

TEST(AtValue, BarAndSubstitutionAtItsFoot)
{
    FakeCanvas c;
    auto* sost = new Box(20, 40);
    TExprAtValue at(std::make_unique<TExprVar>("f"), PExpr(sost));
    Prepara(at, c);
    EXPECT_EQ(at.Width(), 10 + 6 + 20);
    EXPECT_EQ(at.Height(), 40);
    EXPECT_EQ(at.MidLineUp(), 9 + 15);
    EXPECT_EQ(at.MidLineDown(), -15);
    EXPECT_EQ(at.JoinFlags(), 1);
    at.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(c.Of("rect")[0].x, 10);
    EXPECT_EQ(c.Of("rect")[0].r, 12);
    EXPECT_EQ(c.Of("rect")[0].b, 40);
    EXPECT_EQ(sost->px, 16);
    EXPECT_EQ(sost->py + 40 - 1, 40);
}

TEST(Cap, ArrowFollowsTheSlantAndUsesTheEmptyRows)
{
    FakeCanvas c;
    // "f": CapDX 6 and 6, CapDY 4; an arrow needs 12 rows, so the node grows by 8.
    TExprCap freccia(std::make_unique<TExprVar>("f"), ckArrow, 0);
    Prepara(freccia, c);
    EXPECT_EQ(freccia.Width(), 10 + 6);
    EXPECT_EQ(freccia.Height(), 31 + 8);
    EXPECT_EQ(freccia.MidLineUp(), 15 + 8);
    EXPECT_EQ(freccia.CapDY(), 0);
    freccia.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    auto poly = c.Of("poly");
    ASSERT_EQ(poly.size(), 1u);
    EXPECT_EQ(poly[0].points.front(), (TExprPoint{6, 4})); // from the ink's left, shaft top row b - 3 sh
    EXPECT_EQ(poly[0].points[3], (TExprPoint{15, 4}));     // even sh: a tip of two points
    EXPECT_EQ(poly[0].points[4], (TExprPoint{15, 5}));

    // A dot over "x" fits in its empty rows: no growth.
    TExprCap punto(std::make_unique<TExprVar>("x"), ckDots, 1);
    Prepara(punto, c);
    EXPECT_EQ(punto.Height(), 31);
    EXPECT_EQ(punto.CapDY(), 11 - 10);

    // A sign takes no accent: nothing is added above it.
    TExprCap segno(std::make_unique<TExprSign>(u'+'), ckLine, 0);
    Prepara(segno, c);
    EXPECT_EQ(segno.Height(), 31);
    segno.Draw(0, 100, THorzAlign::Left, TVertAlign::Top);
    EXPECT_GE(c.Of("rect").back().y, 100 - 4);
}

TEST(Stand, StacksTopToBottom)
{
    FakeCanvas c;
    auto* a = new Box(10, 5);
    auto* b = new Box(30, 7);
    TExprStand s(Row(PExpr(a), PExpr(b)), 1);
    Prepara(s, c);
    EXPECT_EQ(s.Width(), 30);
    EXPECT_EQ(s.Height(), 12);
    s.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(a->px, 10);
    EXPECT_EQ(a->py, 0);
    EXPECT_EQ(b->px, 0);
    EXPECT_EQ(b->py, 5);
}

TEST(Matrix, CellsOnAGrid)
{
    FakeCanvas c;
    auto* a = new Box(10, 9);
    auto* b = new Box(20, 5);
    auto* d = new Box(4, 3);
    TExprMatrix m(Row(PExpr(a), PExpr(b), PExpr(d), PExpr(MakeBox(6, 11))), 2, 2);
    Prepara(m, c);
    EXPECT_EQ(m.Width(), 20 * 2 + 10 * 2);
    EXPECT_EQ(m.Height(), 11 * 2);
    m.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(a->px, 9);
    EXPECT_EQ(a->py, 1);
    EXPECT_EQ(b->px, 46 - 10);
    EXPECT_EQ(d->py, 16 - 1);

    // Counts that make no sense do not break the layout.
    TExprMatrix vuota(PExpr(MakeBox(5, 5)), 0, -3);
    Prepara(vuota, c);
    EXPECT_GE(vuota.Width(), 0);
    EXPECT_EQ(vuota.Height(), 0);
    vuota.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
}

TEST(Case, AlwaysOddHeight)
{
    FakeCanvas c;
    TExprCase casi(Row(PExpr(MakeBox(10, 9)), PExpr(MakeBox(20, 5)), PExpr(MakeBox(10, 9)), PExpr(MakeBox(20, 5))));
    Prepara(casi, c);
    EXPECT_EQ(casi.Width(), 10 + 36 + 20);
    EXPECT_EQ(casi.Height(), 21);
    TExprCase uno(Row(PExpr(MakeBox(10, 9)), PExpr(MakeBox(20, 6, 2))));
    Prepara(uno, c);
    EXPECT_EQ(uno.Height() % 2, 1);
    casi.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    ASSERT_EQ(c.Of("bezier").size(), 1u);
    EXPECT_EQ(c.Of("bezier")[0].points.size(), 46u);
    TExprCase dispari(Row(PExpr(MakeBox(10, 9)), PExpr(MakeBox(20, 5)), PExpr(MakeBox(10, 9))));
    Prepara(dispari, c);
    dispari.Draw(0, 0, THorzAlign::Left, TVertAlign::Top); // a value without its condition
}

TEST(GroupOp, SymbolSizeAndNestedSums)
{
    FakeCanvas c;
    TExprSumma s(std::make_unique<TExprVar>("x"), nullptr, nullptr);
    Prepara(s, c);
    EXPECT_EQ(s.SymbolHeight(), 34); // round(2.25 * 15)
    EXPECT_EQ(s.SymbolW(), 25);      // round(0.739 * 34)
    EXPECT_EQ(s.Width(), 25 + 10 + 10);
    EXPECT_EQ(s.Height(), 4 + 34 + 4);
    EXPECT_EQ(s.MidLineUp(), 4 + 17);
    EXPECT_EQ(s.MidLineDown(), -(4 + 16));
    s.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    ASSERT_EQ(c.Of("poly").size(), 1u);
    EXPECT_EQ(c.Of("poly")[0].points.size(), 16u); // the small sign

    // A sum of a sum uses the inner sign's height, not one grown from it.
    auto interna = std::make_unique<TExprSumma>(PExpr(MakeBox(10, 100)), nullptr, nullptr);
    TExprSumma* in = interna.get();
    TExprSumma esterna(std::move(interna), nullptr, nullptr);
    Prepara(esterna, c);
    EXPECT_EQ(in->SymbolHeight(), 112); // round(2.25 * 50 = 112.5), halves to even
    EXPECT_EQ(esterna.SymbolHeight(), 112);
    // Also through an unbracketed row that holds it.
    auto riga = std::make_unique<TExprChain>(Row(std::make_unique<TExprSumma>(PExpr(MakeBox(10, 100)), nullptr, nullptr),
                                                 std::make_unique<TExprVar>("y")));
    TExprProd prodotto(std::move(riga), nullptr, nullptr);
    Prepara(prodotto, c);
    EXPECT_EQ(prodotto.SymbolHeight(), 112);
    EXPECT_EQ(prodotto.SymbolW(), 96); // round(0.8561 * 112)
    c.ops.clear();
    esterna.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_FALSE(c.Of("bezier").empty()); // a tall sign is an outline
}

TEST(GroupOp, LimitsAndIntegralWidths)
{
    FakeCanvas c;
    auto* sotto = new Box(40, 10);
    TExprIntegral integrale(std::make_unique<TExprVar>("f"), PExpr(sotto), nullptr, 1);
    Prepara(integrale, c);
    EXPECT_EQ(integrale.Sub(1), sotto);
    EXPECT_EQ(integrale.SymbolW(), 9); // round(0.2687 * 34)
    EXPECT_EQ(integrale.Width(), 40 + 10 + 10);
    EXPECT_EQ(integrale.Height(), 10 + 34 + 4);
    TExprIntegral triplo(std::make_unique<TExprVar>("f"), nullptr, nullptr, 3);
    Prepara(triplo, c);
    EXPECT_EQ(triplo.SymbolW(), 3 * 9 + 2 * 2);
    TExprIntegral puntini(std::make_unique<TExprVar>("f"), nullptr, nullptr, 0);
    Prepara(puntini, c);
    EXPECT_EQ(puntini.SymbolW(), 3 * 9 + 4 * 2 + 10);
    puntini.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    TExprCirc anello(std::make_unique<TExprVar>("F"), nullptr, nullptr);
    Prepara(anello, c);
    anello.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_FALSE(c.Of("ring").empty());
}

TEST(HugeCounts, StayInRangeAndDrawQuickly)
{
    // Counts written in a formula can be as large as an integer: sizes must
    // not overflow and drawing must not loop for ever.
    FakeCanvas c;
    TExprBuilder b;
    PExpr root = b.ParseFormula("space(2147483647)&space(2147483647)&strokes(x,2147483647)&points(x,2147483647)&"
                                "matrix(2147483647,2147483647,x)&intm(2147483647,f)&comma(2147483647)");
    Prepara(*root, c);
    EXPECT_GT(root->Width(), 0);
    EXPECT_GT(root->Height(), 0);
    root->Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_LT(c.ops.size(), 5000u);
}
