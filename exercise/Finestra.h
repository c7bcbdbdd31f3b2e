// The look and feel shared by every window of Mevario: borderless, top
// corners rounded, moved by dragging its background; and panels with
// rounded corners.
#pragma once

#include <QRegion>
#include <QWidget>

namespace mevario {

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
