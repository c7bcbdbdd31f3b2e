#include "EsercizioSommaDiffPol.h"

#include "Polinomi.h"

namespace mevario {

namespace {

// A literal part of at most two letters, drawn again while it equals one
// of `diversa`.
std::string Diversa(std::initializer_list<const std::string*> diversa)
{
    for (;;) {
        const std::string l = ParteLetteraleCasuale(2);
        bool uguale = false;
        for (const std::string* d : diversa)
            uguale = uguale || l == *d;
        if (!uguale)
            return l;
    }
}

} // namespace

EsercizioSommaDiffPol::EsercizioSommaDiffPol(bool differenza) : FDifferenza(differenza) {}

void EsercizioSommaDiffPol::NuovoEsercizio()
{
    FDomanda = FDifferenza ? "Calcola la differenza" : "Calcola la somma";
    // A: three coefficients, then the literal parts (the third may be a
    // constant term).
    for (auto& c : A.c)
        c = CoefficienteCasuale(false);
    A.L[0] = ParteLetteraleCasuale(2);
    A.L[1] = Diversa({&A.L[0]});
    A.L[2] = TestaOCroce() ? std::string() : Diversa({&A.L[0], &A.L[1]});
    A.testo = ScriviTermini(A.c[0].testo, A.c[1].testo, A.c[2].testo, A.L[0], A.L[1], A.L[2]);

    // B: two literal parts taken from A, the third as A's.
    for (auto& c : B.c)
        c = CoefficienteCasuale(false);
    const auto daA = [this] {
        const bool primo = TestaOCroce();
        if (primo && !A.L[2].empty())
            return A.L[2];
        return TestaOCroce() ? A.L[0] : A.L[1];
    };
    B.L[0] = daA();
    do
        B.L[1] = daA();
    while (B.L[1] == B.L[0]);
    B.L[2] = TestaOCroce() ? std::string() : Diversa({&B.L[0], &B.L[1]});
    B.testo = ScriviTermini(B.c[0].testo, B.c[1].testo, B.c[2].testo, B.L[0], B.L[1], B.L[2]);

    FTestoEsercizio = "(" + A.testo + ")" + GiuntoOperazione(FDifferenza ? '-' : '+') + "(" + B.testo + ")";
}

TerminiAttesi EsercizioSommaDiffPol::Attesi() const { return AttesiCon(FDifferenza); }

TerminiAttesi EsercizioSommaDiffPol::AttesiCon(bool differenza) const
{
    std::vector<TermineEsatto> t;
    bool unitoA[3] = {false, false, false}, unitoB[3] = {false, false, false};
    const auto diB = [this, differenza](int j) {
        TermineEsatto b = B.Termine(j);
        if (differenza)
            b.num = -b.num;
        return b;
    };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (!unitoA[i] && !unitoB[j] && A.L[static_cast<std::size_t>(i)] == B.L[static_cast<std::size_t>(j)]) {
                t.push_back(Somma(A.Termine(i), diB(j)));
                unitoA[i] = unitoB[j] = true;
            }
    for (int i = 0; i < 3; ++i)
        if (!unitoA[i])
            t.push_back(A.Termine(i));
    for (int j = 0; j < 3; ++j)
        if (!unitoB[j])
            t.push_back(diB(j));
    return mevario::Attesi(t);
}

bool EsercizioSommaDiffPol::Verifica(const std::string& risposta) const
{
    return ConfrontaTermini(Attesi(), LeggiRisposta(risposta), RegolaLetterale::StessoTesto);
}

std::string EsercizioSommaDiffPol::RispostaAttesa() const { return ScriviRisposta(Attesi()); }

std::string EsercizioSommaDiffPol::TestoPassaggi() const
{
    if (FTestoEsercizio.empty())
        return {};
    return "(" + A.Digitato() + ")" + (FDifferenza ? "-" : "+") + "(" + B.Digitato() + ")";
}

TSoluzione EsercizioSommaDiffPol::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    std::vector<TermineEsatto> t;
    for (int i = 0; i < 3; ++i)
        t.push_back(A.Termine(i));
    for (int j = 0; j < 3; ++j) {
        TermineEsatto b = B.Termine(j);
        if (FDifferenza)
            b.num = -b.num;
        t.push_back(b);
    }
    return SoluzionePolinomio(t, Attesi());
}

TDiagnosi EsercizioSommaDiffPol::Diagnosi(const std::string& risposta) const
{
    if (FTestoEsercizio.empty())
        return {};
    if (!FDifferenza)
        return DiagnosiPolinomio(risposta, Attesi(), RegolaLetterale::StessoTesto);
    // The subtracted polynomial added as it is: its signs were not changed.
    return DiagnosiPolinomio(risposta, Attesi(), RegolaLetterale::StessoTesto, AttesiCon(false),
                             "Nella differenza il secondo polinomio cambia segno.");
}

} // namespace mevario
