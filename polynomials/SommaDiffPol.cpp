#include "SommaDiffPol.h"

#include "Colori.h"
#include "Polinomi.h"

namespace mevario {

namespace {

const QColor kGiallo(255, 255, 0), kViola(128, 0, 128), kBlu(0, 0, 128);

struct RigheEsempio {
    std::string righe[4];
    std::vector<TFormulaBox::TAnello> anelli; // on the third line
};

// The third line is the second with room around its signs, so that the
// rings round the terms leave the signs between them whole.

const RigheEsempio& EsempioSomma()
{
    static const RigheEsempio e{{"(x^2+3*x*y-5*z)" + GiuntoOperazione('+') + "(4*x^2+1)" + GiuntoOperazione('+') +
                                     "(3*x-z+5)&string(  =)",
                            "x^2+3*x*y-5*z+4*x^2+1+3*x-z+5&string(  =)",
                            "x^2&space(4)+space(4)&3*x*y&space(4)-5*z&space(4)+space(4)&4*x^2&space(4)+space(4)&1"
                            "&space(4)+space(4)&3*x&space(4)-z&space(4)+space(4)&5&string(  =)",
                            "5*x^2+3*x*y-6*z+3*x+6"},
                           // x^2, 3xy, -5z, 4x^2, 1, 3x, -z, 5
                           {{0, kVerdeAcceso}, {3, kVerdeAcceso}, {1, kViola}, {2, kRossoAcceso}, {6, kRossoAcceso}, {4, kGiallo}, {7, kGiallo},
                            {5, kBlu}}};
    return e;
}

const RigheEsempio& EsempioDifferenza()
{
    static const RigheEsempio e{{"(x^2+3*x*y-5*z)" + GiuntoOperazione('-') + "(4*x^2+12*z-3)&string(  =)",
                            "x^2+3*x*y-5*z-4*x^2-12*z+3&string(  =)",
                            "x^2&space(4)+space(4)&3*x*y&space(4)-5*z&space(4)-4*x^2&space(4)-12*z&space(4)+space(4)&3"
                            "&string(  =)",
                            "-3*x^2+3*x*y-17*z+3"},
                           // x^2, 3xy, -5z, -4x^2, -12z, 3
                           {{0, kVerdeAcceso}, {3, kVerdeAcceso}, {1, kViola}, {2, kRossoAcceso}, {4, kRossoAcceso}, {5, kGiallo}}};
    return e;
}

} // namespace

TfrmSommaDiffPol::TfrmSommaDiffPol(bool differenza)
    : TFinestraDi(differenza ? QStringLiteral("Differenza tra polinomi") : QStringLiteral("Addizione di polinomi"),
                  differenza ? "E_POL_DIFF" : "E_POL_SOM", differenza ? "S_POL_DIFF" : "S_POL_SOM", differenza)
{
    setObjectName(differenza ? QStringLiteral("frmDiffPol") : QStringLiteral("frmSommaPol"));
    OffriPassaggi();
    const RigheEsempio& es = differenza ? EsempioDifferenza() : EsempioSomma();
    int cime[4];
    QSize pannello, box;
    if (!differenza) {
        RAhtLabel1 = TestoConcetto(QStringLiteral("La <b>somma</b> di due o più polinomi è un polinomio che si ottiene \r\n"
                                                  "scrivendo, l'uno di seguito all'altro, i loro termini, ciascuno \r\n"
                                                  "con il proprio segno, e sommando successivamente gli\r\n"
                                                  "eventuali monomi simili. "),
                                   16, 9);
        RAhtLabel2 = TestoConcetto(QStringLiteral("Esempio"), 24, 184);
        const int c[4] = {224, 296, 368, 440};
        std::copy(c, c + 4, cime);
        pannello = QSize(569, 65);
        box = QSize(537, 57);
    } else {
        RAhtLabel1 = TestoConcetto(QStringLiteral("La <b>differenza</b> tra due polinomi è il polinomio che si\r\n"
                                                  "ottiene sommando al primo (minuendo) l'opposto del \r\n"
                                                  "secondo (sottraendo).\r\n"
                                                  "Tale polinomio si ottiene scrivendo i termini del minuendo\r\n"
                                                  "presi con il loro segno, seguiti da quelli del sottraendo \r\n"
                                                  "ciascuno con il segno cambiato ed eseguendo in seguito\r\n"
                                                  "la somma algebrica degli eventuali monomi simili."),
                                   16, 9);
        RAhtLabel2 = TestoConcetto(QStringLiteral("Esempio"), 24, 224);
        const int c[4] = {264, 328, 392, 456};
        std::copy(c, c + 4, cime);
        pannello = QSize(569, 60);
        box = QSize(537, 50);
    }
    TFormulaBox** boxes[4] = {&PaintBox1, &PaintBox2, &PaintBox3, &PaintBox4};
    for (int i = 0; i < 4; ++i) {
        // Panel2 .. Panel5, all rounded.
        QFrame* p = PannelloEsempio(QRect(QPoint(32, cime[i]), pannello), true);
        *boxes[i] = Formula(p, es.righe[i], QRect(QPoint(16, (pannello.height() - box.height()) / 2), box),
                            ColorePannelli());
    }
    PaintBox3->SetAnelli(es.anelli);

    // The exercise page: a wider exercise box, a wider field. Two
    // polynomials of three terms with fractions take up to about 650 pixels
    // at full size: the window is wider than the common one by what the
    // box needs.
    const int piu = 60;
    setFixedSize(width() + piu, height());
    Notebook1->resize(Notebook1->width() + piu, Notebook1->height());
    for (QWidget* b : {static_cast<QWidget*>(btnChiudi), static_cast<QWidget*>(btnStampa),
                       static_cast<QWidget*>(btEseAppr), static_cast<QWidget*>(btnNuovo),
                       static_cast<QWidget*>(btnSoluzione)})
        b->move(b->x() + piu, b->y());
    pnlEsercizi->setGeometry(8, 88, 619 + piu, 85);
    PBEsercizi->setGeometry(8, 4, 603 + piu, 77);
    pnlEdit->setGeometry(24, 240, 569, 185);
    EditRisp->setGeometry(14, 10, 451, 39);
    DsFancyButton1->setGeometry(472, 6, 89, 33);
    btnLavagna->setGeometry(472, 44, 89, 33);
    PBRisp->setGeometry(12, 82, 545, 97);
}

} // namespace mevario
