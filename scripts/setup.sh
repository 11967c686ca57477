#!/usr/bin/env bash
# Installs what is missing, silently when all is present.
#   setup.sh        what building, packaging and running the editor need
#   setup.sh test   that and what the tests, the screenshots and the benchmarks need
set -euo pipefail
build_packages=(
  cmake g++ make ninja-build pkg-config ccache file dpkg-dev
  qt6-base-dev libqt6printsupport6 qt6-image-formats-plugins qt6-translations-l10n
  libpng-dev zlib1g-dev libjpeg62-turbo-dev libgif-dev libxcursor-dev
  fonts-dejavu-core
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth imagemagick time poppler-utils
  icoutils python3-pil gir1.2-gdkpixbuf-2.0 python3-gi libgdk-pixbuf2.0-bin
  desktop-file-utils appstream shared-mime-info lintian zsh
)
packages=("${build_packages[@]}")
case "${1:-}" in
  "") ;;
  test) packages+=("${test_packages[@]}") ;;
  *) echo "usage: setup.sh [test]" >&2; exit 2 ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/install_packages.sh"
install_packages "${packages[@]}"
