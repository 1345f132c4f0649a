#!/usr/bin/env python3
"""Draws the program's own pictures and writes them as PNG and ICO files.

Every shape is a signed distance function in a unit square (0..1, y down).
Each pixel is sampled on a 3 x 3 grid, and each sample's coverage comes from
its distance to the edge, so edges are anti-aliased at every size. Layers
are composited with straight alpha. Only the standard library is used.

Run from anywhere: python3 resources/art/make_art.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)


# ---- shapes: distance < 0 inside ------------------------------------------

def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0), max(qy, 0))
        return outside + min(max(qx, qy), 0) - r
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return d


def polygon(points):
    n = len(points)

    def d(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-12):
                inside = not inside
        return -best if inside else best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def gear(cx, cy, r_outer, r_inner, teeth, hole):
    def d(x, y):
        angle = math.atan2(y - cy, x - cx)
        # A smooth-sided tooth profile between the two radii.
        wave = 0.5 + 0.5 * max(-1.0, min(1.0, 2.2 * math.cos(teeth * angle)))
        radius = r_inner + (r_outer - r_inner) * wave
        return max((math.hypot(x - cx, y - cy) - radius) * 0.8,
                   -(math.hypot(x - cx, y - cy) - hole))
    return d


# ---- paint ------------------------------------------------------------------

def solid(rgb, alpha=1.0):
    return lambda x, y: (rgb[0], rgb[1], rgb[2], alpha)


def vertical(top, bottom, y0=0.0, y1=1.0, alpha=1.0):
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3)) + (alpha,)
    return paint


def render(layers, size, samples=3):
    """layers: list of (shape, paint). Returns rows of (r, g, b, a) bytes."""
    pixels = []
    step = 1.0 / samples
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) * step) / size
                    y = (py + (sy + 0.5) * step) / size
                    r = g = b = a = 0.0
                    for shape, paint in layers:
                        # Coverage across one sample's width of the edge.
                        c = 0.5 - shape(x, y) * size * samples
                        if c <= 0:
                            continue
                        c = min(c, 1.0)
                        lr, lg, lb, la = paint(x, y)
                        la *= c
                        r = lr * la + r * (1 - la)
                        g = lg * la + g * (1 - la)
                        b = lb * la + b * (1 - la)
                        a = la + a * (1 - la)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = samples * samples
            a = acc[3] / n
            if a <= 0:
                row.append((0, 0, 0, 0))
                continue
            row.append(tuple(int(round(min(255, acc[i] / n / a))) for i in range(3)) +
                       (int(round(a * 255)),))
        pixels.append(row)
    return pixels


# ---- files -------------------------------------------------------------------

def png_bytes(pixels):
    size_y, size_x = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size_x, size_y, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_entry(pixels):
    """A 32-bit icon bitmap: header, BGRA rows bottom-up, then the AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(c for p in row for c in (p[2], p[1], p[0], p[3]))
                      for row in reversed(pixels))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico_bytes(images):
    """images: list of (size, pixels); 256 px entries are stored as PNG."""
    entries = [png_bytes(p) if size >= 256 else dib_entry(p) for size, p in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), data in zip(images, entries):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(entries)


# ---- the pictures ------------------------------------------------------------

WHITE = (255, 255, 255)
SHADOW = (0, 0, 0)


def launcher_mark():
    # A blue rounded square holding a 2 x 2 grid of tiles, one of them warm.
    body = rounded_rect(0.06, 0.06, 0.94, 0.94, 0.2)
    tiles = []
    for i, (x, y) in enumerate([(0.22, 0.22), (0.53, 0.22), (0.22, 0.53), (0.53, 0.53)]):
        colour = (255, 196, 64) if i == 1 else WHITE
        tiles.append((rounded_rect(x, y, x + 0.25, y + 0.25, 0.06), solid(colour)))
    return [(body, vertical((64, 142, 232), (28, 78, 170), 0.06, 0.94))] + tiles


def close_x(rgb):
    stroke = union(segment(0.3, 0.3, 0.7, 0.7, 0.11), segment(0.7, 0.3, 0.3, 0.7, 0.11))
    return [(stroke, solid(rgb))]


def computer():
    frame = rounded_rect(0.08, 0.12, 0.92, 0.72, 0.06)
    screen = rounded_rect(0.14, 0.18, 0.86, 0.64, 0.02)
    neck = polygon([(0.43, 0.72), (0.57, 0.72), (0.6, 0.84), (0.4, 0.84)])
    base = rounded_rect(0.26, 0.82, 0.74, 0.9, 0.04)
    glare = intersect(screen, polygon([(0.14, 0.18), (0.55, 0.18), (0.14, 0.5)]))
    return [(union(neck, base), vertical((150, 158, 170), (96, 104, 116), 0.72, 0.9)),
            (frame, vertical((70, 78, 92), (40, 46, 56), 0.12, 0.72)),
            (screen, vertical((82, 176, 255), (22, 98, 200), 0.18, 0.64)),
            (glare, solid(WHITE, 0.18))]


