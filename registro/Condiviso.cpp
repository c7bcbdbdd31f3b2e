#include "Condiviso.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDateTime>
#include <QHash>
#include <QMetaObject>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

namespace mevario {

namespace {

// How many outbox lines are read at a time.
constexpr int KBlocco = 200;

// The key kept here for a pupil whose PIN the server knows and this
// computer does not (the lab PCs' role reads no key): nothing matches it,
// so nobody enters as them here while the server is away.
TChiavePin ChiaveIgnota()
{
    TChiavePin k;
    k.sale = QByteArray(16, '\0');
    k.chiave = QByteArray(32, '\0');
    k.iterazioni = 0;
    return k;
}

// Sends the outbox, on its own thread with its own two connections (the
// local record's file and the server). Everything here runs on that thread.
class TInvio final : public QObject {
public:
    using TNotifica = std::function<void(bool raggiungibile, TGuasto guasto, const QString& dettaglio)>;
    TInvio(QString url, QString locale, TOpzioniRegistro opzioni, TNotifica notifica,
           const std::atomic<bool>& raggiungibile)
        : FUrl(std::move(url)), FPercorsoLocale(std::move(locale)), FOpzioni(std::move(opzioni)),
          FNotifica(std::move(notifica)), FRaggiungibile(raggiungibile)
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
            // The pupils made and the PINs set here first, in their order:
            // an answer's pupil is then on the server with the PIN chosen.
            const auto alunni = FLocale->AlunniInUscita(KBlocco);
            const auto righe = alunni.isEmpty() ? FLocale->InUscita(KBlocco) : QList<TRegistroSql::TInUscita>();
            if (alunni.isEmpty() && righe.isEmpty()) {
                if (FLocale->Ospite()) {
                    FLocale.reset();
                    return;
                }
                // Nothing to send, the server seen away (here or by the
                // program's reads): the timer's turn looks whether it is back.
                if (riprova && (FGiu || !FRaggiungibile.load())) {
                    FServer.reset();
                    if (Connetti(true))
                        FNotifica(true, TGuasto::Nessuno, {});
                }
                return;
            }
            if (!Connetti(riprova))
                return;
            FNotifica(true, TGuasto::Nessuno, {});
            for (const auto& u : alunni) {
                if (FServer->Ruolo() == TRuoloServer::Laboratorio) {
                    const auto fatto = InviaAlunnoLaboratorio(u);
                    if (!fatto)
                        return Perso();
                    if (!*fatto) {
                        FLocale.reset();
                        return;
                    }
                    continue;
                }
                const qint64 id = IdServer(u.nome, u.classe);
                if (id == 0)
                    return Perso();
                bool fatto = false;
                if (u.pin) {
                    // The first computer to reach the server keeps its PIN;
                    // a later one's pupil takes that PIN and is told.
                    const auto k = FServer->ImpostaChiaveSe(id, u.chiave, u.chiavePrima);
                    if (!k)
                        return Perso();
                    fatto = k->chiave == u.chiave.chiave ? FLocale->TogliAlunnoDaUscita(u.n)
                                                         : FLocale->PinPresoAltrove(u.n, u.alunno, *k);
                } else {
                    // Made here without a PIN while another computer gave
                    // the same pupil one: that PIN counts, and is told.
                    const auto lassu = FServer->ChiavePin(id);
                    const auto qui = FLocale->ChiavePin(u.alunno);
                    if (!lassu)
                        return Perso();
                    fatto = !lassu->Vuota() && qui && qui->Vuota() ? FLocale->PinPresoAltrove(u.n, u.alunno, *lassu)
                                                                   : FLocale->TogliAlunnoDaUscita(u.n);
                }
                if (!fatto) {
                    FLocale.reset();
                    return;
                }
            }
            for (const auto& u : righe) {
                const qint64 id = IdServer(u.nome, u.classe);
                if (id == 0)
                    return Perso();
                if (FServer->Ruolo() == TRuoloServer::Laboratorio && FServer->Scrittura(id).isEmpty()) {
                    FServer->ImpostaScrittura(id, FLocale->ScritturaSalvata(u.nome, u.classe));
                    // A pupil without a PIN has a session for the asking.
                    if (FServer->Scrittura(id).isEmpty() && FSenzaPin.contains(id))
                        FServer->ControllaPin(id, {});
                }
                if (!FServer->RegistraPer(id, u.risposta)) {
                    if (FServer->Ospite() || FServer->Ruolo() != TRuoloServer::Laboratorio)
                        return Perso();
                    // Refused (no session of this pupil on this computer
                    // still valid): it waits for the pupil's next entry
                    // with their PIN, which gives a new writing token.
                    FServer->ImpostaScrittura(id, {});
                    return;
                }
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
    // The server's id of a pupil, made there when missing; 0 on a fault.
    qint64 IdServer(const QString& nome, const QString& classe)
    {
        const QString chiave = ChiaveConfronto(classe) + QLatin1Char('\n') + ChiaveConfronto(nome);
        qint64 id = FIds.value(chiave, 0);
        if (id == 0) {
            const auto a = FServer->CreaAlunno(nome, classe);
            if (!a)
                return 0;
            Ricorda(*a, nome, classe);
            id = a->id;
        }
        return id;
    }

    // The server's pupil `a` (this computer's `nome` of `classe`) as just
    // read: their id, whether they have a PIN, and, when this computer
    // made them, their first writing token, kept with the outbox.
    void Ricorda(const TAlunno& a, const QString& nome, const QString& classe)
    {
        FIds.insert(ChiaveConfronto(classe) + QLatin1Char('\n') + ChiaveConfronto(nome), a.id);
        if (a.conPin)
            FSenzaPin.remove(a.id);
        else
            FSenzaPin.insert(a.id);
        if (!FServer->Scrittura(a.id).isEmpty())
            FLocale->SalvaScrittura(nome, classe, FServer->Scrittura(a.id));
    }

    // A line of the pupils' outbox with the lab PCs' role, which reads no
    // key: through the function that makes a pupil, with the PIN's key set
    // here when there is one. Nothing on a fault of the server; false on
    // a fault of the local record; true when the line is done.
    std::optional<bool> InviaAlunnoLaboratorio(const TRegistroSql::TAlunnoInUscita& u)
    {
        if (u.pin && !u.chiave.Vuota()) {
            // The first PIN to reach the server wins; a later one's pupil
            // is told, and enters here only while the server answers.
            bool stessa = false;
            const auto a = FServer->ProponiPinServer(u.nome, u.classe, u.chiave, stessa);
            if (!a)
                return std::nullopt;
            Ricorda(*a, u.nome, u.classe);
            return stessa ? FLocale->TogliAlunnoDaUscita(u.n) : FLocale->PinPresoAltrove(u.n, u.alunno, ChiaveIgnota());
        }
        // The pupil only (or a PIN removed here, which only the pupil's
        // session may do on the server: removed while they are in).
        const auto a = FServer->CreaAlunno(u.nome, u.classe);
        if (!a)
            return std::nullopt;
        Ricorda(*a, u.nome, u.classe);
        // Made here without a PIN while another computer gave the same
        // pupil one: that PIN counts, and is told.
        const auto qui = FLocale->ChiavePin(u.alunno);
        return a->conPin && qui && qui->Vuota() ? FLocale->PinPresoAltrove(u.n, u.alunno, ChiaveIgnota())
                                                : FLocale->TogliAlunnoDaUscita(u.n);
    }

    bool Connetti(bool riprova)
    {
        if (FServer && !FServer->Ospite())
            return true;
        if (FGiu && !riprova)
            return false;
        FServer.reset();
        FIds.clear();
        FSenzaPin.clear();
        auto a = TRegistroSql::ApriPostgres(FUrl, FOpzioni, false);
        if (!a.registro) {
            FGiu = true;
            FNotifica(false, a.guasto, a.dettaglio);
            return false;
        }
        FServer = std::move(a.registro);
        FGiu = false;
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
    const std::atomic<bool>& FRaggiungibile;
    QTimer* FTimer = nullptr;
    std::unique_ptr<TRegistroSql> FLocale, FServer;
    QHash<QString, qint64> FIds; // the server's ids of the pupils sent so far, by class and name
    QSet<qint64> FSenzaPin;      // those of them without a PIN
    bool FGiu = false; // the server was found away at the last try
};

} // namespace

struct TRegistroCondiviso::TStato {
    QThread filo;
    TInvio* invio = nullptr;
    QObject ponte; // lives on the program's thread: the sender's news arrive there
    std::atomic<bool> raggiungibile{true};
};

QString MessaggioServerAssente(TGuasto guasto)
{
    // For the pupil: no address, no server's words (those go to the log
    // and to mevario-registro). Only a server that does not answer comes
    // back by itself; anything else needs the technician, and nothing is
    // promised.
    switch (guasto) {
    case TGuasto::Irraggiungibile:
        return QStringLiteral("Il server della scuola non risponde: le risposte restano su questo computer e "
                              "partono da sole.");
    case TGuasto::Accesso:
        return QStringLiteral("Il server della scuola non accetta il nome utente o la password di questo computer: "
                              "chiama il tecnico. Intanto le risposte restano su questo computer.");
    default:
        return QStringLiteral("Il server della scuola non si può usare: chiama il tecnico. Intanto le risposte "
                              "restano su questo computer.");
    }
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
    r->FStatoServer = opzioni.statoServer;

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
    stato->invio = new TInvio(
        url, locale, opzioni,
        [self, debole](bool su, TGuasto g, const QString& d) {
            const auto s = debole.lock();
            if (!s)
                return;
            s->raggiungibile.store(su);
            QMetaObject::invokeMethod(
                &s->ponte, [self, su, g, d] { su ? self->ServerSu() : self->ServerGiu(g, d); }, Qt::QueuedConnection);
        },
        stato->raggiungibile);
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
    if (FGiu)
        return;
    FGiu = true;
    FUltimoGuasto = DescriviGuasto(guasto, FMostrato, dettaglio);
    // The details (address, the server's words) for the technician.
    qWarning("Mevario: %s", qUtf8Printable(FUltimoGuasto));
    FMessaggioGiu = MessaggioServerAssente(guasto);
    if (FStatoServer)
        FStatoServer(false, FMessaggioGiu);
    else
        Avvisa(FMessaggioGiu);
}

void TRegistroCondiviso::ServerSu()
{
    if (!FGiu)
        return;
    FGiu = false;
    FMessaggioGiu.clear();
    if (FStatoServer)
        FStatoServer(true, {});
}

void TRegistroCondiviso::ImpostaStatoServer(TStatoServer stato)
{
    FStatoServer = std::move(stato);
    if (FStatoServer && FGiu)
        FStatoServer(false, FMessaggioGiu);
}

TRegistroSql* TRegistroCondiviso::Server()
{
    // A connection that failed is made again at once, once: a server
    // restarted overnight is not taken for a server away. Otherwise this
    // thread waits for the sender to find the server again.
    const bool perso = FServer && FServer->Ospite();
    if (perso || (!FServer && FStato && FStato->raggiungibile.load())) {
        auto a = TRegistroSql::ApriPostgres(FUrl, FOpzioni, false);
        if (a.registro) {
            FServer = std::move(a.registro);
        } else {
            if (FStato)
                FStato->raggiungibile.store(false);
            ServerGiu(a.guasto, a.dettaglio);
        }
    }
    return FServer.get();
}

template <class F>
auto TRegistroCondiviso::SulServer(F leggi) -> std::optional<decltype(leggi(std::declval<TRegistroSql&>()))>
{
    // Twice at most: a connection found broken is made again once.
    for (int prova = 0; prova < 2; ++prova) {
        TRegistroSql* s = Server();
        if (!s)
            return std::nullopt;
        auto esito = leggi(*s);
        if (!s->Ospite())
            return esito;
    }
    return std::nullopt;
}

std::optional<TAlunno> TRegistroCondiviso::Copia(TRegistroSql& s, const TAlunno& a)
{
    if (s.Ruolo() == TRuoloServer::Laboratorio) {
        // The server never gives a lab PC a PIN's key. A pupil with a PIN
        // is kept here with the key made here, if one was; else with a key
        // nothing matches: while the server is away they cannot enter on
        // this computer, and nobody can enter as them.
        const auto qui = FLocale->TrovaAlunno(a.nome, a.classe);
        const auto chiave = qui ? FLocale->ChiavePin(qui->id) : std::nullopt;
        if (qui && chiave && (!a.conPin || chiave->iterazioni > 0))
            return TAlunno{qui->id, qui->nome, qui->classe, a.conPin, qui->pinAltrove};
        TChiavePin k;
        if (a.conPin)
            k = chiave && chiave->iterazioni > 0 ? *chiave : ChiaveIgnota();
        const auto copia = FLocale->CopiaAlunno(a, k);
        if (!copia)
            return std::nullopt;
        return TAlunno{copia->id, copia->nome, copia->classe, a.conPin, copia->pinAltrove};
    }
    const auto pin = s.ChiavePin(a.id);
    if (!pin)
        return std::nullopt;
    return FLocale->CopiaAlunno(a, *pin);
}

std::optional<TAlunno> TRegistroCondiviso::AlunnoLocale(qint64 alunno)
{
    for (const TAlunno& a : FLocale->Alunni())
        if (a.id == alunno)
            return a;
    return std::nullopt;
}

std::optional<TAlunno> TRegistroCondiviso::AlunnoServer(TRegistroSql& s, qint64 alunno)
{
    const auto qui = AlunnoLocale(alunno);
    const auto a = qui ? s.TrovaAlunno(qui->nome, qui->classe) : std::nullopt;
    if (!a || s.Ruolo() != TRuoloServer::Laboratorio)
        return a;
    if (!s.Sessione(a->id).isEmpty())
        return a;
    const QString chiave = ChiaveConfronto(a->classe) + QLatin1Char('\n') + ChiaveConfronto(a->nome);
    const auto it = FSessioni.find(chiave);
    if (it != FSessioni.end()) {
        s.ImpostaSessione(a->id, it->second);
        return a;
    }
    if (a->conPin || s.ControllaPin(a->id, {}) != TEsitoPin::Giusto)
        return std::nullopt;
    FSessioni[chiave] = s.Sessione(a->id);
    FLocale->SalvaScrittura(a->nome, a->classe, s.Scrittura(a->id));
    return a;
}

QList<TAlunno> TRegistroCondiviso::Alunni()
{
    // A copy of each pupil (class, PIN key) for the days the server is away.
    const auto alunni = SulServer([this](TRegistroSql& s) {
        QList<TAlunno> copie;
        for (const TAlunno& a : s.Alunni())
            if (const auto copia = Copia(s, a))
                copie.append(*copia);
        return copie;
    });
    return alunni ? *alunni : FLocale->Alunni();
}

QStringList TRegistroCondiviso::Classi()
{
    const auto classi = SulServer([](TRegistroSql& s) { return s.Classi(); });
    return classi ? *classi : FLocale->Classi();
}

QList<TAlunno> TRegistroCondiviso::AlunniClasse(const QString& classe)
{
    // Only the class's pupils copied (with the lab PCs' role, never a key).
    const auto alunni = SulServer([&](TRegistroSql& s) {
        QList<TAlunno> copie;
        for (const TAlunno& a : s.AlunniClasse(classe))
            if (const auto copia = Copia(s, a))
                copie.append(*copia);
        return copie;
    });
    return alunni ? *alunni : FLocale->AlunniClasse(classe);
}

std::optional<TAlunno> TRegistroCondiviso::TrovaAlunno(const QString& nome, const QString& classe)
{
    const auto trovato = SulServer([&](TRegistroSql& s) -> std::optional<TAlunno> {
        const auto a = s.TrovaAlunno(nome, classe);
        return a ? Copia(s, *a) : std::nullopt;
    });
    if (trovato && *trovato)
        return *trovato;
    return FLocale->TrovaAlunno(nome, classe);
}

std::optional<TAlunno> TRegistroCondiviso::CreaAlunno(const QString& nome, const QString& classe)
{
    if (!NomeAlunnoValido(nome))
        return std::nullopt;
    // Made on the server when it answers (one pupil of that name however
    // many PCs make it at once), else here: the server makes the pupil
    // with the first answer sent.
    const auto fatto = SulServer([&](TRegistroSql& s) -> std::optional<TAlunno> {
        const auto a = s.CreaAlunno(nome, classe);
        if (a && !s.Scrittura(a->id).isEmpty())
            FLocale->SalvaScrittura(a->nome, a->classe, s.Scrittura(a->id));
        return a ? Copia(s, *a) : std::nullopt;
    });
    if (fatto && *fatto)
        return *fatto;
    // Made here, and on the server through the pupils' outbox.
    const bool nuovo = !FLocale->TrovaAlunno(nome, classe);
    const auto a = FLocale->CreaAlunno(nome, classe);
    if (a && nuovo && FLocale->AccodaAlunno(a->id))
        Sveglia();
    return a;
}

bool TRegistroCondiviso::ImpostaPin(qint64 alunno, const QString& pin)
{
    // Kept here with its line in the pupils' outbox, one commit; the
    // sender takes the same salted key to the server, now or when it is back.
    if (!FLocale->ImpostaPin(alunno, pin))
        return false;
    // With the lab PCs' role the server checks the PIN: the same key taken
    // there at once when it answers, so that the pupil's next entry asks
    // for it. By the pupil's session when there is one (a pupil without a
    // PIN, or entered here with theirs); else only by a pupil without a
    // PIN there. The line, sent again, finds the same key; another key
    // found there came first, and the sender tells it.
    const auto k = FLocale->ChiavePin(alunno);
    const auto qui = AlunnoLocale(alunno);
    if (k && !k->Vuota() && qui && FServer && FServer->Ruolo() == TRuoloServer::Laboratorio)
        SulServer([&](TRegistroSql& s) {
            if (const auto a = AlunnoServer(s, alunno))
                return s.ImpostaChiaveSessione(a->id, *k);
            bool stessa = false;
            return s.ProponiPinServer(qui->nome, qui->classe, *k, stessa).has_value();
        });
    Sveglia();
    return true;
}

TEsitoPin TRegistroCondiviso::ControllaPin(qint64 alunno, const QString& pin)
{
    // With the lab PCs' role the server checks the PIN and keeps the tries
    // for every computer; this computer's copy only while it is away.
    const auto qui = AlunnoLocale(alunno);
    const auto esito = SulServer([&](TRegistroSql& s) -> std::optional<TEsitoPin> {
        if (s.Ruolo() != TRuoloServer::Laboratorio || !qui)
            return std::nullopt;
        const auto a = s.TrovaAlunno(qui->nome, qui->classe);
        if (!a)
            return std::nullopt;
        const TEsitoPin e = s.ControllaPin(a->id, pin);
        if (s.Ospite())
            return std::nullopt;
        FAttesaFino[alunno] = QDateTime::currentMSecsSinceEpoch() + s.SecondiAttesaPin(a->id) * 1000LL;
        if (e == TEsitoPin::Giusto) {
            FSessioni[ChiaveConfronto(a->classe) + QLatin1Char('\n') + ChiaveConfronto(a->nome)] = s.Sessione(a->id);
            FLocale->SalvaScrittura(a->nome, a->classe, s.Scrittura(a->id));
            FLocale->PinRiconosciuto(alunno);
        }
        return e;
    });
    if (esito && *esito)
        return **esito;
    return FLocale->ControllaPin(alunno, pin);
}

int TRegistroCondiviso::SecondiAttesaPin(qint64 alunno) const
{
    const auto it = FAttesaFino.find(alunno);
    if (it != FAttesaFino.end() && it->second > QDateTime::currentMSecsSinceEpoch())
        return static_cast<int>((it->second - QDateTime::currentMSecsSinceEpoch() + 999) / 1000);
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
    const auto p = SulServer([&](TRegistroSql& s) -> std::optional<TProgressi> {
        const auto a = AlunnoServer(s, alunno);
        return a ? std::optional(s.Progressi(a->id, oggi)) : std::nullopt;
    });
    return p && *p ? **p : FLocale->Progressi(alunno, oggi);
}

QList<TVoceRipasso> TRegistroCondiviso::RipassoDovuto(qint64 alunno, QDate oggi)
{
    const auto v = SulServer([&](TRegistroSql& s) -> std::optional<QList<TVoceRipasso>> {
        const auto a = AlunnoServer(s, alunno);
        return a ? std::optional(s.RipassoDovuto(a->id, oggi)) : std::nullopt;
    });
    return v && *v ? **v : FLocale->RipassoDovuto(alunno, oggi);
}

std::optional<TPanoramicaClasse> TRegistroCondiviso::PanoramicaClasse(const QString& classe, QDate dal, QDate al,
                                                                     QDate oggi)
{
    const auto p = SulServer([&](TRegistroSql& s) { return s.PanoramicaClasse(classe, dal, al, oggi); });
    return p ? *p : std::nullopt;
}

int TRegistroCondiviso::InAttesa()
{
    return FLocale->ContaUscita();
}

int TRegistroCondiviso::InviaPrimaDiUscire(int ms)
{
    SvuotaUscita(ms);
    return InAttesa();
}

QString MessaggioRisposteInAttesa(int quante)
{
    return quante == 1
               ? QStringLiteral("1 risposta non è ancora arrivata al server della scuola: resta su questo computer "
                                "e parte al prossimo avvio di Mevario su questo computer.")
               : QStringLiteral("%1 risposte non sono ancora arrivate al server della scuola: restano su questo "
                                "computer e partono al prossimo avvio di Mevario su questo computer.")
                     .arg(quante);
}

int TRegistroCondiviso::AlunniInAttesa()
{
    return FLocale->ContaAlunniInUscita();
}

bool TRegistroCondiviso::SvuotaUscita(int ms)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        QCoreApplication::processEvents();
        if (InAttesa() == 0 && AlunniInAttesa() == 0)
            return true;
        if (t.elapsed() > ms)
            return false;
        Sveglia();
        QThread::msleep(20);
    }
}

} // namespace mevario
