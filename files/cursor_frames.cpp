#include "files/cursor_frames.h"

#include <algorithm>

#include "document/numeric.h"
#include "files/ani_frames.h"
#include "files/icon_reader.h"

namespace gs {

namespace {

// An icon file's header: reserved 0, type 1 or 2, at least one entry.
bool LooksLikeIconFile(std::span<const std::uint8_t> b) {
  return b.size() >= 6 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0 &&
         (b[4] != 0 || b[5] != 0);
}

bool DecodeFrame(std::span<const std::uint8_t> bytes, CursorFrame& frame, std::string& problem) {
  if (!LooksLikeIconFile(bytes)) {
    problem = "not an icon or cursor";
    return false;
  }
  IconDecodeResult r = DecodeIconFile(bytes);
  if (r.kind == IconImageKind::None) {
    problem = r.problem.empty() ? "no picture could be read" : r.problem;
    return false;
  }
  frame.pixels = std::move(r.pixels);
  CursorHotspot(bytes, r.entryIndex, frame.hotspotX, frame.hotspotY);
  return true;
}

}  // namespace

int JiffiesToMs(std::uint32_t jiffies) {
  return Nearest(static_cast<double>(jiffies) * 1000.0 / kJiffiesPerSecond);
}

void CursorHotspot(std::span<const std::uint8_t> bytes, int entryIndex, int& x, int& y) {
  x = y = 0;
  const IconDirectory dir = ReadIconDirectory(bytes);
  if (dir.header.type != 2 || dir.entries.empty()) return;
  const std::size_t i = entryIndex >= 0 && static_cast<std::size_t>(entryIndex) < dir.entries.size()
                            ? static_cast<std::size_t>(entryIndex)
                            : 0;
  const IconDirectoryEntry& e = dir.entries[i];
  // Hotspots of larger entries are scaled with the picture the reader made of them.
  const int w = e.width ? e.width : 256;
  const int h = e.height ? e.height : 256;
  x = std::clamp(static_cast<int>(e.planes) * 32 / w, 0, 31);
  y = std::clamp(static_cast<int>(e.bitCount) * 32 / h, 0, 31);
}

bool LoadCursorFrames(std::span<const std::uint8_t> bytes, std::vector<CursorFrame>& frames,
                      std::string& problem, std::size_t maxFrames) {
  frames.clear();
  problem.clear();
  if (!LooksLikeAni(bytes)) {
    CursorFrame f;
    if (!DecodeFrame(bytes, f, problem)) return false;
    frames.push_back(std::move(f));
    return true;
  }
  AniSequence seq;
  if (!ReadAniSequence(bytes, seq, problem)) return false;
  // Frames repeat in a sequence; each is decoded once.
  std::vector<CursorFrame> decoded(seq.frames.size());
  std::vector<bool> done(seq.frames.size(), false);
  for (const AniStep& s : seq.steps) {
    if (frames.size() >= maxFrames) break;
    if (!done[s.frame]) {
      std::string why;
      if (!DecodeFrame(seq.FrameBytes(bytes, s.frame), decoded[s.frame], why)) {
        problem = "frame " + std::to_string(s.frame + 1) + ": " + why;
        frames.clear();
        return false;
      }
      done[s.frame] = true;
    }
    CursorFrame f = decoded[s.frame];
    f.delayMs = JiffiesToMs(s.jiffies);
    frames.push_back(std::move(f));
  }
  return true;
}

}  // namespace gs
