#!/usr/bin/env python3
"""Draws the program's icons and writes the resource script lines that hold them.

usage: gen_icons.py SPEC OUTDIR
SPEC lines: <resource id> <style> <r g b>   (# starts a comment)
styles: bars-N (N of four signal bars lit), lost (grey bars, red cross), absent (grey, slash),
error (red bars, exclamation mark), ap (an access-point mast), info (a blue "i" disc),
less (an upward chevron), check-on / check-off (a check box, ticked or not), radio-on / radio-off
(a radio button, chosen or not), dropdown (a downward triangle).
Each icon holds a 16x16 and a 32x32 image, 32 bits with alpha.
"""
import struct
import sys
from pathlib import Path

GREY = (150, 150, 150)


def canvas(n):
    return [[(0, 0, 0, 0) for _ in range(n)] for _ in range(n)]


def rect(img, x0, y0, x1, y1, rgb):
    n = len(img)
    for y in range(max(0, y0), min(n, y1)):
        for x in range(max(0, x0), min(n, x1)):
            img[y][x] = (*rgb, 255)


def line(img, x0, y0, x1, y1, rgb, width):
    steps = int(max(abs(x1 - x0), abs(y1 - y0), 1) * 2)
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        y = y0 + (y1 - y0) * i / steps
        rect(img, int(x - width / 2), int(y - width / 2), int(x + width / 2 + 1), int(y + width / 2 + 1), rgb)


def disc(img, cx, cy, r, rgb):
    n = len(img)
    for y in range(n):
        for x in range(n):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                img[y][x] = (*rgb, 255)


def bars(img, lit, rgb):
    n = len(img)
    w = n // 5
    for i in range(4):
        h = (i + 1) * (n - 2) // 4
        x0 = 1 + i * (w + max(1, n // 16))
        rect(img, x0, n - 1 - h, x0 + w, n - 1, rgb if i < lit else GREY)
        # a dark rim keeps the bars readable on any taskbar
        for y in range(n - 1 - h, n - 1):
            for x in (x0, x0 + w - 1):
                r, g, b, _ = img[y][x]
                img[y][x] = (r * 2 // 3, g * 2 // 3, b * 2 // 3, 255)


def draw(style, rgb, n):
    img = canvas(n)
    if style.startswith("bars-"):
        bars(img, int(style[5:]), rgb)
    elif style == "lost":
        bars(img, 4, GREY)
        line(img, n * 0.55, n * 0.1, n * 0.95, n * 0.5, rgb, max(1, n // 10))
        line(img, n * 0.95, n * 0.1, n * 0.55, n * 0.5, rgb, max(1, n // 10))
    elif style == "absent":
        bars(img, 0, GREY)
        line(img, n * 0.1, n * 0.9, n * 0.9, n * 0.1, rgb, max(1, n // 10))
    elif style == "error":
        bars(img, 4, rgb)
        rect(img, int(n * 0.12), int(n * 0.05), int(n * 0.28), int(n * 0.45), (200, 0, 0))
        rect(img, int(n * 0.12), int(n * 0.52), int(n * 0.28), int(n * 0.64), (200, 0, 0))
    elif style == "ap":
        rect(img, n // 2 - max(1, n // 16), n // 3, n // 2 + max(1, n // 16) + 1, n - 1, GREY)
        disc(img, n / 2, n / 3, n / 8, rgb)
        for k in (0.25, 0.38):
            line(img, n / 2 - n * k, n / 3 - n * k * 0.6, n / 2 - n * k, n / 3 + n * k * 0.6, rgb, max(1, n // 16))
            line(img, n / 2 + n * k, n / 3 - n * k * 0.6, n / 2 + n * k, n / 3 + n * k * 0.6, rgb, max(1, n // 16))
    elif style == "less":
        line(img, n * 0.2, n * 0.65, n * 0.5, n * 0.35, rgb, max(1, n // 8))
        line(img, n * 0.5, n * 0.35, n * 0.8, n * 0.65, rgb, max(1, n // 8))
    elif style in ("check-on", "check-off"):
        # a 13-pixel box (at 16) with a margin, so a button a pixel narrower loses nothing
        m, e = n // 16, n - n // 16 - max(1, n // 8)
        # a frame with a clear inside: a greyed (disabled) button still shows whether it is ticked
        rect(img, m, m, e, e, (110, 110, 110))
        b = max(1, n // 16)
        for y in range(m + b, e - b):
            for x in range(m + b, e - b):
                img[y][x] = (0, 0, 0, 0)
        if style == "check-on":
            w = max(1, n // 16)
            line(img, n * 0.25, n * 0.45, n * 0.38, n * 0.6, rgb, w)
            line(img, n * 0.38, n * 0.6, n * 0.62, n * 0.25, rgb, w)
    elif style in ("radio-on", "radio-off"):
        c = (n - max(1, n // 8)) / 2
        disc(img, c, c, c - n / 16, (110, 110, 110))
        disc(img, c, c, c - n / 16 - max(1, n // 16), (0, 0, 0))
        for y in range(n):
            for x in range(n):
                if img[y][x] == (0, 0, 0, 255):
                    img[y][x] = (0, 0, 0, 0)
        if style == "radio-on":
            disc(img, c, c, n / 6, rgb)
    elif style == "dropdown":
        top, h = int(n * 0.38), max(2, n // 4)
        for k in range(h):
            rect(img, int(n * 0.25) + k, top + k, int(n * 0.75) - k, top + k + 1, rgb)
    elif style == "info":
        disc(img, n / 2, n / 2, n / 2 - 0.5, rgb)
        rect(img, int(n * 0.44), int(n * 0.42), int(n * 0.58), int(n * 0.8), (255, 255, 255))
        disc(img, n / 2, n * 0.28, n / 12 + 0.5, (255, 255, 255))
    else:
        raise SystemExit(f"unknown style {style}")
    return img


def icon_image(img):
    n = len(img)
    pixels = bytearray()
    for y in range(n - 1, -1, -1):
        for x in range(n):
            r, g, b, a = img[y][x]
            pixels += bytes((b, g, r, a))
    mask_row = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in range(n - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(n):
            if img[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def ico_bytes(style, rgb):
    images = [icon_image(draw(style, rgb, n)) for n in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    spec, outdir = Path(sys.argv[1]), Path(sys.argv[2])
    outdir.mkdir(parents=True, exist_ok=True)
    lines = ["// Generated by gen_icons.py: do not edit."]
    for raw in spec.read_text().splitlines():
        raw = raw.split("#", 1)[0].strip()
        if not raw:
            continue
        parts = raw.split()
        rid, style = int(parts[0]), parts[1]
        rgb = tuple(int(v) for v in parts[2:5])
        name = f"icon{rid}.ico"
        (outdir / name).write_bytes(ico_bytes(style, rgb))
        lines.append(f'{rid} ICON "{name}"')
    (outdir / "icons.rc").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
