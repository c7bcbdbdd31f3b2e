// The polynomial definition quiz, without widgets: "E' un polinomio?", "Il
// polinomio è ridotto in forma normale?" and the degree with respect to a
// letter, asked in turn.
#pragma once

#include "Esercizio.h"

namespace mevario {

class EsercizioPolConcetto : public TEsercizio {
public:
    // Advances the kind (1, 2, 3, 1, ...) and draws a question of it.
    void NuovoEsercizio() override;
    // Draws a question of the given kind without advancing the cycle.
    void NuovaDomanda(int tipo);
    // The degree: right exactly when the text equals the expected one
    // character for character. Yes/no: "Si" is yes, anything else no.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    bool SiNo() const override { return FRispostaTesto.empty(); }

    // The kind of the current question; 0 before the first, never reset.
    int TipoDomanda = 0;
    bool RispostaSi = false;

private:
    std::string FRispostaTesto;
};

} // namespace mevario
