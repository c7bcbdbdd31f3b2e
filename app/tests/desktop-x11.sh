# What the tests of Mevario on an X11 desktop share. A test sources it after
# `set -u`, with SCHERMO (WxH of the virtual screen) and STRUMENTI (the
# commands it needs besides xvfb-run, Xvfb, openbox, xprop and xdotool) set:
# the test runs again under a virtual display of its own (77, skipped, when
# a command is missing), in a temporary home with openbox running. `male`
# and `bene` say and count the results; `finestra` and `geometria` find
# windows; APP, the program's process, is ended with the test.
if [ "${PROVA_DENTRO:-}" != 1 ]; then
    for t in xvfb-run Xvfb openbox xdotool xprop $STRUMENTI; do
        if ! command -v "$t" >/dev/null 2>&1; then
            echo "prova saltata: manca $t (pacchetti: xvfb xauth openbox xdotool x11-utils imagemagick)"
            exit 77
        fi
    done
    # xvfb-run picks the first free display from -n on; starting from a
    # number of our own keeps two tests that start at once from taking the same one.
    PROVA_DENTRO=1 exec xvfb-run -a -n $(($$ % 700 + 100)) -s "-screen 0 ${SCHERMO}x24 -nolisten tcp" "$0" "$@"
fi

T=$(mktemp -d)
export HOME=$T/casa XDG_CONFIG_HOME=$T/casa/.config XDG_DATA_HOME=$T/casa/.local/share \
       XDG_CACHE_HOME=$T/casa/.cache XDG_RUNTIME_DIR=$T/run XDG_DOCUMENTS_DIR=$T/casa/Documenti
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY MEVARIO_DB
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

# The id of the visible window with exactly this title (waits up to 10 s).
finestra() {
    for i in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}
# x y w h of a window's client area on the screen.
geometria() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                            /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}
