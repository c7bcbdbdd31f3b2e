#!/bin/sh
# The pupil's record from end to end, as a pupil meets it on an X11 desktop
# (Xvfb, openbox, xdotool): mevario started as a named pupil, one exercise
# of the sum of monomials answered with the keyboard, the program ended
# with "Esci"; then mevario-registro finds the answer, as typed, in the
# pupil's history, and a second start shows the pupil in the main window's
# title. Then slips of form typed for real: the right sum with Caps Lock on,
# then with its letters in another order, are told under the preview and
# kept in the record as "forma", never counted as errors. The record is a
# file of a temporary folder (--db). With MEVARIO_FOTO set to a folder, the
# screen showing the first slip is saved there.
# Usage: prova-registro-x11.sh MEVARIO MEVARIO-REGISTRO MEVARIO-ESERCIZI
# Exits 77 (skipped) when a tool is missing.
set -u
MEVARIO=$1
REGISTRO=$2
ESERCIZI=$3
SCHERMO=1366x768 STRUMENTI="xwininfo python3 import"
. "$(dirname "$0")/desktop-x11.sh"
DB=$T/registro.sqlite

# Waits for the program to end (10 s at most).
attendi_fine() {
    for i in $(seq 100); do kill -0 "$APP" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$APP" 2>/dev/null; then male "il programma continua dopo Esci"; kill "$APP"; fi
    wait "$APP" 2>/dev/null; APP=
}

"$MEVARIO" --db "$DB" --alunno "Anna" >"$T/mevario.log" 2>&1 &
APP=$!
PRINCIPALE=$(finestra "Mevario — Anna") || { male "la finestra principale non porta il nome dell'alunno"; cat "$T/mevario.log"; exit 1; }
bene "la finestra principale si chiama «Mevario — Anna»"
set -- $(geometria "$PRINCIPALE"); MX=$1; MY=$2

# "Somma e Differenza" of the monomials, its entry "Esercizi"; an answer
# typed in the field and Enter.
xdotool mousemove $((MX + 205)) $((MY + 305)) click 1
sleep 0.8
xdotool key Down Down Return
SOMMA=$(finestra "Somma di monomi - Esercizi") || { male "la somma di monomi non si apre dal menu"; exit 1; }
sleep 0.8
xdotool type --delay 60 "7/3x"
xdotool key Return
sleep 2.5 # the counters flash
set -- $(geometria "$SOMMA"); SX=$1; SY=$2
xdotool mousemove $((SX + 708)) $((SY + 46)) click 1 # "Esci" of the exercise
sleep 1
xdotool mousemove $((MX + 692)) $((MY + 652)) click 1 # "Esci" of the program
attendi_fine

storico=$("$REGISTRO" --db "$DB" storico Anna 2>&1)
echo "$storico"
if [ "$(printf '%s\n' "$storico" | grep -c .)" -eq 1 ] &&
   printf '%s\n' "$storico" | awk -F '\t' '$2 == "somma-monomi" && $4 == "7/3x" && ($5 == "giusta" || $5 == "sbagliata") {ok = 1} END {exit !ok}'; then
    bene "la risposta è nel registro, come scritta"
else
    male "il registro non ha la risposta «7/3x» della somma di monomi"
fi

# Bruno answers a sum with Caps Lock on. Which sum is on screen the record
# tells: an answer keeps the seed that draws its exercise again, which
# mevario-esercizi draws with its expected answer. One with two letters at
# least is wanted (a wrong "0" for each looked at, a right answer to go on).
"$MEVARIO" --db "$DB" --alunno "Bruno" >"$T/mevario3.log" 2>&1 &
APP=$!
PRINCIPALE=$(finestra "Mevario — Bruno") || { male "Bruno: la finestra principale non compare"; cat "$T/mevario3.log"; exit 1; }
set -- $(geometria "$PRINCIPALE"); MX=$1; MY=$2
xdotool mousemove $((MX + 205)) $((MY + 305)) click 1
sleep 0.8
xdotool key Down Down Return
SOMMA=$(finestra "Somma di monomi - Esercizi") || { male "Bruno: la somma di monomi non si apre"; exit 1; }
sleep 0.8
zeri=0; giuste=0; attesa=
for giro in 1 2 3 4 5 6 7 8; do
    xdotool key ctrl+a; xdotool type --delay 40 "0"; xdotool key Return
    zeri=$((zeri + 1))
    sleep 2.5
    "$REGISTRO" --db "$DB" esporta Bruno "$T/bruno$giro.json" >/dev/null 2>&1
    seme=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["risposte"][-1]["seme"])' "$T/bruno$giro.json")
    attesa=$("$ESERCIZI" somma-monomi --seme "$seme" | cut -f4)
    [ "$(printf '%s' "$attesa" | tr -cd 'xyz' | wc -c)" -ge 2 ] && break
    xdotool key ctrl+a; xdotool type --delay 40 -- "$attesa"; xdotool key Return
    giuste=$((giuste + 1))
    sleep 2.5
    xdotool key Return # "Nuovo"
    sleep 0.5
