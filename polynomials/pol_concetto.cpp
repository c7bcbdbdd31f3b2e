#include "pol_concetto.h"

namespace mevario {

TfrmPolConcetto::TfrmPolConcetto() : TFinestraDi(QStringLiteral("I polinomi"), "E_POL_DEF", "S_POL_DEF")
{
    setObjectName(QStringLiteral("frmPolConcetto"));
    RAhtLabel1 = TestoConcetto(QStringLiteral("Un <b>polinomio</b> è un'espressione algebrica formata sommando \r\n"
                                              "o sottraendo monomi; i singoli monomi si dicono anche \r\n"
                                              "<b>termini</b> del polinomio."),
                               16, 9);
    RAhtLabel2 = TestoConcetto(QStringLiteral("Sono esempi di polinomi:"), 16, 111);
    QFrame* Panel2 = PannelloEsempio(QRect(32, 144, 569, 65), true);
    PaintBox1 = Formula(Panel2, "5*x^2*y-3*y*z&string(         )&3*x^2&string(         )&6*x*y^2+z-4*x^2",
                        QRect(16, 4, 537, 57), ColorePannelli());
    RAhtLabel3 = TestoConcetto(QStringLiteral("Si dice <b>grado</b> di un polinomio il massimo tra i gradi dei \r\n"
                                              "suoi termini. Talvolta si considera anche il grado rispetto ad\r\n"
                                              "una variabile, intendendo con ciò l'esponente più alto di\r\n"
                                              "tale variabile."),
                               16, 216);
    RAhtLabel4 = TestoConcetto(QStringLiteral("Un polinomio si dice ridotto in <b>forma normale</b> se è un \r\n"
                                              "monomio oppure somma di monomi non simili."),
                               16, 346);
    RAhtLabel5 = TestoConcetto(QStringLiteral("Un polinomio si dice <b>ordinato</b> rispetto ad una lettera, \r\n"
                                              "quando gli esponenti della lettera stessa si succedono \r\n"
                                              "in modo decrescente o crescente."),
                               16, 424);

    // The quiz: a yes/no panel beside the typing panel, no live drawing.
    pnlEdit->move(24, 232);
    CreaSiNo(200, 256);
}

} // namespace mevario
