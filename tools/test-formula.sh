#!/usr/bin/env bash
# mevario-formula reads the whole formula or refuses it: text it does not
# read after the formula is an error with its place (status 1, nothing
# printed, no picture written); what it reads it says as a teacher does.
set -u
tool="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp" XDG_RUNTIME_DIR="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data"
export QT_QPA_PLATFORM=offscreen

# Formula, and the place (in the formula as read) where reading stops.
for caso in "3x|2" "5abc|2" "x+1)|4" "a - -b|2" "(x+1)^2 y|8" "3.5.2|4" "x**y z|4"; do
  formula=${caso%|*}
  posto=${caso##*|}
  for modo in --parla --tree -o; do
    argomenti=("$modo")
    [ "$modo" = -o ] && argomenti=(-o "$tmp/f.png")
    out=$("$tool" "${argomenti[@]}" "$formula" 2>"$tmp/err"); st=$?
    [ $st -eq 1 ] || male "'$formula' $modo: status $st"
    [ -z "$out" ] || male "'$formula' $modo: printed '$out'"
    [ "$(cat "$tmp/err")" = "errore in posizione $posto" ] || male "'$formula' $modo: message '$(cat "$tmp/err")'"
  done
  [ -e "$tmp/f.png" ] && male "'$formula': a picture was written"
done

# Spaces at the end are nothing to read; the whole formula is drawn.
[ "$("$tool" --parla "3*x   ")" = "tre ics" ] || male "trailing spaces refused"
"$tool" -o "$tmp/g.png" "5*a*b*c" && [ -s "$tmp/g.png" ] || male "5*a*b*c not drawn"

# Fractions as a teacher reads them, in the order they are drawn.
[ "$("$tool" --parla "13/17*x")" = "tredici diciassettesimi ics" ] || male "13/17*x"
[ "$("$tool" --parla "(x+1)/2")" = "frazione con numeratore ics più uno e denominatore due" ] || male "(x+1)/2"
[ "$("$tool" --parla "(8/343)*y+1")" = "otto fratto trecentoquarantatré, ipsilon più uno" ] || male "(8/343)*y+1"

# A number past the words, digit by digit.
[ "$("$tool" --parla "98765432109*x")" = "nove otto sette sei cinque quattro tre due uno zero nove ics" ] ||
  male "98765432109*x: '$("$tool" --parla "98765432109*x")'"

exit $fallito
