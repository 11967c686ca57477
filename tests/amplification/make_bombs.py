#!/usr/bin/env python3
"""Writes small files that cost a careless reader gigabytes or minutes, into
the folder given: each must be answered within the time and memory limits of
run_bombs.sh, by a result or a refusal that names its limit."""
import os
import struct
import sys
import zlib

OUT = sys.argv[1]


def save(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def zeros_deflated(n):
    z = zlib.compressobj(9)
    block = bytes(1 << 20)
    out = []
    while n > 0:
        out.append(z.compress(block[:min(n, len(block))]))
        n -= len(block)
    out.append(z.flush())
    return b"".join(out)


def icon(entries, kind=1):
    """entries: (width byte, height byte, planes, bits, image bytes)."""
    head = struct.pack("<HHH", 0, kind, len(entries))
    at = 6 + 16 * len(entries)
    dirs, blobs = b"", b""
    for w, h, planes, bits, data in entries:
        dirs += struct.pack("<BBBBHHII", w, h, 0, 0, planes, bits, len(data), at + len(blobs))
        blobs += data
    return head + dirs + blobs


def riff_ani(frames, steps):
    anih = struct.pack("<9I", 36, len(frames), steps, 0, 0, 0, 0, 6, 1)
    fram = b"fram" + b"".join(b"icon" + struct.pack("<I", len(f)) + f + b"\0" * (len(f) % 2)
                              for f in frames)
    seq = struct.pack("<%dI" % steps, *[i % len(frames) for i in range(steps)])
    body = (b"ACON" + b"anih" + struct.pack("<I", len(anih)) + anih +
            b"seq " + struct.pack("<I", len(seq)) + seq +
            b"LIST" + struct.pack("<I", len(fram)) + fram)
    return b"RIFF" + struct.pack("<I", len(body)) + body


# A 32 x 32 PNG entry: its rows, then deflate of 200 MB more.
ihdr = struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0)
png = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) +
       png_chunk(b"IDAT", zeros_deflated(32 * 129 + (200 << 20))) + png_chunk(b"IEND", b""))
save("inflate_bomb.ico", icon([(32, 32, 1, 32, png)]))
save("inflate_bomb.png", png)

# 1,024 steps of one frame whose headers claim every size from 129 to 256.
headers = b"".join(struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, 0, 0, 0, 0, 0)
                   for s in range(129, 257))
entries = []
for i, s in enumerate(range(129, 257)):
    entries.append((s & 0xFF, s & 0xFF, 0, 0, headers[40 * i:40 * i + 40]))
save("steps_bomb.ani", riff_ani([icon(entries, 2)], 1024))

# 32,767 entries, none 32 x 32, all pointing at one damaged 256 x 256 image.
damaged = struct.pack("<IiiHHIIiiII", 40, 256, 512, 1, 32, 0, 0, 0, 0, 0, 0)
n = 32767
head = struct.pack("<HHH", 0, 1, n)
at = 6 + 16 * n
dirs = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(damaged), at) * n
save("fallback_bomb.ico", head + dirs + damaged)

# An old-style program of 5,000 icon groups, all the same one-image directory.
groups = 5000
table_len = 2 + 8 + 12 * groups + 8 + 12 + 2
data_at = (0x80 + table_len + 15) // 16 * 16
dib = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 0, 0) + bytes(8 + 128 + 128)
grp_at = data_at
ico_at = data_at + 32
table = struct.pack("<H", 4)
table += struct.pack("<HHI", 0x800E, groups, 0)
table += struct.pack("<HHHHHH", grp_at >> 4, 2, 0x1030, 0x8001, 0, 0) * groups
table += struct.pack("<HHI", 0x8003, 1, 0)
table += struct.pack("<HHHHHH", ico_at >> 4, (len(dib) + 15) >> 4, 0x1030, 0x8001, 0, 0)
table += struct.pack("<H", 0)
ne = bytearray(0x40)
ne[0:2] = b"NE"
struct.pack_into("<HH", ne, 0x24, 0x40, 0x40 + len(table))
ne[0x36] = 2
dos = bytearray(0x40)
dos[0:2] = b"MZ"
struct.pack_into("<I", dos, 0x3C, 0x40)
program = bytearray(dos + ne + table)
program += bytes(grp_at - len(program))
program += struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", 32, 32, 2, 0, 1, 1, len(dib), 1)
program += bytes(ico_at - len(program)) + dib
save("groups_bomb.exe", bytes(program))

# 1,080 bytes of run-length bitmap claiming 16,384 x 4,096 pixels, ending at once.
rle = struct.pack("<IiiHHIIiiII", 40, 16384, 4096, 1, 8, 1, 2, 0, 0, 0, 0) + bytes(1024) + b"\0\1"
save("rle_bomb.bmp", b"BM" + struct.pack("<IHHI", 14 + len(rle), 0, 0, 14 + 40 + 1024) + rle)

