// The reader of a line of working and the judgements of a step. The input
// is two lines separated by the first '\n': the earlier and the later line
// of a step. Whatever they hold, judging never crashes or hangs, a line
// judged against itself is equivalent exactly when it reads, a step that is
// not equivalent has two different values where its counterexample says,
// a finished line is equivalent to the exercise, a line set against the
// exercise agrees with the step's verdict, and a polynomial written back as
// a pupil types it reads as the same polynomial.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "espressione.h"
#include "passaggi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const std::string tutto(reinterpret_cast<const char*>(data), size);
    const std::size_t a_capo = tutto.find('\n');
    const std::string prima = tutto.substr(0, a_capo);
    const std::string dopo = a_capo == std::string::npos ? std::string() : tutto.substr(a_capo + 1);

    using namespace mevario;
    const GiudizioPassaggio stesso = GiudicaPassaggio(prima, prima);
    bool legge = true;
    Polinomio p;
    try {
        p = PolinomioDi(prima);
    } catch (const ErroreRiga&) {
        legge = false;
    }
    if (legge != (stesso.verdetto == VerdettoPassaggio::Equivalente))
        std::abort();
    if (!legge && (stesso.riga != 0 || stesso.motivo.empty()))
        std::abort();
    if (legge) {
        const std::string scritto = TestoPolinomio(p);
        try {
            if (!(PolinomioDi(scritto) == p))
                std::abort();
        } catch (const ErroreRiga& e) {
            if (!e.troppoGrande()) // written back beyond the limits: allowed; unreadable: never
                std::abort();
        }
    }

    const GiudizioPassaggio g = GiudicaPassaggio(prima, dopo);
    if (g.verdetto == VerdettoPassaggio::NonEquivalente) {
        if (!g.valorePrima.empty() && g.valorePrima == g.valoreDopo)
            std::abort();
        if (FraseControesempio(g).empty())
            std::abort();
    } else if (!g.errore.empty() || !g.valori.empty()) {
        std::abort();
    }
    // Set against the exercise, a line is equal exactly when the step is
    // equivalent, and the working of those two lines changes at the later
    // exactly when it is different.
    const ConfrontoEsercizio c = ConfrontaConEsercizio(prima, dopo);
    if ((c == ConfrontoEsercizio::Uguale) != (g.verdetto == VerdettoPassaggio::Equivalente))
        std::abort();
    const CambioCalcolo cambio = DoveCambia({prima, dopo});
    if ((cambio.riga == 1) != (c == ConfrontoEsercizio::Diversa) || (cambio.riga == 1 && FraseCambio(cambio.giudizio).empty()))
        std::abort();
    for (const char* argomento : {"", "somma-polinomi", "prodotto-polinomi", "prodotto-monomi"}) {
        const GiudizioFine f = GiudicaFine(argomento, prima, dopo);
        if (f.stato != StatoFine::NonFinito && g.verdetto != VerdettoPassaggio::Equivalente)
            std::abort();
        if (f.stato != StatoFine::Finito && f.cosaManca.empty())
            std::abort();
    }
    return 0;
}
