#!/usr/bin/env python3
"""Draws the menu artwork and the launcher icon into res/artwork/.

Everything is procedural and deterministic: the same script gives the same bytes on every
machine, with nothing but the Python 3 standard library. Run from anywhere:

    python3 tools/artwork/generate.py [--preview menu.png]

--preview also writes the background with a wide and a narrow bar in place, as a PNG.
"""

import argparse
import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 640, 480
WIDE_BAR = (295, 60)
NARROW_BAR = (147, 60)
LIGHT = (-0.6, -0.8)  # towards the light: top left


# ---------------------------------------------------------------------------------------------
# Noise


def hash01(ix, iy, seed):
    n = (ix * 374761393 + iy * 668265263 + seed * 1442695041) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    n ^= n >> 16
    return n / 4294967296.0


class ValueNoise:
    """Smooth value noise of one cell size over a fixed area, sampled at integer pixels."""

    def __init__(self, cell, seed, width, height):
        self.cell = cell
        cols = width // cell + 2
        rows = height // cell + 2
        self.grid = [[hash01(i, j, seed) for i in range(cols)] for j in range(rows)]

    def at(self, x, y):
        gx, gy = x / self.cell, y / self.cell
        i, j = int(gx), int(gy)
        fx, fy = gx - i, gy - j
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        row0, row1 = self.grid[j], self.grid[j + 1]
        top = row0[i] + (row0[i + 1] - row0[i]) * fx
        bottom = row1[i] + (row1[i + 1] - row1[i]) * fx
        return top + (bottom - top) * fy


class Fbm:
    def __init__(self, cells, weights, seed, width, height):
        total = sum(weights)
        self.octaves = [(ValueNoise(c, seed + k * 101, width, height), w / total)
                        for k, (c, w) in enumerate(zip(cells, weights))]

    def at(self, x, y):
        return sum(noise.at(x, y) * w for noise, w in self.octaves)


class Stone:
    """Dark slate: cloudy tone, fine grain and faint veins. Brightness 0..1 per pixel."""

    def __init__(self, seed, width, height):
        self.cloud = Fbm((128, 64, 32, 16, 8, 4), (5, 4, 3, 2, 1.5, 1), seed, width, height)
        self.vein = Fbm((96, 48, 24, 12), (4, 2, 1, 0.5), seed + 7, width, height)
        self.vein_mask = ValueNoise(90, seed + 11, width, height)
        self.seed = seed

    def at(self, x, y):
        cloud = self.cloud.at(x, y) - 0.5
        grain = hash01(x, y, self.seed + 3) - 0.5
        # Veins fade in and out, so they read as cracks in the slate, not as contour lines.
        vein = max(0.0, 1.0 - abs(self.vein.at(x, y) - 0.5) * 36.0) ** 2
        vein *= max(0.0, self.vein_mask.at(x, y) * 2.2 - 1.1)
        speck = 1.0 if hash01(x, y, self.seed + 5) > 0.9965 else 0.0
        return 0.27 + 0.18 * cloud + 0.035 * grain - 0.07 * vein + 0.05 * speck


# ---------------------------------------------------------------------------------------------
# Colours


def lerp(a, b, t):
    return a + (b - a) * t


def ramp(stops, t):
    """Colour at t (0..1) of a list of (position, (r, g, b)) stops."""
    t = min(1.0, max(0.0, t))
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            f = (t - p0) / (p1 - p0) if p1 > p0 else 0.0
            return tuple(lerp(a, b, f) for a, b in zip(c0, c1))
    return stops[-1][1]


STONE = [(0.0, (4, 6, 7)), (0.25, (22, 26, 27)), (0.5, (47, 52, 51)), (0.75, (86, 91, 87)),
         (1.0, (150, 152, 142))]
GOLD = [(0.0, (34, 20, 8)), (0.3, (112, 70, 26)), (0.6, (198, 146, 62)), (0.85, (240, 204, 120)),
        (1.0, (255, 242, 196))]
BRONZE = [(0.0, (20, 14, 10)), (0.4, (70, 50, 32)), (0.75, (128, 96, 60)),
          (1.0, (184, 150, 104))]
SEA = [(0.0, (8, 22, 24)), (0.5, (36, 92, 88)), (1.0, (120, 188, 170))]


