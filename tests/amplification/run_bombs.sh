#!/usr/bin/env bash
# Every command of the tool on every amplification file, each within a time
# and a memory limit: a result or a refusal, never gigabytes or minutes.
#   run_bombs.sh TOOL [SECONDS [MB]]      (VERBOSE=1 prints every run)
# The limits are on processor time (user + system) and peak resident memory,
# as /usr/bin/time measures them, so that a busy machine passes as an idle
# one does; 512 MB of address space is enforced besides, as a file manager's
# thumbnailer might have it.
set -uo pipefail
tool=$1
seconds=${2:-2}
mb=${3:-256}
here=$(cd "$(dirname "$0")" && pwd)
command -v /usr/bin/time >/dev/null || { echo "FAIL: /usr/bin/time is missing (package time)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bombs"
python3 "$here/make_bombs.py" "$work/bombs" || exit 1
# shellcheck source=measure.sh
. "$here/measure.sh"
failed=0
for f in "$work"/bombs/*; do
  measure_file "$tool" "$f" "$work" "$seconds" "$mb" 524288
done

# A file manager asks for the thumbnail of every program it lists: the first
# icon of a 600 MB program of named groups is found by seeking, in well under
# 0.1 s and 16 MB. CPU time (user + system) is checked rather than wall time,
# which a loaded machine stretches; reading no more than the icon keeps both low.
big="$work/bombs/named_groups_600mb.exe"
if /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$tool" thumbnail "$big" "$work/t.png" 256 \
  2>"$work/err"; then
  read -r wall user sys kb <"$work/time"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  if awk -v c="$cpu" 'BEGIN { exit !(c > 0.1) }' || [ "$kb" -gt $((16 * 1024)) ]; then
    echo "FAIL: thumbnail on named_groups_600mb.exe: $cpu s of CPU ($wall s), $((kb / 1024)) MB" \
      "(limits 0.1 s, 16 MB)"
    failed=1
  fi
else
  echo "FAIL: thumbnail on named_groups_600mb.exe: $(head -c 300 "$work/err")"
  failed=1
fi

leftovers=$(find "$work" -name '.gs*' | wc -l)
[ "$leftovers" -eq 0 ] || { echo "FAIL: $leftovers temporaries left"; failed=1; }
exit $failed
