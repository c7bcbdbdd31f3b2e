// TfrmConcetto: what a monomial is, and a quiz of four kinds of question.
#pragma once

#include "EsercizioConcetto.h"
#include "Protocollo.h"

namespace mevario {

class TfrmConcetto : public TFinestraDi<EsercizioConcetto> {
    Q_OBJECT
public:
    TfrmConcetto();

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    TRAhtLabel* RAhtLabel4;
    TRAhtLabel* RAhtLabel5;
    TFormulaBox* PaintBox1;
};

} // namespace mevario
