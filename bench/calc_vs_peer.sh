#!/usr/bin/env bash
# The whole calculation from file to result files against the numpy peer, on one
# level logger file of 10^7 records of 0.1 s with 20 exclusion zones: minimum,
# maximum, Leq, L5, L50 and L95, with scanning (10 s / 1 s) and without.
# Prints wall time and peak memory of each (GNU time) and the ratios.
#   bench/calc_vs_peer.sh [RECORDS]      (build first: ./phonotab.sh build)
set -euo pipefail
cd "$(dirname "$0")/.."
RECORDS=${1:-10000000}
DIR=${PHONOTAB_BENCH_DIR:-/tmp/phonotab-bench}
mkdir -p "$DIR"
FILE=$DIR/logger_$RECORDS.bin
[ -f "$FILE" ] || build/phonotab-mkdata data/teledesc/demo.tdsc logger "$FILE" "$RECORDS" 10
PEER=../shared/bench/peer_stats_numpy.py
SPAN=$((RECORDS / 10))
ZONES=()
PEER_ZONES=()
for k in $(seq 0 19); do
  b=$((SPAN * k / 20 + 1000)); e=$((b + 600))
  ZONES+=(--exclude "$b:$e"); PEER_ZONES+=(--exclude "$b:$e")
done
measure() {  # LABEL COMMAND...
  local label=$1; shift
  /usr/bin/time -o "$DIR/time.txt" -f "%e %M" "$@" >/dev/null 2>&1 || true
  echo "$label $(tail -1 "$DIR/time.txt")"
}
for mode in whole scan; do
  SCAN=(); PEER_SCAN=()
  if [ $mode = scan ]; then SCAN=(--scan 10:1); PEER_SCAN=(--scan 10:1); fi
  rm -rf "$DIR/out"
  a=$(measure ours build/phonotab-cli calc "$FILE" -o "$DIR/out" --param 0x01300100:min,max,leq,pct \
        --percentiles 5,50,95 "${SCAN[@]}" "${ZONES[@]}")
  b=$(measure peer /usr/bin/python3 "$PEER" --file "$FILE" --record-size 24 --offset 8 --period 0.1 \
        --percentiles 5,50,95 "${PEER_SCAN[@]}" "${PEER_ZONES[@]}" --out "$DIR/peer.txt")
  read -r _ ta ma <<<"$a"; read -r _ tb mb <<<"$b"
  series_kib=$((RECORDS * 8 / 1024))
  echo "$mode: ours ${ta}s ${ma} KiB, peer ${tb}s ${mb} KiB; speed-up $(python3 -c "print(round($tb/$ta,2))")x," \
       "peak memory / series size $(python3 -c "print(round($ma/$series_kib,2))")"
done
