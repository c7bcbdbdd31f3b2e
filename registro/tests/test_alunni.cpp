// Pupils as a name in a class, on both engines: a record written by the
// program of schema version 3 (the SQL fixtures in dati/, made by that
// version) migrates with nothing lost and nothing merged.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "Aiuti.h"
#include "ServerPg.h"

using namespace mevario;
using namespace mevario::prova;

namespace {

// Runs the statements of a fixture (one per ";" at a line's end) on `db`.
void CaricaSql(QSqlDatabase db, const QString& file)
{
    QFile f(QStringLiteral(MEVARIO_DATI_PROVA "/") + file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    QStringList righe;
    for (const QString& r : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!r.startsWith(QLatin1String("--")))
            righe << r;
    for (const QString& istruzione : righe.join(QLatin1Char('\n')).split(QStringLiteral(";\n"))) {
        if (istruzione.trimmed().isEmpty())
            continue;
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(istruzione)) << istruzione.toStdString() << ": " << q.lastError().text().toStdString();
    }
}

// What a version 3 record holds, checked on the migrated record `r`.
void ControllaMigrato(TRegistroSql& r)
{
    ASSERT_FALSE(r.Ospite());
    const auto giulia = r.TrovaAlunno(QStringLiteral("giulia bianchi"), QStringLiteral("3a"));
    ASSERT_TRUE(giulia);
    EXPECT_EQ(giulia->nome, QStringLiteral("Giulia Bianchi")) << "shown as first written";
    EXPECT_TRUE(giulia->conPin);
    EXPECT_EQ(r.ControllaPin(giulia->id, QStringLiteral("1234")), TEsitoPin::Giusto) << "the PIN key kept";
    EXPECT_EQ(r.Storico(giulia->id).size(), 3);
    EXPECT_EQ(r.RipassoDovuto(giulia->id, QDate(2026, 12, 8)).size(), 1);

    // "Luca Verdi" in "2B" and "luca  verdi" in " 2b" were two pupils: they
    // stay two, each with their answers; typing the name finds the first.
    const auto classe = r.AlunniClasse(QStringLiteral("2B"));
    ASSERT_EQ(classe.size(), 2);
    EXPECT_EQ(r.Storico(classe[0].id).size(), 1);
    EXPECT_EQ(r.Storico(classe[1].id).size(), 1);
    EXPECT_NE(classe[0].id, classe[1].id);
    const auto luca = r.TrovaAlunno(QStringLiteral("LUCA VERDI"), QStringLiteral("2b"));
    ASSERT_TRUE(luca);
    EXPECT_EQ(luca->nome, QStringLiteral("Luca Verdi"));
    EXPECT_EQ(r.Classi(), (QStringList{QStringLiteral("2B"), QStringLiteral("3A")}));

    // A second Giulia Bianchi, in 2B, is another pupil.
    const auto altra = r.CreaAlunno(QStringLiteral("Giulia Bianchi"), QStringLiteral("2B"));
    ASSERT_TRUE(altra);
    EXPECT_NE(altra->id, giulia->id);
    EXPECT_FALSE(altra->conPin);
    EXPECT_EQ(r.CreaAlunno(QStringLiteral(" giulia   BIANCHI"), QStringLiteral("3A"))->id, giulia->id);
    r.ScegliAlunno(altra);
    EXPECT_TRUE(r.Registra(Risposta(QStringLiteral("somma-monomi"), true)));
    EXPECT_EQ(r.Storico(giulia->id).size(), 3);
}

} // namespace

TEST(Migrazione, UnRegistroSqliteDellaVersioneTreSiAggiornaSenzaPerdereNeUnireAlunni)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v3"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        CaricaSql(db, QStringLiteral("registro-v3.sqlite.sql"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v3"));
    auto r = Apri(file);
    ASSERT_TRUE(r);
    ControllaMigrato(*r);
    // The answer still in the outbox is still there, with its pupil.
    const auto uscita = r->InUscita(10);
    ASSERT_EQ(uscita.size(), 1);
    EXPECT_EQ(uscita[0].nome, QStringLiteral("luca  verdi"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v4"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA foreign_key_check")));
        EXPECT_FALSE(q.next()) << "every answer still refers to its pupil";
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT versione FROM versione_schema")) && q.next());
        EXPECT_EQ(q.value(0).toInt(), Migrazioni().back().versione);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v4"));
}

TEST(Migrazione, UnRegistroSuServerDellaVersioneTreSiAggiornaConPrepara)
{
    if (TServerPg::Programmi().isEmpty() || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        GTEST_SKIP() << "PostgreSQL or Qt's driver for it is not installed here";
    TServerPg server;
    QString errore;
    ASSERT_TRUE(server.Avvia(errore)) << errore.toStdString();
    {
        const auto i = LeggiIndirizzoServer(server.Url());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("v3-pg"));
        db.setDatabaseName(i->database);
        db.setUserName(i->utente);
        db.setHostName(server.Cartella());
        db.setPort(server.Porta());
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        CaricaSql(db, QStringLiteral("registro-v3.postgres.sql"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v3-pg"));
    EXPECT_EQ(TRegistroSql::ApriPostgres(server.Url(), {}, false).guasto, TGuasto::DaPreparare)
        << "a lab PC never migrates the server";
    TOpzioniRegistro o;
    o.iterazioniPin = 1000;
    auto a = TRegistroSql::ApriPostgres(server.Url(), o, true);
    ASSERT_TRUE(a.registro) << DescriviGuasto(a.guasto, server.Url(), a.dettaglio).toStdString();
    ControllaMigrato(*a.registro);
    a.registro.reset();
    auto di_nuovo = TRegistroSql::ApriPostgres(server.Url(), o, false);
    ASSERT_TRUE(di_nuovo.registro) << "migrated once, opened as it is";
    EXPECT_EQ(di_nuovo.registro->Alunni().size(), 4);
}
