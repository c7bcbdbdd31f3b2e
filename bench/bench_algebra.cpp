// What a pupil's answer costs in the algebra core: the typed text turned into
// formula form (every key release) and read back on "Procedi".
#include <benchmark/benchmark.h>

#include "funzioni.h"

namespace {

void BM_FormaFormula(benchmark::State& state)
{
    const std::string risposta = "-2/5x^2y^3z+7/12xy-3z^2";
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::FormaFormula(risposta));
}
BENCHMARK(BM_FormaFormula);

void BM_LetturaRisposta(benchmark::State& state)
{
    const std::string risposta = "-2/5x^2y^3z";
    for (auto _ : state) {
        benchmark::DoNotOptimize(mevario::LeggiCoefficiente(risposta));
        benchmark::DoNotOptimize(mevario::StessaParteLetterale(mevario::FormaFormula(mevario::ParteLetterale(risposta)), "x^2*y^3*z"));
    }
}
BENCHMARK(BM_LetturaRisposta);

void BM_MonomioCasuale(benchmark::State& state)
{
    mevario::ImpostaSeme(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::MonomioCasuale());
}
BENCHMARK(BM_MonomioCasuale);

} // namespace
