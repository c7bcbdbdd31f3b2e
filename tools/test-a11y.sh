#!/usr/bin/env bash
# What a screen reader sees of Mevario (tools/a11y-check.py), under a virtual
# display and a private session bus. Skipped (77) where the accessibility
# bus or its Python bindings are not installed.
set -u
programma="$1"
for p in xvfb-run dbus-run-session; do
  command -v "$p" >/dev/null || { echo "manca $p: controllo saltato"; exit 77; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "manca python3-pyatspi: controllo saltato"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "manca at-spi2-core: controllo saltato"; exit 77; }
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
mkdir -p "$d/run" && chmod 700 "$d/run"
export HOME="$d" XDG_DATA_HOME="$d/data" XDG_CONFIG_HOME="$d/config" XDG_RUNTIME_DIR="$d/run" XDG_DOCUMENTS_DIR="$d/doc"
cd "$d"
# xvfb-run picks the first free display from -n on; starting from a number of
# our own keeps two tests that start at once from taking the same one.
xvfb-run -a -n $(($$ % 700 + 100)) -s "-screen 0 1366x768x24" dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/a11y-check.py" "$programma"
