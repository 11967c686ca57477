#!/usr/bin/env bash
# Every command of the tool on every amplification file, each within a memory
# and a time limit: a result or a refusal, never gigabytes or minutes.
#   run_bombs.sh TOOL [SECONDS]
set -uo pipefail
tool=$1
seconds=${2:-4}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/make_bombs.py" "$work" || exit 1
failed=0
for f in "$work"/*; do
  name=$(basename "$f")
  for cmd in "info $f" "pixels $f" "convert $f $work/out.bmp" "effect $f $work/out.ico invert" \
             "thumbnail $f $work/out.png 256" "xcursor $f $work/out" "extract --list $f" \
             "extract $f 0 $work/x.ico" "import $f $work/i.ico"; do
    # 512 MB of address space, as a file manager's thumbnailer might have.
    ( ulimit -v 524288; timeout "$seconds" "$tool" $cmd >/dev/null 2>"$work/err" )
    rc=$?
    if [ "$rc" -ge 124 ]; then
      echo "FAIL ($rc): ${cmd/$work\//} on $name: $(head -c 200 "$work/err")"
      failed=1
    fi
    rm -f "$work"/out* "$work"/x.ico "$work"/i.ico
  done
done
leftovers=$(find "$work" -name '.gs*' | wc -l)
[ "$leftovers" -eq 0 ] || { echo "FAIL: $leftovers temporaries left"; failed=1; }
exit $failed
