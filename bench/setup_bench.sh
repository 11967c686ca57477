#!/usr/bin/env bash
# What bench/batch_bench.sh needs beyond the build: strace, bc, GNU time and
# Debian's Pillow to compare with. Only for benchmarking; the tests never need it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/install_packages.sh"
install_packages strace bc time python3-pil
