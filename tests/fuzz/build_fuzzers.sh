# Sourced by the short fuzz runs (`make fuzz`): builds the named fuzz targets
# with clang in BUILD_DIR (kept between runs), JOBS at a time (default 2).
#   build_fuzzers SOURCE_DIR BUILD_DIR TARGET...
build_fuzzers() {
  local src=$1 build=$2
  shift 2
  if ! command -v clang++ >/dev/null; then
    echo "clang++ is not installed: the fuzz targets need it (make setup-test)" >&2
    exit 1
  fi
  # ccache, when present, spares a fresh folder most of the sanitizer build.
  local launcher=()
  command -v ccache >/dev/null &&
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Quiet when it works; the compiler's words when it does not.
  local log
  log=$(mktemp)
  if ! CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${launcher[@]}" -DGLYPHSMITH_BUILD_FUZZ=ON -DGLYPHSMITH_BUILD_UI=OFF \
    -DGLYPHSMITH_BUILD_TESTS=OFF -DGLYPHSMITH_BUILD_BENCH=OFF >"$log" 2>&1 ||
    ! cmake --build "$build" --target "$@" -j "${JOBS:-2}" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
}
