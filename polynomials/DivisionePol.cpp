#include "DivisionePol.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

#include "Colori.h"
#include "ExprMake.h"
#include "Finestra.h"
#include "funzioni.h"

namespace mevario {

namespace {

const QColor kGriglia(255, 201, 147);   // 9685503
const QColor kNarrazione(255, 255, 128); // 8454143
const int kN = 4;                        // the dividend's degree: the grid's columns
// A degree-4 division by a divisor of degree 1 or 2 takes at most four
// steps: rows 1..9, at most four quotient terms, at most three divisor terms.
const int kRigheMostrate = 2 * kN + 1;
const int kColonneDivisore = kN;
// Cells: at least the classic 65 x 43; wider and taller for what they hold
// (a fraction at full size), up to a limit past which a term shrinks.
const int kMinLarga = 65, kMaxLarga = 112, kMinAlta = 43, kMaxAlta = 64;
// The window never gets lower or narrower than this.
const int kAltezzaMinima = 460, kLarghezzaMinima = 720;
// The editor widens its column up to this, so that it covers no other cell.
const int kMaxEditor = 150;

// The grid's scroll area keeps a margin at its top for the dividend and
// divisor row, which does not scroll down with the rows under it.
class TScrollGriglia : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    using QAbstractScrollArea::setViewportMargins;
};

// Screen readers meet a grid cell as a cell whose press binds the editor.
class TCellaAccessibile : public TAccessibileFormula {
public:
    explicit TCellaAccessibile(TCellaDivisione* c) : TAccessibileFormula(c, QAccessible::Cell) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& azione) override
    {
        if (azione == pressAction())
            static_cast<TCellaDivisione*>(widget())->Clicca();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* FabbricaCelle(const QString& classe, QObject* o)
{
    if (classe == QLatin1String("mevario::TCellaDivisione") && o && o->isWidgetType())
        return new TCellaAccessibile(static_cast<TCellaDivisione*>(o));
    return nullptr;
}

QString NomeCella(const TDivisione::Cella& c, int colonna)
{
    if (c.blocco == 1)
        return QStringLiteral("riga %1, grado %2").arg(c.riga).arg(c.indice);
    if (c.riga == 1)
        return QStringLiteral("divisore %1").arg(colonna + 1);
    return QStringLiteral("quoziente %1").arg(colonna + 1);
}

QPlainTextEdit* Testo(QWidget* parent, const QString& t, const QRect& g)
{
    auto* e = new QPlainTextEdit(t, parent);
    e->setReadOnly(true);
    e->setGeometry(g);
    e->setFont(Carattere("Comic Sans MS", 19));
    e->setFrameShape(QFrame::NoFrame);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->viewport()->setAutoFillBackground(false);
    e->setStyleSheet(QStringLiteral("background: transparent"));
    ColoraTesto(e, Qt::black);
    e->setAccessibleName(t.section(QLatin1Char('\n'), 0, 0));
    return e;
}

} // namespace

TCellaDivisione::TCellaDivisione(QWidget* parent, TDivisione::Cella cella, int colonna)
    : TFormulaBox(parent, TFormulaVariant::ControlCentered), FCella(cella), FColonna(colonna),
      FTag(cella.blocco * 1000 + cella.riga * 10 + colonna)
{
    static const bool installata = [] {
        QAccessible::installFactory(FabbricaCelle);
        return true;
    }();
    (void)installata;
    SetColor(kGriglia);
    SetNomeAccessibile(NomeCella(cella, colonna));
}

void TCellaDivisione::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() == Qt::LeftButton)
        emit Cliccata(this);
}

void TCellaDivisione::Segna(bool segnata)
{
    if (FSegnata == segnata)
        return;
    FSegnata = segnata;
    // A screen reader hears the mark with the cell's place.
    const QString nome = NomeCella(FCella, FColonna);
    SetNomeAccessibile(segnata ? nome + QStringLiteral(", da correggere") : nome);
    update();
}

