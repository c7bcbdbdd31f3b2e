#!/bin/sh
# The pupil's record from end to end, as a pupil meets it on an X11 desktop
# (Xvfb, openbox, xdotool): mevario started as a named pupil, one exercise
# of the sum of monomials answered with the keyboard, the program ended
# with "Esci"; then mevario-registro finds the answer, as typed, in the
# pupil's history, and a second start shows the pupil in the main window's
# title. The record is a file of a temporary folder (--db).
# Usage: prova-registro-x11.sh MEVARIO MEVARIO-REGISTRO
# Exits 77 (skipped) when a tool is missing.
set -u
MEVARIO=$1
REGISTRO=$2
SCHERMO=1366x768 STRUMENTI="xwininfo"
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

# Started again: "Chi sei?" offers Anna, chosen last time; Enter goes on.
"$MEVARIO" --db "$DB" >"$T/mevario2.log" 2>&1 &
APP=$!
CHI=$(finestra "Chi sei\?") || { male "«Chi sei?» non compare al secondo avvio"; cat "$T/mevario2.log"; exit 1; }
sleep 0.5
xdotool windowactivate --sync "$CHI" 2>/dev/null
xdotool key Return
finestra "Mevario — Anna" >/dev/null && bene "Invio in «Chi sei?» sceglie Anna" || male "Invio non sceglie l'ultimo alunno"
kill "$APP"; wait "$APP" 2>/dev/null; APP=

[ $errori -eq 0 ] || { echo "--- mevario:"; cat "$T/mevario.log"; exit 1; }
