#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark: time from starting a program to its first non-black frame under Xvfb, for the
# game and for a bare SDL window with a GL context, taking turns, and the ratio of their medians
# (with the CPU seconds each had used by its first frame, which waiting for a busy machine leaves out).
# The bare window also runs drawing one 640 x 480 picture instead of clearing, to show what a first
# frame that draws anything costs with the GL at hand.
# Usage: bash bench/startup_bench.sh [BUILD_DIR (build/release)] [RUNS (9)]
# The game runs in BUILD_DIR/data, as a player starts it, with the environment it is given.
set -euo pipefail

build=$(realpath "${1:-build/release}")
runs=${2:-9}
for program in roliquo bench/bench_bare_window bench/bench_first_frame; do
  [ -x "$build/$program" ] || { echo "missing $build/$program: build it first" >&2; exit 1; }
done
[ -f "$build/data/maplist.dat" ] || { echo "missing the data pack in $build/data" >&2; exit 1; }

inside=$(mktemp)
trap 'rm -f "$inside"' EXIT
cat > "$inside" <<'INSIDE'
set -euo pipefail
build=$1; runs=$2
measure() { "$build/bench/bench_first_frame" 30 "$@"; }
bare=(); game=(); drawn=(); bareCpu=(); gameCpu=()
cd "$build/data"
measure "$build/bench/bench_bare_window" > /dev/null # the first start of all warms the caches
for i in $(seq "$runs"); do
  read -r wall cpu _ < <(measure "$build/bench/bench_bare_window"); bare+=("$wall"); bareCpu+=("$cpu")
  read -r wall cpu _ < <(measure "$build/roliquo"); game+=("$wall"); gameCpu+=("$cpu")
  read -r wall cpu _ < <(measure "$build/bench/bench_bare_window" --picture); drawn+=("$wall")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
b=$(median "${bare[@]}"); g=$(median "${game[@]}"); d=$(median "${drawn[@]}")
bc=$(median "${bareCpu[@]}"); gc=$(median "${gameCpu[@]}")
echo "bare window: ${bare[*]}"
echo "game:        ${game[*]}"
echo "bare window drawing a picture: ${drawn[*]}"
echo "startup bare-window median $b s (CPU $bc s)"
echo "startup game median $g s (CPU $gc s)"
echo "startup bare-window-with-picture median $d s"
awk -v g="$gc" -v b="$bc" 'BEGIN { printf "  CPU seconds to the first frame, game / bare window: %.3f\n", g / b }'
awk -v d="$d" -v b="$b" 'BEGIN { printf "  bare window drawing a picture / bare window: %.3f\n", d / b }'
awk -v g="$g" -v d="$d" 'BEGIN { printf "  game / bare window drawing a picture: %.3f\n", g / d }'
awk -v g="$g" -v b="$b" 'BEGIN { printf "ratio startup %.3f\n", g / b }'
INSIDE
xvfb-run -a -s "-screen 0 800x600x24 -br" bash "$inside" "$build" "$runs"
