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
per=${2:-500}
tool=$build/bin/glyphsmith-tool
magick=/usr/bin/convert-im6.q16
[ -x "$magick" ] || magick=$(command -v convert-im6 || command -v magick || true)
[ -x "$tool" ] || { echo "build glyphsmith-tool first ($tool)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 1; }

work=$(mktemp -d)
# New outputs of single calls go to a tmpfs where there is one: on a disk each
# creation may wait for blocks the previous round freed, which times the disk
# rather than the process.
calls=$(mktemp -d /dev/shm/gs-calls.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work" "$calls"' EXIT
cc -O2 -o "$work/floor" "$root/bench/floor.c"
# shellcheck source=run_many.sh
. "$root/bench/run_many.sh"
run_many_build "$work"
cc -O2 -o "$work/alternate" "$root/bench/alternate.c"
"$tool" convert "$root/tests/data/files/valid/gradient_24bit_no_table.ico" "$work/in.ico"
# Calls are timed on the tool as the package ships it: stripped.
if command -v strip >/dev/null; then
  strip -o "$work/glyphsmith-tool" "$tool" && tool=$work/glyphsmith-tool
fi
cd "$work"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "x%.2f", a / b }'; }

# Each tool command takes turns with the floor call by call (bench/alternate.c:
# floor, tool, floor, tool...), each call writing a new file of its own, so
# that the machine's changing speed reaches both alike; the ratios are of the
# median calls. The machine may be shared: a ratio of medians drifts far less
# than one of means taken minutes apart.
names=(bmp pcx info extreme toolx)
commands=(
  "$tool convert in.ico $calls/o_bmp/{}.bmp"
  "$tool convert in.ico $calls/o_pcx/{}.pcx"
  "$tool info in.ico"
  # The costliest conversion: an 8-bit icon with the Extreme palette (993
  # colours, so most pixels miss the sampled table).
  "$tool convert in.ico $calls/o_extreme/{}.ico --depth 8 --palette extreme"
  # Over an existing file, where the old one must be kept safe.
  "$tool convert in.ico over.bmp"
)
declare -A fwall twall fcpu tcpu ffaults tfaults
touch over.bmp floor_over.bmp
for k in "${!names[@]}"; do
  n=${names[k]}
  rm -rf "${calls:?}/o_$n" "$calls/f_$n" && mkdir "$calls/o_$n" "$calls/f_$n"
  floor_out="$calls/f_$n/{}.bmp"
  [ "$n" = toolx ] && floor_out=floor_over.bmp
  # shellcheck disable=SC2086  # the command's words
  read -r fwall[$n] _ twall[$n] _ fcpu[$n] tcpu[$n] ffaults[$n] tfaults[$n] \
    < <(./alternate "$per" -- ./floor in.ico "$floor_out" -- ${commands[k]})
  rm -rf "${calls:?}/o_$n" "$calls/f_$n"
done
tool_wall=${twall[bmp]} tool_cpu=${tcpu[bmp]}
magick_line="not installed"
if [ -n "$magick" ]; then
  t=$(best3 --fresh "$calls/o3" "$per" "$magick" in.ico "$calls/o3/{}.bmp")
  read -r im_wall im_cpu <<<"$t"
  magick_line=$(printf "%6d %6d   wall %s, cpu %s of the tool's median" "$im_wall" "$im_cpu" \
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

echo "per call, median of $per alternated with the floor's (microseconds, faults)"
echo "                              floor: wall    cpu faults   tool: wall    cpu faults"
row() {  # label name
  printf '%-28s %12d %6d %6d %11d %6d %6d   wall x%s, cpu x%s\n' "$1" "${fwall[$2]}" \
    "${fcpu[$2]}" "${ffaults[$2]}" "${twall[$2]}" "${tcpu[$2]}" "${tfaults[$2]}" \
    "$(ratio "${twall[$2]}" "${fwall[$2]}" | tr -d x)" "$(ratio "${tcpu[$2]}" "${fcpu[$2]}" | tr -d x)"
}
row "glyphsmith-tool ico->bmp" bmp
row "glyphsmith-tool ico->pcx" pcx
row "glyphsmith-tool info" info
row "ico->ico 8-bit, Extreme" extreme
row "over an existing file" toolx
printf 'ImageMagick convert          %s\n' "$magick_line"
echo "peak memory (KB): floor $floor_kb, glyphsmith-tool $tool_kb, ImageMagick $magick_kb, batch of 2000 $batch_kb"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "convert --out-dir, 2000 icons to BMP: $rate_new icons/s (new files), $rate_over icons/s (replacing)"
