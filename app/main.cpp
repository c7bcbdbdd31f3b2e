#include "main.h"

#include "Colori.h"
#include "ArgomentiRegistro.h"
#include "EserciziStampa.h"
#include "Progressi.h"
#include "RipassoGuidato.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "Catalogo.h"
#include "Condiviso.h"
#include "Documenti.h"
#include "PanoramicaClasse.h"
#include "Finestra.h"
#include "Errori.h"
#include "Glifi.h"
#include "Protocollo.h"
#include "QuibWord.h"
#include "SchedaPol.h"
#include "ucomune.h"
#include "funzioni.h"

namespace mevario {

namespace {

// How long "Esci" tries to send the answers that wait for the server.
constexpr int KMsInvioAllUscita = 3000;


QLabel* Titolo(const QString& t, QWidget* parent, const QFont& f, const QRect& g)
{
    QLabel* l = Etichetta(t, parent, f, kMarrone);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(g);
    return l;
}

TDsFancyButton* Bottone(const QString& caption, QWidget* parent, const QRect& g)
{
    auto* b = new TDsFancyButton(caption, parent);
    StileCapsula(b, 16, Qt::white, Qt::white);
    b->SetLayout(TDsFancyButton::lyLeft);
    b->SetDistance(5);
    b->setGeometry(g);
    return b;
}

} // namespace

TfrmMain::TfrmMain() : QWidget(nullptr, Qt::Window)
{
    EsponiMenuAccessibili(staticMetaObject);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Mevario"));
    setAccessibleName(QStringLiteral("Mevario"));
    setFixedSize(767, 707);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kSfondo); // 13428479
    setPalette(pal);
    setAutoFillBackground(true);

    // The product label names what Mevario is; the title under it says
    // "Mevario" once. The version is for whoever asks.
    Label1 = Titolo(QStringLiteral("Tutor di algebra"), this, Carattere("Comic Sans MS", 48, true), QRect(150, 14, 467, 70));
    Label1->setToolTip(QStringLiteral("Mevario ") + QApplication::applicationVersion());
    Label1->setAccessibleDescription(Label1->toolTip());
    Label2 = Titolo(QStringLiteral("Mevario"), this, Carattere("Comic Sans MS", 40), QRect(100, 92, 567, 56));
    Label4 = Titolo(QStringLiteral("Monomi"), this, Carattere("Comic Sans MS", 24), QRect(60, 170, 290, 36));
    Label5 = Titolo(QStringLiteral("Polinomi"), this, Carattere("Comic Sans MS", 24), QRect(417, 170, 290, 36));

    const int xs = 88, xd = 445, y0 = 220, passo = 62;
    btDefMon = Bottone(QStringLiteral("Definizione"), this, QRect(xs, y0, 234, 46));
    btSomma = Bottone(QStringLiteral("Somma e Differenza"), this, QRect(xs, y0 + passo, 234, 46));
    btProdottoMon = Bottone(QStringLiteral("Prodotto e Potenza"), this, QRect(xs, y0 + 2 * passo, 234, 46));
    btQuoziente = Bottone(QStringLiteral("Quoziente"), this, QRect(xs, y0 + 3 * passo, 234, 46));
    DsFancyButton1 = Bottone(QStringLiteral("MCD e mcm"), this, QRect(xs, y0 + 4 * passo, 234, 46));
    btDefPol = Bottone(QStringLiteral("Definizione"), this, QRect(xd, y0, 234, 46));
    btSommaEDIffPol = Bottone(QStringLiteral("Somma e Differenza"), this, QRect(xd, y0 + passo, 234, 46));
    btProdottoPol = Bottone(QStringLiteral("Prodotto"), this, QRect(xd, y0 + 2 * passo, 234, 46));
    btDaf = Bottone(QStringLiteral("Divisione"), this, QRect(xd, y0 + 3 * passo, 234, 46));
    // Buttons of the two columns share a caption: screen readers tell them apart.
    btDefMon->setAccessibleName(QStringLiteral("Definizione di monomio"));
    btSomma->setAccessibleName(QStringLiteral("Somma e differenza di monomi"));
    btDefPol->setAccessibleName(QStringLiteral("Definizione di polinomio"));
    btSommaEDIffPol->setAccessibleName(QStringLiteral("Somma e differenza di polinomi"));

