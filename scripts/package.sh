#!/usr/bin/env bash
# Builds the Debian package of the program: a release build of the host with
# the module (no tests, no sanitizers), installed under /usr by CPack's Debian
# generator with the glyph pack, help pages, database scripts, the server
# setup script, the menu entry, its icon and the manual. Prints the package's
# path. Runtime dependencies are read from the program's libraries
# (dpkg-shlibdeps) plus what it loads at run time (packaging/Package.cmake).
#
#   scripts/package.sh [BUILD_DIR]       (build-package by default)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-package}

# The flags of the developers' release builds, so ccache serves their objects.
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPXFER_SANITIZE=OFF -DPXFER_TESTS=OFF \
    -DPXFER_PACKAGE=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target pxhost package_files >/dev/null
rm -rf "$BUILD/deb"
(cd "$BUILD" && cpack -G DEB >/dev/null)
ls "$BUILD"/deb/pxfer_*.deb
