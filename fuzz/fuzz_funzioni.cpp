// Arbitrary bytes through the readers of a typed answer: each gives a result
// or the conversion error, never a crash or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "funzioni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string testo(reinterpret_cast<const char*>(data), size);

    const std::string formula = mevario::FormaFormula(testo);
    const std::string letterale = mevario::ParteLetterale(testo);
    (void)mevario::TogliCarattere(' ', testo);
    for (const char* l : {"x", "y", "z"}) {
        const int e = mevario::Esponente(testo, l);
        if (e < 0 || e > 99)
            std::abort();
    }
    (void)mevario::StessaParteLetterale(testo, formula);
    (void)mevario::StessaParteLetterale(letterale, mevario::FormaFormula(letterale));

    std::size_t lunghezza = 0;
    for (const std::string& t : mevario::SeparaTermini(testo))
        lunghezza += t.size();
    if (lunghezza > formula.size())
        std::abort();

    try {
        const mevario::Frazione f = mevario::LeggiCoefficiente(testo);
        try {
            (void)mevario::Quoziente(f.num, f.den);
        } catch (const mevario::ErroreCalcolo&) {
            if (f.den != 0)
                std::abort();
        }
    } catch (const mevario::ErroreConversione&) {
    }
    return 0;
}
