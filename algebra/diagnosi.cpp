#include "diagnosi.h"

#include <cmath>

namespace mevario {

namespace {

bool Uguali(const TermineLetto& a, const TermineLetto& b)
{
    return a.e == b.e && std::fabs(a.valore - b.valore) <= 0.000001L;
}

} // namespace

std::optional<std::vector<TermineLetto>> LeggiTerminiDigitati(const std::string& risposta)
{
    std::vector<TermineLetto> r;
    try {
        for (const std::string& t : SeparaTermini(TogliCarattere(' ', risposta))) {
            if (t.empty() || t == "+" || t == "-")
                return std::nullopt;
            const Frazione c = LeggiCoefficiente(t);
            const std::string l = ParteLetterale(t);
            r.push_back({Quoziente(c.num, c.den), EsponentiDi(l), FormaFormula(l)});
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return r;
}

std::vector<TermineLetto> Raccolti(const std::vector<TermineLetto>& termini)
{
    std::vector<TermineLetto> r;
    for (const TermineLetto& t : termini) {
        bool trovato = false;
        for (TermineLetto& u : r)
            if (u.e == t.e) {
                u.valore += t.valore;
                trovato = true;
                break;
            }
        if (!trovato)
            r.push_back(t);
    }
    std::erase_if(r, [](const TermineLetto& t) { return std::fabs(t.valore) <= 0.000001L; });
    return r;
}

std::vector<int> SenzaCompagno(const std::vector<TermineLetto>& digitati, const std::vector<TermineLetto>& attesi,
                               bool stessoTesto)
{
    std::vector<bool> preso(attesi.size(), false);
    std::vector<int> r;
    for (std::size_t i = 0; i < digitati.size(); ++i) {
        bool trovato = false;
        for (std::size_t j = 0; j < attesi.size() && !trovato; ++j)
            if (!preso[j] && Uguali(digitati[i], attesi[j]) &&
                (!stessoTesto || digitati[i].letterale == attesi[j].letterale))
                preso[j] = trovato = true;
        if (!trovato)
            r.push_back(static_cast<int>(i));
    }
    return r;
}

bool StessiTermini(const std::vector<TermineLetto>& a, const std::vector<TermineLetto>& b)
{
    return a.size() == b.size() && SenzaCompagno(a, b).empty();
}

std::string TestoConteggio(std::size_t attesi, std::size_t digitati)
{
    if (digitati < attesi) {
        const std::size_t n = attesi - digitati;
        return n == 1 ? "Manca 1 termine." : "Mancano " + std::to_string(n) + " termini.";
    }
    if (digitati > attesi) {
        const std::size_t n = digitati - attesi;
        return n == 1 ? "C'\xC3\xA8 1 termine in pi\xC3\xB9." : "Ci sono " + std::to_string(n) + " termini in pi\xC3\xB9.";
    }
    return {};
}

} // namespace mevario
