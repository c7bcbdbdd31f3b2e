#include "Catalogo.h"

#include "EsercizioConcetto.h"
#include "EsercizioMcdMcmMon.h"
#include "EsercizioPolConcetto.h"
#include "EsercizioPotenzaMon.h"
#include "EsercizioProdottoMon.h"
#include "EsercizioProdottoPol.h"
#include "EsercizioQuozienteMon.h"
#include "EsercizioSommaDiffPol.h"
#include "EsercizioSommaMon.h"

namespace mevario {

namespace {

template <class E>
std::unique_ptr<TEsercizio> Crea()
{
    return std::make_unique<E>();
}

} // namespace

const std::vector<TArgomento>& Argomenti()
{
    static const std::vector<TArgomento> a = {
        {"definizione-monomio", "Definizione di monomio (quattro tipi di domanda a turno)", Crea<EsercizioConcetto>},
        {"somma-monomi", "Somma e differenza di monomi", Crea<EsercizioSommaMon>},
        {"prodotto-monomi", "Prodotto di monomi", Crea<EsercizioProdottoMon>},
        {"potenza-monomio", "Potenza di un monomio", Crea<EsercizioPotenzaMon>},
        {"quoziente-monomi", "Quoziente di monomi", Crea<EsercizioQuozienteMon>},
        {"mcd-monomi", "Massimo comun divisore (MCD) di monomi", Crea<EsercizioMcdMon>},
        {"mcm-monomi", "Minimo comune multiplo (mcm) di monomi", Crea<EsercizioMcmMon>},
        {"definizione-polinomio", "Definizione di polinomio (tre tipi di domanda a turno)", Crea<EsercizioPolConcetto>},
        {"somma-polinomi", "Somma di polinomi", Crea<EsercizioSommaPol>},
        {"differenza-polinomi", "Differenza di polinomi", Crea<EsercizioDiffPol>},
        {"prodotto-polinomi", "Prodotto di polinomi", Crea<EsercizioProdottoPol>},
    };
    return a;
}

const std::vector<TNomeBreve>& NomiBrevi()
{
    static const std::vector<TNomeBreve> n = {
        {"definizione-monomio", "Def. monomio"},
        {"somma-monomi", "Somma mon."},
        {"prodotto-monomi", "Prodotto mon."},
        {"potenza-monomio", "Potenza mon."},
        {"quoziente-monomi", "Quoziente mon."},
        {"mcd-monomi", "MCD mon."},
        {"mcm-monomi", "mcm mon."},
        {"definizione-polinomio", "Def. polinomio"},
        {"somma-polinomi", "Somma pol."},
        {"differenza-polinomi", "Differenza pol."},
        {"prodotto-polinomi", "Prodotto pol."},
        {"divisione-polinomi", "Divisione pol."},
    };
    return n;
}

const TArgomento* TrovaArgomento(const std::string& nome)
{
    for (const TArgomento& a : Argomenti())
        if (nome == a.nome)
            return &a;
    return nullptr;
}

} // namespace mevario
