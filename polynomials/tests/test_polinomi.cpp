// The polynomial model and the polynomial topics without windows: the
// model's own rules, then many seeded exercises judged against an oracle
// that reads the exercise text itself and computes with exact fractions.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "EsercizioPolConcetto.h"
#include "EsercizioProdottoPol.h"
#include "EsercizioSommaDiffPol.h"
#include "Oracolo.h"
#include "Polinomi.h"

using namespace mevario;
using namespace mevario::oracolo;

namespace {

constexpr int kEsercizi = 2000;

TerminiAttesi Termini(std::initializer_list<std::tuple<long long, long long, const char*>> t)
{
    std::vector<TermineEsatto> e;
    for (const auto& [n, d, l] : t)
        e.push_back({n, d, l});
    return Attesi(e);
}

bool Giusta(const TerminiAttesi& a, const std::string& risposta, RegolaLetterale r = RegolaLetterale::StessoTesto)
{
    return ConfrontaTermini(a, LeggiRisposta(risposta), r);
}

// The terms of a polynomial in formula form, cut at the signs outside
// brackets.
std::vector<Mon> TerminiDi(const std::string& p)
{
    std::vector<Mon> r;
    int livello = 0;
    std::size_t inizio = 0;
    for (std::size_t i = 0; i <= p.size(); ++i) {
        const char c = i < p.size() ? p[i] : '+';
        if (c == '(')
            ++livello;
        else if (c == ')')
            --livello;
        else if ((c == '+' || c == '-') && livello == 0 && i > inizio && p[i - 1] != '*') {
            std::string t = p.substr(inizio, i - inizio);
            if (t[0] == '+')
                t.erase(0, 1);
            const auto m = Leggi(t);
            EXPECT_TRUE(m) << "'" << t << "' in " << p;
            if (m)
                r.push_back(*m);
            inizio = i;
        }
    }
    return r;
}

// The reduced polynomial of some terms: similar terms added, zeros left out.
std::map<Esp, Q> Riduci(const std::vector<Mon>& termini)
{
    std::map<Esp, Q> r;
    for (const Mon& m : termini)
        r[m.e] = r.count(m.e) ? r[m.e] + m.c : m.c;
    for (auto it = r.begin(); it != r.end();)
        it = it->second.n == 0 ? r.erase(it) : std::next(it);
    return r;
}

std::string Unisci(const std::vector<std::string>& termini)
{
    std::string r;
    for (const std::string& t : termini)
        r += r.empty() || t[0] == '-' ? t : "+" + t;
    return r;
}

} // namespace

TEST(Polinomi, ConSegnoAndScriviTermini)
{
    EXPECT_EQ(ConSegno("-(3/4)"), "-(3/4)");
    EXPECT_EQ(ConSegno("(3/4)"), "+(3/4)");
    EXPECT_EQ(ScriviTermini("3", "-(1/2)", "5", "x^2", "x*y", ""), "3*x^2-(1/2)*x*y+5");
    EXPECT_EQ(ScriviTermini("3", "-(1/2)", "5", "x^2", "x*y", "z"), "3*x^2-(1/2)*x*y+5*z");
}

TEST(Polinomi, OrderIsFreeLiteralTextIsNot)
{
    const auto a = Termini({{5, 1, "x^2"}, {3, 1, "x*y"}});
    EXPECT_TRUE(Giusta(a, "5x^2+3xy"));
    EXPECT_TRUE(Giusta(a, "3xy+5x^2"));
    EXPECT_TRUE(Giusta(a, " 3 x y + 5 x ^2"));
    EXPECT_FALSE(Giusta(a, "3yx+5x^2"));
    EXPECT_TRUE(Giusta(a, "3yx+5x^2", RegolaLetterale::StessiEsponenti));
    EXPECT_TRUE(Giusta(a, "3x^1y+5x^2", RegolaLetterale::StessiEsponenti));
    EXPECT_FALSE(Giusta(a, "3xyx^0+5x^2", RegolaLetterale::StessiEsponenti)); // a letter twice
    // One term more or less, even when all are right.
    EXPECT_FALSE(Giusta(a, "5x^2"));
    EXPECT_FALSE(Giusta(a, "5x^2+3xy+0z"));
    EXPECT_FALSE(Giusta(a, "5x^2+3xy+3xy"));
    // Equivalent fractions.
    const auto b = Termini({{1, 2, "x"}, {-2, 3, ""}});
    EXPECT_TRUE(Giusta(b, "2/4x-4/6"));
    EXPECT_TRUE(Giusta(b, "-2/3+(1/2)x"));
    EXPECT_FALSE(Giusta(b, "1/2x+2/3"));
    // Two terms of the answer never stand for one expected term.
    EXPECT_FALSE(Giusta(Termini({{1, 1, "x"}, {1, 1, "y"}}), "x+x"));
}

