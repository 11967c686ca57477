#!/usr/bin/env bash
# Installs what the build, the tests and the screenshots need. Silent when all is present.
set -euo pipefail
packages=(
  cmake g++ make ninja-build pkg-config ccache
  qt6-base-dev libqt6printsupport6 qt6-image-formats-plugins qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev zlib1g-dev
  libjpeg62-turbo-dev libgif-dev python3-pil
  clang libclang-rt-14-dev clang-format
  xvfb xauth imagemagick time poppler-utils
  icoutils python3-pil gir1.2-gdkpixbuf-2.0
  fonts-dejavu-core
  libxcursor-dev desktop-file-utils appstream shared-mime-info dpkg-dev
)
source "$(dirname "${BASH_SOURCE[0]}")/install_packages.sh"
install_packages "${packages[@]}"
