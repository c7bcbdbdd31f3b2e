// Fractions, powers, brackets, function applications and radicals, on the
// fixed-metric canvas (20 points: cell 31, StrokeW = StrokeH = 2).
#include <gtest/gtest.h>

#include "FakeCanvas.h"
#include "TestNodes.h"

using namespace mevario;
using namespace mevario::test;

TEST(Ratio, GeometryAndBarRows)
{
    FakeCanvas c;
    auto* num = new Box(30, 20);
    auto* den = new Box(10, 12);
    TExprRatio r{PExpr(num), PExpr(den)};
    Prepara(r, c);
    EXPECT_EQ(r.Width(), 30 + 16);
    EXPECT_EQ(r.Height(), 20 + 6 + 12);
    EXPECT_EQ(r.MidLineUp(), 23);
    EXPECT_EQ(r.MidLineDown(), -15);
    r.Draw(100, 200, THorzAlign::Left, TVertAlign::Top);
    const int a = 223, centro = 123;
    // Both operands centred on the node's centre column.
    EXPECT_EQ(num->px, centro - 15);
    EXPECT_EQ(num->py + 20 - 1, a - 3);
    EXPECT_EQ(den->px, centro - 5);
    EXPECT_EQ(den->py, a + 3);
    auto bar = c.Of("rect");
    ASSERT_EQ(bar.size(), 1u);
    // sw beyond the wider operand on each side, plus one column on the right.
    EXPECT_EQ(bar[0].x, 106);
    EXPECT_EQ(bar[0].r, 141);
    EXPECT_EQ(bar[0].y, a - 1);
    EXPECT_EQ(bar[0].b, a + 1);

    // An odd stroke: sh rows centred on the axis row.
    FakeCanvas sottile;
    sottile.trattino = 3;
    TExprRatio s{PExpr(MakeBox(4, 4)), PExpr(MakeBox(4, 4))};
    Prepara(s, sottile);
    s.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    const int as = s.MidLineUp();
    EXPECT_EQ(as, 4 + 3 + 1);
    EXPECT_EQ(sottile.Of("rect")[0].y, as - 1);
    EXPECT_EQ(sottile.Of("rect")[0].b, as + 2);
}

TEST(Index, TallExponentPushesTheBaseDown)
{
    FakeCanvas c;
    auto x = std::make_unique<TExprVar>("x"); // 31 high, PowerYPos 15
    TExprVar* base = x.get();
    auto* esponente = new Box(12, 22);
    TExprIndex p(std::move(x), nullptr, PExpr(esponente));
    Prepara(p, c);
    EXPECT_EQ(base->Height(), 31);
    EXPECT_EQ(base->PowerYPos(), 15);
    EXPECT_EQ(p.Height(), 38);
    EXPECT_EQ(p.MidLineUp(), 22);
    EXPECT_EQ(p.MidLineDown(), base->MidLineDown());
    EXPECT_EQ(p.Width(), base->PowerXPos() + 12);
    p.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(esponente->py, 1); // rows 1 to 22: its bottom row is the base's midline row
    EXPECT_EQ(esponente->px, base->Width());
    auto testi = c.Of("text");
    ASSERT_EQ(testi.size(), 1u);
    EXPECT_EQ(testi[0].y, 7); // base on rows 7 to 37
}

TEST(Index, ShortExponentLeavesTheBaseAndScriptsShrink)
{
    FakeCanvas c;
    TExprIndex p(std::make_unique<TExprVar>("x"), nullptr, PExpr(MakeBox(5, 10)));
    Prepara(p, c);
    EXPECT_EQ(p.Height(), 31);
    EXPECT_EQ(p.MidLineUp(), 15);

    // x^2: the exponent is a real number at 0.7 size (19 px: cell 23), s = 23 - 15.
    TExprIndex q(std::make_unique<TExprVar>("x"), nullptr, std::make_unique<TExprNumber>(2, false));
    Prepara(q, c);
    EXPECT_EQ(q.Sub(2)->Font().Height, -19);
    EXPECT_EQ(q.Height(), 31 + 8);
    EXPECT_EQ(q.MidLineUp(), 15 + 8);
}

