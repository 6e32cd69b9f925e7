#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lists the source files of a checkout that do not start with the licence line: C++ files, shell,
# Perl and CMake files, and every other script with a shebang (the line then comes right after it).
# Exits 1 when one is found. With --add, writes the line into each instead (scripts/add_spdx.sh).
# Usage: spdx_check.sh [--add] ROOT
set -euo pipefail

add=no
if [ "${1:-}" = "--add" ]; then
  add=yes
  shift
fi
root=$(cd "$1" && pwd -P)
cd "$root"

# Tracked and new files of a git checkout, else every file outside the build folders.
list_files() {
  if command -v git >/dev/null && [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . -type d \( -name .git -o -name build -o -name 'build-*' -o -name 'obj-*' \
      -o -path ./debian/roliquo -o -path ./debian/.debhelper -o -path ./debian/tmp \) -prune \
      -o -type f -printf '%P\0'
  fi
}

has_shebang() {
  [ "$(head -c 2 "$1" | tr -d '\0')" = '#!' ]
}

is_source() {
  case "$1" in
    *.cpp | *.h | *.sh | *.pl | *.cmake | CMakeLists.txt | */CMakeLists.txt) return 0 ;;
  esac
  has_shebang "$1"
}

licence_line() {
  case "$1" in
    *.cpp | *.h) echo "// SPDX-License-Identifier: MIT" ;;
    *) echo "# SPDX-License-Identifier: MIT" ;;
  esac
}

checked=0
missing=0
refused=0
while IFS= read -r -d '' file; do
  # A tracked file deleted in the working tree, or a link to another file, is not checked itself.
  [ -f "$file" ] && [ ! -L "$file" ] && is_source "$file" || continue
  checked=$((checked + 1))
  line=$(licence_line "$file")
  at=1
  if has_shebang "$file"; then
    at=2
  fi
  [ "$(sed -n "${at}{p;q}" "$file")" = "$line" ] && continue
  missing=$((missing + 1))
  if [ "$add" = no ]; then
    echo "$file"
  elif grep -q 'SPDX-License-Identifier:' "$file"; then
    echo "$file: has a licence line, but not as line $at: left for a person to put right"
    refused=$((refused + 1))
  elif [ ! -s "$file" ]; then
    echo "$line" >"$file"
    echo "added: $file"
  elif [ "$at" -eq 1 ]; then
    sed -i "1i $line" "$file"
    echo "added: $file"
  else
    sed -i "1a $line" "$file"
    echo "added: $file"
  fi
done < <(list_files)

if [ "$add" = yes ]; then
  echo "$((missing - refused)) of $checked source files got the licence line"
  [ "$refused" -eq 0 ]
elif [ "$missing" -gt 0 ]; then
  echo "$missing of $checked source files do not start with the licence line" \
    "(SPDX-License-Identifier: MIT; bash scripts/add_spdx.sh writes it)" >&2
  exit 1
else
  echo "all $checked source files start with the licence line"
fi
