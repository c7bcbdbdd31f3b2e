#include "ProdottoMon.h"

namespace mevario {

namespace {
const char* const kEsempio1 = "(4*x^2*z^3)&string(  \xB7  )&((3/5)*x*y^2)&string(  =  )&(4)*.(3/5)*x^(2+1)*y^(0+2)*z^(3+0)"
                              "&string(  =  )&(12/5)*x^3*y^2*z^3";
const char* const kEsempio2a = "(-3*x*y*z)&string(  \xB7  )&((1/2)*x*z^2)&string(  \xB7  )&(y^3)&string(  =  )"
                               "&(-3)*.(1/2)*.(1)*x^(1+1)*y^(1+3)*z^(1+2)";
const char* const kEsempio2b = "string(=  )&-(3/2)*x^2*y^4*z^3&string(               )";
} // namespace

TfrmProdottoMon::TfrmProdottoMon() : TFinestraDi(QStringLiteral("Prodotto di monomi"), "E_MON_PROD", "S_MON_PROD")
{
    setObjectName(QStringLiteral("frmProdottoMon"));
    OffriPassaggi();
    RAhtLabel1 = TestoConcetto(QStringLiteral("Il <b>prodotto</b> di due o più monomi è un monomio avente\r\n\r\n"
                                              "1) come <b>coefficiente</b> il prodotto dei coefficienti \r\n"
                                              "    dei monomi\r\n"
                                              "2) come <b>parte letterale</b> tutte le lettere che compaiono \r\n"
                                              "    nei monomi, prese una sola volta e con esponente uguale \r\n"
                                              "    alla somma degli esponenti che la lettera ha nei monomi\r\n"
                                              "     (regola del prodotto di potenze).\r\n\r\n"
                                              "Esempi"),
                               16, 8);
    // Panel2 (upper, rounded) and Panel4 (lower, rounded).
    PaintBox3 = Esempio(kEsempio1, QRect(8, 272, 609, 81), true);
    QFrame* Panel4 = PannelloEsempio(QRect(8, 368, 609, 143), true);
    PaintBox1 = Formula(Panel4, kEsempio2a, QRect(4, 2, 601, 72), ColorePannelli());
    PaintBox2 = Formula(Panel4, kEsempio2b, QRect(300, 73, 305, 68), ColorePannelli());
}

} // namespace mevario
