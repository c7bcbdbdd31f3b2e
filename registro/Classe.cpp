#include "Classe.h"

#include <QCollator>
#include <QLocale>
#include <QSqlQuery>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

#include "RegistroSql.h"

namespace mevario {

namespace {

// Days are kept as ISO text, so these bound every day a record can hold
// and a missing bound needs no second form of each statement.
const QString KPrimoGiorno = QStringLiteral("0001-01-01");
const QString KUltimoGiorno = QStringLiteral("9999-12-31");

QString Giorno(QDate d, const QString& senza)
{
    return d.isValid() ? d.toString(Qt::ISODate) : senza;
}

// The pupils of the class (by its comparison key, as "Chi sei?" groups
// them), as a subquery: evaluated once, so that no engine is tempted to
// scan the answers once per pupil.
const QString KAlunniDellaClasse = QStringLiteral("SELECT id FROM alunni WHERE classe_chiave = ?");

bool PrimaPerNome(const QString& a, const QString& b)
{
    static const QCollator c = [] {
        QCollator c{QLocale(QLocale::Italian, QLocale::Italy)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    const int n = c.compare(a, b);
    return n != 0 ? n < 0 : a < b;
}

} // namespace

std::optional<TPanoramicaClasse> TRegistroSql::PanoramicaClasse(const QString& classe, QDate dal, QDate al, QDate oggi)
{
    if (Ospite())
        return {};
    if (Laboratorio())
        return {};
    TPanoramicaClasse p;
    p.classe = classe;
    p.dal = dal;
    p.al = al;
    p.oggi = oggi;
    const QString da = Giorno(dal, KPrimoGiorno), a = Giorno(al, KUltimoGiorno);
    const QString chiave = ChiaveConfronto(classe);

    // One read transaction: the three parts agree with each other even while
    // pupils answer meanwhile.
    if (!Esegui(QStringLiteral("BEGIN")))
        return {};
    FInTransazione = true;
    auto fallisci = [this]() -> std::optional<TPanoramicaClasse> {
        Annulla();
        return {};
    };

    std::map<qint64, QString> nomi;
    {
        QSqlQuery q(Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT id, nome, classe FROM alunni WHERE classe_chiave = ? ORDER BY id"));
        q.addBindValue(chiave);
        if (!Esegui(q))
            return fallisci();
        while (q.next()) {
            nomi[q.value(0).toLongLong()] = q.value(1).toString();
            if (nomi.size() == 1) // the class as its first pupil's class was written
                p.classe = q.value(2).toString();
        }
    }
    std::map<qint64, TAlunnoClasse> alunni;
    for (const auto& [id, nome] : nomi)
        alunni[id].nome = nome;

    // Right and wrong per pupil and topic, from the figures kept per day.
    {
        QSqlQuery q(Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT alunno, argomento, sum(giuste), sum(sbagliate) FROM esiti_giorno "
                                 "WHERE alunno IN (") +
                  KAlunniDellaClasse +
                  QStringLiteral(") AND giorno >= ? AND giorno <= ? GROUP BY alunno, argomento"));
        q.addBindValue(chiave);
        q.addBindValue(da);
        q.addBindValue(a);
        if (!Esegui(q))
            return fallisci();
        while (q.next()) {
            const auto it = alunni.find(q.value(0).toLongLong());
            if (it != alunni.end())
                it->second.argomenti[q.value(1).toString()] = {q.value(2).toInt(), q.value(3).toInt()};
        }
    }

    // The mistakes the diagnosis named, from the answers themselves (a
    // slip of form is none): on a server from an index of the wrong answers
    // with a named kind only (read per pupil of the class, never the
    // school's answers whole); counted per pupil first, so that the pupils
    // are counted without sorting every wrong answer of the class.
    {
        QSqlQuery q(Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT tipo_errore, argomento, sum(n), count(*) FROM (SELECT tipo_errore, argomento, "
                                 "alunno, count(*) AS n FROM risposte WHERE alunno IN (") +
                  KAlunniDellaClasse +
                  QStringLiteral(") AND giusta = 0 AND tipo_errore <> '' AND tipo_errore <> ? AND giorno >= ? "
                                 "AND giorno <= ? GROUP BY tipo_errore, argomento, alunno) e GROUP BY tipo_errore, argomento"));
        q.addBindValue(chiave);
        q.addBindValue(KTipoForma);
        q.addBindValue(da);
        q.addBindValue(a);
        if (!Esegui(q))
            return fallisci();
        while (q.next())
            p.errori.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt()});
    }

