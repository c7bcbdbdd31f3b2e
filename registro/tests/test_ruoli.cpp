// The rights of a school's server (Ruoli.h) on a private cluster: the
// program working as today with the lab PCs' role, the PIN checked on the
// server whichever computer tries it, and the pupil who found the lab's
// password trying with psql everything the role must not do. Skipped
// where PostgreSQL is missing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QThread>

#include "Aiuti.h"
#include "Condiviso.h"
#include "Ruoli.h"
#include "ProvaServer.h"
#include "ServerPg.h"

using namespace mevario;
using namespace mevario::prova;

namespace {

const QString KSomma = QStringLiteral("somma-monomi");
const QString KProdotto = QStringLiteral("prodotto-monomi");

struct TUscita {
    int stato = -1;
    QString testo; // standard output and error together
};

class Ruoli : public TProvaConServer {
protected:
    void SetUp() override
    {
        TProvaConServer::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // What the technician does once, as the server's administrator
        // (README), then prepara as the database's owner.
        const TUscita ruoli = Psql(QStringLiteral("mevario"),
                                   QStringLiteral("CREATE ROLE mevario_laboratorio LOGIN;"
                                                  "ALTER ROLE mevario_laboratorio SET track_activities = off;"
                                                  "CREATE ROLE mevario_docenti LOGIN;"));
        ASSERT_FALSE(ruoli.testo.contains(QLatin1String("ERROR"))) << ruoli.testo.toStdString();
        const TUscita prepara = Strumento({QStringLiteral("--db"), FServer.Url(), QStringLiteral("prepara")});
        ASSERT_EQ(prepara.stato, 0) << prepara.testo.toStdString();
        EXPECT_FALSE(prepara.testo.contains(QLatin1String("mevario-registro:"))) << "no role is missing";
    }

    QString Url(const QString& utente) const
    {
        return FServer.Url().replace(QStringLiteral("mevario@"), utente + QLatin1Char('@'));
    }

    // psql as `ruolo`, as anyone with the role's password would: the script
    // on its standard input, every statement tried even after an error.
    TUscita Psql(const QString& ruolo, const QString& script)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(FServer.Programma(QStringLiteral("psql")),
                {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                 QStringLiteral("-h"), FServer.Cartella(), QStringLiteral("-p"), QString::number(FServer.Porta()),
                 QStringLiteral("-U"), ruolo, QStringLiteral("mevario")});
        p.write(script.toUtf8());
        p.closeWriteChannel();
        TUscita u;
        if (!p.waitForFinished(120000))
            return u;
        u.stato = p.exitCode();
        u.testo = QString::fromUtf8(p.readAll());
        return u;
    }

    TUscita Strumento(const QStringList& argomenti)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(MEVARIO_STRUMENTO), argomenti);
        TUscita u;
        if (!p.waitForFinished(60000))
            return u;
        u.stato = p.exitCode();
        u.testo = QString::fromUtf8(p.readAll());
        return u;
    }

    // Everything the server keeps of the pupils' work, as one text: equal
    // before and after means nothing was changed.
    QString Contenuto()
    {
        return Psql(QStringLiteral("mevario"),
                    QStringLiteral("SELECT id, nome, classe, pin_sale, pin_chiave, pin_iterazioni FROM alunni ORDER BY id;"
                                   "SELECT * FROM risposte ORDER BY uuid;"
                                   "SELECT * FROM esiti_giorno ORDER BY 1, 2, 3;"
                                   "SELECT * FROM esiti_argomento ORDER BY 1, 2;"
                                   "SELECT * FROM ripasso ORDER BY 1, 2, 3;"))
            .testo;
    }
};

} // namespace

