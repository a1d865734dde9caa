#!/usr/bin/env bash
# Record dump and summary of a 200 MB record file: wall time and peak memory
# (GNU time) against reading the same file (cat), and the throughput ratio.
#   bench/dump_vs_read.sh        (build first: ./phonotab.sh build)
set -euo pipefail
cd "$(dirname "$0")/.."
DIR=${PHONOTAB_BENCH_DIR:-/tmp/phonotab-bench}
mkdir -p "$DIR"
RECORDS=1090000  # × 184 bytes ≈ 200 MB
FILE=$DIR/slm_$RECORDS.bin
[ -f "$FILE" ] || build/phonotab-mkdata data/teledesc/demo.tdsc large "$FILE" "$RECORDS"
measure() {
  /usr/bin/time -o "$DIR/time.txt" -f "%e %M" "$@" >/dev/null 2>&1 || true
  tail -1 "$DIR/time.txt"
}
cat "$FILE" >/dev/null  # into the page cache
read -r tr mr <<<"$(measure cat "$FILE")"
read -r td md <<<"$(measure build/phonotab-cli dump "$FILE" -o /dev/null)"
read -r ts ms <<<"$(measure build/phonotab-cli summary "$FILE" -o /dev/null --column 0:1:2 --column 0:0:0 --band 1)"
echo "read:    ${tr}s ${mr} KiB"
echo "dump:    ${td}s ${md} KiB, throughput $(python3 -c "print(round($tr/$td,3))") of reading"
echo "summary: ${ts}s ${ms} KiB, throughput $(python3 -c "print(round($tr/$ts,3))") of reading"
