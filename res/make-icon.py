#!/usr/bin/env python3
"""Draws prexle.ico: program lines going into a chevron, on a blue tile.

The icon is committed; run this only to change it:  res/make-icon.py res/prexle.ico
Sizes 16 to 48 are 32-bit bitmaps (with the AND mask older shells want), 256 is a PNG.
"""
import struct
import sys
import zlib

TILE = (0x1F, 0x4E, 0x79)
LINES = (0xFF, 0xFF, 0xFF)
CHEVRON = (0xFF, 0xC8, 0x2E)


def inside_tile(x, y):
    inset, radius = 0.03, 0.18
    cx = min(max(x, inset + radius), 1 - inset - radius)
    cy = min(max(y, inset + radius), 1 - inset - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def near_segment(x, y, a, b, half_width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half_width ** 2


def colour_at(x, y):
    """The colour of one point of the unit square, or None outside the tile."""
    if not inside_tile(x, y):
        return None
    # On whole pixels at 16, 32 and 48, so the small sizes stay sharp.
    for top in (0.25, 0.4375, 0.625):
        if 0.1875 <= x <= 0.5 and top <= y <= top + 0.125:
            return LINES
    tip = (0.82, 0.50)
    if near_segment(x, y, (0.60, 0.28), tip, 0.065) or near_segment(x, y, (0.60, 0.72), tip, 0.065):
        return CHEVRON
    return TILE


def render(size, samples=4):
    """Rows of (r, g, b, a) from the top, each pixel averaged over samples x samples points."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total, weight = [0, 0, 0], 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c is not None:
                        total = [t + v for t, v in zip(total, c)]
                        weight += 1
            if weight == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(t / weight) for t in total) + (round(255 * weight / samples ** 2),))
        rows.append(row)
    return rows


def bitmap_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colours + bytes(mask)


def png_image(rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    size = len(rows)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main(path):
    sizes = (16, 24, 32, 48, 256)
    images = [png_image(render(s)) if s == 256 else bitmap_image(render(s)) for s in sizes]
    offset = 6 + 16 * len(images)
    directory = b''
    for size, image in zip(sizes, images):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as out:
        out.write(struct.pack('<HHH', 0, 1, len(images)) + directory + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'prexle.ico')
