#!/usr/bin/env bash
# Time from launching the editor to its first painted canvas, on Qt's
# offscreen platform (no X server needed), the splash skipped. Usage: bench/startup.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-20}
exe="$build/bin/glyphsmith"
[ -x "$exe" ] || { echo "build the editor first: $exe" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen GLYPHSMITH_QUIT_AFTER_FIRST_PAINT=1 GLYPHSMITH_NO_SPLASH=1
export GLYPHSMITH_CONFIG_DIR=$(mktemp -d)
trap 'rm -rf "$GLYPHSMITH_CONFIG_DIR"' EXIT
"$exe" >/dev/null 2>&1  # warm the file cache
best=999999; total=0
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$exe" >/dev/null 2>&1
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  total=$((total + ms)); [ "$ms" -lt "$best" ] && best=$ms
done
echo "launch to first paint: best ${best} ms, mean $((total / runs)) ms over ${runs} runs"