def build_palette(parts):
    palette = []
    for stops, count in parts:
        palette += [tuple(int(round(c)) for c in ramp(stops, k / (count - 1)))
                    for k in range(count)]
    assert len(palette) == 256
    return palette


BACKGROUND_PALETTE = build_palette([(STONE, 128), (GOLD, 64), (BRONZE, 36), (SEA, 28)])
BAR_PALETTE = build_palette([(STONE, 256)])


class Quantiser:
    def __init__(self, palette):
        self.palette = palette
        self.cache = {}

    def index(self, colour):
        key = tuple(min(255, max(0, int(round(c)))) for c in colour)
        found = self.cache.get(key)
        if found is None:
            r, g, b = key
            found = min(range(len(self.palette)),
                        key=lambda k: (self.palette[k][0] - r) ** 2 * 3 +
                        (self.palette[k][1] - g) ** 2 * 4 + (self.palette[k][2] - b) ** 2 * 2)
            self.cache[key] = found
        return found


# ---------------------------------------------------------------------------------------------
# Canvas


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0.0, 0.0, 0.0)] * width for _ in range(height)]

    def put(self, x, y, colour):
        self.pixels[y][x] = colour

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            old = self.pixels[y][x]
            self.pixels[y][x] = tuple(lerp(o, c, min(1.0, alpha)) for o, c in zip(old, colour))

    def darken(self, x, y, amount):
        self.blend(x, y, (0, 0, 0), amount)


def fill_stone(canvas, stone, offset, lift):
    ox, oy = offset
    for y in range(canvas.height):
        row = canvas.pixels[y]
        for x in range(canvas.width):
            row[x] = ramp(STONE, stone.at(x + ox, y + oy) + lift(x, y))


# ---------------------------------------------------------------------------------------------
# Strokes: letters and ornaments are polylines drawn as bevelled metal


def arc(cx, cy, rx, ry, start, end, steps=28):
    return [(cx + rx * math.cos(math.radians(start + (end - start) * k / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * k / steps)))
            for k in range(steps + 1)]


# Glyphs on a cap height of 1 (y down), as (advance, polylines).
GLYPHS = {
    "M": (0.98, [[(0, 1), (0, 0), (0.45, 0.62), (0.9, 0), (0.9, 1)]]),
    "O": (1.0, [arc(0.46, 0.5, 0.46, 0.5, 0, 360, 48)]),
    "S": (0.86, [arc(0.4, 0.25, 0.38, 0.25, -25, -270, 24) +
                 arc(0.4, 0.75, 0.4, 0.25, -90, 155, 24)[1:]]),
    "H": (0.92, [[(0, 0), (0, 1)], [(0.8, 0), (0.8, 1)], [(0, 0.5), (0.8, 0.5)]]),
    "A": (0.98, [[(0, 1), (0.44, 0), (0.88, 1)], [(0.2, 0.64), (0.68, 0.64)]]),
    "R": (0.9, [[(0, 1), (0, 0), (0.42, 0)] + arc(0.42, 0.25, 0.3, 0.25, -90, 90, 20)[1:] +
                [(0, 0.5)], [(0.38, 0.5), (0.8, 1)]]),
    "B": (0.9, [[(0, 1), (0, 0), (0.4, 0)] + arc(0.4, 0.24, 0.3, 0.24, -90, 90, 20)[1:] +
                [(0, 0.48)], [(0, 0.48), (0.44, 0.48)] +
                arc(0.44, 0.74, 0.34, 0.26, -90, 90, 20)[1:] + [(0, 1)]]),
    " ": (0.5, []),
}


def layout_text(text, left, top, size, tracking):
    """Polylines of text in pixels, and its width."""
    strokes, x = [], left
    for ch in text:
        advance, lines = GLYPHS[ch]
        strokes += [[(x + px * size, top + py * size) for px, py in line] for line in lines]
        x += advance * size + tracking
    return strokes, x - tracking - left


def text_width(text, size, tracking):
    return layout_text(text, 0, 0, size, tracking)[1]


