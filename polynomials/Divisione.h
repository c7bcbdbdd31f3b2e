// The column division of a polynomial in x by another ("divisione in
// colonna"), without widgets: the grid of terms the window shows, the
// drawing of a division, the solver in its three modes and the check of the
// pupil's grid.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "errori.h"

namespace mevario {

// One cell of the grid.
struct TTermine {
    int Num = 0;      // 0: the cell holds no term
    int Den = 1;      // 1 for integers
    std::string Lett; // "x^0" for a constant, "x"/"x^1" degree 1, else "x^k"
    int Riga = 0;     // 1 in the first row of a block: a zero is then shown as "0"
    bool operator==(const TTermine&) const = default;
};

// Num and Den divided by their gcd, Den positive; 0 becomes 0/1.
void Riduci(TTermine& t);
// The formula form of one term: "3*x^2", "-x", "(1/2)*x^3", "-(3/4)", "1".
std::string TestoTermine(const TTermine& t);
// The same term as a pupil types it: "3x^2", "-x", "1/2x^3", "-3/4", "1";
// the coefficient as it stands (a pupil's unreduced entry stays unreduced).
std::string TestoDigitato(const TTermine& t);
// Terms joined into a polynomial text: "0" left out, "+" in front of a
// term that is not the first and does not begin with "-".
std::string UnisciTermini(const std::vector<TTermine>& termini);
// The same for the result line: "+" only when something was written before.
std::string UnisciRisultato(const std::vector<TTermine>& termini);
// Equal coefficients and the same power ("x" is "x^1", "" is "x^0"); two
// zero terms are equal whatever their letters.
bool TerminiUguali(const TTermine& a, const TTermine& b);
// How a pupil's cell stands against the expected one: right; right in
// value but not in the form asked (letters in capitals, a fraction not in
// lowest terms), with what to change; or wrong (a value that differs, or a
// term where none is expected, or none where one is).
enum class EsitoCella { Giusta, Forma, Sbagliata };
struct TGiudizioCella {
    EsitoCella esito = EsitoCella::Giusta;
    std::vector<std::string> cosaCambiare; // Italian sentences, form slips only
};
TGiudizioCella GiudicaTermine(const TTermine& atteso, const TTermine& alunno);

// A random coefficient: 0 with probability 1/4; with `frazioni` a reduced
// proper-or-improper fraction (1..9 over 2..9) with probability 1/4 of the
// rest; else an integer 1..9; negative with probability 1/2.
TTermine GeneraCoefficiente(bool frazioni);

// A polynomial in x that the division cannot take (Italian message).
class ErroreDivisione : public ErroreCalcolo {
public:
    explicit ErroreDivisione(const std::string& messaggio);
};

// A polynomial in x typed as a pupil types it ("2x^4+3x^3-x+5"), its
// coefficients by degree 0..gradoMassimo (terms of the same degree added,
// reduced). Raises the conversion message, ErroreTermineVuoto for a sign
// without its term, or ErroreDivisione for an empty text, a zero
// denominator, another letter, a degree above gradoMassimo or a coefficient
// beyond +-99.
std::vector<TTermine> LeggiPolinomioInX(const std::string& testo, int gradoMassimo);

// What the narrated run asks of its window: narration lines, waits, cells
// to repaint. The silent runs need none of it.
class TNarratore {
public:
    virtual ~TNarratore() = default;
    virtual void PulisciNarrazione() = 0;
    virtual void MostraNarrazione(bool visibile) = 0;
    virtual void Narra(const std::string& riga) = 0; // UTF-8, appended at the end
    // Waits for the pupil's click (or returns at once when the window is
    // being closed).
    virtual void Pausa() = 0;
    // A cell was filled: block 1 (dividend side: row, degree) or 2 (row 1
    // the divisor by degree, row 2 the quotient by position 4..0).
    virtual void CellaCambiata(int blocco, int riga, int indice) = 0;
    // The result line has its texts.
    virtual void Risultato() = 0;
};

class TDivisione {
public:
    static constexpr int Limite = 99;
    static constexpr int Righe = 10;

    // A cell by block, row and index.
    struct Cella {
        int blocco = 1;
        int riga = 1;
        int indice = 0;
        bool operator==(const Cella&) const = default;
    };

