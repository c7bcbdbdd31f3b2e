#include "RigaComando.h"

#include <cstdarg>

#include <QByteArray>
#include <QFileInfo>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

#include "Registro.h"

#include <cstdlib>

namespace mevario {

namespace {

const char* const kAiuto = "Uso: mevario [--alunno NOME] [--db FILE] [--help] [--version]\n"
                           "\n"
                           "Mevario: tutor di algebra per la scuola media. Monomi e polinomi in dodici\n"
                           "argomenti, dalla definizione di monomio alla divisione in colonna dei\n"
                           "polinomi: per ogni argomento una pagina Concetto con le spiegazioni e gli\n"
                           "esempi, e una pagina Esercizi con esercizi sempre nuovi e la loro correzione.\n"
                           "\n"
                           "  --alunno NOME  si avvia per l'alunno NOME, senza chiedere chi sei (l'alunno\n"
                           "                 \xC3\xA8 creato se non c'\xC3\xA8; se ha un PIN, lo chiede)\n"
                           "  --db FILE      il registro degli alunni \xC3\xA8 FILE (anche con la variabile\n"
                           "                 MEVARIO_DB); di solito \xC3\xA8 ~/.local/share/Mevario/registro.sqlite\n"
                           "  --db URL       il registro \xC3\xA8 sul server postgresql://UTENTE@SERVER/DATABASE\n"
                           "  --help         mostra questo aiuto\n"
                           "  --version      mostra la versione\n"
                           "\n"
                           "Senza schermo si avvia con: xvfb-run -a mevario\n";

const char* const kComeAvviare = "Avvia Mevario da una sessione grafica (il menu delle applicazioni del desktop),\n"
                                 "oppure, senza schermo, sotto uno schermo virtuale: xvfb-run -a mevario\n";

// Qt's own command-line options, which QApplication reads (either "-x" or
// "--x"); those of the first list take a value, as the next argument or
// after "=".
const char* const kQtConValore[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                                    "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "name",
                                    "title", "visual", "style", "stylesheet", "geometry"};
const char* const kQtSenzaValore[] = {"reverse", "nograb", "dograb", "sync", "widgetcount", "testability"};

// The option's name without its dashes and "=value", or empty for an
// argument that is no option.
std::string NomeOpzione(const std::string& a, bool& conUguale)
{
    conUguale = false;
    if (a.size() < 2 || a[0] != '-')
        return {};
    std::string n = a.substr(a[1] == '-' ? 2 : 1);
    if (const auto uguale = n.find('='); uguale != std::string::npos) {
        conUguale = true;
        n.resize(uguale);
    }
    return n;
}

// A message on `f`; nothing without a stream (the options read again
// after Qt has started, already checked).
[[gnu::format(printf, 2, 3)]] void Scrivi(std::FILE* f, const char* formato, ...)
{
    if (!f)
        return;
    va_list a;
    va_start(a, formato);
    std::vfprintf(f, formato, a);
    va_end(a);
}

bool Tra(const std::string& n, const char* const* nomi, std::size_t quanti)
{
    for (std::size_t i = 0; i < quanti; ++i)
        if (n == nomi[i])
            return true;
    return false;
}

} // namespace

std::optional<std::string> VariabileAmbiente(const char* nome)
{
    if (const char* v = std::getenv(nome))
        return std::string(v);
    return std::nullopt;
}

std::optional<int> LeggiArgomenti(const std::vector<std::string>& argomenti, const char* versione, std::FILE* out,
                                  std::FILE* err, TOpzioniProgramma* opzioni)
{
    TOpzioniProgramma letti;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& a = argomenti[i];
        if (a == "--version") {
            Scrivi(out, "mevario %s\n", versione);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            Scrivi(out, "%s", kAiuto);
            return 0;
        }
        if (a == "--esci-subito" || a == "--esci-dopo-avvio") {
            (a == "--esci-subito" ? letti.esciSubito : letti.esciDopoAvvio) = true;
            continue;
        } // start-up measured by the benchmark, and the Wayland smoke test
        bool conUguale = false;
        const std::string n = NomeOpzione(a, conUguale);
        if (a.rfind("--", 0) == 0 && (n == "db" || n == "alunno")) {
            std::string valore;
            if (conUguale) {
                valore = a.substr(a.find('=') + 1);
            } else if (i + 1 < argomenti.size()) {
                valore = argomenti[++i];
            } else {
                Scrivi(err, "mevario: manca il valore dell'opzione %s\n(mevario --help spiega l'uso)\n", a.c_str());
                return 1;
            }
            if (n == "db" && valore.empty()) {
                Scrivi(err, "mevario: --db vuole il nome del file del registro\n(mevario --help spiega l'uso)\n");
                return 1;
            }
            if (n == "alunno" && !NomeAlunnoValido(QString::fromLocal8Bit(valore.c_str()))) {
                Scrivi(err,
                             "mevario: il nome dell'alunno non va bene: \xC2\xAB%s\xC2\xBB (da 1 a 60 caratteri, senza spazi "
                             "all'inizio o alla fine)\n(mevario --help spiega l'uso)\n",
                             valore.c_str());
                return 1;
            }
            (n == "db" ? letti.db : letti.alunno) = QString::fromLocal8Bit(valore.c_str());
            continue;
        }
        if (Tra(n, kQtConValore, std::size(kQtConValore))) {
            if (!conUguale && ++i >= argomenti.size()) {
                Scrivi(err, "mevario: manca il valore dell'opzione %s\n(mevario --help spiega l'uso)\n", a.c_str());
                return 1;
            }
            continue;
        }
        if (!conUguale && Tra(n, kQtSenzaValore, std::size(kQtSenzaValore)))
            continue;
        if (n.empty())
            Scrivi(err, "mevario: argomento non previsto: %s\n(mevario non prende argomenti; mevario --help spiega l'uso)\n",
                         a.c_str());
        else
            Scrivi(err, "mevario: opzione sconosciuta: %s\n(mevario --help spiega l'uso)\n", a.c_str());
        return 1;
    }
    if (opzioni)
        *opzioni = letti;
    return std::nullopt;
}

