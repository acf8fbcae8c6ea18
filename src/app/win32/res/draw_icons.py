#!/usr/bin/env python3
"""Draws the program's icons as .ico files (32-bit colour with alpha, plain Python):
remvana.ico (the application), default_program.ico (a computer with a compact disc, the
image of programs without an icon of their own) and heading.ico (the details heading).
Run it in this folder to redraw them; the .ico files are committed."""
import math
import struct

SS = 4  # subsamples per pixel side, for smooth edges


class Image:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def blend(self, x, y, rgb, alpha):
        if not (0 <= x < self.size and 0 <= y < self.size) or alpha <= 0:
            return
        r, g, b, a = self.px[y][x]
        a0 = a / 255.0
        out_a = alpha + a0 * (1 - alpha)
        if out_a <= 0:
            return
        mix = lambda c_new, c_old: (c_new * alpha + c_old * a0 * (1 - alpha)) / out_a
        self.px[y][x] = (round(mix(rgb[0], r)), round(mix(rgb[1], g)),
                         round(mix(rgb[2], b)), round(out_a * 255))

    def shape(self, inside, colour, box=None):
        """Fills every pixel by the share of its subsamples for which inside(x, y) holds.
        colour may be a function of (x, y) for gradients."""
        x0, y0, x1, y1 = box or (0, 0, self.size, self.size)
        for y in range(max(0, int(y0)), min(self.size, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.size, int(math.ceil(x1)))):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            hits += 1
                if hits:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, hits / (SS * SS))

    def rect(self, x0, y0, x1, y1, colour):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def rounded(self, x0, y0, x1, y1, r, colour):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.shape(inside, colour, (x0, y0, x1, y1))

    def circle(self, cx, cy, r, colour, hole=0.0):
        self.shape(lambda x, y: hole * hole <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                   (cx - r, cy - r, cx + r, cy + r))

    def polygon(self, points, colour):
        def inside(x, y):
            c = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
                j = i
            return c
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.shape(inside, colour, (min(xs), min(ys), max(xs) + 1, max(ys) + 1))


def vertical(top, bottom, y0, y1):
    def colour(x, y):
        t = min(max((y - y0) / max(1e-6, y1 - y0), 0), 1)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


def ico_entry(img):
    n = img.size
    header = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(n)):
        rows.append(b''.join(struct.pack('BBBB', b, g, r, a) for r, g, b, a in img.px[y]))
    mask_row_bytes = ((n + 31) // 32) * 4
    mask = []
    for y in reversed(range(n)):
        bits = bytearray(mask_row_bytes)
        for x in range(n):
            if img.px[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.append(bytes(bits))
    return header + b''.join(rows) + b''.join(mask)


def write_ico(path, images):
    data = [ico_entry(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, data):
        n = img.size
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data))


def computer_with_disc(n):
    s = n / 32.0
    img = Image(n)
    # Monitor: grey case, blue screen with a soft highlight.
    img.rounded(1 * s, 2 * s, 25 * s, 20 * s, 2 * s, (0x6E, 0x76, 0x82))
    img.rounded(2 * s, 3 * s, 24 * s, 19 * s, 1.5 * s, (0xD9, 0xDE, 0xE6))
    img.rect(4 * s, 5 * s, 22 * s, 16 * s, vertical((0x4F, 0x9B, 0xF0), (0x12, 0x4A, 0xA8),
                                                     5 * s, 16 * s))
    img.polygon([(4 * s, 5 * s), (14 * s, 5 * s), (4 * s, 12 * s)], (0x9F, 0xCB, 0xFA))
    # Stand and base.
    img.rect(11 * s, 20 * s, 15 * s, 23 * s, (0x8C, 0x93, 0x9E))
    img.rounded(5 * s, 23 * s, 21 * s, 26 * s, 1 * s, (0x6E, 0x76, 0x82))
    img.rounded(6 * s, 23.5 * s, 20 * s, 25.2 * s, 0.8 * s, (0xC4, 0xCA, 0xD3))
    # Compact disc in front, lower right: silver with a rainbow sheen and a hole.
    cx, cy, r = 23.5 * s, 22.5 * s, 8.5 * s
    img.circle(cx, cy, r, (0x7A, 0x80, 0x8A))
    def sheen(x, y):
        angle = math.atan2(y - cy, x - cx)
        t = (math.sin(angle * 2) + 1) / 2
        u = (math.cos(angle * 3 + 1) + 1) / 2
        return (round(0xC8 + 0x30 * t), round(0xC8 + 0x30 * u), round(0xD8 + 0x20 * (1 - t)))
    img.circle(cx, cy, r - 0.8 * s, sheen)
    img.circle(cx, cy, 3.2 * s, (0xE8, 0xEC, 0xF2))
    img.circle(cx, cy, 3.2 * s, (0x8A, 0x90, 0x9A), hole=2.6 * s)
    img.circle(cx, cy, 1.4 * s, (0, 0, 0), hole=0)
    # Punch the hole through: clear the centre.
    for y in range(n):
        for x in range(n):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= (1.3 * s) ** 2:
                img.px[y][x] = (0, 0, 0, 0)
    return img


def application(n):
    s = n / 32.0
    img = Image(n)
    # A blue program box ...
    img.polygon([(3 * s, 9 * s), (15 * s, 3 * s), (27 * s, 9 * s), (15 * s, 15 * s)],
                (0x9C, 0xC4, 0xF4))
    img.polygon([(3 * s, 9 * s), (15 * s, 15 * s), (15 * s, 29 * s), (3 * s, 23 * s)],
                (0x3E, 0x78, 0xC8))
    img.polygon([(15 * s, 15 * s), (27 * s, 9 * s), (27 * s, 23 * s), (15 * s, 29 * s)],
                (0x24, 0x55, 0x9E))
    # ... with a red removal badge.
    img.circle(23 * s, 23 * s, 8 * s, (0xFF, 0xFF, 0xFF))
    img.circle(23 * s, 23 * s, 7 * s, vertical((0xF0, 0x5A, 0x4A), (0xB8, 0x1C, 0x14),
                                              16 * s, 30 * s))
    img.rounded(18.5 * s, 21.6 * s, 27.5 * s, 24.4 * s, 1 * s, (0xFF, 0xFF, 0xFF))
    return img


def heading(n):
    s = n / 16.0
    img = Image(n)
    # A property sheet: white page, blue title strip, text lines.
    img.rect(2 * s, 1 * s, 14 * s, 15 * s, (0x5A, 0x7E, 0xB0))
    img.rect(3 * s, 2 * s, 13 * s, 14 * s, (0xFF, 0xFF, 0xFF))
    img.rect(3 * s, 2 * s, 13 * s, 5 * s, vertical((0x6C, 0xA0, 0xE8), (0x2D, 0x5F, 0xB0),
                                                   2 * s, 5 * s))
    for i, width in enumerate((8, 6, 7)):
        y = (7 + 2 * i) * s
        img.rect(5 * s, y, (5 + width) * s, y + 1 * s, (0x08, 0x37, 0x72))
    return img


if __name__ == '__main__':
    # The sizes of 96 DPI first, then those of 125, 150 and 200 % display scale, so the
    # window loads each image at the size it shows it, never stretched.
    write_ico('default_program.ico', [computer_with_disc(n) for n in (32, 16, 40, 48, 64, 20, 24)])
    write_ico('remvana.ico', [application(n) for n in (32, 16, 48, 20, 24, 40, 64)])
    write_ico('heading.ico', [heading(n) for n in (16, 20, 24, 32)])
