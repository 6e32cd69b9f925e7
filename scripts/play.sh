#!/usr/bin/env bash
# Installs what is missing, builds the game and its data pack, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release -DROLIQUO_WERROR=OFF
if [ ! -f build/release/data/maplist.dat ]; then
  echo "The data pack was not generated (build/release/data/maplist.dat is missing)." >&2
  exit 1
fi
# The game reads every file by bare name from its working directory: the data pack.
cd build/release/data
exec ../roliquo
