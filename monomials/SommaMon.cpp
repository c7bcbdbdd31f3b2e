#include "SommaMon.h"

namespace mevario {

namespace {
const char* const kEsempio1 =
    "5*x^2*z&string(  +  )&(1/2)*x^2*z&string(  +  )&3*x^2*z&string(  =  )&(5+1/2+3)*x^2*z&string(  =  )&(17/2)*x^2*z";
const char* const kEsempio2 = "2*x*y&string(  +  )&2/3*x*z&string(  +  )&x^2&string(   =   )&2*x*y+2/3*x*z+x^2";
} // namespace

TfrmSommaMon::TfrmSommaMon() : TFinestraDi(QStringLiteral("Somma di monomi"), "E_MON_SOMDIF", "S_MON_SOMDIF")
{
    setObjectName(QStringLiteral("frmSommaMon"));
    RAhtLabel1 = TestoConcetto(
        QStringLiteral("La <b>somma algebrica</b> (addizione o sottrazione) di due o più \r\n"
                       "monomi si può effettuare solo se i monomi sono simili.\r\n"
                       "In tal caso il risultato è un monomio che ha\r\n\r\n"
                       "1) come <b>coefficiente</b> la somma dei coefficienti dei monomi\r\n"
                       "2) come <b>parte letterale</b> la stessa parte letterale dei monomi \r\n"
                       "    di partenza:"),
        16, 16);
    PaintBox1 = Esempio(kEsempio1, QRect(8, 186, 609, 81), true);
    RAhtLabel2 = TestoConcetto(QStringLiteral("Se i monomi non sono simili non è possibile effettuare \r\n"
                                              "la somma e lasceremo quindi l'operazione indicata:"),
                               16, 290);
    PaintBox2 = Esempio(kEsempio2, QRect(8, 350, 609, 81), false);
}

} // namespace mevario
