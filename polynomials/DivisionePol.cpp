#include "DivisionePol.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "ExprMake.h"
#include "Finestra.h"
#include "funzioni.h"

namespace mevario {

namespace {

const QColor kGriglia(255, 201, 147);   // 9685503
const QColor kNarrazione(255, 255, 128); // 8454143
const int kN = 4;                        // the dividend's degree: the grid's columns

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
    e->setAccessibleName(t.section(QLatin1Char('\n'), 0, 0));
    return e;
}

} // namespace

TCellaDivisione::TCellaDivisione(QWidget* parent, TDivisione::Cella cella, int colonna)
    : TFormulaBox(parent, TFormulaVariant::ControlCentered), FCella(cella), FColonna(colonna),
      FTag(cella.blocco * 1000 + cella.riga * 10 + colonna)
{
    SetColor(kGriglia);
    SetNomeAccessibile(NomeCella(cella, colonna));
}

void TCellaDivisione::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit Cliccata(this);
    TFormulaBox::mousePressEvent(e);
}

TfrmDivisionePol::TfrmDivisionePol() : TFinestraEsercizi(QStringLiteral("Divisione tra Polinomi"), "E_POL_DIV", "S_POL_DIV")
{
    setObjectName(QStringLiteral("frmDivisionePol"));
    setFixedSize(896, 716);
    // Shown beside the main window, which stays usable.
    setWindowModality(Qt::NonModal);
    Notebook1->hide();
    lblTitolo->setGeometry(lblTitolo->x(), 2, 200, 40);
    for (auto [b, y] : {std::pair{btnChiudi, 16}, {btnStampa, 80}, {btEseAppr, 144}, {btnNuovo, 208}})
        b->move(768, y);
    btnLavagna->setParent(this);
    btnLavagna->move(648, 56);
    DsFancyButton1->hide(); // no help panel here: the grid's cells take one term each
    PBRisp->hide();

    btnConcetto = new TDsFancyButton(QStringLiteral("Concetto"), this);
    StileCapsula(btnConcetto, 14, Qt::white, Qt::white);
    btnConcetto->SetShape(TDsFancyButton::btnRectangle);
    btnConcetto->setGeometry(328, 8, 193, 33);
    btnConcetto->setAccessibleName(QStringLiteral("Teoria della divisione"));

    Label4 = Etichetta(QStringLiteral("Quanto fa "), this, Carattere("Comic Sans MS", 21), QColor(128, 0, 0));
    Label4->move(128 - Label4->width() - 4, 74);
    PaintBox2 = new TFormulaBox(this, TFormulaVariant::ControlLeft);
    PaintBox2->setGeometry(128, 64, 465, 49);
    PaintBox2->SetColor(ColoreSfondo());

    meConcetto = Testo(this,
                       QStringLiteral("Clicca su \"Procedi\" ed osserva, passo dopo passo, l'esecuzione dell'usuale\n"
                                      "algoritmo della divisione in colonna."),
                       QRect(16, 120, 729, 73));
    meEsercizi = Testo(this,
                       QStringLiteral("Esegui l'usuale algoritmo della divisione in colonna inserendo i valori esatti nelle\n"
                                      "celle corrispondenti. Alla fine clicca su \"Procedi\" per verificare."),
                       QRect(16, 120, 729, 73));
    meAlgo = new QPlainTextEdit(this);
    meAlgo->setReadOnly(true);
    meAlgo->setGeometry(264, 96, 481, 113);
    meAlgo->setFont(Carattere("Comic Sans MS", 19));
    ImpostaColore(meAlgo->viewport(), kNarrazione);
    meAlgo->viewport()->setAutoFillBackground(true);
    meAlgo->setAccessibleName(QStringLiteral("Spiegazione"));
    meAlgo->hide();

    panel1 = new QFrame(this);
    panel1->setGeometry(16, 200, 721, 457);
    ImpostaColore(panel1, kGriglia);
    panel1->setAccessibleName(QStringLiteral("Griglia della divisione"));
    lblRisultato = Etichetta(QStringLiteral("Risultato"), this, Carattere("Comic Sans MS", 21), QColor(128, 0, 0));
    lblRisultato->move(16, 668);
    pbQuoziente = new TFormulaBox(this, TFormulaVariant::ControlLeft);
    pbQuoziente->setGeometry(128, 657, 761, 57);
    pbQuoziente->SetColor(ColoreSfondo());

    // The counters in a small panel at the right of the grid.
    pnlRisp->setParent(this);
    pnlRisp->setGeometry(742, 465, 147, 88);
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

    // The editor stands over the cell it is bound to.
    EditRisp->setParent(this);
    EditRisp->setFont(Carattere("Times New Roman", 21));
    EditRisp->resize(65, 31);
    // One term per cell: the editor takes no more than a cell can hold.
    EditRisp->setMaxLength(static_cast<int>(TDivisione::MaxDigitati));
    EditRisp->hide();
    connect(EditRisp, &QLineEdit::textEdited, this, [this](const QString& t) {
        // Letters are typed in lower case.
        if (t != t.toLower()) {
            const int cursore = EditRisp->cursorPosition();
            EditRisp->setText(t.toLower());
            EditRisp->setCursorPosition(cursore);
        }
    });

    EditRisp->installEventFilter(this);

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
                                          "di grado <b>m</b> con n>=m si può dimostrare che esistono \r\n"
                                          "e sono unici due altri polinomi <b>Q(x)</b> di grado n-1 e <b>R(x)</b>\r\n"
                                          "di grado <m tali che vale la seguente identità:\r\n"
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

    // The grid: the dividend side (rows 1..10, one column per degree), the
    // rules under the product rows, the bar, the divisor and the quotient.
    const auto regola = [this](const QRect& g) {
        auto* r = new QFrame(panel1);
        r->setGeometry(g);
        ImpostaColore(r, Qt::black);
        r->setAutoFillBackground(true);
    };
    for (int r = 1; r <= TDivisione::Righe; ++r)
        for (int c = 0; c <= kN; ++c) {
            auto* cella = new TCellaDivisione(panel1, {1, r, kN - c}, c);
            cella->setGeometry(5 + 70 * c, 5 + 48 * (r - 1), 65, 43);
            FCelle.push_back(cella);
        }
    for (int r : {2, 4, 6, 8})
        regola(QRect(5, 48 * r, 70 * (kN + 1), 2));
    const int xDiv = 70 * (kN + 1);
    for (int r = 1; r <= 2; ++r)
        for (int c = 0; c <= 4; ++c) {
            auto* cella = new TCellaDivisione(panel1, {2, r, 4 - c}, c);
            cella->setGeometry(xDiv + 12 + 70 * c, 5 + 48 * (r - 1), 65, 43);
            FCelle.push_back(cella);
        }
    regola(QRect(xDiv + 5, 5, 2, 480));
    regola(QRect(xDiv + 7, 48, 280, 2));
    for (TCellaDivisione* c : FCelle)
        connect(c, &TCellaDivisione::Cliccata, this, [this](TCellaDivisione* x) { PaintBox1Click(x); });
    ArrotondaAngoli(panel1);
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
    c->SetFormula(k.indice < 0 ? std::string() : FDiv.TestoCella(k, ModoEsercizi));
}

