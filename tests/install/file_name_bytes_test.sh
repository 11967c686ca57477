#!/usr/bin/env bash
# The editor, started as a file manager starts it, opens a file whose name is
# not UTF-8: the name reaches the recent-file list byte for byte.
#   file_name_bytes_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
name=$(printf 'caf\xe9 \xff.ico')
cp "$build/bin/icon/smiley.ico" "$work/$name"
(cd "$work" && GLYPHSMITH_CONFIG_DIR="$work/settings" GLYPHSMITH_NO_SPLASH=1 \
  GLYPHSMITH_QUIT_AFTER_FIRST_PAINT=1 QT_QPA_PLATFORM=offscreen timeout 60 \
  "$build/bin/glyphsmith" "$name" 2>/dev/null) || fail "the editor did not start"
grep -aqF "File1=$work/$name" "$work/settings/settings.ini" ||
  fail "not opened: $(grep -a '^File1=' "$work/settings/settings.ini" | od -c | head -3)"
echo "non-UTF-8 file name opened"
