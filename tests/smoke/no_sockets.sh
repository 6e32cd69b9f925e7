#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the real game under Xvfb and strace with no world-records server set: from its start through the
# title, the menu, a level begun and the menu's Quit, it must open no internet socket (AF_INET,
# AF_INET6) and so make no name lookup either. Its connection to the X server shows the trace works.
# Usage: bash no_sockets.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=${2:-}
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share"
trap 'rm -rf "$work"' EXIT
command -v strace >/dev/null || { echo "FAIL: strace is not installed"; exit 1; }

# The game under strace; a sanitizer build's preloads go to the game, not to strace, and its leak
# check, which cannot run under a tracer, is left to the other tests.
cat > "$work/traced.sh" <<TRACED
#!/usr/bin/env bash
exec strace -f -qq -e trace=socket,connect -o "$work/trace" -E LD_PRELOAD="\${TRACED_PRELOAD:-}" \
  -E ASAN_OPTIONS="detect_leaks=0\${ASAN_OPTIONS:+:\$ASAN_OPTIONS}" "$game"
TRACED
chmod +x "$work/traced.sh"

cat > "$work/inside.sh" <<'INSIDE'
set -u
traced=$1; log=$2; trace=$3
. "$SMOKE_LIB/game_window.sh"
GAME_PRELOAD="" start_game "$traced" "$log"
wait_for_window
start_first_level
quit_through_menu
grep -q 'AF_UNIX' "$trace" || fail "the trace shows no socket at all: strace did not follow the game"
if grep -E 'AF_INET6?\b' "$trace"; then
  fail "the game opened an internet socket with no server set"
fi
echo "no internet socket: $(grep -c 'socket(' "$trace") sockets, all local"
INSIDE

if [ -n "$data" ] && [ -d "$data" ]; then cd "$data"; else cd "$work"; fi
export SDL_AUDIODRIVER=dummy
. "$here/lib/x_session.sh"
prepare_game "$game"
export TRACED_PRELOAD="${GAME_PRELOAD:-}"
run_in_x_session "$work/game.log" "-screen 0 1024x768x24" "$work/inside.sh" "$work/traced.sh" "$work/game.log" "$work/trace"
