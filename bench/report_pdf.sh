#!/usr/bin/env bash
# The demo project's report as PDF: the time of LibreOffice's conversion as a
# ratio to writing the report document (.docx), both through the batch tool on
# the recalculated demo project (median of RUNS runs each). For comparison,
# LibreOffice alone on the same document, in a fresh profile each time as the
# batch tool runs it, and in one profile kept between runs.
#   bench/report_pdf.sh [RUNS]     (build first: ./phonotab.sh build)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
OFFICE=$(command -v soffice || command -v libreoffice || true)
[ -n "$OFFICE" ] || { echo "LibreOffice (soffice) is not installed: there is no PDF to time."; exit 0; }
DIR=$(mktemp -d "${TMPDIR:-/tmp}/phonotab-bench-pdf.XXXXXX")
trap 'rm -rf "$DIR"' EXIT
cp -r build/data/demo "$DIR/demo"
PROJECT=$DIR/demo/demo.pht
build/phonotab-cli project calc "$PROJECT" -o "$PROJECT" >/dev/null 2>&1

ms() {  # milliseconds a command takes (its output dropped; a failure stops the benchmark)
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>"$DIR/stderr" || { cat "$DIR/stderr" >&2; echo "failed: $*" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
median() { tr ' ' '\n' | sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

docx=() pdf=() fresh=() kept=()
for ((i = 0; i < RUNS; i++)); do
  docx+=("$(ms build/phonotab-cli report "$PROJECT" -o "$DIR/report.docx")")
  pdf+=("$(ms build/phonotab-cli report "$PROJECT" -o "$DIR/report.pdf")")
  fresh+=("$(ms "$OFFICE" --headless --norestore -env:UserInstallation="file://$DIR/profile-$i" \
    --convert-to pdf --outdir "$DIR/alone" "$DIR/report.docx")")
  kept+=("$(ms "$OFFICE" --headless --norestore -env:UserInstallation="file://$DIR/profile-kept" \
    --convert-to pdf --outdir "$DIR/alone" "$DIR/report.docx")")
done
d=$(echo "${docx[*]}" | median)
p=$(echo "${pdf[*]}" | median)
f=$(echo "${fresh[*]}" | median)
k=$(echo "${kept[*]}" | median)
pages=$( (command -v pdfinfo >/dev/null && pdfinfo "$DIR/report.pdf" | awk '/^Pages:/ {print $2}') || echo "?")
echo "demo report, median of $RUNS runs ($(stat -c %s "$DIR/report.docx") bytes .docx, $pages pages of PDF):"
echo "  .docx written by the batch tool:         ${d} ms"
echo "  .pdf written by the batch tool:          ${p} ms"
echo "  of which the conversion:                 $((p - d)) ms, $(python3 -c "print(round(($p - $d) / $d, 1))")x the .docx writing"
echo "  LibreOffice alone, fresh profile:        ${f} ms"
echo "  LibreOffice alone, profile kept:         ${k} ms"
