#include "ExprAtoms.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mevario {

namespace {

char gSeparatore = '.';

bool InRange(char16_t c, char16_t a, char16_t b) { return c >= a && c <= b; }
bool OneOf(char16_t c, const char* set)
{
    for (; *set; ++set)
        if (c == static_cast<unsigned char>(*set))
            return true;
    return false;
}
bool AsciiLetter(char16_t c) { return InRange(c, 'A', 'Z') || InRange(c, 'a', 'z'); }

// printf-style formatting of a long double, with the display separator.
std::string Formatta(const char* fmt, int precision, long double v)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, fmt, precision, v);
    std::string s(buf);
    for (char& c : s)
        if (c == '.')
            c = gSeparatore;
    return s;
}

// The shortest general format: up to 15 significant digits, exponent
// notation only for very large or very small values.
std::string FormatoGenerale(long double v)
{
    // Whole numbers are most of what formulas hold: written without printf,
    // exactly as "%.15LG" writes them below 10^15.
    if (v > -1e15L && v < 1e15L && v == std::trunc(v) && !(v == 0 && std::signbit(v)))
        return std::to_string(static_cast<long long>(v));
    return Formatta("%.*LG", 15, v);
}

long double LeggiNumero(std::string s)
{
    for (char& c : s)
        if (c == gSeparatore)
            c = '.';
    return std::strtold(s.c_str(), nullptr);
}

} // namespace

void SetDecimalSeparator(char separator) { gSeparatore = separator; }
char DecimalSeparator() { return gSeparatore; }

// ---- text runs -------------------------------------------------------------

TExprSimple::TExprSimple(std::string text) : FText(std::move(text)) {}

char16_t TExprSimple::FirstChar() const
{
    return FText.empty() ? 0 : NarrowToUnicode(static_cast<unsigned char>(FText.front()));
}

char16_t TExprSimple::LastChar() const
{
    return FText.empty() ? 0 : NarrowToUnicode(static_cast<unsigned char>(FText.back()));
}

int TExprSimple::CalcWidth()
{
    AssignCanvasFont();
    if (FText.empty())
        return 0;
    return TW(FText) - OverhangA(FirstChar()) - OverhangC(LastChar());
}

int TExprSimple::CalcHeight()
{
    AssignCanvasFont();
    return TH(FText);
}

void TExprSimple::Paint(int x, int y)
{
    AssignCanvasFont();
    if (FText.empty())
        return;
    Canvas()->TextOut(x - OverhangA(FirstChar()), y, FText);
}

int TExprSimple::CalcCapDY()
{
    if (FText.empty())
        return 0;
    const unsigned char c = static_cast<unsigned char>(FText.front());
    long double k = 0;
    if (InRange(c, 'A', 'Z') || OneOf(c, "bdfhkl") || InRange(c, 0xC0, 0xC8) || InRange(c, 0xCA, 0xDF))
        k = 4;
    else if (OneOf(c, "ijt") || c == 0xB8 || c == 0xE9)
        k = 7;
    else if (c == 0xA8 || c == 0xC9)
        k = 2.5L;
    else if (InRange(c, 'a', 'z') || InRange(c, 0xE0, 0xFF))
        k = 9.5L;
    return Round(k * UnitY());
}

// The node's font with italic added, as variables and ħ are drawn.
static void AssignItalicFont(TExprClass& n)
{
    if (!n.Canvas())
        return;
    TExprFont f = n.Font();
    f.Italic = true;
    n.Canvas()->SetFont(f);
    n.Canvas()->SetFontColor(n.GetColor());
}

void TExprVar::AssignCanvasFont() { AssignItalicFont(*this); }

int TExprVar::CalcPowerXPos()
{
    const char16_t c = LastChar();
    long double k = 0;
    if (c == 'd' || c == 'f')
        k = 2;
    else if (c == 'r')
        k = 1;
    return Width() + Round(k * UnitX());
}

int TExprVar::CalcIndexXPos()
{
    const char16_t c = LastChar();
    long double k = 3;
    if (c == 'R')
        k = 1.5L;
    else if (c == 'W')
        k = 6;
    else if (c == 'x')
        k = 1;
    return Width() - Round(k * UnitX());
}

