#pragma once
// PNG through libpng, in memory: reading the PNG entries of modern icons and
// writing the tool's .png output (white as fully transparent).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "document/surface.h"
#include "platform/safe_file.h"

namespace gs {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // top row first, 4 bytes a pixel
};

// Reading a PNG from memory into RGBA rows, the steps every reader shares;
// each caller keeps its own limits and says what failed in its own words.
enum class PngReadFailure {
  None,
  NotPng,          // no PNG signature
  ChunkPastEnd,    // a chunk before the pixels runs past the end
  NoMemory,        // libpng's structures could not be made
  Refused,         // the caller's size check said no
  PixelDataShort,  // the compressed pixels cannot hold the picture's size
  PixelDataLong,   // more compressed pixels than any encoder makes for it
  Damaged,         // libpng stopped: `message` says why
  Unavailable,     // libpng cannot be loaded: `message` says what to install
};
struct PngReadOptions {
  std::uint32_t maxSide = 0x7FFFFFFF;  // libpng's own limit on either side
  std::size_t chunkMallocMax = 1 << 20;
  std::uint32_t chunkCacheMax = 0;  // 0: libpng's default
  bool fuzzingIgnoresChecksums = false;
};
struct PngReadOutcome {
  PngReadFailure failure = PngReadFailure::None;
  std::string message;
};
// sizeAccepted(width, height) is asked before anything is allocated; rowsFor
// then gives width x height x 4 bytes, the top row first, for the pixels.
PngReadOutcome ReadPngRgba(
    std::span<const std::uint8_t> bytes, const PngReadOptions& options,
    const std::function<bool(std::uint32_t, std::uint32_t)>& sizeAccepted,
    const std::function<std::uint8_t*(std::uint32_t, std::uint32_t)>& rowsFor);

// False for damaged data or a picture larger than maxSide on either side.
bool DecodePng(std::span<const std::uint8_t> bytes, RgbaImage& out, int maxSide = 1024);

// The 32 x 32 document as RGBA PNG bytes: white pixels get alpha 0.
std::vector<std::uint8_t> BuildPngBytes(const Surface& document);

// libpng is loaded when a PNG is first met: "" once it is, otherwise
// "libpng16.so.16 (the libpng16-16 package), which cannot be loaded: ...".
const std::string& PngUnavailable();
// Why EncodeRgbaPng gave nothing, for a message after the output's name.
std::string PngEncodeFailure();

// Any RGBA picture as PNG bytes; empty when it cannot be encoded (or libpng
// cannot be loaded). Fast (no
// row filters, light compression) is for thumbnails made by the thousand;
// Small for files that ship; Default leaves libpng's own choices (the
// editor's PNG export).
enum class PngEffort { Fast, Small, Default };
std::vector<std::uint8_t> EncodeRgbaPng(const RgbaImage& image, PngEffort effort);

}  // namespace gs