# A RIFF whose INFO list holds 100,000 tiny chunks.
info = b"INFO" + b"".join(b"ICMT" + struct.pack("<I", 2) + b"ab" for _ in range(100000))
body = b"ACON" + b"LIST" + struct.pack("<I", len(info)) + info
save("riff_bomb.ani", b"RIFF" + struct.pack("<I", len(body)) + body)


def sparse(name, size, parts):
    """A file of `size` bytes that holds only `parts` (offset, bytes): the
    rest are holes, which cost neither disk nor reading memory."""
    with open(os.path.join(OUT, name), "wb") as f:
        for at, data in parts:
            f.seek(at)
            f.write(data)
        f.truncate(size)


def pe32(size, rsrc_raw, rsrc_va, rsrc_size):
    """The headers of a PE32 program with one resource section."""
    dos = bytearray(0x40)
    dos[0:2] = b"MZ"
    struct.pack_into("<I", dos, 0x3C, 0x40)
    coff = b"PE\0\0" + struct.pack("<HHIIIHH", 0x14C, 1, 0, 0, 0, 224, 0x102)
    opt = bytearray(224)
    struct.pack_into("<H", opt, 0, 0x10B)
    struct.pack_into("<I", opt, 60, 0x400)  # size of headers
    struct.pack_into("<I", opt, 92, 16)  # directories
    struct.pack_into("<II", opt, 96 + 16, rsrc_va, rsrc_size)
    section = b".rsrc\0\0\0" + struct.pack("<IIII", rsrc_size, rsrc_va, size - rsrc_raw, rsrc_raw)
    return bytes(dos + coff + opt + section + bytes(16))


# 600 MB of program, nearly all holes: 65,535 named icon groups whose names
# claim 65,535 characters each, spread over the file (1,024 distinct ones, to
# keep the disk it takes small); the groups share 256 directories of 256
# images, 65,535 distinct icons in all, each the same 256 x 256 picture at the
# end of the file.
size = 600 << 20
raw, va = 0x400, 0x1000
groups, dirs, icons = 65535, 256, 65535
image = struct.pack("<IiiHHIIiiII", 40, 256, 512, 1, 32, 0, 0, 0, 0, 0, 0) + bytes(256 * 256 * 4 + 256 * 32)
image_at = size - (1 << 20)
gdirs_at = image_at - (2 << 20)  # file offsets of the group directories
gdir_len = 6 + 14 * 256


def rdir(ids_entries, named=0):
    """A resource directory: header, then (name, data) pairs."""
    return struct.pack("<IIHHHH", 0, 0, 0, 0, named, len(ids_entries) - named) + b"".join(
        struct.pack("<II", n, d) for n, d in ids_entries)


# Laid out from the section's start: root, icon list, group list, then per
# directory and per icon a language directory and a data entry.
icon_list = 0x100
group_list = icon_list + 16 + 8 * icons
group_langs = group_list + 16 + 8 * groups
icon_langs = group_langs + 40 * dirs
rsrc = bytearray(icon_langs + 40 * icons)
rsrc[0:40] = rdir([(3, 0x80000000 | icon_list), (14, 0x80000000 | group_list)])
rsrc[icon_list:group_list] = rdir([(i, 0x80000000 | (icon_langs + 40 * i)) for i in range(icons)])
for i in range(icons):
    at = icon_langs + 40 * i
    rsrc[at:at + 40] = rdir([(1033, at + 24)]) + struct.pack("<IIII", va + image_at - raw, len(image), 0, 0)
for g in range(dirs):
    at = group_langs + 40 * g
    rsrc[at:at + 40] = rdir([(1033, at + 24)]) + \
        struct.pack("<IIII", va + gdirs_at + gdir_len * g - raw, gdir_len, 0, 0)
names = []
entries = []
for i in range(groups):
    name_at = 0x100000 + ((i % 1024) << 19)
    entries.append((0x80000000 | name_at, 0x80000000 | (group_langs + 40 * (i % dirs))))
    if i < 1024:
        names.append((raw + name_at, struct.pack("<H", 0xFFFF) + ("group%d" % i).encode("utf-16-le")))
rsrc[group_list:group_langs] = rdir(entries, named=groups)
gdir_bytes = b"".join(struct.pack("<HHH", 0, 1, 256) + b"".join(
    struct.pack("<BBBBHHIH", 0, 0, 0, 0, 1, 32, len(image), (256 * g + j) % icons) for j in range(256))
    for g in range(dirs))
sparse("named_groups_600mb.exe", size,
       [(0, pe32(size, raw, va, size - raw)), (raw, bytes(rsrc))] + names +
       [(gdirs_at, gdir_bytes), (image_at, image)])

