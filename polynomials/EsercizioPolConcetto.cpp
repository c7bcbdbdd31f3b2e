#include "EsercizioPolConcetto.h"

#include "Polinomi.h"
#include "scrittura.h"

namespace mevario {

TAiuto EsercizioPolConcetto::Aiuto() const
{
    return {{{{"Il grado rispetto a una lettera è un numero:", "scrivilo in cifre"}, ""}},
            {"3"}};
}

void EsercizioPolConcetto::NuovaDomanda(int tipo)
{
    FRispostaTesto.clear();
    FConfronto = TConfronto::Numero; // the degree
    FSoluzione.clear();
    RispostaSi = false;
    if (tipo == 1) {
        FDomanda = "\xC3\x88 un polinomio?";
        // The monomials and the non-monomial are drawn in the order in
        // which they are written.
        std::string t;
        if (TestaOCroce()) {
            t = MonomioCasuale();
            t += ConSegno(MonomioCasuale());
            t += ConSegno(MonomioCasuale());
        } else if (TestaOCroce()) {
            t = MonomioCasuale();
            t += ConSegno(NonMonomioCasuale());
            t += ConSegno(MonomioCasuale());
        } else {
            t = NonMonomioCasuale();
            t += ConSegno(MonomioCasuale());
            t += ConSegno(MonomioCasuale());
        }
        if (TestaOCroce())
            t += ConSegno(MonomioCasuale());
        FTestoEsercizio = t;
        // A sum of monomials (a non-monomial of the sum kind included) is
        // a polynomial; a negative exponent is not.
        const std::string negativa = PotenzaNegativa(t);
        RispostaSi = negativa.empty();
        if (RispostaSi)
            FSoluzione = {{"string(una somma di monomi)", false}};
        else
            FSoluzione = {{negativa + "&string(  ha un esponente negativo: non e' un monomio)", false}};
    } else if (tipo == 2) {
        FDomanda = "Il polinomio \xC3\xA8 ridotto in forma normale?";
        const std::string c1 = CoefficienteCasuale(false).testo;
        const std::string P1 = ParteLetteraleCasuale(3);
        const std::string c2 = CoefficienteCasuale(false).testo;
        std::string P2;
        do
            P2 = ParteLetteraleCasuale(3);
        while (P2 == P1);
        const std::string c3 = CoefficienteCasuale(false).testo;
        std::string P3;
        if (TestaOCroce()) {
            do
                P3 = ParteLetteraleCasuale(3);
            while (P3 == P1 || P3 == P2);
            RispostaSi = true;
        } else {
            P3 = TestaOCroce() ? P1 : P2;
            RispostaSi = false;
        }
        FTestoEsercizio = c1 + "*" + P1 + ConSegno(c2 + "*" + P2) + ConSegno(c3 + "*" + P3);
        if (RispostaSi)
            FSoluzione = {{"string(nessun termine simile a un altro)", false}};
        else
            FSoluzione = {{"string(termini simili:  )&" + (P3 == P1 ? c1 + "*" + P1 : c2 + "*" + P2) +
                               "&string(  e  )&" + c3 + "*" + P3,
                           false}};
    } else {
        const std::string X = CasualeTra(1, 3) == 1 ? "x" : "y";
        FDomanda = "Qual \xC3\xA8 il grado del polinomio rispetto alla lettera " + X + "?";
        std::vector<std::string> P;
        do {
            P.clear();
            FTestoEsercizio.clear();
            for (int i = 0; i < 4; ++i) {
                const std::string c = CoefficienteCasuale(false).testo;
                P.push_back(ParteLetteraleCasuale(3));
                const std::string termine = c + "*" + P.back();
                FTestoEsercizio += i == 0 ? termine : ConSegno(termine);
            }
        } while (FTestoEsercizio.find(X) == std::string::npos);
        FRispostaTesto = std::to_string(GradoRispetto(P, X));
        std::string esponenti;
        for (const std::string& l : P)
            esponenti += (esponenti.empty() ? "" : "&string(,  )&") + std::to_string(GradoRispetto({l}, X));
        // The greatest of them is the answer, on the last line.
        FSoluzione = {{"string(esponenti di " + X + " nei termini:  )&" + esponenti, false},
                      {FRispostaTesto, false}};
    }
    if (FRispostaTesto.empty())
        FSoluzione.push_back({RispostaSi ? "string(Si)" : "string(No)", false});
}

} // namespace mevario
