#include "UDsFancyButton.h"

#include <QKeyEvent>

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>

#include <cmath>

namespace {

QColor Mescola(const QColor& a, const QColor& b, double t)
{
    // a + (b - a) * t per channel, rounded
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()));
}

} // namespace

TDsFancyButton::TDsFancyButton(QWidget* parent) : QAbstractButton(parent) { Init(); }

TDsFancyButton::TDsFancyButton(const QString& caption, QWidget* parent) : QAbstractButton(parent)
{
    Init();
    setText(caption);
}

void TDsFancyButton::Init()
{
    FFaceColor = QApplication::palette().color(QPalette::Button);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setMaximumHeight(MaxHeight);
    resize(97, 25);
}

#define MEVARIO_SETTER(Name, Type, Field)   \
    void TDsFancyButton::Set##Name(Type v)  \
    {                                       \
        if (Field == v)                     \
            return;                         \
        Field = v;                          \
        update();                           \
    }
MEVARIO_SETTER(FaceColor, const QColor&, FFaceColor)
MEVARIO_SETTER(FrameColor, const QColor&, FFrameColor)
MEVARIO_SETTER(HoverColor, const QColor&, FHoverColor)
MEVARIO_SETTER(Shape, TShape, FShape)
MEVARIO_SETTER(CornerRadius, int, FCornerRadius)
MEVARIO_SETTER(TextStyle, TTextStyle, FTextStyle)
MEVARIO_SETTER(FrameStyle, TFrameStyle, FFrameStyle)
MEVARIO_SETTER(FontColor, const QColor&, FFontColor)
MEVARIO_SETTER(Layout, TLayout, FLayout)
MEVARIO_SETTER(Distance, int, FDistance)
#undef MEVARIO_SETTER

void TDsFancyButton::SetFrameWidth(int w)
{
    w = std::max(0, w);
    if (FFrameWidth != w) {
        FFrameWidth = w;
        update();
    }
}

void TDsFancyButton::SetGlyph(const QIcon& icon, const QSize& size)
{
    FGlyph = QPixmap();
    FGlyphIcon = icon;
    FGlyphIconSize = size;
    updateGeometry();
    update();
}

void TDsFancyButton::SetGlyph(const QPixmap& p)
{
    FGlyphIcon = QIcon();
    FGlyph = p;
    updateGeometry();
    update();
}

void TDsFancyButton::SetNumber(int n)
{
    n = std::clamp(n, 1, 4);
    if (FNumber != n) {
        FNumber = n;
        update();
    }
}

TDsFancyButton::TState TDsFancyButton::State() const
{
    if (!isEnabled())
        return stDisabled;
    if (isDown())
        return stPressed;
    return FHover ? stHover : stNormal;
}

QSize TDsFancyButton::sizeHint() const { return QSize(97, 25); }

QPainterPath TDsFancyButton::ShapePath(int inset) const
{
    const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    QPainterPath p;
    if (r.width() <= 0 || r.height() <= 0)
        return p;
    switch (FShape) {
    case btnOval: p.addEllipse(r); break;
    case btnCapsule: {
        const double d = std::min(r.width(), r.height());
        p.addRoundedRect(r, d / 2, d / 2);
        break;
    }
    case btnRectangle: {
        const double d = 2.0 * FCornerRadius - 2.0 * inset;
        if (d <= 0)
            p.addRect(r);
        else
            p.addRoundedRect(r, d / 2, d / 2);
        break;
    }
    }
    return p;
}

QColor TDsFancyButton::RingColor(int c) const
{
    const double w = FFrameWidth;
    if (w <= 0 || c >= FFrameWidth)
        return FFaceColor;
    const double t = std::sqrt(w * w - (w - c) * (w - c)) / w;
    return Mescola(FFrameColor, FFaceColor, t);
}

bool TDsFancyButton::hitButton(const QPoint& pos) const
{
    // Only inside the shape: the transparent corners of a capsule do nothing.
    return ShapePath(0).contains(QPointF(pos) + QPointF(0.5, 0.5));
}

