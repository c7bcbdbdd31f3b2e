#include "RegistroSql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSysInfo>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <set>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "Ripasso.h"
#include "Schema.h"

namespace mevario {

namespace {

// An answer as a query reads it, its columns from `primo` on in the order
// uuid, argomento, esercizio, seme, risposta, giusta, diagnosi, tipo_errore,
// ripassa, soluzione_vista, secondi, quando, giorno, computer.
TRispostaRegistrata LeggiRisposta(const QSqlQuery& q, int primo, const TDialetto& dialetto)
{
    const auto v = [&](int i) { return q.value(primo + i); };
    TRispostaRegistrata r;
    r.uuid = dialetto.LeggiUuid(v(0));
    r.argomento = v(1).toString();
    r.esercizio = v(2).toString();
    if (!v(3).isNull())
        r.seme = static_cast<quint32>(v(3).toLongLong());
    r.risposta = v(4).toString();
    r.giusta = v(5).toInt() != 0;
    r.diagnosi = v(6).toString();
    r.tipoErrore = v(7).toString();
    r.ripassa = v(8).toString();
    r.soluzioneVista = v(9).toInt() != 0;
    r.secondi = v(10).toDouble();
    r.quando = QDateTime::fromMSecsSinceEpoch(v(11).toLongLong(), Qt::UTC);
    r.giorno = QDate::fromString(v(12).toString(), Qt::ISODate);
    r.computer = v(13).toString();
    return r;
}

// How many of a topic's latest answers give the share right.
constexpr int KUltime = 20;

QString Giorno(QDate d)
{
    return d.toString(Qt::ISODate);
}

// A text as bound to a statement: Qt binds a null QString as NULL, and
// the record's text columns are never NULL; a NUL character, which a
// server's text cannot hold, is dropped, so that an answer kept here can
// always be sent on.
QString Testo(const QString& s, int massimo = 4096)
{
    if (s.isNull())
        return QLatin1String("");
    QString t = s.size() > massimo ? s.left(massimo) : s;
    if (t.contains(QChar(0)))
        t.remove(QChar(0));
    return t;
}

// Binds a PIN key as three values (salt, key, iterations), NULL for none.
void LegaChiave(QSqlQuery& q, const TChiavePin& k)
{
    if (k.Vuota()) {
        q.addBindValue(QVariant(QMetaType::fromType<QString>()));
        q.addBindValue(QVariant(QMetaType::fromType<QString>()));
        q.addBindValue(QVariant(QMetaType::fromType<int>()));
    } else {
        q.addBindValue(QString::fromLatin1(k.sale.toBase64()));
        q.addBindValue(QString::fromLatin1(k.chiave.toBase64()));
        q.addBindValue(k.iterazioni);
    }
}

// A key as the outbox keeps the one a pupil had before: its base64, or NULL.
QVariant ChiaveTesto(const TChiavePin& k)
{
    return k.Vuota() ? QVariant(QMetaType::fromType<QString>()) : QVariant(QString::fromLatin1(k.chiave.toBase64()));
}

QString NuovaConnessione()
{
    static std::atomic<int> n{0};
    return QStringLiteral("mevario-registro-%1").arg(++n);
}

qint64 Adesso()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Makes the missing folders of `cartella`, each readable by its owner only.
bool CreaCartella(const QString& cartella)
{
    if (QFileInfo(cartella).isDir())
        return true;
    const QString sopra = QFileInfo(cartella).path();
    if (sopra != cartella && !CreaCartella(sopra))
        return false;
    return ::mkdir(QFile::encodeName(cartella).constData(), 0700) == 0 || errno == EEXIST;
}

// Why a file could not be made or opened, in Italian (strerror may speak
// the system's language).
QString DettaglioErrno(int e)
{
    switch (e) {
    case EACCES:
    case EPERM:
        return QStringLiteral("permesso negato");
    case EROFS:
        return QStringLiteral("disco di sola lettura");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("disco pieno");
    case ENOTDIR:
    case ENOENT:
        return QStringLiteral("la cartella non c'è e non si può creare");
    default:
        return QStringLiteral("errore di sistema %1").arg(e);
    }
}

// Whether the file lies on a file system mounted read-only.
bool DiscoSolaLettura(const QString& percorso)
{
    struct statvfs v{};
    return ::statvfs(QFile::encodeName(percorso).constData(), &v) == 0 && (v.f_flag & ST_RDONLY) != 0;
}

// Whether this user can write the file (not so on a read-only disk).
bool ScrivibileSqlite(const QString& percorso)
{
    return ::access(QFile::encodeName(percorso).constData(), W_OK) == 0;
}

TGuasto GuastoDaErrno(int e)
{
    switch (e) {
    case ENOSPC:
    case EDQUOT:
        return TGuasto::Pieno;
    case EROFS:
    case EACCES:
    case EPERM:
        return TGuasto::SolaLettura;
    default:
        return TGuasto::Illeggibile;
    }
}

} // namespace

QString DescriviGuasto(TGuasto g, const QString& percorso, const QString& dettaglio)
{
    const QString p = QDir::toNativeSeparators(percorso);
    switch (g) {
    case TGuasto::Nessuno:
        return {};
    case TGuasto::Mancante:
        return QStringLiteral("Il registro degli alunni «%1» non esiste.").arg(p);
    case TGuasto::Danneggiato:
        return QStringLiteral("Il registro degli alunni «%1» è danneggiato; il file è lasciato com'è.").arg(p);
    case TGuasto::Estraneo:
        return QStringLiteral("Il file «%1» non è un registro di Mevario (o è danneggiato); il file è lasciato com'è.")
            .arg(p);
    case TGuasto::PiuRecente:
        return QStringLiteral("Il registro degli alunni «%1» è di una versione più recente di Mevario; "
                              "il file è lasciato com'è.")
            .arg(p);
    case TGuasto::Illeggibile:
        return dettaglio.isEmpty()
                   ? QStringLiteral("Il registro degli alunni «%1» non si può leggere o scrivere.").arg(p)
                   : QStringLiteral("Il registro degli alunni «%1» non si può leggere o scrivere (%2).").arg(p, dettaglio);
    case TGuasto::Occupato:
        return QStringLiteral("Il registro degli alunni «%1» è occupato da un altro programma.").arg(p);
    case TGuasto::Pieno:
        return QStringLiteral("Il disco del registro degli alunni «%1» è pieno.").arg(p);
    case TGuasto::SolaLettura:
        return QStringLiteral("Il registro degli alunni «%1» non si può scrivere "
                              "(il file, la cartella o il disco sono di sola lettura).")
            .arg(p);
    case TGuasto::Irraggiungibile:
        return dettaglio.isEmpty()
                   ? QStringLiteral("Il server del registro degli alunni «%1» non risponde.").arg(p)
                   : QStringLiteral("Il server del registro degli alunni «%1» non risponde (%2).").arg(p, dettaglio);
    case TGuasto::Accesso:
        return dettaglio.isEmpty()
                   ? QStringLiteral("Il server del registro degli alunni «%1» rifiuta l'accesso "
                                    "(utente, password o database sbagliati).")
                         .arg(p)
                   : QStringLiteral("Il server del registro degli alunni «%1» rifiuta l'accesso (%2).").arg(p, dettaglio);
    case TGuasto::DaPreparare:
        return QStringLiteral("Il database «%1» non è preparato per il registro degli alunni di questa versione "
                              "di Mevario: il tecnico lo prepara con «mevario-registro --db URL prepara».")
            .arg(p);
    case TGuasto::Indirizzo:
        return QStringLiteral("L'indirizzo del registro degli alunni «%1» non va bene (%2).").arg(p, dettaglio);
    }
    return {};
}

QString MessaggioGuasto(TGuasto g, const QString& percorso, const QString& dettaglio)
{
    return DescriviGuasto(g, percorso, dettaglio) +
           QStringLiteral(" Mevario continua come ospite: le risposte di questa sessione non saranno conservate.");
}

TGuasto GuastoDaErrore(const QSqlError& e, const QString& percorso)
{
    // The SQLite driver gives the engine's result code; its low byte is the
    // primary code.
    bool ok = false;
    const int codice = e.nativeErrorCode().toInt(&ok) & 0xff;
    if (!ok)
        return TGuasto::Illeggibile;
    switch (codice) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return TGuasto::Occupato;
    case 8:  // SQLITE_READONLY
        return TGuasto::SolaLettura;
    case 3:  // SQLITE_PERM
    case 14: // SQLITE_CANTOPEN
        return ::access(QFile::encodeName(QFileInfo(percorso).path()).constData(), W_OK) != 0
                   ? TGuasto::SolaLettura
                   : TGuasto::Illeggibile;
    case 11: // SQLITE_CORRUPT
        return TGuasto::Danneggiato;
    case 13: // SQLITE_FULL
        return TGuasto::Pieno;
    case 26: // SQLITE_NOTADB
        return TGuasto::Estraneo;
    default:
        return TGuasto::Illeggibile;
    }
}

