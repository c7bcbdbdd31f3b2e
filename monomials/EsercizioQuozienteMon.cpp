#include "EsercizioQuozienteMon.h"

#include "DiagnosiMon.h"

#include "scrittura.h"

#include <cmath>

namespace mevario {

void EsercizioQuozienteMon::NuovoEsercizio()
{
    FDomanda = "Calcola il quoziente";
    const auto c1 = CoefficienteCasuale(false);
    const auto c2 = CoefficienteCasuale(true);
    p1 = c1.num;
    q1 = c1.den;
    p2 = c2.num;
    q2 = c2.den;
    // Both literal parts are drawn again together until no letter of the
    // divisor has a larger exponent than in the dividend.
    Esponenti e1, e2;
    do {
        L1 = ParteLetteraleCasuale(3);
        L2 = ParteLetteraleCasuale(3);
        e1 = EsponentiDi(L1);
        e2 = EsponentiDi(L2);
    } while (e1.x < e2.x || e1.y < e2.y || e1.z < e2.z);
    FTestoEsercizio = c1.testo + "*" + L1 + "&string(  :  )&" + c2.testo + "*" + L2;
}

long double EsercizioQuozienteMon::Coefficiente() const { return Quoziente(p1, q1) / Quoziente(p2, q2); }

Esponenti EsercizioQuozienteMon::EsponentiAttesi() const
{
    const Esponenti a = EsponentiDi(L1), b = EsponentiDi(L2);
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

bool EsercizioQuozienteMon::Verifica(const std::string& risposta) const
{
    const Frazione c = LeggiCoefficiente(risposta);
    const std::string r = ParteLetterale(risposta);
    const long double valore = Quoziente(c.num, c.den);
    return LettereEsatte(r, EsponentiAttesi()) &&
           std::fabs(valore - Coefficiente()) <= 0.000001L;
}

std::string EsercizioQuozienteMon::RispostaAttesa() const
{
    return MonomioDigitato(static_cast<long long>(p1) * q2, static_cast<long long>(q1) * p2, EsponentiAttesi());
}

TSoluzione EsercizioQuozienteMon::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    const std::string lettere = EsponentiUniti({EsponentiDi(L1), EsponentiDi(L2)}, "-");
    const auto riga = [&](bool ridotta) {
        const std::string r =
            "!(" + FattoreFormula(p1, q1, ridotta) + "&string( : )&" + FattoreFormula(p2, q2, ridotta) + ")";
        return lettere.empty() ? r : r + "*" + lettere;
    };
    TSoluzione s = InizioSoluzione(riga(false), riga(true));
    s.push_back({TermineFormula(static_cast<long long>(p1) * q2, static_cast<long long>(q1) * p2,
                                LetteraleFormula(EsponentiAttesi()), true),
                 true});
    return s;
}

TDiagnosi EsercizioQuozienteMon::Diagnosi(const std::string& risposta) const
{
    const auto t = LeggiTerminiDigitati(risposta);
    if (!t || FTestoEsercizio.empty())
        return {};
    return DiagnosiMonomio(*t, {Coefficiente(), EsponentiAttesi(), {}});
}

std::string EsercizioQuozienteMon::TestoPassaggi() const
{
    if (FTestoEsercizio.empty())
        return {};
    // A factor as typed, its fraction as drawn.
    const auto Fattore = [](long long num, long long den, const std::string& L) {
        return TermineDigitato(num, den, TogliCarattere('*', L));
    };
    return "(" + Fattore(p1, q1, L1) + "):(" + Fattore(p2, q2, L2) + ")";
}

} // namespace mevario
