# Sourced by run_bombs.sh and run_sanitized.sh: every command of the tool on
# one file, each measured by /usr/bin/time, a line per run that breaks a limit.
#   measure_file TOOL FILE WORK SECONDS MB [ULIMIT_KB]
# SECONDS bounds processor time (user + system), which a loaded machine does
# not stretch as it does wall time; MB bounds peak resident memory. Sets
# `failed=1` on a breach, a crash or a sanitizer report; with VERBOSE=1
# prints every run as "CPU seconds (wall seconds) MB command file".

commands_for() {
  local f=$1 w=$2
  printf '%s\n' "info $f" "pixels $f" "convert $f $w/out.bmp" \
    "convert $f $w/out.ico --depth 8 --palette extreme" "effect $f $w/out.ico invert" \
    "effect $f $w/out.cur rotate 30" "thumbnail $f $w/out.png 256" \
    "thumbnail $f $w/out.png 1024" "xcursor $f $w/out" "extract --list $f" \
    "extract $f $w/x.ico" "extract $f $w/x.ico --index 4095" "import $f $w/i.ico" \
    "import $f $w/i.cur --region 0,0,65535,65535" "ani $w/out.ani --interval 100 $f $f"
}

measure_file() {
  local tool=$1 f=$2 w=$3 seconds=$4 mb=$5 vlimit=${6:-} cmd rc wall user sys kb cpu
  local name
  name=$(basename "$f")
  while IFS= read -r cmd; do
    # A spinning run is stopped by the kernel at four times the processor
    # limit, so that it is reported, not waited for.
    (
      [ -n "$vlimit" ] && ulimit -v "$vlimit"
      ulimit -t $((seconds * 4))
      exec /usr/bin/time -f "%e %U %S %M" -o "$w/time" "$tool" $cmd </dev/null >/dev/null 2>"$w/err"
    )
    rc=$?
    read -r wall user sys kb <"$w/time" 2>/dev/null || { wall=0 user=0 sys=0 kb=0; }
    # /usr/bin/time puts "Command terminated by signal" first when the tool dies.
    [[ $wall =~ ^[0-9.]+$ ]] || read -r wall user sys kb < <(tail -n 1 "$w/time")
    local short=${cmd//$f/FILE} used
    short=${short//$w\//}
    used=$(awk -v k="$kb" 'BEGIN { printf "%.1f", k / 1024 }')
    cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
    [ "${VERBOSE:-0}" = 1 ] && printf '%6s s (%6s s) %7s MB  %s  %s\n' "$cpu" "$wall" "$used" "$short" "$name"
    local why=""
    if [ "$rc" -ge 124 ]; then
      why="killed or crashed (status $rc)"
    elif grep -qE 'Sanitizer|runtime error:' "$w/err"; then
      why="sanitizer report"
    elif awk -v t="$cpu" -v l="$seconds" 'BEGIN { exit !(t > l) }'; then
      why="over $seconds s of CPU"
    elif [ "$kb" -gt $((mb * 1024)) ]; then
      why="over $mb MB"
    fi
    if [ -n "$why" ]; then
      echo "FAIL: $short on $name: $cpu s of CPU ($wall s), $used MB, $why: $(head -c 300 "$w/err" | tr '\n' ' ')"
      failed=1
    fi
    rm -rf "$w"/out* "$w"/x.ico "$w"/i.ico "$w"/i.cur
  done < <(commands_for "$f" "$w")
}
