#!/usr/bin/env bash
# mevario-passaggi as a teacher uses it: a working read line by line, with
# its verdicts, counterexamples and end; bad arguments with status 1, an
# exercise that does not read with status 2, nothing on standard output.
set -u
tool="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
T=$'\t'

out=$(printf '%s\n' "x^2-2x+x-2" "x^2+x-2" "x^2-x-2" | "$tool" "(x+1)(x-2)") || male "product: status $?"
atteso="1${T}equivalente${T}
2${T}non-equivalente${T}x=1 prima=-2 dopo=0
3${T}non-equivalente${T}x=1 prima=0 dopo=-2
fine${T}finito${T}"
# Each line is judged against the one before; the end against the exercise.
[ "$out" = "$atteso" ] || { male "product working"; printf '%s\n' "$out"; }

out=$(printf '%s\n' "x^2-2x+x-2" "x^2-x-2" | "$tool" --argomento prodotto-polinomi "(x+1)(x-2)")
[ "$(printf '%s\n' "$out" | tail -n 1)" = "fine${T}finito${T}" ] || { male "finished working"; printf '%s\n' "$out"; }

out=$(printf '%s\n' "x+" "(x+y+z)^50" | "$tool" "x")
atteso="1${T}illeggibile${T}qui manca un numero o una lettera
2${T}troppo-grande${T}il calcolo avrebbe più di 2000 termini"
[ "$(printf '%s\n' "$out" | head -n 2)" = "$atteso" ] || { male "unreadable and too big"; printf '%s\n' "$out"; }

# A mistake a rule recognises is named after the counterexample; what is
# left before the end is said.
out=$(printf '%s\n' "-8x^5y^4" "(-2)^3x^6y^3" | "$tool" --argomento potenza-monomio "(-2x^2y)^3")
atteso="1${T}non-equivalente${T}x=1 y=2 prima=-64 dopo=-128${T}Nella potenza gli esponenti si moltiplicano, non si sommano.
2${T}non-equivalente${T}x=1 y=2 prima=-128 dopo=-64
fine${T}quasi-finito${T}restano parentesi"
[ "$out" = "$atteso" ] || { male "named mistake"; printf '%s\n' "$out"; }

# Blank lines are no steps, at the end of the input too.
out=$(printf '%s\n' "" "x^2-2x+x-2" "  " "x^2-x-2" "" | "$tool" --argomento prodotto-polinomi "(x+1)(x-2)")
atteso="1${T}equivalente${T}
2${T}equivalente${T}
fine${T}finito${T}"
[ "$out" = "$atteso" ] || { male "blank lines"; printf '%s\n' "$out"; }

# No steps: the exercise is its own last line.
out=$("$tool" --argomento somma-polinomi "3x+2y" </dev/null)
[ "$out" = "fine${T}finito${T}" ] || { male "no steps"; printf '%s\n' "$out"; }

for bad in "" "--argomento" "--argomento mcd-monomi x" "--argomento bah x" "--boh x" "x y"; do
  # shellcheck disable=SC2086
  o=$("$tool" $bad </dev/null 2>/dev/null); st=$?
  [ $st -eq 1 ] || male "'$bad': status $st"
  [ -z "$o" ] || male "'$bad': something on standard output"
  e=$("$tool" $bad </dev/null 2>&1 >/dev/null)
  [ -n "$e" ] || male "'$bad': no message"
done
for bad in "x+" "(x" "x^99" "3/0"; do
  o=$("$tool" "$bad" </dev/null 2>/dev/null); st=$?
  [ $st -eq 2 ] || male "exercise '$bad': status $st"
  [ -z "$o" ] || male "exercise '$bad': something on standard output"
done
"$tool" "x+" 2>&1 </dev/null | grep -q "l'esercizio non si legge: qui manca un numero o una lettera" || male "exercise message"
"$tool" --help | grep -q "^Uso: mevario-passaggi" || male "--help"

[ $fallito -eq 0 ] && echo "mevario-passaggi: tutto bene"
exit $fallito
