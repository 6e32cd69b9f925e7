# SPDX-License-Identifier: MIT
# Sourced inside the X session by the smoke scripts: starts the game, finds its window, plays the menu.
# start_game GAME LOG: runs GAME in the background (with GAME_PRELOAD, if set), output to LOG; sets pid.
# wait_for_window: waits up to 90 s (a loaded machine, a sanitizer build) for the window named
# "Roliquo"; sets wid. fail MESSAGE: stops the game and ends the script with status 1.
# window_pixels SCREENFILE [RRGGBB]: window_pixels.pl on the window's 640 x 480 area.
# start_first_level: from the title, through the menu into the first level, past its countdown.
# quit_through_menu: through the menu's "Quit"; the game must end with exit code 0.
# expect_clean_end WHAT: the game must end within 10 s of WHAT, with exit code 0.
game_window_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

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

window_pixels() {
  local position
  position=$(xdotool getwindowgeometry "$wid" | sed -n 's/^ *Position: *\([0-9]*\),\([0-9]*\).*/\1 \2/p')
  perl "$game_window_lib/window_pixels.pl" "$1" $position "${2:-000000}"
}

# Esc opens the menu on "NeW Game"; Return starts the first level and its 7 s countdown.
start_first_level() {
  xdotool key --window "$wid" Escape
  sleep 0.3
  xdotool key --window "$wid" Return
  sleep 9
  kill -0 "$pid" 2>/dev/null || fail "the game ended during the first level"
}

# Esc, three times Down to "Quit", Return: the table is saved and the program ends.
quit_through_menu() {
  xdotool key --window "$wid" Escape
  sleep 0.3
  for _ in 1 2 3; do xdotool key --window "$wid" Down; sleep 0.2; done
  xdotool key --window "$wid" Return
  expect_clean_end "choosing Quit"
  echo "left through Quit with exit code 0"
}

expect_clean_end() {
  local code
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not end within 10 s of $1"
  wait "$pid"; code=$?
  [ "$code" -eq 0 ] || fail "the game exited with code $code"
}
