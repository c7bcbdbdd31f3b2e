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
Mevario is a desktop program and there is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it from a graphical desktop session, or under a virtual display:
    xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run.sh
MSG
    exit 1
fi
exec build/app/mevario "$@"
