// The sum and the difference of two polynomials, without widgets: one class,
// the two topics differ only in the operation.
#pragma once

#include <array>

#include "Esercizio.h"
#include "Polinomi.h"

namespace mevario {

// A generated polynomial of three terms (an absent term has numerator 0;
// an empty literal part is a constant term).
struct PolinomioGenerato {
    std::array<CoefficienteCasualeRisultato, 3> c;
    std::array<std::string, 3> L;
    std::string testo;
    TermineEsatto Termine(int i) const { return {c[static_cast<std::size_t>(i)].num, c[static_cast<std::size_t>(i)].den, L[static_cast<std::size_t>(i)]}; }
    // As a pupil types it, its fractions as drawn: "2x^2-3/4xy+5".
    std::string Digitato() const
    {
        std::string r;
        for (std::size_t i = 0; i < 3; ++i) {
            if (c[i].num == 0)
                continue;
            const std::string t = TermineDigitato(c[i].num, c[i].den, TogliCarattere('*', L[i]));
            r += r.empty() ? t : ConSegno(t);
        }
        return r;
    }
};

class EsercizioSommaDiffPol : public TEsercizio {
public:
    explicit EsercizioSommaDiffPol(bool differenza);

    void NuovoEsercizio() override;
    // Right when the typed polynomial has exactly the expected terms, in any
    // order, each literal part written as the generator writes it.
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override;
    // The terms of A and of B (signs changed for the difference), the
    // similar ones gathered, then the result.
    TSoluzione Soluzione() const override;
    TDiagnosi Diagnosi(const std::string& risposta) const override;
    TAiuto Aiuto() const override { return AiutoPolinomi(); }
    std::string TestoPassaggi() const override;

    bool Differenza() const { return FDifferenza; }
    // The reduced result: similar pairs merged (left out when they cancel),
    // then the other terms of A, then those of B (sign changed for the
    // difference).
    TerminiAttesi Attesi() const;

    PolinomioGenerato A, B;

private:
    TerminiAttesi AttesiCon(bool differenza) const;
    bool FDifferenza;
};

class EsercizioSommaPol : public EsercizioSommaDiffPol {
public:
    EsercizioSommaPol() : EsercizioSommaDiffPol(false) {}
};

class EsercizioDiffPol : public EsercizioSommaDiffPol {
public:
    EsercizioDiffPol() : EsercizioSommaDiffPol(true) {}
};

} // namespace mevario
