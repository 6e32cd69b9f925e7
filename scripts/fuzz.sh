#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds every libFuzzer target (clang-14, address and undefined sanitizers) and runs each for N seconds
# over its committed seeds: fuzz.sh [seconds] (default 20). Fails when any target finds a crash; the
# input is then kept under <build>/artifacts/<name>/ and belongs in fuzz/corpus/<name>/ once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
dir="${ROLIQUO_FUZZ_BUILD:-build/fuzz}"

cmake --preset fuzz -B "$dir" >/dev/null

names=()
for source in fuzz/*.cpp; do
  names+=("$(basename "$source" .cpp)")
done
targets=()
for name in "${names[@]}"; do
  targets+=("fuzz_$name")
done
ninja -C "$dir" "${targets[@]}"

status=0
for name in "${names[@]}"; do
  work="$dir/corpus/$name"      # new inputs go here, never into the committed seeds
  artifacts="$dir/artifacts/$name"
  mkdir -p "$work" "$artifacts"
  seeds=()
  if [ -d "fuzz/corpus/$name" ]; then
    seeds+=("fuzz/corpus/$name")
  fi
  log="$dir/fuzz_$name.log"
  echo "fuzz_$name: ${seconds}s"
  if ! ROLIQUO_FUZZ_SEED_DIR="$work" "$dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
      -artifact_prefix="$artifacts/" "$work" "${seeds[@]}" >"$log" 2>&1; then
    echo "fuzz_$name FAILED; last lines of $log:"
    tail -n 40 "$log"
    status=1
  else
    grep -E '^(#[0-9]+|Done)' "$log" | tail -n 1 || true
  fi
done
exit "$status"
