// mevario-esercizi: draws seeded exercises of a topic with their expected
// answers, or judges an answer with the topic's own check.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Catalogo.h"
#include "ExprCanvas.h"
#include "funzioni.h"

using namespace mevario;

namespace {

void Aiuto(std::FILE* f)
{
    std::fputs("Uso: mevario-esercizi ARGOMENTO [--seme N] [--quanti K] [--verifica RISPOSTA]\n"
               "\n"
               "Estrae esercizi a caso di un argomento, come fa la finestra dell'argomento,\n"
               "e stampa una riga per esercizio: numero, domanda, testo della formula,\n"
               "risposta attesa (scritta come la digita l'alunno), separati da tabulazioni.\n"
               "\n"
               "  --seme N        inizializza i numeri casuali con N (0..4294967295), per\n"
               "                  estrarre sempre gli stessi esercizi (predefinito: l'orologio)\n"
               "  --quanti K      quanti esercizi estrarre (1..100000, predefinito 1)\n"
               "  --verifica R    estrae gli esercizi come sopra e giudica la risposta R\n"
               "                  sull'ultimo con il controllo della finestra: stampa\n"
               "                  \"giusta\" o \"sbagliata\"; per le domande Si/No scrivere Si o No\n"
               "  --help          mostra questo aiuto\n"
               "\n"
               "Argomenti:\n",
               f);
    for (const TArgomento& a : Argomenti())
        std::fprintf(f, "  %-22s %s\n", a.nome, a.descrizione);
    std::fputs("\n"
               "Stato di uscita: 0 se tutto va bene, 1 se gli argomenti non sono validi,\n"
               "2 se la risposta non si può leggere (il messaggio va sullo standard error).\n"
               "\n"
               "Esempi:\n"
               "  mevario-esercizi prodotto-monomi --seme 7 --quanti 5\n"
               "  mevario-esercizi potenza-monomio --seme 7 --verifica \"4/9x^6y^2\"\n",
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

} // namespace

int main(int argc, char** argv)
{
    const TArgomento* argomento = nullptr;
    bool conSeme = false, verifica = false;
    unsigned long long seme = 0, quanti = 1;
    std::string risposta;
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
        if (a == "--seme" || a == "--quanti" || a == "--verifica") {
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
            } else {
                risposta = v;
                verifica = true;
            }
            continue;
        }
        if (!a.empty() && a[0] == '-')
            return Errore("opzione sconosciuta: " + a);
        if (argomento)
            return Errore("un solo argomento alla volta (c'è già " + std::string(argomento->nome) + ")");
        argomento = TrovaArgomento(a);
        if (!argomento)
            return Errore("argomento sconosciuto: '" + a + "'");
    }
    if (!argomento)
        return Errore("manca l'argomento");

    if (conSeme)
        ImpostaSeme(static_cast<std::uint32_t>(seme));
    else
        Randomize();
    std::unique_ptr<TEsercizio> es = argomento->crea();
    for (unsigned long long n = 1; n <= quanti; ++n) {
        es->NuovoEsercizio();
        if (!verifica)
            std::printf("%llu\t%s\t%s\t%s\n", n, es->Domanda().c_str(), NarrowToUtf8(es->TestoEsercizio()).c_str(),
                        NarrowToUtf8(es->RispostaAttesa()).c_str());
    }
    if (verifica) {
        if (es->SiNo() && risposta != "Si" && risposta != "No")
            return Errore("l'ultima domanda si risponde con Si o No, non con '" + risposta + "'");
        try {
            std::puts(es->Verifica(Utf8ToNarrow(risposta)) ? "giusta" : "sbagliata");
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 2;
        }
    }
    return 0;
}
