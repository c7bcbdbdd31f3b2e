// One pupil's record as one file, to carry to another computer: a JSON
// document (UTF-8) that any engine's record can read back. Every answer
// carries the UUID made where it was judged, so importing the same file
// twice, or files that overlap, keeps each answer once. The review schedule
// and the figures are not in the file: the importing record rebuilds them
// from the answers.
//
// {"formato": "mevario-registro", "versione": 1,
//  "alunno": {"nome": "Anna", "classe": "2B",
//             "pin": {"sale": BASE64, "chiave": BASE64, "iterazioni": N}},   (optional)
//  "risposte": [{"uuid": "…", "argomento": "somma-monomi", "esercizio": "…",
//                "seme": 123 (optional), "risposta": "…", "giusta": true,
//                "diagnosi": "", "errore": "", "ripassa": "",
//                "soluzione": false, "secondi": 12.5,
//                "quando": "2026-12-08T07:01:37.123Z", "giorno": "2026-12-08",
//                "computer": "aula-3"}, …]}
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

#include "Registro.h"

namespace mevario {

inline constexpr int KVersioneEsportazione = 1;

struct TEsportazione {
    QString nome;
    QString classe;
    TChiavePin pin; // empty: no PIN
    QList<TRispostaRegistrata> risposte;
};

QByteArray ScriviEsportazione(const TEsportazione& e);

struct TLetturaEsportazione {
    std::optional<TEsportazione> dati;
    QString errore; // Italian, when `dati` is empty
};
// Reads a file written by ScriviEsportazione; anything else, or anything
// damaged, gives no data and an Italian reason. Never throws.
TLetturaEsportazione LeggiEsportazione(const QByteArray& testo);

// The faults of a JSON text the JSON reader accepts silently: a key twice
// in one object, half a UTF-16 surrogate pair, bytes that are not UTF-8.
// "" when there are none; else the first, in Italian.
QString ControllaTestoJson(const QByteArray& testo);

// The largest file LeggiEsportazione accepts (a record of a million answers is far less).
inline constexpr qint64 KMassimoEsportazione = 1024LL * 1024 * 1024;

} // namespace mevario