void TExprVar::CalcCapDX(int& left, int& right)
{
    const char16_t f = FirstChar();
    long double k = 0;
    if (f == 'A' || f == 'f')
        k = 5;
    else if (OneOf(f, "CGHIJKMNOQXp"))
        k = 2;
    else if (OneOf(f, "UVW"))
        k = 1.5L;
    else if (f == 'x' || InRange(f, 91, 96))
        k = 0;
    else if (OneOf(f, "uvw"))
        k = -0.5L;
    else if (InRange(f, 'A', 'z'))
        k = 1;
    left = Round(k * UnitX());

    const char16_t l = LastChar();
    long double m = 0;
    if (l == 'A' || l == 'f')
        m = 5.5L;
    else if (OneOf(l, "BDEFIPRX"))
        m = 4;
    else if (OneOf(l, "MN"))
        m = 1.5L;
    else if (l == 'T')
        m = 2.4L;
    else if (OneOf(l, "ijlt"))
        m = 3;
    else if (OneOf(l, "abcdeghkmnoqrsuvwxyz"))
        m = 1;
    else if (AsciiLetter(l))
        m = 2;
    right = Round(m * UnitX());
}

bool TExprFuncName::AlwaysBracketsArgument() const { return false; }

TExprAsterix::TExprAsterix() : TExprSimple("*") {}

void TExprAsterix::Paint(int x, int y)
{
    AssignCanvasFont();
    Canvas()->TextOut(x, y + Round(8 * UnitY()), Text());
}

// ---- numbers ---------------------------------------------------------------

TExprNumber::TExprNumber(bool expForm) : FExpForm(expForm) {}

TExprNumber::TExprNumber(long double value, bool expForm) : FExpForm(expForm)
{
    FValue = value != 0 ? 0 : 1;
    SetValue(value);
}

std::string TExprNumber::FormatValue()
{
    if (FExpForm)
        return Formatta("%.*LE", 13, FValue);
    return FormatoGenerale(FValue);
}

void TExprNumber::SetValue(long double v)
{
    if (v == 0)
        v = 0; // no "-0"
    if (v == FValue)
        return;
    FValue = v;
    const std::string t = FormatValue();
    const auto e = t.find('E');
    if (e != std::string::npos && std::isfinite(static_cast<double>(v))) {
        FMantissa = FormatoGenerale(LeggiNumero(t.substr(0, e)));
        std::string esp = t.substr(e + 1);
        if (!esp.empty() && esp.front() == '+')
            esp.erase(0, 1);
        std::string segno;
        if (!esp.empty() && esp.front() == '-') {
            segno = "-";
            esp.erase(0, 1);
        }
        while (esp.size() > 1 && esp.front() == '0')
            esp.erase(0, 1);
        FExponent = segno + esp;
    } else {
        FMantissa = t;
        FExponent.clear();
    }
    MarkDirty(dmWidth | dmHeight | dmCapDY | dmMidLineUp | dmMidLineDown);
}

std::string TExprNumber::Head() const
{
    if (FMantissa == "1")
        return "10";
    return FMantissa + "\xB7" "10";
}

int TExprNumber::CalcCapDY()
{
    return Round((FExponent.empty() ? 8 : 3) * UnitY());
}

int TExprNumber::CalcWidth()
{
    AssignCanvasFont();
    if (FExponent.empty())
        return TW(FMantissa);
    const int head = TW(Head());
    TExprFont small = Canvas() ? Canvas()->Font() : Font();
    small.Height = ScaledHeight(small.Height);
    if (Canvas())
        Canvas()->SetFont(small);
    return head + TW(FExponent);
}

int TExprNumber::CalcHeight()
{
    AssignCanvasFont();
    const int h = TH(FMantissa);
    return FExponent.empty() ? h : Round(1.2L * h);
}

int TExprNumber::CalcMidLine(TSide side)
{
    if (FExponent.empty())
        return TExprClass::CalcMidLine(side);
    AssignCanvasFont();
    const int h = TH(FMantissa);
    if (side == TSide::Up)
        return Round(0.2L * h) + h / 2;
    return -((h - 1) / 2);
}

void TExprNumber::Paint(int x, int y)
{
    AssignCanvasFont();
    if (FExponent.empty()) {
        Canvas()->TextOut(x, y, FMantissa);
        return;
    }
    const int d = Round(0.2L * TH(FMantissa));
    const std::string head = Head();
    const int w = TW(head);
    Canvas()->TextOut(x, y + d, head);
    TExprFont small = Canvas()->Font();
    small.Height = ScaledHeight(small.Height);
    Canvas()->SetFont(small);
    Canvas()->TextOut(x + w, y, FExponent);
}

int TExprNumber::JoinFlags() { return FValue < 0 ? jfFollowedByFactor | jfMinusLike : jfFollowedByFactor; }

TExprExpNumber::TExprExpNumber(long double value, int precision, int digits, int minExp)
    : TExprNumber(false), FPrecision(precision < 1 ? 1 : (precision > 18 ? 18 : precision)),
      FDigits(digits < 0 ? 0 : (digits > 18 ? 18 : digits)), FMinExp(minExp)
{
    SetValue(value);
}

