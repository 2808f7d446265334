#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it: lintian finds
# no error; its files lie under /usr only, with the pieces the program needs;
# it depends on the runtime packages; unpacked into a temporary root, the
# program starts offscreen with a temporary home, finds its glyph pack, makes
# the demo database there and saves a screenshot.
#
#   scripts/test-package.sh [BUILD_DIR]   (build-package by default)
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "test-package: FAILED: $*" >&2; exit 1; }

deb=$(bash scripts/package.sh "${1:-build-package}")
echo "test-package: $deb"
# A short home: the demo data's bank folders under ~/.local/share/pxfer/dane
# must fit their 60-character columns.
WORK=$(mktemp -d /tmp/pxp.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

lintian --fail-on error "$deb" > "$WORK/lintian" 2>&1 ||
    fail "lintian: $(cat "$WORK/lintian")"
grep -q '^E:' "$WORK/lintian" && fail "lintian: $(grep '^E:' "$WORK/lintian")"

dpkg-deb -c "$deb" | awk '{print $6}' > "$WORK/files"
outside=$(grep -vE '^\./(usr/|$)' "$WORK/files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for f in usr/bin/pxhost usr/share/pxfer/btnkit.rcc usr/share/pxfer/db/schema.sql usr/share/pxfer/db/demo.sql \
    usr/share/pxfer/db/upgrades/001_ledger_line_index.sql usr/share/pxfer/server-setup.sh \
    usr/share/applications/pxhost.desktop usr/share/icons/hicolor/scalable/apps/pxhost.svg \
    usr/share/man/pl/man1/pxhost.1.gz usr/share/doc/pxfer/copyright usr/share/doc/pxfer/pomoc/Przelewy.html; do
    grep -qx "\./$f" "$WORK/files" || fail "missing $f"
done
[ -z "$(dpkg-deb -I "$deb" | grep -E '^ (preinst|postinst|prerm|postrm) ')" ] ||
    fail "maintainer scripts would run at install"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libfbclient2 firebird3.0-server-core libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $p"[\ ,]* ]] || fail "no dependency on $p: $depends"
done

dpkg-deb -x "$deb" "$WORK/root"
mkdir -p "$WORK/h"
env -i PATH=/usr/bin:/bin HOME="$WORK/h" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
    timeout -k 10 180 "$WORK/root/usr/bin/pxhost" --screenshot "$WORK/shot.png" > "$WORK/run.log" 2>&1 ||
    fail "the program did not start or did not finish (a message box waits offscreen): $(cat "$WORK/run.log")"
grep -q btnkit "$WORK/run.log" && fail "the glyph pack was not found: $(cat "$WORK/run.log")"
[ -s "$WORK/h/.local/share/pxfer/demo.fdb" ] || fail "no demo database in the temporary home"
[ "$(head -c 8 "$WORK/shot.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no screenshot"
[ "$(stat -c %s "$WORK/shot.png")" -gt 20000 ] || fail "the screenshot is nearly empty"
echo "test-package: OK"
