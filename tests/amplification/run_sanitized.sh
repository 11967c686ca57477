#!/usr/bin/env bash
# Every command of a sanitizer build of the tool (make check's configuration)
# on every amplification file, every fuzz corpus and every test file, each
# within the limits: the instrumented code is several times slower and
# larger, so this is the margin the release build has. No address-space
# limit: AddressSanitizer reserves terabytes it never touches.
#   run_sanitized.sh TOOL [SECONDS [MB]]      (VERBOSE=1 prints every run)
# Several minutes on two cores; not part of ctest.
set -uo pipefail
tool=$1
seconds=${2:-2}
mb=${3:-256}
here=$(cd "$(dirname "$0")" && pwd)
tests=$(dirname "$here")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
python3 "$here/make_bombs.py" "$work/in" || exit 1
# The thumbnail seeds are sparse-file descriptions (tests/fuzz/sparse_file.h)
# after a byte giving the side: made into the files they describe.
python3 - "$tests/fuzz/thumbnail_corpus" "$work/in" <<'PY'
import os, struct, sys
for name in os.listdir(sys.argv[1]):
    data = open(os.path.join(sys.argv[1], name), "rb").read()[1:]
    if len(data) < 8:
        continue
    size, at = struct.unpack_from("<Q", data)[0], 8
    with open(os.path.join(sys.argv[2], "sparse_" + name), "wb") as f:
        while at + 10 <= len(data):
            offset, n = struct.unpack_from("<QH", data, at)
            at += 10
            f.seek(offset)
            f.write(data[at:at + n])
            at += n
        f.truncate(max(size, f.tell()))
PY
for d in corpus picture_corpus picture_regressions regressions resources_corpus xcursor_corpus; do
  for f in "$tests/fuzz/$d"/*; do [ -f "$f" ] && cp "$f" "$work/in/${d}_$(basename "$f")"; done
done
find "$tests/data" -type f \( -name '*.ico' -o -name '*.cur' -o -name '*.ani' -o -name '*.exe' \
  -o -name '*.dll' -o -name '*.bmp' -o -name '*.png' -o -name '*.gif' -o -name '*.jpg' \) \
  -exec cp {} "$work/in/" \;

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$tests/support/lsan.supp
# shellcheck source=measure.sh
. "$here/measure.sh"
failed=0
for f in "$work"/in/*; do
  measure_file "$tool" "$f" "$work" "$seconds" "$mb"
done
exit $failed
