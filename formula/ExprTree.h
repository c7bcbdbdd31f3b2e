// The expression tree: the common base of every formula node, the container
// classes and the horizontal chain. A node measures itself lazily through
// cached metrics and draws itself on a TExprCanvas.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "ExprCanvas.h"

namespace mevario {

class TExprClass;
using PExpr = std::unique_ptr<TExprClass>;

// Bits of JoinFlags.
enum : int {
    jfFollowsFactor = 1,  // may stand right after another factor without a sign
    jfFollowedByFactor = 2, // another factor may stand right after it
    jfMinusLike = 4,      // begins with a minus, plus-minus or minus-plus sign
    jfRoundBrackets = 8,  // enclosed in round brackets on both sides
    jfBracketed = 16,     // enclosed in brackets
};

class TExprClass {
public:
    // "No colour of its own": the colour comes from the parent.
    static constexpr TColor clNone = 0x1FFFFFFF;
    static constexpr int NoCap = 2147483647;

    // Bits of DirtyMask, one a cached metric.
    enum : std::int32_t {
        dmWidth = 0x001,
        dmHeight = 0x002,
        dmPowerXPos = 0x004,
        dmPowerYPos = 0x008,
        dmIndexXPos = 0x010,
        dmIndexYPos = 0x020,
        dmCapDX = 0x040,
        dmCapDY = 0x080,
        dmMidLineUp = 0x100,
        dmMidLineDown = 0x200,
        dmAll = -1,
    };
    enum class TSide { Up, Down };

    TExprClass();
    virtual ~TExprClass();
    TExprClass(const TExprClass&) = delete;
    TExprClass& operator=(const TExprClass&) = delete;

    // ---- the sixteen operations every node may override ----
    virtual void FontChanged();
    virtual void CanvasChanged();
    virtual void AssignCanvasFont();
    virtual void Paint(int x, int y);
    virtual bool ForcesArgumentBrackets() const;
    virtual bool AlwaysBracketsArgument() const;
    virtual int CalcWidth();
    virtual int CalcHeight();
    virtual int CalcMidLine(TSide side);
    virtual int CalcPowerXPos();
    virtual int CalcIndexXPos();
    virtual int CalcPowerYPos();
    virtual int CalcIndexYPos();
    virtual int CalcCapDY();
    virtual void CalcCapDX(int& left, int& right);
    virtual int JoinFlags();

    // ---- tree ----
    TExprClass* Parent() const { return FParent; }
    TExprClass* Next() const { return FNext.get(); }
    void SetParent(TExprClass* parent);
    // Appends n at the end of this node's sibling list and gives it this
    // node's font and canvas.
    void AddNext(PExpr n);
    // Replaces (and destroys) the rest of the list.
    void SetNext(PExpr n);
    PExpr CutNext();

    // ---- colour, font, canvas ----
    TColor Color() const { return FColor; }
    TColor GetColor() const;
    void SetColor(TColor c);
    const TExprFont& Font() const { return FFont; }
    void SetFont(const TExprFont& f);
    // Size in points at the canvas's vertical resolution (96 without canvas).
    void SetFontSize(int points);
    TExprCanvas* Canvas() const { return FCanvas; }
    void SetCanvas(TExprCanvas* c);

    int StrokeW() const { return FStrokeW; }
    int StrokeH() const { return FStrokeH; }
    long double UnitX() const { return FUnitX; }
    long double UnitY() const { return FUnitY; }
    std::int32_t DirtyMask() const { return FDirtyMask; }

    // ---- cached metrics ----
    int Width();
    int Height();
    int MidLineUp();
    int MidLineDown();
    int PowerXPos();
    int PowerYPos();
    int IndexXPos();
    int IndexYPos();
    int CapDY();
    int CapDXLeft();
    int CapDXRight();

    void SetPenAndBrush();
    // Draws the node with (x, y) as the reference point given by the two
    // alignments (left column / centre / right column; top row / midline
    // row / bottom row).
    void Draw(int x, int y, THorzAlign horz, TVertAlign vert);

protected:
    // Runs whenever the node's own font changed.
    void FontNotify();
    // Font and canvas handed down with the sender's units and strokes.
    void SetFontWithUnits(const TExprFont& f, const TExprClass& sender);
    void SetCanvasWithUnits(TExprCanvas* c, const TExprClass& sender);
    void ComputeUnits();
    void CopyUnits(const TExprClass& sender);
    void PassFontToNext();
    void PassCanvasToNext();
    void MarkDirty(std::int32_t bits) { FDirtyMask |= bits; }
    // For caches of their own (bits above 0x200): true when the bit was
    // set, which this clears.
    bool TakeDirty(std::int32_t bit)
    {
        const bool was = (FDirtyMask & bit) != 0;
        FDirtyMask &= ~bit;
        return was;
    }
    // Changes the node's own font height (the change notification runs).
    void SetFontHeight(int height);

