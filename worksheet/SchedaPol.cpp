#include "SchedaPol.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace mevario {

const std::array<const char*, TSchedaPol::Numero>& TSchedaPol::Nomi()
{
    static const std::array<const char*, Numero> nomi = {
        "E_MON_DEF",  "S_MON_DEF",  "E_MON_SOMDIF", "S_MON_SOMDIF", "E_MON_PROD", "S_MON_PROD",
        "E_MON_POT",  "S_MON_POT",  "E_MON_QUOZ",   "S_MON_QUOZ",   "E_MON_MCD",  "S_MON_MCD",
        "E_MON_MCM",  "S_MON_MCM",  "E_POL_DEF",    "S_POL_DEF",    "E_POL_SOM",  "S_POL_SOM",
        "E_POL_DIFF", "S_POL_DIFF", "E_POL_PROD",   "S_POL_PROD",   "E_POL_DIV",  "S_POL_DIV",
    };
    return nomi;
}

const char* TSchedaPol::ArgomentoDellaCoppia(int i)
{
    // In the order of Nomi(), one a pair.
    static const char* const argomenti[Numero / 2] = {
        "definizione-monomio",   "somma-monomi",   "prodotto-monomi",     "potenza-monomio",
        "quoziente-monomi",      "mcd-monomi",     "mcm-monomi",          "definizione-polinomio",
        "somma-polinomi",        "differenza-polinomi", "prodotto-polinomi", "divisione-polinomi",
    };
    return i >= 0 && i < Numero / 2 ? argomenti[i] : "";
}

std::string TSchedaPol::Argomento(const std::string& contatore)
{
    for (int i = 0; i < Numero; ++i)
        if (contatore == Nomi()[static_cast<std::size_t>(i)])
            return ArgomentoDellaCoppia(i / 2);
    return {};
}

namespace {
std::unique_ptr<TSchedaPol>& Unica()
{
    static std::unique_ptr<TSchedaPol> s;
    return s;
}
} // namespace

TSchedaPol* TSchedaPol::Istanza() { return Unica().get(); }

TSchedaPol* TSchedaPol::Crea()
{
    if (!Unica())
        Unica() = std::make_unique<TSchedaPol>();
    return Unica().get();
}

std::int32_t TSchedaPol::Valore(const std::string& nome) const
{
    for (int i = 0; i < Numero; ++i)
        if (nome == Nomi()[static_cast<std::size_t>(i)])
            return FContatori[static_cast<std::size_t>(i)];
    return 0;
}

bool TSchedaPol::Aggiungi(const std::string& nome, std::int32_t quanti)
{
    for (int i = 0; i < Numero; ++i)
        if (nome == Nomi()[static_cast<std::size_t>(i)]) {
            auto& c = FContatori[static_cast<std::size_t>(i)];
            // A tally never wraps round.
            const std::int64_t v = static_cast<std::int64_t>(c) + quanti;
            c = static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                                   std::numeric_limits<std::int32_t>::max()));
            return true;
        }
    return false;
}

} // namespace mevario
