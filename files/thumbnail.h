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
#include "files/icon_image.h"
#include "files/png_codec.h"

namespace gs {

inline constexpr int kMaxThumbnailSize = 1024;

// size x size RGBA of a picture (white transparent); size from 1 to kMaxThumbnailSize.
RgbaImage RenderThumbnail(const Surface& picture, int size);

// size x size RGBA of an image at its own resolution and alpha.
RgbaImage RenderThumbnail(const IconImage& image, int size);

// Which of several stored images suits `size` best: the smallest at least
// that large, else the largest; the deepest among equals. -1 when none has a
// size (width and height 0).
int BestImageForSize(std::span<const IconImageHeader> images, int size);

// From the bytes of an .ico, .cur or .ani. Of the images of the size drawn,
// the one the editor reads is taken. False, with the reader's reason, when the
// bytes hold no picture this editor reads or are damaged anywhere, as every
// command refuses them (LoadCursorFrames).
bool MakeThumbnail(std::span<const std::uint8_t> bytes, int size, RgbaImage& out,
                   std::string& problem);

}  // namespace gs
