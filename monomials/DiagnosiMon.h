// What the monomial topics can tell of a wrong answer: the typed terms that
// are not the expected monomial, how many terms too many, and the mistakes
// each topic recognises by its own rules.
#pragma once

#include <string>
#include <vector>

#include "Esercizio.h"
#include "diagnosi.h"

namespace mevario {

// The counts and the wrong terms; `stessoTesto` asks the literal part to be
// written as expected (letters in the order x, y, z).
inline TDiagnosi DiagnosiMonomio(const std::vector<TermineLetto>& digitati, const TermineLetto& atteso,
                                 bool stessoTesto = false)
{
    TDiagnosi d;
    d.sbagliati = SenzaCompagno(digitati, {atteso}, stessoTesto);
    d.conteggio = TestoConteggio(1, digitati.size());
    return d;
}

// Similar terms left apart, or the right monomial with its letters in
// another order: the mistakes of a sum.
inline void DiagnosiSomma(TDiagnosi& d, const std::vector<TermineLetto>& digitati, const TermineLetto& atteso)
{
    if (digitati.size() > 1 && StessiTermini(Raccolti(digitati), {atteso}))
        d.errore = "Ci sono termini simili da sommare.";
    else if (digitati.size() == 1 && StessiTermini(digitati, {atteso}) && digitati[0].letterale != atteso.letterale)
        d.errore = "Le lettere vanno nell'ordine x, y, z.";
}

} // namespace mevario
