#include "ExprOther.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mevario {

namespace {

using misure::Dn;
using misure::H;
using misure::Up;
using misure::W;

using misure::Limita;

TExprFont Ridotto(const TExprFont& f)
{
    TExprFont r = f;
    r.Height = ScaledHeight(f.Height);
    return r;
}

// A polygon as a closed Bézier outline of straight segments.
std::vector<TExprPoint> ComeBezier(const std::vector<TExprPoint>& poly)
{
    std::vector<TExprPoint> p;
    if (poly.empty())
        return p;
    p.push_back(poly[0]);
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const TExprPoint& a = poly[i];
        const TExprPoint& b = poly[(i + 1) % poly.size()];
        p.push_back(a);
        p.push_back(b);
        p.push_back(b);
    }
    return p;
}

} // namespace

// ---- limit -----------------------------------------------------------------

TExprLim::TExprLim(PExpr son) : TExprParent(nullptr) { SetSon(std::move(son)); }

void TExprLim::FontToSon()
{
    if (Son())
        SetFontOf(Son(), Ridotto(Font()));
}

void TExprLim::CanvasToSon()
{
    if (Son())
        Son()->SetCanvas(Canvas());
}

bool TExprLim::AlwaysBracketsArgument() const { return false; }

TExprSize TExprLim::Parola()
{
    AssignCanvasFont();
    return Extent("lim");
}

int TExprLim::CalcWidth() { return std::max(Parola().cx, W(Son())); }
int TExprLim::CalcHeight() { return Parola().cy + H(Son()); }

int TExprLim::CalcMidLine(TSide side)
{
    const int th = Parola().cy;
    if (side == TSide::Up)
        return th / 2;
    return -((th - 1) / 2) - H(Son());
}

void TExprLim::Paint(int x, int y)
{
    const TExprSize t = Parola();
    const int ws = W(Son());
    Canvas()->TextOut(x + std::max(0, (ws - t.cx) / 2), y, "lim");
    if (Son())
        Son()->Draw(x + std::max(0, (t.cx - ws) / 2), y + t.cy, THorzAlign::Left, TVertAlign::Top);
}

// ---- substitution ----------------------------------------------------------

TExprAtValue::TExprAtValue(PExpr expression, PExpr substitution) : TExprBigParent(std::move(expression), nullptr)
{
    SetSon2(std::move(substitution));
}

void TExprAtValue::FontToSon2()
{
    if (Son2())
        SetFontOf(Son2(), Ridotto(Font()));
}

void TExprAtValue::CanvasToSon2()
{
    if (Son2())
        Son2()->SetCanvas(Canvas());
}

int TExprAtValue::CalcWidth() { return W(Son()) + 3 * StrokeW() + W(Son2()); }
int TExprAtValue::CalcHeight() { return std::max(H(Son()), H(Son2())); }

int TExprAtValue::CalcMidLine(TSide side)
{
    if (side == TSide::Up)
        return std::max(0, H(Son2()) - H(Son())) + Up(Son());
    return Dn(Son());
}

void TExprAtValue::Paint(int x, int y)
{
    const int d = std::max(0, H(Son2()) - H(Son()));
    const int hb = std::max(H(Son()), H(Son2()));
    const int we = W(Son());
    if (Son())
        Son()->Draw(x, y + d, THorzAlign::Left, TVertAlign::Top);
    SetPenAndBrush();
    Canvas()->FillRect(x + we, y, x + we + StrokeW(), y + hb);
    if (Son2())
        Son2()->Draw(x + we + 3 * StrokeW(), y + hb, THorzAlign::Left, TVertAlign::Bottom);
}

int TExprAtValue::JoinFlags() { return (Son() && (Son()->JoinFlags() & jfFollowsFactor)) ? 1 : 0; }

// ---- accent ----------------------------------------------------------------

TExprCap::TExprCap(PExpr son, unsigned char capKind, int count)
    : TExprParent(std::move(son)), FCapKind(capKind), FCount(count)
{
}

