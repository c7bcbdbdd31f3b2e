// TRegistroCondiviso: the record of a school whose answers live on a
// PostgreSQL server, as one computer's program sees it.
//
// Every judged answer is committed first to this computer's SQLite record
// (PercorsoLocale()), together with a line of its outbox, in one local
// transaction: Registra returns as fast as with no server at all, and an
// answer is never only in memory. A thread of its own (its own
// connections: Qt SQL connections belong to one thread) sends the outbox
// to the server in the order the answers were given, each answer
// removed from the outbox only after the server committed it; the
// answer's uuid is the server's key, so a send repeated after a crash or
// a lost confirmation is kept once. The thread sends at once after each
// answer, every few seconds while anything waits, and at the next start.
//
// Why the local record itself rather than a file of its own: the answer
// and its place in the outbox are one commit of one file (never an answer
// kept here and forgotten by the outbox, or the reverse), the file is
// already the owner's only, checked at open and journalled; and the same
// record is the copy that serves when the server is away: the pupils seen
// before (with their class and PIN key) for "Chi sei?", and this
// computer's answers for the progress and the review.
//
// Pupils are found by name and class on the server (made there if missing: insert
// if absent, so two computers making the same pupil make one). The ids
// this record hands out are the local record's; reads (pupils, progress,
// review) go to the server while it answers, with short time-outs, else
// to the local copy. When the server cannot be reached at start, or stops
// answering later, the pupil is told once (no address: the details go to
// the log), and told again only after it was back; the program goes on.
// A pupil made and a PIN set here go to the server through the pupils'
// outbox, before the answers, in order; a PIN that another computer set
// first wins, and this computer's pupil is told (TAlunno::pinAltrove).
//
// With the lab PCs' role (Ruoli.h) the server gives this computer no PIN
// key and no table: the PIN is checked on the server (this computer's copy
// only while it is away, and only with a key made here), a right PIN opens
// the pupil's session, kept in memory, for their figures and review; the
// session's writing token is kept in the local record, so that the sender
// records the answers of the pupils who entered here, even after a restart.
// The pupils' outbox goes through the function that makes a pupil: a PIN
// set here is taken by a pupil who has none on the server, never over one.
#pragma once

#include <QString>

#include <functional>
#include <map>
#include <memory>

#include "RegistroSql.h"

namespace mevario {

class TRegistroCondiviso final : public TRegistro {
public:
    ~TRegistroCondiviso() override;

    bool Ospite() const override;
    bool SuServer() const override { return true; }
    QString Dove() const override { return FMostrato; }

    QList<TAlunno> Alunni() override;
    QStringList Classi() override;
    QList<TAlunno> AlunniClasse(const QString& classe) override;
    using TRegistro::TrovaAlunno;
    std::optional<TAlunno> TrovaAlunno(const QString& nome, const QString& classe) override;
    std::optional<TAlunno> CreaAlunno(const QString& nome, const QString& classe) override;
    bool ImpostaPin(qint64 alunno, const QString& pin) override;
    TEsitoPin ControllaPin(qint64 alunno, const QString& pin) override;
    int SecondiAttesaPin(qint64 alunno) const override;
    bool RegistraPer(qint64 alunno, const TRispostaGiudicata& r) override;
    // The local record's: it is where an answer is written first.
    int Trattenute() const override { return FLocale ? FLocale->Trattenute() : 0; }
    bool Riprova() override { return !FLocale || FLocale->Riprova(); }
    bool RiversaLog(int quietoMs = 0) override { return !FLocale || FLocale->RiversaLog(quietoMs); }
    TProgressi Progressi(qint64 alunno, QDate oggi) override;
    QList<TVoceRipasso> RipassoDovuto(qint64 alunno, QDate oggi) override;
    // From the server only: this computer's copy holds only the answers
    // given here, and a class overview of part of the answers would mislead.
    std::optional<TPanoramicaClasse> PanoramicaClasse(const QString& classe, QDate dal, QDate al, QDate oggi) override;

    int InviaPrimaDiUscire(int ms) override;

    // True while the server answers (as far as this program last saw).
    bool ServerRaggiungibile() const;
    // How many answers wait in the outbox.
    int InAttesa();
    // How many pupils made or PINs set here wait for the server.
    int AlunniInAttesa();
    // Waits, running the events, until both outboxes are empty or `ms`
    // have passed; true when empty. For "Esci", tools and tests.
    bool SvuotaUscita(int ms);
    // What the technician reads about the last time the server could not
    // be used (with its address and words); empty while it answers.
    QString UltimoGuasto() const { return FGiu ? FUltimoGuasto : QString(); }

    // Told, on the program's thread, when the server stops answering (with
    // the pupil's message, MessaggioServerAssente) and when it answers
    // again (`raggiungibile` true, no message), once per change. Set, it is
    // told at once when the server is away now. Unset, the first message
    // goes to the record's warning.
    using TStatoServer = std::function<void(bool raggiungibile, const QString& messaggio)>;
    void ImpostaStatoServer(TStatoServer stato);

    struct TStato;

private:
    friend std::unique_ptr<TRegistro> ApriRegistroCondiviso(const QString&, const TOpzioniRegistro&, TAvviso);
    TRegistroCondiviso() = default;
    // The server's record of this thread, or null while it is away.
    TRegistroSql* Server();
    void ServerGiu(TGuasto guasto, const QString& dettaglio);
    void ServerSu();
    // What `leggi` reads on the server; nothing when the server is away
    // or fails meanwhile (the caller reads the local copy then).
    template <class F>
    auto SulServer(F leggi) -> std::optional<decltype(leggi(std::declval<TRegistroSql&>()))>;
    // The server's pupil `a`, copied into the local record.
    std::optional<TAlunno> Copia(TRegistroSql& s, const TAlunno& a);
    // The pupil of this computer's record.
    std::optional<TAlunno> AlunnoLocale(qint64 alunno);
    // The server's pupil of this computer's pupil `alunno`; with the lab
    // PCs' role, only with a session on `s` (one of a pupil without a PIN
    // is opened here; one opened by a right PIN is kept for the run).
    std::optional<TAlunno> AlunnoServer(TRegistroSql& s, qint64 alunno);
    void Sveglia();

    QString FUrl, FMostrato;
    TOpzioniRegistro FOpzioni;
    std::unique_ptr<TRegistroSql> FLocale;
    std::unique_ptr<TRegistroSql> FServer;
    std::shared_ptr<TStato> FStato;
    // The lab PCs' role: the sessions of this run, by pupil's name.
    std::map<QString, QString> FSessioni;
    std::map<qint64, qint64> FAttesaFino; // this computer's pupil: the end of the server's PIN wait (ms since 1970)
    TStatoServer FStatoServer;
    bool FGiu = false; // the server was said to be away, and not yet back
    QString FMessaggioGiu, FUltimoGuasto;
};

// The shared record of `url`, with its outbox in the local record; a guest
// record (after `avviso`) when not even the local record can be used.
std::unique_ptr<TRegistro> ApriRegistroCondiviso(const QString& url, const TOpzioniRegistro& opzioni,
                                                 TRegistro::TAvviso avviso);

// What "Esci" says when `quante` answers still wait on this computer.
QString MessaggioRisposteInAttesa(int quante);

// What a pupil reads when the server cannot be used: no address, no
// server's words; the technician only when it needs one.
QString MessaggioServerAssente(TGuasto guasto);

} // namespace mevario
