#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# from the seed corpus in fuzz/korpus. Fails on any crash, hang, leak or
# sanitizer report. Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
BUILD=build-fuzz

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DPXFER_FUZZ=ON -DPXFER_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzz_wyciag fuzz_wiersz_importu fuzz_plik_plaski

run() {
    local target=$1 seeds=$2
    # New inputs go to a scratch folder so the seed corpus in the repository stays as written.
    local work
    work=$(mktemp -d)
    trap 'rm -rf "$work"' RETURN
    echo "fuzzing $target for ${SECONDS_EACH}s"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$BUILD/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$BUILD/$target-" -print_final_stats=1 "$work" "$seeds" 2>"$work/log" || {
        tail -n 60 "$work/log"
        echo "FAILED: $target (the input is in $BUILD/$target-*)"
        return 1
    }
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$work/log" || true
}

run fuzz_wyciag fuzz/korpus/wyciag
run fuzz_wiersz_importu fuzz/korpus/wiersz-importu
run fuzz_plik_plaski fuzz/korpus/plik-plaski
