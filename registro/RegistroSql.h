// TRegistroSql: the record in a database through Qt SQL, a SQLite file or
// a PostgreSQL server (the engines' differences are in Dialetto.h). Every
// answer is one transaction; on any fault the record reports once and
// behaves as a guest from then on. One object, one connection, one thread.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "Dialetto.h"
#include "Esportazione.h"
#include "Registro.h"
#include "Schema.h"

class QSqlQuery;

namespace mevario {

enum class TGuasto {
    Nessuno,
    Mancante,    // no file (opened without creating)
    Danneggiato, // the integrity check fails, or the engine says so
    Estraneo,    // not a database, or not one of Mevario
    PiuRecente,  // a schema version this program does not know
    Illeggibile, // cannot be opened or read
    Occupato,    // locked by another program beyond the wait
    Pieno,       // the disk is full
    SolaLettura, // the file, its folder or its disk cannot be written
    // A server's record:
    Irraggiungibile, // the server does not answer (or stopped answering)
    Accesso,         // the server refuses the user or password
    DaPreparare,     // the database has no record's schema, or an older one
    Indirizzo,       // the URL is malformed, or the engine's driver is missing
};

// What a server's connection may do (Ruoli.h): everything (the database's
// owner), read the school and manage pupils (the teachers' role), or only
// a pupil's own work through the server's functions (the lab PCs' role).
// A SQLite file is always its owner's.
enum class TRuoloServer { Proprietario, Docenti, Laboratorio };

// What went wrong, said in Italian, with where the record is.
QString DescriviGuasto(TGuasto g, const QString& percorso, const QString& dettaglio = {});
// The same, with what the program does about it (goes on as a guest).
QString MessaggioGuasto(TGuasto g, const QString& percorso, const QString& dettaglio = {});

class TRegistroSql final : public TRegistro {
public:
    struct TApertura {
        std::unique_ptr<TRegistroSql> registro;
        TGuasto guasto = TGuasto::Nessuno;
        QString dettaglio;
    };
    // Opens the SQLite record at `percorso`. With `crea`, a missing file is
    // made (mode 0600, its folder 0700) with the schema. A file that fails
    // the checks is left exactly as it was. A record of an older schema
    // is brought to the last of `migrazioni` in one transaction.
    static TApertura ApriSqlite(const QString& percorso, const TOpzioniRegistro& opzioni, bool crea,
                                const std::vector<TMigrazione>& migrazioni = Migrazioni());
    // Opens the record on the PostgreSQL server of `url` (see
    // TIndirizzoServer), with short time-outs (connecting, each statement).
    // A database without the record's schema, or with an older one, is
    // refused (DaPreparare) unless `prepara`: then the schema is made or
    // brought to the last migration, in one transaction.
    static TApertura ApriPostgres(const QString& url, const TOpzioniRegistro& opzioni, bool prepara,
                                  const std::vector<TMigrazione>& migrazioni = Migrazioni());
    // Either engine, as `db` (a file or a URL) says; a file is created
    // only with `crea`, a server's schema only with `prepara`.
    static TApertura Apri(const QString& db, const TOpzioniRegistro& opzioni, bool crea, bool prepara = false);

    ~TRegistroSql() override;

    bool Ospite() const override { return FGuasto != TGuasto::Nessuno; }
    bool Server() const { return FDialetto.server; }
    QString Dove() const override { return FPercorso; }
    TGuasto Guasto() const { return FGuasto; }
    QString DettaglioGuasto() const { return FDettaglio; }

    QList<TAlunno> Alunni() override;
    // With the lab PCs' role, from the server's functions (never a key).
    QStringList Classi() override;
    QList<TAlunno> AlunniClasse(const QString& classe) override;
    using TRegistro::TrovaAlunno;
    std::optional<TAlunno> TrovaAlunno(const QString& nome, const QString& classe) override;
    std::optional<TAlunno> CreaAlunno(const QString& nome, const QString& classe) override;
    bool ImpostaPin(qint64 alunno, const QString& pin) override;
    TEsitoPin ControllaPin(qint64 alunno, const QString& pin) override;
    int SecondiAttesaPin(qint64 alunno) const override;
    // After a fault that may pass (a full disk, a lock held beyond the
    // wait) the answer is held in memory, with those before it, and
    // written, each once, with the next answer or at Riprova.
    bool RegistraPer(qint64 alunno, const TRispostaGiudicata& r) override;
    bool Riprova() override;
    int Trattenute() const override { return static_cast<int>(FTrattenute.size()); }
    // SQLite: writes the log (WAL) into the file itself, so that the file
    // alone is the whole record. With `quietoMs`, only when nothing was
    // written for that long. False when it could not be done now.
    bool RiversaLog(int quietoMs = 0) override;
    TProgressi Progressi(qint64 alunno, QDate oggi) override;
    QList<TVoceRipasso> RipassoDovuto(qint64 alunno, QDate oggi) override;
    // In Classe.cpp.
    std::optional<TPanoramicaClasse> PanoramicaClasse(const QString& classe, QDate dal, QDate al, QDate oggi) override;

