// The polynomial definition quiz, without widgets: "È un polinomio?", "Il
// polinomio è ridotto in forma normale?" and the degree with respect to a
// letter, asked in turn.
#pragma once

#include "Esercizio.h"

namespace mevario {

class EsercizioPolConcetto : public TEsercizioQuiz {
public:
    EsercizioPolConcetto() : TEsercizioQuiz(3) {}
    void NuovaDomanda(int tipo) override;
    // The typed answer (a degree) is compared as text.
    TAiuto Aiuto() const override;
};

} // namespace mevario
