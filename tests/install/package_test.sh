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
# The package holds nothing of the build or the machine: packed again later,
# it is the same bytes (dates from the changelog, not the clock), and no
# file of it, nor the programs before stripping (their Build ID is a hash
# over those), names the source or build folder; so a build in another folder
# gives the same package too. (Two whole builds would double the suite's time.)
(cd "$build" && cpack -G DEB -B "$work/again" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
cmp "$deb" "$work"/again/glyphsmith_*.deb || fail "two packings of one build differ"
rm -rf "$work/again"
dpkg -x "$deb" "$work/root"
src_abs=$(cd "$src" && pwd -P) build_abs=$(cd "$build" && pwd -P)
# (AddressSanitizer names the files of its globals in full: make check's
# build is never a package.)
if [[ $(readelf -d "$build/bin/glyphsmith-tool") != *libasan* ]]; then
  for f in "$work/root" "$build/bin/glyphsmith" "$build/bin/glyphsmith-tool" \
           "$build/bin/libglyphsmith_print.so"; do
    if grep -rlaF -e "$src_abs" -e "$build_abs" "$f"; then fail "the package names the build's folders"; fi
  done
fi
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6printsupport6 libpng16-16 libjpeg62-turbo libgif7 libxcursor1; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = glyphsmith ] || fail "package name"
# F1 and the web entries open the handbook through xdg-open.
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"
# What a distribution checks: no lintian error or warning (information tags
# are explained in the README), and hardened, position-independent programs.
command -v lintian >/dev/null || fail "lintian is not installed (make test installs it)"
lintian --pedantic --display-info --tag-display-limit 0 --fail-on none "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian did not run"; }
if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian errors or warnings"; fi
# Information tags only where the README explains them: two false spelling
# hits (a French word, and two adjacent strings read as one). A Debug build
# (make check's) has no optimiser, so no fortified calls either.
explained='spelling-error-in-binary (invalide invalid|neede needed) '
[[ $config == Debug ]] && explained+='|hardening-no-fortify-functions '
if grep -E '^I: ' "$work/lintian.log" | grep -vE "$explained"; then
  fail "lintian information tags the README does not explain"
fi
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
# reach it: the C and C++ runtimes at start (libstdc++ brings libm), the picture
# libraries and libXcursor (named in Depends) only when a file needs them, never
# at every call.
libs=$(ldd "$work/root/usr/bin/glyphsmith-tool")
[[ $libs == *libc.so.6* ]] || fail "glyphsmith-tool does not link the C library: $libs"
[[ $libs == *libstdc++.so.6* ]] || fail "glyphsmith-tool does not link the C++ runtime: $libs"
[[ $depends == *libstdc++6* ]] || fail "Depends lacks libstdc++6: $depends"
for lib in libpng libjpeg libgif libz libXcursor libX11; do
  [[ $libs != *"$lib"* ]] || fail "glyphsmith-tool loads $lib at every call: $libs"
done
loaded=$(LD_DEBUG=files "$work/root/usr/bin/glyphsmith-tool" info \
  "$src/tests/data/files/valid/png_64.ico" 2>&1 >/dev/null)
[[ $loaded == *"file=libpng16.so.16 "* ]] || fail "a PNG entry did not load libpng16.so.16"
for f in usr/share/doc/glyphsmith/copyright usr/share/doc/glyphsmith/changelog.Debian.gz \
         usr/share/man/man1/glyphsmith.1.gz usr/share/man/man1/glyphsmith-tool.1.gz \
         usr/share/bash-completion/completions/glyphsmith-tool \
         usr/share/zsh/vendor-completions/_glyphsmith-tool; do
  [ -f "$work/root/$f" ] || fail "missing $f"
done
# glyphsmith(1) names every environment variable the editor reads.
man=$(zcat "$work/root/usr/share/man/man1/glyphsmith.1.gz")
environment=${man#*.SH ENVIRONMENT}
environment=${environment%%.SH FILES*}
read_vars=$(cd "$src" && grep -rhoE '(getenv|qEnvironmentVariable[A-Za-z]*)\("[A-Z_]+"' \
  --include='*.cpp' --include='*.h' app lang platform shell document files effects import tools \
  widgets --exclude-dir=tool | grep -oE '"[A-Z_]+"' | tr -d '"' | sort -u)
[ -n "$read_vars" ] || fail "no variable found in the editor's code: the test is out of date"
for v in $read_vars; do
  [[ $environment == *"$v"* ]] || fail "glyphsmith(1) does not say what $v does"
done
"$src/tests/install/check_tree.sh" "$work/root/usr" "$src"