TGuasto GuastoDaErrorePg(const QSqlError& e)
{
    const QString codice = e.nativeErrorCode();
    const QString testo = e.databaseText();
    if (codice.startsWith(QLatin1String("28")) || codice == QLatin1String("3D000") ||
        testo.contains(QLatin1String("authentication")) || testo.contains(QLatin1String("password")) ||
        testo.contains(QLatin1String("pg_hba.conf")) || testo.contains(QLatin1String("does not exist")))
        return TGuasto::Accesso;
    if (codice == QLatin1String("42P01"))
        return TGuasto::DaPreparare;
    if (codice == QLatin1String("53100"))
        return TGuasto::Pieno;
    if (codice == QLatin1String("25006") || codice == QLatin1String("42501"))
        return TGuasto::SolaLettura;
    // A lock another program holds beyond the wait (a lock's time-out, a
    // deadlock, or the statement's time-out: the statements of the record
    // are short, so on a server that answers they outlast it only waiting
    // for a lock): busy, not silent.
    if (codice == QLatin1String("55P03") || codice == QLatin1String("40P01") || codice == QLatin1String("57014"))
        return TGuasto::Occupato;
    // No answer at all, the connection lost, the server shutting down,
    // too many connections.
    if (codice.isEmpty() || codice.startsWith(QLatin1String("08")) || codice.startsWith(QLatin1String("57")) ||
        codice.startsWith(QLatin1String("53")) || e.type() == QSqlError::ConnectionError)
        return TGuasto::Irraggiungibile;
    return TGuasto::Illeggibile;
}

TRegistroSql::TRegistroSql(QString percorso, QString connessione, const TDialetto& dialetto,
                           const TOpzioniRegistro& opzioni)
    : FPercorso(std::move(percorso)), FConnessione(std::move(connessione)), FDialetto(dialetto),
      FOpzioni(opzioni), FOrologio(Adesso)
{
}

TRegistroSql::~TRegistroSql()
{
    FRegistra.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(FConnessione, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(FConnessione);
}

QSqlDatabase TRegistroSql::Db() const
{
    return QSqlDatabase::database(FConnessione, false);
}

TRegistroSql::TApertura TRegistroSql::ApriSqlite(const QString& percorso, const TOpzioniRegistro& opzioni, bool crea,
                                                 const std::vector<TMigrazione>& migrazioni)
{
    TApertura esito;
    const int versioneNota = migrazioni.empty() ? 0 : migrazioni.back().versione;
    const QFileInfo info(percorso);
    if (!info.exists()) {
        if (!crea) {
            esito.guasto = TGuasto::Mancante;
            return esito;
        }
        // Made here rather than by the engine, so that it is the owner's
        // only (the engine gives its journal files the same mode).
        if (!CreaCartella(info.path())) {
            esito.guasto = GuastoDaErrno(errno);
            esito.dettaglio = DettaglioErrno(errno);
            return esito;
        }
        const int fd = ::open(QFile::encodeName(percorso).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            esito.guasto = GuastoDaErrno(errno);
            esito.dettaglio = DettaglioErrno(errno);
            return esito;
        }
        if (fd >= 0)
            ::close(fd);
    } else if (!info.isFile()) {
        esito.guasto = TGuasto::Illeggibile;
        esito.dettaglio = QStringLiteral("non è un file");
        return esito;
    } else if (::access(QFile::encodeName(percorso).constData(), R_OK) != 0) {
        esito.guasto = TGuasto::Illeggibile;
        esito.dettaglio = DettaglioErrno(errno);
        return esito;
    }
    // A record that cannot be written (a read-only disk, a file or folder
    // without permission) is read where only reading is asked.
    const bool soloLettura = info.exists() && !ScrivibileSqlite(percorso);
    if (soloLettura && !opzioni.soloLettura) {
        esito.guasto = TGuasto::SolaLettura;
        return esito;
    }

    const QString connessione = NuovaConnessione();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(DialettoSqlite().driver, connessione);
        db.setDatabaseName(percorso);
        QString connessioneOpzioni = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(opzioni.attesaMs);
        if (soloLettura)
            connessioneOpzioni += QStringLiteral(";QSQLITE_OPEN_READONLY");
        // On a read-only disk the engine cannot make the shared-memory file
        // a record in WAL mode is read with; nobody can write there, so the
        // file is read as it stands, when no log beside it holds anything.
        if (soloLettura && DiscoSolaLettura(percorso) && QFileInfo(percorso + QStringLiteral("-wal")).size() == 0) {
            db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                               QStringLiteral("?immutable=1"));
            connessioneOpzioni += QStringLiteral(";QSQLITE_OPEN_URI");
        }
        db.setConnectOptions(connessioneOpzioni);
    }
    std::unique_ptr<TRegistroSql> r(new TRegistroSql(percorso, connessione, DialettoSqlite(), opzioni));
    auto fallisci = [&]() {
        esito.guasto = r->FGuasto;
        esito.dettaglio = r->FDettaglio;
        return std::move(esito);
    };
    if (!r->Db().open()) {
        r->Guasta(r->Db().lastError());
        return fallisci();
    }

    // Nothing is written until the file is known to be a sound record of
    // ours (or an empty file): a damaged or foreign file stays as it was.
    if (!r->Esegui(QStringLiteral("PRAGMA query_only = 1")))
        return fallisci();
    bool vuoto = true, nostro = false;
    int versione = -1;
    {
        QSqlQuery q(r->Db());
        q.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        if (!r->Esegui(q))
            return fallisci();
        while (q.next()) {
            vuoto = false;
            nostro = nostro || q.value(0).toString() == QLatin1String("versione_schema");
        }
    }
    if (!vuoto && !nostro) {
        r->Guasta(TGuasto::Estraneo, {});
        return fallisci();
    }
    {
        QSqlQuery q(r->Db());
        q.prepare(QStringLiteral("PRAGMA integrity_check"));
        if (!r->Esegui(q))
            return fallisci();
        QStringList righe;
        while (q.next())
            righe << q.value(0).toString();
        if (righe != QStringList{QStringLiteral("ok")}) {
            r->Guasta(TGuasto::Danneggiato, righe.join(QLatin1Char(' ')).left(200));
            return fallisci();
        }
    }
    if (nostro) {
        QSqlQuery q(r->Db());
        q.prepare(QStringLiteral("SELECT versione FROM versione_schema"));
        if (!r->Esegui(q))
            return fallisci();
        bool ok = q.next();
        const int v = ok ? q.value(0).toInt(&ok) : 0;
        if (!ok || q.next() || v < 0) {
            r->Guasta(TGuasto::Danneggiato, QStringLiteral("versione dello schema"));
            return fallisci();
        }
        if (v > versioneNota) {
            r->Guasta(TGuasto::PiuRecente, {});
            return fallisci();
        }
        versione = v;
    }
    if (soloLettura) {
        // Read as it is: an older schema cannot be brought up to date here.
        if (!nostro || versione != versioneNota) {
            r->Guasta(TGuasto::SolaLettura, {});
            return fallisci();
        }
        r->FSoloLettura = true;
        esito.registro = std::move(r);
        return esito;
    }
    if (!r->Esegui(QStringLiteral("PRAGMA query_only = 0")))
        return fallisci();

    // The write-ahead log lets a second program read and write while one
    // writes, and a commit appends to the log without rewriting pages.
    // synchronous = NORMAL in WAL mode: a commit reaches the operating
    // system before Registra returns, so an answer survives the program
    // being killed; the log is synced at each checkpoint, so after a power
    // cut at most the last moments' answers are gone and the file is never
    // corrupted. FULL would sync at every answer and make the window wait
    // for the disk. Without WAL (a file system without shared memory)
    // only FULL keeps the file sound after a power cut.
    {
        // Turning a new file to WAL needs it to itself for a moment, and
        // SQLite answers "busy" at once, without its wait, while another
        // program opens the same new file: that is waited for here, as long
        // as any lock is.
        QSqlQuery q(r->Db());
        QElapsedTimer attesa;
        attesa.start();
        bool fatto = false;
        while (!(fatto = q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) &&
               (q.lastError().nativeErrorCode().toInt() & 0xff) == 5 && attesa.elapsed() < opzioni.attesaMs)
            QThread::msleep(10);
        if (!fatto) {
            r->Guasta(q.lastError());
            return fallisci();
        }
        const bool wal = q.next() && q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
        q.finish();
        if (!r->Esegui(wal ? QStringLiteral("PRAGMA synchronous = NORMAL") : QStringLiteral("PRAGMA synchronous = FULL")))
            return fallisci();
    }
    // Migrated before the foreign keys are turned on: a migration may make
    // a table again, which SQLite allows only with them off (Migra checks
    // them before it commits).
    if (!r->Migra(migrazioni) || !r->Esegui(QStringLiteral("PRAGMA foreign_keys = ON")))
        return fallisci();
    esito.registro = std::move(r);
    return esito;
}

