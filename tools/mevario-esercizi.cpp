// mevario-esercizi: draws seeded exercises of a topic with their expected
// answers, or judges an answer with the topic's own check.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QString>

#include "Catalogo.h"
#include "Documenti.h"
#include "Registro.h"
#include "SchedaEsercizi.h"
#include "ExprCanvas.h"
#include "ExprProsa.h"
#include "Giudizio.h"
#include "Lezione.h"
#include "errori.h"
#include "funzioni.h"

using namespace mevario;

namespace {

void Aiuto(std::FILE* f)
{
    std::fputs("Uso: mevario-esercizi ARGOMENTO [--seme N] [--quanti K] [--verifica RISPOSTA]\n"
               "     mevario-esercizi --pdf FILE ARGOMENTO... [--quanti K] [--seme N] [--senza-soluzioni]\n"
               "\n"
               "Estrae esercizi a caso di un argomento, come fa la finestra dell'argomento,\n"
               "e stampa una riga per esercizio: numero, domanda, testo della formula,\n"
               "risposta attesa (scritta come la digita l'alunno), separati da tabulazioni.\n"
               "Per divisione-polinomi la riga ha numero, domanda, dividendo, divisore,\n"
               "quoziente e resto attesi (come li scrive mevario-divisione); la divisione\n"
               "si svolge cella per cella con mevario-divisione.\n"
               "\n"
               "  --seme N        inizializza i numeri casuali con N (0..4294967295), per\n"
               "                  estrarre sempre gli stessi esercizi (predefinito: l'orologio)\n"
               "  --quanti K      quanti esercizi estrarre (1..100000, predefinito 1)\n"
               "  --verifica R    estrae gli esercizi come sopra e giudica la risposta R\n"
               "                  sull'ultimo con il controllo della finestra: stampa\n"
               "                  \"giusta\" o \"sbagliata\", oppure \"forma\", una tabulazione e\n"
               "                  che cosa cambiare quando la risposta ha il valore giusto\n"
               "                  ma non è scritta nella forma chiesta (non è un errore);\n"
               "                  gli spazi prima e dopo non contano; per le domande Sì/No\n"
               "                  scrivere Sì (o Si) oppure No\n"
               "  --soluzione     dopo ogni esercizio stampa la sua soluzione svolta: una\n"
               "                  formula per riga, preceduta da una tabulazione\n"
               "  --pdf FILE      scrive una scheda da stampare (A4, PDF) con gli esercizi\n"
               "                  degli argomenti dati (K per argomento, da 1 a 50,\n"
               "                  predefinito 5) e le soluzioni; il seme è stampato in\n"
               "                  fondo alle pagine delle soluzioni. Ogni argomento ha gli\n"
               "                  esercizi che questo programma elenca con lo stesso seme.\n"
               "                  FILE non deve esistere\n"
               "  --senza-soluzioni  con --pdf: la scheda senza le soluzioni\n"
               "  --help          mostra questo aiuto\n"
               "\n"
               "Argomenti:\n",
               f);
    for (const TArgomentoScheda& a : ArgomentiScheda())
        std::fprintf(f, "  %-22s %s\n", a.nome.c_str(), a.descrizione.c_str());
    std::fputs("\n"
               "Stato di uscita: 0 se tutto va bene, 1 se gli argomenti non sono validi,\n"
               "o la risposta di --verifica è vuota, 2 se la risposta non si può leggere\n"
               "(il messaggio va sullo standard error).\n"
               "\n"
               "Esempi:\n"
               "  mevario-esercizi prodotto-monomi --seme 7 --quanti 5\n"
               "  mevario-esercizi potenza-monomio --seme 7 --verifica \"4/9x^6y^2\"\n"
               "  mevario-esercizi --pdf compito.pdf somma-monomi prodotto-polinomi --quanti 4\n",
               f);
}

int Errore(const std::string& messaggio)
{
    std::fprintf(stderr, "mevario-esercizi: %s\n(mevario-esercizi --help spiega l'uso)\n", messaggio.c_str());
    return 1;
}

// A whole decimal number from lo to hi, or false.
bool Numero(const char* s, unsigned long long lo, unsigned long long hi, unsigned long long& v)
{
    if (!s || !*s || *s == '-' || *s == '+')
        return false;
    char* fine = nullptr;
    errno = 0;
    v = std::strtoull(s, &fine, 10);
    return errno == 0 && *fine == '\0' && v >= lo && v <= hi;
}

// The printable sheet: the topics in the order given.
int Pdf(int argc, char** argv, const std::string& file, const std::vector<std::string>& argomenti, bool conSeme,
        unsigned long long seme, bool conQuanti, unsigned long long quanti, bool soluzioni)
{
    if (argomenti.empty())
        return Errore("manca l'argomento");
    for (const std::string& a : argomenti)
        if (std::none_of(ArgomentiScheda().begin(), ArgomentiScheda().end(),
                         [&a](const TArgomentoScheda& x) { return x.nome == a; }))
            return Errore("argomento sconosciuto: '" + a + "'");
    if (conQuanti && quanti > 50)
        return Errore("numero di esercizi non valido: '" + std::to_string(quanti) + "' (da 1 a 50 per la scheda)");
    // No display is needed to write a file.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Never over the pupils' record.
    if (const QString registro = PercorsoRegistro({}); !IndirizzoServer(registro))
        ProteggiFile(registro);
    TRichiestaScheda r;
    r.argomenti = argomenti;
    r.quanti = conQuanti ? static_cast<int>(quanti) : 5;
    r.seme = conSeme ? static_cast<std::uint32_t>(seme) : SemeNuovo();
    r.soluzioni = soluzioni;
    const TEsitoScheda esito = ScriviSchedaEsercizi(QString::fromLocal8Bit(file.c_str()), r);
    if (!esito.riuscito) {
        std::fprintf(stderr, "mevario-esercizi: %s\n", esito.errore.toStdString().c_str());
        return 1;
    }
    std::printf("%s: %d %s, seme %u\n", file.c_str(), esito.pagine, esito.pagine == 1 ? "pagina" : "pagine", r.seme);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const TArgomento* argomento = nullptr;
    bool conSeme = false, verifica = false, conQuanti = false, pdf = false, soluzioni = true, svolte = false;
    unsigned long long seme = 0, quanti = 1;
    std::string risposta, filePdf;
    std::vector<std::string> nomi;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("%s %s\n", "mevario-esercizi", MEVARIO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            Aiuto(stdout);
            return 0;
        }
        if (a == "--soluzione") {
            svolte = true;
            continue;
        }
        if (a == "--senza-soluzioni") {
            soluzioni = false;
            continue;
        }
        if (a == "--seme" || a == "--quanti" || a == "--verifica" || a == "--pdf") {
            if (i + 1 >= argc)
                return Errore("manca il valore di " + a);
            const char* v = argv[++i];
            if (a == "--seme") {
                if (!Numero(v, 0, 4294967295ULL, seme))
                    return Errore(std::string("seme non valido: '") + v + "' (un numero da 0 a 4294967295)");
                conSeme = true;
            } else if (a == "--quanti") {
                if (!Numero(v, 1, 100000, quanti))
                    return Errore(std::string("numero di esercizi non valido: '") + v + "' (da 1 a 100000)");
                conQuanti = true;
            } else if (a == "--pdf") {
                if (!*v)
                    return Errore("manca il nome del file di --pdf");
                filePdf = v;
                pdf = true;
            } else {
                // Nothing to judge is no wrong answer: it is refused.
                risposta = v;
                if (risposta.find_first_not_of(" \t") == std::string::npos)
                    return Errore("la risposta di --verifica è vuota: scrivi la risposta da giudicare");
                verifica = true;
            }
            continue;
        }
        if (!a.empty() && a[0] == '-')
            return Errore("opzione sconosciuta: " + a);
        nomi.push_back(a);
    }
    if (pdf) {
        if (verifica || svolte)
            return Errore(std::string(verifica ? "--verifica" : "--soluzione") + " e --pdf non vanno insieme");
        return Pdf(argc, argv, filePdf, nomi, conSeme, seme, conQuanti, quanti, soluzioni);
    }
    if (!soluzioni)
        return Errore("--senza-soluzioni vale solo con --pdf");
    if (svolte && verifica)
        return Errore("--soluzione e --verifica non vanno insieme");
    bool divisione = false;
    for (const std::string& a : nomi) {
        if (argomento || divisione)
            return Errore("un solo argomento alla volta (c'è già " +
                          std::string(divisione ? kArgomentoDivisione : argomento->nome) + ")");
        divisione = a == kArgomentoDivisione;
        argomento = TrovaArgomento(a);
        if (!argomento && !divisione)
            return Errore("argomento sconosciuto: '" + a + "'");
    }
    if (!argomento && !divisione)
        return Errore("manca l'argomento");

