#!/usr/bin/env bash
# mevario started as a user might start it by mistake: without a screen,
# with a screen that does not answer, with an option it does not know.
# Each time: an Italian message on standard error and exit status 1.
set -u
mevario="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
prova() { # expected message, then the command
  local atteso="$1"; shift
  local err st
  err=$("$@" 2>&1 >/dev/null); st=$?
  [ $st -eq 1 ] || male "$*: status $st instead of 1"
  printf '%s\n' "$err" | grep -qF "$atteso" || male "$*: message '$err'"
  printf '%s\n' "$err" | grep -qiE "could not|abort|qt\.qpa|unknown" && male "$*: English in '$err'"
}
prova "non c'è uno schermo" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=/nessuna "$mevario"
prova "non riesco ad aprire lo schermo «:97»" env -u WAYLAND_DISPLAY DISPLAY=:97 QT_QPA_PLATFORM=xcb "$mevario"
prova "opzione sconosciuta: --bah" "$mevario" --bah
prova "argomento non previsto: pippo" "$mevario" pippo
exit $fallito
