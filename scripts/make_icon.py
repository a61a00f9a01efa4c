#!/usr/bin/env python3
"""Draws the program's icon (a column of menu buttons on a rounded tile) and writes
app/resources/lumora-valikko.ico with the sizes Windows asks for: 16, 24, 32, 48 and
256 pixels, 32-bit colour. Plain Python: no imaging library needed."""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SS = 4  # supersampling per axis


def coverage_tile(x, y, n):
    """Inside the rounded tile?"""
    r = 0.2 * n
    cx = min(max(x, r), n - r)
    cy = min(max(y, r), n - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pixel(x, y, n):
    """Colour (r, g, b, a) at point x, y of an n-pixel icon."""
    if not coverage_tile(x, y, n):
        return (0, 0, 0, 0)
    t = y / n  # vertical gradient, deep blue to teal
    bg = (int(20 + 10 * t), int(70 + 90 * t), int(150 + 30 * t))
    margin = 0.2 * n
    bar_h = 0.16 * n
    gap = (n - 2 * margin - 3 * bar_h) / 2
    for i in range(3):
        top = margin + i * (bar_h + gap)
        if margin <= x <= n - margin and top <= y <= top + bar_h:
            if i == 0:  # the pressed button, in the accent colour
                return (255, 190, 60, 255)
            return (245, 248, 252, 255)
    return bg + (255,)


def render(n):
    rows = []
    for py in range(n):
        row = []
        for px in range(n):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = pixel(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS, n)
                    a = c[3]
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            a = acc[3] / (SS * SS)
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], int(round(a))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bmp_entry(rows, n):
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((n + 31) // 32) * 4
    return header + pixels + bytes(mask_stride * n)


def png_entry(rows, n):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(out):
    images = []
    for n in SIZES:
        rows = render(n)
        images.append((n, png_entry(rows, n) if n == 256 else bmp_entry(rows, n)))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, blob in images:
        dim = 0 if n == 256 else n
        data += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    data += b"".join(blob for _, blob in images)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/resources/lumora-valikko.ico")
