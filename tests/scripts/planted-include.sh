#!/usr/bin/env bash
# The floors check on a copy of src/ with one include planted that runs up a floor, and one across two
# form folders: each must be caught.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
for planted in 'data/Recordset.h:widgets/DataGrid.h' 'people/CustomerForm.cpp:shell/MainFrame.h'; do
  copy=$(mktemp -d)
  cp -r "$here/src/." "$copy"
  file="${planted%%:*}"; include="${planted#*:}"
  printf '#include "%s"\n' "$include" >> "$copy/$file"
  if "$here/scripts/check-floors.sh" "$copy" >/dev/null; then
    echo "not caught: $file including $include"; rm -rf "$copy"; exit 1
  fi
  rm -rf "$copy"
done
echo "both planted includes caught"
