#!/usr/bin/env bash
# A private Firebird 3 server for tests: the Debian server package, run on
# 127.0.0.1 on a free port with its own configuration, security database,
# lock and temporary folders under one state folder. A server of the system
# (port 3050, /etc/firebird, /tmp/firebird) is neither used nor disturbed.
#
#   scripts/fb-server.sh install          install the server package only
#   scripts/fb-server.sh run COMMAND...   start, run COMMAND with the server in
#                                         its environment, stop (always)
#   scripts/fb-server.sh start STATE_DIR  start and leave it running
#   scripts/fb-server.sh stop STATE_DIR   stop the one started there
#
# COMMAND (and whoever sources STATE_DIR/env) sees
#   PXFER_TEST_SERVER=127.0.0.1/PORT   prefix of database names on the server
#   ISC_USER=SYSDBA ISC_PASSWORD=...   the server's administrator
# The module's own database user (ULMO) exists on the server too.
set -euo pipefail

FB_LIB=/usr/lib/x86_64-linux-gnu/firebird/3.0
FB_SERVER=/usr/sbin/firebird
PASSWORD=pxfer-test
MODULE_USER=ULMO
MODULE_PASSWORD=wsx741

die() { echo "fb-server: $*" >&2; exit 1; }

install_server() {
    [ -x "$FB_SERVER" ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    # The package would start the system's server; only ours is wanted.
    local policy=/usr/sbin/policy-rc.d own_policy=""
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
        $sudo chmod +x "$policy"
        own_policy=1
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends firebird3.0-server \
        >/dev/null || { [ -n "$own_policy" ] && $sudo rm -f "$policy"; die "cannot install firebird3.0-server"; }
    [ -n "$own_policy" ] && $sudo rm -f "$policy"
    return 0
}

free_port() {
    local port
    for port in $(seq 3061 3160); do
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            echo "$port"
            return
        fi
    done
    die "no free port in 3061-3160"
}

# Runs isql embedded on a file of the state folder, with the state's own configuration.
state_isql() {
    local state=$1 file=$2
    FIREBIRD="$state/root" FIREBIRD_LOCK="$state/lock" FIREBIRD_TMP="$state/tmp" \
        isql-fb -q -user SYSDBA "$file"
}

prepare_state() {
    local state=$1 port=$2
    mkdir -p "$state/root" "$state/lock" "$state/tmp"
    local f
    for f in "$FB_LIB"/*; do
        case "$(basename "$f")" in firebird.conf|databases.conf|intl) ;; *) ln -sfn "$f" "$state/root/" ;; esac
    done
    # The character sets' module must lie under the root itself: the engine
    # takes a module found through a link to another folder for another module.
    mkdir -p "$state/root/intl"
    cp "$FB_LIB"/intl/libfbintl.so "$state/root/intl/"
    cat > "$state/root/firebird.conf" <<EOF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
ServerMode = Super
SecurityDatabase = $state/security3.fdb
AuthServer = Srp
UserManager = Srp
EOF
    echo "security.db = $state/security3.fdb" > "$state/root/databases.conf"
    cp /var/lib/firebird/3.0/system/security3.fdb "$state/security3.fdb"
    chmod 600 "$state/security3.fdb"
    state_isql "$state" "$state/security3.fdb" >/dev/null <<EOF
create or alter user SYSDBA password '$PASSWORD' using plugin Srp;
create or alter user $MODULE_USER password '$MODULE_PASSWORD' using plugin Srp;
commit;
EOF
}

start() {
    local state=$1
    install_server
    local port
    port=$(free_port)
    prepare_state "$state" "$port"
    FIREBIRD="$state/root" FIREBIRD_LOCK="$state/lock" FIREBIRD_TMP="$state/tmp" \
        setsid "$FB_SERVER" > "$state/server.log" 2>&1 < /dev/null &
    echo $! > "$state/pid"
    local i
    for i in $(seq 1 50); do
        if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            printf 'export PXFER_TEST_SERVER=127.0.0.1/%s ISC_USER=SYSDBA ISC_PASSWORD=%s\n' "$port" "$PASSWORD" \
                > "$state/env"
            echo "fb-server: listening on 127.0.0.1:$port (state in $state)"
            return
        fi
        kill -0 "$(cat "$state/pid")" 2>/dev/null || break
        sleep 0.2
    done
    cat "$state/server.log" >&2
    stop "$state"
    die "the server did not start"
}

stop() {
    local state=$1
    [ -f "$state/pid" ] || return 0
    local pid
    pid=$(cat "$state/pid")
    if kill "$pid" 2>/dev/null; then
        local i
        for i in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.2
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$state/pid" "$state/env"
}

case "${1:-}" in
run)
    shift
    [ $# -gt 0 ] || die "run: no command"
    STATE=$(mktemp -d /tmp/pxfer-fbserver.XXXXXX)
    trap 'stop "$STATE"; rm -rf "$STATE"' EXIT
    start "$STATE"
    # shellcheck disable=SC1091
    source "$STATE/env"
    "$@"
    ;;
install) install_server ;;
start) [ -n "${2:-}" ] || die "start: no state folder"; mkdir -p "$2"; start "$(cd "$2" && pwd)" ;;
stop) [ -n "${2:-}" ] || die "stop: no state folder"; stop "$(cd "$2" && pwd)" ;;
*) die "usage: $0 install | run COMMAND... | start STATE_DIR | stop STATE_DIR" ;;
esac
