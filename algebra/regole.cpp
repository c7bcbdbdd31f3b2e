// The known mistakes of a step, each a faulty rule applied to the earlier
// line's tree: at one node (the node's value replaced, its ancestors
// computed again) or at every node of its kind (the whole line computed
// again with the faulty rule). A mistake is named only when the faulty
// computation gives exactly the later line.
#include "regole.h"

#include <algorithm>
#include <optional>

#include "passaggi.h"

namespace mevario {

namespace {

const char* const KProdottoEsponenti = "Nel prodotto gli esponenti si sommano, non si moltiplicano.";
const char* const KPotenzaEsponenti = "Nella potenza gli esponenti si moltiplicano, non si sommano.";
const char* const KCoefficiente = "Anche il coefficiente va elevato alla potenza.";
const char* const KDifferenza = "Nella differenza il secondo polinomio cambia segno.";
const char* const KSegno = "Il meno davanti alla parentesi cambia il segno di tutti i suoi termini.";
const char* const KTermineDimenticato = "Manca un prodotto: ogni termine va moltiplicato per ogni termine.";
const char* const KSimiliEsponenti = "Nella somma di termini simili gli esponenti restano gli stessi.";
const char* const KSimiliCoefficienti = "Nella somma di termini simili i coefficienti si sommano, non si moltiplicano.";
const char* const KSegniProdotto =
    "Nel prodotto vale la regola dei segni: segni uguali danno pi\xC3\xB9, segni diversi danno meno.";
const char* const KSimiliSegno = "Nella somma di termini simili ogni coefficiente si somma con il suo segno.";

// At most this many faulty computations per step: a long line is judged
// in bounded time, its mistake possibly left unnamed.
constexpr int KMaxVarianti = 400;

using Variante = std::optional<Polinomio>;

bool EsponentiValidi(const int e[3])
{
    return e[0] <= KPassaggioMaxEsponente && e[1] <= KPassaggioMaxEsponente && e[2] <= KPassaggioMaxEsponente;
}

// Every pair of terms multiplied with the exponents of a letter both have
// multiplied; nothing when no letter is in both.
Variante ProdottoMoltiplicandoEsponenti(const Polinomio& a, const Polinomio& b)
{
    if (a.size() * b.size() > static_cast<std::size_t>(KPassaggioMaxTermini))
        return std::nullopt;
    bool cambia = false;
    std::vector<Monomio> t;
    for (const Monomio& p : a)
        for (const Monomio& q : b) {
            int e[3];
            for (int l = 0; l < 3; ++l) {
                const int ea = EsponenteDi(p.chiave, l), eb = EsponenteDi(q.chiave, l);
                e[l] = ea > 0 && eb > 0 ? ea * eb : ea + eb;
                cambia = cambia || (ea > 0 && eb > 0 && ea * eb != ea + eb);
            }
            if (!EsponentiValidi(e))
                return std::nullopt;
            t.push_back({Chiave(e[0], e[1], e[2]), p.c * q.c});
        }
    if (!cambia)
        return std::nullopt;
    return Canonico(std::move(t));
}

// A monomial raised to k with its exponents added to k (the letters it
// has) or with its coefficient left as it is.
Variante PotenzaSommandoEsponenti(const Polinomio& base, int k)
{
    if (base.size() != 1 || k < 2 || base[0].chiave == 0)
        return std::nullopt;
    int e[3];
    for (int l = 0; l < 3; ++l) {
        const int a = EsponenteDi(base[0].chiave, l);
        e[l] = a > 0 ? a + k : 0;
    }
    if (!EsponentiValidi(e))
        return std::nullopt;
    Razionale c = base[0].c;
    for (int i = 1; i < k; ++i)
        c = c * base[0].c;
    return Polinomio{{Chiave(e[0], e[1], e[2]), c}};
}

Variante PotenzaSenzaCoefficiente(const Polinomio& base, int k)
{
    if (base.size() != 1 || k < 2)
        return std::nullopt;
    int e[3];
    for (int l = 0; l < 3; ++l)
        e[l] = EsponenteDi(base[0].chiave, l) * k;
    if (!EsponentiValidi(e))
        return std::nullopt;
    return Polinomio{{Chiave(e[0], e[1], e[2]), base[0].c}};
}

// The terms of a sum node with their signs, each child's value cut into
// its terms.
std::vector<Monomio> TerminiDellaSomma(const Nodo& n, const std::vector<Polinomio>& v)
{
    std::vector<Monomio> t;
    for (std::size_t k = 0; k < n.figli.size(); ++k)
        for (Monomio m : v[static_cast<std::size_t>(n.figli[k])]) {
            if (n.meno[k])
                m.c = -m.c;
            t.push_back(m);
        }
    return t;
}

enum class Simili { EsponentiSommati, CoefficientiMoltiplicati };

// The sum with the similar terms of one key (or of every key: chiave < 0)
// gathered by the faulty rule.
Variante SommaSimiliSbagliata(const std::vector<Monomio>& termini, long long chiave, Simili modo)
{
    std::vector<Monomio> r;
    std::vector<std::uint32_t> chiavi;
    for (const Monomio& m : termini)
        chiavi.push_back(m.chiave);
    std::sort(chiavi.begin(), chiavi.end());
    bool cambia = false;
    for (std::size_t i = 0; i < chiavi.size();) {
        std::size_t j = i;
        while (j < chiavi.size() && chiavi[j] == chiavi[i])
            ++j;
        const std::uint32_t c = chiavi[i];
        const bool sbagliata = j - i > 1 && (chiave < 0 || static_cast<long long>(c) == chiave);
        if (!sbagliata) {
            for (const Monomio& m : termini)
                if (m.chiave == c)
                    r.push_back(m);
        } else {
            Razionale somma, prodotto = Razionale::Di(1);
            int e[3] = {0, 0, 0};
            for (const Monomio& m : termini)
                if (m.chiave == c) {
                    somma = somma + m.c;
                    prodotto = prodotto * m.c;
                    for (int l = 0; l < 3; ++l)
                        e[l] += EsponenteDi(m.chiave, l);
                }
            if (modo == Simili::EsponentiSommati && c == 0) {
                r.push_back({c, somma}); // numbers have no exponents to add
                i = j;
                continue;
            }
            if (modo == Simili::EsponentiSommati) {
                if (!EsponentiValidi(e))
                    return std::nullopt;
                r.push_back({Chiave(e[0], e[1], e[2]), somma});
            } else {
                r.push_back({c, prodotto});
            }
            cambia = true;
        }
        i = j;
    }
    if (!cambia)
        return std::nullopt;
    return Canonico(std::move(r));
}

// Is the bracket `nodo` preceded by a minus: the minus of its term in a sum
// (possibly with monomials multiplying it), or a minus written before it?
bool PrecedutaDaMeno(const Espressione& e, const std::vector<Polinomio>& v, int nodo)
{
    int cur = nodo;
    int p = e.nodi[static_cast<std::size_t>(nodo)].padre;
    while (p >= 0 && e.nodi[static_cast<std::size_t>(p)].tipo == TipoNodo::Prodotto) {
        const Nodo& prodotto = e.nodi[static_cast<std::size_t>(p)];
        const int altro = prodotto.figli[0] == cur ? prodotto.figli[1] : prodotto.figli[0];
        if (v[static_cast<std::size_t>(altro)].size() != 1)
            return false;
        cur = p;
        p = prodotto.padre;
    }
    if (p < 0)
        return false;
    const Nodo& n = e.nodi[static_cast<std::size_t>(p)];
    if (n.tipo == TipoNodo::Meno)
        return true;
    if (n.tipo != TipoNodo::Somma)
        return false;
    for (std::size_t k = 0; k < n.figli.size(); ++k)
        if (n.figli[k] == cur)
            return n.meno[k];
    return false;
}

class Ricerca {
public:
    Ricerca(const Espressione& e, const std::vector<Polinomio>& v, const Polinomio& dopo) : e_(e), v_(v), dopo_(dopo) {}

