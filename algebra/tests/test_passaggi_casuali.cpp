// The judgement of a step against an independent check: random lines built
// as trees here, written as a pupil writes them, and evaluated here at
// random rational points with exact fractions. Right steps (the same tree
// rewritten: terms and factors swapped, products distributed, powers
// written as products) must be equivalent, wrong ones (a number, a sign or
// an exponent changed) not, and every counterexample must hold.
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <random>
#include <string>

#include "espressione.h"
#include "passaggi.h"

using namespace mevario;

namespace {

// An exact fraction of our own, small enough for the trees drawn here.
struct Q {
    Intero128 n = 0, d = 1;
};
Intero128 Mcd(Intero128 a, Intero128 b)
{
    if (a < 0)
        a = -a;
    if (b < 0)
        b = -b;
    while (b != 0) {
        const Intero128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}
Q Norm(Intero128 n, Intero128 d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const Intero128 g = Mcd(n, d);
    return g > 1 ? Q{n / g, d / g} : Q{n, d};
}
// Beyond 128 bits the point is given up (Troppo).
struct Troppo {};
Intero128 M(Intero128 a, Intero128 b)
{
    Intero128 r;
    if (__builtin_mul_overflow(a, b, &r))
        throw Troppo{};
    return r;
}
Intero128 S(Intero128 a, Intero128 b)
{
    Intero128 r;
    if (__builtin_add_overflow(a, b, &r))
        throw Troppo{};
    return r;
}
Q operator+(Q a, Q b) { return Norm(S(M(a.n, b.d), M(b.n, a.d)), M(a.d, b.d)); }
Q operator*(Q a, Q b) { return Norm(M(a.n, b.n), M(a.d, b.d)); }
Q operator-(Q a) { return {-a.n, a.d}; }
bool operator==(Q a, Q b) { return a.n == b.n && a.d == b.d; }

struct Albero;
using P = std::shared_ptr<Albero>;
struct Albero {
    enum Tipo { Num, Let, Somma, Prod, Pot, Div } tipo = Num;
    int num = 1, den = 1;  // Num
    int lettera = 0, e = 1; // Let: x^e; Pot: exponent
    std::vector<P> figli;
    std::vector<bool> meno;
};

P Numero(int n, int d = 1)
{
    auto a = std::make_shared<Albero>();
    a->num = n;
    a->den = d;
    return a;
}

Q Valuta(const P& a, const Q punto[3])
{
    switch (a->tipo) {
    case Albero::Num:
        return Norm(a->num, a->den);
    case Albero::Let: {
        Q r{1, 1};
        for (int i = 0; i < a->e; ++i)
            r = r * punto[a->lettera];
        return r;
    }
    case Albero::Somma: {
        Q r;
        for (std::size_t k = 0; k < a->figli.size(); ++k) {
            const Q v = Valuta(a->figli[k], punto);
            r = r + (a->meno[k] ? -v : v);
        }
        return r;
    }
    case Albero::Prod:
        return Valuta(a->figli[0], punto) * Valuta(a->figli[1], punto);
    case Albero::Pot: {
        Q r{1, 1};
        const Q b = Valuta(a->figli[0], punto);
        for (int i = 0; i < a->e; ++i)
            r = r * b;
        return r;
    }
    case Albero::Div: {
        const Q b = Valuta(a->figli[1], punto);
        return Valuta(a->figli[0], punto) * Norm(b.d, b.n);
    }
    }
    return {};
}

class Generatore {
public:
    explicit Generatore(unsigned seme) : g_(seme) {}
    int Caso(int n) { return static_cast<int>(g_() % static_cast<unsigned>(n)); }

    P Monomio()
    {
        P r = Caso(4) == 0 ? Numero(1 + Caso(6), 2 + Caso(4)) : Numero((Caso(2) ? -1 : 1) * (1 + Caso(9)));
        for (int l = 0; l < 3; ++l)
            if (Caso(2)) {
                auto x = std::make_shared<Albero>();
                x->tipo = Albero::Let;
                x->lettera = l;
                x->e = 1 + Caso(3);
                r = Prodotto(r, x);
            }
        return r;
    }

    P Prodotto(P a, P b)
    {
        auto p = std::make_shared<Albero>();
        p->tipo = Albero::Prod;
        p->figli = {std::move(a), std::move(b)};
        return p;
    }

    P Somma(std::vector<P> f)
    {
        auto s = std::make_shared<Albero>();
        s->tipo = Albero::Somma;
        for (auto& x : f) {
            s->figli.push_back(std::move(x));
            s->meno.push_back(Caso(3) == 0);
        }
        return s;
    }

    P Espressione(int profondita)
    {
        const int k = profondita <= 0 ? 0 : Caso(6);
        switch (k) {
        case 0:
        case 1:
            return Monomio();
        case 2:
        case 3: {
            std::vector<P> f;
            for (int i = 0, n = 2 + Caso(2); i < n; ++i)
                f.push_back(Espressione(profondita - 1));
            return Somma(std::move(f));
        }
        case 4:
            return Prodotto(Espressione(profondita - 1), Espressione(profondita - 1));
        default: {
            if (Caso(2)) {
                auto p = std::make_shared<Albero>();
                p->tipo = Albero::Pot;
                p->e = Caso(4);
                p->figli = {Espressione(profondita - 2)};
                return p;
            }
            // (A*M):M with M a monomial: always exact.
            P m = Monomio();
            auto d = std::make_shared<Albero>();
            d->tipo = Albero::Div;
            d->figli = {Prodotto(Espressione(profondita - 1), m), m};
            return d;
        }
        }
    }

    // The same value written otherwise.
    P Riscrivi(const P& a)
    {
        auto r = std::make_shared<Albero>(*a);
        for (auto& f : r->figli)
            f = Riscrivi(f);
        if (r->tipo == Albero::Somma && Caso(2)) {
            std::vector<std::size_t> ordine(r->figli.size());
            std::iota(ordine.begin(), ordine.end(), 0);
            std::shuffle(ordine.begin(), ordine.end(), g_);
            Albero s = *r;
            for (std::size_t k = 0; k < ordine.size(); ++k) {
                r->figli[k] = s.figli[ordine[k]];
                r->meno[k] = s.meno[ordine[k]];
            }
        } else if (r->tipo == Albero::Prod && Caso(2)) {
            std::swap(r->figli[0], r->figli[1]);
        }
        if (r->tipo == Albero::Prod && r->figli[0]->tipo == Albero::Somma && Caso(2)) {
            // (a - b)c = ac - bc
            auto s = std::make_shared<Albero>(*r->figli[0]);
            for (auto& f : s->figli)
                f = Prodotto(f, r->figli[1]);
            return s;
        }
        if (r->tipo == Albero::Pot && r->e >= 2 && Caso(2)) {
            P p = r->figli[0];
            for (int i = 1; i < r->e; ++i)
                p = Prodotto(p, r->figli[0]);
            return p;
        }
        return r;
    }

    // A small change that (nearly always) changes the value.
    P Sbaglia(const P& a)
    {
        auto r = std::make_shared<Albero>(*a);
        if (!r->figli.empty() && Caso(3) != 0) {
            auto& f = r->figli[static_cast<std::size_t>(Caso(static_cast<int>(r->figli.size())))];
            if (r->tipo != Albero::Div)
                f = Sbaglia(f);
            else
                r->figli[0] = Sbaglia(r->figli[0]);
            return r;
        }
        switch (r->tipo) {
        case Albero::Num:
            r->num += 1 + Caso(3);
            break;
        case Albero::Let:
            r->e += 1;
            break;
        case Albero::Somma:
            r->meno[0] = !r->meno[0];
            break;
        case Albero::Pot:
            r->e = r->e == 3 ? 2 : r->e + 1;
            break;
        case Albero::Prod:
        case Albero::Div:
            return Prodotto(r, Numero(2));
        }
        return r;
    }

    // As a pupil writes it, with every kind of bracket.
    std::string Testo(const P& a)
    {
        switch (a->tipo) {
        case Albero::Num: {
            const std::string t = std::to_string(a->num < 0 ? -a->num : a->num) +
                                  (a->den != 1 ? "/" + std::to_string(a->den) : "");
            return a->num < 0 ? "(-" + t + ")" : t;
        }
        case Albero::Let:
            return std::string(1, static_cast<char>((Caso(8) == 0 ? 'X' : 'x') + a->lettera)) +
                   (a->e != 1 || Caso(6) == 0 ? "^" + std::to_string(a->e) : "");
        case Albero::Somma: {
            std::string r;
            for (std::size_t k = 0; k < a->figli.size(); ++k) {
                const std::string f = Fattore(a->figli[k], true);
                if (a->meno[k])
                    r += "-";
                else if (k > 0)
                    r += Caso(6) == 0 ? " + " : "+";
                r += f;
            }
            return r;
        }
        case Albero::Prod: {
            const std::string sx = Fattore(a->figli[0], false), dx = Fattore(a->figli[1], false);
            // Side by side only where nothing can join: before a bracket or a letter.
            const bool accanto = (dx[0] == '(' || dx[0] == '[' || dx[0] == '{' || (dx[0] >= 'x' && dx[0] <= 'z') ||
                                  (dx[0] >= 'X' && dx[0] <= 'Z')) && sx.back() != '^';
            return sx + (accanto && Caso(2) ? "" : "*") + dx;
        }
        case Albero::Pot:
            return Parentesi(Testo(a->figli[0])) + "^" + std::to_string(a->e);
        case Albero::Div:
            return Parentesi(Testo(a->figli[0])) + ":" + Parentesi(Testo(a->figli[1]));
        }
        return {};
    }

private:
    std::mt19937 g_;

    std::string Parentesi(const std::string& t)
    {
        switch (Caso(3)) {
        case 0:
            return "(" + t + ")";
        case 1:
            return "[" + t + "]";
        default:
            return "{" + t + "}";
        }
    }

    // A child written so that it stays one operand: sums bracketed in
    // products; in a sum, what starts with a sign.
    std::string Fattore(const P& f, bool inSomma)
    {
        const std::string t = Testo(f);
        if (f->tipo == Albero::Somma || (!inSomma && f->tipo == Albero::Div) || t[0] == '-')
            return Parentesi(t);
        return t;
    }
};

} // namespace

TEST(PassaggiCasuali, EquivalenceAgreesWithExactValuesAtRandomPoints)
{
    Generatore gen(2026);
    std::mt19937 g(99);
    int giusti = 0, sbagliati = 0, controesempi = 0;
    for (int n = 0; n < 3000; ++n) {
        const P a = gen.Espressione(3);
        const bool sbaglia = n % 2 == 1;
        const P b = sbaglia ? gen.Sbaglia(gen.Riscrivi(a)) : gen.Riscrivi(a);
        const std::string ta = gen.Testo(a), tb = gen.Testo(b);
        const GiudizioPassaggio v = GiudicaPassaggio(ta, tb);
        if (v.verdetto == VerdettoPassaggio::TroppoGrande)
            continue; // a rare tree beyond the limits
        ASSERT_TRUE(v.verdetto == VerdettoPassaggio::Equivalente || v.verdetto == VerdettoPassaggio::NonEquivalente)
            << ta << "  =>  " << tb << ": " << v.motivo;
        // Independent: the two trees at random rational points.
        // Values away from 0 and 1, where lines that differ seldom agree.
        bool uguali = true;
        int provati = 0;
        for (int k = 0; k < 40 && provati < 6 && uguali; ++k) {
            Q punto[3];
            for (auto& p : punto) {
                do
                    p = Norm(static_cast<int>(g() % 11) - 5, 1 + static_cast<int>(g() % 3));
                while (p.n == 0 || p.n == p.d || p.n == -p.d);
            }
            try {
                uguali = Valuta(a, punto) == Valuta(b, punto);
                ++provati;
            } catch (const Troppo&) {
            }
        }
        if (provati == 0)
            continue;
        EXPECT_EQ(v.verdetto == VerdettoPassaggio::Equivalente, uguali) << ta << "  =>  " << tb;
        if (!sbaglia) {
            EXPECT_EQ(v.verdetto, VerdettoPassaggio::Equivalente) << ta << "  =>  " << tb;
        }
        (sbaglia ? sbagliati : giusti) += 1;
        if (v.verdetto != VerdettoPassaggio::NonEquivalente)
            continue;
        // The counterexample printed holds: both values at those whole values.
        Q punto[3] = {{0, 1}, {0, 1}, {0, 1}};
        for (const auto& [lettera, valore] : v.valori)
            punto[lettera - 'x'] = Norm(valore, 1);
        Q va, vb;
        try {
            va = Valuta(a, punto);
            vb = Valuta(b, punto);
        } catch (const Troppo&) {
            continue;
        }
        const auto testo = [](Q q) {
            return TestoIntero(q.n) + (q.d != 1 ? "/" + TestoIntero(q.d) : std::string());
        };
        EXPECT_EQ(v.valorePrima, testo(va)) << ta << "  =>  " << tb;
        EXPECT_EQ(v.valoreDopo, testo(vb)) << ta << "  =>  " << tb;
        EXPECT_NE(v.valorePrima, v.valoreDopo);
        ++controesempi;
    }
    EXPECT_GT(giusti, 1400);
    EXPECT_GT(sbagliati, 1400);
    EXPECT_GT(controesempi, 1300);
}

TEST(PassaggiCasuali, RightStepsAreNeverNamedAsMistakes)
{
    // A name is given only to a step that is not equivalent; on right steps
    // the judgement must never carry one.
    Generatore gen(7);
    for (int n = 0; n < 1000; ++n) {
        const P a = gen.Espressione(3);
        const std::string ta = gen.Testo(a), tb = gen.Testo(gen.Riscrivi(a));
        const GiudizioPassaggio v = GiudicaPassaggio(ta, tb);
        EXPECT_TRUE(v.errore.empty()) << ta << "  =>  " << tb;
    }
}
