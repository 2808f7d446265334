#!/usr/bin/env bash
# Opening the register select of 100,000 transfers: the Dataset against isql.
# Usage: bench/register-fetch.sh <build dir> [--demo] [runs]
# Prints the wall-time medians of whole processes, the dataset's memory
# against the raw value bytes, and both ratios with their targets.
set -euo pipefail

BUILD=${1:?usage: register-fetch.sh <build dir> [--demo] [runs]}
DEMO=${2:-}
RUNS=${3:-5}
[ "$DEMO" = "--demo" ] || { RUNS=${2:-$RUNS}; DEMO=""; }
BIN=$(cd "$BUILD" && pwd)/bench/bench_register_fetch
[ -x "$BIN" ] || BIN=$(cd "$BUILD" && pwd)/bench_register_fetch
ISQL=${ISQL:-isql-fb}

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
DB="$WORK/register.fdb"

echo "Creating the database and 100,000 transfers ${DEMO:+(with demo data)}..."
"$BIN" create "$DB" "$WORK/dane" $DEMO
"$BIN" sql > "$WORK/select.sql"

now() { date +%s%N; }
median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
time_runs() {
    local i start
    for ((i = 0; i < RUNS; i++)); do
        start=$(now)
        "$@" > /dev/null
        echo $(( ($(now) - start) / 1000000 ))
    done | median
}

# One untimed run of each so both read a warm file system cache.
"$ISQL" -q -ch UTF8 -user SYSDBA -i "$WORK/select.sql" "$DB" > /dev/null
"$BIN" open "$DB" > /dev/null

ISQL_MS=$(time_runs "$ISQL" -q -ch UTF8 -user SYSDBA -i "$WORK/select.sql" "$DB")
DATASET_MS=$(time_runs "$BIN" open "$DB")
read -r _ ROWS _ RAW _ GROWTH _ STORE < <("$BIN" memory "$DB")

awk -v i="$ISQL_MS" -v d="$DATASET_MS" -v rows="$ROWS" -v raw="$RAW" -v g="$GROWTH" -v s="$STORE" -v runs="$RUNS" 'BEGIN {
    printf "rows fetched:            %d\n", rows
    printf "isql wall time (median of %d):    %d ms\n", runs, i
    printf "dataset wall time (median of %d): %d ms\n", runs, d
    printf "time ratio dataset/isql:  %.2f  (target <= 1.5)\n", d / i
    printf "raw value bytes:          %.1f MB\n", raw / 1048576
    printf "RSS growth during open:   %.1f MB (row store %.1f MB)\n", g / 1048576, s / 1048576
    printf "memory ratio RSS/raw:     %.2f  (target <= 2.0)\n", g / raw
}'
