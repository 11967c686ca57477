#!/usr/bin/env bash
# A short fuzz run of the icon and profile readers, the X11 cursor conversion,
# program resources and program thumbnails (`make fuzz`): builds the targets
# with clang in their own folder (kept between runs), replays every regression
# input, then fuzzes from the committed seeds for a few seconds.
#   run_short.sh SOURCE_DIR BUILD_DIR [SECONDS]
set -euo pipefail
src=$1
build=$2
seconds=${3:-20}
source "$(dirname "$0")/build_fuzzers.sh"
build_fuzzers "$src" "$build" fuzz_icon_reader fuzz_profile fuzz_pe_resources fuzz_ne_resources fuzz_icon_group_resources \
  fuzz_xcursor fuzz_program_thumbnail
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
# The icon resources of programs (PE, NE) and icon groups, each from its own seeds.
for t in pe ne icon_group; do
  mkdir -p "$work/$t"
  if compgen -G "$src/tests/fuzz/resources_regressions/$t-*" >/dev/null; then
    "$build/bin/fuzz_${t}_resources" "$src"/tests/fuzz/resources_regressions/$t-* 2>&1 | tail -n 2
  fi
  "$build/bin/fuzz_${t}_resources" -max_total_time=$(( (seconds + 3) / 4 )) -rss_limit_mb=1024 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$work/" "$work/$t" \
    "$src/tests/fuzz/resources_corpus/$t" 2>&1 | tail -n 4
done
# The X11 cursor conversion, and program thumbnails from sparse files that
# claim gigabytes (tests/fuzz/sparse_file.h), each from its own seeds.
for t in xcursor:xcursor_corpus program_thumbnail:thumbnail_corpus; do
  name=${t%%:*}
  mkdir -p "$work/$name"
  "$build/bin/fuzz_$name" -max_total_time=$(( (seconds + 3) / 4 )) -rss_limit_mb=1024 \
    -max_len=65536 -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" "$work/$name" \
    "$src/tests/fuzz/${t#*:}" 2>&1 | tail -n 4
done
