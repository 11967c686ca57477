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
WriteStatus WritePngFile(const std::string& path, const Surface& document);

// Any RGBA picture as PNG bytes; empty when it cannot be encoded. Level 0..9 is
// zlib's: thumbnails and generated icons favour speed over a few bytes.
std::vector<std::uint8_t> EncodeRgbaPng(const RgbaImage& image, int compressionLevel = 6);

}  // namespace gs