std::string TExprExpNumber::FormatValue()
{
    const long double v = Value();
    if (v != 0 && std::log10(std::fabs(v)) <= -static_cast<long double>(FMinExp))
        return Formatta("%.*LE", FPrecision - 1, v);
    return Formatta("%.*Lf", FDigits, v);
}

// ---- single characters -----------------------------------------------------

TExprExtSymbol::TExprExtSymbol(char16_t code) : FCode(code) {}

int TExprExtSymbol::CalcWidth()
{
    AssignCanvasFont();
    if (!Canvas())
        return 0;
    return Canvas()->TextExtentW(FCode).cx - OverhangA(FCode) - OverhangC(FCode);
}

int TExprExtSymbol::CalcHeight()
{
    AssignCanvasFont();
    return Canvas() ? Canvas()->TextExtentW(FCode).cy : 0;
}

void TExprExtSymbol::PaintSymbol(int x, int y)
{
    AssignCanvasFont();
    Canvas()->TextOutW(x - OverhangA(FCode), y, FCode);
}

void TExprExtSymbol::Paint(int x, int y) { PaintSymbol(x, y); }

int TExprExtSymbol::CalcCapDY()
{
    const char16_t c = FCode;
    if (c == 8230)
        return NoCap - Round(UnitY());
    if (InRange(c, 913, 929) || InRange(c, 931, 937) || c == 946 || c == 948 || c == 950 || c == 952 ||
        c == 955 || c == 958)
        return Round(4 * UnitY());
    if (c == 945 || c == 947 || c == 949 || c == 951 || c == 953 || c == 954 || c == 956 || c == 957 ||
        c == 959 || c == 960 || c == 961 || InRange(c, 963, 969))
        return Round(8.8L * UnitY());
    return 0;
}

void TExprExtSymbol::CalcCapDX(int& left, int& right)
{
    const char16_t c = FCode;
    const bool capitalGreek = InRange(c, 913, 929) || InRange(c, 931, 937);
    left = (c == 913 || InRange(c, 915, 929) || InRange(c, 931, 937) || c == 952) ? Round(UnitX()) : 0;
    long double m = 0;
    if (capitalGreek)
        m = -1;
    else if (c == 949)
        m = 1;
    else if (c == 952)
        m = -0.5L;
    right = Round(m * UnitX());
}

int TExprExtSymbol::CalcPowerXPos()
{
    return FCode == 8706 ? Width() + Round(2 * UnitX()) : Width();
}

// ---- signs -----------------------------------------------------------------

bool TExprSign::ForcesArgumentBrackets() const
{
    return FCode == esPlusMinus || FCode == esMinusPlus || FCode == '+' || FCode == esMinus;
}

int TExprSign::JoinFlags()
{
    return (FCode == esPlusMinus || FCode == esMinusPlus || FCode == esMinus) ? jfMinusLike : 0;
}

int TExprSign::CalcCapDY() { return NoCap; }

int TExprSign::GeometricWidth()
{
    const int w = TW("_");
    return (w % 2 != StrokeW() % 2) ? w + 1 : w;
}

int TExprSign::CalcWidth()
{
    AssignCanvasFont();
    const int sw = StrokeW();
    switch (FCode) {
    case esMuchLess:
    case esMuchGreater: return Round(1.7L * TW("<")) + 4 * sw;
    case esLessOrSimilar:
    case esGreaterOrSimilar: return TW("<") + 4 * sw;
    case esPlusMinus:
    case esMinusPlus: return TW("+") + 4 * sw;
    case esAsymptotic: return TW("~") + 4 * sw;
    case esParallel: return 8 * sw;
    case esPerpendicular:
    case esAngle: return GeometricWidth() + 4 * sw;
    default: return TExprExtSymbol::CalcWidth() + 4 * sw;
    }
}

