// The surface formula nodes measure and draw on. Nodes never see Qt: the
// real implementation draws with QPainter (formula/qt), tests use fakes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mevario {

// A colour as the forms write it: 0x00BBGGRR.
using TColor = std::uint32_t;

struct TExprPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TExprPoint&) const = default;
};

struct TExprSize {
    int cx = 0;
    int cy = 0;
};

// The ink ("black box") of one glyph: its size in whole pixels and where its
// top-left corner lies relative to the glyph origin on the baseline (OriginY
// counts upwards from the baseline).
struct TExprGlyphMetrics {
    int BlackBoxX = 0;
    int BlackBoxY = 0;
    int OriginX = 0;
    int OriginY = 0;
    int CellIncX = 0;
};

// A formula font. Height is in pixels; a negative height is a character
// height without internal leading, which is how formula sizes are set.
struct TExprFont {
    std::string Name = "Times New Roman";
    int Charset = 204;
    int Height = -11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TExprFont&) const = default;
};

enum class THorzAlign { Left, Center, Right };
enum class TVertAlign { Top, MidLine, Bottom };

class TExprCanvas {
public:
    virtual ~TExprCanvas() = default;

    // The font used by the measuring and text calls that follow.
    virtual void SetFont(const TExprFont& font) = 0;
    virtual const TExprFont& Font() const = 0;
    virtual void SetFontColor(TColor color) = 0;

    // Text extent of a narrow (8-bit, Cyrillic code page) string and of one
    // UTF-16 character in the selected font: advance width and cell height.
    virtual TExprSize TextExtent(const std::string& text) = 0;
    virtual TExprSize TextExtentW(char16_t code) = 0;
    // Left and right overhangs (A and C widths) of a character; false when
    // the font cannot tell.
    virtual bool CharOverhangs(char16_t code, int& a, int& c) = 0;
    // Ink box of one glyph; false when the font cannot tell.
    virtual bool GlyphMetrics(char16_t code, TExprGlyphMetrics& metrics) = 0;
    virtual int Ascent() = 0;
    virtual int Descent() = 0;
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;

    virtual void SetPen(TColor color, int width) = 0;
    virtual void SetBrush(TColor color) = 0;
    // Right and bottom edges exclusive.
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(const std::vector<TExprPoint>& points) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // The outline of an ellipse only, with a clear brush.
    virtual void FrameEllipse(int left, int top, int right, int bottom) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // A closed outline of cubic Bézier segments (start point, then three
    // points a segment), stroked with the pen and filled with the brush.
    virtual void BezierPath(const std::vector<TExprPoint>& points) = 0;

    // Text with its cell's top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual void TextOutW(int x, int y, char16_t code) = 0;
    // One character in the selected font turned by 180 degrees about (x, y).
    virtual void TextOutRotated180(int x, int y, char16_t code) = 0;
};

// Unicode of a byte of the Cyrillic Windows code page in which narrow
// formula texts are shown (bytes below 0x80 are ASCII).
char16_t NarrowToUnicode(unsigned char c);
std::u16string NarrowToUnicode(const std::string& text);
// UTF-8 text (a command line, a UTF-8 file) to the narrow code page of
// formula texts; characters the code page lacks become "?".
std::string Utf8ToNarrow(const std::string& utf8);
// A narrow formula text as UTF-8.
std::string NarrowToUtf8(const std::string& text);
// One UTF-16 code unit as UTF-8.
std::string Utf8(char16_t c);

// Rounding of the typesetter: to the nearest integer, halves to even.
int Round(long double v);

} // namespace mevario
