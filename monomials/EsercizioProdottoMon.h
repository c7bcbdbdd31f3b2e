// The product of two or three monomials, without widgets.
#pragma once

#include "Esercizio.h"
#include "funzioni.h"

namespace mevario {

class EsercizioProdottoMon : public TEsercizio {
public:
    void NuovoEsercizio() override;
    // Right when the coefficient equals the product within 1e-6 and every
    // letter has the sum of its exponents (letters in any order and case,
    // "^1" and "^0" accepted). A letter typed twice makes the answer wrong.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    std::string TestoPassaggi() const override;
    // The coefficients multiplied, the exponents of each letter added, then
    // the product.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;

    long double Coefficiente() const;
    Esponenti EsponentiAttesi() const;

    // Coefficients ((p3, q3) = (1, 1) with two factors) and literal parts in
    // formula form (L3 empty with two factors).
    int p1 = 1, q1 = 1, p2 = 1, q2 = 1, p3 = 1, q3 = 1;
    std::string L1 = "x", L2 = "x", L3;
};

} // namespace mevario
