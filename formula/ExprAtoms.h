// The leaves of a formula: text runs, variables, numbers, single characters,
// signs, the comma, spaces, prime strokes and a few special symbols.
#pragma once

#include <string>

#include "ExprTree.h"

namespace mevario {

// An upright text run (narrow string shown in the Cyrillic code page).
class TExprSimple : public TExprClass {
public:
    explicit TExprSimple(std::string text);
    const std::string& Text() const { return FText; }
    int CalcWidth() override;
    int CalcHeight() override;
    void Paint(int x, int y) override;
    int CalcCapDY() override;

protected:
    char16_t FirstChar() const;
    char16_t LastChar() const;
    std::string FText;
};

// A variable name, in italic.
class TExprVar : public TExprSimple {
public:
    using TExprSimple::TExprSimple;
    void AssignCanvasFont() override;
    void CalcCapDX(int& left, int& right) override;
    int CalcPowerXPos() override;
    int CalcIndexXPos() override;
};

// An upright function name (sin, log...).
class TExprFuncName : public TExprSimple {
public:
    using TExprSimple::TExprSimple;
    bool AlwaysBracketsArgument() const override;
};

// The asterisk, set lower than its text cell.
class TExprAsterix : public TExprSimple {
public:
    TExprAsterix();
    void Paint(int x, int y) override;
};

// A number; a large or small one is shown as mantissa, "·10" and a raised
// exponent.
class TExprNumber : public TExprClass {
public:
    TExprNumber(long double value, bool expForm);
    long double Value() const { return FValue; }
    bool ExpForm() const { return FExpForm; }
    const std::string& Mantissa() const { return FMantissa; }
    const std::string& Exponent() const { return FExponent; }
    void SetValue(long double v);

    virtual std::string FormatValue();
    int CalcCapDY() override;
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMidLine(TSide side) override;
    int JoinFlags() override;

protected:
    TExprNumber(bool expForm);
    // Head text before the raised exponent: mantissa and "·10", or "10".
    std::string Head() const;

private:
    long double FValue = 0;
    bool FExpForm = false;
    std::string FMantissa;
    std::string FExponent;
};

// A number with a fixed precision.
class TExprExpNumber : public TExprNumber {
public:
    TExprExpNumber(long double value, int precision, int digits, int minExp);
    std::string FormatValue() override;

private:
    int FPrecision;
    int FDigits;
    int FMinExp;
};

// One character by its UTF-16 code.
class TExprExtSymbol : public TExprClass {
public:
    explicit TExprExtSymbol(char16_t code);
    char16_t Code() const { return FCode; }
    void Paint(int x, int y) override;
    int CalcCapDY() override;
    void CalcCapDX(int& left, int& right) override;
    int CalcPowerXPos() override;
    int CalcWidth() override;
    int CalcHeight() override;

protected:
    // Draws the character with its ink starting at column x.
    void PaintSymbol(int x, int y);
    char16_t FCode;
};

// Codes of the signs drawn from pieces rather than taken from the font.
enum : char16_t {
    esMuchLess = 1,
    esMuchGreater = 2,
    esLessOrSimilar = 3,
    esGreaterOrSimilar = 4,
    esPlusMinus = 5,
    esMinusPlus = 6,
    esAsymptotic = 7,
    esParallel = 10,
    esPerpendicular = 11,
    esAngle = 12,
    esMinus = 8722,
    esMiddleDot = 183,
};

// An operator or relation sign with 2 StrokeW of space on each side.
class TExprSign : public TExprExtSymbol {
public:
    using TExprExtSymbol::TExprExtSymbol;
    bool ForcesArgumentBrackets() const override;
    void Paint(int x, int y) override;
    int CalcCapDY() override;
    int CalcWidth() override;
    int JoinFlags() override;

private:
    int GeometricWidth();
};

class TExprComma : public TExprExtSymbol {
public:
    TExprComma();
    bool ForcesArgumentBrackets() const override;
    int CalcCapDY() override;
};

// ħ, in italic.
class TExprPlank : public TExprExtSymbol {
public:
    TExprPlank();
    void AssignCanvasFont() override;
    int CalcCapDY() override;
    void CalcCapDX(int& left, int& right) override;
};

// λ with a bar through it.
class TExprLambda : public TExprExtSymbol {
public:
    TExprLambda();
    void Paint(int x, int y) override;
};

// ∇, drawn as Δ upside down.
class TExprNabla : public TExprExtSymbol {
public:
    TExprNabla();
    void Paint(int x, int y) override;
};

// Horizontal space of Count strokes.
class TExprSpace : public TExprClass {
public:
    explicit TExprSpace(int count);
    int Count() const { return FCount; }
    int CalcWidth() override;

private:
    int FCount;
};

// Prime strokes (f', f'').
class TExprStrokes : public TExprClass {
public:
    explicit TExprStrokes(int count);
    int Count() const { return FCount; }
    void Paint(int x, int y) override;
    int CalcWidth() override;
    int CalcHeight() override;

private:
    int FCount;
};

// An empty place as high as a letter.
class TExprEmpty : public TExprClass {
public:
    int CalcHeight() override;
};

// The decimal separator numbers are shown with (the user's locale's).
void SetDecimalSeparator(char separator);
char DecimalSeparator();

} // namespace mevario
