// The column division without windows: the worked example cell by cell,
// the rules of its terms, the check's order, and many seeded divisions
// verified with exact arithmetic in the test.
#include <gtest/gtest.h>

#include <map>
#include <numeric>

#include "Divisione.h"
#include "funzioni.h"

using namespace mevario;

namespace {

TTermine T(int num, int den, const char* lett, int riga = 1) { return {num, den, lett, riga}; }

// Records what a narrated run shows, and counts its waits.
class Registro : public TNarratore {
public:
    void PulisciNarrazione() override { Righe.clear(); }
    void MostraNarrazione(bool v) override { Visibile = v; }
    void Narra(const std::string& r) override { Righe.push_back(r); }
    void Pausa() override { ++Pause; }
    void CellaCambiata(int b, int r, int i) override { Celle.push_back({b, r, i}); }
    void Risultato() override { ++Risultati; }
    std::vector<std::string> Righe;
    std::vector<TDivisione::Cella> Celle;
    int Pause = 0, Risultati = 0;
    bool Visibile = false;
};

TDivisione Esempio()
{
    TDivisione d;
    const bool ok = d.ImpostaDivisione({T(5, 1, ""), T(-1, 1, ""), T(0, 1, ""), T(3, 1, ""), T(2, 1, "")},
                                       {T(2, 1, ""), T(1, 1, "")});
    EXPECT_TRUE(ok);
    return d;
}

std::vector<std::string> Riga(const TDivisione& d, int r)
{
    std::vector<std::string> c;
    for (int k = d.GradoDividendo; k >= 0; --k)
        c.push_back(d.TestoCella({1, r, k}, false));
    return c;
}

} // namespace

TEST(Divisione, TestoTermineAndJoining)
{
    EXPECT_EQ(TestoTermine(T(3, 1, "x^2")), "3*x^2");
    EXPECT_EQ(TestoTermine(T(-1, 1, "x")), "-x");
    EXPECT_EQ(TestoTermine(T(1, 2, "x^3")), "(1/2)*x^3");
    EXPECT_EQ(TestoTermine(T(-3, 4, "x^0")), "-(3/4)");
    EXPECT_EQ(TestoTermine(T(1, 1, "x^0")), "1");
    EXPECT_EQ(TestoTermine(T(1, 1, "x^1")), "x");
    EXPECT_EQ(TestoTermine(T(2, 1, "")), "2");
    EXPECT_EQ(TestoTermine(T(0, 1, "x^2", 1)), "0");
    EXPECT_EQ(TestoTermine(T(0, 1, "x^2", 3)), "");
    EXPECT_EQ(UnisciTermini({T(3, 1, "x^4"), T(-1, 2, "x^3"), T(0, 1, "x^2"), T(1, 1, "x"), T(-5, 1, "x^0")}),
              "3*x^4-(1/2)*x^3+x-5");
    // The result rule: "+" only after something, empty cells left out.
    EXPECT_EQ(UnisciRisultato({T(0, 1, "", 3), T(2, 1, "x^1", 3), T(1, 1, "x^0", 3)}), "2*x+1");
}

TEST(Divisione, TermsAsThePupilTypesThem)
{
    EXPECT_EQ(TestoDigitato(T(-3, 1, "x^4")), "-3x^4");
    EXPECT_EQ(TestoDigitato(T(7, 1, "x^3")), "7x^3");
    EXPECT_EQ(TestoDigitato(T(-3, 2, "x^2")), "-3/2x^2");
    EXPECT_EQ(TestoDigitato(T(-1, 1, "x^1")), "-x");
    EXPECT_EQ(TestoDigitato(T(1, 1, "x^0")), "1");
    EXPECT_EQ(TestoDigitato(T(3, -4, "")), "-3/4");
    EXPECT_EQ(TestoDigitato(T(0, 1, "x^2", 1)), "0");
    EXPECT_EQ(TestoDigitato(T(0, 1, "x^2", 3)), "");
    // What the pupil typed comes back as typed: unreduced, without "*".
    TDivisione d = Esempio();
    for (const char* digitato : {"2/4x", "-3/2x^2", "x^3", "-7"}) {
        ASSERT_TRUE(d.Digita({1, 2, 3}, digitato));
        EXPECT_EQ(d.TestoDigitatoCella({1, 2, 3}, true), digitato);
        EXPECT_TRUE(d.Digita({1, 2, 3}, d.TestoDigitatoCella({1, 2, 3}, true)));
    }
    ASSERT_TRUE(d.Digita({1, 2, 3}, "(3/2)*x^2"));
    EXPECT_EQ(d.TestoDigitatoCella({1, 2, 3}, true), "3/2x^2");
    EXPECT_EQ(d.TestoDigitatoCella({2, 1, 0}, true), "2");
    EXPECT_EQ(d.TestoDigitatoCella({2, 1, 3}, true), ""); // beyond the divisor
}

