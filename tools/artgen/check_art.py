#!/usr/bin/env python3
"""Checks the committed artwork and the compiled resource script.

    python3 tools/artgen/check_art.py [resources folder]

Reads the BMP and ICO files back and checks what the program relies on:
sizes, palette formats, the named colours, the ground of the menu icons that
the program flood-fills, and the seamless title-strip columns. When a MinGW
windres is on PATH it also compiles vexlo.rc to a .res and checks the About
dialog's styles, the version block and the manifest. Exit status 1 on any
failure.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

BASE = (104, 126, 210)
MENU_GROUND = (255, 255, 225)
GREY = (192, 192, 192)
SIZES = {1: (97, 22), 2: (15, 18), 3: (18, 14), 4: (16, 20), 5: (16, 16),
         6: (21, 17), 7: (6, 25), 8: (21, 8), 9: (95, 26), 10: (1, 106)}
CLOSE_LOOKS = (((240, 240, 240), (173, 58, 29)), ((255, 255, 255), (245, 80, 71)),
               ((223, 154, 136), (138, 43, 20)))

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
    return cond


def read_dib(data, offset, height_factor=1):
    """Returns (width, height, bpp, palette, rows of palette indices, bits end)."""
    (size, w, h, planes, bpp, comp, _, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", data, offset)
    check(size == 40 and planes == 1 and comp == 0, "DIB header at %d is plain BI_RGB" % offset)
    h //= height_factor
    entries = used or (1 << bpp)
    pal_at = offset + size
    pal = [tuple(reversed(data[pal_at + 4 * i: pal_at + 4 * i + 3])) for i in range(entries)]
    stride = ((w * bpp + 31) // 32) * 4
    bits = pal_at + 4 * entries
    rows = []
    for y in range(h):
        row = data[bits + (h - 1 - y) * stride: bits + (h - y) * stride]
        if bpp == 8:
            rows.append(list(row[:w]))
        elif bpp == 4:
            rows.append([(row[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)])
        else:
            rows.append([(row[x >> 3] >> (7 - x % 8)) & 1 for x in range(w)])
    return w, h, bpp, pal, rows, bits + h * stride


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    check(data[:2] == b"BM", path + " starts with BM")
    w, h, bpp, pal, rows, _ = read_dib(data, 14)
    check(struct.unpack_from("<i", data, 22)[0] > 0, path + " is bottom-up")
    return w, h, bpp, pal, [[pal[i] for i in r] for r in rows]


def connected_ground(pixels, seed, colour):
    """Pixels of the colour reachable from seed through 4-neighbours."""
    h, w = len(pixels), len(pixels[0])
    seen = {seed}
    todo = [seed]
    while todo:
        x, y = todo.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= nx < w and 0 <= ny < h and (nx, ny) not in seen and pixels[ny][nx] == colour:
                seen.add((nx, ny))
                todo.append((nx, ny))
    return seen


def between(c, a, b):
    """c lies (within rounding) on the straight line from colour a to colour b."""
    span = [b[i] - a[i] for i in range(3)]
    t = sum((c[i] - a[i]) * span[i] for i in range(3)) / float(sum(s * s for s in span))
    return 0 <= t <= 1 and all(abs(a[i] + span[i] * t - c[i]) <= 2 for i in range(3))


def check_bitmaps(res):
    bmps = {}
    for n, (w, h) in SIZES.items():
        path = os.path.join(res, "bmp%d.bmp" % n)
        bw, bh, bpp, pal, px = read_bmp(path)
        check((bw, bh) == (w, h), "bitmap %d is %dx%d" % (n, w, h))
        check(bpp in (4, 8), "bitmap %d is a 4- or 8-bit palette bitmap" % n)
        bmps[n] = (pal, px)

    # Grounds in the base colour.
    for n in (5, 6, 7):
        _, px = bmps[n]
        corners = [px[0][0], px[0][-1], px[-1][0], px[-1][-1]]
        check(all(c == BASE for c in corners), "bitmap %d has base-colour corners" % n)

    # Buttons' images: exactly one grey entry, and no other colour the loader remaps.
    for n in (3, 4):
        pal, px = bmps[n]
        check(pal.count(GREY) == 1, "bitmap %d has one grey 192 entry" % n)
        check((128, 128, 128) not in pal and (223, 223, 223) not in pal,
              "bitmap %d has no other 3-D grey" % n)
        check(px[0][0] == GREY and px[-1][-1] == GREY, "bitmap %d stands on grey 192" % n)

    # Close glyphs: ground in the corners, the cross colour present, blends only between the two.
    _, px = bmps[8]
    for cell, (cross, ground) in enumerate(CLOSE_LOOKS):
        cells = [row[cell * 7:cell * 7 + 7] for row in px]
        flat = [c for row in cells for c in row]
        check(cells[0][0] == ground and cells[-1][-1] == ground, "close cell %d ground" % cell)
        check(cross in flat, "close cell %d has its cross colour" % cell)
        check(all(between(c, ground, cross) for c in flat), "close cell %d only blends its two colours" % cell)

    # Menu icons: one connected ground from (1,1); no icon pixel in the ground colour;
    # the edges of every 24 x 24 cell are ground.
    _, px = bmps[9]
    ground = connected_ground(px, (1, 1), MENU_GROUND)
    strays = [(x, y) for y in range(26) for x in range(95)
              if px[y][x] == MENU_GROUND and (x, y) not in ground]
    check(px[1][1] == MENU_GROUND and not strays, "menu ground is one region from (1,1): %s" % strays[:5])
    for left in (1, 24, 47, 70):
        edge = [px[1][x] for x in range(left, left + 24)] + [px[24][x] for x in range(left, left + 24)] + \
               [px[y][left] for y in range(1, 25)] + [px[y][left + 23] for y in range(1, 25)]
        check(all(c == MENU_GROUND for c in edge), "menu cell at x %d has a ground border" % left)
        check(any(px[y][x] != MENU_GROUND for y in range(1, 25) for x in range(left, left + 24)),
              "menu cell at x %d holds an icon" % left)

    # Title strip: columns 5-6 are what gets stretched; the lettering block must
    # sit on the same ground, so its border and everything outside it match.
    _, px = bmps[1]
    for y in range(22):
        check(px[y][5] == px[y][6], "title strip row %d: stretched columns agree" % y)
        outside = [x for x in range(5, 92) if not (7 <= x < 91 and 5 <= y < 19)]
        check(all(px[y][x] == px[y][5] for x in outside), "title strip row %d: ground is seamless" % y)
        if 5 <= y < 19:
            check(px[y][7] == px[y][5] and px[y][90] == px[y][5], "lettering block row %d ends on ground" % y)
    check(len({px[y][5] for y in range(22)}) > 6, "title strip has a gradient")

    _, px = bmps[10]
    check(px[0][0] != px[-1][0], "menu strip is a gradient")


def check_icons(res):
    for name, sizes in (("vexlo.ico", (16, 32, 48)), ("tray.ico", (16,))):
        with open(os.path.join(res, name), "rb") as f:
            data = f.read()
        _, kind, count = struct.unpack_from("<HHH", data)
        check(kind == 1 and count == len(sizes), "%s holds %d images" % (name, len(sizes)))
        got = []
        for i in range(count):
            w, h, colours, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            dw, dh, dbpp, pal, rows, end = read_dib(data, offset, 2)
            check((dw, dh, dbpp) == (w, h, bpp) and bpp in (4, 8), "%s image %d header agrees" % (name, i))
            check(colours == (16 if bpp == 4 else 0) and planes == 1, "%s image %d directory entry" % (name, i))
            stride = ((w + 31) // 32) * 4
            check(end + h * stride == offset + size, "%s image %d has its AND mask" % (name, i))
            got.append(w)
        check(sorted(got) == sorted(sizes), "%s sizes %s" % (name, sizes))


# ---- compiled resources ----

def read_res(path):
    """Returns {(type, name): data} of a .res file; ids as ints, names as str."""
    with open(path, "rb") as f:
        data = f.read()
    out = {}
    pos = 0

    def sz_or_ord(p):
        if struct.unpack_from("<H", data, p)[0] == 0xFFFF:
            return struct.unpack_from("<H", data, p + 2)[0], p + 4
        end = p
        while struct.unpack_from("<H", data, end)[0]:
            end += 2
        return data[p:end].decode("utf-16-le"), end + 2

    while pos + 8 <= len(data):
        size, header = struct.unpack_from("<II", data, pos)
        rtype, p = sz_or_ord(pos + 8)
        name, p = sz_or_ord(p)
        body = data[pos + header: pos + header + size]
        if size:
            out[(rtype, name)] = body
        pos += header + size
        pos = (pos + 3) & ~3
    return out


def parse_dialogex(t):
    def text(p):
        if struct.unpack_from("<H", t, p)[0] == 0xFFFF:
            return struct.unpack_from("<H", t, p + 2)[0], p + 4
        end = p
        while struct.unpack_from("<H", t, end)[0]:
            end += 2
        return t[p:end].decode("utf-16-le"), end + 2

    ver, sig, _, ex, style, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", t, 0)
    check((ver, sig) == (1, 0xFFFF), "dialog 1 is an extended template")
    menu, p = text(26)
    cls, p = text(p)
    title, p = text(p)
    point, weight, italic, charset = struct.unpack_from("<HHBB", t, p)
    face, p = text(p + 6)
    dlg = dict(ex=ex, style=style, rect=(x, y, cx, cy), title=title, font=(point, face), items=[])
    for _ in range(count):
        p = (p + 3) & ~3
        _, iex, istyle, ix, iy, icx, icy, iid = struct.unpack_from("<IIIhhhhI", t, p)
        icls, p = text(p + 24)
        itext, p = text(p)
        extra = struct.unpack_from("<H", t, p)[0]
        p += 2 + extra
        dlg["items"].append((iid, icls, itext, (ix, iy, icx, icy), istyle, iex))
    return dlg


def check_compiled(res):
    windres = shutil.which("i686-w64-mingw32-windres")
    if not windres:
        print("check_art: no i686-w64-mingw32-windres, compiled resources not checked")
        return
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "vexlo.res")
        # From another folder, so the file names resolve only through -I.
        subprocess.run([windres, "-I", res, os.path.join(res, "vexlo.rc"), "-O", "res", "-o", out],
                       check=True, cwd=tmp)
        table = read_res(out)
    for n in range(1, 11):
        check((2, n) in table, "bitmap resource %d" % n)
    check((14, 1) in table and (14, 2) in table, "icon groups 1 and 2")
    if (14, 2) in table:
        check(struct.unpack_from("<H", table[(14, 2)], 4)[0] == 1, "icon 2 has one image")

    dlg = parse_dialogex(table[(5, 1)])
    check(dlg["style"] == 0x80C00AC6, "dialog style %#x" % dlg["style"])
    check(dlg["ex"] == 0x81, "dialog extended style %#x" % dlg["ex"])
    check(dlg["rect"] == (0, 0, 144, 79), "dialog rectangle %s" % (dlg["rect"],))
    check(dlg["title"] == "About Vexlo" and dlg["font"] == (8, "MS Sans Serif"), "dialog caption and font")
    want = [(1, "BUTTON", "OK", (47, 61, 50, 14), 0x50010300),
            (3, "STATIC", "Vexlo v2.1.1", (28, 36, 88, 8), 0x50020001),
            (2, "STATIC", None, (8, 47, 128, 8), 0x50020001),
            (4, "STATIC", "ICON", (61, 9, 21, 20), 0x50000003)]
    atoms = {0x80: "BUTTON", 0x82: "STATIC"}  # either form names the same class
    got = dlg["items"]
    check(len(got) == len(want), "dialog has %d controls" % len(want))
    for g, w in zip(got, want):
        iid, icls, itext, rect, style, ex = g
        icls = atoms.get(icls, icls) if isinstance(icls, int) else icls.upper()
        check((iid, icls, rect, style, ex) == (w[0], w[1], w[3], w[4], 0),
              "control %d: %s" % (w[0], (iid, icls, rect, hex(style), ex)))
        if w[2] is not None:
            check(itext == w[2], "control %d text %r" % (w[0], itext))

    ver = table[(16, 1)]
    fixed = ver.find(struct.pack("<I", 0xFEEF04BD))
    fv_ms, fv_ls, pv_ms, pv_ls = struct.unpack_from("<IIII", ver, fixed + 8)
    check((fv_ms, fv_ls, pv_ms, pv_ls) == (0x00020001, 0x00010000, 0x00020001, 0x00010000), "version 2.1.1.0")
    text = ver.decode("utf-16-le", "replace")
    for s in ("041904b0", "Qorvsoft", "vexlo.exe", "Translation"):
        check(s in text, "version block names %s" % s)
    check(struct.pack("<HH", 0x419, 1200) in ver, "translation 0x419, 1200")

    manifest = table.get((24, 1), b"").decode("utf-8")
    check("Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest,
          "manifest asks for common controls 6")
    check("trustInfo" not in manifest and "requestedExecutionLevel" not in manifest,
          "manifest has no execution level")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    res = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources"))
    check_bitmaps(res)
    check_icons(res)
    check_compiled(res)
    total = sum(os.path.getsize(os.path.join(res, f)) for f in os.listdir(res)
                if f.endswith((".bmp", ".ico")))
    for f in failures:
        print("FAIL:", f)
    print("check_art: %d failure(s); artwork files %d bytes" % (len(failures), total))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
