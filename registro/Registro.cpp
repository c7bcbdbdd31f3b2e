#include "Registro.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

#include "Condiviso.h"
#include "RegistroSql.h"

namespace mevario {

TProgressi TRegistroOspite::Progressi(qint64, QDate oggi)
{
    TProgressi p;
    for (int i = 29; i >= 0; --i)
        p.giorni.append({oggi.addDays(-i), 0, 0});
    return p;
}

QString ChiaveConfronto(const QString& testo)
{
    // Never a null text, which a statement would bind as NULL.
    const QString chiave = testo.simplified().toCaseFolded();
    return chiave.isNull() ? QLatin1String("") : chiave;
}

std::optional<TAlunno> TRegistro::TrovaAlunno(const QString& nome)
{
    const QString chiave = ChiaveConfronto(nome);
    std::optional<TAlunno> trovato;
    for (const TAlunno& a : Alunni()) {
        if (ChiaveConfronto(a.nome) != chiave)
            continue;
        if (trovato)
            return std::nullopt; // the same name in two classes: say which
        trovato = a;
    }
    return trovato;
}

QStringList TRegistro::Classi()
{
    QStringList classi, chiavi;
    for (const TAlunno& a : Alunni()) {
        const QString chiave = ChiaveConfronto(a.classe);
        if (!chiavi.contains(chiave)) {
            chiavi << chiave;
            classi << a.classe.simplified();
        }
    }
    std::sort(classi.begin(), classi.end(),
              [](const QString& x, const QString& y) { return x.localeAwareCompare(y) < 0; });
    return classi;
}

QList<TAlunno> TRegistro::AlunniClasse(const QString& classe)
{
    const QString chiave = ChiaveConfronto(classe);
    QList<TAlunno> alunni;
    for (const TAlunno& a : Alunni())
        if (ChiaveConfronto(a.classe) == chiave)
            alunni << a;
    return alunni;
}

QString PercorsoLocale()
{
    // The same as AppDataLocation for an application named Mevario with no
    // organisation, but the same for every program that asks.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Mevario/registro.sqlite");
}

QString DbImpostato()
{
    const QSettings s(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Mevario"),
                      QStringLiteral("Mevario"));
    return s.value(QStringLiteral("registro/db")).toString().trimmed();
}

QString PercorsoRegistro(const QString& db)
{
    if (!db.isEmpty())
        return db;
    const QString env = qEnvironmentVariable("MEVARIO_DB");
    if (!env.isEmpty())
        return env;
    const QString impostato = DbImpostato();
    if (!impostato.isEmpty())
        return impostato;
    return PercorsoLocale();
}

bool IndirizzoServer(const QString& db)
{
    return db.startsWith(QLatin1String("postgresql://")) || db.startsWith(QLatin1String("postgres://"));
}

std::optional<TIndirizzoServer> LeggiIndirizzoServer(const QString& url, QString* errore)
{
    auto sbaglia = [&](const QString& perche) {
        if (errore)
            *errore = perche;
        return std::nullopt;
    };
    if (!IndirizzoServer(url))
        return sbaglia(QStringLiteral("non comincia con postgresql://"));
    const QUrl u(url, QUrl::StrictMode);
    if (!u.isValid())
        return sbaglia(QStringLiteral("l'indirizzo non è scritto bene"));
    TIndirizzoServer i;
    i.utente = u.userName(QUrl::FullyDecoded);
    i.password = u.password(QUrl::FullyDecoded);
    i.host = u.host(QUrl::FullyDecoded);
    i.porta = u.port(-1);
    i.database = u.path(QUrl::FullyDecoded).mid(1);
    if (i.database.isEmpty() || i.database.contains(QLatin1Char('/')))
        return sbaglia(QStringLiteral("manca il nome del database (postgresql://UTENTE@SERVER/DATABASE)"));
    static const QRegularExpression chiave(QStringLiteral("^[a-z_]{1,40}$"));
    for (const auto& [k, v] : QUrlQuery(u).queryItems(QUrl::FullyDecoded)) {
        // The driver hands the options on joined by spaces, with ';' as a
        // separator: a key is a plain word and a value has no ';'.
        if (!chiave.match(k).hasMatch() || v.contains(QLatin1Char(';')) || v.contains(QChar(0)))
            return sbaglia(QStringLiteral("l'opzione «%1» non va bene").arg(k));
        if (k == QLatin1String("password"))
            i.password = v;
        else
            i.opzioni.append({k, v});
    }
    return i;
}

QString TIndirizzoServer::Mostrato() const
{
    QUrl u;
    u.setScheme(QStringLiteral("postgresql"));
    u.setUserName(utente);
    if (!password.isEmpty())
        u.setPassword(QStringLiteral("***"));
    u.setHost(host);
    u.setPort(porta);
    u.setPath(QLatin1Char('/') + database);
    QUrlQuery q;
    for (const auto& [k, v] : opzioni)
        q.addQueryItem(k, v);
    u.setQuery(q);
    return u.toString(QUrl::PrettyDecoded);
}

QString DbMostrato(const QString& db)
{
    if (!IndirizzoServer(db))
        return db;
    const auto i = LeggiIndirizzoServer(db);
    if (i)
        return i->Mostrato();
    // Not readable as a URL: whatever stands between "//" and the last
    // '@' may hold a password, and is not shown.
    const qsizetype chiocciola = db.lastIndexOf(QLatin1Char('@'));
    const qsizetype inizio = db.indexOf(QLatin1String("//")) + 2;
    return chiocciola < 0 ? db : db.left(inizio) + QStringLiteral("***") + db.mid(chiocciola);
}

std::unique_ptr<TRegistro> ApriRegistro(const TOpzioniRegistro& opzioni, TRegistro::TAvviso avviso)
{
    const QString percorso = PercorsoRegistro(opzioni.db);
    if (IndirizzoServer(percorso))
        return ApriRegistroCondiviso(percorso, opzioni, std::move(avviso));
    auto apertura = TRegistroSql::ApriSqlite(percorso, opzioni, true);
    if (apertura.registro) {
        apertura.registro->ImpostaAvviso(std::move(avviso));
        return std::move(apertura.registro);
    }
    if (avviso)
        avviso(MessaggioGuasto(apertura.guasto, percorso, apertura.dettaglio));
    return std::make_unique<TRegistroOspite>();
}

bool NomeAlunnoValido(const QString& nome)
{
    if (nome.isEmpty() || nome.size() > 60 || nome.trimmed() != nome)
        return false;
    for (QChar c : nome)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return false;
    return true;
}

} // namespace mevario
