#include "errori.h"

#include <cstdint>
#include <limits>

namespace mevario {

ErroreConversione::ErroreConversione(const std::string& buffer)
    : ErroreCalcolo("'" + buffer + "' is not a valid integer value"), buffer_(buffer)
{
}

ErroreDivisionePerZero::ErroreDivisionePerZero()
    : ErroreCalcolo("Floating point division by zero")
{
}

ErroreOperazioneNonValida::ErroreOperazioneNonValida()
    : ErroreCalcolo("Invalid floating point operation")
{
}

long double Quoziente(long long p, long long q)
{
    if (q == 0) {
        if (p == 0)
            throw ErroreOperazioneNonValida();
        throw ErroreDivisionePerZero();
    }
    return static_cast<long double>(p) / static_cast<long double>(q);
}

int ConvertiIntero(const std::string& buffer)
{
    std::size_t i = 0;
    bool negativo = false;
    if (i < buffer.size() && buffer[i] == '-') {
        negativo = true;
        ++i;
    }
    if (i == buffer.size())
        throw ErroreConversione(buffer);
    // Accumulate the magnitude with a ceiling so that a long digit run
    // cannot overflow before it is rejected.
    const std::int64_t limite = negativo ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                         : std::numeric_limits<std::int32_t>::max();
    std::int64_t valore = 0;
    for (; i < buffer.size(); ++i) {
        const char c = buffer[i];
        if (c < '0' || c > '9')
            throw ErroreConversione(buffer);
        valore = valore * 10 + (c - '0');
        if (valore > limite)
            throw ErroreConversione(buffer);
    }
    return static_cast<int>(negativo ? -valore : valore);
}

std::string SpiegazioneErrore(const std::exception& e)
{
    if (const auto* c = dynamic_cast<const ErroreConversione*>(&e))
        return "Non riesco a leggere il coefficiente \u00AB" + c->buffer() +
               "\u00BB: scrivi un numero intero o una frazione come 3/4.";
    if (dynamic_cast<const ErroreDivisionePerZero*>(&e) || dynamic_cast<const ErroreOperazioneNonValida*>(&e))
        return "Il denominatore non pu\u00F2 essere zero.";
    return e.what();
}

} // namespace mevario
