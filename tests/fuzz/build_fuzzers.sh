# Sourced by the short fuzz runs: builds the named fuzz targets with clang in
# BUILD_DIR (kept between runs), or exits 77 (skipped) without clang.
#   build_fuzzers SOURCE_DIR BUILD_DIR TARGET...
build_fuzzers() {
  local src=$1 build=$2
  shift 2
  if ! command -v clang++ >/dev/null; then
    echo "clang++ not installed: skipping the fuzz run" >&2
    exit 77
  fi
  # ccache, when present, spares a fresh folder most of the sanitizer build.
  local launcher=()
  command -v ccache >/dev/null &&
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${launcher[@]}" -DGLYPHSMITH_BUILD_FUZZ=ON -DGLYPHSMITH_BUILD_UI=OFF \
    -DGLYPHSMITH_BUILD_TESTS=OFF -DGLYPHSMITH_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" --target "$@" -j 2 >/dev/null
}
