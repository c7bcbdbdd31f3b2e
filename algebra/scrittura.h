// Formula texts of numbers, terms and literal parts, as the worked solutions
// write them: fractions reduced, a negative factor in brackets, a "+" before
// the terms that follow the first. With `ridotta` false a fraction is written
// as it is given (the exercise showed 6/8: the solution starts from 6/8).
#pragma once

#include <string>
#include <vector>

#include "funzioni.h"

namespace mevario {

// num/den reduced: "3", "-3", "(3/4)", "-(3/4)". den must not be 0.
std::string FrazioneFormula(long long num, long long den, bool ridotta = true);
// As a factor of a product or a base: negatives in brackets ("(-3)",
// "(-(3/4))"), fractions in brackets ("(3/4)").
std::string FattoreFormula(long long num, long long den, bool ridotta = true);
// As a term of a sum: "+3", "-(3/4)"; the first without "+".
std::string AddendoFormula(long long num, long long den, bool primo, bool ridotta = true);
// A term of a polynomial: coefficient 1 or -1 left out before letters
// ("x^2", "-x*y", "+(3/4)*z", "-5"); `letterale` in formula form, empty for a
// constant.
std::string TermineFormula(long long num, long long den, const std::string& letterale, bool primo,
                           bool ridotta = true);
// "x^2*y*z^3" (exponent 1 not written, 0 left out); empty for no letter.
std::string LetteraleFormula(const Esponenti& e);

// The letters of several monomials with their exponents joined by `op`
// ("+" for a product, "-" for a quotient): "x^(2+1)*y^3"; a letter of one
// monomial only keeps its exponent. Empty when no monomial has letters.
std::string EsponentiUniti(const std::vector<Esponenti>& monomi, const std::string& op);

// The letter and exponent of the first negative power in a formula text
// ("y^(-3)" of "5*y^(-3)*z"), or empty when there is none.
std::string PotenzaNegativa(const std::string& formula);

} // namespace mevario
