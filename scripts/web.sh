#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser version into build/web/ (page, leaderboard.js, roliquo.js, roliquo.wasm,
# roliquo.data) and serves it on http://127.0.0.1:8000/. The data pack comes from the desktop generator
# (build/web-pack), with the MIDI piece rendered to Ogg Vorbis by FluidSynth and the desktop's sound font.
# Usage: web.sh [--build-only]
set -euo pipefail
cd "$(dirname "$0")/.."

# Installs what the desktop build needs, then the browser build's own packages.
bash scripts/setup.sh
mapfile -t web_packages < <(grep -v '^#' scripts/web_packages.txt)
missing=()
for p in "${web_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The pack, made by the desktop generator, with every shipped level's par (verified by the desktop
# level tool); no game, no tests.
cmake -S . -B build/web-pack -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLIQUO_TESTS=OFF -DROLIQUO_BENCH=OFF \
  -DROLIQUO_WERROR=ON >/dev/null
cmake --build build/web-pack --target datapack parpack
pack=build/web-pack/data
font=/usr/share/sounds/sf2/TimGM6mb.sf2
if [ ! -s "$pack/mi_movie.ogg" ] || [ "$pack/mi_movie.mid" -nt "$pack/mi_movie.ogg" ]; then
  fluidsynth -q -n -i -F build/web-pack/music.wav -r 44100 "$font" "$pack/mi_movie.mid" >/dev/null
  oggenc -Q -q 3 -o "$pack/mi_movie.ogg" build/web-pack/music.wav
  rm -f build/web-pack/music.wav
fi

# Debian's emscripten finds its JavaScript tools through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build/web-obj -G Ninja -DCMAKE_BUILD_TYPE=Release -DROLIQUO_WERROR=ON \
  -DROLIQUO_WEB_PACK="$(pwd)/$pack" >/dev/null
cmake --build build/web-obj
mkdir -p build/web
cp web/index.html web/leaderboard.js build/web-obj/roliquo.js build/web-obj/roliquo.wasm build/web-obj/roliquo.data build/web/
total=$(cat build/web/* | wc -c)
echo "First visit transfers $(awk -v b="$total" 'BEGIN { printf "%.2f", b / 1048576 }') MiB ($total bytes) from build/web/ (at most 8 MiB)"
if [ "$total" -gt $((8 * 1024 * 1024)) ]; then
  echo "web.sh: the first visit would transfer more than 8 MiB" >&2
  exit 1
fi

if [ "${1:-}" != "--build-only" ]; then
  echo "Serving on http://127.0.0.1:8000/ (Ctrl+C ends it)"
  cd build/web && exec python3 -m http.server 8000 --bind 127.0.0.1
fi
