// The greatest common divisor (MCD) and the least common multiple (mcm) of
// two or three monomials, without widgets: one class, the two topics differ
// only in the limit of their coefficients and in the rule for the result.
#pragma once

#include "Esercizio.h"
#include "funzioni.h"

namespace mevario {

class EsercizioMcdMcmMon : public TEsercizio {
public:
    // mcm false: the GCD (coefficients up to 49, integer ones never coprime,
    // a letter always shared); true: the LCM (coefficients up to 19).
    explicit EsercizioMcdMcmMon(bool mcm);

    void NuovoEsercizio() override;
    // Right when the coefficient equals the expected one within 1e-6 and
    // every letter has the expected exponent; a letter typed twice makes
    // the answer wrong.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    // The coefficients' GCD or LCM, the letters taken with their least or
    // greatest exponents, then the answer.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;

    bool Mcm() const { return FMcm; }
    // GCD (LCM) of the absolute values when every coefficient is an
    // integer, else 1; always positive.
    long long CoefficienteAtteso() const;
    // The smallest (largest) exponent of each letter.
    Esponenti EsponentiAttesi() const;

    // Coefficients (p3 = 0, q3 = 1 with two monomials) and literal parts
    // (L3 used only when p3 != 0).
    int p1 = 1, q1 = 1, p2 = 1, q2 = 1, p3 = 0, q3 = 1;
    std::string L1 = "x", L2 = "x", L3;

private:
    bool FMcm;
};

class EsercizioMcdMon : public EsercizioMcdMcmMon {
public:
    EsercizioMcdMon() : EsercizioMcdMcmMon(false) {}
};

class EsercizioMcmMon : public EsercizioMcdMcmMon {
public:
    EsercizioMcmMon() : EsercizioMcdMcmMon(true) {}
};

} // namespace mevario
