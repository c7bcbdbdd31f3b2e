// The look and feel shared by every window of Mevario: borderless, top
// corners rounded, moved by dragging its background; and panels with
// rounded corners.
#pragma once

#include <utility>

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>

class QLabel;
class TDsFancyButton;

namespace mevario {

// A font by typeface, pixel height and weight.
QFont Carattere(const char* famiglia, int px, bool grassetto = false);
// Gives a widget's text (labels, check boxes, fields) its own colour, so the
// desktop's palette cannot change it.
void ColoraTesto(QWidget* w, const QColor& colore);
// A label in the given font and text colour, sized to its text.
QLabel* Etichetta(const QString& testo, QWidget* parent, const QFont& font, const QColor& colore);
// The one look of the program's capsule buttons: orange face, silver
// gradient frame 3 pixels wide, bold Tahoma captions.
void StileCapsula(TDsFancyButton* b, int px, const QColor& testo, const QColor& hover);
// A capsule button with white captions at g inside parent.
TDsFancyButton* Capsula(const QString& caption, QWidget* parent, const QRect& g, int px);
// A dialog made of Qt's standard controls in the program's look: the peach
// background, maroon group titles in Comic, Tahoma texts (its buttons are
// the program's capsule buttons).
void StileDialogo(QWidget* dialogo);

// The window's visible shape: its full rectangle with the top corners
// rounded by a 20 x 20 ellipse and the bottom corners square.
QRegion FormaFinestra(const QSize& size);
// A panel's visible shape: its rectangle with all corners rounded 20 x 20.
QRegion FormaPannello(const QSize& size);

// Whether the platform cuts a window to the shape of its mask. X11 does;
// Wayland takes the mask only as the part of the window that gets input.
bool FinestreSagomate();
// The window's shape as a path (FormaFinestra is its region).
QPainterPath PercorsoFinestra(const QSizeF& size);

// Makes w a borderless window whose shape follows FormaFinestra at every
// resize and that moves when its background is dragged. Where the platform
// does not cut windows to a shape (`dipinta`), the window is translucent and
// paints its shape itself, in its background colour with a thin darker
// border, so that it stands apart from a window of the same colour behind it.
void SagomaFinestra(QWidget* w, bool dipinta = !FinestreSagomate());
// Rounds the corners of a panel (kept when it is resized).
void ArrotondaAngoli(QWidget* panel);

// Where a window of size `finestra` (its frame) goes to be centred over
// `sopra` while staying inside `area` (the screen's available area): moved
// in when it would cross an edge, to the top-left corner of the area when it
// is larger than the area.
QRect PosizioneCentrata(const QSize& finestra, const QRect& sopra, const QRect& area);
// Where a window of size `accanto` (its frame) goes beside `finestra` (the
// frame of the window it was opened from) inside `area`, and where that
// window goes (moved only when it must make room): to its right, else to its
// left, at its height; where neither side has room, the window moves so that
// both stand side by side in the middle of the area; where the area is too
// narrow for both, the window goes to the area's left edge and the other to
// its right edge, over the window's right side (its buttons) rather than its
// exercise. Returns {window, beside}.
std::pair<QRect, QRect> PosizioniAccanto(const QRect& finestra, const QSize& accanto, const QRect& area);
// Moves a window, before it is shown, centred over `sopra` (when it is
// null or hidden, over the middle of the screen) and inside the available
// area of the screen `sopra` is on. Where the platform places windows itself
// (Wayland) the move is a wish: there the window's transient parent tells
// the compositor where it belongs.
void CentraSopra(QWidget* finestra, const QWidget* sopra);

} // namespace mevario
