#include "Protocollo.h"

#include <QCloseEvent>
#include <QFontMetrics>

#include "Colori.h"
#include "Errori.h"
#include "Finestra.h"
#include "Giudizio.h"
#include "QuibWord.h"
#include "Registro.h"
#include "SchedaPol.h"
#include "funzioni.h"
#include "passaggi.h"

namespace mevario {

namespace {


TDsFancyButton* Bottone(const QString& caption, QWidget* parent, const QRect& g, int px)
{
    auto* b = new TDsFancyButton(caption, parent);
    StileCapsula(b, px, Qt::white, Qt::white);
    b->setGeometry(g);
    return b;
}

} // namespace

std::function<void(QWidget*)>& Lavagna()
{
    static std::function<void(QWidget*)> apri;
    return apri;
}

std::string TestoCampo(const QString& t) { return Utf8ToNarrow(t.toStdString()); }

namespace {
TRegistro*& RegistroCorrente()
{
    static TRegistro* r = nullptr;
    return r;
}
} // namespace

void TFinestraEsercizi::ImpostaRegistro(TRegistro* registro) { RegistroCorrente() = registro; }
TRegistro* TFinestraEsercizi::Registro() { return RegistroCorrente(); }

namespace {
// Every exercise window that exists, for the results so far.
std::vector<TFinestraEsercizi*>& Finestre()
{
    static std::vector<TFinestraEsercizi*> v;
    return v;
}
} // namespace

TSchedaPol TFinestraEsercizi::RisultatiFinora()
{
    TSchedaPol r = TSchedaPol::Istanza() ? *TSchedaPol::Istanza() : TSchedaPol();
    // A window's counters hold only what has not reached the record: they
    // are set back to 0 when they are added on closing.
    for (const TFinestraEsercizi* f : Finestre()) {
        r.Aggiungi(f->FGiuste, f->Esatte());
        r.Aggiungi(f->FSbagliate, f->Errori());
    }
    return r;
}

TFinestraEsercizi::TFinestraEsercizi(const QString& argomento, const char* giuste, const char* sbagliate,
                                     TEsercizio* esercizio)
    : QWidget(nullptr, Qt::Dialog), FArgomento(argomento), FGiuste(giuste), FSbagliate(sbagliate), FEsercizio(esercizio)
{
    setWindowTitle(QStringLiteral("Concetto"));
    setFixedSize(774, 604);
    ImpostaColore(this, ColoreSfondo());
    // Modal towards the window it belongs to (the main window, its parent):
    // what it opens itself, the blackboard, stays usable.
    setWindowModality(Qt::WindowModal);

    Label2 = Etichetta(argomento + QStringLiteral(" - "), this, Carattere("Comic Sans MS", 29), kMarrone);
    Label2->setGeometry(11, 2, Label2->width(), 40);
    lblTitolo = Etichetta(QStringLiteral("Concetto"), this, Carattere("Comic Sans MS", 29), kMarrone);
    lblTitolo->setGeometry(11 + Label2->width(), 2, 260, 40);
    setAccessibleName(argomento);

    btnChiudi = Bottone(QStringLiteral("Esci"), this, QRect(648, 16, 121, 60), 16);
    btnStampa = Bottone(QStringLiteral("Stampa"), this, QRect(648, 80, 121, 60), 16);
    btEseAppr = Bottone(QStringLiteral("Esercizi"), this, QRect(648, 144, 121, 60), 16);
    btnNuovo = Bottone(QStringLiteral("Procedi"), this, QRect(648, 208, 121, 60), 16);
    btnSoluzione = Bottone(QStringLiteral("Soluzione"), this, QRect(648, 272, 121, 60), 16);
    btnSoluzione->setToolTip(QStringLiteral("Mostra la soluzione svolta dell'esercizio"));
    btnSoluzione->hide();
    // It appears after a wrong answer: the keypad never takes its place.
    btnSoluzione->setProperty("postoRiservato", true);

    Notebook1 = new QStackedWidget(this);
    Notebook1->setGeometry(8, 64, 625, 529);
    PaginaConcetto = new QWidget;
    PaginaConcetto->setObjectName(QStringLiteral("Concetto"));
    PaginaConcetto->setAccessibleName(QStringLiteral("Concetto"));
    PaginaEsercizi = new QWidget;
    PaginaEsercizi->setObjectName(QStringLiteral("Esercizi"));
    PaginaEsercizi->setAccessibleName(QStringLiteral("Esercizi"));
    Notebook1->addWidget(PaginaConcetto);
    Notebook1->addWidget(PaginaEsercizi);

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
    DsFancyButton1 = Bottone(QStringLiteral("Istruzioni"), pnlEdit, QRect(16, 64, 89, 33), 12);
    btnLavagna = Bottone(QStringLiteral("Lavagna"), pnlEdit, QRect(128, 64, 89, 33), 12);
    btnLavagna->setEnabled(static_cast<bool>(Lavagna()));
    connect(btnLavagna, &QAbstractButton::clicked, this, [this] {
        if (Lavagna())
            Lavagna()(this);
    });

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

    // FormCreate
    SagomaFinestra(this);
    ArrotondaAngoli(pnlRisp);

    connect(btnChiudi, &QAbstractButton::clicked, this, [this] { btnChiudiClick(); });
    connect(btnStampa, &QAbstractButton::clicked, this, [this] { btnStampaClick(); });
    connect(btEseAppr, &QAbstractButton::clicked, this, [this] { btEseApprClick(); });
    connect(btnNuovo, &QAbstractButton::clicked, this, [this] { btnNuovoClick(); });
    connect(btnSoluzione, &QAbstractButton::clicked, this, [this] { btnSoluzioneClick(); });
    connect(DsFancyButton1, &QAbstractButton::clicked, this, [this] { DsFancyButton1Click(); });
    connect(EditRisp, &TEditRisp::TastoRilasciato, this, [this] { EditRispKeyUp(); });
    // Enter in the answer field is "Procedi" (or "Nuovo").
    connect(EditRisp, &QLineEdit::returnPressed, this, [this] {
        if (btnNuovo->isEnabled() && btnNuovo->isVisible())
            btnNuovo->click();
    });
    AggiornaAccessibili();
    Finestre().push_back(this);
}

TFinestraEsercizi::~TFinestraEsercizi()
{
    std::erase(Finestre(), this);
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->Restituisci(this);
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

void TFinestraEsercizi::ImpostaRipasso(const QString& tipo, const QString& frase)
{
    FRipassa = tipo;
    lblRipasso->setText(frase);
    lblRipasso->setAccessibleName(frase);
    if (lblRipasso->parentWidget() == lb->parentWidget())
        lblRipasso->setGeometry(lb->x(), lb->y(), lb->parentWidget()->width() - lb->x(), lb->height());
    lblRipasso->setVisible(!frase.isEmpty());
    lb->setVisible(frase.isEmpty());
}

void TFinestraEsercizi::ImpostaLavagna(std::function<void(QWidget*)> apri) { Lavagna() = std::move(apri); }

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

std::string TFinestraEsercizi::RispostaDelPupillo() const
{
    if (pnlSiNo && FEsercizio && FEsercizio->SiNo())
        return rbSi->isChecked() ? "Si" : rbNo->isChecked() ? "No" : "";
    return TestoCampo(EditRisp->text());
}

QString TFinestraEsercizi::NomeCatalogo() const { return QString::fromStdString(TSchedaPol::Argomento(FGiuste)); }

QString TFinestraEsercizi::EsercizioDaRegistrare() const
{
    const QString formula = QString::fromStdString(NarrowToUtf8(TestoEsercizio));
    // A quiz's formula is what its question is about: both are the exercise.
    if (FEsercizio && dynamic_cast<const TEsercizioQuiz*>(FEsercizio))
        return QString::fromStdString(FEsercizio->Domanda()) + QLatin1Char(' ') + formula;
    return formula;
}

QString TFinestraEsercizi::RispostaDaRegistrare() const
{
    if (pnlSiNo && FEsercizio && FEsercizio->SiNo())
        return rbSi->isChecked() ? QStringLiteral("Sì") : rbNo->isChecked() ? QStringLiteral("No") : QString();
    return EditRisp->text();
}

void TFinestraEsercizi::EsercizioMostrato()
{
    FOrologio.start();
    FSoluzioneVista = false;
}

void TFinestraEsercizi::RegistraRisposta(const TGiudizio& g)
{
    TRegistro* registro = Registro();
    if (!registro || registro->Ospite() || !registro->AlunnoScelto())
        return;
    TRispostaGiudicata r;
    r.argomento = NomeCatalogo();
    r.esercizio = EsercizioDaRegistrare();
    r.seme = FSeme;
    r.risposta = RispostaDaRegistrare();
    Esito(g, r);
    r.ripassa = FRipassa;
    r.soluzioneVista = FSoluzioneVista;
    r.secondi = FOrologio.isValid() ? static_cast<double>(FOrologio.elapsed()) / 1000.0 : 0.0;
    // Committed before it returns; a fault is said once by the record's
    // warning and the run goes on as a guest's, its counts untouched.
    registro->Registra(r);
}

void TFinestraEsercizi::NuovoEsercizio()
{
    if (!FEsercizio)
        return;
    // A typed topic's exercise is drawn from a seed of its own, so that
    // the record can say how to draw it again (mevario-esercizi --seme);
    // the seed comes from the program's random source, which keeps seeded
    // runs reproducible. A quiz's question depends on its turn as well:
    // its seed alone would not draw it again.
    FSeme.reset();
    if (!dynamic_cast<TEsercizioQuiz*>(FEsercizio)) {
        const auto seme = static_cast<std::uint32_t>(CasualeTra(0, 0x10000)) << 16 |
                          static_cast<std::uint32_t>(CasualeTra(0, 0x10000));
        ImpostaSeme(seme);
        FSeme = seme;
    }
    FEsercizio->NuovoEsercizio();
    lbDomanda->setText(QString::fromStdString(FEsercizio->Domanda()));
    TestoEsercizio = FEsercizio->TestoEsercizio();
    EditRisp->clear();
    FTestoAnteprima.clear();
    if (pnlSiNo) {
        const bool siNo = FEsercizio->SiNo();
        pnlSiNo->setVisible(siNo);
        pnlEdit->setVisible(!siNo);
        for (QRadioButton* rb : {rbSi, rbNo}) {
            rb->setAutoExclusive(false);
            rb->setChecked(false);
            rb->setAutoExclusive(true);
        }
    }
}

bool TFinestraEsercizi::Verifica(const std::string& risposta)
{
    return FEsercizio && FEsercizio->Verifica(risposta);
}

void TFinestraEsercizi::Apri(bool esercizi)
{
    ModoEsercizi = esercizi;
    if (isVisible()) {
        // Opened again while open: this visit's counters go to the tallies
        // first, then the page is built afresh.
        FormClose();
        FormShow();
    } else {
        // Centred over the window it belongs to (the main window).
        CentraSopra(this, parentWidget());
        show();
    }
    raise();
    activateWindow();
}

void TFinestraEsercizi::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFinestraEsercizi::FormShow()
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    if (c)
        c->Presta(this, EditRisp);
    lblEsatte->setText(QStringLiteral("0"));
    lblErrori->setText(QStringLiteral("0"));
    PreparaPagina();
}

void TFinestraEsercizi::PreparaPagina()
{
    Chiusura = false;
    ++FNumeroEsercizio;
    const QString pagina = ModoEsercizi ? QStringLiteral("Esercizi") : QStringLiteral("Concetto");
    lblTitolo->setText(pagina);
    // The title names the topic and the page (task bar, screen readers).
    setWindowTitle(Label2->text() + pagina);
    Notebook1->setCurrentWidget(ModoEsercizi ? PaginaEsercizi : PaginaConcetto);
    pnlRisp->setVisible(ModoEsercizi);
    btnStampa->setVisible(ModoEsercizi);
    btEseAppr->setText(ModoEsercizi ? QStringLiteral("Concetto") : QStringLiteral("Esercizi"));
    btnNuovo->setText(QStringLiteral("Procedi"));
    btnNuovo->setEnabled(ModoEsercizi);
    NascondiSoluzione();
    if (ModoEsercizi) {
        NuovoEsercizio();
        DrawFormula(PBEsercizi, TestoEsercizio);
        EditRisp->clear();
        FTestoAnteprima.clear();
        MostraLettura(TLettura{});
        DrawFormula(PBRisp, std::string()); // the previous live drawing goes
        EsercizioMostrato();
        if (pnlPassaggi) {
            PosaPassaggi();
            FCampoPrima.clear();
            pnlPassaggi->Ricomincia(FEsercizio ? FEsercizio->TestoPassaggi() : std::string());
        }
    }
    // The keyboard starts where the page is worked: the answer field, the
    // yes/no choice, or on the concept page the button to the exercises
    // (never "Esci", which Space would press).
    if (!ModoEsercizi)
        btEseAppr->setFocus();
    else if (PassaggiAttivi())
        pnlPassaggi->Fuoco(1);
    else if (!pnlEdit->isHidden())
        EditRisp->setFocus();
    else if (pnlSiNo && !pnlSiNo->isHidden())
        rbSi->setFocus();
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->RiponiTastiera();
    AggiornaAccessibili();
}

void TFinestraEsercizi::Conta(QLabel* contatore)
{
    contatore->setText(QString::number(contatore->text().toInt() + 1));
    AggiornaAccessibili();
}

void TFinestraEsercizi::btnNuovoClick()
{
    // A click while the panel flashes would check and count the same
    // answer again: it is ignored until the flash has ended.
    if (FInVerifica)
        return;
    if (!ModoEsercizi || btnNuovo->text() == QLatin1String("Nuovo")) {
        PreparaPagina();
        return;
    }
    // The working written line by line: its last line is the answer, judged
    // as if it had been typed in the field; a last line that equals the
    // exercise but is not yet in the form asked is not judged.
    if (PassaggiAttivi() && FEsercizio) {
        const int u = pnlPassaggi->UltimaScritta();
        const std::string ultima = u >= 1 ? pnlPassaggi->Testo(u).toStdString() : std::string();
        GiudizioFine fine;
        try {
            // Nearly finished only when equal to the exercise: GiudicaFine checks that.
            if (u >= 1)
                fine = GiudicaFine(FArgomentoPassaggi, pnlPassaggi->Testo(0).toStdString(), ultima);
        } catch (const std::exception&) {
            // Not known to be nearly finished: judged as an answer.
        }
        if (fine.stato == StatoFine::QuasiFinito) {
            pnlPassaggi->NotaUltima(QStringLiteral("quasi finito: ") + QString::fromStdString(fine.cosaManca));
            pnlPassaggi->Fuoco(u);
            return;
        }
        EditRisp->setText(QString::fromStdString(ultima));
    }
    // What the check shows belongs to the text as it is now: the release of
    // Enter that ran it changes nothing.
    FTestoAnteprima = EditRisp->text();
    TGiudizio g;
    const std::string risposta = RispostaDelPupillo();
    if (!Protetto([&] {
            if (FEsercizio)
                g = Giudica(*FEsercizio, risposta);
            else
                g.esito = Verifica(risposta) ? TEsito::Giusta : TEsito::Sbagliata;
        }))
        return; // the error box showed why; nothing changed
    // Nothing to judge yet (nothing typed or chosen, an answer that cannot
    // be read, a slip of form): the pupil is told what to do, nothing counts.
    if (!g.Contata()) {
        if (g.esito == TEsito::Illeggibile) {
            MostraLettura(g.lettura);
            MostraErrore(QStringLiteral("La risposta non si può leggere: ") + g.lettura.motivo + QStringLiteral("."));
        } else {
            RigaSottoAnteprima(QString::fromStdString(g.motivo));
        }
        if (g.esito == TEsito::Forma)
            RegistraRisposta(g);
        if (PassaggiAttivi())
            pnlPassaggi->Fuoco(std::max(1, pnlPassaggi->UltimaScritta()));
        else if (!pnlEdit->isHidden())
            EditRisp->setFocus();
        return;
    }
    const bool giusta = g.esito == TEsito::Giusta;
    // The rules know no mistake in the answer, but one may have been named
    // between two lines of the working: the last such is the mistake of
    // this answer (said, and reviewed later).
    if (!giusta && g.diagnosi.errore.empty() && PassaggiAttivi())
        g.diagnosi.errore = pnlPassaggi->UltimoErrore();
    const TDiagnosi& diagnosi = g.diagnosi;
    RegistraRisposta(g);
    Conta(giusta ? lblEsatte : lblErrori);
    const unsigned esercizio = FNumeroEsercizio;
    FInVerifica = true;
    if (giusta)
        LampeggiaVerde(pnlRisp);
    else
        LampeggiaRosso(pnlRisp);
    FInVerifica = false;
    emit Giudicata(giusta);
    // Only for the exercise answered: the page may have changed meanwhile.
    if (giusta && esercizio == FNumeroEsercizio && ModoEsercizi)
        btnNuovo->setText(QStringLiteral("Nuovo"));
    if (giusta || esercizio != FNumeroEsercizio || !ModoEsercizi || !FEsercizio)
        return;
    // What is wrong, where the pupil looks: the terms that match nothing in
    // red rings in the preview, the count and the mistake under it.
    if (!FEsercizio->SiNo())
        MostraDiagnosi(diagnosi);
    if (PassaggiAttivi())
        pnlPassaggi->SegnaCambio(); // the line where the working left the exercise
    // The worked solution is one click away.
    if (!FEsercizio->Soluzione().empty())
        btnSoluzione->show();
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->RiponiTastiera();
}

void TFinestraEsercizi::NascondiSoluzione()
{
    btnSoluzione->hide();
    if (pnlSoluzione)
        pnlSoluzione->hide();
}

void TFinestraEsercizi::btnSoluzioneClick()
{
    if (FInVerifica || !ModoEsercizi || !FEsercizio)
        return;
    const TSoluzione soluzione = FEsercizio->Soluzione();
    if (soluzione.empty())
        return;
    FSoluzioneVista = true;
    // Over the answer area, from the answer panel down to the counters; the
    // keypad and the help panel go away so that nothing covers it.
    if (Tfrmcomune* c = Tfrmcomune::Istanza()) {
        c->EditTastieraExit();
        c->SpeedButton1Click();
    }
    QRect area = pnlEdit->geometry();
    if (pnlSiNo)
        area = area.united(pnlSiNo->geometry());
    area.setLeft(pnlEsercizi->geometry().left());
    area.setRight(pnlEsercizi->geometry().right());
    area.setBottom(std::max(area.bottom(), pnlRisp->geometry().top() - 8));
    // One box a line, as tall as its formula at 18 points, all within the panel.
    const int cima = 34, margine = 8, rientro = 46;
    std::vector<int> altezze;
    int totale = 0;
    for (const TRigaSoluzione& r : soluzione) {
        int h = 40;
        try {
            h = std::max(h, MisuraFormula(r.formula, TFormulaVariant::ControlLeft, 96).height() + 8);
        } catch (const std::exception&) {
        }
        altezze.push_back(h);
        totale += h;
    }
    // Under the typeset answer, how it is typed (not for a yes/no choice).
    const bool siScrive = !FEsercizio->SiNo();
    const int rigaScritta = siScrive ? 26 : 0;
    // A solution too long for its place covers the question as well (the
    // whole of it, never half a line), never the exercise itself.
    if (totale + rigaScritta > area.height() - cima - margine)
        area.setTop(std::min(area.top(), pnlEsercizi->geometry().bottom() + 8));
    if (!pnlSoluzione) {
        pnlSoluzione = new QFrame(PaginaEsercizi);
        pnlSoluzione->setObjectName(QStringLiteral("pnlSoluzione"));
        pnlSoluzione->setAccessibleName(QStringLiteral("Soluzione"));
        ImpostaColore(pnlSoluzione, ColorePannelli());
        auto* titolo = Etichetta(QStringLiteral("Soluzione"), pnlSoluzione, Carattere("Comic Sans MS", 18), kMarrone);
        titolo->move(12, 4);
    }
    pnlSoluzione->setGeometry(area);
    for (const char* nome : {"uguale", "siScrive"})
        for (QWidget* w : pnlSoluzione->findChildren<QWidget*>(QLatin1String(nome)))
            delete w;
    for (TFormulaBox* b : RigheSoluzione)
        delete b;
    RigheSoluzione.clear();
    const int disponibile = area.height() - cima - margine - rigaScritta;
    int y = cima;
    for (std::size_t i = 0; i < soluzione.size(); ++i) {
        const int h = totale <= disponibile ? altezze[i] : disponibile * altezze[i] / totale;
        auto* box = new TFormulaBox(pnlSoluzione, TFormulaVariant::ControlLeft);
        box->setGeometry(rientro, y, area.width() - rientro - margine, h);
        box->SetColor(ColorePannelli());
        box->SetProsa(true); // the explanations in the program's font
        box->SetNomeAccessibile(QStringLiteral("Soluzione, riga %1").arg(i + 1));
        DrawFormula(box, soluzione[i].formula);
        box->show();
        RigheSoluzione.push_back(box);
        // "=" before a line that goes on with the calculation; an arrow
        // before an answer reached otherwise (a reason, the letters chosen).
        const bool finale = i + 1 == soluzione.size() && i > 0;
        if (soluzione[i].uguale || finale) {
            auto* uguale = Etichetta(soluzione[i].uguale ? QStringLiteral("=") : QStringLiteral("\u2192"), pnlSoluzione,
                                     Carattere("Times New Roman", 24), Qt::black);
            uguale->setObjectName(QStringLiteral("uguale"));
            uguale->setGeometry(8, y, rientro - 16, h);
            uguale->setAlignment(Qt::AlignCenter);
            uguale->show();
        }
        y += h;
    }
    if (siScrive) {
        const QString testo =
            QStringLiteral("si scrive:  ") + QString::fromStdString(NarrowToUtf8(FEsercizio->RispostaAttesa()));
        // A long answer (a product of polynomials) is written smaller, so
        // that the whole of it stays on its line inside the panel.
        const int largo = area.width() - rientro - margine;
        int px = 15;
        while (px > 10 && QFontMetrics(Carattere("Tahoma", px, true)).horizontalAdvance(testo) > largo)
            --px;
        auto* scritta = Etichetta(testo, pnlSoluzione, Carattere("Tahoma", px, true), kMarrone);
        scritta->setObjectName(QStringLiteral("siScrive"));
        scritta->setTextInteractionFlags(Qt::TextSelectableByMouse);
        scritta->setGeometry(rientro, y + 2, largo, rigaScritta - 2);
        scritta->setToolTip(QFontMetrics(scritta->font()).horizontalAdvance(testo) > largo ? testo : QString());
        scritta->show();
    }
    pnlSoluzione->show();
    pnlSoluzione->raise();
    btnSoluzione->hide();
    // Seen the solution, the exercise is over: no count, a new one next.
    btnNuovo->setText(QStringLiteral("Nuovo"));
    btnNuovo->setFocus();
}

void TFinestraEsercizi::btEseApprClick()
{
    ModoEsercizi = !ModoEsercizi;
    PreparaPagina();
}

void TFinestraEsercizi::EditRispKeyUp()
{
    // A key that changed nothing (Enter, which has just run the check,
    // Shift, an arrow) leaves what is shown: the preview, and what the check
    // showed (the line under the preview, the rings).
    if (EditRisp->text() == FTestoAnteprima)
        return;
    FTestoAnteprima = EditRisp->text();
    if (pnlSiNo) {
        // The quizzes draw nothing live; a line asking for the answer goes.
        if (lblLettura)
            lblLettura->hide();
        return;
    }
    // What cannot be read is marked in the field and said under the
    // preview, which draws the part before it. Drawn as the check reads it:
    // without its spaces.
    std::optional<bool> letta;
    try {
        DrawFormula(PBRisp, FormaFormula(TogliCarattere(' ', TestoCampo(EditRisp->text()))));
        letta = PBRisp->Valida();
    } catch (...) {
        letta = false;
    }
    const TLettura l = LeggiDigitata(EditRisp->text(), letta);
    MostraLettura(l);
    if (!l.leggibile)
        DrawFormula(PBRisp, l.prefisso);
}

void TFinestraEsercizi::MostraDiagnosi(const TDiagnosi& d)
{
    std::vector<TFormulaBox::TAnello> anelli;
    for (int i : d.sbagliati)
        anelli.push_back({i, kRosso});
    PBRisp->SetAnelli(anelli);
    const QString testo = QString::fromStdString(d.Testo());
    if (!testo.isEmpty())
        RigaSottoAnteprima(testo);
}

void TFinestraEsercizi::MostraLettura(const TLettura& l)
{
    EditRisp->SegnaErrore(l.leggibile ? -1 : l.posizione);
    PBRisp->SetAnelli({}); // a diagnosis is for the answer that was checked
    if (l.leggibile) {
        if (lblLettura)
            lblLettura->hide();
        if (FAnteprima.isValid())
            PBRisp->setGeometry(FAnteprima);
        PBRisp->SetNotaAccessibile(QString());
        return;
    }
    RigaSottoAnteprima(l.motivo);
}

void TFinestraEsercizi::RigaSottoAnteprima(const QString& testo)
{
    // With the working line by line, the line goes under its last line.
    if (PassaggiAttivi()) {
        pnlPassaggi->NotaUltima(testo);
        return;
    }
    if (!lblLettura) {
        lblLettura = new QLabel(pnlEdit);
        lblLettura->setObjectName(QStringLiteral("lblLettura"));
        lblLettura->setFont(Carattere("Tahoma", 12, true));
        lblLettura->setWordWrap(true);
        QPalette p = lblLettura->palette();
        p.setColor(QPalette::WindowText, kRosso);
        lblLettura->setPalette(p);
        lblLettura->setAlignment(Qt::AlignCenter);
    }
    // A yes/no question has no preview: the line goes under the choice.
    const bool scelta = pnlSiNo && !pnlSiNo->isHidden();
    lblLettura->setParent(scelta ? PaginaEsercizi : pnlEdit);
    if (!FAnteprima.isValid())
        FAnteprima = PBRisp->geometry();
    const QRect b = scelta ? pnlSiNo->geometry().adjusted(-60, 0, 60, 0) : FAnteprima;
    // One line at the foot of the preview, two when it is long.
    const int righe = QFontMetrics(lblLettura->font()).horizontalAdvance(testo) > b.width() - 8 ? 2 : 1;
    // Below the preview where the panel has room; else the preview gives up
    // its foot (its formula shrinks to fit) so that nothing overlaps.
    const int h = 15 * righe + 2;
    const int y = scelta ? b.bottom() + 6 : std::min(b.bottom() + 1, pnlEdit->height() - h);
    lblLettura->setGeometry(b.left(), y, b.width(), h);
    if (!scelta)
        PBRisp->setGeometry(b.left(), b.top(), b.width(), std::min(b.height(), y - b.top()));
    lblLettura->setText(testo);
    lblLettura->setAccessibleName(testo);
    lblLettura->show();
    lblLettura->raise();
    // Screen readers hear the line with the preview.
    PBRisp->SetNotaAccessibile(testo);
}

void TFinestraEsercizi::btnChiudiClick()
{
    close();
    ImpostaChiusura();
}

void TFinestraEsercizi::closeEvent(QCloseEvent* e)
{
    FormClose();
    ImpostaRipasso({}, {}); // a review lasts one visit
    QWidget::closeEvent(e);
}

void TFinestraEsercizi::FormClose()
{
    if (TSchedaPol* s = TSchedaPol::Istanza()) {
        s->Aggiungi(FGiuste, Esatte());
        s->Aggiungi(FSbagliate, Errori());
    }
    // Counted once: the next show starts again from 0.
    lblEsatte->setText(QStringLiteral("0"));
    lblErrori->setText(QStringLiteral("0"));
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->EditTastieraExit();
}

void TFinestraEsercizi::btnStampaClick()
{
    // The window as it is on screen, in the window sheet, with who and when.
    const TRegistro* r = Registro();
    const TAlunno a = r && !r->Ospite() && r->AlunnoScelto() ? *r->AlunnoScelto() : TAlunno();
    ScriviSchedaFinestra(CartellaProgramma(), grab().toImage(), FArgomento, a.nome, a.classe, QDateTime::currentDateTime());
}

void TFinestraEsercizi::DsFancyButton1Click()
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    if (!c)
        return;
    // How this topic's answers are typed, beside the answer field.
    c->ImpostaAiuto(FEsercizio ? FEsercizio->Aiuto() : AiutoMonomi());
    ImpostaColore(c->pnlHelp1, QColor(255, 253, 210));
    // Beside the line being written when the working is line by line.
    QWidget* campo = EditRisp;
    if (PassaggiAttivi()) {
        campo = pnlPassaggi->Campo(pnlPassaggi->Righe() - 1);
        for (int i = 1; i < pnlPassaggi->Righe(); ++i)
            if (pnlPassaggi->Campo(i)->hasFocus())
                campo = pnlPassaggi->Campo(i);
    }
    c->MostraAiuto(campo, {pnlEsercizi, lbDomanda}, {pnlRisp, PBRisp});
}

int TFinestraEsercizi::Esatte() const { return lblEsatte->text().toInt(); }
int TFinestraEsercizi::Errori() const { return lblErrori->text().toInt(); }

void TFinestraEsercizi::AggiornaAccessibili()
{
    lblEsatte->setAccessibleName(QStringLiteral("Risposte esatte: ") + lblEsatte->text());
    lblErrori->setAccessibleName(QStringLiteral("Errori: ") + lblErrori->text());
}

} // namespace mevario