    // The pupil's own row: progress and review (shown once a record is set).
    btProgressi = Bottone(QStringLiteral("I miei progressi"), this, QRect(20, 562, 230, 46));
    btProgressi->setToolTip(QStringLiteral("Le tue risposte giuste ed errate, argomento per argomento e giorno per giorno"));
    connect(btProgressi, &QAbstractButton::clicked, this, [this] { btProgressiClick(); });
    btRipasso = Bottone(QStringLiteral("Ripasso"), this, QRect(268, 562, 230, 46));
    connect(btRipasso, &QAbstractButton::clicked, this, [this] { btRipassoClick(); });
    btProgressi->hide();
    btRipasso->hide();
    FRipasso = new TRipassoGuidato(
        [this](const QString& classe) -> TFinestraEsercizi* {
            const auto f = FArgomenti.find(classe.toStdString());
            TFinestraEsercizi* w = f != FArgomenti.end() && f->second ? f->second() : nullptr;
            if (w)
                connect(w, &TFinestraEsercizi::Giudicata, this, &TfrmMain::AggiornaRipasso, Qt::UniqueConnection);
            return w;
        },
        this);
    connect(FRipasso, &TRipassoGuidato::Finito, this, [this] {
        AggiornaRipasso();
        const int restano = FRegistro && FAlunno && !FRegistro->Ospite()
                                ? static_cast<int>(FRegistro->RipassoDovuto(FAlunno->id, QDate::currentDate()).size())
                                : 0;
        MostraMessaggio(QStringLiteral("Ripasso"),
                        restano == 0 ? QStringLiteral("Ripasso finito: per oggi non c'è altro da ripassare.")
                                     : QStringLiteral("Ripasso finito. Restano ancora cose da ripassare oggi: "
                                                      "premi «Ripasso» quando vuoi."),
                        false);
    });

    // The bottom row, as wide as the line under the title: the documents,
    // then "Esci".
    btScheda = Bottone(QStringLiteral("Scheda"), this, QRect(20, 627, 125, 50));
    btScheda->SetGlyph(GlifoScheda(), QSize(24, 24));
    btScheda->setToolTip(QStringLiteral("Scrive la scheda dei risultati e la apre con il programma di videoscrittura"));
    connect(btScheda, &QAbstractButton::clicked, this, [this] { btSchedaClick(); });
    btRegistroClasse = Bottone(QStringLiteral("Registro di classe"), this, QRect(157, 627, 222, 50));
    btRegistroClasse->SetGlyph(GlifoRegistro(), QSize(24, 24));
    connect(btRegistroClasse, &QAbstractButton::clicked, this, [this] { btRegistroClasseClick(); });
    btEserciziStampa = Bottone(QStringLiteral("Esercizi da stampare"), this, QRect(391, 627, 234, 50));
    btEserciziStampa->SetGlyph(GlifoStampante(), QSize(24, 24));
    btEserciziStampa->setToolTip(
        QStringLiteral("Scrive una scheda di esercizi nuovi, con le soluzioni, da stampare (PDF)"));
    connect(btEserciziStampa, &QAbstractButton::clicked, this, [this] { btEserciziStampaClick(); });
    btEsci = Bottone(QStringLiteral("Esci"), this, QRect(637, 627, 110, 50));
    btEsci->SetGlyph(GlifoEsci(), QSize(24, 24));
    connect(btEsci, &QAbstractButton::clicked, this, [this] { btEsciClick(); });

    // The pupil: the name under the product label, right of the title, and
    // "Cambia alunno" at the end of the pupil's row.
    lblAlunno = Etichetta(QString(), this, Carattere("Tahoma", 15, true), kMarrone);
    lblAlunno->setObjectName(QStringLiteral("lblAlunno"));
    lblAlunno->setTextFormat(Qt::PlainText); // a name is shown as typed, tags and all
    lblAlunno->setGeometry(470, 124, 277, 24);
    lblAlunno->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btCambiaAlunno = Bottone(QStringLiteral("Cambia alunno"), this, QRect(517, 562, 230, 46));
    btCambiaAlunno->SetLayout(TDsFancyButton::lyCenter);
    btCambiaAlunno->setToolTip(QStringLiteral("Chiude gli esercizi e chiede di nuovo chi sei"));
    btCambiaAlunno->hide();
    connect(btCambiaAlunno, &QAbstractButton::clicked, this, [this] {
        if (FCambiaAlunno)
            FCambiaAlunno();
    });

