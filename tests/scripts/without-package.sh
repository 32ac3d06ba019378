#!/usr/bin/env bash
# The set-up check on a copy of the set-up script that leaves out one package the build uses: it must fail
# and name that package.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
copy=$(mktemp); trap 'rm -f "$copy"' EXIT
sed 's/ libqt6opengl6-dev / /' "$here/scripts/setup.sh" > "$copy"
! grep -q libqt6opengl6-dev "$copy" || { echo "the copy still names the package"; exit 1; }
output=$("$here/scripts/check-setup.sh" "$1" "$copy") && { echo "passed a list without libqt6opengl6-dev"; exit 1; }
grep -q libqt6opengl6-dev <<<"$output" || { echo "failed without naming the package: $output"; exit 1; }
echo "refused, naming libqt6opengl6-dev"
