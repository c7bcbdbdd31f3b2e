// Pupils as a name in a class, on both engines: a record written by the
// program of schema version 3 (the SQL fixtures in dati/, made by that
// version) migrates with nothing lost and nothing merged.
#include <gtest/gtest.h>

#include <QUuid>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "Aiuti.h"
#include "Condiviso.h"
#include "ProvaServer.h"
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

namespace {

// A private cluster, and computers of a lab as local records in folders of
// their own (each "PC" its own XDG_DATA_HOME while it is opened).
class Laboratorio : public TProvaConServer {
protected:
    void SetUp() override
    {
        TProvaConServer::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TOpzioniRegistro o;
        o.iterazioniPin = 1000;
        auto a = TRegistroSql::ApriPostgres(FServer.Url(), o, true);
        ASSERT_TRUE(a.registro);
    }

    QString DatiPc(const QString& pc) { return FCasa.filePath(pc); }

    // The program started on computer `pc`.
    std::unique_ptr<TRegistro> Avvia(const QString& pc, QStringList* avvisi = nullptr,
                                     TOpzioniRegistro::TStatoServer stato = {})
    {
        qputenv("XDG_DATA_HOME", DatiPc(pc).toLocal8Bit());
        TOpzioniRegistro o;
        o.db = FServer.Url();
        o.iterazioniPin = 1000;
        o.attesaMs = 2000;
        o.riprovaMs = 200;
        o.statoServer = std::move(stato);
        return ApriRegistro(o, [avvisi](const QString& m) {
            if (avvisi)
                *avvisi << m;
        });
    }

    std::unique_ptr<TRegistroSql> Server()
    {
        TOpzioniRegistro o;
        o.iterazioniPin = 1000;
        return std::move(TRegistroSql::ApriPostgres(FServer.Url(), o, false).registro);
    }

    void Riavvia()
    {
        QString errore;
        ASSERT_TRUE(FServer.Riavvia(errore)) << errore.toStdString();
    }
};

TRispostaGiudicata Giudicata(bool giusta)
{
    TRispostaGiudicata g = Risposta(QStringLiteral("somma-monomi"), giusta);
    g.uuid = QUuid::createUuid();
    return g;
}

} // namespace

TEST_F(Laboratorio, UnAlunnoEUnPinFattiSenzaServerArrivanoConLaRispostaInOrdine)
{
    std::vector<std::pair<bool, QString>> stati;
    auto r = Avvia(QStringLiteral("pc1"), nullptr, [&](bool su, const QString& m) { stati.emplace_back(su, m); });
    auto* c = dynamic_cast<TRegistroCondiviso*>(r.get());
    ASSERT_TRUE(c);
    FServer.Ferma();
    const auto giulia = r->CreaAlunno(QStringLiteral("Giulia Bianchi"), QStringLiteral("3A"));
    ASSERT_TRUE(giulia) << "made here while the server is away";
    ASSERT_TRUE(r->ImpostaPin(giulia->id, QStringLiteral("4321")));
    r->ScegliAlunno(giulia);
    const TRispostaGiudicata g = Giudicata(true);
    ASSERT_TRUE(r->Registra(g));
    EXPECT_FALSE(c->SvuotaUscita(800));
    EXPECT_EQ(c->AlunniInAttesa(), 2) << "the pupil and the PIN wait, in order";
    ASSERT_FALSE(stati.empty());
    EXPECT_FALSE(stati.back().first);
    EXPECT_EQ(stati.back().second, MessaggioServerAssente(TGuasto::Irraggiungibile));
    EXPECT_FALSE(stati.back().second.contains(QStringLiteral("postgresql"))) << "no address for the pupil";

    Riavvia();
    EXPECT_TRUE(c->SvuotaUscita(20000));
    auto s = Server();
    ASSERT_TRUE(s);
    const auto sul = s->TrovaAlunno(QStringLiteral("giulia bianchi"), QStringLiteral("3a"));
    ASSERT_TRUE(sul);
    EXPECT_EQ(sul->nome, QStringLiteral("Giulia Bianchi"));
    EXPECT_TRUE(sul->conPin) << "the PIN chosen offline is not lost";
    EXPECT_EQ(s->ControllaPin(sul->id, QStringLiteral("4321")), TEsitoPin::Giusto);
    const auto storico = s->Storico(sul->id);
    ASSERT_EQ(storico.size(), 1);
    EXPECT_EQ(storico[0].uuid, g.uuid);
    // The message closes itself: the server answered again.
    for (int i = 0; i < 100 && (stati.empty() || !stati.back().first); ++i)
        c->SvuotaUscita(50);
    ASSERT_FALSE(stati.empty());
    EXPECT_TRUE(stati.back().first);
    EXPECT_TRUE(c->UltimoGuasto().isEmpty());
}

