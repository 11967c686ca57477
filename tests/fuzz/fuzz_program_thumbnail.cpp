// libFuzzer target: thumbnails of programs, read by seeking from a sparse
// file that may claim gigabytes (tests/fuzz/sparse_file.h), after one byte
// giving the thumbnail's side (1 to 256). Beyond "no crash" it checks that a
// thumbnail has the side asked for, that a refusal says why, and that no
// file costs more reading than the thumbnail's budget, however large it claims to be.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "import/program_thumbnail.h"
#include "tests/fuzz/sparse_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int side = 1 + data[0];
  const std::string path = gs::fuzz::SparseFile(std::span<const std::uint8_t>(data + 1, size - 1));
  if (path.empty()) return 0;
  std::string error;
  auto src = gs::FileSource::Open(path, error);
  if (!src) std::abort();
  gs::LooksLikeProgram(*src);
  gs::RgbaImage out;
  std::string problem;
  if (gs::MakeProgramThumbnail(*src, side, out, problem)) {
    if (out.width != side || out.height != side ||
        out.rgba.size() != static_cast<std::size_t>(side) * side * 4)
      std::abort();
  } else if (problem.empty()) {
    std::abort();
  }
  // The thumbnail's own budget (64 MiB) bounds what a hostile directory can read.
  if (src->BytesRead() > (std::uint64_t{64} << 20)) std::abort();
  return 0;
}
