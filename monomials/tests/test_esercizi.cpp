// The monomial topics without windows: many seeded exercises judged against
// the oracle's exact results, in every form a pupil may type.
#include <gtest/gtest.h>

#include <set>

#include "EsercizioConcetto.h"
#include "EsercizioMcdMcmMon.h"
#include "EsercizioPotenzaMon.h"
#include "EsercizioProdottoMon.h"
#include "EsercizioQuozienteMon.h"
#include "EsercizioSommaMon.h"
#include "Oracolo.h"
#include "Forma.h"
#include "funzioni.h"

using namespace mevario;
using namespace mevario::oracolo;

namespace {

constexpr int kEsercizi = 2000;
const std::string kPer = "&string(  \xB7  )&";

// Answers that must be wrong for the result (c, e): one exponent off, the
// sign changed, one letter changed, the coefficient off by one.
std::vector<std::string> Perturbate(Q c, Esp e)
{
    std::vector<std::string> r;
    for (int k = 0; k < 3; ++k) {
        Esp f = e;
        f[k] += 1;
        r.push_back(Scrivi(c, f));
        if (e[k] > 0) {
            // The same letter's exponent to another letter.
            Esp g = e;
            const int altra = (k + 1) % 3;
            if (g[altra] == 0) {
                g[altra] = g[k];
                g[k] = 0;
                r.push_back(Scrivi(c, g));
            }
        }
    }
    if (c.n != 0)
        r.push_back(Scrivi(Q(-c.n, c.d), e));
    r.push_back(Scrivi(Q(c.n + c.d, c.d), e)); // off by one
    return r;
}

// The result written with a letter twice: x^3 as "x^2x". Read with only
// the first occurrence this would look right.
std::optional<std::string> LetteraDoppia(Q c, Esp e)
{
    for (int k = 0; k < 3; ++k)
        if (e[k] >= 2 && e[k] <= 9) {
            Esp f = e;
            f[k] = e[k] - 1;
            return Scrivi(c, f) + static_cast<char>('x' + k);
        }
    return std::nullopt;
}

} // namespace

TEST(SommaMon, SeededSumsAgainstTheOracle)
{
    ImpostaSeme(101);
    EsercizioSommaMon es;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const auto termini = Dividi(es.TestoEsercizio(), "&string(  +  )&");
        ASSERT_TRUE(termini.size() == 2 || termini.size() == 3) << es.TestoEsercizio();
        Q somma(0);
        Esp e{};
        for (std::size_t k = 0; k < termini.size(); ++k) {
            const auto m = Leggi(termini[k]);
            ASSERT_TRUE(m) << termini[k];
            if (k == 0)
                e = m->e;
            ASSERT_EQ(m->e, e) << es.TestoEsercizio(); // similar monomials
            somma = somma + m->c;
        }
        const std::string giusta = Scrivi(somma, e);
        EXPECT_EQ(es.RispostaAttesa(), giusta);
        EXPECT_TRUE(es.Verifica(giusta)) << giusta;
        Forma stelle;
        stelle.sep = "*";
        EXPECT_TRUE(es.Verifica(Scrivi(somma, e, stelle)));
        if (somma.n != 0) {
            Forma doppia;
            doppia.fattore = 3;
            EXPECT_TRUE(es.Verifica(Scrivi(somma, e, doppia)));
        }
        for (const std::string& p : Perturbate(somma, e))
            EXPECT_FALSE(es.Verifica(p)) << es.TestoEsercizio() << " " << p;
        Forma maiuscole;
        maiuscole.maiuscole = true;
        EXPECT_FALSE(es.Verifica(Scrivi(somma, e, maiuscole))); // the sum wants the literal part as shown
        // ... and says so: a slip of form, not a wrong value.
        EXPECT_EQ(es.Forma(Scrivi(somma, e, maiuscole) + " "), "Scrivi le lettere in minuscolo.");
        Forma inversa;
        inversa.ordine = {2, 1, 0};
        const int lettere = (e[0] > 0) + (e[1] > 0) + (e[2] > 0);
        if (lettere > 1) {
            EXPECT_FALSE(es.Verifica(Scrivi(somma, e, inversa)));
            EXPECT_EQ(es.Forma(Scrivi(somma, e, inversa)), "Scrivi le lettere nell'ordine x, y, z.");
            inversa.maiuscole = true;
            inversa.uno = true;
            EXPECT_EQ(es.Forma(Scrivi(somma, e, inversa)).substr(0, 70),
                      "Scrivi le lettere in minuscolo. Scrivi le lettere nell'ordine x, y, z.");
        }
        Forma uno;
        uno.uno = true;
        if (e[0] == 1 || e[1] == 1 || e[2] == 1) {
            EXPECT_EQ(es.Forma(Scrivi(somma, e, uno)), "Non scrivere l'esponente 1: x^1 si scrive x.");
        }
        EXPECT_EQ(es.Forma(giusta), "") << "a right answer has no slip to tell";
        // A wrong value is wrong, however it is written.
        for (const std::string& p : Perturbate(somma, e)) {
            EXPECT_EQ(es.Forma(p), "") << es.TestoEsercizio() << " " << p;
            std::string m = p;
            for (char& c : m)
                c = c >= 'x' && c <= 'z' ? static_cast<char>(c - 32) : c;
            EXPECT_EQ(es.Forma(m), "") << es.TestoEsercizio() << " " << m;
        }
    }
}

