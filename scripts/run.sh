#!/usr/bin/env bash
# Builds and starts the program; without HALCYON_DATABASE it keeps its books in a SQLite file
# in the user's data folder. Only the program and its two tools are built: the tests and benchmarks
# are scripts/test.sh's.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh" halcyon-ledger halcyon-sample halcyon-dayrows
exec "${HALCYON_BUILD_DIR:-$here/build}/halcyon-ledger" "$@"
