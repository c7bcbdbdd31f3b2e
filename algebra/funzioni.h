// The algebra core: the two text forms of a monomial, the readers of a typed
// answer, the random exercise material and integer GCD/LCM.
//
// Typed form (what the pupil writes):  12x^5      -2/5xy^3z
// Formula form (what the typesetter reads): 12*x^5  -(2/5)*x*y^3*z
//
// Everything here is a free function on byte strings and integers; nothing
// keeps state except the one random source of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "errori.h"

namespace mevario {

// A coefficient read from a typed answer or drawn at random: numerator and
// denominator as typed (a read denominator may be zero or negative).
struct Frazione {
    int num = 1;
    int den = 1;
};

// A random coefficient in formula form together with its value.
struct CoefficienteCasualeRisultato {
    std::string testo;
    int num = 0;
    int den = 1;
};

// ---- Monomial text model -------------------------------------------------

// The text with every occurrence of c removed.
std::string TogliCarattere(char c, const std::string& testo);

// Typed form to formula form: brackets the first fraction and writes the
// implicit multiplications as '*'.
std::string FormaFormula(const std::string& testo);

// The literal part of a typed answer: everything from the first '*' or
// letter on, spaces removed, one leading '*' dropped.
std::string ParteLetterale(const std::string& testo);

// Numerator and denominator of a typed answer. Raises ErroreConversione
// when a digit buffer is not a valid signed 32-bit integer.
Frazione LeggiCoefficiente(const std::string& testo);

// Exponent of the first occurrence of a letter (either case): 0 when absent,
// 1 when not followed by "^" and a digit, else the one or two digits.
int Esponente(const std::string& monomio, const std::string& lettera);

// True when x, y and z have the same exponent in both texts.
bool StessaParteLetterale(const std::string& a, const std::string& b);

// True when one of the letters x, y, z (either case) occurs more than once
// in a typed literal part. Esponente reads only the first occurrence, so the
// checks that compare exponents judge such an answer wrong instead.
bool LetteraRipetuta(const std::string& parte);

// True when a typed literal part holds only the letters x, y, z (either
// case), each with an exponent of one or two digits or none, with or
// without '*' between them. Anything else after the first letter (another
// term, a sign, a bracket, a stray number) makes it false: Esponente would
// read past it, and a monomial check would take "x^2y+5" for "x^2y".
bool SoloLettere(const std::string& parte);

// The exponents of x, y and z read with Esponente.
struct Esponenti {
    int x = 0, y = 0, z = 0;
    bool operator==(const Esponenti&) const = default;
};
Esponenti EsponentiDi(const std::string& monomio);
// True when a typed literal part is exactly the letters with exponents
// `attesi`: only letters and their exponents (SoloLettere), none twice, and
// the exponents those expected. How the monomial checks judge the letters.
bool LettereEsatte(const std::string& parte, const Esponenti& attesi);

// A monomial as a pupil types it: the reduced coefficient num/den ("17/2",
// "-3"; 1 and -1 left out before letters), then the letters in the order
// x, y, z with their exponents ("x^2y"; exponent 1 not written, 0 left out).
// A zero coefficient is written "0" before the letters. den must not be 0.
std::string MonomioDigitato(long long num, long long den, const Esponenti& e);
// A term as a pupil types it, with its coefficient as given (not reduced:
// what a pupil typed is shown as typed) before a literal part already in
// the typed form ("x^2y", "" for a constant): "-3/2x^2", "7x^3", "-x", "5".
std::string TermineDigitato(long long num, long long den, const std::string& lettere);

// Cuts a typed polynomial into its terms (in the normalised form of
// FormaFormula with spaces and brackets removed). An empty text has no terms.
std::vector<std::string> SeparaTermini(const std::string& testo);

// ---- Random exercise material -------------------------------------------

// Seeds the program's one random source from the clock.
void Randomize();
// Seeds it with a given value (tests, reproducible runs).
void ImpostaSeme(std::uint32_t seme);

// True or false, each with probability one half.
bool TestaOCroce();
// A uniform integer from a to b - 1; a when b <= a.
int CasualeTra(int a, int b);

// A random coefficient: a fraction n/d (probability 1/3, n 1..8, d 2..8,
// never whole, n != d) or an integer 2..8, negative with probability 1/2;
// a negative one is wrapped in brackets when `parentesi` is set.
CoefficienteCasualeRisultato CoefficienteCasuale(bool parentesi);
// As CoefficienteCasuale with integers 2..L-1 and fractions with n 1..L-1,
// d 2..L-1; integer or fraction with probability 1/2 each.
CoefficienteCasualeRisultato CoefficienteCasualeFino(int limite, bool parentesi);

// A literal part of at most maxLettere letters among x, y, z in this order,
// in formula form ("x^2*y*z^3"); never empty.
std::string ParteLetteraleCasuale(int maxLettere);
// A monomial in formula form ("-(3/4)*x^2*z").
std::string MonomioCasuale();
// A formula text that is not a monomial: a negative exponent or a sum.
std::string NonMonomioCasuale();

// Greatest common divisor of |a| and |b| (0 when both are 0).
std::int64_t CalcolaMcd(std::int64_t a, std::int64_t b);
// Least common multiple of |a| and |b| (0 when either is 0).
std::int64_t CalcolaMcm(std::int64_t a, std::int64_t b);
// num/den in lowest terms with a positive denominator (0 becomes 0/1).
void RiduciFrazione(long long& num, long long& den);

} // namespace mevario
