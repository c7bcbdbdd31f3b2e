// Printable exercise sheets: fresh exercises of chosen topics, drawn by the
// same topic objects as the windows, typeset by the program's own engine into
// an A4 PDF (vector text). The answer key follows on pages of its own,
// numbered on their own, with the seed in their footer so that the same
// sheet can be printed again; the pupils' pages do not show the seed.
#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Divisione.h"
#include "Esercizio.h"

namespace mevario {

// The name of the column division among the sheet's topics (the other
// names are the catalogue's).
inline constexpr const char* kArgomentoDivisione = "divisione-polinomi";
// Its question, on the sheet and in the tool's listing.
inline constexpr const char* kDomandaDivisione = "Esegui la divisione";

// A topic a sheet can hold: its name and its Italian description.
struct TArgomentoScheda {
    std::string nome;
    std::string descrizione;
};
// The catalogue's topics and then the division, in the order of the menu.
const std::vector<TArgomentoScheda>& ArgomentiScheda();

struct TRichiestaScheda {
    std::vector<std::string> argomenti; // names, in the order they are printed
    int quanti = 5;                     // exercises per topic, 1..50
    std::uint32_t seme = 0;
    bool soluzioni = true; // the answer key after the exercises
};

// One exercise of a sheet.
struct TVoceScheda {
    std::string argomento;   // the topic's name
    std::string titolo;      // the topic's description (UTF-8)
    std::string domanda;     // UTF-8
    std::string formula;     // formula text (program code page); may be empty
    std::string risposta;    // the expected answer as typed (code page); "Si"/"No"
    bool siNo = false;       // answered by ticking yes or no
    TSoluzione soluzione;    // the worked solution, for the key
    std::optional<TDivisione> divisione; // the division, solved
};

// The next division of a sheet, drawn from the program's random source as
// the division's window draws it, and solved: the expected grid, the texts
// of dividend, divisor, quotient and remainder.
void NuovaDivisioneScheda(TDivisione& d);

// The exercises of the sheet. Each topic's random source is seeded afresh
// with the sheet's seed, so a topic's exercises are those that
// "mevario-esercizi TOPIC --seme N --quanti K" lists. An unknown topic name
// raises std::invalid_argument.
std::vector<TVoceScheda> EserciziScheda(const TRichiestaScheda& richiesta);

struct TEsitoScheda {
    bool riuscito = false;
    int pagine = 0;         // in all
    int pagineEsercizi = 0; // of them before the key
    QString errore; // Italian, for the user, when it did not succeed
    QString file;   // the file written
};

// Writes the sheet to a new PDF file (an existing file is never written
// over). Needs a QGuiApplication.
TEsitoScheda ScriviSchedaEsercizi(const QString& file, const TRichiestaScheda& richiesta);
// Writes the sheet to a new file in `cartella` named by the program's one
// helper for new documents ("Esercizi" and when), never over a file there.
TEsitoScheda ScriviSchedaNuova(const QString& cartella, const TRichiestaScheda& richiesta,
                               const QDateTime& quando = QDateTime::currentDateTime());

// A seed from the clock, for a sheet nobody asked to repeat.
std::uint32_t SemeNuovo();

} // namespace mevario
