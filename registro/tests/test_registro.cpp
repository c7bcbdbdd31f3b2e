// The SQLite record: where it lives, what an answer keeps, the figures and
// the review it feeds, pupils and PINs, export and import, and the files
// it refuses to touch.
#include <gtest/gtest.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>

#include <sys/stat.h>

#include "Aiuti.h"
#include "ServerPg.h"
#include "Ripasso.h"

using namespace mevario;
using namespace mevario::prova;

namespace {

const QString KSomma = QStringLiteral("somma-monomi");
const QString KProdotto = QStringLiteral("prodotto-monomi");
const QString KEsponenti = QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");

QDateTime Alle(QDate giorno, int ora = 10)
{
    return QDateTime(giorno, QTime(ora, 0));
}

// Runs SQL on a file through a connection of its own.
QStringList Sql(const QString& file, const QString& sql)
{
    QStringList righe;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prova"));
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        while (q.next())
            righe << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prova"));
    return righe;
}

} // namespace

// The record's behaviour that does not depend on the engine, on both: a
// SQLite file, and a database on a private PostgreSQL cluster (skipped
// where PostgreSQL is missing).
class SuOgniMotore : public ::testing::TestWithParam<bool> {
protected:
    bool Server() const { return GetParam(); }

    void SetUp() override
    {
        if (!Server())
            return;
        if (TServerPg::Programmi().isEmpty() || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            GTEST_SKIP() << "PostgreSQL or Qt's driver for it is not installed: the record's tests on a server are skipped";
        QString errore;
        ASSERT_TRUE(FServer.Avvia(errore)) << errore.toStdString();
    }

    // A new, empty record named `nome`: a file, or a prepared database.
    std::unique_ptr<TRegistroSql> Nuovo(const QString& nome)
    {
        if (!Server())
            return Apri(FCartella.filePath(nome + QStringLiteral(".sqlite")));
        QString errore;
        EXPECT_TRUE(FServer.Client(QStringLiteral("createdb"), {nome}, errore)) << errore.toStdString();
        TOpzioniRegistro o;
        o.iterazioniPin = 1000;
        auto a = TRegistroSql::ApriPostgres(FServer.Url(nome), o, true);
        EXPECT_TRUE(a.registro) << DescriviGuasto(a.guasto, nome, a.dettaglio).toStdString();
        return std::move(a.registro);
    }

    // The record `nome` opened again, as the next run of the program opens it.
    std::unique_ptr<TRegistroSql> Riapri(const QString& nome)
    {
        if (!Server())
            return Apri(FCartella.filePath(nome + QStringLiteral(".sqlite")));
        TOpzioniRegistro o;
        o.iterazioniPin = 1000;
        auto a = TRegistroSql::ApriPostgres(FServer.Url(nome), o, false);
        EXPECT_TRUE(a.registro) << DescriviGuasto(a.guasto, nome, a.dettaglio).toStdString();
        return std::move(a.registro);
    }

    // The first column of what `sql` reads from the record `nome`.
    QStringList Colonne(const QString& nome, const QString& sql)
    {
        if (!Server())
            return Sql(FCartella.filePath(nome + QStringLiteral(".sqlite")), sql);
        QString errore;
        QByteArray uscita;
        EXPECT_TRUE(FServer.Client(QStringLiteral("psql"), {QStringLiteral("-d"), nome, QStringLiteral("-tAc"), sql},
                                   errore, &uscita))
            << errore.toStdString();
        return QString::fromUtf8(uscita).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir FCartella;
    TServerPg FServer;
};

INSTANTIATE_TEST_SUITE_P(Registro, SuOgniMotore, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "PostgreSQL" : "SQLite"; });

TEST(Registro, IlFilePredefinitoEnellaCartellaDatiConIPermessiDelSoloUtente)
{
    const QString atteso = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Mevario/registro.sqlite");
    EXPECT_EQ(PercorsoRegistro({}), atteso);
    qputenv("MEVARIO_DB", "/tmp/altro.sqlite");
    EXPECT_EQ(PercorsoRegistro({}), QStringLiteral("/tmp/altro.sqlite"));
    EXPECT_EQ(PercorsoRegistro(QStringLiteral("x.sqlite")), QStringLiteral("x.sqlite"));
    qunsetenv("MEVARIO_DB");

    QString avvisi;
    {
        auto r = ApriRegistro({}, [&](const QString& m) { avvisi += m; });
        ASSERT_FALSE(r->Ospite());
        auto anna = r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
        ASSERT_TRUE(anna);
        r->ScegliAlunno(anna);
        EXPECT_TRUE(r->Registra(Risposta(KSomma, true)));
    }
    EXPECT_TRUE(avvisi.isEmpty());
    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(atteso).constData(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(atteso).path()).constData(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0700u);
    EXPECT_EQ(Sql(atteso, QStringLiteral("PRAGMA journal_mode")), QStringList{QStringLiteral("wal")});
    EXPECT_EQ(Sql(atteso, QStringLiteral("SELECT versione FROM versione_schema")),
              QStringList{QString::number(Migrazioni().back().versione)});
    QFile::remove(atteso);
}

TEST_P(SuOgniMotore, UnaRispostaConservaTuttoQuelloCheLaFinestraHaVisto)
{
    auto r = Nuovo(QStringLiteral("r"));
    const auto anna = r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    ASSERT_TRUE(anna);
    EXPECT_FALSE(r->Registra(Risposta(KSomma, true))) << "no pupil chosen: nothing is kept";
    r->ScegliAlunno(anna);
    TRispostaGiudicata g = Risposta(KProdotto, false, QDateTime(QDate(2026, 12, 7), QTime(9, 15, 2, 123)), KEsponenti);
    g.diagnosi = QStringLiteral("Manca 1 termine. ") + KEsponenti;
    g.ripassa = QStringLiteral("altro");
    g.soluzioneVista = true;
    g.uuid = QUuid::createUuid();
    ASSERT_TRUE(r->Registra(g));
    EXPECT_TRUE(r->Registra(g)) << "a retry of the same answer";
    TRispostaGiudicata senzaSeme = Risposta(KSomma, true);
    senzaSeme.seme.reset();
    ASSERT_TRUE(r->Registra(senzaSeme));

    const auto storico = r->Storico(anna->id);
    ASSERT_EQ(storico.size(), 2) << "the retry is kept once";
    const auto& s = storico[0];
    EXPECT_EQ(s.uuid, g.uuid);
    EXPECT_EQ(s.argomento, KProdotto);
    EXPECT_EQ(s.esercizio, g.esercizio);
    EXPECT_EQ(s.seme, 77u);
    EXPECT_EQ(s.risposta, QStringLiteral("-6x^6"));
    EXPECT_FALSE(s.giusta);
    EXPECT_EQ(s.diagnosi, g.diagnosi);
    EXPECT_EQ(s.tipoErrore, KEsponenti);
    EXPECT_EQ(s.ripassa, QStringLiteral("altro"));
    EXPECT_TRUE(s.soluzioneVista);
    EXPECT_EQ(s.secondi, 8.5);
    EXPECT_EQ(s.quando, g.quando);
    EXPECT_EQ(s.giorno, QDate(2026, 12, 7));
    EXPECT_FALSE(s.computer.isEmpty());
    EXPECT_FALSE(storico[1].seme);
    EXPECT_FALSE(storico[1].uuid.isNull());

    EXPECT_EQ(r->Storico(anna->id, KSomma).size(), 1);
    EXPECT_EQ(r->Storico(anna->id, {}, QDate(2026, 12, 8)).size(), 1);
}

TEST_P(SuOgniMotore, IProgressiContanoPerArgomentoEPerGiorno)
{
    auto r = Nuovo(QStringLiteral("r"));
    const auto anna = r->CreaAlunno(QStringLiteral("Anna"), {});
    const auto bruno = r->CreaAlunno(QStringLiteral("Bruno"), {});
    const QDate oggi(2026, 12, 8);
    r->ScegliAlunno(anna);
    // 25 answers of the sum over three days: the first 5 wrong.
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(r->Registra(Risposta(KSomma, i >= 5, Alle(oggi.addDays(-(i % 3)), 8 + i % 10))));
    ASSERT_TRUE(r->Registra(Risposta(KProdotto, false, Alle(oggi.addDays(-40)), KEsponenti)));
    r->ScegliAlunno(bruno);
    ASSERT_TRUE(r->Registra(Risposta(KSomma, false, Alle(oggi))));

    const TProgressi p = r->Progressi(anna->id, oggi);
    ASSERT_EQ(p.argomenti.size(), 2);
    const auto& prodotto = p.argomenti[0];
    const auto& somma = p.argomenti[1];
    EXPECT_EQ(prodotto.argomento, KProdotto);
    EXPECT_EQ(prodotto.sbagliate, 1);
    EXPECT_EQ(prodotto.ultimoGiorno, oggi.addDays(-40));
    EXPECT_EQ(somma.giuste, 20);
    EXPECT_EQ(somma.sbagliate, 5);
    EXPECT_EQ(somma.ultime, 20);
    EXPECT_EQ(somma.ultimeGiuste, 20) << "the 5 wrong answers were the first";
    EXPECT_EQ(somma.giorni, 3);
    EXPECT_EQ(somma.ultimoGiorno, oggi);
    ASSERT_EQ(p.giorni.size(), 30);
    EXPECT_EQ(p.giorni.first().giorno, oggi.addDays(-29));
    EXPECT_EQ(p.giorni.last().giorno, oggi);
    int giuste = 0, sbagliate = 0;
    for (const auto& g : p.giorni) {
        giuste += g.giuste;
        sbagliate += g.sbagliate;
    }
    EXPECT_EQ(giuste, 20);
    EXPECT_EQ(sbagliate, 5) << "the product's answer is older than 30 days; Bruno's is his";
    EXPECT_EQ(p.giorni.last().giuste + p.giorni.last().sbagliate, 9);

    const auto righe = r->RigheAlunni();
    ASSERT_EQ(righe.size(), 2);
    EXPECT_EQ(righe[0].alunno.nome, QStringLiteral("Anna"));
    EXPECT_EQ(righe[0].giuste, 20);
    EXPECT_EQ(righe[0].sbagliate, 6);
    EXPECT_EQ(righe[1].sbagliate, 1);
}

TEST_P(SuOgniMotore, GliErroriTornanoInRipassoIlGiornoDopo)
{
    auto r = Nuovo(QStringLiteral("r"));
    const auto anna = r->CreaAlunno(QStringLiteral("Anna"), {});
    r->ScegliAlunno(anna);
    const QDate ieri(2026, 12, 7), oggi(2026, 12, 8);
    ASSERT_TRUE(r->Registra(Risposta(KProdotto, false, Alle(ieri), KEsponenti)));
    ASSERT_TRUE(r->Registra(Risposta(KSomma, false, Alle(ieri))));
    EXPECT_TRUE(r->RipassoDovuto(anna->id, ieri).isEmpty());
    auto dovute = r->RipassoDovuto(anna->id, oggi);
    ASSERT_EQ(dovute.size(), 2);
    EXPECT_EQ(dovute[0].argomento, KProdotto);
    EXPECT_EQ(dovute[0].tipo, KEsponenti);
    EXPECT_EQ(dovute[0].scatola, 1);
    EXPECT_EQ(dovute[0].scadenza, oggi);
    EXPECT_EQ(dovute[1].tipo, KTipoNonDiagnosticato);

    TRispostaGiudicata ripasso = Risposta(KProdotto, true, Alle(oggi));
    ripasso.ripassa = KEsponenti;
    ASSERT_TRUE(r->Registra(ripasso));
    dovute = r->RipassoDovuto(anna->id, oggi);
    ASSERT_EQ(dovute.size(), 1);
    EXPECT_EQ(dovute[0].argomento, KSomma);
    const auto domani = r->RipassoDovuto(anna->id, oggi.addDays(1));
    ASSERT_EQ(domani.size(), 2);
    EXPECT_EQ(domani[1].scatola, 2);
}

TEST_P(SuOgniMotore, UnoScivoloneDiFormaSiVedeMaNonSiConta)
{
    auto r = Nuovo(QStringLiteral("r"));
    const auto anna = r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    r->ScegliAlunno(anna);
    const QDate ieri(2026, 12, 7), oggi(2026, 12, 8);
    // Caps Lock on a right sum: kept as a slip of form, with what to change.
    TRispostaGiudicata forma = Risposta(KSomma, false, Alle(ieri, 9), KTipoForma);
    forma.risposta = QStringLiteral("-13/3YZ");
    forma.diagnosi = QStringLiteral("Scrivi le lettere in minuscolo.");
    ASSERT_TRUE(forma.Forma());
    ASSERT_TRUE(r->Registra(forma));
    ASSERT_TRUE(r->Registra(Risposta(KSomma, true, Alle(ieri, 10))));
    ASSERT_TRUE(r->Registra(Risposta(KProdotto, false, Alle(ieri, 11), KEsponenti)));

    const auto controlla = [&](TRegistroSql& reg, qint64 id, const char* dove) {
        const auto storico = reg.Storico(id);
        ASSERT_EQ(storico.size(), 3) << dove;
        EXPECT_TRUE(storico[0].Forma()) << dove;
        EXPECT_EQ(storico[0].risposta, QStringLiteral("-13/3YZ")) << dove;
        EXPECT_EQ(storico[0].diagnosi, QStringLiteral("Scrivi le lettere in minuscolo.")) << dove;
        const TProgressi p = reg.Progressi(id, oggi);
        ASSERT_EQ(p.argomenti.size(), 2) << dove;
        EXPECT_EQ(p.argomenti[1].argomento, KSomma) << dove;
        EXPECT_EQ(p.argomenti[1].giuste, 1) << dove;
        EXPECT_EQ(p.argomenti[1].sbagliate, 0) << dove << ": a slip of form is no error";
        EXPECT_EQ(p.argomenti[1].ultime, 1) << dove;
        EXPECT_EQ(reg.RigheAlunni()[0].sbagliate, 1) << dove;
        const auto dovute = reg.RipassoDovuto(id, oggi);
        ASSERT_EQ(dovute.size(), 1) << dove << ": nothing to review for a slip of form";
        EXPECT_EQ(dovute[0].tipo, KEsponenti) << dove;
        const auto classe = reg.PanoramicaClasse(QStringLiteral("2B"), {}, {}, oggi);
        ASSERT_TRUE(classe) << dove;
        ASSERT_EQ(classe->errori.size(), 1) << dove << ": the overview's mistakes have no slip of form";
    };
    controlla(*r, anna->id, "as answered");
    // Rebuilt from the answers themselves, as an import does.
    const auto e = r->Esporta(anna->id);
    ASSERT_TRUE(e);
    const auto letta = LeggiEsportazione(ScriviEsportazione(*e));
    ASSERT_TRUE(letta.dati);
    auto altro = Nuovo(QStringLiteral("altro"));
    ASSERT_TRUE(altro->Importa(*letta.dati).riuscito);
    const auto importata = altro->TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(importata);
    controlla(*altro, importata->id, "imported");
}

TEST_P(SuOgniMotore, AlunniUniciPerNomeEPinSoloComeChiave)
{
    auto r = Nuovo(QStringLiteral("r"));
    const auto anna = r->CreaAlunno(QStringLiteral("Anna  Maria"), QStringLiteral("2B"));
    ASSERT_TRUE(anna);
    // A name in a class: case and spaces do not make another pupil, and
    // the pupil stays as first written.
    EXPECT_EQ(r->CreaAlunno(QStringLiteral("anna maria"), QStringLiteral(" 2b "))->id, anna->id);
    EXPECT_EQ(r->TrovaAlunno(QStringLiteral("ANNA MARIA"), QStringLiteral("2b"))->nome, QStringLiteral("Anna  Maria"));
    for (const char* nome : {"", " Anna", "Anna\n", "a\tb"})
        EXPECT_FALSE(r->CreaAlunno(QString::fromUtf8(nome), {})) << nome;
    EXPECT_FALSE(r->CreaAlunno(QString(61, 'a'), {}));
    EXPECT_EQ(r->Alunni().size(), 1);
    // The same name in another class is another pupil.
    const auto altra = r->CreaAlunno(QStringLiteral("Anna Maria"), QStringLiteral("3C"));
    ASSERT_TRUE(altra);
    EXPECT_NE(altra->id, anna->id);
    EXPECT_EQ(r->Classi(), (QStringList{QStringLiteral("2B"), QStringLiteral("3C")}));
    EXPECT_EQ(r->AlunniClasse(QStringLiteral("3c")).size(), 1);
    EXPECT_FALSE(r->TrovaAlunno(QStringLiteral("Anna Maria"))) << "two classes: the class must be said";
    EXPECT_EQ(r->TrovaAlunno(QStringLiteral("anna maria"), QStringLiteral("3C"))->id, altra->id);

    EXPECT_EQ(r->ControllaPin(anna->id, QStringLiteral("9999")), TEsitoPin::Giusto) << "no PIN set";
    EXPECT_FALSE(r->ImpostaPin(anna->id, QStringLiteral("12a4")));
    ASSERT_TRUE(r->ImpostaPin(anna->id, QStringLiteral("0427")));
    EXPECT_TRUE(r->TrovaAlunno(QStringLiteral("Anna Maria"), QStringLiteral("2B"))->conPin);
    EXPECT_FALSE(r->TrovaAlunno(QStringLiteral("Anna Maria"), QStringLiteral("3C"))->conPin);
    const QStringList colonne = Colonne(QStringLiteral("r"), QStringLiteral("SELECT nome || classe || pin_sale || pin_chiave FROM alunni WHERE pin_chiave IS NOT NULL"));
    ASSERT_EQ(colonne.size(), 1);
    EXPECT_FALSE(colonne[0].contains(QStringLiteral("0427")));

    qint64 adesso = 0;
    r->ImpostaOrologio([&] { return adesso; });
    EXPECT_EQ(r->ControllaPin(anna->id, QStringLiteral("0427")), TEsitoPin::Giusto);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(r->ControllaPin(anna->id, QStringLiteral("1111")), TEsitoPin::Sbagliato);
    EXPECT_EQ(r->ControllaPin(anna->id, QStringLiteral("0427")), TEsitoPin::Attendi) << "even the right PIN waits";
    EXPECT_EQ(r->SecondiAttesaPin(anna->id), 30);
    {
        // The next run of the program: the wait goes on, and a clock set
        // back an hour does not make it longer.
        auto dopo = Riapri(QStringLiteral("r"));
        ASSERT_TRUE(dopo);
        qint64 indietro = adesso - 3'600'000;
        dopo->ImpostaOrologio([&] { return indietro; });
        EXPECT_EQ(dopo->ControllaPin(anna->id, QStringLiteral("0427")), TEsitoPin::Attendi);
        EXPECT_EQ(dopo->SecondiAttesaPin(anna->id), 30);
        dopo->ImpostaOrologio([&] { return adesso + 10'000; });
        EXPECT_EQ(dopo->ControllaPin(anna->id, QStringLiteral("0427")), TEsitoPin::Attendi);
        EXPECT_EQ(dopo->SecondiAttesaPin(anna->id), 20);
    }
    adesso += 30000;
    EXPECT_EQ(r->ControllaPin(anna->id, QStringLiteral("0427")), TEsitoPin::Giusto);
    ASSERT_TRUE(r->ImpostaPin(anna->id, {}));
    EXPECT_FALSE(r->TrovaAlunno(QStringLiteral("Anna Maria"), QStringLiteral("2B"))->conPin);
}

TEST_P(SuOgniMotore, EsportaEImportaUnisconoSenzaDoppioni)
{
    auto casa = Nuovo(QStringLiteral("casa"));
    auto scuola = Nuovo(QStringLiteral("scuola"));
    const QDate ieri = QDate::currentDate().addDays(-1);
    auto anna = casa->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    ASSERT_TRUE(casa->ImpostaPin(anna->id, QStringLiteral("0427")));
    casa->ScegliAlunno(anna);
    ASSERT_TRUE(casa->Registra(Risposta(KProdotto, false, Alle(ieri, 9), KEsponenti)));
    ASSERT_TRUE(casa->Registra(Risposta(KSomma, true, Alle(ieri, 10))));
    // At school Anna already answered once, and Bruno too.
    auto annaScuola = scuola->CreaAlunno(QStringLiteral("anna"), QStringLiteral("2b"));
    scuola->ScegliAlunno(annaScuola);
    ASSERT_TRUE(scuola->Registra(Risposta(KSomma, true, Alle(ieri, 8))));
    scuola->ScegliAlunno(scuola->CreaAlunno(QStringLiteral("Bruno"), {}));
    ASSERT_TRUE(scuola->Registra(Risposta(KSomma, false, Alle(ieri, 8))));

    const auto e = casa->Esporta(anna->id);
    ASSERT_TRUE(e);
    const auto letta = LeggiEsportazione(ScriviEsportazione(*e));
    ASSERT_TRUE(letta.dati);
    auto esito = scuola->Importa(*letta.dati);
    EXPECT_TRUE(esito.riuscito);
    EXPECT_EQ(esito.nuove, 2);
    EXPECT_EQ(esito.presenti, 0);
    EXPECT_FALSE(esito.alunnoNuovo);
    EXPECT_TRUE(esito.scrittoAltrimenti) << "matched ignoring case, and said";
    EXPECT_TRUE(esito.altreClassi.isEmpty());
    esito = scuola->Importa(*letta.dati);
    EXPECT_TRUE(esito.riuscito);
    EXPECT_EQ(esito.nuove, 0) << "imported twice, kept once";
    EXPECT_EQ(esito.presenti, 2);

    const auto storico = scuola->Storico(annaScuola->id);
    ASSERT_EQ(storico.size(), 3);
    EXPECT_EQ(storico[0].quando, Alle(ieri, 8)) << "merged in time order";
    const auto p = scuola->Progressi(annaScuola->id, QDate::currentDate());
    ASSERT_EQ(p.argomenti.size(), 2);
    EXPECT_EQ(p.argomenti[1].giuste, 2);
    EXPECT_EQ(p.argomenti[1].ultime, 2);
    const auto dovute = scuola->RipassoDovuto(annaScuola->id, QDate::currentDate());
    ASSERT_EQ(dovute.size(), 1) << "the review is rebuilt from the imported answers";
    EXPECT_EQ(dovute[0].tipo, KEsponenti);
    EXPECT_EQ(scuola->RigheAlunni()[1].sbagliate, 1) << "Bruno untouched";

    // Into an empty record the pupil comes with class and PIN.
    auto nuovo = Nuovo(QStringLiteral("nuovo"));
    esito = nuovo->Importa(*letta.dati);
    EXPECT_TRUE(esito.alunnoNuovo);
    const auto annaNuova = nuovo->TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(annaNuova);
    EXPECT_EQ(annaNuova->classe, QStringLiteral("2B"));
    EXPECT_EQ(nuovo->ControllaPin(annaNuova->id, QStringLiteral("0427")), TEsitoPin::Giusto);
    EXPECT_EQ(nuovo->ControllaPin(annaNuova->id, QStringLiteral("0428")), TEsitoPin::Sbagliato);

    // A file of an Anna of 3A is not merged into the Anna of 2B: another
    // pupil, and the import says there is one of that name elsewhere.
    TEsportazione terza = *letta.dati;
    terza.classe = QStringLiteral("3A");
    for (auto& risposta : terza.risposte)
        risposta.uuid = QUuid::createUuid();
    esito = scuola->Importa(terza);
    EXPECT_TRUE(esito.riuscito);
    EXPECT_TRUE(esito.alunnoNuovo);
    EXPECT_EQ(esito.altreClassi, QStringList{QStringLiteral("2b")});
    EXPECT_EQ(scuola->Storico(annaScuola->id).size(), 3) << "the 2B pupil untouched";
    EXPECT_EQ(scuola->Storico(scuola->TrovaAlunno(QStringLiteral("Anna"), QStringLiteral("3a"))->id).size(), 2);
}

// A file whose answer is, by its uuid, another pupil's here is refused
// whole: no pupil made, no answer moved or counted "già presente".
TEST_P(SuOgniMotore, UnaRispostaDiUnAltroAlunnoRifiutaLImportazione)
{
    auto scuola = Nuovo(QStringLiteral("altrui"));
    const QDate ieri = QDate::currentDate().addDays(-1);
    scuola->ScegliAlunno(scuola->CreaAlunno(QStringLiteral("Bruno"), {}));
    TRispostaGiudicata r = Risposta(KSomma, true, Alle(ieri, 8));
    r.uuid = QUuid::createUuid();
    ASSERT_TRUE(scuola->Registra(r));
    TEsportazione e;
    e.nome = QStringLiteral("Carla");
    TRispostaRegistrata altrui;
    static_cast<TRispostaGiudicata&>(altrui) = r;
    altrui.giorno = ieri;
    altrui.computer = QStringLiteral("aula-3");
    TRispostaRegistrata sua = altrui;
    sua.uuid = QUuid::createUuid();
    e.risposte = {sua, altrui};
    const auto esito = scuola->Importa(e);
    EXPECT_FALSE(esito.riuscito);
    EXPECT_TRUE(esito.rifiuto.contains(QStringLiteral("un altro alunno"))) << esito.rifiuto.toStdString();
    EXPECT_TRUE(esito.rifiuto.contains(r.uuid.toString(QUuid::WithoutBraces)));
    EXPECT_FALSE(scuola->Ospite()) << "the record is sound: only the file is refused";
    EXPECT_FALSE(scuola->TrovaAlunno(QStringLiteral("Carla")));
    EXPECT_EQ(Colonne(QStringLiteral("altrui"), QStringLiteral("SELECT count(*) FROM risposte")), QStringList{QStringLiteral("1")});
}

TEST(Registro, UnFileCheNonESuoELasciatoComE)
{
    QTemporaryDir d;
    struct TCaso {
        const char* nome;
        QString file;
        TGuasto atteso;
    };
    const QString testo = d.filePath(QStringLiteral("testo.sqlite"));
    {
        QFile f(testo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("Caro diario, oggi ho studiato i monomi.\n").repeated(200));
    }
    const QString altro = d.filePath(QStringLiteral("altro.sqlite"));
    Sql(altro, QStringLiteral("CREATE TABLE rubrica (nome TEXT)"));
    const QString futuro = d.filePath(QStringLiteral("futuro.sqlite"));
    Apri(futuro).reset();
    Sql(futuro, QStringLiteral("UPDATE versione_schema SET versione = 99"));
    Sql(futuro, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    for (const TCaso& c : {TCaso{"testo", testo, TGuasto::Estraneo}, TCaso{"altro", altro, TGuasto::Estraneo},
                           TCaso{"futuro", futuro, TGuasto::PiuRecente}}) {
        const QByteArray prima = Contenuto(c.file);
        QStringList avvisi;
        TOpzioniRegistro o;
        o.db = c.file;
        auto r = ApriRegistro(o, [&](const QString& m) { avvisi << m; });
        EXPECT_TRUE(r->Ospite()) << c.nome;
        ASSERT_EQ(avvisi.size(), 1) << c.nome;
        EXPECT_TRUE(avvisi[0].contains(c.file)) << "the message says where the file is";
        EXPECT_TRUE(avvisi[0].contains(QStringLiteral("ospite")));
        r.reset();
        EXPECT_EQ(Contenuto(c.file), prima) << c.nome;
        const auto a = TRegistroSql::ApriSqlite(c.file, o, true);
        EXPECT_EQ(a.guasto, c.atteso) << c.nome << " " << a.dettaglio.toStdString();
    }
    EXPECT_EQ(TRegistroSql::ApriSqlite(d.filePath(QStringLiteral("manca.sqlite")), {}, false).guasto,
              TGuasto::Mancante);
    EXPECT_FALSE(QFile::exists(d.filePath(QStringLiteral("manca.sqlite"))));
}

// A lock another program holds beyond the wait: the answers wait in
// memory (one message), and are written, each once, when it is released;
// the record never turns guest.
TEST(Registro, UnBloccoOltreLAttesaTieneLeRisposteFinoAlRilascio)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    auto r = Apri(file, 200);
    QStringList avvisi;
    r->ImpostaAvviso([&](const QString& m) { avvisi << m; });
    r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Anna"), {}));
    ASSERT_TRUE(r->Registra(Risposta(KSomma, true)));
    {
        // Another program holds the write lock.
        QSqlDatabase altro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altro"));
        altro.setDatabaseName(file);
        ASSERT_TRUE(altro.open());
        QSqlQuery q(altro);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
        EXPECT_FALSE(r->Registra(Risposta(KSomma, true)));
        EXPECT_FALSE(r->Ospite());
        EXPECT_EQ(r->Trattenute(), 1);
        EXPECT_FALSE(r->Registra(Risposta(KSomma, false)));
        EXPECT_FALSE(r->Riprova());
        EXPECT_EQ(r->Trattenute(), 2);
        ASSERT_EQ(avvisi.size(), 1) << "one message while the lock is held";
        EXPECT_TRUE(avvisi[0].contains(QStringLiteral("occupato"))) << avvisi[0].toStdString();
        EXPECT_TRUE(avvisi[0].contains(QStringLiteral("tenute in memoria"))) << avvisi[0].toStdString();
        // A program started meanwhile finds it out at open.
        TOpzioniRegistro breve;
        breve.attesaMs = 200;
        EXPECT_EQ(TRegistroSql::ApriSqlite(file, breve, true).guasto, TGuasto::Occupato);
        q.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("altro"));
    EXPECT_TRUE(r->Riprova());
    EXPECT_EQ(r->Trattenute(), 0);
    ASSERT_EQ(avvisi.size(), 2);
    EXPECT_TRUE(avvisi[1].contains(QStringLiteral("si scrive di nuovo"))) << avvisi[1].toStdString();
    EXPECT_TRUE(avvisi[1].contains(QStringLiteral("le 2 risposte"))) << avvisi[1].toStdString();
    r.reset();
    auto dopo = Apri(file);
    EXPECT_EQ(dopo->Storico(dopo->TrovaAlunno(QStringLiteral("Anna"))->id).size(), 3);
}

TEST(Registro, UnOspiteNonTieneNulla)
{
    TRegistroOspite o;
    o.ScegliAlunno(TAlunno{1, QStringLiteral("Anna"), {}, false});
    EXPECT_TRUE(o.Ospite());
    EXPECT_FALSE(o.Registra(Risposta(KSomma, true)));
    EXPECT_FALSE(o.CreaAlunno(QStringLiteral("Anna"), {}));
    EXPECT_EQ(o.Progressi(1, QDate(2026, 12, 8)).giorni.size(), 30);
}

TEST(Registro, UnRegistroDellaVersioneUnoSiAggiornaInUnaTransazione)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    const std::vector<TMigrazione> uno{Migrazioni().front()};
    {
        // A record of version 1 with a pupil and an answer, as that version wrote them.
        auto a = TRegistroSql::ApriSqlite(file, {}, true, uno);
        ASSERT_TRUE(a.registro);
    }
    Sql(file, QStringLiteral("INSERT INTO alunni (id, nome, classe, creato) VALUES (1, 'Anna', '2B', 0)"));
    Sql(file, QStringLiteral("INSERT INTO risposte VALUES (X'00000000000000000000000000000001', 1, 'somma-monomi', "
                             "'2x+3x', 1, '5x', 1, '', '', '', 0, 3.5, 1796112001000, '2026-12-01', 'aula-1')"));
    EXPECT_EQ(Sql(file, QStringLiteral("SELECT versione FROM versione_schema")), QStringList{QStringLiteral("1")});
    std::vector<TMigrazione> conErrore = Migrazioni();
    conErrore.push_back({Migrazioni().back().versione + 1,
                         {QStringLiteral("ALTER TABLE alunni ADD COLUMN nota TEXT NOT NULL DEFAULT ''"),
                          QStringLiteral("UPDATE tabella_che_non_c_e SET x = 1")}});
    EXPECT_NE(TRegistroSql::ApriSqlite(file, {}, true, conErrore).guasto, TGuasto::Nessuno);
    EXPECT_EQ(Sql(file, QStringLiteral("SELECT versione FROM versione_schema")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(Sql(file, QStringLiteral("SELECT count(*) FROM pragma_table_info('alunni') WHERE name = 'nota'")),
              QStringList{QStringLiteral("0")})
        << "a migration that fails leaves nothing of itself, nor of the migrations before it";
    EXPECT_EQ(Sql(file, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'uscita'")),
              QStringList{QStringLiteral("0")});

    std::vector<TMigrazione> dopo = Migrazioni();
    const int ultima = dopo.back().versione + 1;
    dopo.push_back({ultima, {QStringLiteral("ALTER TABLE alunni ADD COLUMN nota TEXT NOT NULL DEFAULT ''")}});
    {
        auto a = TRegistroSql::ApriSqlite(file, {}, true, dopo);
        ASSERT_TRUE(a.registro);
        const auto anna = a.registro->TrovaAlunno(QStringLiteral("Anna"));
        ASSERT_TRUE(anna);
        EXPECT_EQ(anna->classe, QStringLiteral("2B"));
        EXPECT_EQ(a.registro->Storico(anna->id).size(), 1);
    }
    EXPECT_EQ(Sql(file, QStringLiteral("SELECT versione FROM versione_schema")), QStringList{QString::number(ultima)});
    EXPECT_EQ(Sql(file, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'uscita'")),
              QStringList{QStringLiteral("1")});
    // This program does not know that last version: it leaves the record alone.
    Sql(file, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QByteArray prima = Contenuto(file);
    EXPECT_EQ(TRegistroSql::ApriSqlite(file, {}, true).guasto, TGuasto::PiuRecente);
    EXPECT_EQ(Contenuto(file), prima);
}

// A record left quiet for a minute is written from its log into the file
// itself: the file alone, copied while the program still runs, holds
// every answer. Before the minute nothing is done.
TEST(Registro, DopoUnMinutoDiQuieteIlFileDaSoloEIlRegistro)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    auto r = Apri(file);
    ASSERT_TRUE(r);
    qint64 adesso = 1'000'000;
    r->ImpostaOrologio([&] { return adesso; });
    r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B")));
    ASSERT_TRUE(r->Registra(Risposta(KSomma, true)));
    EXPECT_GT(QFileInfo(file + QStringLiteral("-wal")).size(), 0);
    adesso += 30'000;
    EXPECT_FALSE(r->RiversaLog(60'000)) << "not yet a quiet minute";
    EXPECT_GT(QFileInfo(file + QStringLiteral("-wal")).size(), 0);
    adesso += 31'000;
    EXPECT_TRUE(r->RiversaLog(60'000));
    EXPECT_EQ(QFileInfo(file + QStringLiteral("-wal")).size(), 0);
    ASSERT_TRUE(QFile::copy(file, d.filePath(QStringLiteral("copia.sqlite"))));
    auto copia = Apri(d.filePath(QStringLiteral("copia.sqlite")));
    ASSERT_TRUE(copia);
    const auto anna = copia->TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(anna);
    EXPECT_EQ(copia->Storico(anna->id).size(), 1);
}
