// How a typed answer is judged, the same for every topic window and for
// `mevario-esercizi --verifica`: an answer that is not there or cannot be
// read is told and not judged; an answer equal in value to the expected one
// but not written in the form the topic asks is told what to change and not
// counted; any other answer is right or wrong, and only these two count.
// Widget-free: the topic object gives its check and its rule of form.
#pragma once

#include <string>

#include "Esercizio.h"
#include "Lettura.h"
#include "Registro.h"

namespace mevario {

enum class TEsito {
    Vuota,       // nothing typed, or neither "Sì" nor "No" chosen
    Illeggibile, // the formula reader cannot read it
    Forma,       // equal in value, not in the form asked
    Giusta,
    Sbagliata,
};

struct TGiudizio {
    TEsito esito = TEsito::Vuota;
    // For the pupil (UTF-8): what to do (Vuota), why it cannot be read
    // (Illeggibile), what to change (Forma); empty otherwise.
    std::string motivo;
    TLettura lettura;   // Illeggibile: where the reading stops
    TDiagnosi diagnosi; // Sbagliata: what the topic's rules recognise
    // True when the answer counts: right or wrong.
    bool Contata() const { return esito == TEsito::Giusta || esito == TEsito::Sbagliata; }
};

// Judges the answer (program code page; "Si"/"No" on a yes/no question,
// empty when nothing is chosen). Spaces before and after it never matter.
// May raise the algebra core's reading errors from the topic's check:
// nothing is judged then.
TGiudizio Giudica(const TEsercizio& esercizio, const std::string& risposta);

// What the record keeps of a judged answer: whether it is right, and of a
// wrong one its diagnosis and kind of mistake; a slip of form is kept as
// the kind KTipoForma with what to change, and never counts.
void Esito(const TGiudizio& g, TRispostaGiudicata& r);

} // namespace mevario
