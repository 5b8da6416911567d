#!/usr/bin/env python3
"""Draws the skin library's bitmaps and writes the resource script that holds them.

usage: gen_bitmaps.py SPEC OUTDIR [RCNAME]   (RCNAME defaults to KelvoIMG.rc)
SPEC lines: <resource id> <width> <height> <style> [r g b] ["text"] [key=value ...]
(# starts a comment; the text is quoted and may hold blanks).
plain styles: solid, frame, gradient, button (a raised face), signal (bars), check (a tick box),
cross (a raised face with a cross), toolbar (16-pixel glyphs on magenta, one per 16 columns),
grid (a chart background with six bands).
drawn styles:
  face     a rounded push-button face in the colour, its text centred on it
  disc     a round button (help, about, close) with its text as the glyph
  radio    a radio indicator; sel=1 draws it chosen
  checkbox a check box; sel=1 draws it ticked
  strip    the main window's background: a header band with one tab per "|"-separated caption,
           sel=N the chosen tab (1-based, 0 none), a light page area with a title band in the colour
           at its top, bands=Y,... more title bands; dlu=WxH is the client size in dialog units that
           the bitmap covers (default 500x400), tabs=H the tab row's height in them (default 40)
  panel    a dialog background: a title band in the colour over a light panel, the text as title
  done     a page background with a large tick and the text under it
  icons    the list image strip: 45-pixel images on white (access point, ad hoc, lock, configured)
Only the Python 3 standard library is used: the build machines have nothing else.
"""
import shlex
import struct
import sys
from pathlib import Path

# 5 x 7 pixel font; g, j, p, q and y carry two more rows below the line.
_GLYPHS = {
    "A": "01110 10001 10001 11111 10001 10001 10001", "B": "11110 10001 10001 11110 10001 10001 11110",
    "C": "01110 10001 10000 10000 10000 10001 01110", "D": "11100 10010 10001 10001 10001 10010 11100",
    "E": "11111 10000 10000 11110 10000 10000 11111", "F": "11111 10000 10000 11110 10000 10000 10000",
    "G": "01110 10001 10000 10111 10001 10001 01111", "H": "10001 10001 10001 11111 10001 10001 10001",
    "I": "01110 00100 00100 00100 00100 00100 01110", "J": "00111 00010 00010 00010 00010 10010 01100",
    "K": "10001 10010 10100 11000 10100 10010 10001", "L": "10000 10000 10000 10000 10000 10000 11111",
    "M": "10001 11011 10101 10101 10001 10001 10001", "N": "10001 10001 11001 10101 10011 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110", "P": "11110 10001 10001 11110 10000 10000 10000",
    "Q": "01110 10001 10001 10001 10101 10010 01101", "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110", "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110", "V": "10001 10001 10001 10001 10001 01010 00100",
    "W": "10001 10001 10001 10101 10101 10101 01010", "X": "10001 10001 01010 00100 01010 10001 10001",
    "Y": "10001 10001 10001 01010 00100 00100 00100", "Z": "11111 00001 00010 00100 01000 10000 11111",
    "a": "00000 00000 01110 00001 01111 10001 01111", "b": "10000 10000 10110 11001 10001 10001 11110",
    "c": "00000 00000 01110 10000 10000 10001 01110", "d": "00001 00001 01101 10011 10001 10001 01111",
    "e": "00000 00000 01110 10001 11111 10000 01110", "f": "00110 01001 01000 11100 01000 01000 01000",
    "g": "00000 00000 01111 10001 10001 01111 00001 10001 01110",
    "h": "10000 10000 10110 11001 10001 10001 10001", "i": "00100 00000 01100 00100 00100 00100 01110",
    "j": "00010 00000 00110 00010 00010 00010 00010 10010 01100",
    "k": "10000 10000 10010 10100 11000 10100 10010", "l": "01100 00100 00100 00100 00100 00100 01110",
    "m": "00000 00000 11010 10101 10101 10101 10101", "n": "00000 00000 10110 11001 10001 10001 10001",
    "o": "00000 00000 01110 10001 10001 10001 01110",
    "p": "00000 00000 11110 10001 10001 11110 10000 10000 10000",
    "q": "00000 00000 01111 10001 10001 01111 00001 00001 00001",
    "r": "00000 00000 10110 11001 10000 10000 10000", "s": "00000 00000 01111 10000 01110 00001 11110",
    "t": "01000 01000 11100 01000 01000 01001 00110", "u": "00000 00000 10001 10001 10001 10011 01101",
    "v": "00000 00000 10001 10001 10001 01010 00100", "w": "00000 00000 10001 10001 10101 10101 01010",
    "x": "00000 00000 10001 01010 00100 01010 10001",
    "y": "00000 00000 10001 10001 10001 01111 00001 10001 01110",
    "z": "00000 00000 11111 00010 00100 01000 11111",
    "0": "01110 10001 10011 10101 11001 10001 01110", "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00010 00100 01000 11111", "3": "11111 00010 00100 00010 00001 10001 01110",
    "4": "00010 00110 01010 10010 11111 00010 00010", "5": "11111 10000 11110 00001 00001 10001 01110",
    "6": "00110 01000 10000 11110 10001 10001 01110", "7": "11111 00001 00010 00100 01000 01000 01000",
    "8": "01110 10001 10001 01110 10001 10001 01110", "9": "01110 10001 10001 01111 00001 00010 01100",
    ".": "00000 00000 00000 00000 00000 01100 01100", ",": "00000 00000 00000 00000 01100 00100 01000",
    ":": "00000 01100 01100 00000 01100 01100 00000", "-": "00000 00000 00000 11111 00000 00000 00000",
    "/": "00000 00001 00010 00100 01000 10000 00000", "?": "01110 10001 00001 00010 00100 00000 00100",
    "!": "00100 00100 00100 00100 00100 00000 00100", "(": "00010 00100 01000 01000 01000 00100 00010",
    ")": "01000 00100 00010 00010 00010 00100 01000", "'": "01100 00100 01000 00000 00000 00000 00000",
    "%": "11000 11001 00010 00100 01000 10011 00011", "+": "00000 00100 00100 11111 00100 00100 00000",
    "_": "00000 00000 00000 00000 00000 00000 11111", "&": "01100 10010 10100 01000 10101 10010 01101",
    "<": "00010 00100 01000 10000 01000 00100 00010", ">": "01000 00100 00010 00001 00010 00100 01000",
    "=": "00000 00000 11111 00000 11111 00000 00000", "*": "00000 00100 10101 01110 10101 00100 00000",
    "#": "01010 01010 11111 01010 11111 01010 01010",
}
_UNKNOWN = "11111 10001 10001 10001 10001 10001 11111"
FONT_HEIGHT = 7  # above the line; descenders add two rows
SPACE_WIDTH = 3