    // On a server, what this connection's role may do.
    TRuoloServer Ruolo() const { return FRuolo; }
    // After a `prepara`: what the technician still has to do about the
    // roles (a role missing, ...), in Italian; empty when nothing.
    const QStringList& AvvisiRuoli() const { return FAvvisiRuoli; }

    // The lab PCs' role: the pupil's session, opened by a right
    // ControllaPin (or given here), which the reads of the pupil's own
    // figures, history and review need; and its writing token, which
    // RegistraPer and ImpostaPin need (ImprontaSessione of the session, or
    // given here: kept with this PC's outbox). Nothing for another role.
    QString Sessione(qint64 alunno) const;
    void ImpostaSessione(qint64 alunno, const QString& sessione);
    QString Scrittura(qint64 alunno) const;
    void ImpostaScrittura(qint64 alunno, const QString& scrittura);

    // This computer's record, on a server with the lab role: the writing
    // tokens of the pupils whose answers wait in the outbox.
    bool SalvaScrittura(const QString& nome, const QString& classe, const QString& scrittura);
    QString ScritturaSalvata(const QString& nome, const QString& classe);

    // For the command-line tool.
    QList<TRigaAlunno> RigheAlunni();
    // The pupil's answers in time order; `argomento` and `dal` filter when given.
    QList<TRispostaRegistrata> Storico(qint64 alunno, const QString& argomento = {}, QDate dal = {});
    std::optional<TEsportazione> Esporta(qint64 alunno);
    struct TEsitoImporta {
        bool riuscito = false;
        int nuove = 0;     // answers added
        int presenti = 0;  // answers already there
        bool alunnoNuovo = false;
        // Not merged, nothing written, the record sound: why (Italian).
        QString rifiuto;
        // The pupil found is written otherwise here (case, spaces).
        bool scrittoAltrimenti = false;
        // A pupil made anew whose name is here in these other classes.
        QStringList altreClassi;
    };
    // Merges an exported record in one transaction: the pupil found by
    // name and class (made when missing, with the file's class and PIN; a
    // pupil already there keeps their own), each answer kept once by its uuid,
    // the figures and the review schedule rebuilt from all the pupil's
    // answers in time order. A file with an answer whose uuid is another
    // pupil's here is refused whole (`rifiuto`).
    TEsitoImporta Importa(const TEsportazione& e);

    // The outbox (a local record of a computer whose record is on a
    // server). With it on, each answer Registra keeps anew is also put in
    // the outbox, in the same transaction.
    void ImpostaUscita(bool uscita) { FUscita = uscita; }
    struct TInUscita {
        qint64 n = 0; // the outbox's order
        QString nome, classe;
        TRispostaRegistrata risposta;
    };
    // The oldest answers of the outbox, at most `quante`, oldest first.
    QList<TInUscita> InUscita(int quante);
    int ContaUscita();
    bool TogliDaUscita(qint64 n);
    // Copies a pupil of another record (found by name and class) with its
    // PIN key; the pupil here, made when missing. A pupil whose PIN set here
    // waits in the pupils' outbox keeps that PIN.
    std::optional<TAlunno> CopiaAlunno(const TAlunno& a, const TChiavePin& pin);
    std::optional<TChiavePin> ChiavePin(qint64 alunno);

    // The pupils' outbox (a local record with the outbox on): a pupil made
    // here while the server was away, and every PIN set here (ImpostaPin
    // puts it in the same commit), sent before the answers, in order.
    struct TAlunnoInUscita {
        qint64 n = 0;
        qint64 alunno = 0;
        QString nome, classe;
        bool pin = false;    // a PIN set or removed; else only the pupil
        TChiavePin chiave;   // the new key (empty: no PIN)
        QString chiavePrima; // the key the pupil had here before (base64; empty: none)
    };
    bool AccodaAlunno(qint64 alunno);
    QList<TAlunnoInUscita> AlunniInUscita(int quante);
    int ContaAlunniInUscita();
    bool TogliAlunnoDaUscita(qint64 n);
    // Line `n` came second: the pupil here takes the server's key and is
    // told at the next "Chi sei?" (TAlunno::pinAltrove); the line goes.
    bool PinPresoAltrove(qint64 n, qint64 alunno, const TChiavePin& delServer);
    // On the server: gives the pupil the key `nuova` only over the key
    // `prima` (base64, empty: none) or over `nuova` itself. The key the
    // pupil has afterwards (`nuova`, or the other computer's); nothing on a fault.
    std::optional<TChiavePin> ImpostaChiaveSe(qint64 alunno, const TChiavePin& nuova, const QString& prima);
    // The same with the lab PCs' role, which reads no key: the pupil `nome`
    // of `classe` is made with the key `pin`, or given it when on the
    // server without a PIN. The server's pupil, with `stessa` true when
    // their key is now `pin` (it reached the server first), false when
    // another PIN came first; nothing on a fault.
    std::optional<TAlunno> ProponiPinServer(const QString& nome, const QString& classe, const TChiavePin& pin,
                                            bool& stessa);
    // With the lab PCs' role: the key `pin` (made on this computer) set by
    // the session of the pupil (one opened here, or one of a pupil without
    // a PIN).
    bool ImpostaChiaveSessione(qint64 alunno, const TChiavePin& pin)
    {
        return !Ospite() && Laboratorio() && ImpostaPinServer(alunno, pin);
    }
    // This computer's pupil entered with the PIN that counts: nothing more
    // to tell (TAlunno::pinAltrove).
    bool PinRiconosciuto(qint64 alunno);

