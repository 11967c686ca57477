#!/usr/bin/env bash
# Writes the icon and cursor of several images that other programs make:
#   seven_sizes_imagemagick.ico  16 to 256 pixels at 32 bits, the 256 as PNG
#   two_hotspots_icotool.cur     32 and 48 pixels at 32 bits, hotspots (3,5) and (20,40)
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
PY
convert "$tmp/src256.png" -define icon:auto-resize=16,24,32,48,64,128,256 seven_sizes_imagemagick.ico
icotool -c --cursor --hotspot-x=3 --hotspot-y=5 "$tmp/src32.png" \
  --hotspot-x=20 --hotspot-y=40 "$tmp/src48.png" -o two_hotspots_icotool.cur
