#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The layering check must catch every include form that points up or at a denied header, and pass a tree
# that includes only what it may, in every form. Usage: upward_include.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A fresh tree holding the table, the check and a few headers of the rooms.
new_tree() {
  tree=$work/$1
  mkdir -p "$tree/cmake" "$tree/src/sim" "$tree/src/level" "$tree/src/replay" "$tree/src/app" \
    "$tree/src/platform/gl11" "$tree/tools/level"
  cp "$source_dir/cmake/layers.cmake" "$source_dir/cmake/check_layers.cmake" "$tree/cmake/"
  for header in sim/marble.h level/board.h replay/replay_file.h app/run_state.h platform/platform.h \
    platform/draw.h platform/gl11/gl11_state.h; do
    printf '#pragma once\n' > "$tree/src/$header"
  done
}

check() { cmake -DROOT="$tree" -P "$tree/cmake/check_layers.cmake" 2>&1; }

# expect_caught NAME FILE MESSAGE LINE: FILE holding LINE must fail the check, naming MESSAGE.
expect_caught() {
  new_tree "$1"
  mkdir -p "$(dirname "$tree/$2")"
  printf '%s\n' "$4" > "$tree/$2"
  local output
  if output=$(check); then
    echo "FAIL  $1: the check passed $2 with: $4"
    failures=$((failures + 1))
  elif ! tr -s ' \n' '  ' <<<"$output" | grep -qF "$2: $3"; then
    echo "FAIL  $1: the check failed without \"$2: $3\":"
    echo "$output"
    failures=$((failures + 1))
  else
    echo "ok    $1 caught: $4"
  fi
}

echo "-- includes above the layer"
above="includes app/run_state.h, above its layer"
expect_caught quoted src/sim/marble.cpp "$above" '#include "app/run_state.h"'
expect_caught angle src/sim/marble.cpp "$above" '#include <app/run_state.h>'
expect_caught space_after_hash src/sim/marble.cpp "$above" '#  include "app/run_state.h"'
expect_caught space_before_hash src/sim/marble.cpp "$above" '  #include "app/run_state.h"'
expect_caught relative src/sim/marble.cpp "$above" '#include "../app/run_state.h"'
expect_caught deeper_relative src/sim/marble.cpp "$above" '#include "../../src/app/./run_state.h"'
expect_caught tool_relative tools/level/main.cpp "$above" '#include "../../src/app/run_state.h"'

echo "-- denied headers"
expect_caught tool_draws tools/level/main.cpp "includes platform/draw.h, denied to its layer" \
  '#include "platform/draw.h"'
expect_caught tool_gl11 tools/level/main.cpp "includes platform/gl11/gl11_state.h, denied to its layer" \
  '#include <platform/gl11/gl11_state.h>'

echo "-- a folder with no row"
expect_caught no_row src/extra/extra.cpp "src/extra is not in ROLIQUO_ROOMS" '#include <vector>'

echo "-- a clean tree"
new_tree clean
printf '#pragma once\n' > "$tree/tools/level/route.h"
cat > "$tree/src/sim/marble.cpp" <<'EOF'
#include "marble.h"
#  include <sim/marble.h>
  #include "../level/board.h"
#include <vector>
#include <SDL.h>
#include <GL/gl.h>
EOF
cat > "$tree/src/level/map_loader.cpp" <<'EOF'
#include "board.h"
#include "../../src/sim/marble.h"
#include <platform/platform.h>
EOF
cat > "$tree/src/app/main_loop.cpp" <<'EOF'
#include "run_state.h"
#include "../replay/replay_file.h"
#include <platform/draw.h>
EOF
cat > "$tree/tools/level/main.cpp" <<'EOF'
#include "route.h"
#include "replay/replay_file.h"
#include "../../src/level/board.h"
#include <platform/platform.h>
#include <cstdio>
EOF
if output=$(check); then
  echo "ok    the clean tree passed"
else
  echo "FAIL  the clean tree failed:"
  echo "$output"
  failures=$((failures + 1))
fi

if ((failures > 0)); then
  echo "$failures case(s) failed" >&2
  exit 1
fi
echo "every planted include was caught"