    MostraAlunno(std::nullopt);
    SagomaFinestra(this);
}

void TfrmMain::MostraAlunno(const std::optional<TAlunno>& alunno)
{
    // The class's overview is there for a pupil of a class; the tip says
    // why it is not.
    const bool conClasse = alunno && !alunno->classe.trimmed().isEmpty();
    btRegistroClasse->setEnabled(conClasse);
    btRegistroClasse->setToolTip(
        conClasse ? QStringLiteral("Scrive il registro della classe %1 (risposte, errori più frequenti, ripasso in "
                                   "ritardo) e lo apre con il foglio di calcolo")
                        .arg(alunno->classe)
        : alunno ? QStringLiteral("%1 non ha una classe: il registro di classe si scrive per l'alunno di una classe")
                       .arg(alunno->nome)
                 : QStringLiteral("Un ospite non ha una classe: il registro di classe si scrive per l'alunno di una "
                                  "classe"));
    btRegistroClasse->setAccessibleDescription(btRegistroClasse->toolTip());
    if (!alunno) {
        setWindowTitle(QStringLiteral("Mevario"));
        // Nothing of the run is kept: the window says so, whether the pupil
        // chose it or the record could not be used.
        lblAlunno->setText(QStringLiteral("Ospite"));
        lblAlunno->setToolTip(QString());
        lblAlunno->setAccessibleName(lblAlunno->text());
        return;
    }
    const QString chi = alunno->classe.isEmpty() ? alunno->nome : alunno->nome + QStringLiteral(" (") + alunno->classe + QLatin1Char(')');
    setWindowTitle(QStringLiteral("Mevario \u2014 ") + chi);
    // A long name ends in "…" where the label ends; the whole of it is in
    // the tip and for screen readers.
    const QString tutto = QStringLiteral("Alunno: ") + chi;
    lblAlunno->setText(lblAlunno->fontMetrics().elidedText(tutto, Qt::ElideMiddle, lblAlunno->width()));
    lblAlunno->setToolTip(lblAlunno->text() == tutto ? QString() : tutto);
    lblAlunno->setAccessibleName(tutto);
}

void TfrmMain::ImpostaCambiaAlunno(std::function<void()> cambia)
{
    FCambiaAlunno = std::move(cambia);
    btCambiaAlunno->setVisible(static_cast<bool>(FCambiaAlunno));
}

void TfrmMain::ImpostaRegistro(TRegistro* registro, std::optional<TAlunno> alunno)
{
    // A review under way was the previous pupil's.
    FRipasso->Ferma();
    FRegistro = registro;
    FAlunno = std::move(alunno);
    // The window of the previous pupil's figures goes; the next one reads the new pupil's.
    delete FfrmProgressi;
    FfrmProgressi = nullptr;
    btProgressi->setVisible(FRegistro != nullptr);
    btRipasso->setVisible(FRegistro != nullptr);
    AggiornaRipasso();
}

TfrmProgressi* TfrmMain::frmProgressi()
{
    if (!FRegistro)
        return nullptr;
    if (!FfrmProgressi)
        FfrmProgressi = new TfrmProgressi(*FRegistro, FAlunno, this);
    return FfrmProgressi;
}

void TfrmMain::btProgressiClick()
{
    TfrmProgressi* f = frmProgressi();
    if (!f)
        return;
    f->Aggiorna();
    CentraSopra(f, this);
    f->exec();
}

void TfrmMain::AggiornaRipasso()
{
    const bool alunno = FRegistro && FAlunno && !FRegistro->Ospite();
    const int dovute = alunno ? static_cast<int>(FRegistro->RipassoDovuto(FAlunno->id, QDate::currentDate()).size()) : 0;
    btRipasso->setText(QStringLiteral("Ripasso (%1)").arg(dovute));
    // Nothing due: shown, so that the row stays the same, but not pressed.
    btRipasso->setEnabled(dovute > 0 && !FRipasso->InCorso());
    btRipasso->setToolTip(!alunno      ? QStringLiteral("Il ripasso si tiene per chi entra con il suo nome")
                          : dovute > 0 ? QStringLiteral("Gli esercizi degli errori da ripassare oggi, uno dopo l'altro")
                                       : QStringLiteral("Per oggi non c'è niente da ripassare"));
    btRipasso->setAccessibleName(btRipasso->text());
}