TEST(Index, SubscriptBelowTheBase)
{
    FakeCanvas c;
    auto* pedice = new Box(6, 20);
    TExprIndex p(std::make_unique<TExprVar>("y"), PExpr(pedice), nullptr);
    Prepara(p, c);
    // IndexYPos = 31 - 15 - 2 = 14; the subscript reaches 14 + 20 - 31 = 3 rows below.
    EXPECT_EQ(p.Height(), 34);
    EXPECT_EQ(p.MidLineDown(), -15 - 3);
    EXPECT_EQ(p.Width(), 10 - 3 + 6);
    p.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(pedice->px, 7);
    EXPECT_EQ(pedice->py, 14);
}

TEST(Index, FlagsAndFunctionNameBase)
{
    TExprIndex numero(std::make_unique<TExprNumber>(-2, false), nullptr, PExpr(MakeBox(1, 1)));
    EXPECT_EQ(numero.JoinFlags(), 6);
    TExprIndex seno(std::make_unique<TExprFuncName>("sin"), nullptr, PExpr(MakeBox(1, 1)));
    EXPECT_FALSE(seno.AlwaysBracketsArgument());
    TExprIndex x(std::make_unique<TExprVar>("x"), nullptr, PExpr(MakeBox(1, 1)));
    EXPECT_TRUE(x.AlwaysBracketsArgument());
}

TEST(Brackets, SideWidthsPerKind)
{
    FakeCanvas c;
    struct Caso {
        unsigned char kind;
        int lato;
    };
    // Content 20 high: node 24 high; round(0.191192 * 24) = 5.
    for (const Caso& k : {Caso{bkRound, 5 + 4}, Caso{bkSquare, 10}, Caso{bkCurly, 14}, Caso{bkBar, 6}, Caso{bkNone, 0}}) {
        TExprBracketed b(PExpr(MakeBox(30, 20)), k.kind, k.kind);
        Prepara(b, c);
        EXPECT_EQ(b.Height(), 24) << int(k.kind);
        EXPECT_EQ(b.Width(), 30 + 2 * k.lato) << int(k.kind);
        EXPECT_EQ(b.MidLineUp(), 10 + 2);
        EXPECT_EQ(b.MidLineDown(), -9 - 2);
    }
    TExprBracketed misto(PExpr(MakeBox(30, 20)), bkSquare, bkNone);
    Prepara(misto, c);
    EXPECT_EQ(misto.Width(), 40);
}

TEST(Brackets, CurlyBraceKeepsAnOddHeightAboveTheStroke)
{
    FakeCanvas c;
    // 21 + 4 = 25, 25 - 2 odd: one more row, the extra row below the midline.
    TExprBracketed graffa(PExpr(MakeBox(8, 21)), bkCurly, bkCurly);
    Prepara(graffa, c);
    EXPECT_EQ(graffa.Height(), 26);
    EXPECT_EQ(graffa.MidLineUp(), 10 + 2);
    EXPECT_EQ(graffa.MidLineDown(), -10 - 2 - 1);
    TExprBracketed tonda(PExpr(MakeBox(8, 21)), bkRound, bkRound);
    Prepara(tonda, c);
    EXPECT_EQ(tonda.Height(), 25);
    TExprBracketed pari(PExpr(MakeBox(8, 20)), bkCurly, bkNone);
    Prepara(pari, c);
    EXPECT_EQ(pari.Height(), 24);
}