// Writing an answer again in the usual form never changes its value, and
// names only what it put right.
TEST(Forma, RiscriviFormaPutsRightOnlyTheSlipsAsked)
{
    const auto r = [](const std::string& t, unsigned q = KTuttiScivoloni) { return RiscriviForma(t, q); };
    EXPECT_EQ(r("-13/3YZ").testo, "-13/3yz");
    EXPECT_EQ(r("-13/3YZ").trovati, unsigned(KMaiuscole));
    EXPECT_EQ(r("11/2y^2xz").testo, "11/2xy^2z");
    EXPECT_EQ(r("11/2y^2xz").trovati, unsigned(KOrdine));
    EXPECT_EQ(r("3x^3y^1z^2").testo, "3x^3yz^2");
    EXPECT_EQ(r("1y^2").testo, "y^2");
    EXPECT_EQ(r("-1*x+1").testo, "-x+1") << "the constant 1 stays";
    EXPECT_EQ(r(" 2x^10 - 1x^1 ").testo, "2x^10-x") << "an exponent 10 is no exponent 1";
    EXPECT_EQ(r("x^2y^11").trovati, 0u);
    EXPECT_EQ(r("11x").trovati, 0u) << "11 is no coefficient 1";
    EXPECT_EQ(r("1/2x").trovati, 0u);
    EXPECT_EQ(r("ZX", KMaiuscole).testo, "zx") << "only what is asked is put right";
    EXPECT_EQ(r("ZX", KMaiuscole).trovati, unsigned(KMaiuscole));
    // Terms that are not letters with exponents are kept as typed.
    EXPECT_EQ(r("(YX)^2").testo, "(YX)^2");
    EXPECT_EQ(r("xyx").testo, "xyx");
    EXPECT_EQ(r("ax").testo, "ax");
    EXPECT_EQ(r("x^-1Y").testo, "x^-1Y");
    EXPECT_EQ(r("").testo, "");
}

