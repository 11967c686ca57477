#!/usr/bin/env bash
# Launch to first paint of the editor beside a floor: a bare Qt 6 program that
# shows one main window with a menu bar and quits after its first paint
# (bench/startup_floor.cpp, built by CMake with the same Qt and flags). The two
# are launched in turn, call by call (bench/alternate.c), so that the load of
# a shared machine reaches both alike: offscreen, then, when xvfb-run exists,
# on one Xvfb server. The editor runs as bench/startup.sh runs it (splash
# skipped, quitting after its first paint), in settings and data folders of
# its own, warmed by one start.
#   bench/startup_compare.sh [BUILD_DIR] [CALLS] [EDITOR]
# (EDITOR: another build of the editor to time, e.g. a copy of an older one
# put beside it in BUILD_DIR/bin, where its language files are.)
# Prints each program's median and best wall time per call, the editor's
# ratios to the floor (and of median CPU time), and the load average.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
calls=${2:-40}
exe=${3:-$build/bin/glyphsmith}
floor=$build/bin/startup_floor
[ -x "$exe" ] || { echo "build the editor first: $exe" >&2; exit 1; }
# The tree is measured as it was built, never rebuilt here.
[ -x "$floor" ] || {
  echo "build the floor first: cmake --build $build --target startup_floor" \
    "(a benchmark: it needs Google Benchmark, make setup-test)" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/alternate" "$root/bench/alternate.c"
export GLYPHSMITH_QUIT_AFTER_FIRST_PAINT=1 GLYPHSMITH_NO_SPLASH=1
export GLYPHSMITH_CONFIG_DIR=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$GLYPHSMITH_CONFIG_DIR" "$XDG_DATA_HOME"

# Wall time per call (median and best) of the editor and of the floor, the
# ratios, and the ratio of their median CPU times (user + system), which a
# busy machine disturbs less.
report() {
  local where=$1 em eb fm fb ec fc _
  read -r em eb fm fb ec fc _
  awk -v w="$where" -v em="$em" -v eb="$eb" -v fm="$fm" -v fb="$fb" -v ec="$ec" -v fc="$fc" 'BEGIN {
    printf "%-10s editor median %6.1f ms best %6.1f ms | floor median %6.1f ms best %6.1f ms",
      w, em / 1000, eb / 1000, fm / 1000, fb / 1000
    printf " | ratio median x%.2f best x%.2f | CPU x%.2f\n", em / fm, eb / fb, ec / fc }'
}
# One start of each first: the first writes the editor's settings and
# language file, and both fill the file cache. (A string, not a function: the
# xvfb-run script's shell does not pass functions on.)
measure='"$1" >/dev/null 2>&1; "$2" >/dev/null 2>&1; "$3" "$4" -- "$1" -- "$2" 2>/dev/null'

echo "launch to first paint, $calls calls each, alternated"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
QT_QPA_PLATFORM=offscreen bash -c "$measure" - "$exe" "$floor" "$work/alternate" "$calls" |
  report offscreen
if command -v xvfb-run >/dev/null; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c "$measure" - "$exe" "$floor" "$work/alternate" "$calls" | report Xvfb
else
  echo "Xvfb        not measured (xvfb-run is not installed)"
fi
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
