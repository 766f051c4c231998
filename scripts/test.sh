#!/usr/bin/env bash
# Builds the project and runs every test, including the database tests against a throw-away
# PostgreSQL server on loopback. Exits non-zero when a test fails or when no test ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVREN_BUILD_DIR:-$root/build}
export LANG=C.UTF-8
export QT_QPA_PLATFORM=offscreen
export FONTCONFIG_FILE="$root/data/fonts.conf"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

pgdir=$(mktemp -d /tmp/tovren-pg.XXXXXX)
pgport=${TOVREN_TEST_PG_PORT:-55433}
stop_postgres() {
  if [ -f "$pgdir/data/postmaster.pid" ]; then
    if [ "$(id -u)" -eq 0 ]; then
      runuser -u postgres -- "$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)/pg_ctl" \
        -D "$pgdir/data" -m immediate stop >/dev/null 2>&1 || true
    else
      "$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)/pg_ctl" -D "$pgdir/data" \
        -m immediate stop >/dev/null 2>&1 || true
    fi
  fi
  rm -rf "$pgdir"
}
trap stop_postgres EXIT
if url=$(bash "$root/scripts/start-test-postgres.sh" "$pgdir" "$pgport" 2>/dev/null); then
  export TOVREN_TEST_PG="$url"
  echo "PostgreSQL tests run against $url"
else
  echo "Could not start a PostgreSQL server; its tests will be skipped" >&2
fi

# A short fuzzing pass over the expression and script compilers and the template reader
# (clang's libFuzzer).
if command -v clang++ >/dev/null 2>&1; then
  FUZZ_SECONDS=${FUZZ_SECONDS:-10} sh "$root/scripts/fuzz-smoke.sh"
else
  echo "clang++ not found: fuzzing pass skipped" >&2
fi

# The test summary comes last, so it is the closing line of the run.
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 300
