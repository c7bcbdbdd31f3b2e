// mevario-passaggi: a pupil's working judged line by line, as the steps of
// the exercise windows judge it.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "argomenti.h"
#include "Lezione.h"
#include "passaggi.h"

using namespace mevario;

namespace {

// The topics that offer the working, three to a line of the help.
std::string ArgomentiConPassaggi()
{
    std::string s;
    int n = 0;
    for (const TTemaArgomento& t : TabellaArgomenti()) {
        if (!t.passaggi)
            continue;
        s += n == 0 ? "                 " : n % 3 == 0 ? ",\n                 " : ", ";
        s += t.nome;
        ++n;
    }
    return s + "\n";
}

void Aiuto(std::FILE* f)
{
    std::fputs("Uso: mevario-passaggi [--argomento ARGOMENTO] ESERCIZIO\n"
               "\n"
               "Legge dallo standard input i passaggi di un alunno, uno per riga, e giudica\n"
               "ogni passaggio rispetto alla riga prima (la riga 0 \xC3\xA8 l'ESERCIZIO; dopo una\n"
               "riga che non si legge, la riga prima \xC3\xA8 l'ultima che si \xC3\xA8 letta). Le righe\n"
               "si scrivono come le risposte, con in pi\xC3\xB9 parentesi ( ) [ ] { }, prodotti,\n"
               "potenze e la divisione per un monomio con \":\", per esempio \"(x+1)(x-2)\",\n"
               "\"(2x^2y)^3\", \"12x^5:3x^2\".\n"
               "\n"
               "Per ogni passaggio stampa una riga N<TAB>VERDETTO<TAB>DETTAGLIO<TAB>ERRORE<TAB>ESERCIZIO:\n"
               "  equivalente\n"
               "  non-equivalente   x=1 y=2 prima=7 dopo=9, poi l'errore, se una regola lo riconosce\n"
               "  illeggibile       il motivo\n"
               "  troppo-grande     il motivo\n"
               "dove ESERCIZIO dice se la riga \xC3\xA8 ancora uguale all'esercizio: esercizio=uguale,\n"
               "esercizio=diverso, esercizio=? (la riga non si legge o \xC3\xA8 troppo grande).\n"
               "Per ultima stampa fine<TAB>finito|quasi-finito|non-finito<TAB>che cosa manca;\n"
               "quando l'ultima riga non \xC3\xA8 uguale all'esercizio, dopo un altro <TAB> la prima\n"
               "riga dove il calcolo cambia: cambia=N x=1 esercizio=7 riga=9.\n"
               "\n"
               "  --argomento A  giudica la fine come la risposta dell'argomento A:\n",
               f);
    std::fputs(ArgomentiConPassaggi().c_str(), f);
    std::fputs("                 (senza: il polinomio svolto, senza termini simili)\n"
               "  --help         mostra questo aiuto\n"
               "\n"
               "Stato di uscita: 0 quando ha giudicato, 1 per argomenti sbagliati,\n"
               "2 quando l'esercizio stesso non si legge.\n",
               f);
}

int Errore(const std::string& messaggio)
{
    std::fprintf(stderr, "mevario-passaggi: %s\n", messaggio.c_str());
    return 1;
}

std::string Valori(const GiudizioPassaggio& g)
{
    std::string r;
    for (const auto& [lettera, valore] : g.valori)
        r += std::string(1, lettera) + "=" + std::to_string(valore) + " ";
    return r;
}

std::string Dettaglio(const GiudizioPassaggio& g)
{
    return Valori(g) + "prima=" + g.valorePrima + " dopo=" + g.valoreDopo;
}

const char* Rispetto(ConfrontoEsercizio c)
{
    return c == ConfrontoEsercizio::Uguale ? "esercizio=uguale"
           : c == ConfrontoEsercizio::Diversa ? "esercizio=diverso"
                                              : "esercizio=?";
}

} // namespace

