// PNG pictures through libpng, straight into the picture's own memory: the
// RGBA rows libpng writes are the same 4 bytes a pixel as our colours, turned
// in place afterwards.
#include <bit>

#include "files/png_codec.h"
#include "import/picture_decoder.h"

namespace gs {

bool DecodePngPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                      const PictureLimits& limits) {
  out = {};
  std::string sizeProblem;
  PngReadOptions options;
  // Our own limit is the size check, with our message.
  options.maxSide = 0x7FFFFFFF;
  // Text and profile chunks inflate at most this far (zip bombs stop here).
  options.chunkMallocMax = 4 << 20;
  options.chunkCacheMax = 256;
  options.fuzzingIgnoresChecksums = true;
  const PngReadOutcome r = ReadPngRgba(
      bytes, options,
      [&](std::uint32_t w, std::uint32_t h) {
        sizeProblem = CheckPictureSize(w, h, limits);
        return sizeProblem.empty();
      },
      [&](std::uint32_t w, std::uint32_t h) {
        out.width = static_cast<int>(w);
        out.height = static_cast<int>(h);
        out.pixels.assign(static_cast<std::size_t>(w) * h, kWhite);
        return reinterpret_cast<std::uint8_t*>(out.pixels.data());
      });
  switch (r.failure) {
    case PngReadFailure::None:
      break;
    case PngReadFailure::NotPng:
      return error = "not a PNG picture", false;
    case PngReadFailure::ChunkPastEnd:
      return error = "damaged PNG picture: a chunk runs past the end of the file", false;
    case PngReadFailure::NoMemory:
      return error = "out of memory", false;
    case PngReadFailure::Refused:
      return out = {}, error = sizeProblem, false;
    case PngReadFailure::PixelDataShort:
      return out = {}, error = "damaged PNG picture: pixel data cut short", false;
    case PngReadFailure::PixelDataLong:
      return out = {}, error = "damaged PNG picture: more pixel data than the picture holds", false;
    case PngReadFailure::Damaged:
      return out = {}, error = "damaged PNG picture: " + r.message, false;
    case PngReadFailure::Unavailable:
      return error = r.message, false;
  }
  Color* px = out.pixels.data();
  const std::size_t n = out.pixels.size();
  if constexpr (std::endian::native == std::endian::little) {
    // The four bytes R, G, B, A read as one number are 0xAABBGGRR: an opaque
    // pixel is already our colour once A is cleared. A plain loop, as
    // millions of pixels pass here.
    for (std::size_t k = 0; k < n; ++k) {
      const Color v = px[k];
      px[k] = (v >> 24) == 255
                  ? (v & 0x00FFFFFF)
                  : OverWhite(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                              static_cast<int>((v >> 16) & 0xFF), static_cast<int>(v >> 24));
    }
  } else {
    auto* p = reinterpret_cast<const std::uint8_t*>(px);
    for (std::size_t k = 0; k < n; ++k, p += 4) {
      const std::uint8_t r = p[0], g = p[1], b = p[2], a = p[3];
      px[k] = a == 255 ? RGB(r, g, b) : OverWhite(r, g, b, a);
    }
  }
  return true;
}

}  // namespace gs
