#!/usr/bin/env bash
# Prints all memos with the real program to a CUPS PDF queue and reads the PDFs back: memos that
# fit on one page give one page, top memo first; memos that need two pages, printed in two
# collated copies, give both pages twice, every line in order.
#   print_to_pdf.sh <pinlark_e2e_tests.exe> <tools folder>
set -euo pipefail

e2e=$1
tools=$2
fail() { echo "print_to_pdf: $*" >&2; exit 1; }

out=$("$tools/pdf-printer" start) || fail "no PDF queue"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
PINLARK_PDF_DIR=$out "$tools/wine-run" "$e2e" --gtest_filter='RealPrint.*' | tee "$log"
grep -q '\[  PASSED  \] 2 tests' "$log" || fail "the print jobs did not run"

pdf_of() {  # the PDF the job labelled $1 went to
  local pdf
  pdf=$(sed -n "s/^printed $1: //p" "$log" | tr -d '\r' | tail -1)
  [ -f "$pdf" ] || fail "no PDF at '$pdf' for $1"
  echo "$pdf"
}
pages_of() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }

# One page when everything fits.
pdf=$(pdf_of "one page")
pages=$(pages_of "$pdf")
[ "$pages" = 1 ] || fail "$pdf has ${pages:-no} pages, not 1"
text=$(pdftotext -layout "$pdf" -)
echo "--- text of $pdf"
echo "$text"
expected=("alpha memo one" "second line" "bravo memo two")
for line in "${expected[@]}"; do
  grep -qF "$line" <<<"$text" || fail "'$line' is not in the PDF's text"
done
# The memo higher on the screen is printed first.
first=$(grep -nF "alpha memo one" <<<"$text" | head -1 | cut -d: -f1)
last=$(grep -nF "bravo memo two" <<<"$text" | head -1 | cut -d: -f1)
[ "$first" -lt "$last" ] || fail "the memos are not in window order"
rm -f "$pdf"

# Two pages, twice over: pages 1-2 and 3-4 each hold every line in order, and both pages of a
# copy hold some of them.
pdf=$(pdf_of "two pages twice")
pages=$(pages_of "$pdf")
[ "$pages" = 4 ] || fail "$pdf has ${pages:-no} pages, not 2 pages in 2 copies"
want=$(for name in alpha bravo; do for i in $(seq -w 1 45); do echo "$name $i"; done; done)
lines_of() { pdftotext -layout -f "$2" -l "$3" "$1" - | grep -oE '(alpha|bravo) [0-9]{2}' || true; }
for copy in 1 3; do
  got=$(lines_of "$pdf" "$copy" $((copy + 1)))
  [ "$got" = "$want" ] || fail "pages $copy-$((copy + 1)) do not hold every line in order: $(diff <(echo "$want") <(echo "$got") | head -5)"
  for page in "$copy" $((copy + 1)); do
    [ -n "$(lines_of "$pdf" "$page" "$page")" ] || fail "page $page holds no line"
  done
done
echo "--- page 2 of $pdf begins"
pdftotext -layout -f 2 -l 2 "$pdf" - | head -3
rm -f "$pdf"
echo "print_to_pdf: one page for memos that fit; two pages in two collated copies for memos that do not"
