#include "Ripasso.h"

#include <algorithm>

namespace mevario {

std::vector<TRipasso::TChiave> TRipasso::Applica(const TEsitoRipasso& e)
{
    std::vector<TChiave> cambiate;
    auto inScatolaUno = [&](const TChiave& k) {
        TStatoVoce nuovo{1, e.giorno.addDays(KGiorniScatola[0])};
        auto it = FVoci.find(k);
        if (it == FVoci.end() || !(it->second == nuovo)) {
            FVoci[k] = nuovo;
            cambiate.push_back(k);
        }
    };

    if (!e.giusta) {
        const TChiave propria{e.argomento, TipoDaRipassare(e.tipoErrore)};
        inScatolaUno(propria);
        if (!e.ripassa.isEmpty() && e.ripassa != propria.second)
            inScatolaUno({e.argomento, e.ripassa});
        return cambiate;
    }

    // A right answer: the item it reviews, if it is due.
    auto voce = FVoci.end();
    if (!e.ripassa.isEmpty()) {
        voce = FVoci.find({e.argomento, e.ripassa});
    } else {
        for (auto it = FVoci.lower_bound({e.argomento, QString()});
             it != FVoci.end() && it->first.first == e.argomento; ++it)
            if (it->second.scadenza <= e.giorno && (voce == FVoci.end() || it->second.scadenza < voce->second.scadenza))
                voce = it;
    }
    if (voce == FVoci.end() || voce->second.scadenza > e.giorno)
        return cambiate;
    cambiate.push_back(voce->first);
    if (voce->second.scatola >= KScatole) {
        FVoci.erase(voce);
    } else {
        ++voce->second.scatola;
        voce->second.scadenza = e.giorno.addDays(KGiorniScatola[voce->second.scatola - 1]);
    }
    return cambiate;
}

std::vector<std::pair<TRipasso::TChiave, TStatoVoce>> TRipasso::Dovute(QDate oggi) const
{
    std::vector<std::pair<TChiave, TStatoVoce>> dovute;
    for (const auto& v : FVoci)
        if (v.second.scadenza <= oggi)
            dovute.push_back(v);
    std::stable_sort(dovute.begin(), dovute.end(),
                     [](const auto& a, const auto& b) { return a.second.scadenza < b.second.scadenza; });
    return dovute;
}

} // namespace mevario
