#!/usr/bin/env bash
# `cmake --install` into a fresh folder, then checks the tree, then
# `make uninstall`'s script removes every file of it.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
manifest=$build/install_manifest.txt
# The manifest records the builder's own last install, for `make uninstall`:
# kept aside and put back.
[ -f "$manifest" ] && cp -p "$manifest" "$work/manifest.saved"
restore() {
  if [ -f "$work/manifest.saved" ]; then cp -p "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap restore EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --install "$build" --prefix "$work/prefix" >/dev/null
"$src/tests/install/check_tree.sh" "$work/prefix" "$src"
cmake -DMANIFEST="$manifest" -P "$src/cmake/Uninstall.cmake" >/dev/null
left=$(find "$work/prefix" -type f -o -type l)
[ -z "$left" ] || fail "left after uninstall: $left"
[ ! -e "$work/prefix/share/glyphsmith" ] || fail "share/glyphsmith left after uninstall"
echo "install and uninstall OK"
