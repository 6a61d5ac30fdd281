#!/usr/bin/env python3
"""Draws Pipit's tray and window icons: an amber disc with a dark rim and a dark eighth note.

The rim keeps the disc apart from light and dark taskbars alike. Writes 24-bit icons (one image
each, with a 1-bit transparency mask) to resources/pipit-32.ico and resources/pipit-16.ico, and
with --preview a magnified PNG strip for looking at them. Run by hand; the icons are committed."""
import struct
import sys
from pathlib import Path

AMBER = (0xF2, 0xA9, 0x3B)
RIM = (0x4A, 0x2C, 0x0A)
NOTE = (0x2E, 0x1A, 0x05)


def shape_at(x, y):
    """Colour at a point of the unit square (0..1), or None outside the disc."""
    cx, cy = 0.5, 0.5
    r2 = (x - cx) ** 2 + (y - cy) ** 2
    if r2 > 0.5 ** 2:
        return None
    # note head: a tilted ellipse low left of centre
    hx, hy = x - 0.40, y - 0.68
    u, v = hx * 0.87 + hy * 0.5, -hx * 0.5 + hy * 0.87
    if (u / 0.15) ** 2 + (v / 0.105) ** 2 <= 1:
        return NOTE
    # stem on the head's right
    if 0.49 <= x <= 0.57 and 0.20 <= y <= 0.68:
        return NOTE
    # flag: a band falling to the right from the stem's top
    if 0.57 <= x <= 0.76:
        top = 0.20 + (x - 0.57) * 0.9
        if top <= y <= top + 0.14:
            return NOTE
    if r2 > 0.43 ** 2:
        return RIM
    return AMBER


def render(size):
    samples = 4
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            votes = {}
            for sy in range(samples):
                for sx in range(samples):
                    colour = shape_at((col + (sx + 0.5) / samples) / size, (row + (sy + 0.5) / samples) / size)
                    votes[colour] = votes.get(colour, 0) + 1
            line.append(max(votes, key=votes.get))
        pixels.append(line)
    return pixels


def ico_bytes(pixels):
    size = len(pixels)
    xor = bytearray()
    for line in reversed(pixels):  # bottom-up rows
        row = bytearray()
        for colour in line:
            b, g, r = (0, 0, 0) if colour is None else colour[::-1]
            row += bytes((b, g, r))
        while len(row) % 4:
            row.append(0)
        xor += row
    mask = bytearray()
    for line in reversed(pixels):
        bits = 0
        row = bytearray()
        for i, colour in enumerate(line):
            bits = (bits << 1) | (1 if colour is None else 0)
            if i % 8 == 7:
                row.append(bits)
                bits = 0
        while len(row) % 4:
            row.append(0)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 22)
    return directory + image


def main():
    root = Path(__file__).resolve().parent.parent / "resources"
    images = {}
    for size in (32, 16):
        images[size] = render(size)
        (root / f"pipit-{size}.ico").write_bytes(ico_bytes(images[size]))
    if "--preview" in sys.argv:
        write_preview(images, Path(sys.argv[-1]))


def write_preview(images, path):
    """32 and 16 pixel images, magnified 8 times, on a light and a dark background (plain PPM)."""
    scale = 8
    width, height = (32 + 16 + 24) * scale * 2, 40 * scale
    canvas = [[(0, 0, 0)] * width for _ in range(height)]
    for half, background in enumerate(((0xF0, 0xF0, 0xF0), (0x20, 0x20, 0x28))):
        x0 = half * width // 2
        for y in range(height):
            for x in range(width // 2):
                canvas[y][x0 + x] = background
        left = x0 + 8 * scale
        for size in (32, 16):
            for r, line in enumerate(images[size]):
                for c, colour in enumerate(line):
                    if colour is None:
                        continue
                    for dy in range(scale):
                        for dx in range(scale):
                            canvas[4 * scale + r * scale + dy][left + c * scale + dx] = colour
            left += (size + 8) * scale
    with open(path, "wb") as out:
        out.write(f"P6 {width} {height} 255\n".encode())
        for line in canvas:
            out.write(bytes(v for colour in line for v in colour))


if __name__ == "__main__":
    main()
