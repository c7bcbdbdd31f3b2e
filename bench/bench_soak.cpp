// A long session, one window of each kind: a pupil doing 10,000 exercises
// (MEVARIO_SOAK sets another number). Each exercise: the answer typed
// (every key release draws the preview), "Procedi", "Nuovo". Every tenth
// answer is first typed wrong and every twentieth unreadable, then right.
// The flashes do not wait (their length is the program's choice, not work).
// Reported per window: the median microseconds of an exercise among the
// first and among the last thousand, the resident memory after 100 exercises and at the end, and the
// growth between them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>


#include "DivisionePol.h"
#include "Memoria.h"
#include "Errori.h"
#include "McdMcmMon.h"
#include "PotenzaMon.h"
#include "ProdPol.h"
#include "ProdottoMon.h"
#include "QuozienteMon.h"
#include "SchedaPol.h"
#include "SommaDiffPol.h"
#include "SommaMon.h"
#include "concetto.h"
#include "funzioni.h"
#include "pol_concetto.h"
#include "ucomune.h"

namespace {

using namespace mevario;
using bench::MegabyteResidenti;

// The median of a range of exercise times (copied: the range stays as it is).
double Mediana(std::vector<double>::const_iterator da, std::vector<double>::const_iterator a)
{
    std::vector<double> v(da, a);
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

int Esercizi()
{
    const int n = qEnvironmentVariableIntValue("MEVARIO_SOAK");
    return n >= 1000 ? n : 10000;
}

// Types a text key by key as the field receives it: each key release
// draws the preview.
void Digita(TFinestraEsercizi* w, const std::string& testo)
{
    w->EditRisp->clear();
    QString parziale;
    for (char c : NarrowToUtf8(testo)) {
        parziale += QChar::fromLatin1(c);
        w->EditRisp->setText(parziale);
        w->EditRispKeyUp();
        w->PBRisp->repaint();
    }
}

void Procedi(TFinestraEsercizi* w) { w->btnNuovoClick(); }

// One exercise of a window with typed or yes/no answers.
void Esercizio(TFinestraEsercizi* w, int n)
{
    const TEsercizio* es = w->Argomento();
    if (es->SiNo()) {
        const bool si = es->RispostaAttesa() == "Si";
        if (n % 10 == 0) {
            (si ? w->rbNo : w->rbSi)->setChecked(true);
            Procedi(w);
        }
        (si ? w->rbSi : w->rbNo)->setChecked(true);
    } else {
        if (n % 20 == 0) {
            Digita(w, "3x^2+((");
            Procedi(w);
        } else if (n % 10 == 0) {
            Digita(w, "x^7y^7z^7");
            Procedi(w);
        }
        Digita(w, es->RispostaAttesa());
    }
    Procedi(w);
    Procedi(w); // "Nuovo"
}

// One division: a wrong cell first on every tenth, then the whole grid.
void Divisione(TfrmDivisionePol* w, int n)
{
    TDivisione& d = w->Divisione();
    if (n % 10 == 0)
        Procedi(w);
    for (const auto& c : TDivisione::OrdineVerifica(d.GradoDividendo)) {
        const std::string t = d.TestoCella(c, false);
        w->PaintBox1Click(w->CellaDi(c));
        w->EditRisp->setText(QString::fromStdString(NarrowToUtf8(t.empty() ? std::string("0") : t)));
        w->EditRispKeyUp();
    }
    Procedi(w);
    Procedi(w); // "Nuovo"
}

void Soak(benchmark::State& state, const std::function<TFinestraEsercizi*()>& crea)
{
    ImpostaSeme(5);
    ImpostaFaseLampeggio(0);
    int avvisi = 0;
    ImpostaGestoreErrori([&avvisi](const QString&) { ++avvisi; });
    std::unique_ptr<TFinestraEsercizi> w(crea());
    w->Apri(true);
    if (!QTest::qWaitForWindowExposed(w.get())) {
        state.SkipWithError("window not shown");
        return;
    }
    auto* divisione = dynamic_cast<TfrmDivisionePol*>(w.get());
    const int totale = Esercizi();
    std::vector<double> us(static_cast<std::size_t>(totale));
    double rss100 = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        for (int n = 1; n <= totale; ++n) {
            t.start();
            if (divisione)
                Divisione(divisione, n);
            else
                Esercizio(w.get(), n);
            QApplication::processEvents();
            us[static_cast<std::size_t>(n - 1)] = static_cast<double>(t.nsecsElapsed()) / 1000.0;
            if (n == 100)
                rss100 = MegabyteResidenti();
        }
    }
    const double rssFine = MegabyteResidenti();
    if (w->Esatte() != totale)
        state.SkipWithError("not every right answer was judged right");
    state.counters["us_primi_1000"] = Mediana(us.begin(), us.begin() + 1000);
    state.counters["us_ultimi_1000"] = Mediana(us.end() - 1000, us.end());
    state.counters["MB_dopo_100"] = rss100;
    state.counters["MB_alla_fine"] = rssFine;
    state.counters["MB_crescita"] = rssFine - rss100;
    state.counters["avvisi"] = avvisi;
    w->btnChiudiClick();
    ImpostaGestoreErrori({});
}

template <class W>
void BM_Soak(benchmark::State& state)
{
    Soak(state, [] { return new W; });
}

BENCHMARK_TEMPLATE(BM_Soak, TfrmConcetto)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmSommaMon)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmProdottoMon)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmPotenzaMon)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmQuozienteMon)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmMcdMon)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmMcmMon)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmPolConcetto)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmSommaPol)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmDiffPol)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmProdottoPol)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_TEMPLATE(BM_Soak, TfrmDivisionePol)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    new Tfrmcomune;
    TSchedaPol::Crea();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete Tfrmcomune::Istanza();
    return 0;
}
