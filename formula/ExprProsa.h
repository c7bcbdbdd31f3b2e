// Plain text inside a formula: the top-level "string(...)" items with words,
// and how an Italian reads them. The formula texts are written in the
// program's code page, which has no accented letters: the texts write the
// accent as an apostrophe ("e'", "percio'"), and whatever shows or prints a
// sentence (the windows, the printed key, the tools) makes it the accented
// letter here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mevario {

// A formula cut into its top-level pieces: plain text with words
// ("string(...)" items, `prosa` true, with their text) and the formula
// between them (signs and spaces written as text included). `inizio` and
// `lunghezza` place a prose piece's text in the formula.
struct TPezzoRiga {
    bool prosa;
    std::string testo;
    std::size_t inizio = 0;
    std::size_t lunghezza = 0;
};
std::vector<TPezzoRiga> DividiProsa(const std::string& formula);

// A sentence (code page) as an Italian reads it: a vowel followed by an
// apostrophe that ends the word is the accented vowel ("e'" is "è",
// "percio'" is "perciò"; "l'esponente" stays); the answer "Si" alone is "Sì".
std::u16string ProsaItaliana16(const std::string& testo);
// Only the accents, in UTF-8 ("Si" stays).
std::string AccentiUtf8(const std::string& testo);

// The formula in UTF-8 with the accents of its prose pieces written
// ("string(e' una somma)" is "string(è una somma)"); the rest as written,
// and an answer "Si" as it is typed.
std::string FormulaConProsaUtf8(const std::string& formula);

} // namespace mevario
