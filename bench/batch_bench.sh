#!/usr/bin/env bash
# Batch conversion (.ico -> .bmp, `convert --out-dir`) beside Pillow:
# icons a second on a tmpfs and on the disk (new files and replacing existing
# ones), each ratio from one run that alternates the contenders, with the load
# average beside them; then system calls per file and peak memory for 100,000
# icons. The in-process floor (bench/batch_floor.c: read each file, write its
# BMP's length, nothing else) puts the rates in proportion to the machine.
#   bench/batch_bench.sh [TOOL] [ICONS] [DISK_ICONS] [DISK_DIR]
# TOOL defaults to build/bin/glyphsmith-tool; ICONS (on the tmpfs) to 20000;
# DISK_ICONS to 2000 (a flush per file makes larger runs long); DISK_DIR to a
# folder under build/ (the project's own disk). Needs strace, /usr/bin/time
# and Debian's python3-pil (bench/setup_bench.sh installs them). RATES_ONLY=1
# stops after the rates (no system call counts, no peak memory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool=$(realpath "${1:-$root/build/bin/glyphsmith-tool}")
tmpfs_icons=${2:-20000}
disk_icons=${3:-2000}
disk=${4:-$root/build/bench-disk}
py=/usr/bin/python3
[ -x "$tool" ] || { echo "no tool at $tool" >&2; exit 1; }
command -v strace >/dev/null || { echo "needs strace (bench/setup_bench.sh)" >&2; exit 1; }
$py -c 'import PIL' 2>/dev/null || { echo "needs python3-pil (bench/setup_bench.sh)" >&2; exit 1; }
files_from=0
"$tool" convert --help 2>/dev/null | grep -q -- --files-from && files_from=1

tmpfs=$(mktemp -d /dev/shm/gs-bench.XXXXXX)
mkdir -p "$disk"
disk=$(mktemp -d "$disk/run.XXXXXX")
trap 'rm -rf "$tmpfs" "$disk"' EXIT
cc -O2 -o "$tmpfs/batch_floor" "$root/bench/batch_floor.c"

# Icons of four depths, written by the tool itself, copied `icons` times.
make_icons() {  # folder count
  local dir=$1 n=$2
  mkdir -p "$dir/in"
  for d in 1 4 8 24; do
    "$tool" convert "$root/tests/data/files/valid/gradient_24bit_no_table.ico" "$dir/k$d.ico" --depth $d
  done
  $py - "$dir" "$n" <<'PY'
import sys
d, n = sys.argv[1], int(sys.argv[2])
kinds = [open(f"{d}/k{k}.ico", "rb").read() for k in (1, 4, 8, 24)]
for i in range(n):
    with open(f"{d}/in/i{i}.ico", "wb") as f:
        f.write(kinds[i % 4])
PY
}

