// The monomial definition quiz, without widgets: four kinds of question
// asked in turn ("E' un monomio?", "Sono due monomi simili?", the literal
// part or the coefficient, the degree).
#pragma once

#include "Esercizio.h"

namespace mevario {

class EsercizioConcetto : public TEsercizio {
public:
    // Advances the kind (1, 2, 3, 4, 1, ...) and draws a question of it.
    void NuovoEsercizio() override;
    // Draws a question of the given kind without advancing the cycle.
    void NuovaDomanda(int tipo);
    // A typed question: right exactly when the text equals the expected one
    // character for character. A yes/no question: "Si" is yes, anything else
    // (no button checked included) is no.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    bool SiNo() const override { return FRispostaTesto.empty(); }

    // The kind of the current question; 0 before the first. Never reset,
    // so the kinds continue across closing and reopening the window.
    int TipoDomanda = 0;
    // The expected yes/no answer (true is "Si").
    bool RispostaSi = false;
    // The expected typed answer; empty for the yes/no kinds.
    const std::string& RispostaTesto() const { return FRispostaTesto; }

private:
    std::string FRispostaTesto;
};

} // namespace mevario
