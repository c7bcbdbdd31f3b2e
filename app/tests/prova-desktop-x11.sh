#!/bin/sh
# Mevario on an X11 desktop with a window manager (openbox), driven with real
# input (xdotool) as a pupil drives it:
#  - a topic window opened from its menu is a modal window of the main
#    window (WM_TRANSIENT_FOR, _NET_WM_STATE_MODAL), centred over it;
#  - the blackboard opened from that modal window opens beside it, not over
#    its exercise, and takes a stroke drawn with
#    the mouse (its pixels are found in a picture of the screen) and its
#    eraser takes the stroke away;
#  - the division is a window of the main window, not modal, centred;
#  - "Esci" on the main window ends the program with the division open.
# Usage: prova-desktop-x11.sh MEVARIO
# Exits 77 (skipped) when a tool is missing.
set -u
MEVARIO=$1
SCHERMO=1366x768 STRUMENTI="xwininfo import convert"
. "$(dirname "$0")/desktop-x11.sh"

# As a named pupil: "Chi sei?" does not ask.
"$MEVARIO" --alunno Prova >"$T/mevario.log" 2>&1 &
APP=$!

# Pure blue (the board's pen) pixels of the screen in a rectangle W H X Y.
blu() {
    import -window root "$T/schermo.png"
    convert "$T/schermo.png" -crop "$1x$2+$3+$4" +repage txt:- | grep -c '#0000FF'
}
# Checks that window $2 ($1 is its name) is centred over the main window,
# moved inside the 1366x768 screen where it would cross an edge.
centrata() {
    set -- "$1" $(geometria "$2")
    atteso=$(echo "$MX $MY $MW $MH $4 $5" | awk '{
        x = int($1 + $3 / 2 - $5 / 2); y = int($2 + $4 / 2 - $6 / 2)
        if (x > 1366 - $5) x = 1366 - $5; if (x < 0) x = 0
        if (y > 768 - $6) y = 768 - $6;   if (y < 0) y = 0
        print x, y }')
    set -- "$1" "$2" "$3" $atteso
    dx=$(($2 - $4)); dy=$(($3 - $5))
    if [ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ]; then bene "$1 centrata sulla finestra principale ($2,$3)"
    else male "$1 a ($2,$3), attesa a ($4,$5)"; fi
}

PRINCIPALE=$(finestra "Mevario — Prova") || { male "la finestra principale non compare"; cat "$T/mevario.log"; exit 1; }
set -- $(geometria "$PRINCIPALE"); MX=$1; MY=$2; MW=$3; MH=$4
bene "finestra principale a ($MX,$MY) ${MW}x$MH"

# "Somma e Differenza" of the monomials, then its second entry ("Esercizi").
xdotool mousemove $((MX + 205)) $((MY + 305)) click 1
sleep 0.8
xdotool key Down Down Return
SOMMA=$(finestra "Somma di monomi - Esercizi") || { male "la somma di monomi non si apre dal menu"; exit 1; }
sleep 0.5
xprop -id "$SOMMA" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$PRINCIPALE")" &&
    bene "la somma è una finestra della principale" || male "la somma non è transient della principale"
xprop -id "$SOMMA" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL &&
    bene "la somma è modale" || male "la somma non è modale per il window manager"
centrata "la somma" "$SOMMA"
set -- $(geometria "$SOMMA"); SX=$1; SY=$2

# "Lavagna" of the exercise page (modal window): the board opens and draws.
xdotool mousemove $((SX + 204)) $((SY + 384)) click 1
LAVAGNA=$(finestra Lavagna) || { male "la lavagna non si apre dalla somma"; exit 1; }
sleep 0.5
xprop -id "$LAVAGNA" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$SOMMA")" &&
    bene "la lavagna è una finestra della somma" || male "la lavagna non è transient della somma"
set -- $(geometria "$LAVAGNA"); LX=$1; LY=$2; LW=$3
# Beside the exercise, not over it: on this screen both fit side by side,
# the exercise window moved aside to make room.
set -- $(geometria "$SOMMA"); SX=$1; SY=$2; SW=$3
if [ "$LX" -ge $((SX + SW)) ] || [ $((LX + LW)) -le "$SX" ]; then bene "la lavagna si apre accanto alla somma ($LX,$LY; somma a $SX,$SY)"
else male "la lavagna ($LX,$LY ${LW} di larghezza) copre la somma ($SX,$SY ${SW} di larghezza)"; fi
prima=$(blu 300 40 $((LX + 40)) $((LY + 130)))
xdotool mousemove $((LX + 60)) $((LY + 150)) mousedown 1
for dx in 20 40 80 120 160 200 240; do xdotool mousemove $((LX + 60 + dx)) $((LY + 150)); sleep 0.05; done
xdotool mouseup 1
sleep 0.5
dopo=$(blu 300 40 $((LX + 40)) $((LY + 130)))
if [ "$prima" -eq 0 ] && [ "$dopo" -gt 200 ]; then bene "tratto disegnato con il mouse ($dopo pixel blu)"
else male "nessun tratto sulla lavagna (pixel blu prima $prima, dopo $dopo)"; fi
# "Cancella", then a click on the stroke takes it away.
xdotool mousemove $((LX + 320)) $((LY + 21)) click 1
sleep 0.3
xdotool mousemove $((LX + 180)) $((LY + 152)) sleep 0.2 mousemove $((LX + 180)) $((LY + 150)) sleep 0.2 click 1
sleep 0.5
cancellato=$(blu 300 40 $((LX + 40)) $((LY + 130)))
[ "$cancellato" -eq 0 ] && bene "la gomma cancella il tratto" || male "il tratto resta dopo la gomma ($cancellato pixel blu)"

# "Esci" of the exercise: the exercise and its board go away.
xdotool mousemove $((SX + 708)) $((SY + 46)) click 1
sleep 1
xdotool search --onlyvisible --name '^Lavagna$' >/dev/null 2>&1 && male "la lavagna resta dopo l'uscita dalla somma"
xdotool search --onlyvisible --name '^Somma di monomi' >/dev/null 2>&1 && male "la somma resta aperta dopo Esci"

# The division ("Divisione", entry "Concetto"): not modal, centred.
xdotool mousemove $((MX + 562)) $((MY + 429)) click 1
sleep 0.8
xdotool key Down Return
DIVISIONE=$(finestra "Divisione tra Polinomi - Concetto") || { male "la divisione non si apre dal menu"; exit 1; }
sleep 0.5
xprop -id "$DIVISIONE" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$PRINCIPALE")" &&
    bene "la divisione è una finestra della principale" || male "la divisione non è transient della principale"
xprop -id "$DIVISIONE" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL && male "la divisione non deve essere modale"
centrata "la divisione" "$DIVISIONE"

# The pupil moves the division aside and presses "Esci" on the main window.
xdotool windowmove "$DIVISIONE" 1300 0
sleep 0.5
xdotool mousemove $((MX + 692)) $((MY + 652)) click 1
for i in $(seq 100); do kill -0 "$APP" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$APP" 2>/dev/null; then
    male "il programma continua dopo Esci con la divisione aperta"
else
    wait "$APP"; rc=$?; APP=
    [ $rc -eq 0 ] && bene "Esci chiude il programma con la divisione aperta" || male "uscita con stato $rc"
fi

[ $errori -eq 0 ] || { echo "--- mevario:"; cat "$T/mevario.log"; exit 1; }
echo "tutto bene"
