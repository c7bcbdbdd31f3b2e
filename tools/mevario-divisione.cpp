// mevario-divisione: the column division of two polynomials in x as the
// program lays it out, with its narration; or a random one as the window
// draws it.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Divisione.h"
#include "errori.h"
#include "funzioni.h"

using namespace mevario;

namespace {

void Aiuto(std::FILE* f)
{
    std::fputs("Uso: mevario-divisione DIVIDENDO DIVISORE [--narra]\n"
               "     mevario-divisione --casuale [--seme N] [--narra]\n"
               "\n"
               "Esegue la divisione in colonna di due polinomi nella lettera x, scritti come\n"
               "li scrive l'alunno (per esempio \"2x^4+3x^3-x+5\" e \"x+2\"), e stampa la\n"
               "griglia come la riempie la pagina Concetto della finestra della divisione:\n"
               "una riga per ogni riga della griglia (\"riga N:\" e le celle dal grado pi\xC3\xB9\n"
               "alto al grado 0, separate da \" | \"; una cella vuota resta vuota), poi le\n"
               "righe \"divisore:\" e \"quoziente:\", poi \"Quoziente = ...\" e \"Resto = ...\".\n"
               "\n"
               "Il dividendo ha grado da 1 a 4, il divisore grado da 1 a quello del dividendo;\n"
               "tutti i numeri della divisione devono restare entro 99 (come nel programma).\n"
               "\n"
               "  --narra       stampa anche le frasi della spiegazione passo per passo\n"
               "  --casuale     estrae una divisione a caso come la finestra\n"
               "  --seme N      con --casuale: inizializza i numeri casuali con N\n"
               "  --help        mostra questo aiuto\n"
               "\n"
               "Un errore stampa il messaggio sullo standard error ed esce con stato 1.\n",
               f);
}

int Errore(const std::string& messaggio)
{
    std::fprintf(stderr, "mevario-divisione: %s\n", messaggio.c_str());
    return 1;
}

// Collects the narration lines; no waits.
class Registro : public TNarratore {
public:
    void PulisciNarrazione() override {}
    void MostraNarrazione(bool) override {}
    void Narra(const std::string& riga) override { Righe.push_back(riga); }
    void Pausa() override {}
    void CellaCambiata(int, int, int) override {}
    void Risultato() override {}
    std::vector<std::string> Righe;
};

std::string Celle(const std::vector<std::string>& c)
{
    std::string r;
    for (std::size_t i = 0; i < c.size(); ++i)
        r += (i ? " | " : "") + c[i];
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    bool narra = false, casuale = false, conSeme = false;
    unsigned long long seme = 0;
    std::vector<std::string> polinomi;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("%s %s\n", "mevario-divisione", MEVARIO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            Aiuto(stdout);
            return 0;
        }
        if (a == "--narra") {
            narra = true;
        } else if (a == "--casuale") {
            casuale = true;
        } else if (a == "--seme") {
            if (i + 1 >= argc)
                return Errore("manca il valore di --seme");
            const char* v = argv[++i];
            char* fine = nullptr;
            errno = 0;
            seme = std::strtoull(v, &fine, 10);
            if (!*v || *v == '-' || *v == '+' || *fine || errno || seme > 4294967295ULL)
                return Errore(std::string("seme non valido: '") + v + "' (un numero da 0 a 4294967295)");
            conSeme = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return Errore("opzione sconosciuta: " + a);
        } else {
            polinomi.push_back(a);
        }
    }
    if (conSeme && !casuale)
        return Errore("--seme vale solo con --casuale");
    if (casuale && !polinomi.empty())
        return Errore("con --casuale non si danno i polinomi");
    if (!casuale && polinomi.size() != 2)
        return Errore("servono due polinomi, DIVIDENDO e DIVISORE (mevario-divisione --help spiega l'uso)");

    TDivisione d;
    if (casuale) {
        if (conSeme)
            ImpostaSeme(static_cast<std::uint32_t>(seme));
        else
            Randomize();
        d.NuovaDivisione(2);
    } else {
        try {
            const auto a = LeggiPolinomioInX(polinomi[0], 4);
            const auto b = LeggiPolinomioInX(polinomi[1], 4);
            bool zero = true;
            for (const TTermine& t : b)
                zero = zero && t.Num == 0;
            if (zero)
                return Errore("il divisore \xC3\xA8 zero");
            if (!d.ImpostaDivisione(a, b))
                return Errore("il dividendo deve avere grado da 1 a 4 e il divisore grado da 1 a quello del dividendo");
        } catch (const std::exception& e) {
            return Errore(SpiegazioneErrore(e));
        }
        d.Svolgi(2);
        if (d.FuoriLimite)
            return Errore("questa divisione porta a numeri oltre il limite di 99: il programma non la propone");
        d.PreparaTesti();
    }
    // The narrated run fills the grid as the Concetto page does.
    Registro r;
    d.Svolgi(0, &r);
    const int n = d.GradoDividendo, m = d.GradoDivisore;
    for (int riga = 1; riga <= d.RigaFinale; ++riga) {
        std::vector<std::string> c;
        for (int k = n; k >= 0; --k)
            c.push_back(d.TestoCella({1, riga, k}, false));
        std::printf("riga %d: %s\n", riga, Celle(c).c_str());
    }
    std::vector<std::string> divisore, quoziente;
    for (int k = m; k >= 0; --k)
        divisore.push_back(d.TestoCella({2, 1, k}, false));
    for (int p = 4; p > d.PosizioneFinale; --p)
        quoziente.push_back(d.TestoCella({2, 2, p}, false));
    std::printf("divisore: %s\nquoziente: %s\n", Celle(divisore).c_str(), Celle(quoziente).c_str());
    std::printf("Quoziente = %s\nResto = %s\n", d.TestoQuoziente.c_str(), d.TestoResto.c_str());
    if (narra)
        for (const std::string& riga : r.Righe)
            std::printf("%s\n", riga.c_str());
    return 0;
}