namespace {

// The client library's options: those of the URL, then the time-outs the
// program needs unless the URL sets them: connecting, each statement, a
// connection whose server went silent.
QString OpzioniConnessione(const TIndirizzoServer& i, const TOpzioniRegistro& o)
{
    QStringList opzioni;
    QStringList date;
    for (const auto& [k, v] : i.opzioni) {
        QString valore = v;
        valore.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
        opzioni << QStringLiteral("%1='%2'").arg(k, valore);
        date << k;
    }
    // Connecting waits at most 3 seconds: the program's start and its end
    // (a last send) never hang on a server that does not answer.
    const int secondi = std::clamp((o.attesaMs + 999) / 1000, 2, 3);
    const std::pair<QString, QString> predefinite[] = {
        {QStringLiteral("connect_timeout"), QString::number(secondi)},
        {QStringLiteral("options"), QStringLiteral("'-c statement_timeout=%1'").arg(std::max(1000, o.attesaMs))},
        {QStringLiteral("keepalives_idle"), QStringLiteral("5")},
        {QStringLiteral("keepalives_interval"), QStringLiteral("2")},
        {QStringLiteral("keepalives_count"), QStringLiteral("2")},
        {QStringLiteral("tcp_user_timeout"), QString::number(std::max(2000, 2 * o.attesaMs))},
        {QStringLiteral("application_name"), QStringLiteral("mevario")},
    };
    for (const auto& [k, v] : predefinite)
        if (!date.contains(k))
            opzioni << k + QLatin1Char('=') + v;
    return opzioni.join(QLatin1Char(';'));
}

} // namespace

TRegistroSql::TApertura TRegistroSql::Apri(const QString& db, const TOpzioniRegistro& opzioni, bool crea, bool prepara)
{
    if (IndirizzoServer(db))
        return ApriPostgres(db, opzioni, prepara);
    return ApriSqlite(db, opzioni, crea || prepara);
}

TRegistroSql::TApertura TRegistroSql::ApriPostgres(const QString& url, const TOpzioniRegistro& opzioni, bool prepara,
                                                   const std::vector<TMigrazione>& migrazioni)
{
    TApertura esito;
    QString errore;
    const auto indirizzo = LeggiIndirizzoServer(url, &errore);
    if (!indirizzo) {
        esito.guasto = TGuasto::Indirizzo;
        esito.dettaglio = errore;
        return esito;
    }
    if (!QSqlDatabase::isDriverAvailable(DialettoPostgres().driver)) {
        esito.guasto = TGuasto::Indirizzo;
        esito.dettaglio = QStringLiteral("manca il driver PostgreSQL di Qt, il pacchetto libqt6sql6-psql");
        return esito;
    }
    const QString connessione = NuovaConnessione();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(DialettoPostgres().driver, connessione);
        db.setHostName(indirizzo->host);
        if (indirizzo->porta > 0)
            db.setPort(indirizzo->porta);
        db.setDatabaseName(indirizzo->database);
        db.setUserName(indirizzo->utente);
        // Without a password in the URL the client library reads ~/.pgpass
        // (or PGPASSFILE).
        if (!indirizzo->password.isEmpty())
            db.setPassword(indirizzo->password);
        db.setConnectOptions(OpzioniConnessione(*indirizzo, opzioni));
    }
    std::unique_ptr<TRegistroSql> r(new TRegistroSql(indirizzo->Mostrato(), connessione, DialettoPostgres(), opzioni));
    r->FPassword = indirizzo->password;
    auto fallisci = [&]() {
        esito.guasto = r->FGuasto;
        esito.dettaglio = r->FDettaglio;
        return std::move(esito);
    };
    if (!r->Db().open()) {
        r->Guasta(r->Db().lastError());
        return fallisci();
    }
    // The password is no longer needed once connected.
    r->Db().setPassword(QString());
    int versione = 0;
    {
        QSqlQuery q(r->Db());
        q.prepare(DialettoPostgres().contaTabella);
        q.addBindValue(QStringLiteral("versione_schema"));
        if (!r->Esegui(q))
            return fallisci();
        if (q.next() && q.value(0).toInt() > 0) {
            q.finish();
            QSqlQuery v(r->Db());
            if (!v.exec(QStringLiteral("SELECT versione FROM versione_schema")) || !v.next()) {
                r->Guasta(TGuasto::Danneggiato, QStringLiteral("versione dello schema"));
                return fallisci();
            }
            versione = v.value(0).toInt();
        }
    }
    const int versioneNota = migrazioni.empty() ? 0 : migrazioni.back().versione;
    if (versione > versioneNota) {
        r->Guasta(TGuasto::PiuRecente, {});
        return fallisci();
    }
    if (versione < versioneNota) {
        if (!prepara) {
            r->Guasta(TGuasto::DaPreparare, {});
            return fallisci();
        }
        if (!r->Migra(migrazioni))
            return fallisci();
    }
    if ((prepara && !r->PreparaRuoli()) || !r->LeggiRuolo())
        return fallisci();
    esito.registro = std::move(r);
    return esito;
}

bool TRegistroSql::BloccaAlunno(qint64 alunno)
{
    if (FDialetto.bloccaAlunno.isEmpty())
        return true;
    QSqlQuery q(Db());
    q.prepare(FDialetto.bloccaAlunno);
    q.addBindValue(alunno);
    return Esegui(q);
}

bool TRegistroSql::AttendiTurnoAlunno(const QString& nome)
{
    if (FDialetto.bloccaNome.isEmpty())
        return true;
    // The wait for the turn is not a statement's time-out: the import
    // before, whatever its size, ends with its own statements' time-outs.
    if (!Esegui(QStringLiteral("SET LOCAL statement_timeout = 0")))
        return false;
    QSqlQuery q(Db());
    q.prepare(FDialetto.bloccaNome);
    q.addBindValue(nome.trimmed().toLower());
    if (!Esegui(q))
        return false;
    q.finish();
    return Esegui(QStringLiteral("SET LOCAL statement_timeout = %1").arg(std::max(1000, FOpzioni.attesaMs)));
}

