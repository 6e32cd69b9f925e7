# SPDX-License-Identifier: MIT
# Writes the golden scenes' title picture (the test suite's pattern of seed 11, its row 0 at the bottom, as
# the suite writes it) as a 24-bit BMP, so the one-level pack's page can be compared with the desktop's
# golden image of the title.
# Usage: golden_title.py OUT.bmp
import struct
import sys

WIDTH, HEIGHT, SEED = 640, 480, 11
rows = bytearray()
for y in range(HEIGHT):
    for x in range(WIDTH):
        rows += bytes(((x * 7 + y * 13 + SEED) & 0xFF, y * 255 // (HEIGHT - 1), x * 255 // (WIDTH - 1)))
header = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
with open(sys.argv[1], 'wb') as out:
    out.write(header + info + rows)
