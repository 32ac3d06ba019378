#!/usr/bin/env bash
# Fails when a folder of src/ includes from a floor above its own, or a form folder from another form
# folder. Usage: check-floors.sh [SRC_DIR]   (prints each offending include line)
set -euo pipefail
src="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src}"

# The floors, bottom up; folders on one floor never include each other.
declare -A floor=(
  [data]=1 [core]=2 [widgets]=3 [records]=4 [sheets]=4
  [shell]=5 [people]=5 [stock]=5 [orders]=5 [payroll]=5 [accounts]=5
  [app]=6
)

bad=0
while IFS= read -r line; do
  file="${line%%:*}"
  from="${file#"$src"/}"; from="${from%%/*}"
  to=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"${line#*:}")
  [[ -n "${floor[$from]:-}" ]] || { echo "unknown floor: $from ($file)"; bad=1; continue; }
  [[ -n "${floor[$to]:-}" ]] || { echo "unknown floor: $to in $line"; bad=1; continue; }
  if [[ "$from" != "$to" ]] && (( floor[$to] >= floor[$from] )); then
    echo "up or across a floor: $from -> $to: ${line#"$src"/}"
    bad=1
  fi
done < <(grep -rHE '^\s*#\s*include "[^/"]+/' "$src" || true)

exit $bad
