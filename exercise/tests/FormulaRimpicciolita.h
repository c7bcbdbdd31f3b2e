// For the window tests: finds an exercise the exercise box cannot draw at
// its full size.
#pragma once

#include <string>

#include "Protocollo.h" // and the drawing of ucomune.h

namespace mevario {

// The first of many drawn exercises whose formula the exercise box draws
// smaller than its full size, or "" when there is none.
inline std::string FormulaRimpicciolita(TFinestraEsercizi& w, int volte)
{
    w.ModoEsercizi = true;
    for (int i = 0; i < volte; ++i) {
        w.NuovoEsercizio();
        DrawFormula(w.PBEsercizi, w.TestoEsercizio);
        if (w.PBEsercizi->PuntiUsati() != FormulaPoints(w.PBEsercizi->Variant()))
            return w.TestoEsercizio;
    }
    return {};
}

} // namespace mevario
