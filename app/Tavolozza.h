// One light look for the whole program, whatever the desktop's theme: our
// windows paint their own peach backgrounds and dark texts, so a dark
// desktop palette would leave white text on peach and black fields.
#pragma once

#include <QPalette>

namespace mevario {

// A light palette with every colour role of every group set, so that
// nothing is filled in from the desktop's theme.
QPalette TavolozzaChiara();

// The Fusion style (it paints only from the palette, where a desktop style
// may bring colours of its own) and TavolozzaChiara for the application,
// every class the platform theme gives a palette of its own, and tooltips.
void ImpostaAspettoChiaro();

} // namespace mevario
