// The user's settings of Mevario (~/.config/Mevario/Mevario.conf): every
// window that remembers a choice reads and writes them here.
#pragma once

#include <QSettings>

namespace mevario {

inline QSettings Impostazioni() { return QSettings(QStringLiteral("Mevario"), QStringLiteral("Mevario")); }

} // namespace mevario
