// TRegistroSql on a school's server with the rights of a role (Ruoli.h):
// what `prepara` sets, which role a connection has, and what the lab PCs'
// role does through the server's functions.
#include <QSqlQuery>

#include <algorithm>

#include "RegistroSql.h"
#include "Ruoli.h"

namespace mevario {

namespace {

// A text as the server's functions take it: a server's text cannot hold NUL.
QString SenzaNul(const QString& s)
{
    QString t = s.isNull() ? QLatin1String("") : s;
    t.remove(QChar(0));
    return t;
}

QVariant TestoONullo(const QByteArray& b)
{
    return b.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(QString::fromLatin1(b.toBase64()));
}

} // namespace

bool TRegistroSql::PreparaRuoli()
{
    if (!Server())
        return true;
    QString schema;
    bool laboratorio = false, docenti = false, attivitaNascosta = false;
    {
        QSqlQuery q(Db());
        if (!q.exec(QStringLiteral("SELECT current_schema()")) || !q.next()) {
            Guasta(q.lastError());
            return false;
        }
        schema = q.value(0).toString();
        q.prepare(QStringLiteral("SELECT r.rolname, EXISTS (SELECT 1 FROM pg_db_role_setting s WHERE s.setrole = r.oid "
                                 "AND 'track_activities=off' = ANY (s.setconfig)) FROM pg_roles r WHERE r.rolname IN (?, ?)"));
        q.addBindValue(KRuoloLaboratorio);
        q.addBindValue(KRuoloDocenti);
        if (!Esegui(q))
            return false;
        while (q.next()) {
            if (q.value(0).toString() == KRuoloLaboratorio) {
                laboratorio = true;
                attivitaNascosta = q.value(1).toBool();
            } else {
                docenti = true;
            }
        }
    }
    // The notices of "already there" are no news to the technician.
    if (!Inizia() || !Esegui(QStringLiteral("SET LOCAL client_min_messages = warning")))
        return false;
    for (const QString& istruzione : IstruzioniRuoli(schema, laboratorio, docenti))
        if (!Esegui(istruzione))
            return false;
    if (!Conferma())
        return false;
    FAvvisiRuoli.clear();
    for (const auto& [esiste, ruolo, chi] :
         {std::tuple{laboratorio, KRuoloLaboratorio, QStringLiteral("dei computer del laboratorio")},
          std::tuple{docenti, KRuoloDocenti, QStringLiteral("dei docenti")}})
        if (!esiste)
            FAvvisiRuoli << QStringLiteral("Il ruolo %1 «%2» non esiste: il tecnico lo crea con "
                                           "«createuser -P %2» e ripete «prepara».")
                                .arg(chi, ruolo);
    if (laboratorio && !attivitaNascosta)
        FAvvisiRuoli << QStringLiteral("Il ruolo «%1» mostra agli altri computer del laboratorio le sue istruzioni in "
                                       "corso: il tecnico, come amministratore del server, esegue "
                                       "«ALTER ROLE %1 SET track_activities = off».")
                            .arg(KRuoloLaboratorio);
    return true;
}

bool TRegistroSql::LeggiRuolo()
{
    if (!Server())
        return true;
    QSqlQuery q(Db());
    if (!q.exec(QStringLiteral("SELECT pg_has_role((SELECT relowner FROM pg_class WHERE oid = 'alunni'::regclass), "
                               "'USAGE'), has_column_privilege('alunni', 'nome', 'SELECT'), "
                               "coalesce(has_function_privilege(to_regprocedure('mevario_prova_pin(bigint, text)'), "
                               "'EXECUTE'), false)")) ||
        !q.next()) {
        Guasta(q.lastError());
        return false;
    }
    if (q.value(0).toBool()) {
        FRuolo = TRuoloServer::Proprietario;
    } else if (q.value(1).toBool()) {
        FRuolo = TRuoloServer::Docenti;
    } else if (q.value(2).toBool()) {
        FRuolo = TRuoloServer::Laboratorio;
    } else {
        Guasta(TGuasto::Accesso, QStringLiteral("l'utente non ha diritti sul registro: il tecnico esegue "
                                                "«mevario-registro --db URL prepara» come proprietario del database"));
        return false;
    }
    return true;
}

QString TRegistroSql::Sessione(qint64 alunno) const
{
    const auto it = FSessioni.find(alunno);
    return it == FSessioni.end() ? QString() : it->second;
}

void TRegistroSql::ImpostaSessione(qint64 alunno, const QString& sessione)
{
    FSessioni[alunno] = sessione;
    FScritture[alunno] = ImprontaSessione(sessione);
}

QString TRegistroSql::Scrittura(qint64 alunno) const
{
    const auto it = FScritture.find(alunno);
    return it == FScritture.end() ? QString() : it->second;
}

void TRegistroSql::ImpostaScrittura(qint64 alunno, const QString& scrittura)
{
    FScritture[alunno] = scrittura;
}

QString TRegistroSql::Di(const char* tabella) const
{
    const QString t = QString::fromLatin1(tabella);
    return Laboratorio() ? QStringLiteral("mevario_%1(?) AS %1 WHERE TRUE").arg(t)
                         : QStringLiteral("%1 WHERE alunno = ?").arg(t);
}

QVariant TRegistroSql::Chiave(qint64 alunno) const
{
    return Laboratorio() ? QVariant(Sessione(alunno)) : QVariant(alunno);
}

TEsitoPin TRegistroSql::ControllaPinServer(qint64 alunno, const QString& pin)
{
    if (Ospite())
        return TEsitoPin::Sbagliato;
    // The try, then (in a transaction of its own) its result.
    QString biglietto;
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT mevario_prova_pin(?, ?)"));
        q.addBindValue(alunno);
        q.addBindValue(SenzaNul(pin).left(16));
        if (!Esegui(q) || !q.next() || q.value(0).isNull())
            return TEsitoPin::Sbagliato;
        biglietto = q.value(0).toString();
    }
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT esito, secondi, sessione FROM mevario_esito_pin(?)"));
    q.addBindValue(biglietto);
    if (!Esegui(q) || !q.next())
        return TEsitoPin::Sbagliato;
    const QString esito = q.value(0).toString();
    const int secondi = q.value(1).toInt();
    FTentativi[alunno] = TTentativiPin(0, secondi > 0 ? FOrologio() + secondi * 1000LL : 0);
    if (esito == QLatin1String("giusto")) {
        ImpostaSessione(alunno, q.value(2).toString());
        return TEsitoPin::Giusto;
    }
    return esito == QLatin1String("attendi") ? TEsitoPin::Attendi : TEsitoPin::Sbagliato;
}

