#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every test: the normal build, the leaderboard server
# against a throw-away PostgreSQL cluster with its benchmark, the sanitizer build (address, undefined), a short run of every fuzz target, the Debian package installed and played, the
# simulation built with clang against the golden traces, and the browser build run in headless Chromium
# (with a keyboard and pad, on an emulated phone by touch, and its world-records panel against the
# leaderboard).
# Warnings are errors throughout. Each build has its own folder (CMakePresets.json).
# A developer may run one stage: --only release|server|asan|fuzz|package|clang|web. CI runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."

only=""
if [ "${1:-}" = "--only" ]; then
  only=${2:-}
  case "$only" in
    release | server | asan | fuzz | package | clang | web) ;;
    *) echo "usage: $0 [--only release|server|asan|fuzz|package|clang|web]" >&2; exit 2 ;;
  esac
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--only release|server|asan|fuzz|package|clang|web]" >&2
  exit 2
fi
# Whether the named stage runs.
stage() { [ -z "$only" ] || [ "$only" = "$1" ]; }

bash scripts/setup.sh

jobs=$(nproc)
root=$(pwd)
# Mesa and LLVM keep a few allocations until exit; only those are suppressed, never our own.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if stage release; then
  echo "== normal build =="
  cmake --preset release >/dev/null
  cmake --build --preset release
  ctest --preset release -j"$jobs" -LE server
fi

if stage server; then
  # The leaderboard against a throw-away PostgreSQL cluster (-t: its own port, so clusters never collide).
  echo "== leaderboard server on PostgreSQL =="
  cmake --preset release >/dev/null
  cmake --build --preset release
  pg_virtualenv -t ctest --preset release -j"$jobs" -L server
  pg_virtualenv -t build/release/bench/bench_server_bench
fi

if stage asan; then
  echo "== sanitizer build (address, undefined) =="
  cmake --preset asan >/dev/null
  cmake --build --preset asan
  # The server's tests too, each against a database of a throw-away cluster.
  pg_virtualenv -t ctest --preset asan -j"$jobs"
fi

if stage clang; then
  # The simulation alone and the level tool, built with clang: the same bits as gcc's build.
  echo "== simulation built with clang =="
  cmake --preset clang >/dev/null
  cmake --build --preset clang
  build/clang/tests/test_sim --gtest_brief=1
  bash tests/levels/golden_traces.sh build/clang/roliquo-level
fi

if stage web; then
  echo "== browser build in headless Chromium =="
  bash scripts/web.sh --build-only
  # The golden traces on WebAssembly under Node (web.sh builds roliquo-trace): the native tool's bits.
  bash tests/levels/golden_traces.sh node build/web-obj/roliquo-trace.js
  # A second build over a pack of one flat level and the golden scenes' title picture, for the title's
  # golden image and a whole game played in the page; the desktop level tool verifies its replay.
  one=build/web-one
  rm -rf "$one/pack" && mkdir -p "$one/site"
  cp -r build/web-pack/data "$one/pack"
  rm -f "$one/pack"/*.map
  cp tests/web/one_level/* "$one/pack/"
  python3 tests/web/golden_title.py "$one/pack/title.bmp"
  touch "$one/pack/.stamp"
  NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B "$one" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DROLIQUO_WERROR=ON -DROLIQUO_WEB_PACK="$root/$one/pack" >/dev/null
  NODE_PATH=/usr/share/nodejs cmake --build "$one"
  cp web/index.html web/leaderboard.js "$one"/roliquo.js "$one"/roliquo.wasm "$one"/roliquo.data "$one/site/"
  cmake --preset release >/dev/null
  cmake --build --preset release --target roliquo-level roliquo-server
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
  python3 -m http.server 8001 --bind 127.0.0.1 --directory build/web >/dev/null 2>&1 &
  server=$!
  python3 -m http.server 8002 --bind 127.0.0.1 --directory "$one/site" >/dev/null 2>&1 &
  server_one=$!
  trap 'kill $server $server_one 2>/dev/null || true' EXIT
  for port in 8001 8002; do
    for _ in $(seq 50); do
      python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
      sleep 0.1
    done
  done
  node tests/web/web_test.js http://127.0.0.1:8001/ build/web-pack/data http://127.0.0.1:8002/ "$root/$one/pack" \
    "$root/build/release/roliquo-level" "$root/tests/golden/title.png"
  # The same two builds on an emulated phone: taps, the stick, tilt and the letters, to a replay that verifies.
  node tests/web/touch_test.js http://127.0.0.1:8001/ http://127.0.0.1:8002/ "$root/$one/pack" \
    "$root/build/release/roliquo-level"
  kill $server $server_one 2>/dev/null || true
  trap - EXIT
  # The world-records panel, on both builds served by a real leaderboard over a throw-away cluster.
  pg_virtualenv -t node tests/web/board_test.js "$root/build/release/roliquo-server" "$root/build/web-pack/data" \
    "$root/build/web" "$root/$one/pack" "$root/$one/site" "$root/build/release/roliquo-level"
fi

if stage fuzz; then
  echo "== fuzzing =="
  bash scripts/fuzz.sh "${ROLIQUO_FUZZ_SECONDS:-20}"
fi

if stage package; then
  echo "== Debian package =="
  bash scripts/package.sh
  bash tests/smoke/package/installed_game.sh build/package/roliquo_*.deb
fi
