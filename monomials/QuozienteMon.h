// TfrmQuozienteMon: the quotient of two monomials.
#pragma once

#include "EsercizioQuozienteMon.h"
#include "Protocollo.h"

namespace mevario {

class TfrmQuozienteMon : public TFinestraDi<EsercizioQuozienteMon> {
    Q_OBJECT
public:
    TfrmQuozienteMon();

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    TRAhtLabel* RAhtLabel3;
    TFormulaBox* PaintBox2;
    TFormulaBox* PaintBox1;
};

} // namespace mevario
