#!/usr/bin/env bash
# Turns this Debian machine into the office's database server for the suite:
# the Firebird 3 server package, its administrator password, the address it
# listens on, the suite database made from the scripts, the suite's database
# users with the rights the module needs, and a nightly gbak backup keeping a
# number of copies (a systemd timer, or cron without systemd). Run as root.
# Running it again with the same options changes nothing.
#
#   scripts/server-setup.sh --password ADMIN_PASSWORD [options]
#     --address ADDR       address to listen on (127.0.0.1; 0.0.0.0 for every one)
#     --port PORT          TCP port (3050)
#     --database PATH      the suite database (/var/lib/firebird/3.0/data/pxfer.fdb)
#     --demo               fill a new database with the demo data
#     --data-folder DIR    the folder of bank files the demo data names ({DANE}; /srv/pxfer/dane)
#     --user NAME:PASSWORD a person's database user with the module's rights (repeatable)
#     --backup-dir DIR     where the nightly backups go (/var/backups/pxfer)
#     --keep N             backups kept (14)
#     --time HH:MM         when the backup runs (02:30)
#     --scripts DIR        the database scripts (db/ next to this script, else /usr/share/pxfer/db)
set -euo pipefail

die() { echo "server-setup: $*" >&2; exit 1; }

PASSWORD="" ADDRESS=127.0.0.1 PORT=3050 DATABASE=/var/lib/firebird/3.0/data/pxfer.fdb DEMO=0
DATA_FOLDER=/srv/pxfer/dane BACKUP_DIR=/var/backups/pxfer KEEP=14 TIME=02:30 SCRIPTS="" USERS=()
while [ $# -gt 0 ]; do
    case "$1" in
    --password) PASSWORD=${2:?}; shift ;;
    --address) ADDRESS=${2:?}; shift ;;
    --port) PORT=${2:?}; shift ;;
    --database) DATABASE=${2:?}; shift ;;
    --demo) DEMO=1 ;;
    --data-folder) DATA_FOLDER=${2:?}; shift ;;
    --user) USERS+=("${2:?}"); shift ;;
    --backup-dir) BACKUP_DIR=${2:?}; shift ;;
    --keep) KEEP=${2:?}; shift ;;
    --time) TIME=${2:?}; shift ;;
    --scripts) SCRIPTS=${2:?}; shift ;;
    *) die "unknown option $1 (see the head of this script)" ;;
    esac
    shift
done

[ "$(id -u)" -eq 0 ] || die "run as root"
[ -n "$PASSWORD" ] || die "--password is required"
[[ "$PORT" =~ ^[0-9]+$ ]] || die "bad port $PORT"
[[ "$KEEP" =~ ^[1-9][0-9]*$ ]] || die "bad number of copies $KEEP"
[[ "$TIME" =~ ^([01][0-9]|2[0-3]):[0-5][0-9]$ ]] || die "bad time $TIME"
[[ "$ADDRESS" =~ ^[0-9A-Za-z.:-]+$ ]] || die "bad address $ADDRESS"
[[ "$DATABASE" =~ ^/[-A-Za-z0-9_./]+$ ]] || die "the database needs an absolute path of plain characters"
[[ "$DATA_FOLDER" =~ ^/[-A-Za-z0-9_./]+$ ]] || die "the data folder needs an absolute path of plain characters"
if [ -z "$SCRIPTS" ]; then
    SCRIPTS="$(cd "$(dirname "$0")" && pwd)/../db"
    [ -f "$SCRIPTS/schema.sql" ] || SCRIPTS=/usr/share/pxfer/db
fi
[ -f "$SCRIPTS/schema.sql" ] || die "no database scripts in $SCRIPTS"

# The module opens its own connection as this user with this password.
MODULE_USER=ULMO
MODULE_PASSWORD=wsx741
ETC=/etc/firebird/3.0
CONF=$ETC/firebird.conf
SECURITY=/var/lib/firebird/3.0/system/security3.fdb
CONFIG=/etc/pxfer/backup.conf
BACKUP_CMD=/usr/local/sbin/pxfer-backup
# The server is reached where it listens; "every address" is reached on loopback.
HOST=$ADDRESS
[ "$HOST" = 0.0.0.0 ] && HOST=127.0.0.1
SERVER="$HOST/$PORT"

CHANGES=()
note() { CHANGES+=("$1"); echo "server-setup: $1"; }
sql_text() { printf "'%s'" "${1//\'/\'\'}"; }
sh_text() { printf "'%s'" "${1//\'/\'\\\'\'}"; }
have_systemd() { [ -d /run/systemd/system ]; }

# ---------------------------------------------------------------- packages

install_packages() {
    local missing=() p
    for p in firebird3.0-server firebird3.0-utils "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    # The package would start a server on every address before it is set up.
    local policy=/usr/sbin/policy-rc.d own=""
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' > "$policy" && chmod +x "$policy" && own=1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
        { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; } ||
        { [ -n "$own" ] && rm -f "$policy"; die "cannot install ${missing[*]}"; }
    [ -n "$own" ] && rm -f "$policy"
    note "installed ${missing[*]}"
}

