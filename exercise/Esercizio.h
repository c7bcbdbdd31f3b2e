// TEsercizio: the widget-free half of a topic. It draws an exercise, knows
// the question and the formula text shown, judges a typed answer and writes
// the expected answer as a pupil would type it. The topic's window holds one
// of these; the command-line tools and the tests use it alone.
#pragma once

#include <string>
#include <vector>

namespace mevario {

// One line of a worked solution: a formula text (program code page), and
// whether it continues the line above as an equality (drawn after "=").
struct TRigaSoluzione {
    std::string formula;
    bool uguale = false;
    bool operator==(const TRigaSoluzione&) const = default;
};
using TSoluzione = std::vector<TRigaSoluzione>;

// How a worked solution starts: from its first step written with the
// numbers as the exercise shows them (`mostrata`); when a fraction there is
// not in lowest terms, its reduction is a step of its own (`ridotta`, the
// same step with the fractions reduced).
inline TSoluzione InizioSoluzione(const std::string& mostrata, const std::string& ridotta)
{
    if (mostrata == ridotta)
        return {{ridotta, false}};
    return {{mostrata, false}, {ridotta, true}};
}

// How an answer is typed, for the help panel ("Istruzioni"): paragraphs of
// bold lines (UTF-8), each closed by an optional pattern as typed ("lettera
// ^ esponente", in maroon); then examples as typed ("-2/5xy^3z"), each
// drawn as a formula beside its typed form.
struct TParagrafoAiuto {
    std::vector<std::string> righe;
    std::string digitato;
    bool operator==(const TParagrafoAiuto&) const = default;
};
struct TAiuto {
    std::vector<TParagrafoAiuto> paragrafi;
    std::vector<std::string> esempi;
    bool operator==(const TAiuto&) const = default;
};

// Typing a monomial: what every monomial topic asks for.
inline TAiuto AiutoMonomi()
{
    return {{{{"Per indicare un monomio devi scrivere", "il coefficiente seguito dalla parte letterale"}, ""},
             {{"Se vuoi indicare una potenza devi scrivere"}, "lettera ^ esponente"},
             {{"Se vuoi indicare una frazione devi scrivere"}, "numeratore / denominatore"}},
            {"12x^5", "-2/5xy^3z"}};
}

// What is wrong in a wrong answer, as far as sure rules can tell.
struct TDiagnosi {
    std::vector<int> sbagliati; // typed terms (0 is the first) that match no expected term
    std::string conteggio;      // "Manca 1 termine." or empty (UTF-8)
    std::string errore;         // the mistake recognised, or empty (UTF-8)
    // The line for the pupil: the count, then the mistake.
    std::string Testo() const
    {
        return conteggio.empty() ? errore : errore.empty() ? conteggio : conteggio + " " + errore;
    }
};

class TEsercizio {
public:
    virtual ~TEsercizio() = default;

    // Draws the next exercise from the program's random source.
    virtual void NuovoEsercizio() = 0;
    // True when the typed answer (program code page) is right. May raise the
    // algebra core's reading errors; nothing of the exercise changes then.
    virtual bool Verifica(const std::string& risposta) const = 0;
    // The expected answer as a pupil types it ("17/2x^2y"; "Si" or "No"
    // for a yes/no question).
    virtual std::string RispostaAttesa() const = 0;
    // True when the current question is answered with "Si"/"No" instead of
    // a typed text; Verifica then takes "Si" as yes and "No" as no.
    virtual bool SiNo() const { return false; }
    // An answer Verifica judged wrong that is equal in value to the expected
    // one but not written in the form the topic asks (letters in capitals or
    // out of the order x, y, z, an exponent 1, a coefficient 1 written out):
    // what to change, in Italian (UTF-8, one sentence per slip); empty when
    // the value itself is wrong. By default the answer is written again in
    // the usual form (RiscriviForma) and judged once more, and only the
    // slips the check needed put right are named; a topic with a rule of its
    // own overrides it. Never raises.
    virtual std::string Forma(const std::string& risposta) const;

    // The worked solution of the current exercise, in the style of the
    // concept page; its last line is the expected answer ("string(Si)" or
    // "string(No)" for a yes/no question). Empty before the first exercise.
    virtual TSoluzione Soluzione() const { return {}; }
    // What is wrong in a typed answer the check judged wrong (program code
    // page). Nothing when the answer cannot be read or no rule applies.
    virtual TDiagnosi Diagnosi(const std::string& risposta) const
    {
        (void)risposta;
        return {};
    }
    // How the answers of this topic are typed (the help panel).
    virtual TAiuto Aiuto() const { return AiutoMonomi(); }
    // The current exercise as the first line of the pupil's working, in the
    // notation of a step ("(3x^2y)*(-2/5xy)", "(12x^3y):(4xy)"); empty for
    // a topic whose working is not written line by line.
    virtual std::string TestoPassaggi() const { return {}; }

    // The question of the current exercise (UTF-8).
    const std::string& Domanda() const { return FDomanda; }
    // The formula text of the current exercise (program code page).
    const std::string& TestoEsercizio() const { return FTestoEsercizio; }

protected:
    std::string FDomanda;
    std::string FTestoEsercizio;
};

// A definition quiz: kinds of question asked in turn, each answered with
// "Si"/"No" or with a typed text.
class TEsercizioQuiz : public TEsercizio {
public:
    explicit TEsercizioQuiz(int tipi) : FTipi(tipi) {}

    // Advances the kind (1, 2, ..., tipi, 1, ...) and draws a question of it.
    void NuovoEsercizio() override
    {
        TipoDomanda = TipoDomanda >= FTipi ? 1 : TipoDomanda + 1;
        NuovaDomanda(TipoDomanda);
    }
    // Draws a question of the given kind without advancing the cycle.
    virtual void NuovaDomanda(int tipo) = 0;
    // How a typed answer is compared with the expected one (spaces never
    // count): as text; as a number (a coefficient, a degree: any equal
    // fraction is right, "-6/8", "-(3/4)" as "-3/4"); as a literal part
    // (the same letters and exponents written the same way, "*" between
    // them or not). Yes/no: "Si" is yes, "No" is no, anything else (no
    // choice made) is neither and never right.
    enum class TConfronto { Testo, Numero, Lettere };
    bool Verifica(const std::string& risposta) const override;
    std::string RispostaAttesa() const override
    {
        if (!FRispostaTesto.empty())
            return FRispostaTesto;
        return RispostaSi ? "Si" : "No";
    }
    bool SiNo() const override { return FRispostaTesto.empty(); }

    // The kind of the current question; 0 before the first. Never reset,
    // so the kinds continue across closing and reopening the window.
    int TipoDomanda = 0;
    // The expected yes/no answer (true is "Si").
    bool RispostaSi = false;
    // The expected typed answer; empty for the yes/no kinds.
    const std::string& RispostaTesto() const { return FRispostaTesto; }
    // The reason written when the question was drawn, then the answer.
    TSoluzione Soluzione() const override { return FSoluzione; }

protected:
    std::string FRispostaTesto;
    TConfronto FConfronto = TConfronto::Testo;
    TSoluzione FSoluzione;

private:
    int FTipi;
};

} // namespace mevario
