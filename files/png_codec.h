#pragma once
// PNG through libpng, in memory: reading the PNG entries of modern icons and
// writing the tool's .png output (white as fully transparent).
#include <cstdint>
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

// False for damaged data or a picture larger than maxSide on either side.
bool DecodePng(std::span<const std::uint8_t> bytes, RgbaImage& out, int maxSide = 1024);

// The 32 x 32 document as RGBA PNG bytes: white pixels get alpha 0.
std::vector<std::uint8_t> BuildPngBytes(const Surface& document);

// Any RGBA picture as PNG bytes; empty when it cannot be encoded. Fast (no
// row filters, light compression) is for thumbnails made by the thousand;
// Small for files that ship; Default leaves libpng's own choices (the
// editor's PNG export).
enum class PngEffort { Fast, Small, Default };
std::vector<std::uint8_t> EncodeRgbaPng(const RgbaImage& image, PngEffort effort);

}  // namespace gs
