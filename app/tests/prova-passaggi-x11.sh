#!/bin/sh
# "Passaggi" with real input on an X11 desktop (Xvfb 1024x768, openbox,
# xdotool), as a pupil works: the product of polynomials opened from its
# menu, the toggle clicked, the exercise's line copied into line 1 with the
# keyboard (a green mark appears), a wrong line typed under it (a red mark),
# the keypad's "<--" empties it (the red mark goes), Backspace takes the
# empty line away; the window with its keypad stays on the screen.
# Usage: prova-passaggi-x11.sh MEVARIO [FOLDER]  (FOLDER: keeps the pictures)
# Exits 77 (skipped) when a tool is missing.
set -u
MEVARIO=$1
FOTO=${2:-}
SALTA=77
if [ "${PROVA_DENTRO:-}" != 1 ]; then
    for t in xvfb-run Xvfb openbox xdotool xwininfo xprop import convert; do
        if ! command -v $t >/dev/null 2>&1; then
            echo "prova saltata: manca $t (pacchetti: xvfb xauth openbox xdotool x11-utils imagemagick)"
            exit $SALTA
        fi
    done
    PROVA_DENTRO=1 exec xvfb-run -a -n $(($$ % 700 + 100)) -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

T=$(mktemp -d)
export HOME=$T/casa XDG_CONFIG_HOME=$T/casa/.config XDG_DATA_HOME=$T/casa/.local/share \
       XDG_CACHE_HOME=$T/casa/.cache XDG_RUNTIME_DIR=$T/run XDG_DOCUMENTS_DIR=$T/casa/Documenti
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
WM= ; APP=
fine() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null
    [ -n "$WM" ] && kill "$WM" 2>/dev/null
    rm -rf "$T"
}
trap fine EXIT
errori=0
male() { echo "ERRORE: $*"; errori=$((errori + 1)); }
bene() { echo "ok: $*"; }

openbox --sm-disable >"$T/openbox.log" 2>&1 &
WM=$!
for i in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

"$MEVARIO" --alunno Prova >"$T/mevario.log" 2>&1 &
APP=$!

finestra() {
    for i in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}
geometria() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                            /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}
# Pixels of one colour (#RRGGBB) on the screen in a rectangle W H X Y; the
# picture is kept as FOTO/$5.png when a folder was given.
pixel() {
    import -window root "$T/schermo.png"
    [ -n "$FOTO" ] && [ -n "${6:-}" ] && cp "$T/schermo.png" "$FOTO/$6.png"
    convert "$T/schermo.png" -crop "$2x$3+$4+$5" +repage txt:- | grep -c "$1"
}
VERDE='#008000'
ROSSO='#C80000'

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
xdotool mousemove $((PX + 482)) $((PY + 265)) click 1
sleep 0.5
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
# A click in the line opens the keypad; its "<--" empties the line.
xdotool mousemove $((PX + 100)) $((PY + 465)) click 1
sleep 0.5
TASTIERA=$(xdotool search --onlyvisible --name "^Prodotto tra polinomi - Esercizi\$" | head -n 1)
set -- $(geometria "$TASTIERA"); FW=$3; FH=$4
SW=$(xwininfo -root | awk '/^ *Width/ {print $NF}'); SH=$(xwininfo -root | awk '/^ *Height/ {print $NF}')
[ $((PX + FW)) -le $SW ] && [ $((PY + FH)) -le $SH ] && bene "la finestra con la tastiera sta nello schermo (${FW}x$FH)" ||
    male "la finestra con la tastiera esce dallo schermo (${FW}x$FH a $PX,$PY)"
import -window root "$T/tastiera.png"
[ -n "$FOTO" ] && cp "$T/tastiera.png" "$FOTO/tastiera.png"
# The keypad's "<--": the fifth row, third key, found at the window's right.
for i in 1 2 3; do
    xdotool mousemove $((PX + 707)) $((PY + 520)) click 1
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

xdotool mousemove $((PX + 708)) $((PY + 46)) click 1
sleep 0.5
[ $errori -eq 0 ] || { cat "$T/mevario.log"; exit 1; }
exit 0
