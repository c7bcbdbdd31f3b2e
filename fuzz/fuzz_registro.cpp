// The reader of an exported pupil's record (what "mevario-registro importa"
// reads before it writes anything). Any bytes give data or a reason, never
// a crash; data that was read is written again and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Esportazione.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mevario;
    const QByteArray testo(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TLetturaEsportazione l = LeggiEsportazione(testo);
    if (!l.dati) {
        if (l.errore.isEmpty())
            std::abort();
        return 0;
    }
    const TLetturaEsportazione di_nuovo = LeggiEsportazione(ScriviEsportazione(*l.dati));
    if (!di_nuovo.dati || di_nuovo.dati->nome != l.dati->nome ||
        di_nuovo.dati->risposte.size() != l.dati->risposte.size())
        std::abort();
    for (qsizetype i = 0; i < l.dati->risposte.size(); ++i) {
        const auto& a = l.dati->risposte[i];
        const auto& b = di_nuovo.dati->risposte[i];
        if (a.uuid != b.uuid || a.risposta != b.risposta || a.quando != b.quando || a.giorno != b.giorno ||
            a.seme != b.seme || a.giusta != b.giusta)
            std::abort();
    }
    return 0;
}
