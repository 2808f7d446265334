#!/usr/bin/env bash
# Issuing 5,000 marked transfers through the issuing window (batch, payments,
# realized rows, bank file, ledger document) against two yardsticks on equal
# fresh databases: a floor that makes the same database writes in one
# prepared-statement loop, and the same issue made by a handful of set-based
# statements, which the benchmark checks to leave exactly the rows and the
# bank file the window left (it stops otherwise).
# Usage: bench/issue-batch.sh <build dir> [runs] [floor|set-based]
# Prints the median times of the runs, the ratio to the per-row floor (also
# without the time the ledger module's stand-in spends on its 5,000 entries,
# measured apart in each run) and the ratio to the set-based issue, each with
# its target; the yardstick named (the floor unless told) comes last.
set -euo pipefail

BUILD=${1:?usage: issue-batch.sh <build dir> [runs] [floor|set-based]}
RUNS=${2:-5}
LAST=${3:-floor}
case "$LAST" in floor | set-based) ;; *) echo "usage: issue-batch.sh <build dir> [runs] [floor|set-based]" >&2; exit 2 ;; esac
source "$(dirname "$0")/common.sh"
BIN=$(bench_program "$BUILD" bench_issue_batch)
# The run's databases are its own: their engine keeps its lock files beside
# them, so that another program's engine holding the machine's shared lock
# folder cannot stall the run.
export FIREBIRD_LOCK="$WORK/lock"
mkdir -p "$FIREBIRD_LOCK"

: > "$WORK/times"
for ((i = 0; i < RUNS; i++)); do
    rm -rf "$WORK/run"
    "$BIN" "$WORK/run" | tee "$WORK/out" | grep -v '^  message'
    grep '^real_ms' "$WORK/out" >> "$WORK/times"
done

# Ratios are taken run by run, then their median.
awk '{printf "run: window %d ms, floor %d ms, stand-in %d ms, set-based %d ms\n", $2, $4, $6, $8}' "$WORK/times"
REAL=$(awk '{print $2}' "$WORK/times" | median)
FLOOR=$(awk '{print $4}' "$WORK/times" | median)
SET=$(awk '{print $8}' "$WORK/times" | median)
RATIO=$(awk '{print $2 / $4}' "$WORK/times" | median)
OWN=$(awk '{print ($2 - $6) / $4}' "$WORK/times" | median)
SETRATIO=$(awk '{print $2 / $8}' "$WORK/times" | median)
awk -v r="$REAL" -v f="$FLOOR" -v s="$SET" -v q="$RATIO" -v o="$OWN" -v t="$SETRATIO" -v runs="$RUNS" \
    -v last="$LAST" 'BEGIN {
    printf "issue through the window (median of %d): %d ms\n", runs, r
    printf "floor, prepared statements (median of %d): %d ms\n", runs, f
    printf "set-based statements (median of %d): %d ms\n", runs, s
    printf "ratio window/floor without the ledger stand-in entries (median): %.2f\n", o
    floor = sprintf("%.2f  (target <= 1.5)", q)
    setBased = sprintf("%.2f  (target <= 1.3)", t)
    if (last == "floor") {
        printf "ratio window/set-based (median): %s\n%s\n", setBased, floor
    } else {
        printf "ratio window/floor (median): %s\n%s\n", floor, setBased
    }
}'
