#!/usr/bin/env bash
# The printable sheets of mevario-esercizi read back as a teacher's printer
# would: the page count it reports, every question and every expected answer
# of the same seeded exercises the listing gives, the same sheet for the same
# seed, a sheet of every topic, and files that are never written over.
set -u
tool="$1"
fallito=0
male() { echo "FALLITO: $*"; fallito=1; }
for p in pdftotext pdfinfo pdftoppm; do
  command -v "$p" >/dev/null || { echo "manca $p (poppler-utils)"; exit 1; }
done
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
pagine() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }

argomenti="somma-monomi potenza-monomio definizione-polinomio prodotto-polinomi"
out=$("$tool" --pdf "$d/a.pdf" $argomenti --quanti 4 --seme 11) || male "the sheet was not written"
dichiarate=$(printf '%s\n' "$out" | sed -n 's/.*: \([0-9]*\) pagin.*/\1/p')
[ "$(pagine "$d/a.pdf")" = "$dichiarate" ] || male "pages: $(pagine "$d/a.pdf") in the file, $dichiarate reported"
printf '%s\n' "$out" | grep -q "seme 11" || male "the seed is not reported"
pdftotext -layout "$d/a.pdf" - | tr -d '\f' > "$d/a.txt"
grep -q "Mevario – Esercizi" "$d/a.txt" || male "no title"
grep -q "^ *Soluzioni *$" "$d/a.txt" || male "no answer key"
# The pupils' pages and the key's are numbered on their own; the seed, which
# prints the key again, is on the key's pages only. The sixteen exercises
# fill three pages.
esercizi=$(sed -n 's/.*Mevario – pagina 1 di \([0-9]*\).*/\1/p' "$d/a.txt")
chiave=$(sed -n 's/.*Mevario – soluzioni – seme 11 – pagina 1 di \([0-9]*\).*/\1/p' "$d/a.txt")
[ -n "$esercizi" ] && [ -n "$chiave" ] || male "footers: exercises '$esercizi', key '$chiave'"
[ "$((esercizi + chiave))" = "$dichiarate" ] || male "pages: $esercizi + $chiave numbered, $dichiarate in all"
[ "$esercizi" -le 3 ] || male "16 exercises take $esercizi pages"
for k in $(seq 1 "$dichiarate"); do
  pdftotext -layout -f "$k" -l "$k" "$d/a.pdf" "$d/p.txt"
  if [ "$k" -le "$esercizi" ]; then
    grep -q "Mevario – pagina $k di $esercizi" "$d/p.txt" || male "page $k: no 'pagina $k di $esercizi'"
    grep -qi "seme" "$d/p.txt" && male "page $k: the seed is on a pupil's page"
    grep -q "Soluzioni\|si digita" "$d/p.txt" && male "page $k: the key is on a pupil's page"
  else
    grep -q "Mevario – soluzioni – seme 11 – pagina $((k - esercizi)) di $chiave" "$d/p.txt" ||
      male "page $k: no 'pagina $((k - esercizi)) di $chiave' with the seed"
    grep -q "Calcola\|Nome" "$d/p.txt" && male "page $k: exercises on a page of the key"
  fi
done
# Every question and every expected answer of the listing, numbered in order.
n=0
for arg in $argomenti; do
  while IFS=$'\t' read -r _ domanda _ attesa; do
    n=$((n + 1))
    grep -qF "$domanda" "$d/a.txt" || male "$arg: question '$domanda' missing"
    if [ "$attesa" = Si ] || [ "$attesa" = No ]; then
      [ "$attesa" = Si ] && attesa="Sì"
      sed -n '/^ *Soluzioni *$/,$p' "$d/a.txt" | grep -qE "^ *$n\. +$attesa *$" || male "$arg: answer $n ($attesa) missing"
    else
      grep -qF "si digita: $attesa" "$d/a.txt" || male "$arg: answer '$attesa' missing"
    fi
  done < <("$tool" "$arg" --seme 11 --quanti 4)
done
[ "$n" -eq 16 ] || male "$n exercises listed instead of 16"

# The same seed gives the same sheet.
"$tool" --pdf "$d/b.pdf" $argomenti --quanti 4 --seme 11 >/dev/null || male "second sheet not written"
pdftotext -layout "$d/b.pdf" - | tr -d '\f' > "$d/b.txt"
cmp -s "$d/a.txt" "$d/b.txt" || male "the same seed gave a different sheet"