// The program with the lab PCs' role does what it does with the owner's:
// pupils listed and made, a PIN set on the PC and checked on the server,
// answers sent through the outbox, the pupil's figures and review read
// back; and the figures the server's function keeps are those the program
// keeps itself (the same answers, through the owner, for another pupil).
TEST_F(Ruoli, IlProgrammaConIlRuoloDelLaboratorioFunzionaComePrima)
{
    const QDate oggi = QDate::currentDate();
    const QDateTime ieri(oggi.addDays(-1), QTime(9, 0));
    const QList<TRispostaGiudicata> risposte{
        Risposta(KSomma, false, ieri, QStringLiteral("Ci sono termini simili da sommare.")),
        Risposta(KSomma, true, ieri.addSecs(60)),
        Risposta(KProdotto, false, ieri.addSecs(120)),
        Risposta(KSomma, true, QDateTime(oggi, QTime(8, 0))),
        Risposta(KProdotto, true, QDateTime(oggi, QTime(8, 1))),
        // A slip of form: kept, counted nowhere, by the server's function too.
        Risposta(KProdotto, false, QDateTime(oggi, QTime(8, 2)), KTipoForma),
    };
    {
        auto r = ApriRegistro(Opzioni(Url(KRuoloLaboratorio)), [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        auto* c = dynamic_cast<TRegistroCondiviso*>(r.get());
        ASSERT_TRUE(c);
        const auto anna = r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
        ASSERT_TRUE(anna);
        ASSERT_TRUE(r->ImpostaPin(anna->id, QStringLiteral("2468")));
        EXPECT_EQ(r->ControllaPin(anna->id, QStringLiteral("1357")), TEsitoPin::Sbagliato);
        ASSERT_EQ(r->ControllaPin(anna->id, QStringLiteral("2468")), TEsitoPin::Giusto);
        r->ScegliAlunno(anna);
        for (const auto& g : risposte)
            ASSERT_TRUE(r->Registra(g));
        ASSERT_TRUE(c->SvuotaUscita(20000));
        const auto elenco = r->Alunni();
        ASSERT_EQ(elenco.size(), 1);
        EXPECT_TRUE(elenco[0].conPin);
        EXPECT_EQ(elenco[0].classe, QStringLiteral("2B"));
    }
    // The owner's record: the same answers for Bruno, through the program's own code.
    auto proprietario = TRegistroSql::ApriPostgres(FServer.Url(), {}, false);
    ASSERT_TRUE(proprietario.registro);
    TRegistroSql& p = *proprietario.registro;
    EXPECT_EQ(p.Ruolo(), TRuoloServer::Proprietario);
    const auto bruno = p.CreaAlunno(QStringLiteral("Bruno"), QStringLiteral("2B"));
    for (auto g : risposte) {
        g.uuid = QUuid::createUuid();
        ASSERT_TRUE(p.RegistraPer(bruno->id, g));
    }
    const auto anna = p.TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(anna);
    EXPECT_EQ(p.Storico(anna->id).size(), risposte.size()) << "every answer once";
    const TProgressi pa = p.Progressi(anna->id, oggi), pb = p.Progressi(bruno->id, oggi);
    ASSERT_EQ(pa.argomenti.size(), pb.argomenti.size());
    for (qsizetype i = 0; i < pa.argomenti.size(); ++i) {
        EXPECT_EQ(pa.argomenti[i].giuste, pb.argomenti[i].giuste);
        EXPECT_EQ(pa.argomenti[i].ultime, pb.argomenti[i].ultime);
        EXPECT_EQ(pa.argomenti[i].ultimeGiuste, pb.argomenti[i].ultimeGiuste);
    }
    const auto ra = p.RipassoDovuto(anna->id, oggi.addDays(30)), rb = p.RipassoDovuto(bruno->id, oggi.addDays(30));
    ASSERT_EQ(ra.size(), rb.size());
    ASSERT_FALSE(ra.isEmpty());
    for (qsizetype i = 0; i < ra.size(); ++i) {
        EXPECT_EQ(ra[i].tipo, rb[i].tipo);
        EXPECT_EQ(ra[i].scatola, rb[i].scatola);
        EXPECT_EQ(ra[i].scadenza, rb[i].scadenza);
    }

    // Another lab PC (a fresh home): the pupil's PIN, made on the first
    // PC, is checked on the server; her figures come with her session. A
    // pupil the teacher made, without a PIN, works there too.
    const auto carlo = p.CreaAlunno(QStringLiteral("Carlo"), QStringLiteral("2B"));
    ASSERT_TRUE(carlo);
    QTemporaryDir altro;
    qputenv("XDG_DATA_HOME", altro.path().toLocal8Bit());
    auto r = ApriRegistro(Opzioni(Url(KRuoloLaboratorio)), {});
    {
        const auto qui = r->TrovaAlunno(QStringLiteral("Carlo"), QStringLiteral("2b"));
        ASSERT_TRUE(qui);
        r->ScegliAlunno(qui);
        ASSERT_TRUE(r->Registra(Risposta(KSomma, true)));
        ASSERT_TRUE(dynamic_cast<TRegistroCondiviso*>(r.get())->SvuotaUscita(20000));
        EXPECT_EQ(p.Storico(carlo->id).size(), 1);
    }
    const auto qui = r->TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(qui);
    EXPECT_TRUE(r->Progressi(qui->id, oggi).argomenti.isEmpty()) << "nothing read before her PIN";
    ASSERT_EQ(r->ControllaPin(qui->id, QStringLiteral("2468")), TEsitoPin::Giusto);
    const TProgressi letti = r->Progressi(qui->id, oggi);
    ASSERT_EQ(letti.argomenti.size(), pa.argomenti.size());
    EXPECT_EQ(letti.argomenti[0].giuste, pa.argomenti[0].giuste);
    EXPECT_EQ(r->RipassoDovuto(qui->id, oggi.addDays(30)).size(), ra.size());
}

// The pupil who found the lab's password (the PC's .pgpass) and tries, with
// psql, everything the role must not do: all refused, nothing changed.
TEST_F(Ruoli, LAlunnoCheHaTrovatoLaPasswordNonLeggeNeCambiaNulla)
{
    qint64 idBea = 0;
    {
        auto a = TRegistroSql::ApriPostgres(FServer.Url(), {}, false);
        ASSERT_TRUE(a.registro);
        TRegistroSql& p = *a.registro;
        const auto bea = p.CreaAlunno(QStringLiteral("Bea"), QStringLiteral("3A"));
        ASSERT_TRUE(bea);
        idBea = bea->id;
        ASSERT_TRUE(p.ImpostaPin(bea->id, QStringLiteral("7391")));
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(p.RegistraPer(bea->id, Risposta(KSomma, i % 2 == 0)));
    }
    const QString prima = Contenuto();
    ASSERT_TRUE(prima.contains(QLatin1String("Bea")));
    const QString lab = KRuoloLaboratorio;

    // Reading, changing, deleting the tables; DDL.
    for (const QString& sql :
         {QStringLiteral("SELECT * FROM risposte;"), QStringLiteral("SELECT pin_sale, pin_chiave FROM alunni;"),
          QStringLiteral("SELECT nome FROM alunni;"), QStringLiteral("SELECT * FROM esiti_giorno;"),
          QStringLiteral("SELECT * FROM sessioni;"), QStringLiteral("SELECT * FROM prove_pin;"),
          QStringLiteral("UPDATE risposte SET giusta = 1;"), QStringLiteral("DELETE FROM risposte;"),
          QStringLiteral("UPDATE alunni SET pin_chiave = NULL;"), QStringLiteral("DELETE FROM alunni;"),
          QStringLiteral("INSERT INTO sessioni (impronta, alunno) VALUES ('x', %1);").arg(idBea),
          QStringLiteral("DROP TABLE risposte;"), QStringLiteral("TRUNCATE risposte;"),
          QStringLiteral("ALTER TABLE risposte ADD COLUMN x INTEGER;"),
          QStringLiteral("CREATE TABLE public.mia (x INTEGER);"),
          // The helpers the functions use, and a function of the owner's replaced.
          QStringLiteral("SELECT mevario_pbkdf2('7391', '\\x00'::bytea, 1);"),
          QStringLiteral("SELECT mevario_alunno_sessione('x');"),
          QStringLiteral("CREATE OR REPLACE FUNCTION mevario_classi() RETURNS TABLE (classe TEXT) "
                         "LANGUAGE sql AS 'SELECT pin_chiave FROM alunni';")}) {
        const TUscita u = Psql(lab, sql);
        EXPECT_TRUE(u.testo.contains(QLatin1String("permission denied")) ||
                    u.testo.contains(QLatin1String("must be owner")))
            << sql.toStdString() << " -> " << u.testo.toStdString();
    }

    // The functions: another pupil's answers, figures and review need her
    // session; an answer for her needs her writing token; her PIN can be
    // neither read nor set; the list gives names and classes only.
    const TUscita funzioni = Psql(
        lab, QStringLiteral("SELECT count(*) FROM mevario_risposte('');"
                            "SELECT count(*) FROM mevario_esiti_giorno(NULL);"
                            "SELECT count(*) FROM mevario_ripasso('indovinato');"
                            "SELECT mevario_imposta_pin('indovinato', NULL, NULL, NULL);"
                            "SELECT mevario_registra('indovinato', gen_random_uuid(), 'somma-monomi', 'e', 1, 'r', 1, "
                            "'', '', '', 0, 1, 0, '2026-12-01', 'pc');"
                            "SELECT mevario_registra(NULL, gen_random_uuid(), 'somma-monomi', 'e', 1, 'r', 1, "
                            "'', '', '', 0, 1, 0, '2026-12-01', 'pc');"
                            "SELECT * FROM mevario_alunni('3a');"
                            "SELECT scrittura IS NULL FROM mevario_crea_alunno('bea ', '3A', 'bea', '3a');"));
    EXPECT_EQ(funzioni.testo.trimmed().split(QLatin1Char('\n')),
              (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("f"),
                           QStringLiteral("f"), QStringLiteral("f"), QStringLiteral("%1|Bea|3A|t|bea").arg(idBea),
                           QStringLiteral("t")}))
        << funzioni.testo.toStdString();

    // A try undone by a rollback tells nothing; two tries in one transaction are refused.
    const TUscita indietro =
        Psql(lab, QStringLiteral("BEGIN;\nSELECT mevario_prova_pin(%1, '7391') AS b \\gset\n"
                                 "SELECT count(*) FROM mevario_esito_pin(:'b');\n"
                                 "SELECT mevario_prova_pin(%1, '7390');\nROLLBACK;\n")
                      .arg(idBea));
    EXPECT_TRUE(indietro.testo.startsWith(QLatin1String("0\n"))) << indietro.testo.toStdString();
    EXPECT_TRUE(indietro.testo.contains(QLatin1String("un solo tentativo"))) << indietro.testo.toStdString();

    // Twenty guesses from two connections at once, the right PIN among
    // them: three wrong ones, then the wait, for every connection.
    auto tentativi = [&](int da) {
        QString s;
        for (int i = 0; i < 10; ++i) {
            const QString pin = da + i == 15 ? QStringLiteral("7391") : QStringLiteral("%1").arg(1000 + da + i);
            s += QStringLiteral("SELECT mevario_prova_pin(%1, '%2') AS b \\gset\n"
                                "SELECT esito FROM mevario_esito_pin(:'b');\n")
                     .arg(idBea)
                     .arg(pin);
        }
        return s;
    };
    QProcess uno, due;
    QString esiti;
    {
        auto avvia = [&](QProcess& p, int da) {
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(FServer.Programma(QStringLiteral("psql")),
                    {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                     QStringLiteral("-h"), FServer.Cartella(), QStringLiteral("-p"), QString::number(FServer.Porta()),
                     QStringLiteral("-U"), lab, QStringLiteral("mevario")});
            p.write(tentativi(da).toUtf8());
            p.closeWriteChannel();
        };
        avvia(uno, 0);
        avvia(due, 10);
        ASSERT_TRUE(uno.waitForFinished(120000) && due.waitForFinished(120000));
        esiti = QString::fromUtf8(uno.readAll() + due.readAll());
    }
    EXPECT_EQ(esiti.count(QLatin1String("giusto")), 0) << esiti.toStdString();
    EXPECT_EQ(esiti.count(QLatin1String("sbagliato")), 3) << esiti.toStdString();
    EXPECT_EQ(esiti.count(QLatin1String("attendi")), 17) << esiti.toStdString();

    // The program on that PC, without her PIN, records nothing for her.
    {
        auto r = TRegistroSql::ApriPostgres(Url(lab), Opzioni(Url(lab)), false);
        ASSERT_TRUE(r.registro);
        EXPECT_EQ(r.registro->Ruolo(), TRuoloServer::Laboratorio);
        EXPECT_FALSE(r.registro->RegistraPer(idBea, Risposta(KSomma, true)));
        EXPECT_EQ(r.registro->ControllaPin(idBea, QStringLiteral("7391")), TEsitoPin::Attendi) << "the wait holds";
        EXPECT_TRUE(r.registro->Storico(idBea).isEmpty());
        EXPECT_FALSE(r.registro->Ospite()) << "a refusal is not a fault";
    }

    // The technician's and the teachers' commands, with the lab's role.
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("bea.json"));
    {
        TEsportazione e;
        e.nome = QStringLiteral("Bea");
        e.classe = QStringLiteral("3A");
        TRispostaRegistrata x;
        static_cast<TRispostaGiudicata&>(x) = Risposta(KSomma, true, QDateTime(QDate(2026, 11, 2), QTime(9, 0)));
        x.uuid = QUuid::createUuid();
        x.giorno = QDate(2026, 11, 2);
        e.risposte.append(x);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ScriviEsportazione(e));
    }
    for (const QStringList& comando :
         {QStringList{QStringLiteral("importa"), file}, QStringList{QStringLiteral("alunni")},
          QStringList{QStringLiteral("storico"), QStringLiteral("Bea")}, QStringList{QStringLiteral("prepara")},
          QStringList{QStringLiteral("esporta"), QStringLiteral("Bea"), cartella.filePath(QStringLiteral("x.json"))}}) {
        const TUscita u = Strumento(QStringList{QStringLiteral("--db"), Url(lab)} + comando);
        EXPECT_EQ(u.stato, 3) << comando.join(QLatin1Char(' ')).toStdString() << ": " << u.testo.toStdString();
        EXPECT_TRUE(u.testo.contains(KRuoloLaboratorio)) << u.testo.toStdString();
    }
    EXPECT_FALSE(QFile::exists(cartella.filePath(QStringLiteral("x.json"))));
    EXPECT_EQ(Contenuto(), prima) << "nothing changed on the server";

    // While another PC checks a pupil's PIN (the client library sends the
    // values in the statement's text), the role sees nothing of it in the
    // server's activity.
    qint64 idDora = 0;
    {
        auto a = TRegistroSql::ApriPostgres(FServer.Url(), {}, false);
        const auto dora = a.registro->CreaAlunno(QStringLiteral("Dora"), QStringLiteral("3A"));
        ASSERT_TRUE(dora && a.registro->ImpostaPin(dora->id, QStringLiteral("5820")));
        idDora = dora->id;
    }
    QProcess spia;
    spia.setProcessChannelMode(QProcess::MergedChannels);
    spia.start(FServer.Programma(QStringLiteral("psql")),
               {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-h"),
                FServer.Cartella(), QStringLiteral("-p"), QString::number(FServer.Porta()), QStringLiteral("-U"), lab,
                QStringLiteral("mevario")});
    spia.write(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE query LIKE '%5820%' "
                              "AND pid <> pg_backend_pid();\nSELECT pg_sleep(0.002);\n")
                   .repeated(300)
                   .toUtf8());
    ASSERT_TRUE(spia.waitForBytesWritten(10000));
    spia.closeWriteChannel();
    QThread::msleep(100);
    {
        auto r = TRegistroSql::ApriPostgres(Url(lab), Opzioni(Url(lab)), false);
        ASSERT_TRUE(r.registro);
        EXPECT_EQ(r.registro->ControllaPin(idDora, QStringLiteral("5820")), TEsitoPin::Giusto);
    }
    ASSERT_TRUE(spia.waitForFinished(120000));
    const QStringList visti = QString::fromUtf8(spia.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(visti.count(QStringLiteral("0")), 300);
    EXPECT_EQ(visti.size(), 300) << visti.join(QLatin1Char(' ')).toStdString();
}