    if (conSeme)
        ImpostaSeme(static_cast<std::uint32_t>(seme));
    else
        Randomize();
    if (divisione) {
        // The divisions of a sheet with the same seed, one a line.
        if (verifica || svolte)
            return Errore(std::string(verifica ? "--verifica" : "--soluzione") +
                          " non vale per divisione-polinomi (la svolge mevario-divisione)");
        TDivisione d;
        for (unsigned long long n = 1; n <= quanti; ++n) {
            NuovaDivisioneScheda(d);
            std::printf("%llu\t%s\t%s\t%s\t%s\t%s\n", n, kDomandaDivisione, d.TestoDividendo.c_str(),
                        d.TestoDivisore.c_str(), d.TestoQuoziente.c_str(), d.TestoResto.c_str());
        }
        return 0;
    }
    std::unique_ptr<TEsercizio> es = argomento->crea();
    for (unsigned long long n = 1; n <= quanti; ++n) {
        es->NuovoEsercizio();
        if (!verifica)
            std::printf("%llu\t%s\t%s\t%s\n", n, es->Domanda().c_str(), NarrowToUtf8(es->TestoEsercizio()).c_str(),
                        NarrowToUtf8(es->RispostaAttesa()).c_str());
        if (svolte && !verifica)
            for (const TRigaSoluzione& r : es->Soluzione())
                std::printf("\t%s\n", FormulaConProsaUtf8(r.formula).c_str());
    }
    if (verifica) {
        if (es->SiNo()) { // spaces around a choice do not matter, as around any answer
            risposta.erase(0, risposta.find_first_not_of(' '));
            risposta.erase(risposta.find_last_not_of(' ') + 1);
        }
        if (es->SiNo() && risposta == "S\xC3\xAC")
            risposta = "Si"; // the checks take the unaccented form
        if (es->SiNo() && risposta != "Si" && risposta != "No")
            return Errore("l'ultima domanda si risponde con S\xC3\xAC o No, non con '" + risposta + "'");
        try {
            // Judged as a window judges it, by the topic's lesson (no record:
            // nothing is kept).
            TLezione lezione(es.get(), QString::fromUtf8(argomento->nome));
            const TGiudizio g = lezione.Rispondi(Utf8ToNarrow(risposta)).giudizio;
            if (g.esito == TEsito::Forma) {
                std::printf("forma\t%s\n", g.motivo.c_str());
            } else if (g.Contata()) {
                std::puts(g.esito == TEsito::Giusta ? "giusta" : "sbagliata");
            } else {
                std::fprintf(stderr, "mevario-esercizi: %s\n",
                             g.esito == TEsito::Illeggibile ? ("La risposta non si pu\xC3\xB2 leggere: " + g.motivo + ".").c_str()
                                                            : "la risposta \xC3\xA8 vuota");
                return 2;
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mevario-esercizi: %s\n", SpiegazioneErrore(e).c_str());
            return 2;
        }
    }
    return 0;
}
