// What the formula reader makes of a typed answer before it is judged: the
// answer reads, or the spot where it stops reading, the part before that
// spot (to draw) and a short Italian reason for the pupil.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace mevario {

struct TLettura {
    bool leggibile = true;
    int posizione = -1;   // in the field's text: the first character that cannot be read
    QString motivo;       // "qui manca un numero o una lettera"
    std::string prefisso; // formula text of what reads before the spot ("" when nothing)
};

// Reads the field's text as the live preview does (spaces left out, typed
// form turned into formula form). An empty text reads. `forma` is whether
// the formula reader already read the whole text (the preview did), to
// save reading it again.
TLettura LeggiDigitata(const QString& campo, std::optional<bool> forma = std::nullopt);

} // namespace mevario
