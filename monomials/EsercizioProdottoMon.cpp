#include "EsercizioProdottoMon.h"

#include "DiagnosiMon.h"

#include "scrittura.h"

#include <cmath>

namespace mevario {

void EsercizioProdottoMon::NuovoEsercizio()
{
    FDomanda = "Calcola il prodotto";
    const auto c1 = CoefficienteCasuale(false);
    const auto c2 = CoefficienteCasuale(true);
    p1 = c1.num;
    q1 = c1.den;
    p2 = c2.num;
    q2 = c2.den;
    std::string t3;
    L3.clear();
    if (TestaOCroce()) {
        const auto c3 = CoefficienteCasuale(true);
        t3 = c3.testo;
        p3 = c3.num;
        q3 = c3.den;
        L3 = ParteLetteraleCasuale(3);
    } else {
        p3 = 1;
        q3 = 1;
    }
    L1 = ParteLetteraleCasuale(3);
    L2 = ParteLetteraleCasuale(3);
    // The separator is a middle dot (0xB7 in the formula code page).
    FTestoEsercizio = c1.testo + "*" + L1 + "&string(  \xB7  )&" + c2.testo + "*" + L2;
    if (!t3.empty())
        FTestoEsercizio += "&string(  \xB7  )&" + t3 + "*" + L3;
}

long double EsercizioProdottoMon::Coefficiente() const
{
    return Quoziente(p1, q1) * Quoziente(p2, q2) * Quoziente(p3, q3);
}

Esponenti EsercizioProdottoMon::EsponentiAttesi() const
{
    const Esponenti a = EsponentiDi(L1), b = EsponentiDi(L2), c = EsponentiDi(L3);
    return {a.x + b.x + c.x, a.y + b.y + c.y, a.z + b.z + c.z};
}

bool EsercizioProdottoMon::Verifica(const std::string& risposta) const
{
    const Frazione c = LeggiCoefficiente(risposta);
    const std::string r = ParteLetterale(risposta);
    const long double valore = Quoziente(c.num, c.den);
    return LettereEsatte(r, EsponentiAttesi()) &&
           std::fabs(valore - Coefficiente()) <= 0.000001L;
}

std::string EsercizioProdottoMon::RispostaAttesa() const
{
    return MonomioDigitato(static_cast<long long>(p1) * p2 * p3, static_cast<long long>(q1) * q2 * q3,
                           EsponentiAttesi());
}

TSoluzione EsercizioProdottoMon::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    std::vector<Esponenti> e{EsponentiDi(L1), EsponentiDi(L2)};
    if (!L3.empty())
        e.push_back(EsponentiDi(L3));
    const std::string lettere = EsponentiUniti(e, "+");
    const auto riga = [&](bool ridotta) {
        std::string r = FattoreFormula(p1, q1, ridotta) + "*." + FattoreFormula(p2, q2, ridotta);
        if (!L3.empty())
            r += "*." + FattoreFormula(p3, q3, ridotta);
        return lettere.empty() ? r : r + "*" + lettere;
    };
    TSoluzione s = InizioSoluzione(riga(false), riga(true));
    s.push_back({TermineFormula(static_cast<long long>(p1) * p2 * p3, static_cast<long long>(q1) * q2 * q3,
                                LetteraleFormula(EsponentiAttesi()), true),
                 true});
    return s;
}

TDiagnosi EsercizioProdottoMon::Diagnosi(const std::string& risposta) const
{
    const auto t = LeggiTerminiDigitati(risposta);
    if (!t || FTestoEsercizio.empty())
        return {};
    const TermineLetto atteso{Coefficiente(), EsponentiAttesi(), {}};
    TDiagnosi d = DiagnosiMonomio(*t, atteso);
    // The exponents of a letter multiplied instead of added.
    std::vector<Esponenti> fattori{EsponentiDi(L1), EsponentiDi(L2)};
    if (!L3.empty())
        fattori.push_back(EsponentiDi(L3));
    const auto per = [&fattori](int Esponenti::*lettera) {
        int r = 0;
        for (const Esponenti& f : fattori)
            if (f.*lettera > 0)
                r = r == 0 ? f.*lettera : r * f.*lettera;
        return r;
    };
    const Esponenti moltiplicati{per(&Esponenti::x), per(&Esponenti::y), per(&Esponenti::z)};
    if (t->size() == 1 && !(moltiplicati == atteso.e) && StessiTermini(*t, {{atteso.valore, moltiplicati, {}}}))
        d.errore = "Nel prodotto gli esponenti si sommano, non si moltiplicano.";
    return d;
}

std::string EsercizioProdottoMon::TestoPassaggi() const
{
    if (FTestoEsercizio.empty())
        return {};
    // A factor as typed, its fraction as drawn.
    const auto Fattore = [](long long num, long long den, const std::string& L) {
        return TermineDigitato(num, den, TogliCarattere('*', L));
    };
    std::string r = "(" + Fattore(p1, q1, L1) + ")*(" + Fattore(p2, q2, L2) + ")";
    if (!L3.empty())
        r += "*(" + Fattore(p3, q3, L3) + ")";
    return r;
}

} // namespace mevario
