#pragma once
// X11 cursor files (the Xcursor format of cursor themes), written through
// libXcursor into memory and saved like every other file. Pixels are
// premultiplied ARGB.
//
// The editor's drawing gives one 32 x 32 image per frame, white fully
// transparent and every other pixel opaque. A cursor file gives every size it
// stores, each with its own hotspot and transparency, so that a theme can pick
// the size the desktop asks for.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/cursor_frames.h"
#include "platform/safe_file.h"

namespace gs {

inline constexpr int kXcursorNominalSize = 32;
// No cursor file written is larger: beyond it the images are refused. Its
// images are held twice over while it is made, so this bounds that memory too.
inline constexpr std::uint64_t kMaxXcursorBytes = std::uint64_t{16} << 20;

// One image chunk of the file.
struct XcursorFrameImage {
  int width = 0, height = 0;
  int nominalSize = kXcursorNominalSize;
  int hotspotX = 0, hotspotY = 0;
  int delayMs = 0;
  std::vector<std::uint32_t> argb;  // premultiplied, rows top first
};

// libXcursor is loaded by name when an X11 cursor is first made; the package
// depends on it explicitly, since nothing links it.
inline constexpr char kXcursorLibraryName[] = "libXcursor.so.1";
// "" when libXcursor can be used, else why not (naming the library).
std::string XcursorUnavailable();

// Empty when there are no frames, libXcursor is missing or refuses them.
std::vector<std::uint8_t> BuildXcursorBytes(std::span<const XcursorFrameImage> images);
std::vector<std::uint8_t> BuildXcursorBytes(std::span<const CursorFrame> frames);

// Every image of an .ico, .cur or .ani: for each frame (each step of an
// animation, in playing order) one image per stored size, grouped by size;
// of the size the editor reads, the entry it reads. False, with the reason,
// when the images would exceed kMaxXcursorBytes, or when the reader refuses
// the file (LoadCursorFrames, the reason every command gives) or an image to
// be written is damaged.
bool CursorFileImages(std::span<const std::uint8_t> bytes, std::vector<XcursorFrameImage>& images,
                      std::string& problem);
WriteStatus WriteXcursorFile(const std::string& path, std::span<const CursorFrame> frames);

// A pixel of the document as the premultiplied ARGB of a cursor image.
std::uint32_t XcursorPixelOf(Color c);

}  // namespace gs
