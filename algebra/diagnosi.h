// Reading a wrong answer term by term, to say what is wrong in it: the typed
// terms with their values and exponents, gathered or compared with the
// expected ones by value. Only sure rules are built on these.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "funzioni.h"

namespace mevario {

struct TermineLetto {
    long double valore = 0;
    Esponenti e;
    std::string letterale; // formula form, as typed ("z*x^2")
};

// The typed terms, or nothing when some term cannot be read (a sign without
// its term, a coefficient that is no number, a zero denominator).
std::optional<std::vector<TermineLetto>> LeggiTerminiDigitati(const std::string& risposta);

// The terms gathered by exponents (values added), those that add up to 0
// left out, in the order of their first appearance.
std::vector<TermineLetto> Raccolti(const std::vector<TermineLetto>& termini);

// True when both lists hold the same terms by exponents and value (within
// 1e-6), in any order, each used once.
bool StessiTermini(const std::vector<TermineLetto>& a, const std::vector<TermineLetto>& b);

// The typed terms (indexes) that have no partner among the expected ones
// by exponents and value (and, with `stessoTesto`, the literal part written
// the same), each expected term partnering one typed term.
std::vector<int> SenzaCompagno(const std::vector<TermineLetto>& digitati, const std::vector<TermineLetto>& attesi,
                               bool stessoTesto = false);

// "Manca 1 termine.", "Mancano 2 termini.", "C'è 1 termine in più.", "Ci
// sono 3 termini in più." (UTF-8); empty when the counts are equal.
std::string TestoConteggio(std::size_t attesi, std::size_t digitati);

} // namespace mevario
