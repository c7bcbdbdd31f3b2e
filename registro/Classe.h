// The teacher's overview of a class: per pupil and topic the right and
// wrong answers over a span of days, the mistakes the class makes most
// often, and who is late with the review. Read from the record by
// TRegistro::PanoramicaClasse (standard SQL with bound parameters, the
// same on every engine); written as a document by the worksheet layer
// (PanoramicaClasse.h).
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <map>
#include <vector>

namespace mevario {

struct TContiArgomento {
    int giuste = 0;
    int sbagliate = 0;
    int Totale() const { return giuste + sbagliate; }
};

struct TAlunnoClasse {
    QString nome;
    std::map<QString, TContiArgomento> argomenti; // by topic name; only topics answered
};

// A kind of mistake the diagnosis named, in one topic.
struct TErroreClasse {
    QString tipo;
    QString argomento;
    int volte = 0;
    int alunni = 0; // how many pupils made it
};

// A pupil with review items whose day has passed.
struct TRitardoClasse {
    QString nome;
    int voci = 0;
    QDate scadenza; // the oldest due day
};

struct TPanoramicaClasse {
    QString classe;
    QDate dal, al;                  // as asked; null: no bound
    QDate oggi;                     // the review is late when due before this day
    QList<TAlunnoClasse> alunni;    // every pupil of the class, by name
    QList<TErroreClasse> errori;    // most frequent first, at most KErroriClasse
    QList<TRitardoClasse> ritardi;  // by name
};

// How many kinds of mistake the overview lists.
inline constexpr int KErroriClasse = 20;

// A topic's column in the overview: its catalogue name and a short header.
struct TColonnaArgomento {
    QString nome;         // "somma-monomi"
    QString intestazione; // "Somma mon."
};

// The topics that get columns: those of `noti` (in that order) that have
// answers in `p`, then any other answered topic by name.
std::vector<TColonnaArgomento> ColonneClasse(const TPanoramicaClasse& p, const std::vector<TColonnaArgomento>& noti);

// The share right of `c` (0..1); no answers: -1.
double QuotaGiuste(const TContiArgomento& c);

// What the overview covers, in Italian: "dal 2026-11-01 al 2026-12-08",
// "fino al …", "dal …", "tutte le risposte".
QString PeriodoClasse(const TPanoramicaClasse& p);

} // namespace mevario
