#pragma once
// Thumbnails for file managers: the picture an icon, cursor or animated cursor
// (its first frame) shows, as an RGBA square of any size with white
// transparent. Growing keeps the pixels square and sharp, as the canvas shows
// them; shrinking averages them, transparency included.
#include <cstdint>
#include <span>
#include <string>

#include "document/surface.h"
#include "files/png_codec.h"

namespace gs {

inline constexpr int kMaxThumbnailSize = 1024;

// size x size RGBA of a picture; size from 1 to kMaxThumbnailSize.
RgbaImage RenderThumbnail(const Surface& picture, int size);

// From the bytes of an .ico, .cur or .ani. False, with the reason, when the
// bytes hold no picture this editor reads.
bool MakeThumbnail(std::span<const std::uint8_t> bytes, int size, RgbaImage& out,
                   std::string& problem);

}  // namespace gs
