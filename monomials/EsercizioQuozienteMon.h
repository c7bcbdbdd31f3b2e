// The quotient of two monomials, without widgets. Only divisions whose
// result is a monomial are proposed.
#pragma once

#include "Esercizio.h"
#include "funzioni.h"

namespace mevario {

class EsercizioQuozienteMon : public TEsercizio {
public:
    void NuovoEsercizio() override;
    // Right when the coefficient equals the quotient within 1e-6 and every
    // letter has the difference of its exponents; a letter expected with
    // exponent 0 must be left out or typed "^0". A letter typed twice makes
    // the answer wrong.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    std::string TestoPassaggi() const override;
    // The coefficients divided, the exponents of each letter subtracted,
    // then the quotient.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;

    long double Coefficiente() const;
    Esponenti EsponentiAttesi() const;

    // Dividend p1/q1 L1, divisor p2/q2 L2.
    int p1 = 1, q1 = 1, p2 = 1, q2 = 1;
    std::string L1 = "x", L2 = "x";
};

} // namespace mevario
