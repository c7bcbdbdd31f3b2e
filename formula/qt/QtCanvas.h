// The formula canvas drawn with QPainter, and the drawing of a formula tree
// into a box.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>
#include <memory>

#include "ExprCanvas.h"

class QPainter;
class QPaintDevice;

namespace mevario {

class TExprClass;

// Registers the program's embedded fonts and the substitutions of the
// typefaces formulas and windows ask for (the serif for "Times New Roman"
// when a font of this file first asks for it). Needs a QGuiApplication;
// safe to call again.
void RegistraFontMevario();

// The Qt font a formula font resolves to (family substitution, pixel size,
// no hinting, no kerning).
QFont QtFont(const TExprFont& font);

QColor QtColor(TColor c);
TColor DaQColor(const QColor& c);

class TQtCanvas : public TExprCanvas {
public:
    // Draws on `painter` (may be nil for measuring only) at the given
    // resolution in pixels per inch.
    TQtCanvas(QPainter* painter, int ppiX = 96, int ppiY = 96);
    ~TQtCanvas() override;
    TQtCanvas(const TQtCanvas&) = delete;
    TQtCanvas& operator=(const TQtCanvas&) = delete;

    void SetFont(const TExprFont& font) override;
    const TExprFont& Font() const override { return FFont; }
    void SetFontColor(TColor color) override { FFontColor = color; }

    TExprSize TextExtent(const std::string& text) override;
    TExprSize TextExtentW(char16_t code) override;
    bool CharOverhangs(char16_t code, int& a, int& c) override;
    bool GlyphMetrics(char16_t code, TExprGlyphMetrics& metrics) override;
    int Ascent() override;
    int Descent() override;
    int PixelsPerInchX() const override { return FPpiX; }
    int PixelsPerInchY() const override { return FPpiY; }

    void SetPen(TColor color, int width) override;
    void SetBrush(TColor color) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void Polygon(const std::vector<TExprPoint>& points) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void FrameEllipse(int left, int top, int right, int bottom) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void BezierPath(const std::vector<TExprPoint>& points) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextOutW(int x, int y, char16_t code) override;
    void TextOutRotated180(int x, int y, char16_t code) override;

    // A resolved font and what was measured in it (kept for the whole run).
    struct Risolto;

private:
    Risolto& Corrente();
    void Testo(int x, int y, const QString& s);
    // Draws a text through the cache of prepared texts: `chiave` names it,
    // `unicode` gives it when it is not prepared yet.
    void Scrivi(int x, int y, std::string chiave, const std::function<QString()>& unicode);

    QPainter* FPainter;
    int FPpiX;
    int FPpiY;
    TExprFont FFont;
    TColor FFontColor = 0;
    TColor FPen = 0;
    int FPenWidth = 1;
    TColor FBrush = 0;
    Risolto* FCorrente = nullptr;
    // What is set on the painter now (unknown at first).
    void Penna(TColor colore, int spessore);
    void Pennello(std::optional<TColor> colore); // none: no filling
    const Risolto* FFontDipinto = nullptr;
    std::optional<std::pair<TColor, int>> FPennaDipinta;
    std::optional<TColor> FPennelloDipinto;
    bool FPennelloNoto = false;
};

// How many prepared texts the canvas keeps (bounded; for the memory tests).
std::size_t TestiPreparatiInMemoria();

// A font of the program's windows by family, pixel height and weight; the
// bold of "Tahoma" is a truly bold face of nearly the same width.
QFont CaratterePagina(const QString& famiglia, int px, bool grassetto);

// The three ways a window draws a formula into a box.
enum class TFormulaVariant {
    PaintBoxCentered, // 20 points, centred, midline on the middle row
    ControlCentered,  // 16 points, centred
    ControlLeft,      // 18 points, from the left edge
};

int FormulaPoints(TFormulaVariant v);

// Clears the w x h box and draws the tree (when there is one) with its
// midline on the box's middle row. The tree is measured on this canvas.
// `points` overrides the variant's size when positive.
void DrawExprTree(QPainter& painter, int w, int h, TExprClass* root, TFormulaVariant variant, TColor background,
                  TColor color, int ppi = 96, int points = 0);

// Clears the box, parses the formula text and draws it as DrawExprTree does.
// An empty text only clears the box; a text that does not parse raises
// EIncorrectExpr after the box was cleared.
void DrawFormula(QPainter& painter, int w, int h, const std::string& formula, TFormulaVariant variant,
                 TColor background, TColor color, int ppi = 96);

} // namespace mevario