TEST(Divisione, TerminiUguali)
{
    EXPECT_TRUE(TerminiUguali(T(1, 1, "x"), T(1, 1, "x^1")));
    EXPECT_TRUE(TerminiUguali(T(3, 1, ""), T(3, 1, "x^0")));
    EXPECT_TRUE(TerminiUguali(T(0, 1, "x^3"), T(0, 1, "")));
    EXPECT_FALSE(TerminiUguali(T(2, 4, "x"), T(1, 2, "x")));
    EXPECT_FALSE(TerminiUguali(T(1, 2, "x^2"), T(1, 2, "x")));
    EXPECT_FALSE(TerminiUguali(T(1, 1, ""), T(1, 1, "x")));
}

TEST(Divisione, TheWorkedExampleCellByCell)
{
    TDivisione d = Esempio();
    Registro r;
    d.Svolgi(0, &r);
    const std::vector<std::vector<std::string>> attese = {
        {"2*x^4", "3*x^3", "0", "-x", "5"},  {"-2*x^4", "-4*x^3", "", "", ""}, {"", "-x^3", "", "-x", "5"},
        {"", "x^3", "2*x^2", "", ""},         {"", "", "2*x^2", "-x", "5"},    {"", "", "-2*x^2", "-4*x", ""},
        {"", "", "", "-5*x", "5"},            {"", "", "", "5*x", "10"},       {"", "", "", "", "15"}};
    for (int riga = 1; riga <= 9; ++riga)
        EXPECT_EQ(Riga(d, riga), attese[static_cast<std::size_t>(riga - 1)]) << "riga " << riga;
    EXPECT_EQ(Riga(d, 10), std::vector<std::string>(5, ""));
    EXPECT_EQ(d.TestoCella({2, 1, 1}, false), "x");
    EXPECT_EQ(d.TestoCella({2, 1, 0}, false), "2");
    const char* quoziente[] = {"2*x^3", "-x^2", "2*x", "-5", ""};
    for (int p = 4; p >= 0; --p)
        EXPECT_EQ(d.TestoCella({2, 2, p}, false), quoziente[4 - p]);
    EXPECT_EQ(d.TestoQuoziente, "2*x^3-x^2+2*x-5");
    EXPECT_EQ(d.TestoResto, "15");
    d.PreparaTesti();
    EXPECT_EQ(d.TestoDividendo, "2*x^4+3*x^3-x+5");
    EXPECT_EQ(d.TestoDivisore, "x+2");
    // 4 steps: 4s + 1 waits, so 18 clicks with the starting one.
    EXPECT_EQ(r.Pause + 1, 18);
    EXPECT_EQ(r.Risultati, 1);
    // The narration stays beside the result: its last sentence is read with it.
    EXPECT_TRUE(r.Visibile);
    EXPECT_NE(r.Righe.back().find("Il risultato della Divisione"), std::string::npos);
    // The narration writes terms as the pupil types them.
    const std::string fine = "cio\xC3\xA8 (2x^4) / (x) e scriviamo il risultato sotto il Divisore.";
    ASSERT_FALSE(r.Righe.empty());
    EXPECT_EQ(r.Righe[0].substr(r.Righe[0].size() - fine.size()), fine);
    EXPECT_EQ(r.Righe[3], "-) Il Polinomio cos\xC3\xAC ottenuto si chiama Resto parziale.");
    EXPECT_EQ(r.Righe.back().substr(0, 15), "-) Ci fermiamo ");
    // Every filled cell was repainted as it was filled.
    EXPECT_EQ(r.Celle.front(), (TDivisione::Cella{2, 2, 4}));
}

TEST(Divisione, ExactDivisionShowsTheRemainderZero)
{
    TDivisione d;
    ASSERT_TRUE(d.ImpostaDivisione({T(-1, 1, ""), T(0, 1, ""), T(1, 1, "")}, {T(-1, 1, ""), T(1, 1, "")}));
    Registro r;
    d.Svolgi(0, &r);
    EXPECT_EQ(d.TestoQuoziente, "x+1");
    EXPECT_EQ(d.TestoResto, "0");
}

