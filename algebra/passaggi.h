// The pupil's working, line by line: a reader of what a pupil writes in a
// step (brackets, products, powers, sums; the answer notation inside) into
// an exact polynomial, and the judgements the steps window and
// `mevario-passaggi` show: is a line equivalent to the one before, where do
// two lines differ, which mistake explains it, and is the working finished.
//
// A line is written as an answer is typed (coefficients such as -3/4 and 2/3
// before the letters x, y, z in either case, "^" and a whole exponent, "*"
// or nothing for a product; spaces ignored) with, in addition, brackets
// ( ) [ ] { } properly matched, products and whole powers of brackets, unary
// minus, and ":" for the division by a monomial, whose divisor is the whole
// monomial after it ("12x^5:3x^2"). As in the answers, the typographic minus
// and the middle dot are characters that cannot be used: the answer field
// has no key for them.
//
// Everything here is a free function on byte strings (UTF-8), like the rest
// of the algebra core; nothing keeps state.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mevario {

// Limits that keep a step safe and fast: beyond any of them the step is
// "troppo grande" at once, with nothing else computed.
inline constexpr int KPassaggioMaxEsponente = 50;
inline constexpr int KPassaggioMaxTermini = 2000;
inline constexpr int KPassaggioMaxAnnidamento = 50;
inline constexpr int KPassaggioMaxCaratteri = 1000;

enum class VerdettoPassaggio { Equivalente, NonEquivalente, Illeggibile, TroppoGrande };

struct GiudizioPassaggio {
    VerdettoPassaggio verdetto = VerdettoPassaggio::Illeggibile;

    // NonEquivalente: small whole values of the letters written in either
    // line (in the order x, y, z; none when no letter is written) where the
    // lines differ, never 0 for a letter of a divisor, and both exact values
    // there ("7", "-3/2"). Empty values only when the numbers would outgrow
    // 128 bits at every point tried.
    std::vector<std::pair<char, long long>> valori;
    std::string valorePrima, valoreDopo;
    // The mistake, named in Italian, when a rule on the pair of lines
    // recognises it; empty otherwise (no rule, no name).
    std::string errore;

    // Illeggibile / TroppoGrande: the line concerned (0 the earlier line, 1
    // the later one; the earlier is looked at first), the 0-based byte
    // position of the fault in it (-1: the whole line; the line's length:
    // something is missing at its end) and the Italian reason, as an
    // unreadable answer gets ("qui manca una parentesi chiusa"). A line
    // stops reading at its first character that is not ASCII, so the byte
    // position is also the position of the character.
    int riga = 1;
    int posizione = -1;
    std::string motivo;
};

// Judges the step from `prima` to `dopo` (line 0 is the exercise, written
// in the same notation).
GiudizioPassaggio GiudicaPassaggio(const std::string& prima, const std::string& dopo);

// "per x = 1, y = 2: prima vale 7, dopo vale 9" for a NonEquivalente step
// ("prima vale 5, dopo vale 6" without letters); empty for any other.
std::string FraseControesempio(const GiudizioPassaggio& g);

// A line of the working set against the exercise itself (not only the
// line above): equal in value to it, different, or not known because one
// of the two does not read or is too big.
enum class ConfrontoEsercizio { Uguale, Diversa, Illeggibile };
ConfrontoEsercizio ConfrontaConEsercizio(const std::string& esercizio, const std::string& riga);

// Where a working leaves the exercise: the first line (righe[0] is the
// exercise) that reads and is different from it, with the judgement of the
// step from the exercise to that line (its counterexample); riga -1 when
// every line that reads equals the exercise.
struct CambioCalcolo {
    int riga = -1;
    GiudizioPassaggio giudizio;
};
CambioCalcolo DoveCambia(const std::vector<std::string>& righe);

// "Qui il calcolo cambia: per x = 1: l'esercizio vale -2, questa riga vale
// 0" for the step from the exercise to the line where it changes.
std::string FraseCambio(const GiudizioPassaggio& g);

enum class StatoFine { Finito, QuasiFinito, NonFinito };

struct GiudizioFine {
    StatoFine stato = StatoFine::NonFinito;
    // QuasiFinito: what is left, in Italian ("restano termini simili da
    // sommare", "restano parentesi", "la frazione si può ridurre").
    // NonFinito: why (not equivalent to the exercise, or unreadable).
    // Finito: empty. A finished line is always an answer the topic's own
    // check accepts.
    std::string cosaManca;
};

// Is `ultima` the end of the working on `esercizio` for the topic
// `argomento` (a catalogue name such as "prodotto-polinomi"; empty: the
// expanded polynomial, reduced, with no similar terms left)?
GiudizioFine GiudicaFine(const std::string& argomento, const std::string& esercizio,
                         const std::string& ultima);

} // namespace mevario
