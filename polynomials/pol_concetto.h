// TfrmPolConcetto: what a polynomial is, and a quiz of three kinds of
// question.
#pragma once

#include "EsercizioPolConcetto.h"
#include "Protocollo.h"

namespace mevario {

class TfrmPolConcetto : public TFinestraDi<EsercizioPolConcetto> {
    Q_OBJECT
public:
    TfrmPolConcetto();

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    TRAhtLabel* RAhtLabel3;
    TRAhtLabel* RAhtLabel4;
    TRAhtLabel* RAhtLabel5;
    TFormulaBox* PaintBox1;
};

} // namespace mevario
