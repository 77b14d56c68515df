#!/usr/bin/env python3
"""Draws the two tray/class icons (a sticky note with a pin) as 16-colour .ico files.

Run it after changing the drawing; the .ico files are kept in src/res."""
import struct
import sys

# The standard 16-colour palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, SILVER, GREY, RED, YELLOW, WHITE, MAROON = 0, 3, 7, 8, 9, 11, 15, 1
CLEAR = None


def draw(size, active):
    px = [[CLEAR] * size for _ in range(size)]
    s = size / 32.0
    lo, hi = int(4 * s), int(28 * s) - 1
    fold = int(7 * s)
    body = YELLOW if active else SILVER
    for y in range(lo, hi + 1):
        for x in range(lo, hi + 1):
            if x + y > 2 * hi - fold:       # the turned-up corner
                continue
            edge = x in (lo, hi) or y in (lo, hi) or x + y == 2 * hi - fold
            px[y][x] = BLACK if edge else body
    for y in range(hi - fold, hi + 1):       # the corner's back
        for x in range(hi - fold, hi + 1):
            if x + y > 2 * hi - fold:
                px[y][x] = OLIVE if active else GREY
    for row in range(3):                     # lines of writing
        y = int((12 + row * 5) * s)
        for x in range(lo + int(3 * s), hi - int(4 * s) - (fold if row == 2 else 0)):
            px[y][x] = GREY
    cx, cy, r = int(16 * s), int(5 * s), max(2, int(3 * s))   # the pin's head
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r and 0 <= y < size:
                px[y][x] = (RED if active else MAROON)
    return px


def image(size, active):
    px = draw(size, active)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(xor_row)
        bits = bytearray(and_row)
        for x in range(size):
            c = px[y][x]
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = 0
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += row
        mask += bits
    return header + pal + bytes(xor) + bytes(mask)


def icon(active):
    images = [image(32, active), image(16, active)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


if __name__ == '__main__':
    folder = sys.argv[1] if len(sys.argv) > 1 else 'src/res'
    with open(f'{folder}/pinlark.ico', 'wb') as f:
        f.write(icon(False))
    with open(f'{folder}/pinlark_active.ico', 'wb') as f:
        f.write(icon(True))
