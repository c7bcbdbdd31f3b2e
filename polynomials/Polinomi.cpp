#include "Polinomi.h"

#include "diagnosi.h"

#include <algorithm>
#include <cmath>

#include "scrittura.h"

namespace mevario {

TAiuto AiutoPolinomi()
{
    return {{{{"Per indicare un polinomio scrivi i suoi termini", "uno dopo l'altro, ciascuno con il proprio segno"},
              "termine + termine - termine"},
             {{"Ogni termine si scrive come un monomio:", "il coefficiente seguito dalla parte letterale"}, ""},
             {{"Se vuoi indicare una potenza devi scrivere"}, "lettera ^ esponente"},
             {{"Se vuoi indicare una frazione devi scrivere"}, "numeratore / denominatore"}},
            {"3x^2-5xy+1", "-2/5xy^3+z^2"}};
}

std::string ConSegno(const std::string& termine)
{
    if (!termine.empty() && termine[0] == '-')
        return termine;
    return "+" + termine;
}

std::string GiuntoOperazione(char segno)
{
    return std::string("&space(5)&symbol(") + (segno == '-' ? "8722" : "43") + ")&space(5)&";
}

std::string ScriviTermini(const std::string& c1, const std::string& c2, const std::string& c3, const std::string& L1,
                          const std::string& L2, const std::string& L3)
{
    std::string t = c1 + "*" + L1 + ConSegno(c2) + "*" + L2 + ConSegno(c3);
    if (!L3.empty())
        t += "*" + L3;
    return t;
}

TermineEsatto Ridotto(TermineEsatto t)
{
    RiduciFrazione(t.num, t.den);
    return t;
}

TermineEsatto Somma(const TermineEsatto& a, const TermineEsatto& b)
{
    return Ridotto({a.num * b.den + b.num * a.den, a.den * b.den, a.letterale});
}

TermineEsatto Prodotto(const TermineEsatto& a, const TermineEsatto& b)
{
    return Ridotto({a.num * b.num, a.den * b.den, a.letterale});
}

TerminiAttesi Attesi(const std::vector<TermineEsatto>& termini)
{
    TerminiAttesi r;
    for (const TermineEsatto& t : termini) {
        if (t.num == 0)
            continue;
        const TermineEsatto x = Ridotto(t);
        r.push_back({Quoziente(x.num, x.den), x.letterale, x.num, x.den});
    }
    if (r.empty())
        r.push_back({0, std::string(), 0, 1});
    return r;
}

ErroreTermineVuoto::ErroreTermineVuoto()
    : ErroreCalcolo("Nella risposta c'\xC3\xA8 un segno senza il suo termine: completa o correggi la risposta.")
{
}

std::vector<std::string> TerminiDigitati(const std::string& testo)
{
    // Spaces are ignored, as in the monomial answers: "3x y" is 3xy.
    std::vector<std::string> parti = SeparaTermini(TogliCarattere(' ', testo));
    if (!parti.empty() && !parti[0].empty() && parti[0][0] == '+')
        parti[0].erase(0, 1); // "+3x-y": the first term is 3x, not 1x
    for (const std::string& p : parti)
        if (p.empty() || p == "-")
            throw ErroreTermineVuoto();
    return parti;
}

RispostaPolinomio LeggiRisposta(const std::string& risposta)
{
    RispostaPolinomio r;
    const std::vector<std::string> parti = TerminiDigitati(risposta);
    for (std::size_t i = 0; i < parti.size(); ++i) {
        if (i == RispostaPolinomio::MaxTerminiAlunno) {
            r.troppi = true;
            break;
        }
        const std::string& p = parti[i];
        const Frazione c = LeggiCoefficiente(p);
        r.termini.push_back({Quoziente(c.num, c.den), ParteLetterale(p)});
    }
    return r;
}

bool ConfrontaTermini(const TerminiAttesi& attesi, const RispostaPolinomio& alunno, RegolaLetterale regola)
{
    if (alunno.troppi || alunno.termini.size() != attesi.size())
        return false;
    std::vector<bool> preso(alunno.termini.size(), false);
    for (const TermineAtteso& a : attesi) {
        bool trovato = false;
        for (std::size_t j = 0; j < alunno.termini.size() && !trovato; ++j) {
            const TermineAlunno& t = alunno.termini[j];
            const bool stessa = regola == RegolaLetterale::StessoTesto
                                    ? t.letterale == a.letterale
                                    : !LetteraRipetuta(t.letterale) && StessaParteLetterale(t.letterale, a.letterale);
            if (!preso[j] && stessa && std::fabs(t.valore - a.valore) <= 0.000001L) {
                preso[j] = true;
                trovato = true;
            }
        }
        if (!trovato)
            return false;
    }
    return true;
}

int GradoRispetto(const std::vector<std::string>& letterali, const std::string& lettera)
{
    int grado = 0;
    for (const std::string& l : letterali) {
        const auto pos = l.find(lettera);
        if (pos == std::string::npos || lettera.empty())
            continue;
        int e = 1;
        const std::size_t dopo = pos + lettera.size();
        if (dopo + 1 < l.size() && l[dopo] == '^' && l[dopo + 1] >= '0' && l[dopo + 1] <= '9')
            e = l[dopo + 1] - '0';
        grado = std::max(grado, e);
    }
    return grado;
}

std::string ScriviRisposta(const TerminiAttesi& attesi)
{
    std::string r;
    for (const TermineAtteso& a : attesi) {
        const std::string lettere = TogliCarattere('*', a.letterale);
        std::string t;
        if (!lettere.empty() && a.den == 1 && (a.num == 1 || a.num == -1))
            t = (a.num < 0 ? "-" : "") + lettere;
        else
            t = std::to_string(a.num) + (a.den != 1 ? "/" + std::to_string(a.den) : "") + lettere;
        r += r.empty() ? t : ConSegno(t);
    }
    return r;
}

TSoluzione SoluzionePolinomio(const std::vector<TermineEsatto>& termini, const TerminiAttesi& risultato)
{
    std::string scritti, mostrati;
    std::vector<std::vector<TermineEsatto>> gruppi;
    for (const TermineEsatto& t : termini) {
        if (t.num == 0)
            continue;
        mostrati += TermineFormula(t.num, t.den, t.letterale, mostrati.empty(), false);
        scritti += TermineFormula(t.num, t.den, t.letterale, scritti.empty());
        auto g = std::find_if(gruppi.begin(), gruppi.end(),
                              [&t](const auto& gr) { return gr.front().letterale == t.letterale; });
        if (g == gruppi.end())
            gruppi.push_back({t});
        else
            g->push_back(t);
    }
    TSoluzione s = InizioSoluzione(mostrati, scritti);
    if (std::any_of(gruppi.begin(), gruppi.end(), [](const auto& g) { return g.size() > 1; })) {
        std::string raccolti;
        for (const auto& g : gruppi) {
            if (g.size() == 1) {
                raccolti += TermineFormula(g[0].num, g[0].den, g[0].letterale, raccolti.empty());
                continue;
            }
            raccolti += raccolti.empty() ? "(" : "+(";
            for (std::size_t i = 0; i < g.size(); ++i)
                raccolti += AddendoFormula(g[i].num, g[i].den, i == 0);
            raccolti += ")";
            if (!g[0].letterale.empty())
                raccolti += "*" + g[0].letterale;
        }
        s.push_back({raccolti, true});
    }
    std::string finale;
    for (const TermineAtteso& t : risultato)
        finale += TermineFormula(t.num, t.den, t.letterale, finale.empty());
    if (finale.empty())
        finale = "0";
    if (finale != s.back().formula)
        s.push_back({finale, true});
    return s;
}

namespace {

std::vector<TermineLetto> Letti(const TerminiAttesi& attesi)
{
    std::vector<TermineLetto> r;
    for (const TermineAtteso& a : attesi)
        if (!(a.num == 0 && attesi.size() == 1)) // the answer "0" has no terms to match
            r.push_back({a.valore, EsponentiDi(a.letterale), a.letterale});
    return r;
}

} // namespace

TDiagnosi DiagnosiPolinomio(const std::string& risposta, const TerminiAttesi& attesi, RegolaLetterale regola,
                            const TerminiAttesi& oppure, const std::string& messaggioOppure)
{
    const auto t = LeggiTerminiDigitati(risposta);
    if (!t)
        return {};
    const std::vector<TermineLetto> a = Letti(attesi);
    const bool testo = regola == RegolaLetterale::StessoTesto;
    TDiagnosi d;
    d.sbagliati = SenzaCompagno(*t, a, testo);
    d.conteggio = TestoConteggio(a.size(), t->size());
    if (testo && StessiTermini(*t, a) && !d.sbagliati.empty())
        d.errore = "Le lettere vanno nell'ordine x, y, z.";
    else if (!oppure.empty() && (StessiTermini(*t, Letti(oppure)) || StessiTermini(Raccolti(*t), Letti(oppure))))
        d.errore = messaggioOppure;
    else if (t->size() > a.size() && StessiTermini(Raccolti(*t), a))
        d.errore = "Ci sono termini simili da sommare.";
    return d;
}

} // namespace mevario
