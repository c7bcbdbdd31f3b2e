// The twelve topics, once: the name every answer is recorded under
// ("somma-monomi"), the title a pupil reads, the short name of a table's
// column, the pair of tallies of the results sheet, what the topic offers,
// and the phrase that names it in a review line. The order of the table is
// the order of the menus. Every other list of topics reads this one.
//
// It sits in the lowest layer because the lowest reader needs it: the
// judgement of the working's last line asks which topics want a single
// monomial, and the working is offered only for the topics marked here.
#pragma once

#include <string_view>
#include <vector>

namespace mevario {

struct TTemaArgomento {
    const char* nome;     // the catalogue's name: "somma-monomi"
    const char* titolo;   // "Somma e differenza di monomi" (UTF-8)
    const char* nota;     // what the tools add to the title about the questions, or ""
    const char* breve;    // a column header: "Somma mon."
    const char* contatori; // the tallies' stem: "MON_SOMDIF" (E_MON_SOMDIF right, S_MON_SOMDIF wrong)
    const char* ripasso;  // the topic in a review line: "somma e differenza di monomi"
    bool passaggi;        // the window offers "Passaggi" (the working line by line)
    bool unMonomio;       // its answer is a single monomial
    bool esercizi;        // exercises to type (false: the column division, with a grid of its own)
};

// All twelve, in the order of the menus.
const std::vector<TTemaArgomento>& TabellaArgomenti();
// The topic of that catalogue name, or nullptr.
const TTemaArgomento* TemaArgomento(std::string_view nome);
// Its place in the table; the table's size for a name that is no topic.
int PostoArgomento(std::string_view nome);

} // namespace mevario
