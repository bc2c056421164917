#!/usr/bin/env python3
"""Draws the program's icons and toolbar bitmap and writes them as .ico/.bmp.

Standard library only. Run from anywhere; the files are written beside this
script:

  tarnex.ico      icon 128  application and main frame   32x32, 16x16, 16 colours
  document.ico    icon 129  document type                32x32, 16x16, 16 colours
  running.ico     icon 2    logged in (blue database, green check)
  notlogged.ico   icon 130  not logged in (grey database, red cross)
                            48x48 256 colours; 32x32, 16x16 16 colours
  toolbar.bmp     bitmap 128  eight 16x15 buttons side by side, 16 colours

The icons are small vector scenes rasterised per size: the 16-colour images
use the standard 16-colour palette directly (no blending, 1-pixel outlines),
the 256-colour image is supersampled and quantised to its own palette.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The standard 16-colour palette in its usual index order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


# ---------------------------------------------------------------- shapes
# A shape answers inside(x, y) for a point of the unit square and gives a fill
# colour for a point, as RGB for true-colour rendering and as a palette index
# for 16-colour rendering, plus an outline colour of each kind.

class Shape:
    def __init__(self, inside, fill_rgb, fill_vga, line_rgb, line_vga, outline=True):
        self.inside = inside
        self.fill_rgb = fill_rgb
        self.fill_vga = fill_vga
        self.line_rgb = line_rgb
        self.line_vga = line_vga
        self.outline = outline


def const(v):
    return lambda x, y: v


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def union(*fs):
    return lambda x, y: any(f(x, y) for f in fs)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline(points, half_width):
    def inside(x, y):
        return any(
            segment_distance(x, y, *points[i], *points[i + 1]) <= half_width
            for i in range(len(points) - 1)
        )
    return inside


def lerp(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def cylinder(cx, top, bottom, rx, ry, body_rgb, body_vga, top_rgb, top_vga, line_rgb, line_vga):
    """A database drum: body, two bands and an elliptic top face."""
    dark, light = body_rgb

    def body_colour(x, y):
        # lit from the upper left: light towards the left edge
        return lerp(light, dark, (x - (cx - rx)) / (2 * rx))

    def body_vga_colour(x, y):
        return body_vga[0] if x < cx - rx * 0.35 else body_vga[1]

    body = Shape(union(rect(cx - rx, top, cx + rx, bottom), ellipse(cx, bottom, rx, ry)),
                 body_colour, body_vga_colour, line_rgb, line_vga)
    face = Shape(ellipse(cx, top, rx, ry), const(top_rgb), const(top_vga), line_rgb, line_vga)
    bands = []
    for k in (1, 2):
        y0 = top + (bottom - top) * k / 3.0
        bands.append((cx, y0, rx, ry))
    return body, face, bands


def scene_database(kind):
    """The drum of the three database icons: 'blue' or 'grey'."""
    if kind == "blue":
        body = cylinder(0.42, 0.20, 0.74, 0.36, 0.12,
                        ((20, 50, 150), (90, 150, 235)), (BLUE, NAVY),
                        (150, 205, 255), AQUA, (10, 20, 70), BLACK)
    else:
        body = cylinder(0.42, 0.20, 0.74, 0.36, 0.12,
                        ((95, 95, 95), (200, 200, 200)), (SILVER, GREY),
                        (225, 225, 225), WHITE, (40, 40, 40), BLACK)
    return body


def mark_half_width(size):
    # thick enough at 16x16 for an outline with two pixels of colour inside
    return max(0.075, 2.0 / size)


def check_mark(size):
    pts = [(0.50, 0.70), (0.66, 0.88), (0.96, 0.46)]
    return Shape(polyline(pts, mark_half_width(size)), const((40, 200, 40)), const(LIME),
                 (0, 90, 0), GREEN)


def cross_mark(size):
    a = polyline([(0.58, 0.58), (0.94, 0.94)], mark_half_width(size))
    b = polyline([(0.94, 0.58), (0.58, 0.94)], mark_half_width(size))
    return Shape(union(a, b), const((230, 30, 30)), const(RED), (110, 0, 0), MAROON)


def key_mark():
    ring = ellipse(0.70, 0.68, 0.15, 0.15)
    hole = ellipse(0.70, 0.68, 0.055, 0.055)
    shaft = rect(0.66, 0.80, 0.74, 0.99)
    tooth = rect(0.74, 0.90, 0.84, 0.96)

    def inside(x, y):
        return (ring(x, y) and not hole(x, y)) or shaft(x, y) or tooth(x, y)
    return Shape(inside, const((240, 200, 40)), const(YELLOW), (110, 80, 0), OLIVE)


def page():
    fold = 0.24

    def inside(x, y):
        return 0.14 <= x <= 0.86 and 0.04 <= y <= 0.96 and (x - 0.86) + fold <= (y - 0.04)

    return Shape(inside, const((255, 255, 255)), const(WHITE), (60, 60, 60), BLACK)


def page_fold():
    def inside(x, y):
        return 0.62 <= x <= 0.86 and 0.04 <= y <= 0.28 and (x - 0.62) >= (y - 0.04)
    return Shape(inside, const((200, 200, 200)), const(SILVER), (60, 60, 60), BLACK)


def scene(name, size):
    """Returns (shapes bottom to top, bands) for an icon."""
    if name == "running":
        body, face, bands = scene_database("blue")
        return [body, face, check_mark(size)], bands, [body]
    if name == "notlogged":
        body, face, bands = scene_database("grey")
        return [body, face, cross_mark(size)], bands, [body]
    if name == "tarnex":
        body, face, bands = scene_database("blue")
        return [body, face, key_mark()], bands, [body]
    if name == "document":
        body, face, bands = cylinder(0.50, 0.46, 0.78, 0.22, 0.08,
                                     ((20, 50, 150), (90, 150, 235)), (BLUE, NAVY),
                                     (150, 205, 255), AQUA, (10, 20, 70), BLACK)
        return [page(), page_fold(), body, face], bands, [body]
    raise ValueError(name)


def band_at(bands, x, y, half):
    """True when (x, y) lies on the lower arc of one of the drum's bands."""
    for cx, cy, rx, ry in bands:
        u = (x - cx) / rx
        if abs(u) >= 1.0:
            continue
        arc = cy + ry * math.sqrt(1.0 - u * u)
        if abs(y - arc) <= half:
            return True
    return False