    std::string Nome()
    {
        try {
            return Cerca();
        } catch (const ErroreRiga&) {
            return {};
        }
    }

private:
    const Espressione& e_;
    const std::vector<Polinomio>& v_;
    const Polinomio& dopo_;
    int varianti_ = 0;

    const Nodo& N(int id) const { return e_.nodi[static_cast<std::size_t>(id)]; }
    const Polinomio& V(int id) const { return v_[static_cast<std::size_t>(id)]; }
    int Quanti() const { return static_cast<int>(e_.nodi.size()); }

    // The line with node `nodo` worth `valore`: does it give the later line?
    bool Da(int nodo, const Variante& valore)
    {
        if (!valore)
            return false;
        if (++varianti_ > KMaxVarianti)
            return false;
        try {
            Polinomio p = *valore;
            for (int cur = nodo, su = N(nodo).padre; su >= 0; cur = su, su = N(su).padre)
                p = ValoreNodoCon(e_, su, v_, cur, p);
            return p == dopo_;
        } catch (const ErroreRiga&) {
            return false;
        }
    }

    // The whole line computed again with `sbagliato` giving the value of the
    // nodes it applies to; only when it applies to two nodes at least (one
    // node alone was tried on its own). A node may change only once the
    // nodes under it are computed the faulty way (x*x*x^2 as x^2: x*x
    // gives x, and x*x^2 then gives x^2), so this is tried whatever the
    // nodes alone gave.
    template <class Sbagliato>
    bool DaTutti(const Sbagliato& sbagliato)
    {
        if (++varianti_ > KMaxVarianti)
            return false;
        std::vector<Polinomio> w(v_.size());
        int applicato = 0;
        try {
            for (int id = 0; id < Quanti(); ++id) {
                Variante s = sbagliato(id, w);
                if (s) {
                    ++applicato;
                    w[static_cast<std::size_t>(id)] = std::move(*s);
                } else {
                    w[static_cast<std::size_t>(id)] = ValoreNodo(e_, id, w);
                }
            }
        } catch (const ErroreRiga&) {
            return false;
        }
        return applicato >= 2 && w.back() == dopo_;
    }

