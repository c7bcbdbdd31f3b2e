#!/usr/bin/env bash
# The division's grid under real input (xdotool), on Xvfb without and with
# a window manager (openbox). Skipped (status 77) where a tool is missing.
set -u
prova="$1"
for t in xvfb-run xdotool openbox; do
  command -v "$t" >/dev/null || { echo "manca $t: prova saltata"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_DATA_HOME="$tmp/dati" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cat > "$tmp/con-wm.sh" <<'FINE'
#!/usr/bin/env bash
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
"$@"; st=$?
kill "$wm" 2>/dev/null
exit $st
FINE
chmod +x "$tmp/con-wm.sh"
esito=0
unset QT_QPA_PLATFORM
timeout 120 xvfb-run -a -n $(($$ % 700 + 100)) -s "-screen 0 1920x1080x24" "$prova" || { echo "senza window manager: fallito"; esito=1; }
timeout 120 xvfb-run -a -n $(($$ % 700 + 100)) -s "-screen 0 1920x1080x24" "$tmp/con-wm.sh" "$prova" || { echo "con openbox: fallito"; esito=1; }
exit $esito
