// The polynomial text model: polynomials held as short lists of terms,
// written as formula text, and a typed polynomial answer read into terms
// and compared with the expected, reduced terms. No widgets.
#pragma once

#include <string>
#include <vector>

#include "Esercizio.h"
#include "errori.h"
#include "funzioni.h"

namespace mevario {

// The term with "+" in front unless it begins with "-".
std::string ConSegno(const std::string& termine);

// How a polynomial is typed (the help panel of the polynomial topics).
TAiuto AiutoPolinomi();

// c1*L1 + c2*L2 + c3[*L3]: the polynomial's formula text, with the sign
// rule of ConSegno between terms; an empty L3 writes a constant term.
std::string ScriviTermini(const std::string& c1, const std::string& c2, const std::string& c3, const std::string& L1,
                          const std::string& L2, const std::string& L3);

// What stands between the two bracketed operands of an exercise, "(A)" +
// joint + "(B)": the operation's sign ('+' or '-') typeset as a sign, with
// room on both sides, so that the minus is a true minus as long as the plus.
std::string GiuntoOperazione(char segno);

// A term with an exact value, for building the expected answer.
struct TermineEsatto {
    long long num = 0;
    long long den = 1;
    std::string letterale; // formula form ("x^2*y"), empty for a constant
};
TermineEsatto Somma(const TermineEsatto& a, const TermineEsatto& b);
TermineEsatto Prodotto(const TermineEsatto& a, const TermineEsatto& b);
// The value reduced, with a positive denominator.
TermineEsatto Ridotto(TermineEsatto t);

// One term of the expected answer: its value and literal part.
struct TermineAtteso {
    long double valore = 0;
    std::string letterale;
    // The same value as a reduced fraction (for writing the answer).
    long long num = 0;
    long long den = 1;
};
using TerminiAttesi = std::vector<TermineAtteso>;

// The expected terms of exact terms that were already merged: a term whose
// value is 0 is left out; when nothing is left the result is the single
// term 0, so that a pupil can answer "0".
TerminiAttesi Attesi(const std::vector<TermineEsatto>& termini);

// One term of the pupil's answer.
struct TermineAlunno {
    long double valore = 0;
    std::string letterale;
};

// The pupil's answer read into terms. Only the first MaxTerminiAlunno are
// read: an answer with more can never be right (Troppi).
struct RispostaPolinomio {
    static constexpr std::size_t MaxTerminiAlunno = 10;
    std::vector<TermineAlunno> termini;
    bool troppi = false;
};

// A sign with no term after it ("3x+", "x+-y", "x-").
class ErroreTermineVuoto : public ErroreCalcolo {
public:
    ErroreTermineVuoto();
};

// The terms of a typed polynomial in formula form: spaces removed, cut with
// SeparaTermini, a "+" in front of the first term dropped. Raises
// ErroreTermineVuoto for a sign that has no term.
std::vector<std::string> TerminiDigitati(const std::string& testo);

// Reads a typed polynomial: spaces removed, cut into terms with
// SeparaTermini, each read with LeggiCoefficiente and ParteLetterale. A "+"
// in front of the first term is read as the sign it is. Raises the algebra core's reading errors,
// and ErroreTermineVuoto for a sign that has no term.
RispostaPolinomio LeggiRisposta(const std::string& risposta);

// How literal parts are compared: as identical texts (sum and difference:
// letters in the order x, y, z, no exponent 1) or by the exponents of x, y
// and z (product: any order, "^1" accepted).
enum class RegolaLetterale { StessoTesto, StessiEsponenti };

// Right when both lists have the same number of terms and every expected
// term has its own partner among the pupil's (same literal part by the
// rule, value within 1e-6). The order of the terms does not matter.
bool ConfrontaTermini(const TerminiAttesi& attesi, const RispostaPolinomio& alunno, RegolaLetterale regola);

// The highest exponent of a letter over the literal parts (0 when absent).
int GradoRispetto(const std::vector<std::string>& letterali, const std::string& lettera);

// The expected terms as a pupil types them: "10x^2-5/2xy+11/3".
std::string ScriviRisposta(const TerminiAttesi& attesi);

// The lines of a worked polynomial solution from its terms written one
// after the other (zero terms left out): those terms, with their fractions
// as given and then, when one was not in lowest terms, reduced; then, when
// some are similar, each group gathered in brackets before its literal part;
// then the reduced result.
TSoluzione SoluzionePolinomio(const std::vector<TermineEsatto>& termini, const TerminiAttesi& risultato);

// What is wrong in a typed polynomial against the expected terms: the typed
// terms with no partner (by the check's rule for literal parts), the count,
// and similar terms left ungathered. `oppure` are the terms of a wrong way
// that is recognised, with its message (the sum where the difference was
// asked); empty when there is none.
TDiagnosi DiagnosiPolinomio(const std::string& risposta, const TerminiAttesi& attesi, RegolaLetterale regola,
                            const TerminiAttesi& oppure = {}, const std::string& messaggioOppure = {});

} // namespace mevario
