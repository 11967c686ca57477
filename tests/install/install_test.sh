#!/usr/bin/env bash
# `cmake --install` into a fresh folder, then checks the tree.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
"$src/tests/install/check_tree.sh" "$work/prefix" "$src"
