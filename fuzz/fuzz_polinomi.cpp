// The reader of a typed polynomial and the comparison with expected terms.
// The input is two texts separated by the first '\n': the first is read as
// the "expected" polynomial, the second as the pupil's answer. Reading gives
// terms or a reading error; a polynomial that was read always matches itself
// as identical texts, and by exponents unless a term names a letter twice.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Divisione.h"
#include "Polinomi.h"
#include "errori.h"

namespace {

bool Leggi(const std::string& testo, mevario::RispostaPolinomio& r)
{
    try {
        r = mevario::LeggiRisposta(testo);
        return true;
    } catch (const mevario::ErroreCalcolo&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 8192)
        return 0;
    const std::string tutto(reinterpret_cast<const char*>(data), size);
    const std::size_t a_capo = tutto.find('\n');
    const std::string primo = tutto.substr(0, a_capo);
    const std::string secondo = a_capo == std::string::npos ? std::string() : tutto.substr(a_capo + 1);

    try {
        (void)mevario::TerminiDigitati(tutto);
    } catch (const mevario::ErroreCalcolo&) {
    }
    try {
        const auto x = mevario::LeggiPolinomioInX(primo, 4);
        if (x.size() != 5)
            std::abort();
    } catch (const mevario::ErroreCalcolo&) {
    }

    mevario::RispostaPolinomio attesa, alunno;
    if (!Leggi(primo, attesa))
        return 0;
    mevario::TerminiAttesi attesi;
    std::vector<std::string> letterali;
    for (const auto& t : attesa.termini) {
        attesi.push_back({t.valore, t.letterale, 0, 1});
        letterali.push_back(t.letterale);
    }
    for (const char* l : {"x", "y", "z"}) {
        const int g = mevario::GradoRispetto(letterali, l);
        if (g < 0 || g > 99)
            std::abort();
    }
    const bool finiti = std::all_of(attesi.begin(), attesi.end(), [](const auto& t) { return std::isfinite(t.valore); });
    // A term naming a letter twice ("z*z") is never right by exponents: the
    // product's rule for a pupil's term, so only texts without one must match.
    const bool ripetute = std::any_of(letterali.begin(), letterali.end(), mevario::LetteraRipetuta);
    if (!attesa.troppi && finiti) {
        if (!mevario::ConfrontaTermini(attesi, attesa, mevario::RegolaLetterale::StessoTesto))
            std::abort();
        if (!ripetute && !mevario::ConfrontaTermini(attesi, attesa, mevario::RegolaLetterale::StessiEsponenti))
            std::abort();
    }
    if (Leggi(secondo, alunno)) {
        (void)mevario::ConfrontaTermini(attesi, alunno, mevario::RegolaLetterale::StessoTesto);
        (void)mevario::ConfrontaTermini(attesi, alunno, mevario::RegolaLetterale::StessiEsponenti);
    }
    return 0;
}