# ---------------------------------------------------------------- rendering

def sample(shapes, bands, banded, x, y, px, true_colour):
    """Colour of the topmost shape at (x, y), or None; px is one target pixel.

    Edges get the shape's outline colour, one pixel wide at the target size.
    The 16-colour images draw the drum's bands only from 32 pixels up."""
    for shape in reversed(shapes):
        if not shape.inside(x, y):
            continue
        edge = shape.outline and not all(
            shape.inside(x + dx * px, y + dy * px)
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        banded_here = shape in banded and (true_colour or px <= 1.0 / 32)
        if edge or (banded_here and band_at(bands, x, y, px * 0.5)):
            return shape.line_rgb if true_colour else shape.line_vga
        return shape.fill_rgb(x, y) if true_colour else shape.fill_vga(x, y)
    return None


def render_vga(name, size):
    """16-colour image: list of rows of palette indices (None = transparent)."""
    shapes, bands, banded = scene(name, size)
    px = 1.0 / size
    return [[sample(shapes, bands, banded, (i + 0.5) * px, (j + 0.5) * px, px, False)
             for i in range(size)] for j in range(size)]


def render_rgb(name, size, ss=4):
    """True-colour image with coverage: rows of (rgb, coverage)."""
    shapes, bands, banded = scene(name, size)
    px = 1.0 / size
    sub = px / ss
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            hits = [c for c in (sample(shapes, bands, banded, i * px + (si + 0.5) * sub,
                                       j * px + (sj + 0.5) * sub, px, True)
                                for sj in range(ss) for si in range(ss)) if c is not None]
            if hits:
                mean = tuple(round(sum(c[k] for c in hits) / len(hits)) for k in range(3))
                row.append((mean, len(hits) / (ss * ss)))
            else:
                row.append((None, 0.0))
        rows.append(row)
    return rows


def median_cut(colours, n):
    """Palette of at most n colours for a list of RGB tuples."""
    boxes = [sorted(set(colours))]
    while len(boxes) < n:
        boxes.sort(key=lambda b: max(max(c[k] for c in b) - min(c[k] for c in b)
                                     for k in range(3)) if len(b) > 1 else -1)
        box = boxes.pop()
        if len(box) <= 1:
            boxes.append(box)
            break
        k = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[k])
        mid = len(box) // 2
        boxes += [box[:mid], box[mid:]]
    return [tuple(round(sum(c[k] for c in b) / len(b)) for k in range(3)) for b in boxes if b]


