#!/usr/bin/env bash
# mevario-esercizi as a teacher and a tester use it: seeded listings that
# repeat, the expected answer judged right by the topic's own check, errors
# with their exit statuses.
set -u
tool="$1"
divisione="${2:-}" # mevario-divisione, to check the divisions' results
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }

for arg in definizione-monomio somma-monomi prodotto-monomi potenza-monomio quoziente-monomi mcd-monomi mcm-monomi \
           definizione-polinomio somma-polinomi differenza-polinomi prodotto-polinomi; do
  a=$("$tool" "$arg" --seme 7 --quanti 12) || male "$arg: listing failed"
  b=$("$tool" "$arg" --seme 7 --quanti 12)
  [ "$a" = "$b" ] || male "$arg: the same seed gave different exercises"
  [ "$(printf '%s\n' "$a" | wc -l)" -eq 12 ] || male "$arg: not 12 lines"
  printf '%s\n' "$a" | awk -F'\t' 'NF != 4 { exit 1 }' || male "$arg: a line without 4 fields"
  # The expected answer of every exercise is right, something else wrong.
  for k in 1 5 12; do
    attesa=$(printf '%s\n' "$a" | sed -n "${k}p" | cut -f4)
    esito=$("$tool" "$arg" --seme 7 --quanti "$k" --verifica "$attesa")
    [ "$esito" = giusta ] || male "$arg #$k: '$attesa' judged '$esito'"
    sbagliata="9/7x^8y^8z^8"
    [ "$attesa" = Si ] && sbagliata=No
    [ "$attesa" = No ] && sbagliata=Si
    esito=$("$tool" "$arg" --seme 7 --quanti "$k" --verifica "$sbagliata")
    [ "$esito" = sbagliata ] || male "$arg #$k: a wrong answer judged '$esito'"
  done
done

# The quiz asks its four kinds in turn.
q=$("$tool" definizione-monomio --seme 3 --quanti 4 | cut -f2)
[ "$(printf '%s\n' "$q" | sed -n 1p)" = "È un monomio?" ] || male "quiz: first kind"
[ "$(printf '%s\n' "$q" | sed -n 2p)" = "Sono due monomi simili?" ] || male "quiz: second kind"
[ "$(printf '%s\n' "$q" | sed -n 4p)" = "Qual è il grado del monomio?" ] || male "quiz: fourth kind"

# An unreadable answer: the check's message on standard error, status 2.
err=$("$tool" prodotto-monomi --seme 1 --verifica "2-3x" 2>&1 >/dev/null); st=$?
[ $st -eq 2 ] || male "unreadable answer: status $st"
[ "$err" = "mevario-esercizi: Non riesco a leggere il coefficiente «2-3»: scrivi un numero intero o una frazione come 3/4." ] || male "unreadable answer: message '$err'"

# An empty answer is refused, never judged "sbagliata".
for vuota in "" "   "; do
  out=$("$tool" somma-monomi --seme 1 --verifica "$vuota" 2>/dev/null); st=$?
  err=$("$tool" somma-monomi --seme 1 --verifica "$vuota" 2>&1 >/dev/null)
  [ $st -eq 1 ] && [ -z "$out" ] || male "empty answer '$vuota': status $st, output '$out'"
  [ "$(printf '%s\n' "$err" | head -1)" = "mevario-esercizi: la risposta di --verifica è vuota: scrivi la risposta da giudicare" ] ||
    male "empty answer: message '$err'"
done
"$tool" definizione-monomio --seme 3 --verifica "" >/dev/null 2>&1 && male "empty answer to a yes/no question accepted"
# A slip of form: a third verdict with what to change, status 0; spaces
# around an answer never matter; equal fractions are equal in the quiz.
verdetto() { # topic seed how-many answer expected-output
  local esito st
  esito=$("$tool" "$1" --seme "$2" --quanti "$3" --verifica "$4" 2>/dev/null); st=$?
  [ $st -eq 0 ] || male "$1 '$4': status $st"
  [ "$esito" = "$5" ] || male "$1 '$4': '$esito' instead of '$5'"
}
attesa=$("$tool" somma-monomi --seme 7 | cut -f4) # -54/7xyz
[ "$attesa" = "-54/7xyz" ] || male "somma-monomi seed 7 drew '$attesa'"
verdetto somma-monomi 7 1 "-54/7XYZ" "forma	Scrivi le lettere in minuscolo."
verdetto somma-monomi 7 1 "-54/7yxz " "forma	Scrivi le lettere nell'ordine x, y, z."
verdetto somma-monomi 7 1 "-54/7x^1yz" "forma	Non scrivere l'esponente 1: x^1 si scrive x."
verdetto somma-monomi 7 1 "-54/7ZYX" "forma	Scrivi le lettere in minuscolo. Scrivi le lettere nell'ordine x, y, z."
verdetto somma-monomi 7 1 " -54/7xyz  " giusta
verdetto somma-monomi 7 1 "-53/7YXZ" sbagliata
verdetto somma-polinomi 7 1 "-4X+4X^3Y+2/7XY+6" "forma	Scrivi le lettere in minuscolo."
verdetto somma-polinomi 7 1 "6+2/7yx-4x+4yx^3" "forma	Scrivi le lettere nell'ordine x, y, z."
verdetto prodotto-monomi 7 1 "-16/7ZYX^2" giusta # the product takes the letters in any order
verdetto definizione-monomio 3 4 "3 " giusta
verdetto definizione-monomio 3 3 "X" "forma	Scrivi le lettere in minuscolo."
verdetto definizione-monomio 3 3 "1x" "forma	Non scrivere il coefficiente 1: 1x si scrive x."
verdetto definizione-monomio 10 3 "-(16/2)" giusta
verdetto definizione-monomio 5 3 "14/16" giusta
verdetto definizione-monomio 5 3 "-7/8" sbagliata
verdetto definizione-monomio 3 1 " Sì " giusta
verdetto definizione-polinomio 3 3 " 1 " giusta

