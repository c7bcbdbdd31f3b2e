// The pupil's record as a pupil feels it: recording one judged answer
// (committed, with the synchronous mode the record uses), opening a record
// of 100,000 answers and computing the progress window's figures, the
// review items due; and the size of that file ("MB" counter). For the
// teacher: the overview of a class of 30 pupils with 10,000 answers each,
// read and written as a spreadsheet. On a private PostgreSQL cluster (fsync
// on, as a school's server): one answer committed on the server, and one
// answer as the program records it when its record is on a server (this
// computer's record and outbox).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>

#include "Classe.h"
#include "Condiviso.h"
#include "RegistroSql.h"
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