TExprCap::Misure TExprCap::Calcola()
{
    Misure m{};
    TExprClass* s = Son();
    const int sw = StrokeW(), sh = StrokeH();
    m.L = s ? s->CapDXLeft() : 0;
    m.R = s ? s->CapDXRight() : 0;
    m.D = s ? s->CapDY() : 0;
    AssignCanvasFont();
    switch (FCapKind) {
    case ckDots: m.cw = Limita((4LL * FCount - 2) * sw); m.ch = 5 * sh; break;
    case ckArrow: m.ch = 6 * sh; break;
    case ckCap: m.cw = TW("^"); m.ch = 11 * sh; break;
    case ckTilde: m.cw = TW("~"); m.ch = 6 * sh; break;
    default: m.ch = 4 * sh; break;
    }
    m.e = std::max(0, m.ch - m.D);
    m.g = (m.L + W(s) + m.R) / 2;
    if (FCapKind == ckArrow || FCapKind == ckLine)
        m.o = std::max(0, -m.L);
    else
        m.o = std::max(0, m.cw / 2 - m.g);
    return m;
}

int TExprCap::CalcWidth()
{
    const Misure m = Calcola();
    const int ws = W(Son());
    if (FCapKind == ckArrow || FCapKind == ckLine)
        return ws + std::max(0, -m.L) + (m.R >= 1 ? m.R : 0);
    return std::max(m.g, m.cw / 2) + std::max(ws - m.g, m.cw / 2);
}

int TExprCap::CalcHeight() { return H(Son()) + Calcola().e; }

int TExprCap::CalcMidLine(TSide side)
{
    if (side == TSide::Up)
        return Up(Son()) + Calcola().e;
    return Dn(Son());
}

int TExprCap::CalcPowerYPos() { return (Son() ? Son()->PowerYPos() : 0) + Calcola().e; }

int TExprCap::CalcPowerXPos()
{
    if (Son() && Width() == Son()->Width())
        return Son()->PowerXPos();
    return Width();
}

int TExprCap::CalcIndexXPos() { return Calcola().o + (Son() ? Son()->IndexXPos() : 0); }

int TExprCap::CalcCapDY()
{
    const Misure m = Calcola();
    return std::max(0, m.D - m.ch);
}

int TExprCap::JoinFlags() { return Son() ? Son()->JoinFlags() : TExprClass::JoinFlags(); }

void TExprCap::Paint(int x, int y)
{
    const Misure m = Calcola();
    const int sw = StrokeW(), sh = StrokeH();
    const int w = Width();
    if (Son())
        Son()->Draw(x + m.o, y + m.e, THorzAlign::Left, TVertAlign::Top);
    // A node that takes no accent (a sign) reports no empty rows at all: the
    // accent then sits on top of its box.
    const int d = std::min(m.D, H(Son()));
    const int b = y + m.e + d - sh;
    const int xl = x + std::max(0, m.L);
    const int xr = x + w + std::min(0, m.R);
    const int xc = x + m.o + m.g - m.cw / 2;
    TExprCanvas* cv = Canvas();
    SetPenAndBrush();
    switch (FCapKind) {
    case ckDots:
        for (int k = 0; k < FCount && k < 1000; ++k)
            cv->Ellipse(xc + 4 * k * sw, b - 3 * sh, xc + 4 * k * sw + 2 * sw, b - sh);
        break;
    case ckArrow: {
        const int t = b - 3 * sh, bt = t + sh - 1;
        const int hx = xr - 2 * sh;
        std::vector<TExprPoint> p = {{xl, t}, {hx, t}, {hx, t - sh}};
        if (sh % 2 == 1) {
            p.push_back({xr - 1, t + sh / 2});
        } else {
            p.push_back({xr - 1, t + sh / 2 - 1});
            p.push_back({xr - 1, t + sh / 2});
        }
        p.push_back({hx, bt + sh});
        p.push_back({hx, bt});
        p.push_back({xl, bt});
        cv->Polygon(p);
        break;
    }
    case ckCap:
        AssignCanvasFont();
        cv->TextOut(xc, b - Round(15 * UnitY()), "^");
        break;
    case ckTilde:
        AssignCanvasFont();
        cv->TextOut(xc, b - Round(18.5L * UnitY()), "~");
        break;
    default: cv->FillRect(xl, b - 2 * sh, xr, b - sh); break;
    }
}

// ---- stack -----------------------------------------------------------------

TExprStand::TExprStand(PExpr son, unsigned char align) : TExprParent(std::move(son)), FAlign(align) {}

int TExprStand::CalcWidth()
{
    int w = 0;
    for (TExprClass* n = Son(); n; n = n->Next())
        w = std::max(w, n->Width());
    return w;
}

int TExprStand::CalcHeight()
{
    long long h = 0;
    for (TExprClass* n = Son(); n; n = n->Next())
        h += n->Height();
    return Limita(h);
}

