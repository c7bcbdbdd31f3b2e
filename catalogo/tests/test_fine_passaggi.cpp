// The end of a working agrees with "Procedi": on seeded exercises of every
// topic with steps, the expected answer is a finished line, and every way
// of writing it that the steps call finished is accepted by the topic's
// own check.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "Catalogo.h"
#include "espressione.h"
#include "funzioni.h"
#include "passaggi.h"

using namespace mevario;

namespace {

// The expected answer written again in one of many ways a pupil might:
// terms and letters in another order, exponent 1 or 0 written, capitals,
// a coefficient 1 written, a fraction not reduced, '*', spaces, a leading
// '+', a term split in two similar ones.
std::string Riscritta(const Polinomio& p, std::mt19937& g)
{
    const auto caso = [&g](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
    std::vector<Monomio> termini(p.begin(), p.end());
    if (termini.empty())
        termini.push_back({0, Razionale::Di(0)});
    std::shuffle(termini.begin(), termini.end(), g);
    if (caso(6) == 0) {
        // 2x as x + x, 1/2 as 1/4 + 1/4.
        const std::size_t k = static_cast<std::size_t>(caso(static_cast<int>(termini.size())));
        Monomio meta = termini[k];
        meta.c = meta.c / Razionale::Di(2);
        termini[k] = meta;
        termini.insert(termini.begin() + static_cast<long>(k), meta);
    }
    std::string r = caso(8) == 0 ? "+" : "";
    for (std::size_t i = 0; i < termini.size(); ++i) {
        const Monomio& m = termini[i];
        Intero128 num = m.c.num, den = m.c.den;
        if (den > 1 && caso(5) == 0) {
            num *= 2;
            den *= 2;
        }
        const bool meno = num < 0;
        if (meno)
            num = -num;
        if (i > 0 || meno)
            r += meno ? "-" : "+";
        if (caso(8) == 0)
            r += " ";
        std::vector<int> lettere;
        for (int l = 0; l < 3; ++l)
            if (EsponenteDi(m.chiave, l) > 0 || caso(20) == 0)
                lettere.push_back(l);
        if (caso(3) == 0)
            std::shuffle(lettere.begin(), lettere.end(), g);
        const bool uno = num == 1 && den == 1 && !lettere.empty();
        const bool dopo = caso(15) == 0 && !lettere.empty(); // "x2": the number after the letters
        std::string c;
        if (!uno || caso(4) == 0)
            c = TestoIntero(num) + (den != 1 ? "/" + TestoIntero(den) : "");
        if (!dopo) {
            r += c;
            if (!c.empty() && !lettere.empty() && caso(5) == 0)
                r += "*";
        }
        for (std::size_t j = 0; j < lettere.size(); ++j) {
            const int l = lettere[j];
            if (j > 0 && caso(8) == 0)
                r += "*";
            r += static_cast<char>((caso(10) == 0 ? 'X' : 'x') + l);
            const int e = EsponenteDi(m.chiave, l);
            if (e != 1 || caso(8) == 0)
                r += "^" + std::to_string(e);
        }
        if (dopo && !c.empty())
            r += (r.back() >= '0' && r.back() <= '9' ? "*" : "") + c; // "x^2*3", never "x^23"
    }
    return r;
}

} // namespace

TEST(FinePassaggi, AFinishedLineIsAnAnswerTheTopicAccepts)
{
    std::mt19937 g(12345);
    for (const char* nome : {"somma-polinomi", "differenza-polinomi", "prodotto-polinomi", "prodotto-monomi",
                             "potenza-monomio", "quoziente-monomi"}) {
        const TArgomento* a = TrovaArgomento(nome);
        ASSERT_NE(a, nullptr) << nome;
        auto es = a->crea();
        ImpostaSeme(7);
        int finiti = 0, altri = 0;
        for (int n = 0; n < 150; ++n) {
            es->NuovoEsercizio();
            const std::string risposta = es->RispostaAttesa();
            ASSERT_TRUE(es->Verifica(risposta)) << nome << " " << risposta;
            const GiudizioFine f = GiudicaFine(nome, risposta, risposta);
            EXPECT_EQ(f.stato, StatoFine::Finito) << nome << " " << risposta << ": " << f.cosaManca;
            const Polinomio p = PolinomioDi(risposta);
            for (int k = 0; k < 20; ++k) {
                const std::string riga = Riscritta(p, g);
                const GiudizioFine v = GiudicaFine(nome, risposta, riga);
                if (v.stato != StatoFine::Finito) {
                    EXPECT_EQ(v.stato, StatoFine::QuasiFinito) << nome << " " << riga << ": " << v.cosaManca;
                    ++altri;
                    continue;
                }
                ++finiti;
                bool accettata = false;
                try {
                    accettata = es->Verifica(riga);
                } catch (const std::exception&) {
                }
                EXPECT_TRUE(accettata) << nome << ": \"" << riga << "\" is finished but \"Procedi\" refuses it ("
                                       << risposta << ")";
            }
        }
        // Both kinds were met: the rewriting reaches either side.
        EXPECT_GT(finiti, 100) << nome;
        EXPECT_GT(altri, 100) << nome;
    }
}
