#!/usr/bin/env bash
# Checks scripts/server-setup.sh on a real server: the two-user tests
# (scripts/test-server.sh) run against the server it set up, a second run
# changes nothing, the suite's users get in with the module's rights, and the
# nightly backup keeps its copies and restores to a database whose rows equal
# the first. Needs root (or sudo without a password; otherwise it says so and
# is not run) and the test build (scripts/test.sh, or the folder given).
#
# Where the kernel allows it the whole check runs in a sandbox: its own mount,
# process and network namespaces, /etc, /var, /usr/local and /run seen through
# a throw-away overlay and a lock folder of its own, so the machine's
# configuration and servers of other runs are left alone. In a CI container
# without those rights it sets up the container's own server.
# No init system runs there, so the nightly job is checked as installed
# (timer or cron entry) and its command is run by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build-test}" && pwd)
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null && exec sudo -n bash "$0" "$BUILD"
    echo "test-server-setup: not run: needs root (or sudo without a password)" >&2
    exit 0
fi

if [ -z "${PXFER_SETUP_SANDBOX:-}" ]; then
    if unshare -m -n -p -f --mount-proc true 2>/dev/null; then
        exec unshare -m -n -p -f --mount-proc env PXFER_SETUP_SANDBOX=1 bash "$0" "$BUILD"
    fi
    # Outside a throw-away container the machine's own server is not for a test to set up.
    [ -n "${CI:-}" ] || [ -f /.dockerenv ] || {
        echo "test-server-setup: not run: no sandbox possible here and this is not a CI container" >&2
        exit 0
    }
    echo "test-server-setup: no sandbox; setting up this container's own server"
elif [ "$PXFER_SETUP_SANDBOX" = 1 ]; then
    scratch=$(mktemp -d /tmp/pxfer-setup.XXXXXX)
    trap 'cd /; umount -R -l "$scratch" /tmp/firebird 2>/dev/null || true; rmdir "$scratch" 2>/dev/null || true' EXIT
    mount -t tmpfs tmpfs "$scratch"
    for d in /etc /var /usr/local /run; do
        mkdir -p "$scratch/upper$d" "$scratch/work$d"
        mount -t overlay overlay -o "lowerdir=$d,upperdir=$scratch/upper$d,workdir=$scratch/work$d" "$d"
    done
    # A lock folder of its own: server-setup.sh sets its owner as on the machine.
    mkdir -p /tmp/firebird "$scratch/lock"
    mount --bind "$scratch/lock" /tmp/firebird
    ip link set lo up
fi

PASSWORD="setup-test-'pw"
PORT=3050
DB=/var/lib/firebird/3.0/data/pxfer-setup-test.fdb
RESTORED=/var/lib/firebird/3.0/data/pxfer-setup-restored.fdb
BACKUPS=$(mktemp -d /var/tmp/pxfer-backups.XXXXXX)
SETUP=(bash scripts/server-setup.sh --password "$PASSWORD" --port "$PORT" --database "$DB" --demo
       --user kasia:kasia-pw --backup-dir "$BACKUPS" --keep 2 --time 02:30)
fail() { echo "test-server-setup: FAILED: $*" >&2; exit 1; }

export ISC_USER=SYSDBA ISC_PASSWORD=$PASSWORD
sql() { isql-fb -q -b -ch UTF8 "127.0.0.1/$PORT:$1"; }
value() { { echo "set heading off;"; echo "$2"; } | sql "$1" | tr -d '[:space:]'; }

