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
  icoutils python3-pil
  fonts-dejavu-core
  libxcursor-dev desktop-file-utils appstream shared-mime-info dpkg-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