bool TRegistroSql::Migra(const std::vector<TMigrazione>& migrazioni)
{
    // Taking the write lock here also finds out, at open, a record that
    // cannot be written or that another program keeps locked.
    if (!Inizia())
        return false;
    int versione = 0;
    {
        QSqlQuery q(Db());
        q.prepare(FDialetto.contaTabella);
        q.addBindValue(QStringLiteral("versione_schema"));
        if (!Esegui(q))
            return false;
        if (q.next() && q.value(0).toInt() > 0) {
            q.finish();
            q.prepare(QStringLiteral("SELECT versione FROM versione_schema"));
            if (!Esegui(q))
                return false;
            versione = q.next() ? q.value(0).toInt() : 0;
        }
    }
    if (versione > (migrazioni.empty() ? 0 : migrazioni.back().versione)) {
        Annulla();
        Guasta(TGuasto::PiuRecente, {});
        return false;
    }
    for (const auto& m : migrazioni) {
        if (m.versione <= versione)
            continue;
        for (const QString& istruzione : m.istruzioni) {
            const QString sql = FDialetto.Schema(istruzione);
            if (!sql.isEmpty() && !Esegui(sql))
                return false;
        }
        if (m.chiaviAlunni && !ScriviChiaviAlunni())
            return false;
        for (const QString& istruzione : m.dopo) {
            const QString sql = FDialetto.Schema(istruzione);
            if (!sql.isEmpty() && !Esegui(sql))
                return false;
        }
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("UPDATE versione_schema SET versione = ?"));
        q.addBindValue(m.versione);
        if (!Esegui(q))
            return false;
    }
    if (!FDialetto.server) {
        // A table made again must leave every reference sound.
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("PRAGMA foreign_key_check"));
        if (!Esegui(q))
            return false;
        if (q.next()) {
            Guasta(TGuasto::Danneggiato, QStringLiteral("riferimenti tra le tabelle"));
            return false;
        }
    }
    return Conferma();
}

bool TRegistroSql::ScriviChiaviAlunni()
{
    struct TRiga {
        qint64 id;
        QString nome, classe;
    };
    std::vector<TRiga> righe;
    {
        QSqlQuery q(Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT id, nome, classe FROM alunni ORDER BY id"));
        if (!Esegui(q))
            return false;
        while (q.next())
            righe.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
    }
    std::set<std::pair<QString, QString>> usate;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("UPDATE alunni SET nome_chiave = ?, classe_chiave = ? WHERE id = ?"));
    for (const TRiga& r : righe) {
        QString nome = ChiaveConfronto(r.nome);
        const QString classe = ChiaveConfronto(r.classe);
        // Two pupils that only case or spaces told apart ("Luca Verdi" in
        // "2B", "luca  verdi" in " 2b") stay two, never merged without a
        // word: the later one keeps a key no typed name gives (a control
        // character and its id), so it is listed and chosen as before, and
        // the teacher can merge them by export and import.
        if (!usate.insert({classe, nome}).second)
            nome += QChar(1) + QString::number(r.id);
        q.addBindValue(nome);
        q.addBindValue(classe);
        q.addBindValue(r.id);
        if (!Esegui(q))
            return false;
    }
    return true;
}

bool TRegistroSql::Esegui(QSqlQuery& q)
{
    // A statement that failed to prepare carries the engine's error, which
    // exec() would replace with one that says nothing.
    if (q.lastError().isValid()) {
        Guasta(q.lastError());
        return false;
    }
    if (q.exec())
        return true;
    Guasta(q.lastError());
    return false;
}

bool TRegistroSql::Esegui(const QString& sql)
{
    // Not prepared: a server prepares only queries, not BEGIN, COMMIT or
    // a table's definition.
    QSqlQuery q(Db());
    if (q.exec(sql))
        return true;
    Guasta(q.lastError());
    return false;
}

bool TRegistroSql::Inizia()
{
    if (!Esegui(FDialetto.inizioScrittura))
        return false;
    FInTransazione = true;
    return true;
}

bool TRegistroSql::Conferma()
{
    if (!Esegui(QStringLiteral("COMMIT")))
        return false;
    FInTransazione = false;
    FDaRiversare = true;
    FUltimaScrittura = FOrologio();
    return true;
}

void TRegistroSql::Annulla()
{
    if (!FInTransazione)
        return;
    FInTransazione = false;
    QSqlQuery q(Db());
    q.exec(QStringLiteral("ROLLBACK"));
}

void TRegistroSql::Guasta(const QSqlError& e)
{
    if (Server()) {
        // The server's text (English) only where it says why the
        // connection failed, with no password in it; else its code.
        const TGuasto g = GuastoDaErrorePg(e);
        QString testo = e.databaseText().simplified().left(300);
        if (!FPassword.isEmpty())
            testo.replace(FPassword, QStringLiteral("***"));
        Guasta(g, g == TGuasto::Irraggiungibile || g == TGuasto::Accesso
                      ? testo
                      : QStringLiteral("errore PostgreSQL %1").arg(e.nativeErrorCode()));
        return;
    }
    // The engine's own text is English: the message gives its code only.
    Guasta(GuastoDaErrore(e, FPercorso), e.nativeErrorCode().isEmpty()
                                             ? QStringLiteral("errore del database")
                                             : QStringLiteral("errore SQLite %1").arg(e.nativeErrorCode()));
}

void TRegistroSql::Guasta(TGuasto g, const QString& dettaglio)
{
    if (FGuasto != TGuasto::Nessuno)
        return;
    if (FRitenta && !FDialetto.server &&
        (g == TGuasto::Pieno || g == TGuasto::Occupato || g == TGuasto::SolaLettura || g == TGuasto::Illeggibile)) {
        // A fault of the file that may pass: the answers wait in memory,
        // the record stays the pupil's, and says so once until it writes
        // again. (A server's record has this computer's outbox for that.)
        Annulla();
        if (!FSospeso) {
            FSospeso = true;
            Informa(DescriviGuasto(g, FPercorso, g == TGuasto::Illeggibile ? dettaglio : QString()) +
                    QStringLiteral(" Le risposte sono tenute in memoria e saranno scritte appena si potrà: si riprova "
                                   "a ogni risposta e ogni minuto."));
        }
        return;
    }
    FGuasto = g;
    FDettaglio = dettaglio;
    // The transaction is given up at once; the connection is closed with
    // the record (a query of the caller may still hold a statement of it,
    // which the engine's driver can free only while it is open). Nothing
    // more is sent on it: every call of a faulty record returns at once.
    Annulla();
    FRegistra.reset();
    Avvisa(MessaggioGuasto(g, FPercorso, g == TGuasto::Illeggibile ? dettaglio : QString()));
}

namespace {
// The columns LeggiAlunno reads, first in a query.
// Whether a pupil has a PIN is read from its iterations: the teachers' role
// may not read the key itself (Ruoli.h).
const QString KColonneAlunno = QStringLiteral("id, nome, classe, pin_iterazioni, pin_altrove");
constexpr int KNumColonneAlunno = 5;
} // namespace

TAlunno TRegistroSql::LeggiAlunno(const QSqlQuery& q) const
{
    return {q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), !q.value(3).isNull(),
            q.value(4).toInt() != 0};
}

QList<TAlunno> TRegistroSql::Alunni()
{
    QList<TAlunno> alunni;
    if (Ospite())
        return alunni;
    QSqlQuery q(Db());
    q.prepare(Laboratorio() ? QStringLiteral("SELECT a.id, a.nome, a.classe, CASE WHEN a.con_pin THEN 1 END, 0 "
                                             "FROM mevario_classi() k CROSS JOIN LATERAL mevario_alunni(k.classe_chiave) a "
                                             "ORDER BY a.nome, a.classe")
                            : QStringLiteral("SELECT %1 FROM alunni ORDER BY nome, classe").arg(KColonneAlunno));
    if (!Esegui(q))
        return {};
    while (q.next())
        alunni.append(LeggiAlunno(q));
    return alunni;
}