void TExprStand::Paint(int x, int y)
{
    const int w = Width();
    for (TExprClass* n = Son(); n; n = n->Next()) {
        switch (FAlign) {
        case 1: n->Draw(x + w / 2, y, THorzAlign::Center, TVertAlign::Top); break;
        case 2: n->Draw(x + w, y, THorzAlign::Right, TVertAlign::Top); break;
        default: n->Draw(x, y, THorzAlign::Left, TVertAlign::Top); break;
        }
        y += n->Height();
    }
}

// ---- matrix ----------------------------------------------------------------

TExprMatrix::TExprMatrix(PExpr cells, int columns, int rows)
    : TExprParent(std::move(cells)), FColumns(columns), FRows(rows)
{
}

void TExprMatrix::Celle()
{
    if (!TakeDirty(0x400))
        return;
    int su = 0, giu = 0;
    FCw = 0;
    for (TExprClass* n = Son(); n; n = n->Next()) {
        FCw = std::max(FCw, n->Width());
        su = std::max(su, n->MidLineUp() + 1);
        giu = std::max(giu, n->Height() - n->MidLineUp() - 1);
    }
    FRh = su + giu;
}

int TExprMatrix::CalcWidth()
{
    Celle();
    const long long c = std::max(1, FColumns);
    return Limita(FCw * c + (6 * c - 2) * StrokeW());
}

int TExprMatrix::CalcHeight()
{
    Celle();
    return Limita(static_cast<long long>(FRh) * std::max(0, FRows));
}

void TExprMatrix::Paint(int x, int y)
{
    Celle();
    const int sw = StrokeW();
    const int colonne = std::max(1, FColumns);
    TExprClass* n = Son();
    for (int r = 0; n && r < FRows; ++r) {
        const int ym = y + FRh / 2 + r * FRh;
        for (int c = 0; n && c < colonne; ++c, n = n->Next())
            n->Draw(x + 2 * sw + FCw / 2 + c * (6 * sw + FCw), ym, THorzAlign::Center, TVertAlign::MidLine);
    }
}

// ---- case list -------------------------------------------------------------

TExprCase::TExprCase(PExpr son) : TExprParent(std::move(son)) {}

int TExprCase::CalcWidth()
{
    int wv = 0, wc = 0;
    bool valore = true;
    for (TExprClass* n = Son(); n; n = n->Next(), valore = !valore)
        (valore ? wv : wc) = std::max(valore ? wv : wc, n->Width());
    return wv + 18 * StrokeW() + wc;
}

int TExprCase::CalcHeight()
{
    long long h = 0;
    bool primo = true;
    for (TExprClass* v = Son(); v;) {
        TExprClass* c = v->Next();
        if (!primo)
            h += 2 * StrokeH();
        primo = false;
        h += std::max(Up(v), Up(c)) + std::max(-Dn(v), -Dn(c));
        v = c ? c->Next() : nullptr;
    }
    if (h % 2 == 0)
        ++h;
    return Limita(h);
}

void TExprCase::Paint(int x, int y)
{
    const int sw = StrokeW(), sh = StrokeH();
    const int w = Width();
    SetPenAndBrush();
    Canvas()->BezierPath(BracketOutline(bkCurly, true, x, y, Height(), sw, sh));
    for (TExprClass* v = Son(); v;) {
        TExprClass* c = v->Next();
        y += std::max(Up(v), Up(c));
        v->Draw(x + 7 * sw, y, THorzAlign::Left, TVertAlign::MidLine);
        if (c)
            c->Draw(x + w, y, THorzAlign::Right, TVertAlign::MidLine);
        y += std::max(-Dn(v), -Dn(c)) + 2 * sh;
        v = c ? c->Next() : nullptr;
    }
}

// ---- big operators ---------------------------------------------------------

TExprGroupOp::TExprGroupOp(PExpr operand, PExpr lower, PExpr upper)
    : TExprTwinParent(std::move(operand), std::move(lower), std::move(upper))
{
}

long double TExprGroupOp::K() const
{
    if (!Canvas())
        return 1;
    return static_cast<long double>(std::max(1, Canvas()->PixelsPerInchX())) / std::max(1, Canvas()->PixelsPerInchY());
}