void TfrmMain::btRipassoClick()
{
    if (!FRegistro || !FAlunno || FRegistro->Ospite() || FRipasso->InCorso())
        return;
    QList<TVoceRipasso> voci = FRegistro->RipassoDovuto(FAlunno->id, QDate::currentDate());
    // Most overdue first; of a day, the topics in the order of the menus.
    std::stable_sort(voci.begin(), voci.end(), [](const TVoceRipasso& a, const TVoceRipasso& b) {
        if (a.scadenza != b.scadenza)
            return a.scadenza < b.scadenza;
        return OrdineArgomento(a.argomento) < OrdineArgomento(b.argomento);
    });
    if (voci.isEmpty()) {
        AggiornaRipasso();
        return;
    }
    FRipasso->Inizia(voci);
    AggiornaRipasso();
}

void TfrmMain::btSchedaClick()
{
    // With the counters of the windows still open (the division is not modal).
    TRegistro* registro = TFinestraEsercizi::Registro();
    if (!registro || registro->Ospite() || !registro->AlunnoScelto()) {
        ScriviSchedaRisultati(CartellaProgramma(), TFinestraEsercizi::RisultatiFinora());
        return;
    }
    // A pupil's sheet: who, and per topic what the record holds to date.
    const TAlunno& a = *registro->AlunnoScelto();
    TAlunnoScheda alunno{a.nome, a.classe, {}};
    for (const TProgressoArgomento& p : registro->Progressi(a.id, QDate::currentDate()).argomenti)
        alunno.totali[p.argomento.toStdString()] = {p.giuste, p.sbagliate, p.ultimoGiorno};
    ScriviSchedaRisultati(CartellaProgramma(), TFinestraEsercizi::RisultatiFinora(), alunno);
}

void TfrmMain::btRegistroClasseClick()
{
    TRegistro* registro = TFinestraEsercizi::Registro();
    if (!registro || registro->Ospite() || !registro->AlunnoScelto() ||
        registro->AlunnoScelto()->classe.trimmed().isEmpty())
        return;
    const QString classe = registro->AlunnoScelto()->classe;
    const QDateTime adesso = QDateTime::currentDateTime();
    const auto p = registro->PanoramicaClasse(classe, {}, {}, adesso.date());
    if (!p) {
        // A fault of the record has been said by the record itself.
        if (!registro->Ospite())
            TQuibWord::Messaggio(TQuibWord::TTipoMessaggio::Errore,
                                 QStringLiteral("Il registro della classe %1 non si può leggere.").arg(classe));
        return;
    }
    std::vector<TColonnaArgomento> colonne;
    for (const TNomeBreve& n : NomiBrevi())
        colonne.push_back({QString::fromUtf8(n.nome), QString::fromUtf8(n.breve)});
    QString errore;
    const QString file = ScriviNuovoDocumento(CartellaDocumenti(), QStringLiteral("Registro di classe ") + classe,
                                              QStringLiteral("fods"), PanoramicaFods(*p, colonne, adesso), adesso,
                                              &errore);
    if (file.isEmpty()) {
        TQuibWord::Messaggio(TQuibWord::TTipoMessaggio::Errore, errore);
        return;
    }
    if (!TQuibWord::ConsegnaFile(file))
        TQuibWord::Messaggio(TQuibWord::TTipoMessaggio::Attenzione,
                             QStringLiteral("Non è stato possibile aprire il registro di classe con un foglio di "
                                            "calcolo.\n\nIl registro è salvato in:\n") +
                                 file);
}

TdlgEserciziStampa* TfrmMain::dlgEserciziStampa()
{
    if (!FdlgEserciziStampa)
        FdlgEserciziStampa = new TdlgEserciziStampa(this);
    return FdlgEserciziStampa;
}

void TfrmMain::btEserciziStampaClick()
{
    TdlgEserciziStampa* d = dlgEserciziStampa();
    CentraSopra(d, this);
    d->exec();
}

