#!/usr/bin/env bash
# Installs what is missing, builds, and starts the host on the embedded demo
# database (created on first start under ~/.local/share/pxfer).
# Extra arguments go to the host, e.g.  scripts/run.sh --db server:/data/suite.fdb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPXFER_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target pxhost

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  # No screen here: serve the windows over VNC on this machine only.
  export QT_QPA_PLATFORM="vnc:size=1366x800:addr=127.0.0.1:port=${PXFER_VNC_PORT:-5900}"
  echo "Brak ekranu: okna programu są dostępne przez VNC na 127.0.0.1:${PXFER_VNC_PORT:-5900}"
  echo "(np. ssh -L 5900:127.0.0.1:5900 ta-maszyna, potem przeglądarka VNC na localhost:5900)"
fi
exec ./build/src/pxhost "$@"
