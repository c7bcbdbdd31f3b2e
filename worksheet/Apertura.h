// Opening a document the program has written with a program that shows it
// (every document, the PDF sheets too, opens here):
// the desktop's application for the type (through xdg-open), or LibreOffice
// Writer (Calc for a spreadsheet) where the full one is installed. Never the headless LibreOffice
// that Debian ships for conversions (libreoffice-writer-nogui): it opens no
// window and stays running unseen.
//
// What there is comes from Debian's package database (dpkg-query: the
// package libreoffice-writer is the full Writer, libreoffice-core-nogui makes
// every "soffice" of the system headless) and from the desktop's choice of
// application for flat OpenDocument texts (xdg-mime). A desktop choice that
// is one of Debian's LibreOffice entries ("libreoffice-….desktop") runs the
// system's soffice, so it is not used while that soffice is headless.
//
// Everything runs in the background: the windows stay responsive while the
// word processor starts, with a busy cursor and a notice ("Apertura del
// documento…") until the word processor takes the focus, a failure is
// known, or DurataAvviso has passed. A program that exits with a non-zero
// status within AttesaEsito has failed and the next is tried; one still
// running then is taken to have opened the document.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace mevario {

// The kinds of document the program writes: OpenDocument text (.fodt),
// OpenDocument spreadsheet (.fods), the printable sheets (.pdf, shown by
// the desktop's viewer only).
enum class TTipoDocumento { Testo, FoglioDiCalcolo, Pdf };

// The kind of a file the program wrote, from its name.
TTipoDocumento TipoDocumento(const QString& file);

// What the computer has for showing a document.
struct TProgrammiDocumento {
    bool WriterCompleto = false; // the package libreoffice-writer (libreoffice-calc for a spreadsheet)
    bool SenzaFinestre = false;  // the package libreoffice-core-nogui
    bool XdgOpen = false;        // xdg-open is there
    bool GestoreNoto = false;    // xdg-mime answered (Gestore is the desktop's choice)
    QString Gestore;             // the desktop entry for the type ("" none)
};

// The programs to try, in order: "xdg-open" and/or "soffice". Empty when
// nothing can show the document; `motivo` then says why, in Italian.
std::vector<QString> ProgrammiPerAprire(const TProgrammiDocumento& p, QString* motivo = nullptr,
                                        TTipoDocumento tipo = TTipoDocumento::Testo);

class TApertura {
public:
    // Where the notice goes: the text to show, "" to take it away.
    using TAvviso = std::function<void(const QString& testo)>;
    static void ImpostaAvviso(TAvviso a);

    // Starts opening `file` and returns at once. When no program opens it,
    // `fallito` is called later with the reason (Italian, no final stop),
    // after the busy cursor and the notice have gone.
    static void Apri(const QString& file, TTipoDocumento tipo, std::function<void(const QString& motivo)> fallito);
    // The same, of the kind its name says.
    static void Apri(const QString& file, std::function<void(const QString& motivo)> fallito);

    // Openings still watched (tests wait for 0).
    static int InCorso();

    // Milliseconds; tests shorten them.
    static inline int DurataAvviso = 20000;
    static inline int AttesaEsito = 10000;
};

} // namespace mevario
