// TSchedaPol: the results of this run, right and wrong answers per topic,
// written at the bookmarks of the same names in the results sheet.
#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace mevario {

class TSchedaPol {
public:
    // Two tallies for each of the twelve topics of the table of topics.
    static constexpr int Numero = 24;
    // The counter names in their order (E_ right answers, S_ wrong ones).
    static const std::array<const char*, Numero>& Nomi();

    // The one record of the run (nil until the main window is first shown).
    static TSchedaPol* Istanza();
    static TSchedaPol* Crea();

    // The catalogue's name of the topic of a counter pair ("E_MON_SOMDIF"
    // or "S_MON_SOMDIF": "somma-monomi"); empty for a name that is no counter.
    // How the record names the topics counted here.
    static std::string Argomento(const std::string& contatore);
    // The same for the pair of counters 2i, 2i+1 (0 <= i < Numero / 2).
    static const char* ArgomentoDellaCoppia(int i);

    // 0 for a name that is not a counter.
    std::int32_t Valore(const std::string& nome) const;
    std::int32_t Valore(int i) const { return FContatori[static_cast<std::size_t>(i)]; }
    // Adds to a counter; false (nothing changed) for an unknown name.
    bool Aggiungi(const std::string& nome, std::int32_t quanti);
    // Every counter back to 0: another pupil sits at the computer, and this
    // run's counts so far were not theirs.
    void Azzera() { FContatori.fill(0); }

private:
    std::array<std::int32_t, Numero> FContatori{};
};

// What the results sheet says of a pupil who is not a guest: who, and per
// topic (the catalogue's name) the totals to date and the last day practised.
struct TTotaleArgomento {
    int giuste = 0;
    int sbagliate = 0;
    QDate ultimoGiorno; // null: never
};
struct TAlunnoScheda {
    QString nome;
    QString classe;
    std::map<std::string, TTotaleArgomento> totali;
};

} // namespace mevario