TEST(Brackets, OutlinesAreClosedAndMirrored)
{
    FakeCanvas c;
    struct Caso {
        unsigned char kind;
        std::size_t punti;
    };
    for (const Caso& k : {Caso{bkRound, 7}, Caso{bkSquare, 22}, Caso{bkCurly, 46}, Caso{bkBar, 10}}) {
        TExprBracketed b(PExpr(MakeBox(30, 40)), k.kind, k.kind);
        Prepara(b, c);
        c.ops.clear();
        b.Draw(10, 20, THorzAlign::Left, TVertAlign::Top);
        auto path = c.Of("bezier");
        ASSERT_EQ(path.size(), 2u) << int(k.kind);
        for (const auto& o : path) {
            ASSERT_EQ(o.points.size(), k.punti);
            EXPECT_EQ((o.points.size() - 1) % 3, 0u); // start point and whole segments
            if (k.kind == bkRound) {
                EXPECT_EQ(o.points.front(), o.points.back());
            } else {
                // Lower half = upper half reversed and mirrored about the node's centre.
                const int h = b.Height();
                for (std::size_t i = 0; i < k.punti / 2; ++i) {
                    EXPECT_EQ(o.points[k.punti - 1 - i].x, o.points[i].x);
                    EXPECT_EQ(o.points[k.punti - 1 - i].y, 2 * 20 + h - o.points[i].y - 1);
                }
            }
        }
        // The content sits right of the left bracket, sh rows below the top.
        auto* contenuto = static_cast<Box*>(b.Son());
        EXPECT_EQ(contenuto->px, 10 + b.SideWidth(k.kind));
        EXPECT_EQ(contenuto->py, 22);
    }
    // Round left outline, node 44 high: d = 8, p = 7, q = 13, r = 12.
    TExprBracketed t(PExpr(MakeBox(30, 40)), bkRound, bkRound);
    Prepara(t, c);
    auto o = t.Outline(bkRound, true, 0, 0);
    EXPECT_EQ(o[0], (TExprPoint{8, 2}));
    EXPECT_EQ(o[1], (TExprPoint{8 - 7 - 2, 2 + 13}));
    EXPECT_EQ(o[4], (TExprPoint{0, 44 - 2 - 12 - 1}));
}

TEST(Brackets, ArgumentShowsItsBracketsByContentAndParent)
{
    FakeCanvas c;
    // Alone in a row: a product has none, a sum or a leading minus has them.
    TExprArgument prodotto(Row(std::make_unique<TExprNumber>(4, false), std::make_unique<TExprVar>("x")));
    TExprArgument somma(Row(std::make_unique<TExprVar>("x"), std::make_unique<TExprSign>(u'+'), std::make_unique<TExprNumber>(1, false)));
    TExprArgument meno(Row(std::make_unique<TExprSign>(esMinus), std::make_unique<TExprVar>("x")));
    TExprArgument virgola(Row(std::make_unique<TExprVar>("a"), std::make_unique<TExprComma>(), std::make_unique<TExprVar>("b")));
    EXPECT_FALSE(prodotto.BracketsShown());
    EXPECT_TRUE(somma.BracketsShown());
    EXPECT_TRUE(meno.BracketsShown());
    EXPECT_TRUE(virgola.BracketsShown());
    Prepara(prodotto, c);
    EXPECT_EQ(prodotto.Width(), 20);
    EXPECT_EQ(prodotto.Height(), 31 + 4); // the room above and below stays
    EXPECT_EQ(prodotto.JoinFlags(), 2); // the chain's: a number never follows a factor
    prodotto.ForceBrackets();
    EXPECT_TRUE(prodotto.BracketsShown());
    EXPECT_GT(prodotto.Width(), 20);
    EXPECT_EQ(prodotto.JoinFlags(), 27);

    // After an upright function name: only when needed; after a one-letter name: always.
    TExprFunc seno("sin", std::make_unique<TExprArgument>(std::make_unique<TExprVar>("x")));
    TExprFunc effe("f", std::make_unique<TExprArgument>(std::make_unique<TExprVar>("x")));
    TExprFunc senoSomma("sin", std::make_unique<TExprArgument>(
                                   Row(std::make_unique<TExprVar>("x"), std::make_unique<TExprSign>(u'+'), std::make_unique<TExprNumber>(1, false))));
    EXPECT_FALSE(static_cast<TExprArgument*>(seno.Son2())->BracketsShown());
    EXPECT_TRUE(static_cast<TExprArgument*>(effe.Son2())->BracketsShown());
    EXPECT_TRUE(static_cast<TExprArgument*>(senoSomma.Son2())->BracketsShown());
    EXPECT_NE(dynamic_cast<TExprVar*>(effe.Son()), nullptr);
    EXPECT_NE(dynamic_cast<TExprFuncName*>(seno.Son()), nullptr);
    EXPECT_EQ(seno.JoinFlags(), 1);
    EXPECT_EQ(effe.JoinFlags(), 3);
}

