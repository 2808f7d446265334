#!/usr/bin/env bash
# Preparing a 10,000-row report (about 200 pages) and exporting it to PDF,
# against a floor that draws the same texts at the same places through a bare
# QPdfWriter loop. Usage: bench/report-pdf.sh <build dir> [runs]
# Prints both medians, the prepared pages' memory against one rendered image a
# page, and the time ratio last.
set -euo pipefail

BUILD=${1:?usage: report-pdf.sh <build dir> [runs]}
RUNS=${2:-5}
source "$(dirname "$0")/common.sh"
BIN=$(bench_program "$BUILD" bench_report_pdf)

runs() { for ((i = 0; i < RUNS; i++)); do "$BIN" "$1" "$WORK/$1.pdf" 2>/dev/null; done | median; }

"$BIN" floor "$WORK/warm.pdf" > /dev/null 2>&1
ENGINE_MS=$(runs engine)
FLOOR_MS=$(runs floor)
read -r PAGES STORE IMAGES < <("$BIN" memory 2>/dev/null)

awk -v e="$ENGINE_MS" -v f="$FLOOR_MS" -v p="$PAGES" -v s="$STORE" -v im="$IMAGES" -v runs="$RUNS" 'BEGIN {
    printf "pages:                              %d\n", p
    printf "engine: prepare + PDF (median of %d): %d ms\n", runs, e
    printf "floor: bare QPdfWriter (median of %d): %d ms\n", runs, f
    printf "prepared pages: %.1f KB a page (a rendered page image: %.0f KB)\n", s / p / 1024, im / p / 1024
    printf "%.2f  (target <= 2.0)\n", e / f
}'
