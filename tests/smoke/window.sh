#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the real game under Xvfb: its window must be 640 x 480 and named "Roliquo", and closing it the
# way a window manager does (WM_DELETE_WINDOW) must end the program with exit code 0.
# Usage: bash window.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=${2:-}
work=$(mktemp -d)
# The game keeps its window and ghost settings here, never in the user's own configuration.
export XDG_CONFIG_HOME="$work/config"
trap 'rm -rf "$work"' EXIT

# The close button's message, sent as a window manager sends it (Xvfb runs none, and xdotool's own
# close destroys the window under the client instead).
cat > "$work/wm_close.c" <<'SRC'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
    if (argc < 2) return 2;
    Display* d = XOpenDisplay(NULL);
    if (!d) return 3;
    Window w = (Window)strtoul(argv[1], NULL, 0);
    XEvent e = {0};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    int sent = XSendEvent(d, w, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return sent ? 0 : 4;
}
SRC
cc -o "$work/wm_close" "$work/wm_close.c" -lX11

# The part that runs inside the X server's session.
cat > "$work/inside.sh" <<'INSIDE'
set -u
game=$1; closer=$2; log=$3
. "$SMOKE_LIB/game_window.sh"
start_game "$game" "$log"
wait_for_window
name=$(xdotool getwindowname "$wid")
[ "$name" = "Roliquo" ] || fail "window name is '$name', not 'Roliquo'"
geometry=$(xdotool getwindowgeometry "$wid" | sed -n 's/^ *Geometry: *//p')
[ "$geometry" = "640x480" ] || fail "window is $geometry, not 640x480"
sleep 1 # let it draw a few frames, then open the menu, move in it and close it again
xdotool key --window "$wid" Escape Down Up Escape
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the game ended by itself before it was closed"
"$closer" "$wid" || fail "could not send the close request"
expect_clean_end "the close request"
echo "window $wid: $name $geometry, closed with exit code 0"
INSIDE

# The game reads its data by bare name from the working directory.
if [ -n "$data" ] && [ -d "$data" ]; then cd "$data"; else cd "$work"; fi

export SDL_AUDIODRIVER=dummy
# In a sanitizer build, leaks inside D-Bus and Mesa are not ours: they are suppressed by module.
. "$here/lib/x_session.sh"
prepare_game "$game"
run_in_x_session "$work/game.log" "-screen 0 1024x768x24" "$work/inside.sh" "$game" "$work/wm_close" "$work/game.log"
