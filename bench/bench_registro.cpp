// The pupil's record as a pupil feels it: recording one judged answer
// (committed, with the synchronous mode the record uses), opening a record
// of 100,000 answers and computing the progress window's figures, the
// review items due; and the size of that file ("MB" counter).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "RegistroSql.h"

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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
