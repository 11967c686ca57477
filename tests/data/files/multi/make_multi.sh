#!/usr/bin/env bash
# Writes the icon and cursor of several images that other programs make:
#   seven_sizes_imagemagick.ico  16 to 256 pixels at 32 bits, the 256 as PNG
#   two_hotspots_icotool.cur     32 and 48 pixels at 32 bits, hotspots (3,5) and (20,40)
#   three_depths_icotool.ico     32 pixels three times: red at 4 bits, green at 8, blue at 32
#   two_depths_icotool.cur       32 pixels twice: green at 8 bits, blue at 32, hotspots (1,2), (3,4)
#   lone_256_imagemagick.ico     one 256-pixel PNG image
# Needs python3-pil, ImageMagick and icoutils. Run it again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
/usr/bin/python3 - "$tmp" <<'PY'
import sys
from PIL import Image, ImageDraw
for s in (256, 32, 48):
    im = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.ellipse((s // 8, s // 8, s * 7 // 8, s * 7 // 8), fill=(30, 120, 220, 255),
              outline=(250, 200, 0, 255))
    d.rectangle((s // 3, s // 3, s * 2 // 3, s * 2 // 3), fill=(220, 40, 40, 200))
    im.save(f"{sys.argv[1]}/src{s}.png")
for name, colour in (("r", (230, 20, 20)), ("g", (20, 200, 40)), ("b", (30, 60, 230))):
    im = Image.new("RGBA", (32, 32), colour + (255,))
    ImageDraw.Draw(im).rectangle((0, 0, 7, 7), fill=(0, 0, 0, 0))
    im.save(f"{sys.argv[1]}/{name}.png")
PY
convert "$tmp/src256.png" -define icon:auto-resize=16,24,32,48,64,128,256 seven_sizes_imagemagick.ico
icotool -c --cursor --hotspot-x=3 --hotspot-y=5 "$tmp/src32.png" \
  --hotspot-x=20 --hotspot-y=40 "$tmp/src48.png" -o two_hotspots_icotool.cur
icotool -c -o three_depths_icotool.ico -b 4 "$tmp/r.png" -b 8 "$tmp/g.png" -b 32 "$tmp/b.png"
icotool -c --cursor -o two_depths_icotool.cur --hotspot-x=1 --hotspot-y=2 -b 8 "$tmp/g.png" \
  --hotspot-x=3 --hotspot-y=4 -b 32 "$tmp/b.png"
convert "$tmp/src256.png" -define icon:auto-resize=256 lone_256_imagemagick.ico
