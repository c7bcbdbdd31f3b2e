// Every formula a topic puts on screen (the exercise, the typed answer as
// the preview shows it, each line of the worked solution, the help's
// examples; the division's header, cells and result) is said as a sentence
// with no character of the formula language left in it, for many seeds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Catalogo.h"
#include "Divisione.h"
#include "ExprDraw.h"
#include "ExprMake.h"
#include "ExprParla.h"
#include "funzioni.h"

using namespace mevario;

namespace {

void Detta(const std::string& formula)
{
    PExpr root;
    ASSERT_NO_THROW(root = TExprBuilder().ParseFormula(formula)) << formula;
    const std::string frase = SpokenForm(root.get());
    EXPECT_FALSE(frase.empty()) << formula;
    EXPECT_EQ(frase.find_first_of("^*/&(){}"), std::string::npos) << formula << " -> " << frase;
}

TEST(Parla, EveryTopicsFormulasAreSaidInWords)
{
    for (const TArgomento& a : Argomenti()) {
        SCOPED_TRACE(a.nome);
        const auto es = a.crea();
        for (const std::string& e : es->Aiuto().esempi)
            Detta(FormaFormula(e));
        for (std::uint32_t seme = 1; seme <= 10; ++seme) {
            ImpostaSeme(seme);
            for (int n = 0; n < 40; ++n) {
                es->NuovoEsercizio();
                Detta(es->TestoEsercizio());
                if (!es->SiNo())
                    Detta(FormaFormula(es->RispostaAttesa()));
                for (const TRigaSoluzione& r : es->Soluzione())
                    Detta(r.formula);
            }
        }
    }
}

TEST(Parla, TheDivisionsHeaderCellsAndResultAreSaidInWords)
{
    TDivisione d;
    int celle = 0;
    for (std::uint32_t seme = 1; seme <= 60; ++seme) {
        ImpostaSeme(seme);
        d.NuovaDivisione(1);
        d.PreparaTesti();
        d.ScriviRisultato();
        Detta("(" + d.TestoDividendo + ")&string(  :  )&(" + d.TestoDivisore + ")");
        Detta("string(Quoziente = )&" + d.TestoQuoziente + "&string(    Resto = )&" + d.TestoResto);
        for (int blocco = 1; blocco <= 2; ++blocco)
            for (int riga = 1; riga < TDivisione::Righe; ++riga)
                for (int indice = 0; indice <= 4; ++indice) {
                    const TDivisione::Cella c{blocco, riga, indice};
                    if (!d.CellaValida(c))
                        continue;
                    const std::string t = d.TestoCella(c, false);
                    if (!t.empty()) {
                        Detta(t);
                        ++celle;
                    }
                }
    }
    EXPECT_GT(celle, 60 * 10);
}

} // namespace
