#!/bin/sh
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each of
# them for SECONDS (default 60), one after the other. The seed corpora under
# fuzz/corpus are read, never written: what a run finds is kept in
# build-fuzz/corpus. A crash, leak or timeout of one target is reported
# (its input saved as fuzz/crash-*, fuzz/leak-* or fuzz/timeout-*) and the
# others still run; the script then names every target that failed and
# ends with status 1.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -eu
cd "$(dirname "$0")/.."
secondi=${1:-60}
case $secondi in
    ''|*[!0-9]*) echo "uso: tools/fuzz.sh [SECONDI] [BERSAGLIO...]" >&2; exit 1 ;;
esac
[ $# -gt 0 ] && shift
bersagli=${*:-"fuzz_funzioni fuzz_formula fuzz_esercizi fuzz_polinomi fuzz_divisione fuzz_registro fuzz_passaggi"}

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed (apt-get install clang)" >&2; exit 1; }
cmake --preset fuzz >/dev/null
# Only the targets asked for are built.
cmake --build --preset fuzz -j"$(nproc)" --target $bersagli

riepilogo=""
falliti=""
for b in $bersagli; do
    seme=fuzz/corpus/${b#fuzz_}
    lavoro=build-fuzz/corpus/${b#fuzz_}
    mkdir -p "$lavoro"
    log=build-fuzz/$b.log
    echo "== $b: $secondi s"
    # Leaks are checked; a single input may take at most 10 s.
    if ! build-fuzz/fuzz/"$b" -max_total_time="$secondi" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=fuzz/ -print_final_stats=1 "$lavoro" "$seme" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz.sh: $b failed (log: $log)" >&2
        falliti="$falliti $b"
        riepilogo="$riepilogo$b: FAILED (log: $log)\n"
        continue
    fi
    esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    copertura=$(sed -n 's/^#[0-9]*.*DONE *cov: \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    riepilogo="$riepilogo$b: ${esecuzioni:-?} inputs in $secondi s, coverage ${copertura:-?}\n"
done
printf "%b" "$riepilogo"
if [ -n "$falliti" ]; then
    echo "fuzz.sh: failed:$falliti" >&2
    exit 1
fi
