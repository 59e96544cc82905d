#!/usr/bin/env bash
# Starts and stops a PostgreSQL cluster of the tests' own: initdb into a temporary folder as an
# unprivileged user (the postgres system user when run as root), listening on a free port of
# 127.0.0.1, with a database "tarvena_test" that has PostGIS. The state file tells the tests where.
#   pgcluster.sh start STATE   pgcluster.sh stop STATE
set -euo pipefail
action=$1
state=$2

find_bindir() {
    if command -v pg_ctl >/dev/null && command -v initdb >/dev/null; then
        dirname "$(readlink -f "$(command -v pg_ctl)")"
        return
    fi
    local dir
    for dir in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
        if [ -x "$dir/initdb" ] && [ -x "$dir/pg_ctl" ]; then
            echo "$dir"
            return
        fi
    done
}

as_owner() {
    if [ "$(id -u)" = 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

if [ "$action" = stop ]; then
    [ -f "$state" ] || exit 0
    dir=$(sed -n 's/^dir=//p' "$state")
    bindir=$(sed -n 's/^bindir=//p' "$state")
    if [ -n "$dir" ] && [ -d "$dir/data" ]; then
        as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    [ -n "$dir" ] && rm -rf "$dir"
    rm -f "$state"
    exit 0
fi

rm -f "$state"
bindir=$(find_bindir)
if [ -z "$bindir" ]; then
    echo "skip=PostgreSQL server programs (initdb, pg_ctl) are not installed: scripts/setup.sh installs them" >"$state"
    echo "PostgreSQL is not installed; the database tests will be skipped"
    exit 0
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/tarvena-pg.XXXXXX")
chmod 755 "$dir"
if [ "$(id -u)" = 0 ]; then
    chown postgres "$dir"
fi
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# Written first, so that a start that fails half way is still cleaned up by stop.
printf 'dir=%s\nbindir=%s\nport=%s\n' "$dir" "$bindir" "$port" >"$state"
as_owner "$bindir/initdb" -D "$dir/data" -U tarvena_admin --auth=trust -E UTF8 --no-locale --no-sync >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log"; exit 1; }
as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-c listen_addresses=127.0.0.1 -p $port -c unix_socket_directories=$dir -c fsync=off" start >/dev/null ||
    { cat "$dir/server.log"; exit 1; }
psql=("$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U tarvena_admin)
"${psql[@]}" -d postgres -c "CREATE DATABASE tarvena_test ENCODING 'UTF8' TEMPLATE template0"
"${psql[@]}" -d tarvena_test -c "CREATE EXTENSION postgis"
echo "PostgreSQL $("$bindir/postgres" --version | awk '{print $3}') with PostGIS on 127.0.0.1:$port ($dir)"