std::optional<TAlunno> TRegistroSql::TrovaAlunno(const QString& nome, const QString& classe)
{
    if (Ospite())
        return {};
    QSqlQuery q(Db());
    q.prepare(Laboratorio() ? QStringLiteral("SELECT a.id, a.nome, a.classe, CASE WHEN a.con_pin THEN 1 END, 0 "
                                             "FROM mevario_alunni(?) a WHERE a.nome_chiave = ?")
                            : QStringLiteral("SELECT %1 FROM alunni WHERE classe_chiave = ? AND nome_chiave = ?")
                                  .arg(KColonneAlunno));
    q.addBindValue(ChiaveConfronto(classe));
    q.addBindValue(ChiaveConfronto(nome));
    if (!Esegui(q) || !q.next())
        return {};
    return LeggiAlunno(q);
}

std::optional<TAlunno> TRegistroSql::CreaAlunno(const QString& nome, const QString& classe)
{
    if (Ospite() || !NomeAlunnoValido(nome) || classe.size() > 60)
        return {};
    if (Laboratorio())
        return CreaAlunnoServer(nome, classe, {});
    {
        // Two programs may make the same pupil at once: one row stays.
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("INSERT INTO alunni (nome, classe, nome_chiave, classe_chiave, creato) "
                                 "VALUES (?, ?, ?, ?, ?) ON CONFLICT (classe_chiave, nome_chiave) DO NOTHING"));
        q.addBindValue(nome.trimmed());
        q.addBindValue(Testo(classe.trimmed()));
        q.addBindValue(ChiaveConfronto(nome));
        q.addBindValue(ChiaveConfronto(classe));
        q.addBindValue(QDateTime::currentMSecsSinceEpoch());
        if (!Esegui(q))
            return {};
    }
    return TrovaAlunno(nome, classe);
}

std::optional<TChiavePin> TRegistroSql::ChiavePin(qint64 alunno)
{
    if (Laboratorio())
        return {};
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT pin_sale, pin_chiave, pin_iterazioni FROM alunni WHERE id = ?"));
    q.addBindValue(alunno);
    if (!Esegui(q) || !q.next())
        return {};
    TChiavePin k;
    if (!q.value(1).isNull()) {
        k.sale = QByteArray::fromBase64(q.value(0).toString().toLatin1());
        k.chiave = QByteArray::fromBase64(q.value(1).toString().toLatin1());
        k.iterazioni = q.value(2).toInt();
    }
    return k;
}

bool TRegistroSql::ImpostaPin(qint64 alunno, const QString& pin)
{
    if (Ospite() || (!pin.isEmpty() && !PinValido(pin)))
        return false;
    const TChiavePin k = pin.isEmpty() ? TChiavePin() : NuovaChiavePin(pin, FOpzioni.iterazioniPin);
    if (Laboratorio())
        return ImpostaPinServer(alunno, k);
    if (!FUscita) {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("UPDATE alunni SET pin_sale = ?, pin_chiave = ?, pin_iterazioni = ? WHERE id = ?"));
        LegaChiave(q, k);
        q.addBindValue(alunno);
        return Esegui(q) && q.numRowsAffected() == 1;
    }
    // With an outbox: the key here and its line to the server, one commit.
    if (!Inizia())
        return false;
    const auto prima = ChiavePin(alunno);
    if (!prima) {
        Annulla();
        return false;
    }
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("UPDATE alunni SET pin_sale = ?, pin_chiave = ?, pin_iterazioni = ?, pin_altrove = 0 "
                             "WHERE id = ?"));
    LegaChiave(q, k);
    q.addBindValue(alunno);
    if (!Esegui(q))
        return false;
    QSqlQuery u(Db());
    u.prepare(QStringLiteral("INSERT INTO uscita_alunni (alunno, pin, pin_sale, pin_chiave, pin_iterazioni, chiave_prima) "
                             "VALUES (?, 1, ?, ?, ?, ?)"));
    u.addBindValue(alunno);
    LegaChiave(u, k);
    u.addBindValue(ChiaveTesto(*prima));
    return Esegui(u) && Conferma();
}

TEsitoPin TRegistroSql::ControllaPin(qint64 alunno, const QString& pin)
{
    if (Laboratorio())
        return ControllaPinServer(alunno, pin);
    TTentativiPin& t = FTentativi[alunno];
    if (!Ospite()) {
        // The tries as the record keeps them: another run may have made some.
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT pin_sbagliati, pin_attesa_fino FROM alunni WHERE id = ?"));
        q.addBindValue(alunno);
        if (Esegui(q) && q.next())
            t = TTentativiPin(q.value(0).toInt(), q.value(1).toLongLong());
    }
    if (t.SecondiAttesa(FOrologio()) > 0)
        return TEsitoPin::Attendi;
    if (Ospite())
        return TEsitoPin::Sbagliato;
    const auto k = ChiavePin(alunno);
    if (!k)
        return TEsitoPin::Sbagliato;
    if (k->Vuota())
        return TEsitoPin::Giusto;
    const bool giusto = PinCorrisponde(pin, *k);
    t.Tentativo(giusto, FOrologio());
    QSqlQuery q(Db());
    // A right PIN: the pupil knows the PIN that counts (pin_altrove told).
    q.prepare(giusto ? QStringLiteral("UPDATE alunni SET pin_sbagliati = ?, pin_attesa_fino = ?, pin_altrove = 0 WHERE id = ?")
                     : QStringLiteral("UPDATE alunni SET pin_sbagliati = ?, pin_attesa_fino = ? WHERE id = ?"));
    q.addBindValue(t.Sbagliati());
    q.addBindValue(t.FinoAMs());
    q.addBindValue(alunno);
    Esegui(q); // not kept: this run still counts the tries
    return giusto ? TEsitoPin::Giusto : TEsitoPin::Sbagliato;
}

int TRegistroSql::SecondiAttesaPin(qint64 alunno) const
{
    const auto it = FTentativi.find(alunno);
    return it == FTentativi.end() ? 0 : it->second.SecondiAttesa(FOrologio());
}

bool TRegistroSql::InserisciRisposta(qint64 alunno, const TRispostaRegistrata& r, bool& inserita)
{
    QSqlQuery q(Db());
    q.prepare(QStringLiteral(
        "INSERT INTO risposte (uuid, alunno, argomento, esercizio, seme, risposta, giusta, diagnosi, tipo_errore, "
        "ripassa, soluzione_vista, secondi, quando, giorno, computer) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (uuid) DO NOTHING"));
    q.addBindValue(FDialetto.Uuid(r.uuid));
    q.addBindValue(alunno);
    q.addBindValue(Testo(r.argomento));
    q.addBindValue(Testo(r.esercizio, 4096));
    q.addBindValue(r.seme ? QVariant(static_cast<qint64>(*r.seme)) : QVariant(QMetaType::fromType<qint64>()));
    q.addBindValue(Testo(r.risposta, 4096));
    q.addBindValue(r.giusta ? 1 : 0);
    q.addBindValue(Testo(r.diagnosi, 4096));
    q.addBindValue(Testo(r.tipoErrore, 1024));
    q.addBindValue(Testo(r.ripassa, 1024));
    q.addBindValue(r.soluzioneVista ? 1 : 0);
    q.addBindValue(r.secondi);
    q.addBindValue(r.quando.toMSecsSinceEpoch());
    q.addBindValue(Giorno(r.giorno));
    q.addBindValue(Testo(r.computer, 256));
    if (!Esegui(q))
        return false;
    inserita = q.numRowsAffected() == 1;
    return true;
}

bool TRegistroSql::RegistraPer(qint64 alunno, const TRispostaGiudicata& giudicata)
{
    if (Ospite() || giudicata.argomento.isEmpty())
        return false;
    TRispostaRegistrata r;
    static_cast<TRispostaGiudicata&>(r) = giudicata;
    if (r.uuid.isNull())
        r.uuid = QUuid::createUuid();
    if (!r.quando.isValid())
        r.quando = QDateTime::currentDateTime();
    if (r.computer.isEmpty())
        r.computer = QSysInfo::machineHostName();
    if (!std::isfinite(r.secondi) || r.secondi < 0)
        r.secondi = 0;
    r.giorno = r.quando.toLocalTime().date();
    if (Laboratorio())
        return RegistraServer(alunno, r);
    // Kept in memory until it is written: after a fault that may pass (a
    // full disk) it is written with the next answer or the next try.
    FTrattenute.push_back({alunno, r});
    return ScriviTrattenute();
}

