#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds only the game and its data pack (Release, in build/play), and starts
# it there. The test command's build folders are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset play >/dev/null
cmake --build --preset play
if [ ! -f build/play/data/maplist.dat ]; then
  echo "The data pack was not generated (build/play/data/maplist.dat is missing)." >&2
  exit 1
fi
# Started in a folder that holds maplist.dat, the game plays that folder: the fresh data pack.
cd build/play/data
exec ../roliquo "$@"
