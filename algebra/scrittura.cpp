#include "scrittura.h"

#include <cstdlib>

namespace mevario {

namespace {

std::string Modulo(long long num, long long den)
{
    const std::string n = std::to_string(std::llabs(num));
    return den == 1 ? n : "(" + n + "/" + std::to_string(den) + ")";
}

// The fraction reduced, or only its sign carried by the numerator.
void Prepara(long long& num, long long& den, bool ridotta)
{
    if (ridotta)
        RiduciFrazione(num, den);
    else if (den < 0) {
        num = -num;
        den = -den;
    }
}

} // namespace

std::string FrazioneFormula(long long num, long long den, bool ridotta)
{
    Prepara(num, den, ridotta);
    return (num < 0 ? "-" : "") + Modulo(num, den);
}

std::string FattoreFormula(long long num, long long den, bool ridotta)
{
    Prepara(num, den, ridotta);
    if (num < 0)
        return "(-" + Modulo(num, den) + ")";
    return Modulo(num, den);
}

std::string AddendoFormula(long long num, long long den, bool primo, bool ridotta)
{
    Prepara(num, den, ridotta);
    if (num < 0)
        return "-" + Modulo(num, den);
    return (primo ? "" : "+") + Modulo(num, den);
}

std::string TermineFormula(long long num, long long den, const std::string& letterale, bool primo, bool ridotta)
{
    Prepara(num, den, ridotta);
    if (letterale.empty() || num == 0 || den != 1 || std::llabs(num) != 1)
        return AddendoFormula(num, den, primo, ridotta) + (letterale.empty() ? "" : "*" + letterale);
    return (num < 0 ? "-" : (primo ? "" : "+")) + letterale;
}

std::string LetteraleFormula(const Esponenti& e)
{
    std::string r;
    const std::pair<const char*, int> lettere[] = {{"x", e.x}, {"y", e.y}, {"z", e.z}};
    for (const auto& [l, k] : lettere) {
        if (k <= 0)
            continue;
        if (!r.empty())
            r += "*";
        r += l;
        if (k > 1)
            r += "^" + std::to_string(k);
    }
    return r;
}

std::string EsponentiUniti(const std::vector<Esponenti>& monomi, const std::string& op)
{
    std::string r;
    for (int lettera = 0; lettera < 3; ++lettera) {
        std::vector<int> k;
        for (const Esponenti& e : monomi) {
            const int v = lettera == 0 ? e.x : lettera == 1 ? e.y : e.z;
            if (v > 0)
                k.push_back(v);
        }
        if (k.empty())
            continue;
        if (!r.empty())
            r += "*";
        r += "xyz"[lettera];
        if (k.size() == 1) {
            if (k[0] > 1)
                r += "^" + std::to_string(k[0]);
            continue;
        }
        r += "^(";
        for (std::size_t i = 0; i < k.size(); ++i)
            r += (i ? op : "") + std::to_string(k[i]);
        r += ")";
    }
    return r;
}

std::string PotenzaNegativa(const std::string& formula)
{
    const auto p = formula.find("^(-");
    if (p == std::string::npos || p == 0)
        return {};
    const auto fine = formula.find(')', p);
    return formula.substr(p - 1, fine == std::string::npos ? std::string::npos : fine - p + 2);
}

} // namespace mevario
