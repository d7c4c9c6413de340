#!/usr/bin/env python3
"""Draws Vexlo's bitmaps 1-10 and its two icons and writes them as palette
BMP and ICO files.

    python3 tools/artgen/artgen.py [output folder]     (default: resources/)

Standard library only. Shapes are signed distance functions (negative inside,
in pixels); a pixel whose centre is close to an edge is supersampled, so every
edge is antialiased by coverage. The pictures are then reduced to a small
colour table and written at 4 or 8 bits per pixel.
"""
import math
import os
import struct
import sys

# The program's own colours.
WHITE = (255, 255, 255)
BASE = (104, 126, 210)
LIGHT = (155, 177, 255)
DARK = (35, 51, 156)
MENU_GROUND = (255, 255, 225)
MENU_HOVER = (252, 152, 222)
GREY = (192, 192, 192)          # becomes the button face when loaded
CLOSE_LOOKS = (                 # (cross, ground) of the three close-glyph cells
    ((240, 240, 240), (173, 58, 29)),
    ((255, 255, 255), (245, 80, 71)),
    ((223, 154, 136), (138, 43, 20)),
)

SS = 8  # samples per axis on edge pixels


# --------------------------------------------------------------------------
# Shapes
# --------------------------------------------------------------------------

def _union_box(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _meet_box(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Shape:
    """A region given by a 1-Lipschitz function, negative inside."""

    def __init__(self, f, box):
        self.f = f
        self.box = box  # x0, y0, x1, y1 enclosing the inside

    def __or__(self, o):
        a, b = self.f, o.f
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _union_box(self.box, o.box))

    def __and__(self, o):
        a, b = self.f, o.f
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _meet_box(self.box, o.box))

    def __sub__(self, o):
        a, b = self.f, o.f
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def grow(self, d):
        f = self.f
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: f(x, y) - d, (x0 - d, y0 - d, x1 + d, y1 + d))

    def moved(self, dx, dy):
        f = self.f
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: f(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))

    def placed(self, xf):
        f = self.f
        inv = xf.inverse
        x0, y0, x1, y1 = self.box
        pts = [xf.forward(x, y) for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1))]
        box = (min(p[0] for p in pts), min(p[1] for p in pts),
               max(p[0] for p in pts), max(p[1] for p in pts))
        return Shape(lambda x, y: f(*inv(x, y)), box)

    def sheared(self, k, y0):
        """Slant: x moves right by k * (y0 - y)."""
        f = self.f
        norm = abs(k) / 2 + math.sqrt(1 + k * k / 4)  # largest stretch of the shear
        bx0, by0, bx1, by1 = self.box
        xs = [bx0 + k * (y0 - by0), bx0 + k * (y0 - by1), bx1 + k * (y0 - by0), bx1 + k * (y0 - by1)]
        return Shape(lambda x, y: f(x - k * (y0 - y), y) / norm, (min(xs), by0, max(xs), by1))


class Xform:
    """Rotation by deg (clockwise on screen) about local (ox, oy), which lands on (tx, ty)."""

    def __init__(self, deg, ox, oy, tx, ty):
        a = math.radians(deg)
        self.c, self.s = math.cos(a), math.sin(a)
        self.o = (ox, oy)
        self.t = (tx, ty)

    def forward(self, x, y):
        u, v = x - self.o[0], y - self.o[1]
        return (self.t[0] + u * self.c - v * self.s, self.t[1] + u * self.s + v * self.c)

    def inverse(self, x, y):
        u, v = x - self.t[0], y - self.t[1]
        return (self.o[0] + u * self.c + v * self.s, self.o[1] - u * self.s + v * self.c)


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return Shape(lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m,
                 (cx - rx, cy - ry, cx + rx, cy + ry))