def glyph(ch):
    """(columns used, rows of bits) of a character, trimmed to the columns it uses."""
    rows = [r for r in _GLYPHS.get(ch, _UNKNOWN).split()]
    cols = [c for c in range(5) if any(r[c] == "1" for r in rows)]
    if not cols:
        return SPACE_WIDTH, []
    first, last = cols[0], cols[-1]
    return last - first + 1, [r[first:last + 1] for r in rows]


def text_width(text, scale=1):
    if not text:
        return 0
    return sum((SPACE_WIDTH if ch == " " else glyph(ch)[0]) + 1 for ch in text) * scale - scale


class Canvas:
    def __init__(self, w, h, colour=(255, 255, 255)):
        self.w, self.h = w, h
        self.rows = [bytearray(bytes(colour) * w) for _ in range(h)]

    def get(self, x, y):
        i = 3 * x
        return tuple(self.rows[y][i:i + 3])

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][3 * x:3 * x + 3] = bytes(c)

    def fill(self, x0, y0, x1, y1, c):
        """Fills [x0, x1) x [y0, y1)."""
        x0, x1 = max(0, x0), min(self.w, x1)
        if x1 <= x0:
            return
        span = bytes(c) * (x1 - x0)
        for y in range(max(0, y0), min(self.h, y1)):
            self.rows[y][3 * x0:3 * x1] = span

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / n))

    def rounded(self, x0, y0, x1, y1, r, top, bottom=None, corners="all"):
        """A filled rectangle with rounded corners (all, or only the top ones), shaded top to bottom."""
        bottom = bottom or top
        n = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            inset = 0
            dy = None
            if y < y0 + r:
                dy = y0 + r - y - 0.5
            elif corners == "all" and y >= y1 - r:
                dy = y - (y1 - r) + 0.5
            if dy is not None:
                inset = r - int(round((max(r * r - dy * dy, 0)) ** 0.5))
            self.fill(x0 + inset, y, x1 - inset, y + 1, mix(top, bottom, (y - y0) / n))

    def outline(self, x0, y0, x1, y1, c):
        self.fill(x0, y0, x1, y0 + 1, c)
        self.fill(x0, y1 - 1, x1, y1, c)
        self.fill(x0, y0, x0 + 1, y1, c)
        self.fill(x1 - 1, y0, x1, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r), int(cy + r) + 2):
            for x in range(int(cx - r), int(cx + r) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            self.fill(int(x - width / 2 + 0.5), int(y - width / 2 + 0.5),
                      int(x - width / 2 + 0.5) + width, int(y - width / 2 + 0.5) + width, c)

    def text(self, x, y, text, c, scale=1, shadow=None):
        """Writes text with its top-left at (x, y); returns the width written."""
        if shadow:
            self.text(x + scale, y + scale, text, shadow, scale)
        pen = x
        for ch in text:
            if ch == " ":
                pen += (SPACE_WIDTH + 1) * scale
                continue
            width, rows = glyph(ch)
            for gy, bits in enumerate(rows):
                for gx, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(pen + gx * scale, y + gy * scale, pen + (gx + 1) * scale, y + (gy + 1) * scale, c)
            pen += (width + 1) * scale
        return pen - x

    def centred_text(self, cx, cy, text, c, scale=1, shadow=None):
        self.text(int(cx - text_width(text, scale) / 2 + 0.5), int(cy - FONT_HEIGHT * scale / 2 + 0.5),
                  text, c, scale, shadow)

    def bmp(self):
        row_bytes = (self.w * 3 + 3) & ~3
        pad = b"\0" * (row_bytes - self.w * 3)
        image = bytearray()
        for row in reversed(self.rows):  # bottom-up rows, BGR
            bgr = bytearray(row)
            bgr[0::3], bgr[2::3] = row[2::3], row[0::3]
            image += bgr + pad
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        return header + info + bytes(image)


def clamp(v):
    return max(0, min(255, int(v)))


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def lighter(c, amount):
    return tuple(clamp(v + amount) for v in c)


def ink_for(c):
    """White on dark faces, near-black on light ones."""
    return (255, 255, 255) if sum(c) < 480 else (40, 40, 40)


def painter(style, w, h, rgb):
    r, g, b = rgb
    if style == "solid":
        return lambda x, y: (r, g, b)
    if style == "frame":
        return lambda x, y: (40, 40, 40) if x in (0, w - 1) or y in (0, h - 1) else (r, g, b)
    if style == "gradient":
        return lambda x, y: (clamp(r + 60 * (1 - y / max(h - 1, 1))), clamp(g + 60 * (1 - y / max(h - 1, 1))),
                             clamp(b + 60 * (1 - y / max(h - 1, 1))))
    if style == "button":
        def face(x, y):
            if x == 0 or y == 0:
                return (255, 255, 255)
            if x == w - 1 or y == h - 1:
                return (64, 64, 64)
            t = y / max(h - 1, 1)
            return (clamp(r + 40 * (1 - t)), clamp(g + 40 * (1 - t)), clamp(b + 40 * (1 - t)))
        return face
    if style == "signal":
        bars = 5
        def bar(x, y):
            i = x * bars // max(w, 1)
            top = h - (i + 1) * h // bars
            return (r, g, b) if y >= top and (x * bars) % w < w * 0.8 else (255, 255, 255)
        return bar
    if style == "check":
        def tick(x, y):
            if x in (0, w - 1) or y in (0, h - 1):
                return (0, 0, 0)
            # two strokes of a tick mark
            if x <= w * 0.4 and abs(y - (h * 0.5 + (x - w * 0.2))) < 1.2:
                return (r, g, b)
            if x >= w * 0.4 and abs(y - (h * 0.7 - (x - w * 0.4) * 1.2)) < 1.2:
                return (r, g, b)
            return (255, 255, 255)
        return tick
    if style == "cross":
        raised = painter("button", w, h, rgb)
        def cross(x, y):
            u, v = (x - w / 2) / max(h / 2, 1), (y - h / 2) / max(h / 2, 1)
            if abs(u) < 0.5 and abs(v) < 0.5 and (abs(u - v) < 0.12 or abs(u + v) < 0.12):
                return (255, 255, 255)
            return raised(x, y)
        return cross
    if style == "toolbar":
        # glyph i: a square, a disc, a triangle, a bar, ... in shades of the colour
        def glyph_at(x, y):
            i, gx = divmod(x, 16)
            shade = (clamp(r + 40 * (i % 3)), clamp(g - 30 * (i % 2)), clamp(b + 25 * (i % 4)))
            kind = i % 4
            inside = (kind == 0 and 3 <= gx <= 12 and 3 <= y <= 12) or \
                     (kind == 1 and (gx - 7.5) ** 2 + (y - 7.5) ** 2 <= 25) or \
                     (kind == 2 and 3 <= y <= 12 and abs(gx - 7.5) <= (y - 3) / 2) or \
                     (kind == 3 and 6 <= y <= 9 and 2 <= gx <= 13)
            return shade if inside else (255, 0, 255)
        return glyph_at
    if style == "grid":
        def band(x, y):
            if y % max(h // 6, 1) == 0:
                return (clamp(r + 50), clamp(g + 50), clamp(b + 50))
            return (r, g, b)
        return band
    return None


# --- drawn styles ---------------------------------------------------------------------------

PAGE = (252, 252, 252)      # the pages' labels sit on 0xFCFCFC and 0xFDFDFD
HEADER_TOP, HEADER_BOTTOM = (28, 44, 74), (52, 78, 118)
TAB_TOP, TAB_BOTTOM = (240, 244, 249), (206, 215, 228)   # unchosen tabs carry dark text
TAB_INK = (80, 100, 121)    # the program's colour for unchosen tab captions
FOOTER = (232, 235, 240)


def draw_face(c, rgb, text, opts):
    """A push-button face: rounded, shaded, with a light rim and its caption."""
    w, h = c.w, c.h
    c.fill(0, 0, w, h, PAGE)
    c.rounded(0, 0, w, h, 4, (90, 90, 90))
    c.rounded(1, 1, w - 1, h - 1, 3, lighter(rgb, 55), lighter(rgb, -25))
    c.fill(4, 2, w - 4, 3, lighter(rgb, 80))  # highlight along the top
    if text:
        scale = 2 if h >= 30 and text_width(text, 2) <= w - 8 else 1
        c.centred_text(w / 2, h / 2, text, ink_for(rgb), scale, shadow=lighter(rgb, -70))


def draw_disc(c, rgb, text, opts):
    w, h = c.w, c.h
    c.fill(0, 0, w, h, PAGE)
    cx, cy, r = w / 2, h / 2, min(w, h) / 2
    c.disc(cx, cy, r, (70, 70, 70))
    c.disc(cx, cy, r - 1, lighter(rgb, -20))
    c.disc(cx - r * 0.15, cy - r * 0.15, r - 3, rgb)
    if text.lower() == "x":
        k = r * 0.38
        c.line(cx - k, cy - k, cx + k, cy + k, (255, 255, 255), 2)
        c.line(cx - k, cy + k, cx + k, cy - k, (255, 255, 255), 2)
    elif text:
        ink = (255, 255, 160) if opts.get("hover") == "1" else (255, 255, 255)
        scale = 2 if text_width(text, 2) <= w - 6 and FONT_HEIGHT * 2 <= h - 6 else 1
        c.centred_text(cx, cy, text, ink, scale)


def draw_radio(c, rgb, text, opts):
    w, h = c.w, c.h
    c.fill(0, 0, w, h, PAGE)
    cx, cy, r = w / 2, h / 2, min(w, h) / 2 - 1
    c.disc(cx, cy, r, (90, 100, 115))
    c.disc(cx, cy, r - 2, (236, 240, 245))
    if opts.get("sel") == "1":
        c.disc(cx, cy, r * 0.55, rgb)
        c.disc(cx - r * 0.15, cy - r * 0.15, r * 0.18, lighter(rgb, 70))
    else:
        c.disc(cx, cy, r * 0.55, rgb)


def draw_checkbox(c, rgb, text, opts):
    w, h = c.w, c.h
    c.fill(0, 0, w, h, (255, 255, 255))
    c.outline(0, 0, w, h, (80, 90, 105))
    if opts.get("sel") == "1":
        c.line(w * 0.22, h * 0.52, w * 0.42, h * 0.74, rgb, 2)
        c.line(w * 0.42, h * 0.74, w * 0.8, h * 0.25, rgb, 2)


def draw_strip(c, rgb, text, opts):
    """The main window's background: header with the tab row, the page area, the footer."""
    w, h = c.w, c.h
    dlu_w, dlu_h = (float(v) for v in opts.get("dlu", "500x400").split("x"))
    sx, sy = w / dlu_w, h / dlu_h
    tab_row = int(float(opts.get("tabs", "40")) * sy + 0.5)
    page_bottom = int((float(opts.get("tabs", "40")) + 270) * sy + 0.5)
    chosen = int(opts.get("sel", "0"))

    c.vgradient(0, 0, w, tab_row, HEADER_TOP, HEADER_BOTTOM)
    c.fill(0, tab_row, w, page_bottom, PAGE)
    c.vgradient(0, page_bottom, w, h, FOOTER, lighter(FOOTER, -14))
    c.fill(0, page_bottom, w, page_bottom + 1, (200, 205, 212))
    c.outline(int(4 * sx) - 1, tab_row, w - int(4 * sx) + 1, page_bottom, (222, 226, 232))

    # The tabs sit evenly across the row, one per fifth of the width; a tab stays inside the
    # middle ten twelfths of the row's height, so that a band copied from beside it erases it.
    captions = text.split("|") if text else []
    slot = w / 5
    top, bottom = int(tab_row / 12) + 3, int(tab_row * 11 / 12) - 3
    for i, caption in enumerate(captions):
        if not caption:
            continue
        x0, x1 = int(i * slot + 5), int((i + 1) * slot - 5)
        if i + 1 == chosen:
            c.rounded(x0 - 1, top - 1, x1 + 1, tab_row, 7, (20, 30, 50), corners="top")
            c.rounded(x0, top, x1, tab_row, 6, lighter(rgb, 70), lighter(rgb, 25), corners="top")
        else:
            c.rounded(x0 - 1, top - 1, x1 + 1, bottom + 1, 7, (20, 30, 50))
            c.rounded(x0, top, x1, bottom, 6, TAB_TOP, TAB_BOTTOM)
        # No caption: the program writes the tab's caption over it, and the strip is stretched
        # over windows of different heights, where a second caption would stand beside the first.

    band_top, band_bottom = 2, 17  # in the page's dialog units
    bands = [0.0] + [float(v) for v in opts.get("bands", "").split(",") if v]
    for y in bands:
        y0 = tab_row + int((y + band_top - 2 if y else band_top) * sy)
        y1 = tab_row + int((y + band_bottom - 2 if y else band_bottom) * sy)
        if y == 0.0:
            y0 = tab_row  # the chosen tab runs on into the first band
        c.vgradient(int(4 * sx), y0, w - int(4 * sx), y1, lighter(rgb, 25), lighter(rgb, -15))


def draw_panel(c, rgb, text, opts):
    w, h = c.w, c.h
    c.vgradient(0, 0, w, h, (250, 251, 253), (232, 236, 242))
    band = max(h // 8, 18)
    c.vgradient(0, 0, w, band, lighter(rgb, 30), lighter(rgb, -20))
    c.outline(0, 0, w, h, (90, 100, 115))
    if text:
        c.text(10, (band - FONT_HEIGHT) // 2, text, (255, 255, 255))


def draw_done(c, rgb, text, opts):
    w, h = c.w, c.h
    c.fill(0, 0, w, h, PAGE)
    # Tick and caption in the upper third: the done page lays its text and buttons below them.
    cx, cy, r = w / 2, h * 0.17, min(w, h) * 0.1
    c.disc(cx, cy, r, rgb)
    c.line(cx - r * 0.5, cy, cx - r * 0.1, cy + r * 0.4, (255, 255, 255), max(int(r / 6), 2))
    c.line(cx - r * 0.1, cy + r * 0.4, cx + r * 0.55, cy - r * 0.4, (255, 255, 255), max(int(r / 6), 2))
    if text:
        c.centred_text(cx, cy + r + 12, text, lighter(rgb, -30), 2)


def _mast(c, x, y, colour):
    """An access point: a mast with waves on both sides."""
    c.fill(x - 1, y - 5, x + 1, y + 8, colour)
    c.fill(x - 4, y + 8, x + 4, y + 10, colour)
    for k in (4, 7):  # two arcs of waves on each side
        for t in range(-(k - 2), k - 1):
            c.set(x - k, y - 2 + t, colour)
            c.set(x + k - 1, y - 2 + t, colour)


def _screen(c, x, y, colour):
    """A small computer: a screen on a stand."""
    c.outline(x, y, x + 11, y + 8, colour)
    c.fill(x + 1, y + 1, x + 10, y + 7, (190, 215, 240))
    c.fill(x + 4, y + 8, x + 7, y + 10, colour)
    c.fill(x + 2, y + 10, x + 9, y + 11, colour)


def _lock(c, x, y):
    c.outline(x + 1, y, x + 6, y + 4, (120, 90, 20))
    c.fill(x, y + 3, x + 7, y + 9, (230, 180, 40))
    c.outline(x, y + 3, x + 7, y + 9, (120, 90, 20))


def draw_icons(c, rgb, text, opts):
    """Images of 45 pixels: 0 access point, 1 secured access point, 2 ad hoc, 3 secured ad hoc,
    4 configured access point, 5 access point not configured."""
    w, h = c.w, c.h
    c.fill(0, 0, w, h, (255, 255, 255))
    cy = h // 2 - 3
    for i in range(w // 45):
        x = i * 45 + 22
        if i in (2, 3):
            _screen(c, x - 13, cy - 3, rgb)
            _screen(c, x + 2, cy - 3, rgb)
        else:
            _mast(c, x, cy, rgb)
        if i in (1, 3):
            _lock(c, x + 10, h - 11)
        if i == 4:
            c.line(x + 9, h - 6, x + 11, h - 4, (30, 150, 60), 2)
            c.line(x + 11, h - 4, x + 16, h - 10, (30, 150, 60), 2)
        if i == 5:
            c.text(x + 10, h - 9, "?", (200, 120, 20))


DRAWN = {"face": draw_face, "disc": draw_disc, "radio": draw_radio, "checkbox": draw_checkbox,
         "strip": draw_strip, "panel": draw_panel, "done": draw_done, "icons": draw_icons}


def render(style, w, h, rgb, text="", opts=None):
    c = Canvas(w, h)
    plain = painter(style, w, h, rgb)
    if plain:
        for y in range(h):
            row = c.rows[y]
            for x in range(w):
                row[3 * x:3 * x + 3] = bytes(plain(x, y))
    elif style in DRAWN:
        DRAWN[style](c, rgb, text, opts or {})
    else:
        raise SystemExit(f"unknown style {style}")
    return c


def parse(raw):
    """(id, w, h, style, rgb, text, options) of one line, or None for a blank or comment line."""
    raw = raw.split("#", 1)[0].strip()
    if not raw:
        return None
    parts = shlex.split(raw)
    rid, w, h, style = int(parts[0]), int(parts[1]), int(parts[2]), parts[3]
    rest = parts[4:]
    rgb = (90, 120, 170)
    if len(rest) >= 3 and all(p.isdigit() for p in rest[:3]):
        rgb, rest = tuple(int(v) for v in rest[:3]), rest[3:]
    text, opts = "", {}
    for p in rest:
        key, eq, value = p.partition("=")
        if eq and key.isalpha() and key.islower():
            opts[key] = value
        else:
            text = p
    return rid, w, h, style, rgb, text, opts


def main():
    spec, outdir = Path(sys.argv[1]), Path(sys.argv[2])
    rc_name = sys.argv[3] if len(sys.argv) > 3 else "KelvoIMG.rc"
    outdir.mkdir(parents=True, exist_ok=True)
    lines = ["// Generated by gen_bitmaps.py: do not edit."]
    seen = set()
    for number, raw in enumerate(spec.read_text().splitlines(), 1):
        entry = parse(raw)
        if entry is None:
            continue
        rid, w, h, style, rgb, text, opts = entry
        if rid in seen:
            raise SystemExit(f"{spec}:{number}: bitmap {rid} listed twice")
        seen.add(rid)
        name = f"bmp{rid}.bmp"
        (outdir / name).write_bytes(render(style, w, h, rgb, text, opts).bmp())
        lines.append(f'{rid} BITMAP "{name}"')
    (outdir / rc_name).write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