    // Measures of the selected font: TW, TH, and the overhangs (only
    // negative ones count).
    TExprSize Extent(const std::string& s);
    int TW(const std::string& s) { return Extent(s).cx; }
    int TH(const std::string& s) { return Extent(s).cy; }
    int OverhangA(char16_t c);
    int OverhangC(char16_t c);

    TExprFont FFont;

private:
    friend class TExprParent;
    enum Metric { mWidth, mHeight, mMidUp, mMidDown, mPowX, mPowY, mIdxX, mIdxY, mCapDY, mCapL, mCapR, mCount };
    int Cached(Metric m, std::int32_t bit);

    TExprClass* FParent = nullptr;
    PExpr FNext;
    TColor FColor = clNone;
    std::array<int, mCount> FMetrics{};
    TExprCanvas* FCanvas = nullptr;
    std::int32_t FDirtyMask = 0;
    int FStrokeW = 0;
    int FStrokeH = 0;
    long double FUnitX = 0;
    long double FUnitY = 0;
    bool FInWalk = false; // being reached by its list head's walk
};

// A node with one son (or a list of sons starting at Son).
class TExprParent : public TExprClass {
public:
    explicit TExprParent(PExpr son = nullptr);
    ~TExprParent() override;
    TExprClass* Son() const { return FSon.get(); }
    void SetSon(PExpr n);
    PExpr CutSon();
    void FontChanged() override;
    void CanvasChanged() override;
    virtual void FontToSon();
    virtual void CanvasToSon();

protected:
    void HandFont(TExprClass* n) { if (n) n->SetFontWithUnits(FFont, *this); }
    void HandCanvas(TExprClass* n) { if (n) n->SetCanvasWithUnits(Canvas(), *this); }
    static void SetFontOf(TExprClass* n, const TExprFont& f) { n->SetFont(f); }
    static void SetFontHeightOf(TExprClass* n, int h) { n->SetFontHeight(h); }
    static void SetParentOf(TExprClass* n, TExprClass* p) { n->SetParent(p); }

private:
    PExpr FSon;
};

// A node with two sons (fraction, root, function application...).
class TExprBigParent : public TExprParent {
public:
    TExprBigParent(PExpr son, PExpr son2);
    ~TExprBigParent() override;
    TExprClass* Son2() const { return FSon2.get(); }
    void SetSon2(PExpr n);
    void FontChanged() override;
    void CanvasChanged() override;
    virtual void FontToSon2();
    virtual void CanvasToSon2();

private:
    PExpr FSon2;
};

// A node with a son and two sub-expressions in a smaller font: Sub(1) the
// lower slot, Sub(2) the upper slot.
class TExprTwinParent : public TExprParent {
public:
    TExprTwinParent(PExpr son, PExpr lower, PExpr upper);
    ~TExprTwinParent() override;
    TExprClass* Sub(int i) const { return FSub[i - 1].get(); }
    void SetSub(int i, PExpr n);
    void FontChanged() override;
    void CanvasChanged() override;

private:
    std::array<PExpr, 2> FSub;
};

// A horizontal row of its son list, aligned on the midline.
class TExprChain : public TExprParent {
public:
    explicit TExprChain(PExpr son);
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    int CalcCapDY() override;
    void CalcCapDX(int& left, int& right) override;
    int JoinFlags() override;

protected:
    // The last node of the son list.
    TExprClass* LastSon() const;

private:
    void UpDown(int& up, int& down);
};

// Metrics of a son that may be missing (0 then), for the containers.
namespace misure {
inline int W(TExprClass* n) { return n ? n->Width() : 0; }
inline int H(TExprClass* n) { return n ? n->Height() : 0; }
inline int Up(TExprClass* n) { return n ? n->MidLineUp() : 0; }
inline int Dn(TExprClass* n) { return n ? n->MidLineDown() : 0; }
// Sizes built from counts written in a formula may be huge: they are kept
// well inside the integer range, so that sums of them cannot overflow.
inline int Limita(long long v)
{
    constexpr long long limite = 2147483647LL / 4;
    return static_cast<int>(v > limite ? limite : (v < -limite ? -limite : v));
}
// Farther than any canvas reaches: nodes placed beyond it are not drawn,
// which also keeps coordinates far from the integer limits.
constexpr int kFuori = 1 << 28;
} // namespace misure

// The reduced character height of scripts, degrees and nested levels.
inline int ScaledHeight(int h) { return Round(h * 0.7L); }

} // namespace mevario
