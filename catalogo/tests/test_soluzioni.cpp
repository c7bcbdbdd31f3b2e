// The worked solutions and the diagnoses of wrong answers. Solutions: every line is a formula the
// typesetter reads; the lines of a calculation have the value of the
// expected answer (checked with a small evaluator of our own at a few points);
// the last line is the expected answer; the quizzes end with their answer.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <optional>
#include <string>

#include "Catalogo.h"
#include "EsercizioPotenzaMon.h"
#include "EsercizioProdottoMon.h"
#include "EsercizioProdottoPol.h"
#include "EsercizioSommaDiffPol.h"
#include "EsercizioSommaMon.h"
#include "ExprMake.h"
#include "funzioni.h"

using namespace mevario;

namespace {

// Reads a formula text of numbers, x, y, z, + - * / ^, "*." and brackets
// ("!(" too) and computes it at the given point. Nothing else is read: a
// text with words gives no value.
class Valutatore {
public:
    Valutatore(const std::string& t, long double x, long double y, long double z) : T(t), X(x), Y(y), Z(z) {}

    std::optional<long double> Valore()
    {
        if (T.find("string(") != std::string::npos)
            return std::nullopt;
        const long double v = Somma();
        if (!Ok || I != T.size())
            return std::nullopt;
        return v;
    }

private:
    long double Somma()
    {
        long double v = 0;
        bool primo = true;
        while (Ok && I < T.size()) {
            char segno = '+';
            if (T[I] == '+' || T[I] == '-')
                segno = T[I++];
            else if (!primo)
                break;
            const long double p = Prodotto();
            v += segno == '-' ? -p : p;
            primo = false;
        }
        return v;
    }
    long double Prodotto()
    {
        long double v = Potenza();
        while (Ok && I < T.size() && (T[I] == '*' || T[I] == '/')) {
            const char op = T[I++];
            if (op == '*' && I < T.size() && T[I] == '.')
                ++I;
            const long double f = Potenza();
            v = op == '*' ? v * f : v / f;
        }
        return v;
    }
    long double Potenza()
    {
        const long double b = Primario();
        if (I < T.size() && T[I] == '^') {
            ++I;
            return std::pow(b, Primario());
        }
        return b;
    }
    long double Primario()
    {
        if (I < T.size() && T[I] == '!')
            ++I;
        if (I < T.size() && T[I] == '(') {
            ++I;
            const long double v = Somma();
            if (I >= T.size() || T[I] != ')')
                Ok = false;
            ++I;
            return v;
        }
        if (I < T.size() && (T[I] == '-' || T[I] == '+')) { // a sign inside a bracket
            const bool meno = T[I++] == '-';
            const long double v = Prodotto();
            return meno ? -v : v;
        }
        if (I < T.size() && std::isdigit(static_cast<unsigned char>(T[I]))) {
            long double v = 0;
            while (I < T.size() && std::isdigit(static_cast<unsigned char>(T[I])))
                v = v * 10 + (T[I++] - '0');
            return v;
        }
        if (I < T.size() && (T[I] == 'x' || T[I] == 'y' || T[I] == 'z'))
            return T[I++] == 'x' ? X : T[I - 1] == 'y' ? Y : Z;
        Ok = false;
        return 0;
    }

    const std::string& T;
    long double X, Y, Z;
    std::size_t I = 0;
    bool Ok = true;
};

bool StessoValore(const std::string& a, const std::string& b)
{
    const long double punti[][3] = {{1.7L, 0.6L, 2.3L}, {-1.3L, 2.9L, 0.45L}};
    for (const auto& p : punti) {
        const auto va = Valutatore(a, p[0], p[1], p[2]).Valore();
        const auto vb = Valutatore(b, p[0], p[1], p[2]).Valore();
        if (!va || !vb || std::fabs(*va - *vb) > 1e-9L * (1 + std::fabs(*vb)))
            return false;
    }
    return true;
}

} // namespace

