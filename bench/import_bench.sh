#!/usr/bin/env bash
# Speed and memory of `glyphsmith-tool import` on a 512 x 512 JPEG photo-like
# picture, beside ImageMagick's convert doing the same resize to 32 x 32 and
# .ico write per call, and beside one Pillow process (Debian's python3-pil)
# doing the same loop over 500 pictures that `import --out-dir` does in one call.
#   bench/import_bench.sh [BUILD_DIR] [CALLS]
# Prints microseconds per picture and the ratios, and peak memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
calls=${2:-100}
tool=$build/bin/glyphsmith-tool
magick=/usr/bin/convert-im6.q16
[ -x "$magick" ] || magick=$(command -v convert-im6 || command -v convert || true)
python=/usr/bin/python3
[ -x "$tool" ] || { echo "build glyphsmith-tool first ($tool)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 1; }
[ -n "$magick" ] || { echo "needs ImageMagick (apt-get install imagemagick)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_many.sh
. "$root/bench/run_many.sh"
run_many_build "$work"
cd "$work"
"$magick" -size 512x512 -seed 7 plasma:fractal -blur 0x1 -quality 90 photo.jpg
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

t=$(best3 --fresh o1 "$calls" "$tool" import photo.jpg 'o1/{}.ico')
read -r tool_wall tool_cpu <<<"$t"
t=$(best3 --fresh o2 "$calls" "$magick" photo.jpg -filter box -resize '32x32!' 'o2/{}.ico')
read -r im_wall im_cpu <<<"$t"

peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }
tool_kb=$(peak "$tool" import photo.jpg p1.ico)
im_kb=$(peak "$magick" photo.jpg -filter box -resize '32x32!' p2.ico)

# 500 pictures in one call, against one Pillow process looping over them.
mkdir -p many out_tool out_pil
for i in $(seq 0 499); do cp photo.jpg "many/p$i.jpg"; done
now() { date +%s%N; }
batch_best=999999999999
for _ in 1 2 3; do
  s=$(now); "$tool" import --out-dir out_tool many/*.jpg 2>/dev/null; e=$(now)
  [ $((e - s)) -lt "$batch_best" ] && batch_best=$((e - s))
done
cat > pil.py <<'PY'
import sys, glob, os
from PIL import Image
for f in sorted(glob.glob("many/*.jpg")):
    im = Image.open(f)
    im.draft("RGB", (32, 32))  # the JPEG decoder's own reduction, as ours may use
    im = im.convert("RGB").resize((32, 32), Image.BOX)
    im.save(os.path.join("out_pil", os.path.basename(f)[:-4] + ".ico"), sizes=[(32, 32)])
PY
pil_best=999999999999
for _ in 1 2 3; do
  s=$(now); "$python" pil.py; e=$(now)
  [ $((e - s)) -lt "$pil_best" ] && pil_best=$((e - s))
done
batch_kb=$(peak "$tool" import --out-dir out_tool many/*.jpg)

echo "import of a 512 x 512 JPEG to a 32 x 32 icon, per call ($calls calls, best of 3):"
printf '  glyphsmith-tool  %7d us wall %7d us cpu  peak %6d KB\n' "$tool_wall" "$tool_cpu" "$tool_kb"
printf '  ImageMagick      %7d us wall %7d us cpu  peak %6d KB\n' "$im_wall" "$im_cpu" "$im_kb"
printf '  ours / ImageMagick: wall %s, cpu %s (target at most 0.33)\n' \
  "$(ratio "$tool_wall" "$im_wall")" "$(ratio "$tool_cpu" "$im_cpu")"
echo "500 such pictures in one process (best of 3):"
printf '  import --out-dir  %7d us a picture  peak %6d KB\n' $((batch_best / 500000)) "$batch_kb"
printf '  Pillow loop       %7d us a picture\n' $((pil_best / 500000))
printf '  ours / Pillow: %s (target at most 1.00)\n' "$(ratio "$batch_best" "$pil_best")"
