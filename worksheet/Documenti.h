// Where the program writes the documents it makes for the user (results
// sheet, window sheet, printed exercises): the user's documents folder, in
// "Mevario", under names that say what and when. Nothing is ever written
// over: a name already taken gets " (2)", " (3)", ...
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

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

// The files nothing may be written over: the record in use, with its
// "-wal", "-shm" and "-journal" beside it. The program and the tools add
// their record's file once they know it; every writer below refuses them.
void ProteggiFile(const QString& file);
QStringList FileProtetti();

// Why `file` cannot receive a document, in Italian ("" when it can): it is
// a protected file (the same file by device and inode, or by path), a
// folder, a device or anything else that is not a regular file, or a
// name that cannot be reached.
QString DestinazioneVietata(const QString& file);

struct TModoScrittura {
    bool sostituisci = false; // an existing regular file is replaced; otherwise it is left and refused
    bool privato = false;     // readable and writable by the owner only (0600)
};
struct TEsitoScrittura {
    bool scritto = false;
    bool vietato = false; // refused before anything was written (DestinazioneVietata)
    bool esiste = false;  // not `sostituisci` and the name is taken
    QString errore;       // Italian, a whole phrase starting in lower case
};
// The one writer of every document and export: `testo` goes to a
// temporary file in the destination's folder, every write checked, synced
// to the disk, then renamed into place (a symbolic link's target is
// written, the link kept). On any failure the temporary file is removed
// and whatever was at `file` is left as it was.
TEsitoScrittura ScriviFileIntero(const QString& file, const QByteArray& testo, TModoScrittura modo = {});

// Writes `testo` to a new file in `cartella` (made when missing), named by
// NuovoPercorsoDocumento; a name taken meanwhile is passed over, no file is
// ever written over, a file half written is removed. Returns the file, or
// "" with `errore` saying why (Italian, for a message).
QString ScriviNuovoDocumento(const QString& cartella, const QString& cosa, const QString& estensione,
                             const QByteArray& testo, const QDateTime& quando, QString* errore);

} // namespace mevario