TEST(Soluzioni, TheEvaluatorReadsWhatTheSolutionsWrite)
{
    EXPECT_TRUE(StessoValore("(5+(1/2)+3)*x^2*z", "(17/2)*x^2*z"));
    EXPECT_TRUE(StessoValore("(-8)*.(-(8/7))*.6*x*y^(1+2+1)*z^(2+2)", "(384/7)*x*y^4*z^4"));
    EXPECT_TRUE(StessoValore("!(-(2/3))^3*x^(2*.3)", "-(8/27)*x^6"));
    EXPECT_FALSE(StessoValore("(5+(1/2)+3)*x^2*z", "(17/2)*x^2"));
    EXPECT_FALSE(StessoValore("x^(2+1)", "x^(2*.1)"));
    EXPECT_FALSE(StessoValore("string(Si)", "string(Si)"));
    EXPECT_FALSE(StessoValore("3x", "3*x")); // not a formula text
}

TEST(Soluzioni, EveryTopicWorksItsExercisesOut)
{
    for (const TArgomento& a : Argomenti()) {
        SCOPED_TRACE(a.nome);
        const auto es = a.crea();
        EXPECT_TRUE(es->Soluzione().empty()); // nothing before the first exercise
        ImpostaSeme(1234);
        for (int n = 0; n < 400; ++n) {
            es->NuovoEsercizio();
            const TSoluzione s = es->Soluzione();
            SCOPED_TRACE(es->TestoEsercizio());
            // One line only when the terms need no gathering (a product of
            // polynomials without similar terms); a quiz gives its reason.
            ASSERT_GE(s.size(), es->SiNo() || a.nome[0] == 'd' ? 2u : 1u);
            EXPECT_FALSE(s.front().uguale);
            for (const TRigaSoluzione& r : s)
                EXPECT_NO_THROW((void)TExprBuilder().ParseFormula(r.formula)) << r.formula;
            if (es->SiNo()) {
                EXPECT_EQ(s.back().formula, "string(" + es->RispostaAttesa() + ")");
                continue;
            }
            // The last line is the expected answer, by value; every line that
            // continues a calculation has that value too.
            const std::string attesa = FormaFormula(es->RispostaAttesa());
            EXPECT_TRUE(StessoValore(s.back().formula, attesa)) << s.back().formula << " vs " << attesa;
            for (const TRigaSoluzione& r : s) {
                if (r.uguale || Valutatore(r.formula, 1, 1, 1).Valore()) {
                    EXPECT_TRUE(StessoValore(r.formula, attesa)) << r.formula << " vs " << attesa;
                }
            }
        }
    }
}

TEST(Soluzioni, HandWorkedCases)
{
    // The sum of the concept page: (5 + 1/2 + 3)x^2z = 17/2 x^2z.
    const auto somma = TrovaArgomento("somma-monomi")->crea();
    ImpostaSeme(1);
    somma->NuovoEsercizio();
    const TSoluzione s = somma->Soluzione();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].formula.front(), '(');
    EXPECT_TRUE(s[1].uguale);
    // The power multiplies the exponents, the product adds them.
    const auto potenza = TrovaArgomento("potenza-monomio")->crea();
    potenza->NuovoEsercizio();
    EXPECT_NE(potenza->Soluzione()[0].formula.find("*."), std::string::npos);
    const auto prodotto = TrovaArgomento("prodotto-monomi")->crea();
    for (int i = 0; i < 20; ++i) {
        prodotto->NuovoEsercizio();
        const std::string r = prodotto->Soluzione()[0].formula;
        if (r.find("^(") != std::string::npos) {
            EXPECT_NE(r.find('+', r.find("^(")), std::string::npos) << r;
        }
    }
    // The first line of a sum or difference is A + B or A - B, term by term.
    for (const char* nome : {"somma-polinomi", "differenza-polinomi"}) {
        const auto es = TrovaArgomento(nome)->crea();
        const bool meno = std::string(nome)[0] == 'd';
        const std::string sep = meno ? ")&string(  -  )&(" : ")&string(  +  )&(";
        for (int i = 0; i < 50; ++i) {
            es->NuovoEsercizio();
            const std::string t = es->TestoEsercizio();
            const auto k = t.find(sep);
            ASSERT_NE(k, std::string::npos) << t;
            const std::string A = t.substr(0, k + 1), B = t.substr(k + sep.size() - 1);
            EXPECT_TRUE(StessoValore(es->Soluzione()[0].formula, A + (meno ? "-" : "+") + B))
                << es->Soluzione()[0].formula << " / " << t;
        }
    }
}

