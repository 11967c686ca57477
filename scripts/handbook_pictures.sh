#!/usr/bin/env bash
# Takes the handbook's pictures from the English windows and puts them in
# doc/handbook/. It runs the screenshot test of an already built tree (build
# it first: cmake --build build --target qttest_shell) on its own Xvfb screen.
#   scripts/handbook_pictures.sh [BUILD_DIR]      (default: build)
# The pictures show the folder of the run (GS_SHOTS_DIR, default /tmp/shots),
# where the other screenshots of the run stay.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
test_program="$build/bin/qttest_shell"
if [ ! -x "$test_program" ]; then
  echo "handbook_pictures: $test_program is not built" >&2
  exit 2
fi
shots=${GS_SHOTS_DIR:-/tmp/shots}
mkdir -p "$shots"
GS_SHOTS_DIR="$shots" GS_SHOTS_LANG=English.lng \
  xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb \
  "$test_program" --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*' >/dev/null
count=0
for picture in "$shots"/handbook_*.png; do
  name=${picture##*/handbook_}
  cp "$picture" "doc/handbook/$name"
  count=$((count + 1))
done
echo "handbook_pictures: $count pictures in doc/handbook/ (all of the run in $shots)"
