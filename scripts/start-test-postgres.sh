#!/usr/bin/env bash
# Starts a throw-away PostgreSQL server on loopback for the database tests and prints the
# connection string to use as TOVREN_TEST_PG. Usage: start-test-postgres.sh DIR [PORT]
# Stop it with: pg_ctl -D DIR/data stop (run as the owner printed on stderr).
set -euo pipefail
dir=${1:?folder for the server}
port=${2:-55432}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bindir/initdb" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

# The server refuses to run as root; use the packaged account when we are root.
owner=$(id -un)
run() { "$@"; }
if [ "$(id -u)" -eq 0 ]; then
  owner=postgres
  id postgres >/dev/null 2>&1 || useradd --system --no-create-home postgres
  run() { runuser -u postgres -- "$@"; }
fi
mkdir -p "$dir"
chown "$owner" "$dir"
if [ ! -f "$dir/data/PG_VERSION" ]; then
  run "$bindir/initdb" -D "$dir/data" -U tovren --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
fi
run "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
  -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
echo "server owner: $owner; stop with: pg_ctl -D $dir/data stop" >&2
echo "postgresql://tovren@127.0.0.1:$port/postgres"
