#!/usr/bin/env python3
"""Draws Pipit's tray and window icons: an amber disc with a dark rim and a dark eighth note.

The rim keeps the disc apart from light and dark taskbars alike. Every size is drawn from the one
design below at that size (each pixel sampled 4 x 4 times), never scaled down from a larger image,
so that it stays sharp at any display scaling:
- resources/pipit-small.ico (icon 102, the tray and the small window icon): 16, 20, 24, 32, 40, 48
  and 64 pixels, for 100 % to 400 % of the small-icon size;
- resources/pipit-large.ico (icon 101, the window icon): 32, 40, 48, 64, 96, 128 and 256 pixels.
The 16 and 32 pixel images are 24-bit with a 1-bit transparency mask, as they always were; the
others are 32-bit with soft edges, and those of 96 pixels and more are PNG-compressed, as Windows
takes them since Vista, which keeps pipit.exe small.
With --preview FILE, also writes a magnified strip of every size for looking at them (plain PPM).
Run by hand; the icons are committed."""
import struct
import sys
import zlib
from pathlib import Path

SMALL_SIZES = (16, 20, 24, 32, 40, 48, 64)
LARGE_SIZES = (32, 40, 48, 64, 96, 128, 256)
CLASSIC_SIZES = (16, 32)  # kept 24-bit with a mask
PNG_FROM = 96

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


def coverage(size):
    """For each pixel, the share of its samples that each colour (None: outside) takes."""
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
            line.append(votes)
        pixels.append(line)
    return pixels


def render(size):
    """Each pixel takes the colour that covers most of it: hard edges, for a 1-bit mask."""
    return [[max(votes, key=votes.get) for votes in line] for line in coverage(size)]


def render_soft(size):
    """Each pixel as (r, g, b, a): the colours it covers, mixed, and how much of it they cover."""
    pixels = []
    for line in coverage(size):
        out = []
        for votes in line:
            inside = sum(n for colour, n in votes.items() if colour is not None)
            if inside == 0:
                out.append((0, 0, 0, 0))
                continue
            mixed = [round(sum(colour[k] * n for colour, n in votes.items() if colour is not None) / inside)
                     for k in range(3)]
            out.append((*mixed, round(255 * inside / sum(votes.values()))))
        pixels.append(out)
    return pixels


def padded(row):
    while len(row) % 4:
        row.append(0)
    return row


def mask_rows(pixels, transparent):
    """The 1-bit mask, bottom-up: a set bit where the pixel is transparent."""
    mask = bytearray()
    for line in reversed(pixels):
        bits, row = 0, bytearray()
        for i, pixel in enumerate(line):
            bits = (bits << 1) | (1 if transparent(pixel) else 0)
            if i % 8 == 7:
                row.append(bits)
                bits = 0
        if len(line) % 8:
            row.append(bits << (8 - len(line) % 8))
        mask += padded(row)
    return mask


def classic_image(pixels):
    """A 24-bit image with its mask, as the first icons were."""
    size = len(pixels)
    xor = bytearray()
    for line in reversed(pixels):  # bottom-up rows
        row = bytearray()
        for colour in line:
            b, g, r = (0, 0, 0) if colour is None else colour[::-1]
            row += bytes((b, g, r))
        xor += padded(row)
    mask = mask_rows(pixels, lambda colour: colour is None)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask, 24


def soft_image(pixels):
    """A 32-bit image whose alpha gives soft edges; the mask only for programs that ignore alpha."""
    size = len(pixels)
    xor = bytearray()
    for line in reversed(pixels):
        for r, g, b, a in line:
            xor += bytes((b, g, r, a))
    mask = mask_rows(pixels, lambda pixel: pixel[3] == 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask, 32


def png_image(pixels):
    """The same as a PNG: straight RGBA, 8 bits a channel."""
    size = len(pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(v for pixel in line for v in pixel) for line in pixels)
    image = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
             chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    return image, 32


def image_for(size):
    if size in CLASSIC_SIZES:
        return classic_image(render(size))
    if size >= PNG_FROM:
        return png_image(render_soft(size))
    return soft_image(render_soft(size))


def ico_bytes(sizes):
    """An icon file holding one image of each size, smallest first."""
    images = [(size, *image_for(size)) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, image, bits in images:
        side = 0 if size >= 256 else size  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, bits, len(image), offset)
        offset += len(image)
        data += image
    return directory + data


def main():
    root = Path(__file__).resolve().parent.parent / "resources"
    (root / "pipit-small.ico").write_bytes(ico_bytes(SMALL_SIZES))
    (root / "pipit-large.ico").write_bytes(ico_bytes(LARGE_SIZES))
    if "--preview" in sys.argv:
        write_preview(sorted(set(SMALL_SIZES + LARGE_SIZES)), Path(sys.argv[-1]))


def write_preview(sizes, path):
    """Every size at its own scale, on a light and a dark background (plain PPM)."""
    gap = 8
    width = sum(sizes) + gap * (len(sizes) + 1)
    height = max(sizes) + 2 * gap
    canvas = []
    for background in ((0xF0, 0xF0, 0xF0), (0x20, 0x20, 0x28)):
        rows = [[background] * width for _ in range(height)]
        left = gap
        for size in sizes:
            for r, line in enumerate(render_soft(size)):
                for c, (red, green, blue, alpha) in enumerate(line):
                    under = rows[gap + r][left + c]
                    rows[gap + r][left + c] = tuple(
                        round((v * alpha + u * (255 - alpha)) / 255) for v, u in zip((red, green, blue), under))
            left += size + gap
        canvas += rows
    with open(path, "wb") as out:
        out.write(f"P6 {width} {len(canvas)} 255\n".encode())
        for line in canvas:
            out.write(bytes(v for colour in line for v in colour))


if __name__ == "__main__":
    main()
