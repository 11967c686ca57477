#pragma once
// The pictures of an icon, cursor or animated cursor as a pointer shows them:
// each frame's 32 x 32 pixels (white transparent, as everywhere), its hotspot
// and how long it stays. Shared by the thumbnailer and the X11 cursor export.
//
//   std::vector<CursorFrame> frames;
//   if (!LoadCursorFrames(bytes, frames, problem)) refuse(problem);
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/surface.h"

namespace gs {

struct CursorFrame {
  Surface pixels;    // 32 x 32
  int hotspotX = 0;  // 0..31; an icon's is 0, 0
  int hotspotY = 0;
  int delayMs = 0;  // 0 for a still cursor
};

// An .ico/.cur gives one frame, an .ani one per step of its sequence (at most
// maxFrames). False, with the reason, when the bytes are neither.
bool LoadCursorFrames(std::span<const std::uint8_t> bytes, std::vector<CursorFrame>& frames,
                      std::string& problem, std::size_t maxFrames = SIZE_MAX);

// 1/60 s ticks of an animated cursor to milliseconds, to the nearest.
int JiffiesToMs(std::uint32_t jiffies);

}  // namespace gs
