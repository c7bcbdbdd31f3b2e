// The answer a pupil would type for a monomial with coefficient num/den and
// a literal part in formula form ("x^2*y" typed as "x^2y").
#pragma once

#include <numeric>
#include <string>

#include "funzioni.h"

namespace mevario::test {

inline std::string Digitata(long long num, long long den, const std::string& letterale, bool conAsterischi = false)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const long long g = std::gcd(num < 0 ? -num : num, den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
    const std::string l = conAsterischi ? letterale : TogliCarattere('*', letterale);
    if (den == 1 && num == 1)
        return l;
    if (den == 1 && num == -1)
        return "-" + l;
    std::string c = std::to_string(num);
    if (den != 1)
        c += "/" + std::to_string(den);
    return c + l;
}

} // namespace mevario::test
