// TfrmProdottoMon: the product of monomials.
#pragma once

#include "EsercizioProdottoMon.h"
#include "Protocollo.h"

namespace mevario {

class TfrmProdottoMon : public TFinestraDi<EsercizioProdottoMon> {
    Q_OBJECT
public:
    TfrmProdottoMon();

    TRAhtLabel* RAhtLabel1;
    TFormulaBox* PaintBox3;
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;
};

} // namespace mevario