bool TRegistroSql::Riprova()
{
    return FTrattenute.empty() || (!Ospite() && ScriviTrattenute());
}

bool TRegistroSql::ScriviTrattenute()
{
    const bool sospeso = FSospeso;
    const int quante = static_cast<int>(FTrattenute.size());
    while (!FTrattenute.empty()) {
        FRitenta = true;
        const bool scritta = ScriviRisposta(FTrattenute.front().first, FTrattenute.front().second);
        FRitenta = false;
        if (!scritta) {
            if (Ospite()) // a fault that does not pass: nothing more is kept
                FTrattenute.clear();
            return false;
        }
        FTrattenute.erase(FTrattenute.begin());
    }
    if (sospeso) {
        FSospeso = false;
        const QString risposte = quante == 1 ? QStringLiteral("la risposta tenuta in memoria è stata scritta")
                                             : QStringLiteral("le %1 risposte tenute in memoria sono state scritte").arg(quante);
        Informa(QStringLiteral("Il registro degli alunni «%1» si scrive di nuovo: %2.").arg(FPercorso, risposte));
    }
    return true;
}

bool TRegistroSql::RiversaLog(int quietoMs)
{
    if (Ospite() || FDialetto.server || FSoloLettura || FInTransazione || !FDaRiversare)
        return true;
    if (quietoMs > 0 && FOrologio() - FUltimaScrittura < quietoMs)
        return false;
    // Not a fault when it cannot be done now (another program reading):
    // the log stays a valid part of the record, tried again later.
    QSqlQuery q(Db());
    if (!q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) || !q.next() || q.value(0).toInt() != 0)
        return false;
    FDaRiversare = false;
    return true;
}

bool TRegistroSql::ScriviRisposta(qint64 alunno, const TRispostaRegistrata& r)
{
    if (!Inizia() || !BloccaAlunno(alunno))
        return false;
    bool inserita = false;
    if (!InserisciRisposta(alunno, r, inserita))
        return false;
    if (!inserita) // already kept: a retry of the same answer
        return Conferma();
    if (FUscita) {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("INSERT INTO uscita (uuid) VALUES (?)"));
        q.addBindValue(FDialetto.Uuid(r.uuid));
        if (!Esegui(q))
            return false;
    }
    if (r.Forma()) // kept with the answers; no tally, no review moves
        return Conferma();
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral(
            "INSERT INTO esiti_giorno (alunno, argomento, giorno, giuste, sbagliate) VALUES (?, ?, ?, ?, ?) "
            "ON CONFLICT (alunno, argomento, giorno) DO UPDATE SET giuste = esiti_giorno.giuste + excluded.giuste, "
            "sbagliate = esiti_giorno.sbagliate + excluded.sbagliate"));
        q.addBindValue(alunno);
        q.addBindValue(r.argomento);
        q.addBindValue(Giorno(r.giorno));
        q.addBindValue(r.giusta ? 1 : 0);
        q.addBindValue(r.giusta ? 0 : 1);
        if (!Esegui(q))
            return false;
    }
    QString ultime;
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT ultime FROM esiti_argomento WHERE alunno = ? AND argomento = ?"));
        q.addBindValue(alunno);
        q.addBindValue(r.argomento);
        if (!Esegui(q))
            return false;
        if (q.next())
            ultime = q.value(0).toString();
    }
    ultime = (ultime + (r.giusta ? QLatin1Char('1') : QLatin1Char('0'))).right(KUltime);
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("INSERT INTO esiti_argomento (alunno, argomento, ultime) VALUES (?, ?, ?) "
                                 "ON CONFLICT (alunno, argomento) DO UPDATE SET ultime = excluded.ultime"));
        q.addBindValue(alunno);
        q.addBindValue(r.argomento);
        q.addBindValue(ultime);
        if (!Esegui(q))
            return false;
    }
    // The topic's review items, moved by this answer.
    TRipasso::TVoci voci;
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT tipo, scatola, scadenza FROM ripasso WHERE alunno = ? AND argomento = ?"));
        q.addBindValue(alunno);
        q.addBindValue(r.argomento);
        if (!Esegui(q))
            return false;
        while (q.next())
            voci[{r.argomento, q.value(0).toString()}] = {q.value(1).toInt(),
                                                          QDate::fromString(q.value(2).toString(), Qt::ISODate)};
    }
    TRipasso ripasso(std::move(voci));
    for (const auto& chiave : ripasso.Applica({r.argomento, r.giusta, r.tipoErrore, r.ripassa, r.giorno})) {
        QSqlQuery q(Db());
        const auto it = ripasso.Voci().find(chiave);
        if (it == ripasso.Voci().end()) {
            q.prepare(QStringLiteral("DELETE FROM ripasso WHERE alunno = ? AND argomento = ? AND tipo = ?"));
            q.addBindValue(alunno);
            q.addBindValue(chiave.first);
            q.addBindValue(chiave.second);
        } else {
            q.prepare(QStringLiteral("INSERT INTO ripasso (alunno, argomento, tipo, scatola, scadenza) "
                                     "VALUES (?, ?, ?, ?, ?) ON CONFLICT (alunno, argomento, tipo) "
                                     "DO UPDATE SET scatola = excluded.scatola, scadenza = excluded.scadenza"));
            q.addBindValue(alunno);
            q.addBindValue(chiave.first);
            q.addBindValue(chiave.second);
            q.addBindValue(it->second.scatola);
            q.addBindValue(Giorno(it->second.scadenza));
        }
        if (!Esegui(q))
            return false;
    }
    return Conferma();
}

bool TRegistroSql::Ricostruisci(qint64 alunno)
{
    struct TConti {
        int giuste = 0, sbagliate = 0;
    };
    std::map<std::pair<QString, QString>, TConti> giorni; // topic, day
    std::map<QString, QString> ultime;
    TRipasso ripasso;
    {
        QSqlQuery q(Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT argomento, giusta, tipo_errore, ripassa, giorno FROM risposte "
                                 "WHERE alunno = ? ORDER BY quando, uuid"));
        q.addBindValue(alunno);
        if (!Esegui(q))
            return false;
        while (q.next()) {
            const QString argomento = q.value(0).toString();
            const bool giusta = q.value(1).toInt() != 0;
            if (!giusta && q.value(2).toString() == KTipoForma)
                continue; // a slip of form counts nowhere
            const QString giorno = q.value(4).toString();
            TConti& c = giorni[{argomento, giorno}];
            (giusta ? c.giuste : c.sbagliate)++;
            QString& u = ultime[argomento];
            u += giusta ? QLatin1Char('1') : QLatin1Char('0');
            if (u.size() > KUltime)
                u.remove(0, u.size() - KUltime);
            ripasso.Applica({argomento, giusta, q.value(2).toString(), q.value(3).toString(),
                             QDate::fromString(giorno, Qt::ISODate)});
        }
    }
    for (const char* tabella : {"esiti_giorno", "esiti_argomento", "ripasso"}) {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE alunno = ?").arg(QLatin1String(tabella)));
        q.addBindValue(alunno);
        if (!Esegui(q))
            return false;
    }
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("INSERT INTO esiti_giorno (alunno, argomento, giorno, giuste, sbagliate) VALUES (?, ?, ?, ?, ?)"));
    for (const auto& [chiave, c] : giorni) {
        q.addBindValue(alunno);
        q.addBindValue(chiave.first);
        q.addBindValue(chiave.second);
        q.addBindValue(c.giuste);
        q.addBindValue(c.sbagliate);
        if (!Esegui(q))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO esiti_argomento (alunno, argomento, ultime) VALUES (?, ?, ?)"));
    for (const auto& [argomento, u] : ultime) {
        q.addBindValue(alunno);
        q.addBindValue(argomento);
        q.addBindValue(u);
        if (!Esegui(q))
            return false;
    }
    q.prepare(QStringLiteral("INSERT INTO ripasso (alunno, argomento, tipo, scatola, scadenza) VALUES (?, ?, ?, ?, ?)"));
    for (const auto& [chiave, stato] : ripasso.Voci()) {
        q.addBindValue(alunno);
        q.addBindValue(chiave.first);
        q.addBindValue(chiave.second);
        q.addBindValue(stato.scatola);
        q.addBindValue(Giorno(stato.scadenza));
        if (!Esegui(q))
            return false;
    }
    return true;
}

