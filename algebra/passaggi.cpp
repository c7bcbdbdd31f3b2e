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

// The values tried for a letter, in the order a pupil finds pleasant: small
// whole numbers, positive first, 0 late (it hides terms).
long long ValoreProvato(int i)
{
    static constexpr long long KPrimi[] = {1, 2, -1, 3, -2, 0};
    if (i < 6)
        return KPrimi[i];
    // 4, -3, 5, -4, 6, -5, ...
    const int k = i - 6;
    return k % 2 == 0 ? 4 + k / 2 : -3 - k / 2;
}

// Index tuples for k letters over the first 8 values, best first: small
// values, distinct ones before repeated ones (x = 1, y = 2 shows more than
// x = y = 1), then the smaller sum, then in order.
const std::vector<std::array<int, 3>>& Tuple(int k)
{
    static std::vector<std::array<int, 3>> tuple[4];
    std::vector<std::array<int, 3>>& t = tuple[k];
    if (!t.empty() || k == 0)
        return t;
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
            massimo = std::max(massimo, a[static_cast<std::size_t>(i)]);
            somma += a[static_cast<std::size_t>(i)];
            for (int j = 0; j < i; ++j)
                ripetuto = ripetuto || a[static_cast<std::size_t>(i)] == a[static_cast<std::size_t>(j)];
        }
        return std::make_tuple(std::max(massimo, k - 1), ripetuto, somma, a);
    };
    std::stable_sort(t.begin(), t.end(), [&](const auto& a, const auto& b) { return chiave(a) < chiave(b); });
    return t;
}

// Where two different polynomials differ: small whole values of the letters
// either uses, and both values there.
void Controesempio(const Polinomio& a, const Polinomio& b, GiudizioPassaggio& g)
{
    int lettere[3];
    int k = 0;
    for (int l = 0; l < 3; ++l) {
        bool usata = false;
        for (const Polinomio* p : {&a, &b})
            for (const Monomio& m : *p)
                usata = usata || EsponenteDi(m.chiave, l) > 0;
        if (usata)
            lettere[k++] = l;
    }
    const auto prova = [&](const std::array<int, 3>& indici) {
        long long valori[3] = {0, 0, 0};
        for (int i = 0; i < k; ++i)
            valori[lettere[i]] = ValoreProvato(indici[static_cast<std::size_t>(i)]);
        try {
            const Razionale va = ValoreIn(a, valori), vb = ValoreIn(b, valori);
            if (va == vb)
                return false;
            g.valori.clear();
            for (int i = 0; i < k; ++i)
                g.valori.emplace_back(static_cast<char>('x' + lettere[i]), valori[lettere[i]]);
            g.valorePrima = TestoRazionale(va);
            g.valoreDopo = TestoRazionale(vb);
            return true;
        } catch (const ErroreRiga&) {
            return false; // a value beyond 128 bits: another point
        }
    };
    if (k == 0) {
        (void)prova({0, 0, 0});
        return;
    }
    for (const auto& t : Tuple(k))
        if (prova(t))
            return;
    // A difference that vanishes on all those points has a high degree in
    // some letter; with exponents at most 50, 51 values of each letter are
    // enough to find where it does not vanish.
    int tentativi = 0;
    for (int m = 8; m <= KPassaggioMaxEsponente + 1; ++m) {
        std::array<int, 3> t{0, 0, 0};
        for (;;) {
            bool alBordo = false;
            for (int i = 0; i < k; ++i)
                alBordo = alBordo || t[static_cast<std::size_t>(i)] == m;
            if (alBordo && prova(t))
                return;
            if (++tentativi > 200000)
                return;
            int i = k - 1;
            while (i >= 0 && t[static_cast<std::size_t>(i)] == m)
                t[static_cast<std::size_t>(i--)] = 0;
            if (i < 0)
                break;
            ++t[static_cast<std::size_t>(i)];
        }
    }
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
    Controesempio(a.Valore(), b.Valore(), g);
    g.errore = ErroreRiconosciuto(a.e, a.valori, b.Valore());
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
    f.cosaManca = CosaManca(argomento, ultima, b.e, b.Valore());
    f.stato = f.cosaManca.empty() ? StatoFine::Finito : StatoFine::QuasiFinito;
    return f;
}

} // namespace mevario
