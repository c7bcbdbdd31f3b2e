// The pages of an exercise window: the exercise page (the exercise, the
// question, the answer panel, the counters), the yes/no choice of the
// quizzes, and the pieces a topic builds its concept page with.
#include "Colori.h"
#include "Protocollo.h"

#include "Finestra.h"
#include "ucomune.h"

namespace mevario {


void TFinestraEsercizi::CreaPaginaEsercizi()
{
    // The exercise page.
    lb = Etichetta(QStringLiteral("Rispondi al quesito e clicca su Procedi"), PaginaEsercizi,
                   Carattere("Comic Sans MS", 21), Qt::black);
    lb->move(16, 24);
    // What a review visit is about, above the exercise: in the request's
    // place, which the pupil knows by then (the exercise panels of some
    // topics leave no line free under it).
    lblRipasso = Etichetta(QString(), PaginaEsercizi, Carattere("Tahoma", 16, true), kMarrone);
    lblRipasso->setObjectName(QStringLiteral("lblRipasso"));
    lblRipasso->setGeometry(16, lb->y(), 600, lb->height());
    lblRipasso->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblRipasso->hide();
    pnlEsercizi = new QFrame(PaginaEsercizi);
    // Tall enough for a bracketed fraction at the full 20 points.
    pnlEsercizi->setGeometry(24, 88, 569, 85);
    ImpostaColore(pnlEsercizi, ColorePannelli());
    PBEsercizi = new TFormulaBox(pnlEsercizi);
    PBEsercizi->setGeometry(16, 4, 537, 77);
    PBEsercizi->SetColor(ColorePannelli());
    lbDomanda = Etichetta(QString(), PaginaEsercizi, Carattere("Comic Sans MS", 21), kMarrone);
    lbDomanda->setGeometry(24, 184, 560, 32);

    pnlEdit = new QFrame(PaginaEsercizi);
    pnlEdit->setGeometry(24, 240, 569, 113);
    ImpostaColore(pnlEdit, ColorePannelli());
    EditRisp = new TEditRisp(pnlEdit);
    EditRisp->setGeometry(14, 10, 203, 39);
    EditRisp->setFont(Carattere("Times New Roman", 27));
    PBRisp = new TFormulaBox(pnlEdit);
    PBRisp->setGeometry(248, 14, 305, 83);
    PBRisp->SetColor(ColorePannelli());
    PBRisp->SetIgnoraErrori(true);
    DsFancyButton1 = Capsula(QStringLiteral("Istruzioni"), pnlEdit, QRect(16, 64, 89, 33), 12);
    btnLavagna = Capsula(QStringLiteral("Lavagna"), pnlEdit, QRect(128, 64, 89, 33), 12);
}

void TFinestraEsercizi::CreaContatori()
{
    pnlRisp = new QFrame(PaginaEsercizi);
    pnlRisp->setGeometry(64, 456, 497, 41);
    ImpostaColore(pnlRisp, ColorePannelli());
    const QFont contatori = Carattere("Tahoma", 16, true);
    // Green and red dark enough to read on the panel's orange.
    Etichetta(QStringLiteral("Risposte esatte:"), pnlRisp, contatori, kVerde)->move(11, 8);
    lblEsatte = Etichetta(QStringLiteral("0"), pnlRisp, contatori, Qt::black);
    lblEsatte->setGeometry(147, 9, 55, 24);
    lblEsatte->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Etichetta(QStringLiteral("Errori:"), pnlRisp, contatori, kRosso)->move(380, 9);
    lblErrori = Etichetta(QStringLiteral("0"), pnlRisp, contatori, Qt::black);
    lblErrori->setGeometry(434, 9, 55, 24);
    lblErrori->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    pnlRisp->setAccessibleName(QStringLiteral("Contatori"));
}

TRAhtLabel* TFinestraEsercizi::TestoConcetto(const QString& caption, int x, int y)
{
    auto* l = new TRAhtLabel(PaginaConcetto);
    l->setFont(Carattere("Comic Sans MS", 16));
    l->SetTransparent(true);
    l->SetAutoSize(true);
    l->move(x, y);
    l->SetCaption(caption);
    return l;
}

QFrame* TFinestraEsercizi::PannelloEsempio(const QRect& pannello, bool angoliArrotondati)
{
    auto* p = new QFrame(PaginaConcetto);
    p->setGeometry(pannello);
    ImpostaColore(p, ColorePannelli());
    if (angoliArrotondati)
        ArrotondaAngoli(p);
    return p;
}

TFormulaBox* TFinestraEsercizi::Formula(QWidget* parent, const std::string& formula, const QRect& g,
                                        const QColor& colore)
{
    auto* box = new TFormulaBox(parent);
    box->setGeometry(g);
    box->SetColor(colore);
    DrawFormula(box, formula);
    return box;
}

TFormulaBox* TFinestraEsercizi::Esempio(const std::string& formula, const QRect& pannello, bool angoliArrotondati)
{
    QFrame* p = PannelloEsempio(pannello, angoliArrotondati);
    return Formula(p, formula, QRect(4, 4, pannello.width() - 8, pannello.height() - 8), ColorePannelli());
}

void TFinestraEsercizi::CreaSiNo(int x, int y)
{
    pnlSiNo = new QFrame(PaginaEsercizi);
    pnlSiNo->setGeometry(x, y, 185, 41);
    ImpostaColore(pnlSiNo, ColorePannelli());
    pnlSiNo->setAccessibleName(QStringLiteral("Risposta"));
    const QFont f = Carattere("Comic Sans MS", 21);
    rbSi = new QRadioButton(QStringLiteral("Sì"), pnlSiNo);
    rbSi->setFont(f);
    rbSi->move(22, 12);
    rbSi->adjustSize();
    rbSi->setAccessibleName(QStringLiteral("Sì"));
    ColoraTesto(rbSi, Qt::black);
    rbNo = new QRadioButton(QStringLiteral("No"), pnlSiNo);
    rbNo->setFont(f);
    rbNo->move(102, 12);
    rbNo->adjustSize();
    rbNo->setAccessibleName(QStringLiteral("No"));
    ColoraTesto(rbNo, Qt::black);
    pnlSiNo->hide();
    for (QRadioButton* rb : {rbSi, rbNo})
        connect(rb, &QRadioButton::toggled, this, [this] { MostraLettura(TLettura{}); }); // a choice made
    // The typed answers of a quiz are short: nothing to draw.
    PBRisp->hide();
}

} // namespace mevario
