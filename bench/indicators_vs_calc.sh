#!/usr/bin/env bash
# Period indicators with events against the calculation of the same parameter,
# on one level logger file of 10^7 one-second records (115 days) with 20
# exclusion zones: `indicators` (scheme "eu", events at 80 dB of 10 s and more,
# 5 s merge gap: some 40 a day; JSON with every figure) against `calc` of minimum, maximum,
# Leq and percentiles. Each is run three times; prints the best wall times and
# their ratio (the goal is at most 1.2).
#   bench/indicators_vs_calc.sh [RECORDS]      (build first: ./phonotab.sh build)
set -euo pipefail
cd "$(dirname "$0")/.."
RECORDS=${1:-10000000}
DIR=${PHONOTAB_BENCH_DIR:-/tmp/phonotab-bench}
mkdir -p "$DIR"
FILE=$DIR/logger1s_$RECORDS.bin
[ -f "$FILE" ] || build/phonotab-mkdata data/teledesc/demo.tdsc logger "$FILE" "$RECORDS" 1
ZONES=()
for k in $(seq 0 19); do
  b=$((RECORDS * k / 20 + 1000)); e=$((b + 600))
  ZONES+=(--exclude "$b:$e")
done
best() {  # COMMAND...: the best of three wall times in seconds
  local t best=""
  for _ in 1 2 3; do
    /usr/bin/time -o "$DIR/time.txt" -f "%e" "$@" >/dev/null 2>&1
    t=$(tail -1 "$DIR/time.txt")
    if [ -z "$best" ] || python3 -c "import sys; sys.exit(0 if $t < $best else 1)"; then best=$t; fi
  done
  echo "$best"
}
rm -rf "$DIR/calc-out"
calc=$(best build/phonotab-cli calc "$FILE" -o "$DIR/calc-out" --param 0x01300100:min,max,leq,pct "${ZONES[@]}")
ind=$(best build/phonotab-cli indicators "$FILE" --param 0x01300100 --scheme eu --events 80:10:5 "${ZONES[@]}" \
        -o "$DIR/indicators.json")
echo "calc ${calc}s, indicators with events ${ind}s; ratio $(python3 -c "print(round($ind/$calc,2))") (goal <= 1.2)"
