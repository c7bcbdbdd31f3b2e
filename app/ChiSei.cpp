#include "ChiSei.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "Colori.h"
#include "Impostazioni.h"
#include "Finestra.h"
#include "UDsFancyButton.h"

namespace mevario {

namespace {

const QString kUltimo = QStringLiteral("Registro/ultimoAlunno");
const QString kUltimaClasse = QStringLiteral("Registro/ultimaClasse");

TDsFancyButton* Capsula(const QString& testo, QWidget* parent, int larghezza = 150)
{
    auto* b = new TDsFancyButton(testo, parent);
    StileCapsula(b, 14, Qt::white, Qt::white);
    b->setFixedSize(larghezza, 40);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLabel* Titolo(const QString& testo, QWidget* parent)
{
    auto* l = Etichetta(testo, parent, Carattere("Comic Sans MS", 30), kMarrone);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLabel* Testo(const QString& testo, QWidget* parent)
{
    auto* l = new QLabel(testo, parent);
    l->setFont(Carattere("Tahoma", 15));
    l->setWordWrap(true);
    return l;
}

QLabel* Errore(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    l->setFont(Carattere("Tahoma", 13, true));
    ColoraTesto(l, kRosso);
    l->setMinimumHeight(36);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLineEdit* Campo(QWidget* parent, const QString& nome, int larghezza)
{
    auto* e = new QLineEdit(parent);
    e->setFont(Carattere("Tahoma", 16));
    e->setAccessibleName(nome);
    e->setFixedWidth(larghezza);
    return e;
}

QLineEdit* CampoPin(QWidget* parent, const QString& nome)
{
    QLineEdit* e = Campo(parent, nome, 90);
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(4);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), e));
    return e;
}

QString Descrizione(const TAlunno& a)
{
    return a.classe.isEmpty() ? a.nome : a.nome + QStringLiteral("  (") + a.classe + QLatin1Char(')');
}

QHBoxLayout* Riga(std::initializer_list<QWidget*> bottoni)
{
    auto* r = new QHBoxLayout;
    r->addStretch();
    bool primo = true;
    for (QWidget* b : bottoni) {
        if (!primo)
            r->addSpacing(12);
        r->addWidget(b);
        primo = false;
    }
    r->addStretch();
    return r;
}

} // namespace

QString TdlgChiSei::UltimoAlunno() { return Impostazioni().value(kUltimo).toString(); }

QString TdlgChiSei::UltimaClasse() { return Impostazioni().value(kUltimaClasse).toString(); }

void TdlgChiSei::RicordaUltimoAlunno(const QString& nome, const QString& classe)
{
    QSettings s = Impostazioni();
    s.setValue(kUltimo, nome);
    s.setValue(kUltimaClasse, classe);
}

TdlgChiSei::TdlgChiSei(TRegistro* registro, QWidget* parent) : QDialog(parent), FRegistro(registro)
{
    setObjectName(QStringLiteral("dlgChiSei"));
    setWindowTitle(QStringLiteral("Chi sei?"));
    setModal(true);
    Pagine = new QStackedWidget(this);

    // The pupils.
    PaginaElenco = new QWidget;
    PaginaElenco->setObjectName(QStringLiteral("Elenco"));
    etClasseElenco = new QLabel(QStringLiteral("&Classe:"), PaginaElenco);
    etClasseElenco->setFont(Carattere("Tahoma", 15));
    cbClasse = new QComboBox(PaginaElenco);
    cbClasse->setFont(Carattere("Tahoma", 16));
    cbClasse->setAccessibleName(QStringLiteral("Classe"));
    cbClasse->setMinimumWidth(140);
    cbClasse->setPlaceholderText(QStringLiteral("scegli…"));
    etClasseElenco->setBuddy(cbClasse);
    lsAlunni = new QListWidget(PaginaElenco);
    lsAlunni->setFont(Carattere("Tahoma", 17));
    lsAlunni->setAccessibleName(QStringLiteral("Alunni"));
    lsAlunni->setMinimumSize(380, 200);
    lsAlunni->setSpacing(2);
    btAvanti = Capsula(QStringLiteral("Avanti"), PaginaElenco);
    btAvanti->setToolTip(QStringLiteral("Entra come l'alunno scelto (Invio)"));
    btNuovo = Capsula(QStringLiteral("Nuovo alunno"), PaginaElenco);
    btOspite = Capsula(QStringLiteral("Ospite"), PaginaElenco);
    btOspite->setToolTip(QStringLiteral("Entra senza nome: Mevario non ricorda le risposte"));
    auto* le = new QVBoxLayout(PaginaElenco);
    le->addWidget(Titolo(QStringLiteral("Chi sei?"), PaginaElenco));
    lbElenco = Testo(QString(), PaginaElenco);
    le->addWidget(lbElenco);
    auto* rigaClasse = new QHBoxLayout;
    rigaClasse->addWidget(etClasseElenco);
    rigaClasse->addWidget(cbClasse);
    rigaClasse->addStretch();
    le->addLayout(rigaClasse);
    le->addWidget(lsAlunni, 1);
    le->addSpacing(6);
    le->addLayout(Riga({btAvanti, btNuovo, btOspite}));

    // A new pupil.
    PaginaNuovo = new QWidget;
    PaginaNuovo->setObjectName(QStringLiteral("Nuovo"));
    edNome = Campo(PaginaNuovo, QStringLiteral("Nome"), 300);
    edNome->setMaxLength(60);
    edClasse = Campo(PaginaNuovo, QStringLiteral("Classe"), 90);
    edClasse->setMaxLength(20);
    edNuovoPin = CampoPin(PaginaNuovo, QStringLiteral("PIN"));
    edNuovoPin2 = CampoPin(PaginaNuovo, QStringLiteral("Ripeti il PIN"));
    lbNuovoErrore = Errore(PaginaNuovo);
    lbNuovoErrore->setObjectName(QStringLiteral("lbNuovoErrore"));
    btCrea = Capsula(QStringLiteral("Avanti"), PaginaNuovo);
    btIndietroNuovo = Capsula(QStringLiteral("Indietro"), PaginaNuovo);
    btOspiteNuovo = Capsula(QStringLiteral("Ospite"), PaginaNuovo);
    btOspiteNuovo->setToolTip(btOspite->toolTip());
    auto* modulo = new QFormLayout;
    modulo->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    modulo->setVerticalSpacing(10);
    auto* etNome = new QLabel(QStringLiteral("&Nome:"), PaginaNuovo);
    etNome->setFont(Carattere("Tahoma", 15));
    etNome->setBuddy(edNome);
    auto* etClasse = new QLabel(QStringLiteral("&Classe:"), PaginaNuovo);
    etClasse->setFont(Carattere("Tahoma", 15));
    etClasse->setBuddy(edClasse);
    auto* etPin = new QLabel(QStringLiteral("&PIN:"), PaginaNuovo);
    etPin->setFont(Carattere("Tahoma", 15));
    etPin->setBuddy(edNuovoPin);
    auto* rigaPin = new QHBoxLayout;
    rigaPin->setSpacing(10);
    rigaPin->addWidget(edNuovoPin);
    rigaPin->addWidget(Testo(QStringLiteral("4 cifre, se vuoi: chi non lo sa non entra con il tuo nome"), PaginaNuovo), 1);
    modulo->addRow(etNome, edNome);
    modulo->addRow(etClasse, edClasse);
    modulo->addRow(etPin, rigaPin);
    auto* etPin2 = new QLabel(QStringLiteral("&Ripeti il PIN:"), PaginaNuovo);
    etPin2->setFont(Carattere("Tahoma", 15));
    etPin2->setBuddy(edNuovoPin2);
    modulo->addRow(etPin2, edNuovoPin2);
    auto* ln = new QVBoxLayout(PaginaNuovo);
    ln->addWidget(Titolo(QStringLiteral("Chi sei?"), PaginaNuovo));
    ln->addWidget(Testo(QStringLiteral("Scrivi il tuo nome e la tua classe: Mevario ricorderà le tue risposte."),
                        PaginaNuovo));
    ln->addSpacing(4);
    ln->addLayout(modulo);
    ln->addWidget(lbNuovoErrore);
    ln->addStretch();
    ln->addLayout(Riga({btCrea, btIndietroNuovo, btOspiteNuovo}));

    // The PIN.
    PaginaPin = new QWidget;
    PaginaPin->setObjectName(QStringLiteral("Pin"));
    lbSaluto = Etichetta(QString(), PaginaPin, Carattere("Tahoma", 18, true), Qt::black);
    lbSaluto->setTextFormat(Qt::PlainText); // a name is shown as typed, tags and all
    lbSaluto->setAlignment(Qt::AlignCenter);
    edPin = CampoPin(PaginaPin, QStringLiteral("PIN"));
    lbPinErrore = Errore(PaginaPin);
    lbPinErrore->setObjectName(QStringLiteral("lbPinErrore"));
    lbPinErrore->setAlignment(Qt::AlignCenter);
    btEntra = Capsula(QStringLiteral("Entra"), PaginaPin);
    btIndietroPin = Capsula(QStringLiteral("Indietro"), PaginaPin);
    lbPinAltrove = Testo(QStringLiteral("Il PIN che hai scelto su questo computer non vale: un altro computer ne "
                                        "aveva già dato uno al tuo nome. Usa quel PIN, oppure chiedi all'insegnante."),
                         PaginaPin);
    lbPinAltrove->setObjectName(QStringLiteral("lbPinAltrove"));
    lbPinAltrove->setFont(Carattere("Tahoma", 13));
    auto* etPinEntra = new QLabel(QStringLiteral("Scrivi il tuo &PIN:"), PaginaPin);
    etPinEntra->setFont(Carattere("Tahoma", 15));
    etPinEntra->setBuddy(edPin);
    auto* rigaCampo = new QHBoxLayout;
    rigaCampo->addStretch();
    rigaCampo->addWidget(etPinEntra);
    rigaCampo->addWidget(edPin);
    rigaCampo->addStretch();
    auto* lp = new QVBoxLayout(PaginaPin);
    lp->addWidget(Titolo(QStringLiteral("Chi sei?"), PaginaPin));
    lp->addWidget(lbSaluto);
    lp->addWidget(lbPinAltrove);
    lp->addSpacing(8);
    lp->addLayout(rigaCampo);
    lp->addWidget(lbPinErrore);
    lp->addStretch();
    lp->addLayout(Riga({btEntra, btIndietroPin}));

    Pagine->addWidget(PaginaElenco);
    Pagine->addWidget(PaginaNuovo);
    Pagine->addWidget(PaginaPin);
    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(20, 12, 20, 16);
    tutto->addWidget(Pagine);
    StileDialogo(this); // the program's light colours, whatever the desktop's theme
    setFixedSize(600, 440);

    connect(btAvanti, &QAbstractButton::clicked, this, [this] { btAvantiClick(); });
    connect(btNuovo, &QAbstractButton::clicked, this, [this] { btNuovoClick(); });
    connect(btOspite, &QAbstractButton::clicked, this, [this] { btOspiteClick(); });
    connect(btOspiteNuovo, &QAbstractButton::clicked, this, [this] { btOspiteClick(); });
    connect(btCrea, &QAbstractButton::clicked, this, [this] { btCreaClick(); });
    connect(btIndietroNuovo, &QAbstractButton::clicked, this, [this] { MostraElenco(); });
    connect(btEntra, &QAbstractButton::clicked, this, [this] { btEntraClick(); });
    connect(btIndietroPin, &QAbstractButton::clicked, this, [this] {
        if (FSoloPin)
            btOspiteClick();
        else
            MostraElenco();
    });
    connect(lsAlunni, &QListWidget::itemDoubleClicked, this, [this] { btAvantiClick(); });
    // A list that gets the focus puts its cursor on the first name without
    // choosing it: the cursor is taken away again, so that the first arrow
    // key chooses the first name rather than the second.
    lsAlunni->installEventFilter(this);
    connect(cbClasse, &QComboBox::activated, this, [this] {
        RiempiAlunni();
        lsAlunni->setFocus();
    });
    connect(edNome, &QLineEdit::textEdited, lbNuovoErrore, &QLabel::clear);
    connect(edPin, &QLineEdit::textEdited, this, [this] {
        if (!FAttesa.isActive())
            lbPinErrore->clear();
    });
    FAttesa.setInterval(1000);
    connect(&FAttesa, &QTimer::timeout, this, [this] { AggiornaAttesa(); });
}

void TdlgChiSei::Prepara()
{
    FSoloPin = false;
    FScelto.reset();
    FPerPin.reset();
    FPerClasse = FRegistro && FRegistro->SuServer();
    cbClasse->clear();
    etClasseElenco->setVisible(FPerClasse);
    cbClasse->setVisible(FPerClasse);
    lbElenco->setText(FPerClasse ? QStringLiteral("Scegli la tua classe, poi il tuo nome, e premi Avanti.")
                                 : QStringLiteral("Scegli il tuo nome e premi Avanti."));
    if (FPerClasse && FRegistro) {
        cbClasse->addItems(FRegistro->Classi());
        // The class chosen last on this computer; on a computer where
        // nobody has chosen yet, none.
        const QString ultima = ChiaveConfronto(UltimaClasse());
        cbClasse->setCurrentIndex(-1);
        for (int i = 0; i < cbClasse->count(); ++i)
            if (!UltimaClasse().isEmpty() && ChiaveConfronto(cbClasse->itemText(i)) == ultima)
                cbClasse->setCurrentIndex(i);
    }
    RiempiAlunni();
    if (lsAlunni->count() == 0 && cbClasse->count() == 0)
        MostraNuovo();
    else
        MostraElenco();
}

void TdlgChiSei::RiempiAlunni()
{
    lsAlunni->clear();
    if (!FRegistro)
        return;
    QList<TAlunno> alunni;
    if (!FPerClasse)
        alunni = FRegistro->Alunni();
    else if (cbClasse->currentIndex() >= 0)
        alunni = FRegistro->AlunniClasse(cbClasse->currentText());
    // Off a server, the pupil chosen last here (the computer is theirs);
    // on a server, a lab's computer is everyone's: nobody is preselected.
    const QString ultimo = ChiaveConfronto(UltimoAlunno());
    const QString ultimaClasse = ChiaveConfronto(UltimaClasse());
    for (const TAlunno& a : alunni) {
        auto* voce = new QListWidgetItem(FPerClasse ? a.nome : Descrizione(a), lsAlunni);
        voce->setData(Qt::UserRole, a.nome);
        voce->setData(Qt::UserRole + 1, a.classe);
        if (!FPerClasse && !UltimoAlunno().isEmpty() && ChiaveConfronto(a.nome) == ultimo &&
            (UltimaClasse().isEmpty() || ChiaveConfronto(a.classe) == ultimaClasse))
            lsAlunni->setCurrentItem(voce);
    }
}

void TdlgChiSei::PreparaSoloPin(const TAlunno& alunno)
{
    FScelto.reset();
    FSoloPin = true;
    MostraPin(alunno);
}

void TdlgChiSei::MostraElenco()
{
    if (lsAlunni->count() == 0 && cbClasse->count() == 0) {
        MostraNuovo();
        return;
    }
    Pagine->setCurrentWidget(PaginaElenco);
    if (FPerClasse && cbClasse->currentIndex() < 0)
        cbClasse->setFocus();
    else
        lsAlunni->setFocus();
    if (lsAlunni->currentItem())
        lsAlunni->scrollToItem(lsAlunni->currentItem());
    setTabOrder(cbClasse, lsAlunni);
    setTabOrder(lsAlunni, btAvanti);
    setTabOrder(btAvanti, btNuovo);
    setTabOrder(btNuovo, btOspite);
}

void TdlgChiSei::MostraNuovo()
{
    edNome->clear();
    edClasse->clear();
    edNuovoPin->clear();
    edNuovoPin2->clear();
    lbNuovoErrore->clear();
    // On a server, the class chosen in the list.
    if (FPerClasse && cbClasse->currentIndex() >= 0)
        edClasse->setText(cbClasse->currentText());
    // At the first start there is no list to go back to.
    const bool elenco = lsAlunni->count() > 0 || cbClasse->count() > 0;
    btIndietroNuovo->setVisible(elenco);
    btOspiteNuovo->setVisible(!elenco);
    Pagine->setCurrentWidget(PaginaNuovo);
    edNome->setFocus();
    setTabOrder(edNome, edClasse);
    setTabOrder(edClasse, edNuovoPin);
    setTabOrder(edNuovoPin, edNuovoPin2);
    setTabOrder(edNuovoPin2, btCrea);
    setTabOrder(btCrea, elenco ? btIndietroNuovo : btOspiteNuovo);
}

void TdlgChiSei::MostraPin(const TAlunno& alunno)
{
    FPerPin = alunno;
    lbSaluto->setText(QStringLiteral("Ciao, ") + alunno.nome + QLatin1Char('!'));
    btIndietroPin->setText(FSoloPin ? QStringLiteral("Ospite") : QStringLiteral("Indietro"));
    lbPinAltrove->setVisible(alunno.pinAltrove);
    edPin->clear();
    lbPinErrore->clear();
    Pagine->setCurrentWidget(PaginaPin);
    AggiornaAttesa();
    edPin->setFocus();
    setTabOrder(edPin, btEntra);
    setTabOrder(btEntra, btIndietroPin);
}

void TdlgChiSei::btAvantiClick()
{
    // Only a pupil chosen: the list's cursor alone (put on the first name
    // when the list gets the focus) chooses nobody.
    const QList<QListWidgetItem*> scelti = lsAlunni->selectedItems();
    if (scelti.isEmpty() || !FRegistro)
        return;
    const QListWidgetItem* voce = scelti.front();
    const std::optional<TAlunno> a = FRegistro->TrovaAlunno(voce->data(Qt::UserRole).toString(),
                                                            voce->data(Qt::UserRole + 1).toString());
    if (!a) {
        Scegli(std::nullopt); // the record failed meanwhile: a guest
        return;
    }
    if (a->conPin)
        MostraPin(*a);
    else
        Scegli(a);
}

void TdlgChiSei::btNuovoClick() { MostraNuovo(); }

void TdlgChiSei::btOspiteClick() { Scegli(std::nullopt); }

void TdlgChiSei::btCreaClick()
{
    const QString nome = edNome->text().simplified();
    const QString classe = edClasse->text().simplified();
    const QString pin = edNuovoPin->text();
    const QString ripetuto = edNuovoPin2->text();
    const auto errore = [this](const QString& testo, QLineEdit* campo) {
        lbNuovoErrore->setText(testo);
        campo->setFocus();
    };
    if (nome.isEmpty())
        return errore(QStringLiteral("Scrivi il tuo nome."), edNome);
    if (!NomeAlunnoValido(nome))
        return errore(QStringLiteral("Il nome non va bene: al massimo 60 lettere, senza caratteri speciali."), edNome);
    if (FPerClasse && classe.isEmpty())
        return errore(QStringLiteral("Scrivi la tua classe."), edClasse);
    if (!pin.isEmpty() && !PinValido(pin))
        return errore(QStringLiteral("Il PIN ha 4 cifre. Se non lo vuoi, lascialo vuoto."), edNuovoPin);
    if (ripetuto != pin) {
        // Typed twice, so that a slip does not lock the pupil out.
        edNuovoPin->clear();
        edNuovoPin2->clear();
        return errore(QStringLiteral("I due PIN non sono uguali: scrivilo di nuovo due volte."), edNuovoPin);
    }
    if (!FRegistro)
        return;
    // A name already in the class is that pupil's: chosen from the list,
    // with their PIN, never taken over from here.
    if (FRegistro->TrovaAlunno(nome, classe))
        return errore(QStringLiteral("C'è già un alunno che si chiama ") + nome +
                          (classe.isEmpty() ? QString() : QStringLiteral(" in ") + classe) +
                          QStringLiteral(": sceglilo dall'elenco, oppure scrivi anche il cognome."),
                      edNome);
    const std::optional<TAlunno> a = FRegistro->CreaAlunno(nome, classe);
    if (!a) {
        Scegli(std::nullopt); // the record failed (its message said why): a guest
        return;
    }
    if (!pin.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor); // the PIN's key takes a moment
        btCrea->setEnabled(false);
        FRegistro->ImpostaPin(a->id, pin);
        btCrea->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    Scegli(FRegistro->TrovaAlunno(nome, classe).value_or(*a));
}

void TdlgChiSei::btEntraClick()
{
    if (!FPerPin || !FRegistro || FAttesa.isActive())
        return;
    if (!PinValido(edPin->text())) {
        lbPinErrore->setText(QStringLiteral("Il PIN ha 4 cifre."));
        edPin->setFocus();
        return;
    }
    // The check takes about half a second: the window shows it is busy and
    // takes no second click meanwhile.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    btEntra->setEnabled(false);
    edPin->setEnabled(false);
    lbPinErrore->setText(QStringLiteral("Controllo il PIN…"));
    lbPinErrore->repaint();
    const TEsitoPin esito = FRegistro->ControllaPin(FPerPin->id, edPin->text());
    QApplication::restoreOverrideCursor();
    btEntra->setEnabled(true);
    edPin->setEnabled(true);
    switch (esito) {
    case TEsitoPin::Giusto:
        lbPinErrore->clear();
        Scegli(FPerPin);
        return;
    case TEsitoPin::Sbagliato:
        lbPinErrore->setText(QStringLiteral("Il PIN è sbagliato. Riprova."));
        break;
    case TEsitoPin::Attendi:
        break;
    }
    edPin->clear();
    AggiornaAttesa();
    edPin->setFocus();
}

void TdlgChiSei::AggiornaAttesa()
{
    const int secondi = FPerPin && FRegistro ? FRegistro->SecondiAttesaPin(FPerPin->id) : 0;
    const bool attesa = secondi > 0;
    // Read-only rather than disabled: the focus stays in the field, so an
    // Enter typed while waiting does not press "Indietro" instead.
    edPin->setReadOnly(attesa);
    btEntra->setEnabled(!attesa);
    if (attesa) {
        lbPinErrore->setText(QStringLiteral("Troppi tentativi sbagliati: aspetta %1 secondi e riprova.").arg(secondi));
        if (!FAttesa.isActive())
            FAttesa.start();
    } else if (FAttesa.isActive()) {
        FAttesa.stop();
        lbPinErrore->setText(QStringLiteral("Ora puoi riprovare."));
        edPin->setFocus();
    }
}

void TdlgChiSei::Scegli(const std::optional<TAlunno>& alunno)
{
    FAttesa.stop();
    FScelto = alunno;
    if (alunno)
        RicordaUltimoAlunno(alunno->nome, alunno->classe);
    accept();
}

TDsFancyButton* TdlgChiSei::BottonePredefinito() const
{
    QWidget* pagina = Pagine->currentWidget();
    if (pagina == PaginaElenco)
        return btAvanti;
    if (pagina == PaginaNuovo)
        return btCrea;
    return btEntra;
}

bool TdlgChiSei::eventFilter(QObject* o, QEvent* e)
{
    if (o == lsAlunni && e->type() == QEvent::FocusIn)
        QTimer::singleShot(0, this, [this] {
            if (lsAlunni->selectedItems().isEmpty())
                lsAlunni->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        });
    return QDialog::eventFilter(o, e);
}

void TdlgChiSei::keyPressEvent(QKeyEvent* e)
{
    // The painted buttons are no QPushButton: Enter presses the page's
    // button, as a default button would (a focused button presses itself).
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        TDsFancyButton* b = BottonePredefinito();
        if (b->isEnabled())
            b->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace mevario
