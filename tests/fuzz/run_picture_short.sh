#!/usr/bin/env bash
# A short fuzz run of the picture decoders of the import (BMP/DIB, PNG, JPEG,
# GIF), for `make fuzz`: builds the targets with clang in their own folder
# (kept between runs), replays each format's regression inputs, then fuzzes
# each from its committed seeds for a few seconds.
#   run_picture_short.sh SOURCE_DIR BUILD_DIR [SECONDS_EACH]
set -euo pipefail
src=$1
build=$2
seconds=${3:-5}
source "$(dirname "$0")/build_fuzzers.sh"
build_fuzzers "$src" "$build" fuzz_picture_bmp fuzz_picture_png fuzz_picture_jpeg fuzz_picture_gif
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for format in bmp png jpeg gif; do
  fuzzer=$build/bin/fuzz_picture_$format
  # Regressions first: each one crashed once.
  if compgen -G "$src/tests/fuzz/picture_regressions/$format/*" >/dev/null; then
    "$fuzzer" "$src"/tests/fuzz/picture_regressions/$format/* 2>&1 | tail -n 2
  fi
  mkdir -p "$work/$format"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/$format" \
    "$src/tests/fuzz/picture_corpus/$format" 2>&1 | tail -n 4
done