TEST(Divisione, QuotientTermsAreReducedAndPlacedInOrder)
{
    TDivisione d;
    // (3/2)x^4 : 3x gives 1/2 x^3.
    ASSERT_TRUE(d.ImpostaDivisione({T(0, 1, ""), T(0, 1, ""), T(0, 1, ""), T(0, 1, ""), T(3, 2, "")},
                                   {T(0, 1, ""), T(3, 1, "")}));
    d.Svolgi(1);
    EXPECT_EQ(d.TestoCella({2, 2, 4}, false), "(1/2)*x^3");
    // 4x^3 : -2x^2 gives -2x.
    ASSERT_TRUE(d.ImpostaDivisione({T(0, 1, ""), T(0, 1, ""), T(0, 1, ""), T(4, 1, "")},
                                   {T(1, 1, ""), T(0, 1, ""), T(-2, 1, "")}));
    d.Svolgi(1);
    EXPECT_EQ(d.TestoCella({2, 2, 4}, false), "-2*x");
    // x^4 - x^3 + 2x + 1 : x - 1: after the first step the remainder has
    // lost x^3 and x^2 together; the next quotient term goes in the next cell.
    ASSERT_TRUE(d.ImpostaDivisione({T(1, 1, ""), T(2, 1, ""), T(0, 1, ""), T(-1, 1, ""), T(1, 1, "")},
                                   {T(-1, 1, ""), T(1, 1, "")}));
    d.Svolgi(1);
    EXPECT_EQ(Riga(d, 3), (std::vector<std::string>{"", "", "", "2*x", "1"})) << "two degrees lost at once";
    EXPECT_EQ(d.TestoCella({2, 2, 4}, false), "x^3");
    EXPECT_EQ(d.TestoCella({2, 2, 3}, false), "2");
    EXPECT_EQ(d.TestoCella({2, 2, 2}, false), "");
    // A product row holds exactly m + 1 terms, in the degrees e-lead .. e.
    int pieni = 0;
    for (int k = 0; k <= 4; ++k)
        pieni += !d.TestoCella({1, 2, k}, false).empty();
    EXPECT_EQ(pieni, 2);
}

TEST(Divisione, TheLimitOf99)
{
    TDivisione d;
    // 98x^4 : 9x^2 ... fractions with denominators 81 and beyond: refused.
    ASSERT_TRUE(d.ImpostaDivisione({T(1, 1, ""), T(0, 1, ""), T(1, 1, ""), T(97, 1, ""), T(98, 1, "")},
                                   {T(7, 1, ""), T(5, 1, ""), T(9, 1, "")}));
    d.Svolgi(1);
    EXPECT_TRUE(d.FuoriLimite);
    // The silent-and-clear run leaves nothing below row 1.
    d.Svolgi(2);
    for (int r = 2; r <= TDivisione::Righe; ++r)
        EXPECT_EQ(Riga(d, r), std::vector<std::string>(5, ""));
}

TEST(Divisione, PupilsGridCheckedInOrder)
{
    TDivisione d = Esempio();
    d.Svolgi(1);
    // Nothing typed: the first quotient cell is the first difference.
    EXPECT_EQ(d.PrimaDifferenza(), (TDivisione::Cella{2, 2, 4}));
    EXPECT_TRUE(d.Digita({2, 2, 4}, "2x^3"));
    EXPECT_EQ(d.PrimaDifferenza(), (TDivisione::Cella{1, 2, 4}));
    EXPECT_TRUE(d.Digita({1, 2, 4}, "-2x^4"));
    EXPECT_TRUE(d.Digita({1, 2, 3}, "-4x^3"));
    // Row 3: its leading cell stays empty (a typed 0 also fits).
    EXPECT_TRUE(d.Digita({1, 3, 4}, "0"));
    EXPECT_TRUE(d.Digita({1, 3, 3}, "-x^3"));
    EXPECT_TRUE(d.Digita({1, 3, 1}, "-x^1"));
    EXPECT_TRUE(d.Digita({1, 3, 0}, "5x^0"));
    EXPECT_EQ(d.PrimaDifferenza(), (TDivisione::Cella{2, 2, 3}));
    // Fill the rest from the expected grid; one wrong fraction in row 8.
    for (const auto& c : TDivisione::OrdineVerifica(4))
        d.TermineAlunno(c) = d.Termine(c, false);
    EXPECT_FALSE(d.PrimaDifferenza().has_value());
    EXPECT_TRUE(d.Digita({1, 8, 0}, "20/2"));
    EXPECT_EQ(d.PrimaDifferenza(), (TDivisione::Cella{1, 8, 0})); // not reduced: wrong
    // What is not a term leaves the cell as it was.
    EXPECT_FALSE(d.Digita({1, 8, 0}, ""));
    EXPECT_FALSE(d.Digita({1, 8, 0}, "2-3x"));
    EXPECT_FALSE(d.Digita({1, 8, 0}, "1/0"));
    EXPECT_FALSE(d.Digita({1, 1, 0}, "7")); // the dividend is given
    EXPECT_FALSE(d.Digita({1, 8, 0}, "xx"));
    EXPECT_FALSE(d.Digita({1, 8, 0}, std::string(TDivisione::MaxDigitati + 1, '1')));
    EXPECT_EQ(d.TestoCella({1, 8, 0}, true), "(20/2)");
}

