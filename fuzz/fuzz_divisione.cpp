// The cells of the column division as the pupil fills them. The first two
// bytes seed the division; then each line is "B R I text": the block, row
// and index of a cell (one byte each, any value) and what was typed into
// it. Typing never crashes and never touches the expected grid; the first
// difference is always a cell of the grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Divisione.h"
#include "funzioni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 || size > 8192)
        return 0;
    mevario::ImpostaSeme(data[0] | (data[1] << 8));
    mevario::TDivisione d;
    d.NuovaDivisione(1);
    const auto soluzione = d.SolDividendo;
    const auto quoziente = d.SolDivisore;

    std::size_t i = 2;
    while (i + 3 <= size) {
        const mevario::TDivisione::Cella c{static_cast<std::int8_t>(data[i]), static_cast<std::int8_t>(data[i + 1]),
                                           static_cast<std::int8_t>(data[i + 2])};
        i += 3;
        std::size_t fine = i;
        while (fine < size && data[fine] != '\n')
            ++fine;
        const std::string testo(reinterpret_cast<const char*>(data) + i, fine - i);
        i = fine + 1;
        const bool preso = d.Digita(c, testo);
        if (preso && !d.CellaValida(c))
            std::abort();
        if (d.CellaValida(c))
            (void)d.TestoCella(c, true);
    }
    if (!(d.SolDividendo == soluzione) || !(d.SolDivisore == quoziente))
        std::abort();
    if (const auto diff = d.PrimaDifferenza(); diff && !d.CellaValida(*diff))
        std::abort();
    return 0;
}
