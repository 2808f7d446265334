#!/usr/bin/env bash
# Opening the register select of 100,000 transfers: the Dataset against a
# bare fetch loop over the Firebird client interface reading the same select
# into values (the floor).
# Usage: bench/register-fetch.sh <build dir> [--demo] [runs]
# Runs the two whole processes in turn, takes the time ratio pair by pair and
# prints its median, the dataset's memory against the raw value bytes, and
# both ratios with their targets, the memory ratio last.
set -euo pipefail

BUILD=${1:?usage: register-fetch.sh <build dir> [--demo] [runs]}
DEMO=${2:-}
RUNS=${3:-5}
[ "$DEMO" = "--demo" ] || { RUNS=${2:-$RUNS}; DEMO=""; }
source "$(dirname "$0")/common.sh"
BIN=$(bench_program "$BUILD" bench_register_fetch)

DB="$WORK/register.fdb"

echo "Creating the database and 100,000 transfers ${DEMO:+(with demo data)}..."
"$BIN" create "$DB" "$WORK/dane" $DEMO

now() { date +%s%N; }
ms() {
    local start
    start=$(now)
    "$BIN" "$1" "$DB" > /dev/null
    echo $(( ($(now) - start) / 1000000 ))
}

# One untimed run of each so both read a warm file system cache.
"$BIN" floor "$DB" > /dev/null
"$BIN" open "$DB" > /dev/null

: > "$WORK/times"
for ((i = 0; i < RUNS; i++)); do
    echo "$(ms floor) $(ms open)" >> "$WORK/times"
done
read -r _ ROWS _ RAW _ GROWTH _ STORE < <("$BIN" memory "$DB")

awk '{printf "run: floor %d ms, dataset %d ms\n", $1, $2}' "$WORK/times"
FLOOR_MS=$(awk '{print $1}' "$WORK/times" | median)
DATASET_MS=$(awk '{print $2}' "$WORK/times" | median)
RATIO=$(awk '{print $2 / $1}' "$WORK/times" | median)
awk -v f="$FLOOR_MS" -v d="$DATASET_MS" -v q="$RATIO" -v rows="$ROWS" -v raw="$RAW" -v g="$GROWTH" -v s="$STORE" \
    -v runs="$RUNS" 'BEGIN {
    printf "rows fetched:            %d\n", rows
    printf "bare fetch loop wall time (median of %d): %d ms\n", runs, f
    printf "dataset wall time (median of %d):         %d ms\n", runs, d
    printf "time ratio dataset/floor (median of the pairs): %.2f  (target <= 1.5)\n", q
    printf "raw value bytes:          %.1f MB\n", raw / 1048576
    printf "RSS growth during open:   %.1f MB (row store %.1f MB)\n", g / 1048576, s / 1048576
    printf "memory ratio RSS/raw:     %.2f  (target <= 2.0)\n", g / raw
}'
