#!/usr/bin/env python3
"""Draws Tarvell's icons and the About picture, byte for byte the same on every run.

    make-resources.py            write Tarvell.ico, About.ico, Help.ico and About.bmp here
    make-resources.py --check    only compare them with the files here; exit 1 on a difference
    make-resources.py --out DIR  write them into DIR instead

Only the standard library is used, and only +, -, *, / and sqrt on floats (no sin, exp...),
which IEEE arithmetic rounds the same everywhere, so the output does not depend on the libm.
"""

import argparse
import functools
import math
import os
import struct
import zlib
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

ABOUT_WIDTH = 406
ABOUT_HEIGHT = 300
# Every icon is asked for at the size the screen's scale needs (title bar and tray from 16 to
# 40, Alt+Tab and taskbar from 32 to 64, the shell up to 256), so each holds all of them rather
# than a stretched 32.
PROGRAM_ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SUPERSAMPLE = 4  # per axis, for the anti-aliased icon edges


# ---------------------------------------------------------------- small maths

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def sq(v):
    return v * v


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return (lerp(c1[0], c2[0], t), lerp(c1[1], c2[1], t), lerp(c1[2], c2[2], t))


def smoothstep(t):
    t = clamp(t)
    return t * t * (3.0 - 2.0 * t)


def gradient(stops, t):
    """Colour at t along [(t0, colour), (t1, colour), ...], t0 < t1 < ..."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


@functools.lru_cache(maxsize=None)
def hash01(*ints):
    """A well-mixed integer hash of the arguments, as a float in [0, 1)."""
    h = 0x9E3779B9
    for i in ints:
        h = (h ^ (int(i) & 0xFFFFFFFF)) * 0x85EBCA6B & 0xFFFFFFFF
        h ^= h >> 13
        h = h * 0xC2B2AE35 & 0xFFFFFFFF
        h ^= h >> 16
    return h / 4294967296.0


def noise1(x, seed):
    i = int(x // 1)
    return lerp(hash01(seed, i), hash01(seed, i + 1), smoothstep(x - i))


def noise2(x, y, seed):
    i, j = int(x // 1), int(y // 1)
    fx, fy = smoothstep(x - i), smoothstep(y - j)
    top = lerp(hash01(seed, i, j), hash01(seed, i + 1, j), fx)
    bottom = lerp(hash01(seed, i, j + 1), hash01(seed, i + 1, j + 1), fx)
    return lerp(top, bottom, fy)


def fbm1(x, seed, octaves):
    total, amp, norm = 0.0, 1.0, 0.0
    for o in range(octaves):
        total += amp * noise1(x, seed + o * 101)
        norm += amp
        amp *= 0.5
        x *= 2.0
    return total / norm


def fbm2(x, y, seed, octaves):
    total, amp, norm = 0.0, 1.0, 0.0
    for o in range(octaves):
        total += amp * noise2(x, y, seed + o * 131)
        norm += amp
        amp *= 0.5
        x *= 2.0
        y *= 2.0
    return total / norm


# ---------------------------------------------------------------- icons

def in_round_rect(u, v, x0, y0, x1, y1, r):
    if u < x0 or u > x1 or v < y0 or v > y1:
        return False
    cx = clamp(u, x0 + r, x1 - r)
    cy = clamp(v, y0 + r, y1 - r)
    return sq(u - cx) + sq(v - cy) <= r * r


def in_circle(u, v, cx, cy, r):
    return sq(u - cx) + sq(v - cy) <= r * r


def program_icon(u, v):
    """Two stacked pictures: a slideshow of landscapes."""
    back = (0.24, 0.04, 0.97, 0.70)
    front = (0.03, 0.26, 0.80, 0.95)
    border = 0.07
    if in_round_rect(u, v, *front, 0.08):
        if not in_round_rect(u, v, front[0] + border, front[1] + border,
                             front[2] - border, front[3] - border, 0.03):
            return (34, 40, 64)
        # the landscape inside the front picture
        horizon = 0.70
        if v > 0.74 + 1.1 * sq(u - 0.62):
            return (38, 118, 52)
        if v > 0.66 + 1.6 * sq(u - 0.18):
            return (72, 168, 64)
        if in_circle(u, v, 0.56, 0.47, 0.085):
            return (255, 212, 48)
        t = clamp((v - front[1]) / (horizon - front[1]))
        return tuple(int(c) for c in mix((52, 110, 214), (166, 210, 252), t))
    if in_round_rect(u, v, *back, 0.08):
        if not in_round_rect(u, v, back[0] + border, back[1] + border,
                             back[2] - border, back[3] - border, 0.03):
            return (62, 68, 92)
        return (226, 230, 238)
    return None


def badge(u, v, colour, glyph):
    """A round badge with a white glyph; the rim is a little darker."""
    if not in_circle(u, v, 0.5, 0.5, 0.47):
        return None
    if glyph(u, v):
        return (255, 255, 255)
    if not in_circle(u, v, 0.5, 0.5, 0.40):
        return tuple(int(c * 0.7) for c in colour)
    shade = 1.0 + 0.35 * clamp(0.5 - v)  # lighter towards the top
    return tuple(min(255, int(c * shade)) for c in colour)


def glyph_info(u, v):
    return in_circle(u, v, 0.5, 0.27, 0.075) or (0.43 <= u <= 0.57 and 0.40 <= v <= 0.76)


def glyph_question(u, v):
    cx, cy = 0.5, 0.36
    d2 = sq(u - cx) + sq(v - cy)
    ring = sq(0.09) <= d2 <= sq(0.19)
    # the hook: the ring over the top and down the right side, but not its lower left quarter
    if ring and (v <= cy or (u >= cx and v <= cy + 0.12)):
        return True
    if 0.44 <= u <= 0.56 and cy + 0.09 <= v <= 0.63:
        return True
    return in_circle(u, v, 0.5, 0.76, 0.07)


def render_icon(scene, size):
    """Returns rows of (r, g, b, a) bytes, top row first."""
    rows = []
    n = SUPERSAMPLE
    for y in range(size):
        row = []
        for x in range(size):
            acc_r = acc_g = acc_b = covered = 0
            for sy in range(n):
                for sx in range(n):
                    c = scene((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    if c is not None:
                        acc_r += c[0]
                        acc_g += c[1]
                        acc_b += c[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc_r // covered, acc_g // covered, acc_b // covered,
                            (covered * 255 + n * n // 2) // (n * n)))
        rows.append(row)
    return rows


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def png_image(rows):
    """One icon image as a PNG file: how icons hold their 256-pixel image, at a tenth of the size."""
    size = len(rows)
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_file(scene, sizes=PROGRAM_ICON_SIZES):
    images = [(png_image if s >= 256 else icon_image)(render_icon(scene, s)) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        # The directory's byte holds 0 for 256.
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    return bytes(out)


# ---------------------------------------------------------------- the About picture

HORIZON = 196  # the lake's shore line, in pixels from the top


def sky(x, y):
    t = y / HORIZON
    c = gradient([(0.0, (14, 18, 54)), (0.38, (48, 36, 104)), (0.70, (150, 74, 106)),
                  (0.88, (232, 128, 84)), (1.0, (252, 184, 96))], t)
    # a few thin clouds, lit from below
    band = smoothstep((y - 70) / 40.0) * (1.0 - smoothstep((y - 170) / 20.0))
    cloud = fbm2(x / 70.0, y / 14.0, 7, 4)
    cloud = smoothstep((cloud - 0.55) / 0.25) * band
    c = mix(c, (246, 150, 120), cloud * 0.55)
    # the low sun and its glow
    dx, dy = x - 300.0, y - 182.0
    d2 = dx * dx + dy * dy
    glow = 1.0 / (1.0 + d2 / 900.0)
    c = mix(c, (255, 214, 140), glow * 0.8)
    if d2 < 15.0 * 15.0:
        c = mix(c, (255, 244, 206), smoothstep((15.0 - math.sqrt(d2)) / 2.0))
    # stars in the dark upper sky
    if y < 110 and hash01(11, x, y) > 0.9965:
        c = mix(c, (255, 255, 240), (1.0 - y / 110.0) * (0.5 + 0.5 * hash01(12, x, y)))
    return c


RIDGES = [
    # base line, height, roughness scale, seed, colour, haze
    (HORIZON - 24, 70.0, 150.0, 21, (74, 52, 104), 0.45),
    (HORIZON - 6, 62.0, 110.0, 22, (44, 32, 72), 0.25),
    (HORIZON + 2, 34.0, 70.0, 23, (22, 18, 40), 0.08),
]


def ridge_top(x, ridge):
    base, height, scale, seed = ridge[:4]
    f = fbm1(x / scale, seed, 5)
    return base - height * f * math.sqrt(f)


def land(x, y, tops):
    """The mountains at (x, y), or None where the sky shows; tops: each ridge's top at x."""
    # the nearest ridge that covers the point is the one seen
    for ridge, top in reversed(list(zip(RIDGES, tops))):
        if y >= top:
            base_colour, haze = ridge[4], ridge[5]
            # lighter towards the peaks, hazier with distance
            lift = clamp((y - top) / 40.0)
            c = mix(mix(base_colour, (140, 90, 120), haze), base_colour, lift)
            texture = fbm2(x / 9.0, y / 5.0, ridge[3] + 50, 3) - 0.5
            return tuple(clamp(v * (1.0 + 0.18 * texture), 0.0, 255.0) for v in c)
    return None


