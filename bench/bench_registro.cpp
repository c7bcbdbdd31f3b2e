// The pupil's record as a pupil feels it: recording one judged answer
// (committed, with the synchronous mode the record uses), opening a record
// of 100,000 answers and computing the progress window's figures, the
// review items due; and the size of that file ("MB" counter). For the
// teacher: the overview of a class of 30 pupils with 10,000 answers each,
// read and written as a spreadsheet. On a private PostgreSQL cluster (fsync
// on, as a school's server): one answer committed on the server, and one
// answer as the program records it when its record is on a server (this
// computer's record and outbox).
//
// A school's size on the server: 1,000 pupils in 40 classes with 5,000
// answers each (5 million answers), and a tenth of that school (100 pupils
// in 4 classes, 0.5 million answers), each in a database of its own made
// with COPY: a class's overview (as a teacher reads it), and as a lab PC
// reads and writes them through the server's functions with the lab PCs'
// role, a pupil's history, the review due and one answer recorded. The
// pupils and classes are the same size in both schools: the figures of the
// larger should be those of the smaller, the cost following the class and
// the pupil, not the school. Making the larger school takes minutes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <map>

#include "Classe.h"
#include "PanoramicaClasse.h"
#include "Condiviso.h"
#include "RegistroSql.h"
#include "Ruoli.h"
#include "ServerPg.h"

