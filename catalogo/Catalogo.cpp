#include "Catalogo.h"

#include <utility>

#include "argomenti.h"

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

// The topic object of each topic with exercises to type, by its name in
// the table of topics.
std::unique_ptr<TEsercizio> (*Creatore(std::string_view nome))()
{
    static const std::pair<const char*, std::unique_ptr<TEsercizio> (*)()> creatori[] = {
        {"definizione-monomio", Crea<EsercizioConcetto>},
        {"somma-monomi", Crea<EsercizioSommaMon>},
        {"prodotto-monomi", Crea<EsercizioProdottoMon>},
        {"potenza-monomio", Crea<EsercizioPotenzaMon>},
        {"quoziente-monomi", Crea<EsercizioQuozienteMon>},
        {"mcd-monomi", Crea<EsercizioMcdMon>},
        {"mcm-monomi", Crea<EsercizioMcmMon>},
        {"definizione-polinomio", Crea<EsercizioPolConcetto>},
        {"somma-polinomi", Crea<EsercizioSommaPol>},
        {"differenza-polinomi", Crea<EsercizioDiffPol>},
        {"prodotto-polinomi", Crea<EsercizioProdottoPol>},
    };
    for (const auto& [n, c] : creatori)
        if (nome == n)
            return c;
    return nullptr;
}

} // namespace

const std::vector<TArgomento>& Argomenti()
{
    // The descriptions live as long as the program: the table's title, and
    // for the quizzes what the tools add about their questions.
    static const std::vector<std::string> descrizioni = [] {
        std::vector<std::string> d;
        for (const TTemaArgomento& t : TabellaArgomenti())
            d.push_back(*t.nota ? std::string(t.titolo) + " (" + t.nota + ")" : std::string(t.titolo));
        return d;
    }();
    static const std::vector<TArgomento> a = [] {
        std::vector<TArgomento> v;
        const auto& t = TabellaArgomenti();
        for (std::size_t i = 0; i < t.size(); ++i)
            if (t[i].esercizi)
                v.push_back({t[i].nome, descrizioni[i].c_str(), Creatore(t[i].nome)});
        return v;
    }();
    return a;
}

const std::vector<TNomeBreve>& NomiBrevi()
{
    static const std::vector<TNomeBreve> n = [] {
        std::vector<TNomeBreve> v;
        for (const TTemaArgomento& t : TabellaArgomenti())
            v.push_back({t.nome, t.breve});
        return v;
    }();
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
