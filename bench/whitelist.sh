#!/usr/bin/env bash
# The VAT white list. A synthetic flat file of 2,000,000 digests (5000 rounds
# as published) is loaded into the store, against a floor that parses the same
# file with the same streaming reader and keeps nothing; the peak memory of
# loading is compared with a file of 500,000 digests; then 5,000 transfers are
# checked against the store, once with the file's 5000 rounds and nothing
# hashed in advance, once after their pairs were hashed in advance as loading
# does (a fresh session then reads them from the day's file), and once against
# a file of one round (the store's share of the check).
# Usage: bench/whitelist.sh <build dir> [runs]
# Prints the medians, then the clock-time ratio load/floor last.
set -euo pipefail

BUILD=${1:?usage: whitelist.sh <build dir> [runs]}
RUNS=${2:-3}
BIN=$(cd "$BUILD" && pwd)/bench/bench_whitelist
[ -x "$BIN" ] || BIN=$(cd "$BUILD" && pwd)/bench_whitelist

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

"$BIN" gen "$WORK/duzy.json" 2000000 5000
"$BIN" gen "$WORK/maly.json" 500000 5000
# Load and floor take turns, so a change in the machine's load hits both.
for ((i = 0; i < RUNS; i++)); do
    "$BIN" floor "$WORK/duzy.json" "$WORK/nic" >> "$WORK/floor"
    rm -rf "$WORK/magazyn"
    "$BIN" load "$WORK/duzy.json" "$WORK/magazyn" >> "$WORK/load"
done
"$BIN" load "$WORK/maly.json" "$WORK/maly" > "$WORK/load-maly"
rm -f "$WORK/maly.json"
"$BIN" check "$WORK/magazyn" 5000 > "$WORK/check"
"$BIN" precheck "$WORK/magazyn" 5000 > "$WORK/precheck"
rm -f "$WORK/duzy.json"
"$BIN" gen "$WORK/jedna.json" 2000000 1
"$BIN" load "$WORK/jedna.json" "$WORK/jedna" > /dev/null
"$BIN" check "$WORK/jedna" 5000 > "$WORK/check-jedna"

LOAD_MS=$(awk '{print $1}' "$WORK/load" | median)
FLOOR_MS=$(awk '{print $1}' "$WORK/floor" | median)
LOAD_CPU=$(awk '{print $2}' "$WORK/load" | median)
FLOOR_CPU=$(awk '{print $2}' "$WORK/floor" | median)
RSS_BIG=$(awk '{print $3}' "$WORK/load" | sort -n | tail -1)
RSS_SMALL=$(awk '{print $3}' "$WORK/load-maly")
RSS_FLOOR=$(awk '{print $3}' "$WORK/floor" | sort -n | tail -1)
DIGESTS=$(awk '{print $4}' "$WORK/load" | head -1)

awk -v l="$LOAD_MS" -v f="$FLOOR_MS" -v lc="$LOAD_CPU" -v fc="$FLOOR_CPU" -v runs="$RUNS" -v d="$DIGESTS" \
    -v rb="$RSS_BIG" -v rs="$RSS_SMALL" -v rf="$RSS_FLOOR" -v c="$(cat "$WORK/check")" \
    -v c1="$(cat "$WORK/check-jedna")" -v pz="$(awk '{print $1}' "$WORK/precheck")" \
    -v pc="$(awk '{print $2}' "$WORK/precheck")" 'BEGIN {
    printf "checking 5,000 transfers, 5000 rounds, nothing hashed in advance: %d ms (%.2f ms a transfer, on every core)\n", c, c / 5000
    printf "hashing the same 5,000 pairs in advance, as loading the file does for the register: %d ms\n", pz
    printf "checking 5,000 transfers whose pairs were hashed at load, 5000 rounds: %d ms (target < 1000 ms)\n", pc
    printf "checking 5,000 transfers, one round (the store and the masks only): %d ms\n", c1
    printf "peak memory loading 500,000 digests: %.1f MB, 2,000,000 digests: %.1f MB (floor %.1f MB)\n", rs / 1024, rb / 1024, rf / 1024
    printf "load into the store, %d digests (median of %d): %d ms, processor %d ms\n", d, runs, l, lc
    printf "floor, the same streaming parse keeping nothing (median of %d): %d ms, processor %d ms\n", runs, f, fc
    printf "processor time ratio load/floor: %.2f\n", lc / (fc > 0 ? fc : 1)
    printf "%.2f  (target <= 2)\n", l / (f > 0 ? f : 1)
}'
