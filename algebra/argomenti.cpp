#include "argomenti.h"

namespace mevario {

const std::vector<TTemaArgomento>& TabellaArgomenti()
{
    static const std::vector<TTemaArgomento> t = {
        {"definizione-monomio", "Definizione di monomio", "quattro tipi di domanda a turno", "Def. monomio",
         "MON_DEF", "definizione di monomio", false, false, true},
        {"somma-monomi", "Somma e differenza di monomi", "", "Somma mon.", "MON_SOMDIF",
         "somma e differenza di monomi", false, false, true},
        {"prodotto-monomi", "Prodotto di monomi", "", "Prodotto mon.", "MON_PROD", "prodotto di monomi", true, true,
         true},
        {"potenza-monomio", "Potenza di un monomio", "", "Potenza mon.", "MON_POT", "potenza di un monomio", true,
         true, true},
        {"quoziente-monomi", "Quoziente di monomi", "", "Quoziente mon.", "MON_QUOZ", "quoziente di monomi", true,
         true, true},
        {"mcd-monomi", "Massimo comun divisore (MCD) di monomi", "", "MCD mon.", "MON_MCD",
         "massimo comun divisore (MCD) di monomi", false, false, true},
        {"mcm-monomi", "Minimo comune multiplo (mcm) di monomi", "", "mcm mon.", "MON_MCM",
         "minimo comune multiplo (mcm) di monomi", false, false, true},
        {"definizione-polinomio", "Definizione di polinomio", "tre tipi di domanda a turno", "Def. polinomio",
         "POL_DEF", "definizione di polinomio", false, false, true},
        {"somma-polinomi", "Somma di polinomi", "", "Somma pol.", "POL_SOM", "somma di polinomi", true, false, true},
        {"differenza-polinomi", "Differenza di polinomi", "", "Differenza pol.", "POL_DIFF", "differenza di polinomi",
         true, false, true},
        {"prodotto-polinomi", "Prodotto di polinomi", "", "Prodotto pol.", "POL_PROD", "prodotto di polinomi", true,
         false, true},
        {"divisione-polinomi", "Divisione di polinomi", "", "Divisione pol.", "POL_DIV", "divisione di polinomi",
         false, false, false},
    };
    return t;
}

const TTemaArgomento* TemaArgomento(std::string_view nome)
{
    for (const TTemaArgomento& a : TabellaArgomenti())
        if (nome == a.nome)
            return &a;
    return nullptr;
}

int PostoArgomento(std::string_view nome)
{
    const auto& t = TabellaArgomenti();
    const TTemaArgomento* a = TemaArgomento(nome);
    return static_cast<int>(a ? a - t.data() : static_cast<std::ptrdiff_t>(t.size()));
}

} // namespace mevario
