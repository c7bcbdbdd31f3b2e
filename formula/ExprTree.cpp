#include "ExprTree.h"

#include <algorithm>
#include <cmath>

namespace mevario {

int Round(long double v)
{
    const long double r = std::nearbyint(v); // the default mode rounds halves to even
    if (r >= 2147483647.0L)
        return 2147483647;
    if (r <= -2147483648.0L)
        return -2147483647 - 1;
    return static_cast<int>(r);
}

// ---- TExprClass ------------------------------------------------------------

TExprClass::TExprClass() = default;

TExprClass::~TExprClass()
{
    // Free the rest of the sibling list one node at a time, so that a long
    // row does not recurse once per node.
    PExpr n = std::move(FNext);
    while (n) {
        PExpr following = std::move(n->FNext);
        n.reset();
        n = std::move(following);
    }
}

void TExprClass::FontChanged()
{
    FDirtyMask = dmAll;
    PassFontToNext();
}

void TExprClass::CanvasChanged() { PassCanvasToNext(); }

// The rest of the sibling list receives this node's font and units. The
// list is walked here, by its head, rather than one recursion per node, so
// that a long row cannot exhaust the stack; a node being reached by the walk
// does not walk on by itself.
void TExprClass::PassFontToNext()
{
    if (FInWalk)
        return;
    for (TExprClass *prev = this, *n = FNext.get(); n; prev = n, n = n->FNext.get()) {
        n->FFont = prev->FFont;
        n->CopyUnits(*prev);
        n->FInWalk = true;
        n->FontChanged();
        n->FInWalk = false;
    }
}

void TExprClass::PassCanvasToNext()
{
    if (FInWalk)
        return;
    for (TExprClass *prev = this, *n = FNext.get(); n; prev = n, n = n->FNext.get()) {
        if (n->FCanvas == prev->FCanvas)
            break; // it has this canvas already, and so has the rest of its list
        n->FCanvas = prev->FCanvas;
        n->FDirtyMask = n->FCanvas ? dmAll : 0;
        n->CopyUnits(*prev);
        n->FInWalk = true;
        n->CanvasChanged();
        n->FInWalk = false;
    }
}

void TExprClass::CopyUnits(const TExprClass& sender)
{
    FStrokeW = sender.FStrokeW;
    FStrokeH = sender.FStrokeH;
    FUnitX = sender.FUnitX;
    FUnitY = sender.FUnitY;
}

void TExprClass::AssignCanvasFont()
{
    if (!FCanvas)
        return;
    FCanvas->SetFont(FFont);
    FCanvas->SetFontColor(GetColor());
}

void TExprClass::Paint(int, int) {}
bool TExprClass::ForcesArgumentBrackets() const { return false; }
bool TExprClass::AlwaysBracketsArgument() const { return true; }
int TExprClass::CalcWidth() { return 0; }
int TExprClass::CalcHeight() { return 0; }

int TExprClass::CalcMidLine(TSide side)
{
    if (side == TSide::Up)
        return Height() / 2;
    return -((Height() - 1) / 2);
}

int TExprClass::CalcPowerXPos() { return Width(); }
int TExprClass::CalcIndexXPos() { return Width(); }

int TExprClass::CalcPowerYPos()
{
    AssignCanvasFont();
    return TH("A") / 2;
}

int TExprClass::CalcIndexYPos()
{
    const int h = Height();
    AssignCanvasFont();
    return h - TH("A") / 2 - 2;
}

int TExprClass::CalcCapDY() { return 0; }

void TExprClass::CalcCapDX(int& left, int& right)
{
    left = 0;
    right = 0;
}

int TExprClass::JoinFlags() { return jfFollowsFactor | jfFollowedByFactor; }

void TExprClass::SetParent(TExprClass* parent)
{
    for (TExprClass* n = this; n && n->FParent != parent; n = n->FNext.get())
        n->FParent = parent;
}

void TExprClass::AddNext(PExpr n)
{
    if (!n)
        return;
    TExprClass* last = this;
    while (last->FNext)
        last = last->FNext.get();
    TExprClass* added = n.get();
    last->FNext = std::move(n);
    added->SetFont(FFont);
    added->SetCanvas(FCanvas);
}

void TExprClass::SetNext(PExpr n)
{
    FNext = std::move(n);
    if (FNext)
        FNext->SetParent(FParent);
}

PExpr TExprClass::CutNext() { return std::move(FNext); }

TColor TExprClass::GetColor() const
{
    for (const TExprClass* n = this; n; n = n->FParent)
        if (n->FColor != clNone)
            return n->FColor;
    return 0;
}

void TExprClass::SetColor(TColor c)
{
    for (TExprClass* n = this; n && n->FColor != c; n = n->FNext.get())
        n->FColor = c;
}

void TExprClass::SetFont(const TExprFont& f)
{
    FFont = f;
    FontNotify();
}

void TExprClass::SetFontHeight(int height)
{
    FFont.Height = height;
    FontNotify();
}

void TExprClass::SetFontSize(int points)
{
    const int ppi = FCanvas ? FCanvas->PixelsPerInchY() : 96;
    SetFontHeight(-Round(static_cast<long double>(points) * ppi / 72));
}

void TExprClass::FontNotify()
{
    if (FCanvas)
        ComputeUnits();
    FontChanged();
}

void TExprClass::SetFontWithUnits(const TExprFont& f, const TExprClass& sender)
{
    FFont = f;
    CopyUnits(sender);
    FontChanged();
}

void TExprClass::SetCanvas(TExprCanvas* c)
{
    if (c == FCanvas)
        return;
    FCanvas = c;
    if (c) {
        FDirtyMask = dmAll;
        ComputeUnits();
    } else {
        FDirtyMask = 0;
    }
    CanvasChanged();
}

void TExprClass::SetCanvasWithUnits(TExprCanvas* c, const TExprClass& sender)
{
    if (c == FCanvas)
        return;
    FCanvas = c;
    FDirtyMask = c ? dmAll : 0;
    CopyUnits(sender);
    CanvasChanged();
}

void TExprClass::ComputeUnits()
{
    AssignCanvasFont();
    const int h = TH("+");
    const int ppiX = std::max(1, FCanvas->PixelsPerInchX());
    const int ppiY = std::max(1, FCanvas->PixelsPerInchY());
    FUnitX = h / 27.6L;
    FUnitY = FUnitX * ppiY / ppiX;
    // Horizontal lines are as thick as the ink of "_"; a font that cannot
    // tell gets a thickness from its size, never less than one pixel.
    TExprGlyphMetrics gm;
    if (FCanvas->GlyphMetrics(u'_', gm) && gm.BlackBoxY > 0)
        FStrokeH = gm.BlackBoxY;
    else
        FStrokeH = std::max(1, Round(1.2L * FUnitY));
    FStrokeW = std::max(1, Round(static_cast<long double>(FStrokeH) * ppiX / ppiY));
}

int TExprClass::Cached(Metric m, std::int32_t bit)
{
    if (FDirtyMask & bit) {
        int v = 0;
        switch (m) {
        case mWidth: v = CalcWidth(); break;
        case mHeight: v = CalcHeight(); break;
        case mMidUp: v = CalcMidLine(TSide::Up); break;
        case mMidDown: v = CalcMidLine(TSide::Down); break;
        case mPowX: v = CalcPowerXPos(); break;
        case mPowY: v = CalcPowerYPos(); break;
        case mIdxX: v = CalcIndexXPos(); break;
        case mIdxY: v = CalcIndexYPos(); break;
        case mCapDY: v = CalcCapDY(); break;
        case mCapL:
        case mCapR: {
            int l = 0, r = 0;
            CalcCapDX(l, r);
            FMetrics[mCapL] = l;
            FMetrics[mCapR] = r;
            FDirtyMask &= ~bit;
            return FMetrics[m];
        }
        case mCount: break;
        }
        FMetrics[m] = v;
        FDirtyMask &= ~bit;
    }
    return FMetrics[m];
}

int TExprClass::Width() { return Cached(mWidth, dmWidth); }
int TExprClass::Height() { return Cached(mHeight, dmHeight); }
int TExprClass::MidLineUp() { return Cached(mMidUp, dmMidLineUp); }
int TExprClass::MidLineDown() { return Cached(mMidDown, dmMidLineDown); }
int TExprClass::PowerXPos() { return Cached(mPowX, dmPowerXPos); }
int TExprClass::PowerYPos() { return Cached(mPowY, dmPowerYPos); }
int TExprClass::IndexXPos() { return Cached(mIdxX, dmIndexXPos); }
int TExprClass::IndexYPos() { return Cached(mIdxY, dmIndexYPos); }
int TExprClass::CapDY() { return Cached(mCapDY, dmCapDY); }
int TExprClass::CapDXLeft() { return Cached(mCapL, dmCapDX); }
int TExprClass::CapDXRight() { return Cached(mCapR, dmCapDX); }

void TExprClass::SetPenAndBrush()
{
    if (!FCanvas)
        return;
    FCanvas->SetPen(GetColor(), 1);
    FCanvas->SetBrush(GetColor());
}

void TExprClass::Draw(int x, int y, THorzAlign horz, TVertAlign vert)
{
    if (!FCanvas || x > misure::kFuori || x < -misure::kFuori || y > misure::kFuori || y < -misure::kFuori)
        return;
    switch (horz) {
    case THorzAlign::Left: break;
    case THorzAlign::Center: x -= Width() / 2; break;
    case THorzAlign::Right: x -= Width() - 1; break;
    }
    switch (vert) {
    case TVertAlign::Top: break;
    case TVertAlign::MidLine: y -= MidLineUp(); break;
    case TVertAlign::Bottom: y -= Height() - 1; break;
    }
    AssignCanvasFont();
    Paint(x, y);
}

TExprSize TExprClass::Extent(const std::string& s)
{
    return FCanvas ? FCanvas->TextExtent(s) : TExprSize{};
}

int TExprClass::OverhangA(char16_t c)
{
    int a = 0, cc = 0;
    if (FCanvas && FCanvas->CharOverhangs(c, a, cc) && a < 0)
        return a;
    return 0;
}

int TExprClass::OverhangC(char16_t c)
{
    int a = 0, cc = 0;
    if (FCanvas && FCanvas->CharOverhangs(c, a, cc) && cc < 0)
        return cc;
    return 0;
}

// ---- TExprParent -----------------------------------------------------------

TExprParent::TExprParent(PExpr son) { SetSon(std::move(son)); }
TExprParent::~TExprParent() = default;

void TExprParent::SetSon(PExpr n)
{
    FSon = std::move(n);
    if (FSon) {
        FSon->SetParent(this);
        FontToSon();
        CanvasToSon();
    }
    MarkDirty(dmAll);
}

PExpr TExprParent::CutSon()
{
    MarkDirty(dmAll);
    return std::move(FSon);
}

void TExprParent::FontChanged()
{
    TExprClass::FontChanged();
    FontToSon();
}

void TExprParent::CanvasChanged()
{
    TExprClass::CanvasChanged();
    CanvasToSon();
}

void TExprParent::FontToSon() { HandFont(FSon.get()); }
void TExprParent::CanvasToSon() { HandCanvas(FSon.get()); }

// ---- TExprBigParent --------------------------------------------------------

TExprBigParent::TExprBigParent(PExpr son, PExpr son2) : TExprParent(std::move(son))
{
    SetSon2(std::move(son2));
}
TExprBigParent::~TExprBigParent() = default;

void TExprBigParent::SetSon2(PExpr n)
{
    FSon2 = std::move(n);
    if (FSon2) {
        SetParentOf(FSon2.get(), this);
        FontToSon2();
        CanvasToSon2();
    }
    MarkDirty(dmAll);
}

void TExprBigParent::FontChanged()
{
    TExprParent::FontChanged();
    FontToSon2();
}

void TExprBigParent::CanvasChanged()
{
    TExprParent::CanvasChanged();
    CanvasToSon2();
}

void TExprBigParent::FontToSon2() { HandFont(FSon2.get()); }
void TExprBigParent::CanvasToSon2() { HandCanvas(FSon2.get()); }

// ---- TExprTwinParent -------------------------------------------------------

TExprTwinParent::TExprTwinParent(PExpr son, PExpr lower, PExpr upper) : TExprParent(std::move(son))
{
    SetSub(1, std::move(lower));
    SetSub(2, std::move(upper));
}
TExprTwinParent::~TExprTwinParent() = default;

void TExprTwinParent::SetSub(int i, PExpr n)
{
    PExpr& slot = FSub[i - 1];
    slot = std::move(n);
    if (slot) {
        SetParentOf(slot.get(), this);
        SetFontOf(slot.get(), FFont);
        SetFontHeightOf(slot.get(), ScaledHeight(slot->Font().Height));
        slot->SetCanvas(Canvas());
    }
    MarkDirty(dmAll);
}

void TExprTwinParent::FontChanged()
{
    TExprParent::FontChanged();
    TExprFont small = FFont;
    small.Height = ScaledHeight(FFont.Height);
    for (auto& s : FSub)
        if (s)
            SetFontOf(s.get(), small);
}

void TExprTwinParent::CanvasChanged()
{
    TExprParent::CanvasChanged();
    for (auto& s : FSub)
        if (s)
            s->SetCanvas(Canvas());
}

// ---- TExprChain ------------------------------------------------------------

TExprChain::TExprChain(PExpr son) : TExprParent(std::move(son)) {}

TExprClass* TExprChain::LastSon() const
{
    TExprClass* n = Son();
    while (n && n->Next())
        n = n->Next();
    return n;
}

void TExprChain::UpDown(int& up, int& down)
{
    up = 0;
    down = 0;
    for (TExprClass* n = Son(); n; n = n->Next()) {
        up = std::max(up, n->MidLineUp() + 1);
        down = std::max(down, n->Height() - n->MidLineUp() - 1);
    }
}

int TExprChain::CalcWidth()
{
    long long w = 0;
    for (TExprClass* n = Son(); n; n = n->Next())
        w += n->Width();
    return misure::Limita(w);
}

int TExprChain::CalcHeight()
{
    int up, down;
    UpDown(up, down);
    return up + down;
}

int TExprChain::CalcMidLine(TSide side)
{
    int up, down;
    UpDown(up, down);
    return side == TSide::Up ? up - 1 : -down;
}

void TExprChain::Paint(int x, int y)
{
    const int m = MidLineUp();
    for (TExprClass* n = Son(); n && x <= misure::kFuori; n = n->Next()) {
        n->Draw(x, y + m, THorzAlign::Left, TVertAlign::MidLine);
        x += n->Width();
    }
}

int TExprChain::CalcCapDY()
{
    int c = NoCap;
    for (TExprClass* n = Son(); n; n = n->Next())
        c = std::min(c, n->CapDY());
    return c;
}

void TExprChain::CalcCapDX(int& left, int& right)
{
    left = Son() ? Son()->CapDXLeft() : 0;
    TExprClass* last = LastSon();
    right = last ? last->CapDXRight() : 0;
}

int TExprChain::JoinFlags()
{
    if (!Son())
        return TExprClass::JoinFlags();
    const int first = Son()->JoinFlags();
    const int last = LastSon()->JoinFlags();
    return (first & jfFollowsFactor) + (last & jfFollowedByFactor) + (first & jfMinusLike);
}

} // namespace mevario