TEST(Divisione, TheWholeGridJudgedFormSlipsApart)
{
    TDivisione d = Esempio();
    d.Svolgi(1);
    for (const auto& c : TDivisione::OrdineVerifica(4))
        d.TermineAlunno(c) = d.Termine(c, false);
    EXPECT_TRUE(d.GiudicaGriglia().Giusta());
    // Capitals and a fraction not in lowest terms: right values, told, not wrong.
    EXPECT_TRUE(d.Digita({2, 2, 4}, "2X^3"));
    EXPECT_TRUE(d.Digita({1, 8, 0}, "20/2"));
    auto e = d.GiudicaGriglia();
    EXPECT_TRUE(e.sbagliate.empty());
    EXPECT_EQ(e.forma, (std::vector<TDivisione::Cella>{{2, 2, 4}, {1, 8, 0}}));
    EXPECT_EQ(e.cosaCambiare, (std::vector<std::string>{"Scrivi le lettere in minuscolo.",
                                                        "Scrivi le frazioni ridotte ai minimi termini."}));
    // x^1 and 3x^0 are the form asked; another power or value is wrong.
    EXPECT_TRUE(d.Digita({1, 3, 1}, "-x^1"));
    EXPECT_TRUE(d.Digita({1, 3, 0}, "5x^0"));
    EXPECT_TRUE(d.Digita({1, 2, 4}, "-2x^3"));  // the power differs
    EXPECT_TRUE(d.Digita({1, 2, 3}, "4x^3"));   // the sign differs
    EXPECT_TRUE(d.Digita({1, 4, 4}, "7x^4"));   // a term where none is expected
    d.TermineAlunno({1, 9, 0}) = TTermine{0, 1, "", 9}; // none where 15 is expected
    e = d.GiudicaGriglia();
    EXPECT_EQ(e.sbagliate, (std::vector<TDivisione::Cella>{{1, 2, 4}, {1, 2, 3}, {1, 4, 4}, {1, 9, 0}}));
    EXPECT_EQ(e.forma.size(), 2u);
    EXPECT_FALSE(d.GrigliaVuota());
    TDivisione vuota = Esempio();
    vuota.Svolgi(1);
    EXPECT_TRUE(vuota.GrigliaVuota());
    EXPECT_TRUE(vuota.Digita({1, 5, 2}, "0")); // a typed 0 writes nothing
    EXPECT_TRUE(vuota.GrigliaVuota());
    // A zero coefficient with other letters is still nothing.
    EXPECT_EQ(GiudicaTermine(TTermine{0, 1, "", 3}, TTermine{0, 1, "X^2", 3}).esito, EsitoCella::Giusta);
}

TEST(Divisione, ReadingOrderRowByRowQuotientBesideRowTwo)
{
    const auto o = TDivisione::OrdineLettura(4, 9, 4);
    ASSERT_EQ(o.size(), 8u * 5u + 4u);
    EXPECT_EQ(o.front(), (TDivisione::Cella{1, 2, 4}));
    EXPECT_EQ(o[4], (TDivisione::Cella{1, 2, 0}));
    EXPECT_EQ(o[5], (TDivisione::Cella{2, 2, 4})); // past the bar, beside row 2
    EXPECT_EQ(o[8], (TDivisione::Cella{2, 2, 1}));
    EXPECT_EQ(o[9], (TDivisione::Cella{1, 3, 4}));
    EXPECT_EQ(o.back(), (TDivisione::Cella{1, 9, 0}));
}