void TfrmDivisionePol::PreparaGriglia()
{
    panel1->setUpdatesEnabled(false);
    for (TCellaDivisione* c : FCelle)
        AggiornaCella(c);
    panel1->setUpdatesEnabled(true);
    PaintBox2->SetFormula("(" + FDiv.TestoDividendo + ")&string(  :  )&(" + FDiv.TestoDivisore + ")");
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
    const QString pagina = ModoEsercizi ? QStringLiteral("Esercizi") : QStringLiteral("Concetto");
    lblTitolo->setText(pagina);
    setWindowTitle(Label2->text() + pagina);
    pnlRisp->setVisible(ModoEsercizi);
    btnStampa->setVisible(ModoEsercizi);
    btEseAppr->setText(ModoEsercizi ? QStringLiteral("Concetto") : QStringLiteral("Esercizi"));
    btnNuovo->setText(QStringLiteral("Procedi"));
    btnNuovo->setEnabled(true);
    btnConcetto->setVisible(!ModoEsercizi);
    // Beside the title, after its last letter.
    btnConcetto->move(std::max(328, lblTitolo->x() + lblTitolo->fontMetrics().horizontalAdvance(pagina) + 16), 8);
    btnLavagna->setVisible(ModoEsercizi);
    meConcetto->setVisible(!ModoEsercizi);
    meEsercizi->setVisible(ModoEsercizi);
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
    if (ModoEsercizi)
        LegaEditor({2, 2, 4});
    else
        btnNuovo->setFocus(); // "Procedi" starts the narration
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
    if (ModoEsercizi) {
        TFinestraEsercizi::btnNuovoClick();
        return;
    }
    btnNuovo->setText(QStringLiteral("Procedi"));
    Animazione();
    btnNuovo->setText(QStringLiteral("Nuovo"));
    FAnimazioneFinita = true;
    if (FPreparaInSospeso) {
        FPreparaInSospeso = false;
        PreparaPagina();
    }
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
        c->repaint();
    }
}

