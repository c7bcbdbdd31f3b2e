#!/bin/sh
# "Passaggi" with real input on an X11 desktop (Xvfb 1024x768, openbox,
# xdotool), as a pupil works: the product of polynomials opened from its
# menu, the toggle clicked, the exercise's line copied into line 1 with the
# keyboard (a green mark appears), a wrong line typed under it (a red mark),
# the keypad's "<--" empties it (the red mark goes), Backspace takes the
# empty line away, five lines are in sight at once; the window, grown for
# the working and with its keypad, stays on the screen.
# Usage: prova-passaggi-x11.sh MEVARIO [FOLDER]  (FOLDER: keeps the pictures)
# Exits 77 (skipped) when a tool is missing.
set -u
MEVARIO=$1
FOTO=${2:-}
SCHERMO=1024x768 STRUMENTI="xwininfo import convert"
. "$(dirname "$0")/desktop-x11.sh"

"$MEVARIO" --alunno Prova >"$T/mevario.log" 2>&1 &
APP=$!

# Pixels of one colour (#RRGGBB) on the screen in a rectangle W H X Y; the
# picture is kept as FOTO/$5.png when a folder was given.
pixel() {
    import -window root "$T/schermo.png"
    [ -n "$FOTO" ] && [ -n "${6:-}" ] && cp "$T/schermo.png" "$FOTO/$6.png"
    convert "$T/schermo.png" -crop "$2x$3+$4+$5" +repage txt:- | grep -c "$1"
}
VERDE='#006400' # the palette's green (Colori.h)
ROSSO='#B00000' # the palette's red

PRINCIPALE=$(finestra "Mevario — Prova") || { male "la finestra principale non compare"; cat "$T/mevario.log"; exit 1; }
set -- $(geometria "$PRINCIPALE"); MX=$1; MY=$2
# "Prodotto" of the polynomials, then its second entry ("Esercizi").
xdotool mousemove $((MX + 562)) $((MY + 367)) click 1
sleep 0.8
xdotool key Down Down Return
PRODOTTO=$(finestra "Prodotto tra polinomi - Esercizi") || { male "il prodotto di polinomi non si apre dal menu"; exit 1; }
sleep 0.5
set -- $(geometria "$PRODOTTO"); PX=$1; PY=$2
# The column of the marks, beside the lines.
COLONNA="36 170 $((PX + 22)) $((PY + 350))"

# The toggle at the end of the question's line; the focus goes to line 1.
# The window grows for the working, up if its foot would leave the screen.
xdotool mousemove $((PX + 482)) $((PY + 265)) click 1
sleep 0.5
set -- $(geometria "$PRODOTTO"); PX=$1; PY=$2; PH=$4
SH=$(xwininfo -root | awk '/^ *Height/ {print $NF}')
[ $((PY + PH)) -le "$SH" ] && [ "$PY" -ge 0 ] && bene "la finestra cresciuta sta nello schermo (alta $PH)" ||
    male "la finestra cresciuta esce dallo schermo (alta $PH a $PY)"
COLONNA="36 300 $((PX + 22)) $((PY + 350))"
[ "$(pixel $VERDE $COLONNA acceso)" -eq 0 ] && bene "passaggi accesi, nessun segno" || male "un segno prima di scrivere"
# Up to the exercise's line, copy it, down, paste: the same, equivalent.
xdotool key Up ctrl+a ctrl+c Down ctrl+v
sleep 0.5
verde=$(pixel $VERDE $COLONNA equivalente)
[ "$verde" -gt 20 ] && bene "riga equivalente: segno verde ($verde pixel)" || male "nessun segno verde ($verde pixel)"
# Enter adds a line; a wrong step is typed in it.
xdotool key Return
xdotool type --delay 60 "x+1"
sleep 0.5
rosso=$(pixel $ROSSO $COLONNA sbagliata)
[ "$rosso" -gt 20 ] && bene "riga non equivalente: segno rosso ($rosso pixel)" || male "nessun segno rosso ($rosso pixel)"
# A click in the line (found by its red mark: long lines take a second
# row for their typeset copy) opens the keypad; its "<--" empties the line.
set -- $COLONNA
YROSSO=$(convert "$T/schermo.png" -crop "$1x$2+$3+$4" +repage txt:- | grep "$ROSSO" |
         sed -n 's/^[0-9]*,\([0-9]*\):.*/\1/p' | sort -n | awk '{s += $1; n++} END {print (n ? int(s / n) : 115)}')
YRIGA=$(($4 + YROSSO))
xdotool mousemove $((PX + 100)) $YRIGA click 1
sleep 0.5
TASTIERA=$(xdotool search --onlyvisible --name "^Prodotto tra polinomi - Esercizi\$" | head -n 1)
set -- $(geometria "$TASTIERA"); FW=$3; FH=$4
SW=$(xwininfo -root | awk '/^ *Width/ {print $NF}'); SH=$(xwininfo -root | awk '/^ *Height/ {print $NF}')
[ $((PX + FW)) -le $SW ] && [ $((PY + FH)) -le $SH ] && bene "la finestra con la tastiera sta nello schermo (${FW}x$FH)" ||
    male "la finestra con la tastiera esce dallo schermo (${FW}x$FH a $PX,$PY)"
import -window root "$T/tastiera.png"
[ -n "$FOTO" ] && cp "$T/tastiera.png" "$FOTO/tastiera.png"
# The keypad's "<--": the fifth row, third key, found at the window's right
# (the keypad stands level with the line).
for i in 1 2 3; do
    xdotool mousemove $((PX + 707)) $((YRIGA + 60)) click 1
    sleep 0.2
done
sleep 0.3
rosso=$(pixel $ROSSO $COLONNA svuotata)
[ "$rosso" -eq 0 ] && bene "la riga svuotata dalla tastiera non ha segno" || male "il segno rosso resta ($rosso pixel)"
# Backspace on the empty line takes it away; the green mark stays.
xdotool key BackSpace
sleep 0.3
verde=$(pixel $VERDE $COLONNA tolta)
[ "$verde" -gt 20 ] && bene "la riga vuota tolta, il segno verde resta" || male "il segno verde è sparito"

# Five lines in sight at 1024x768: the exercise, its copy, a wrong line
# (with what is said under it) and two lines equal to it; every mark whole
# in the column (one run of marked rows each).
xdotool key Return
xdotool type --delay 40 "x+1"
for i in 1 2; do xdotool key Return; xdotool type --delay 40 "x+1"; done
sleep 0.5
import -window root "$T/cinque.png"
[ -n "$FOTO" ] && cp "$T/cinque.png" "$FOTO/cinque.png"
set -- $COLONNA
segni=$(convert "$T/cinque.png" -crop "$1x$2+$3+$4" +repage txt:- | grep -e "$VERDE" -e "$ROSSO" |
        sed -n 's/^[0-9]*,\([0-9]*\):.*/\1/p' | sort -n -u |
        awk 'NR == 1 || $1 > prima + 8 {n++} {prima = $1} END {print n + 0}')
[ "$segni" -eq 4 ] && bene "cinque righe in vista (4 segni)" || male "righe in vista: $segni segni invece di 4"

xdotool mousemove $((PX + 708)) $((PY + 46)) click 1
sleep 0.5
[ $errori -eq 0 ] || { cat "$T/mevario.log"; exit 1; }
exit 0