int TExprGroupOp::SymbolHeight()
{
    if (!TakeDirty(dmSymbolHeight))
        return FSy;
    TExprClass* s = Son();
    TExprGroupOp* interno = dynamic_cast<TExprGroupOp*>(s);
    if (!interno) {
        if (auto* chain = dynamic_cast<TExprChain*>(s);
            chain && (chain->JoinFlags() & (jfRoundBrackets | jfBracketed)) == 0) {
            for (TExprClass* n = chain->Son(); n && !interno; n = n->Next())
                interno = dynamic_cast<TExprGroupOp*>(n);
        }
    }
    if (interno) {
        FSy = interno->SymbolHeight();
    } else {
        AssignCanvasFont();
        const int v = std::max({Up(s), -Dn(s), TH("A") / 2});
        FSy = Round(2.25L * v);
    }
    return FSy;
}

int TExprGroupOp::SymbolW()
{
    if (TakeDirty(dmSymbolWidth))
        FSx = SymbolWidth();
    return FSx;
}

int TExprGroupOp::LowerRoom()
{
    int lo = Sub(1) ? H(Sub(1)) : 2 * StrokeH();
    if (auto* g = dynamic_cast<TExprGroupOp*>(Son()))
        lo = std::max(lo, g->LowerRoom());
    return lo;
}

int TExprGroupOp::UpperRoom()
{
    int hi = Sub(2) ? H(Sub(2)) : 2 * StrokeH();
    if (auto* g = dynamic_cast<TExprGroupOp*>(Son()))
        hi = std::max(hi, g->UpperRoom());
    return hi;
}

int TExprGroupOp::CalcWidth()
{
    const int c = std::max({W(Sub(1)), W(Sub(2)), SymbolW()});
    return c + W(Son()) + 5 * StrokeW();
}

int TExprGroupOp::CalcHeight() { return LowerRoom() + SymbolHeight() + UpperRoom(); }

int TExprGroupOp::CalcMidLine(TSide side)
{
    const int sy = SymbolHeight();
    if (side == TSide::Up)
        return UpperRoom() + sy / 2;
    return -(LowerRoom() + (sy - 1) / 2);
}

void TExprGroupOp::Paint(int x, int y)
{
    const int sw = StrokeW();
    const int c = std::max({W(Sub(1)), W(Sub(2)), SymbolW()});
    const int xc = x + c / 2 + 2 * sw;
    const int a = y + MidLineUp();
    const int f = SymbolHeight() / 2;
    if (Sub(2))
        Sub(2)->Draw(xc, a - f, THorzAlign::Center, TVertAlign::Bottom);
    if (Sub(1))
        Sub(1)->Draw(xc, a + f, THorzAlign::Center, TVertAlign::Top);
    SetPenAndBrush();
    if (f < 28)
        DrawSmallSymbol(xc, a);
    else
        DrawBigSymbol(xc, a);
    if (Son())
        Son()->Draw(x + c + 5 * sw, a, THorzAlign::Left, TVertAlign::MidLine);
}

void TExprGroupOp::Outline(int xc, int a, const std::vector<std::pair<int, int>>& punti)
{
    const long double sy = SymbolHeight(), k = K();
    std::vector<TExprPoint> poly;
    poly.reserve(punti.size());
    for (const auto& [tx, ty] : punti)
        poly.push_back({xc + Round(tx / 10000.0L * sy * k), a - Round(ty / 10000.0L * sy)});
    SetPenAndBrush();
    Canvas()->BezierPath(ComeBezier(poly));
}

namespace {

// Outlines of the big signs, in 1/10000 of the symbol height around the
// sign's centre (y upwards).
const std::vector<std::pair<int, int>> kSigma = {
    {-3695, 5000}, {3695, 5000},  {3695, 2800},   {3350, 2800},   {3050, 4150},   {-1950, 4150},
    {900, 0},      {-2300, -4150}, {3150, -4150}, {3450, -2800},  {3695, -2800},  {3695, -5000},
    {-3695, -5000}, {-3695, -4700}, {-300, 350},  {-3695, 4600},
};
const std::vector<std::pair<int, int>> kPi = {
    {-4280, 5000},  {4281, 5000},   {4281, 4300},   {3000, 4300},   {3000, -4300},  {3800, -4300}, {3800, -5000},
    {1300, -5000},  {1300, -4300},  {2000, -4300},  {2000, 4300},   {-2000, 4300},  {-2000, -4300}, {-1300, -4300},
    {-1300, -5000}, {-3800, -5000}, {-3800, -4300}, {-3000, -4300}, {-3000, 4300},  {-4280, 4300},
};

// The integral stroke from its top hook to its bottom hook, x from 0 to 2687
// from the sign's left edge: a slanted S whose thickness swells in the middle.
std::vector<std::pair<int, int>> TrattoIntegrale(int dx)
{
    constexpr int n = 16;
    const double pi = std::acos(-1.0);
    std::vector<std::pair<int, int>> destra, sinistra;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double x = 1343 + 900 * std::pow(1 - 2 * t, 3.0);
        const double y = 4550 - 9100 * t;
        const double mezzo = 110 + 210 * std::sin(pi * t);
        destra.emplace_back(static_cast<int>(x + mezzo) + dx, static_cast<int>(y));
        sinistra.emplace_back(static_cast<int>(x - mezzo) + dx, static_cast<int>(y));
    }
    std::vector<std::pair<int, int>> p(destra.begin(), destra.end());
    p.insert(p.end(), sinistra.rbegin(), sinistra.rend());
    return p;
}

