#!/usr/bin/env bash
# Checks that C and C++ sources follow .clang-format. With no arguments every
# tracked source is checked; otherwise only the files named. Exit 1 and a list
# of the files (and the first differing lines) when any is unformatted.
#   scripts/check_format.sh                 # the whole tree, as CI runs it
#   scripts/check_format.sh shell/frmMain.cpp
# To mend: clang-format -i FILE (or `git clang-format` for changed lines only).
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
  echo "check_format: $format is not installed (apt-get install clang-format)" >&2
  exit 2
fi
if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' '*.cc' '*.hpp')
fi
bad=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! "$format" --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "unformatted: $f"
    "$format" "$f" | diff -u "$f" - | sed -n '3,12p' || true
    bad=1
  fi
done
if [ "$bad" -ne 0 ]; then
  echo "check_format: run clang-format -i on the files above" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
