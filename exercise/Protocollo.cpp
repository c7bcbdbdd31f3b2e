#include "Protocollo.h"

#include <QCloseEvent>

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
    : QWidget(nullptr, Qt::Dialog), FArgomento(argomento), FGiuste(giuste), FSbagliate(sbagliate), FEsercizio(esercizio),
      FLezione(esercizio, QString::fromStdString(TSchedaPol::Argomento(giuste)))
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

    btnChiudi = Capsula(QStringLiteral("Esci"), this, QRect(648, 16, 121, 60), 16);
    btnStampa = Capsula(QStringLiteral("Stampa"), this, QRect(648, 80, 121, 60), 16);
    btEseAppr = Capsula(QStringLiteral("Esercizi"), this, QRect(648, 144, 121, 60), 16);
    btnNuovo = Capsula(QStringLiteral("Procedi"), this, QRect(648, 208, 121, 60), 16);
    btnSoluzione = Capsula(QStringLiteral("Soluzione"), this, QRect(648, 272, 121, 60), 16);
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

    CreaPaginaEsercizi();
    CreaContatori();
    // FormCreate
    SagomaFinestra(this);
    ArrotondaAngoli(pnlRisp);

    Collega();
    MostraConteggi();
    Finestre().push_back(this);
}

void TFinestraEsercizi::Collega()
{
    btnLavagna->setEnabled(static_cast<bool>(Lavagna()));
    connect(btnLavagna, &QAbstractButton::clicked, this, [this] {
        if (Lavagna())
            Lavagna()(this);
    });
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
}

TFinestraEsercizi::~TFinestraEsercizi()
{
    std::erase(Finestre(), this);
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->Restituisci(this);
}

void TFinestraEsercizi::ImpostaRipasso(const QString& tipo, const QString& frase)
{
    FLezione.ImpostaRipasso(tipo, frase);
    lblRipasso->setText(FLezione.FraseRipasso());
    lblRipasso->setAccessibleName(frase);
    if (lblRipasso->parentWidget() == lb->parentWidget())
        lblRipasso->setGeometry(lb->x(), lb->y(), lb->parentWidget()->width() - lb->x(), lb->height());
    lblRipasso->setVisible(!frase.isEmpty());
    lb->setVisible(frase.isEmpty());
}

void TFinestraEsercizi::ImpostaLavagna(std::function<void(QWidget*)> apri) { Lavagna() = std::move(apri); }

std::string TFinestraEsercizi::RispostaDelPupillo() const
{
    if (pnlSiNo && FEsercizio && FEsercizio->SiNo())
        return rbSi->isChecked() ? "Si" : rbNo->isChecked() ? "No" : "";
    return TestoCampo(EditRisp->text());
}

QString TFinestraEsercizi::NomeCatalogo() const { return FLezione.Catalogo(); }

QString TFinestraEsercizi::EsercizioDaRegistrare() const
{
    // The lesson's exercise is the topic object's; a window without one
    // writes it from what it shows.
    if (FEsercizio)
        return FLezione.EsercizioDaRegistrare();
    return QString::fromStdString(NarrowToUtf8(TestoEsercizio));
}

QString TFinestraEsercizi::RispostaDaRegistrare() const
{
    if (pnlSiNo && FEsercizio && FEsercizio->SiNo())
        return rbSi->isChecked() ? QStringLiteral("Sì") : rbNo->isChecked() ? QStringLiteral("No") : QString();
    return EditRisp->text();
}

void TFinestraEsercizi::EsercizioMostrato() { FLezione.Mostrato(); }

void TFinestraEsercizi::NuovoEsercizio()
{
    if (!FEsercizio)
        return;
    FLezione.Nuovo();
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
    FLezione.AzzeraConteggi();
    MostraConteggi();
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
    MostraConteggi();
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
    if (!PrendiUltimaRiga())
        return;
    // What the check shows belongs to the text as it is now: the release of
    // Enter that ran it changes nothing.
    FTestoAnteprima = EditRisp->text();
    TGiudizio g;
    if (!GiudicaRisposta(g))
        return; // the error box showed why; nothing changed
    FLezione.ImpostaRegistro(Registro());
    const TEsitoLezione e = FLezione.Concludi(std::move(g), EsercizioDaRegistrare(), RispostaDaRegistrare(),
                                              RighePassaggi());
    if (e.Contata())
        MostraGiudicata(e);
    else
        MostraNonGiudicata(e);
}

