// The program speaks Italian everywhere: Qt's own texts (the context menu of
// a text field, the buttons of a message box) come from Qt's Italian
// catalogue, and numbers are written with the decimal comma.
#pragma once

#include <QString>

namespace mevario {

// Loads Qt's Italian catalogue ("qtbase_it", from the folder where Qt keeps
// its translations) into the application, sets the Italian locale as the
// default and the decimal comma of the formulas. Returns the catalogue's
// file, or an empty text when it could not be found (the texts of Qt stay
// English then; the program goes on).
QString ImpostaItaliano();

} // namespace mevario