namespace {

using namespace mevario;

const char* const KArgomenti[] = {"definizione-monomio", "somma-monomi",      "prodotto-monomi", "potenza-monomio",
                                  "quoziente-monomi",    "mcd-monomi",        "mcm-monomi",      "definizione-polinomio",
                                  "somma-polinomi",      "differenza-polinomi", "prodotto-polinomi"};
const char* const KErrori[] = {"Nel prodotto gli esponenti si sommano, non si moltiplicano.",
                               "Nella potenza gli esponenti si moltiplicano, non si sommano.",
                               "Anche il coefficiente va elevato alla potenza.",
                               "Ci sono termini simili da sommare.",
                               "Le lettere vanno nell'ordine x, y, z.",
                               ""};

TRispostaRegistrata Risposta(int i, QDate oggi)
{
    TRispostaRegistrata r;
    r.uuid = QUuid::createUuid();
    r.argomento = QString::fromLatin1(KArgomenti[i % 11]);
    r.esercizio = QStringLiteral("(-3/4*x^2*y)*(%1/5*x^3*y^2*z)").arg(i % 97);
    r.seme = static_cast<quint32>(i * 2654435761u);
    r.giusta = i % 3 != 0;
    r.risposta = r.giusta ? QStringLiteral("-%1/20x^5y^3z").arg(i % 97) : QStringLiteral("-%1/20x^6y^2z").arg(i % 97);
    if (!r.giusta) {
        r.tipoErrore = QString::fromUtf8(KErrori[(i / 3) % 6]);
        r.diagnosi = r.tipoErrore.isEmpty() ? QString() : QStringLiteral("Manca 1 termine. ") + r.tipoErrore;
    }
    r.secondi = 5 + i % 40;
    // A year of practice, about 270 answers a day, the newest today.
    r.giorno = oggi.addDays(-(99999 - i) / 274);
    r.quando = QDateTime(r.giorno, QTime(8, 0).addSecs((i % 274) * 60));
    r.computer = QStringLiteral("aula-informatica-3");
    return r;
}

TOpzioniRegistro Opzioni(const QString& file)
{
    TOpzioniRegistro o;
    o.db = file;
    return o;
}

// A record of 100,000 answers of one pupil, made once.
const QString& RegistroGrande()
{
    static QTemporaryDir cartella;
    static const QString file = [] {
        const QString f = cartella.filePath(QStringLiteral("grande.sqlite"));
        auto a = TRegistroSql::ApriSqlite(f, Opzioni(f), true);
        TEsportazione e;
        e.nome = QStringLiteral("Anna");
        const QDate oggi = QDate::currentDate();
        for (int i = 0; i < 100000; ++i)
            e.risposte.append(Risposta(i, oggi));
        if (!a.registro || !a.registro->Importa(e).riuscito)
            std::abort();
        return f;
    }();
    return file;
}

void BM_RegistraRisposta(benchmark::State& state)
{
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("r.sqlite"));
    auto a = TRegistroSql::ApriSqlite(file, Opzioni(file), true);
    TRegistroSql& r = *a.registro;
    r.ScegliAlunno(r.CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B")));
    const QDate oggi = QDate::currentDate();
    int i = 0;
    for (auto _ : state) {
        TRispostaGiudicata g = Risposta(i++, oggi);
        g.quando = QDateTime();
        if (!r.Registra(g))
            state.SkipWithError("the record turned guest");
    }
}
BENCHMARK(BM_RegistraRisposta)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ApriEProgressi(benchmark::State& state)
{
    const QString file = RegistroGrande();
    const QDate oggi = QDate::currentDate();
    for (auto _ : state) {
        auto a = TRegistroSql::ApriSqlite(file, Opzioni(file), false);
        if (!a.registro) {
            state.SkipWithError("cannot open");
            break;
        }
        const auto anna = a.registro->TrovaAlunno(QStringLiteral("Anna"));
        const TProgressi p = a.registro->Progressi(anna->id, oggi);
        benchmark::DoNotOptimize(p.argomenti.size());
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(file).size()) / 1e6;
}
BENCHMARK(BM_ApriEProgressi)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RipassoDovuto(benchmark::State& state)
{
    const QString file = RegistroGrande();
    auto a = TRegistroSql::ApriSqlite(file, Opzioni(file), false);
    const auto anna = a.registro->TrovaAlunno(QStringLiteral("Anna"));
    const QDate oggi = QDate::currentDate();
    for (auto _ : state) {
        const auto dovute = a.registro->RipassoDovuto(anna->id, oggi);
        benchmark::DoNotOptimize(dovute.size());
    }
}
BENCHMARK(BM_RipassoDovuto)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A class 3C of 30 pupils, 10,000 answers each over a school year, in a
// record of the engine that `apri` opens (made once per engine).
using TApriRecord = std::unique_ptr<TRegistroSql> (*)();

std::unique_ptr<TRegistroSql> ClasseSqlite()
{
    static QTemporaryDir cartella;
    const QString f = cartella.filePath(QStringLiteral("classe.sqlite"));
    auto a = TRegistroSql::ApriSqlite(f, Opzioni(f), true);
    return std::move(a.registro);
}

TRegistroSql* ClasseRiempita(TApriRecord apri)
{
    static std::map<TApriRecord, std::unique_ptr<TRegistroSql>> fatti;
    auto& r = fatti[apri];
    if (r)
        return r.get();
    r = apri();
    if (!r)
        return nullptr;
    const QDate oggi = QDate::currentDate();
    for (int k = 0; k < 30; ++k) {
        TEsportazione e;
        e.nome = QStringLiteral("Alunno %1").arg(k, 2, 10, QLatin1Char('0'));
        e.classe = QStringLiteral("3C");
        for (int i = 0; i < 10000; ++i) {
            TRispostaRegistrata x = Risposta(i * 10 + k % 10, oggi);
            x.giorno = oggi.addDays(-(9999 - i) / 30);
            x.quando = QDateTime(x.giorno, QTime(8, 0).addSecs(i % 30 * 60));
            e.risposte.append(std::move(x));
        }
        if (!r->Importa(e).riuscito)
            return nullptr;
    }
    return r.get();
}

std::vector<TColonnaArgomento> Colonne()
{
    std::vector<TColonnaArgomento> c;
    for (const char* a : KArgomenti)
        c.push_back({QString::fromLatin1(a), QString::fromLatin1(a)});
    return c;
}

// Read from the record and written as the .fods "Registro di classe" opens.
void BM_PanoramicaClasse(benchmark::State& state, TApriRecord apri)
{
    TRegistroSql* r = ClasseRiempita(apri);
    if (!r) {
        state.SkipWithError("cannot make the class's record");
        return;
    }
    const QDate oggi = QDate::currentDate();
    for (auto _ : state) {
        const auto p = r->PanoramicaClasse(QStringLiteral("3C"), oggi.addDays(-300), oggi, oggi);
        if (!p || p->alunni.size() != 30) {
            state.SkipWithError("no overview");
            break;
        }
        benchmark::DoNotOptimize(PanoramicaFods(*p, Colonne()).size());
    }
}
BENCHMARK_CAPTURE(BM_PanoramicaClasse, sqlite, ClasseSqlite)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
// The cluster of the server's benchmarks, started once; null (with the
// reason) where none can be started.
mevario::prova::TServerPg* Server(QString& perche)
{
    static QString errore;
    static std::unique_ptr<mevario::prova::TServerPg> server = [] {
        auto s = std::make_unique<mevario::prova::TServerPg>();
        if (!s->Avvia(errore, true))
            return std::unique_ptr<mevario::prova::TServerPg>();
        if (!TRegistroSql::ApriPostgres(s->Url(), {}, true).registro) {
            errore = QStringLiteral("prepara failed");
            return std::unique_ptr<mevario::prova::TServerPg>();
        }
        return s;
    }();
    perche = errore;
    return server.get();
}

// The class on the cluster of the server's benchmarks, in a database of its own.
std::unique_ptr<TRegistroSql> ClassePostgres()
{
    QString errore;
    auto* s = Server(errore);
    if (!s || !s->Client(QStringLiteral("createdb"), {QStringLiteral("classe")}, errore))
        return nullptr;
    return std::move(TRegistroSql::ApriPostgres(s->Url(QStringLiteral("classe")), {}, true).registro);
}
BENCHMARK_CAPTURE(BM_PanoramicaClasse, postgresql, ClassePostgres)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RegistraRispostaServer(benchmark::State& state)
{
    QString perche;
    auto* s = Server(perche);
    if (!s) {
        state.SkipWithError(("no PostgreSQL cluster: " + perche).toStdString().c_str());
        return;
    }
    auto a = TRegistroSql::ApriPostgres(s->Url(), {}, false);
    TRegistroSql& r = *a.registro;
    r.ScegliAlunno(r.CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B")));
    const QDate oggi = QDate::currentDate();
    int i = 0;
    for (auto _ : state) {
        TRispostaGiudicata g = Risposta(i++, oggi);
        g.quando = QDateTime();
        if (!r.Registra(g))
            state.SkipWithError("the server's record failed");
    }
}
BENCHMARK(BM_RegistraRispostaServer)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RegistraRispostaCondiviso(benchmark::State& state)
{
    QString perche;
    auto* s = Server(perche);
    if (!s) {
        state.SkipWithError(("no PostgreSQL cluster: " + perche).toStdString().c_str());
        return;
    }
    QTemporaryDir casa; // this computer's record and outbox
    const QByteArray prima = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", casa.path().toLocal8Bit());
    {
        TOpzioniRegistro o;
        o.db = s->Url();
        auto r = ApriRegistro(o, {});
        r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Bea"), QStringLiteral("2B")));
        const QDate oggi = QDate::currentDate();
        int i = 0;
        for (auto _ : state) {
            TRispostaGiudicata g = Risposta(i++, oggi);
            g.quando = QDateTime();
            if (!r->Registra(g))
                state.SkipWithError("the record failed");
        }
        // Not timed: the sending, on its own thread, catches up.
        if (auto* c = dynamic_cast<TRegistroCondiviso*>(r.get()))
            c->SvuotaUscita(60000);
    }
    qputenv("XDG_DATA_HOME", prima);
}
BENCHMARK(BM_RegistraRispostaCondiviso)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// psql as the cluster's superuser on `database`, `sql` and then `dati` on
// its standard input (COPY ... FROM STDIN reads them).
bool Psql(mevario::prova::TServerPg& s, const QString& database, const QString& sql,
          const std::function<void(QProcess&)>& dati = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(s.Programma(QStringLiteral("psql")),
            {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
             QStringLiteral("-h"), s.Cartella(), QStringLiteral("-p"), QString::number(s.Porta()), QStringLiteral("-U"),
             QStringLiteral("mevario"), database, QStringLiteral("-c"), sql});
    if (!p.waitForStarted())
        return false;
    if (dati)
        dati(p);
    p.closeWriteChannel();
    return p.waitForFinished(-1) && p.exitCode() == 0;
}

// Writes `riga` to psql, a block at a time.
void Scrivi(QProcess& p, QByteArray& blocco, bool fine = false)
{
    if (blocco.size() < (1 << 20) && !fine)
        return;
    p.write(blocco);
    while (p.bytesToWrite() > 0)
        p.waitForBytesWritten(-1);
    blocco.clear();
}

constexpr int KAlunniPerClasse = 25;
constexpr int KRispostePerAlunno = 5000;

// A school of `classi` classes in the database `nome`, prepared, with the
// lab PCs' role's rights; made once per size.
QString Scuola(int classi)
{
    static std::map<int, QString> fatte;
    if (fatte.count(classi))
        return fatte[classi];
    QString errore;
    auto* s = Server(errore);
    if (!s)
        return {};
    const QString nome = QStringLiteral("scuola%1").arg(classi);
    Psql(*s, QStringLiteral("postgres"),
         QStringLiteral("DO $$ BEGIN CREATE ROLE %1 LOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$")
             .arg(KRuoloLaboratorio));
    if (!s->Client(QStringLiteral("createdb"), {nome}, errore) ||
        !TRegistroSql::ApriPostgres(s->Url(nome), {}, true).registro)
        return {};
    const int alunni = classi * KAlunniPerClasse;
    const QDate oggi = QDate::currentDate();
    const qint64 mezzanotte = QDateTime(oggi.addDays(-300), QTime(8, 0)).toMSecsSinceEpoch();
    bool ok = Psql(*s, nome, QStringLiteral("COPY alunni (id, nome, classe, nome_chiave, classe_chiave, creato) FROM STDIN"),
                   [&](QProcess& p) {
                       QByteArray b;
                       for (int k = 1; k <= alunni; ++k) {
                           const QByteArray classe = QByteArray::number((k - 1) / KAlunniPerClasse + 1) + 'A';
                           const QByteArray n = "Alunno " + QByteArray::number(k);
                           b += QByteArray::number(k) + '\t' + n + '\t' + classe + '\t' + n.toLower() + '\t' +
                                classe.toLower() + "\t0\n";
                       }
                       Scrivi(p, b, true);
                   });
    // Each pupil's answers over 300 school days, one in three wrong, most
    // of those with a named mistake.
    ok = ok && Psql(*s, nome,
                    QStringLiteral("COPY risposte (uuid, alunno, argomento, esercizio, seme, risposta, giusta, diagnosi, "
                                   "tipo_errore, ripassa, soluzione_vista, secondi, quando, giorno, computer) FROM STDIN"),
                    [&](QProcess& p) {
                        QByteArray b;
                        char uuid[40];
                        for (int k = 1; k <= alunni; ++k)
                            for (int i = 0; i < KRispostePerAlunno; ++i) {
                                std::snprintf(uuid, sizeof uuid, "%08x-0000-4000-8000-%012x", k, i);
                                const bool giusta = (i + k) % 3 != 0;
                                const QByteArray tipo = giusta ? QByteArray() : QByteArray(KErrori[(i / 3) % 6]);
                                const int giorno = i * 300 / KRispostePerAlunno;
                                b += QByteArray(uuid) + '\t' + QByteArray::number(k) + '\t' + KArgomenti[i % 11] +
                                     "\t(3*x^2)*(-2*x^3)\t" + QByteArray::number(i) + (giusta ? "\t-6x^5\t1\t" : "\t-6x^6\t0\t") +
                                     tipo + '\t' + tipo + "\t\t0\t12.5\t" +
                                     QByteArray::number(mezzanotte + giorno * 86400000LL + i * 1000LL) + '\t' +
                                     oggi.addDays(giorno - 300).toString(Qt::ISODate).toLatin1() + "\taula-3\n";
                                Scrivi(p, b);
                            }
                        Scrivi(p, b, true);
                    });
    // The figures and the review schedule as the answers leave them.
    ok = ok && Psql(*s, nome,
                    QStringLiteral("SELECT setval(pg_get_serial_sequence('alunni', 'id'), %1);"
                                   "INSERT INTO esiti_giorno SELECT alunno, argomento, giorno, sum(giusta), "
                                   "sum(1 - giusta) FROM risposte GROUP BY 1, 2, 3;"
                                   "INSERT INTO esiti_argomento SELECT DISTINCT alunno, argomento, '11011011011011011011' "
                                   "FROM esiti_giorno;"
                                   "INSERT INTO ripasso SELECT alunno, argomento, CASE tipo_errore WHEN '' THEN "
                                   "'errore non diagnosticato' ELSE tipo_errore END, 1 + alunno % 5, max(giorno) "
                                   "FROM risposte WHERE giusta = 0 GROUP BY 1, 2, 3;")
                                .arg(alunni)) &&
         Psql(*s, nome, QStringLiteral("VACUUM ANALYZE"));
    if (!ok)
        return {};
    return fatte[classi] = nome;
}

// The lab PCs' role on the school of `classi` classes, with the session of
// pupil `alunno` (no PIN): as a lab PC is after "Chi sei?".
std::unique_ptr<TRegistroSql> Laboratorio(int classi, qint64 alunno)
{
    const QString nome = Scuola(classi);
    QString errore;
    auto* s = Server(errore);
    if (nome.isEmpty() || !s)
        return nullptr;
    const QString url = s->Url(nome).replace(QStringLiteral("mevario@"), KRuoloLaboratorio + QLatin1Char('@'));
    auto a = TRegistroSql::ApriPostgres(url, {}, false);
    if (!a.registro || a.registro->Ruolo() != TRuoloServer::Laboratorio ||
        a.registro->ControllaPin(alunno, {}) != TEsitoPin::Giusto)
        return nullptr;
    return std::move(a.registro);
}

// The pupil in the middle of the last class.
qint64 Alunno(int classi)
{
    return (classi - 1) * KAlunniPerClasse + KAlunniPerClasse / 2;
}

void BM_ScuolaPanoramicaClasse(benchmark::State& state)
{
    const int classi = static_cast<int>(state.range(0));
    const QString nome = Scuola(classi);
    QString errore;
    auto* s = Server(errore);
    if (nome.isEmpty() || !s) {
        state.SkipWithError("cannot make the school");
        return;
    }
    auto a = TRegistroSql::ApriPostgres(s->Url(nome), {}, false);
    const QDate oggi = QDate::currentDate();
    const QString classe = QStringLiteral("%1A").arg(classi);
    for (auto _ : state) {
        const auto p = a.registro->PanoramicaClasse(classe, oggi.addDays(-300), oggi, oggi);
        if (!p || p->alunni.size() != KAlunniPerClasse) {
            state.SkipWithError("no overview");
            break;
        }
        benchmark::DoNotOptimize(p->errori.size());
    }
    state.counters["risposte"] = classi * KAlunniPerClasse * KRispostePerAlunno;
}
BENCHMARK(BM_ScuolaPanoramicaClasse)->Arg(4)->Arg(40)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ScuolaStoricoAlunno(benchmark::State& state)
{
    const int classi = static_cast<int>(state.range(0));
    auto r = Laboratorio(classi, Alunno(classi));
    if (!r) {
        state.SkipWithError("no lab connection");
        return;
    }
    for (auto _ : state) {
        const auto storico = r->Storico(Alunno(classi));
        if (storico.size() != KRispostePerAlunno) {
            state.SkipWithError("not the pupil's history");
            break;
        }
    }
    state.counters["risposte"] = classi * KAlunniPerClasse * KRispostePerAlunno;
}
BENCHMARK(BM_ScuolaStoricoAlunno)->Arg(4)->Arg(40)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ScuolaRipassoDovuto(benchmark::State& state)
{
    const int classi = static_cast<int>(state.range(0));
    auto r = Laboratorio(classi, Alunno(classi));
    if (!r) {
        state.SkipWithError("no lab connection");
        return;
    }
    const QDate oggi = QDate::currentDate();
    for (auto _ : state) {
        const auto dovute = r->RipassoDovuto(Alunno(classi), oggi);
        if (dovute.isEmpty()) {
            state.SkipWithError("nothing due");
            break;
        }
    }
    state.counters["risposte"] = classi * KAlunniPerClasse * KRispostePerAlunno;
}
BENCHMARK(BM_ScuolaRipassoDovuto)->Arg(4)->Arg(40)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ScuolaRegistraRisposta(benchmark::State& state)
{
    const int classi = static_cast<int>(state.range(0));
    const qint64 alunno = Alunno(classi) + 1;
    auto r = Laboratorio(classi, alunno);
    if (!r) {
        state.SkipWithError("no lab connection");
        return;
    }
    const QDate oggi = QDate::currentDate();
    int i = 0;
    for (auto _ : state) {
        TRispostaGiudicata g = Risposta(i++, oggi);
        g.quando = QDateTime();
        if (!r->RegistraPer(alunno, g)) {
            state.SkipWithError("the answer was not recorded");
            break;
        }
    }
    state.counters["risposte"] = classi * KAlunniPerClasse * KRispostePerAlunno;
}
BENCHMARK(BM_ScuolaRegistraRisposta)->Arg(4)->Arg(40)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