def control_panel():
    panel = rounded_rect(0.1, 0.1, 0.9, 0.9, 0.12)
    layers = [(panel, vertical((92, 104, 124), (58, 66, 82), 0.1, 0.9))]
    knobs = [(0.62, (255, 176, 48)), (0.36, (96, 200, 120)), (0.7, (82, 160, 255))]
    for i, (at, colour) in enumerate(knobs):
        y = 0.3 + i * 0.2
        layers.append((segment(0.22, y, 0.78, y, 0.05), solid((200, 206, 216))))
        layers.append((circle(at, y, 0.075), solid(colour)))
        layers.append((ring(at, y, 0.075, 0.02), solid((30, 34, 42), 0.5)))
    return layers


def recycle_bin():
    body = polygon([(0.22, 0.3), (0.78, 0.3), (0.72, 0.9), (0.28, 0.9)])
    body = union(body, rounded_rect(0.28, 0.8, 0.72, 0.92, 0.05))
    lid = rounded_rect(0.14, 0.2, 0.86, 0.3, 0.04)
    handle = subtract(rounded_rect(0.38, 0.1, 0.62, 0.24, 0.05),
                      rounded_rect(0.44, 0.15, 0.56, 0.3, 0.02))
    ribs = union(*[segment(x, 0.4, x + (x - 0.5) * 0.12, 0.8, 0.045) for x in (0.37, 0.5, 0.63)])
    return [(union(lid, handle), vertical((120, 200, 150), (50, 140, 96), 0.1, 0.3)),
            (body, vertical((96, 190, 134), (34, 120, 80), 0.3, 0.92)),
            (ribs, solid(WHITE, 0.75))]


def network():
    globe = circle(0.5, 0.5, 0.4)
    lines = union(ring(0.5, 0.5, 0.4, 0.045),
                  segment(0.1, 0.5, 0.9, 0.5, 0.04),
                  segment(0.5, 0.1, 0.5, 0.9, 0.04),
                  intersect(ring(0.5, 0.2, 0.42, 0.04), circle(0.5, 0.5, 0.4)),
                  intersect(ring(0.5, 0.8, 0.42, 0.04), circle(0.5, 0.5, 0.4)),
                  intersect(ring(0.78, 0.5, 0.4, 0.04), circle(0.5, 0.5, 0.4)),
                  intersect(ring(0.22, 0.5, 0.4, 0.04), circle(0.5, 0.5, 0.4)))
    return [(globe, vertical((64, 196, 228), (20, 110, 180), 0.1, 0.9)),
            (lines, solid(WHITE, 0.85))]


def printer():
    paper_in = rounded_rect(0.28, 0.1, 0.72, 0.42, 0.03)
    body = rounded_rect(0.1, 0.34, 0.9, 0.74, 0.08)
    slot = rounded_rect(0.22, 0.6, 0.78, 0.66, 0.02)
    paper_out = rounded_rect(0.26, 0.62, 0.74, 0.92, 0.03)
    text = union(segment(0.34, 0.74, 0.66, 0.74, 0.035), segment(0.34, 0.82, 0.58, 0.82, 0.035))
    light = circle(0.78, 0.45, 0.035)
    return [(paper_in, solid((236, 240, 246))),
            (body, vertical((150, 158, 172), (86, 94, 108), 0.34, 0.74)),
            (slot, solid((40, 44, 52))),
            (paper_out, solid(WHITE)),
            (text, solid((120, 140, 170))),
            (light, solid((96, 230, 120)))]


def tools():
    wheel = gear(0.5, 0.5, 0.42, 0.32, 8, 0.13)
    return [(wheel, vertical((255, 186, 72), (222, 120, 32), 0.08, 0.92)),
            (ring(0.5, 0.5, 0.2, 0.03), solid(WHITE, 0.35))]


PLACES = [  # file name (UTF-8 on disk), picture
    ("我的电脑", computer),
    ("控制面板", control_panel),
    ("回收站", recycle_bin),
    ("网络连接", network),
    ("打印机", printer),
    ("电脑工具", tools),
]


def main():
    mark = launcher_mark()
    write(os.path.join(RESOURCES, "orvanto.ico"),
          ico_bytes([(s, render(mark, s)) for s in (16, 24, 32, 48, 256)]))
    write(os.path.join(RESOURCES, "tray.ico"), ico_bytes([(48, render(mark, 48))]))

    names = ["normal", "over", "down", "disabled"]
    for i, name in enumerate(names):
        rgb = WHITE if i == 0 else (212, 35, 122)
        write(os.path.join(RESOURCES, "close_%s.png" % name), png_bytes(render(close_x(rgb), 16, 5)))

    os.makedirs(os.path.join(RESOURCES, "ico"), exist_ok=True)
    for name, picture in PLACES:
        layers = picture()
        write(os.path.join(RESOURCES, "ico", name + ".ico"),
              ico_bytes([(s, render(layers, s, 3 if s < 256 else 2)) for s in (16, 32, 48, 256)]))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.relpath(path, RESOURCES), len(data), "bytes")


if __name__ == "__main__":
    main()