QPixmap TDsFancyButton::GlyphImage() const
{
    if (!FGlyphIcon.isNull())
        return FGlyphIcon.pixmap(FGlyphIconSize, devicePixelRatioF(),
                                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (FGlyph.isNull())
        return {};
    const int n = std::max(1, FNumber);
    const int w = FGlyph.width() / n;
    int index = 0;
    switch (State()) {
    case stDisabled: index = 1; break;
    case stPressed: index = 2; break;
    case stHover: index = 3; break;
    default: break;
    }
    if (FNumber < index + 1)
        index = 0;
    QPixmap img = FGlyph.copy(index * w, 0, w, FGlyph.height());
    // The colour of the bottom-left pixel is transparent.
    const QImage im = img.toImage();
    const QColor trasparente = im.pixelColor(0, im.height() - 1);
    img.setMask(QBitmap::fromImage(im.createMaskFromColor(trasparente.rgb(), Qt::MaskInColor)));
    return img;
}

void TDsFancyButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const bool held = isDown();
    const QPalette pal = palette();

    if (FFrameStyle == fmGradient) {
        if (!held) {
            // Rings from the frame colour inwards; the last one is the face,
            // nearly but not exactly the face colour.
            if (FFrameWidth == 0) {
                p.setBrush(FFaceColor);
                p.drawPath(ShapePath(0));
            }
            for (int c = 0; c < FFrameWidth; ++c) {
                p.setBrush(RingColor(c));
                p.drawPath(ShapePath(c));
            }
        } else {
            // Sunken: black, then the shape shifted by (1, 1) in a darker
            // blend, by (3, 3) in the highlight colour, back to (2, 2) nearly face.
            const QPainterPath s = ShapePath(1);
            p.setBrush(Qt::black);
            p.drawPath(s);
            p.setBrush(Mescola(FFrameColor, FFaceColor, 0.6));
            p.drawPath(s.translated(1, 1));
            p.setBrush(pal.color(QPalette::Highlight));
            p.drawPath(s.translated(3, 3));
            p.setBrush(Mescola(FFrameColor, FFaceColor, 0.85));
            p.drawPath(s.translated(2, 2));
        }
    }

    // The keyboard focus: a dotted ring inside the frame, following the shape.
    if (hasFocus() && focusPolicy() != Qt::NoFocus) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(FFontColor, 1.5, Qt::DotLine));
        p.drawPath(ShapePath(FFrameWidth + 2));
    }

    // Glyph and caption, centred together as one block.
    const QPixmap glifo = GlyphImage();
    QString testo = text();
    testo.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const QFontMetrics fm(font());
    const QSize ts(fm.horizontalAdvance(testo), fm.height());
    // In logical pixels: a glyph drawn for the device pixel ratio is smaller.
    const QSize gs = glifo.isNull() ? QSize(0, 0) : glifo.deviceIndependentSize().toSize();
    const bool affiancati = FLayout == lyLeft || FLayout == lyRight;
    const int d = (glifo.isNull() || testo.isEmpty()) ? 0 : FDistance;
    QSize blocco;
    if (FLayout == lyCenter)
        blocco = ts.expandedTo(gs);
    else if (affiancati)
        blocco = QSize(ts.width() + d + gs.width(), std::max(ts.height(), gs.height()));
    else
        blocco = QSize(std::max(ts.width(), gs.width()), ts.height() + d + gs.height());
    const QPoint o((width() - blocco.width()) / 2, (height() - blocco.height()) / 2);
    QPoint pg, pt;
    switch (FLayout) {
    case lyLeft:
        pg = o + QPoint(0, (blocco.height() - gs.height()) / 2);
        pt = o + QPoint(gs.width() + d, (blocco.height() - ts.height()) / 2);
        break;
    case lyRight:
        pt = o + QPoint(0, (blocco.height() - ts.height()) / 2);
        pg = o + QPoint(ts.width() + d, (blocco.height() - gs.height()) / 2);
        break;
    case lyTop:
        pg = o + QPoint((blocco.width() - gs.width()) / 2, 0);
        pt = o + QPoint((blocco.width() - ts.width()) / 2, gs.height() + d);
        break;
    case lyBottom:
        pt = o + QPoint((blocco.width() - ts.width()) / 2, 0);
        pg = o + QPoint((blocco.width() - gs.width()) / 2, ts.height() + d);
        break;
    case lyCenter:
        pg = o + QPoint((blocco.width() - gs.width()) / 2, (blocco.height() - gs.height()) / 2);
        pt = o + QPoint((blocco.width() - ts.width()) / 2, (blocco.height() - ts.height()) / 2);
        break;
    }
    if (!glifo.isNull())
        p.drawPixmap(pg + (held ? QPoint(1, 1) : QPoint()), glifo);

    if (testo.isEmpty())
        return;
    p.setFont(font());
    const QPoint base = pt + QPoint(0, fm.ascent());
    auto scrivi = [&](const QColor& c, QPoint off) {
        p.setPen(c);
        p.drawText(base + off, testo);
    };
    switch (FTextStyle) {
    case txLowered: scrivi(pal.color(QPalette::Light), held ? QPoint(2, 2) : QPoint(1, 1)); break;
    case txRaised: scrivi(pal.color(QPalette::Light), QPoint(-1, -1)); break;
    case txShadowed: scrivi(pal.color(QPalette::Shadow), held ? QPoint(3, 3) : QPoint(2, 2)); break;
    case txNone: break;
    }
    QColor colore = FFontColor;
    if (!isEnabled())
        colore = pal.color(QPalette::Active, QPalette::Dark); // the shadow gray of a button
    else if (FHover && !held)
        colore = FHoverColor;
    scrivi(colore, held ? QPoint(1, 1) : QPoint());
}

namespace {
bool Invio(const QKeyEvent* e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
           (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
} // namespace

bool TDsFancyButton::event(QEvent* e)
{
    // Enter on a focused button presses that button, before any shortcut of
    // its window (a dialog's Enter for its main button) sees the key.
    if (e->type() == QEvent::ShortcutOverride && isEnabled() && Invio(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QAbstractButton::event(e);
}

void TDsFancyButton::keyPressEvent(QKeyEvent* e)
{
    if (Invio(e) && !e->isAutoRepeat() && isEnabled()) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

void TDsFancyButton::focusInEvent(QFocusEvent* e)
{
    QAbstractButton::focusInEvent(e);
    update();
}

void TDsFancyButton::focusOutEvent(QFocusEvent* e)
{
    QAbstractButton::focusOutEvent(e);
    update();
}

void TDsFancyButton::mouseMoveEvent(QMouseEvent* e)
{
    const bool dentro = hitButton(e->position().toPoint());
    if (!isDown() && dentro != FHover) {
        FHover = dentro;
        update();
    }
    QAbstractButton::mouseMoveEvent(e);
}

void TDsFancyButton::leaveEvent(QEvent* e)
{
    if (FHover) {
        FHover = false;
        update();
    }
    QAbstractButton::leaveEvent(e);
}

void TDsFancyButton::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange) {
        FHover = false;
        update();
    }
    QAbstractButton::changeEvent(e);
}