# Pictures claiming millions of pixels from a few kilobytes: 64 million,
# refused, or 16 million, the most that is read.
# PNG: 8,192 x 8,192 grey, rows of zeros; and 4,096 x 4,096 in 16,000 IDAT chunks.
ihdr = struct.pack(">IIBBBBB", 8192, 8192, 8, 0, 0, 0, 0)
save("megapixels.png", b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) +
     png_chunk(b"IDAT", zeros_deflated(8192 * 8193)) + png_chunk(b"IEND", b""))
ihdr = struct.pack(">IIBBBBB", 4096, 4096, 8, 6, 0, 0, 0)
idat = zeros_deflated(4096 * (1 + 4 * 4096))
save("many_idat.png", b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) +
     b"".join(png_chunk(b"IDAT", idat[i:i + 4]) for i in range(0, len(idat), 4)) +
     png_chunk(b"IEND", b""))

# GIF: a logical screen of 4,096 x 4,096 around a frame of one pixel; and
# 60,000 frames of one pixel after a frame of 4,096 x 4,096.
gif_pixel = b",\0\0\0\0\1\0\1\0\0" + b"\2\2\x44\x01\0"  # clear, 0, end in 3-bit codes
save("screen_bomb.gif", b"GIF89a" + struct.pack("<HHBBB", 4096, 4096, 0, 0, 0) + gif_pixel + b";")
save("frames_bomb.gif", b"GIF89a" + struct.pack("<HHBBB", 1, 1, 0, 0, 0) + gif_pixel * 60000 + b";")

# JPEG: 4,096 x 4,096 whose Huffman tables make every zero bit a whole block
# (no change, end of block); baseline grey and progressive colour, whose
# coefficients are kept for the whole picture.


def jpeg(sof, width, height, components, data_len):
    seg = lambda m, body: b"\xff" + bytes([m]) + struct.pack(">H", len(body) + 2) + body
    comps = b"".join(bytes([i + 1, 0x11, 0]) for i in range(components))
    scan = bytes([components]) + b"".join(bytes([i + 1, 0]) for i in range(components))
    scan += b"\0\0\0" if sof == 0xC2 else b"\0\x3f\0"  # progressive: DC first
    return (b"\xff\xd8" + seg(0xDB, b"\0" + b"\1" * 64) +
            seg(sof, b"\x08" + struct.pack(">HH", height, width) + bytes([components]) + comps) +
            seg(0xC4, b"\x00" + b"\1" + b"\0" * 15 + b"\0") +
            seg(0xC4, b"\x10" + b"\1" + b"\0" * 15 + b"\0") +
            seg(0xDA, scan) + bytes(data_len) + b"\xff\xd9")


save("megapixels.jpg", jpeg(0xC0, 4096, 4096, 1, 1 << 16))
save("progressive.jpg", jpeg(0xC2, 4096, 4096, 3, 1 << 18))
# 40 scans of the whole of it, each a pass over every block.
first = jpeg(0xC2, 4096, 4096, 3, 3 * 4096 * 4096 // 64 // 8 + 16)[:-2]
scan = first[first.index(b"\xff\xda"):]
save("scans.jpg", first + scan * 39 + b"\xff\xd9")

# BMP: 16,384 x 4,096 at 32 bits claimed by 60 bytes.
bmp = struct.pack("<IiiHHIIiiII", 40, 16384, 4096, 1, 32, 0, 0, 0, 0, 0, 0)
save("claim_bomb.bmp", b"BM" + struct.pack("<IHHI", 14 + len(bmp) + 8, 0, 0, 14 + 40) + bmp + bytes(8))

# An icon of 256 entries of 256 x 256 at 32 bits (all the same image), and an
# animated cursor of 1,024 steps over 8 frames of such cursors.
big = struct.pack("<IiiHHIIiiII", 40, 256, 512, 1, 32, 0, 0, 0, 0, 0, 0) + bytes(256 * 256 * 4 + 256 * 32)
n = 256
at = 6 + 16 * n
save("big_entries.ico", struct.pack("<HHH", 0, 1, n) +
     struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(big), at) * n + big)
save("big_frames.ani", riff_ani([icon([(0, 0, 1, 32, big)], 2)] * 8, 1024))

# An animated cursor of 60 frames, each a 256 x 256 PNG of its own colour: an
# X11 cursor just under its 16 MiB limit, every frame decoded.
ihdr = struct.pack(">IIBBBBB", 256, 256, 8, 6, 0, 0, 0)
frames = []
for i in range(60):
    rows = (b"\0" + bytes([i, 0, 0, 255]) * 256) * 256
    png = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + png_chunk(b"IDAT", zlib.compress(rows, 9)) +
           png_chunk(b"IEND", b""))
    frames.append(icon([(0, 0, 1, 32, png)], 2))
save("png_frames.ani", riff_ani(frames, 60))
