#!/usr/bin/env bash
# Fails when the build found a CMake package that a fresh machine would not have: every Debian package
# owning a package configuration the configure step found (the *_DIR entries of the CMake cache that point
# into the system) must be named in the set-up script or be among what the named ones depend on.
# Usage: check-setup.sh BUILD_DIR [SETUP_SCRIPT]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache="${1:?usage: check-setup.sh BUILD_DIR [SETUP_SCRIPT]}/CMakeCache.txt"
setup="${2:-$here/scripts/setup.sh}"

named=$(sed -n '/^packages=(/,/^)/p' "$setup" | sed 's/#.*//' | tr -s ' \t' '\n' | grep -E '^[a-z0-9][a-z0-9.+-]+$' || true)
[[ -n "$named" ]] || { echo "check-setup: no package list in $setup"; exit 1; }

# What installing the named packages without recommends brings along.
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances $named 2>/dev/null | grep -v '^ ' | sed 's/:.*//' | sort -u)
[[ -n "$closure" ]] || { echo "check-setup: apt-cache knows none of the named packages"; exit 1; }

missing=()
while IFS= read -r dir; do
  config=$(ls "$dir"/*Config.cmake "$dir"/*-config.cmake 2>/dev/null | head -n 1 || true)
  [[ -n "$config" ]] || continue
  owner=$(dpkg -S "$config" 2>/dev/null | head -n 1 | cut -d: -f1 || true)
  [[ -n "$owner" ]] || continue
  grep -qx "$owner" <<<"$closure" || missing+=("$owner")
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/usr/' "$cache" | cut -d= -f2 | sort -u)

if ((${#missing[@]})); then
  echo "scripts/setup.sh does not name (nor pull in) these packages, which the build uses:"
  printf '  %s\n' $(printf '%s\n' "${missing[@]}" | sort -u)
  exit 1
fi
echo "check-setup: every package the build found is installed by scripts/setup.sh"
