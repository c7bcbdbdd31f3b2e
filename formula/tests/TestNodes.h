// A box node of fixed size that records where it was painted, for checking
// how containers place their sons.
#pragma once

#include "ExprDraw.h"

namespace mevario::test {

class Box : public TExprClass {
public:
    Box(int w, int h, int up = -1) : w_(w), h_(h), up_(up) { ++vivi; }
    ~Box() override { --vivi; }
    static inline int vivi = 0;

    int calcoli = 0;
    int px = -1000, py = -1000;
    int powerY = -1; // PowerYPos when >= 0

    int CalcWidth() override
    {
        ++calcoli;
        return w_;
    }
    int CalcHeight() override { return h_; }
    int CalcMidLine(TSide s) override
    {
        if (up_ < 0)
            return TExprClass::CalcMidLine(s);
        return s == TSide::Up ? up_ : -(h_ - up_ - 1);
    }
    int CalcPowerYPos() override { return powerY >= 0 ? powerY : TExprClass::CalcPowerYPos(); }
    void Paint(int x, int y) override
    {
        px = x;
        py = y;
    }

private:
    int w_, h_, up_;
};

inline std::unique_ptr<Box> MakeBox(int w, int h, int up = -1) { return std::make_unique<Box>(w, h, up); }

// Gives a tree the canvas and a size (20 points unless told), as a window does.
template <typename N, typename C>
N& Prepara(N& n, C& canvas, int punti = 20)
{
    n.SetCanvas(&canvas);
    n.SetFontSize(punti);
    return n;
}

// A row of nodes: first, then the others in order.
template <typename... T>
PExpr Row(PExpr first, T... rest)
{
    (first->AddNext(std::move(rest)), ...);
    return first;
}

} // namespace mevario::test