run_tool() {  # folder [extra tool args]: converts every input of folder/in into folder/out
  local dir=$1
  shift
  if [ $files_from = 1 ]; then
    (cd "$dir" && find in -name '*.ico' | "$tool" convert --out-dir out --files-from - "$@" 2>/dev/null)
  else
    (cd "$dir" && "$tool" convert --out-dir out "$@" in/*.ico 2>/dev/null)
  fi
}

pillow() {  # folder: the same conversion with Pillow, in one process
  $py - "$1" <<'PY'
import os, sys
from PIL import Image
d = sys.argv[1]
for name in os.listdir(f"{d}/in"):
    Image.open(f"{d}/in/{name}").save(f"{d}/out/{name[:-4]}.bmp")
PY
}

floor_run() {  # folder: the in-process floor over the same inputs
  (cd "$1" && find in -name '*.ico' > floor.list && "$tmpfs/batch_floor" floor.list out)
}

# One alternated run: each round runs every contender once, in turn, so that
# a change in the machine's load touches them alike; each one's best round
# counts. Replacing rounds start from the outputs of the round before.
alternate() {  # folder new|over rounds command...: prints the best icons/s of each command
  local dir=$1 mode=$2 rounds=$3 i r s e rate
  shift 3
  local -a best=()
  if [ "$mode" = over ]; then rm -rf "$dir/out" && mkdir "$dir/out" && run_tool "$dir"; fi
  for ((r = 0; r < rounds; r++)); do
    i=0
    for cmd in "$@"; do
      [ "$mode" = new ] && rm -rf "$dir/out" && mkdir "$dir/out"
      sync
      s=$(date +%s%N)
      $cmd "$dir"
      e=$(date +%s%N)
      rate=$((icons * 1000000000 / (e - s)))
      [ "$rate" -gt "${best[i]:-0}" ] && best[i]=$rate
      i=$((i + 1))
    done
  done
  echo "${best[@]}"
}
ratio() { echo "scale=2; $1 / $2" | bc -l; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "tool: $tool"
echo "load average (1, 5, 15 min) at the start: $(load)"
icons=$tmpfs_icons
make_icons "$tmpfs" "$icons"
read -r t p f < <(alternate "$tmpfs" new 5 run_tool pillow floor_run)
printf 'tmpfs %d new BMPs, icons/s: tool %d, Pillow %d, floor %d; tool/Pillow x%s, tool/floor x%s\n' \
  "$icons" "$t" "$p" "$f" "$(ratio "$t" "$p")" "$(ratio "$t" "$f")"
read -r t p f < <(alternate "$tmpfs" over 3 run_tool pillow floor_run)
printf 'tmpfs %d replacing, icons/s: tool %d, Pillow %d, floor %d; tool/Pillow x%s, tool/floor x%s\n' \
  "$icons" "$t" "$p" "$f" "$(ratio "$t" "$p")" "$(ratio "$t" "$f")"
echo "load average: $(load)"
icons=$disk_icons
make_icons "$disk" "$icons"
read -r t p < <(alternate "$disk" over 5 run_tool pillow)
printf 'disk  %d replacing, icons/s: tool %d, Pillow %d; tool/Pillow x%s\n' \
  "$icons" "$t" "$p" "$(ratio "$t" "$p")"
read -r t p < <(alternate "$disk" new 3 run_tool pillow)
printf 'disk  %d new BMPs, icons/s: tool %d, Pillow %d; tool/Pillow x%s\n' \
  "$icons" "$t" "$p" "$(ratio "$t" "$p")"
echo "load average at the end of the rates: $(load)"
[ "${RATES_ONLY:-0}" = 1 ] && exit 0

# System calls per file (tmpfs): two batch sizes, so start-up costs drop out.
per_file() {  # mode
  local mode=$1 n1=1000 n2=3000 c1 c2
  for n in $n1 $n2; do
    rm -rf "$tmpfs/s$n" && make_icons "$tmpfs/s$n" "$n"
    mkdir -p "$tmpfs/s$n/out"
    [ "$mode" = over ] && run_tool "$tmpfs/s$n" || true
    [ "$mode" = new ] && rm -rf "$tmpfs/s$n/out" && mkdir "$tmpfs/s$n/out"
    if [ $files_from = 1 ]; then
      (cd "$tmpfs/s$n" && find in -name '*.ico' > list && strace -c -o strace.txt "$tool" convert --out-dir out --files-from list >/dev/null 2>&1 || true)
    else
      (cd "$tmpfs/s$n" && strace -c -o strace.txt "$tool" convert --out-dir out in/*.ico >/dev/null 2>&1 || true)
    fi
    eval "c$n=\$(awk '/total/ { print \$4 }' $tmpfs/s$n/strace.txt)"
    cp "$tmpfs/s$n/strace.txt" "$tmpfs/strace-$mode-$n.txt"
  done
  echo "scale=1; ($c3000 - $c1000) / 2000" | bc
}
echo "system calls per file: $(per_file new) new, $(per_file over) replacing"
echo "  by call, 3000 new files:"
sed -n '3,12p' "$tmpfs/strace-new-3000.txt" | awk '{ printf "    %-16s %s\n", $NF, $4 }'

# Peak memory for 100,000 icons.
rm -rf "$tmpfs/m" && make_icons "$tmpfs/m" 100000 && mkdir -p "$tmpfs/m/out"
if [ $files_from = 1 ]; then
  kb=$(cd "$tmpfs/m" && find in -name '*.ico' > list && /usr/bin/time -f '%M' "$tool" convert --out-dir out --files-from list 2>&1 >/dev/null | tail -n 1)
else
  # Names on the command line; a larger stack lifts the argument-list limit.
  kb=$(cd "$tmpfs/m" && ulimit -s unlimited && /usr/bin/time -f '%M' "$tool" convert --out-dir out in/*.ico 2>&1 >/dev/null | tail -n 1)
fi
echo "peak memory, 100,000 icons in one call: $kb KB"
