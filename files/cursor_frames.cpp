#include "files/cursor_frames.h"

#include <algorithm>

#include "document/numeric.h"
#include "files/ani_frames.h"
#include "files/icon_reader.h"

namespace gs {

namespace {

bool DecodeFrame(std::span<const std::uint8_t> bytes, CursorFrame& frame, std::string& problem) {
  if (!HasIconHeader(bytes)) {
    problem = "not an icon or cursor";
    return false;
  }
  IconDecodeResult r = DecodeIconFile(bytes);
  if (r.kind == IconImageKind::None) {
    problem = r.problem.empty() ? "no picture could be read" : r.problem;
    return false;
  }
  frame.pixels = std::move(r.pixels);
  frame.hotspotX = r.cursor ? std::clamp(r.hotspotX, 0, 31) : 0;
  frame.hotspotY = r.cursor ? std::clamp(r.hotspotY, 0, 31) : 0;
  return true;
}

}  // namespace

int JiffiesToMs(std::uint32_t jiffies) {
  return Nearest(static_cast<double>(jiffies) * 1000.0 / kJiffiesPerSecond);
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