std::optional<TAlunno> TRegistroSql::CreaAlunnoServer(const QString& nome, const QString& classe, const TChiavePin& pin,
                                                    bool* stessa)
{
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT id, nome, classe, CASE WHEN con_pin THEN 1 END, 0, scrittura, stessa_chiave "
                             "FROM mevario_crea_alunno(?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(SenzaNul(nome.trimmed()));
    q.addBindValue(SenzaNul(classe.trimmed()));
    q.addBindValue(SenzaNul(ChiaveConfronto(nome)));
    q.addBindValue(SenzaNul(ChiaveConfronto(classe)));
    q.addBindValue(TestoONullo(pin.sale));
    q.addBindValue(TestoONullo(pin.chiave));
    q.addBindValue(pin.Vuota() ? QVariant(QMetaType::fromType<int>()) : QVariant(pin.iterazioni));
    if (!Esegui(q) || !q.next())
        return {};
    const TAlunno a = LeggiAlunno(q);
    if (!q.value(5).isNull())
        FScritture[a.id] = q.value(5).toString();
    if (stessa)
        *stessa = q.value(6).toBool();
    return a;
}

std::optional<TAlunno> TRegistroSql::ProponiPinServer(const QString& nome, const QString& classe,
                                                     const TChiavePin& pin, bool& stessa)
{
    stessa = false;
    if (Ospite() || !Laboratorio() || pin.Vuota() || !NomeAlunnoValido(nome) || classe.size() > 60)
        return std::nullopt;
    return CreaAlunnoServer(nome, classe, pin, &stessa);
}

