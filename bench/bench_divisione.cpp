// The column division: drawing a division that fits the limit of 99 (the
// redraw loop with the silent solver), and laying out and painting the
// whole grid of the division window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "Avvio.h"
#include "Divisione.h"
#include "funzioni.h"

namespace {

using namespace mevario;

void BM_NuovaDivisione(benchmark::State& state)
{
    ImpostaSeme(1);
    TDivisione d;
    long long estratte = 0;
    for (auto _ : state) {
        estratte += d.NuovaDivisione(1);
        benchmark::DoNotOptimize(d.SolDividendo);
    }
    state.counters["estrazioni"] = benchmark::Counter(static_cast<double>(estratte), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_NuovaDivisione)->Unit(benchmark::kMicrosecond);

// A new division on the exercise page (drawn, solved, cells set) and the
// grid painted: what a pupil waits for after "Nuovo".
void BM_GrigliaNuovaEDipinta(benchmark::State& state)
{
    auto f = Avvia();
    TfrmDivisionePol* w = f->frmDivisionePol();
    w->ModoEsercizi = false;
    QImage img(w->panel1->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        w->PreparaPagina();
        w->panel1->render(&img);
    }
}
BENCHMARK(BM_GrigliaNuovaEDipinta)->Unit(benchmark::kMicrosecond);

// The whole grid of a solved division painted (every cell parsed, laid
// out and drawn).
void BM_GrigliaDipinta(benchmark::State& state)
{
    auto f = Avvia();
    TfrmDivisionePol* w = f->frmDivisionePol();
    w->ModoEsercizi = true;
    w->PreparaPagina();
    TDivisione& d = w->Divisione();
    for (const auto& c : TDivisione::OrdineVerifica(4))
        d.TermineAlunno(c) = d.Termine(c, false);
    for (TCellaDivisione* c : w->Celle())
        c->SetFormula(d.TestoCella(c->Cella(d.GradoDivisore), true));
    QImage img(w->panel1->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        w->panel1->render(&img);
}
BENCHMARK(BM_GrigliaDipinta)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
