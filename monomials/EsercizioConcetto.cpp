#include "EsercizioConcetto.h"

#include "funzioni.h"
#include "scrittura.h"

namespace mevario {

namespace {

// The second monomial of a pair drawn as similar: only its coefficient
// changes.
std::string CambiaCoefficiente(std::string b)
{
    const auto barra = b.find('/');
    if (barra != std::string::npos)
        b.erase(barra, 2); // "(3/4)*x" -> "(3)*x"
    else if (!b.empty() && b[0] >= '1' && b[0] <= '9')
        b.erase(0, 2); // "5*x^2" -> "x^2"
    else if (!b.empty() && b[0] == '-')
        b.erase(0, 1);
    return b;
}

// The second monomial of a pair drawn as not similar: one exponent or one
// letter changes.
std::string CambiaParteLetterale(std::string b)
{
    const auto potenza = b.find('^');
    if (potenza != std::string::npos) {
        if (TestaOCroce()) {
            b.erase(potenza, 2); // that exponent becomes 1
        } else {
            const int e = b[potenza + 1] - '0';
            b[potenza + 1] = static_cast<char>('0' + (e + 2) % 9);
        }
        return b;
    }
    const char lettera = CasualeTra(1, 3) == 1 ? 'x' : 'y';
    const auto pos = b.find(lettera);
    if (pos == std::string::npos)
        b += std::string("*") + lettera;
    else
        b.insert(pos + 1, "^" + std::to_string(CasualeTra(2, 4)));
    return b;
}

// The literal part of a monomial written "coefficient*letters".
std::string Lettere(const std::string& m)
{
    const auto stella = m.find('*');
    return stella == std::string::npos ? m : m.substr(stella + 1);
}

} // namespace

TAiuto EsercizioConcetto::Aiuto() const
{
    return {{{{"La parte letterale: le lettere minuscole nell'ordine", "in cui compaiono nel monomio"}, "lettera ^ esponente"},
             {{"Il coefficiente: un numero intero o una frazione"}, "numeratore / denominatore"},
             {{"Il grado: un numero, scritto in cifre"}, ""}},
            {"x^2yz^3", "-3/4"}};
}

void EsercizioConcetto::NuovaDomanda(int tipo)
{
    FRispostaTesto.clear();
    FConfronto = TConfronto::Numero; // the coefficient and the degree
    FSoluzione.clear();
    RispostaSi = false;
    switch (tipo) {
    case 1:
        FDomanda = "\xC3\x88 un monomio?";
        if (TestaOCroce()) {
            FTestoEsercizio = MonomioCasuale();
            RispostaSi = true;
            FSoluzione = {{"string(un numero per lettere con esponenti naturali)", false}};
        } else {
            FTestoEsercizio = NonMonomioCasuale();
            RispostaSi = false;
            const std::string negativa = PotenzaNegativa(FTestoEsercizio);
            FSoluzione = {{negativa.empty() ? "string(e' una somma, non un prodotto)"
                                            : negativa + "&string(  ha un esponente negativo)",
                           false}};
        }
        break;
    case 2: {
        FDomanda = "Sono due monomi simili?";
        const auto c = CoefficienteCasuale(false);
        const std::string a = c.testo + "*" + ParteLetteraleCasuale(3);
        std::string b = a;
        if (TestaOCroce()) {
            RispostaSi = true;
            b = CambiaCoefficiente(b);
        } else {
            RispostaSi = false;
            b = CambiaParteLetterale(b);
        }
        FTestoEsercizio = a + "&string(       e       )&" + b;
        FSoluzione = {{RispostaSi ? "string(la stessa parte letterale:  )&" + Lettere(a)
                                  : "string(parti letterali diverse:  )&" + Lettere(a) + "&string(  e  )&" + Lettere(b),
                       false}};
        break;
    }
    case 3: {
        const auto c = CoefficienteCasuale(false);
        const std::string l = ParteLetteraleCasuale(3);
        FTestoEsercizio = c.testo + "*" + l;
        if (TestaOCroce()) {
            FDomanda = "Qual è la parte letterale del monomio?";
            FRispostaTesto = TogliCarattere('*', l);
            FConfronto = TConfronto::Lettere;
        } else {
            FDomanda = "Qual è il coefficiente del monomio?";
            // A fraction as the help panel teaches it: "-3/4", not "-(3/4)";
            // any equal fraction is right.
            FRispostaTesto = TogliCarattere(')', TogliCarattere('(', c.testo));
        }
        FSoluzione = {{"string(coefficiente:  )&" + c.testo + "&string(      parte letterale:  )&" + l, false}};
        break;
    }
    default: {
        FDomanda = "Qual è il grado del monomio?";
        const auto c = CoefficienteCasuale(false);
        const std::string l = ParteLetteraleCasuale(3);
        FTestoEsercizio = c.testo + "*" + l;
        int grado = 0;
        std::string addendi;
        for (std::size_t i = 0; i < l.size(); ++i) {
            if (l[i] == 'x' || l[i] == 'y' || l[i] == 'z') {
                ++grado;
                const bool potenza = i + 2 < l.size() && l[i + 1] == '^';
                addendi += (addendi.empty() ? "" : "+") + (potenza ? std::string(1, l[i + 2]) : std::string("1"));
            } else if (l[i] == '^' && i + 1 < l.size()) {
                grado += l[i + 1] - '0' - 1;
            }
        }
        FRispostaTesto = std::to_string(grado);
        FSoluzione = {{"string(la somma degli esponenti:  )&" + addendi, false}};
        break;
    }
    }
    // Last, the answer itself.
    if (FRispostaTesto.empty())
        FSoluzione.push_back({RispostaSi ? "string(Si)" : "string(No)", false});
    else
        FSoluzione.push_back({FormaFormula(FRispostaTesto), tipo == 4});
}

} // namespace mevario
