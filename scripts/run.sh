#!/usr/bin/env bash
# Installs what is missing, configures, builds and starts Mevario.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$top"
scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build --preset default -j "$jobs" --target mevario
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'MSG'
Mevario è un programma per il desktop e qui non c'è uno schermo (le variabili DISPLAY e WAYLAND_DISPLAY non sono impostate).
Avvialo da una sessione grafica, oppure sotto uno schermo virtuale:
    xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run.sh
MSG
    exit 1
fi
exec build/app/mevario "$@"
