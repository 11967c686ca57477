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
  if (!r.problem.empty() || r.kind == IconImageKind::None) {
    problem = r.problem.empty() ? "no picture could be read" : r.problem;
    return false;
  }
  frame.pixels = std::move(r.pixels);
  frame.entryIndex = r.entryIndex;
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
  // Damage the sequence reader steps over is damage all the same.
  if (!problem.empty()) return false;
  // Every frame is read, once, even those past maxFrames or outside the
  // sequence: a damaged frame anywhere refuses the file.
  std::vector<std::size_t> wanted(seq.frames.size(), 0);
  for (std::size_t i = 0; i < seq.steps.size() && i < maxFrames; ++i) ++wanted[seq.steps[i].frame];
  std::vector<CursorFrame> decoded(seq.frames.size());
  for (std::size_t k = 0; k < seq.frames.size(); ++k) {
    CursorFrame f;
    std::string why;
    if (!DecodeFrame(seq.FrameBytes(bytes, k), f, why)) {
      problem = "frame " + std::to_string(k + 1) + ": " + why;
      return false;
    }
    if (wanted[k]) decoded[k] = std::move(f);
  }
  for (const AniStep& s : seq.steps) {
    if (frames.size() >= maxFrames) break;
    // The last step that shows a frame takes its pixels instead of a copy.
    CursorFrame f = --wanted[s.frame] == 0 ? std::move(decoded[s.frame]) : decoded[s.frame];
    f.delayMs = JiffiesToMs(s.jiffies);
    frames.push_back(std::move(f));
  }
  return true;
}

}  // namespace gs
