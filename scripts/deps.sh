#!/usr/bin/env bash
# Installs the Debian packages Mevario needs that are missing:
#   scripts/deps.sh          what building and running need
#   scripts/deps.sh --test   that, and what the tests need
# Safe to run again: when everything is there it does nothing. It never
# removes a package (apt-get --no-remove): a package that could only come in
# by taking another away is an error, not a silent swap.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lists=("$top/packaging/debian-packages.txt")
if [ "${1:-}" = "--test" ]; then
    lists+=("$top/packaging/debian-packages-test.txt")
elif [ -n "${1:-}" ]; then
    echo "Mevario: opzione sconosciuta per deps.sh: $1 (si usa --test o niente)" >&2
    exit 2
fi

installed() {
    local status
    status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)
    # "install ok installed", or "hold ok installed" for a package kept back
    [[ "$status" == *" ok installed" ]]
}

missing=()
for list in "${lists[@]}"; do
    while read -r line; do
        line="${line%%#*}"; line="${line// /}"
        [ -n "$line" ] || continue
        # "a|b": any one of the alternatives will do.
        IFS='|' read -r -a alternatives <<< "$line"
        found=0
        for pkg in "${alternatives[@]}"; do
            if installed "$pkg"; then found=1; break; fi
        done
        [ $found -eq 1 ] || missing+=("$line")
    done < "$list"
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "Mevario: mancano questi pacchetti e non ci sono né i permessi di root né sudo: ${missing[*]//|/ o }" >&2
    echo "Installali come root (su -) con: apt-get install ${missing[*]%%|*}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q

# Of several alternatives, the first one apt can install without taking any
# package away (the headless Writer conflicts with a full LibreOffice that
# lacks only the Writer); when none can, the first, and apt says why.
packages=()
for line in "${missing[@]}"; do
    IFS='|' read -r -a alternatives <<< "$line"
    choice="${alternatives[0]}"
    if [ ${#alternatives[@]} -gt 1 ]; then
        for pkg in "${alternatives[@]}"; do
            if apt-get install -s -q --no-remove --no-install-recommends "$pkg" >/dev/null 2>&1; then
                choice="$pkg"; break
            fi
        done
    fi
    packages+=("$choice")
done

echo "Mevario: installo i pacchetti Debian che mancano: ${packages[*]}"
"${as_root[@]}" apt-get install -y -q --no-remove --no-install-recommends "${packages[@]}"
