// Where the program writes the documents it makes for the user (results
// sheet, window sheet, printed exercises): the user's documents folder, in
// "Mevario", under names that say what and when. Nothing is ever written
// over: a name already taken gets " (2)", " (3)", ...
#pragma once

#include <QDateTime>
#include <QString>

namespace mevario {

// The folder "Mevario" in the user's documents folder (not created).
QString CartellaDocumenti();

// A path in `cartella` for a new document about `cosa` ("Risultati",
// "Somma di monomi") made at `quando`, with extension `estensione`
// ("fodt", "pdf"): "Risultati 2026-12-08 10.42.fodt". The file does not
// exist when the function returns; the caller creates it with
// QIODevice::NewOnly, so a file made meanwhile by someone else is never
// written over. Empty when no free name is found.
QString NuovoPercorsoDocumento(const QString& cartella, const QString& cosa, const QString& estensione,
                               const QDateTime& quando = QDateTime::currentDateTime());

// Creates `cartella` (and its parents) when missing; false when it cannot
// be made or is not a writable folder.
bool PreparaCartella(const QString& cartella);

// Writes `testo` to a new file in `cartella` (made when missing), named by
// NuovoPercorsoDocumento; a name taken meanwhile is passed over, no file is
// ever written over, a file half written is removed. Returns the file, or
// "" with `errore` saying why (Italian, for a message).
QString ScriviNuovoDocumento(const QString& cartella, const QString& cosa, const QString& estensione,
                             const QByteArray& testo, const QDateTime& quando, QString* errore);

} // namespace mevario
