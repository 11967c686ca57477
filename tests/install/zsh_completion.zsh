# zsh's own completion system, driven through a terminal as a user types:
# what Tab makes of a command line. Run by completion_test.sh.
#   zsh -f zsh_completion.zsh TOOL_DIR COMPLETION_DIR
zmodload zsh/zpty
tool_dir=$1 completion_dir=$2

# Types `typed` and Tab into a new interactive shell; succeeds once the
# terminal shows `expected`, which only the completion can write (the line
# editor may redraw the whole line or write only what it adds). zpty -r blocks until it does; the caller's timeout ends a
# shell that never shows it.
completes() {
  local typed=$1 expected=$2 line
  zpty t "PATH=$tool_dir:\$PATH zsh -f -i"
  zpty -w t "fpath=($completion_dir \$fpath); autoload -Uz compinit; compinit -u -D; PS1='%% '"
  zpty -w -n t "$typed"$'\t'
  zpty -r t line "*$expected*"
  local found=$?
  zpty -d t
  return $found
}
completes 'glyphsmith-tool con' 'vert' || exit 1
completes 'glyphsmith-tool convert a.ico --pal' 'ette' || exit 2
completes 'glyphsmith-tool help thu' 'mbnail' || exit 3
completes 'glyphsmith-tool convert a.ico --to=pc' 'x' || exit 4
