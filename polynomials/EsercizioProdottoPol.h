// The product of two polynomials, without widgets.
#pragma once

#include "Esercizio.h"
#include "EsercizioSommaDiffPol.h"
#include "Polinomi.h"

namespace mevario {

class EsercizioProdottoPol : public TEsercizio {
public:
    void NuovoEsercizio() override;
    // Right when the typed polynomial has exactly the expected terms, in any
    // order; letters in any order and "^1" accepted, a letter twice in a
    // term not.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    // Every term of A times every term of B, the similar products gathered,
    // then the result.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;
    TAiuto Aiuto() const override { return AiutoPolinomi(); }
    std::string TestoPassaggi() const override;

    // Every present term of A times every present term of B (4, 6 or 9),
    // with exact values and the literal part in formula form.
    std::vector<TermineEsatto> ProdottiParziali() const;
    // The partial products with similar ones added exactly; a total of 0
    // leaves its term out.
    TerminiAttesi Attesi() const;

    // Two terms each and a constant third term when its numerator is not 0.
    PolinomioGenerato A, B;
};

} // namespace mevario
