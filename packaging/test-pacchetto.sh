#!/usr/bin/env bash
# The Debian package as a technician meets it: built with CPack, unpacked
# without root, its programs run from the unpacked tree, its desktop entry
# and metadata validated, lintian without errors.
set -u
build="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cd "$build" || exit 1
cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; male "cpack"; exit 1; }
deb=$(ls "$tmp"/out/mevario_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { male "no mevario_VERSION_ARCH.deb"; exit 1; }
echo "pacchetto: $(basename "$deb")"
dpkg-deb -x "$deb" "$tmp/radice" || male "dpkg-deb -x"
r="$tmp/radice/usr"
for f in bin/mevario bin/mevario-formula bin/mevario-esercizi bin/mevario-divisione bin/mevario-registro bin/mevario-passaggi \
         share/mevario/schedaVEK.fodt share/mevario/scheda.fodt \
         share/applications/it.mevario.Mevario.desktop share/metainfo/it.mevario.Mevario.metainfo.xml \
         share/icons/hicolor/scalable/apps/it.mevario.Mevario.svg \
         share/icons/hicolor/48x48/apps/it.mevario.Mevario.png share/icons/hicolor/256x256/apps/it.mevario.Mevario.png \
         share/doc/mevario/copyright share/doc/mevario/changelog.gz lib/mevario/libmevario_grafici.so; do
  [ -e "$r/$f" ] || male "missing /usr/$f"
done
if command -v help2man >/dev/null; then
  for p in mevario mevario-formula mevario-esercizi mevario-divisione mevario-registro mevario-passaggi; do
    [ -e "$r/share/man/man1/$p.1.gz" ] || male "missing manual page of $p"
    # Italian headings, and the help's accented letters as they are.
    pagina=$(zcat "$r/share/man/man1/$p.1.gz")
    printf '%s\n' "$pagina" | grep -qx ".SH DESCRIZIONE" || male "manual page of $p without Italian headings"
    printf '%s\n' "$pagina" | grep -q "??" && male "manual page of $p with '??' for a letter"
  done
  zcat "$r/share/man/man1/mevario-esercizi.1.gz" | grep -q "il seme è stampato" ||
    male "manual page of mevario-esercizi without its accented letters"
fi
dpkg-deb -f "$deb" Depends | grep -q "fonts-wine" || male "Depends without fonts-wine"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || male "Depends without the Qt libraries"
dpkg-deb -f "$deb" Depends | grep -q "libqt6sql6-sqlite" || male "Depends without the SQLite driver"

# The unpacked programs run.
QT_QPA_PLATFORM=offscreen "$r/bin/mevario" --esci-subito || male "unpacked mevario --esci-subito"
"$r/bin/mevario" --version | grep -q "^mevario " || male "mevario --version"
QT_QPA_PLATFORM=offscreen "$r/bin/mevario-formula" -o "$tmp/f.png" "-(3/4)*x^2*z" && [ -s "$tmp/f.png" ] || male "unpacked mevario-formula"
"$r/bin/mevario-divisione" "x^2-1" "x-1" | grep -qx "Resto = 0" || male "unpacked mevario-divisione"
"$r/bin/mevario-registro" --db "$tmp/registro.sqlite" alunni 2>&1 | grep -q "non esiste" || male "unpacked mevario-registro"
echo "x^2-x-2" | "$r/bin/mevario-passaggi" "(x+1)(x-2)" | grep -q "^1.equivalente" || male "unpacked mevario-passaggi"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$r/share/applications/it.mevario.Mevario.desktop" || male "desktop-file-validate"
fi
# Docks match the windows (X11 class "mevario") to the entry, and its icon.
grep -qx "StartupWMClass=mevario" "$r/share/applications/it.mevario.Mevario.desktop" || male "StartupWMClass"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$r/share/metainfo/it.mevario.Mevario.metainfo.xml" >"$tmp/as.log" 2>&1 ||
    appstreamcli validate --no-net "$r/share/metainfo/it.mevario.Mevario.metainfo.xml" || { cat "$tmp/as.log"; male "appstreamcli validate"; }
fi
if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" >"$tmp/lintian.log" 2>&1
  grep -E "^E: " "$tmp/lintian.log" && male "lintian errors"
  grep -E "^W: " "$tmp/lintian.log" | sed 's/^/lintian (avviso) /'
fi
[ $fallito -eq 0 ] && echo "pacchetto: tutto bene"
exit $fallito
