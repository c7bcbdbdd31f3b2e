// The table of topics: the names every other list reads, each once.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "argomenti.h"

using namespace mevario;

TEST(TabellaArgomenti, TwelveTopicsEachNamedAndTalliedOnce)
{
    const auto& t = TabellaArgomenti();
    ASSERT_EQ(t.size(), 12u);
    std::set<std::string> nomi, contatori, brevi;
    for (const TTemaArgomento& a : t) {
        EXPECT_TRUE(nomi.insert(a.nome).second) << a.nome;
        EXPECT_TRUE(contatori.insert(a.contatori).second) << a.nome;
        EXPECT_TRUE(brevi.insert(a.breve).second) << a.nome;
        EXPECT_STRNE(a.titolo, "") << a.nome;
        EXPECT_STRNE(a.ripasso, "") << a.nome;
        // A topic whose answer is one monomial is judged at the end of its
        // working: it offers the working.
        if (a.unMonomio) {
            EXPECT_TRUE(a.passaggi) << a.nome;
        }
    }
    // The record's names of old: a renamed topic would orphan every answer.
    EXPECT_STREQ(t.front().nome, "definizione-monomio");
    EXPECT_STREQ(t.back().nome, "divisione-polinomi");
    EXPECT_FALSE(t.back().esercizi);
}

TEST(TabellaArgomenti, LookupAndOrderOfKnownAndUnknownNames)
{
    const auto& t = TabellaArgomenti();
    ASSERT_NE(TemaArgomento("somma-monomi"), nullptr);
    EXPECT_STREQ(TemaArgomento("somma-monomi")->titolo, "Somma e differenza di monomi");
    EXPECT_EQ(PostoArgomento("somma-monomi"), 1);
    EXPECT_EQ(PostoArgomento("divisione-polinomi"), 11);
    // Unknown names (a record from a newer program, a typo, an empty name)
    // are no topic and stand after every known one.
    for (const char* n : {"", "Somma-monomi", "somma-monomi ", "frazioni-algebriche"}) {
        EXPECT_EQ(TemaArgomento(n), nullptr) << n;
        EXPECT_EQ(PostoArgomento(n), static_cast<int>(t.size())) << n;
    }
}

TEST(TabellaArgomenti, WorkingOfferedExactlyWhereItsEndIsJudged)
{
    std::set<std::string> conPassaggi, unMonomio;
    for (const TTemaArgomento& a : TabellaArgomenti()) {
        if (a.passaggi)
            conPassaggi.insert(a.nome);
        if (a.unMonomio)
            unMonomio.insert(a.nome);
    }
    EXPECT_EQ(conPassaggi, (std::set<std::string>{"somma-polinomi", "differenza-polinomi", "prodotto-polinomi",
                                                  "prodotto-monomi", "potenza-monomio", "quoziente-monomi"}));
    EXPECT_EQ(unMonomio, (std::set<std::string>{"prodotto-monomi", "potenza-monomio", "quoziente-monomi"}));
}
