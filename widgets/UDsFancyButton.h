// TDsFancyButton: the painted push button every window of Mevario uses: a
// capsule, oval or rounded rectangle whose frame blends from the frame
// colour into the face colour, with an optional glyph and a caption.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QIcon>
#include <QPainterPath>
#include <QPixmap>

class TDsFancyButton : public QAbstractButton {
    Q_OBJECT
public:
    enum TShape { btnCapsule, btnOval, btnRectangle };
    enum TTextStyle { txNone, txLowered, txRaised, txShadowed };
    enum TFrameStyle { fmNone, fmGradient };
    enum TLayout { lyLeft, lyTop, lyRight, lyBottom, lyCenter };
    enum TState { stNormal, stDisabled, stPressed, stHover };

    static constexpr int MaxHeight = 145;

    explicit TDsFancyButton(QWidget* parent = nullptr);
    TDsFancyButton(const QString& caption, QWidget* parent = nullptr);

    // FancyEffects
    QColor FaceColor() const { return FFaceColor; }
    void SetFaceColor(const QColor& c);
    QColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(const QColor& c);
    int FrameWidth() const { return FFrameWidth; }
    void SetFrameWidth(int w);
    QColor HoverColor() const { return FHoverColor; }
    void SetHoverColor(const QColor& c);
    TShape Shape() const { return FShape; }
    void SetShape(TShape s);
    int CornerRadius() const { return FCornerRadius; }
    void SetCornerRadius(int r);
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle s);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle s);
    // The caption colour (the font colour).
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& c);

    // Glyphs: `Number` images side by side (normal, disabled, pressed, hover).
    const QPixmap& Glyph() const { return FGlyph; }
    void SetGlyph(const QPixmap& p);
    // A glyph drawn by an icon at `size` logical pixels, rendered for the
    // screen's device pixel ratio at every paint (replaces a pixmap glyph).
    void SetGlyph(const QIcon& icon, const QSize& size);
    const QIcon& GlyphIcon() const { return FGlyphIcon; }
    int Number() const { return FNumber; }
    void SetNumber(int n);
    TLayout Layout() const { return FLayout; }
    void SetLayout(TLayout l);
    int Distance() const { return FDistance; }
    void SetDistance(int d);

    TState State() const;
    bool Held() const { return isDown(); }
    // The button's outline, inset by `inset` pixels on every side.
    QPainterPath ShapePath(int inset) const;
    // The colour of frame ring c (0 = outermost) of the gradient frame.
    QColor RingColor(int c) const;

    QSize sizeHint() const override;

protected:
    // Enter or Return on the focused button presses it, as Space does.
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Init();
    QPixmap GlyphImage() const;

    QColor FFaceColor;
    QColor FFrameColor{128, 128, 128};
    int FFrameWidth = 4;
    QColor FHoverColor{0, 0, 255};
    TShape FShape = btnRectangle;
    int FCornerRadius = 6;
    TTextStyle FTextStyle = txLowered;
    TFrameStyle FFrameStyle = fmGradient;
    QColor FFontColor{0, 0, 0};
    QPixmap FGlyph;
    QIcon FGlyphIcon;
    QSize FGlyphIconSize;
    int FNumber = 1;
    TLayout FLayout = lyLeft;
    int FDistance = 0;
    bool FHover = false;
};