def polyline_field(polyline, px, py):
    """Distance from a point to a polyline with square ends and round joints, and the unit
    vector pointing from the line towards the point."""
    best = (1e9, 0.0, 0.0)
    last = len(polyline) - 2
    for k in range(last + 1):
        (ax, ay), (bx, by) = polyline[k], polyline[k + 1]
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        if length == 0:
            continue
        ux, uy = dx / length, dy / length
        rx, ry = px - ax, py - ay
        along = rx * ux + ry * uy
        across = -rx * uy + ry * ux
        if 0 <= along <= length:
            d = abs(across)
            n = (-uy, ux) if across >= 0 else (uy, -ux)
        elif (along < 0 and k == 0) or (along > length and k == last):
            over = -along if along < 0 else along - length
            if over > abs(across):
                d, n = over, ((-ux, -uy) if along < 0 else (ux, uy))
            else:
                d = abs(across)
                n = (-uy, ux) if across >= 0 else (uy, -ux)
        else:
            cx, cy = (ax, ay) if along < 0 else (bx, by)
            d = math.hypot(px - cx, py - cy)
            n = ((px - cx) / d, (py - cy) / d) if d > 0 else (0.0, -1.0)
        if d < best[0]:
            best = (d, n[0], n[1])
    return best


def bounds(polylines, margin):
    xs = [x for line in polylines for x, _ in line]
    ys = [y for line in polylines for _, y in line]
    return (int(min(xs) - margin), int(min(ys) - margin), int(max(xs) + margin) + 1,
            int(max(ys) + margin) + 1)


