# Sourced inside the X session by the smoke scripts: starts the game and finds its window.
# start_game GAME LOG: runs GAME in the background (with GAME_PRELOAD, if set), output to LOG; sets pid.
# wait_for_window: waits up to 90 s (a loaded machine, a sanitizer build) for the window named "Roliquo"; sets wid. fail MESSAGE: stops the
# game and ends the script with status 1.
start_game() {
  LD_PRELOAD="${GAME_PRELOAD:-}" "$1" > "$2" 2>&1 &
  pid=$!
}

fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit 1
}

wait_for_window() {
  wid=""
  for _ in $(seq 900); do
    wid=$(xdotool search --name '^Roliquo$' 2>/dev/null | head -n 1) || true
    [ -n "$wid" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
    sleep 0.1
  done
  fail "no window named Roliquo appeared within 90 s"
}
