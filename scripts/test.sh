#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the sanitizer build
# (address, undefined) and a short run of every fuzz target. Warnings are errors throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
root=$(pwd)
# Mesa and LLVM keep a few allocations until exit; only those are suppressed, never our own.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build =="
bash scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLIQUO_WERROR=ON
ctest --test-dir build/release --output-on-failure -j"$jobs"

echo "== sanitizer build (address, undefined) =="
bash scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Debug -DROLIQUO_WERROR=ON -DROLIQUO_SANITIZE=ON \
  -DROLIQUO_BENCH=OFF
ctest --test-dir build/asan --output-on-failure -j"$jobs" --timeout 900

echo "== fuzzing =="
bash scripts/fuzz.sh "${ROLIQUO_FUZZ_SECONDS:-20}"
