// The reader behind the pupil's working: a line of working (the answer
// notation plus brackets, products, powers and division by a monomial) read
// into a tree, and the tree computed into an exact polynomial in x, y, z
// with rational coefficients. Every limit is checked before the work it
// guards, so a line that is too big costs next to nothing.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace mevario {

__extension__ typedef __int128 Intero128;

// Why a line cannot be judged: it does not read (with the byte where it
// stops and the reason, as an unreadable answer gets), or it is beyond the
// limits. `posizione` is -1 when the whole line is concerned.
class ErroreRiga : public std::exception {
public:
    ErroreRiga(bool troppoGrande, int posizione, std::string motivo)
        : troppoGrande_(troppoGrande), posizione_(posizione), motivo_(std::move(motivo))
    {
    }
    bool troppoGrande() const noexcept { return troppoGrande_; }
    int posizione() const noexcept { return posizione_; }
    const std::string& motivo() const noexcept { return motivo_; }
    const char* what() const noexcept override { return motivo_.c_str(); }

private:
    bool troppoGrande_;
    int posizione_;
    std::string motivo_;
};

// An exact fraction in lowest terms with a positive denominator. Arithmetic
// that would leave 128 bits raises ErroreRiga (troppo grande).
struct Razionale {
    Intero128 num = 0;
    Intero128 den = 1;

    static Razionale Di(Intero128 n, Intero128 d = 1);
    bool Zero() const { return num == 0; }
    bool operator==(const Razionale&) const = default;
};
Razionale operator+(const Razionale& a, const Razionale& b);
Razionale operator-(const Razionale& a, const Razionale& b);
Razionale operator-(const Razionale& a);
Razionale operator*(const Razionale& a, const Razionale& b);
Razionale operator/(const Razionale& a, const Razionale& b); // b must not be 0
// Overflow-checked arithmetic on 128-bit integers (ErroreRiga when it leaves them).
Intero128 Per(Intero128 a, Intero128 b);
Intero128 Piu(Intero128 a, Intero128 b);

// "7", "-3/2".
std::string TestoIntero(Intero128 n);
std::string TestoRazionale(const Razionale& r);

// A term: its exponents of x, y, z packed in one key (8 bits each, x
// highest) and its coefficient.
struct Monomio {
    std::uint32_t chiave = 0;
    Razionale c;
    bool operator==(const Monomio&) const = default;
};
inline int EsponenteDi(std::uint32_t chiave, int lettera) { return (chiave >> (8 * (2 - lettera))) & 0xFF; }
inline std::uint32_t Chiave(int x, int y, int z)
{
    return static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y) << 8 | static_cast<std::uint32_t>(z);
}

// A polynomial in canonical form: terms sorted by key, none with a zero
// coefficient (the zero polynomial has no terms). Two polynomials are equal
// exactly when their canonical forms are.
using Polinomio = std::vector<Monomio>;

Polinomio Costante(const Razionale& c);
// Terms in any order, similar ones possibly repeated: sorted and merged.
Polinomio Canonico(std::vector<Monomio> termini);
Polinomio SommaPolinomi(const Polinomio& a, const Polinomio& b);
Polinomio Opposto(Polinomio a);
// The product, refused (troppo grande) before any work when its result
// could have more than KPassaggioMaxTermini terms (as many as the pairs of
// terms, and no more than its exponents allow), when it would multiply too
// many pairs of terms, or raise an exponent beyond KPassaggioMaxEsponente.
Polinomio ProdottoPolinomi(const Polinomio& a, const Polinomio& b);
// The power, refused before any work when its result could go beyond the
// limit (at most C(n+k-1, k) terms for a base of n terms): (x+1)^11 and
// (x+y)^50 are computed, (x+y+z+1)^50 costs nothing.
Polinomio PotenzaPolinomio(const Polinomio& base, int k);

// ---- The tree of a line ----------------------------------------------------

enum class TipoNodo : std::uint8_t {
    Numero,    // a whole number or a fraction as typed: valore
    Lettera,   // x, y or z (lettera 0, 1, 2)
    Somma,     // figli with their signs (meno)
    Prodotto,  // two figli: written side by side, with '*' or '·'
    Quoziente, // two figli: the dividend ':' a monomial
    Potenza,   // one figlio raised to esponente
    Meno,      // one figlio, negated (a minus inside a product: "2*-x")
    Parentesi, // one figlio in ( ), [ ] or { }
};

struct Nodo {
    TipoNodo tipo = TipoNodo::Numero;
    int posizione = 0; // byte of the line where the node is written (its operator for Quoziente)
    int padre = -1;
    std::vector<int> figli;
    std::vector<bool> meno; // Somma: the sign of each figlio
    Razionale valore;       // Numero
    Intero128 numeratore = 0, denominatore = 1; // Numero as written
    bool barra = false;                          // Numero written as a fraction
    int lettera = 0;        // Lettera
    int esponente = 0;      // Potenza
};

// The nodes of a line, every child before its parent; the root is the last.
struct Espressione {
    std::vector<Nodo> nodi;
    int Radice() const { return static_cast<int>(nodi.size()) - 1; }
};

// Reads a line. Raises ErroreRiga when it does not read or goes beyond a
// limit (characters, nesting, written exponents and numbers).
Espressione LeggiEspressione(const std::string& riga);

// The exact value of every node (indexed as the nodes), computed bottom-up;
// the last is the line's. Raises ErroreRiga for a division that gives no
// polynomial and for the limits on the results.
std::vector<Polinomio> ValoriNodi(const Espressione& e);

// One node's value from its children's values, as ValoriNodi computes it.
Polinomio ValoreNodo(const Espressione& e, int nodo, const std::vector<Polinomio>& valori);

// As ValoreNodo, with the value of node `sostituito` replaced by `sostituto`.
Polinomio ValoreNodoCon(const Espressione& e, int nodo, const std::vector<Polinomio>& valori, int sostituito,
                        const Polinomio& sostituto);

// The line read and computed: its canonical polynomial.
Polinomio PolinomioDi(const std::string& riga);

// The value at whole values of x, y, z (exact; ErroreRiga when a number
// leaves 128 bits).
Razionale ValoreIn(const Polinomio& p, const long long valori[3]);

// The polynomial as a pupil types it, terms by descending key: "3x^2y-1/2z+5".
std::string TestoPolinomio(const Polinomio& p);

} // namespace mevario
