#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays the real game under Xvfb with SDL's disk audio driver: the title's menu cue sounds without the
# mixer loaded; starts a new game from the menu, checks after the countdown that the window shows the
# board, that the music loaded the mixer and that sound was written, then leaves through
# the menu's "Quit" and checks the exit code and the saved best-times file.
# Usage: bash game_audio.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
data=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
# The game keeps its window and ghost settings here, never in the user's own configuration.
export XDG_CONFIG_HOME="$work/config"
trap 'rm -rf "$work"' EXIT

# Message boxes block under Xvfb, so a missing file would hang the game rather than fail it.
for file in maplist.dat font.dat font_0.bmp title.bmp back.bmp menu.wav go.wav mi_movie.mid; do
  if [ ! -f "$data/$file" ]; then
    echo "FAIL: the data pack in $data lacks $file"
    exit 1
  fi
done

# The game reads and writes bare file names in its working folder: a folder of links to the pack,
# so that the highScore.dat it writes lands here and not in the pack.
mkdir "$work/game" "$work/fb"
for file in "$data"/*; do
  name=$(basename "$file")
  [ "$name" = highScore.dat ] || ln -s "$file" "$work/game/$name"
done

# Counts the 16-bit samples of the raw audio that are not silent, a block at a time.
cat > "$work/loudness.pl" <<'PERL'
use strict; use warnings;
my ($file) = @ARGV;
open(my $fh, '<:raw', $file) or die "cannot read $file";
my ($bytes, $loud, $peak) = (0, 0, 0);
while (read($fh, my $block, 65536)) {
    $bytes += length($block);
    for my $s (unpack('s<*', $block)) {
        my $a = abs($s);
        $loud++ if $a > 64;
        $peak = $a if $a > $peak;
    }
}
close $fh;
print "$bytes $loud $peak\n";
PERL

# The part that runs inside the X server's session.
cat > "$work/inside.sh" <<'INSIDE'
set -u
game=$1; work=$2
. "$SMOKE_LIB/game_window.sh"
cd "$work/game"
start_game "$game" "$work/game.log"
wait_for_window
sleep 1

# On the title the menu's cue sounds on SDL's own device, without the mixer: its libraries load only
# once music is asked for.
xdotool key --window "$wid" Escape
sleep 0.6
read -r _ title_loud _ < <(perl "$work/loudness.pl" "$work/audio.raw") || fail "no audio on the title"
echo "title: $title_loud samples above the noise floor"
[ "$title_loud" -ge 1000 ] || fail "the menu's cue was not heard on the title"
maps=$(cat "/proc/$pid/maps")
[[ $maps != *libSDL2_mixer* ]] || fail "the mixer was loaded on the title"
xdotool key --window "$wid" Escape
sleep 0.3

start_first_level
maps=$(cat "/proc/$pid/maps")
[[ $maps == *libSDL2_mixer* ]] || fail "the music did not load the mixer"
read -r colours _ < <(window_pixels "$work/fb/Xvfb_screen0") || fail "cannot read the screen"
echo "distinct colours in the lower half of the window: $colours"
[ "$colours" -ge 200 ] || fail "the lower half of the window does not show the board ($colours colours)"
quit_through_menu
INSIDE

export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/audio.raw"
export SDL_DISKAUDIODELAY=5
. "$here/lib/x_session.sh"
prepare_game "$game"
run_in_x_session "$work/game.log" "-screen 0 1024x768x24 -fbdir $work/fb" "$work/inside.sh" "$game" "$work"

[ -f "$work/game/highScore.dat" ] && [ ! -L "$work/game/highScore.dat" ] ||
  { echo "FAIL: Quit did not write highScore.dat"; exit 1; }
echo "highScore.dat: $(cat "$work/game/highScore.dat")"

[ -f "$work/audio.raw" ] || { echo "FAIL: no audio was written"; exit 1; }
read -r bytes loud peak < <(perl "$work/loudness.pl" "$work/audio.raw")
echo "audio: $bytes bytes, $loud samples above the noise floor, peak $peak"
[ "$loud" -ge 10000 ] && [ "$peak" -ge 1000 ] || { echo "FAIL: the audio is silent"; exit 1; }
echo "PASS"
