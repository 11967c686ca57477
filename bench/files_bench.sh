#!/usr/bin/env bash
# Cost of glyphsmith-tool per call and in batch, beside a floor program that
# only reads a file and writes 3 KB (bench/floor.c) and beside ImageMagick's
# convert doing the same conversion (.ico -> .bmp).
#   bench/files_bench.sh [BUILD_DIR] [CALLS]
# Prints wall and CPU time per call, their ratios to the floor, peak memory,
# and the batch rate of `convert --out-dir` over 2,000 icons.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)  # absolute: the script works in a temporary folder
calls=${2:-300}
tool=$build/bin/glyphsmith-tool
magick=/usr/bin/convert-im6.q16
[ -x "$magick" ] || magick=$(command -v convert-im6 || command -v magick || true)
[ -x "$tool" ] || { echo "build glyphsmith-tool first ($tool)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/floor" "$root/bench/floor.c"
cc -O2 -o "$work/run_many" "$root/bench/run_many.c"
"$tool" convert "$root/tests/data/files/valid/gradient_24bit_no_table.ico" "$work/in.ico"
cd "$work"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "x%.2f", a / b }'; }

# run_many prints "wall_us cpu_us" per call; each call writes a new file
# into a folder of its own. The machine may be shared: the best of three
# rounds is kept, wall and CPU each.
best3() {
  local w c bw=999999999 bc=999999999
  for _ in 1 2 3; do
    read -r w c < <("$@")
    [ "$w" -lt "$bw" ] && bw=$w
    [ "$c" -lt "$bc" ] && bc=$c
  done
  echo "$bw $bc"
}
measure() {
  local dir=$1
  shift
  rm -rf "$dir" && mkdir -p "$dir" && best3 ./run_many "$calls" "$@"
}
read -r floor_wall floor_cpu < <(measure o1 ./floor in.ico 'o1/{}.bmp')
read -r tool_wall tool_cpu < <(measure o2 "$tool" convert in.ico 'o2/{}.bmp')
# The costliest conversion: an 8-bit icon with the Extreme palette (993
# colours, so most pixels miss the sampled table).
read -r ext_wall ext_cpu < <(measure o4 "$tool" convert in.ico 'o4/{}.ico' --depth 8 --palette extreme)
# The same again over an existing file, where the old one must be kept safe.
touch over.bmp
read -r floorx_wall floorx_cpu < <(best3 ./run_many "$calls" ./floor in.ico over.bmp)
read -r toolx_wall toolx_cpu < <(best3 ./run_many "$calls" "$tool" convert in.ico over.bmp)
magick_line="not installed"
if [ -n "$magick" ]; then
  read -r im_wall im_cpu < <(measure o3 "$magick" in.ico 'o3/{}.bmp')
  magick_line=$(printf '%6d %6d   wall %s, cpu %s of ours' "$im_wall" "$im_cpu" \
    "$(ratio "$im_wall" "$tool_wall")" "$(ratio "$im_cpu" "$tool_cpu")")
fi

peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }
floor_kb=$(peak ./floor in.ico p1.bmp)
tool_kb=$(peak "$tool" convert in.ico p2.bmp)
magick_kb=$([ -n "$magick" ] && peak "$magick" in.ico p3.bmp || echo -)

# 2,000 icons of a few kinds, converted in one call.
mkdir -p many
for d in 1 4 8 24; do "$tool" convert in.ico "kind$d.ico" --depth "$d"; done
kinds=(1 4 8 24)
for i in $(seq 0 1999); do cp "kind${kinds[i % 4]}.ico" "many/i$i.ico"; done
batch() {  # best rate of three rounds; $1 = "new" empties the output folder first
  local s e r best=0
  for _ in 1 2 3; do
    [ "$1" = new ] && rm -rf batch && mkdir batch
    s=$(date +%s%N)
    "$tool" convert --out-dir batch many/*.ico 2>/dev/null
    e=$(date +%s%N)
    r=$(( 2000 * 1000000000 / (e - s) ))
    [ "$r" -gt "$best" ] && best=$r
  done
  echo "$best"
}
rate_new=$(batch new)
rate_over=$(batch over)   # every target exists: the old files are flushed first
batch_kb=$(/usr/bin/time -f '%M' "$tool" convert --out-dir batch many/*.ico 2>&1 >/dev/null | tail -n 1)

echo "per call (microseconds)         wall    cpu"
printf 'floor (read, write 3 KB)     %6d %6d\n' "$floor_wall" "$floor_cpu"
printf 'glyphsmith-tool ico->bmp     %6d %6d   wall %s, cpu %s of the floor\n' "$tool_wall" "$tool_cpu" \
  "$(ratio "$tool_wall" "$floor_wall")" "$(ratio "$tool_cpu" "$floor_cpu")"
printf 'ico->ico 8-bit, Extreme      %6d %6d   wall %s, cpu %s of the floor\n' "$ext_wall" "$ext_cpu" \
  "$(ratio "$ext_wall" "$floor_wall")" "$(ratio "$ext_cpu" "$floor_cpu")"
printf 'ImageMagick convert          %s\n' "$magick_line"
printf 'over an existing file: floor %6d %6d, tool %6d %6d   wall %s, cpu %s\n' "$floorx_wall" \
  "$floorx_cpu" "$toolx_wall" "$toolx_cpu" "$(ratio "$toolx_wall" "$floorx_wall")" \
  "$(ratio "$toolx_cpu" "$floorx_cpu")"
echo "peak memory (KB): floor $floor_kb, glyphsmith-tool $tool_kb, ImageMagick $magick_kb, batch of 2000 $batch_kb"
echo "convert --out-dir, 2000 icons to BMP: $rate_new icons/s (new files), $rate_over icons/s (replacing)"
