#include "ProdPol.h"
#include "Colori.h"

#include <QPalette>

namespace mevario {

namespace {

const char* const kRiga1 = "(2*x+5*y)&string(  \xB7  )&(3*x-4*y)&string(  =)";
const char* const kRigaRossa = "6*x^2-8*x*y";
const char* const kRigaBlu = "+15*x*y-20*y^2&string(  =)";
const char* const kRiga4 = "6*x^2-8*x*y+15*x*y-20*y^2&string(  =)";
const char* const kRiga5 = "6*x^2+7*x*y-20*y^2";

QWidget* Rettangolo(QWidget* parent, const QColor& c)
{
    auto* r = new QWidget(parent);
    QPalette pal = r->palette();
    pal.setColor(QPalette::Window, c);
    r->setPalette(pal);
    r->setAutoFillBackground(true);
    r->setAttribute(Qt::WA_TransparentForMouseEvents);
    return r;
}

// The union of the cells of the pieces that spell `testi` one after the
// other, first occurrence.
QRect Termine(const std::vector<TPezzoTesto>& pezzi, std::initializer_list<const char16_t*> testi)
{
    const std::vector<std::u16string> cercati(testi.begin(), testi.end());
    for (std::size_t i = 0; i + cercati.size() <= pezzi.size(); ++i) {
        bool uguale = true;
        for (std::size_t k = 0; k < cercati.size() && uguale; ++k)
            uguale = pezzi[i + k].testo == cercati[k];
        if (uguale) {
            QRect r = pezzi[i].cella;
            for (std::size_t k = 1; k < cercati.size(); ++k)
                r = r.united(pezzi[i + k].cella);
            return r;
        }
    }
    return {};
}

} // namespace

TfrmProdottoPol::TfrmProdottoPol() : TFinestraDi(QStringLiteral("Prodotto tra polinomi"), "E_POL_PROD", "S_POL_PROD")
{
    setObjectName(QStringLiteral("frmProdottoPol"));
    OffriPassaggi();
    RAhtLabel1 = TestoConcetto(QStringLiteral("Il <b>prodotto</b> tra due polinomi è un polinomio che si ottiene\r\n"
                                              "moltiplicando ciascun termine di un polinomio per ciascun \r\n"
                                              "termine dell'altro polinomio. Successivamente si passerà\r\n"
                                              "alla somma algebrica degli eventuali monomi simili."),
                               16, 9);
    RAhtLabel2 = TestoConcetto(QStringLiteral("Esempio"), 24, 190);
    const QColor pannelli = ColorePannelli();
    // Panel2 .. Panel6, all rounded.
    PaintBox1 = Formula(PannelloEsempio(QRect(32, 227, 569, 41), true), kRiga1, QRect(17, 2, 537, 37), pannelli);
    PaintBox2 = Formula(PannelloEsempio(QRect(32, 296, 569, 41), true), kRiga1, QRect(16, 2, 537, 39), pannelli);
    // The partial products of 2x in red and of 5y in blue, side by side.
    QFrame* p4 = PannelloEsempio(QRect(32, 369, 569, 41), true);
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    const int wRossa = MisuraFormula(kRigaRossa, TFormulaVariant::PaintBoxCentered, ppi).width() + 4;
    const int wBlu = MisuraFormula(kRigaBlu, TFormulaVariant::PaintBoxCentered, ppi).width() + 4;
    const int x0 = (569 - wRossa - wBlu) / 2;
    PaintBox3 = Formula(p4, kRigaRossa, QRect(x0, 1, wRossa, 39), pannelli);
    PaintBox3->SetFontColor(kRossoAcceso);
    PaintBox4 = Formula(p4, kRigaBlu, QRect(x0 + wRossa, 1, wBlu, 39), pannelli);
    PaintBox4->SetFontColor(QColor(0, 0, 255));
    PaintBox5 = Formula(PannelloEsempio(QRect(33, 417, 569, 55), true), kRiga4, QRect(16, 4, 537, 48), pannelli);
    PaintBox5->SetAnelli({{1, kVerdeAcceso}, {2, kVerdeAcceso}}); // -8xy and 15xy
    PaintBox6 = Formula(PannelloEsempio(QRect(32, 480, 569, 41), true), kRiga5, QRect(16, 1, 537, 39), pannelli);
    PosaConnettori();

    // The exercise page: a wide exercise box, a long field with the two
    // buttons at its right and the live drawing below.
    pnlEsercizi->setGeometry(8, 88, 619, 85);
    PBEsercizi->setGeometry(8, 4, 603, 77);
    pnlEdit->setGeometry(24, 240, 569, 185);
    EditRisp->setGeometry(14, 10, 451, 39);
    DsFancyButton1->setGeometry(472, 6, 89, 33);
    btnLavagna->setGeometry(472, 44, 89, 33);
    PBRisp->setGeometry(12, 82, 545, 97);
}

void TfrmProdottoPol::PosaConnettori()
{
    // Where the terms of the second line are drawn, in page coordinates.
    const QWidget* pannello = PaintBox2->parentWidget();
    const QPoint origine = pannello->pos() + PaintBox2->pos();
    const auto pezzi = PezziDiTesto(PaintBox2->Formula(), PaintBox2->size(), PaintBox2->Variant(),
                                    PaintBox2->logicalDpiY() > 0 ? PaintBox2->logicalDpiY() : 96);
    const QRect t2x = Termine(pezzi, {u"2", u"x"}).translated(origine);
    const QRect t5y = Termine(pezzi, {u"5", u"y"}).translated(origine);
    const QRect t3x = Termine(pezzi, {u"3", u"x"}).translated(origine);
    const QRect t4y = Termine(pezzi, {u"\u2212", u"4", u"y"}).translated(origine);
    const int sopra = pannello->y(), sotto = pannello->y() + pannello->height();

    // A connector from x = da to x = a with its bar at row `barra`; above
    // the line the head points down onto the panel's top edge, below it
    // points up at the bottom edge.
    const auto connettore = [&](int da, int a, int barra, bool alto, const QColor& colore) {
        TConnettore c{};
        c.inizio = Rettangolo(PaginaConcetto, colore);
        c.barra = Rettangolo(PaginaConcetto, colore);
        c.fine = Rettangolo(PaginaConcetto, colore);
        c.freccia = new TviArrowEx(PaginaConcetto);
        c.freccia->SetArrowDirection(TviArrow::adLeftToLeft);
        c.freccia->SetThicknessRate(10);
        c.freccia->SetHeadLengthRate(1);
        c.freccia->SetColor(colore);
        c.freccia->SetArrowPosition(alto ? TviArrow::apRight : TviArrow::apLeft);
        const int lato = std::min(da, a), largo = std::abs(a - da) + 3;
        c.barra->setGeometry(lato, barra, largo, 3);
        if (alto) {
            c.inizio->setGeometry(da, barra, 3, sopra - barra);
            c.freccia->setGeometry(a + 1 - 13, sopra - 15, 27, 15);
            c.fine->setGeometry(a, barra, 3, sopra - 15 - barra + 1);
        } else {
            c.inizio->setGeometry(da, sotto, 3, barra - sotto + 3);
            c.freccia->setGeometry(a + 1 - 13, sotto, 27, 15);
            c.fine->setGeometry(a, sotto + 14, 3, barra - sotto - 14 + 3);
        }
        for (QWidget* w : {c.inizio, c.barra, c.fine, static_cast<QWidget*>(c.freccia)})
            w->raise();
        Connettori.push_back(c);
    };
    const QColor rosso = kRossoAcceso, blu(0, 0, 255);
    connettore(t2x.center().x() - 4, t3x.center().x() - 1, sopra - 16, true, rosso);
    connettore(t2x.center().x() + 3, t4y.center().x() - 1, sopra - 23, true, rosso);
    connettore(t5y.center().x() + 3, t4y.center().x() - 1, sotto + 20, false, blu);
    connettore(t5y.center().x() - 4, t3x.center().x() - 1, sotto + 13, false, blu);
}

} // namespace mevario
