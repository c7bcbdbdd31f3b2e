// What the judgements of the working read in a line's tree: the known
// mistakes that turn the earlier line into the later one, and what keeps a
// line equal to the exercise from being its end.
#pragma once

#include <string>
#include <vector>

#include "espressione.h"

namespace mevario {

// The name of the one known faulty rule that, applied at one node of the
// earlier line (or at all nodes of its kind), gives exactly `dopo`; empty
// when none does.
std::string ErroreRiconosciuto(const Espressione& prima, const std::vector<Polinomio>& valori, const Polinomio& dopo);

// What is left before `riga` (already equal to the exercise) is in the form
// the topic asks for; empty when nothing is.
std::string CosaManca(const std::string& argomento, const std::string& riga, const Espressione& e,
                      const Polinomio& valore);

} // namespace mevario
