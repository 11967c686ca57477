#!/usr/bin/env bash
# Checks an installed tree (PREFIX/bin, PREFIX/share) the way a user meets it:
# the files are there and valid, and both programs run from PATH with the
# program folder found in PREFIX/share/glyphsmith.
#   check_tree.sh PREFIX SOURCE_DIR
set -euo pipefail
prefix=$1
src=$2
id=org.varnel.Glyphsmith
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Width and height of a PNG, from its header.
png_size() { od -An -tu4 --endian=big -j16 -N8 "$1" | xargs; }

for f in bin/glyphsmith bin/glyphsmith-tool \
         share/glyphsmith/Lang/English.lng share/glyphsmith/Lang/Francais.lng \
         share/glyphsmith/icon/smiley.ico share/glyphsmith/curseur/fleche.cur \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/$id.xml share/thumbnailers/glyphsmith.thumbnailer; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
# The printer module the print window loads (Qt's printing library with it).
[ -n "$(find "$prefix" -path '*/glyphsmith/modules/libglyphsmith_print.so')" ] ||
  fail "missing the printer module"
if [ -f "$src/app/tool/glyphsmith-tool.1" ]; then
  ls "$prefix"/share/man/man1/glyphsmith-tool.1* >/dev/null 2>&1 || fail "missing the man page"
fi

# The icon at every size, each really that size.
for s in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${s}x${s}/apps/$id.png
  [ -f "$png" ] || fail "missing the ${s}px icon"
  dims=$(png_size "$png")
  [ "$dims" = "$s $s" ] || fail "${s}px icon is $dims"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "appstreamcli validate"; }

# The handbook, with every picture it shows.
handbook=$prefix/share/doc/glyphsmith/handbook
[ -f "$handbook/index.html" ] || fail "missing the handbook"
for picture in $(grep -o 'src="[^"]*"' "$handbook/index.html" | sed 's/^src="//; s/"$//'); do
  [ -f "$handbook/$picture" ] || fail "the handbook's picture $picture is missing"
done

# Our MIME definitions on their own: .cur and .ani are known by name and content.
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/$id.xml" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -q '^50:image/x-win-bitmap:\*\.cur$' "$work/mime/globs2" || fail ".cur glob"
grep -q '^50:application/x-navi-animation:\*\.ani$' "$work/mime/globs2" || fail ".ani glob"

# Both programs from PATH, with a settings folder of the test's own.
export PATH="$prefix/bin:$PATH" GLYPHSMITH_CONFIG_DIR="$work/settings" QT_QPA_PLATFORM=offscreen
[ "$(command -v glyphsmith-tool)" = "$prefix/bin/glyphsmith-tool" ] || fail "glyphsmith-tool not from PATH"
glyphsmith-tool --version | grep -q '^glyphsmith-tool ' || fail "glyphsmith-tool --version"

# The thumbnailer's own command line, as a file manager fills it in.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/glyphsmith.thumbnailer")
for sample in icon/smiley.ico curseur/viseur.cur; do
  cmd=${exec_line//%i/$prefix/share/glyphsmith/$sample}
  cmd=${cmd//%o/$work/thumb.png}
  cmd=${cmd//%s/128}
  rm -f "$work/thumb.png"
  $cmd || fail "thumbnailer on $sample"
  [ "$(png_size "$work/thumb.png")" = "128 128" ] ||
    fail "thumbnail of $sample is not 128 x 128"
done

# X11 cursors, through the libXcursor the tool loads for them.
glyphsmith-tool xcursor "$prefix/share/glyphsmith/curseur/viseur.cur" "$work/viseur" ||
  fail "xcursor on viseur.cur"
[ "$(head -c 4 "$work/viseur")" = Xcur ] || fail "xcursor wrote no X11 cursor"

# The installed French file is complete: a section for every window English.lng has.
for section in $(grep -o '^\[[A-Za-z]*\]' "$prefix/share/glyphsmith/Lang/English.lng"); do
  grep -qF "$section" "$prefix/share/glyphsmith/Lang/Francais.lng" ||
    fail "the installed Francais.lng has no $section"
done

# The editor finds its program folder in share/glyphsmith (an English locale
# picks English.lng there on the first start) and writes only into the
# user's folders: the installed tree is left as it was.
before=$(cd "$prefix" && find . -type f -printf '%p %s %T@\n' | sort | md5sum)
mkdir -p "$work/home"
HOME=$work/home XDG_CONFIG_HOME= XDG_DATA_HOME= LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 \
  GLYPHSMITH_QUIT_AFTER_FIRST_PAINT=1 timeout 60 glyphsmith || fail "the editor did not start"
grep -q "share/glyphsmith/Lang/English.lng" "$GLYPHSMITH_CONFIG_DIR/settings.ini" ||
  fail "the editor did not find share/glyphsmith"
[ -s "$work/home/.local/share/glyphsmith/Lang/Francais.lng" ] ||
  fail "the editor did not export its French texts to the user's folder"
after=$(cd "$prefix" && find . -type f -printf '%p %s %T@\n' | sort | md5sum)
[ "$before" = "$after" ] || fail "the editor wrote into the installed tree"
[ ! -e "$prefix/bin/Lang" ] || fail "the editor wrote a Lang folder beside itself"
echo "installed tree OK: $prefix"