void TExprSign::Paint(int x, int y)
{
    AssignCanvasFont();
    TExprCanvas* cv = Canvas();
    const int sw = StrokeW(), sh = StrokeH();
    const int x2 = x + 2 * sw;
    switch (FCode) {
    case esMuchLess:
    case esMuchGreater: {
        const std::string ch = FCode == esMuchLess ? "<" : ">";
        cv->TextOut(x2, y, ch);
        cv->TextOut(x2 + Round(0.7L * TW(ch)), y, ch);
        return;
    }
    case esLessOrSimilar:
    case esGreaterOrSimilar:
        cv->TextOut(x2, y, FCode == esLessOrSimilar ? "<" : ">");
        cv->TextOut(x2, y + Round(7 * UnitY()), "~");
        return;
    case esPlusMinus:
    case esMinusPlus: {
        const int dy = FCode == esPlusMinus ? -sh : sh;
        cv->TextOut(x2, y + dy, "+");
        TExprGlyphMetrics gm;
        if (!cv->GlyphMetrics(u'+', gm))
            return;
        const int baseline = y + dy + cv->Ascent();
        const int inkTop = baseline - gm.OriginY;
        const int inkBottom = inkTop + gm.BlackBoxY - 1;
        SetPenAndBrush();
        if (FCode == esPlusMinus) {
            const int top = inkBottom + sh;
            cv->FillRect(x2 + gm.OriginX, top, x2 + gm.OriginX + gm.BlackBoxX, top + sh);
        } else {
            const int bottom = inkTop - sh; // last row of the bar
            cv->FillRect(x2 + gm.OriginX, bottom - sh + 1, x2 + gm.OriginX + gm.BlackBoxX, bottom + 1);
        }
        return;
    }
    case esAsymptotic: {
        cv->TextOut(x2, y - Round(4.5L * UnitY()), "~");
        SetPenAndBrush();
        const int top = y + Round(15.5L * UnitY());
        cv->FillRect(x2 + Round(0.5L * UnitX()), top, x + Width() - 2 * sw - Round(0.6L * UnitX()), top + sh);
        return;
    }
    case esParallel: {
        const int asc = cv->Ascent(), dsc = cv->Descent();
        SetPenAndBrush();
        cv->FillRect(x + 2 * sw, y + dsc, x + 3 * sw, y + asc + 1);
        cv->FillRect(x + 5 * sw, y + dsc, x + 6 * sw, y + asc + 1);
        return;
    }
    case esPerpendicular:
    case esAngle: {
        const int asc = cv->Ascent(), dsc = cv->Descent();
        const int w = Width();
        SetPenAndBrush();
        cv->FillRect(x2, y + asc - sh + 1, x + w - 2 * sw, y + asc + 1);
        if (FCode == esPerpendicular) {
            const int left = x + (w - sw) / 2;
            cv->FillRect(left, y + dsc + Round(4 * UnitY()), left + sw, y + asc + 1);
        } else {
            const TExprPoint tip{x + w / 2, y + dsc + Round(4 * UnitY())};
            cv->Polygon({{x2, y + asc - sh + 1}, tip, {tip.x, tip.y + sh - 1}, {x2, y + asc}});
        }
        return;
    }
    default: PaintSymbol(x2, y); return;
    }
}

TExprComma::TExprComma() : TExprExtSymbol(u',') {}
bool TExprComma::ForcesArgumentBrackets() const { return true; }
int TExprComma::CalcCapDY() { return NoCap; }

TExprPlank::TExprPlank() : TExprExtSymbol(295) {}

void TExprPlank::AssignCanvasFont() { AssignItalicFont(*this); }

int TExprPlank::CalcCapDY() { return Round(4 * UnitY()); }

void TExprPlank::CalcCapDX(int& left, int& right)
{
    left = Round(UnitX());
    right = Round(UnitX());
}

TExprLambda::TExprLambda() : TExprExtSymbol(955) {}

void TExprLambda::Paint(int x, int y)
{
    PaintSymbol(x, y);
    SetPenAndBrush();
    const int top = y + Round(9 * UnitY());
    Canvas()->FillRect(x + Round(1.5L * UnitX()), top, x + Width() - Round(2 * UnitX()), top + StrokeH());
}

TExprNabla::TExprNabla() : TExprExtSymbol(916) {}

void TExprNabla::Paint(int x, int y)
{
    AssignCanvasFont();
    const TExprSize e = Canvas()->TextExtentW(FCode);
    Canvas()->TextOutRotated180(x + e.cx, y + e.cy, FCode);
}

// ---- spaces, strokes, empty places -----------------------------------------

TExprSpace::TExprSpace(int count) : FCount(count) {}
int TExprSpace::CalcWidth() { return misure::Limita(static_cast<long long>(FCount) * StrokeW()); }

TExprStrokes::TExprStrokes(int count) : FCount(count) {}
int TExprStrokes::CalcWidth() { return misure::Limita((4LL * FCount + 2) * StrokeW()); }

int TExprStrokes::CalcHeight()
{
    AssignCanvasFont();
    return Round(0.6L * TH("A"));
}

void TExprStrokes::Paint(int x, int y)
{
    SetPenAndBrush();
    const int sw = StrokeW(), sh = StrokeH();
    const int c = y + Round(2 * UnitY());
    // Drawn up to the edge of any sensible box, however many were asked for.
    for (int k = 0; k < FCount && k < 1000; ++k)
        Canvas()->Polygon({{x + (2 + 4 * k) * sw, c}, {x + (4 + 4 * k) * sw - 1, c}, {x + (2 + 4 * k) * sw, c + 6 * sh - 1}});
}

int TExprEmpty::CalcHeight()
{
    AssignCanvasFont();
    return TH("A");
}

} // namespace mevario
