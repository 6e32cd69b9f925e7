#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Memory benchmark: the peak resident memory (VmHWM) of the game settled on its title, against a bare
# SDL window with a GL context, each started under Xvfb and held HOLD seconds after its first frame,
# taking turns; prints every figure, the medians in MiB and `ratio memory <game / bare window>`.
# Usage: bash bench/memory_bench.sh [BUILD_DIR (build/release)] [RUNS (5)] [HOLD (3)]
# The game runs in BUILD_DIR/data, as a player starts it, with the environment it is given.
set -euo pipefail

build=$(realpath "${1:-build/release}")
runs=${2:-5}
hold=${3:-3}
for program in roliquo bench/bench_bare_window bench/bench_first_frame; do
  [ -x "$build/$program" ] || { echo "missing $build/$program: build it first" >&2; exit 1; }
done
[ -f "$build/data/maplist.dat" ] || { echo "missing the data pack in $build/data" >&2; exit 1; }

inside=$(mktemp)
home=$(mktemp -d)
trap 'rm -rf "$inside" "$home"' EXIT
cat > "$inside" <<'INSIDE'
set -euo pipefail
build=$1; runs=$2; hold=$3
peak() { "$build/bench/bench_first_frame" --hold "$hold" 30 "$@" | awk '{ print $3 }'; }
bare=(); game=()
cd "$build/data"
for i in $(seq "$runs"); do
  bare+=("$(peak "$build/bench/bench_bare_window")")
  game+=("$(peak "$build/roliquo")")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
b=$(median "${bare[@]}"); g=$(median "${game[@]}")
echo "bare window peak KiB: ${bare[*]}"
echo "game on the title peak KiB: ${game[*]}"
awk -v b="$b" -v g="$g" 'BEGIN { printf "memory bare-window median %.1f MiB\nmemory game median %.1f MiB\n", b / 1024, g / 1024 }'
awk -v g="$g" -v b="$b" 'BEGIN { printf "ratio memory %.3f\n", g / b }'
INSIDE
# A home of its own, so the player's settings and records neither change the figure nor change.
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
  xvfb-run -a -s "-screen 0 800x600x24 -br" bash "$inside" "$build" "$runs" "$hold"
