#include "EsercizioPotenzaMon.h"

#include "DiagnosiMon.h"

#include "scrittura.h"

#include <cmath>

namespace mevario {

Frazione LeggiCoefficientePotenza(const std::string& testo)
{
    std::string n, m;
    std::string* corrente = &n;
    for (char c : testo) {
        if (c == ' ')
            continue;
        if (c == '/')
            corrente = &m;
        else if (c == '-' || (c >= '0' && c <= '9'))
            *corrente += c;
        else
            break;
    }
    if (n.empty())
        n = "1";
    Frazione f;
    f.num = ConvertiIntero(n);
    f.den = m.empty() ? 1 : ConvertiIntero(m);
    return f;
}

void EsercizioPotenzaMon::NuovoEsercizio()
{
    FDomanda = "Calcola la potenza";
    const auto c = CoefficienteCasuale(false);
    p = c.num;
    q = c.den;
    L = ParteLetteraleCasuale(3);
    k = CasualeTra(2, 4);
    FTestoEsercizio = "(" + c.testo + "*" + L + ")^" + std::to_string(k);
}

long double EsercizioPotenzaMon::Coefficiente() const
{
    return std::pow(static_cast<long double>(p), k) / std::pow(static_cast<long double>(q), k);
}

Esponenti EsercizioPotenzaMon::EsponentiAttesi() const
{
    const Esponenti e = EsponentiDi(L);
    return {e.x * k, e.y * k, e.z * k};
}

bool EsercizioPotenzaMon::Verifica(const std::string& risposta) const
{
    const Frazione c = LeggiCoefficientePotenza(risposta);
    const long double valore = Quoziente(c.num, c.den);
    // The literal part from the first '*' or letter on (a leading '*' makes
    // no difference to the exponents read).
    const std::string r = ParteLetterale(risposta);
    return std::fabs(valore - Coefficiente()) <= 0.000001L && LettereEsatte(r, EsponentiAttesi());
}

std::string EsercizioPotenzaMon::RispostaAttesa() const
{
    long long n = 1, d = 1;
    for (int i = 0; i < k; ++i) {
        n *= p;
        d *= q;
    }
    return MonomioDigitato(n, d, EsponentiAttesi());
}

TSoluzione EsercizioPotenzaMon::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    const Esponenti e = EsponentiDi(L);
    const auto riga = [&](bool ridotta) {
        // A base that is not a positive whole number keeps its brackets.
        const std::string base = q == 1 && p > 0 ? std::to_string(p) : "!(" + FrazioneFormula(p, q, ridotta) + ")";
        std::string r = base + "^" + std::to_string(k);
        const std::pair<char, int> lettere[] = {{'x', e.x}, {'y', e.y}, {'z', e.z}};
        for (const auto& [l, a] : lettere)
            if (a > 0)
                r += std::string("*") + l + "^(" + std::to_string(a) + "*." + std::to_string(k) + ")";
        return r;
    };
    long long n = 1, d = 1;
    for (int i = 0; i < k; ++i) {
        n *= p;
        d *= q;
    }
    TSoluzione s = InizioSoluzione(riga(false), riga(true));
    s.push_back({TermineFormula(n, d, LetteraleFormula(EsponentiAttesi()), true), true});
    return s;
}

TDiagnosi EsercizioPotenzaMon::Diagnosi(const std::string& risposta) const
{
    const auto t = LeggiTerminiDigitati(risposta);
    if (!t || FTestoEsercizio.empty())
        return {};
    const TermineLetto atteso{Coefficiente(), EsponentiAttesi(), {}};
    TDiagnosi d = DiagnosiMonomio(*t, atteso);
    if (t->size() != 1)
        return d;
    const Esponenti e = EsponentiDi(L);
    const auto piu = [this](int a) { return a > 0 ? a + k : 0; };
    const Esponenti sommati{piu(e.x), piu(e.y), piu(e.z)};
    const long double base = Quoziente(p, q);
    if (!(sommati == atteso.e) && StessiTermini(*t, {{atteso.valore, sommati, {}}}))
        d.errore = "Nella potenza gli esponenti si moltiplicano, non si sommano.";
    else if (std::fabs(base - atteso.valore) > 0.000001L && StessiTermini(*t, {{base, atteso.e, {}}}))
        d.errore = "Anche il coefficiente va elevato alla potenza.";
    return d;
}

std::string EsercizioPotenzaMon::TestoPassaggi() const
{
    if (FTestoEsercizio.empty())
        return {};
    // A factor as typed, its fraction as drawn.
    const auto Fattore = [](long long num, long long den, const std::string& L) {
        return TermineDigitato(num, den, TogliCarattere('*', L));
    };
    return "(" + Fattore(p, q, L) + ")^" + std::to_string(k);
}

} // namespace mevario