TEST(Forma, NumbersAreReadByTheirValue)
{
    EXPECT_TRUE(StessoNumero("-3/4", "-6/8"));
    EXPECT_TRUE(StessoNumero("-(3/4)", "-3/4"));
    EXPECT_TRUE(StessoNumero("(-3)/4", "3/-4"));
    EXPECT_TRUE(StessoNumero(" 3 ", "03"));
    EXPECT_TRUE(StessoNumero("--3", "+3"));
    EXPECT_TRUE(StessoNumero("6/2", "3"));
    EXPECT_FALSE(StessoNumero("3/4", "-3/4"));
    EXPECT_FALSE(StessoNumero("3/0", "3/0")) << "no number has a denominator 0";
    EXPECT_FALSE(StessoNumero("3x", "3"));
    EXPECT_FALSE(StessoNumero("(3", "3"));
    EXPECT_FALSE(StessoNumero("3/4/5", "3/20"));
    EXPECT_FALSE(StessoNumero("1234567890", "1234567890")) << "ten digits are not read";
    EXPECT_FALSE(StessoNumero("", "0"));
    EXPECT_TRUE(StessoNumero("((1/2)/(3/4))", "2/3"));
    EXPECT_FALSE(LeggiNumero(std::string(100, '(') + "1" + std::string(100, ')')).has_value());
}

TEST(ProdottoMon, SeededProductsAgainstTheOracle)
{
    ImpostaSeme(202);
    EsercizioProdottoMon es;
    int tre = 0, esponenteAlto = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const auto fattori = Dividi(es.TestoEsercizio(), kPer);
        ASSERT_TRUE(fattori.size() == 2 || fattori.size() == 3) << es.TestoEsercizio();
        tre += fattori.size() == 3;
        Q c(1);
        Esp e{};
        for (const auto& f : fattori) {
            const auto m = Leggi(f);
            ASSERT_TRUE(m) << f;
            c = c * m->c;
            for (int k = 0; k < 3; ++k)
                e[k] += m->e[k];
        }
        for (int k = 0; k < 3; ++k)
            esponenteAlto += e[k] >= 7;
        EXPECT_EQ(es.RispostaAttesa(), Scrivi(c, e));
        // Every accepted form: canonical, letters reversed with spaces and an
        // unreduced coefficient, capitals, "^1", absent letters "^0".
        Forma inversa;
        inversa.ordine = {2, 1, 0};
        inversa.sep = " ";
        inversa.fattore = 2;
        Forma maiuscole;
        maiuscole.maiuscole = true;
        maiuscole.uno = true;
        maiuscole.zero = true;
        maiuscole.coefficienteUno = true;
        for (const std::string& g : {Scrivi(c, e), Scrivi(c, e, inversa), Scrivi(c, e, maiuscole)})
            EXPECT_TRUE(es.Verifica(g)) << es.TestoEsercizio() << " " << g;
        for (const std::string& p : Perturbate(c, e))
            EXPECT_FALSE(es.Verifica(p)) << es.TestoEsercizio() << " " << p;
        if (const auto doppia = LetteraDoppia(c, e)) {
            EXPECT_FALSE(es.Verifica(*doppia)) << *doppia;
        }
    }
    EXPECT_GT(tre, kEsercizi / 3);
    EXPECT_LT(tre, 2 * kEsercizi / 3);
    EXPECT_GT(esponenteAlto, 0); // exponents reach the high end
}

TEST(ProdottoMon, DocumentedAnswers)
{
    EsercizioProdottoMon es;
    es.p1 = 4;
    es.L1 = "x^2*z^3";
    es.p2 = 3;
    es.q2 = 5;
    es.L2 = "x*y^2";
    for (const char* s : {"12/5x^3y^2z^3", "24/10 z^3 y^2 x^3", "12/5X^3Y^2Z^3"})
        EXPECT_TRUE(es.Verifica(s)) << s;
    // The last letter of x^4 typed apart: only the first x would count.
    for (const char* s : {"12/5x^3y^2", "12/5x^3y^2z^3x", "12/5x^2y^2z^3x", "12/5 x^3 y^2 z^3 X"})
        EXPECT_FALSE(es.Verifica(s)) << s;
    // Something after the monomial is not the monomial, whatever its exponents.
    for (const char* s : {"12/5x^3y^2z^3+5", "12/5x^3y^2z^3-x", "12/5x^3y^2z^3*2", "12/5x^3y^2(z^3)",
                          "12/5x^3y^2z^3^2", "12/5x^3y^2z^"})
        EXPECT_FALSE(es.Verifica(s)) << s;
    EXPECT_TRUE(es.Verifica("12/5x^3*y^2*z^3"));
    es.p1 = 5;
    es.q2 = 5;
    es.p2 = 1;
    EXPECT_TRUE(es.Verifica("x^3y^2z^3")); // coefficient 1 left out
    EXPECT_EQ(es.RispostaAttesa(), "x^3y^2z^3");
    EXPECT_THROW((void)es.Verifica("2-3x"), ErroreConversione);
    EXPECT_THROW((void)es.Verifica("4/0x"), ErroreDivisionePerZero);
}

