// What a pupil feels of the windows: start-up to the main window shown, a
// key release in the answer field up to the typed answer drawn, the memory
// of an hour of typing, and "I miei progressi" filled from a month's record.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>


#include "Avvio.h"
#include "Memoria.h"
#include "ArgomentiRegistro.h"
#include "Progressi.h"

namespace {

using namespace mevario;
using bench::MegabyteResidenti;

void BM_AvvioFinestraPrincipale(benchmark::State& state)
{
    for (auto _ : state) {
        auto f = Avvia();
        f->frmMain()->show();
        if (!QTest::qWaitForWindowExposed(f->frmMain()))
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
    TfrmSommaMon* s = f->frmSommaMon();
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

// A key in a line of the working of a product of polynomials, up to its
// mark and its typeset line drawn: the line's text changes (judged against
// the line above and the line below judged against it), then the line's
// box and mark paint. The lines above and below are not typeset again.
void BM_TastoPassaggio(benchmark::State& state)
{
    auto f = Avvia();
    TfrmProdottoPol* p = f->frmProdottoPol();
    p->Apri(true);
    if (!QTest::qWaitForWindowExposed(p))
        state.SkipWithError("window not shown");
    p->cbPassaggi->setChecked(true);
    TPassaggi* righe = p->pnlPassaggi;
    righe->Campo(1)->setText(QStringLiteral("(2x^2-3xy+1)(x+4y-2)"));
    righe->AggiungiRiga(1);
    righe->AggiungiRiga(2);
    righe->Campo(3)->setText(QStringLiteral("2x^3+5x^2y-4x^2-12xy^2+6xy+x+4y-2"));
    const QString testi[] = {QStringLiteral("2x^3+8x^2y-4x^2-3x^2y-12xy^2+6xy+x+4y-2"),
                             QStringLiteral("2x^3+8x^2y-4x^2-3x^2y-12xy^2+6xy+x+4y-3")};
    int i = 0;
    for (auto _ : state) {
        righe->Campo(2)->setText(testi[i++ % 2]);
        righe->Anteprima(2)->repaint();
        righe->Segno(2)->repaint();
        righe->Segno(3)->repaint();
    }
    p->close();
}
BENCHMARK(BM_TastoPassaggio)->Unit(benchmark::kMicrosecond);

// Memory of a long typing session: 10,000 key releases in the answer field,
// each leaving a different answer (new numbers and exponents, so that the
// typesetter's caches see ever new texts). Reports the resident memory after
// 100 key releases and after 10,000, and the growth between them.
void BM_MemoriaDiecimilaTasti(benchmark::State& state)
{
    auto f = Avvia();
    TfrmSommaMon* s = f->frmSommaMon();
    s->Apri(true);
    if (!QTest::qWaitForWindowExposed(s))
        state.SkipWithError("window not shown");
    double dopo100 = 0;
    for (auto _ : state) {
        for (int i = 1; i <= 10000; ++i) {
            const QString risposta = QStringLiteral("-%1/%2x^%3y^%4z").arg(i).arg(i % 97 + 2).arg(i % 9 + 1).arg(i % 7 + 1);
            s->EditRisp->setText(risposta);
            s->EditRispKeyUp();
            s->PBRisp->repaint();
            if (i % 50 == 0)
                QApplication::processEvents();
            if (i == 100)
                dopo100 = MegabyteResidenti();
        }
    }
    const double fine = MegabyteResidenti();
    state.counters["MB_dopo_100"] = dopo100;
    state.counters["MB_dopo_10000"] = fine;
    state.counters["MB_crescita"] = fine - dopo100;
    s->close();
}
BENCHMARK(BM_MemoriaDiecimilaTasti)->Iterations(1)->Unit(benchmark::kMillisecond);

// "I miei progressi" read again and filled (its tables and chart) for a
// pupil with 30 days of answers in every topic, 10 a day.
void BM_FinestraProgressi(benchmark::State& state)
{
    QTemporaryDir cartella;
    TOpzioniRegistro o;
    o.db = cartella.filePath(QStringLiteral("r.sqlite"));
    auto registro = ApriRegistro(o, [](const QString&) {});
    const auto anna = registro->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    if (!anna) {
        state.SkipWithError("no record");
        return;
    }
    const QDate oggi = QDate::currentDate();
    int quanti = 0;
    const TArgomentoRegistro* argomenti = ArgomentiRegistro(&quanti);
    for (int giorno = 0; giorno < 30; ++giorno)
        for (int a = 0; a < quanti; ++a)
            for (int k = 0; k < 10; ++k) {
                TRispostaGiudicata r;
                r.argomento = QString::fromLatin1(argomenti[a].nome);
                r.esercizio = QStringLiteral("3x+2x");
                r.risposta = QStringLiteral("5x");
                r.giusta = (giorno + a + k) % 4 != 0;
                r.quando = QDateTime(oggi.addDays(-giorno), QTime(8, k));
                registro->RegistraPer(anna->id, r);
            }
    TfrmProgressi f(*registro, anna);
    if (f.tbArgomenti->rowCount() != quanti) {
        state.SkipWithError("the record kept nothing");
        return;
    }
    for (auto _ : state) {
        f.Aggiorna(oggi);
        benchmark::DoNotOptimize(f.tbArgomenti->rowCount());
    }
}
BENCHMARK(BM_FinestraProgressi)->Unit(benchmark::kMillisecond);

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
