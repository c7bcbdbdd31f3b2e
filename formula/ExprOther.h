// The remaining constructs: limit, substitution bar, accents, stacks,
// matrices, case lists and the big operators.
#pragma once

#include "ExprFractions.h"

namespace mevario {

// "lim" with a small expression centred under it.
class TExprLim : public TExprParent {
public:
    explicit TExprLim(PExpr son);
    void FontToSon() override;
    void CanvasToSon() override;
    void Paint(int x, int y) override;
    bool AlwaysBracketsArgument() const override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;

private:
    TExprSize Parola();
};

// An expression, a vertical bar and the substitution at the bar's foot.
class TExprAtValue : public TExprBigParent {
public:
    TExprAtValue(PExpr expression, PExpr substitution);
    void FontToSon2() override;
    void CanvasToSon2() override;
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    int JoinFlags() override;
};

// Kinds of accent.
enum : unsigned char { ckDots = 0, ckArrow = 1, ckCap = 2, ckTilde = 3, ckLine = 4 };

// An accent above an expression.
class TExprCap : public TExprParent {
public:
    TExprCap(PExpr son, unsigned char capKind, int count);
    unsigned char CapKind() const { return FCapKind; }
    int Count() const { return FCount; }
    int CalcPowerXPos() override;
    int CalcPowerYPos() override;
    int CalcIndexXPos() override;
    int CalcCapDY() override;
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    int JoinFlags() override;

private:
    struct Misure {
        int L, R, D, cw, ch, e, g, o;
    };
    Misure Calcola();
    unsigned char FCapKind;
    int FCount;
};

// The nodes of a list stacked top to bottom (0 left, 1 centre, 2 right).
class TExprStand : public TExprParent {
public:
    TExprStand(PExpr son, unsigned char align);
    unsigned char Align() const { return FAlign; }
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;

private:
    unsigned char FAlign;
};

// A grid of cells given row by row, without delimiters.
class TExprMatrix : public TExprParent {
public:
    TExprMatrix(PExpr cells, int columns, int rows);
    int Columns() const { return FColumns; }
    int Rows() const { return FRows; }
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;

private:
    void Celle();
    int FColumns;
    int FRows;
    int FCw = 0;
    int FRh = 0;
};

// A left curly brace and, on each line, a value followed by its condition.
class TExprCase : public TExprParent {
public:
    explicit TExprCase(PExpr son);
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
};

// A big operator with its limits (at 0.7 size) and its operand.
class TExprGroupOp : public TExprTwinParent {
public:
    TExprGroupOp(PExpr operand, PExpr lower, PExpr upper);
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;

    int SymbolHeight();
    int SymbolW();
    // Room of the limits: their heights, or 2 StrokeH when missing, at least
    // those of an operand that is itself a big operator.
    int LowerRoom();
    int UpperRoom();

    virtual int SymbolWidth() = 0;
    virtual void DrawBigSymbol(int xc, int a) = 0;
    virtual void DrawSmallSymbol(int xc, int a) = 0;

protected:
    enum : std::int32_t { dmSymbolWidth = 0x400, dmSymbolHeight = 0x800 };
    long double K() const;
    // A closed outline given in 1/10000 of the symbol height around (xc, a).
    void Outline(int xc, int a, const std::vector<std::pair<int, int>>& punti);

private:
    int FSy = 0;
    int FSx = 0;
};

class TExprSumma : public TExprGroupOp {
public:
    using TExprGroupOp::TExprGroupOp;
    int SymbolWidth() override;
    void DrawBigSymbol(int xc, int a) override;
    void DrawSmallSymbol(int xc, int a) override;
};

class TExprProd : public TExprGroupOp {
public:
    using TExprGroupOp::TExprGroupOp;
    int SymbolWidth() override;
    void DrawBigSymbol(int xc, int a) override;
    void DrawSmallSymbol(int xc, int a) override;
};

class TExprCirc : public TExprGroupOp {
public:
    using TExprGroupOp::TExprGroupOp;
    int SymbolWidth() override;
    void DrawBigSymbol(int xc, int a) override;
    void DrawSmallSymbol(int xc, int a) override;
};

class TExprIntegral : public TExprGroupOp {
public:
    TExprIntegral(PExpr operand, PExpr lower, PExpr upper, int multiplicity);
    int Multiplicity() const { return FMultiplicity; }
    int SymbolWidth() override;
    void DrawBigSymbol(int xc, int a) override;
    void DrawSmallSymbol(int xc, int a) override;

private:
    int SignWidth();
    int FMultiplicity;
};

} // namespace mevario
