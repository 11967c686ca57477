#pragma once
// The bitmap info header that icon images, .bmp files and packed DIBs share:
// one struct, one reader and one writer, so that what is written is what is read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/byte_io.h"

namespace gs {

inline constexpr std::size_t kBitmapInfoHeaderBytes = 40;

// The 40-byte layout; shorter headers are widened to it (missing fields 0).
struct BitmapInfoHeader {
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t colorsImportant = 0;
};

// The 40 bytes at offset, whatever their size field says (icon images).
// False, with h all 0, when they are not all there.
bool ReadBitmapInfoHeader(std::span<const std::uint8_t> bytes, std::size_t offset,
                          BitmapInfoHeader& h);

// The header at offset as its size field says: the 12-byte core header's
// 16-bit fields, the first 16 bytes of the layout for a header of 16 to 39
// bytes, else all 40. The size is not judged here. False when the bytes that
// size needs are not all there.
bool ReadSizedBitmapInfoHeader(std::span<const std::uint8_t> bytes, std::size_t offset,
                               BitmapInfoHeader& h);

// Appends the 40-byte layout.
void WriteBitmapInfoHeader(bytes::Writer& w, const BitmapInfoHeader& h);

}  // namespace gs
