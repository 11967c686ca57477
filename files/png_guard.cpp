#include "files/png_guard.h"

#include <algorithm>
#include <limits>

#include "files/png_library.h"

namespace gs {

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= 8 && std::equal(kSignature, kSignature + 8, bytes.begin());
}

namespace {

std::uint64_t ChunkLength(std::span<const std::uint8_t> b, std::size_t at) {
  return (std::uint64_t{b[at]} << 24) | (std::uint64_t{b[at + 1]} << 16) |
         (std::uint64_t{b[at + 2]} << 8) | b[at + 3];
}

bool IsIdat(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at + 4] == 'I' && b[at + 5] == 'D' && b[at + 6] == 'A' && b[at + 7] == 'T';
}

}  // namespace

bool PngChunksBeforePixelsFit(std::span<const std::uint8_t> b) {
  for (std::size_t at = 8; at + 8 <= b.size();) {
    const std::uint64_t length = ChunkLength(b, at);
    if (IsIdat(b, at)) return true;
    if (length + 12 > b.size() - at) return false;
    at += static_cast<std::size_t>(length + 12);
  }
  return true;
}

namespace {

std::uint64_t RawRowBytes(std::span<const std::uint8_t> b, std::uint64_t width) {
  // IHDR is always the first chunk: depth and colour type at fixed places.
  const std::uint64_t bitDepth = b[24], colorType = b[25];
  const std::uint64_t channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
  return 1 + (width * channels * bitDepth + 7) / 8;
}

std::uint64_t IdatBytes(std::span<const std::uint8_t> b) {
  std::uint64_t idat = 0;
  for (std::size_t at = 8; at + 8 <= b.size();) {
    const std::uint64_t length = ChunkLength(b, at);
    if (IsIdat(b, at)) idat += std::min<std::uint64_t>(length, b.size() - at - 8);
    at += static_cast<std::size_t>(std::min<std::uint64_t>(length + 12, b.size()));
  }
  return idat;
}

}  // namespace

bool PngPixelDataTooLong(std::span<const std::uint8_t> b, std::uint64_t width,
                         std::uint64_t height) {
  if (b.size() < 33 || width > 0xFFFFFFFFu || height > 0xFFFFFFFFu) return false;
  // Interlacing adds a filter byte and a partial byte to each row of each pass.
  const std::uint64_t raw = RawRowBytes(b, width) * height + 15 * height + 64;
  // Stored blocks cost 5 bytes in 65,535; the rest is generous slack.
  const std::uint64_t most = raw + raw / 1024 + (std::uint64_t{64} << 10);
  return IdatBytes(b) > most;
}

bool PngPixelDataCanHold(std::span<const std::uint8_t> b, std::uint64_t width,
                         std::uint64_t height) {
  if (b.size() < 33) return false;
  if (width > 0xFFFFFFFFu || height > 0xFFFFFFFFu) return false;
  const std::uint64_t rawRow = RawRowBytes(b, width);
  const std::uint64_t deliverable = IdatBytes(b) * 1032 + 1032;
  return height == 0 || rawRow <= deliverable / height;
}

void SkipUnusedPngChunks(png_structp png) {
  static const png_byte kUnused[] = {
      'b', 'K', 'G', 'D', '\0', 'c', 'H', 'R', 'M', '\0', 'e', 'X', 'I', 'f', '\0',
      'g', 'A', 'M', 'A', '\0', 'h', 'I', 'S', 'T', '\0', 'i', 'C', 'C', 'P', '\0',
      'i', 'T', 'X', 't', '\0', 'o', 'F', 'F', 's', '\0', 'p', 'C', 'A', 'L', '\0',
      'p', 'H', 'Y', 's', '\0', 's', 'B', 'I', 'T', '\0', 's', 'C', 'A', 'L', '\0',
      's', 'P', 'L', 'T', '\0', 's', 'R', 'G', 'B', '\0', 't', 'E', 'X', 't', '\0',
      't', 'I', 'M', 'E', '\0', 'z', 'T', 'X', 't', '\0'};
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnused,
                              static_cast<int>(sizeof kUnused / 5));
  // Chunks libpng does not know are dropped too (no callback is set).
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
}

}  // namespace gs