TEST(PotenzaMon, SeededPowersAgainstTheOracle)
{
    ImpostaSeme(303);
    EsercizioPotenzaMon es;
    std::set<int> potenze;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const std::string& t = es.TestoEsercizio();
        ASSERT_EQ(t.front(), '(');
        const auto chiusa = t.rfind(")^");
        ASSERT_NE(chiusa, std::string::npos);
        ASSERT_EQ(chiusa + 3, t.size());
        const int k = t.back() - '0';
        potenze.insert(k);
        const auto m = Leggi(t.substr(1, chiusa - 1));
        ASSERT_TRUE(m) << t;
        Q c(1);
        Esp e{};
        for (int j = 0; j < k; ++j)
            c = c * m->c;
        for (int j = 0; j < 3; ++j)
            e[j] = m->e[j] * k;
        EXPECT_FALSE(c.d == 1 && (c.n == 1 || c.n == -1)); // a right answer always has digits
        EXPECT_EQ(es.RispostaAttesa(), Scrivi(c, e));
        Forma inversa;
        inversa.ordine = {1, 2, 0};
        inversa.sep = " ";
        inversa.maiuscole = true;
        inversa.uno = true;
        for (const std::string& g : {Scrivi(c, e), Scrivi(c, e, inversa)})
            EXPECT_TRUE(es.Verifica(g)) << t << " " << g;
        for (const std::string& p : Perturbate(c, e))
            EXPECT_FALSE(es.Verifica(p)) << t << " " << p;
        if (const auto doppia = LetteraDoppia(c, e)) {
            EXPECT_FALSE(es.Verifica(*doppia)) << *doppia;
        }
        // A bracketed coefficient ends the reading: it is then read as 1.
        if (c.d != 1) {
            EXPECT_FALSE(es.Verifica("(" + Scrivi(c, e) + ")")) << t;
        }
    }
    EXPECT_EQ(potenze, (std::set<int>{2, 3}));
}

TEST(PotenzaMon, DocumentedAnswersAndItsOwnCoefficientReading)
{
    EsercizioPotenzaMon es;
    es.p = -2;
    es.q = 3;
    es.L = "x^3*y";
    es.k = 2;
    EXPECT_TRUE(es.Verifica("4/9x^6y^2"));
    EXPECT_TRUE(es.Verifica("4/9 y^2 x^6"));
    EXPECT_FALSE(es.Verifica("(4/9)x^6y^2"));
    EXPECT_FALSE(es.Verifica("4/9x^6y^2x"));
    es.p = -5;
    es.q = 1;
    es.L = "x^2*y^4*z";
    es.k = 3;
    EXPECT_TRUE(es.Verifica("-125x^6y^12z^3"));
    EXPECT_TRUE(es.Verifica("-125z^3y^12x^6"));
    EXPECT_FALSE(es.Verifica("125x^6y^12z^3"));
    // A lone minus before the letters is not a number.
    EXPECT_THROW((void)es.Verifica("-x^6"), ErroreConversione);
    EXPECT_THROW((void)es.Verifica("--2x"), ErroreConversione);
    EXPECT_THROW((void)es.Verifica("4/0x"), ErroreDivisionePerZero);
    EXPECT_EQ(LeggiCoefficientePotenza("(4/9)x").num, 1);
    EXPECT_EQ(LeggiCoefficientePotenza(" - 3 / 4 x").num, -3);
    EXPECT_EQ(LeggiCoefficientePotenza(" - 3 / 4 x").den, 4);
}