TEST(Divisione, ReadingPolynomialsInX)
{
    const auto p = LeggiPolinomioInX("2x^4+3x^3-x+5", 4);
    EXPECT_EQ(p[4].Num, 2);
    EXPECT_EQ(p[1].Num, -1);
    EXPECT_EQ(p[0].Num, 5);
    EXPECT_EQ(LeggiPolinomioInX("x + x", 4)[1].Num, 2);
    for (const char* s : {"x^", "1/0x", "2x^9", "3y", "x+", ""})
        EXPECT_THROW(LeggiPolinomioInX(s, 4), ErroreCalcolo) << s;
    EXPECT_THROW(LeggiPolinomioInX("100x", 4), ErroreDivisione);
}

TEST(Divisione, SeededDivisionsAreExactAndWithinTheLimit)
{
    ImpostaSeme(1212);
    TDivisione d;
    int esatte = 0, frazioni = 0, gradi2 = 0;
    using R = std::pair<long long, long long>; // num, den
    const auto somma = [](R a, R b) {
        R r{a.first * b.second + b.first * a.second, a.second * b.second};
        const long long g = std::gcd(std::llabs(r.first), r.second);
        return g ? R{r.first / g, r.second / g} : r;
    };
    const auto per = [](R a, R b) {
        R r{a.first * b.first, a.second * b.second};
        const long long g = std::gcd(std::llabs(r.first), r.second);
        return g ? R{r.first / g, r.second / g} : r;
    };
    for (int i = 0; i < 2000; ++i) {
        d.NuovaDivisione(1);
        ASSERT_FALSE(d.FuoriLimite);
        ASSERT_EQ(d.GradoDividendo, 4);
        ASSERT_NE(d.SolDividendo[1][4].Num, 0);
        gradi2 += d.GradoDivisore == 2;
        for (int k = 0; k <= d.GradoDivisore; ++k) {
            ASSERT_NE(d.SolDivisore[1][static_cast<std::size_t>(k)].Num, 0);
            ASSERT_EQ(d.SolDivisore[1][static_cast<std::size_t>(k)].Den, 1);
        }
        // Every number of the grid within 99, reduced, positive denominator.
        for (int r = 1; r <= TDivisione::Righe; ++r)
            for (const TTermine& t : d.SolDividendo[static_cast<std::size_t>(r)]) {
                ASSERT_LE(std::abs(t.Num), 99);
                ASSERT_GT(t.Den, 0);
                ASSERT_LE(t.Den, 99);
                ASSERT_EQ(std::gcd(std::abs(t.Num), t.Den), t.Num ? 1 : t.Den);
                frazioni += t.Den != 1;
            }
        // quotient * divisor + remainder = dividend, exactly.
        std::map<int, R> q, b, a, resto, prova;
        for (int p = 4; p >= 0; --p) {
            const TTermine& t = d.SolDivisore[2][static_cast<std::size_t>(p)];
            if (t.Num != 0)
                q[std::stoi(t.Lett.substr(2))] = {t.Num, t.Den};
        }
        for (int k = 0; k <= d.GradoDivisore; ++k)
            b[k] = {d.SolDivisore[1][static_cast<std::size_t>(k)].Num, 1};
        for (int k = 0; k <= 4; ++k) {
            a[k] = {d.SolDividendo[1][static_cast<std::size_t>(k)].Num, d.SolDividendo[1][static_cast<std::size_t>(k)].Den};
            const TTermine& t = d.SolDividendo[static_cast<std::size_t>(d.RigaFinale)][static_cast<std::size_t>(k)];
            resto[k] = {t.Num, t.Den};
        }
        int gradoResto = -1;
        for (int k = 0; k <= 4; ++k)
            if (resto[k].first != 0)
                gradoResto = k;
        ASSERT_LT(gradoResto, d.GradoDivisore);
        esatte += gradoResto < 0;
        for (int k = 0; k <= 4; ++k)
            prova[k] = resto[k];
        for (const auto& [gq, cq] : q)
            for (const auto& [gb, cb] : b)
                prova[gq + gb] = somma(prova.count(gq + gb) ? prova[gq + gb] : R{0, 1}, per(cq, cb));
        for (int k = 0; k <= 4; ++k) {
            const R x = prova[k], y = a[k];
            ASSERT_EQ(x.first * y.second, y.first * x.second) << "degree " << k;
        }
    }
    EXPECT_GT(frazioni, 0);
    EXPECT_GT(gradi2, 600);
    EXPECT_LT(gradi2, 1400);
    (void)esatte;
}
