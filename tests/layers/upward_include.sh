#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The layering check must fail on an include that points up: a copy of the layer table and the check
# over a tree whose simulation includes the app. Usage: upward_include.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/sim" "$tree/src/app" "$tree/cmake"
cp "$source_dir/cmake/layers.cmake" "$source_dir/cmake/check_layers.cmake" "$tree/cmake/"
printf '#pragma once\n' > "$tree/src/app/run_state.h"
printf '#include "app/run_state.h"\n' > "$tree/src/sim/marble.cpp"
if output=$(cmake -DROOT="$tree" -P "$tree/cmake/check_layers.cmake" 2>&1); then
  echo "the check passed a simulation file that includes the app" >&2
  exit 1
fi
grep -q "src/sim/marble.cpp: includes app/run_state.h" <<<"$output" || { echo "$output" >&2; exit 1; }
echo "the upward include was caught"