// A round hook end: a small disc around (cx, cy).
std::vector<std::pair<int, int>> Goccia(int cx, int cy, int r)
{
    std::vector<std::pair<int, int>> p;
    for (int i = 0; i < 12; ++i) {
        const double t = i * std::acos(-1.0) / 6;
        p.emplace_back(cx + static_cast<int>(r * std::cos(t)), cy + static_cast<int>(r * std::sin(t)));
    }
    return p;
}

} // namespace

int TExprSumma::SymbolWidth() { return Round(0.739L * SymbolHeight() * K()); }
void TExprSumma::DrawBigSymbol(int xc, int a) { Outline(xc, a, kSigma); }

void TExprSumma::DrawSmallSymbol(int xc, int a)
{
    const int sy = SymbolHeight(), w = SymbolW();
    const long double k = K();
    const int m = xc - w / 2, l = m + w - 1, o = a - sy / 2, z = o + sy - 1;
    const int t1 = std::max(1, Round(0.1L * sy)), t2 = std::max(1, Round(0.05L * sy * k)),
              t3 = std::max(1, Round(0.1L * sy * k));
    const int v = o + sy - t1;
    Canvas()->Polygon({{m, o},
                       {l, o},
                       {l, o + 2 * t1},
                       {l - t2 + 1, o + t1},
                       {l - t2 + 1, o + t1 - 1},
                       {m + t3 - 1, o + t1 - 1},
                       {xc + t3, a},
                       {m + t3 - 1, v},
                       {l - t2 + 1, v},
                       {l - t2 + 1, v - t1},
                       {l, v - t1},
                       {l, z},
                       {m, z},
                       {m, v},
                       {xc + 1, a},
                       {m, o + t1 - 1}});
}

int TExprProd::SymbolWidth() { return Round(0.8561L * SymbolHeight() * K()); }
void TExprProd::DrawBigSymbol(int xc, int a) { Outline(xc, a, kPi); }

void TExprProd::DrawSmallSymbol(int xc, int a)
{
    const int sy = SymbolHeight(), w = SymbolW();
    const long double k = K();
    const int m = xc - w / 2, l = m + w - 1, o = a - sy / 2, z = o + sy - 1;
    const int t1 = std::max(1, Round(0.05L * sy)), t3 = std::max(1, Round(0.1L * sy * k));
    const int v = o + sy - t1;
    Canvas()->Polygon({{m, o},
                       {l, o},
                       {l, o + t1 - 1},
                       {l - t3, o + t1 - 1},
                       {l - t3, v},
                       {l, v},
                       {l, z},
                       {m + w - 3 * t3, z},
                       {m + w - 3 * t3, v},
                       {m + w - 2 * t3, v},
                       {m + w - 2 * t3, o + t1 - 1},
                       {m + 2 * t3 - 1, o + t1 - 1},
                       {m + 2 * t3 - 1, v},
                       {m + 3 * t3 - 1, v},
                       {m + 3 * t3 - 1, z},
                       {m, z},
                       {m, v},
                       {m + t3, v},
                       {m + t3, o + t1 - 1},
                       {m, o + t1 - 1}});
}

namespace {

// The small integral sign with its left column at x: two hooks and the
// stroke joining them.
void IntegraleSottile(TExprCanvas* cv, int x, int o, int sy, long double k)
{
    int u = Round(0.2687L * sy * k);
    if (u % 2 == 0)
        ++u;
    const int h2 = u / 2;
    const int gancio = Round(h2 * k);
    cv->Ellipse(x + h2 + 1, o, x + u, o + gancio);
    cv->Ellipse(x, o + sy - gancio, x + h2, o + sy);
    const int spesso = std::max(1, Round(0.1L * sy)), fine = std::max(1, Round(0.05L * sy * k));
    const int alto = o + gancio / 2, basso = o + sy - gancio / 2 - 1, mezzo = o + sy / 2;
    const int xa = x + h2 + 1 + (u - h2 - 1) / 2, xb = x + h2 / 2, xm = x + u / 2;
    cv->Polygon({{xa, alto},
                 {xm + (spesso + 1) / 2, mezzo},
                 {xb + fine, basso},
                 {xb, basso},
                 {xm - spesso / 2, mezzo}});
}

} // namespace