    Variante PotenzaSbagliata(int id, const std::vector<Polinomio>& w, bool coefficiente) const
    {
        const Nodo& n = N(id);
        // A power of a bracket: x^2 alone is how a letter's exponent is written.
        if (n.tipo != TipoNodo::Potenza || N(n.figli[0]).tipo != TipoNodo::Parentesi)
            return std::nullopt;
        const Polinomio& base = w[static_cast<std::size_t>(n.figli[0])];
        return coefficiente ? PotenzaSenzaCoefficiente(base, n.esponente) : PotenzaSommandoEsponenti(base, n.esponente);
    }

    Variante ProdottoSbagliato(int id, const std::vector<Polinomio>& w) const
    {
        const Nodo& n = N(id);
        if (n.tipo != TipoNodo::Prodotto)
            return std::nullopt;
        return ProdottoMoltiplicandoEsponenti(w[static_cast<std::size_t>(n.figli[0])],
                                              w[static_cast<std::size_t>(n.figli[1])]);
    }

    bool Parentesi(int id) const
    {
        const Nodo& n = N(id);
        return n.tipo == TipoNodo::Parentesi && N(n.figli[0]).tipo == TipoNodo::Somma && PrecedutaDaMeno(e_, v_, id);
    }

    // A product of two monomials, each more than a number or a letter (not
    // the coefficient and letters of one written monomial: "4x", "4x*y"),
    // with a minus in play: a negative factor, or a minus before it.
    bool ProdottoConSegno(int id) const
    {
        const Nodo& n = N(id);
        if (n.tipo != TipoNodo::Prodotto || V(n.figli[0]).size() != 1 || V(n.figli[1]).size() != 1)
            return false;
        for (const int f : n.figli) {
            const TipoNodo t = N(f).tipo;
            if (t == TipoNodo::Numero || t == TipoNodo::Lettera ||
                (t == TipoNodo::Potenza && N(N(f).figli[0]).tipo == TipoNodo::Lettera))
                return false;
        }
        return V(n.figli[0])[0].c.num < 0 || V(n.figli[1])[0].c.num < 0 || PrecedutaDaMeno(e_, v_, id);
    }

    Variante SimiliSbagliati(int id, const std::vector<Polinomio>& w, Simili modo) const
    {
        const Nodo& n = N(id);
        if (n.tipo != TipoNodo::Somma)
            return std::nullopt;
        return SommaSimiliSbagliata(TerminiDellaSomma(n, w), -1, modo);
    }

