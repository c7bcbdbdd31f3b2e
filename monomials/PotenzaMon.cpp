#include "PotenzaMon.h"

namespace mevario {

namespace {
const char* const kPotenza = "(4*x^2*y)^3";
const char* const kProdotto = "(4*x^2*y)&string( \xB7 )&(4*x^2*y)&string( \xB7 )&(4*x^2*y)";
const char* const kRisultato = "4*.4*.4*x^(2+2+2)*y^(1+1+1)&string(  =  )&64*x^6*y^3";
const char* const kEsempio1 = "(-5*x^2*y^4*z)^3&string(  =  )&(-5)^3*x^(2*.3)*y^(4*.3)*z^(1*.3)&string(  =  )&-125*x^6*y^12*z^3";
const char* const kEsempio2 = "(-(2/3)*x^3*y)^2&string(  =  )&(-(2/3))^2*x^(3*.2)*y^(1*.2)&string(  =  )&(4/9)*x^6*y^2";
} // namespace

TfrmPotenzaMon::TfrmPotenzaMon() : TFinestraDi(QStringLiteral("Potenza di un monomio"), "E_MON_POT", "S_MON_POT")
{
    setObjectName(QStringLiteral("frmPotenzaMon"));
    OffriPassaggi();
    const QColor sfondo = ColoreSfondo();
    RAhtLabel1 = TestoConcetto(QStringLiteral("La <b>potenza</b> di un monomio è il prodotto di tanti monomi\r\n"
                                              "tutti uguali tra loro."),
                               16, 8);
    RAhtLabel6 = TestoConcetto(QStringLiteral("Ad esempio"), 16, 70);
    PaintBox3 = Formula(PaginaConcetto, kPotenza, QRect(110, 58, 120, 50), sfondo);
    RAhtLabel4 = TestoConcetto(QStringLiteral("significa"), 232, 70);
    PaintBox4 = Formula(PaginaConcetto, kProdotto, QRect(310, 58, 310, 50), sfondo);
    RAhtLabel2 = TestoConcetto(QStringLiteral("che come abbiamo visto in precedenza sarà uguale a"), 16, 112);
    PaintBox5 = Formula(PaginaConcetto, kRisultato, QRect(16, 140, 480, 50), sfondo);
    // "Ad esempio" and "significa" stand on the line of their formulas.
    PosaSullaBase(RAhtLabel6, PaintBox3);
    PosaSullaBase(RAhtLabel4, PaintBox3);
    RAhtLabel5 = TestoConcetto(QStringLiteral("Quindi la <b>potenza nª</b> di un monomio è un monomio che ha \r\n"
                                              "come <b>coefficiente</b> la potenza <b>nª</b> del coefficiente e come \r\n"
                                              "<b>parte letterale</b> tutte le lettere, aventi per esponente \r\n"
                                              "il prodotto del proprio esponente per <b>n</b>."),
                               16, 196);
    RAhtLabel3 = TestoConcetto(QStringLiteral("Esempi"), 16, 296);
    // Panel2 and Panel3, both rounded.
    PaintBox1 = Esempio(kEsempio1, QRect(8, 328, 609, 81), true);
    PaintBox2 = Esempio(kEsempio2, QRect(8, 424, 609, 89), true);

    // The exercise panel of this window is taller: a power stands higher.
    pnlEsercizi->setGeometry(24, 72, 569, 89);
    PBEsercizi->setGeometry(16, 6, 537, 77);
}

} // namespace mevario
