#include "passaggi.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

#include "espressione.h"
#include "regole.h"

namespace mevario {

namespace {

// A line read and computed, or why it could not be.
struct RigaLetta {
    Espressione e;
    std::vector<Polinomio> valori;
    std::optional<ErroreRiga> errore;
    const Polinomio& Valore() const { return valori.back(); }
};

RigaLetta Leggi(const std::string& riga)
{
    RigaLetta r;
    try {
        r.e = LeggiEspressione(riga);
        r.valori = ValoriNodi(r.e);
    } catch (const ErroreRiga& x) {
        r.errore = x;
    }
    return r;
}

// The values tried for a letter, smallest first as a pupil would try them:
// 1, -1, 2, -2, 3, -3, then 0 (it hides terms), then 4, -4, 5, -5, ...
long long ValoreProvato(int i)
{
    static constexpr long long KPrimi[] = {1, -1, 2, -2, 3, -3, 0};
    if (i < 7)
        return KPrimi[i];
    const int k = i - 7;
    return k % 2 == 0 ? 4 + k / 2 : -4 - k / 2;
}

// Index tuples for k letters over the first 8 values, best first: small
// values, distinct ones before repeated ones (x = 1, y = 2 shows more than
// x = y = 1), then the smaller sum, then in order.
std::vector<std::array<int, 3>> CostruisciTuple(int k)
{
    std::vector<std::array<int, 3>> t;
    constexpr int L = 8;
    int n = 1;
    for (int i = 0; i < k; ++i)
        n *= L;
    for (int c = 0; c < n; ++c) {
        std::array<int, 3> a{0, 0, 0};
        int r = c;
        for (int i = k - 1; i >= 0; --i) {
            a[static_cast<std::size_t>(i)] = r % L;
            r /= L;
        }
        t.push_back(a);
    }
    const auto chiave = [k](const std::array<int, 3>& a) {
        int massimo = 0, somma = 0;
        bool ripetuto = false;
        for (int i = 0; i < k; ++i) {
            const long long v = ValoreProvato(a[static_cast<std::size_t>(i)]);
            massimo = std::max(massimo, static_cast<int>(v < 0 ? -v : v));
            somma += a[static_cast<std::size_t>(i)];
            for (int j = 0; j < i; ++j)
                ripetuto = ripetuto || a[static_cast<std::size_t>(i)] == a[static_cast<std::size_t>(j)];
        }
        // k distinct values need values up to about k/2 in size.
        return std::make_tuple(std::max(massimo, (k + 1) / 2), ripetuto, somma, a);
    };
    std::stable_sort(t.begin(), t.end(), [&](const auto& a, const auto& b) { return chiave(a) < chiave(b); });
    return t;
}

const std::vector<std::array<int, 3>>& Tuple(int k)
{
    // Built once, safely from any thread.
    static const std::vector<std::array<int, 3>> tuple[4] = {{}, CostruisciTuple(1), CostruisciTuple(2),
                                                            CostruisciTuple(3)};
    return tuple[k];
}

// Where two different polynomials differ: small whole values of the letters
// either uses, and both values there.
// The letters of the divisors of a line: the counterexample keeps them
// away from 0, so that no division it shows is a division by zero.
int LettereDivisori(const RigaLetta& r)
{
    int maschera = 0;
    for (std::size_t k = 0; k < r.e.nodi.size(); ++k)
        if (r.e.nodi[k].tipo == TipoNodo::Quoziente)
            for (const Monomio& m : r.valori[static_cast<std::size_t>(r.e.nodi[k].figli[1])])
                for (int l = 0; l < 3; ++l)
                    if (EsponenteDi(m.chiave, l) > 0)
                        maschera |= 1 << l;
    return maschera;
}

// The letters written in a line (those that cancel out too: the pupil
// reads the line as written).
int LettereScritte(const RigaLetta& r)
{
    int maschera = 0;
    for (const Nodo& n : r.e.nodi)
        if (n.tipo == TipoNodo::Lettera)
            maschera |= 1 << n.lettera;
    return maschera;
}

// Values of `lettere` (the others as they are in `valori`) where p, not
// zero, is not zero either: the coefficient of the highest power of the last
// letter made nonzero first, then that letter tried on as many values as its
// degree needs. False only when the values outgrow 128 bits.
bool NonNullo(const Polinomio& p, std::vector<int> lettere, long long valori[3], int nonZero)
{
    if (lettere.empty())
        return !p.empty();
    const int l = lettere.back();
    lettere.pop_back();
    int grado = 0;
    for (const Monomio& m : p)
        grado = std::max(grado, EsponenteDi(m.chiave, l));
    Polinomio coefficiente;
    for (const Monomio& m : p)
        if (EsponenteDi(m.chiave, l) == grado)
            coefficiente.push_back({m.chiave - (static_cast<std::uint32_t>(grado) << (8 * (2 - l))), m.c});
    if (!NonNullo(Canonico(std::move(coefficiente)), lettere, valori, nonZero))
        return false;
    for (int i = 0; i <= grado + 2; ++i) {
        valori[l] = ValoreProvato(i);
        if (valori[l] == 0 && (nonZero >> l & 1))
            continue;
        try {
            if (!ValoreIn(p, valori).Zero())
                return true;
        } catch (const ErroreRiga&) {
        }
    }
    return false;
}

// How pleasant a counterexample is to check by hand: no letter 0 (it hides
// terms) before a 0, whole values before fractions, then fewer digits (the
// longer of the two values).
std::tuple<bool, int, std::size_t> Fatica(const Razionale& a, const Razionale& b, bool zero)
{
    const auto cifre = [](const Razionale& r) {
        const std::string t = TestoRazionale(r);
        return t.size() - (t[0] == '-' ? 1 : 0);
    };
    return {zero, (a.den != 1) + (b.den != 1), std::max(cifre(a), cifre(b))};
}

// Among the first points found, how many are compared before the most
// pleasant is taken (one with both values whole and of two digits at most
// ends the search at once).
constexpr int KPuntiConfrontati = 24;

// Where two different polynomials differ: small whole values of the letters
// written in either line, and both values there. Raises ErroreRiga when
// their difference leaves 128 bits.
void Controesempio(const Polinomio& a, const Polinomio& b, int scritte, int nonZero, GiudizioPassaggio& g)
{
    int lettere[3];
    int k = 0;
    for (int l = 0; l < 3; ++l)
        if (scritte >> l & 1)
            lettere[k++] = l;
    const Polinomio differenza = SommaPolinomi(a, Opposto(b));
    std::optional<std::tuple<bool, int, std::size_t>> migliore;
    const auto scrivi = [&](const long long valori[3]) {
        try {
            const Razionale va = ValoreIn(a, valori), vb = ValoreIn(b, valori);
            bool zero = false;
            for (int i = 0; i < k; ++i)
                zero = zero || valori[lettere[i]] == 0;
            const auto fatica = Fatica(va, vb, zero);
            if (migliore && !(fatica < *migliore))
                return;
            migliore = fatica;
            g.valori.clear();
            for (int i = 0; i < k; ++i)
                g.valori.emplace_back(static_cast<char>('x' + lettere[i]), valori[lettere[i]]);
            g.valorePrima = TestoRazionale(va);
            g.valoreDopo = TestoRazionale(vb);
        } catch (const ErroreRiga&) {
            // a value beyond 128 bits: not this point
        }
    };
    const auto prova = [&](const std::array<int, 3>& indici) {
        long long valori[3] = {0, 0, 0};
        for (int i = 0; i < k; ++i) {
            valori[lettere[i]] = ValoreProvato(indici[static_cast<std::size_t>(i)]);
            if (valori[lettere[i]] == 0 && (nonZero >> lettere[i] & 1))
                return false;
        }
        try {
            if (ValoreIn(differenza, valori).Zero())
                return false;
        } catch (const ErroreRiga&) {
            return false;
        }
        scrivi(valori);
        return true;
    };
    if (k == 0) {
        (void)prova({0, 0, 0});
        return;
    }
    int confrontati = 0;
    for (const auto& t : Tuple(k))
        if (prova(t) && migliore &&
            (*migliore <= std::make_tuple(false, 0, std::size_t{2}) || ++confrontati >= KPuntiConfrontati))
            return;
    if (migliore)
        return;
    // A difference that vanishes on all those points has a high degree in
    // some letter: found letter by letter.
    long long valori[3] = {1, 1, 1};
    if (NonNullo(differenza, std::vector<int>(lettere, lettere + k), valori, nonZero))
        scrivi(valori);
}

void Rifiuta(const ErroreRiga& x, int riga, GiudizioPassaggio& g)
{
    g.verdetto = x.troppoGrande() ? VerdettoPassaggio::TroppoGrande : VerdettoPassaggio::Illeggibile;
    g.riga = riga;
    g.posizione = x.posizione();
    g.motivo = x.motivo();
}

} // namespace

GiudizioPassaggio GiudicaPassaggio(const std::string& prima, const std::string& dopo)
{
    GiudizioPassaggio g;
    const RigaLetta a = Leggi(prima);
    if (a.errore) {
        Rifiuta(*a.errore, 0, g);
        return g;
    }
    const RigaLetta b = Leggi(dopo);
    if (b.errore) {
        Rifiuta(*b.errore, 1, g);
        return g;
    }
    if (a.Valore() == b.Valore()) {
        g.verdetto = VerdettoPassaggio::Equivalente;
        return g;
    }
    g.verdetto = VerdettoPassaggio::NonEquivalente;
    try {
        Controesempio(a.Valore(), b.Valore(), LettereScritte(a) | LettereScritte(b),
                      LettereDivisori(a) | LettereDivisori(b), g);
        g.errore = ErroreRiconosciuto(a.e, a.valori, b.Valore());
    } catch (const ErroreRiga& x) {
        // Both lines read, but comparing them leaves 128 bits: the later
        // line is too big to judge, as a line that outgrows them alone.
        g = GiudizioPassaggio();
        Rifiuta(x, 1, g);
    }
    return g;
}

std::string FraseControesempio(const GiudizioPassaggio& g)
{
    if (g.verdetto != VerdettoPassaggio::NonEquivalente)
        return {};
    if (g.valorePrima.empty())
        return "le due righe non sono equivalenti";
    std::string r;
    for (const auto& [lettera, valore] : g.valori)
        r += (r.empty() ? "per " : ", ") + std::string(1, lettera) + " = " + std::to_string(valore);
    if (!r.empty())
        r += ": ";
    return r + "prima vale " + g.valorePrima + ", dopo vale " + g.valoreDopo;
}

ConfrontoEsercizio ConfrontaConEsercizio(const std::string& esercizio, const std::string& riga)
{
    const RigaLetta a = Leggi(esercizio);
    if (a.errore)
        return ConfrontoEsercizio::Illeggibile;
    const RigaLetta b = Leggi(riga);
    if (b.errore)
        return ConfrontoEsercizio::Illeggibile;
    return a.Valore() == b.Valore() ? ConfrontoEsercizio::Uguale : ConfrontoEsercizio::Diversa;
}

CambioCalcolo DoveCambia(const std::vector<std::string>& righe)
{
    CambioCalcolo c;
    for (std::size_t i = 1; i < righe.size(); ++i)
        if (ConfrontaConEsercizio(righe[0], righe[i]) == ConfrontoEsercizio::Diversa) {
            c.giudizio = GiudicaPassaggio(righe[0], righe[i]);
            // Compared, the two may still outgrow 128 bits: the line is
            // where the calculation changes all the same.
            c.riga = static_cast<int>(i);
            return c;
        }
    return c;
}

std::string FraseCambio(const GiudizioPassaggio& g)
{
    std::string r = "Qui il calcolo cambia";
    if (g.verdetto != VerdettoPassaggio::NonEquivalente || g.valorePrima.empty())
        return r + ": questa riga non \xC3\xA8 uguale all'esercizio";
    std::string valori;
    for (const auto& [lettera, valore] : g.valori)
        valori += (valori.empty() ? " per " : ", ") + std::string(1, lettera) + " = " + std::to_string(valore);
    return r + ":" + valori + (valori.empty() ? " " : ": ") + "l'esercizio vale " + g.valorePrima +
           ", questa riga vale " + g.valoreDopo;
}

GiudizioFine GiudicaFine(const std::string& argomento, const std::string& esercizio, const std::string& ultima)
{
    GiudizioFine f;
    const RigaLetta a = Leggi(esercizio);
    if (a.errore) {
        f.cosaManca = "l'esercizio non si legge: " + a.errore->motivo();
        return f;
    }
    const RigaLetta b = Leggi(ultima);
    if (b.errore) {
        f.cosaManca = (b.errore->troppoGrande() ? "l'ultima riga \xC3\xA8 troppo grande: "
                                                : "l'ultima riga non si legge: ") +
                      b.errore->motivo();
        return f;
    }
    if (!(a.Valore() == b.Valore())) {
        f.cosaManca = "l'ultima riga non \xC3\xA8 uguale all'esercizio";
        return f;
    }
    try {
        f.cosaManca = CosaManca(argomento, ultima, b.e, b.Valore());
    } catch (const ErroreRiga& x) {
        f.cosaManca = "l'ultima riga \xC3\xA8 troppo grande: " + x.motivo();
        return f;
    }
    f.stato = f.cosaManca.empty() ? StatoFine::Finito : StatoFine::QuasiFinito;
    return f;
}

} // namespace mevario
