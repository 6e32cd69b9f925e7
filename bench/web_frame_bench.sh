#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Browser frame benchmark, fair: Debian's Chromium on a private Xvfb with ANGLE over the system's OpenGL,
# so WebGL draws on Mesa's llvmpipe like the native build (the renderer string printed says so), against
# the native headless playing frame measured in the same run (the same ES 2 drawing layer,
# bench_frame_bench_gles2, fog on at 640x480, by the wall clock). The page plays level 1 with Up held.
# A pass is timed from the start of the game's loop pass until a pixel read back after it, so it is the
# frame's own cost: time spent waiting for the display between passes is not in it. The page is opened
# with "?unthrottled", so the game's loop runs on a zero timer rather than the display's frames, with
# vsync and the frame-rate limit off besides: the passes per second printed above 60 show that nothing
# caps the figure at the display's rate.
# Prints the renderer, the median and 95th-percentile pass, `ratio web/native <figure>`, and the
# SwiftShader figure on a line of its own for reference. Usage: web_frame_bench.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8}

bash scripts/web.sh --build-only
cmake --preset release >/dev/null
cmake --build --preset release --target bench_frame_bench_gles2
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)

native=$(build/release/bench/bench_frame_bench_gles2 | awk '$1 == "rate" && $2 == "es2-fog-on-640x480" { print $3 }')
[ -n "$native" ] || { echo "web_frame_bench: the native benchmark printed no rate" >&2; exit 1; }

python3 -m http.server 8003 --bind 127.0.0.1 --directory build/web >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:8003/')" 2>/dev/null && break
  sleep 0.1
done
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $server $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display node bench/web_frame_bench.js http://127.0.0.1:8003/ "$native" "$seconds" gl
node bench/web_frame_bench.js http://127.0.0.1:8003/ "$native" "$seconds" swiftshader
