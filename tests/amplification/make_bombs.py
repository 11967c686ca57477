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
# keep the disk it takes small), every group the same directory of 256 images
# at the end of the file, each the same 256 x 256 picture.
size = 600 << 20
raw, va = 0x400, 0x1000
groups = 65535
group_dir_at = 0x1000
root = struct.pack("<IIHHHH", 0, 0, 0, 0, 0, 2) + struct.pack("<II", 3, 0x80000000 | 0x20) + \
    struct.pack("<II", 14, 0x80000000 | group_dir_at)
lang_at = 0x100
data_entry_at = 0x140
icon_lang_at = 0x180
icon_data_at = 0x1C0
tail = size - (1 << 20)  # the group directory and the image
image = struct.pack("<IiiHHIIiiII", 40, 256, 512, 1, 32, 0, 0, 0, 0, 0, 0) + bytes(256 * 256 * 4 + 256 * 32)
gdir = struct.pack("<HHH", 0, 1, 256) + b"".join(
    struct.pack("<BBBBHHIH", 0, 0, 0, 0, 1, 32, len(image), 1) for _ in range(256))
rsrc = bytearray(0x80000 + 16 + 8 * groups)
rsrc[0:len(root)] = root
struct.pack_into("<IIHHHH", rsrc, 0x20, 0, 0, 0, 0, 0, 1)
struct.pack_into("<II", rsrc, 0x30, 1, 0x80000000 | icon_lang_at)
struct.pack_into("<IIHHHHII", rsrc, lang_at, 0, 0, 0, 0, 0, 1, 1033, data_entry_at)
struct.pack_into("<IIII", rsrc, data_entry_at, va + tail - raw, len(gdir), 0, 0)
struct.pack_into("<IIHHHHII", rsrc, icon_lang_at, 0, 0, 0, 0, 0, 1, 1033, icon_data_at)
struct.pack_into("<IIII", rsrc, icon_data_at, va + tail - raw + 0x1000, len(image), 0, 0)
# The group directory's own header and entries.
struct.pack_into("<IIHH", rsrc, group_dir_at, 0, 0, 0, 0)
struct.pack_into("<HH", rsrc, group_dir_at + 12, groups, 0)
names = []
for i in range(groups):
    name_at = 0x100000 + ((i % 1024) << 19)
    struct.pack_into("<II", rsrc, group_dir_at + 16 + 8 * i, 0x80000000 | name_at,
                     0x80000000 | lang_at)
    if i < 1024:
        names.append((raw + name_at, struct.pack("<H", 0xFFFF) + ("group%d" % i).encode("utf-16-le")))
sparse("named_groups_600mb.exe", size,
       [(0, pe32(size, raw, va, size - raw)), (raw, bytes(rsrc))] + names +
       [(tail, gdir), (tail + 0x1000, image)])