"$tool" definizione-monomio --seme 3 --verifica "si" >/dev/null 2>&1; st=$?
[ $st -eq 1 ] || male "quiz: 'si' for a yes/no question gave status $st"

# The worked solutions: indented lines after each exercise, the last one the
# answer for a yes/no question; the listing itself unchanged.
s=$("$tool" definizione-monomio --seme 7 --quanti 4 --soluzione)
[ "$(printf '%s\n' "$s" | grep -v $'^\t')" = "$("$tool" definizione-monomio --seme 7 --quanti 4)" ] ||
  male "--soluzione changed the exercise lines"
[ "$(printf '%s\n' "$s" | grep -c $'^\t')" -ge 8 ] || male "--soluzione: fewer than two lines an exercise"
primo=$(printf '%s\n' "$s" | sed -n 1p | cut -f4)
printf '%s\n' "$s" | sed -n '2,/^[0-9]/p' | grep -q $'^\tstring('"$primo"')$' || male "--soluzione: the quiz's answer line"
"$tool" somma-monomi --soluzione --verifica 3x >/dev/null 2>&1 && male "--soluzione with --verifica was accepted"
# The sentences of the solutions are written with their accents: no "e'"
# (a vowel, an apostrophe, then no letter) in any quiz's or topic's solution.
for arg in definizione-monomio definizione-polinomio mcd-monomi mcm-monomi; do
  s=$("$tool" $arg --seme 11 --quanti 60 --soluzione) || male "--soluzione: $arg failed"
  printf '%s\n' "$s" | grep -q "[aeiouAEIOU]'\([^a-zA-Z]\|$\)" && male "--soluzione: $arg prints an apostrophe for an accent"
done
s=$("$tool" definizione-monomio --seme 11 --quanti 60 --soluzione)
printf '%s\n' "$s" | grep -q $'^\tstring(\xc3\xa8 ' || male "--soluzione: no sentence with its accent"

# The divisions: one a line with dividend, divisor, quotient and remainder,
# the same for the same seed, and the quotient and remainder those that
# mevario-divisione finds for that dividend and divisor.
a=$("$tool" divisione-polinomi --seme 7 --quanti 6) || male "divisione-polinomi: listing failed"
[ "$a" = "$("$tool" divisione-polinomi --seme 7 --quanti 6)" ] || male "divisione-polinomi: the same seed gave different exercises"
[ "$(printf '%s\n' "$a" | wc -l)" -eq 6 ] || male "divisione-polinomi: not 6 lines"
printf '%s\n' "$a" | awk -F'\t' 'NF != 6 || $1 != NR || $2 != "Esegui la divisione" { exit 1 }' ||
  male "divisione-polinomi: a line is not number, question and four polynomials"
if [ -n "${divisione:-}" ]; then
  while IFS=$'\t' read -r _ _ dividendo divisore quoziente resto; do
    # The formula texts typed as a pupil types them: no '*', no brackets.
    d=$("$divisione" "$(printf '%s' "$dividendo" | tr -d '*()')" "$(printf '%s' "$divisore" | tr -d '*()')") ||
      male "mevario-divisione refused $dividendo : $divisore"
    printf '%s\n' "$d" | grep -qxF "Quoziente = $quoziente" || male "quotient of $dividendo : $divisore is not $quoziente"
    printf '%s\n' "$d" | grep -qxF "Resto = $resto" || male "remainder of $dividendo : $divisore is not $resto"
  done <<< "$a"
fi
"$tool" divisione-polinomi --verifica 3x >/dev/null 2>&1; st=$?
[ $st -eq 1 ] || male "divisione-polinomi --verifica: status $st"
"$tool" divisione-polinomi --soluzione >/dev/null 2>&1 && male "divisione-polinomi --soluzione was accepted"

# Bad arguments: a message, status 1.
for bad in "" "nessuno" "somma-monomi --seme -1" "somma-monomi --seme x" "somma-monomi --quanti 0" \
           "somma-monomi --quanti" "somma-monomi --boh" "somma-monomi prodotto-monomi" \
           "divisione-polinomi somma-monomi"; do
  # shellcheck disable=SC2086
  "$tool" $bad >/dev/null 2>&1; st=$?
  [ $st -eq 1 ] || male "'$bad': status $st"
done
"$tool" --help | grep -q "^Uso: mevario-esercizi" || male "--help"

[ $fallito -eq 0 ] && echo "mevario-esercizi: tutto bene"
exit $fallito
