// TfrmSommaPol and TfrmDiffPol: the sum and the difference of polynomials.
// Twin windows of one class that differ only in their texts and in their
// topic object's operation.
#pragma once

#include "EsercizioSommaDiffPol.h"
#include "Protocollo.h"

namespace mevario {

class TfrmSommaDiffPol : public TFinestraDi<EsercizioSommaDiffPol> {
    Q_OBJECT
public:
    explicit TfrmSommaDiffPol(bool differenza);

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    // The four example lines, the third with rings around similar terms.
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;
    TFormulaBox* PaintBox3;
    TFormulaBox* PaintBox4;
};

class TfrmSommaPol : public TfrmSommaDiffPol {
    Q_OBJECT
public:
    TfrmSommaPol() : TfrmSommaDiffPol(false) {}
};

class TfrmDiffPol : public TfrmSommaDiffPol {
    Q_OBJECT
public:
    TfrmDiffPol() : TfrmSommaDiffPol(true) {}
};

} // namespace mevario
