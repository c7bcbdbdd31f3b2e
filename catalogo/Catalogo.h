// The catalogue of the exercise topics: every topic that draws exercises,
// under the name the command-line tools use, with a way to make its
// widget-free topic object. The tools, the fuzz targets and the printed
// sheets all go through it, so a topic added here is everywhere.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Esercizio.h"

namespace mevario {

struct TArgomento {
    const char* nome;        // "prodotto-monomi"
    const char* descrizione; // Italian, for help texts and lists (UTF-8)
    std::unique_ptr<TEsercizio> (*crea)();
};

// The eleven topics with exercises to type, in the order of the menu (the
// table of topics, without the column division).
const std::vector<TArgomento>& Argomenti();
// The topic of that name, or nullptr.
const TArgomento* TrovaArgomento(const std::string& nome);

// Every topic whose answers the record keeps (the eleven above and the
// column division), in the menu's order, with a short Italian name for a
// table's column header ("Somma mon.").
struct TNomeBreve {
    const char* nome;
    const char* breve;
};
const std::vector<TNomeBreve>& NomiBrevi();

} // namespace mevario