TProgressi TRegistroSql::Progressi(qint64 alunno, QDate oggi)
{
    TProgressi p = TRegistroOspite().Progressi(alunno, oggi);
    if (Ospite() || (Laboratorio() && Sessione(alunno).isEmpty()))
        return p;
    std::map<QString, TProgressoArgomento> argomenti;
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT argomento, sum(giuste), sum(sbagliate), count(*), max(giorno) FROM ") +
                  Di("esiti_giorno") + QStringLiteral(" GROUP BY argomento"));
        q.addBindValue(Chiave(alunno));
        if (!Esegui(q))
            return p;
        while (q.next()) {
            TProgressoArgomento& a = argomenti[q.value(0).toString()];
            a.argomento = q.value(0).toString();
            a.giuste = q.value(1).toInt();
            a.sbagliate = q.value(2).toInt();
            a.giorni = q.value(3).toInt();
            a.ultimoGiorno = QDate::fromString(q.value(4).toString(), Qt::ISODate);
        }
    }
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT argomento, ultime FROM ") + Di("esiti_argomento"));
        q.addBindValue(Chiave(alunno));
        if (!Esegui(q))
            return p;
        while (q.next()) {
            const auto it = argomenti.find(q.value(0).toString());
            if (it == argomenti.end())
                continue;
            const QString u = q.value(1).toString();
            it->second.ultime = static_cast<int>(u.size());
            it->second.ultimeGiuste = static_cast<int>(u.count(QLatin1Char('1')));
        }
    }
    for (auto& [nome, a] : argomenti)
        p.argomenti.append(a);
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT giorno, sum(giuste), sum(sbagliate) FROM ") + Di("esiti_giorno") +
                  QStringLiteral(" AND giorno >= ? AND giorno <= ? GROUP BY giorno"));
        q.addBindValue(Chiave(alunno));
        q.addBindValue(Giorno(oggi.addDays(-29)));
        q.addBindValue(Giorno(oggi));
        if (!Esegui(q))
            return p;
        while (q.next()) {
            const qint64 i = 29 - QDate::fromString(q.value(0).toString(), Qt::ISODate).daysTo(oggi);
            if (i >= 0 && i < p.giorni.size()) {
                p.giorni[i].giuste = q.value(1).toInt();
                p.giorni[i].sbagliate = q.value(2).toInt();
            }
        }
    }
    return p;
}

QList<TVoceRipasso> TRegistroSql::RipassoDovuto(qint64 alunno, QDate oggi)
{
    QList<TVoceRipasso> voci;
    if (Ospite() || (Laboratorio() && Sessione(alunno).isEmpty()))
        return voci;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT argomento, tipo, scatola, scadenza FROM ") + Di("ripasso") +
              QStringLiteral(" AND scadenza <= ? ORDER BY scadenza, argomento, tipo"));
    q.addBindValue(Chiave(alunno));
    q.addBindValue(Giorno(oggi));
    if (!Esegui(q))
        return {};
    while (q.next())
        voci.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(),
                     QDate::fromString(q.value(3).toString(), Qt::ISODate)});
    return voci;
}

QList<TRigaAlunno> TRegistroSql::RigheAlunni()
{
    QList<TRigaAlunno> righe;
    if (Ospite() || Laboratorio())
        return righe;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT a.id, a.nome, a.classe, a.pin_iterazioni, a.pin_altrove, sum(e.giuste), "
                             "sum(e.sbagliate), max(e.giorno) FROM alunni a LEFT JOIN esiti_giorno e ON e.alunno = a.id "
                             "GROUP BY a.id, a.nome, a.classe, a.pin_iterazioni, a.pin_altrove ORDER BY a.nome, a.classe"));
    if (!Esegui(q))
        return {};
    constexpr int c = KNumColonneAlunno;
    while (q.next())
        righe.append({LeggiAlunno(q), q.value(c).toInt(), q.value(c + 1).toInt(),
                      QDate::fromString(q.value(c + 2).toString(), Qt::ISODate)});
    return righe;
}

QList<TRispostaRegistrata> TRegistroSql::Storico(qint64 alunno, const QString& argomento, QDate dal)
{
    QList<TRispostaRegistrata> risposte;
    if (Ospite() || (Laboratorio() && Sessione(alunno).isEmpty()))
        return risposte;
    QString sql = QStringLiteral("SELECT uuid, argomento, esercizio, seme, risposta, giusta, diagnosi, tipo_errore, "
                                 "ripassa, soluzione_vista, secondi, quando, giorno, computer FROM ") +
                  Di("risposte");
    if (!argomento.isEmpty())
        sql += QStringLiteral(" AND argomento = ?");
    if (dal.isValid())
        sql += QStringLiteral(" AND giorno >= ?");
    sql += QStringLiteral(" ORDER BY quando, uuid");
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    q.prepare(sql);
    q.addBindValue(Chiave(alunno));
    if (!argomento.isEmpty())
        q.addBindValue(argomento);
    if (dal.isValid())
        q.addBindValue(Giorno(dal));
    if (!Esegui(q))
        return {};
    while (q.next())
        risposte.append(LeggiRisposta(q, 0, FDialetto));
    return risposte;
}

std::optional<TEsportazione> TRegistroSql::Esporta(qint64 alunno)
{
    if (Ospite() || Ruolo() != TRuoloServer::Proprietario)
        return {};
    TEsportazione e;
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT nome, classe FROM alunni WHERE id = ?"));
        q.addBindValue(alunno);
        if (!Esegui(q) || !q.next())
            return {};
        e.nome = q.value(0).toString();
        e.classe = q.value(1).toString();
    }
    const auto pin = ChiavePin(alunno);
    if (!pin)
        return {};
    e.pin = *pin;
    e.risposte = Storico(alunno);
    if (Ospite())
        return {};
    return e;
}

TRegistroSql::TEsitoImporta TRegistroSql::Importa(const TEsportazione& e)
{
    TEsitoImporta esito;
    if (Ospite() || Ruolo() != TRuoloServer::Proprietario || !Inizia() || !AttendiTurnoAlunno(e.nome))
        return esito;
    auto alunno = TrovaAlunno(e.nome, e.classe);
    if (Ospite())
        return esito;
    if (!alunno) {
        // The same name in another class is another pupil: said, not merged.
        const QString chiave = ChiaveConfronto(e.nome);
        for (const TAlunno& a : Alunni())
            if (ChiaveConfronto(a.nome) == chiave)
                esito.altreClassi << a.classe;
        if (Ospite())
            return esito;
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("INSERT INTO alunni (nome, classe, nome_chiave, classe_chiave, pin_sale, pin_chiave, "
                                 "pin_iterazioni, creato) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"));
        q.addBindValue(e.nome.trimmed());
        q.addBindValue(Testo(e.classe.trimmed()));
        q.addBindValue(ChiaveConfronto(e.nome));
        q.addBindValue(ChiaveConfronto(e.classe));
        LegaChiave(q, e.pin);
        q.addBindValue(QDateTime::currentMSecsSinceEpoch());
        if (!Esegui(q))
            return esito;
        alunno = TrovaAlunno(e.nome, e.classe);
        if (!alunno)
            return esito;
        esito.alunnoNuovo = true;
    } else if (alunno->nome != e.nome.trimmed() || alunno->classe != e.classe.trimmed()) {
        esito.scrittoAltrimenti = true;
    }
    if (!BloccaAlunno(alunno->id))
        return esito;
    for (const auto& r : e.risposte) {
        bool inserita = false;
        if (!InserisciRisposta(alunno->id, r, inserita))
            return esito;
        if (!inserita) {
            // Already there: the same pupil's, or refused whole.
            QSqlQuery q(Db());
            q.prepare(QStringLiteral("SELECT alunno FROM risposte WHERE uuid = ?"));
            q.addBindValue(FDialetto.Uuid(r.uuid));
            if (!Esegui(q))
                return esito;
            if (q.next() && q.value(0).toLongLong() != alunno->id) {
                q.finish();
                Annulla();
                esito = {};
                esito.rifiuto = QStringLiteral("la risposta %1 (uuid %2) è già nel registro di un altro alunno")
                                    .arg(&r - e.risposte.constData() + 1)
                                    .arg(r.uuid.toString(QUuid::WithoutBraces));
                return esito;
            }
        }
        (inserita ? esito.nuove : esito.presenti)++;
    }
    if ((esito.nuove > 0 && !Ricostruisci(alunno->id)) || !Conferma())
        return esito;
    esito.riuscito = true;
    return esito;
}