TEST(Polinomi, EmptyTermsAndLeadingPlus)
{
    const auto a = Termini({{3, 1, "x"}, {1, 1, ""}});
    // A sign without its term is not read as 1.
    for (const char* s : {"3x+", "3x+-1", "3x-", "+", "3x++1", "-"})
        EXPECT_THROW((void)LeggiRisposta(s), ErroreTermineVuoto) << s;
    EXPECT_TRUE(Giusta(a, "3x+1"));
    // A plus in front is the sign it looks like.
    EXPECT_TRUE(Giusta(a, "+3x+1"));
    EXPECT_FALSE(Giusta(Termini({{1, 1, "x"}, {1, 1, ""}}), "+3x+1"));
    EXPECT_FALSE(Giusta(a, "")); // nothing typed: wrong, not an error
    EXPECT_THROW((void)LeggiRisposta("3x+99999999999y"), ErroreConversione);
    EXPECT_THROW((void)LeggiRisposta("3x+4/0y"), ErroreDivisionePerZero);
}

TEST(Polinomi, MoreThanTenTermsIsWrongWithoutReadingTheRest)
{
    const auto a = Termini({{1, 1, "x"}});
    const std::string undici = "x+x+x+x+x+x+x+x+x+x+2-3";
    RispostaPolinomio r;
    EXPECT_NO_THROW(r = LeggiRisposta(undici)); // the eleventh term is not read
    EXPECT_TRUE(r.troppi);
    EXPECT_FALSE(ConfrontaTermini(a, r, RegolaLetterale::StessoTesto));
}

TEST(SommaDiffPol, CancelledTermsAndTheZeroPolynomial)
{
    EsercizioSommaPol es;
    es.A.c = {CoefficienteCasualeRisultato{"4", 4, 1}, {"(1/2)", 1, 2}, {"3", 3, 1}};
    es.A.L = {"x^2", "x*y", ""};
    es.B.c = {CoefficienteCasualeRisultato{"-2", -2, 1}, {"-4", -4, 1}, {"5", 5, 1}};
    es.B.L = {"x*y", "x^2", "y"};
    // 4x^2 and -4x^2 cancel; the constants stay apart from 5y.
    EXPECT_TRUE(es.Verifica("-3/2xy+3+5y"));
    EXPECT_FALSE(es.Verifica("0x^2-3/2xy+3+5y"));
    EXPECT_EQ(es.RispostaAttesa(), "-3/2xy+3+5y");
    // Everything cancels: the answer is 0.
    es.B.c = {CoefficienteCasualeRisultato{"-(2/4)", -2, 4}, {"-4", -4, 1}, {"-3", -3, 1}};
    es.B.L = {"x*y", "x^2", ""};
    EXPECT_EQ(es.RispostaAttesa(), "0");
    EXPECT_TRUE(es.Verifica("0"));
    EXPECT_FALSE(es.Verifica("0x"));
    EXPECT_FALSE(es.Verifica("0x^2+0xy+0"));
}

TEST(Polinomi, GradoRispetto)
{
    EXPECT_EQ(GradoRispetto({"x^2*y", "y^3*z", "x*z"}, "x"), 2);
    EXPECT_EQ(GradoRispetto({"x^2*y", "y^3*z", "x*z"}, "y"), 3);
    EXPECT_EQ(GradoRispetto({"x^2*y", "x*z"}, "w"), 0);
}

