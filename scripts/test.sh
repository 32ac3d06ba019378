#!/usr/bin/env bash
# Builds and runs every test: SQLite ones directly, and the server ones against a throw-away
# PostgreSQL cluster that pg_virtualenv starts and drops again.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HALCYON_BUILD_DIR:-$here/build}"
"$here/scripts/setup.sh"
# Before anything is built: a fresh machine would have every package the configure step finds, and every
# include points down a floor.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
"$here/scripts/check-setup.sh" "$build"
"$here/scripts/check-floors.sh"
"$here/scripts/build.sh"
cd "$build"
# pg_virtualenv sets PGHOST, PGPORT, PGUSER and PGPASSWORD; the URI takes the rest from them.
exec pg_virtualenv sh -c 'HALCYON_TEST_PG=postgresql:///postgres QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"'
