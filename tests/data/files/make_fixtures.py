#!/usr/bin/env python3
"""Writes the icon fixtures of tests/data/files and the fuzz seeds, each with
the pixels a reader must give (NAME.txt, the `pixels` layout: 32 lines of 32
RRGGBB values, top row first). Independent of the C++ code on purpose: the
bytes are laid out here by hand from the bitmap format, so the reader is
checked against a second implementation. Run it again only to change fixtures."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
FUZZ = os.path.join(HERE, "..", "..", "fuzz", "corpus")
WHITE = (255, 255, 255)
CLASSIC = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def dib_header(w, h, bits, colors_used=0):
    return struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bits, 0, 0, 0, 0, colors_used, 0)


def mask_rows(transparent, w, h):
    stride = (w + 31) // 32 * 4
    out = b""
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += bytes(row)
    return out


def indexed_image(pixels, w, h, bits, table, transparent):
    """pixels(x, y) -> table index."""
    stride = (w * bits + 31) // 32 * 4
    data = b""
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            i = pixels(x, y)
            if bits == 8:
                row[x] = i
            elif bits == 4:
                row[x // 2] |= i << (0 if x % 2 else 4)
            else:
                row[x // 8] |= (i & 1) << (7 - x % 8)
        data += bytes(row)
    tbl = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in table)
    return dib_header(w, h, bits) + tbl + data + mask_rows(transparent, w, h)


def rgb_image(color, w, h, bits, transparent, alpha=None):
    stride = (w * bits // 8 + 3) // 4 * 4
    data = b""
    for y in reversed(range(h)):
        row = bytearray()
        for x in range(w):
            r, g, b = color(x, y)
            row += bytes([b, g, r])
            if bits == 32:
                row.append(alpha(x, y))
        row += bytes(stride - len(row))
        data += bytes(row)
    return dib_header(w, h, bits) + data + mask_rows(transparent, w, h)


def png(color, alpha, w, h):
    raw = b"".join(b"\0" + b"".join(bytes(color(x, y)) + bytes([alpha(x, y)]) for x in range(w))
                   for y in range(h))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def icon_file(entries, kind=1):
    """entries: (width, height, colour count, planes, bit count, image bytes)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for (w, h, cc, planes, bits, img) in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, cc, 0, planes, bits, len(img), offset)
        offset += len(img)
    return out + b"".join(e[5] for e in entries)


def write(folder, name, data, expected=None):
    path = os.path.join(HERE, folder, name)
    with open(path, "wb") as f:
        f.write(data)
    if folder == "valid" or name.startswith("seed"):
        with open(os.path.join(FUZZ, name), "wb") as f:
            f.write(data)
    if expected:
        with open(os.path.splitext(path)[0] + ".txt", "w") as f:
            for y in range(32):
                f.write(" ".join("%02X%02X%02X" % expected(x, y) for x in range(32)) + "\n")


def main():
    os.makedirs(FUZZ, exist_ok=True)

    # 4 bits, classic table: a red cross on a transparent ground, blue frame.
    def cross_index(x, y):
        if x in (0, 31) or y in (0, 31):
            return 12
        return 9 if x in (15, 16) or y in (15, 16) else 0
    cross_clear = lambda x, y: cross_index(x, y) == 0
    write("valid", "red_cross_4bit.ico",
          icon_file([(32, 32, 16, 1, 4, indexed_image(cross_index, 32, 32, 4, CLASSIC, cross_clear))]),
          lambda x, y: WHITE if cross_clear(x, y) else CLASSIC[cross_index(x, y)])

    # 24 bits as other programs store it: no colour table, colours used 0.
    grad = lambda x, y: (x * 8, y * 8, 255 - x * 4)
    diag = lambda x, y: x == y
    write("valid", "gradient_24bit_no_table.ico",
          icon_file([(32, 32, 0, 1, 24, rgb_image(grad, 32, 32, 24, diag))]),
          lambda x, y: WHITE if diag(x, y) else grad(x, y))

    # A cursor at 1 bit with hotspot (5, 7) in the entry.
    stripes = lambda x, y: (x // 4) % 2
    write("valid", "stripes_1bit.cur",
          icon_file([(32, 32, 2, 5, 7, indexed_image(stripes, 32, 32, 1, [(0, 0, 0), (0, 255, 0)],
                                                     lambda x, y: False))], kind=2),
          lambda x, y: (0, 255, 0) if stripes(x, y) else (0, 0, 0))

    # Several sizes: the 32 x 32 24-bit entry must be read although it comes last.
    teal = lambda x, y: (0, 128, 128)
    gray8 = [(i, i, i) for i in range(256)]
    none = lambda x, y: False
    write("valid", "sizes_16_32_8bit_32_24bit.ico",
          icon_file([(16, 16, 0, 1, 8, indexed_image(lambda x, y: 40, 16, 16, 8, gray8, none)),
                     (32, 32, 0, 1, 8, indexed_image(lambda x, y: 90, 32, 32, 8, gray8, none)),
                     (32, 32, 0, 1, 24, rgb_image(teal, 32, 32, 24, none))]),
          teal)

    # Single PNG entry of 64 x 64: each 2 x 2 block averaged, alpha below 128 white.
    pc = lambda x, y: (200, (x * 4) % 256, 50)
    pa = lambda x, y: 0 if x < 16 else 255
    write("valid", "png_64.ico", icon_file([(64, 64, 0, 1, 32, png(pc, pa, 64, 64))]),
          lambda x, y: WHITE if 2 * x < 16 else (200, 8 * x + 2, 50))

    # Modern icon, 32 bits with alpha at 16 and 48 only: the fallback scales
    # the 48 one; its see-through parts are white.
    c48 = lambda x, y: (10, 200, 30)
    a48 = lambda x, y: 0 if y < 24 else 255
    write("valid", "modern_16_48_32bit.ico",
          icon_file([(16, 16, 0, 1, 32, rgb_image(c48, 16, 16, 32, none, a48)),
                     (48, 48, 0, 1, 32, rgb_image(c48, 48, 48, 32, none, a48))]),
          lambda x, y: WHITE if y < 16 else c48(x, y))

    good = open(os.path.join(HERE, "valid", "red_cross_4bit.ico"), "rb").read()
    write("invalid", "truncated_in_pixels.ico", good[:300])
    write("invalid", "count_zero.ico", good[:4] + b"\0\0" + good[6:])
    write("invalid", "offset_past_end.ico", good[:18] + struct.pack("<I", 0x7FFFFFF0) + good[22:])
    write("invalid", "not_an_icon.ico", b"GIF89a" + bytes(40))


if __name__ == "__main__":
    main()
