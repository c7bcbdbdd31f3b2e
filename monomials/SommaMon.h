// TfrmSommaMon: the sum of similar monomials.
#pragma once

#include "EsercizioSommaMon.h"
#include "Protocollo.h"

namespace mevario {

class TfrmSommaMon : public TFinestraDi<EsercizioSommaMon> {
    Q_OBJECT
public:
    TfrmSommaMon();

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;
};

} // namespace mevario