TEST(Concetto, KindsCycleAndEveryExpectedAnswerIsRight)
{
    ImpostaSeme(404);
    EsercizioConcetto es;
    int simili = 0, monomi = 0, frazioni = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        ASSERT_EQ(es.TipoDomanda, i % 4 + 1);
        const std::string& t = es.TestoEsercizio();
        switch (es.TipoDomanda) {
        case 1: {
            const bool monomio = Leggi(t).has_value();
            monomi += monomio;
            EXPECT_EQ(es.Domanda(), "\xC3\x88 un monomio?");
            EXPECT_EQ(es.RispostaAttesa(), monomio ? "Si" : "No") << t;
            EXPECT_TRUE(es.SiNo());
            break;
        }
        case 2: {
            const auto coppia = Dividi(t, "&string(       e       )&");
            ASSERT_EQ(coppia.size(), 2u);
            const auto a = Leggi(coppia[0]), b = Leggi(coppia[1]);
            ASSERT_TRUE(a && b) << t;
            const bool simile = a->e == b->e;
            simili += simile;
            if (simile) {
                EXPECT_FALSE(a->c == b->c) << t; // only the coefficient changed
            } else {
                EXPECT_TRUE(a->c == b->c) << t; // only the literal part changed
                int diverse = 0;
                for (int k = 0; k < 3; ++k)
                    diverse += a->e[k] != b->e[k];
                EXPECT_EQ(diverse, 1) << t;
            }
            EXPECT_EQ(es.RispostaAttesa(), simile ? "Si" : "No") << t;
            break;
        }
        case 3: {
            const auto m = Leggi(t);
            ASSERT_TRUE(m) << t;
            EXPECT_FALSE(es.SiNo());
            if (es.Domanda() == "Qual è il coefficiente del monomio?") {
                std::string c = std::to_string(m->numScritto);
                if (m->denScritto != 1) {
                    c += "/" + std::to_string(m->denScritto);
                    ++frazioni;
                    EXPECT_TRUE(es.Verifica("(" + c + ")")); // equal values are equal
                }
                EXPECT_EQ(es.RispostaAttesa(), c);
                // Any equal fraction, any sign written outside its brackets.
                const std::string doppia = std::to_string(2 * std::abs(m->numScritto)) + "/" +
                                           std::to_string(2 * m->denScritto);
                EXPECT_TRUE(es.Verifica((m->numScritto < 0 ? "-(" : "(") + doppia + ")")) << t;
                EXPECT_TRUE(es.Verifica(" " + c + " "));
                EXPECT_FALSE(es.Verifica(std::to_string(m->numScritto + 1)));
                EXPECT_FALSE(es.Verifica(std::to_string(-m->numScritto) + (m->denScritto != 1 ? "/" + std::to_string(m->denScritto) : "")));
                EXPECT_EQ(es.Forma(c + "x"), ""); // a monomial is not its coefficient
            } else {
                ASSERT_EQ(es.Domanda(), "Qual è la parte letterale del monomio?");
                EXPECT_EQ(es.RispostaAttesa(), Scrivi(Q(1), m->e));
                Forma stelle;
                stelle.sep = "*";
                const std::string conStelle = Scrivi(Q(1), m->e, stelle).substr(1); // "x^2*y"
                if (conStelle.find('*') != std::string::npos) {
                    EXPECT_TRUE(es.Verifica(conStelle)); // the same letters, "*" between them or not
                }
            }
            break;
        }
        case 4: {
            const auto m = Leggi(t);
            ASSERT_TRUE(m) << t;
            const int grado = m->e[0] + m->e[1] + m->e[2];
            EXPECT_EQ(es.RispostaAttesa(), std::to_string(grado)) << t;
            EXPECT_FALSE(es.Verifica(std::to_string(grado + 1)));
            EXPECT_TRUE(es.Verifica(" " + std::to_string(grado) + " ")); // spaces do not count
            EXPECT_TRUE(es.Verifica("0" + std::to_string(grado)));
            break;
        }
        }
        EXPECT_TRUE(es.Verifica(es.RispostaAttesa())) << t;
        if (es.SiNo()) {
            const bool si = es.RispostaAttesa() == "Si";
            EXPECT_FALSE(es.Verifica(si ? "No" : "Si"));
            EXPECT_FALSE(es.Verifica("")); // no button checked is neither answer
        }
    }
    EXPECT_GT(monomi, kEsercizi / 4 / 3);
    EXPECT_GT(simili, kEsercizi / 4 / 3);
    EXPECT_GT(frazioni, 0);
}

