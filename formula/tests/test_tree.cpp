// The common base of the nodes: fonts and units, caching, colour, chains.
#include <gtest/gtest.h>

#include "FakeCanvas.h"
#include "TestNodes.h"

using namespace mevario;
using namespace mevario::test;

TEST(ExprTree, FontSizeAndTheSevenTenthsRuleOnNestedLevels)
{
    FakeCanvas c;
    // x^(y^z) built at the default size, then given 20 points.
    auto inner = std::make_unique<TExprIndex>(std::make_unique<TExprVar>("y"), nullptr, std::make_unique<TExprVar>("z"));
    TExprIndex* innerPtr = inner.get();
    TExprIndex root(std::make_unique<TExprVar>("x"), nullptr, std::move(inner));
    Prepara(root, c);
    EXPECT_EQ(root.Font().Height, -27);
    EXPECT_EQ(root.Son()->Font().Height, -27);
    EXPECT_EQ(innerPtr->Font().Height, -19);
    EXPECT_EQ(innerPtr->Sub(2)->Font().Height, -13);
    // 0.7 applies to the integer height of each level, not to 20 points again.
    root.SetFontSize(10); // 13 px
    EXPECT_EQ(innerPtr->Font().Height, -9);
    EXPECT_EQ(innerPtr->Sub(2)->Font().Height, -6);
}

TEST(ExprTree, UnitsAndStrokesFollowFontAndResolution)
{
    FakeCanvas c;
    TExprVar v("x");
    Prepara(v, c);
    EXPECT_NEAR(static_cast<double>(v.UnitX()), 31 / 27.6, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.UnitY()), 31 / 27.6, 1e-12);
    EXPECT_EQ(v.StrokeH(), 2);
    EXPECT_EQ(v.StrokeW(), 2);

    FakeCanvas alta;
    alta.ppiY = 192;
    alta.trattino = 3;
    TExprVar w("x");
    w.SetCanvas(&alta);
    w.SetFontSize(10); // 27 px at 192 px/in
    EXPECT_EQ(w.Font().Height, -27);
    EXPECT_NEAR(static_cast<double>(w.UnitY()), 2 * 31 / 27.6, 1e-12);
    EXPECT_EQ(w.StrokeH(), 3);
    EXPECT_EQ(w.StrokeW(), 2); // round(3 * 96 / 192) = round(1.5) = 2, halves to even

    // A font that cannot report the ink of "_" still draws lines of at least one pixel.
    FakeCanvas muto;
    muto.trattino = 0;
    TExprVar z("z");
    Prepara(z, muto, 8);
    EXPECT_GE(z.StrokeH(), 1);
    EXPECT_GE(z.StrokeW(), 1);
}

TEST(ExprTree, ChainAlignsOddAndEvenHeightsOnOneMidline)
{
    FakeCanvas c;
    auto* a = new Box(7, 5);  // odd: 2 rows above, 2 below the midline row
    auto* b = new Box(9, 8);  // even: 4 above, 3 below
    auto* d = new Box(3, 1);
    TExprChain chain(Row(PExpr(a), PExpr(b), PExpr(d)));
    Prepara(chain, c);
    EXPECT_EQ(a->MidLineUp(), 2);
    EXPECT_EQ(a->MidLineDown(), -2);
    EXPECT_EQ(b->MidLineUp(), 4);
    EXPECT_EQ(b->MidLineDown(), -3);
    EXPECT_EQ(chain.Width(), 19);
    EXPECT_EQ(chain.Height(), 8);
    EXPECT_EQ(chain.MidLineUp(), 4);
    EXPECT_EQ(chain.MidLineDown(), -3);

    chain.Draw(100, 50, THorzAlign::Left, TVertAlign::Top);
    // Every son's midline row is row 54.
    EXPECT_EQ(a->px, 100);
    EXPECT_EQ(a->py, 52);
    EXPECT_EQ(b->px, 107);
    EXPECT_EQ(b->py, 50);
    EXPECT_EQ(d->px, 116);
    EXPECT_EQ(d->py, 54);

    // Tallest part above plus tallest part below, from different sons.
    auto* alto = new Box(1, 9, 7);  // 7 above, 1 below
    auto* basso = new Box(1, 9, 1); // 1 above, 7 below
    TExprChain misto(Row(PExpr(alto), PExpr(basso)));
    Prepara(misto, c);
    EXPECT_EQ(misto.Height(), 8 + 7);
    EXPECT_EQ(misto.MidLineUp(), 7);
    EXPECT_EQ(misto.MidLineDown(), -7);
}

TEST(ExprTree, DrawAlignments)
{
    FakeCanvas c;
    auto* b = new Box(10, 7);
    TExprChain chain{PExpr(b)};
    Prepara(chain, c);
    chain.Draw(50, 40, THorzAlign::Center, TVertAlign::MidLine);
    EXPECT_EQ(b->px, 45);
    EXPECT_EQ(b->py, 37);
    chain.Draw(50, 40, THorzAlign::Right, TVertAlign::Bottom);
    EXPECT_EQ(b->px, 41);
    EXPECT_EQ(b->py, 34);
}