def stroke_field(polylines, box):
    """Distance field of the polylines over box (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = box
    field = {}
    boxes = [(line, bounds([line], 12)) for line in polylines]
    for y in range(y0, y1):
        for x in range(x0, x1):
            best = (1e9, 0.0, 0.0)
            for line, (lx0, ly0, lx1, ly1) in boxes:
                if lx0 <= x < lx1 and ly0 <= y < ly1:
                    found = polyline_field(line, x + 0.5, y + 0.5)
                    if found[0] < best[0]:
                        best = found
            field[(x, y)] = best
    return field


def draw_metal(canvas, polylines, half_width, metal, shadow=(3, 4), face=None):
    """Bevelled metal strokes with a dark rim and a drop shadow on the canvas."""
    margin = half_width + max(shadow) + 4
    box = bounds(polylines, margin)
    field = stroke_field(polylines, box)
    x0, y0, x1, y1 = box
    top, bottom = y0 + margin, y1 - margin
    bevel = max(1.5, half_width * 0.55)
    for y in range(max(0, y0), min(canvas.height, y1)):
        for x in range(max(0, x0), min(canvas.width, x1)):
            d = field[(x, y)][0]
            cast = field.get((x - shadow[0], y - shadow[1]), (1e9, 0, 0))[0]
            canvas.darken(x, y, 0.65 * min(1.0, max(0.0, (half_width + 2.0 - cast) / 3.0)))
            canvas.darken(x, y, 0.8 * min(1.0, max(0.0, half_width + 1.6 - d)))
            depth = half_width - d
            if depth <= -0.5:
                continue
            t = (y - top) / max(1, bottom - top)
            shade = face(t) if face else 0.66 - 0.22 * t + 0.14 * math.exp(-((t - 0.28) / 0.12) ** 2)
            if depth < bevel:
                nx, ny = field[(x, y)][1], field[(x, y)][2]
                slope = 1.0 - max(0.0, depth) / bevel
                shade += 0.42 * (nx * LIGHT[0] + ny * LIGHT[1]) * (0.4 + 0.6 * slope)
            canvas.blend(x, y, ramp(metal, shade), min(1.0, depth + 0.5))


# ---------------------------------------------------------------------------------------------
# The pictures


PANEL = (15, 15, 300, 465)  # left, top, right, bottom (exclusive)


def vignette(x, y):
    dx = (x - WIDTH * 0.55) / (WIDTH * 0.75)
    dy = (y - HEIGHT * 0.45) / (HEIGHT * 0.8)
    return -0.09 * (dx * dx + dy * dy)


def draw_panel_frame(canvas, stone):
    left, top, right, bottom = PANEL
    # Soft shadow of the panel on the wall.
    for y in range(top, min(HEIGHT, bottom + 9)):
        for x in range(left, min(WIDTH, right + 9)):
            ox = max(0, x - (right - 1)) if x >= right else 0
            oy = max(0, y - (bottom - 1)) if y >= bottom else 0
            if ox or oy:
                canvas.darken(x, y, 0.55 * (1 - max(ox, oy) / 9.0))
    band = 9
    for y in range(top, bottom):
        for x in range(left, right):
            edge = min(x - left, y - top, right - 1 - x, bottom - 1 - y)
            if edge >= band:
                # Polished slate inside the frame, a little darker than the wall.
                v = stone.at(x + 911, y + 377) * 0.82 - 0.015
                canvas.put(x, y, ramp(STONE, v))
                continue
            grain = hash01(x, y, 77) * 0.06 + stone.cloud.at(x, y) * 0.1
            shade = 0.5 + grain
            near_outer = edge < 3
            near_inner = edge >= band - 3
            top_or_left = min(x - left, y - top) == edge
            if near_outer:
                shade += 0.28 if top_or_left else -0.3
            elif near_inner:
                shade += -0.3 if top_or_left else 0.24
            canvas.put(x, y, ramp(BRONZE, shade))
    # A thin gold fillet inside the frame, with diamonds at its corners.
    inset = band + 5
    fillet = [(left + inset, top + inset), (right - 1 - inset, top + inset),
              (right - 1 - inset, bottom - 1 - inset), (left + inset, bottom - 1 - inset),
              (left + inset, top + inset)]
    draw_metal(canvas, [fillet], 0.9, GOLD, shadow=(1, 1))
    for cx, cy in fillet[:4]:
        diamond = [(cx, cy - 6), (cx + 6, cy), (cx, cy + 6), (cx - 6, cy), (cx, cy - 6)]
        draw_metal(canvas, [diamond], 1.6, GOLD, shadow=(1, 2))


def draw_emblem(canvas, cx, cy, radius, weight=1.0):
    """An anchor in a bronze ring over a sea-green disc. weight thickens the strokes for the
    small icon."""
    s = radius / 52.0
    ring = 3.2 * s * weight
    inner = radius - ring
    for y in range(int(cy - radius), int(cy + radius) + 1):
        for x in range(int(cx - radius), int(cx + radius) + 1):
            r = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if r < inner:
                depth = 1 - r / radius
                tone = 0.2 + 0.35 * depth + 0.08 * (hash01(x, y, 19) - 0.5)
                tone -= 0.12 * (y - cy) / radius
                canvas.blend(x, y, ramp(SEA, tone), min(1.0, inner - r))
    draw_metal(canvas, [arc(cx, cy, inner, inner, 0, 360, 72)], ring, BRONZE,
               shadow=(round(3 * s), round(4 * s)))

    def p(dx, dy):
        return (cx + dx * s, cy + dy * s)

    anchor = [
        arc(cx, cy - 30 * s, 7 * s, 7 * s, 0, 360, 24),
        [p(0, -23), p(0, 34)],
        [p(-19, -12), p(19, -12)],
        arc(cx, cy + 4 * s, 32 * s, 30 * s, 160, 20, 30),
        [p(-30, 14), p(-36, 4)],
        [p(-30, 14), p(-21, 11)],
        [p(30, 14), p(36, 4)],
        [p(30, 14), p(21, 11)],
    ]
    draw_metal(canvas, anchor, 2.6 * s * weight, GOLD, shadow=(round(3 * s), round(4 * s)))


def draw_waves(canvas, cx, y, span):
    for k in range(3):
        amplitude = 3.2 - k * 0.6
        wave = [(cx - span / 2 + i * span / 90.0,
                 y + k * 9 + amplitude * math.sin(i * span / 90.0 / 14.0 + k * 1.7))
                for i in range(91)]
        draw_metal(canvas, [wave], 1.4 - k * 0.2, SEA, shadow=(1, 2),
                   face=lambda t: 0.78 - 0.1 * k)


def draw_logo(canvas):
    cx = (PANEL[0] + PANEL[2]) // 2
    draw_emblem(canvas, cx, 138, 52)
    for text, size, tracking, top in (("MOSS", 50, 9, 222), ("HARBOR", 33, 6, 292)):
        width = text_width(text, size, tracking)
        strokes, _ = layout_text(text, cx - width / 2, top, size, tracking)
        draw_metal(canvas, strokes, 4.6 if size > 40 else 3.6, GOLD)
    rule = 350
    draw_metal(canvas, [[(cx - 96, rule), (cx + 96, rule)]], 1.2, GOLD, shadow=(1, 2))
    diamond = [(cx, rule - 6), (cx + 6, rule), (cx, rule + 6), (cx - 6, rule), (cx, rule - 6)]
    draw_metal(canvas, [diamond], 1.6, GOLD, shadow=(1, 2))
    draw_waves(canvas, cx, 384, 190)


def background():
    stone = Stone(1998, WIDTH + 1024, HEIGHT + 512)
    canvas = Canvas(WIDTH, HEIGHT)
    fill_stone(canvas, stone, (0, 0), vignette)
    draw_panel_frame(canvas, stone)
    draw_logo(canvas)
    return canvas


def bar(size, offset):
    """A slab of the same stone, a little lighter, set into the wall: dark top, light bottom."""
    width, height = size
    stone = Stone(2024, WIDTH + 64, HEIGHT + 64)
    canvas = Canvas(width, height)
    bevel = 3

    def lift(x, y):
        edge_top, edge_bottom = y, height - 1 - y
        edge_left, edge_right = x, width - 1 - x
        v = 0.13 - 0.02 * abs(y - height / 2) / (height / 2)
        if edge_top < bevel and edge_top <= min(edge_left, edge_right):
            return v - 0.2 + 0.045 * edge_top
        if edge_bottom < bevel and edge_bottom <= min(edge_left, edge_right):
            return v + 0.2 - 0.045 * edge_bottom
        if edge_left < bevel:
            return v - 0.12 + 0.03 * edge_left
        if edge_right < bevel:
            return v + 0.12 - 0.03 * edge_right
        return v

    fill_stone(canvas, stone, offset, lift)
    return canvas


# ---------------------------------------------------------------------------------------------
# Files


def rows_of(canvas, palette):
    q = Quantiser(palette)
    return [bytes(q.index(c) for c in row) for row in canvas.pixels]


def bmp_bytes(rows, palette):
    """Uncompressed 8-bit BMP, bottom-up, 40-byte header, biClrUsed 0, 256-entry table."""
    height, width = len(rows), len(rows[0])
    stride = (width + 3) & ~3
    bits = b"".join(row + b"\0" * (stride - width) for row in reversed(rows))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, 0, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + table + bits


def png_bytes(canvas_rgb, width, height):
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in canvas_rgb)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print(f"wrote {os.path.relpath(path)} ({len(data)} bytes)")


# ---------------------------------------------------------------------------------------------
# Icon


ICON_PALETTE_16 = ([(0, 0, 0)] + [tuple(int(round(c)) for c in ramp(GOLD, t))
                                  for t in (0.2, 0.45, 0.65, 0.82, 1.0)] +
                   [tuple(int(round(c)) for c in ramp(BRONZE, t)) for t in (0.25, 0.55, 0.85)] +
                   [tuple(int(round(c)) for c in ramp(SEA, t)) for t in (0.12, 0.3, 0.5, 0.75)] +
                   [tuple(int(round(c)) for c in ramp(STONE, t)) for t in (0.15, 0.4, 0.7)])


def icon_image(size, weight):
    """The emblem at size x size pixels (drawn 8 times larger and averaged), and its mask of
    opaque pixels."""
    scale = 8
    big = Canvas(size * scale, size * scale)
    centre = size * scale / 2.0
    draw_emblem(big, centre, centre, centre - scale * 0.5, weight)
    pixels, opaque = [], []
    for y in range(size):
        row, mask = [], []
        for x in range(size):
            block = [big.pixels[y * scale + j][x * scale + i] for j in range(scale)
                     for i in range(scale)]
            row.append(tuple(sum(c[k] for c in block) / len(block) for k in range(3)))
            mask.append(math.hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) < size / 2.0)
        pixels.append(row)
        opaque.append(mask)
    return pixels, opaque


def icon_entry(size, bit_count, palette, pixels, opaque):
    q = Quantiser(palette)
    indices = [[q.index(c) if opaque[y][x] else 0 for x, c in enumerate(row)]
               for y, row in enumerate(pixels)]
    xor_rows = []
    for row in reversed(indices):
        if bit_count == 4:
            data = bytes((row[k] << 4) | row[k + 1] for k in range(0, size, 2))
        else:
            data = bytes(row)
        xor_rows.append(data + b"\0" * ((-len(data)) % 4))
    and_rows = []
    for mask in reversed(opaque):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if mask[x] else 1)
        data = bits.to_bytes(size // 8, "big")
        and_rows.append(data + b"\0" * ((-len(data)) % 4))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    table += b"\0" * (4 * (1 << bit_count) - len(table))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0, len(bits), 0, 0, 0, 0)
    return info + table + bits


def ico_bytes():
    images = []
    large, large_mask = icon_image(32, 1.0)
    small, small_mask = icon_image(16, 1.7)
    for size, bit_count, palette, pixels, opaque in (
            (32, 4, ICON_PALETTE_16, large, large_mask),
            (32, 8, BACKGROUND_PALETTE, large, large_mask),
            (16, 4, ICON_PALETTE_16, small, small_mask)):
        images.append((size, bit_count, icon_entry(size, bit_count, palette, pixels, opaque)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, bit_count, image in images:
        colours = 16 if bit_count == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bit_count, len(image),
                               offset + len(data))
        data += image
    return directory + entries + data


# ---------------------------------------------------------------------------------------------
# Readability of the label colours


def luminance(colour):
    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    r, g, b = (linear(c) for c in colour)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def mean_colour(rows, palette, box):
    x0, y0, x1, y1 = box
    total, count = [0, 0, 0], 0
    for y in range(y0, y1):
        for x in range(x0, x1):
            for k in range(3):
                total[k] += palette[rows[y][x]][k]
            count += 1
    return tuple(t / count for t in total)


LABEL_COLOURS = {"grey": (184, 184, 184), "orange": (255, 120, 30)}


def report_contrast(background_rows, wide_rows, narrow_rows):
    """Worst contrast of both label colours against the mean colour of every 14-pixel text
    band of the menu area and of the bars."""
    areas = []
    for top in range(30, 450, 60):
        for offset in (10, 20, 27):
            areas.append(("background", background_rows, BACKGROUND_PALETTE,
                          (325, top + offset, 621, top + offset + 14)))
    for name, rows, width in (("wide bar", wide_rows, 295), ("narrow bar", narrow_rows, 147)):
        for offset in (10, 20, 27):
            areas.append((name, rows, BAR_PALETTE, (4, offset, width - 4, offset + 14)))
    worst = {}
    for name, rows, palette, box in areas:
        mean = mean_colour(rows, palette, box)
        for colour_name, colour in LABEL_COLOURS.items():
            ratio = contrast(colour, mean)
            key = (name, colour_name)
            if key not in worst or ratio < worst[key][0]:
                worst[key] = (ratio, mean)
    for (name, colour_name), (ratio, mean) in sorted(worst.items()):
        print(f"contrast {colour_name:6} on {name:10}: {ratio:4.1f}:1 (mean under text "
              f"{tuple(round(c) for c in mean)})")
    return min(ratio for ratio, _ in worst.values())


# ---------------------------------------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also write a PNG of the background with two bars")
    args = parser.parse_args()
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "artwork")
    os.makedirs(out, exist_ok=True)

    background_rows = rows_of(background(), BACKGROUND_PALETTE)
    wide_rows = rows_of(bar(WIDE_BAR, (325, 90)), BAR_PALETTE)
    narrow_rows = rows_of(bar(NARROW_BAR, (473, 390)), BAR_PALETTE)
    write(os.path.join(out, "bar_wide.bmp"), bmp_bytes(wide_rows, BAR_PALETTE))
    # 149 only lends its colour table to 151; it carries the same picture.
    write(os.path.join(out, "palette.bmp"), bmp_bytes(background_rows, BACKGROUND_PALETTE))
    write(os.path.join(out, "bar_narrow.bmp"), bmp_bytes(narrow_rows, BAR_PALETTE))
    write(os.path.join(out, "background.bmp"), bmp_bytes(background_rows, BACKGROUND_PALETTE))
    write(os.path.join(out, "launcher.ico"), ico_bytes())
    worst = report_contrast(background_rows, wide_rows, narrow_rows)

    if args.preview:
        picture = [[BACKGROUND_PALETTE[i] for i in row] for row in background_rows]
        for rows, left, top in ((wide_rows, 325, 90), (narrow_rows, 473, 390)):
            for y, row in enumerate(rows):
                picture[top + y][left:left + len(row)] = [BAR_PALETTE[i] for i in row]
        write(args.preview, png_bytes(picture, WIDTH, HEIGHT))
    return 0 if worst >= 4.5 else 1


if __name__ == "__main__":
    sys.exit(main())
