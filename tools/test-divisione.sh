#!/usr/bin/env bash
# mevario-divisione as a teacher uses it: the worked example's grid and
# narration, random divisions that repeat with their seed, and errors with
# status 1 and nothing on standard output.
set -u
tool="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }

out=$("$tool" "2x^4+3x^3-x+5" "x+2") || male "worked example: status $?"
atteso='riga 1: 2*x^4 | 3*x^3 | 0 | -x | 5
riga 2: -2*x^4 | -4*x^3 |  |  | 
riga 3:  | -x^3 |  | -x | 5
riga 4:  | x^3 | 2*x^2 |  | 
riga 5:  |  | 2*x^2 | -x | 5
riga 6:  |  | -2*x^2 | -4*x | 
riga 7:  |  |  | -5*x | 5
riga 8:  |  |  | 5*x | 10
riga 9:  |  |  |  | 15
divisore: x | 2
quoziente: 2*x^3 | -x^2 | 2*x | -5
Quoziente = 2*x^3-x^2+2*x-5
Resto = 15'
[ "$out" = "$atteso" ] || { male "worked example grid"; printf '%s\n' "$out"; }

n=$("$tool" "2x^4+3x^3-x+5" "x+2" --narra | grep -c '^-) ')
[ "$n" -eq 18 ] || male "worked example: $n narration lines, expected 18"
"$tool" "2x^4+3x^3-x+5" "x+2" --narra | grep -q "cioè (2x^4) / (x) e scriviamo" || male "first narration line"

# An exact division: the remainder is 0.
"$tool" "x^2-1" "x-1" | grep -qx "Resto = 0" || male "exact division"

a=$("$tool" --casuale --seme 42); b=$("$tool" --casuale --seme 42)
[ -n "$a" ] && [ "$a" = "$b" ] || male "the same seed gave different divisions"

for bad in "x^ x+1" "1/0x x" "2x^9 x" "x^2+1 0" "3y x" "x" "x^2+x x^3" "98x^4+97x^3+x^2+1 9x^2+5x+7" "x^4 x --boh"; do
  # shellcheck disable=SC2086
  o=$("$tool" $bad 2>/dev/null); st=$?
  [ $st -eq 1 ] || male "'$bad': status $st"
  [ -z "$o" ] || male "'$bad': something on standard output"
  e=$("$tool" $bad 2>&1 >/dev/null)
  [ -n "$e" ] || male "'$bad': no message"
done
"$tool" --help | grep -q "^Uso: mevario-divisione" || male "--help"

[ $fallito -eq 0 ] && echo "mevario-divisione: tutto bene"
exit $fallito