def lake(x, y, above):
    """The lake at (x, y), mirroring the rows above the shore line (above[y][x])."""
    depth = y - HORIZON
    # ripples shift the reflection sideways, more so nearer the viewer
    ripple = (fbm2(x / 40.0, y / 2.5, 31, 3) - 0.5) * (2.0 + depth * 0.18)
    mirror_y = int(HORIZON - depth * 1.15 + 0.5)
    rx = int(clamp(x + ripple, 0.0, ABOUT_WIDTH - 1.0) + 0.5)
    c = above[min(HORIZON - 1, max(0, mirror_y))][rx]
    dim = 0.78 - 0.30 * clamp(depth / 100.0)
    c = tuple(v * dim for v in c)
    c = mix(c, (16, 30, 70), 0.25)
    # bright streaks where ripples catch the sun
    streak = fbm2(x / 25.0, y / 1.5, 41, 2)
    sun_path = 1.0 / (1.0 + sq(x - 300.0) / (120.0 + depth * 30.0))
    if streak > 0.62:
        c = mix(c, (255, 210, 150), sun_path * (streak - 0.62) * 2.2)
    return c


def shore_top(x):
    """Where the dark near shore with its reeds begins, in column x."""
    top = 262.0 + 16.0 * fbm1(x / 60.0, 51, 4)
    reed = hash01(52, x)
    if reed > 0.84:
        top -= 26.0 * (reed - 0.84) / 0.16 * fbm1(x / 3.0, 53, 2)
    return top