void TfrmDivisionePol::LegaEditor(const TDivisione::Cella& c)
{
    FCellaScelta = c;
    if (c.riga == 1 && c.blocco == 1)
        return;
    if (c.blocco == 2 && c.riga == 1)
        return;
    TCellaDivisione* cella = CellaDi(c);
    if (!cella)
        return;
    EditRisp->move(cella->x() + panel1->x(), cella->y() + panel1->y() + 5);
    EditRisp->setText(QString::fromStdString(FDiv.TestoCella(c, true)));
    EditRisp->show();
    EditRisp->raise();
    EditRisp->setFocus();
    if (Tfrmcomune* t = Tfrmcomune::Istanza())
        t->EditTastieraEnter(EditRisp);
}

void TfrmDivisionePol::PaintBox1Click(TCellaDivisione* cella)
{
    if (!ModoEsercizi)
        return;
    const TDivisione::Cella c = cella->Cella(FDiv.GradoDivisore);
    if (c.riga == 1)
        return; // the dividend and the divisor are given
    ColoreEditor(false);
    LegaEditor(c);
}

void TfrmDivisionePol::ColoreEditor(bool rosso)
{
    QPalette p = EditRisp->palette();
    p.setColor(QPalette::Base, rosso ? QColor(255, 0, 0) : palette().color(QPalette::Base));
    EditRisp->setPalette(p);
}

void TfrmDivisionePol::EditRispKeyUp()
{
    ColoreEditor(false);
    const std::string testo = TestoCampo(EditRisp->text());
    if (testo.empty())
        return; // "0" empties a cell; deleting the text does not
    try {
        TExprBuilder().ParseFormula(FormaFormula(testo));
    } catch (...) {
        return; // not a formula yet: the cell keeps its term
    }
    if (FDiv.Digita(FCellaScelta, testo))
        if (TCellaDivisione* c = CellaDi(FCellaScelta)) {
            AggiornaCella(c);
            c->update();
        }
}

bool TfrmDivisionePol::Verifica(const std::string&)
{
    const auto diversa = FDiv.PrimaDifferenza();
    if (!diversa)
        return true;
    // The editor over the first wrong cell, in red.
    LegaEditor(*diversa);
    ColoreEditor(true);
    return false;
}

bool TfrmDivisionePol::eventFilter(QObject* o, QEvent* e)
{
    if (o == EditRisp && e->type() == QEvent::KeyPress && ModoEsercizi) {
        // Without a mouse: Up and Down go to the row above or below,
        // Ctrl+Left and Ctrl+Right to the next cell of the row.
        const auto* k = static_cast<QKeyEvent*>(e);
        TDivisione::Cella c = FCellaScelta;
        const bool ctrl = k->modifiers() & Qt::ControlModifier;
        if (k->key() == Qt::Key_Up)
            c.riga -= 1;
        else if (k->key() == Qt::Key_Down)
            c.riga += 1;
        else if (ctrl && k->key() == Qt::Key_Left)
            c.indice += 1; // towards the higher degrees, or the first quotient cell
        else if (ctrl && k->key() == Qt::Key_Right)
            c.indice -= 1;
        else
            return TFinestraEsercizi::eventFilter(o, e);
        if (c.blocco == 2 && c.riga != 2)
            return true; // the quotient row has no other row to go to
        if (FDiv.CellaValida(c) && c.riga > 1) {
            ColoreEditor(false);
            LegaEditor(c);
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