# Without the key: no answers, fewer pages.
"$tool" --pdf "$d/c.pdf" $argomenti --quanti 4 --seme 11 --senza-soluzioni >/dev/null || male "sheet without key"
pdftotext "$d/c.pdf" "$d/c.txt"
grep -q "Soluzioni" "$d/c.txt" && male "the key is there with --senza-soluzioni"
grep -q "si digita" "$d/c.txt" && male "answers are there with --senza-soluzioni"
[ "$(pagine "$d/c.pdf")" = "$esercizi" ] || male "without key: $(pagine "$d/c.pdf") pages, not $esercizi"
grep -qi "seme" "$d/c.txt" && male "the seed is on a sheet without key"
grep -q "pagina $esercizi di $esercizi" "$d/c.txt" || male "without key: the last page's number"

# The key's sentences are printed with their accents, never "e'".
"$tool" --pdf "$d/e.pdf" definizione-monomio definizione-polinomio mcd-monomi --quanti 12 --seme 5 >/dev/null ||
  male "sheet of quizzes not written"
pdftotext "$d/e.pdf" - | tr -d '\f' > "$d/e.txt"
sed -n '/Soluzioni/,$p' "$d/e.txt" | grep -q "[aeiouAEIOU]'\([^a-zA-Z]\|$\)" && male "the key prints an apostrophe for an accent"
sed -n '/Soluzioni/,$p' "$d/e.txt" | grep -q "è una somma\|non è un monomio\|perciò" || male "the key has no sentence with its accent"

# A division's grid is tall: three fit on a page after the first.
"$tool" --pdf "$d/div.pdf" divisione-polinomi --quanti 16 --seme 3 >/dev/null || male "sheet of divisions"
pdftotext "$d/div.pdf" "$d/div.txt"
n=$(sed -n 's/.*Mevario – pagina 1 di \([0-9]*\).*/\1/p' "$d/div.txt")
[ -n "$n" ] && [ "$n" -le 6 ] || male "16 divisions take '$n' pages"
[ "$(grep -c "Esegui la divisione" "$d/div.txt")" = 16 ] || male "not 16 divisions"
[ "$(grep -c "Quoziente:" "$d/div.txt")" = 16 ] || male "not 16 quotients in the key"

# Every topic, the division included, renders.
tutti=$("$tool" --help | sed -n '/^Argomenti:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
[ "$(printf '%s\n' "$tutti" | wc -l)" -eq 12 ] || male "the help does not list the twelve topics"
"$tool" --pdf "$d/t.pdf" $tutti --quanti 3 --seme 5 >/dev/null || male "the sheet of every topic was not written"
pdftoppm -r 50 -png "$d/t.pdf" "$d/t" || male "pdftoppm could not render the sheet"
[ "$(ls "$d"/t-*.png | wc -l)" = "$(pagine "$d/t.pdf")" ] || male "not every page rendered"
pdftotext "$d/t.pdf" - | grep -q "Esegui la divisione" || male "no division"
pdftotext "$d/t.pdf" - | grep -q "Quoziente:" || male "no quotient in the key"
# Text, not pictures: the formulas' letters are in the text layer.
pdfimages -list "$d/t.pdf" 2>/dev/null | awk 'NR > 2' | grep -q . && male "the sheet holds pictures"

# Errors: status 1, a message, nothing written or overwritten.
echo keep > "$d/esiste.pdf"
"$tool" --pdf "$d/esiste.pdf" somma-monomi 2>"$d/err" >/dev/null && male "an existing file was accepted"
[ "$(cat "$d/esiste.pdf")" = keep ] || male "an existing file was written over"
grep -q "Impossibile scrivere" "$d/err" || male "no message for an existing file"
grep -q "esiste già" "$d/err" || male "the message for an existing file is not Italian: $(cat "$d/err")"
"$tool" --pdf "$d/manca/x.pdf" somma-monomi 2>"$d/err" >/dev/null && male "a missing folder was accepted"
grep -q "la cartella $d/manca non esiste" "$d/err" || male "the message for a missing folder is not Italian: $(cat "$d/err")"
"$tool" --pdf "$d/x.pdf" nessuno 2>/dev/null >/dev/null && male "an unknown topic was accepted"
"$tool" --pdf "$d/x.pdf" somma-monomi --quanti 51 2>/dev/null >/dev/null && male "51 exercises a topic were accepted"
"$tool" --pdf "$d/x.pdf" 2>/dev/null >/dev/null && male "a sheet without topics was accepted"
"$tool" somma-monomi --senza-soluzioni 2>/dev/null >/dev/null && male "--senza-soluzioni without --pdf was accepted"
[ -e "$d/x.pdf" ] && male "a file was left by a refused request"

exit $fallito
