// An oracle for the monomial topics, written apart from the program's own
// code: it reads the formula texts of the exercises with its own small
// parser and computes the results with exact fractions.
#pragma once

#include <array>
#include <cctype>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace mevario::oracolo {

struct Q {
    long long n = 0, d = 1;
    Q() = default;
    Q(long long num, long long den = 1) : n(num), d(den)
    {
        if (d < 0) {
            n = -n;
            d = -d;
        }
        const long long g = std::gcd(std::llabs(n), d);
        if (g > 1) {
            n /= g;
            d /= g;
        }
    }
    friend Q operator*(Q a, Q b) { return Q(a.n * b.n, a.d * b.d); }
    friend Q operator/(Q a, Q b) { return Q(a.n * b.d, a.d * b.n); }
    friend Q operator+(Q a, Q b) { return Q(a.n * b.d + b.n * a.d, a.d * b.d); }
    friend bool operator==(Q a, Q b) { return a.n == b.n && a.d == b.d; }
};

using Esp = std::array<int, 3>; // exponents of x, y, z

struct Mon {
    Q c;
    long long numScritto = 1, denScritto = 1; // the coefficient as written
    Esp e{0, 0, 0};
};

// A monomial in formula form: [(][-][(]n[/d][)][)] then "*" letters, or the
// letters alone. Nothing else is accepted (a sum, a negative exponent).
inline std::optional<Mon> Leggi(const std::string& t)
{
    Mon m;
    std::size_t i = 0;
    bool meno = false;
    long long n = 1, d = 1;
    // Coefficient: brackets and one minus in any nesting, digits, "/" digits.
    auto salta = [&] {
        while (i < t.size() && (t[i] == '(' || t[i] == ')' || t[i] == '-')) {
            if (t[i] == '-') {
                if (meno)
                    return false;
                meno = true;
            }
            ++i;
        }
        return true;
    };
    if (!salta())
        return std::nullopt;
    bool cifre = false;
    if (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
        n = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            n = n * 10 + (t[i++] - '0'), cifre = true;
        if (i < t.size() && t[i] == '/') {
            ++i;
            d = 0;
            while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
                d = d * 10 + (t[i++] - '0');
            if (d == 0)
                return std::nullopt;
        }
        while (i < t.size() && t[i] == ')')
            ++i;
        if (i < t.size()) {
            if (t[i] != '*')
                return std::nullopt;
            ++i;
        }
    }
    (void)cifre;
    m.numScritto = meno ? -n : n;
    m.denScritto = d;
    m.c = Q(m.numScritto, d);
    // Letters: x, y, z each at most once, "^" and one digit.
    while (i < t.size()) {
        const char l = t[i++];
        if (l < 'x' || l > 'z' || m.e[l - 'x'] != 0)
            return std::nullopt;
        int e = 1;
        if (i < t.size() && t[i] == '^') {
            if (i + 1 >= t.size() || !std::isdigit(static_cast<unsigned char>(t[i + 1])))
                return std::nullopt;
            e = t[i + 1] - '0';
            i += 2;
        }
        m.e[l - 'x'] = e;
        if (i < t.size()) {
            if (t[i] != '*')
                return std::nullopt;
            ++i;
        }
    }
    return m;
}

// The pieces of a text joined by a separator.
inline std::vector<std::string> Dividi(const std::string& t, const std::string& sep)
{
    std::vector<std::string> r;
    std::size_t a = 0, b;
    while ((b = t.find(sep, a)) != std::string::npos) {
        r.push_back(t.substr(a, b - a));
        a = b + sep.size();
    }
    r.push_back(t.substr(a));
    return r;
}

inline std::string Coefficiente(Q c)
{
    return std::to_string(c.n) + (c.d != 1 ? "/" + std::to_string(c.d) : "");
}

// Typed forms of a monomial. `ordine` lists the letters to write (0 x, 1 y,
// 2 z), `maiuscole` writes them in capitals, `uno` writes "^1", `zero`
// writes absent letters with "^0", `sep` goes between the pieces.
struct Forma {
    std::array<int, 3> ordine{0, 1, 2};
    bool maiuscole = false, uno = false, zero = false;
    std::string sep;
    long long fattore = 1; // numerator and denominator multiplied by it
    bool coefficienteUno = false; // write 1 and -1
};

inline std::string Scrivi(Q c, const Esp& e, const Forma& f = {})
{
    std::string lettere;
    for (int k : f.ordine) {
        if (e[k] == 0 && !f.zero)
            continue;
        lettere += f.sep;
        lettere += static_cast<char>((f.maiuscole ? 'X' : 'x') + k);
        if (e[k] != 1 || f.uno)
            lettere += "^" + std::to_string(e[k]);
    }
    std::string coeff;
    if (c.d == 1 && (c.n == 1 || c.n == -1) && !f.coefficienteUno && !lettere.empty())
        coeff = c.n < 0 ? "-" : "";
    else
        coeff = std::to_string(c.n * f.fattore) + (c.d != 1 || f.fattore != 1 ? "/" + std::to_string(c.d * f.fattore) : "");
    return coeff + lettere;
}

} // namespace mevario::oracolo