TEST(Concetto, DocumentedAnswers)
{
    EsercizioConcetto es;
    ImpostaSeme(5);
    // Draw kind 3 until a literal-part question on -(3/4)*x^2*y is not needed:
    // the rule is checked on the expected text directly.
    for (int i = 0; i < 200; ++i) {
        es.NuovaDomanda(3);
        if (es.Domanda() == "Qual è la parte letterale del monomio?" &&
            es.TestoEsercizio().find("x^2*y") != std::string::npos && es.TestoEsercizio().find('z') == std::string::npos) {
            EXPECT_EQ(es.RispostaAttesa(), "x^2y");
            EXPECT_TRUE(es.Verifica("x^2y"));
            EXPECT_TRUE(es.Verifica("x^2*y"));
            EXPECT_TRUE(es.Verifica("x^2 y"));
            // Not in the form asked: told, not judged right.
            EXPECT_FALSE(es.Verifica("yx^2"));
            EXPECT_EQ(es.Forma("yx^2"), "Scrivi le lettere nell'ordine x, y, z.");
            EXPECT_FALSE(es.Verifica("X^2Y"));
            EXPECT_EQ(es.Forma("X^2Y"), "Scrivi le lettere in minuscolo.");
            EXPECT_EQ(es.Forma("x^2y^1"), "Non scrivere l'esponente 1: x^1 si scrive x.");
            EXPECT_EQ(es.Forma("x^3y"), ""); // another value
            EXPECT_EQ(es.Forma("x^2"), "");
            return;
        }
    }
    FAIL() << "no literal-part question on x^2*y drawn";
}

TEST(QuozienteMon, SeededQuotientsAgainstTheOracle)
{
    ImpostaSeme(505);
    EsercizioQuozienteMon es;
    int numeri = 0, zeri = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const auto parti = Dividi(es.TestoEsercizio(), "&string(  :  )&");
        ASSERT_EQ(parti.size(), 2u) << es.TestoEsercizio();
        const auto a = Leggi(parti[0]), b = Leggi(parti[1]);
        ASSERT_TRUE(a && b) << es.TestoEsercizio();
        Esp e{};
        for (int k = 0; k < 3; ++k) {
            ASSERT_GE(a->e[k], b->e[k]) << es.TestoEsercizio(); // the result is a monomial
            e[k] = a->e[k] - b->e[k];
            zeri += b->e[k] > 0 && e[k] == 0;
        }
        const Q c = a->c / b->c;
        numeri += e == Esp{0, 0, 0};
        EXPECT_EQ(es.RispostaAttesa(), Scrivi(c, e));
        Forma zero; // letters gone typed with ^0, in capitals, "^1"
        zero.zero = true;
        zero.maiuscole = true;
        zero.uno = true;
        zero.ordine = {2, 0, 1};
        for (const std::string& g : {Scrivi(c, e), Scrivi(c, e, zero)})
            EXPECT_TRUE(es.Verifica(g)) << es.TestoEsercizio() << " " << g;
        for (const std::string& p : Perturbate(c, e))
            EXPECT_FALSE(es.Verifica(p)) << es.TestoEsercizio() << " " << p;
        if (const auto doppia = LetteraDoppia(c, e)) {
            EXPECT_FALSE(es.Verifica(*doppia)) << *doppia;
        }
    }
    EXPECT_GT(numeri, 0); // equal literal parts: a number alone
    EXPECT_GT(zeri, 0);   // a letter that cancels must be left out
}

