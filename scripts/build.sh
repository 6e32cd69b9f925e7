#!/usr/bin/env bash
# Configures and builds one build folder: build.sh <folder> [extra cmake arguments...].
# The game, the tools, the tests and the data pack all land in that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
ninja -C "$dir"
