#include "McdMcmMon.h"

namespace mevario {

TfrmMcdMcmMon::TfrmMcdMcmMon(bool mcm, const Testi& t) : TFinestraDi(t.argomento, t.giuste, t.sbagliate, mcm)
{
    RAhtLabel1 = TestoConcetto(t.testo1, 16, 8);
    RAhtLabel4 = TestoConcetto(t.testo2, 16, 84);
    RAhtLabel2 = TestoConcetto(QStringLiteral("Esempi"), 16, 236);
    PaintBox1 = Esempio(t.esempio1, QRect(8, 272, 609, 81), true);
    PaintBox2 = Esempio(t.esempio2, QRect(8, 368, 609, 81), false);
}

TfrmMcdMon::TfrmMcdMon()
    : TfrmMcdMcmMon(
          false,
          {QStringLiteral("MCD di monomi"), "E_MON_MCD", "S_MON_MCD",
           QStringLiteral("Il <b>massimo comun divisore (MCD)</b> di due o più monomi è un\r\n"
                          "monomio di grado massimo che divide contemporaneamente\r\n"
                          "tutti i monomi dati, avente:"),
           QStringLiteral("1) <b>coefficiente</b> uguale al MCD dei coefficienti dei monomi\r\n"
                          "    dati se essi sono tutti interi e uguale ad 1 se almeno uno \r\n"
                          "    dei coefficienti non è intero\r\n"
                          "2) <b>parte letterale</b> formata dalle sole lettere comuni ai \r\n"
                          "     monomi, elevate ciascuna al più piccolo esponente che esse \r\n"
                          "     hanno nei singoli monomi."),
           "string(\"MCD\")&!(12*x^3*y^3*z&string(\",  \")&-4*x^2*y^4)&string(\"  =  \")&4*x^2*y^3",
           "string(\"MCD\")&!((2/5)*x^3*y^2&string(\",  \")&4*x^2*z^3&string(\",  \")&2*x^4*z)&string(\"  =  \")&x^2"})
{
    setObjectName(QStringLiteral("frmMcdMon"));
}

TfrmMcmMon::TfrmMcmMon()
    : TfrmMcdMcmMon(
          true,
          {QStringLiteral("mcm di monomi"), "E_MON_MCM", "S_MON_MCM",
           QStringLiteral("Il <b>minimo comun multiplo (mcm)</b> di due o più monomi è un\r\n"
                          "monomio di grado minimo divisibile contemporaneamente\r\n"
                          "per tutti i monomi dati, avente:"),
           QStringLiteral("1) <b>coefficiente</b> uguale al mcm dei coefficienti dei monomi\r\n"
                          "    dati se essi sono tutti interi e uguale ad 1 se almeno uno \r\n"
                          "    dei coefficienti non è intero\r\n"
                          "2) <b>parte letterale</b> formata dalle lettere comuni e non comuni\r\n"
                          "     ai monomi dati, prese una sola volta ed elevate ciascuna\r\n"
                          "     al massimo esponente che esse hanno nei singoli monomi."),
           "string(\"mcm\")&!(6*x^3*y^3*z&string(\",  \")&-5*x^2*y^4)&string(\"  =  \")&30*x^3*y^4*z",
           "string(\"mcm\")&!((2/5)*x^3*y^2&string(\",  \")&4*x^2*z^3&string(\",  \")&2*x^4*z)&string(\"  =  \")"
           "&x^4*y^2*z^3"})
{
    setObjectName(QStringLiteral("frmMcmMon"));
}

} // namespace mevario