// ---- what is wrong in an answer ----------------------------------------------

namespace {

template <class E>
E Disegnato()
{
    E e;
    e.NuovoEsercizio(); // then the values are set by hand
    return e;
}

PolinomioGenerato Pol(std::initializer_list<std::pair<int, std::string>> termini)
{
    PolinomioGenerato p;
    std::size_t i = 0;
    for (const auto& [n, l] : termini) {
        p.c[i].num = n;
        p.L[i] = l;
        ++i;
    }
    return p;
}

} // namespace

TEST(Diagnosi, ProductAndPowerOfMonomials)
{
    auto pr = Disegnato<EsercizioProdottoMon>();
    pr.p1 = 2, pr.q1 = 1, pr.L1 = "x^2", pr.p2 = 3, pr.q2 = 1, pr.L2 = "x^3*y", pr.p3 = 1, pr.q3 = 1, pr.L3.clear();
    ASSERT_TRUE(pr.Verifica("6x^5y"));
    EXPECT_EQ(pr.Diagnosi("6x^5y").Testo(), "");
    EXPECT_TRUE(pr.Diagnosi("6x^5y").sbagliati.empty());
    const TDiagnosi m = pr.Diagnosi("6x^6y");
    EXPECT_EQ(m.errore, "Nel prodotto gli esponenti si sommano, non si moltiplicano.");
    EXPECT_EQ(m.sbagliati, std::vector<int>{0});
    EXPECT_EQ(pr.Diagnosi("7z").errore, ""); // wrong, but no rule says why
    EXPECT_EQ(pr.Diagnosi("5x^6y").errore, ""); // multiplied, and a wrong coefficient too
    EXPECT_EQ(pr.Diagnosi("6x^5y+x").conteggio, "C'\xC3\xA8 1 termine in pi\xC3\xB9.");
    EXPECT_EQ(pr.Diagnosi("6x^5y+x").sbagliati, std::vector<int>{1});
    EXPECT_EQ(pr.Diagnosi("6x^5y+").Testo(), ""); // not readable: nothing said

    auto po = Disegnato<EsercizioPotenzaMon>();
    po.p = 2, po.q = 1, po.k = 3, po.L = "x^2*y";
    ASSERT_TRUE(po.Verifica("8x^6y^3"));
    EXPECT_EQ(po.Diagnosi("8x^6y^3").Testo(), "");
    EXPECT_EQ(po.Diagnosi("8x^5y^4").errore, "Nella potenza gli esponenti si moltiplicano, non si sommano.");
    EXPECT_EQ(po.Diagnosi("2x^6y^3").errore, "Anche il coefficiente va elevato alla potenza.");
    EXPECT_EQ(po.Diagnosi("2x^5y^4").errore, "");
    EXPECT_EQ(po.Diagnosi("-8x^6y^3").errore, "");
}

TEST(Diagnosi, SumOfMonomials)
{
    auto s = Disegnato<EsercizioSommaMon>();
    s.p1 = 2, s.q1 = 1, s.p2 = 3, s.q2 = 1, s.p3 = 0, s.q3 = 1, s.L = "x^2*z";
    ASSERT_TRUE(s.Verifica("5x^2z"));
    EXPECT_EQ(s.Diagnosi("5x^2z").Testo(), "");
    const TDiagnosi ordine = s.Diagnosi("5zx^2");
    EXPECT_EQ(ordine.errore, "Le lettere vanno nell'ordine x, y, z.");
    EXPECT_EQ(ordine.sbagliati, std::vector<int>{0});
    const TDiagnosi simili = s.Diagnosi("2x^2z+3x^2z");
    EXPECT_EQ(simili.errore, "Ci sono termini simili da sommare.");
    EXPECT_EQ(simili.conteggio, "C'\xC3\xA8 1 termine in pi\xC3\xB9.");
    EXPECT_EQ(s.Diagnosi("6x^2z").errore, "");
    EXPECT_EQ(s.Diagnosi("2x^2z+4x^2z").errore, ""); // gathered it would still be wrong
}

