// The square or cube of a monomial, without widgets.
#pragma once

#include "Esercizio.h"
#include "funzioni.h"

namespace mevario {

class EsercizioPotenzaMon : public TEsercizio {
public:
    void NuovoEsercizio() override;
    // Right when the coefficient, read with this topic's own rule, equals
    // (p/q)^k within 1e-6 and every letter has its exponent times k.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    std::string TestoPassaggi() const override;
    // The coefficient raised, each exponent multiplied by the power, then
    // the result.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;

    long double Coefficiente() const;
    Esponenti EsponentiAttesi() const;

    int p = 1, q = 1, k = 2;
    std::string L = "x";
};

// The power window's reading of a typed coefficient: spaces skipped, "/"
// starts the denominator, "-" and digits collected, anything else ("("
// included) ends the reading; an empty numerator is 1. A lone "-" or a
// buffer that is not an integer raises ErroreConversione.
Frazione LeggiCoefficientePotenza(const std::string& testo);

} // namespace mevario
