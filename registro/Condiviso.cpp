#include "Condiviso.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

namespace mevario {

namespace {

// How many outbox lines are read at a time.
constexpr int KBlocco = 200;

// Sends the outbox, on its own thread with its own two connections (the
// local record's file and the server). Everything here runs on that thread.
class TInvio final : public QObject {
public:
    using TNotifica = std::function<void(bool raggiungibile, TGuasto guasto, const QString& dettaglio)>;
    TInvio(QString url, QString locale, TOpzioniRegistro opzioni, TNotifica notifica)
        : FUrl(std::move(url)), FPercorsoLocale(std::move(locale)), FOpzioni(std::move(opzioni)),
          FNotifica(std::move(notifica))
    {
    }

    void Avvia()
    {
        FTimer = new QTimer(this);
        FTimer->setInterval(FOpzioni.riprovaMs);
        connect(FTimer, &QTimer::timeout, this, [this] { Invia(true); });
        FTimer->start();
        Invia(true);
    }

    // Sends what waits. After an answer (`riprova` false) a server seen
    // away is not tried again before the timer's turn: a lesson's answers
    // do not each wait for a connection that fails.
    void Invia(bool riprova)
    {
        FRichiesto.store(false);
        if (!FLocale || FLocale->Ospite()) {
            TOpzioniRegistro o = FOpzioni;
            o.db = FPercorsoLocale;
            FLocale = std::move(TRegistroSql::ApriSqlite(FPercorsoLocale, o, false).registro);
            if (!FLocale)
                return;
        }
        for (;;) {
            const auto righe = FLocale->InUscita(KBlocco);
            if (righe.isEmpty()) {
                if (FLocale->Ospite())
                    FLocale.reset();
                return;
            }
            if (!Connetti(riprova))
                return;
            for (const auto& u : righe) {
                qint64 id = FIds.value(u.nome, 0);
                if (id == 0) {
                    const auto a = FServer->CreaAlunno(u.nome, u.classe);
                    if (!a)
                        return Perso();
                    id = a->id;
                    FIds.insert(u.nome, id);
                }
                if (!FServer->RegistraPer(id, u.risposta))
                    return Perso();
                // Sent: out of the outbox. Should this fail (or the program
                // die just before), the answer goes again and the server
                // keeps it once.
                if (!FLocale->TogliDaUscita(u.n)) {
                    FLocale.reset();
                    return;
                }
            }
        }
    }

    void Ferma()
    {
        // A last try to leave nothing behind, only when the server was
        // answering: an absent server does not hold up the program's end.
        if (FServer && !FServer->Ospite())
            Invia(false);
        delete FTimer;
        FTimer = nullptr;
        FServer.reset();
        FLocale.reset();
    }

    std::atomic<bool> FRichiesto{false};

private:
    bool Connetti(bool riprova)
    {
        if (FServer && !FServer->Ospite())
            return true;
        if (FGiu && FProvato && !riprova)
            return false;
        FServer.reset();
        FIds.clear();
        FProvato = true;
        auto a = TRegistroSql::ApriPostgres(FUrl, FOpzioni, false);
        if (!a.registro) {
            FGiu = true;
            FNotifica(false, a.guasto, a.dettaglio);
            return false;
        }
        FServer = std::move(a.registro);
        FGiu = false;
        FNotifica(true, TGuasto::Nessuno, {});
        return true;
    }

    void Perso()
    {
        const TGuasto g = FServer->Guasto();
        const QString d = FServer->DettaglioGuasto();
        FGiu = true;
        FNotifica(false, g, d);
    }

