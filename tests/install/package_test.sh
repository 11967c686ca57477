#!/usr/bin/env bash
# Builds the Debian package, checks what it declares, unpacks it with dpkg -x
# into a fresh folder and checks that tree (its prefix is /usr).
#   package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/glyphsmith_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libpng16-16 libxcursor1; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = glyphsmith ] || fail "package name"
dpkg -x "$deb" "$work/root"
"$src/tests/install/check_tree.sh" "$work/root/usr" "$src"
