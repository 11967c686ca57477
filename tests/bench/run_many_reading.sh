#!/usr/bin/env bash
# The bench scripts' reading of run_many's output (bench/run_many.sh), from
# canned lines: wall and CPU time are its first two fields, the best of three
# rounds is taken field by field, and a line of another shape stops the
# script. Then thumbnail_bench.sh and extract_bench.sh run whole with a
# run_many that prints a canned line: their tables show its figures.
#   run_many_reading.sh TOOL
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$(dirname "$1")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
# shellcheck source=../../bench/run_many.sh
. "$root/bench/run_many.sh"

got=$(run_many_times <<<"1234 567 89.5 0.0")
[ "$got" = "1234 567" ] || fail "run_many_times read \"$got\" from \"1234 567 89.5 0.0\""
for bad in "1234 567" "" "1234 cpu 1.0 0.0" "1234 567 89.5 0.0 7" "run_many: x failed"; do
  run_many_times <<<"$bad" >/dev/null 2>&1 && fail "run_many_times took \"$bad\""
done

# A run_many that prints the next of its canned lines at each call, after
# checking that it was given the calls and the command, and that the folder
# of fresh outputs is there and empty.
cat >"$work/stub" <<'STUB'
#!/usr/bin/env bash
n=$(($(cat "$STUB/n" 2>/dev/null || echo 0) + 1))
echo "$n" >"$STUB/n"
[ "$*" = "$STUB_EXPECT" ] || { echo "called with: $*"; exit 0; }
if [ -n "${STUB_FRESH:-}" ]; then
  [ -d "$STUB_FRESH" ] && [ -z "$(ls -A "$STUB_FRESH")" ] || { echo "not fresh"; exit 0; }
  touch "$STUB_FRESH/output"
fi
sed -n "${n}p" "$STUB/lines"
STUB
chmod +x "$work/stub"
export STUB=$work
# shellcheck disable=SC2034  # read by best3
RUN_MANY=$work/stub
printf '%s\n' "1500 700 10.0 0.0" "1200 950 10.0 0.0" "1300 900 10.0 0.0" >"$work/lines"
got=$(STUB_EXPECT="7 prog a {}" STUB_FRESH=$work/out best3 --fresh "$work/out" 7 prog a {})
[ "$got" = "1200 700" ] || fail "best3 gave \"$got\" for three rounds, not \"1200 700\""
rm -f "$work/n"
printf '%s\n' "1500 900 10.0 0.0" "1200 950" "1300 700 10.0 0.0" >"$work/lines"
got=$(STUB_EXPECT="7 prog" best3 7 prog 2>/dev/null) && fail "best3 gave \"$got\" from a cut line"

# The scripts whole, each call costing a canned 2,500 us of wall time and
# 1,250 us of CPU time.
cat >"$work/fixed" <<'FIXED'
#!/bin/sh
echo "2500 1250 300.0 0.0"
FIXED
chmod +x "$work/fixed"
out=$(RUN_MANY=$work/fixed bash "$root/bench/thumbnail_bench.sh" "$build" 1 2>&1) ||
  fail "thumbnail_bench.sh: $out"
rows=$(grep -cE '^[a-z]+\.(ico|cur|ani|exe) +[0-9]+ +2\.50 +1\.25$' <<<"$out")
[ "$rows" -eq 8 ] || fail "thumbnail_bench.sh printed, for 2.50 ms and 1.25 ms a call:"$'\n'"$out"
out=$(RUN_MANY=$work/fixed bash "$root/bench/extract_bench.sh" "$build" 1 2>&1) ||
  fail "extract_bench.sh: $out"
rows=$(grep -cE '^(small|big64|big512)\.exe .* 2500 +1250 +x1\.00 ' <<<"$out")
[ "$rows" -eq 3 ] || fail "extract_bench.sh printed, for 2500 us and 1250 us a call:"$'\n'"$out"
[ "$failed" -eq 0 ] && echo "run_many's output read right by bench/run_many.sh and two scripts"
exit $failed