# Every row of every table, blobs as text, ordered by every other column.
dump() {
    local db=$1 table name type cols order i
    for table in $(echo "set heading off; select trim(RDB\$RELATION_NAME) from RDB\$RELATIONS where
            coalesce(RDB\$SYSTEM_FLAG, 0) = 0 and RDB\$VIEW_BLR is null order by 1;" | sql "$db"); do
        cols="" order="" i=0
        while read -r name type; do
            [ -n "$name" ] || continue
            i=$((i + 1))
            if [ "$type" = 261 ]; then
                cols+="${cols:+, }cast($name as varchar(8000))"
            else
                cols+="${cols:+, }$name"
                order+="${order:+, }$i"
            fi
        done < <(echo "set heading off; select trim(r.RDB\$FIELD_NAME), f.RDB\$FIELD_TYPE from RDB\$RELATION_FIELDS r
                join RDB\$FIELDS f on f.RDB\$FIELD_NAME = r.RDB\$FIELD_SOURCE where r.RDB\$RELATION_NAME = '$table'
                order by r.RDB\$FIELD_POSITION;" | sql "$db")
        echo "== $table"
        echo "set list on; select $cols from $table order by $order;" | sql "$db"
    done
}

checksums() {
    local f
    for f in /etc/firebird/3.0/firebird.conf /etc/firebird/3.0/SYSDBA.password /etc/pxfer/backup.conf \
        /usr/local/sbin/pxfer-backup /etc/cron.d/pxfer-backup /etc/systemd/system/pxfer-backup.timer; do
        [ -f "$f" ] && md5sum "$f"
    done
    return 0
}

"${SETUP[@]}"

# The module's two-user cases through this server.
PXFER_TEST_SERVER=127.0.0.1/$PORT bash scripts/test-server.sh "$BUILD"

upgrades=$(ls db/upgrades/[0-9][0-9][0-9]_*.sql | wc -l)
[ "$(value "$DB" "select count(*) from SU_AKTUALIZACJE;")" = "$upgrades" ] || fail "upgrades not recorded"
[ "$(value "$DB" "select count(*) from PR_PRZELEWY;")" -gt 100 ] || fail "no demo data"
[ "$(ISC_USER=KASIA ISC_PASSWORD=kasia-pw value "$DB" "select count(*) from PR_PRZELEWY_ZREALIZOWANE;")" -gt 0 ] ||
    fail "KASIA cannot read the realized transfers"
echo "update ET_BANKI set OPIS = OPIS where ID = 1; commit;" | ISC_USER=ULMO ISC_PASSWORD=wsx741 sql "$DB" >/dev/null ||
    fail "the module's user cannot write"
! echo "select count(*) from PR_PRZELEWY;" | ISC_USER=KASIA ISC_PASSWORD=wrong sql "$DB" >/dev/null 2>&1 ||
    fail "a wrong password got in"
ss -ltn | grep -q "127.0.0.1:$PORT " || fail "not listening on 127.0.0.1:$PORT"
! ss -ltn | grep -qE "(0.0.0.0|\*|\[::\]):$PORT " || fail "listening on every address"

# A second run changes nothing.
before_files=$(checksums)
before_rows=$(dump "$DB")
again=$("${SETUP[@]}")
[ "$(echo "$again" | tail -n 1)" = "server-setup: nothing to change" ] || fail "second run changed: $again"
[ "$before_files" = "$(checksums)" ] || fail "second run rewrote a file"
[ "$before_rows" = "$(dump "$DB")" ] || fail "second run changed the database"

# The nightly job is installed; run by hand, it keeps the newest two copies.
if [ -d /run/systemd/system ]; then
    systemctl -q is-enabled pxfer-backup.timer || fail "backup timer not enabled"
else
    grep -qx "30 2 \* \* \* root /usr/local/sbin/pxfer-backup" /etc/cron.d/pxfer-backup || fail "no cron entry"
fi
for i in 1 2 3; do
    /usr/local/sbin/pxfer-backup
    sleep 1.1
done
copies=$(ls "$BACKUPS"/pxfer-*.fbk | wc -l)
[ "$copies" = 2 ] || fail "$copies backups kept instead of 2"
newest=$(ls "$BACKUPS"/pxfer-*.fbk | sort | tail -n 1)
gbak -c "$newest" "127.0.0.1/$PORT:$RESTORED"
restored_rows=$(dump "$RESTORED")
[ "$before_rows" = "$restored_rows" ] ||
    fail "the restored database differs: $(diff <(echo "$before_rows") <(echo "$restored_rows") | head -n 20)"
echo "DROP DATABASE;" | sql "$RESTORED"

echo "test-server-setup: OK"
