#!/usr/bin/env bash
# Cost of one `glyphsmith-tool thumbnail` call, as a file manager makes it:
# a 32 x 32 icon, a cursor, an animated cursor and a program to PNGs of the
# usual thumbnail sizes, each call writing a new file. Best of three rounds.
#   bench/thumbnail_bench.sh [BUILD_DIR] [CALLS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
calls=${2:-300}
tool=$build/bin/glyphsmith-tool
[ -x "$tool" ] || { echo "build glyphsmith-tool first ($tool)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=run_many.sh
. "$root/bench/run_many.sh"
run_many_build "$work"
cp "$root/data/icon/smiley.ico" "$work/icon.ico"
cp "$root/data/curseur/viseur.cur" "$work/cursor.cur"
"$tool" ani "$work/anim.ani" --interval 100 "$root"/data/curseur/*.cur
cp "$root/tests/data/import/programs/depths64.exe" "$work/program.exe"
cd "$work"

printf '%-12s %5s %12s %12s\n' input size "wall ms/call" "cpu ms/call"
for input in icon.ico cursor.cur anim.ani program.exe; do
  for size in 128 256; do
    t=$(best3 --fresh out "$calls" "$tool" thumbnail "$input" 'out/{}.png' "$size")
    read -r wall cpu <<<"$t"
    awk -v i="$input" -v s="$size" -v w="$wall" -v c="$cpu" \
      'BEGIN { printf "%-12s %5d %12.2f %12.2f\n", i, s, w / 1000, c / 1000 }'
  done
done
