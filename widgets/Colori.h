// The program's named colours: the windows, panels, flashes and charts take
// them from here, so that a red is the same red everywhere. Our windows
// have their own light colours whatever the desktop's theme.
#pragma once

#include <QColor>

namespace mevario {

// Backgrounds.
inline constexpr QColor kSfondo(255, 230, 204);      // the windows
inline constexpr QColor kSfondoChiaro(255, 240, 224); // boxes and alternate rows on it

// Texts.
inline constexpr QColor kMarrone(128, 0, 0); // titles and labels

// What was right and what was wrong: the counters, the flashes, the marks
// of the working, the rings round a mistake, the progress charts. Both are
// dark enough to read as text on the backgrounds above (contrast over 7:1).
inline constexpr QColor kVerde(0, 100, 0);
inline constexpr QColor kRosso(176, 0, 0);

// The bright colours of the worked examples and of the division's cell to
// write in: they mark, they are not read as text.
inline constexpr QColor kRossoAcceso(255, 0, 0);
inline constexpr QColor kVerdeAcceso(0, 128, 0);

} // namespace mevario