std::string MancaSchermo(const std::vector<std::string>& argomenti, const TAmbiente& ambiente)
{
    const auto impostata = [&](const char* nome) {
        const auto v = ambiente(nome);
        return v && !v->empty();
    };
    // The platform asked for: the option wins over the variable.
    std::string piattaforma = ambiente("QT_QPA_PLATFORM").value_or("");
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        bool conUguale = false;
        if (NomeOpzione(argomenti[i], conUguale) != "platform")
            continue;
        if (conUguale)
            piattaforma = argomenti[i].substr(argomenti[i].find('=') + 1);
        else if (i + 1 < argomenti.size())
            piattaforma = argomenti[i + 1];
    }
    const bool x11 = impostata("DISPLAY");
    bool wayland = impostata("WAYLAND_DISPLAY");
    if (!wayland && impostata("XDG_RUNTIME_DIR"))
        wayland = QFileInfo::exists(QString::fromStdString(*ambiente("XDG_RUNTIME_DIR") + "/wayland-0"));
    if (piattaforma.empty()) {
        if (x11 || wayland)
            return {};
        return std::string("mevario: non c'\xC3\xA8 uno schermo su cui aprire la finestra (le variabili DISPLAY e\n"
                           "WAYLAND_DISPLAY non sono impostate).\n") +
               kComeAvviare;
    }
    // "wayland;xcb": the first that works; "xcb:opzioni" names xcb.
    std::size_t inizio = 0;
    while (inizio <= piattaforma.size()) {
        std::size_t fine = piattaforma.find(';', inizio);
        if (fine == std::string::npos)
            fine = piattaforma.size();
        std::string nome = piattaforma.substr(inizio, fine - inizio);
        nome = nome.substr(0, nome.find(':'));
        inizio = fine + 1;
        if (nome.empty())
            continue;
        if (nome == "xcb") {
            if (x11)
                return {};
        } else if (nome.rfind("wayland", 0) == 0) {
            if (wayland)
                return {};
        } else {
            return {}; // offscreen, minimal, vnc, eglfs...: no display variable needed
        }
    }
    return "mevario: la piattaforma grafica richiesta (" + piattaforma +
           ") non ha uno schermo: per xcb serve la variabile DISPLAY, per wayland WAYLAND_DISPLAY.\n" + kComeAvviare;
}

TOpzioniProgramma OpzioniProgramma(const QStringList& argomenti)
{
    std::vector<std::string> a;
    for (qsizetype i = 1; i < argomenti.size(); ++i)
        a.push_back(argomenti[i].toLocal8Bit().toStdString());
    TOpzioniProgramma o;
    LeggiArgomenti(a, "", nullptr, nullptr, &o);
    return o;
}

std::optional<int> RigaDiComando(int argc, char** argv, const char* versione, TOpzioniProgramma* opzioni)
{
    std::vector<std::string> argomenti;
    for (int i = 1; i < argc; ++i)
        argomenti.emplace_back(argv[i]);
    if (const auto esito = LeggiArgomenti(argomenti, versione, stdout, stderr, opzioni))
        return esito;
    const std::string manca = MancaSchermo(argomenti, VariabileAmbiente);
    if (!manca.empty()) {
        std::fputs(manca.c_str(), stderr);
        return 1;
    }
    return std::nullopt;
}

namespace {

QtMessageHandler gPrecedente = nullptr;
struct TAvvisoTrattenuto {
    QtMsgType tipo;
    QByteArray categoria;
    QString testo;
};
std::vector<TAvvisoTrattenuto>& Trattenuti()
{
    static std::vector<TAvvisoTrattenuto> t;
    return t;
}

void SorvegliaMessaggi(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo)
{
    if (tipo == QtFatalMsg) {
        // Qt is about to abort: no platform could start.
        QString schermo = qEnvironmentVariable("DISPLAY");
        if (schermo.isEmpty())
            schermo = qEnvironmentVariable("WAYLAND_DISPLAY");
        std::fprintf(stderr, "mevario: non riesco ad aprire lo schermo%s%s%s: non risponde o non \xC3\xA8 accessibile.\n%s",
                     schermo.isEmpty() ? "" : " \xC2\xAB", schermo.toLocal8Bit().constData(),
                     schermo.isEmpty() ? "" : "\xC2\xBB", kComeAvviare);
        std::fflush(stderr);
        std::_Exit(1);
    }
    Trattenuti().push_back({tipo, contesto.category ? QByteArray(contesto.category) : QByteArray(), testo});
}

} // namespace

void SorvegliaAvvioQt(bool attiva)
{
    if (attiva) {
        Trattenuti().clear();
        gPrecedente = qInstallMessageHandler(SorvegliaMessaggi);
        return;
    }
    qInstallMessageHandler(gPrecedente);
    gPrecedente = nullptr;
    // Qt started: what it had to say goes where it always goes.
    for (const TAvvisoTrattenuto& a : Trattenuti()) {
        const QMessageLogContext contesto(nullptr, 0, nullptr, a.categoria.isEmpty() ? nullptr : a.categoria.constData());
        qt_message_output(a.tipo, contesto, a.testo);
    }
    Trattenuti().clear();
}

} // namespace mevario