def render_about():
    columns = range(ABOUT_WIDTH)
    ridge_tops = [[ridge_top(float(x), r) for r in RIDGES] for x in columns]
    shore_tops = [shore_top(float(x)) for x in columns]
    image = []
    for y in range(ABOUT_HEIGHT):
        row = []
        for x in columns:
            fx, fy = float(x), float(y)
            if fy >= shore_tops[x]:
                c = mix((34, 28, 44), (12, 10, 18), clamp((fy - shore_tops[x]) / 30.0))
            elif y < HORIZON:
                c = land(fx, fy, ridge_tops[x]) or sky(fx, fy)
            else:
                c = lake(fx, fy, image)
            row.append(c)
        image.append(row)
    return image


def median_cut(colours, count):
    """A palette of at most count colours for the given (r, g, b) byte triples."""
    histogram = {}
    for c in colours:
        histogram[c] = histogram.get(c, 0) + 1

    def make_box(entries):
        ranges = [max(c[k] for c, _ in entries) - min(c[k] for c, _ in entries) for k in range(3)]
        weight = sum(n for _, n in entries)
        return (max(ranges) * weight if len(entries) > 1 else 0, ranges, entries)

    boxes = [make_box(sorted(histogram.items()))]
    while len(boxes) < count:
        best = max(range(len(boxes)), key=lambda i: boxes[i][0])
        if boxes[best][0] == 0:
            break
        _, ranges, entries = boxes.pop(best)
        axis = ranges.index(max(ranges))
        entries.sort(key=lambda e: (e[0][axis], e[0]))
        # split where half of the pixels (by count) lie on each side
        half, seen, cut = sum(n for _, n in entries) / 2, 0, 1
        for i, (_, n) in enumerate(entries[:-1]):
            seen += n
            if seen >= half:
                cut = i + 1
                break
        boxes += [make_box(entries[:cut]), make_box(entries[cut:])]
    palette = []
    for _, _, entries in boxes:
        weight = sum(n for _, n in entries)
        palette.append(tuple((sum(c[k] * n for c, n in entries) + weight // 2) // weight
                             for k in range(3)))
    palette.sort()
    while len(palette) < count:
        palette.append((0, 0, 0))
    return palette


def quantise(image):
    """Floyd-Steinberg dithering onto a median-cut palette; returns (palette, index rows)."""
    pixels = [tuple(int(clamp(v, 0.0, 255.0) + 0.5) for v in c) for row in image for c in row]
    palette = median_cut(pixels, 256)
    cache = {}

    def nearest(r, g, b):
        key = (r >> 2, g >> 2, b >> 2)
        hit = cache.get(key)
        if hit is None:
            best, best_d = 0, 1 << 30
            for i, (pr, pg, pb) in enumerate(palette):
                d = sq(pr - r) + sq(pg - g) + sq(pb - b)
                if d < best_d:
                    best, best_d = i, d
            cache[key] = hit = best
        return hit

    width = len(image[0])
    errors = [[0.0, 0.0, 0.0] for _ in range(width + 2)]
    rows = []
    for row in image:
        next_errors = [[0.0, 0.0, 0.0] for _ in range(width + 2)]
        indices = bytearray()
        for x, c in enumerate(row):
            want = [clamp(c[k] + errors[x + 1][k], 0.0, 255.0) for k in range(3)]
            i = nearest(*(int(v + 0.5) for v in want))
            indices.append(i)
            for k in range(3):
                e = want[k] - palette[i][k]
                errors[x + 2][k] += e * 7 / 16
                next_errors[x][k] += e * 3 / 16
                next_errors[x + 1][k] += e * 5 / 16
                next_errors[x + 2][k] += e * 1 / 16
        rows.append(bytes(indices))
        errors = next_errors
    return palette, rows


def bmp8_file(palette, rows):
    width, height = len(rows[0]), len(rows)
    stride = (width + 3) & ~3
    bits = b"".join(row + bytes(stride - width) for row in reversed(rows))
    colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits),
                              2835, 2835, 256, 0)
    return file_header + info_header + colour_table + bits


# ---------------------------------------------------------------- output

def build_all():
    return {
        "Tarvell.ico": ico_file(program_icon),
        "About.ico": ico_file(lambda u, v: badge(u, v, (40, 100, 200), glyph_info)),
        "Help.ico": ico_file(lambda u, v: badge(u, v, (28, 140, 84), glyph_question)),
        "About.bmp": bmp8_file(*quantise(render_about())),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in the output folder instead of writing")
    parser.add_argument("--out", default=HERE, help="output folder (default: beside this script)")
    args = parser.parse_args()

    files = build_all()
    stale = []
    for name, data in files.items():
        path = os.path.join(args.out, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
            print(f"{path}: {len(data)} bytes")
    if stale:
        print("out of date: " + ", ".join(stale) + " (run make-resources.py)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