done
bene "la somma sullo schermo: la risposta attesa è $attesa"
maiuscola=$(printf '%s' "$attesa" | tr 'xyz' 'XYZ')
coefficiente=${attesa%%[xyz]*}
rovescia=$coefficiente$(printf '%s' "$attesa" | grep -o '[xyz]\(\^[0-9]*\)\?' | tac | tr -d '\n')
# Caps Lock on, the answer typed, Caps Lock off again, Enter.
xdotool key ctrl+a Caps_Lock
xdotool type --delay 60 -- "$attesa"
xdotool key Caps_Lock Return
sleep 1
[ -n "${MEVARIO_FOTO:-}" ] && import -window root "$MEVARIO_FOTO/forma-maiuscole.png"
xdotool key ctrl+a; xdotool type --delay 60 -- "$rovescia"; xdotool key Return
sleep 1
[ -n "${MEVARIO_FOTO:-}" ] && import -window root "$MEVARIO_FOTO/forma-ordine.png"
xdotool key ctrl+a; xdotool type --delay 60 -- "$attesa"; xdotool key Return
sleep 2.5
giuste=$((giuste + 1))
set -- $(geometria "$SOMMA"); SX=$1; SY=$2
xdotool mousemove $((SX + 708)) $((SY + 46)) click 1 # "Esci" of the exercise
sleep 1
xdotool mousemove $((MX + 692)) $((MY + 652)) click 1 # "Esci" of the program
attendi_fine
storico=$("$REGISTRO" --db "$DB" storico Bruno 2>&1)
echo "$storico"
printf '%s\n' "$storico" | awk -F '\t' -v r="$maiuscola" '$4 == r && $5 == "forma" && $6 == "Scrivi le lettere in minuscolo." {ok = 1} END {exit !ok}' &&
    bene "Caps Lock: «$maiuscola» è una svista di forma, detta" || male "Caps Lock: «$maiuscola» non è nel registro come forma"
printf '%s\n' "$storico" | awk -F '\t' -v r="$rovescia" '$4 == r && $5 == "forma" && $6 == "Scrivi le lettere nell'"'"'ordine x, y, z." {ok = 1} END {exit !ok}' &&
    bene "l'ordine delle lettere: «$rovescia» è una svista di forma, detta" || male "l'ordine: «$rovescia» non è nel registro come forma"
conti=$("$REGISTRO" --db "$DB" alunni | awk -F '\t' '$1 == "Bruno" {print $3, $4}')
[ "$conti" = "$giuste $zeri" ] && bene "contate $giuste giuste e $zeri sbagliate: le sviste di forma non contano" ||
    male "Bruno ha giuste e sbagliate «$conti», attese «$giuste $zeri»"

# Started again: "Chi sei?" offers Bruno, chosen last time; Enter goes on.
"$MEVARIO" --db "$DB" >"$T/mevario2.log" 2>&1 &
APP=$!
CHI=$(finestra "Chi sei\?") || { male "«Chi sei?» non compare al secondo avvio"; cat "$T/mevario2.log"; exit 1; }
sleep 0.5
xdotool windowactivate --sync "$CHI" 2>/dev/null
xdotool key Return
finestra "Mevario — Bruno" >/dev/null && bene "Invio in «Chi sei?» sceglie Bruno" || male "Invio non sceglie l'ultimo alunno"
kill "$APP"; wait "$APP" 2>/dev/null; APP=

[ $errori -eq 0 ] || { echo "--- mevario:"; cat "$T/mevario.log"; exit 1; }
