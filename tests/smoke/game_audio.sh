#!/usr/bin/env bash
# Plays the real game under Xvfb with SDL's disk audio driver: starts a new game from the menu, checks
# after the countdown that the window shows the board and that sound was written, then leaves through
# the menu's "Quit" and checks the exit code and the saved best-times file.
# Usage: bash game_audio.sh <path-to-roliquo> <data-dir>
set -euo pipefail

game=$(realpath "$1")
data=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
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

# Counts the distinct colours in the lower half of the window's 640 x 480 area of Xvfb's screen
# file (an XWD dump: a big-endian header, the colour map, then the pixels).
cat > "$work/colours.pl" <<'PERL'
use strict; use warnings;
my ($file, $wx, $wy) = @ARGV;
open(my $fh, '<:raw', $file) or die "cannot read $file";
local $/; my $xwd = <$fh>; close $fh;
my @h = unpack('N25', substr($xwd, 0, 100));
my ($headerSize, $width, $height, $byteOrder, $bitsPerPixel, $bytesPerLine, $colours) =
    ($h[0], $h[4], $h[5], $h[7], $h[11], $h[12], $h[19]);
die "expected 32 bits per pixel, found $bitsPerPixel" unless $bitsPerPixel == 32;
my $pixels = $headerSize + 12 * $colours;
my %seen;
for my $y ($wy + 240 .. $wy + 479) {
    next if $y >= $height;
    for (my $x = $wx; $x < $wx + 640 && $x < $width; $x += 2) {
        my $at = $pixels + $y * $bytesPerLine + 4 * $x;
        my $v = $byteOrder == 0 ? unpack('V', substr($xwd, $at, 4)) : unpack('N', substr($xwd, $at, 4));
        $seen{$v & 0xFFFFFF} = 1;
    }
}
print scalar(keys %seen), "\n";
PERL

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

# Esc opens the menu on "NeW Game"; Return starts the first level and its 7 s countdown.
xdotool key --window "$wid" Escape
sleep 0.3
xdotool key --window "$wid" Return
sleep 9
kill -0 "$pid" 2>/dev/null || fail "the game ended during the first level"

position=$(xdotool getwindowgeometry "$wid" | sed -n 's/^ *Position: *\([0-9]*\),\([0-9]*\).*/\1 \2/p')
colours=$(perl "$work/colours.pl" "$work/fb/Xvfb_screen0" $position) || fail "cannot read the screen"
echo "distinct colours in the lower half of the window: $colours"
[ "$colours" -ge 200 ] || fail "the lower half of the window does not show the board ($colours colours)"

# Esc, three times Down to "Quit", Return: the table is saved and the program ends.
xdotool key --window "$wid" Escape
sleep 0.3
for _ in 1 2 3; do xdotool key --window "$wid" Down; sleep 0.2; done
xdotool key --window "$wid" Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the game did not end within 10 s of choosing Quit"
wait "$pid"; code=$?
[ "$code" -eq 0 ] || fail "the game exited with code $code"
echo "left through Quit with exit code 0"
INSIDE

export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/audio.raw"
export SDL_DISKAUDIODELAY=5
. "$here/lib/sanitizer_env.sh"
GAME_PRELOAD=$(sanitizer_preload "$game"); export GAME_PRELOAD
export SMOKE_LIB="$here/lib"
export LSAN_OPTIONS="suppressions=$here/../lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
xvfb-run -a -s "-screen 0 1024x768x24 -fbdir $work/fb" bash "$work/inside.sh" "$game" "$work" ||
  status=$?
if [ "$status" -ne 0 ]; then
  echo "--- the game's output:"
  cat "$work/game.log" 2>/dev/null || true
  exit "$status"
fi

[ -f "$work/game/highScore.dat" ] && [ ! -L "$work/game/highScore.dat" ] ||
  { echo "FAIL: Quit did not write highScore.dat"; exit 1; }
echo "highScore.dat: $(cat "$work/game/highScore.dat")"

[ -f "$work/audio.raw" ] || { echo "FAIL: no audio was written"; exit 1; }
read -r bytes loud peak < <(perl "$work/loudness.pl" "$work/audio.raw")
echo "audio: $bytes bytes, $loud samples above the noise floor, peak $peak"
[ "$loud" -ge 10000 ] && [ "$peak" -ge 1000 ] || { echo "FAIL: the audio is silent"; exit 1; }
echo "PASS"
