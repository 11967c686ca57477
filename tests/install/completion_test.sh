#!/usr/bin/env bash
# The bash completion the build writes for glyphsmith-tool completes its
# commands and each command's options, the same ones --help lists.
#   completion_test.sh BUILD_DIR
set -euo pipefail
build=$1
tool=$build/bin/glyphsmith-tool
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=/dev/null
source "$build/completion/glyphsmith-tool"
[ "$(complete -p glyphsmith-tool)" = "complete -o filenames -F _glyphsmith_tool glyphsmith-tool" ] ||
  fail "no completion registered: $(complete -p glyphsmith-tool)"

# What the shell offers for the words typed so far, the last one unfinished.
offers() {
  COMP_WORDS=(glyphsmith-tool "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _glyphsmith_tool
  echo "${COMPREPLY[*]}"
}
[ "$(offers con)" = convert ] || fail "con -> '$(offers con)'"
[ "$(offers help thu)" = thumbnail ] || fail "help thu -> '$(offers help thu)'"
[ "$(offers convert a.ico --dep)" = --depth ] || fail "--dep -> '$(offers convert a.ico --dep)'"
[ "$(offers convert --out)" = --out-dir ] || fail "batch option: '$(offers convert --out)'"
[ "$(offers info --out)" = "" ] || fail "info has no batch options: '$(offers info --out)'"
[ "$(offers convert --hotspot '')" = "" ] || fail "a number is not a file name"
# Option values and effect operations, from the tables --help is written from;
# each value offered is one --help names.
[ "$(offers convert --depth '')" = "1 4 8 24" ] || fail "--depth -> '$(offers convert --depth '')'"
[ "$(offers effect --palette e)" = extreme ] || fail "--palette e -> '$(offers effect --palette e)'"
[ "$(offers extract a.exe --to p)" = "pcx png" ] || fail "--to p -> '$(offers extract a.exe --to p)'"
[ "$(offers effect a.ico b.ico tu)" = turn ] || fail "effect tu -> '$(offers effect a.ico b.ico tu)'"
"$tool" effect --help | grep -q '^  turn ' || fail "turn is not in effect --help"
for v in $(offers convert --to ''); do
  "$tool" convert --help | grep -q "$v" || fail "--to $v is not in convert --help"
done

# Every command of the overview, and every option of its --help.
all=" $(offers '') "
commands=$("$tool" --help | sed -n 's/^  \([a-z]\+\) .*/\1/p')
[ -n "$commands" ] || fail "no commands in --help"
for c in $commands; do
  [[ $all == *" $c "* ]] || fail "command $c is not completed"
  opts=" $(offers "$c" --) "
  for o in $("$tool" "$c" --help | sed -n 's/^  \(--[a-z-]\+\).*/\1/p'); do
    [[ $opts == *" $o "* ]] || fail "$c $o is not completed"
  done
done
# zsh comes with the test packages; the same, through zsh's completion system.
command -v zsh >/dev/null || fail "zsh is not installed (make test installs it)"
zsh -n "$build/completion/_glyphsmith-tool" || fail "zsh completion does not parse"
timeout 20 zsh -f "$(dirname "$0")/zsh_completion.zsh" "$build/bin" "$build/completion" ||
  fail "zsh did not complete (case $?: 1 command, 2 option, 3 help's command, 4 option value; 124 timed out)"
echo "completion OK"