// The teachers' role reads the whole school and manages pupils, but reads
// no PIN key, writes no answer, imports nothing.
TEST_F(Ruoli, IDocentiLegganoLaScuolaMaNonLeChiaviNeLeRisposte)
{
    {
        auto a = TRegistroSql::ApriPostgres(FServer.Url(), {}, false);
        ASSERT_TRUE(a.registro);
        const auto carla = a.registro->CreaAlunno(QStringLiteral("Carla"), QStringLiteral("1C"));
        ASSERT_TRUE(a.registro->ImpostaPin(carla->id, QStringLiteral("1111")));
        ASSERT_TRUE(a.registro->RegistraPer(carla->id, Risposta(KSomma, true)));
    }
    const QString docenti = KRuoloDocenti;
    const TUscita alunni = Strumento({QStringLiteral("--db"), Url(docenti), QStringLiteral("alunni")});
    EXPECT_EQ(alunni.stato, 0) << alunni.testo.toStdString();
    EXPECT_TRUE(alunni.testo.startsWith(QLatin1String("Carla\t1C\t1\t0\t"))) << alunni.testo.toStdString();
    const TUscita storico = Strumento({QStringLiteral("--db"), Url(docenti), QStringLiteral("storico"), QStringLiteral("Carla")});
    EXPECT_EQ(storico.stato, 0) << storico.testo.toStdString();
    const TUscita importa = Strumento({QStringLiteral("--db"), Url(docenti), QStringLiteral("prepara")});
    EXPECT_EQ(importa.stato, 3) << importa.testo.toStdString();
    EXPECT_TRUE(importa.testo.contains(QLatin1String("proprietario"))) << importa.testo.toStdString();

    const QString prima = Contenuto();
    for (const QString& sql : {QStringLiteral("SELECT pin_chiave FROM alunni;"), QStringLiteral("SELECT pin_sale FROM alunni;"),
                               QStringLiteral("DELETE FROM risposte;"), QStringLiteral("UPDATE risposte SET giusta = 0;"),
                               QStringLiteral("INSERT INTO esiti_giorno VALUES (1, 'x', '2026-01-01', 1, 0);"),
                               QStringLiteral("SELECT * FROM sessioni;"), QStringLiteral("DROP TABLE ripasso;")}) {
        const TUscita u = Psql(docenti, sql);
        EXPECT_TRUE(u.testo.contains(QLatin1String("permission denied")) ||
                    u.testo.contains(QLatin1String("must be owner")))
            << sql.toStdString() << " -> " << u.testo.toStdString();
    }
    EXPECT_EQ(Contenuto(), prima);
    // Managing: a new pupil, a class changed.
    const TUscita gestisce = Psql(docenti, QStringLiteral("INSERT INTO alunni (nome, classe, nome_chiave, classe_chiave, creato) "
                                                          "VALUES ('Dino', '1C', 'dino', '1c', 0);"
                                                          "UPDATE alunni SET classe = '2C' WHERE nome = 'Carla';"
                                                          "SELECT count(*) FROM risposte;"));
    EXPECT_EQ(gestisce.testo.trimmed(), QStringLiteral("1")) << gestisce.testo.toStdString();
}

