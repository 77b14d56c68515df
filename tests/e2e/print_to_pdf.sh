#!/usr/bin/env bash
# Prints all memos with the real program to a CUPS PDF queue and reads the PDF back: one page
# holding the memos' texts, top memo first.
#   print_to_pdf.sh <pinlark_e2e_tests.exe> <tools folder>
set -euo pipefail

e2e=$1
tools=$2
fail() { echo "print_to_pdf: $*" >&2; exit 1; }

out=$("$tools/pdf-printer" start) || fail "no PDF queue"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
PINLARK_PDF_DIR=$out "$tools/wine-run" "$e2e" --gtest_filter='RealPrint.*' | tee "$log"
grep -q '\[  PASSED  \] 1 test' "$log" || fail "the print job did not run"

pdf=$(sed -n 's/^printed: //p' "$log" | tr -d '\r' | tail -1)
[ -f "$pdf" ] || fail "no PDF at '$pdf'"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
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
echo "print_to_pdf: one page with the texts of both memos"