    TDivisione();

    // All four blocks cleared.
    void Pulisci();
    // A random division: dividend of degree 4 (fractions allowed, zeros
    // allowed below the leading term), divisor of degree 1 or 2 with
    // non-zero integer coefficients; row 1 of the pupil's blocks copied.
    void GeneraDivisione();
    // Sets a division given by its coefficients (index = degree); the
    // dividend's degree 1..5, the divisor's 1..4 and not above it. Row 1 of
    // the pupil's blocks is copied. False (nothing changed) when it does not
    // fit the grid or the divisor's leading coefficient is 0.
    bool ImpostaDivisione(const std::vector<TTermine>& dividendo, const std::vector<TTermine>& divisore);
    // Mode 0 narrated (needs a narrator), 1 silent, 2 silent and then
    // cleared. Sets FuoriLimite when a reduced numerator or denominator
    // goes beyond +-99.
    void Svolgi(int modo, TNarratore* narratore = nullptr);
    // GeneraDivisione and a silent Svolgi, again until it fits the limit;
    // returns how many divisions were drawn.
    int NuovaDivisione(int modo);
    // TestoDividendo and TestoDivisore from the terms; the result texts cleared.
    void PreparaTesti();
    // TestoQuoziente and TestoResto from the expected grid of the last run
    // (the narrated run writes them itself).
    void ScriviRisultato();

    // The term a cell shows: from the expected blocks, or from the pupil's.
    const TTermine& Termine(const Cella& c, bool alunno) const;
    TTermine& TermineAlunno(const Cella& c);
    std::string TestoCella(const Cella& c, bool alunno) const;
    // What the cell holds as a pupil types it (the editor shows it).
    std::string TestoDigitatoCella(const Cella& c, bool alunno) const;
    // True when the cell exists in the window's grid.
    bool CellaValida(const Cella& c) const;

    // Stores what the pupil typed into a cell (row 1 is not the pupil's).
    // Ignored (false) when the text is empty or longer than MaxDigitati,
    // its coefficient is not a fraction of integers or it names a letter
    // twice. "0" empties the cell. Nothing is reduced.
    static constexpr std::size_t MaxDigitati = 24;
    bool Digita(const Cella& c, const std::string& testo);
    // The first cell where the pupil's grid differs from the expected one,
    // in the order of the steps: quotient term, product row, remainder row.
    std::optional<Cella> PrimaDifferenza() const;

    // The cells in the order the check visits them.
    static std::vector<Cella> OrdineVerifica(int gradoDividendo);
    // The cells the pupil fills, in reading order: each row left to right
    // from row 2 to `ultimaRiga`, the quotient's first `quozienti` cells
    // after row 2 (they stand beside it, past the bar).
    static std::vector<Cella> OrdineLettura(int gradoDividendo, int ultimaRiga, int quozienti);

    // The whole grid judged: every wrong cell and every form slip, in the
    // order of the check; what to change, each sentence once.
    struct TEsitoGriglia {
        std::vector<Cella> sbagliate;
        std::vector<Cella> forma;
        std::vector<std::string> cosaCambiare;
        bool Giusta() const { return sbagliate.empty() && forma.empty(); }
    };
    TEsitoGriglia GiudicaGriglia() const;
    // True when the pupil has written nothing below row 1.
    bool GrigliaVuota() const;
    // Clears what a run wrote below row 1 of the expected blocks, so that a
    // narrated run can fill them in front of the pupil.
    void PulisciSvolgimento();

    // Expected grid: rows 1..10 by degree 0..5; divisor row 1 by degree,
    // quotient row 2 by position 4..0. The pupil's blocks have the same shape.
    std::array<std::array<TTermine, 6>, Righe + 1> SolDividendo, AluDividendo;
    std::array<std::array<TTermine, 5>, 3> SolDivisore, AluDivisore;
    int GradoDividendo = 4;
    int GradoDivisore = 1;
    bool FuoriLimite = false;
    // The row at which the last run stopped and the last quotient position used.
    int RigaFinale = 1;
    int PosizioneFinale = 4;
    std::string TestoDividendo, TestoDivisore, TestoQuoziente, TestoResto;

private:
    void Limite99(const TTermine& t);
};

} // namespace mevario
