// TfrmMcdMon and TfrmMcmMon: the greatest common divisor and the least
// common multiple of monomials. Twin windows of one class that differ only
// in their texts and in their topic object's rule.
#pragma once

#include "EsercizioMcdMcmMon.h"
#include "Protocollo.h"

namespace mevario {

class TfrmMcdMcmMon : public TFinestraDi<EsercizioMcdMcmMon> {
    Q_OBJECT
public:
    struct Testi {
        QString argomento;
        const char* giuste;
        const char* sbagliate;
        QString testo1;
        QString testo2;
        const char* esempio1;
        const char* esempio2;
    };
    TfrmMcdMcmMon(bool mcm, const Testi& testi);

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel4;
    TRAhtLabel* RAhtLabel2;
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;
};

class TfrmMcdMon : public TfrmMcdMcmMon {
    Q_OBJECT
public:
    TfrmMcdMon();
};

class TfrmMcmMon : public TfrmMcdMcmMon {
    Q_OBJECT
public:
    TfrmMcmMon();
};

} // namespace mevario
