#!/usr/bin/env bash
# Importing 100,000 valid payroll lines through the import window (one commit
# per line) against a floor of the same inserts through one prepared
# statement, also with one commit per line, on the same kind of database.
# Usage: bench/import-transfers.sh <build dir> [runs] [--forced-writes]
# Databases are made without forced writes unless asked: with them every
# commit waits for the disk on both sides and the ratio says little.
# Prints the medians of both times, the heap growth of the run beyond the
# file's lines and the register's new rows, and the ratio with its target.
set -euo pipefail

BUILD=${1:?usage: import-transfers.sh <build dir> [runs] [--forced-writes]}
RUNS=${2:-3}
FORCED=${3:-}
source "$(dirname "$0")/common.sh"
BIN=$(bench_program "$BUILD" bench_import_transfers)

: > "$WORK/times"
: > "$WORK/memory"
for ((i = 0; i < RUNS; i++)); do
    rm -rf "$WORK/run"
    "$BIN" "$WORK/run" 100000 $FORCED | tee "$WORK/out" | grep -v '^real_ms\|^mem_other'
    grep '^real_ms' "$WORK/out" >> "$WORK/times"
    grep '^mem_other_bytes' "$WORK/out" >> "$WORK/memory"
done

awk '{printf "run: window %d ms, floor %d ms, ratio %.2f; processor time %d ms against %d ms, ratio %.2f\n",
            $2, $4, $2 / $4, $6, $8, $6 / $8}' "$WORK/times"
REAL=$(awk '{print $2}' "$WORK/times" | median)
FLOOR=$(awk '{print $4}' "$WORK/times" | median)
RATIO=$(awk '{print $2 / $4}' "$WORK/times" | median)
OTHER=$(awk '{print $2}' "$WORK/memory" | median)
CPU=$(awk '{print $6 / $8}' "$WORK/times" | median)
awk -v r="$REAL" -v f="$FLOOR" -v q="$RATIO" -v o="$OTHER" -v c="$CPU" -v runs="$RUNS" 'BEGIN {
    printf "import through the window (median of %d): %d ms\n", runs, r
    printf "floor, one prepared insert (median of %d): %d ms\n", runs, f
    printf "heap left after the run beyond the register rows (median): %+.2f MB\n", o / 1e6
    printf "processor time ratio window/floor (median): %.2f\n", c
    printf "ratio window/floor (median of %d runs):\n", runs
    printf "%.2f  (target <= 2.0)\n", q
}'
