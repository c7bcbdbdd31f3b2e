// Fractions, powers and indices, brackets, function applications, radicals.
#pragma once

#include <string>
#include <vector>

#include "ExprAtoms.h"
#include "ExprTree.h"

namespace mevario {

// Numerator (Son) over denominator (Son2), the bar on the midline.
class TExprRatio : public TExprBigParent {
public:
    TExprRatio(PExpr numerator, PExpr denominator);
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
};

// Radical: radicand (Son) and an optional degree (Son2) in the smaller font.
class TExprRoot : public TExprBigParent {
public:
    TExprRoot(PExpr radicand, PExpr degree);
    void FontToSon2() override;
    void CanvasToSon2() override;
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;

    // The sign's twelve corners for a node painted at (x, y).
    std::vector<TExprPoint> SignPolygon(int x, int y);

private:
    int W0();
    int H0();
    int DegreeDX();
    int DegreeDY();
};

// Base (Son) with a subscript Sub(1) and an exponent Sub(2), either may be nil.
class TExprIndex : public TExprTwinParent {
public:
    TExprIndex(PExpr base, PExpr lower, PExpr upper);
    int CalcCapDY() override;
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    bool AlwaysBracketsArgument() const override;
    int JoinFlags() override;

private:
    int Shift();      // rows the base is pushed down to make room for the exponent
    int LowerExtra(); // rows the subscript reaches below the base
};

// Kinds of bracket.
enum : unsigned char { bkNone = 0, bkRound = 1, bkSquare = 2, bkCurly = 3, bkBar = 4 };

// The closed Bézier outline of a bracket of kind 1 to 4 for a node of height
// h at row y: `left` for the opening side, whose region starts at column x;
// for the closing side x is the first column after the content.
std::vector<TExprPoint> BracketOutline(unsigned char kind, bool left, int x, int y, int h, int sw, int sh);

// A row of nodes between brackets that grow with their content.
class TExprBracketed : public TExprChain {
public:
    TExprBracketed(PExpr son, unsigned char leftKind, unsigned char rightKind);
    unsigned char LeftKind() const { return FLeftKind; }
    unsigned char RightKind() const { return FRightKind; }
    virtual bool BracketsShown();
    void RemoveBrackets();

    void Paint(int x, int y) override;
    int CalcCapDY() override;
    void CalcCapDX(int& left, int& right) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    int JoinFlags() override;

    // Width of one side's bracket (0 when it is not drawn).
    int SideWidth(unsigned char kind);
    // The closed Bézier outline of a bracket of the given kind; `left` for
    // the opening side, whose region starts at column x (for the closing
    // side x is the first column after the content).
    std::vector<TExprPoint> Outline(unsigned char kind, bool left, int x, int y);

protected:
    bool AnyDrawn();
    bool CurlyExtraRow();

private:
    unsigned char FLeftKind;
    unsigned char FRightKind;
};

// Round brackets always drawn.
class TExprRound : public TExprBracketed {
public:
    explicit TExprRound(PExpr son);
    int JoinFlags() override;
};

// The argument of a function, or a bracketed group in a row: its brackets
// show when forced, when the function always brackets its argument, or when
// the content holds a sign or comma that needs them.
class TExprArgument : public TExprBracketed {
public:
    explicit TExprArgument(PExpr son);
    bool Forced() const { return FForced; }
    bool BracketsShown() override;
    void ForceBrackets();

private:
    bool FForced = false;
};

// A base of a power: bracketed only when it holds more than one node.
class TExprBase : public TExprBracketed {
public:
    explicit TExprBase(PExpr son);
    bool BracketsShown() override;
};

// A function part (Son) applied to an argument (Son2).
class TExprCommonFunc : public TExprBigParent {
public:
    TExprCommonFunc(PExpr function, PExpr argument);
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    int JoinFlags() override;
};

// A named function: one-letter names are italic variables (f), longer ones
// upright names (sin).
class TExprFunc : public TExprCommonFunc {
public:
    TExprFunc(const std::string& name, PExpr argument);
};

} // namespace mevario
