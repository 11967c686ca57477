#pragma once
// Checks on a PNG's own bytes that keep libpng from allocating what the file
// only claims: shared by the icon entries' decoder and the picture import.
#include <png.h>

#include <cstdint>
#include <span>

namespace gs {

// The eight bytes every PNG starts with, checked without loading libpng.
bool HasPngSignature(std::span<const std::uint8_t> bytes);

// libpng sizes its buffer for a text or profile chunk from the length the
// chunk claims, before reading it. True when every chunk up to the pixel data
// lies inside the bytes.
bool PngChunksBeforePixelsFit(std::span<const std::uint8_t> png);

// Deflate gives at most 1032 bytes for one, so the compressed pixel data in
// the bytes bounds the picture they can hold. False when the header's
// width x height (at its depth and colour type) is more than that.
bool PngPixelDataCanHold(std::span<const std::uint8_t> png, std::uint64_t width,
                         std::uint64_t height);

// No encoder needs more compressed data than the raw rows and a little
// framing, but a crafted one can add gigabytes' worth of deflate after them,
// which libpng would inflate to the end to check the stream. True when the
// pixel data is longer than any encoder makes it for width x height.
bool PngPixelDataTooLong(std::span<const std::uint8_t> png, std::uint64_t width,
                         std::uint64_t height);

// Text, profiles and the other ancillary chunks are skipped unread (only
// tRNS matters to the pixels), so none is buffered, inflated or kept.
void SkipUnusedPngChunks(png_structp png);

}  // namespace gs
