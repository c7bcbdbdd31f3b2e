#include "Avvio.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "ChiSei.h"
#include "Documenti.h"
#include "Finestra.h"
#include "Errori.h"
#include "Italiano.h"
#include "SchedaPol.h"
#include "Apertura.h"
#include "QuibWord.h"
#include "QtCanvas.h"
#include "Tavolozza.h"
#include "funzioni.h"

namespace mevario {

template <class T>
void TFinestre::Registra(const char* classe)
{
    FArgomenti[classe].crea = [] { return std::unique_ptr<TFinestraEsercizi>(new T); };
    FMain->RegistraArgomento(classe, [this, c = std::string(classe)] { return Argomento(c); });
}

TFinestre::TFinestre() : FMain(std::make_unique<TfrmMain>()), FRegistro(std::make_unique<TRegistroOspite>())
{
    Registra<TfrmConcetto>("TfrmConcetto");
    Registra<TfrmSommaMon>("TfrmSommaMon");
    Registra<TfrmProdottoMon>("TfrmProdottoMon");
    Registra<TfrmPotenzaMon>("TfrmPotenzaMon");
    Registra<TfrmQuozienteMon>("TfrmQuozienteMon");
    Registra<TfrmMcdMon>("TfrmMcdMon");
    Registra<TfrmMcmMon>("TfrmMcmMon");
    Registra<TfrmPolConcetto>("TfrmPolConcetto");
    Registra<TfrmSommaPol>("TfrmSommaPol");
    Registra<TfrmDiffPol>("TfrmDiffPol");
    Registra<TfrmProdottoPol>("TfrmProdottoPol");
    Registra<TfrmDivisionePol>("TfrmDivisionePol");
    FMain->CreaMenu();
    // "Lavagna" on every exercise page shows the one board as a window of
    // the exercise window.
    TFinestraEsercizi::ImpostaLavagna([this](QWidget* da) { frmLavagna()->Apri(da); });
    TFinestraEsercizi::ImpostaRegistro(FRegistro.get());
}

TFinestre::~TFinestre()
{
    // The board first (it may be shown as a window of a topic window), then
    // the topic windows, which hand the borrowed panels back, then the
    // common window and the main window.
    TFinestraEsercizi::ImpostaLavagna({});
    TFinestraEsercizi::ImpostaRegistro(nullptr);
    FLavagna.reset();
    for (auto& [classe, a] : FArgomenti)
        a.finestra.reset();
    FComune.reset();
    FMain.reset();
}

Tfrmcomune* TFinestre::frmcomune()
{
    if (!FComune)
        FComune = std::make_unique<Tfrmcomune>();
    return FComune.get();
}

TfrmLavagna* TFinestre::frmLavagna()
{
    if (!FLavagna)
        FLavagna = std::make_unique<TfrmLavagna>(FMain.get());
    return FLavagna.get();
}

TFinestraEsercizi* TFinestre::Argomento(const std::string& classe)
{
    const auto it = FArgomenti.find(classe);
    if (it == FArgomenti.end())
        return nullptr;
    TArgomento& a = it->second;
    if (!a.finestra) {
        frmcomune(); // the keypad and the help panel they borrow
        a.finestra = a.crea();
        // A window of the main window: kept above it, centred over it, and
        // its modality is towards it.
        a.finestra->setParent(FMain.get(), a.finestra->windowFlags());
    }
    return a.finestra.get();
}

void TFinestre::ImpostaRegistro(std::unique_ptr<TRegistro> registro)
{
    if (!registro)
        registro = std::make_unique<TRegistroOspite>();
    TFinestraEsercizi::ImpostaRegistro(registro.get());
    FRegistro = std::move(registro);
    if (FChiSei) {
        delete FChiSei; // it knew the record of before
        FChiSei = nullptr;
    }
    // Pupils to change between only where there is a record.
    FMain->ImpostaCambiaAlunno(FRegistro->Ospite() ? std::function<void()>() : [this] { CambiaAlunno(); });
    MostraAlunno();
}

TdlgChiSei* TFinestre::dlgChiSei()
{
    if (!FChiSei)
        FChiSei = new TdlgChiSei(FRegistro.get(), FMain.get());
    return FChiSei;
}

void TFinestre::ImpostaAlunno(const std::optional<TAlunno>& alunno)
{
    const std::optional<TAlunno>& prima = FRegistro->AlunnoScelto();
    const bool altro = prima.has_value() != alunno.has_value() || (prima && alunno && prima->id != alunno->id);
    if (altro && TSchedaPol::Istanza())
        TSchedaPol::Istanza()->Azzera();
    FRegistro->ScegliAlunno(FRegistro->Ospite() ? std::nullopt : alunno);
    MostraAlunno();
}

void TFinestre::RegistroGuasto()
{
    // A record that keeps nothing more: no pupil to change to, nothing to
    // show progress of, a guest from now on. (A school's server that went
    // away is no such fault: the answers wait on this computer.)
    if (!FRegistro->Ospite())
        return;
    FMain->ImpostaCambiaAlunno({});
    MostraAlunno();
}

void TFinestre::MostraAlunno()
{
    // After a fault the record keeps nothing more: the pupil is a guest.
    FMain->MostraAlunno(FRegistro->Ospite() ? std::nullopt : FRegistro->AlunnoScelto());
    // "I miei progressi" and "Ripasso (N)" only where there is a record (a
    // pupil who chose to be a guest sees them, saying why they are empty).
    FMain->ImpostaRegistro(FRegistro->Ospite() ? nullptr : FRegistro.get(), FRegistro->AlunnoScelto());
}

void TFinestre::ChiediAlunno(bool avvio)
{
    if (FRegistro->Ospite())
        return;
    TdlgChiSei* d = dlgChiSei();
    d->Prepara();
    CentraSopra(d, FMain->isVisible() ? FMain.get() : nullptr);
    if (d->exec() == QDialog::Accepted)
        ImpostaAlunno(d->Scelto());
    else if (avvio)
        ImpostaAlunno(std::nullopt);
}

void TFinestre::AvviaComeAlunno(const QString& nome)
{
    std::optional<TAlunno> a = FRegistro->TrovaAlunno(nome);
    if (!a) {
        // The same name in more than one class: the pupil says which one.
        for (const TAlunno& x : FRegistro->Alunni())
            if (ChiaveConfronto(x.nome) == ChiaveConfronto(nome)) {
                ChiediAlunno(true);
                return;
            }
        a = FRegistro->CreaAlunno(nome, QString());
    }
    if (!a || !a->conPin) {
        if (a)
            TdlgChiSei::RicordaUltimoAlunno(a->nome, a->classe);
        ImpostaAlunno(a);
        return;
    }
    TdlgChiSei* d = dlgChiSei();
    d->PreparaSoloPin(*a);
    CentraSopra(d, FMain->isVisible() ? FMain.get() : nullptr);
    ImpostaAlunno(d->exec() == QDialog::Accepted ? d->Scelto() : std::nullopt);
}

void TFinestre::CambiaAlunno()
{
    // The topic windows close as their own "Esci" closes them; the blackboard
    // belongs to no pupil and stays.
    for (auto& [classe, a] : FArgomenti)
        if (a.finestra && a.finestra->isVisible())
            a.finestra->btnChiudiClick();
    if (FRegistro->Ospite()) { // the record failed meanwhile: nobody to change to
        FMain->ImpostaCambiaAlunno({});
        ImpostaAlunno(std::nullopt);
        return;
    }
    ChiediAlunno(false);
}

TFinestraEsercizi* TFinestre::ArgomentoSeCreato(const std::string& classe) const
{
    const auto it = FArgomenti.find(classe);
    return it == FArgomenti.end() ? nullptr : it->second.finestra.get();
}

namespace {

// A record whose file does not exist yet: it is made with the first pupil,
// so that a guest who only looks leaves no file behind. Until then it
// knows no pupil; afterwards it is the record it made.
class TRegistroDaCreare final : public TRegistro {
public:
    TRegistroDaCreare(TOpzioniRegistro opzioni, TAvviso avviso)
        : FOpzioni(std::move(opzioni)), FAvvisoApertura(std::move(avviso))
    {
    }
    bool Ospite() const override { return FVero && FVero->Ospite(); }
    QString Dove() const override { return FVero ? FVero->Dove() : PercorsoRegistro(FOpzioni.db); }
    QList<TAlunno> Alunni() override { return FVero ? FVero->Alunni() : QList<TAlunno>(); }
    using TRegistro::TrovaAlunno;
    std::optional<TAlunno> TrovaAlunno(const QString& nome, const QString& classe) override
    {
        return FVero ? FVero->TrovaAlunno(nome, classe) : std::nullopt;
    }
    std::optional<TAlunno> CreaAlunno(const QString& nome, const QString& classe) override
    {
        if (!NomeAlunnoValido(nome))
            return std::nullopt;
        if (!FVero)
            FVero = ApriRegistro(FOpzioni, FAvvisoApertura);
        return FVero->CreaAlunno(nome, classe);
    }
    bool ImpostaPin(qint64 alunno, const QString& pin) override { return FVero && FVero->ImpostaPin(alunno, pin); }
    TEsitoPin ControllaPin(qint64 alunno, const QString& pin) override
    {
        return FVero ? FVero->ControllaPin(alunno, pin) : TEsitoPin::Sbagliato;
    }
    int SecondiAttesaPin(qint64 alunno) const override { return FVero ? FVero->SecondiAttesaPin(alunno) : 0; }
    bool RegistraPer(qint64 alunno, const TRispostaGiudicata& r) override { return FVero && FVero->RegistraPer(alunno, r); }
    int Trattenute() const override { return FVero ? FVero->Trattenute() : 0; }
    bool Riprova() override { return !FVero || FVero->Riprova(); }
    bool RiversaLog(int quietoMs = 0) override { return !FVero || FVero->RiversaLog(quietoMs); }
    TProgressi Progressi(qint64 alunno, QDate oggi) override
    {
        return FVero ? FVero->Progressi(alunno, oggi) : TRegistroOspite().Progressi(alunno, oggi);
    }
    QList<TVoceRipasso> RipassoDovuto(qint64 alunno, QDate oggi) override
    {
        return FVero ? FVero->RipassoDovuto(alunno, oggi) : QList<TVoceRipasso>();
    }
    std::optional<TPanoramicaClasse> PanoramicaClasse(const QString& classe, QDate dal, QDate al, QDate oggi) override
    {
        return FVero ? FVero->PanoramicaClasse(classe, dal, al, oggi) : std::nullopt;
    }

private:
    TOpzioniRegistro FOpzioni;
    TAvviso FAvvisoApertura;
    std::unique_ptr<TRegistro> FVero;
};

} // namespace

void AvvisoRegistro(const QString& messaggio)
{
    MostraMessaggio(QStringLiteral("Registro degli alunni"), messaggio, true);
}

namespace {

QPointer<QMessageBox>& AvvisoServer()
{
    static QPointer<QMessageBox> box;
    return box;
}

} // namespace

void StatoServerScuola(bool raggiungibile, const QString& messaggio)
{
    static int volta = 0; // a message still to show is dropped when the server is back first
    const int questa = ++volta;
    if (raggiungibile) {
        if (AvvisoServer())
            AvvisoServer()->close();
        return;
    }
    // Shown from the event loop: at start-up, once the main window is there.
    QTimer::singleShot(0, [messaggio, questa] {
        if (questa != volta)
            return;
        if (!AvvisoServer()) {
            auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Registro degli alunni"), messaggio,
                                        QMessageBox::Ok, QApplication::activeWindow());
            box->setObjectName(QStringLiteral("avvisoServer"));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setWindowModality(Qt::NonModal);
            AvvisoServer() = box;
        }
        AvvisoServer()->setText(messaggio);
        AvvisoServer()->show();
    });
}

