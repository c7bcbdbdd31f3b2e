// The monomial definition quiz, without widgets: four kinds of question
// asked in turn ("È un monomio?", "Sono due monomi simili?", the literal
// part or the coefficient, the degree).
#pragma once

#include "Esercizio.h"

namespace mevario {

class EsercizioConcetto : public TEsercizioQuiz {
public:
    EsercizioConcetto() : TEsercizioQuiz(4) {}
    void NuovaDomanda(int tipo) override;
    // The typed answers are compared as text: the help says how to write them.
    TAiuto Aiuto() const override;
};

} // namespace mevario