int main(int argc, char** argv)
{
    std::string argomento;
    std::string esercizio;
    bool conEsercizio = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("%s %s\n", "mevario-passaggi", MEVARIO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            Aiuto(stdout);
            return 0;
        }
        if (a == "--argomento") {
            if (i + 1 >= argc)
                return Errore("manca il valore di --argomento");
            argomento = argv[++i];
            const TTemaArgomento* t = TemaArgomento(argomento);
            if (!t || !t->passaggi)
                return Errore("argomento senza passaggi o sconosciuto: " + argomento +
                              " (mevario-passaggi --help elenca gli argomenti)");
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return Errore("opzione sconosciuta: " + a);
        } else if (conEsercizio) {
            return Errore("c'\xC3\xA8 un solo ESERCIZIO: i passaggi si leggono dallo standard input");
        } else {
            esercizio = a;
            conEsercizio = true;
        }
    }
    if (!conEsercizio)
        return Errore("manca l'ESERCIZIO (mevario-passaggi --help spiega l'uso)");

    // The exercise against itself: read, or why not.
    const GiudizioPassaggio e = GiudicaPassaggio(esercizio, esercizio);
    if (e.verdetto != VerdettoPassaggio::Equivalente) {
        std::fprintf(stderr, "mevario-passaggi: l'esercizio non si legge: %s\n", e.motivo.c_str());
        return 2;
    }

    std::string prima = esercizio, ultima = esercizio, riga;
    std::vector<std::string> righe{esercizio};
    for (int n = 1; std::getline(std::cin, riga);) {
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        // A blank line is no step (a file often ends with one): as in the
        // window, where an empty line gets no mark.
        if (riga.find_first_not_of(" \t") == std::string::npos)
            continue;
        const GiudizioPassaggio g = GiudicaPassaggio(prima, riga);
        ultima = riga;
        righe.push_back(riga);
        const char* rispetto = Rispetto(ConfrontaConEsercizio(esercizio, riga));
        switch (g.verdetto) {
        case VerdettoPassaggio::Equivalente:
            std::printf("%d\tequivalente\t\t\t%s\n", n, rispetto);
            break;
        case VerdettoPassaggio::NonEquivalente:
            std::printf("%d\tnon-equivalente\t%s\t%s\t%s\n", n, Dettaglio(g).c_str(), g.errore.c_str(), rispetto);
            break;
        case VerdettoPassaggio::Illeggibile:
            std::printf("%d\tilleggibile\t%s\t\t%s\n", n, g.motivo.c_str(), rispetto);
            break;
        case VerdettoPassaggio::TroppoGrande:
            std::printf("%d\ttroppo-grande\t%s\t\t%s\n", n, g.motivo.c_str(), rispetto);
            break;
        }
        if (g.verdetto == VerdettoPassaggio::Equivalente || g.verdetto == VerdettoPassaggio::NonEquivalente)
            prima = riga;
        ++n;
    }
    // The end of the working as the lesson tells it in the window.
    TLezione lezione(nullptr, QString::fromStdString(argomento));
    lezione.ImpostaPassaggi(argomento);
    const GiudizioFine f = lezione.FinePassaggi(righe);
    const char* stato = f.stato == StatoFine::Finito ? "finito" : f.stato == StatoFine::QuasiFinito ? "quasi-finito" : "non-finito";
    std::string cambia;
    if (f.stato == StatoFine::NonFinito && ConfrontaConEsercizio(esercizio, ultima) == ConfrontoEsercizio::Diversa)
        if (const CambioCalcolo c = DoveCambia(righe); c.riga >= 1) {
            cambia = "\tcambia=" + std::to_string(c.riga);
            if (!c.giudizio.valorePrima.empty())
                cambia += " " + Valori(c.giudizio) + "esercizio=" + c.giudizio.valorePrima + " riga=" + c.giudizio.valoreDopo;
        }
    std::printf("fine\t%s\t%s%s\n", stato, f.cosaManca.c_str(), cambia.c_str());
    return 0;
}
