#pragma once
// X11 cursor files (the Xcursor format of cursor themes), written through
// libXcursor into memory and saved like every other file. One image chunk per
// frame at nominal size 32, premultiplied ARGB: white pixels are fully
// transparent, every other pixel opaque.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/cursor_frames.h"
#include "platform/safe_file.h"

namespace gs {

inline constexpr int kXcursorNominalSize = 32;

// Empty when there are no frames or libXcursor refuses them.
std::vector<std::uint8_t> BuildXcursorBytes(std::span<const CursorFrame> frames);
WriteStatus WriteXcursorFile(const std::string& path, std::span<const CursorFrame> frames);

// A pixel of the document as the premultiplied ARGB of a cursor image.
std::uint32_t XcursorPixelOf(Color c);

}  // namespace gs