QList<TRegistroSql::TInUscita> TRegistroSql::InUscita(int quante)
{
    QList<TInUscita> righe;
    if (Ospite())
        return righe;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT u.n, a.nome, a.classe, r.uuid, r.argomento, r.esercizio, r.seme, r.risposta, "
                             "r.giusta, r.diagnosi, r.tipo_errore, r.ripassa, r.soluzione_vista, r.secondi, r.quando, "
                             "r.giorno, r.computer FROM uscita u JOIN risposte r ON r.uuid = u.uuid "
                             "JOIN alunni a ON a.id = r.alunno ORDER BY u.n LIMIT ?"));
    q.addBindValue(quante);
    if (!Esegui(q))
        return {};
    while (q.next()) {
        TInUscita u;
        u.n = q.value(0).toLongLong();
        u.nome = q.value(1).toString();
        u.classe = q.value(2).toString();
        u.risposta = LeggiRisposta(q, 3, FDialetto);
        righe.append(std::move(u));
    }
    return righe;
}

int TRegistroSql::ContaUscita()
{
    QSqlQuery q(Db());
    if (Ospite() || !q.exec(QStringLiteral("SELECT count(*) FROM uscita")) || !q.next())
        return 0;
    return q.value(0).toInt();
}

bool TRegistroSql::TogliDaUscita(qint64 n)
{
    if (Ospite())
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("DELETE FROM uscita WHERE n = ?"));
    q.addBindValue(n);
    return Esegui(q);
}

std::optional<TAlunno> TRegistroSql::CopiaAlunno(const TAlunno& a, const TChiavePin& pin)
{
    if (Ospite() || Laboratorio() || !NomeAlunnoValido(a.nome))
        return {};
    QSqlQuery q(Db());
    // A PIN set here that the server has not taken yet stays (the pupils'
    // outbox sends it, or tells that another computer's came first).
    q.prepare(QStringLiteral("INSERT INTO alunni (nome, classe, nome_chiave, classe_chiave, pin_sale, pin_chiave, "
                             "pin_iterazioni, creato) VALUES (?, ?, ?, ?, ?, ?, ?, ?) "
                             "ON CONFLICT (classe_chiave, nome_chiave) DO UPDATE SET "
                             "pin_sale = excluded.pin_sale, pin_chiave = excluded.pin_chiave, "
                             "pin_iterazioni = excluded.pin_iterazioni "
                             "WHERE NOT EXISTS (SELECT 1 FROM uscita_alunni u WHERE u.alunno = alunni.id)"));
    q.addBindValue(a.nome.trimmed());
    q.addBindValue(Testo(a.classe.trimmed()));
    q.addBindValue(ChiaveConfronto(a.nome));
    q.addBindValue(ChiaveConfronto(a.classe));
    LegaChiave(q, pin);
    q.addBindValue(QDateTime::currentMSecsSinceEpoch());
    if (!Esegui(q))
        return {};
    return TrovaAlunno(a.nome, a.classe);
}

bool TRegistroSql::AccodaAlunno(qint64 alunno)
{
    if (Ospite())
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("INSERT INTO uscita_alunni (alunno, pin) VALUES (?, 0)"));
    q.addBindValue(alunno);
    return Esegui(q);
}

QList<TRegistroSql::TAlunnoInUscita> TRegistroSql::AlunniInUscita(int quante)
{
    QList<TAlunnoInUscita> righe;
    if (Ospite())
        return righe;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT u.n, u.alunno, a.nome, a.classe, u.pin, u.pin_sale, u.pin_chiave, "
                             "u.pin_iterazioni, u.chiave_prima FROM uscita_alunni u JOIN alunni a ON a.id = u.alunno "
                             "ORDER BY u.n LIMIT ?"));
    q.addBindValue(quante);
    if (!Esegui(q))
        return {};
    while (q.next()) {
        TAlunnoInUscita u;
        u.n = q.value(0).toLongLong();
        u.alunno = q.value(1).toLongLong();
        u.nome = q.value(2).toString();
        u.classe = q.value(3).toString();
        u.pin = q.value(4).toInt() != 0;
        if (!q.value(6).isNull()) {
            u.chiave.sale = QByteArray::fromBase64(q.value(5).toString().toLatin1());
            u.chiave.chiave = QByteArray::fromBase64(q.value(6).toString().toLatin1());
            u.chiave.iterazioni = q.value(7).toInt();
        }
        u.chiavePrima = q.value(8).toString();
        righe.append(std::move(u));
    }
    return righe;
}

int TRegistroSql::ContaAlunniInUscita()
{
    QSqlQuery q(Db());
    if (Ospite() || !q.exec(QStringLiteral("SELECT count(*) FROM uscita_alunni")) || !q.next())
        return 0;
    return q.value(0).toInt();
}

bool TRegistroSql::TogliAlunnoDaUscita(qint64 n)
{
    if (Ospite())
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("DELETE FROM uscita_alunni WHERE n = ?"));
    q.addBindValue(n);
    return Esegui(q);
}

bool TRegistroSql::PinRiconosciuto(qint64 alunno)
{
    if (Ospite())
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("UPDATE alunni SET pin_altrove = 0 WHERE id = ? AND pin_altrove <> 0"));
    q.addBindValue(alunno);
    return Esegui(q);
}

bool TRegistroSql::PinPresoAltrove(qint64 n, qint64 alunno, const TChiavePin& delServer)
{
    if (Ospite() || !Inizia())
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("UPDATE alunni SET pin_sale = ?, pin_chiave = ?, pin_iterazioni = ?, pin_altrove = 1, "
                             "pin_sbagliati = 0, pin_attesa_fino = 0 WHERE id = ?"));
    LegaChiave(q, delServer);
    q.addBindValue(alunno);
    if (!Esegui(q))
        return false;
    QSqlQuery d(Db());
    d.prepare(QStringLiteral("DELETE FROM uscita_alunni WHERE n = ?"));
    d.addBindValue(n);
    return Esegui(d) && Conferma();
}

std::optional<TChiavePin> TRegistroSql::ImpostaChiaveSe(qint64 alunno, const TChiavePin& nuova, const QString& prima)
{
    if (Ospite() || !Inizia() || !BloccaAlunno(alunno))
        return std::nullopt;
    const auto ora = ChiavePin(alunno);
    if (!ora) {
        Annulla();
        return std::nullopt;
    }
    const QString oraTesto = ChiaveTesto(*ora).toString();
    // Taken over the key the computer knew, or already the same key (a
    // line sent again); any other key came first from another computer.
    if (oraTesto != prima && oraTesto != ChiaveTesto(nuova).toString()) {
        Annulla();
        return *ora;
    }
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("UPDATE alunni SET pin_sale = ?, pin_chiave = ?, pin_iterazioni = ? WHERE id = ?"));
    LegaChiave(q, nuova);
    q.addBindValue(alunno);
    if (!Esegui(q) || !Conferma())
        return std::nullopt;
    return nuova;
}

} // namespace mevario
