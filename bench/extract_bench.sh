#!/usr/bin/env bash
# `glyphsmith-tool extract --list` reads only the headers and the icon
# directories, so its cost does not grow with the program's size. Measured on
# a small test program and on the same program grown to 64 MB and 512 MB
# (sparse files: the resources moved to the very end, behind the padding, as
# in a large program), beside `wc -c` reading the whole 512 MB for scale.
#   bench/extract_bench.sh [BUILD_DIR] [CALLS]
# Prints wall and CPU time per call, the ratio to the small program, and the
# bytes read per call (from strace, when installed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
calls=${2:-200}
tool=$build/bin/glyphsmith-tool
[ -x "$tool" ] || { echo "build glyphsmith-tool first ($tool)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_many.sh
. "$root/bench/run_many.sh"
run_many_build "$work"
small=$root/tests/data/import/programs/groups64.exe
cp "$small" "$work/small.exe"

# Moves the resource section's bytes to offset SIZE - its length.
grow() {
  python3 - "$small" "$1" "$2" <<'PY'
import struct, sys
src, out, size = sys.argv[1], sys.argv[2], int(sys.argv[3])
b = bytearray(open(src, "rb").read())
pe = struct.unpack_from("<I", b, 0x3C)[0]
nsec = struct.unpack_from("<H", b, pe + 6)[0]
opt = struct.unpack_from("<H", b, pe + 20)[0]
table = pe + 24 + opt
for i in range(nsec):
    s = table + 40 * i
    if b[s:s + 8].rstrip(b"\0") == b".rsrc":
        raw_size, raw_ptr = struct.unpack_from("<II", b, s + 16)
        data = bytes(b[raw_ptr:raw_ptr + raw_size])
        new_ptr = (size - raw_size) // 512 * 512
        struct.pack_into("<I", b, s + 20, new_ptr)
        with open(out, "wb") as f:
            f.write(b)
            f.truncate(new_ptr)
            f.seek(new_ptr)
            f.write(data)
        break
PY
}
grow "$work/big64.exe" $((64 << 20))
grow "$work/big512.exe" $((512 << 20))
cmp <("$tool" extract --list "$work/small.exe") <("$tool" extract --list "$work/big512.exe") ||
  { echo "the grown program lists differently" >&2; exit 1; }

bytes_read() {
  command -v strace >/dev/null || { echo "-"; return; }
  strace -f -qq -e trace=read,pread64 -o "$work/trace" "$@" >/dev/null 2>&1
  awk -F'= ' '/^[0-9]+ +(read|pread64)\(/ && $NF+0 > 0 { s += $NF } END { print s + 0 }' "$work/trace"
}
printf '%-28s %10s %10s %8s %12s\n' "extract --list of" "wall us" "cpu us" "ratio" "bytes read"
sw=0
for f in small.exe big64.exe big512.exe; do
  t=$(best3 "$calls" "$tool" extract --list "$work/$f")
  read -r w c <<<"$t"
  [ "$sw" -eq 0 ] && sw=$w
  size=$(stat -c %s "$work/$f")
  printf '%-28s %10d %10d %8s %12s\n' "$f ($((size >> 10)) KiB)" "$w" "$c" \
    "$(awk -v a="$w" -v b="$sw" 'BEGIN { printf "x%.2f", a / b }')" \
    "$(bytes_read "$tool" extract --list "$work/$f")"
done
start=$(date +%s%N)
wc -c "$work/big512.exe" >/dev/null
cat "$work/big512.exe" >/dev/null
echo "reading the whole 512 MB file once (cat): $(( ($(date +%s%N) - start) / 1000 )) us"
