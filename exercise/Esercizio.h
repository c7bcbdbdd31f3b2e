// TEsercizio: the widget-free half of a topic. It draws an exercise, knows
// the question and the formula text shown, judges a typed answer and writes
// the expected answer as a pupil would type it. The topic's window holds one
// of these; the command-line tools and the tests use it alone.
#pragma once

#include <string>

namespace mevario {

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
    // a typed text; Verifica then takes "Si" as yes and anything else as no.
    virtual bool SiNo() const { return false; }

    // The question of the current exercise (UTF-8).
    const std::string& Domanda() const { return FDomanda; }
    // The formula text of the current exercise (program code page).
    const std::string& TestoEsercizio() const { return FTestoEsercizio; }

protected:
    std::string FDomanda;
    std::string FTestoEsercizio;
};

} // namespace mevario
