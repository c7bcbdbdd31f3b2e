// The record's topics as the program shows them: the table of topics'
// name of a topic ("somma-monomi", as every answer is recorded) tied to its
// window's class name, with what the table says a pupil reads.
#pragma once

#include <QString>

namespace mevario {

struct TArgomentoRegistro {
    const char* nome;   // the catalogue's name
    const char* classe; // the topic window's class name ("TfrmSommaMon")
};

// Every topic with exercises, in the order of the menus.
const TArgomentoRegistro* ArgomentiRegistro(int* quanti);

// The class name of the topic's window; empty for a name that is no topic.
QString ClasseFinestraArgomento(const QString& argomento);
// The topic's Italian name ("Somma e differenza di monomi"); the name
// itself for a topic the program does not know (a record from a newer one).
QString NomeArgomentoLeggibile(const QString& argomento);
// Where the topic stands in the menus (for sorting); unknown topics last.
int OrdineArgomento(const QString& argomento);

// The line above an exercise drawn to review a kind of mistake: the
// mistake's sentence made a short phrase ("Ripasso: nel prodotto gli
// esponenti si sommano"), or for an undiagnosed kind the topic
// ("Ripasso: somma e differenza di monomi").
QString FraseRipasso(const QString& argomento, const QString& tipo);

} // namespace mevario