int TExprCirc::SymbolWidth() { return Round(0.2687L * SymbolHeight() * K()); }

void TExprCirc::DrawBigSymbol(int xc, int a)
{
    Outline(xc, a, TrattoIntegrale(-1343));
    Outline(xc, a, Goccia(2243 + 200 - 1343, 4550, 330));
    Outline(xc, a, Goccia(443 - 200 - 1343, -4550, 330));
    const int sy = SymbolHeight(), r = Round(0.16L * sy);
    const int rx = Round(r * K());
    Canvas()->FrameEllipse(xc - rx, a - r, xc + rx + 1, a + r + 1);
    Canvas()->FrameEllipse(xc - rx + 1, a - r + 1, xc + rx, a + r);
}

void TExprCirc::DrawSmallSymbol(int xc, int a)
{
    const int sy = SymbolHeight(), w = SymbolW();
    const int o = a - sy / 2;
    IntegraleSottile(Canvas(), xc - w / 2, o, sy, K());
    const int r = std::max(2, Round(0.14L * sy));
    const int rx = std::max(2, Round(r * K()));
    Canvas()->FrameEllipse(xc - rx, a - r, xc + rx + 1, a + r + 1);
}

TExprIntegral::TExprIntegral(PExpr operand, PExpr lower, PExpr upper, int multiplicity)
    : TExprGroupOp(std::move(operand), std::move(lower), std::move(upper)), FMultiplicity(multiplicity)
{
}

int TExprIntegral::SignWidth() { return Round(0.2687L * SymbolHeight() * K()); }

int TExprIntegral::SymbolWidth()
{
    const long long u = SignWidth(), sw = StrokeW();
    if (FMultiplicity > 0)
        return Limita(FMultiplicity * u + (FMultiplicity - 1LL) * sw);
    AssignCanvasFont();
    return Limita(3 * u + 4 * sw + (Canvas() ? Canvas()->TextExtentW(8230).cx : 0));
}

void TExprIntegral::DrawBigSymbol(int xc, int a)
{
    const int u = SignWidth(), sw = StrokeW(), sy = SymbolHeight();
    const int left = xc - SymbolW() / 2;
    const long double k = K();
    auto segno = [&](int x0) {
        // The stroke's table x runs from the sign's left edge.
        const int dx = Round((x0 - xc) * 10000.0L / (sy * k));
        Outline(xc, a, TrattoIntegrale(dx));
        Outline(xc, a, Goccia(2243 + 200 + dx, 4550, 330));
        Outline(xc, a, Goccia(443 - 200 + dx, -4550, 330));
    };
    if (FMultiplicity > 0) {
        for (int i = 0; i < FMultiplicity && i < 100; ++i)
            segno(left + i * (u + sw));
        return;
    }
    segno(left);
    segno(left + u + sw);
    AssignCanvasFont();
    const TExprSize e = Canvas()->TextExtentW(8230);
    Canvas()->TextOutW(left + 2 * u + 3 * sw, a + sy / 2 - e.cy + 1, 8230);
    segno(left + SymbolW() - u);
}

void TExprIntegral::DrawSmallSymbol(int xc, int a)
{
    const int u = SignWidth(), sw = StrokeW(), sy = SymbolHeight();
    const int left = xc - SymbolW() / 2, o = a - sy / 2;
    if (FMultiplicity > 0) {
        for (int i = 0; i < FMultiplicity && i < 100; ++i)
            IntegraleSottile(Canvas(), left + i * (u + sw), o, sy, K());
        return;
    }
    IntegraleSottile(Canvas(), left, o, sy, K());
    IntegraleSottile(Canvas(), left + u + sw, o, sy, K());
    AssignCanvasFont();
    const TExprSize e = Canvas()->TextExtentW(8230);
    Canvas()->TextOutW(left + 2 * u + 3 * sw, o + sy - e.cy, 8230);
    SetPenAndBrush();
    IntegraleSottile(Canvas(), left + SymbolW() - u, o, sy, K());
}

} // namespace mevario
