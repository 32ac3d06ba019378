#!/usr/bin/env bash
# Configures and builds into build/ (or $HALCYON_BUILD_DIR): the targets named on the command line, or
# every target (the program, its tools, every test and benchmark) when none is named.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HALCYON_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "${HALCYON_JOBS:-$(nproc)}" ${1:+--target "$@"}
