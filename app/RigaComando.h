// What mevario does before its first window: reading its command line and
// making sure there is a screen to open windows on, with Italian messages
// and exit status 1 when something is wrong.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mevario {

// The value of an environment variable, or nothing when it is not set.
using TAmbiente = std::function<std::optional<std::string>(const char*)>;
// The process's own environment.
std::optional<std::string> VariabileAmbiente(const char* nome);

// Reads the arguments (without the program's name): Qt's own options,
// "--db FILE", "--alunno NOME" (a valid pupil's name), "--esci-subito" and
// "--esci-dopo-avvio" are let through. Returns the exit status when the program
// ends at once (--help and --version: 0, after printing on `out`; an unknown
// option or a stray argument: 1, after a message on `err`); nothing when it
// goes on.
// What the program's own options ask for, read once, with the check of
// the arguments, by LeggiArgomenti.
struct TOpzioniProgramma {
    QString db;     // --db FILE; empty: MEVARIO_DB, then the default record
    QString alunno; // --alunno NOME; empty: the chooser asks
    bool esciSubito = false;    // --esci-subito: start-up measured by the benchmark
    bool esciDopoAvvio = false; // --esci-dopo-avvio: ends once the main window is painted
};
// `opzioni` (when given) receives the program's options when it goes on;
// `out` and `err` may be null (nothing printed).
std::optional<int> LeggiArgomenti(const std::vector<std::string>& argomenti, const char* versione, std::FILE* out,
                                  std::FILE* err, TOpzioniProgramma* opzioni = nullptr);
// The same options from a list with the program's name first, through the
// same reader.
TOpzioniProgramma OpzioniProgramma(const QStringList& argomenti);

// Empty when the platform Qt will use (its "-platform" option, else
// QT_QPA_PLATFORM, else the desktop's X11 or Wayland display) can open a
// window; otherwise what to tell the user, in Italian.
std::string MancaSchermo(const std::vector<std::string>& argomenti, const TAmbiente& ambiente);

// The whole check of main(): the arguments, then the screen. Returns the
// exit status when the program ends before starting Qt.
std::optional<int> RigaDiComando(int argc, char** argv, const char* versione,
                                 TOpzioniProgramma* opzioni = nullptr);

// While on, a failure of Qt to reach the screen (a display that is named but
// does not answer) ends the program with an Italian message and status 1
// instead of Qt's English abort; Qt's warnings about it are kept back and
// passed on when Qt starts after all.
void SorvegliaAvvioQt(bool attiva);

} // namespace mevario
