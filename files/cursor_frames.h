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
  int delayMs = 0;      // 0 for a still cursor
  int entryIndex = -1;  // the directory entry the editor reads (DecodeIconFile's)
};

// An .ico/.cur gives one frame, an .ani one per step of its sequence (at most
// maxFrames). False, with the reader's reason, when the bytes are neither or
// anything in them is damaged: a file the reader reports a problem with, an
// animation cut short or any of its frames ("frame 3: ..."), whether or not
// it is among the first maxFrames.
bool LoadCursorFrames(std::span<const std::uint8_t> bytes, std::vector<CursorFrame>& frames,
                      std::string& problem, std::size_t maxFrames = SIZE_MAX);

// 1/60 s ticks of an animated cursor to milliseconds, to the nearest.
int JiffiesToMs(std::uint32_t jiffies);

}  // namespace gs
