#include "EsercizioMcdMcmMon.h"

#include "DiagnosiMon.h"

#include "scrittura.h"

#include <algorithm>
#include <cmath>

namespace mevario {

EsercizioMcdMcmMon::EsercizioMcdMcmMon(bool mcm) : FMcm(mcm) {}

void EsercizioMcdMcmMon::NuovoEsercizio()
{
    FDomanda = FMcm ? "Calcola il mcm" : "Calcola il MCD";
    const int limite = FMcm ? 20 : 50;
    // Drawn once: true asks for at least one fractional coefficient.
    const bool frazioni = TestaOCroce();
    std::string t1, t2, t3;
    bool ok = false;
    do {
        const auto c1 = CoefficienteCasualeFino(limite, false);
        const auto c2 = CoefficienteCasualeFino(limite, false);
        t1 = c1.testo;
        t2 = c2.testo;
        p1 = c1.num;
        q1 = c1.den;
        p2 = c2.num;
        q2 = c2.den;
        if (TestaOCroce()) {
            const auto c3 = CoefficienteCasualeFino(limite, false);
            t3 = c3.testo;
            p3 = c3.num;
            q3 = c3.den;
            L3 = ParteLetteraleCasuale(3);
        } else {
            t3.clear();
            L3.clear();
            p3 = 0;
            q3 = 1;
        }
        const bool interi = q1 == 1 && q2 == 1 && q3 == 1;
        ok = frazioni != interi;
        L1 = ParteLetteraleCasuale(3);
        L2 = ParteLetteraleCasuale(3);
        if (!FMcm) {
            // A letter shared by every monomial.
            bool comune = false;
            for (const char* l : {"x", "y", "z"})
                if (Esponente(L1, l) > 0 && Esponente(L2, l) > 0 && (p3 == 0 || Esponente(L3, l) > 0))
                    comune = true;
            ok = ok && comune;
            // Integer coefficients never coprime.
            if (ok && !frazioni && CoefficienteAtteso() == 1)
                ok = false;
        }
    } while (!ok);
    FTestoEsercizio = std::string(FMcm ? "string(mcm)&!(" : "string(MCD)&!(") + t1 + "*" + L1 + "&string(,  )&" +
                      t2 + "*" + L2;
    if (!t3.empty())
        FTestoEsercizio += "&string(,  )&" + t3 + "*" + L3;
    FTestoEsercizio += ")";
}

long long EsercizioMcdMcmMon::CoefficienteAtteso() const
{
    if (q1 != 1 || q2 != 1 || q3 != 1)
        return 1;
    long long r = FMcm ? CalcolaMcm(p1, p2) : CalcolaMcd(p1, p2);
    if (p3 != 0)
        r = FMcm ? CalcolaMcm(r, p3) : CalcolaMcd(r, p3);
    return r;
}

Esponenti EsercizioMcdMcmMon::EsponentiAttesi() const
{
    const auto scegli = [this](int a, int b) { return FMcm ? std::max(a, b) : std::min(a, b); };
    Esponenti e = EsponentiDi(L1);
    const Esponenti b = EsponentiDi(L2);
    e = {scegli(e.x, b.x), scegli(e.y, b.y), scegli(e.z, b.z)};
    if (p3 != 0) {
        const Esponenti c = EsponentiDi(L3);
        e = {scegli(e.x, c.x), scegli(e.y, c.y), scegli(e.z, c.z)};
    }
    return e;
}

bool EsercizioMcdMcmMon::Verifica(const std::string& risposta) const
{
    const Frazione c = LeggiCoefficiente(risposta);
    const std::string r = ParteLetterale(risposta);
    const long double valore = Quoziente(c.num, c.den);
    return LettereEsatte(r, EsponentiAttesi()) &&
           std::fabs(valore - static_cast<long double>(CoefficienteAtteso())) <= 0.000001L;
}

std::string EsercizioMcdMcmMon::RispostaAttesa() const
{
    return MonomioDigitato(CoefficienteAtteso(), 1, EsponentiAttesi());
}

TSoluzione EsercizioMcdMcmMon::Soluzione() const
{
    if (FTestoEsercizio.empty())
        return {};
    const std::string nome = FMcm ? "mcm" : "MCD";
    std::string coefficienti;
    if (q1 != 1 || q2 != 1 || q3 != 1) {
        coefficienti = "string(c'e' un coefficiente frazionario, percio' il coefficiente e' 1)";
    } else {
        coefficienti = "string(" + nome + ")&!(" + std::to_string(std::abs(p1)) + "&string(,  )&" +
                       std::to_string(std::abs(p2));
        if (p3 != 0)
            coefficienti += "&string(,  )&" + std::to_string(std::abs(p3));
        coefficienti += ")&string(  =  )&" + std::to_string(CoefficienteAtteso());
    }
    const std::string l = LetteraleFormula(EsponentiAttesi());
    const std::string lettere =
        std::string(FMcm ? "string(tutte le lettere, con l'esponente maggiore:  )"
                         : "string(le lettere comuni, con l'esponente minore:  )") +
        (l.empty() ? "&string(nessuna)" : "&" + l);
    return {{coefficienti, false}, {lettere, false}, {TermineFormula(CoefficienteAtteso(), 1, l, true), false}};
}

TDiagnosi EsercizioMcdMcmMon::Diagnosi(const std::string& risposta) const
{
    const auto t = LeggiTerminiDigitati(risposta);
    if (!t || FTestoEsercizio.empty())
        return {};
    return DiagnosiMonomio(*t, {static_cast<long double>(CoefficienteAtteso()), EsponentiAttesi(), {}});
}

} // namespace mevario