bool TFinestraEsercizi::PrendiUltimaRiga()
{
    // The working written line by line: its last line is the answer, judged
    // as if it had been typed in the field; a last line that equals the
    // exercise but is not yet in the form asked is not judged.
    if (!PassaggiAttivi() || !FEsercizio)
        return true;
    const std::vector<std::string> righe = RighePassaggi();
    if (righe.size() >= 2 && FLezione.FinePassaggi(righe).stato == StatoFine::QuasiFinito) {
        const std::string manca = FLezione.FinePassaggi(righe).cosaManca;
        pnlPassaggi->NotaUltima(QStringLiteral("quasi finito: ") + QString::fromStdString(manca));
        pnlPassaggi->Fuoco(pnlPassaggi->UltimaScritta());
        return false;
    }
    EditRisp->setText(righe.size() >= 2 ? QString::fromStdString(righe.back()) : QString());
    return true;
}

std::vector<std::string> TFinestraEsercizi::RighePassaggi() const
{
    std::vector<std::string> righe;
    if (!PassaggiAttivi())
        return righe;
    const int u = pnlPassaggi->UltimaScritta();
    for (int k = 0; k <= std::max(0, u); ++k)
        righe.push_back(pnlPassaggi->Testo(k).toStdString());
    return righe;
}

bool TFinestraEsercizi::GiudicaRisposta(TGiudizio& g)
{
    const std::string risposta = RispostaDelPupillo();
    return Protetto([&] {
        if (FEsercizio)
            g = FLezione.Leggi(risposta);
        else
            g.esito = Verifica(risposta) ? TEsito::Giusta : TEsito::Sbagliata;
    });
}

void TFinestraEsercizi::MostraNonGiudicata(const TEsitoLezione& e)
{
    // Nothing to judge yet (nothing typed or chosen, an answer that cannot
    // be read, a slip of form): the pupil is told what to do, nothing counts.
    if (e.giudizio.esito == TEsito::Illeggibile) {
        MostraLettura(e.giudizio.lettura);
        MostraErrore(QStringLiteral("La risposta non si può leggere: ") + e.giudizio.lettura.motivo + QStringLiteral("."));
    } else {
        RigaSottoAnteprima(QString::fromStdString(e.riga));
    }
    if (PassaggiAttivi())
        pnlPassaggi->Fuoco(std::max(1, pnlPassaggi->UltimaScritta()));
    else if (!pnlEdit->isHidden())
        EditRisp->setFocus();
}

void TFinestraEsercizi::MostraGiudicata(const TEsitoLezione& e)
{
    const bool giusta = e.Giusta();
    MostraConteggi();
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
        MostraDiagnosi(e);
    if (PassaggiAttivi())
        pnlPassaggi->SegnaCambio(); // the line where the working left the exercise
    // The worked solution is one click away.
    if (e.soluzioneOfferta)
        btnSoluzione->show();
    if (Tfrmcomune* c = Tfrmcomune::Istanza())
        c->RiponiTastiera();
}

void TFinestraEsercizi::btEseApprClick()
{
    ModoEsercizi = !ModoEsercizi;
    PreparaPagina();
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
    FLezione.AzzeraConteggi();
    MostraConteggi();
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

void TFinestraEsercizi::MostraConteggi()
{
    lblEsatte->setText(QString::number(FLezione.Esatte()));
    lblErrori->setText(QString::number(FLezione.Errori()));
    lblEsatte->setAccessibleName(QStringLiteral("Risposte esatte: ") + lblEsatte->text());
    lblErrori->setAccessibleName(QStringLiteral("Errori: ") + lblErrori->text());
}

} // namespace mevario
