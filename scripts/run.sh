#!/usr/bin/env bash
# Builds and starts the program; without HALCYON_DATABASE it keeps its books in a SQLite file
# in the user's data folder.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
exec "${HALCYON_BUILD_DIR:-$here/build}/halcyon-ledger" "$@"