std::unique_ptr<TRegistro> ApriRegistroProgramma(const QString& db, TRegistro::TAvviso avviso)
{
    TOpzioniRegistro opzioni;
    opzioni.db = db;
    opzioni.statoServer = StatoServerScuola;
    if (!avviso)
        avviso = AvvisoRegistro;
    const QString percorso = PercorsoRegistro(db);
    // No document the program writes ever goes over its record.
    ProteggiFile(IndirizzoServer(percorso) ? PercorsoLocale() : percorso);
    if (!IndirizzoServer(percorso) && !QFileInfo::exists(percorso))
        return std::make_unique<TRegistroDaCreare>(opzioni, avviso);
    return ApriRegistro(opzioni, avviso);
}

std::unique_ptr<TFinestre> Avvia()
{
    RegistraCartellaProgramma();
    RegistraFontMevario();
    ImpostaAspettoChiaro();
    ImpostaItaliano();
    Randomize();
    // The documents' messages in the program's message boxes.
    TQuibWord::ImpostaMessaggi([](TQuibWord::TTipoMessaggio t, const QString& m) {
        MostraMessaggio(TQuibWord::Titolo(t), m, t != TQuibWord::TTipoMessaggio::Informazione);
    });
    TApertura::ImpostaAvviso(MostraAvviso); // "Apertura del documento…" while the word processor starts

    // The program's icon, on every window: pictures read when a window
    // manager first asks for them.
    QIcon icona;
    for (int lato : {16, 24, 32, 48, 64, 128})
        icona.addFile(QStringLiteral(":/icons/mevario-%1.png").arg(lato), QSize(lato, lato));
    QApplication::setWindowIcon(icona);

    return std::make_unique<TFinestre>();
}

} // namespace mevario
