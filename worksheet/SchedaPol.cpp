#include "SchedaPol.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "argomenti.h"

namespace mevario {

const std::array<const char*, TSchedaPol::Numero>& TSchedaPol::Nomi()
{
    // Two a topic, in the table's order: "E_" + its tallies' stem for the
    // right answers, "S_" + the stem for the wrong ones.
    static const std::array<std::string, Numero> testi = [] {
        std::array<std::string, Numero> t;
        const auto& argomenti = TabellaArgomenti();
        for (std::size_t i = 0; i < t.size() / 2 && i < argomenti.size(); ++i) {
            t[2 * i] = std::string("E_") + argomenti[i].contatori;
            t[2 * i + 1] = std::string("S_") + argomenti[i].contatori;
        }
        return t;
    }();
    static const std::array<const char*, Numero> nomi = [] {
        std::array<const char*, Numero> n{};
        for (std::size_t i = 0; i < n.size(); ++i)
            n[i] = testi[i].c_str();
        return n;
    }();
    return nomi;
}

const char* TSchedaPol::ArgomentoDellaCoppia(int i)
{
    const auto& argomenti = TabellaArgomenti();
    return i >= 0 && i < Numero / 2 && static_cast<std::size_t>(i) < argomenti.size() ? argomenti[static_cast<std::size_t>(i)].nome
                                                                                      : "";
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
