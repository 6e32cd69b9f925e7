#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the real game under a private Xvfb and strace with no world-records server set: from its start
# through the title, the menu and a level begun, it must open no internet socket (AF_INET, AF_INET6)
# and so make no name lookup either. Its connection to the X server shows the trace works.
# Usage: bash no_sockets.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
data=${2:-}
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" SDL_AUDIODRIVER=dummy
server=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  [ -n "$server" ] && kill -9 "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  cat "$work/trace" 2>/dev/null | tail -n 40 || true
  exit 1
}
command -v strace >/dev/null || fail "strace is not installed"
if [ -n "$data" ] && [ -d "$data" ]; then cd "$data"; else cd "$work"; fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

strace -f -qq -e trace=socket,connect -o "$work/trace" "$game" > "$work/game.log" 2>&1 &
pid=$!
wid=""
for _ in $(seq 300); do
  wid=$(xdotool search --name '^Roliquo$' 2>/dev/null | head -n 1) || true
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
  sleep 0.1
done
[ -n "$wid" ] || fail "no window named Roliquo appeared within 30 s"
sleep 1
xdotool key --window "$wid" Escape Return
sleep 2
# The game itself is ended (strace follows it out); a signal to strace would only detach it.
pkill -TERM -P "$pid" || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the game did not end on SIGTERM"
wait "$pid" 2>/dev/null || true
pid=""

grep -q 'AF_UNIX' "$work/trace" || fail "the trace shows no socket at all: strace did not follow the game"
if grep -E 'AF_INET6?\b' "$work/trace"; then
  fail "the game opened an internet socket with no server set"
fi
echo "no internet socket: $(grep -c 'socket(' "$work/trace") sockets, all local"
