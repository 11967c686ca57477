#!/usr/bin/python3
"""Builds the small Windows programs and libraries the extraction tests read.

Icons are written here byte by byte (DIB at 1, 4, 8, 24 and 32 bits with
their masks, and PNG), put into resource scripts, compiled with mingw-w64's
windres and linked with its gcc; the 16-bit program is assembled by hand,
as no toolchain in Debian makes NE files any more. Run from this folder:

    ./make_programs.py          (needs gcc-mingw-w64 and binutils-mingw-w64)

The outputs are committed, so the tests never need the toolchain.
"""
import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "programs")


def pixel(seed, x, y, size):
    """A picture that differs by seed, position and size: stripes, a disc, a corner."""
    r = (seed * 53 + x * 255 // max(1, size - 1)) & 0xFF
    g = (seed * 97 + y * 255 // max(1, size - 1)) & 0xFF
    b = (seed * 31 + ((x // 4) ^ (y // 4)) * 7) & 0xFF
    c = size / 2
    inside = (x - c + 0.5) ** 2 + (y - c + 0.5) ** 2 <= (size * 0.42) ** 2
    if not inside:
        r, g, b = (g, b, r)
    return r, g, b


def seen(x, y, size):
    """False for the see-through top-left corner triangle."""
    return x + y >= size // 3


def palette(bits, seed):
    n = 1 << bits
    if bits == 1:
        return [(0, 0, 0), ((seed * 71) & 0xFF, 200, 255)]
    return [((i * 37 + seed * 11) & 0xFF, (i * 91 + seed) & 0xFF, (i * 13 + 80) & 0xFF) for i in range(n)]


def nearest(pal, rgb):
    return min(range(len(pal)), key=lambda i: sum((a - b) ** 2 for a, b in zip(pal[i], rgb)))


def dib(size, bits, seed):
    """BITMAPINFOHEADER, colour table, bottom-up rows, then the AND mask."""
    pal = palette(bits, seed) if bits <= 8 else []
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    stride = (size * bits + 31) // 32 * 4
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            r, g, b = pixel(seed, x, y, size)
            if bits == 32:
                a = 255 if seen(x, y, size) else 0
                if seen(x, y, size) and x > size * 3 // 4:
                    a = 40 + (y * 200) // size  # partly see-through band
                row[4 * x:4 * x + 4] = bytes((b, g, r, a))
            elif bits == 24:
                row[3 * x:3 * x + 3] = bytes((b, g, r)) if seen(x, y, size) else b"\0\0\0"
            else:
                i = nearest(pal, (r, g, b)) if seen(x, y, size) else 0
                per = 8 // bits
                shift = (per - 1 - x % per) * bits
                row[x // per] |= i << shift
        rows.append(bytes(row))
    mstride = (size + 31) // 32 * 4
    mask = []
    for y in range(size - 1, -1, -1):
        row = bytearray(mstride)
        for x in range(size):
            if not seen(x, y, size):
                row[x // 8] |= 0x80 >> (x % 8)
        mask.append(bytes(row))
    return header + table + b"".join(rows) + b"".join(mask)


def png(size, seed):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            r, g, b = pixel(seed, x, y, size)
            a = 0 if not seen(x, y, size) else (255 if x < size // 2 else 64 + y * 191 // size)
            raw += bytes((r, g, b, a))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def image(size, bits, seed):
    return png(size, seed) if bits == "png" else dib(size, bits, seed)


def ico(images):
    """An icon file from (size, bits, seed) triples."""
    datas = [image(*i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(datas))
    offset = 6 + 16 * len(datas)
    for (size, bits, _), data in zip(images, datas):
        depth = 32 if bits == "png" else bits
        colours = (1 << bits) if bits != "png" and bits < 8 else 0
        out += struct.pack("<BBBBHHII", size & 0xFF, size & 0xFF, colours, 0, 1, depth, len(data), offset)
        offset += len(data)
    return out + b"".join(datas)


def build_pe(name, arch, groups, dll=False):
    """groups: list of (resource name or number, [(size, bits, seed)...])."""
    with tempfile.TemporaryDirectory() as tmp:
        lines = []
        for n, (gname, images) in enumerate(groups):
            path = os.path.join(tmp, "g%d.ico" % n)
            with open(path, "wb") as f:
                f.write(ico(images))
            lines.append('%s ICON "%s"' % (gname, path))
        rc = os.path.join(tmp, "res.rc")
        with open(rc, "w") as f:
            f.write("\n".join(lines) + "\n")
        obj = os.path.join(tmp, "res.o")
        subprocess.check_call(["%s-w64-mingw32-windres" % arch, rc, "-O", "coff", "-o", obj])
        stub = os.path.join(tmp, "stub.c")
        with open(stub, "w") as f:
            f.write("int mainCRTStartup(void) { return 0; }\n"
                    "int DllMainCRTStartup(void *a, unsigned b, void *c) { return 1; }\n")
        cmd = ["%s-w64-mingw32-gcc" % arch, "-Os", "-s", "-nostdlib", "-o", os.path.join(OUT, name), stub, obj]
        if dll:
            cmd[1:1] = ["-shared", "-Wl,-e,DllMainCRTStartup" if arch == "x86_64" else "-Wl,-e,_DllMainCRTStartup@12"]
        subprocess.check_call(cmd)


def build_ne(name, groups):
    """A 16-bit program holding only icon resources: DOS stub, NE header,
    resource table (alignment shift 4), then the resources."""
    shift = 4
    icons = []  # (id, bytes)
    group_dirs = []  # (name or number, bytes)
    next_id = 1
    for gname, images in groups:
        entries = b""
        for size, bits, seed in images:
            data = image(size, bits, seed)
            depth = 32 if bits == "png" else bits
            colours = (1 << bits) if bits != "png" and bits < 8 else 0
            entries += struct.pack("<BBBBHHIH", size & 0xFF, size & 0xFF, colours, 0, 1, depth, len(data), next_id)
            icons.append((next_id, data))
            next_id += 1
        group_dirs.append((gname, struct.pack("<HHH", 0, 1, len(images)) + entries))
    ne_at = 0x40
    table_at = 0x40  # from the NE header
    names = b""
    name_offsets = {}
    # Table layout: shift, type blocks, 0, then names.
    table_len = 2 + (8 + 12 * len(icons)) + (8 + 12 * len(group_dirs)) + 2
    for gname, _ in group_dirs:
        if isinstance(gname, str):
            name_offsets[gname] = table_len + len(names)
            names += bytes([len(gname)]) + gname.encode("latin-1")
    table_len += len(names) + 1
    data_at = (ne_at + table_at + table_len + 15) // 16 * 16
    blobs = []
    pos = data_at

    def place(data):
        nonlocal pos
        start = pos
        blobs.append((start, data))
        pos = (pos + len(data) + 15) // 16 * 16
        return start >> shift, (len(data) + 15) >> shift

    table = struct.pack("<H", shift)
    table += struct.pack("<HHI", 0x8003, len(icons), 0)
    for iid, data in icons:
        off, ln = place(data)
        table += struct.pack("<HHHHHH", off, ln, 0x1030, 0x8000 | iid, 0, 0)
    table += struct.pack("<HHI", 0x800E, len(group_dirs), 0)
    for gname, data in group_dirs:
        off, ln = place(data)
        rid = name_offsets[gname] if isinstance(gname, str) else (0x8000 | gname)
        table += struct.pack("<HHHHHH", off, ln, 0x1030, rid, 0, 0)
    table += struct.pack("<H", 0) + names + b"\0"
    assert len(table) == table_len
    resident = table_at + table_len
    ne = bytearray(0x40)
    ne[0:2] = b"NE"
    ne[2:4] = bytes((5, 10))
    struct.pack_into("<H", ne, 0x24, table_at)
    struct.pack_into("<H", ne, 0x26, resident)
    struct.pack_into("<H", ne, 0x32, shift)
    ne[0x36] = 2  # Windows
    dos = bytearray(0x40)
    dos[0:2] = b"MZ"
    struct.pack_into("<I", dos, 0x3C, ne_at)
    out = bytearray(dos + ne + table + b"\0")  # the resident-name table: empty
    out += bytes(max(0, data_at - len(out)))
    for start, data in blobs:
        out += bytes(start - len(out)) + data
    out += bytes(-len(out) % 16)  # the last resource fills its aligned length
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(out)


def main():
    os.makedirs(OUT, exist_ok=True)
    depths = [1, 4, 8, 24, 32]
    build_pe("one_icon32.exe", "i686", [("1", [(32, 8, 1)])])
    # Eleven groups, named and numbered, stored out of order.
    build_pe("groups64.exe", "x86_64",
             [("300", [(32, 24, 2)]), ("ZETA", [(32, 4, 3)]), ("7", [(32, 32, 4)]),
              ("ALPHA", [(32, 1, 5)]), ("2", [(32, 8, 6)]), ("40", [(16, 8, 7), (32, 8, 7)]),
              ("41", [(32, "png", 8)]), ("9", [(32, 24, 9)]), ("10", [(32, 4, 10)]),
              ("11", [(32, 8, 11)]), ("12", [(32, 32, 12)])])
    # Every depth at 16, 32 and 48, PNG beside them; a group without 32; PNG only.
    build_pe("depths64.exe", "x86_64",
             [("1", [(s, b, 20 + i) for i, (s, b) in enumerate((s, b) for s in (16, 32, 48) for b in depths)]
               + [(32, "png", 40), (256, "png", 41)]),
              ("2", [(16, 8, 50), (48, 24, 51), (64, 4, 52)]),
              ("3", [(48, "png", 60), (32, "png", 61), (16, "png", 62)]),
              ("4", [(32, 4, 70), (32, 24, 71), (32, 8, 72)])])
    build_pe("library32.dll", "i686", [("5", [(32, 4, 80)]), ("LOGO", [(48, 32, 81)])], dll=True)
    build_ne("sixteen.exe", [("APP", [(16, 4, 90), (32, 4, 91)]), (3, [(32, 1, 92)]), (1, [(32, 8, 93)])])


if __name__ == "__main__":
    main()
