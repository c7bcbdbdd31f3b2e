#include "EsercizioProdottoPol.h"

#include "Polinomi.h"
#include "scrittura.h"

namespace mevario {

namespace {

// a1*L1 + a2*L2 [+ a3]: the three coefficients drawn in this order, the
// third (a constant) with probability 1/3.
void Coefficienti(PolinomioGenerato& p)
{
    p.c[0] = CoefficienteCasuale(false);
    p.c[1] = CoefficienteCasuale(false);
    p.c[2] = CasualeTra(1, 4) == 2 ? CoefficienteCasuale(false) : CoefficienteCasualeRisultato{};
    p.L[2].clear();
}

std::string Testo(const PolinomioGenerato& p)
{
    std::string t = p.c[0].testo + "*" + p.L[0] + ConSegno(p.c[1].testo) + "*" + p.L[1];
    if (p.c[2].num != 0)
        t += ConSegno(p.c[2].testo);
    return t;
}

// The literal part of a product in formula form: x, y, z in this order,
// exponent 1 not written.
std::string LetteraleProdotto(const std::string& a, const std::string& b)
{
    const Esponenti ea = EsponentiDi(a), eb = EsponentiDi(b);
    return LetteraleFormula({ea.x + eb.x, ea.y + eb.y, ea.z + eb.z});
}

} // namespace

void EsercizioProdottoPol::NuovoEsercizio()
{
    FDomanda = "Calcola il prodotto";
    Coefficienti(A);
    A.L[0] = ParteLetteraleCasuale(2);
    do
        A.L[1] = ParteLetteraleCasuale(2);
    while (A.L[1] == A.L[0]);
    A.testo = Testo(A);

    Coefficienti(B);
    (void)TestaOCroce(); // drawn, as in the original sequence of draws, without effect
    B.L[0] = TestaOCroce() ? A.L[0] : A.L[1];
    do
        B.L[1] = ParteLetteraleCasuale(2);
    while (B.L[1] == B.L[0]);
    B.testo = Testo(B);

    FTestoEsercizio = "(" + A.testo + ")&string(  \xB7  )&(" + B.testo + ")";
}

std::vector<TermineEsatto> EsercizioProdottoPol::ProdottiParziali() const
{
    std::vector<TermineEsatto> r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const TermineEsatto a = A.Termine(i), b = B.Termine(j);
            if (a.num == 0 || b.num == 0)
                continue;
            TermineEsatto p = Prodotto(a, b);
            p.letterale = LetteraleProdotto(a.letterale, b.letterale);
            r.push_back(p);
        }
    return r;
}

TerminiAttesi EsercizioProdottoPol::Attesi() const
{
    // Similar products added with exact fractions, so that terms that
    // cancel are left out exactly.
    std::vector<TermineEsatto> uniti;
    for (const TermineEsatto& p : ProdottiParziali()) {
        bool trovato = false;
        for (TermineEsatto& u : uniti)
            if (u.letterale == p.letterale) {
                u = Somma(u, p);
                trovato = true;
                break;
            }
        if (!trovato)
            uniti.push_back(p);
    }
    return mevario::Attesi(uniti);
}

bool EsercizioProdottoPol::Verifica(const std::string& risposta) const
{
    return ConfrontaTermini(Attesi(), LeggiRisposta(risposta), RegolaLetterale::StessiEsponenti);
}

std::string EsercizioProdottoPol::RispostaAttesa() const { return ScriviRisposta(Attesi()); }

std::string EsercizioProdottoPol::TestoPassaggi() const
{
    if (FTestoEsercizio.empty())
        return {};
    return "(" + A.Digitato() + ")*(" + B.Digitato() + ")";
}

TSoluzione EsercizioProdottoPol::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    // The partial products come out reduced; so that the solution starts
    // from the exercise as shown, a fraction it shows unreduced is first
    // reduced in the product of the two polynomials, as a step.
    const auto prodotto = [this](bool ridotta) {
        const auto fattore = [ridotta](const PolinomioGenerato& p) {
            std::string r;
            for (int i = 0; i < 3; ++i) {
                const TermineEsatto t = p.Termine(i);
                if (t.num != 0)
                    r += TermineFormula(t.num, t.den, t.letterale, r.empty(), ridotta);
            }
            return "(" + r + ")";
        };
        return fattore(A) + "*." + fattore(B);
    };
    TSoluzione s = SoluzionePolinomio(ProdottiParziali(), Attesi());
    TSoluzione r = InizioSoluzione(prodotto(false), prodotto(true));
    if (r.size() == 1) // nothing to reduce: the partial products come first
        return s;
    s.front().uguale = true;
    r.insert(r.end(), s.begin(), s.end());
    return r;
}

TDiagnosi EsercizioProdottoPol::Diagnosi(const std::string& risposta) const
{
    if (FTestoEsercizio.empty())
        return {};
    return DiagnosiPolinomio(risposta, Attesi(), RegolaLetterale::StessiEsponenti);
}

} // namespace mevario