TEST(QuozienteMon, DocumentedAnswers)
{
    EsercizioQuozienteMon es;
    es.p1 = -3, es.q1 = 2, es.L1 = "x*y^3";
    es.p2 = -2, es.q2 = 5, es.L2 = "x*y^2";
    EXPECT_TRUE(es.Verifica("15/4y"));
    EXPECT_TRUE(es.Verifica("15/4x^0y"));
    EXPECT_FALSE(es.Verifica("15/4xy")); // x cancels: typed plain it counts as x^1
    EXPECT_FALSE(es.Verifica("15/4yy^0"));
    es.L2 = es.L1;
    EXPECT_TRUE(es.Verifica("15/4"));
    EXPECT_EQ(es.RispostaAttesa(), "15/4");
    es.p1 = -8, es.q1 = 1, es.L1 = "x^2*y^4*z";
    es.p2 = 2, es.q2 = 1, es.L2 = "x*y^2";
    EXPECT_TRUE(es.Verifica("-4xy^2z"));
    EXPECT_FALSE(es.Verifica("4xy^2z"));
}

namespace {

// The monomials of an MCD or mcm exercise: "string(MCD)&!(" ... ")".
std::vector<Mon> Monomi(const std::string& t, const std::string& nome)
{
    const std::string inizio = "string(" + nome + ")&!(";
    EXPECT_EQ(t.rfind(inizio, 0), 0u) << t;
    EXPECT_EQ(t.back(), ')') << t;
    std::vector<Mon> r;
    for (const std::string& m : Dividi(t.substr(inizio.size(), t.size() - inizio.size() - 1), "&string(,  )&")) {
        const auto x = Leggi(m);
        EXPECT_TRUE(x) << m;
        if (x)
            r.push_back(*x);
    }
    return r;
}

void ProvaMcdMcm(EsercizioMcdMcmMon& es, unsigned seme)
{
    ImpostaSeme(seme);
    const bool mcm = es.Mcm();
    const long long limite = mcm ? 19 : 49;
    int frazioni = 0, senzaComuni = 0;
    for (int i = 0; i < kEsercizi; ++i) {
        es.NuovoEsercizio();
        const auto m = Monomi(es.TestoEsercizio(), mcm ? "mcm" : "MCD");
        ASSERT_TRUE(m.size() == 2 || m.size() == 3) << es.TestoEsercizio();
        bool interi = true;
        long long c = 0;
        Esp e = m[0].e;
        for (const Mon& x : m) {
            EXPECT_LE(std::llabs(x.numScritto), limite);
            EXPECT_LE(x.denScritto, limite);
            interi = interi && x.denScritto == 1;
            const long long v = std::llabs(x.numScritto);
            c = c == 0 ? v : (mcm ? std::lcm(c, v) : std::gcd(c, v));
            for (int k = 0; k < 3; ++k)
                e[k] = mcm ? std::max(e[k], x.e[k]) : std::min(e[k], x.e[k]);
        }
        if (!interi)
            c = 1, ++frazioni;
        if (!mcm) {
            EXPECT_TRUE(e != (Esp{0, 0, 0})) << es.TestoEsercizio(); // a shared letter
            if (interi) {
                EXPECT_GE(c, 2) << es.TestoEsercizio(); // never coprime
            }
        } else {
            bool comune = false;
            for (int k = 0; k < 3; ++k) {
                bool tutti = true;
                for (const Mon& x : m)
                    tutti = tutti && x.e[k] > 0;
                comune = comune || tutti;
            }
            senzaComuni += !comune;
        }
        const Q atteso(c);
        EXPECT_EQ(es.RispostaAttesa(), Scrivi(atteso, e));
        Forma inversa;
        inversa.ordine = {2, 1, 0};
        inversa.sep = " ";
        inversa.maiuscole = true;
        inversa.coefficienteUno = true;
        for (const std::string& g : {Scrivi(atteso, e), Scrivi(atteso, e, inversa)})
            EXPECT_TRUE(es.Verifica(g)) << es.TestoEsercizio() << " " << g;
        for (const std::string& p : Perturbate(atteso, e))
            EXPECT_FALSE(es.Verifica(p)) << es.TestoEsercizio() << " " << p;
        if (const auto doppia = LetteraDoppia(atteso, e)) {
            EXPECT_FALSE(es.Verifica(*doppia)) << *doppia;
        }
    }
    EXPECT_GT(frazioni, kEsercizi / 3);
    EXPECT_LT(frazioni, 2 * kEsercizi / 3);
    if (mcm) {
        EXPECT_GT(senzaComuni, 0); // the LCM accepts monomials with no letter in common
    }
}

} // namespace

