#pragma once
// Thumbnails for file managers: an icon, cursor or animated cursor (its first
// frame) as an RGBA square of any size. Of a file with several images, the one
// that suits the size best is drawn at its own resolution and transparency.
// Growing keeps the pixels square and sharp, as the canvas shows them;
// shrinking averages them, transparency included.
#include <cstdint>
#include <span>
#include <string>

#include "document/surface.h"
#include "files/png_codec.h"

namespace gs {

inline constexpr int kMaxThumbnailSize = 1024;

// size x size RGBA of a picture (white transparent); size from 1 to kMaxThumbnailSize.
RgbaImage RenderThumbnail(const Surface& picture, int size);

// From the bytes of an .ico, .cur or .ani. False, with the reason, when the
// bytes hold no picture this editor reads.
bool MakeThumbnail(std::span<const std::uint8_t> bytes, int size, RgbaImage& out,
                   std::string& problem);

}  // namespace gs
