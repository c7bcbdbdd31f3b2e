#!/usr/bin/env bash
# Renders every formula the program writes (formula/tests/gallery.txt) to a
# PNG with mevario-formula, and all of them on one sheet, to look at them:
#   tools/gallery.sh [OUTPUT_DIR]      (default: build/gallery)
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$top/build/gallery}"
tool="$top/build/tools/mevario-formula"
sheet="$top/build/formula/tests/mevario_formula_sheet"
[ -x "$tool" ] && [ -x "$sheet" ] || { echo "build first: cmake --build --preset default" >&2; exit 1; }
mkdir -p "$out"
n=0
while IFS= read -r formula; do
    [ -n "$formula" ] || continue
    n=$((n + 1))
    "$tool" -o "$out/$(printf '%02d' "$n").png" "$formula" 2>/dev/null
done < "$top/formula/tests/gallery.txt"
"$sheet" "$top/formula/tests/gallery.txt" "$out/tutte.png" 2>/dev/null
echo "$n formule in $out (tutte insieme: $out/tutte.png)"