    std::string Cerca()
    {
        // Powers of a monomial.
        for (const bool coefficiente : {false, true}) {
            for (int id = 0; id < Quanti(); ++id)
                if (Da(id, PotenzaSbagliata(id, v_, coefficiente)))
                    return coefficiente ? KCoefficiente : KPotenzaEsponenti;
            if (DaTutti([&](int id, const std::vector<Polinomio>& w) { return PotenzaSbagliata(id, w, coefficiente); }))
                return coefficiente ? KCoefficiente : KPotenzaEsponenti;
        }
        // Exponents multiplied in a product.
        for (int id = 0; id < Quanti(); ++id)
            if (Da(id, ProdottoSbagliato(id, v_)))
                return KProdottoEsponenti;
        if (DaTutti([&](int id, const std::vector<Polinomio>& w) { return ProdottoSbagliato(id, w); }))
            return KProdottoEsponenti;
        // The sign of a product of two monomials turned round.
        for (int id = 0; id < Quanti(); ++id)
            if (ProdottoConSegno(id) && Da(id, Opposto(V(id))))
                return KSegniProdotto;
        // A bracket after a minus: its terms' signs not changed (all, one,
        // or all but the first).
        for (int id = 0; id < Quanti(); ++id) {
            if (!Parentesi(id))
                continue;
            const Nodo& somma = N(N(id).figli[0]);
            const Polinomio& b = V(id);
            if (Da(id, Opposto(b)))
                return Differenza(id) ? KDifferenza : KSegno;
            std::vector<Polinomio> t;
            for (std::size_t k = 0; k < somma.figli.size(); ++k)
                t.push_back(somma.meno[k] ? Opposto(V(somma.figli[k])) : V(somma.figli[k]));
            for (const Polinomio& ti : t)
                if (Da(id, SommaPolinomi(b, Opposto(SommaPolinomi(ti, ti)))))
                    return KSegno;
            if (t.size() > 2 && Da(id, SommaPolinomi(SommaPolinomi(t[0], t[0]), Opposto(b))))
                return KSegno;
        }
        if (DaTutti([&](int id, const std::vector<Polinomio>& w) -> Variante {
                if (!Parentesi(id))
                    return std::nullopt;
                return Opposto(w[static_cast<std::size_t>(N(id).figli[0])]);
            }))
            return KSegno;
        // A product of sums with one of its products left out.
        for (int id = 0; id < Quanti(); ++id) {
            const Nodo& n = N(id);
            if (n.tipo != TipoNodo::Prodotto)
                continue;
            const Polinomio &a = V(n.figli[0]), &b = V(n.figli[1]);
            if (a.size() * b.size() < 2 || a.size() * b.size() > 64)
                continue;
            for (const Monomio& p : a)
                for (const Monomio& q : b)
                    if (Da(id, SommaPolinomi(V(id), Opposto(ProdottoPolinomi({p}, {q})))))
                        return KTermineDimenticato;
        }
        // A similar term's sign left out when gathering: one term of a group
        // taken with the other sign.
        for (int id = 0; id < Quanti(); ++id) {
            const Nodo& n = N(id);
            if (n.tipo != TipoNodo::Somma)
                continue;
            const std::vector<Monomio> termini = TerminiDellaSomma(n, v_);
            for (std::size_t i = 0; i < termini.size(); ++i) {
                bool simile = false;
                for (std::size_t j = 0; j < termini.size() && !simile; ++j)
                    simile = j != i && termini[j].chiave == termini[i].chiave;
                if (simile && Da(id, SommaPolinomi(V(id), Opposto(SommaPolinomi({termini[i]}, {termini[i]})))))
                    return KSimiliSegno;
            }
        }
        // Similar terms gathered wrongly: one group, or all of a sum.
        for (const Simili modo : {Simili::EsponentiSommati, Simili::CoefficientiMoltiplicati}) {
            const char* nome = modo == Simili::EsponentiSommati ? KSimiliEsponenti : KSimiliCoefficienti;
            for (int id = 0; id < Quanti(); ++id) {
                const Nodo& n = N(id);
                if (n.tipo != TipoNodo::Somma)
                    continue;
                const std::vector<Monomio> termini = TerminiDellaSomma(n, v_);
                std::vector<std::uint32_t> chiavi;
                for (const Monomio& m : termini)
                    chiavi.push_back(m.chiave);
                std::sort(chiavi.begin(), chiavi.end());
                for (std::size_t i = 0; i + 1 < chiavi.size(); ++i)
                    if (chiavi[i] == chiavi[i + 1] && (i == 0 || chiavi[i - 1] != chiavi[i]) &&
                        Da(id, SommaSimiliSbagliata(termini, chiavi[i], modo)))
                        return nome;
                if (Da(id, SommaSimiliSbagliata(termini, -1, modo)))
                    return nome;
            }
            if (DaTutti([&](int id, const std::vector<Polinomio>& w) { return SimiliSbagliati(id, w, modo); }))
                return nome;
        }
        return {};
    }

    // The second of two brackets subtracted, as the difference of two
    // polynomials is written.
    bool Differenza(int id) const
    {
        const Nodo& radice = e_.nodi.back();
        return radice.tipo == TipoNodo::Somma && radice.figli.size() == 2 && radice.figli[1] == id && radice.meno[1] &&
               !radice.meno[0] && N(radice.figli[0]).tipo == TipoNodo::Parentesi;
    }
};

} // namespace

std::string ErroreRiconosciuto(const Espressione& prima, const std::vector<Polinomio>& valori, const Polinomio& dopo)
{
    return Ricerca(prima, valori, dopo).Nome();
}

} // namespace mevario