TEST(McdMon, SeededExercisesAgainstTheOracle)
{
    EsercizioMcdMon es;
    ProvaMcdMcm(es, 606);
}

TEST(McmMon, SeededExercisesAgainstTheOracle)
{
    EsercizioMcmMon es;
    ProvaMcdMcm(es, 707);
}

TEST(McdMcmMon, DocumentedAnswers)
{
    EsercizioMcdMon mcd;
    mcd.p1 = 12, mcd.L1 = "x^3*y^3*z";
    mcd.p2 = -4, mcd.L2 = "x^2*y^4";
    EXPECT_TRUE(mcd.Verifica("4x^2y^3"));
    EXPECT_FALSE(mcd.Verifica("-4x^2y^3")); // always positive
    EXPECT_FALSE(mcd.Verifica("4x^2y^3x"));
    mcd.p1 = 2, mcd.q1 = 5, mcd.L1 = "x^3*y^2";
    mcd.p2 = 4, mcd.q2 = 1, mcd.L2 = "x^2*z^3";
    mcd.p3 = 2, mcd.q3 = 1, mcd.L3 = "x^4*z";
    EXPECT_TRUE(mcd.Verifica("x^2")); // a fraction among the coefficients: 1
    EXPECT_FALSE(mcd.Verifica("2x^2"));
    EsercizioMcmMon mcm;
    mcm.p1 = 6, mcm.L1 = "x^3*y^3*z";
    mcm.p2 = -5, mcm.L2 = "x^2*y^4";
    EXPECT_TRUE(mcm.Verifica("30x^3y^4z"));
    EXPECT_TRUE(mcm.Verifica("30 Z Y^4 X^3"));
    EXPECT_FALSE(mcm.Verifica("-30x^3y^4z"));
    mcm.p1 = 2, mcm.q1 = 5, mcm.L1 = "x^3*y^2";
    mcm.p2 = 4, mcm.q2 = 1, mcm.L2 = "x^2*z^3";
    mcm.p3 = 2, mcm.q3 = 1, mcm.L3 = "x^4*z";
    EXPECT_TRUE(mcm.Verifica("x^4y^2z^3"));
    EXPECT_EQ(mcm.RispostaAttesa(), "x^4y^2z^3");
}

TEST(MonomioDigitato, WritesThePupilsForm)
{
    EXPECT_EQ(MonomioDigitato(34, 4, {2, 1, 0}), "17/2x^2y");
    EXPECT_EQ(MonomioDigitato(-3, 3, {0, 0, 1}), "-z");
    EXPECT_EQ(MonomioDigitato(2, -4, {}), "-1/2");
    EXPECT_EQ(MonomioDigitato(1, 1, {}), "1");
    EXPECT_EQ(MonomioDigitato(0, 5, {1, 0, 0}), "0x");
    EXPECT_TRUE(LetteraRipetuta("x^2yX"));
    EXPECT_FALSE(LetteraRipetuta("x^2yz^3"));
    for (const char* p : {"", "x", "x^2Yz^13", "x*y^2*z", "X^03"})
        EXPECT_TRUE(SoloLettere(p)) << p;
    for (const char* p : {"x+1", "x^", "x^123", "x*", "*x", "x**y", "x^2)", "xw", "x^2 y"})
        EXPECT_FALSE(SoloLettere(p)) << p;
}
