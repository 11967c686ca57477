// libFuzzer target: .ico, .cur and .ani bytes through the X11 cursor
// conversion. Beyond "no crash" it checks that every image holds its pixels,
// that the images never add up to more than kMaxXcursorBytes (the sizes are
// reckoned from the headers before decoding: this catches a frame decoding
// larger than its header said), and that the file libXcursor writes from
// them is that size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "files/xcursor_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<gs::XcursorFrameImage> images;
  std::string problem;
  if (!gs::CursorFileImages(std::span<const std::uint8_t>(data, size), images, problem)) {
    if (problem.empty()) std::abort();
    return 0;
  }
  if (images.empty()) return 0;
  // The file: a 16-byte header, and a 12-byte table entry and a 36-byte chunk header per image.
  std::uint64_t bytes = 16;
  for (const gs::XcursorFrameImage& x : images) {
    if (x.width <= 0 || x.height <= 0 ||
        x.argb.size() != static_cast<std::size_t>(x.width) * static_cast<std::size_t>(x.height))
      std::abort();
    bytes += 12 + 36 + 4 * static_cast<std::uint64_t>(x.argb.size());
  }
  if (bytes > gs::kMaxXcursorBytes) std::abort();
  static const bool canWrite = gs::XcursorUnavailable().empty();
  if (canWrite && gs::BuildXcursorBytes(images).size() != bytes) std::abort();
  return 0;
}
