#!/usr/bin/env bash
# Installs what is missing, builds the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test headless, runs the two-user
# tests again against a private Firebird server and against a server set up
# by scripts/server-setup.sh, builds and checks the Debian package, then
# fuzzes the file readers for a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DPXFER_SANITIZE=ON -DPXFER_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
bash scripts/test-server.sh build-test
bash scripts/test-server-setup.sh build-test
bash scripts/test-package.sh
bash scripts/fuzz.sh 60