void TfrmMain::btEsciClick()
{
    if (close())
        QCoreApplication::quit();
}

void TfrmMain::EsciSenzaDomande()
{
    FSenzaDomande = true;
    btEsciClick();
}

void TfrmMain::closeEvent(QCloseEvent* e)
{
    // The other windows are windows of this one: they close with it, each
    // adding its counters to the record, and every wait in progress (the
    // narrated division) ends.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    ImpostaChiusura();
    // Answers that wait for the school's server: a few seconds to send
    // them, then the pupil is told how many stay and when they leave.
    if (FRegistro && !std::exchange(FInviatoAllUscita, true)) {
        if (FRegistro->SuServer())
            MostraAvviso(QStringLiteral("Invio delle risposte al server della scuola…"));
        const int inAttesa = FRegistro->InviaPrimaDiUscire(KMsInvioAllUscita);
        MostraAvviso({});
        if (inAttesa > 0)
            MostraMessaggio(QStringLiteral("Registro degli alunni"), MessaggioRisposteInAttesa(inAttesa), false);
    }
    // Answers held in memory since a fault of the record (a full disk):
    // tried once more; if the fault is still there the pupil is told and
    // may try again (once space is freed) before they are given up.
    // Ended by the session (a signal): nobody to ask, one more try only.
    while (FRegistro && !FRegistro->Riprova() && !FSenzaDomande) {
        const int trattenute = FRegistro->Trattenute();
        if (trattenute <= 0)
            break;
        QMessageBox m(QMessageBox::Warning, QStringLiteral("Registro degli alunni"),
                      (trattenute == 1 ? QStringLiteral("1 risposta non si è potuta scrivere nel registro")
                                       : QStringLiteral("%1 risposte non si sono potute scrivere nel registro")
                                             .arg(trattenute)) +
                          QStringLiteral(" (il disco è pieno o non si può scrivere). Se esci ora andranno perse: "
                                         "chiedi all'insegnante di liberare spazio, poi premi «Riprova»."),
                      QMessageBox::NoButton, this);
        QPushButton* riprova = m.addButton(QStringLiteral("Riprova"), QMessageBox::AcceptRole);
        m.addButton(QStringLiteral("Esci comunque"), QMessageBox::DestructiveRole);
        m.setDefaultButton(riprova);
        m.exec();
        if (m.clickedButton() != riprova)
            break;
    }
    QWidget::closeEvent(e);
}

void TfrmMain::RegistraArgomento(const char* classe, std::function<TFinestraEsercizi*()> finestra)
{
    FArgomenti[classe] = std::move(finestra);
}

TMenuArgomento* TfrmMain::Menu(const std::vector<std::pair<QString, const char*>>& voci)
{
    auto* m = new TMenuArgomento(this);
    for (const auto& [caption, pagina] : voci) {
        if (caption == QLatin1String("-")) {
            m->Aggiungi(caption, nullptr);
            continue;
        }
        // "classe:E" opens the exercise page, "classe:C" the concept page.
        const std::string v(pagina);
        const std::string classe = v.substr(0, v.find(':'));
        const bool esercizi = v.back() == 'E';
        const auto f = FArgomenti.find(classe);
        m->Aggiungi(caption, f != FArgomenti.end() && f->second
                                 ? std::function<void()>([this, crea = f->second, esercizi] { Apri(crea(), esercizi); })
                                 : nullptr);
    }
    return m;
}

