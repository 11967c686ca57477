#!/usr/bin/env bash
# Builds the Debian package, checks what it declares, unpacks it with dpkg -x
# into a fresh folder and checks that tree (its prefix is /usr).
#   package_test.sh BUILD_DIR SOURCE_DIR [CONFIG]
set -euo pipefail
build=$1
src=$2
config=${3:-Release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/glyphsmith_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6printsupport6 libpng16-16 libjpeg62-turbo libgif7 libxcursor1; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = glyphsmith ] || fail "package name"
# What a distribution checks: no lintian error or warning (information tags
# are explained in the README), and hardened, position-independent programs.
command -v lintian >/dev/null || fail "lintian is not installed (make test installs it)"
lintian --pedantic --tag-display-limit 0 --fail-on none "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian did not run"; }
if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian errors or warnings"; fi
dpkg -x "$deb" "$work/root"
for exe in glyphsmith glyphsmith-tool; do
  bin=$work/root/usr/bin/$exe
  # Whole outputs first: grep -q would close the pipe early under pipefail.
  header=$(readelf -h "$bin") dynamic=$(readelf -d "$bin") segments=$(readelf -lW "$bin")
  symbols=$(readelf --dyn-syms -W "$bin")
  [[ $header == *"DYN (Position-Independent"* ]] || fail "$exe is not position-independent"
  [[ $dynamic == *BIND_NOW* ]] || fail "$exe is not linked with -z now"
  [[ $segments == *GNU_RELRO* ]] || fail "$exe has no RELRO segment"
  [[ $symbols == *__stack_chk_fail* ]] || fail "$exe has no stack protector"
  # Fortified calls need the optimiser: a Debug build (make check's) has none.
  [[ $config == Debug || ${symbols//__stack_chk_fail/} == *_chk@* ]] ||
    fail "$exe calls no fortified function"
done
# The tool takes the distribution's shared libraries, so their security fixes
# reach it: the C library at start, the picture libraries and libXcursor (named
# in Depends) only when a file needs them, never at every call.
libs=$(ldd "$work/root/usr/bin/glyphsmith-tool")
[[ $libs == *libc.so.6* ]] || fail "glyphsmith-tool does not link the C library: $libs"
for lib in libpng libjpeg libgif libz libXcursor libX11; do
  [[ $libs != *"$lib"* ]] || fail "glyphsmith-tool loads $lib at every call: $libs"
done
# libm too, except where the sanitizers' runtime brings it (make check's build).
[[ $libs == *libasan* || $libs != *libm.so* ]] || fail "glyphsmith-tool loads libm at every call: $libs"
loaded=$(LD_DEBUG=files "$work/root/usr/bin/glyphsmith-tool" info \
  "$src/tests/data/files/valid/png_64.ico" 2>&1 >/dev/null)
[[ $loaded == *"file=libpng16.so.16 "* ]] || fail "a PNG entry did not load libpng16.so.16"
for f in usr/share/doc/glyphsmith/copyright usr/share/doc/glyphsmith/changelog.Debian.gz \
         usr/share/man/man1/glyphsmith.1.gz usr/share/man/man1/glyphsmith-tool.1.gz \
         usr/share/bash-completion/completions/glyphsmith-tool \
         usr/share/zsh/vendor-completions/_glyphsmith-tool; do
  [ -f "$work/root/$f" ] || fail "missing $f"
done
"$src/tests/install/check_tree.sh" "$work/root/usr" "$src"
