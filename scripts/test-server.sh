#!/usr/bin/env bash
# The two-user cases (tests named *TwoUsers*) again, with every test database
# reached through a real Firebird 3 server on 127.0.0.1 instead of the
# embedded engine: started for this run and stopped afterwards, or the one
# named by PXFER_TEST_SERVER (host/port, administrator in ISC_USER and
# ISC_PASSWORD) when that is set.
# Needs the test build of scripts/test.sh (or the folder given).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-test}

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:detect_odr_violation=0 UBSAN_OPTIONS=print_stacktrace=1
export PXFER_TEST_BUILD="$BUILD"
tests='
    set -e
    for t in test_data test_frame test_register test_issuing; do
        "$PXFER_TEST_BUILD/tests/$t" --gtest_filter="*TwoUsers*" --gtest_brief=1
    done'
if [ -n "${PXFER_TEST_SERVER:-}" ]; then
    bash -c "$tests"
else
    bash scripts/fb-server.sh run bash -c "$tests"
fi
