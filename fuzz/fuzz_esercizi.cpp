// Every topic's check on an arbitrary answer. The first byte picks the
// topic, the next four the seed, the one after how many exercises to draw
// first (so the quizzes reach every kind of question); the rest is what the
// pupil typed. The check gives a verdict or its own reading error, never a
// crash, a hang, a leak or undefined behaviour; and the expected answer of
// the same exercise is always judged right, with no slip of form; a slip
// of form is told only of an answer whose usual form the check accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Catalogo.h"
#include "Forma.h"
#include "errori.h"
#include "funzioni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6 || size > 8192)
        return 0;
    const auto& argomenti = mevario::Argomenti();
    const mevario::TArgomento& argomento = argomenti[data[0] % argomenti.size()];
    const std::uint32_t seme = data[1] | (data[2] << 8) | (data[3] << 16) | (static_cast<std::uint32_t>(data[4]) << 24);
    const int quanti = 1 + data[5] % 4;
    const std::string risposta(reinterpret_cast<const char*>(data) + 6, size - 6);

    mevario::ImpostaSeme(seme);
    const auto es = argomento.crea();
    for (int i = 0; i < quanti; ++i)
        es->NuovoEsercizio();
    if (!es->Verifica(es->RispostaAttesa()))
        std::abort();
    bool giusta = false;
    try {
        giusta = es->Verifica(risposta);
    } catch (const mevario::ErroreCalcolo&) {
    }
    // A slip of form is told only of an answer the check took as wrong, and
    // its rewriting is judged right; the right answer has none.
    if (!es->Forma(es->RispostaAttesa()).empty())
        std::abort();
    if (!es->Forma(risposta).empty() && (giusta || !es->Verifica(mevario::RiscriviForma(risposta).testo)))
        std::abort();
    (void)mevario::LeggiNumero(risposta);
    return 0;
}