# ---------------------------------------------------------------- server

RESTART=0

# One uncommented "KEY = VALUE" line in firebird.conf.
set_conf() {
    local key=$1 value=$2
    local lines
    lines=$(grep -E "^[[:space:]]*$key[[:space:]]*=" "$CONF" || true)
    [ "$(printf '%s' "$lines" | sed -E 's/^[^=]*=[[:space:]]*//; s/[[:space:]]*$//')" = "$value" ] && return
    sed -i -E "/^[[:space:]]*$key[[:space:]]*=/d" "$CONF"
    printf '%s = %s\n' "$key" "$value" >> "$CONF"
    note "firebird.conf: $key = $value"
    RESTART=1
}

listening() { (exec 3<>"/dev/tcp/$HOST/$PORT") 2>/dev/null; }

server() {
    if have_systemd; then
        systemctl "$1" firebird3.0
    else
        /etc/init.d/firebird3.0 "$1" >/dev/null
    fi
}

wait_for_server() {
    local i
    for i in $(seq 1 100); do
        listening && return
        sleep 0.2
    done
    die "the server does not answer on $SERVER"
}

# Logs in through the service manager: true when the user and password are right.
can_log_in() {
    ISC_USER=$1 ISC_PASSWORD=$2 fbsvcmgr "$SERVER:service_mgr" info_server_version >/dev/null 2>&1
}

set_admin_password() {
    listening && can_log_in SYSDBA "$PASSWORD" && return
    # The old password is unknown: set it in the security database with the server stopped.
    listening && server stop
    isql-fb -q -user SYSDBA "$SECURITY" >/dev/null <<EOF
create or alter user SYSDBA password $(sql_text "$PASSWORD") using plugin Srp;
commit;
EOF
    chown firebird:firebird "$SECURITY"
    umask 077
    printf '# Password for the Firebird SYSDBA user, set by server-setup.sh\nISC_USER=SYSDBA\nISC_PASSWORD=%s\n' \
        "$(sh_text "$PASSWORD")" > "$ETC/SYSDBA.password"
    note "administrator password set"
}

start_server() {
    # The engine's lock folder as the package's tmpfiles rule makes it at boot
    # (without systemd, or when an embedded engine made it first, it may differ).
    if [ "$(stat -c %U:%a /tmp/firebird 2>/dev/null)" != firebird:770 ]; then
        mkdir -p /tmp/firebird
        chown firebird:firebird /tmp/firebird
        chmod 0770 /tmp/firebird
        note "lock folder /tmp/firebird"
    fi
    if have_systemd && ! systemctl -q is-enabled firebird3.0 2>/dev/null; then
        systemctl -q enable firebird3.0
        note "server enabled at boot"
    fi
    if listening && [ "$RESTART" = 1 ]; then
        server restart
        note "server restarted"
    elif ! listening; then
        server start
        note "server started"
    fi
    wait_for_server
}

admin() { ISC_USER=SYSDBA ISC_PASSWORD=$PASSWORD isql-fb -q -b -ch UTF8 "$@"; }

# ---------------------------------------------------------------- database

