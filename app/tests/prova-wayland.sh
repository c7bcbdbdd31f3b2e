#!/bin/sh
# Mevario on Wayland (weston's headless backend): the program starts, its
# main window gets a surface of the compositor (a toplevel titled "Mevario",
# configured and given a picture) and the program ends cleanly through the
# main window's "Esci" once the window has been painted.
# Usage: prova-wayland.sh MEVARIO
# Exits 77 (skipped) where weston or Qt's Wayland platform is missing.
set -u
MEVARIO=$1
SALTA=77
if ! command -v weston >/dev/null 2>&1; then
    echo "prova saltata: manca weston (pacchetto weston)"
    exit $SALTA
fi
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
    echo "prova saltata: manca la piattaforma Wayland di Qt (pacchetto qt6-wayland)"
    exit $SALTA
fi

T=$(mktemp -d)
export HOME=$T/casa XDG_CONFIG_HOME=$T/casa/.config XDG_DATA_HOME=$T/casa/.local/share \
       XDG_CACHE_HOME=$T/casa/.cache XDG_RUNTIME_DIR=$T/run XDG_DOCUMENTS_DIR=$T/casa/Documenti
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
W=
fine() {
    [ -n "$W" ] && kill "$W" 2>/dev/null
    rm -rf "$T"
}
trap fine EXIT

PRESA=mevario-prova-$$
weston --backend=headless-backend.so --socket=$PRESA --idle-time=0 >"$T/weston.log" 2>&1 &
W=$!
for i in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$PRESA" ] && break; sleep 0.1; done
if [ ! -S "$XDG_RUNTIME_DIR/$PRESA" ]; then
    echo "prova saltata: weston non parte senza schermo"
    cat "$T/weston.log"
    exit $SALTA
fi

WAYLAND_DISPLAY=$PRESA QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
    timeout 60 "$MEVARIO" --esci-dopo-avvio 2>"$T/mevario.log"
rc=$?
errori=0
male() { echo "ERRORE: $*"; errori=$((errori + 1)); }
[ $rc -eq 0 ] && echo "ok: avvio e uscita puliti" || male "uscita con stato $rc"
grep -q 'xdg_toplevel@[0-9]*\.set_title("Mevario")' "$T/mevario.log" &&
    echo "ok: finestra principale sul compositore" || male "nessuna finestra \"Mevario\" sul compositore"
grep -q 'xdg_surface@[0-9]*\.ack_configure' "$T/mevario.log" && grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$T/mevario.log" &&
    echo "ok: finestra configurata e disegnata" || male "la finestra non è stata mostrata"
if [ $errori -ne 0 ]; then
    grep -v '^\[' "$T/mevario.log" | tail -20
    exit 1
fi
echo "tutto bene"
