// TfrmProdottoPol: the product of polynomials, with the connectors of its
// worked example that show which products are formed.
#pragma once

#include "EsercizioProdottoPol.h"
#include "Protocollo.h"
#include "viArrow.h"

namespace mevario {

class TfrmProdottoPol : public TFinestraDi<EsercizioProdottoPol> {
    Q_OBJECT
public:
    TfrmProdottoPol();

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    // The example lines: the product, the product again (with the
    // connectors), the partial products of 2x (red) and of 5y (blue), their
    // sum with rings around the similar terms, the result.
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;
    TFormulaBox* PaintBox3;
    TFormulaBox* PaintBox4;
    TFormulaBox* PaintBox5;
    TFormulaBox* PaintBox6;

    // A connector from a term of the first factor to a term of the second:
    // a stub at the start, a bar, a stub at the end and an arrow head.
    struct TConnettore {
        QWidget* inizio;
        QWidget* barra;
        QWidget* fine;
        TviArrowEx* freccia;
    };
    std::vector<TConnettore> Connettori;

private:
    void PosaConnettori();
};

} // namespace mevario