TEST(ExprTree, SameCanvasKeepsTheCaches)
{
    FakeCanvas c, altra;
    auto* b = new Box(10, 7);
    TExprChain chain{PExpr(b)};
    Prepara(chain, c);
    EXPECT_EQ(chain.Width(), 10);
    EXPECT_EQ(chain.Width(), 10);
    EXPECT_EQ(b->calcoli, 1); // cached
    chain.SetCanvas(&c);
    EXPECT_EQ(chain.DirtyMask() & TExprClass::dmWidth, 0);
    chain.Width();
    EXPECT_EQ(b->calcoli, 1);
    chain.SetCanvas(&altra);
    chain.Width();
    EXPECT_EQ(b->calcoli, 2);
    EXPECT_EQ(b->Canvas(), &altra);
}

TEST(ExprTree, ColourReachesSiblingsAndSonsWithoutTheirOwn)
{
    FakeCanvas c;
    auto rosso = std::make_unique<TExprVar>("y");
    rosso->SetColor(0x0000FF);
    TExprVar* rossoPtr = rosso.get();
    auto figlio = std::make_unique<TExprVar>("a");
    TExprVar* figlioPtr = figlio.get();
    auto frazione = std::make_unique<TExprRatio>(std::move(figlio), std::move(rosso));
    auto root = Row(std::make_unique<TExprVar>("x"), std::move(frazione), std::make_unique<TExprVar>("z"));
    TExprClass* secondo = root->Next();
    TExprClass* terzo = secondo->Next();
    Prepara(*root, c);
    root->SetColor(0x112233);
    EXPECT_EQ(root->Color(), 0x112233u);
    EXPECT_EQ(secondo->Color(), 0x112233u);
    EXPECT_EQ(terzo->Color(), 0x112233u);
    EXPECT_EQ(figlioPtr->Color(), TExprClass::clNone);
    EXPECT_EQ(figlioPtr->GetColor(), 0x112233u);
    EXPECT_EQ(rossoPtr->GetColor(), 0x0000FFu);

    TExprVar solo("q");
    EXPECT_EQ(solo.GetColor(), 0u); // no parent and no colour: black
}

TEST(ExprTree, OwnershipFreesWholeTreesAndLongRows)
{
    {
        auto root = Row(PExpr(MakeBox(1, 1)), PExpr(MakeBox(1, 1)));
        auto frazione = std::make_unique<TExprRatio>(std::move(root), PExpr(MakeBox(2, 2)));
        TExprIndex potenza(std::move(frazione), PExpr(MakeBox(1, 1)), PExpr(MakeBox(1, 1)));
        EXPECT_EQ(Box::vivi, 5);
        potenza.SetSub(2, nullptr);
        EXPECT_EQ(Box::vivi, 4);
    }
    EXPECT_EQ(Box::vivi, 0);

    // A very long row is freed without one level of recursion per node.
    auto lunga = std::make_unique<TExprChain>(nullptr);
    PExpr primo = MakeBox(1, 1);
    TExprClass* ultimo = primo.get();
    for (int i = 0; i < 200000; ++i) {
        ultimo->SetNext(MakeBox(1, 1));
        ultimo = ultimo->Next();
    }
    lunga->SetSon(std::move(primo));
    EXPECT_EQ(Box::vivi, 200001);
    lunga.reset();
    EXPECT_EQ(Box::vivi, 0);
}

TEST(ExprTree, ParentAndNextLinks)
{
    auto row = Row(PExpr(MakeBox(1, 1)), PExpr(MakeBox(1, 1)));
    TExprClass* second = row->Next();
    TExprChain chain(std::move(row));
    EXPECT_EQ(chain.Son()->Parent(), &chain);
    EXPECT_EQ(second->Parent(), &chain);
    PExpr cut = chain.Son()->CutNext();
    EXPECT_EQ(cut.get(), second);
    EXPECT_EQ(chain.Son()->Next(), nullptr);
    chain.Son()->SetNext(std::move(cut));
    EXPECT_EQ(chain.Son()->Next(), second);
    EXPECT_EQ(second->Parent(), &chain);
}

TEST(ExprTree, ChainJoinFlagsComeFromItsEnds)
{
    // -2 x: begins with a minus, may not follow a factor (first is a number), may be followed.
    TExprChain a(Row(std::make_unique<TExprNumber>(-2, false), std::make_unique<TExprVar>("x")));
    EXPECT_EQ(a.JoinFlags(), jfFollowedByFactor | jfMinusLike);
    // x + 2: the sign in the middle does not matter.
    TExprChain b(Row(std::make_unique<TExprVar>("x"), std::make_unique<TExprSign>(u'+'), std::make_unique<TExprNumber>(2, false)));
    EXPECT_EQ(b.JoinFlags(), jfFollowsFactor | jfFollowedByFactor);
    // x - : ends with a sign, nothing may follow without one.
    TExprChain c(Row(std::make_unique<TExprVar>("x"), std::make_unique<TExprSign>(esMinus)));
    EXPECT_EQ(c.JoinFlags(), jfFollowsFactor);
}
