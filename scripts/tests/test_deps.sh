#!/usr/bin/env bash
# scripts/deps.sh against stand-ins for apt-get and dpkg-query: what it
# asks apt to install on PCs with different packages, and that it never
# lets apt remove one.
set -uo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"

# apt-get: records its arguments; a simulated install (-s) of a package named
# in RIMUOVEREBBE fails, as apt's does when it would have to remove another.
cat > "$work/bin/apt-get" <<'EOF'
#!/bin/sh
echo "$*" >> "$REGISTRO"
case " $* " in
*" -s "*) for p in $RIMUOVEREBBE; do
        case " $* " in *" $p "*) echo "E: Packages need to be removed but remove is disabled." >&2; exit 100 ;; esac
    done ;;
esac
exit 0
EOF
# dpkg-query -W -f='${Status}' PKG: installed when PKG is in INSTALLATI.
cat > "$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
for ultimo; do :; done
case " $INSTALLATI " in *" $ultimo "*) printf 'install ok installed'; exit 0 ;; esac
echo "dpkg-query: no packages found matching $ultimo" >&2
exit 1
EOF
# Run as a plain user, the script goes through sudo.
printf '#!/bin/sh\nexec "$@"\n' > "$work/bin/sudo"
chmod +x "$work/bin/"*

# The packages of a list, one a line, "a|b" kept whole.
voci() { sed -e 's/#.*//' -e 's/ //g' -e '/^$/d' "$1"; }
mapfile -t corsa < <(voci "$top/packaging/debian-packages.txt")
mapfile -t prove < <(voci "$top/packaging/debian-packages-test.txt")
primi() { local v; for v in "$@"; do printf '%s ' "${v%%|*}"; done; }

falliti=0
fallito() { echo "FALLITO: $*" >&2; falliti=$((falliti + 1)); }

# deps.sh [ARGS] with INSTALLATI and RIMUOVEREBBE as given; sets `uscita`,
# `aggiornato` (apt-get update was called) and `installati` (the packages of
# the real install call), and checks that every install call carries --no-remove.
esegui() {
    : > "$work/registro"
    REGISTRO="$work/registro" INSTALLATI="$1" RIMUOVEREBBE="$2" PATH="$work/bin:$PATH" \
        bash "$top/scripts/deps.sh" "${@:3}" > "$work/uscita" 2>&1
    uscita=$?
    aggiornato=0; installati=""
    while read -r riga; do
        case " $riga " in
        *" update "*) aggiornato=1 ;;
        *" install "*)
            case " $riga " in *" --no-remove "*) ;; *) fallito "apt-get senza --no-remove: $riga" ;; esac
            case " $riga " in *" -s "*) ;; *) installati="$riga" ;; esac ;;
        esac
    done < "$work/registro"
    # Only the package names of the install call.
    installati=" $(for a in $installati; do case "$a" in -*|install) ;; *) printf '%s ' "$a" ;; esac; done)"
}
contiene() { case "$installati" in *" $1 "*) return 0 ;; esac; return 1; }

# 1. A bare PC, starting the program: what building and running need, and
#    nothing only the tests need.
esegui "" ""
[ $uscita -eq 0 ] || fallito "PC vuoto: uscita $uscita: $(cat "$work/uscita")"
[ $aggiornato -eq 1 ] || fallito "PC vuoto: apt-get update non chiamato"
for p in $(primi "${corsa[@]}"); do contiene "$p" || fallito "PC vuoto: $p non installato"; done
for v in "${prove[@]}"; do
    IFS='|' read -r -a alt <<< "$v"
    for p in "${alt[@]}"; do contiene "$p" && fallito "deps.sh senza --test installa $p, che serve solo alle prove"; done
done

# 2. The same PC, for the tests: the headless Writer, as there is no Writer.
esegui "" "" --test
contiene libreoffice-writer-nogui || fallito "--test su PC vuoto: manca libreoffice-writer-nogui ($installati)"
contiene libreoffice-writer && fallito "--test su PC vuoto: installa il Writer completo"
contiene lintian || fallito "--test su PC vuoto: manca lintian"

# 3. Everything there: nothing is asked of apt, not even an update.
tutto="$(primi "${corsa[@]}" "${prove[@]}")"
esegui "$tutto" "" --test
[ $uscita -eq 0 ] && [ ! -s "$work/registro" ] || fallito "tutto installato: apt-get chiamato: $(cat "$work/registro")"

# 4. A teacher's PC with the full Writer and everything else: her Writer
#    stays, nothing is installed.
senzaWriter="$(for p in $tutto; do case "$p" in libreoffice-writer*) ;; *) printf '%s ' "$p" ;; esac; done)"
esegui "$senzaWriter libreoffice-writer" "" --test
[ ! -s "$work/registro" ] || fallito "Writer completo presente: apt-get chiamato: $(cat "$work/registro")"

# 5. No Writer at all: only the headless one is missing.
esegui "$senzaWriter" "" --test
[ "$installati" = " libreoffice-writer-nogui " ] || fallito "senza Writer: installa «$installati»"

# 6. A full LibreOffice without its Writer: the headless Writer would take it
#    away, so the full Writer comes in instead.
esegui "$senzaWriter" "libreoffice-writer-nogui" --test
[ "$installati" = " libreoffice-writer " ] || fallito "LibreOffice completo senza Writer: installa «$installati»"
[ $uscita -eq 0 ] || fallito "LibreOffice completo senza Writer: uscita $uscita"

# 7. An unknown option changes nothing and says so.
esegui "" "" --prova
[ $uscita -eq 2 ] && [ ! -s "$work/registro" ] || fallito "opzione sconosciuta: uscita $uscita, $(cat "$work/registro")"
grep -q "opzione sconosciuta" "$work/uscita" || fallito "opzione sconosciuta: nessun messaggio"

if [ $falliti -ne 0 ]; then
    echo "$falliti controlli falliti" >&2
    exit 1
fi
echo "deps.sh: tutti i controlli passati"