    // The clock of the PIN's waits (milliseconds, monotonic); for tests.
    void ImpostaOrologio(std::function<qint64()> orologio) { FOrologio = std::move(orologio); }

private:
    TRegistroSql(QString percorso, QString connessione, const TDialetto& dialetto, const TOpzioniRegistro& opzioni);

    QSqlDatabase Db() const;
    // Runs a statement; on failure reports the fault and returns false.
    bool Esegui(QSqlQuery& q);
    bool Esegui(const QString& sql);
    bool Inizia();
    bool Conferma();
    void Annulla();
    void Guasta(const QSqlError& e);
    void Guasta(TGuasto g, const QString& dettaglio);
    bool Migra(const std::vector<TMigrazione>& migrazioni);
    bool ScriviChiaviAlunni();
    bool BloccaAlunno(qint64 alunno);
    // On a server: waits until no other import of the pupil named `nome`
    // runs, and holds them off until this transaction ends.
    bool AttendiTurnoAlunno(const QString& nome);
    // The pupil's figures and review items from all their answers.
    bool Ricostruisci(qint64 alunno);
    bool InserisciRisposta(qint64 alunno, const TRispostaRegistrata& r, bool& inserita);
    // One answer in one transaction.
    bool ScriviRisposta(qint64 alunno, const TRispostaRegistrata& r);
    // Writes the answers held in memory, oldest first; false when one
    // could not be (it and those after it are still held).
    bool ScriviTrattenute();
    TAlunno LeggiAlunno(const QSqlQuery& q) const;
    bool PreparaRuoli();
    bool LeggiRuolo();
    bool Laboratorio() const { return FRuolo == TRuoloServer::Laboratorio; }
    // The pupil's rows of `tabella` as a FROM item with its condition
    // ("esiti_giorno WHERE alunno = ?"), and the value to bind: the pupil,
    // or their session for the lab role (through the server's function).
    QString Di(const char* tabella) const;
    QVariant Chiave(qint64 alunno) const;
    TEsitoPin ControllaPinServer(qint64 alunno, const QString& pin);
    std::optional<TAlunno> CreaAlunnoServer(const QString& nome, const QString& classe, const TChiavePin& pin,
                                            bool* stessa = nullptr);
    bool ImpostaPinServer(qint64 alunno, const TChiavePin& pin);
    bool RegistraServer(qint64 alunno, const TRispostaRegistrata& r);

    QString FPercorso;
    QString FConnessione;
    const TDialetto& FDialetto;
    TOpzioniRegistro FOpzioni;
    TGuasto FGuasto = TGuasto::Nessuno;
    QString FDettaglio;
    bool FInTransazione = false;
    bool FSoloLettura = false; // opened read-only (a disk that cannot be written)
    // Answers not yet written, after a fault that may pass.
    std::vector<std::pair<qint64, TRispostaRegistrata>> FTrattenute;
    bool FRitenta = false; // writing held answers: a passing fault holds them
    bool FSospeso = false; // a passing fault was told, the record not yet written since
    bool FDaRiversare = false; // written since the last checkpoint
    qint64 FUltimaScrittura = 0;
    bool FUscita = false;
    QString FPassword; // removed from any text of the engine kept for messages
    std::map<qint64, TTentativiPin> FTentativi;
    TRuoloServer FRuolo = TRuoloServer::Proprietario;
    QStringList FAvvisiRuoli;
    std::map<qint64, QString> FSessioni, FScritture;
    // The lab role's recording of an answer, prepared once: each answer is
    // then one exchange with the server.
    std::unique_ptr<QSqlQuery> FRegistra;
    std::function<qint64()> FOrologio;
};

// The kind of fault a Qt SQL error of the SQLite driver stands for.
TGuasto GuastoDaErrore(const QSqlError& e, const QString& percorso);
// The same for the PostgreSQL driver.
TGuasto GuastoDaErrorePg(const QSqlError& e);

} // namespace mevario