TEST_F(Laboratorio, DuePcConLoStessoAlunnoEDuePinSenzaServerNonSiUnisconoInSilenzio)
{
    auto pc1 = Avvia(QStringLiteral("pc1"));
    auto pc2 = Avvia(QStringLiteral("pc2"));
    FServer.Ferma();
    const auto su1 = pc1->CreaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"));
    const auto su2 = pc2->CreaAlunno(QStringLiteral("luca verdi"), QStringLiteral("2b"));
    ASSERT_TRUE(su1 && su2);
    ASSERT_TRUE(pc1->ImpostaPin(su1->id, QStringLiteral("1111")));
    ASSERT_TRUE(pc2->ImpostaPin(su2->id, QStringLiteral("2222")));
    pc1->ScegliAlunno(su1);
    pc2->ScegliAlunno(su2);
    ASSERT_TRUE(pc1->Registra(Giudicata(true)));
    ASSERT_TRUE(pc2->Registra(Giudicata(false)));
    auto* c1 = dynamic_cast<TRegistroCondiviso*>(pc1.get());
    auto* c2 = dynamic_cast<TRegistroCondiviso*>(pc2.get());
    ASSERT_TRUE(c1 && c2);

    Riavvia();
    // Both senders try as soon as the server is back: either may be first.
    ASSERT_TRUE(c1->SvuotaUscita(20000));
    ASSERT_TRUE(c2->SvuotaUscita(20000));
    auto s = Server();
    ASSERT_TRUE(s);
    const auto luca = s->TrovaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"));
    ASSERT_TRUE(luca);
    EXPECT_EQ(s->AlunniClasse(QStringLiteral("2B")).size(), 1) << "one pupil";
    EXPECT_EQ(s->Storico(luca->id).size(), 2);
    const bool primo1 = s->ControllaPin(luca->id, QStringLiteral("1111")) == TEsitoPin::Giusto;
    const QString vale = primo1 ? QStringLiteral("1111") : QStringLiteral("2222");
    const QString perso = primo1 ? QStringLiteral("2222") : QStringLiteral("1111");
    EXPECT_EQ(s->ControllaPin(luca->id, vale), TEsitoPin::Giusto) << "the first keeps its PIN, whichever it was";
    EXPECT_EQ(s->ControllaPin(luca->id, perso), TEsitoPin::Sbagliato) << "never both";
    TRegistro& secondo = primo1 ? *pc2 : *pc1;
    TRegistro& primo = primo1 ? *pc1 : *pc2;

    // The second PC's pupil is told at the next "Chi sei?", and enters
    // with the PIN that counts.
    const auto qui = secondo.TrovaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"));
    ASSERT_TRUE(qui);
    EXPECT_TRUE(qui->pinAltrove);
    EXPECT_EQ(secondo.ControllaPin(qui->id, perso), TEsitoPin::Sbagliato);
    EXPECT_EQ(secondo.ControllaPin(qui->id, vale), TEsitoPin::Giusto);
    EXPECT_FALSE(secondo.TrovaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"))->pinAltrove) << "told once";
    EXPECT_FALSE(primo.TrovaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"))->pinAltrove);

    // A third PC made the pupil offline without a PIN: told of the PIN too.
    auto pc3 = Avvia(QStringLiteral("pc3"));
    FServer.Ferma();
    const auto su3 = pc3->CreaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"));
    ASSERT_TRUE(su3);
    EXPECT_FALSE(su3->conPin);
    Riavvia();
    auto* c3 = dynamic_cast<TRegistroCondiviso*>(pc3.get());
    ASSERT_TRUE(c3 && c3->SvuotaUscita(20000));
    const auto terzo = pc3->TrovaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"));
    ASSERT_TRUE(terzo);
    EXPECT_TRUE(terzo->conPin && terzo->pinAltrove);
    s = Server();
    ASSERT_TRUE(s);

    // A PIN changed on a PC that knew the server's key is taken.
    ASSERT_TRUE(primo.ImpostaPin(primo.TrovaAlunno(QStringLiteral("Luca Verdi"), QStringLiteral("2B"))->id,
                                 QStringLiteral("3333")));
    ASSERT_TRUE(dynamic_cast<TRegistroCondiviso&>(primo).SvuotaUscita(20000));
    EXPECT_EQ(s->ControllaPin(luca->id, QStringLiteral("3333")), TEsitoPin::Giusto);
}

TEST_F(Laboratorio, EsciConRisposteInAttesaDiceQuanteELoStrumentoLeInvia)
{
    {
        auto r = Avvia(QStringLiteral("pc1"));
        r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Bea"), QStringLiteral("1C")));
        ASSERT_TRUE(r->AlunnoScelto());
        ASSERT_TRUE(r->Registra(Giudicata(true)));
        EXPECT_EQ(r->InviaPrimaDiUscire(20000), 0) << "sent at Esci when the server answers";
        FServer.Ferma();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(r->Registra(Giudicata(i != 1)));
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(r->InviaPrimaDiUscire(1500), 3);
        EXPECT_LT(t.elapsed(), 6000) << "a few seconds at most";
    }
    EXPECT_EQ(MessaggioRisposteInAttesa(3),
              QStringLiteral("3 risposte non sono ancora arrivate al server della scuola: restano su questo computer e "
                             "partono al prossimo avvio di Mevario su questo computer."));
    EXPECT_TRUE(MessaggioRisposteInAttesa(1).startsWith(QStringLiteral("1 risposta non è ancora arrivata")));

    // The technician's tool on that PC: what waits is sent first, and said.
    Riavvia();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), DatiPc(QStringLiteral("pc1")));
    env.insert(QStringLiteral("HOME"), FCasa.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MEVARIO_STRUMENTO), {QStringLiteral("--db"), FServer.Url(), QStringLiteral("storico"),
                                                QStringLiteral("bea"), QStringLiteral("--classe"), QStringLiteral("1c")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("3 risposte in attesa su questo computer inviate al server"))) << err.toStdString();
    EXPECT_EQ(out.count(QLatin1Char('\n')), 4) << out.toStdString();
}