void TCellaDivisione::paintEvent(QPaintEvent* e)
{
    TFormulaBox::paintEvent(e);
    if (!FSegnata)
        return;
    // An outline, never a fill: the term stays black on its own colour.
    QPainter p(this);
    p.setPen(QPen(kRossoAcceso, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}


TfrmDivisionePol::TfrmDivisionePol() : TFinestraEsercizi(QStringLiteral("Divisione tra polinomi"), "E_POL_DIV", "S_POL_DIV")
{
    setObjectName(QStringLiteral("frmDivisionePol"));
    // Shown beside the main window, which stays usable.
    setWindowModality(Qt::NonModal);
    Notebook1->hide();
    lblTitolo->setGeometry(lblTitolo->x(), 2, 200, 40);
    btnLavagna->setParent(this);
    DsFancyButton1->hide(); // no help panel here: the grid's cells take one term each
    // What a review is about (placed with the page).
    lblRipasso->setParent(this);
    lblRipasso->hide();
    PBRisp->hide();

    CreaTesti();
    CreaGrigliaEContatori();
    CreaTeoria();
    CreaCelle();
    AdattaAlloSchermo(screen() ? screen()->availableGeometry() : QRect(QPoint(), Dimensione()));
}

void TfrmDivisionePol::CreaTesti()
{
    // The theory panel's button: "Teoria", since the page itself is "Concetto".
    btnConcetto = new TDsFancyButton(QStringLiteral("Teoria"), this);
    StileCapsula(btnConcetto, 14, Qt::white, Qt::white);
    btnConcetto->SetShape(TDsFancyButton::btnRectangle);
    btnConcetto->setGeometry(328, 8, 193, 33);
    btnConcetto->setAccessibleName(QStringLiteral("Teoria della divisione"));

    Label4 = Etichetta(QStringLiteral("Quanto fa "), this, Carattere("Comic Sans MS", 21), kMarrone);
    // The header at 18 points: a dividend with fractions in its brackets is
    // about 70 pixels tall and 600 wide.
    PaintBox2 = new TFormulaBox(this, TFormulaVariant::ControlLeft);
    PaintBox2->SetColor(ColoreSfondo());
    PosaSullaBase(Label4, PaintBox2);

    meConcetto = Testo(this,
                       QStringLiteral("Clicca su \"Procedi\" ed osserva, passo dopo passo, l'esecuzione dell'usuale\n"
                                      "algoritmo della divisione in colonna."),
                       QRect(16, 116, 729, 62));
    meEsercizi = Testo(this,
                       QStringLiteral("Esegui l'usuale algoritmo della divisione in colonna inserendo i valori esatti nelle\n"
                                      "celle corrispondenti. Alla fine clicca su \"Procedi\" per verificare."),
                       QRect(16, 116, 729, 62));
    lblEsito = Etichetta(QString(), this, Carattere("Comic Sans MS", 17), kMarrone);
    lblEsito->setObjectName(QStringLiteral("lblEsito"));
    lblEsito->setWordWrap(true);
    lblEsito->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblEsito->hide();
    btnSoluzione->setToolTip(QStringLiteral("La divisione svolta passo dopo passo, con la spiegazione"));
    connect(btnSoluzione, &QAbstractButton::clicked, this, [this] { btnSoluzioneDivisioneClick(); });
    // The narration: yellow, beside the column work (placed with the grid).
    meAlgo = new QPlainTextEdit(this);
    meAlgo->setReadOnly(true);
    meAlgo->setFont(Carattere("Comic Sans MS", 19));
    {
        // A text box paints its page with the Base role.
        QPalette p = meAlgo->palette();
        p.setColor(QPalette::Base, kNarrazione);
        p.setColor(QPalette::Text, Qt::black);
        meAlgo->setPalette(p);
        meAlgo->viewport()->setPalette(p);
        meAlgo->viewport()->setAutoFillBackground(true);
    }
    meAlgo->setAccessibleName(QStringLiteral("Spiegazione"));
    meAlgo->hide();
}

void TfrmDivisionePol::CreaGrigliaEContatori()
{
    // The grid scrolls inside its area when the window is lower than the grid.
    scrGriglia = new TScrollGriglia(this);
    scrGriglia->setFrameShape(QFrame::NoFrame);
    scrGriglia->setWidgetResizable(false);
    scrGriglia->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImpostaColore(scrGriglia->viewport(), kGriglia);
    panel1 = new QFrame;
    ImpostaColore(panel1, kGriglia);
    panel1->setAccessibleName(QStringLiteral("Griglia della divisione"));
    scrGriglia->setWidget(panel1);
    FTesta = new QWidget(scrGriglia);
    ImpostaColore(FTesta, kGriglia);
    rigaTesta = new QWidget(FTesta);
    ImpostaColore(rigaTesta, kGriglia);
    lblRisultato = Etichetta(QStringLiteral("Risultato"), this, Carattere("Comic Sans MS", 21), kMarrone);
    pbQuoziente = new TFormulaBox(this, TFormulaVariant::ControlLeft);
    pbQuoziente->SetColor(ColoreSfondo());
    pbQuoziente->SetProsa(true); // "Quoziente =", "Resto =" in the program's font
    PosaSullaBase(lblRisultato, pbQuoziente);

    // The counters in a small panel at the right of the grid.
    pnlRisp->setParent(this);
    for (QLabel* l : pnlRisp->findChildren<QLabel*>()) {
        if (l->text() == QLatin1String("Risposte esatte:")) {
            l->setText(QStringLiteral("Esatte"));
            l->adjustSize();
            l->move(8, 12);
        } else if (l->text() == QLatin1String("Errori:")) {
            l->setText(QStringLiteral("Errori"));
            l->adjustSize();
            l->move(8, 50);
        }
    }
    lblEsatte->move(84, 12);
    lblErrori->move(84, 50);

    // The editor stands over the cell it is bound to, in the grid.
    EditRisp->setParent(panel1);
    EditRisp->setFont(Carattere("Times New Roman", 21));
    EditRisp->resize(65, 31);
    // One term per cell: the editor takes no more than a cell can hold.
    EditRisp->setMaxLength(static_cast<int>(TDivisione::MaxDigitati));
    EditRisp->hide();
    // An edited cell is no longer marked.
    connect(EditRisp, &QLineEdit::textEdited, this, [this] { TogliSegno(FCellaScelta); });
    // The whole entry stays in view: the editor and its column widen as it fills.
    connect(EditRisp, &QLineEdit::textChanged, this, [this] { DisponiGriglia(); });

    EditRisp->installEventFilter(this);
}

void TfrmDivisionePol::CreaTeoria()
{
    // The theory panel, toggled by "Concetto".
    Panel3 = new QFrame(this);
    Panel3->setGeometry(128, 41, 585, 409);
    ImpostaColore(Panel3, palette().color(QPalette::Window));
    Panel3->setFrameShape(QFrame::Box);
    RAhtLabel1 = new TRAhtLabel(Panel3);
    RAhtLabel1->setFont(Carattere("Comic Sans MS", 21));
    RAhtLabel1->SetTransparent(true);
    RAhtLabel1->SetAutoSize(true);
    RAhtLabel1->move(18, 35);
    RAhtLabel1->SetCaption(QStringLiteral("Assegnati due polinomi <b>A(x)</b> di grado <b>n</b> e <b>B(x)</b> \r\n"
                                          "di grado <b>m</b> con n ≥ m si può dimostrare che esistono \r\n"
                                          "e sono unici due altri polinomi <b>Q(x)</b> di grado n − m e <b>R(x)</b>\r\n"
                                          "di grado minore di m tali che vale la seguente identità:\r\n"
                                          "\r\n"
                                          "                 <b>A(x) = Q(x)·B(x) + R(x)</b>\r\n"
                                          "\r\n"
                                          "<b>Q</b> si dice polinomio <b>quoziente</b>\r\n"
                                          "<b>R</b> si dice polinomio <b>resto</b>\r\n"
                                          "\r\n"
                                          "Q ed R si calcolano con l'algoritmo illustrato \r\n"
                                          "in perfetta analogia con la divisione tra numeri."));
    Panel3->setAccessibleName(QStringLiteral("Teoria della divisione"));
    Panel3->hide();
    connect(btnConcetto, &QAbstractButton::clicked, this, [this] { btnConcettoClick(); });
}

void TfrmDivisionePol::CreaCelle()
{
    // The grid: the dividend side (rows 1..10, one column per degree), the
    // rules under the product rows, the bar, the divisor and the quotient;
    // placed by DisponiGriglia.
    const auto regola = [this](QWidget* dove) {
        auto* r = new QFrame(dove);
        ImpostaColore(r, Qt::black);
        r->setAutoFillBackground(true);
        FRegole.push_back(r);
    };
    for (int r = 1; r <= TDivisione::Righe; ++r)
        for (int c = 0; c <= kN; ++c)
            FCelle.push_back(new TCellaDivisione(r == 1 ? rigaTesta : panel1, {1, r, kN - c}, c));
    for (int r = 1; r <= 2; ++r)
        for (int c = 0; c <= 4; ++c)
            FCelle.push_back(new TCellaDivisione(r == 1 ? rigaTesta : panel1, {2, r, 4 - c}, c));
    // Under rows 2, 4, 6, 8 and the bar in the grid; under the divisor and
    // the bar in the top row.
    for (int i = 0; i < 5; ++i)
        regola(panel1);
    regola(rigaTesta);
    regola(rigaTesta);
    for (TCellaDivisione* c : FCelle)
        connect(c, &TCellaDivisione::Cliccata, this, [this](TCellaDivisione* x) { PaintBox1Click(x); });
    ArrotondaAngoli(scrGriglia);
    DisponiGriglia();
    // The keypad follows the editor when the grid scrolls.
    for (QScrollBar* b : {scrGriglia->verticalScrollBar(), scrGriglia->horizontalScrollBar()})
        connect(b, &QScrollBar::valueChanged, this, [this] {
            rigaTesta->move(-scrGriglia->horizontalScrollBar()->value(), 0);
            AttaccaQuoziente();
            PosizionaNarrazione();
            Tfrmcomune* t = Tfrmcomune::Istanza();
            if (t && EditRisp->isVisible() && t->pnlTastiera->isVisible() && t->pnlTastiera->parentWidget() == this)
                t->EditTastieraEnter(EditRisp);
        });
}

void TfrmDivisionePol::AdattaAlloSchermo(const QRect& disponibile)
{
    const QSize pieno = Dimensione();
    const int w = std::clamp(disponibile.width(), kLarghezzaMinima, pieno.width());
    const int h = std::clamp(disponibile.height(), kAltezzaMinima, pieno.height());
    setFixedSize(w, h);
    // The column of buttons at the right, the counters under it.
    const int destra = w - 128;
    for (auto [b, y] : {std::pair{btnChiudi, 16}, {btnStampa, 80}, {btEseAppr, 144}, {btnNuovo, 208}, {btnSoluzione, 272}})
        b->move(destra, y);
    pnlRisp->setGeometry(w - 154, std::min(465, h - 68 - 96), 147, 88);
    // The header, the page's text, the grid, the result line at the bottom.
    PaintBox2->setGeometry(128, 46, destra - 8 - 128, 70);
    Label4->move(128 - Label4->width() - 4, 46 + (70 - Label4->height()) / 2);
    for (QPlainTextEdit* t : {meConcetto, meEsercizi})
        t->setGeometry(16, 116, destra - 8 - 16, 62);
    lblRipasso->setGeometry(16, 116, destra - 8 - 16, 32);
    lblEsito->setGeometry(16, 116, destra - 8 - 16, 62);
    scrGriglia->setGeometry(16, 182, w - 154 - 6 - 16, h - 68 - 182);
    FTesta->resize(scrGriglia->width(), FTesta->height());
    pbQuoziente->setGeometry(128, h - 66, w - 8 - 128, 64);
    lblRisultato->move(16, h - 66 + (64 - lblRisultato->height()) / 2);
    PosizionaNarrazione();
}

bool TfrmDivisionePol::Mostrata(const TCellaDivisione* c) const
{
    const TDivisione::Cella k = c->Cella(FDiv.GradoDivisore);
    if (k.riga > kRigheMostrate)
        return false;
    return k.blocco == 1 || c->Colonna() < kColonneDivisore;
}

void TfrmDivisionePol::DisponiGriglia()
{
    FL.fill(kMinLarga);
    FA.fill(kMinAlta);
    const auto colonnaDi = [](const TCellaDivisione* c) {
        return static_cast<std::size_t>((c->Tag() / 1000 == 1 ? 0 : 5) + c->Colonna());
    };
    for (TCellaDivisione* c : FCelle) {
        if (!Mostrata(c))
            continue;
        const QSize n = c->MisuraNaturale();
        const std::size_t colonna = colonnaDi(c);
        const auto riga = static_cast<std::size_t>(c->Tag() / 10 % 100);
        FL[colonna] = std::max(FL[colonna], std::min(kMaxLarga, n.width() + 8));
        FA[riga] = std::max(FA[riga], std::min(kMaxAlta, n.height() + 2));
    }
    // The editor's column is as wide as what the pupil types in it, so that
    // the editor stands over its own cell only.
    if (const TCellaDivisione* scelta = CellaDi(FCellaScelta); scelta && FCellaScelta.riga > 1) {
        const int testo = EditRisp->fontMetrics().horizontalAdvance(EditRisp->text()) + 16;
        FL[colonnaDi(scelta)] = std::max(FL[colonnaDi(scelta)], std::min(kMaxEditor, testo));
    }
    int x = 5;
    for (int c = 0; c <= kN; ++c) {
        FX[static_cast<std::size_t>(c)] = x;
        x += FL[static_cast<std::size_t>(c)] + 5;
    }
    FXBarra = x;
    x += 7;
    for (int c = 0; c < 5; ++c) {
        FX[static_cast<std::size_t>(5 + c)] = x;
        if (c < kColonneDivisore)
            x += FL[static_cast<std::size_t>(5 + c)] + 5;
    }
    const int larghezza = x;
    // Row 1 in the top row, from 5; rows 2 on in the grid, from 0.
    FY[1] = 5;
    const int testa = FY[1] + FA[1] + 5;
    int y = 0;
    for (int r = 2; r <= TDivisione::Righe; ++r) {
        FY[static_cast<std::size_t>(r)] = y;
        if (r <= kRigheMostrate)
            y += FA[static_cast<std::size_t>(r)] + 5;
    }
    const int altezza = y;
    for (TCellaDivisione* c : FCelle) {
        const bool mostrata = Mostrata(c);
        c->setVisible(mostrata);
        if (!mostrata)
            continue;
        const auto riga = static_cast<std::size_t>(c->Tag() / 10 % 100);
        c->setGeometry(FX[colonnaDi(c)], FY[riga], FL[colonnaDi(c)], FA[riga]);
        c->Segna(std::find(FSegnate.begin(), FSegnate.end(), c->Cella(FDiv.GradoDivisore)) != FSegnate.end());
    }
    const auto sotto = [this](int r) { return FY[static_cast<std::size_t>(r)] + FA[static_cast<std::size_t>(r)]; };
    for (int i = 0; i < 4; ++i)
        FRegole[static_cast<std::size_t>(i)]->setGeometry(5, sotto(2 * i + 2), FXBarra - 5, 2);
    FRegole[4]->setGeometry(FXBarra, 0, 2, altezza - 5);
    FRegole[5]->setGeometry(FXBarra + 2, sotto(1), larghezza - 5 - FXBarra - 2, 2);
    FRegole[6]->setGeometry(FXBarra, 5, 2, testa - 5);
    panel1->resize(larghezza, altezza);
    rigaTesta->resize(larghezza, testa);
    FTesta->setGeometry(0, 0, scrGriglia->width(), testa);
    static_cast<TScrollGriglia*>(scrGriglia)->setViewportMargins(0, testa, 0, 0);
    AttaccaQuoziente();
    PosizionaEditor();
    PosizionaNarrazione();
}

void TfrmDivisionePol::AttaccaQuoziente()
{
    // The quotient stays at the top of the rows in view, under the divisor,
    // while the lower rows scroll: the products are made from it. Right of
    // the bar no other cell stands there.
    const int y = FY[2] + scrGriglia->verticalScrollBar()->value();
    for (TCellaDivisione* c : FCelle)
        if (c->Tag() / 10 == 202 && c->y() != y)
            c->move(c->x(), y);
    if (FCellaScelta.blocco == 2)
        PosizionaEditor();
}

void TfrmDivisionePol::PosizionaEditor()
{
    const TCellaDivisione* cella = CellaDi(FCellaScelta);
    if (!cella)
        return;
    // Over its cell exactly, which is as wide as the editor needs: the
    // cell's own typeset copy does not show round it, and no other cell is
    // covered.
    EditRisp->setGeometry(cella->geometry());
}

void TfrmDivisionePol::PosizionaNarrazione()
{
    // Right of the bar, from under the quotient row to the grid area's
    // foot: cells never stand there.
    const QRect vista(scrGriglia->mapTo(this, scrGriglia->viewport()->pos()), scrGriglia->viewport()->size());
    const int x = vista.left() + FXBarra + 12 - scrGriglia->horizontalScrollBar()->value();
    const int y = vista.top() + FY[2] + FA[2] + 12;
    meAlgo->setGeometry(x, y, std::max(160, vista.right() - 6 - x), std::max(90, vista.bottom() - 6 - y));
}

TCellaDivisione* TfrmDivisionePol::CellaDi(const TDivisione::Cella& c) const
{
    for (TCellaDivisione* x : FCelle)
        if (x->Cella(FDiv.GradoDivisore) == c)
            return x;
    return nullptr;
}

void TfrmDivisionePol::AggiornaCella(TCellaDivisione* c)
{
    const TDivisione::Cella k = c->Cella(FDiv.GradoDivisore);
    c->SetFormula(k.indice < 0 ? std::string() : FDiv.TestoCella(k, ModoEsercizi && !FSoluzione));
}

void TfrmDivisionePol::PreparaGriglia()
{
    panel1->setUpdatesEnabled(false);
    for (TCellaDivisione* c : FCelle)
        AggiornaCella(c);
    DisponiGriglia();
    panel1->setUpdatesEnabled(true);
    scrGriglia->verticalScrollBar()->setValue(0);
    scrGriglia->horizontalScrollBar()->setValue(0);
    PaintBox2->SetFormula("(" + FDiv.TestoDividendo + ")&string(  :  )&(" + FDiv.TestoDivisore + ")");
    PosaSullaBase(Label4, PaintBox2); // the division may be drawn smaller to fit
    Risultato();
}

void TfrmDivisionePol::Risultato()
{
    pbQuoziente->SetFormula(FDiv.TestoQuoziente.empty() ? std::string()
                                                         : "string(Quoziente = )&" + FDiv.TestoQuoziente +
                                                               "&string(    Resto = )&" + FDiv.TestoResto);
    pbQuoziente->repaint();
}

void TfrmDivisionePol::PreparaPagina()
{
    if (FInAnimazione) {
        // The narration runs below this call: it ends first, without
        // waiting, and the page is prepared when it has returned.
        FInterrompi = true;
        FPreparaInSospeso = true;
        if (FAttesa)
            FAttesa->quit();
        return;
    }
    FInterrompi = false;
    Chiusura = false;
    FSoluzione = false;
    TogliSegni();
    lblEsito->hide();
    btnSoluzione->hide();
    const QString pagina = ModoEsercizi ? QStringLiteral("Esercizi") : QStringLiteral("Concetto");
    lblTitolo->setText(pagina);
    setWindowTitle(Label2->text() + pagina);
    pnlRisp->setVisible(ModoEsercizi);
    btnStampa->setVisible(ModoEsercizi);
    btEseAppr->setText(ModoEsercizi ? QStringLiteral("Concetto") : QStringLiteral("Esercizi"));
    btnNuovo->setText(QStringLiteral("Procedi"));
    btnNuovo->setEnabled(true);
    btnConcetto->setVisible(!ModoEsercizi);
    // Beside the title, after its last letter ("Lavagna" there on the
    // exercise page, where the theory button is hidden).
    const int dopoTitolo = std::max(328, lblTitolo->x() + lblTitolo->fontMetrics().horizontalAdvance(pagina) + 16);
    btnConcetto->move(dopoTitolo, 8);
    btnLavagna->move(dopoTitolo, 8);
    btnLavagna->setVisible(ModoEsercizi);
    meConcetto->setVisible(!ModoEsercizi);
    // In a review, what is reviewed takes the instructions' place.
    const bool ripasso = !Ripassa().isEmpty();
    meEsercizi->setVisible(ModoEsercizi && !ripasso);
    lblEsito->setGeometry(16, ripasso ? 150 : 116, lblEsito->width(), ripasso ? 30 : 62);
    lblRipasso->setVisible(ModoEsercizi && ripasso);
    meAlgo->hide();
    if (!ModoEsercizi) {
        EditRisp->hide();
        if (Tfrmcomune* c = Tfrmcomune::Istanza())
            c->EditTastieraExit();
    } else {
        Panel3->hide();
    }
    FInAnimazione = false;
    Randomize();
    FDiv.NuovaDivisione(ModoEsercizi ? 1 : 2);
    PreparaGriglia();
    FAnimazioneFinita = false;
    if (ModoEsercizi) {
        LegaEditor({2, 2, 4});
        EsercizioMostrato();
    } else {
        btnNuovo->setFocus(); // "Procedi" starts the narration
    }
}

QString TfrmDivisionePol::EsercizioDaRegistrare() const
{
    return QString::fromStdString(
        NarrowToUtf8("(" + FDiv.TestoDividendo + ")&string(  :  )&(" + FDiv.TestoDivisore + ")"));
}

QString TfrmDivisionePol::RispostaDaRegistrare() const
{
    // The quotient row, from its first term (position 4) on.
    std::string quoziente;
    for (int i = 4; i >= 0; --i) {
        const std::string t = FDiv.TestoDigitatoCella({2, 2, i}, true);
        if (t.empty())
            continue;
        if (!quoziente.empty() && t.front() != '-')
            quoziente += '+';
        quoziente += t;
    }
    return QString::fromStdString(NarrowToUtf8(quoziente));
}

void TfrmDivisionePol::btnNuovoClick()
{
    EditRisp->hide();
    if (FInPausa) {
        // The narration goes on to its next step.
        FInPausa = false;
        if (FAttesa)
            FAttesa->quit();
        return;
    }
    if (FInAnimazione)
        return;
    if (FAnimazioneFinita) {
        PreparaPagina();
        return;
    }
    if (!ModoEsercizi) {
        Narrazione();
        return;
    }
    if (btnNuovo->text() == QLatin1String("Procedi") && !InVerifica()) {
        // Nothing written: nothing to judge, nothing counted.
        if (FDiv.GrigliaVuota()) {
            Esito(QStringLiteral("Scrivi i termini nelle celle, poi clicca su \"Procedi\"."));
            LegaEditor(FCellaScelta);
            return;
        }
        // Right in value, not yet in the form asked: said, never counted.
        const TDivisione::TEsitoGriglia esito = FDiv.GiudicaGriglia();
        if (esito.sbagliate.empty() && !esito.forma.empty()) {
            QString frasi;
            for (const std::string& f : esito.cosaCambiare)
                frasi += QString::fromStdString(f) + QLatin1Char(' ');
            Esito(frasi + QStringLiteral("I valori sono giusti: non è un errore."));
            // Kept as a slip of form, as in every topic: seen, never counted.
            TGiudizio g;
            g.esito = TEsito::Forma;
            g.motivo = frasi.trimmed().toStdString();
            Lezione().ImpostaRegistro(Registro());
            Lezione().Concludi(std::move(g), EsercizioDaRegistrare(), RispostaDaRegistrare());
            LegaEditor(esito.forma.front());
            return;
        }
    }
    TFinestraEsercizi::btnNuovoClick();
    // After a wrong grid the solution of this very division is one click away.
    if (!FSegnate.empty() && btnNuovo->text() == QLatin1String("Procedi"))
        btnSoluzione->show();
}

void TfrmDivisionePol::Narrazione()
{
    btnNuovo->setText(QStringLiteral("Procedi"));
    Animazione();
    btnNuovo->setText(QStringLiteral("Nuovo"));
    FAnimazioneFinita = true;
    if (FPreparaInSospeso) {
        FPreparaInSospeso = false;
        PreparaPagina();
    }
}

void TfrmDivisionePol::btnSoluzioneDivisioneClick()
{
    if (!ModoEsercizi || FInAnimazione || FSoluzione || InVerifica())
        return;
    btnSoluzione->hide();
    EditRisp->hide();
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->EditTastieraExit();
    TogliSegni();
    lblEsito->hide();
    meEsercizi->setVisible(Ripassa().isEmpty());
    // The grid shows the expected blocks, empty below row 1, and the
    // narrated run fills them as on the concept page.
    FSoluzione = true;
    FDiv.PulisciSvolgimento();
    PreparaGriglia();
    btnNuovo->setFocus();
    Narrazione();
}

void TfrmDivisionePol::Animazione()
{
    FInAnimazione = true;
    FDiv.Svolgi(0, this);
    FInAnimazione = false;
    FAnimazioneFinita = true;
}

void TfrmDivisionePol::PulisciNarrazione() { meAlgo->clear(); }

void TfrmDivisionePol::MostraNarrazione(bool visibile)
{
    PosizionaNarrazione();
    meAlgo->setVisible(visibile);
    if (visibile)
        meAlgo->raise();
}

void TfrmDivisionePol::Narra(const std::string& riga)
{
    meAlgo->appendPlainText(QString::fromStdString(riga));
    // The newest line stays in view.
    meAlgo->verticalScrollBar()->setValue(meAlgo->verticalScrollBar()->maximum());
    meAlgo->setAccessibleDescription(QString::fromStdString(riga));
}

void TfrmDivisionePol::Pausa()
{
    if (Chiusura || FInterrompi)
        return;
    FInPausa = true;
    // Sleeps until an event comes: a click on "Procedi" or "Esci" (of any
    // exercise window), a page change, the end of the program.
    QEventLoop attesa;
    FAttesa = &attesa;
    connect(TAvvisoChiusura::Istanza(), &TAvvisoChiusura::Chiusa, &attesa, &QEventLoop::quit);
    while (FInPausa && !Chiusura && !FInterrompi) {
        attesa.exec();
        if (QCoreApplication::closingDown())
            break;
        if (!isVisible() && !Chiusura)
            break; // the window went away without "Esci"
    }
    FAttesa = nullptr;
    FInPausa = false;
}

void TfrmDivisionePol::CellaCambiata(int blocco, int riga, int indice)
{
    if (TCellaDivisione* c = CellaDi({blocco, riga, indice})) {
        AggiornaCella(c);
        DisponiGriglia();
        scrGriglia->ensureWidgetVisible(c, 8, 8);
        c->repaint();
    }
}

void TfrmDivisionePol::LegaEditor(const TDivisione::Cella& c)
{
    FCellaScelta = c;
    ColoreEditor(std::find(FSegnate.begin(), FSegnate.end(), c) != FSegnate.end());
    if (c.riga == 1 && c.blocco == 1)
        return;
    if (c.blocco == 2 && c.riga == 1)
        return;
    TCellaDivisione* cella = CellaDi(c);
    if (!cella || !Mostrata(cella))
        return;
    // The entry as the pupil typed it, whole.
    EditRisp->setText(QString::fromStdString(FDiv.TestoDigitatoCella(c, true)));
    DisponiGriglia();
    EditRisp->show();
    EditRisp->raise();
    scrGriglia->ensureWidgetVisible(cella, 8, 8); // the whole cell, not only the editor
    // The keys typed next go to the editor, also when another window held
    // the keyboard (the main window, beside this one).
    if (isVisible() && !isActiveWindow())
        activateWindow();
    EditRisp->setFocus(Qt::MouseFocusReason);
    if (Tfrmcomune* t = Tfrmcomune::Istanza())
        t->EditTastieraEnter(EditRisp);
}

void TfrmDivisionePol::PaintBox1Click(TCellaDivisione* cella)
{
    if (!ModoEsercizi || FSoluzione)
        return;
    const TDivisione::Cella c = cella->Cella(FDiv.GradoDivisore);
    if (c.riga == 1)
        return; // the dividend and the divisor are given
    LegaEditor(c);
}

void TfrmDivisionePol::ColoreEditor(bool segnata)
{
    EditRisp->setStyleSheet(segnata ? QStringLiteral("QLineEdit { border: 3px solid rgb(255, 0, 0); }") : QString());
}

bool TfrmDivisionePol::MemorizzaTesto()
{
    const std::string testo = TestoCampo(EditRisp->text());
    if (testo.empty())
        return true; // "0" empties a cell; deleting the text does not
    try {
        TExprBuilder().ParseFormula(FormaFormula(testo));
    } catch (...) {
        return false; // not a formula: the cell keeps its term
    }
    if (!FDiv.Digita(FCellaScelta, testo))
        return false;
    if (TCellaDivisione* c = CellaDi(FCellaScelta)) {
        AggiornaCella(c);
        DisponiGriglia();
        scrGriglia->ensureWidgetVisible(c, 8, 8); // its row may have grown
        c->update();
    }
    return true;
}

void TfrmDivisionePol::EditRispKeyUp() { MemorizzaTesto(); }

void TfrmDivisionePol::Conferma()
{
    if (FSoluzione || FInAnimazione)
        return;
    if (!MemorizzaTesto()) {
        Esito(QStringLiteral("\u00AB") + EditRisp->text() +
              QStringLiteral("\u00BB non \u00E8 un termine: in una cella va un solo termine, come 3x^2 o -1/2x."));
        return;
    }
    const auto ordine = TDivisione::OrdineLettura(FDiv.GradoDividendo, kRigheMostrate, kColonneDivisore);
    auto dopo = std::find(ordine.begin(), ordine.end(), FCellaScelta);
    if (dopo != ordine.end() && ++dopo != ordine.end())
        LegaEditor(*dopo); // the last cell is confirmed and keeps the editor
}

void TfrmDivisionePol::SegnaCelle(const std::vector<TDivisione::Cella>& celle)
{
    FSegnate = celle;
    for (TCellaDivisione* c : FCelle)
        c->Segna(std::find(FSegnate.begin(), FSegnate.end(), c->Cella(FDiv.GradoDivisore)) != FSegnate.end());
}

void TfrmDivisionePol::TogliSegno(const TDivisione::Cella& c)
{
    const auto i = std::find(FSegnate.begin(), FSegnate.end(), c);
    if (i == FSegnate.end())
        return;
    FSegnate.erase(i);
    if (TCellaDivisione* x = CellaDi(c))
        x->Segna(false);
    if (c == FCellaScelta)
        ColoreEditor(false);
    AggiornaEsito();
}

void TfrmDivisionePol::TogliSegni()
{
    SegnaCelle({});
    FFrasiForma.clear();
    ColoreEditor(false);
}

void TfrmDivisionePol::Esito(const QString& testo)
{
    lblEsito->setText(testo);
    lblEsito->setAccessibleName(testo);
    lblEsito->show();
    lblEsito->raise();
    meEsercizi->hide();
}

void TfrmDivisionePol::AggiornaEsito()
{
    const auto n = static_cast<int>(FSegnate.size());
    QString t = n == 0 ? QStringLiteral("Hai cambiato tutte le celle segnate: clicca su \"Procedi\" per verificare.")
                : n == 1 ? QStringLiteral("Da correggere: 1 cella, segnata in rosso.")
                         : QStringLiteral("Da correggere: %1 celle, segnate in rosso.").arg(n);
    if (!FFrasiForma.isEmpty())
        t += QLatin1Char(' ') + FFrasiForma;
    Esito(t);
}

bool TfrmDivisionePol::Verifica(const std::string&)
{
    const TDivisione::TEsitoGriglia esito = FDiv.GiudicaGriglia();
    if (esito.sbagliate.empty()) {
        // Right: the result line says the quotient and the remainder.
        TogliSegni();
        lblEsito->hide();
        btnSoluzione->hide();
        meEsercizi->setVisible(Ripassa().isEmpty());
        FDiv.ScriviRisultato();
        Risultato();
        return true;
    }
    // Every wrong or empty cell outlined in red until it is edited; the
    // editor over the first of them; the count where the pupil reads.
    FFrasiForma.clear();
    for (const std::string& f : esito.cosaCambiare)
        FFrasiForma += (FFrasiForma.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromStdString(f);
    SegnaCelle(esito.sbagliate);
    LegaEditor(esito.sbagliate.front());
    AggiornaEsito();
    return false;
}

std::optional<TDivisione::Cella> TfrmDivisionePol::Vicina(int tasto) const
{
    // The grid as the pupil sees it: the dividend side's rows 2..9 (row 1
    // is given), and beside row 2, past the bar, the quotient row.
    TDivisione::Cella c = FCellaScelta;
    const bool quoziente = c.blocco == 2;
    const int n = FDiv.GradoDividendo;
    const bool sinistra = tasto == Qt::Key_Left, destra = tasto == Qt::Key_Right;
    if (tasto == Qt::Key_Up) {
        if (quoziente)
            return std::nullopt; // the divisor, above, is given
        if (c.riga == 2)
            return TDivisione::Cella{2, 2, 4}; // up from the first product row: the first quotient term
        c.riga -= 1;
    } else if (tasto == Qt::Key_Down) {
        if (quoziente) // down from a quotient term: the product row of its step
            return TDivisione::Cella{1, std::min(kRigheMostrate - 1, 2 * (4 - c.indice) + 2), n};
        c.riga += 1;
    } else if (sinistra || destra) {
        if (quoziente) {
            c.indice += sinistra ? 1 : -1;
            if (c.indice > 4) // left of the first quotient term: row 2's last cell, across the bar
                return TDivisione::Cella{1, 2, 0};
            if (4 - c.indice >= kColonneDivisore)
                return std::nullopt;
        } else {
            c.indice += sinistra ? 1 : -1; // left: towards the higher degrees
            if (c.indice < 0 && c.riga == 2)
                return TDivisione::Cella{2, 2, 4}; // right of row 2: across the bar to the quotient
        }
    } else {
        return std::nullopt;
    }
    if (!FDiv.CellaValida(c) || c.riga < 2 || (c.blocco == 1 && c.riga > kRigheMostrate))
        return std::nullopt;
    return c;
}

void TfrmDivisionePol::showEvent(QShowEvent* e)
{
    // The screen is known when the window is shown.
    if (screen())
        AdattaAlloSchermo(screen()->availableGeometry());
    TFinestraEsercizi::showEvent(e);
}

bool TfrmDivisionePol::eventFilter(QObject* o, QEvent* e)
{
    if (o == EditRisp && e->type() == QEvent::KeyPress && ModoEsercizi) {
        // Enter confirms the cell and goes on to the next; Ctrl+Enter is
        // "Procedi", as its button.
        const auto* invio = static_cast<QKeyEvent*>(e);
        if (invio->key() == Qt::Key_Return || invio->key() == Qt::Key_Enter) {
            if (!(invio->modifiers() & Qt::ControlModifier))
                Conferma();
            else if (btnNuovo->isEnabled() && btnNuovo->isVisible())
                btnNuovo->click();
            return true;
        }
        // Without a mouse: Up and Down go to the row above or below (from the
        // quotient row down to its step's product row), Ctrl+Left and
        // Ctrl+Right to the next cell of the row, and so do Left and Right
        // at the ends of the text.
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool ctrl = k->modifiers() & Qt::ControlModifier;
        const bool alBordo = !EditRisp->hasSelectedText() &&
                             ((k->key() == Qt::Key_Left && EditRisp->cursorPosition() == 0) ||
                              (k->key() == Qt::Key_Right && EditRisp->cursorPosition() == EditRisp->text().size()));
        const bool orizzontale = k->key() == Qt::Key_Left || k->key() == Qt::Key_Right;
        if (!(k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || (orizzontale && (ctrl || alBordo))))
            return TFinestraEsercizi::eventFilter(o, e);
        if (const auto c = Vicina(k->key())) {
            ColoreEditor(false);
            LegaEditor(*c);
            // Walking left, the caret starts at the entry's left end (at
            // its right end walking right), so the next press walks on.
            if (k->key() == Qt::Key_Left)
                EditRisp->setCursorPosition(0);
        }
        return true;
    }
    return TFinestraEsercizi::eventFilter(o, e);
}

void TfrmDivisionePol::btnConcettoClick()
{
    Panel3->move(128, 41);
    Panel3->setVisible(!Panel3->isVisible());
    if (Panel3->isVisible())
        Panel3->raise();
}

} // namespace mevario