TEST(SommaDiffPol, TheWorkedCase)
{
    EsercizioSommaPol somma;
    EsercizioDiffPol diff;
    for (EsercizioSommaDiffPol* es : {static_cast<EsercizioSommaDiffPol*>(&somma), static_cast<EsercizioSommaDiffPol*>(&diff)}) {
        es->A.c = {CoefficienteCasualeRisultato{"3", 3, 1}, {"-(1/2)", -1, 2}, {"5", 5, 1}};
        es->A.L = {"x^2", "x*y", ""};
        es->B.c = {CoefficienteCasualeRisultato{"-2", -2, 1}, {"7", 7, 1}, {"-(4/3)", -4, 3}};
        es->B.L = {"x*y", "x^2", ""};
    }
    EXPECT_TRUE(somma.Verifica("10x^2-5/2xy+11/3"));
    EXPECT_TRUE(somma.Verifica("11/3-5/2xy+10x^2"));
    EXPECT_FALSE(somma.Verifica("10x^2-5/2yx+11/3"));
    EXPECT_TRUE(diff.Verifica("-4x^2+3/2xy+19/3"));
    EXPECT_FALSE(diff.Verifica("-4x^2+3/2xy-1/3"));
    EXPECT_EQ(somma.RispostaAttesa(), "10x^2-5/2xy+11/3");
    EXPECT_EQ(diff.RispostaAttesa(), "-4x^2+3/2xy+19/3");
}

namespace {

void ProvaSommaDiff(EsercizioSommaDiffPol& es, unsigned seme)
{
    ImpostaSeme(seme);
    std::mt19937 mescola(seme);
    const std::string giunto = ")" + GiuntoOperazione(es.Differenza() ? '-' : '+') + "(";
    int costanti = 0, cancellati = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const std::string& t = es.TestoEsercizio();
        const auto parti = Dividi(t.substr(1, t.size() - 2), giunto);
        ASSERT_EQ(parti.size(), 2u) << t;
        const auto a = TerminiDi(parti[0]), b = TerminiDi(parti[1]);
        ASSERT_EQ(a.size(), 3u) << t;
        ASSERT_EQ(b.size(), 3u) << t;
        std::vector<Mon> tutti = a;
        int simili = 0;
        for (Mon m : b) {
            if (es.Differenza())
                m.c = Q(-m.c.n, m.c.d);
            for (const Mon& x : a)
                simili += x.e == m.e;
            tutti.push_back(m);
        }
        EXPECT_GE(simili, 2) << t; // B has two terms similar to terms of A
        costanti += a[2].e == Esp{0, 0, 0} && b[2].e == Esp{0, 0, 0};
        const auto r = Riduci(tutti);
        cancellati += r.size() < 6 - static_cast<std::size_t>(simili);
        std::vector<std::string> giusti;
        std::vector<std::string> doppi; // fractions written with both terms doubled
        for (const auto& [e, c] : r) {
            giusti.push_back(Scrivi(c, e));
            Forma f;
            f.fattore = 2;
            doppi.push_back(Scrivi(c, e, f));
        }
        if (r.empty()) {
            giusti = {"0"};
            doppi = {"0/2"};
        }
        std::shuffle(giusti.begin(), giusti.end(), mescola);
        const std::string giusta = Unisci(giusti);
        EXPECT_TRUE(es.Verifica(giusta)) << t << "  " << giusta;
        EXPECT_TRUE(es.Verifica(Unisci(doppi))) << t;
        EXPECT_TRUE(es.Verifica(es.RispostaAttesa())) << t;
        // A term left out, a term added, a sign changed: wrong.
        if (giusti.size() > 1) {
            EXPECT_FALSE(es.Verifica(Unisci({giusti.begin() + 1, giusti.end()}))) << t;
        }
        EXPECT_FALSE(es.Verifica(giusta + "+z^9")) << t;
        auto cambiato = giusti;
        cambiato[0] = cambiato[0][0] == '-' ? cambiato[0].substr(1) : "-" + cambiato[0];
        if (giusti[0] != "0") {
            EXPECT_FALSE(es.Verifica(Unisci(cambiato))) << t;
        }
    }
    EXPECT_GT(costanti, 0);
    EXPECT_GT(cancellati, 0);
}

} // namespace

TEST(SommaDiffPol, SeededSumsAgainstTheOracle)
{
    EsercizioSommaPol es;
    ProvaSommaDiff(es, 808);
}

TEST(SommaDiffPol, SeededDifferencesAgainstTheOracle)
{
    EsercizioDiffPol es;
    ProvaSommaDiff(es, 909);
}

