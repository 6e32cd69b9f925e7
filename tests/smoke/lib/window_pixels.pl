# SPDX-License-Identifier: MIT
# Reads Xvfb's screen file (an XWD dump: a big-endian header, the colour map, then the pixels) and
# prints, for the 640 x 480 window at (x, y): the distinct colours in its lower half, and how many of
# its pixels have the colour given as 0xRRGGBB.
# Usage: perl window_pixels.pl SCREENFILE X Y RRGGBB
use strict; use warnings;
my ($file, $wx, $wy, $wanted) = @ARGV;
$wanted = hex($wanted);
open(my $fh, '<:raw', $file) or die "cannot read $file";
local $/; my $xwd = <$fh>; close $fh;
my @h = unpack('N25', substr($xwd, 0, 100));
my ($headerSize, $width, $height, $byteOrder, $bitsPerPixel, $bytesPerLine, $colours) =
    ($h[0], $h[4], $h[5], $h[7], $h[11], $h[12], $h[19]);
die "expected 32 bits per pixel, found $bitsPerPixel" unless $bitsPerPixel == 32;
my $pixels = $headerSize + 12 * $colours;
my (%seen, $matching);
$matching = 0;
for my $y ($wy .. $wy + 479) {
    next if $y >= $height;
    for (my $x = $wx; $x < $wx + 640 && $x < $width; $x += 2) {
        my $at = $pixels + $y * $bytesPerLine + 4 * $x;
        my $v = ($byteOrder == 0 ? unpack('V', substr($xwd, $at, 4)) : unpack('N', substr($xwd, $at, 4))) & 0xFFFFFF;
        $seen{$v} = 1 if $y >= $wy + 240;
        $matching++ if $v == $wanted;
    }
}
print scalar(keys %seen), " $matching\n";
