// TSchedaPol: the results of this run, right and wrong answers per topic,
// written at the bookmarks of the same names in the results sheet.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mevario {

class TSchedaPol {
public:
    static constexpr int Numero = 24;
    // The counter names in their order (E_ right answers, S_ wrong ones).
    static const std::array<const char*, Numero>& Nomi();

    // The one record of the run (nil until the main window is first shown).
    static TSchedaPol* Istanza();
    static TSchedaPol* Crea();

    // 0 for a name that is not a counter.
    std::int32_t Valore(const std::string& nome) const;
    std::int32_t Valore(int i) const { return FContatori[static_cast<std::size_t>(i)]; }
    // Adds to a counter; false (nothing changed) for an unknown name.
    bool Aggiungi(const std::string& nome, std::int32_t quanti);

private:
    std::array<std::int32_t, Numero> FContatori{};
};

} // namespace mevario