TEST(PolConcetto, KindsCycleAndEveryExpectedAnswerIsRight)
{
    ImpostaSeme(1001);
    EsercizioPolConcetto es;
    int polinomi = 0, normali = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        ASSERT_EQ(es.TipoDomanda, i % 3 + 1);
        const std::string& t = es.TestoEsercizio();
        if (es.TipoDomanda == 1) {
            EXPECT_EQ(es.Domanda(), "\xC3\x88 un polinomio?");
            // A polynomial has no negative exponent; every piece between
            // the signs is then a monomial.
            const bool polinomio = t.find("^(-") == std::string::npos;
            if (polinomio) {
                EXPECT_FALSE(TerminiDi(t).empty()) << t;
            }
            polinomi += polinomio;
            EXPECT_EQ(es.RispostaAttesa(), polinomio ? "Si" : "No") << t;
        } else if (es.TipoDomanda == 2) {
            const auto termini = TerminiDi(t);
            ASSERT_EQ(termini.size(), 3u) << t;
            const bool normale = termini[0].e != termini[1].e && termini[0].e != termini[2].e && termini[1].e != termini[2].e;
            EXPECT_TRUE(termini[0].e != termini[1].e) << t;
            normali += normale;
            EXPECT_EQ(es.RispostaAttesa(), normale ? "Si" : "No") << t;
        } else {
            const auto termini = TerminiDi(t);
            ASSERT_EQ(termini.size(), 4u) << t;
            const int k = es.Domanda().back() == '?' ? es.Domanda()[es.Domanda().size() - 2] - 'x' : -1;
            ASSERT_TRUE(k == 0 || k == 1) << es.Domanda(); // only x or y is asked
            int grado = 0;
            for (const Mon& m : termini)
                grado = std::max(grado, m.e[static_cast<std::size_t>(k)]);
            EXPECT_GE(grado, 1) << t;
            EXPECT_EQ(es.RispostaAttesa(), std::to_string(grado)) << t;
            EXPECT_TRUE(es.Verifica(std::to_string(grado) + " ")); // spaces do not count
            EXPECT_FALSE(es.Verifica(std::to_string(grado + 1)));
        }
        EXPECT_TRUE(es.Verifica(es.RispostaAttesa())) << t;
        if (es.SiNo()) {
            const bool si = es.RispostaAttesa() == "Si";
            EXPECT_FALSE(es.Verifica(si ? "No" : "Si"));
            EXPECT_FALSE(es.Verifica("")); // no choice made is neither answer
        }
    }
    EXPECT_GT(polinomi, kEsercizi / 3 / 3);
    EXPECT_LT(polinomi, kEsercizi / 3);
    EXPECT_GT(normali, kEsercizi / 3 / 3);
}

namespace {

PolinomioGenerato Pol(std::initializer_list<std::tuple<int, int, const char*>> termini)
{
    PolinomioGenerato p;
    std::size_t i = 0;
    for (const auto& [n, d, l] : termini) {
        p.c[i] = {"", n, d};
        p.L[i] = l;
        ++i;
    }
    return p;
}

} // namespace

TEST(ProdottoPol, DocumentedCases)
{
    EsercizioProdottoPol es;
    es.A = Pol({{2, 1, "x"}, {5, 1, "y"}});
    es.B = Pol({{3, 1, "x"}, {-4, 1, "y"}});
    EXPECT_EQ(es.ProdottiParziali().size(), 4u);
    EXPECT_EQ(es.Attesi().size(), 3u);
    EXPECT_TRUE(es.Verifica("6x^2+7xy-20y^2"));
    EXPECT_TRUE(es.Verifica("-20y^2+7yx+6x^2"));
    EXPECT_TRUE(es.Verifica("6x^2+7x^1y-20y^2"));
    EXPECT_FALSE(es.Verifica("6x^2-8xy+15xy-20y^2")); // four terms
    EXPECT_FALSE(es.Verifica("6x^2+7xyx-20y^2"));     // a letter twice
    // Three products of degree 2 in z form one term.
    es.A = Pol({{2, 1, "z"}, {3, 1, "z^2"}, {4, 1, ""}});
    es.B = Pol({{5, 1, "z"}, {6, 1, "z^2"}, {7, 1, ""}});
    EXPECT_EQ(es.ProdottiParziali().size(), 9u);
    EXPECT_EQ(es.Attesi().size(), 5u);
    EXPECT_TRUE(es.Verifica("18z^4+27z^3+55z^2+34z+28"));
    es.B = Pol({{5, 1, "z"}, {6, 1, "z^2"}});
    EXPECT_EQ(es.ProdottiParziali().size(), 6u);
    // A product that cancels leaves no term: 2x*3y and 6xy*(-1).
    es.A = Pol({{2, 1, "x"}, {-1, 1, "x*y"}});
    es.B = Pol({{3, 1, "y"}, {6, 1, ""}});
    EXPECT_TRUE(es.Verifica("12x-3xy^2"));
    EXPECT_FALSE(es.Verifica("12x+0xy-3xy^2"));
}

