#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: packages already present are left alone.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ccache clang-format
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils firebird3.0-common
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libqt6opengl6-dev libgl-dev
  qt6-qpa-plugins qt6-translations-l10n libgtest-dev libssl-dev
  clang
  fonts-dejavu-core fonts-dejavu-extra poppler-utils
  cron iproute2 lintian
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The server for the two-user tests, installed without starting the system's.
install_server() { bash "$(dirname "$0")/fb-server.sh" install; }

if [ ${#missing[@]} -eq 0 ]; then
  install_server
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
install_server
