#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the real game under Xvfb (with a window manager, which fullscreen needs): its first size on
# 1920 x 1080 and 2560 x 1440 screens; resized to 16:9, the title picture fills the centred 4:3 area
# between black bars; F11 and Alt+Enter switch fullscreen on and off, and Alt+Enter does not reach the
# open menu as Enter; the next run opens at the size, and fullscreen, the player left. Screens are read from Xvfb's screen file (an XWD dump).
# Usage: bash window_sizes.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
data=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
# The game keeps its window and ghost settings here, never in the user's own configuration.
export XDG_CONFIG_HOME="$work/config"
trap 'rm -rf "$work"' EXIT

[ -f "$data/title.bmp" ] || { echo "FAIL: the data pack in $data lacks title.bmp"; exit 1; }
command -v openbox >/dev/null || { echo "FAIL: openbox is not installed (scripts/setup.sh installs it)"; exit 1; }

# Checks a window's client area in the XWD screen dump against title.bmp: the centred 4:3 area shows
# the picture (95 % of a grid of samples within 32 of it per channel, a smooth scale blurs its edges)
# and everything beside it is black.
cat > "$work/check_screen.py" <<'PY'
import struct, sys
xwd_path, bmp_path, x0, y0, w, h = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:7])
xwd = open(xwd_path, 'rb').read()
hdr = struct.unpack('>25I', xwd[:100])
header_size, width, height, byte_order, bpp, bytes_per_line, ncolours = hdr[0], hdr[4], hdr[5], hdr[7], hdr[11], hdr[12], hdr[19]
assert bpp == 32, 'expected 32 bits per pixel'
base = header_size + 12 * ncolours
order = '<I' if byte_order == 0 else '>I'
def screen(x, y):
    v = struct.unpack_from(order, xwd, base + (y0 + y) * bytes_per_line + 4 * (x0 + x))[0]
    return (v >> 16) & 255, (v >> 8) & 255, v & 255
bmp = open(bmp_path, 'rb').read()
offset, = struct.unpack_from('<I', bmp, 10)
bw, bh = struct.unpack_from('<ii', bmp, 18)
row = (bw * 3 + 3) & ~3
def picture(x, y_top):
    at = offset + (bh - 1 - y_top) * row + 3 * x
    b, g, r = bmp[at], bmp[at + 1], bmp[at + 2]
    return r, g, b
if w * 3 >= h * 4:
    aw, ah = h * 4 // 3, h
else:
    aw, ah = w, w * 3 // 4
ax, ay = (w - aw) // 2, (h - ah) // 2
good = total = 0
for py in range(6, bh, bh // 18):
    for px in range(6, bw, bw // 24):
        sx = ax + (2 * px + 1) * aw // (2 * bw)
        sy = ay + (2 * py + 1) * ah // (2 * bh)
        s, p = screen(sx, sy), picture(px, py)
        total += 1
        good += all(abs(a - b) <= 32 for a, b in zip(s, p))
bars = 0
for y in range(0, h, 7):
    for x in list(range(0, ax - 1, 3)) + list(range(ax + aw + 1, w, 3)):
        bars += screen(x, y) != (0, 0, 0)
for x in range(ax, ax + aw, 7):
    for y in list(range(0, ay - 1, 3)) + list(range(ay + ah + 1, h, 3)):
        bars += screen(x, y) != (0, 0, 0)
print(f'{w}x{h}: picture area {aw}x{ah} at {ax},{ay}: {good}/{total} samples match the title; {bars} bar pixels not black')
sys.exit(0 if good * 100 >= total * 95 and bars == 0 else 1)
PY

# The part that runs inside the X server's session.
cat > "$work/inside.sh" <<'INSIDE'
set -u
game=$1; work=$2; data=$3; expected_first=$4; with_wm=$5
. "$SMOKE_LIB/game_window.sh"
if [ "$with_wm" = yes ]; then
  openbox --sm-disable --config-file /dev/null >/dev/null 2>&1 &
  sleep 1
fi
cd "$data"
start_game "$game" "$work/game.log"
wait_for_window
size() { xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
origin() { xwininfo -id "$wid" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}'; }
first=$(size)
[ "$first" = "$expected_first" ] || fail "the first size is $first, not $expected_first"
echo "first size $first"
if [ "$with_wm" != yes ]; then
  kill "$pid"; wait "$pid"; exit $?
fi

# Waits until the window has the size, then checks the screen.
check() {
  local want=$1
  for _ in $(seq 30); do [ "$(size)" = "$want" ] && break; sleep 0.1; done
  [ "$(size)" = "$want" ] || fail "the window is $(size), not $want"
  sleep 0.7 # frames at the new size
  python3 "$work/check_screen.py" "$work/fb/Xvfb_screen0" "$data/title.bmp" $(origin) ${want/x/ } ||
    fail "the screen at $want is wrong"
}

sleep 1
check 640x480
xdotool windowsize "$wid" 1280 720
check 1280x720
xdotool key --window "$wid" F11
check 1920x1080
xdotool key --window "$wid" F11
check 1280x720
# With the menu open on "NeW Game", Alt+Enter must not start a game as Enter would.
xdotool key --window "$wid" Escape
sleep 0.3
xdotool key --window "$wid" alt+Return
sleep 0.5
[ "$(size)" = 1920x1080 ] || fail "Alt+Enter did not switch fullscreen on"
xdotool key --window "$wid" alt+Return
sleep 0.5
xdotool key --window "$wid" Escape
check 1280x720
kill "$pid"
wait "$pid"; code=$?
[ "$code" -eq 0 ] || fail "the game exited with code $code"

# The next run opens the window as the player left it, and fullscreen when they left it so.
grep -qx 'window 1280 720' "$XDG_CONFIG_HOME/roliquo/settings" || fail "the window's size was not kept"
start_game "$game" "$work/game2.log"
wait_for_window
check 1280x720
xdotool key --window "$wid" F11
check 1920x1080
kill "$pid"; wait "$pid"
grep -qx 'fullscreen yes' "$XDG_CONFIG_HOME/roliquo/settings" || fail "fullscreen was not kept"
start_game "$game" "$work/game3.log"
wait_for_window
check 1920x1080
kill "$pid"; wait "$pid"
INSIDE

export SDL_AUDIODRIVER=dummy
. "$here/lib/x_session.sh"
prepare_game "$game"
mkdir "$work/fb"
run_in_x_session "$work/game.log" "-screen 0 2560x1440x24" "$work/inside.sh" "$game" "$work" "$data" 1280x960 no
run_in_x_session "$work/game.log" "-screen 0 1920x1080x24 -fbdir $work/fb" \
  "$work/inside.sh" "$game" "$work" "$data" 640x480 yes
echo "PASS"