    QString FUrl, FPercorsoLocale;
    TOpzioniRegistro FOpzioni;
    TNotifica FNotifica;
    QTimer* FTimer = nullptr;
    std::unique_ptr<TRegistroSql> FLocale, FServer;
    QHash<QString, qint64> FIds; // the server's ids of the pupils sent so far
    bool FGiu = false;     // the server was found away at the last try
    bool FProvato = false; // a connection was tried
};

} // namespace

struct TRegistroCondiviso::TStato {
    QThread filo;
    TInvio* invio = nullptr;
    QObject ponte; // lives on the program's thread: the sender's news arrive there
    std::atomic<bool> raggiungibile{true};
};

QString MessaggioServerAssente(TGuasto guasto, const QString& url, const QString& dettaglio)
{
    // The server's own words (English) are for the technician's command,
    // not for the pupil's window.
    const QString perche =
        DescriviGuasto(guasto, url, guasto == TGuasto::Indirizzo || guasto == TGuasto::Illeggibile ? dettaglio : QString());
    return perche + QStringLiteral(" Le risposte sono conservate su questo computer e saranno inviate al server "
                                   "appena sarà raggiungibile.");
}

std::unique_ptr<TRegistro> ApriRegistroCondiviso(const QString& url, const TOpzioniRegistro& opzioni,
                                                 TRegistro::TAvviso avviso)
{
    QString errore;
    const auto indirizzo = LeggiIndirizzoServer(url, &errore);
    if (!indirizzo) {
        if (avviso)
            avviso(MessaggioGuasto(TGuasto::Indirizzo, DbMostrato(url), errore));
        return std::make_unique<TRegistroOspite>();
    }
    const QString locale = PercorsoLocale();
    TOpzioniRegistro o = opzioni;
    o.db = locale;
    auto apertura = TRegistroSql::ApriSqlite(locale, o, true);
    if (!apertura.registro) {
        if (avviso)
            avviso(MessaggioGuasto(apertura.guasto, locale, apertura.dettaglio));
        return std::make_unique<TRegistroOspite>();
    }
    std::unique_ptr<TRegistroCondiviso> r(new TRegistroCondiviso);
    r->FUrl = url;
    r->FMostrato = indirizzo->Mostrato();
    r->FOpzioni = opzioni;
    r->FLocale = std::move(apertura.registro);
    r->FLocale->ImpostaUscita(true);
    r->ImpostaAvviso(avviso);
    r->FLocale->ImpostaAvviso(std::move(avviso));

    // The server, for the pupils and the figures, on this thread.
    auto server = TRegistroSql::ApriPostgres(url, opzioni, false);
    if (server.registro)
        r->FServer = std::move(server.registro);
    else
        r->ServerGiu(server.guasto, server.dettaglio);

    auto stato = std::make_shared<TRegistroCondiviso::TStato>();
    stato->raggiungibile.store(r->FServer != nullptr);
    r->FStato = stato;
    TRegistroCondiviso* self = r.get();
    std::weak_ptr<TRegistroCondiviso::TStato> debole = stato;
    stato->invio = new TInvio(url, locale, opzioni, [self, debole](bool su, TGuasto g, const QString& d) {
        const auto s = debole.lock();
        if (!s)
            return;
        s->raggiungibile.store(su);
        QMetaObject::invokeMethod(
            &s->ponte,
            [self, su, g, d] {
                if (!su)
                    self->ServerGiu(g, d);
            },
            Qt::QueuedConnection);
    });
    stato->invio->moveToThread(&stato->filo);
    stato->filo.start();
    QMetaObject::invokeMethod(stato->invio, [i = stato->invio] { i->Avvia(); }, Qt::QueuedConnection);
    return r;
}

TRegistroCondiviso::~TRegistroCondiviso()
{
    if (FStato) {
        TInvio* invio = FStato->invio;
        QMetaObject::invokeMethod(
            invio,
            [invio] {
                invio->Ferma();
                QThread::currentThread()->quit();
            },
            Qt::QueuedConnection);
        FStato->filo.wait();
        delete invio; // its thread has ended: deleted here, with its connections already closed
        FStato->invio = nullptr;
    }
}

bool TRegistroCondiviso::Ospite() const
{
    return FLocale->Ospite();
}

bool TRegistroCondiviso::ServerRaggiungibile() const
{
    return FServer && (!FStato || FStato->raggiungibile.load());
}

void TRegistroCondiviso::ServerGiu(TGuasto guasto, const QString& dettaglio)
{
    FServer.reset();
    Avvisa(MessaggioServerAssente(guasto, FMostrato, dettaglio));
}

TRegistroSql* TRegistroCondiviso::Server()
{
    if (FServer && FServer->Ospite()) {
        const TGuasto g = FServer->Guasto();
        const QString d = FServer->DettaglioGuasto();
        if (FStato)
            FStato->raggiungibile.store(false);
        ServerGiu(g, d);
    }
    if (!FServer && FStato && FStato->raggiungibile.load()) {
        // The sender found the server again: this thread reconnects.
        auto a = TRegistroSql::ApriPostgres(FUrl, FOpzioni, false);
        if (a.registro)
            FServer = std::move(a.registro);
        else
            FStato->raggiungibile.store(false);
    }
    return FServer.get();
}

std::optional<TAlunno> TRegistroCondiviso::DaServer(const std::optional<TAlunno>& a)
{
    if (!a)
        return std::nullopt;
    TRegistroSql* s = Server();
    const auto pin = s ? s->ChiavePin(a->id) : std::nullopt;
    if (!pin)
        return FLocale->TrovaAlunno(a->nome);
    return FLocale->CopiaAlunno(*a, *pin);
}

QString TRegistroCondiviso::NomeDi(qint64 alunno)
{
    for (const TAlunno& a : FLocale->Alunni())
        if (a.id == alunno)
            return a.nome;
    return {};
}

QList<TAlunno> TRegistroCondiviso::Alunni()
{
    if (TRegistroSql* s = Server()) {
        const QList<TAlunno> dalServer = s->Alunni();
        if (!s->Ospite()) {
            // A copy of each pupil (class, PIN key) for the days the server is away.
            QList<TAlunno> alunni;
            for (const TAlunno& a : dalServer)
                if (const auto copia = DaServer(a))
                    alunni.append(*copia);
            if (Server())
                return alunni;
        }
    }
    return FLocale->Alunni();
}

std::optional<TAlunno> TRegistroCondiviso::TrovaAlunno(const QString& nome)
{
    if (TRegistroSql* s = Server()) {
        const auto a = s->TrovaAlunno(nome);
        if (!s->Ospite())
            return a ? DaServer(a) : FLocale->TrovaAlunno(nome);
    }
    return FLocale->TrovaAlunno(nome);
}

std::optional<TAlunno> TRegistroCondiviso::CreaAlunno(const QString& nome, const QString& classe)
{
    if (!NomeAlunnoValido(nome))
        return std::nullopt;
    if (TRegistroSql* s = Server()) {
        const auto a = s->CreaAlunno(nome, classe);
        if (a && !s->Ospite())
            return DaServer(a);
    }
    // Made here; the server makes the pupil with their first answer sent.
    return FLocale->CreaAlunno(nome, classe);
}

bool TRegistroCondiviso::ImpostaPin(qint64 alunno, const QString& pin)
{
    if (!FLocale->ImpostaPin(alunno, pin))
        return false;
    if (TRegistroSql* s = Server())
        if (const auto a = s->TrovaAlunno(NomeDi(alunno)))
            if (const auto k = FLocale->ChiavePin(alunno)) {
                // The same salted key on the server as here.
                TAlunno copia = *a;
                s->CopiaAlunno(copia, *k);
            }
    return true;
}

TEsitoPin TRegistroCondiviso::ControllaPin(qint64 alunno, const QString& pin)
{
    return FLocale->ControllaPin(alunno, pin);
}

int TRegistroCondiviso::SecondiAttesaPin(qint64 alunno) const
{
    return FLocale->SecondiAttesaPin(alunno);
}

void TRegistroCondiviso::Sveglia()
{
    if (!FStato || FStato->invio->FRichiesto.exchange(true))
        return; // a send is already asked for
    QMetaObject::invokeMethod(FStato->invio, [i = FStato->invio] { i->Invia(false); }, Qt::QueuedConnection);
}

bool TRegistroCondiviso::RegistraPer(qint64 alunno, const TRispostaGiudicata& r)
{
    if (!FLocale->RegistraPer(alunno, r))
        return false;
    Sveglia();
    return true;
}

TProgressi TRegistroCondiviso::Progressi(qint64 alunno, QDate oggi)
{
    if (TRegistroSql* s = Server()) {
        const auto a = s->TrovaAlunno(NomeDi(alunno));
        if (a && !s->Ospite()) {
            TProgressi p = s->Progressi(a->id, oggi);
            if (!s->Ospite())
                return p;
        }
    }
    return FLocale->Progressi(alunno, oggi);
}

QList<TVoceRipasso> TRegistroCondiviso::RipassoDovuto(qint64 alunno, QDate oggi)
{
    if (TRegistroSql* s = Server()) {
        const auto a = s->TrovaAlunno(NomeDi(alunno));
        if (a && !s->Ospite()) {
            QList<TVoceRipasso> v = s->RipassoDovuto(a->id, oggi);
            if (!s->Ospite())
                return v;
        }
    }
    return FLocale->RipassoDovuto(alunno, oggi);
}

int TRegistroCondiviso::InAttesa()
{
    return FLocale->ContaUscita();
}

bool TRegistroCondiviso::SvuotaUscita(int ms)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        QCoreApplication::processEvents();
        if (InAttesa() == 0)
            return true;
        if (t.elapsed() > ms)
            return false;
        Sveglia();
        QThread::msleep(20);
    }
}

} // namespace mevario
