#include "EsercizioSommaMon.h"

#include "DiagnosiMon.h"

#include "scrittura.h"

#include <cmath>

#include "funzioni.h"

namespace mevario {

void EsercizioSommaMon::NuovoEsercizio()
{
    FDomanda = "Calcola la somma";
    const auto c1 = CoefficienteCasuale(false);
    const auto c2 = CoefficienteCasuale(true);
    p1 = c1.num;
    q1 = c1.den;
    p2 = c2.num;
    q2 = c2.den;
    std::string t3;
    if (TestaOCroce()) {
        const auto c3 = CoefficienteCasuale(true);
        t3 = c3.testo;
        p3 = c3.num;
        q3 = c3.den;
    } else {
        p3 = 0;
        q3 = 1;
    }
    L = ParteLetteraleCasuale(3);
    FTestoEsercizio = c1.testo + "*" + L + "&string(  +  )&" + c2.testo + "*" + L;
    if (!t3.empty())
        FTestoEsercizio += "&string(  +  )&" + t3 + "*" + L;
}

long double EsercizioSommaMon::Somma() const
{
    return Quoziente(p1, q1) + Quoziente(p2, q2) + Quoziente(p3, q3);
}

bool EsercizioSommaMon::Verifica(const std::string& risposta) const
{
    const Frazione c = LeggiCoefficiente(risposta);
    const std::string parte = FormaFormula(ParteLetterale(risposta));
    return std::fabs(Quoziente(c.num, c.den) - Somma()) <= 0.000001L && parte == L;
}

std::string EsercizioSommaMon::RispostaAttesa() const
{
    const long long num = static_cast<long long>(p1) * q2 * q3 + static_cast<long long>(p2) * q1 * q3 +
                          static_cast<long long>(p3) * q1 * q2;
    const long long den = static_cast<long long>(q1) * q2 * q3;
    return MonomioDigitato(num, den, EsponentiDi(L));
}

TSoluzione EsercizioSommaMon::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    const auto somma = [this](bool ridotta) {
        std::string r = "(" + AddendoFormula(p1, q1, true, ridotta) + AddendoFormula(p2, q2, false, ridotta);
        if (p3 != 0)
            r += AddendoFormula(p3, q3, false, ridotta);
        return r + ")*" + L;
    };
    const long long num = static_cast<long long>(p1) * q2 * q3 + static_cast<long long>(p2) * q1 * q3 +
                          static_cast<long long>(p3) * q1 * q2;
    const long long den = static_cast<long long>(q1) * q2 * q3;
    TSoluzione s = InizioSoluzione(somma(false), somma(true));
    s.push_back({TermineFormula(num, den, LetteraleFormula(EsponentiDi(L)), true), true});
    return s;
}

TDiagnosi EsercizioSommaMon::Diagnosi(const std::string& risposta) const
{
    const auto t = LeggiTerminiDigitati(risposta);
    if (!t || FTestoEsercizio.empty())
        return {};
    const TermineLetto atteso{Somma(), EsponentiDi(L), L};
    TDiagnosi d = DiagnosiMonomio(*t, atteso, true);
    DiagnosiSomma(d, *t, atteso);
    return d;
}

} // namespace mevario
