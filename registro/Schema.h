// The record's schema as a list of migrations: version 1 creates it, each
// later version changes what the one before left. A record is brought to
// the last migration's version at open, in one transaction; a record of a
// later version is left alone.
#pragma once

#include <QStringList>

#include <vector>

namespace mevario {

struct TMigrazione {
    TMigrazione(int v, QStringList i, bool chiavi = false, QStringList d = {})
        : versione(v), istruzioni(std::move(i)), chiaviAlunni(chiavi), dopo(std::move(d))
    {
    }
    int versione;            // the version the statements lead to
    QStringList istruzioni;  // in the dialect's placeholders (Dialetto.h)
    // Then the pupils' comparison keys (nome_chiave, classe_chiave) are
    // written from their names and classes by the program, not by SQL:
    // the engines lower-case and space text differently.
    bool chiaviAlunni = false;
    QStringList dopo;        // run after the keys
};

const std::vector<TMigrazione>& Migrazioni();

} // namespace mevario