// Item by item what a lab PC does while the server is away, with the lab
// PCs' role: two PCs make the same pupil, each with a PIN of its own, and
// an answer. When the server is back the pupils' outboxes reach it through
// the server's functions: one pupil, the PIN of the first to arrive, the
// other PC's pupil told at the next "Chi sei?" and entering with the PIN
// that counts; both answers on the server, once each.
TEST_F(Ruoli, UnAlunnoEUnPinFattiSenzaServerArrivanoColRuoloDelLaboratorio)
{
    const auto avvia = [&](const QString& pc) {
        qputenv("XDG_DATA_HOME", FCasa.filePath(pc).toLocal8Bit());
        return ApriRegistro(Opzioni(Url(KRuoloLaboratorio)), {});
    };
    auto pc1 = avvia(QStringLiteral("pc1"));
    auto pc2 = avvia(QStringLiteral("pc2"));
    auto* c1 = dynamic_cast<TRegistroCondiviso*>(pc1.get());
    auto* c2 = dynamic_cast<TRegistroCondiviso*>(pc2.get());
    ASSERT_TRUE(c1 && c2);
    FServer.Ferma();
    const auto su1 = pc1->CreaAlunno(QStringLiteral("Giulia Bianchi"), QStringLiteral("3A"));
    const auto su2 = pc2->CreaAlunno(QStringLiteral("giulia  bianchi"), QStringLiteral("3a"));
    ASSERT_TRUE(su1 && su2) << "made on each PC while the server is away";
    ASSERT_TRUE(pc1->ImpostaPin(su1->id, QStringLiteral("1111")));
    ASSERT_TRUE(pc2->ImpostaPin(su2->id, QStringLiteral("2222")));
    pc1->ScegliAlunno(su1);
    pc2->ScegliAlunno(su2);
    TRispostaGiudicata g1 = Risposta(KSomma, true), g2 = Risposta(KSomma, false);
    g1.uuid = QUuid::createUuid();
    g2.uuid = QUuid::createUuid();
    ASSERT_TRUE(pc1->Registra(g1));
    ASSERT_TRUE(pc2->Registra(g2));
    EXPECT_FALSE(c1->SvuotaUscita(500));
    EXPECT_EQ(c1->AlunniInAttesa(), 2) << "the pupil and the PIN wait, in order";

    QString errore;
    ASSERT_TRUE(FServer.Riavvia(errore)) << errore.toStdString();
    // Both pupils' outboxes leave as soon as the server is back.
    for (int i = 0; i < 400 && (c1->AlunniInAttesa() > 0 || c2->AlunniInAttesa() > 0); ++i) {
        c1->SvuotaUscita(25);
        c2->SvuotaUscita(25);
    }
    ASSERT_EQ(c1->AlunniInAttesa() + c2->AlunniInAttesa(), 0);

    auto proprietario = TRegistroSql::ApriPostgres(FServer.Url(), {}, false);
    ASSERT_TRUE(proprietario.registro);
    TRegistroSql& p = *proprietario.registro;
    ASSERT_EQ(p.AlunniClasse(QStringLiteral("3A")).size(), 1) << "one pupil, never two";
    const auto giulia = p.TrovaAlunno(QStringLiteral("Giulia Bianchi"), QStringLiteral("3A"));
    ASSERT_TRUE(giulia);
    EXPECT_TRUE(giulia->conPin) << "a PIN chosen offline is not lost";
    const bool primo1 = p.ControllaPin(giulia->id, QStringLiteral("1111")) == TEsitoPin::Giusto;
    const QString vale = primo1 ? QStringLiteral("1111") : QStringLiteral("2222");
    const QString perso = primo1 ? QStringLiteral("2222") : QStringLiteral("1111");
    EXPECT_EQ(p.ControllaPin(giulia->id, vale), TEsitoPin::Giusto);
    EXPECT_EQ(p.ControllaPin(giulia->id, perso), TEsitoPin::Sbagliato) << "never both";
    TRegistro& primo = primo1 ? *pc1 : *pc2;
    TRegistro& secondo = primo1 ? *pc2 : *pc1;

    // Chi sei? with the lab role: the class, then its pupils, no key.
    const QStringList classi = secondo.Classi();
    ASSERT_EQ(classi.size(), 1) << "3A and 3a are one class, shown as first written";
    EXPECT_EQ(ChiaveConfronto(classi[0]), ChiaveConfronto(QStringLiteral("3A")));
    const auto classe = secondo.AlunniClasse(QStringLiteral("3a"));
    ASSERT_EQ(classe.size(), 1);
    EXPECT_TRUE(classe[0].conPin);
    EXPECT_TRUE(classe[0].pinAltrove) << "the second PC's pupil is told";
    EXPECT_FALSE(primo.AlunniClasse(QStringLiteral("3A")).value(0).pinAltrove);
    EXPECT_EQ(secondo.ControllaPin(classe[0].id, perso), TEsitoPin::Sbagliato);
    EXPECT_EQ(secondo.ControllaPin(classe[0].id, vale), TEsitoPin::Giusto);
    EXPECT_FALSE(secondo.AlunniClasse(QStringLiteral("3A")).value(0).pinAltrove) << "told until entered";

    // The answers: both, once each (the second PC's may wait for the
    // pupil's entry with the PIN that counts).
    ASSERT_TRUE(c1->SvuotaUscita(20000));
    ASSERT_TRUE(c2->SvuotaUscita(20000));
    const auto storico = p.Storico(giulia->id);
    ASSERT_EQ(storico.size(), 2);
    // The class overview finds the class however it is typed.
    const auto panoramica = p.PanoramicaClasse(QStringLiteral(" 3a "), {}, {}, QDate::currentDate());
    ASSERT_TRUE(panoramica);
    EXPECT_EQ(panoramica->alunni.size(), 1);
    EXPECT_EQ(ChiaveConfronto(panoramica->classe), ChiaveConfronto(QStringLiteral("3A")));
    EXPECT_NE(storico[0].uuid, storico[1].uuid);
    for (const auto& s : storico)
        EXPECT_TRUE(s.uuid == g1.uuid || s.uuid == g2.uuid);
}
