// TfrmSommaMon: the sum of similar monomials.
#pragma once

#include "Protocollo.h"

namespace mevario {

class TfrmSommaMon : public TFinestraEsercizi {
    Q_OBJECT
public:
    TfrmSommaMon();

    // The current exercise: three coefficients (the third 0/1 when there are
    // two terms) and the common literal part in formula form.
    int p1 = 0, q1 = 1, p2 = 0, q2 = 1, p3 = 0, q3 = 1;
    std::string L;

    // The expected coefficient p1/q1 + p2/q2 + p3/q3.
    long double Somma() const;
    bool Verifica(const std::string& risposta) override;

    TRAhtLabel* RAhtLabel1;
    TRAhtLabel* RAhtLabel2;
    TFormulaBox* PaintBox1;
    TFormulaBox* PaintBox2;

protected:
    void NuovoEsercizio() override;
};

} // namespace mevario