void TfrmMain::CreaMenu()
{
    pmDefinizione = Menu({{QStringLiteral("Concetto"), "TfrmConcetto:C"}, {QStringLiteral("Esercizi"), "TfrmConcetto:E"}});
    pmSomma = Menu({{QStringLiteral("Concetto"), "TfrmSommaMon:C"}, {QStringLiteral("Esercizi"), "TfrmSommaMon:E"}});
    pmProdotto = Menu({{QStringLiteral("Prodotto: Concetto"), "TfrmProdottoMon:C"},
                       {QStringLiteral("Prodotto: Esercizi"), "TfrmProdottoMon:E"},
                       {QStringLiteral("-"), ""},
                       {QStringLiteral("Potenza: Concetto"), "TfrmPotenzaMon:C"},
                       {QStringLiteral("Potenza: Esercizi"), "TfrmPotenzaMon:E"}});
    pmQuoziente = Menu({{QStringLiteral("Concetto"), "TfrmQuozienteMon:C"}, {QStringLiteral("Esercizi"), "TfrmQuozienteMon:E"}});
    pmmcd = Menu({{QStringLiteral("MCD: Concetto"), "TfrmMcdMon:C"},
                  {QStringLiteral("MCD: Esercizi"), "TfrmMcdMon:E"},
                  {QStringLiteral("-"), ""},
                  {QStringLiteral("mcm: Concetto"), "TfrmMcmMon:C"},
                  {QStringLiteral("mcm: Esercizi"), "TfrmMcmMon:E"}});
    pmDefPol = Menu({{QStringLiteral("Concetto"), "TfrmPolConcetto:C"}, {QStringLiteral("Esercizi"), "TfrmPolConcetto:E"}});
    pmSommaEDiffPol = Menu({{QStringLiteral("Somma: Concetto"), "TfrmSommaPol:C"},
                            {QStringLiteral("Somma: Esercizi"), "TfrmSommaPol:E"},
                            {QStringLiteral("-"), ""},
                            {QStringLiteral("Differenza: Concetto"), "TfrmDiffPol:C"},
                            {QStringLiteral("Differenza: Esercizi"), "TfrmDiffPol:E"}});
    pmProdottoPol = Menu({{QStringLiteral("Concetto"), "TfrmProdottoPol:C"}, {QStringLiteral("Esercizi"), "TfrmProdottoPol:E"}});
    pmDivisione = Menu({{QStringLiteral("Concetto"), "TfrmDivisionePol:C"}, {QStringLiteral("Esercizi"), "TfrmDivisionePol:E"}});

    const std::pair<TDsFancyButton*, TMenuArgomento*> coppie[] = {
        {btDefMon, pmDefinizione}, {btSomma, pmSomma},           {btProdottoMon, pmProdotto},
        {btQuoziente, pmQuoziente}, {DsFancyButton1, pmmcd},     {btDefPol, pmDefPol},
        {btSommaEDIffPol, pmSommaEDiffPol}, {btProdottoPol, pmProdottoPol}, {btDaf, pmDivisione}};
    for (const auto& [b, m] : coppie)
        connect(b, &QAbstractButton::clicked, this, [this, b = b, m = m] { ApriMenu(b, m); });
}

void TfrmMain::ApriMenu(TDsFancyButton* bottone, TMenuArgomento* menu)
{
    // Opened with the keyboard (Space or Enter on the button): the first entry
    // is highlighted; with the mouse, none.
    menu->Mostra(bottone, !bottone->underMouse());
}

void TfrmMain::Apri(TFinestraEsercizi* f, bool esercizi)
{
    if (!f)
        return;
    // Opened from its menu: a normal visit, whatever the review left.
    if (f != FRipasso->Corrente())
        f->ImpostaRipasso(QString(), QString());
    connect(f, &TFinestraEsercizi::Giudicata, this, &TfrmMain::AggiornaRipasso, Qt::UniqueConnection);
    f->Apri(esercizi);
}

bool TfrmMain::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        // Every activation draws the next exercises from a fresh seed.
        Randomize();
        ++FRiseminati;
        if (FRegistro)
            AggiornaRipasso();
    }
    return QWidget::event(e);
}

void TfrmMain::showEvent(QShowEvent* e)
{
    TSchedaPol::Crea(); // the results record exists from the first show
    QWidget::showEvent(e);
}

void TfrmMain::paintEvent(QPaintEvent* e)
{
    QWidget::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Shape3: the rounded frame around the product label.
    p.setPen(QPen(QColor(128, 128, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(Label1->geometry()).adjusted(-4, -2, 4, 2), 14, 14);
    // Bevel1: the line under the title.
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawLine(20, 158, width() - 20, 158);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(20, 159, width() - 20, 159);
    // Shape1, Shape2: the maroon bars left of the two columns.
    p.fillRect(QRect(btDefMon->x() - 22, btDefMon->y(), 7, DsFancyButton1->geometry().bottom() - btDefMon->y()), kMarrone);
    p.fillRect(QRect(btDefPol->x() - 22, btDefPol->y(), 7, btDaf->geometry().bottom() - btDefPol->y()), kMarrone);
}

} // namespace mevario
