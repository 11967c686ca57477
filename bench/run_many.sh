# shellcheck shell=bash
# Sourced by the bench scripts that time calls with bench/run_many.c: the one
# reader of its output.
#   run_many_build WORK     compiles run_many into WORK, or takes $RUN_MANY
#                           (another run_many: the parsing test gives a stub)
#   best3 [--fresh DIR] CALLS PROGRAM ARGS...
#                           three rounds of CALLS calls (DIR emptied before
#                           each round): prints "wall_us cpu_us", the least
#                           wall and the least CPU time per call of the rounds
#                           (the machine may be shared)
# Use it as `t=$(best3 ...)`: a failure then stops a `set -e` script, where
# `read ... < <(best3 ...)` would read nothing and go on.

run_many_build() {
  if [ -n "${RUN_MANY:-}" ]; then
    [ -x "$RUN_MANY" ] || { echo "RUN_MANY=$RUN_MANY is not a program" >&2; return 1; }
    return 0
  fi
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  cc -O2 -o "$1/run_many" "$here/run_many.c" || return 1
  RUN_MANY=$1/run_many
}

# run_many prints one line, "wall_us cpu_us minor_faults major_faults" (means
# per call): this reads it on stdin and prints "wall_us cpu_us", or fails
# saying what it got.
run_many_times() {
  local line w c minor major rest
  IFS= read -r line || line=""
  read -r w c minor major rest <<<"$line"
  if ! [[ $w =~ ^[0-9]+$ && $c =~ ^[0-9]+$ && $minor =~ ^[0-9.]+$ && $major =~ ^[0-9.]+$ &&
    -z $rest ]]; then
    echo "run_many printed \"$line\", not \"wall_us cpu_us minor_faults major_faults\"" >&2
    return 1
  fi
  echo "$w $c"
}

best3() {
  local fresh="" out t w c bw="" bc=""
  if [ "$1" = --fresh ]; then
    fresh=$2
    shift 2
  fi
  for _ in 1 2 3; do
    if [ -n "$fresh" ]; then
      rm -rf "$fresh" && mkdir -p "$fresh" || return 1
    fi
    out=$("$RUN_MANY" "$@") || { echo "run_many failed: $*" >&2; return 1; }
    t=$(run_many_times <<<"$out") || return 1
    read -r w c <<<"$t"
    if [ -z "$bw" ] || [ "$w" -lt "$bw" ]; then bw=$w; fi
    if [ -z "$bc" ] || [ "$c" -lt "$bc" ]; then bc=$c; fi
  done
  echo "$bw $bc"
}
