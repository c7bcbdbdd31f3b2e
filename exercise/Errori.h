// The application's general error box: errors raised while handling a click
// (a typed answer that cannot be read, a formula that does not parse) are
// shown here with their message, and the click is abandoned.
#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace mevario {

// What the error box tells the pupil about an error: an Italian sentence
// for the reading errors of an answer, the error's own message otherwise.
QString TestoPerAlunno(const std::exception& e);

// Shows the message in the general error box.
void MostraErrore(const QString& messaggio);
void MostraErrore(const std::exception& e);

// A message of the documents (a warning, an information) in a box with its
// title; it goes to the same place as the errors when that was replaced.
void MostraMessaggio(const QString& titolo, const QString& messaggio, bool avviso);

// A notice at the foot of the active window while something takes a while
// ("Apertura del documento…"); nothing blocks, the window stays usable.
// An empty text takes it away.
void MostraAvviso(const QString& testo);

// Replaces the error box (tests record the messages instead); returns the
// previous one. An empty function restores the message box.
using TGestoreErrori = std::function<void(const QString&)>;
TGestoreErrori ImpostaGestoreErrori(TGestoreErrori g);

// Runs f; an exception it raises goes to the error box instead of further.
// Returns false when f failed.
bool Protetto(const std::function<void()>& f);

} // namespace mevario
