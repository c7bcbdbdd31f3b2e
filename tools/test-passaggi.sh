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
atteso="1${T}equivalente${T}${T}${T}esercizio=uguale
2${T}non-equivalente${T}x=1 prima=-2 dopo=0${T}${T}esercizio=diverso
3${T}non-equivalente${T}x=1 prima=0 dopo=-2${T}${T}esercizio=uguale
fine${T}finito${T}"
# Each line is judged against the one before and set against the exercise;
# the end against the exercise.
[ "$out" = "$atteso" ] || { male "product working"; printf '%s\n' "$out"; }

out=$(printf '%s\n' "x^2-2x+x-2" "x^2-x-2" | "$tool" --argomento prodotto-polinomi "(x+1)(x-2)")
[ "$(printf '%s\n' "$out" | tail -n 1)" = "fine${T}finito${T}" ] || { male "finished working"; printf '%s\n' "$out"; }

out=$(printf '%s\n' "x+" "(x+y+z+1)^50" | "$tool" "x")
atteso="1${T}illeggibile${T}qui manca un numero o una lettera${T}${T}esercizio=?
2${T}troppo-grande${T}il calcolo avrebbe più di 2000 termini${T}${T}esercizio=?"
[ "$(printf '%s\n' "$out" | head -n 2)" = "$atteso" ] || { male "unreadable and too big"; printf '%s\n' "$out"; }

# A mistake a rule recognises is named after the counterexample; what is
# left before the end is said.
out=$(printf '%s\n' "-8x^5y^4" "(-2)^3x^6y^3" | "$tool" --argomento potenza-monomio "(-2x^2y)^3")
atteso="1${T}non-equivalente${T}x=1 y=-1 prima=8 dopo=-8${T}Nella potenza gli esponenti si moltiplicano, non si sommano.${T}esercizio=diverso
2${T}non-equivalente${T}x=1 y=-1 prima=-8 dopo=8${T}${T}esercizio=uguale
fine${T}quasi-finito${T}restano parentesi"
[ "$out" = "$atteso" ] || { male "named mistake"; printf '%s\n' "$out"; }

# Blank lines are no steps, at the end of the input too.
out=$(printf '%s\n' "" "x^2-2x+x-2" "  " "x^2-x-2" "" | "$tool" --argomento prodotto-polinomi "(x+1)(x-2)")
atteso="1${T}equivalente${T}${T}${T}esercizio=uguale
2${T}equivalente${T}${T}${T}esercizio=uguale
fine${T}finito${T}"
[ "$out" = "$atteso" ] || { male "blank lines"; printf '%s\n' "$out"; }

# A wrong end points at the first line that is no longer the exercise, with
# the values there.
out=$(printf '%s\n' "x^2-2x+x-2" "x^2+x-2" "x^2+x-3" | "$tool" "(x+1)(x-2)")
[ "$(printf '%s\n' "$out" | tail -n 1)" = "fine${T}non-finito${T}l'ultima riga non è uguale all'esercizio${T}cambia=2 x=1 esercizio=-2 riga=0" ] ||
  { male "where it changes"; printf '%s\n' "$out"; }

# What a teacher would still correct is not finished: a coefficient or an
# exponent 1 written out, in every topic.
for caso in "prodotto-monomi|y*y^2|1y^3|il coefficiente 1 non si scrive" \
            "prodotto-monomi|y*y^2|1*y^3|il coefficiente 1 non si scrive" \
            "prodotto-monomi|3x^2z*xyz|3x^3y^1z^2|l'esponente 1 non si scrive" \
            "prodotto-polinomi|(x+1)(x-2)|x^2-1x-2|il coefficiente 1 non si scrive"; do
  IFS='|' read -r arg es riga motivo <<<"$caso"
  out=$(printf '%s\n' "$riga" | "$tool" --argomento "$arg" "$es" | tail -n 1)
  [ "$out" = "fine${T}quasi-finito${T}$motivo" ] || male "'$riga' for $es: $out"
done

# A power is as big as its result: (x+1)^11 has 12 terms.
out=$(printf '%s\n' "x^11+11x^10+55x^9+165x^8+330x^7+462x^6+462x^5+330x^4+165x^3+55x^2+11x+1" |
      "$tool" --argomento prodotto-polinomi "(x+1)^11")
[ "$out" = "1${T}equivalente${T}${T}${T}esercizio=uguale
fine${T}finito${T}" ] || { male "(x+1)^11"; printf '%s\n' "$out"; }
printf '%s\n' "(x+y)^50" | "$tool" "x" | grep -q "^1${T}non-equivalente${T}" || male "(x+y)^50 is read"

# A right answer with a coefficient past 32 bits is finished.
out=$(printf '%s\n' "4294967296x^2" | "$tool" --argomento prodotto-monomi "65536x*65536x" | tail -n 1)
[ "$out" = "fine${T}finito${T}" ] || male "2^32 coefficient: $out"
out=$(printf '%s\n' "2147483648x^2y" | "$tool" --argomento prodotto-monomi "1073741824x*2xy" | tail -n 1)
[ "$out" = "fine${T}finito${T}" ] || male "2^31 coefficient: $out"

# Counterexamples a pupil checks by hand: small whole values, whole results
# of few digits (x = 2 gives 25 and 8, where x = 1 would give fifths).
out=$(printf '%s\n' "x^3" | "$tool" "(x+2y-z)^3:5" | head -n 1)
[ "$out" = "1${T}non-equivalente${T}x=2 y=1 z=-1 prima=25 dopo=8${T}${T}esercizio=diverso" ] ||
  male "pleasant counterexample: $out"

# Numbers that outgrow 128 bits only when two lines are compared: the line
# is too big, the tool goes on.
out=$(printf '%s\n' "8888888888888888882x^4-3:3^4(6)" "12x^4:3^44" |
      "$tool" --argomento prodotto-polinomi "(x+1)(x-2)"); st=$?
[ $st -eq 0 ] || male "overflow: status $st"
[ "$(printf '%s\n' "$out" | sed -n 2p)" = "2${T}troppo-grande${T}un numero è troppo grande${T}${T}esercizio=diverso" ] ||
  { male "overflow"; printf '%s\n' "$out"; }

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
