#!/usr/bin/env bash
# The project recalculation over 20 files of 10^6 records with two bound
# tables: all cores against one core (--sequential), wall time and peak memory.
#   bench/project_recalc.sh [FILES] [RECORDS]     (build first: ./phonotab.sh build)
set -euo pipefail
cd "$(dirname "$0")/.."
FILES=${1:-20}
RECORDS=${2:-1000000}
DIR=${PHONOTAB_BENCH_DIR:-/tmp/phonotab-bench}/project_${FILES}x$RECORDS
[ -f "$DIR/bench.pht" ] || build/phonotab-mkdata data/teledesc/demo.tdsc bench-project "$DIR" "$FILES" "$RECORDS"
measure() {
  /usr/bin/time -o "$DIR/time.txt" -f "%e %M" "$@" >/dev/null 2>&1 || true
  tail -1 "$DIR/time.txt"
}
cat "$DIR"/*.bin >/dev/null  # into the page cache
read -r ts ms <<<"$(measure build/phonotab-cli project calc "$DIR/bench.pht" --sequential -o "$DIR/out-seq.pht")"
read -r tp mp <<<"$(measure build/phonotab-cli project calc "$DIR/bench.pht" -o "$DIR/out-par.pht")"
echo "one core:  ${ts}s ${ms} KiB"
echo "all cores: ${tp}s ${mp} KiB, speed-up $(python3 -c "print(round($ts/$tp,2))")x"
cmp -s "$DIR/out-seq.pht" "$DIR/out-par.pht" && echo "the recalculated projects are identical"