    // The review items due before today.
    std::map<qint64, TRitardoClasse> ritardi;
    {
        QSqlQuery q(Db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT alunno, count(*), min(scadenza) FROM ripasso WHERE alunno IN (") +
                  KAlunniDellaClasse + QStringLiteral(") AND scadenza < ? GROUP BY alunno"));
        q.addBindValue(chiave);
        q.addBindValue(Giorno(oggi, KUltimoGiorno));
        if (!Esegui(q))
            return fallisci();
        while (q.next()) {
            const auto it = nomi.find(q.value(0).toLongLong());
            if (it != nomi.end())
                ritardi[it->first] = {it->second, q.value(1).toInt(),
                                      QDate::fromString(q.value(2).toString(), Qt::ISODate)};
        }
    }
    if (!Conferma())
        return {};

    // Sorted here rather than by the engines, whose orders of text differ.
    for (auto& [id, alunno] : alunni)
        p.alunni.append(std::move(alunno));
    std::sort(p.alunni.begin(), p.alunni.end(),
              [](const TAlunnoClasse& x, const TAlunnoClasse& y) { return PrimaPerNome(x.nome, y.nome); });
    std::sort(p.errori.begin(), p.errori.end(), [](const TErroreClasse& x, const TErroreClasse& y) {
        if (x.volte != y.volte)
            return x.volte > y.volte;
        if (x.alunni != y.alunni)
            return x.alunni > y.alunni;
        return std::tie(x.argomento, x.tipo) < std::tie(y.argomento, y.tipo);
    });
    if (p.errori.size() > KErroriClasse)
        p.errori.resize(KErroriClasse);
    for (auto& [id, r] : ritardi)
        p.ritardi.append(std::move(r));
    std::sort(p.ritardi.begin(), p.ritardi.end(),
              [](const TRitardoClasse& x, const TRitardoClasse& y) { return PrimaPerNome(x.nome, y.nome); });
    return p;
}

std::vector<TColonnaArgomento> ColonneClasse(const TPanoramicaClasse& p, const std::vector<TColonnaArgomento>& noti)
{
    std::set<QString> risposti;
    for (const auto& a : p.alunni)
        for (const auto& [argomento, c] : a.argomenti)
            if (c.Totale() > 0)
                risposti.insert(argomento);
    std::vector<TColonnaArgomento> colonne;
    for (const auto& n : noti)
        if (risposti.erase(n.nome))
            colonne.push_back(n);
    for (const auto& altro : risposti) // a topic this program does not know: its own name
        colonne.push_back({altro, altro});
    return colonne;
}

double QuotaGiuste(const TContiArgomento& c)
{
    return c.Totale() > 0 ? static_cast<double>(c.giuste) / c.Totale() : -1;
}

QString PeriodoClasse(const TPanoramicaClasse& p)
{
    const QString dal = p.dal.toString(Qt::ISODate), al = p.al.toString(Qt::ISODate);
    if (p.dal.isValid() && p.al.isValid())
        return QStringLiteral("dal %1 al %2").arg(dal, al);
    if (p.dal.isValid())
        return QStringLiteral("dal %1").arg(dal);
    if (p.al.isValid())
        return QStringLiteral("fino al %1").arg(al);
    return QStringLiteral("tutte le risposte");
}

} // namespace mevario
