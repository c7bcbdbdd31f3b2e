// A canvas with fixed, simple metrics that records what is drawn, so that
// geometry can be checked to the pixel.
//   every character is 10 pixels wide (overrides per character possible);
//   the cell height of a font of character height h is |h| + 4;
//   the ascent is four fifths of the cell; the ink of "_" is `trattino` rows.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ExprCanvas.h"

namespace mevario::test {

struct Op {
    std::string kind; // "text", "rect", "poly", "bezier", "rot"
    int x = 0, y = 0, r = 0, b = 0;
    std::string text;
    TExprFont font;
    TColor color = 0;
    std::vector<TExprPoint> points;
};

class FakeCanvas : public TExprCanvas {
public:
    int trattino = 2;
    int ppiX = 96, ppiY = 96;
    std::map<char16_t, int> larghezze;             // advance widths other than 10
    std::map<char16_t, std::pair<int, int>> sporgenze; // A and C overhangs
    std::vector<Op> ops;

    static int Cella(const TExprFont& f) { return (f.Height < 0 ? -f.Height : f.Height) + 4; }

    void SetFont(const TExprFont& f) override { font_ = f; }
    const TExprFont& Font() const override { return font_; }
    void SetFontColor(TColor c) override { fontColor_ = c; }

    int Larghezza(char16_t c) const
    {
        auto it = larghezze.find(c);
        return it == larghezze.end() ? 10 : it->second;
    }
    TExprSize TextExtent(const std::string& s) override
    {
        int w = 0;
        for (char c : s)
            w += Larghezza(NarrowToUnicode(static_cast<unsigned char>(c)));
        return {w, Cella(font_)};
    }
    TExprSize TextExtentW(char16_t c) override { return {Larghezza(c), Cella(font_)}; }
    bool CharOverhangs(char16_t c, int& a, int& cc) override
    {
        auto it = sporgenze.find(c);
        a = it == sporgenze.end() ? 0 : it->second.first;
        cc = it == sporgenze.end() ? 0 : it->second.second;
        return true;
    }
    bool GlyphMetrics(char16_t c, TExprGlyphMetrics& m) override
    {
        if (c == u'_') {
            if (trattino <= 0)
                return false;
            m = {10, trattino, 0, -2, 10};
            return true;
        }
        m = {8, 8, 1, Ascent() - 6, 10}; // "+" and the like: 8x8 ink above the baseline
        return true;
    }
    int Ascent() override { return Cella(font_) * 4 / 5; }
    int Descent() override { return Cella(font_) - Ascent(); }
    int PixelsPerInchX() const override { return ppiX; }
    int PixelsPerInchY() const override { return ppiY; }

    void SetPen(TColor c, int) override { pen_ = c; }
    void SetBrush(TColor c) override { brush_ = c; }
    void FillRect(int l, int t, int r, int b) override { ops.push_back({"rect", l, t, r, b, {}, font_, brush_, {}}); }
    void Polygon(const std::vector<TExprPoint>& p) override { ops.push_back({"poly", 0, 0, 0, 0, {}, font_, brush_, p}); }
    void Ellipse(int l, int t, int r, int b) override { ops.push_back({"ellipse", l, t, r, b, {}, font_, brush_, {}}); }
    void FrameEllipse(int l, int t, int r, int b) override { ops.push_back({"ring", l, t, r, b, {}, font_, pen_, {}}); }
    void Line(int x1, int y1, int x2, int y2) override { ops.push_back({"line", x1, y1, x2, y2, {}, font_, pen_, {}}); }
    void BezierPath(const std::vector<TExprPoint>& p) override { ops.push_back({"bezier", 0, 0, 0, 0, {}, font_, brush_, p}); }
    void TextOut(int x, int y, const std::string& s) override { ops.push_back({"text", x, y, 0, 0, s, font_, fontColor_, {}}); }
    void TextOutW(int x, int y, char16_t c) override
    {
        ops.push_back({"text", x, y, 0, 0, std::string(1, c < 128 ? static_cast<char>(c) : '?'), font_, fontColor_, {}});
    }
    void TextOutRotated180(int x, int y, char16_t) override { ops.push_back({"rot", x, y, 0, 0, {}, font_, fontColor_, {}}); }

    std::vector<Op> Of(const std::string& kind) const
    {
        std::vector<Op> r;
        for (const auto& o : ops)
            if (o.kind == kind)
                r.push_back(o);
        return r;
    }

private:
    TExprFont font_;
    TColor fontColor_ = 0, pen_ = 0, brush_ = 0;
};

} // namespace mevario::test