def nearest(palette, c):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))


def quantise(rows):
    colours = [c for row in rows for c, cov in row if c is not None and cov >= 0.5]
    palette = median_cut(colours, 255)
    palette = [(0, 0, 0)] + palette  # index 0: the transparent pixels' colour
    cache = {}
    out = []
    for row in rows:
        line = []
        for c, cov in row:
            if c is None or cov < 0.5:
                line.append(None)
            else:
                if c not in cache:
                    cache[c] = nearest(palette, c)
                line.append(cache[c])
        out.append(line)
    palette += [(0, 0, 0)] * (256 - len(palette))
    return out, palette


# ---------------------------------------------------------------- file formats

def pack_rows(rows, bpp, transparent_index=0):
    """Bottom-up DIB rows padded to four bytes."""
    data = bytearray()
    for row in reversed(rows):
        bits = bytearray()
        if bpp == 4:
            vals = [transparent_index if v is None else v for v in row]
            if len(vals) % 2:
                vals.append(0)
            for a, b in zip(vals[0::2], vals[1::2]):
                bits.append((a << 4) | b)
        elif bpp == 8:
            bits += bytes(transparent_index if v is None else v for v in row)
        elif bpp == 1:
            acc = 0
            n = 0
            for v in row:
                acc = (acc << 1) | (1 if v is None else 0)
                n += 1
                if n == 8:
                    bits.append(acc)
                    acc, n = 0, 0
            if n:
                bits.append(acc << (8 - n))
        while len(bits) % 4:
            bits.append(0)
        data += bits
    return bytes(data)


def dib(rows, bpp, palette, with_mask):
    w, h = len(rows[0]), len(rows)
    pixels = pack_rows(rows, bpp)
    mask = pack_rows(rows, 1) if with_mask else b""
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2 if with_mask else h, 1, bpp, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + pixels + mask


def write_ico(path, images):
    """images: list of (rows, bpp, palette)."""
    blobs = [dib(rows, bpp, pal, True) for rows, bpp, pal in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (rows, bpp, _), blob in zip(images, blobs):
        w, h = len(rows[0]), len(rows)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(path, "wb") as f:
        f.write(out)


def write_bmp(path, rows, palette):
    body = dib(rows, 4, palette, False)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 4 * len(palette))
    with open(path, "wb") as f:
        f.write(header + body)


# ---------------------------------------------------------------- toolbar

# Sixteen by fifteen pixel art, one letter per palette colour; '.' is the
# button face (light grey), which the toolbar shows as its background.
TOOLBAR_KEY = {
    ".": SILVER, "k": BLACK, "w": WHITE, "g": GREY, "y": YELLOW, "o": OLIVE,
    "b": BLUE, "n": NAVY, "t": TEAL, "a": AQUA, "r": RED, "m": MAROON, "l": LIME,
}

