#!/usr/bin/env bash
# Reading a bank statement of 100,000 entries (Windows-1250, three-line
# structured descriptions) against a floor that decodes the same bytes, cuts
# them into lines and tags and nothing more; then matching 10,000 entries
# against 10,000 realized transfers (target under a second).
# Usage: bench/statement-read.sh <build dir> [runs]
# Prints the medians of clock and processor time (the load of a shared machine
# disturbs the latter less) and the clock-time ratio last.
set -euo pipefail

BUILD=${1:?usage: statement-read.sh <build dir> [runs]}
RUNS=${2:-5}
source "$(dirname "$0")/common.sh"
BIN=$(bench_program "$BUILD" bench_statement_read)

"$BIN" floor 1000 > /dev/null
# Reader and floor take turns, so a change in the machine's load hits both.
for ((i = 0; i < RUNS; i++)); do
    "$BIN" reader 100000 >> "$WORK/reader"
    "$BIN" floor 100000 >> "$WORK/floor"
    "$BIN" match 10000 >> "$WORK/match"
done
READER_MS=$(awk '{print $1}' "$WORK/reader" | median)
FLOOR_MS=$(awk '{print $1}' "$WORK/floor" | median)
READER_CPU=$(awk '{print $2}' "$WORK/reader" | median)
FLOOR_CPU=$(awk '{print $2}' "$WORK/floor" | median)
MATCH_MS=$(median < "$WORK/match")

awk -v r="$READER_MS" -v f="$FLOOR_MS" -v rc="$READER_CPU" -v fc="$FLOOR_CPU" -v m="$MATCH_MS" -v runs="$RUNS" 'BEGIN {
    printf "matching 10,000 entries against 10,000 realized transfers (median of %d): %d ms (target < 1000 ms)\n", runs, m
    printf "reader, 100,000 entries (median of %d): %d ms, processor %d ms\n", runs, r, rc
    printf "floor, lines and tags only (median of %d): %d ms, processor %d ms\n", runs, f, fc
    printf "processor time ratio reader/floor: %.2f\n", rc / (fc > 0 ? fc : 1)
    printf "%.2f  (target <= 2.0)\n", r / (f > 0 ? f : 1)
}'
