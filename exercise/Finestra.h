// The look and feel shared by every window of Mevario: borderless, top
// corners rounded, moved by dragging its background; and panels with
// rounded corners.
#pragma once

#include <QColor>
#include <QFont>
#include <QRegion>
#include <QWidget>

class QLabel;
class TDsFancyButton;

namespace mevario {

// A font by typeface, pixel height and weight.
QFont Carattere(const char* famiglia, int px, bool grassetto = false);
// A label in the given font and text colour, sized to its text.
QLabel* Etichetta(const QString& testo, QWidget* parent, const QFont& font, const QColor& colore);
// The one look of the program's capsule buttons: orange face, silver
// gradient frame 3 pixels wide, bold Tahoma captions.
void StileCapsula(TDsFancyButton* b, int px, const QColor& testo, const QColor& hover);
// A dialog made of Qt's standard controls in the program's look: the peach
// background, maroon group titles in Comic, Tahoma texts, and push buttons
// drawn as the orange capsules with a silver frame.
void StileDialogo(QWidget* dialogo);

// The window's visible shape: its full rectangle with the top corners
// rounded by a 20 x 20 ellipse and the bottom corners square.
QRegion FormaFinestra(const QSize& size);
// A panel's visible shape: its rectangle with all corners rounded 20 x 20.
QRegion FormaPannello(const QSize& size);

// Makes w a borderless window whose shape follows SagomaFinestra at every
// resize and that moves when its background is dragged.
void SagomaFinestra(QWidget* w);
// Rounds the corners of a panel (kept when it is resized).
void ArrotondaAngoli(QWidget* panel);

} // namespace mevario
