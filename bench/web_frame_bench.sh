#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Browser frame benchmark: the playing frame's rate in Debian's Chromium (the browser build, WebGL through
# SwiftShader; each frame timed until drawn, so the display's 60 Hz does not cap it) as a ratio to the
# native headless playing frame (the same ES 2 drawing layer on Mesa, bench_frame_bench_gles2, fog on at
# 640x480, by the wall clock) on this machine.
# Prints both rates and `ratio web/native <figure>`. Usage: web_frame_bench.sh [seconds]
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
node bench/web_frame_bench.js http://127.0.0.1:8003/ "$native" "$seconds"
