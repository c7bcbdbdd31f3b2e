// What a pupil feels of the windows: start-up to the main window shown, and
// a key release in the answer field up to the typed answer drawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include "Avvio.h"

namespace {

using namespace mevario;

void BM_AvvioFinestraPrincipale(benchmark::State& state)
{
    for (auto _ : state) {
        auto f = Avvia();
        f->frmMain->show();
        if (!QTest::qWaitForWindowExposed(f->frmMain.get()))
            state.SkipWithError("main window not shown");
        state.PauseTiming();
        f.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AvvioFinestraPrincipale)->Unit(benchmark::kMillisecond);

void BM_TastoAnteprima(benchmark::State& state)
{
    auto f = Avvia();
    TfrmSommaMon* s = f->frmSommaMon.get();
    s->Apri(true);
    if (!QTest::qWaitForWindowExposed(s))
        state.SkipWithError("window not shown");
    s->EditRisp->setText(QStringLiteral("-17/12x^2yz^3"));
    for (auto _ : state) {
        s->EditRispKeyUp();     // conversion and new formula
        s->PBRisp->repaint();   // parse, layout and paint into the box
    }
    s->close();
}
BENCHMARK(BM_TastoAnteprima)->Unit(benchmark::kMicrosecond);

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
