// The form of a typed answer, apart from its value: an answer written again
// in the usual form (small letters in the order x, y, z, no exponent 1, no
// coefficient 1 before letters) with the slips that were put right, and the
// value of a typed number. Free functions on the program's code page.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mevario {

// The slips of form RiscriviForma can put right, as bits.
enum TScivolone : unsigned {
    KMaiuscole = 1,     // "X^2Y"
    KOrdine = 2,        // "yx^2"
    KEsponenteUno = 4,  // "x^1y"
    KCoefficienteUno = 8, // "1x^2", "-1x"
    KTuttiScivoloni = 15,
};

struct TFormaRiscritta {
    std::string testo;    // the answer without spaces, the slips of `quali` put right
    unsigned trovati = 0; // the slips found in it (among `quali`)
};

// Puts right, term by term, the slips of `quali` in a typed answer. Only a
// term whose literal part is letters x, y, z (either case) with their
// exponents, none twice, is written again; anything else is kept as typed.
// The value never changes.
TFormaRiscritta RiscriviForma(const std::string& risposta, unsigned quali = KTuttiScivoloni);

// What to change for a slip, in Italian (UTF-8): "Scrivi le lettere in minuscolo.".
std::string FraseScivolone(TScivolone s);

// A typed number: an integer or a fraction, with signs and brackets around
// ("-3/4", "-(6/8)", "(-3)/4", " 3 "); numerator and denominator (never 0).
// Nothing when it is not such a number.
struct TNumeroLetto {
    long long num = 0, den = 1;
};
std::optional<TNumeroLetto> LeggiNumero(const std::string& testo);
// True when both texts are numbers of the same value.
bool StessoNumero(const std::string& a, const std::string& b);

} // namespace mevario
