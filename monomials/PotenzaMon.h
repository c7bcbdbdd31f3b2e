// TfrmPotenzaMon: the power of a monomial.
#pragma once

#include "EsercizioPotenzaMon.h"
#include "Protocollo.h"

namespace mevario {

class TfrmPotenzaMon : public TFinestraDi<EsercizioPotenzaMon> {
    Q_OBJECT
public:
    TfrmPotenzaMon();

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel6;
    TFormulaBox* PaintBox3;
    TRAhtLabel* RAhtLabel4;
    TFormulaBox* PaintBox4;
    TRAhtLabel* RAhtLabel2;
    TFormulaBox* PaintBox5;
    TRAhtLabel* RAhtLabel5;
    TRAhtLabel* RAhtLabel3;
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;
};

} // namespace mevario
