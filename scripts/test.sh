#!/usr/bin/env bash
# Builds and runs every test: SQLite ones directly, and the server ones against a throw-away
# PostgreSQL cluster that pg_virtualenv starts and drops again. The whole suite then runs a second time,
# built with AddressSanitizer and UndefinedBehaviorSanitizer (Debug, in build-asan): the first report of
# either ends the test that met it, so any report fails the run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HALCYON_BUILD_DIR:-$here/build}"
sanitized="${HALCYON_SANITIZE_BUILD_DIR:-$here/build-asan}"
jobs="${HALCYON_JOBS:-$(nproc)}"
export HALCYON_JOBS="$jobs"
"$here/scripts/setup.sh"
# Before anything is built: a fresh machine would have every package the configure step finds, and every
# include points down a floor.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
"$here/scripts/check-setup.sh" "$build"
"$here/scripts/check-floors.sh"
"$here/scripts/build.sh"
cmake -S "$here" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHALCYON_SANITIZE=ON >/dev/null
cmake --build "$sanitized" -j "$jobs"

# Every report, a leak included, fails the test that met it.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# pg_virtualenv sets PGHOST, PGPORT, PGUSER and PGPASSWORD; the URI takes the rest from them.
exec pg_virtualenv sh -c '
  export HALCYON_TEST_PG=postgresql:///postgres QT_QPA_PLATFORM=offscreen
  cd "$1" && ctest --output-on-failure -j "$3" && cd "$2" && ctest --output-on-failure -j "$3"
' sh "$build" "$sanitized" "$jobs"
