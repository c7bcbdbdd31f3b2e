#include "regole.h"

namespace mevario {

std::string ErroreRiconosciuto(const Espressione&, const std::vector<Polinomio>&, const Polinomio&) { return {}; }

} // namespace mevario