def rrect(x0, y0, x1, y1, r=0.0, r_bottom=None):
    """Rounded rectangle; r_bottom gives the lower corners their own radius."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2

    def f(x, y):
        rr = r if (r_bottom is None or y < cy) else r_bottom
        qx = abs(x - cx) - hx + rr
        qy = abs(y - cy) - hy + rr
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - rr
    return Shape(f, (x0, y0, x1, y1))


def capsule(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9

    def f(x, y):
        t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / ll))
        return math.hypot(x - ax - ex * t, y - ay - ey * t) - r
    return Shape(f, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def polygon(pts):
    pts = list(pts)
    n = len(pts)

    def f(x, y):
        best = 1e18
        inside = False
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        d = math.sqrt(best)
        return -d if inside else d
    return Shape(f, (min(p[0] for p in pts), min(p[1] for p in pts),
                     max(p[0] for p in pts), max(p[1] for p in pts)))


def ring(cx, cy, r, w):
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - w / 2,
                 (cx - r - w, cy - r - w, cx + r + w, cy + r + w))


def sector(cx, cy, a0, a1, reach):
    """Wedge from angle a0 to a1 (degrees, clockwise on screen from +x)."""
    steps = max(1, int(math.ceil((a1 - a0) / 30.0)))
    pts = [(cx, cy)]
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + reach * math.cos(a) / math.cos(math.radians(15)),
                    cy + reach * math.sin(a) / math.cos(math.radians(15))))
    return polygon(pts)


def arc(cx, cy, r, w, a0, a1):
    return ring(cx, cy, r, w) & sector(cx, cy, a0, a1, r + w + 2)


def arrow_head(tx, ty, deg, length, half_width):
    """Triangle with its tip at (tx, ty), pointing along deg."""
    a = math.radians(deg)
    ux, uy = math.cos(a), math.sin(a)
    bx, by = tx - ux * length, ty - uy * length
    return polygon([(tx, ty), (bx - uy * half_width, by + ux * half_width),
                    (bx + uy * half_width, by - ux * half_width)])


# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def ramp(stops):
    """stops: [(t, colour), ...] ascending; returns colour of t."""
    def at(t):
        if t <= stops[0][0]:
            return stops[0][1]
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                return mix(c0, c1, (t - t0) / (t1 - t0))
        return stops[-1][1]
    return at


def vgrad(y0, y1, stops):
    r = ramp(stops)
    return lambda x, y: r((y - y0) / (y1 - y0))


def hgrad(x0, x1, stops):
    r = ramp(stops)
    return lambda x, y: r((x - x0) / (x1 - x0))


def radial(cx, cy, rad, stops):
    r = ramp(stops)
    return lambda x, y: r(math.hypot(x - cx, y - cy) / rad)


def in_frame(xf, colour):
    """A colour function written in local coordinates, used on screen."""
    return lambda x, y: colour(*xf.inverse(x, y))


# --------------------------------------------------------------------------
# Canvas
# --------------------------------------------------------------------------

_OFFS = [(i + 0.5) / SS - 0.5 for i in range(SS)]


def coverage(f, x, y):
    d = f(x, y)
    if d >= 0.71:
        return 0.0
    if d <= -0.71:
        return 1.0
    hits = 0
    for oy in _OFFS:
        for ox in _OFFS:
            if f(x + ox, y + oy) < 0:
                hits += 1
    return hits / (SS * SS)


class Canvas:
    """Straight (not premultiplied) colour with alpha, floats."""

    def __init__(self, w, h, ground=None):
        self.w, self.h = w, h
        if ground is None:
            self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]
        else:
            self.px = [[float(ground[0]), float(ground[1]), float(ground[2]), 1.0] for _ in range(w * h)]

    def blend(self, x, y, c, a):
        if a <= 0:
            return
        p = self.px[y * self.w + x]
        da = p[3] * (1 - a)
        oa = a + da
        p[0] = (c[0] * a + p[0] * da) / oa
        p[1] = (c[1] * a + p[1] * da) / oa
        p[2] = (c[2] * a + p[2] * da) / oa
        p[3] = oa

    def put(self, x, y, c):
        self.px[y * self.w + x] = [float(c[0]), float(c[1]), float(c[2]), 1.0]

    def paint(self, shape, colour, alpha=1.0):
        x0, y0, x1, y1 = shape.box
        f = shape.f
        for py in range(max(0, int(math.floor(y0)) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            for px in range(max(0, int(math.floor(x0)) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                cov = coverage(f, px + 0.5, py + 0.5)
                if cov > 0:
                    c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                    self.blend(px, py, c, cov * alpha)

    def outlined(self, shape, edge, fill, width=1.0):
        """Fill the shape with an edge band of the given width."""
        self.paint(shape, edge)
        self.paint(shape.grow(-width), fill)

    def draw(self, layer, dx=0, dy=0):
        for y in range(layer.h):
            for x in range(layer.w):
                p = layer.px[y * layer.w + x]
                tx, ty = x + dx, y + dy
                if p[3] > 0 and 0 <= tx < self.w and 0 <= ty < self.h:
                    self.blend(tx, ty, p, p[3])

    def rgb(self, ground=(0, 0, 0)):
        out = []
        for p in self.px:
            a = p[3]
            out.append(tuple(int(round(p[i] * a + ground[i] * (1 - a))) for i in range(3)))
        return out


# --------------------------------------------------------------------------
# Colour tables and files
# --------------------------------------------------------------------------

def palettize(pixels, keep=(), limit=256):
    """Returns (palette, indices). Colours in keep stay exact entries; the rest
    are reduced by median cut when there are more than the limit."""
    counts = {}
    for c in pixels:
        counts[c] = counts.get(c, 0) + 1
    keep = [c for c in keep if c in counts]
    if len(counts) <= limit:
        pal = keep + sorted(c for c in counts if c not in keep)
        index = {c: i for i, c in enumerate(pal)}
        return pal, [index[c] for c in pixels]

    rest = [(c, n) for c, n in counts.items() if c not in keep]
    boxes = [rest]
    while len(boxes) < limit - len(keep):
        def spread(b):
            return max(max(c[0][i] for c in b) - min(c[0][i] for c in b) for i in range(3))
        cand = [b for b in boxes if len(b) > 1]
        if not cand:
            break
        b = max(cand, key=lambda b: spread(b) * sum(n for _, n in b) ** 0.5)
        axis = max(range(3), key=lambda i: max(c[0][i] for c in b) - min(c[0][i] for c in b))
        b.sort(key=lambda cn: cn[0][axis])
        total = sum(n for _, n in b)
        run, cut = 0, 1
        for i, (_, n) in enumerate(b):
            run += n
            if run * 2 >= total:
                cut = min(max(i + 1, 1), len(b) - 1)
                break
        boxes.remove(b)
        boxes += [b[:cut], b[cut:]]
    pal = list(keep)
    mapping = {c: i for i, c in enumerate(keep)}
    for b in boxes:
        total = sum(n for _, n in b)
        avg = tuple(int(round(sum(c[i] * n for c, n in b) / total)) for i in range(3))
        while avg in keep:  # a reduced colour must never turn into a reserved one
            avg = (avg[0], avg[1], max(0, avg[2] - 1))
        for c, _ in b:
            mapping[c] = len(pal)
        pal.append(avg)
    return pal, [mapping[c] for c in pixels]


def pack_rows(w, h, bpp, value):
    """Bottom-up rows, padded to 32 bits; value(x, y) gives each pixel."""
    stride = ((w * bpp + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            v = value(x, y)
            if bpp == 8:
                row[x] = v
            elif bpp == 4:
                row[x >> 1] |= v << (4 if x % 2 == 0 else 0)
            else:
                row[x >> 3] |= v << (7 - x % 8)
        out += row
    return bytes(out)


def colour_table(pal, entries):
    pal = list(pal) + [(0, 0, 0)] * (entries - len(pal))
    return b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in pal)


def bmp_file(w, h, pixels, keep=()):
    pal, idx = palettize(pixels, keep)
    bpp = 4 if len(pal) <= 16 else 8  # never 1: a 1-bit DIB would load monochrome
    bits = pack_rows(w, h, bpp, lambda x, y: idx[y * w + x])
    table = colour_table(pal, len(pal))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(bits), 0, 0, len(pal), 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + table + bits


def ico_image(canvas, bpp):
    """One icon image: colour bits plus AND mask; alpha below one half is transparent."""
    w, h = canvas.w, canvas.h
    solid = [p[3] >= 0.5 for p in canvas.px]
    colours = [tuple(int(round(p[i])) for i in range(3)) for p, s in zip(canvas.px, solid) if s]
    entries = 1 << bpp
    pal, idx = palettize(colours, limit=entries - 1)
    pal = [(0, 0, 0)] + pal  # entry 0 stands under the transparent pixels
    it = iter(idx)
    full = [next(it) + 1 if s else 0 for s in solid]
    xor = pack_rows(w, h, bpp, lambda x, y: full[y * w + x])
    mask = pack_rows(w, h, 1, lambda x, y: 0 if solid[y * w + x] else 1)
    table = colour_table(pal, entries)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + table + xor + mask


def ico_file(images):
    """images: [(canvas, bpp), ...]"""
    blobs = [ico_image(c, b) for c, b in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (c, bpp), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# --------------------------------------------------------------------------
# Shared pieces
# --------------------------------------------------------------------------

PIN_PLASTIC = [(0.0, (190, 215, 255)), (0.22, (95, 145, 250)), (0.5, (35, 80, 225)),
               (0.78, (22, 52, 180)), (1.0, (40, 80, 200))]
PIN_EDGE = (14, 24, 96)
STEEL = [(0.0, (250, 250, 252)), (0.45, (175, 182, 196)), (1.0, (92, 98, 116))]


def pin_side(k=1.0, steel=STEEL):
    """A push-pin lying on its side, tip at (0,0) pointing to -x, axis y = 0.
    Returns [(shape, colour, edge or None)] in local coordinates; k scales it."""
    parts = []

    def vshade(top, bottom, stops):
        return vgrad(top * k, bottom * k, stops)

    needle = polygon([(0.2 * k, 0.0), (9.0 * k, -0.8 * k), (9.0 * k, 0.8 * k)])
    parts.append((needle, vshade(-0.9, 0.9, steel), None))
    collar = rrect(7.8 * k, -5.6 * k, 10.4 * k, 5.6 * k, 1.1 * k)
    waist = polygon([(10.0 * k, -3.3 * k), (14.4 * k, -2.6 * k), (14.4 * k, 2.6 * k), (10.0 * k, 3.3 * k)])
    head = rrect(14.0 * k, -7.9 * k, 20.4 * k, 7.9 * k, 2.2 * k)
    parts.append((waist, vshade(-3.3, 3.3, PIN_PLASTIC), PIN_EDGE))
    parts.append((collar, vshade(-5.6, 5.6, PIN_PLASTIC), PIN_EDGE))
    parts.append((head, vshade(-7.9, 7.9, PIN_PLASTIC), PIN_EDGE))
    return parts


def draw_parts(cv, parts, xf=None, edge_width=1.0):
    for shape, colour, edge in parts:
        if xf is not None:
            shape = shape.placed(xf)
            if callable(colour):
                colour = in_frame(xf, colour)
        if edge is None:
            cv.paint(shape, colour)
        else:
            cv.outlined(shape, edge, colour, edge_width)


# --------------------------------------------------------------------------
# Bitmap 1: title strip
# --------------------------------------------------------------------------

# One colour per row of the bar, top to bottom: dark rim, bright gloss on the
# upper half, a sharp gloss edge, then a deeper blue that lifts toward the
# bottom rim.
BAR_ROWS = [
    (24, 46, 142), (160, 196, 255), (132, 174, 253), (118, 163, 251), (106, 153, 249),
    (96, 144, 247), (86, 135, 244), (77, 127, 241), (69, 119, 238), (61, 111, 235),
    (28, 76, 210), (25, 73, 209), (26, 76, 212), (28, 81, 216), (31, 87, 221),
    (35, 94, 226), (40, 102, 231), (46, 111, 236), (54, 121, 241), (64, 133, 246),
    (84, 152, 251), (24, 46, 142),
]


def bar_row(y):
    i = min(21, max(0, int(y)))
    return BAR_ROWS[i]


def glyphs_vexlo():
    """The product name as strokes; returns the shape and its width."""
    w = 1.1                          # half stroke
    top, xh, base = 6.0, 9.1, 16.3   # cap line, x-height and baseline (stroke centres)
    cy, r = (xh + base) / 2, (base - xh) / 2
    shapes = []
    x = 0.0
    # V
    shapes += [capsule(x + w, top, x + 4.7, base, w), capsule(x + 9.4 - w, top, x + 4.7, base, w)]
    x += 9.4 + 1.5
    # e: a bowl open at the lower right, with a bar across the middle
    cx = x + w + r
    gap = 38.0
    end = math.radians(gap)
    shapes += [arc(cx, cy, r, 2 * w, gap, 360),
               capsule(cx + r * math.cos(end), cy + r * math.sin(end), cx + r * math.cos(end),
                       cy + r * math.sin(end), w),
               capsule(cx - r, cy - 0.1, cx + r, cy - 0.1, 0.75)]
    x = cx + r + w + 1.5
    # x
    x0, x1 = x + w, x + 7.4 - w
    shapes += [capsule(x0, xh, x1, base, w), capsule(x1, xh, x0, base, w)]
    x += 7.4 + 1.7
    # l
    shapes += [capsule(x + w, top - 0.4, x + w, base, w)]
    x += 2 * w + 1.7
    # o
    cx = x + w + r
    shapes += [ring(cx, cy, r, 2 * w)]
    x = cx + r + w
    out = shapes[0]
    for s in shapes[1:]:
        out = out | s
    return out, x


def bitmap1():
    w, h = 97, 22
    cv = Canvas(w, h, BASE)
    bar = rrect(0, 0, w, h, 5.5, 4.0)
    cv.paint(bar, BAR_ROWS[0])
    cv.paint(bar.grow(-1), lambda x, y: bar_row(y))
    # A faint light rim inside the rounded ends keeps them from looking cut off.
    ends = bar.grow(-1) - rrect(2.2, 0, w - 2.2, h, 0)
    cv.paint(ends - bar.grow(-2), (150, 190, 255), 0.35)
    for x in range(5, 92):        # the stretched columns and the lettering ground
        for y in range(h):
            cv.put(x, y, BAR_ROWS[y])

    text, tw = glyphs_vexlo()
    text = text.sheared(0.16, 16.3)
    left = 7 + (84 - tw) / 2 - 0.6
    text = text.moved(left, 0)
    shadow = text.moved(0.9, 0.9)
    lettering = Canvas(w, h)
    lettering.paint(shadow.grow(0.35), (10, 24, 90), 0.75)
    lettering.paint(text.grow(0.3), (20, 44, 70), 0.6)
    lettering.paint(text, vgrad(6, 17, [(0.0, (236, 255, 150)), (0.4, (200, 255, 40)),
                                        (1.0, (132, 214, 0))]))
    # Keep the lettering inside its 84 x 14 block.
    for y in range(h):
        for x in range(w):
            if not (7 <= x < 91 and 5 <= y < 19):
                lettering.px[y * w + x][3] = 0.0
    cv.draw(lettering)
    return w, h, cv.rgb(), (BASE,)


# --------------------------------------------------------------------------
# Bitmap 2: refresh arrows
# --------------------------------------------------------------------------

GREEN = [(0.0, (150, 235, 110)), (0.5, (60, 185, 45)), (1.0, (24, 130, 24))]
GREEN_EDGE = (10, 92, 16)


def bitmap2():
    w, h = 15, 18
    cv = Canvas(w, h, (236, 243, 255))
    cx, cy, r = 7.5, 9.0, 4.4
    # Two arcs chasing each other clockwise, each ending in a broad head that
    # bends a little toward the centre so it reads as turning.
    pieces = []
    for a0, a1 in ((175.0, 285.0), (355.0, 465.0)):
        body = arc(cx, cy, r, 2.2, a0, a1 + 2)
        a = math.radians(a1)
        bx, by = cx + r * math.cos(a), cy + r * math.sin(a)
        d = a1 + 90 + 8
        length = 4.0
        tip_x = bx + length * math.cos(math.radians(d))
        tip_y = by + length * math.sin(math.radians(d))
        pieces.append((body, arrow_head(tip_x, tip_y, d, length, 3.2)))
    # The heads are a shade darker than the arcs so they read at this size.
    for body, head in pieces:
        cv.paint(body, vgrad(3.0, 15.0, [(0.0, (120, 214, 90)), (1.0, (50, 160, 40))]))
        cv.paint(head, vgrad(3.0, 15.0, [(0.0, (40, 150, 36)), (1.0, (14, 104, 16))]))
    return w, h, cv.rgb(), ()


# --------------------------------------------------------------------------
# Bitmaps 3 and 4: images on the standard buttons
# --------------------------------------------------------------------------

# Edges are blended toward a light grey between the classic and the modern
# button faces, so a fringe shows little on either.
FACE_MATTE = (214, 214, 214)


def on_button_face(art):
    out = []
    for p in art.px:
        a = p[3]
        if a < 0.06:
            out.append(GREY)
        else:
            out.append(tuple(int(round(p[i] * a + FACE_MATTE[i] * (1 - a))) for i in range(3)))
    return out


def bitmap3():
    w, h = 18, 14
    art = Canvas(w, h)
    # A return arrow: down the right side, round the bend, back to the left.
    cx, cy, r = 10.2, 4.2, 4.6
    stem = capsule(14.8, 1.4, 14.8, 4.2, 1.25) | arc(cx, cy, r, 2.5, 0, 90) | capsule(10.2, 8.8, 6.2, 8.8, 1.25)
    head = arrow_head(1.2, 8.8, 180, 5.4, 4.1)
    shape = stem | head
    art.paint(shape.grow(0.75), GREEN_EDGE)
    art.paint(shape, vgrad(4.0, 13.0, GREEN))
    return w, h, on_button_face(art), (GREY,)


def bitmap4():
    w, h = 16, 20
    art = Canvas(w, h)
    tick = polygon([(1.6, 10.4), (4.4, 7.8), (6.6, 10.6), (12.6, 3.6), (14.6, 5.8), (6.6, 15.4)])
    art.paint(tick.grow(0.8), GREEN_EDGE)
    art.paint(tick.grow(0.1), vgrad(3.5, 15.5, GREEN))
    return w, h, on_button_face(art), (GREY,)


# --------------------------------------------------------------------------
# Bitmaps 5 and 6: the push-pin of the pin button
# --------------------------------------------------------------------------

def bitmap5():
    w, h = 16, 16
    cv = Canvas(w, h, BASE)
    cx, cy = 7.5, 7.5
    # Seen from above and pushed home: a flat rim flush with the face, with
    # the domed cap in the middle and only a thin shadow round it.
    cv.paint(circle(cx + 0.9, cy + 1.0, 7.0), (36, 46, 118), 0.4)
    rim = circle(cx, cy, 6.7)
    flat = lambda x, y: ramp([(0.0, (150, 188, 255)), (0.5, (60, 104, 236)), (1.0, (24, 50, 172))])(
        ((x - cx) + (y - cy)) / 19.0 + 0.5)
    cv.outlined(rim, PIN_EDGE, flat)
    dome = circle(cx, cy, 4.0)
    cv.paint(dome.grow(0.9), lambda x, y: ramp([(0.0, (24, 52, 170)), (1.0, (170, 204, 255))])(
        ((x - cx) + (y - cy)) / 16.0 + 0.5), 0.9)
    cv.paint(dome, radial(cx - 1.5, cy - 1.6, 5.6, [(0.0, (232, 242, 255)), (0.3, (130, 176, 255)),
                                                   (1.0, (30, 76, 220))]))
    cv.paint(ellipse(cx - 1.5, cy - 1.7, 1.2, 0.8), WHITE, 0.9)
    return w, h, cv.rgb(), (BASE,)


def bitmap6():
    w, h = 21, 17
    cv = Canvas(w, h, BASE)
    k = 0.96
    # A soft shadow under the pin, as if it lay on the face.
    shadow = Canvas(w, h)
    for shape, _, _ in pin_side(k):
        shadow.paint(shape.placed(Xform(0, 0, 0, 1.0, 9.3)), (40, 50, 120), 0.35)
    cv.draw(shadow)
    draw_parts(cv, pin_side(k), Xform(0, 0, 0, 0.0, 8.5))
    cv.paint(rrect(14.9, 1.9, 18.7, 2.8, 0.45), WHITE, 0.55)    # highlight on the head
    return w, h, cv.rgb(), (BASE,)


# --------------------------------------------------------------------------
# Bitmap 7: thumb of the target opacity slider
# --------------------------------------------------------------------------

def bitmap7():
    w, h = 6, 25
    cv = Canvas(w, h, BASE)
    body = rrect(0, 0, 6, 25, 2.4)
    cv.paint(body, (40, 60, 150))
    inner = body.grow(-1)
    blue = hgrad(1, 5, [(0.0, (232, 244, 255)), (0.35, (178, 214, 255)), (1.0, (96, 146, 236))])
    orange = hgrad(1, 5, [(0.0, (255, 226, 150)), (0.35, (255, 170, 40)), (1.0, (214, 104, 0))])
    cv.paint(inner, blue)
    cv.paint(inner & rrect(0, 0, 6, 5.5, 0), orange)
    cv.paint(inner & rrect(0, 19.5, 6, 25, 0), orange)
    # Thin dark seams where the caps meet the bar.
    cv.paint(rrect(1, 5.5, 5, 6.2, 0), (150, 80, 20), 0.6)
    cv.paint(rrect(1, 18.8, 5, 19.5, 0), (150, 80, 20), 0.6)
    # Grip lines in the middle.
    for y in (10.5, 12.5, 14.5):
        cv.paint(rrect(1.6, y - 0.5, 4.4, y + 0.5, 0), (90, 130, 215), 0.8)
    for x, y in ((0, 0), (5, 0), (0, 24), (5, 24)):   # the rounding leaves the corners to the ground
        cv.put(x, y, BASE)
    return w, h, cv.rgb(), (BASE,)


# --------------------------------------------------------------------------
# Bitmap 8: close-button glyphs
# --------------------------------------------------------------------------

def bitmap8():
    w, h = 21, 8
    cv = Canvas(w, h)
    for cell, (cross, ground) in enumerate(CLOSE_LOOKS):
        ox = cell * 7
        for y in range(h):
            for x in range(7):
                cv.put(ox + x, y, ground)
        d = 2.05
        cx, cy = ox + 3.5, 4.0
        x_shape = capsule(cx - d, cy - d, cx + d, cy + d, 0.9) | capsule(cx - d, cy + d, cx + d, cy - d, 0.9)
        cv.paint(x_shape & rrect(ox, 0, ox + 7, 8, 0), cross)
    return w, h, cv.rgb(), tuple(c for pair in CLOSE_LOOKS for c in pair)


# --------------------------------------------------------------------------
# Bitmap 9: tray menu icons
# --------------------------------------------------------------------------

# Icon edges are blended toward a colour between the two grounds the icons
# are shown on, nearer the plain one, which is seen far more often.
MENU_MATTE = mix(MENU_GROUND, MENU_HOVER, 0.3)
MENU_CELLS = (1, 24, 47, 70)


def small_window(cv, x0, y0, x1, y1, title_h=4.0):
    frame = rrect(x0, y0, x1, y1, 1.6)
    cv.paint(frame, DARK)
    inner = frame.grow(-1)
    cv.paint(inner, vgrad(y0, y1, [(0.0, (255, 255, 255)), (1.0, (214, 226, 255))]))
    cv.paint(inner & rrect(x0, y0, x1, y0 + 1 + title_h, 0),
             vgrad(y0 + 1, y0 + 1 + title_h, [(0.0, (150, 178, 255)), (0.5, BASE), (1.0, (60, 86, 196))]))
    cv.paint(rrect(x0 + 1, y0 + 1 + title_h, x1 - 1, y0 + 2 + title_h, 0), DARK, 0.7)


def green_arrow(cv, tip_x, tip_y, deg, length, shaft_w, head_len, head_w):
    a = math.radians(deg)
    ux, uy = math.cos(a), math.sin(a)
    bx, by = tip_x - ux * (head_len - 0.5), tip_y - uy * (head_len - 0.5)
    sx, sy = tip_x - ux * length, tip_y - uy * length
    shaft = capsule(sx, sy, bx, by, shaft_w / 2)
    shape = shaft | arrow_head(tip_x, tip_y, deg, head_len, head_w)
    cv.paint(shape.grow(1.0), GREEN_EDGE)
    lo, hi = min(sy, tip_y) - 1, max(sy, tip_y) + 1
    cv.paint(shape, vgrad(lo, hi, GREEN) if abs(uy) < 0.5 else hgrad(min(sx, tip_x) - 3, max(sx, tip_x) + 3, GREEN))


def menu_icon_pin(cv, ox, oy):
    xf = Xform(-45, 0, 0, ox + 4.2, oy + 19.8)   # the lying pin turned head up, tip down-left
    # A darker needle: on the pale grounds a bright one would vanish.
    draw_parts(cv, pin_side(0.88, [(0.0, (200, 204, 216)), (1.0, (70, 76, 96))]), xf)
    cv.paint(capsule(ox + 13.6, oy + 3.6, ox + 18.8, oy + 8.8, 0.5).moved(-0.4, 0.4), WHITE, 0.55)


def menu_icon_minimise(cv, ox, oy):
    small_window(cv, ox + 2, oy + 1.5, ox + 22, oy + 15)
    cv.paint(rrect(ox + 4, oy + 19.5, ox + 20, oy + 22.5, 1.2), DARK)
    cv.paint(rrect(ox + 5, oy + 20.2, ox + 19, oy + 21.3, 0.5), LIGHT, 0.8)
    green_arrow(cv, ox + 12, oy + 19.2, 90, 12.0, 3.4, 5.0, 4.6)


def menu_icon_restore(cv, ox, oy):
    small_window(cv, ox + 2, oy + 1.5, ox + 22, oy + 15)
    cv.paint(rrect(ox + 4, oy + 19.5, ox + 20, oy + 22.5, 1.2), DARK)
    cv.paint(rrect(ox + 5, oy + 20.2, ox + 19, oy + 21.3, 0.5), LIGHT, 0.8)
    green_arrow(cv, ox + 12, oy + 6.2, -90, 12.0, 3.4, 5.0, 4.6)


def menu_icon_exit(cv, ox, oy):
    cx, cy = ox + 12, oy + 12
    disc = circle(cx, cy, 9.6)
    cv.paint(disc, (120, 18, 8))
    cv.paint(disc.grow(-1), radial(cx - 3, cy - 4, 14, [(0.0, (255, 140, 110)), (0.45, (232, 62, 40)),
                                                      (1.0, (150, 24, 8))]))
    cv.paint(ellipse(cx, cy - 5.2, 5.6, 2.6), WHITE, 0.35)
    d = 3.9
    cross = capsule(cx - d, cy - d, cx + d, cy + d, 1.45) | capsule(cx - d, cy + d, cx + d, cy - d, 1.45)
    cv.paint(cross.grow(0.6), (130, 20, 8), 0.5)
    cv.paint(cross, WHITE)


def bitmap9():
    w, h = 95, 26
    art = Canvas(w, h)
    for ox, draw in zip(MENU_CELLS, (menu_icon_pin, menu_icon_minimise, menu_icon_restore, menu_icon_exit)):
        draw(art, ox, 1)
    out = []
    for p in art.px:
        a = p[3]
        if a < 0.04:
            out.append(MENU_GROUND)
            continue
        c = tuple(int(round(p[i] * a + MENU_MATTE[i] * (1 - a))) for i in range(3))
        if c == MENU_GROUND:  # only the ground may carry the flood-fill colour
            c = (254, 255, 225)
        out.append(c)
    return w, h, out, (MENU_GROUND,)


# --------------------------------------------------------------------------
# Bitmap 10: tray menu side strip
# --------------------------------------------------------------------------

def bitmap10():
    w, h = 1, 106
    r = ramp([(0.0, (128, 156, 246)), (0.35, (76, 104, 214)), (1.0, (22, 36, 132))])
    return w, h, [tuple(int(round(v)) for v in r(y / (h - 1))) for y in range(h)], ()


# --------------------------------------------------------------------------
# Icons: a window held on top
# --------------------------------------------------------------------------

# The 16-pixel icon is placed pixel by pixel: at that size a drawn shape
# would smear. '.' is transparent.
ICON16 = [
    ".........ddd....",
    "........dpPQd...",
    "........dPQQd...",
    "........dQqqd...",
    ".....DDDDdddDDDD",
    ".....DTTTTTTTTTD",
    ".....DuuuuuuuuuD",
    "DDDDDDWWWWWWWWWD",
    "DbbbbDWllllllWWD",
    "DBBBBDWWWWWWWWWD",
    "DBBBBDWllllWWWWD",
    "DBBBBDwwwwwwwwwD",
    "DBBBBDwwwwwwwwwD",
    "DBBBBDDDDDDDDDDD",
    "DBBBBBBBBD......",
    "DDDDDDDDDD......",
]
ICON16_COLOURS = {
    "D": DARK, "d": PIN_EDGE, "T": LIGHT, "u": (64, 88, 196), "W": WHITE, "w": (220, 229, 255),
    "l": (150, 168, 232), "b": (170, 188, 250), "B": (232, 236, 252),
    "p": (236, 244, 255), "P": (130, 175, 255), "Q": (50, 100, 235), "q": (28, 60, 180),
}


def pixel_art(rows, colours):
    cv = Canvas(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != ".":
                cv.put(x, y, colours[ch])
    return cv


def app_icon(size):
    """Two windows, the front one held by a pin; drawn on a 48-unit grid with
    the straight edges snapped to whole pixels."""
    if size == 16:
        return pixel_art(ICON16, ICON16_COLOURS)
    k = size / 48.0
    cv = Canvas(size, size)
    edge = 1.0 if size <= 32 else 1.5

    def px(v):
        return float(round(v * k))

    def window(x0, y0, x1, y1, bar, title, body):
        x0, y0, x1, y1 = px(x0), px(y0), px(x1), px(y1)
        frame = rrect(x0, y0, x1, y1, 2.0 if size <= 32 else 2.5)
        cv.paint(frame, DARK)
        inner = frame.grow(-edge)
        cv.paint(inner, vgrad(y0, y1, body))
        split = y0 + px(bar)
        cv.paint(inner & rrect(0, 0, size, split, 0), vgrad(y0, split, title))
        cv.paint(inner & rrect(0, split, size, split + 1, 0), DARK, 0.75)

    back_title = [(0.0, (196, 210, 255)), (1.0, (132, 154, 236))]
    back_body = [(0.0, (242, 245, 255)), (1.0, (204, 214, 246))]
    front_title = [(0.0, LIGHT), (0.5, BASE), (1.0, (46, 68, 184))]
    front_body = [(0.0, (255, 255, 255)), (1.0, (212, 224, 255))]
    ball = [(0.0, (236, 244, 255)), (0.3, (140, 182, 255)), (0.75, (44, 92, 230)), (1.0, (24, 52, 176))]

    window(2, 18, 30, 46, 8, back_title, back_body)
    window(13.5, 12, 46.5, 42, 9, front_title, front_body)
    for y, x1 in ((26.0, 40.0), (31.5, 35.5), (37.0, 38.5)):      # lines of text
        cv.paint(rrect(px(18.5), px(y), px(x1), px(y) + (2 if size > 32 else 1), 0), (150, 166, 226))
    # The pin: a ball head on a steel needle stuck into the title bar.
    if size == 32:
        cx, cy, r = 22.5, 5.5, 4.9
    else:
        cx, cy, r = 33.5, 8.5, 7.3
    needle = capsule(cx - 4.6 * r / 7.3, cy + 11.0 * r / 7.3, cx - 1.0, cy + 2.0, 1.1 * k * 1.2)
    cv.paint(needle.grow(0.5), (40, 44, 70), 0.3)
    cv.paint(needle, hgrad(cx - 5 * r / 7.3, cx, STEEL))
    pin = circle(cx, cy, r)
    cv.paint(pin, PIN_EDGE)
    cv.paint(pin.grow(-edge), radial(cx - 0.35 * r, cy - 0.35 * r, 1.3 * r, ball))
    cv.paint(ellipse(cx - 0.35 * r, cy - 0.38 * r, 0.3 * r, 0.2 * r), WHITE, 0.8)
    return cv


# --------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources")
    os.makedirs(out_dir, exist_ok=True)
    makers = [bitmap1, bitmap2, bitmap3, bitmap4, bitmap5, bitmap6, bitmap7, bitmap8, bitmap9, bitmap10]
    for n, make in enumerate(makers, 1):
        w, h, pixels, keep = make()
        with open(os.path.join(out_dir, "bmp%d.bmp" % n), "wb") as f:
            f.write(bmp_file(w, h, pixels, keep))
    with open(os.path.join(out_dir, "vexlo.ico"), "wb") as f:
        f.write(ico_file([(app_icon(16), 4), (app_icon(32), 8), (app_icon(48), 8)]))
    with open(os.path.join(out_dir, "tray.ico"), "wb") as f:
        f.write(ico_file([(app_icon(16), 4)]))


if __name__ == "__main__":
    main()