create_database() {
    [ -f "$DATABASE" ] && return
    mkdir -p "$(dirname "$DATABASE")"
    chown firebird:firebird "$(dirname "$DATABASE")"
    local work
    work=$(mktemp -d)
    local f number
    {
        echo "SET SQL DIALECT 3;"
        echo "CREATE DATABASE '$SERVER:$DATABASE' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1250;"
        for f in schema procedures grants; do echo "INPUT '$SCRIPTS/$f.sql';"; done
        # Today's scripts hold every layout change: recorded as applied.
        for f in "$SCRIPTS"/upgrades/[0-9][0-9][0-9]_*.sql; do
            [ -e "$f" ] || continue
            f=$(basename "$f" .sql)
            number=$((10#${f%%_*}))
            echo "INSERT INTO SU_AKTUALIZACJE (NUMER, NAZWA) VALUES ($number, '$f');"
        done
        echo "COMMIT;"
        if [ "$DEMO" = 1 ]; then
            sed "s|{DANE}|$DATA_FOLDER|g" "$SCRIPTS/demo.sql" > "$work/demo.sql"
            echo "INPUT '$work/demo.sql';"
        fi
    } > "$work/create.sql"
    if ! admin -i "$work/create.sql" > "$work/log" 2>&1; then
        cat "$work/log" >&2
        echo "CONNECT '$SERVER:$DATABASE'; DROP DATABASE;" | admin >/dev/null 2>&1 || true
        rm -rf "$work"
        die "the database could not be made; nothing of it is kept"
    fi
    rm -rf "$work"
    note "database $DATABASE made$([ "$DEMO" = 1 ] && echo " with the demo data")"
}

# A database user who logs in with the given password.
ensure_user() {
    local name=$1 password=$2
    can_log_in "$name" "$password" && return
    echo "create or alter user $name password $(sql_text "$password") using plugin Srp; commit;" |
        admin "$SERVER:$DATABASE" >/dev/null
    note "database user $name"
}

# A person's user gets what the module's user has.
ensure_rights() {
    local name=$1
    local held
    held=$(echo "set heading off; select count(*) from RDB\$USER_PRIVILEGES where RDB\$USER = '$name' and
        RDB\$RELATION_NAME = 'PR_PRZELEWY';" | admin "$SERVER:$DATABASE" | tr -d '[:space:]')
    [ "$held" != 0 ] && return
    { sed -n "s/ TO $MODULE_USER;\$/ TO $name;/p" "$SCRIPTS/grants.sql"; echo "COMMIT;"; } |
        admin "$SERVER:$DATABASE" >/dev/null
    note "rights of $name"
}

# ---------------------------------------------------------------- backup

# Writes the file when its content differs; says so.
put_file() {
    local path=$1 mode=$2 content=$3
    if [ -f "$path" ] && [ "$(cat "$path")" = "$content" ] && [ "$(stat -c %a "$path")" = "$mode" ]; then
        return 1
    fi
    mkdir -p "$(dirname "$path")"
    (umask 077 && printf '%s\n' "$content" > "$path")
    chmod "$mode" "$path"
    note "wrote $path"
}

install_backup() {
    put_file "$CONFIG" 600 "# Read by $BACKUP_CMD; written by server-setup.sh.
PXFER_DB=$SERVER:$DATABASE
PXFER_BACKUP_DIR=$BACKUP_DIR
PXFER_KEEP=$KEEP
ISC_USER=SYSDBA
ISC_PASSWORD=$(sh_text "$PASSWORD")" || true
    put_file "$BACKUP_CMD" 755 '#!/bin/sh
# Backs the suite database up with gbak and keeps the newest copies
# (settings in /etc/pxfer/backup.conf; written by server-setup.sh).
set -eu
. /etc/pxfer/backup.conf
export ISC_USER ISC_PASSWORD
mkdir -p "$PXFER_BACKUP_DIR"
chmod 700 "$PXFER_BACKUP_DIR"
file="$PXFER_BACKUP_DIR/pxfer-$(date +%Y%m%d-%H%M%S).fbk"
# A copy is complete or absent: a broken run leaves only its .part file.
gbak -b -g "$PXFER_DB" "$file.part"
mv "$file.part" "$file"
ls -1 "$PXFER_BACKUP_DIR"/pxfer-*.fbk | sort | head -n -"$PXFER_KEEP" | while read -r old; do rm -f "$old"; done' || true
    local hour=${TIME%%:*} minute=${TIME##*:}
    if have_systemd; then
        local changed=0
        put_file /etc/systemd/system/pxfer-backup.service 644 "[Unit]
Description=Backup of the suite database
After=firebird3.0.service

[Service]
Type=oneshot
ExecStart=$BACKUP_CMD" && changed=1
        put_file /etc/systemd/system/pxfer-backup.timer 644 "[Unit]
Description=Nightly backup of the suite database

[Timer]
OnCalendar=*-*-* $hour:$minute:00
Persistent=true

[Install]
WantedBy=timers.target" && changed=1
        [ "$changed" = 1 ] && systemctl daemon-reload
        if ! systemctl -q is-enabled pxfer-backup.timer 2>/dev/null || ! systemctl -q is-active pxfer-backup.timer; then
            systemctl -q enable --now pxfer-backup.timer
            note "backup timer enabled"
        fi
    else
        install_packages cron
        put_file /etc/cron.d/pxfer-backup 644 "# Nightly backup of the suite database (server-setup.sh)
$((10#$minute)) $((10#$hour)) * * * root $BACKUP_CMD" || true
        if ! pidof cron >/dev/null; then
            # Without an init system (a container) nothing may start it; the file is in place anyway.
            /etc/init.d/cron start >/dev/null 2>&1 && note "cron started" || echo "server-setup: cron is not running"
        fi
    fi
}

# ---------------------------------------------------------------- main

install_packages
set_conf RemoteBindAddress "$ADDRESS"
set_conf RemoteServicePort "$PORT"
set_admin_password
start_server
create_database
ensure_user "$MODULE_USER" "$MODULE_PASSWORD"
for entry in "${USERS[@]}"; do
    name=${entry%%:*}
    name=${name^^}
    [[ "$name" =~ ^[A-Z][A-Z0-9_]{0,30}$ && "$entry" == *:?* ]] || die "bad user $entry (NAME:PASSWORD)"
    ensure_user "$name" "${entry#*:}"
    ensure_rights "$name"
done
install_backup

if [ ${#CHANGES[@]} -eq 0 ]; then
    echo "server-setup: nothing to change"
else
    echo "server-setup: ${#CHANGES[@]} change(s); the server listens on $ADDRESS:$PORT"
fi