TEST(ProdottoPol, ExactCancellationOfFractions)
{
    // The two xy products are +1/6 and -1/6: in floating point their sum is
    // not exactly 0, with exact fractions it is.
    EsercizioProdottoPol es;
    es.A = Pol({{-1, 2, "x"}, {-1, 7, "y"}});
    es.B = Pol({{7, 6, "x"}, {-1, 3, "y"}});
    EXPECT_EQ(es.Attesi().size(), 2u);
    EXPECT_TRUE(es.Verifica("-7/12x^2+1/21y^2"));
    EXPECT_EQ(es.RispostaAttesa(), "-7/12x^2+1/21y^2");
}

TEST(ProdottoPol, SeededProductsAgainstTheOracle)
{
    ImpostaSeme(1111);
    std::mt19937 mescola(1111);
    EsercizioProdottoPol es;
    std::set<std::size_t> parziali;
    int cancellati = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const std::string& t = es.TestoEsercizio();
        const auto parti = Dividi(t.substr(1, t.size() - 2), ")&string(  \xB7  )&(");
        ASSERT_EQ(parti.size(), 2u) << t;
        const auto a = TerminiDi(parti[0]), b = TerminiDi(parti[1]);
        ASSERT_TRUE(a.size() == 2 || a.size() == 3) << t;
        ASSERT_TRUE(b.size() == 2 || b.size() == 3) << t;
        ASSERT_TRUE(b[0].e == a[0].e || b[0].e == a[1].e) << t; // M1 from A
        ASSERT_TRUE(b[1].e != b[0].e) << t;
        std::vector<Mon> prodotti;
        for (const Mon& x : a)
            for (const Mon& y : b) {
                Mon p;
                p.c = x.c * y.c;
                for (int k = 0; k < 3; ++k)
                    p.e[k] = x.e[k] + y.e[k];
                prodotti.push_back(p);
            }
        parziali.insert(prodotti.size());
        EXPECT_EQ(es.ProdottiParziali().size(), prodotti.size());
        const auto r = Riduci(prodotti);
        std::set<Esp> distinti;
        for (const Mon& p : prodotti)
            distinti.insert(p.e);
        cancellati += r.size() < distinti.size();
        std::vector<std::string> giusti, inversi;
        for (const auto& [e, c] : r) {
            giusti.push_back(Scrivi(c, e));
            Forma f;
            f.ordine = {2, 1, 0};
            f.uno = true;
            f.fattore = 3;
            inversi.push_back(Scrivi(c, e, f));
        }
        std::shuffle(giusti.begin(), giusti.end(), mescola);
        const std::string giusta = Unisci(giusti);
        EXPECT_TRUE(es.Verifica(giusta)) << t << "  " << giusta;
        EXPECT_TRUE(es.Verifica(Unisci(inversi))) << t << "  " << Unisci(inversi);
        EXPECT_TRUE(es.Verifica(es.RispostaAttesa())) << t;
        if (giusti.size() > 1) {
            EXPECT_FALSE(es.Verifica(Unisci({giusti.begin() + 1, giusti.end()}))) << t;
        }
        EXPECT_FALSE(es.Verifica(giusta + "+z^9")) << t;
        auto cambiato = giusti;
        cambiato[0] = cambiato[0][0] == '-' ? cambiato[0].substr(1) : "-" + cambiato[0];
        EXPECT_FALSE(es.Verifica(Unisci(cambiato))) << t;
    }
    EXPECT_EQ(parziali, (std::set<std::size_t>{4, 6, 9}));
    EXPECT_GT(cancellati, 0); // products that cancel do occur
}
