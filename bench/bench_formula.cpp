// What a pupil feels of the typesetter: building, measuring and painting a
// typical exercise formula on the real canvas, as every paint does; and
// what a screen reader waits for: a formula said as a sentence.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <fstream>
#include <string>
#include <vector>

#include "ExprCanvas.h"
#include "ExprDraw.h"
#include "ExprMake.h"
#include "ExprParla.h"
#include "QtCanvas.h"

namespace {

using namespace mevario;

PExpr N(long double v) { return std::make_unique<TExprNumber>(v, false); }
PExpr V(const char* s) { return std::make_unique<TExprVar>(s); }
PExpr Pow(PExpr b, PExpr e) { return std::make_unique<TExprIndex>(std::move(b), nullptr, std::move(e)); }

// -(3/4)x^2z + (-(2/5))x^2z + 7x^2z, as the sum exercise shows it.
PExpr Esercizio()
{
    auto monomio = [](PExpr coeff) {
        auto m = std::move(coeff);
        m->AddNext(Pow(V("x"), N(2)));
        m->AddNext(V("z"));
        return m;
    };
    auto row = std::make_unique<TExprSign>(esMinus);
    row->AddNext(monomio(std::make_unique<TExprRatio>(N(3), N(4))));
    row->AddNext(std::make_unique<TExprSign>(u'+'));
    auto meno = std::make_unique<TExprSign>(esMinus);
    meno->AddNext(std::make_unique<TExprRatio>(N(2), N(5)));
    row->AddNext(std::make_unique<TExprRound>(std::move(meno)));
    row->AddNext(Pow(V("x"), N(2)));
    row->AddNext(V("z"));
    row->AddNext(std::make_unique<TExprSign>(u'+'));
    row->AddNext(monomio(N(7)));
    return std::make_unique<TExprChain>(std::move(row));
}

void BM_EsercizioLayoutEPaint(benchmark::State& state)
{
    QImage img(600, 120, QImage::Format_RGB32);
    for (auto _ : state) {
        auto root = Esercizio();
        QPainter p(&img);
        DrawExprTree(p, img.width(), img.height(), root.get(), TFormulaVariant::PaintBoxCentered, 13428479, 0);
    }
}
BENCHMARK(BM_EsercizioLayoutEPaint)->Unit(benchmark::kMicrosecond);

void BM_EsercizioSoloMisure(benchmark::State& state)
{
    TQtCanvas canvas(nullptr);
    for (auto _ : state) {
        auto root = Esercizio();
        root->SetCanvas(&canvas);
        root->SetFontSize(20);
        benchmark::DoNotOptimize(root->Width() + root->Height());
        root->SetCanvas(nullptr);
    }
}
BENCHMARK(BM_EsercizioSoloMisure)->Unit(benchmark::kMicrosecond);

// The corpus: every formula text the Parts write and a sample of generated
// exercises, the files the parser test also reads.
const std::vector<std::string>& Corpus()
{
    static const std::vector<std::string> c = [] {
        std::vector<std::string> r;
        for (const char* f : {MEVARIO_GALLERY, MEVARIO_ESERCIZI}) {
            std::ifstream in(f);
            for (std::string riga; std::getline(in, riga);)
                if (!riga.empty())
                    r.push_back(Utf8ToNarrow(riga));
        }
        return r;
    }();
    return c;
}

// Each iteration handles one formula of the corpus, in turn: the times are
// per formula.
void BM_Parse(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        auto root = TExprBuilder().ParseFormula(Corpus()[i++ % Corpus().size()]);
        benchmark::DoNotOptimize(root.get());
    }
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMicrosecond);

void BM_ParseLayout(benchmark::State& state)
{
    TQtCanvas canvas(nullptr);
    std::size_t i = 0;
    for (auto _ : state) {
        auto root = TExprBuilder().ParseFormula(Corpus()[i++ % Corpus().size()]);
        root->SetCanvas(&canvas);
        root->SetFontSize(20);
        benchmark::DoNotOptimize(root->Width() + root->Height());
        root->SetCanvas(nullptr);
    }
}
BENCHMARK(BM_ParseLayout)->Unit(benchmark::kMicrosecond);

// As a paint box draws: into a 537 x 57 image at 20 points.
void BM_ParseLayoutPaint(benchmark::State& state)
{
    QImage img(537, 57, QImage::Format_ARGB32_Premultiplied);
    std::size_t i = 0;
    for (auto _ : state) {
        QPainter p(&img);
        DrawFormula(p, img.width(), img.height(), Corpus()[i++ % Corpus().size()], TFormulaVariant::PaintBoxCentered,
                    13428479, 0);
    }
}
BENCHMARK(BM_ParseLayoutPaint)->Unit(benchmark::kMicrosecond);

// The sentence a screen reader gets, made from a tree already read (the
// parse is not timed): one formula of the corpus per iteration. The
// median of the repetitions is the figure to watch (at most 10 us).
void BM_FormaParlata(benchmark::State& state)
{
    std::vector<PExpr> alberi;
    for (const std::string& f : Corpus())
        alberi.push_back(TExprBuilder().ParseFormula(f));
    std::size_t i = 0;
    for (auto _ : state) {
        std::string frase = SpokenForm(alberi[i++ % alberi.size()].get());
        benchmark::DoNotOptimize(frase.data());
    }
}
BENCHMARK(BM_FormaParlata)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