TEST(Strumento, LoStessoNomeInDueClassiVuoleLaClasseEImportaNonUnisce)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    {
        auto r = Apri(file);
        ASSERT_TRUE(r);
        r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Anna Rossi"), QStringLiteral("2B")));
        ASSERT_TRUE(r->Registra(Risposta(QStringLiteral("somma-monomi"), true)));
        r->CreaAlunno(QStringLiteral("Anna Rossi"), QStringLiteral("3A"));
        TEsportazione e = *r->Esporta(r->TrovaAlunno(QStringLiteral("anna rossi"), QStringLiteral("2b"))->id);
        e.classe = QStringLiteral("1C");
        // Another child's answers: their own uuids (an answer already kept
        // for another pupil refuses the whole file).
        for (auto& risposta : e.risposte)
            risposta.uuid = QUuid::createUuid();
        QFile f(d.filePath(QStringLiteral("1c.json")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ScriviEsportazione(e));
    }
    const auto strumento = [&](const QStringList& argomenti, QString* err = nullptr) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), d.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), d.filePath(QStringLiteral("dati")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(MEVARIO_STRUMENTO), QStringList{QStringLiteral("--db"), file} + argomenti);
        EXPECT_TRUE(p.waitForFinished(30000));
        if (err)
            *err = QString::fromUtf8(p.readAllStandardError());
        return std::pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()));
    };
    QString err;
    auto [stato, out] = strumento({QStringLiteral("storico"), QStringLiteral("Anna Rossi")}, &err);
    EXPECT_EQ(stato, 1);
    EXPECT_TRUE(err.contains(QStringLiteral("--classe"))) << err.toStdString();
    std::tie(stato, out) = strumento({QStringLiteral("storico"), QStringLiteral("anna  rossi"), QStringLiteral("--classe"),
                                      QStringLiteral("2b")});
    EXPECT_EQ(stato, 0);
    EXPECT_EQ(out.count(QLatin1Char('\n')), 1);
    std::tie(stato, out) = strumento({QStringLiteral("importa"), d.filePath(QStringLiteral("1c.json"))}, &err);
    EXPECT_EQ(stato, 0);
    EXPECT_TRUE(out.contains(QStringLiteral("(alunno nuovo)"))) << out.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("non sono stati uniti"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("«2B», «3A»"))) << err.toStdString();
    std::tie(stato, out) = strumento({QStringLiteral("alunni")});
    EXPECT_EQ(out.count(QLatin1Char('\n')), 3);
}
