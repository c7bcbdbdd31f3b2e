#include "ExprFractions.h"

#include <algorithm>
#include <cmath>

namespace mevario {

namespace {

using misure::Dn;
using misure::H;
using misure::Up;
using misure::W;

void DrawAt(TExprClass* n, int x, int y, THorzAlign h, TVertAlign v)
{
    if (n)
        n->Draw(x, y, h, v);
}

} // namespace

// ---- fraction --------------------------------------------------------------

TExprRatio::TExprRatio(PExpr numerator, PExpr denominator)
    : TExprBigParent(std::move(numerator), std::move(denominator))
{
}

int TExprRatio::CalcWidth() { return std::max(W(Son()), W(Son2())) + 8 * StrokeW(); }

int TExprRatio::CalcHeight() { return H(Son()) + 3 * StrokeH() + H(Son2()); }

int TExprRatio::CalcMidLine(TSide side)
{
    const int sh = StrokeH();
    if (side == TSide::Up)
        return H(Son()) + sh + sh / 2;
    return -(H(Son2()) + sh + sh / 2);
}

void TExprRatio::Paint(int x, int y)
{
    const int sw = StrokeW(), sh = StrokeH();
    const int a = y + MidLineUp();
    const int c = x + Width() / 2;
    DrawAt(Son(), c, a - sh - sh / 2, THorzAlign::Center, TVertAlign::Bottom);
    DrawAt(Son2(), c, a + sh + sh / 2, THorzAlign::Center, TVertAlign::Top);
    SetPenAndBrush();
    Canvas()->FillRect(x + 3 * sw, a - sh / 2, x + Width() - 3 * sw + 1, a + sh / 2 + sh % 2);
}

// ---- radical ---------------------------------------------------------------

TExprRoot::TExprRoot(PExpr radicand, PExpr degree) : TExprBigParent(std::move(radicand), std::move(degree)) {}

void TExprRoot::FontToSon2()
{
    if (!Son2())
        return;
    TExprFont f = Font();
    f.Height = ScaledHeight(f.Height);
    SetFontOf(Son2(), f);
}

void TExprRoot::CanvasToSon2()
{
    if (Son2())
        Son2()->SetCanvas(Canvas());
}

int TExprRoot::W0()
{
    TExprClass* r = Son();
    return W(r) + 8 * StrokeW() + Round((H(r) + StrokeH()) / 2.0L);
}

int TExprRoot::H0() { return H(Son()) + 3 * StrokeH(); }
int TExprRoot::DegreeDX() { return Son2() ? std::max(0, W(Son2()) - 5 * StrokeW()) : 0; }
int TExprRoot::DegreeDY() { return Son2() ? std::max(0, H(Son2()) - 4 * StrokeH()) : 0; }

int TExprRoot::CalcWidth() { return W0() + DegreeDX(); }
int TExprRoot::CalcHeight() { return H0() + DegreeDY(); }

int TExprRoot::CalcMidLine(TSide side)
{
    if (side == TSide::Down)
        return Dn(Son());
    const int sh = StrokeH();
    if (Son2() && H(Son2()) > 4 * sh)
        return Up(Son()) + H(Son2()) - sh;
    return Up(Son()) + 3 * sh;
}

std::vector<TExprPoint> TExprRoot::SignPolygon(int x, int y)
{
    const int sw = StrokeW(), sh = StrokeH();
    const int h0 = H0();
    const int x1 = x + W0();
    const int wr = W(Son());
    const int v = y + Round(h0 - 3 * std::sqrt(3.0L) * sh);
    std::vector<TExprPoint> p = {
        {x + sw, y + 6 * sh},
        {x + 6 * sw - 1, y + 6 * sh},
        {x + 6 * sw - 1, v},
        {x1 - 3 * sw - wr - sw / 2 - 1, y + sh},
        {x1 - sw - 1, y + sh},
        {x1 - sw - 1, y + 4 * sh - 1},
        {x1 - 2 * sw, y + 4 * sh - 1},
        {x1 - 2 * sw, y + 2 * sh - 1},
        {x1 - 3 * sw - wr - 1, y + 2 * sh - 1},
        {x + 4 * sw, y + h0},
        {x + 4 * sw, y + 7 * sh - 1},
        {x + sw, y + 7 * sh - 1},
    };
    const int dx = DegreeDX(), dy = DegreeDY();
    for (auto& pt : p) {
        pt.x += dx;
        pt.y += dy;
    }
    return p;
}

void TExprRoot::Paint(int x, int y)
{
    const std::vector<TExprPoint> p = SignPolygon(x, y);
    DrawAt(Son(), p[8].x, p[8].y + StrokeH(), THorzAlign::Left, TVertAlign::Top);
    DrawAt(Son2(), p[1].x, p[1].y - StrokeH(), THorzAlign::Right, TVertAlign::Bottom);
    SetPenAndBrush();
    Canvas()->Polygon(p);
}

// ---- power and index -------------------------------------------------------

TExprIndex::TExprIndex(PExpr base, PExpr lower, PExpr upper)
    : TExprTwinParent(std::move(base), std::move(lower), std::move(upper))
{
}

int TExprIndex::Shift()
{
    TExprClass* u = Sub(2);
    return u ? std::max(0, H(u) - (Son() ? Son()->PowerYPos() : 0)) : 0;
}

int TExprIndex::LowerExtra()
{
    TExprClass* l = Sub(1);
    return l ? std::max(0, H(l) + (Son() ? Son()->IndexYPos() : 0) - H(Son())) : 0;
}

int TExprIndex::CalcWidth()
{
    TExprClass* b = Son();
    int w = W(b);
    if (Sub(1))
        w = std::max(w, (b ? b->IndexXPos() : 0) + W(Sub(1)));
    if (Sub(2))
        w = std::max(w, (b ? b->PowerXPos() : 0) + W(Sub(2)));
    return w;
}

int TExprIndex::CalcHeight() { return H(Son()) + LowerExtra() + Shift(); }

int TExprIndex::CalcMidLine(TSide side)
{
    if (side == TSide::Up)
        return Up(Son()) + Shift();
    return Dn(Son()) - LowerExtra();
}

void TExprIndex::Paint(int x, int y)
{
    TExprClass* b = Son();
    const int s = Shift();
    if (Sub(2) && b)
        Sub(2)->Draw(x + b->PowerXPos(), y + s + b->PowerYPos(), THorzAlign::Left, TVertAlign::Bottom);
    DrawAt(b, x, y + s, THorzAlign::Left, TVertAlign::Top);
    if (Sub(1) && b)
        Sub(1)->Draw(x + b->IndexXPos(), y + s + b->IndexYPos(), THorzAlign::Left, TVertAlign::Top);
}

int TExprIndex::CalcCapDY()
{
    if (Sub(2))
        return Sub(2)->CapDY();
    return Son() ? Son()->CapDY() : 0;
}

bool TExprIndex::AlwaysBracketsArgument() const { return dynamic_cast<TExprFuncName*>(Son()) == nullptr; }

int TExprIndex::JoinFlags() { return (Son() ? Son()->JoinFlags() : TExprClass::JoinFlags()) | jfFollowedByFactor; }

// ---- brackets --------------------------------------------------------------

TExprBracketed::TExprBracketed(PExpr son, unsigned char leftKind, unsigned char rightKind)
    : TExprChain(std::move(son)), FLeftKind(leftKind), FRightKind(rightKind)
{
}

bool TExprBracketed::BracketsShown() { return true; }

bool TExprBracketed::AnyDrawn() { return (FLeftKind != bkNone || FRightKind != bkNone) && BracketsShown(); }

bool TExprBracketed::CurlyExtraRow()
{
    if (!AnyDrawn() || (FLeftKind != bkCurly && FRightKind != bkCurly))
        return false;
    const int h = TExprChain::CalcHeight() + 2 * StrokeH();
    return (h - StrokeH()) % 2 != 0;
}

void TExprBracketed::RemoveBrackets()
{
    FLeftKind = bkNone;
    FRightKind = bkNone;
    MarkDirty(dmWidth | dmHeight | dmCapDX | dmCapDY | dmMidLineDown);
}

int TExprBracketed::SideWidth(unsigned char kind)
{
    if (kind == bkNone || !BracketsShown())
        return 0;
    const int sw = StrokeW();
    switch (kind) {
    case bkRound: return Round(0.191192L * Height()) + 2 * sw;
    case bkSquare: return 5 * sw;
    case bkCurly: return 7 * sw;
    case bkBar: return 3 * sw;
    default: return 0;
    }
}

int TExprBracketed::CalcWidth()
{
    return TExprChain::CalcWidth() + SideWidth(FLeftKind) + SideWidth(FRightKind);
}

int TExprBracketed::CalcHeight()
{
    return TExprChain::CalcHeight() + 2 * StrokeH() + (CurlyExtraRow() ? 1 : 0);
}

int TExprBracketed::CalcMidLine(TSide side)
{
    if (side == TSide::Up)
        return TExprChain::CalcMidLine(TSide::Up) + StrokeH();
    return TExprChain::CalcMidLine(TSide::Down) - StrokeH() - (CurlyExtraRow() ? 1 : 0);
}

int TExprBracketed::CalcCapDY() { return AnyDrawn() ? 0 : TExprChain::CalcCapDY(); }

void TExprBracketed::CalcCapDX(int& left, int& right)
{
    if (AnyDrawn()) {
        left = 0;
        right = 0;
    } else {
        TExprChain::CalcCapDX(left, right);
    }
}

int TExprBracketed::JoinFlags()
{
    if (AnyDrawn() && FLeftKind != bkNone && FRightKind != bkNone)
        return (FLeftKind == bkRound && FRightKind == bkRound) ? 27 : 19;
    return TExprChain::JoinFlags();
}

std::vector<TExprPoint> TExprBracketed::Outline(unsigned char kind, bool left, int x, int y)
{
    return BracketOutline(kind, left, x, y, Height(), StrokeW(), StrokeH());
}

std::vector<TExprPoint> BracketOutline(unsigned char kind, bool left, int x, int y, int h, int sw, int sh)
{
    std::vector<TExprPoint> p;
    if (kind == bkRound) {
        const int d = Round(0.191192L * h), q = Round(0.294316L * h), r = Round(0.273051L * h);
        const int pp = Round(0.156491L * h);
        if (left) {
            p = {{x + d, y + sh},
                 {x + d - pp - 2, y + sh + q},
                 {x + d - pp - 2, y + h - sh - q - 1},
                 {x + d, y + h - sh - 1},
                 {x, y + h - sh - r - 1},
                 {x, y + sh + r},
                 {x + d, y + sh}};
        } else {
            const int rr = x + 2 * sw - 3;
            p = {{rr - 1, y + sh},
                 {rr + pp + 1, y + sh + q},
                 {rr + pp + 1, y + h - sh - q - 1},
                 {rr - 1, y + h - sh - 1},
                 {rr + d - 1, y + h - sh - r - 1},
                 {rr + d - 1, y + sh + r},
                 {rr - 1, y + sh}};
        }
        return p; // already closed, no mirroring
    }
    switch (kind) {
    case bkSquare:
        if (left)
            p = {{x + sw, y + sh},          {x + sw, y + sh},          {x + 5 * sw - 1, y + sh},
                 {x + 5 * sw - 1, y + sh},  {x + 5 * sw - 1, y + sh},  {x + 5 * sw - 1, y + 2 * sh - 1},
                 {x + 5 * sw - 1, y + 2 * sh - 1}, {x + 3 * sw + 2, y + 2 * sh - 1}, {x + 3 * sw - 1, y + 2 * sh - 2},
                 {x + 3 * sw - 1, y + 3 * sh - 1}, {x + 3 * sw - 1, y + 3 * sh - 1}};
        else
            p = {{x + 4 * sw - 1, y + sh}, {x + 4 * sw - 1, y + sh}, {x, y + sh},
                 {x, y + sh},              {x, y + sh},              {x, y + 2 * sh - 1},
                 {x, y + 2 * sh - 1},      {x + 2 * sw - 3, y + 2 * sh - 1}, {x + 2 * sw, y + 2 * sh - 2},
                 {x + 2 * sw, y + 3 * sh - 1}, {x + 2 * sw, y + 3 * sh - 1}};
        break;
    case bkBar: // the same shape on both sides
        p = {{x + sw, y + sh}, {x + sw, y + sh}, {x + 2 * sw - 1, y + sh}, {x + 2 * sw - 1, y + sh}, {x + 2 * sw - 1, y + sh}};
        break;
    case bkCurly: {
        const int e = y + 1 + (h - 11 * sh) / 2;
        if (left) {
            const int X = x;
            p = {{X + sw, e + 5 * sh - 1},        {X + 2 * sw - 1, e + 5 * sh - 1}, {X + 3 * sw, e + 4 * sh - 2},
                 {X + 3 * sw, e + 3 * sh - 1},    {X + 3 * sw, e + 3 * sh - 1},     {X + 3 * sw, y + 3 * sh - 1},
                 {X + 3 * sw, y + 3 * sh - 1},    {X + 3 * sw, y + sh},             {X + 4 * sw, y + sh},
                 {X + 7 * sw - 1, y + sh},        {X + 7 * sw - 1, y + sh},         {X + 7 * sw - 1, y + 2 * sh - 1},
                 {X + 7 * sw - 1, y + 2 * sh - 1}, {X + 5 * sw - 1, y + 2 * sh - 1}, {X + 5 * sw - 1, y + 2 * sh - 1},
                 {X + 5 * sw - 1, y + 3 * sh - 1}, {X + 5 * sw - 1, y + 3 * sh - 1}, {X + 5 * sw - 1, e + 3 * sh - 1},
                 {X + 5 * sw - 1, e + 3 * sh - 1}, {X + 5 * sw - 1, e + 3 * sh - 2}, {X + 5 * sw - 2, e + 5 * sh - 1},
                 {X + 3 * sw - 1, e + 5 * sh - 1}, {X + 3 * sw - 1, e + 5 * sh - 1}};
        } else {
            const int xr = x;
            p = {{xr + 6 * sw - 1, e + 5 * sh - 1}, {xr + 5 * sw, e + 5 * sh - 1},     {xr + 4 * sw - 1, e + 4 * sh - 2},
                 {xr + 4 * sw - 1, e + 3 * sh - 1}, {xr + 4 * sw - 1, e + 3 * sh - 1}, {xr + 4 * sw - 1, y + 3 * sh - 1},
                 {xr + 4 * sw - 1, y + 3 * sh - 1}, {xr + 4 * sw - 1, y + sh},         {xr + 3 * sw - 1, y + sh},
                 {xr, y + sh},                      {xr, y + sh},                      {xr, y + 2 * sh - 1},
                 {xr, y + 2 * sh - 1},              {xr + 2 * sw, y + 2 * sh - 1},     {xr + 2 * sw, y + 2 * sh - 1},
                 {xr + 2 * sw, y + 3 * sh - 1},     {xr + 2 * sw, y + 3 * sh - 1},     {xr + 2 * sw, e + 3 * sh - 1},
                 {xr + 2 * sw, e + 3 * sh - 1},     {xr + 2 * sw, e + 4 * sh - 2},     {xr + 2 * sw + 1, e + 5 * sh - 1},
                 {xr + 4 * sw, e + 5 * sh - 1},     {xr + 4 * sw, e + 5 * sh - 1}};
        }
        break;
    }
    default: return p;
    }
    // The lower half is the upper one in reverse order, mirrored about the
    // node's horizontal centre.
    const std::size_t n = p.size();
    for (std::size_t i = n; i-- > 0;)
        p.push_back({p[i].x, 2 * y + h - p[i].y - 1});
    return p;
}

void TExprBracketed::Paint(int x, int y)
{
    if (!AnyDrawn()) {
        TExprChain::Paint(x, y);
        return;
    }
    const int lw = SideWidth(FLeftKind);
    const int wc = TExprChain::CalcWidth();
    if (FLeftKind != bkNone) {
        SetPenAndBrush();
        Canvas()->BezierPath(Outline(FLeftKind, true, x, y));
    }
    TExprChain::Paint(x + lw, y);
    if (FRightKind != bkNone) {
        SetPenAndBrush();
        Canvas()->BezierPath(Outline(FRightKind, false, x + lw + wc, y));
    }
}

TExprRound::TExprRound(PExpr son) : TExprBracketed(std::move(son), bkRound, bkRound) {}
int TExprRound::JoinFlags() { return 19; }

TExprArgument::TExprArgument(PExpr son) : TExprBracketed(std::move(son), bkRound, bkRound) {}

bool TExprArgument::BracketsShown()
{
    if (FForced)
        return true;
    if (auto* f = dynamic_cast<TExprCommonFunc*>(Parent()); f && f->Son() && f->Son()->AlwaysBracketsArgument())
        return true;
    for (TExprClass* n = Son(); n; n = n->Next())
        if (n->ForcesArgumentBrackets())
            return true;
    return false;
}

void TExprArgument::ForceBrackets()
{
    FForced = true;
    MarkDirty(dmAll);
}

TExprBase::TExprBase(PExpr son) : TExprBracketed(std::move(son), bkRound, bkRound) {}

bool TExprBase::BracketsShown() { return Son() && Son()->Next(); }

// ---- function application --------------------------------------------------

TExprCommonFunc::TExprCommonFunc(PExpr function, PExpr argument)
    : TExprBigParent(std::move(function), std::move(argument))
{
}

int TExprCommonFunc::CalcWidth() { return W(Son()) + 3 * StrokeW() + W(Son2()); }

int TExprCommonFunc::CalcMidLine(TSide side)
{
    if (side == TSide::Up)
        return std::max(Up(Son()), Up(Son2()));
    return std::min(Dn(Son()), Dn(Son2()));
}

int TExprCommonFunc::CalcHeight() { return MidLineUp() - MidLineDown() + 1; }

void TExprCommonFunc::Paint(int x, int y)
{
    const int m = MidLineUp();
    DrawAt(Son(), x, y + m - Up(Son()), THorzAlign::Left, TVertAlign::Top);
    DrawAt(Son2(), x + W(Son()) + 3 * StrokeW(), y + m - Up(Son2()), THorzAlign::Left, TVertAlign::Top);
}

int TExprCommonFunc::JoinFlags()
{
    return (Son2() && (Son2()->JoinFlags() & jfBracketed)) ? 3 : 1;
}

namespace {
PExpr FunctionPart(const std::string& name)
{
    if (name.size() == 1)
        return std::make_unique<TExprVar>(name);
    return std::make_unique<TExprFuncName>(name);
}
} // namespace

TExprFunc::TExprFunc(const std::string& name, PExpr argument) : TExprCommonFunc(FunctionPart(name), std::move(argument)) {}

} // namespace mevario
