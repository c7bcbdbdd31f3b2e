#include "QuozienteMon.h"

namespace mevario {

namespace {
const char* const kEsempio1 = "(-(3/2)*x*y^3)&string(:)&(-(2/5)*x*y^2)&string(  =  )&(-(3/2))&string(:)&(-(2/5))"
                              "*x^(1-1)*y^(3-2)&string(  =  )&(15/4)*y";
const char* const kEsempio2 = "(-8*x^2*y^4*z)&string( : )&(2*x*y^2)&string(  =  )&(-8)&string(:)&(2)*x^(2-1)*y^(4-2)"
                              "*z^(1-0)&string(  =  )&-4*x*y^2*z";
} // namespace

TfrmQuozienteMon::TfrmQuozienteMon()
    : TFinestraDi(QStringLiteral("Quoziente di monomi"), "E_MON_QUOZ", "S_MON_QUOZ")
{
    setObjectName(QStringLiteral("frmQuozienteMon"));
    OffriPassaggi();
    RAhtLabel1 = TestoConcetto(QStringLiteral("Affinché un monomio sia <b>divisibile</b> per un altro è necessario\r\n"
                                              "che il <b>dividendo</b> contenga tutte le lettere che compaiono\r\n"
                                              "nel <b>divisore</b> e che ciascuna di esse sia elevata ad un esponente\r\n"
                                              "maggiore o uguale a quello che figura nel divisore."),
                               16, 8);
    RAhtLabel2 = TestoConcetto(QStringLiteral("In tal caso il <b>quoziente</b> tra due monomi è un monomio che ha\r\n"
                                              "1) come <b>coefficiente</b> il quoziente dei coefficienti \r\n"
                                              "    dei monomi\r\n"
                                              "2) come <b>parte letterale</b> tutte le lettere che compaiono \r\n"
                                              "    nel dividendo, ciascuna con esponente uguale alla \r\n"
                                              "    differenza degli esponenti che la lettera ha nel dividendo\r\n"
                                              "    e nel divisore (regola del quoziente di potenze)."),
                               16, 106);
    RAhtLabel3 = TestoConcetto(QStringLiteral("Esempi"), 16, 280);
    // Panel2 (upper) and Panel3 (lower), both rounded.
    PaintBox2 = Esempio(kEsempio1, QRect(8, 312, 609, 89), true);
    PaintBox1 = Esempio(kEsempio2, QRect(8, 416, 609, 89), true);
    // At 20 points the first example is wider than its panel: both are
    // drawn at 16 points, so that they match.
    PaintBox2->SetVariant(TFormulaVariant::ControlCentered);
    PaintBox1->SetVariant(TFormulaVariant::ControlCentered);
}

} // namespace mevario