QStringList TRegistroSql::Classi()
{
    if (!Laboratorio())
        return TRegistro::Classi();
    QStringList classi;
    if (Ospite())
        return classi;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT classe FROM mevario_classi()"));
    if (!Esegui(q))
        return classi;
    while (q.next())
        classi << q.value(0).toString().simplified();
    std::sort(classi.begin(), classi.end(),
              [](const QString& x, const QString& y) { return x.localeAwareCompare(y) < 0; });
    return classi;
}

QList<TAlunno> TRegistroSql::AlunniClasse(const QString& classe)
{
    if (!Laboratorio())
        return TRegistro::AlunniClasse(classe);
    QList<TAlunno> alunni;
    if (Ospite())
        return alunni;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT a.id, a.nome, a.classe, CASE WHEN a.con_pin THEN 1 END, 0 FROM mevario_alunni(?) a"));
    q.addBindValue(SenzaNul(ChiaveConfronto(classe)));
    if (!Esegui(q))
        return {};
    while (q.next())
        alunni.append(LeggiAlunno(q));
    return alunni;
}

bool TRegistroSql::ImpostaPinServer(qint64 alunno, const TChiavePin& pin)
{
    // A pupil without a PIN (just made) opens a session with no PIN.
    if (Sessione(alunno).isEmpty() && ControllaPinServer(alunno, {}) != TEsitoPin::Giusto)
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT mevario_imposta_pin(?, ?, ?, ?)"));
    q.addBindValue(Sessione(alunno));
    q.addBindValue(TestoONullo(pin.sale));
    q.addBindValue(TestoONullo(pin.chiave));
    q.addBindValue(pin.Vuota() ? QVariant(QMetaType::fromType<int>()) : QVariant(pin.iterazioni));
    return Esegui(q) && q.next() && q.value(0).toBool();
}

bool TRegistroSql::RegistraServer(qint64 alunno, const TRispostaRegistrata& r)
{
    const QString scrittura = Scrittura(alunno);
    if (scrittura.isEmpty())
        return false;
    if (!FRegistra) {
        FRegistra = std::make_unique<QSqlQuery>(Db());
        FRegistra->prepare(QStringLiteral("SELECT mevario_registra(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    }
    QSqlQuery& q = *FRegistra;
    const QVariant valori[] = {
        scrittura,
        r.uuid.toString(QUuid::WithoutBraces),
        SenzaNul(r.argomento),
        SenzaNul(r.esercizio),
        r.seme ? QVariant(static_cast<qint64>(*r.seme)) : QVariant(QMetaType::fromType<qint64>()),
        SenzaNul(r.risposta),
        r.giusta ? 1 : 0,
        SenzaNul(r.diagnosi),
        SenzaNul(r.tipoErrore),
        SenzaNul(r.ripassa),
        r.soluzioneVista ? 1 : 0,
        r.secondi,
        r.quando.toMSecsSinceEpoch(),
        r.giorno.toString(Qt::ISODate),
        SenzaNul(r.computer),
    };
    for (int i = 0; i < static_cast<int>(std::size(valori)); ++i)
        q.bindValue(i, valori[i]);
    const bool fatto = Esegui(q) && q.next() && q.value(0).toBool();
    if (FRegistra)
        FRegistra->finish();
    return fatto;
}

bool TRegistroSql::SalvaScrittura(const QString& nome, const QString& classe, const QString& scrittura)
{
    if (Ospite() || Server())
        return false;
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("INSERT INTO scritture_server (nome, classe, scrittura) VALUES (?, ?, ?) "
                             "ON CONFLICT (nome, classe) DO UPDATE SET scrittura = excluded.scrittura"));
    q.addBindValue(ChiaveConfronto(nome));
    q.addBindValue(ChiaveConfronto(classe));
    q.addBindValue(scrittura);
    return Esegui(q);
}

QString TRegistroSql::ScritturaSalvata(const QString& nome, const QString& classe)
{
    if (Ospite() || Server())
        return {};
    QSqlQuery q(Db());
    q.prepare(QStringLiteral("SELECT scrittura FROM scritture_server WHERE nome = ? AND classe = ?"));
    q.addBindValue(ChiaveConfronto(nome));
    q.addBindValue(ChiaveConfronto(classe));
    if (!Esegui(q) || !q.next())
        return {};
    return q.value(0).toString();
}

} // namespace mevario
