#!/usr/bin/env bash
# `make install` into a fresh folder, then checks the tree; cpack then
# rewrites the build's install_manifest.txt with a package's files, and
# `make uninstall` must still remove the install's files and only those.
# Last, an install under DESTDIR is removed where it was staged.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
record=$work/record.txt
# The Makefile's own install and uninstall lines on the built tree (-o build:
# nothing is configured or built), with a record of the test's own.
mk() {
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u DESTDIR \
    make --no-print-directory -C "$src" -o build BUILD="$build" INSTALL_RECORD="$record" "$@"
}
files_in() { (cd "$1" && find . -type f -o -type l | sort); }

mk install PREFIX="$work/prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "make install"; }
"$src/tests/install/check_tree.sh" "$work/prefix" "$src"

# A package built after the install, its prefix inside the test's folder and
# unpacked there as if installed, so that nothing touches /usr.
package=$work/package
(cd "$build" && cpack -G DEB -B "$work/pkg" -D CPACK_PACKAGING_INSTALL_PREFIX="$package") \
  >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
grep -qxF "$package/bin/glyphsmith-tool" "$build/install_manifest.txt" ||
  fail "cpack no longer writes the build's install_manifest.txt: the test proves nothing"
dpkg -x "$work"/pkg/glyphsmith_*.deb "$work/unpacked"
mv "$work/unpacked$package" "$package"
package_files=$(files_in "$package")
[ -n "$package_files" ] || fail "the package's tree is empty"

mk uninstall >"$work/uninstall.log" 2>&1 || { cat "$work/uninstall.log"; fail "make uninstall"; }
left=$(files_in "$work/prefix")
[ -z "$left" ] || fail "left after uninstall: $left"
[ ! -e "$work/prefix/share/glyphsmith" ] || fail "share/glyphsmith left after uninstall"
[ "$(files_in "$package")" = "$package_files" ] || fail "uninstall removed the package's files"
[ ! -e "$record" ] || fail "the record outlives the uninstall"
mk uninstall >/dev/null 2>&1 && fail "a second uninstall found something to remove"

# Under DESTDIR the files are staged, recorded and removed there.
mk install PREFIX=/opt/glyphsmith-test DESTDIR="$work/stage" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "make install DESTDIR=..."; }
[ -x "$work/stage/opt/glyphsmith-test/bin/glyphsmith-tool" ] || fail "nothing staged under DESTDIR"
mk uninstall >"$work/uninstall.log" 2>&1 || { cat "$work/uninstall.log"; fail "make uninstall"; }
left=$(files_in "$work/stage")
[ -z "$left" ] || fail "left under DESTDIR after uninstall: $left"
echo "install and uninstall OK"
