// The sum of two or three similar monomials, without widgets.
#pragma once

#include "Esercizio.h"

namespace mevario {

class EsercizioSommaMon : public TEsercizio {
public:
    void NuovoEsercizio() override;
    // Right when the coefficient equals the sum within 1e-6 and the literal
    // part, in formula form, is the exercise's one character for character.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    // The coefficients added in brackets before the literal part, then the sum.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;

    // The expected coefficient p1/q1 + p2/q2 + p3/q3.
    long double Somma() const;

    // The three coefficients (the third 0/1 when there are two terms) and
    // the common literal part in formula form.
    int p1 = 0, q1 = 1, p2 = 0, q2 = 1, p3 = 0, q3 = 1;
    std::string L = "x";
};

} // namespace mevario
