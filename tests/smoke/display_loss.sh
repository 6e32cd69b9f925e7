#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the real game under a private Xvfb and takes the display away (the server ended politely, then
# killed outright): the game must end at once (about 0.1 s on a quiet machine; the test allows 5 s for
# a loaded one) with its message on standard error and exit code 0.
# Then SIGHUP, SIGINT and SIGTERM, each sent to a fresh game, must end it the same clean way.
# Usage: bash display_loss.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=${2:-}
work=$(mktemp -d)
# The game keeps its window and ghost settings here, never in the user's own configuration.
export XDG_CONFIG_HOME="$work/config"
server=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  [ -n "$server" ] && kill -9 "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The game reads its data by bare name from the working directory.
if [ -n "$data" ] && [ -d "$data" ]; then cd "$data"; else cd "$work"; fi

export SDL_AUDIODRIVER=dummy
. "$here/lib/sanitizer_env.sh"
preload=$(sanitizer_preload "$game")
export LSAN_OPTIONS="suppressions=$here/../lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

fail() {
  echo "FAIL: $*"
  echo "--- the game's output:"
  cat "$work/game.log" 2>/dev/null || true
  exit 1
}

# Starts a private X server (its number chosen by the server itself) and the game on it; sets
# server, pid and wid.
start_both() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
  LD_PRELOAD="$preload" "$game" > "$work/game.log" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 300); do
    wid=$(xdotool search --name '^Roliquo$' 2>/dev/null | head -n 1) || true
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
    sleep 0.1
  done
  [ -n "$wid" ] || fail "no window named Roliquo appeared within 30 s"
  sleep 1 # a few frames drawn
}

# Waits up to 5 s for the game to end; prints how long it took in tenths of a second.
expect_end_within_5s() {
  local what=$1 tenths=0 code=0
  while kill -0 "$pid" 2>/dev/null; do
    [ "$tenths" -ge 50 ] && fail "the game still runs 5 s after $what"
    sleep 0.1
    tenths=$((tenths + 1))
  done
  wait "$pid" || code=$?
  pid=""
  [ "$code" -eq 0 ] || fail "after $what the game exited with code $code"
  echo "$what: ended within $((tenths * 100)) ms, exit code 0"
}

for signal in TERM KILL; do
  start_both
  kill "-$signal" "$server"
  expect_end_within_5s "the X server got SIG$signal"
  wait "$server" 2>/dev/null || true
  server=""
  grep -q "connection to the display was lost" "$work/game.log" || fail "no message about the lost display"
done

for signal in HUP INT TERM; do
  start_both
  kill "-$signal" "$pid"
  expect_end_within_5s "SIG$signal"
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null || true
  server=""
done
echo "PASS"
