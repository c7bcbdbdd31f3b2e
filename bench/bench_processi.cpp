// Start-up as a pupil meets it: `mevario --esci-subito` started as a whole
// process beside a bare Qt widget window of the same size, alternately, so
// that both see the same load. A pupils' record exists, as on every start
// after the first (the program opens it once its main window is shown).
// Reported: the medians of wall time and peak resident memory of each, and
// their ratios.
//
// Run it under a display (`xvfb-run -a build/bench/mevario_bench_processi`);
// without one the programs run on the offscreen platform. MEVARIO_RIPETIZIONI
// sets the number of runs of each (15 by default).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct TMisura {
    double ms = 0;
    double cpu = 0; // user and system time, milliseconds
    double mb = 0;
    bool riuscita = false;
};

// The environment of the children: the user's folders in a temporary
// folder, and the offscreen platform when there is no display.
std::vector<std::string> Ambiente(const std::string& casa)
{
    std::vector<std::string> a;
    for (char** e = environ; *e; ++e) {
        const std::string v(*e);
        if (v.rfind("HOME=", 0) == 0 || v.rfind("XDG_", 0) == 0 || v.rfind("MEVARIO_DB=", 0) == 0)
            continue;
        a.push_back(v);
    }
    a.push_back("HOME=" + casa);
    a.push_back("XDG_CONFIG_HOME=" + casa + "/config");
    a.push_back("XDG_DATA_HOME=" + casa + "/data");
    a.push_back("XDG_CACHE_HOME=" + casa + "/cache");
    a.push_back("XDG_RUNTIME_DIR=" + casa);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        a.push_back("QT_QPA_PLATFORM=offscreen");
    return a;
}

TMisura Esegui(const std::string& programma, const std::vector<std::string>& ambiente,
              const std::vector<std::string>& argomenti = {"--esci-subito"})
{
    std::vector<char*> argv{const_cast<char*>(programma.c_str())};
    for (const std::string& a : argomenti)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& v : ambiente)
        envp.push_back(const_cast<char*>(v.c_str()));
    envp.push_back(nullptr);
    TMisura m;
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, programma.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return m;
    int stato = 0;
    rusage uso{};
    if (wait4(pid, &stato, 0, &uso) != pid)
        return m;
    m.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    m.cpu = (static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1000.0 +
             static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1000.0);
    m.mb = static_cast<double>(uso.ru_maxrss) / 1024.0; // kilobytes on Linux
    m.riuscita = WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
    return m;
}

double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_AvvioProcessi(benchmark::State& state)
{
    const int n = std::max(3, std::atoi(std::getenv("MEVARIO_RIPETIZIONI") ? std::getenv("MEVARIO_RIPETIZIONI") : "15"));
    char modello[] = "/tmp/mevario-bench-XXXXXX";
    const char* casa = mkdtemp(modello);
    if (!casa) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::vector<std::string> ambiente = Ambiente(casa);
    {
        // The record of a pupil, where the program looks for it.
        const std::string alunno = std::string(casa) + "/alunno.json";
        FILE* f = std::fopen(alunno.c_str(), "w");
        if (f) {
            std::fputs("{\"formato\": \"mevario-registro\", \"versione\": 1,"
                       " \"alunno\": {\"nome\": \"Prova\", \"classe\": \"2B\"}, \"risposte\": []}\n",
                       f);
            std::fclose(f);
        }
        if (!f || !Esegui(MEVARIO_REGISTRO,
                          ambiente, {"--db", std::string(casa) + "/data/Mevario/registro.sqlite", "importa", alunno})
                       .riuscita) {
            state.SkipWithError("the pupils' record could not be made");
            std::filesystem::remove_all(casa);
            return;
        }
    }
    std::vector<double> tMevario, tNuda, cMevario, cNuda, mMevario, mNuda;
    for (auto _ : state) {
        // One run of each first: the files in the page cache, the fonts' cache written.
        Esegui(MEVARIO_PROGRAMMA, ambiente);
        Esegui(MEVARIO_FINESTRA_NUDA, ambiente);
        for (int i = 0; i < n; ++i) {
            // Alternately, and each pair in the other order half the time.
            const bool primaMevario = i % 2 == 0;
            TMisura a = Esegui(primaMevario ? MEVARIO_PROGRAMMA : MEVARIO_FINESTRA_NUDA, ambiente);
            TMisura b = Esegui(primaMevario ? MEVARIO_FINESTRA_NUDA : MEVARIO_PROGRAMMA, ambiente);
            if (!primaMevario)
                std::swap(a, b);
            if (!a.riuscita || !b.riuscita) {
                state.SkipWithError("a program did not start (no display? try xvfb-run -a)");
                break;
            }
            tMevario.push_back(a.ms);
            cMevario.push_back(a.cpu);
            mMevario.push_back(a.mb);
            tNuda.push_back(b.ms);
            cNuda.push_back(b.cpu);
            mNuda.push_back(b.mb);
        }
        if (tMevario.empty())
            break;
        state.SetIterationTime(Mediana(tMevario) / 1000.0);
    }
    std::filesystem::remove_all(casa);
    if (tMevario.empty())
        return;
    const double tm = Mediana(tMevario), tn = Mediana(tNuda), mm = Mediana(mMevario), mn = Mediana(mNuda);
    state.counters["mevario_ms"] = tm;
    state.counters["nuda_ms"] = tn;
    state.counters["rapporto_tempo"] = tm / tn;
    // Processor time moves less than wall time on a busy machine.
    state.counters["mevario_cpu_ms"] = Mediana(cMevario);
    state.counters["nuda_cpu_ms"] = Mediana(cNuda);
    state.counters["mevario_MB"] = mm;
    state.counters["nuda_MB"] = mn;
    state.SetLabel(std::string(std::getenv("DISPLAY") ? "X11" : std::getenv("WAYLAND_DISPLAY") ? "Wayland" : "offscreen") +
                   ", mediane di " + std::to_string(tMevario.size()) + " avvii");
}
BENCHMARK(BM_AvvioProcessi)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