TOOLBAR = [
    # New: a blank sheet with a folded corner
    """
................
...kkkkkkk......
...kwwwwwkk.....
...kwwwwwkwk....
...kwwwwwkkkk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kkkkkkkkkk...
................
""",
    # Open: a yellow folder opening
    """
................
................
..........kkk...
.........k...k.k
..kkkkk.......kk
.kyyyyyk.....kkk
.kywyyyykkkkkk..
.kyyyyyyyyyyyk..
.kyyyykkkkkkkkkk
.kyyykoooooooook
.kyykoooooooook.
.kykoooooooook..
.kkoooooooook...
.kkkkkkkkkkkk...
................
""",
    # Save: a floppy disk
    """
................
.kkkkkkkkkkkkkk.
.knnwwwwwwwwnnk.
.knnwwwwwwwwnnk.
.knnwwwwwwwwnnk.
.knnwwwwwwwwnnk.
.knnnnnnnnnnnnk.
.knnnnnnnnnnnnk.
.knnkkkkkkkknnk.
.knnkkkggkkknnk.
.knnkkkggkkknnk.
.knnkkkggkkknnk.
..knkkkkkkkknnk.
...kkkkkkkkkkkk.
................
""",
    # Cut: scissors
    """
................
....k.....k.....
....k.....k.....
....k.....k.....
....kk...kk.....
.....k...k......
.....kk.kk......
......kkk.......
.......k........
......nkn.......
...nnnn.nnnn....
..n..n...n..n...
..n..n...n..n...
..n..n...n..n...
...nn.....nn....
""",
    # Copy: two sheets
    """
................
kkkkkk..........
kwwwwkk.........
kwkkwkwk........
kwwwwkkkkkk.....
kwkkkkwwwwkk....
kwwwkwkkkwkwk...
kwkkkwwwwwkkkk..
kwwwkwkkkkkwwk..
kkkkkwwwwwwwwk..
.....wkkkkkkwk..
.....kwwwwwwwk..
.....kkkkkkkkk..
................
................
""",
    # Paste: a clipboard with a sheet
    """
................
....kkkk........
.kkkkyykkkk.....
kooookkkkoook...
koookwwwwkook...
kookkkkkkkkok...
koookwwwwkkok...
kooook.kkkkkkk..
kooook.kwwwwkwk.
kooook.kwkkwkkkk
kooook.kwwwwwwwk
kooook.kwkkkkkwk
.kkkkk.kwwwwwwwk
.......kkkkkkkkk
................
""",
    # Print: a printer with a sheet
    """
................
....kkkkkkkk....
....kwwwwwwk....
....kwkkkkwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.kwwwwwwwwwwwwk.
.kwwwwwwwwwllwk.
.kggggggggggggk.
.kkkkkkkkkkkkkk.
.kggkwwwwwwkggk.
..kkkwkkkkwkkk..
....kwwwwwwk....
....kkkkkkkk....
................
""",
    # About: a question mark in a speech bubble
    """
................
...kkkkkkkkkk...
..kwwwwwwwwwwk..
.kwwwwnnnnwwwwk.
.kwwwnnwwnnwwwk.
.kwwwwwwwnnwwwk.
.kwwwwwwnnwwwwk.
.kwwwwwnnwwwwwk.
.kwwwwwnnwwwwwk.
.kwwwwwwwwwwwwk.
..kwwwwnnwwwwk..
...kkkwnnwkkk...
.....kwwwk......
......kwk.......
.......k........
""",
]


def toolbar_rows():
    images = []
    for art in TOOLBAR:
        lines = [line for line in art.strip("\n").split("\n")]
        assert len(lines) == 15 and all(len(l) == 16 for l in lines), art
        images.append([[TOOLBAR_KEY[ch] for ch in line] for line in lines])
    return [sum((img[r] for img in images), []) for r in range(15)]


# ---------------------------------------------------------------- main

def main():
    for name in ("tarnex", "document"):
        write_ico(os.path.join(HERE, name + ".ico"),
                  [(render_vga(name, 32), 4, VGA), (render_vga(name, 16), 4, VGA)])
    for name in ("running", "notlogged"):
        rows, palette = quantise(render_rgb(name, 48))
        write_ico(os.path.join(HERE, name + ".ico"),
                  [(rows, 8, palette),
                   (render_vga(name, 32), 4, VGA), (render_vga(name, 16), 4, VGA)])
    write_bmp(os.path.join(HERE, "toolbar.bmp"), toolbar_rows(), VGA)


if __name__ == "__main__":
    main()