TEST(Brackets, BaseRoundAndRemovedBrackets)
{
    FakeCanvas c;
    TExprBase uno(PExpr(MakeBox(10, 20)));
    Prepara(uno, c);
    EXPECT_FALSE(uno.BracketsShown());
    EXPECT_EQ(uno.Width(), 10);
    EXPECT_EQ(uno.Height(), 24);
    TExprBase due(Row(PExpr(MakeBox(10, 20)), PExpr(MakeBox(10, 20))));
    Prepara(due, c);
    EXPECT_TRUE(due.BracketsShown());
    EXPECT_EQ(due.Width(), 20 + 2 * 9);

    TExprRound tonda(PExpr(MakeBox(10, 20)));
    EXPECT_EQ(tonda.JoinFlags(), 19);
    TExprBracketed quadra(PExpr(MakeBox(10, 20)), bkSquare, bkSquare);
    EXPECT_EQ(quadra.JoinFlags(), 19);
    TExprBracketed tonde(PExpr(MakeBox(10, 20)), bkRound, bkRound);
    EXPECT_EQ(tonde.JoinFlags(), 27);

    // A bracketed fraction whose brackets are removed paints as its content,
    // still sh rows taller above and below.
    auto* frazione = new TExprRatio(PExpr(MakeBox(10, 10)), PExpr(MakeBox(10, 10)));
    TExprBracketed b{PExpr(frazione), bkRound, bkRound};
    Prepara(b, c);
    const int conParentesi = b.Width();
    b.RemoveBrackets();
    EXPECT_EQ(b.Width(), frazione->Width());
    EXPECT_LT(b.Width(), conParentesi);
    EXPECT_EQ(b.Height(), frazione->Height() + 4);
    c.ops.clear();
    b.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_TRUE(c.Of("bezier").empty());
    EXPECT_EQ(c.Of("rect")[0].y, 2 + frazione->MidLineUp() - 1);
}

TEST(Root, WidthAndHeightWithAndWithoutDegree)
{
    FakeCanvas c;
    auto* radicando = new Box(20, 20);
    TExprRoot semplice(PExpr(radicando), nullptr);
    Prepara(semplice, c);
    EXPECT_EQ(semplice.Width(), 20 + 16 + 11);
    EXPECT_EQ(semplice.Height(), 26);
    EXPECT_EQ(semplice.MidLineUp(), 10 + 6);
    EXPECT_EQ(semplice.MidLineDown(), -9);
    semplice.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    auto poly = c.Of("poly");
    ASSERT_EQ(poly.size(), 1u);
    ASSERT_EQ(poly[0].points.size(), 12u);
    // Under the overbar, right of the long stroke.
    EXPECT_EQ(radicando->px, poly[0].points[8].x);
    EXPECT_EQ(radicando->py, poly[0].points[8].y + 2);
    EXPECT_EQ(poly[0].points[2].y, 26 - 10); // v = round(26 - 3 * sqrt(3) * 2)

    auto* grado = new Box(14, 12);
    TExprRoot conGrado(PExpr(MakeBox(20, 20)), PExpr(grado));
    Prepara(conGrado, c);
    EXPECT_EQ(conGrado.Width(), 47 + 4);
    EXPECT_EQ(conGrado.Height(), 26 + 4);
    EXPECT_EQ(conGrado.MidLineUp(), 10 + 12 - 2);
    EXPECT_EQ(conGrado.Son2()->Font().Height, -19);
    c.ops.clear();
    conGrado.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    auto p2 = c.Of("poly")[0].points;
    EXPECT_EQ(p2[0], (TExprPoint{2 + 4, 12 + 4}));
    EXPECT_EQ(grado->px + 14 - 1, p2[1].x);
    EXPECT_EQ(grado->py + 12 - 1, p2[1].y - 2);
}

TEST(CommonFunc, SonsShareOneMidline)
{
    FakeCanvas c;
    auto* f = new Box(10, 9, 4);
    auto* a = new Box(20, 21, 14);
    TExprCommonFunc fun{PExpr(f), PExpr(a)};
    Prepara(fun, c);
    EXPECT_EQ(fun.Width(), 10 + 6 + 20);
    EXPECT_EQ(fun.MidLineUp(), 14);
    EXPECT_EQ(fun.MidLineDown(), -6);
    EXPECT_EQ(fun.Height(), 21);
    fun.Draw(0, 0, THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(f->py, 10);
    EXPECT_EQ(a->py, 0);
    EXPECT_EQ(a->px, 16);
}
