#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, the sanitizer build
# (address, undefined), a short run of every fuzz target, and the Debian package installed and played.
# Warnings are errors throughout. Each build has its own folder (CMakePresets.json).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
root=$(pwd)
# Mesa and LLVM keep a few allocations until exit; only those are suppressed, never our own.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build =="
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release -j"$jobs"

echo "== sanitizer build (address, undefined) =="
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j"$jobs"

echo "== fuzzing =="
bash scripts/fuzz.sh "${ROLIQUO_FUZZ_SECONDS:-20}"

echo "== Debian package =="
bash scripts/package.sh
bash tests/smoke/package/installed_game.sh build/package/roliquo_*.deb
