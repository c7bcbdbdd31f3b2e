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

// ---- The pupil's working: one step judged --------------------------------

#include "passaggi.h"

namespace {

// An exercise-sized product: two trinomials, and a step of nine terms.
const char* const KProdotto = "(2x^2y-3/4xy+5)(x^2-2xy+1/2)";
const char* const KNoveTermini = "2x^4y-4x^3y^2+x^2y-3/4x^3y+3/2x^2y^2-3/8xy+5x^2-10xy+5/2";

void BM_PassaggioEquivalente(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::GiudicaPassaggio(KProdotto, KNoveTermini));
}
BENCHMARK(BM_PassaggioEquivalente);

// A wrong step: the counterexample and every mistake rule are tried.
void BM_PassaggioSbagliato(benchmark::State& state)
{
    const std::string sbagliato = "2x^4y-4x^3y^2+x^2y-3/4x^3y+3/2x^2y^2-3/8xy+5x^2-10xy+5";
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::GiudicaPassaggio(KProdotto, sbagliato));
}
BENCHMARK(BM_PassaggioSbagliato);

// A product term forgotten: found by the rules.
void BM_PassaggioErroreRiconosciuto(benchmark::State& state)
{
    const std::string dimenticato = "2x^4y-4x^3y^2+x^2y-3/4x^3y+3/2x^2y^2-3/8xy+5x^2-10xy";
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::GiudicaPassaggio(KProdotto, dimenticato));
}
BENCHMARK(BM_PassaggioErroreRiconosciuto);

// Steps at the limits, each judged against a wrong line (so that the
// counterexample and the rules run too): an expansion of nearly 2,000
// terms, 50 nested brackets under the power 50, 1,000 characters of
// products of brackets; and a line refused at once.
void BM_PassaggioAlLimite(benchmark::State& state)
{
    std::string riga;
    switch (state.range(0)) {
    case 0: { // (1+x+...+x^43)(1+y+...+y^44): 1,980 terms, just under the limit
        std::string a = "1", b = "1";
        for (int i = 1; i <= 43; ++i)
            a += "+x^" + std::to_string(i);
        for (int i = 1; i <= 44; ++i)
            b += "+y^" + std::to_string(i);
        riga = "(" + a + ")(" + b + ")";
        break;
    }
    case 1:
        riga = std::string(50, '(') + "x+1" + std::string(50, ')') + "^50";
        break;
    default: // 1,000 characters: a long sum of products of brackets
        while (riga.size() + 24 <= 1000)
            riga += "+(3x^2y-2z)(x+5y-1/2z)";
        break;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::GiudicaPassaggio(riga, riga + "+x"));
}
BENCHMARK(BM_PassaggioAlLimite)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_PassaggioTroppoGrande(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(mevario::GiudicaPassaggio("x", "(x+y+z+1)^50"));
}
BENCHMARK(BM_PassaggioTroppoGrande);

} // namespace
