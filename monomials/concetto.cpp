#include "concetto.h"

namespace mevario {

namespace {
const char* const kEsempi = "2/5&string(       )&3*x&string(       )&5*x*y&string(       )&8*x^2*y*z&string(       )"
                            "&(1/2)*x^3&string(       )&0.8*x^4*y^2*z";
} // namespace

TfrmConcetto::TfrmConcetto() : TFinestraDi(QStringLiteral("I monomi"), "E_MON_DEF", "S_MON_DEF")
{
    setObjectName(QStringLiteral("frmConcetto"));
    RAhtLabel1 = TestoConcetto(QStringLiteral("Un <b>monomio</b> è un'espressione algebrica formata moltiplicando \r\n"
                                              "un numero reale per delle variabili (eventualmente ripetute e \r\n"
                                              "quindi scritte come potenze positive). "),
                               16, 8);
    RAhtLabel2 = TestoConcetto(QStringLiteral("Il numero si dice <b>coefficiente</b>. \r\n"
                                              "La variabile o il loro prodotto (se più di una) si dice <b>parte \r\n"
                                              "<b>letterale.\r\n"
                                              "La somma degli esponenti di tutte le variabili si dice <b>grado</b> \r\n"
                                              "del monomio.\r\n"
                                              "L'esponente di una singola variabile dicesi <b>grado</b> rispetto\r\n"
                                              "a quella variabile."),
                               16, 84);
    RAhtLabel4 = TestoConcetto(QStringLiteral("Due o più monomi si dicono <b>simili</b> se possiedono la stessa \r\n"
                                              "parte letterale, cioè le stesse variabili elevate ai medesimi \r\n"
                                              "esponenti."),
                               16, 252);
    RAhtLabel5 = TestoConcetto(QStringLiteral("Sono esempi di monomi:"), 16, 336);
    PaintBox1 = Esempio(kEsempi, QRect(8, 370, 609, 81), true);

    // The quiz: a yes/no panel beside the typing panel, no live drawing.
    pnlEdit->move(24, 232);
    CreaSiNo(200, 256);
}

} // namespace mevario
