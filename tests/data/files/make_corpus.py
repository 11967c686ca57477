#!/usr/bin/python3
"""Writes tests/data/files/corpus: icons and cursors as other programs make
them (ImageMagick, icoutils' icotool, Pillow, and a few laid out by hand), and
MANIFEST, one line per file: NAME ENTRY DECODER, where ENTRY is the zero-based
directory entry our reader must choose and DECODER the independent program the
test compares that entry against ("icotool" or "pillow").

Needs imagemagick, icoutils and python3-pil (scripts/setup.sh). Run it again
only to change the corpus; the test reads the files committed."""
import io
import os
import struct
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")
MAGICK = "/usr/bin/convert-im6.q16"


def picture(side, colours, soft_edge=False):
    """An RGBA picture: a transparent top-left corner, a diagonal band and
    quadrants drawn from `colours`; with soft_edge, a ring of partial alpha."""
    img = Image.new("RGBA", (side, side))
    px = img.load()
    for y in range(side):
        for x in range(side):
            if x + y < side // 2:
                px[x, y] = (0, 0, 0, 0)
                continue
            q = (2 if y >= side // 2 else 0) + (1 if x >= side // 2 else 0)
            c = colours[q % len(colours)]
            if abs(x - y) <= side // 16:
                c = colours[-1]
            a = 255
            if soft_edge and x + y < side // 2 + side // 4:
                a = (x * 37 + y * 11) % 256
            px[x, y] = c + (a,)
    return img


BITS_COLOURS = {
    1: [(0, 0, 0), (255, 255, 255)],
    4: [(128, 0, 0), (0, 128, 0), (0, 0, 128), (255, 255, 0)],
    8: [(12, 34, 56), (200, 100, 50), (90, 180, 70), (250, 240, 10), (33, 33, 33)],
    24: [(12, 34, 56), (200, 100, 50), (90, 180, 71), (251, 240, 10), (1, 2, 3)],
    32: [(12, 34, 56), (200, 100, 50), (90, 180, 71), (251, 240, 10), (1, 2, 3)],
}


def png_file(img, path):
    img.save(path, "PNG")
    return path


def icotool_create(out, pngs, bits, cursor=False, hotspot=(3, 5)):
    args = ["icotool", "-c", "-o", out]
    if cursor:
        args += ["--cursor", "-X", str(hotspot[0]), "-Y", str(hotspot[1])]
    for p in pngs:
        args += ["-b", str(bits), p]
    subprocess.run(args, check=True)


def dib32_without_mask(side):
    """A 32-bit entry with no AND mask after its pixels: alpha alone says
    what is see-through (Pillow writes and reads these)."""
    img = picture(side, BITS_COLOURS[32], soft_edge=True)
    rows = b""
    for y in reversed(range(side)):
        for x in range(side):
            r, g, b, a = img.getpixel((x, y))
            rows += bytes([b, g, r, a])
    header = struct.pack("<IiiHHIIiiII", 40, side, 2 * side, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + rows
    return (struct.pack("<HHH", 0, 1, 1) +
            struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), 22) + image)


def main():
    os.makedirs(OUT, exist_ok=True)
    for f in os.listdir(OUT):
        os.remove(os.path.join(OUT, f))
    manifest = []
    with tempfile.TemporaryDirectory() as tmp:
        def src(side, bits, soft=False):
            return png_file(picture(side, BITS_COLOURS[bits], soft),
                            os.path.join(tmp, "s%d_%d_%d.png" % (side, bits, soft)))

        # icotool: one image at every size and depth.
        # (32 x 32 at every depth: the cursors below.)
        for side in (16, 24, 48, 64):
            for bits in (1, 4, 8, 24, 32):
                name = "icotool_%d_%dbit.ico" % (side, bits)
                icotool_create(os.path.join(OUT, name), [src(side, bits, bits == 32)], bits)
                manifest.append((name, 0, "icotool"))
        # icotool cursors at every depth (hotspot in the directory), and one of several sizes.
        for bits in (1, 4, 8, 24, 32):
            name = "icotool_cursor_32_%dbit.cur" % bits
            icotool_create(os.path.join(OUT, name), [src(32, bits)], bits, cursor=True)
            manifest.append((name, 0, "icotool"))
        name = "icotool_cursor_16_32.cur"
        icotool_create(os.path.join(OUT, name), [src(16, 32), src(32, 32, True)], 32,
                       cursor=True, hotspot=(8, 8))
        manifest.append((name, 1, "icotool"))
        # icotool icon of two depths at 32 x 32: the directory picks 24 bits first.
        name = "icotool_32_at_8_24bit.ico"
        subprocess.run(["icotool", "-c", "-o", os.path.join(OUT, name), "-b", "8", src(32, 8),
                        "-b", "24", src(32, 24)], check=True)
        manifest.append((name, 1, "icotool"))

        # ImageMagick multi-size icons, without and with a PNG (256) entry.
        big = src(64, 24)
        name = "imagemagick_32_16.ico"
        subprocess.run([MAGICK, src(64, 32, True), "-define", "icon:auto-resize=32,16",
                        os.path.join(OUT, name)], check=True)
        manifest.append((name, 0, "icotool"))
        # (icotool refuses the whole file for its PNG entry.)
        name = "imagemagick_256png_32_16.ico"
        subprocess.run([MAGICK, big, "-define", "icon:auto-resize=256,32,16",
                        os.path.join(OUT, name)], check=True)
        manifest.append((name, 1, "pillow"))

        # Pillow: PNG entries of several sizes, and a 32-bit entry without AND mask.
        name = "pillow_16_32_48.ico"
        picture(48, BITS_COLOURS[32], True).save(os.path.join(OUT, name),
                                                  sizes=[(16, 16), (32, 32), (48, 48)])
        with open(os.path.join(OUT, name), "rb") as f:
            data = f.read()
        count = struct.unpack_from("<H", data, 4)[0]
        widths = [data[6 + 16 * i] for i in range(count)]
        manifest.append((name, widths.index(32), "pillow"))
        for side in (32,):
            name = "pillow_%d_32bit_no_and_mask.ico" % side
            with open(os.path.join(OUT, name), "wb") as f:
                f.write(dib32_without_mask(side))
            manifest.append((name, 0, "pillow"))

    with open(os.path.join(OUT, "MANIFEST"), "w") as f:
        for name, entry, decoder in manifest:
            f.write("%s %d %s\n" % (name, entry, decoder))


if __name__ == "__main__":
    main()
