#!/usr/bin/env bash
# A short fuzz run of the icon and profile readers, for the test suite: builds the target
# with clang in its own folder (kept between runs), replays every regression
# input, then fuzzes from the committed seeds for a few seconds.
#   run_short.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1
build=$2
seconds=${3:-20}
if ! command -v clang++ >/dev/null; then
  echo "clang++ not installed: skipping the fuzz run" >&2
  exit 77
fi
CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGLYPHSMITH_BUILD_FUZZ=ON -DGLYPHSMITH_BUILD_UI=OFF -DGLYPHSMITH_BUILD_TESTS=OFF \
  -DGLYPHSMITH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_icon_reader fuzz_profile -j 2 >/dev/null
fuzzer=$build/bin/fuzz_icon_reader
# Regressions first: each one crashed once.
if compgen -G "$src/tests/fuzz/regressions/*" >/dev/null; then
  "$fuzzer" "$src"/tests/fuzz/regressions/* 2>&1 | tail -n 3
fi
# New inputs go to a scratch corpus so the committed seeds stay as they are.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=1024 -max_len=20000 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work" "$src/tests/fuzz/corpus" 2>&1 | tail -n 12
# The language-file reader and writer, from their own seeds, for a shorter while.
mkdir -p "$work/profile"
"$build/bin/fuzz_profile" -max_total_time=$(( (seconds + 1) / 2 )) -rss_limit_mb=1024 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/profile" "$src/tests/fuzz/profile_corpus" 2>&1 | tail -n 4