TEST(Diagnosi, Polynomials)
{
    auto d = Disegnato<EsercizioDiffPol>();
    d.A = Pol({{3, "x"}, {2, "y"}});
    d.B = Pol({{1, "x"}, {-1, "y"}});
    ASSERT_TRUE(d.Verifica("2x+3y"));
    EXPECT_EQ(d.Diagnosi("2x+3y").Testo(), "");
    EXPECT_EQ(d.Diagnosi("3y+2x").Testo(), "");
    EXPECT_EQ(d.Diagnosi("4x+y").errore, "Nella differenza il secondo polinomio cambia segno.");
    EXPECT_EQ(d.Diagnosi("3x+2y+x-y").errore, "Nella differenza il secondo polinomio cambia segno.");
    const TDiagnosi simili = d.Diagnosi("3x+2y-x+y");
    EXPECT_EQ(simili.errore, "Ci sono termini simili da sommare.");
    EXPECT_EQ(simili.conteggio, "Ci sono 2 termini in pi\xC3\xB9.");
    const TDiagnosi inPiu = d.Diagnosi("2x+3y+z");
    EXPECT_EQ(inPiu.Testo(), "C'\xC3\xA8 1 termine in pi\xC3\xB9.");
    EXPECT_EQ(inPiu.sbagliati, std::vector<int>{2});
    const TDiagnosi manca = d.Diagnosi("2x");
    EXPECT_EQ(manca.Testo(), "Manca 1 termine.");
    EXPECT_TRUE(manca.sbagliati.empty());
    EXPECT_EQ(d.Diagnosi("7z-y").sbagliati, (std::vector<int>{0, 1}));
    EXPECT_EQ(d.Diagnosi("7z-y").errore, "");

    auto s = Disegnato<EsercizioSommaPol>();
    s.A = Pol({{2, "x*y"}, {1, ""}});
    s.B = Pol({{3, "x*y"}});
    ASSERT_TRUE(s.Verifica("5xy+1"));
    EXPECT_EQ(s.Diagnosi("5yx+1").errore, "Le lettere vanno nell'ordine x, y, z.");
    EXPECT_EQ(s.Diagnosi("5yx+1").sbagliati, std::vector<int>{0});
    EXPECT_EQ(s.Diagnosi("5xy+1").Testo(), "");

    auto p = Disegnato<EsercizioProdottoPol>();
    p.A = Pol({{1, "x"}, {1, ""}});
    p.B = Pol({{1, "x"}, {-1, ""}});
    ASSERT_TRUE(p.Verifica("x^2-1"));
    EXPECT_EQ(p.Diagnosi("x^2-1").Testo(), "");
    EXPECT_EQ(p.Diagnosi("-1+x^2").Testo(), "");
    EXPECT_EQ(p.Diagnosi("x^2-x+x-1").errore, "Ci sono termini simili da sommare.");
    EXPECT_EQ(p.Diagnosi("x^2+1").sbagliati, std::vector<int>{1});
}

TEST(Diagnosi, NeverOnARightAnswer)
{
    for (const TArgomento& a : Argomenti()) {
        SCOPED_TRACE(a.nome);
        const auto es = a.crea();
        ImpostaSeme(99);
        for (int n = 0; n < 300; ++n) {
            es->NuovoEsercizio();
            if (es->SiNo())
                continue;
            const TDiagnosi d = es->Diagnosi(es->RispostaAttesa());
            EXPECT_EQ(d.Testo(), "") << es->RispostaAttesa();
            EXPECT_TRUE(d.sbagliati.empty()) << es->RispostaAttesa();
        }
    }
}
