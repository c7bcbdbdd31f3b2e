// The record's schema as a list of migrations: version 1 creates it, each
// later version changes what the one before left. A record is brought to
// the last migration's version at open, in one transaction; a record of a
// later version is left alone.
#pragma once

#include <QStringList>

#include <vector>

namespace mevario {

struct TMigrazione {
    int versione;            // the version the statements lead to
    QStringList istruzioni;  // in the dialect's placeholders (Dialetto.h)
};

const std::vector<TMigrazione>& Migrazioni();

} // namespace mevario
