#pragma once
// Reading the frames of an animated cursor (RIFF "ACON"): which cursor images
// it holds, in which order they play and for how long. Frames are handed to
// the icon reader as they are; nothing here decodes pixels.
//
//   AniSequence seq;
//   if (!ReadAniSequence(bytes, seq, problem)) refuse(problem);
//   for (const AniStep& s : seq.steps) show(seq.FrameBytes(bytes, s.frame), s.jiffies);
//
// Chunks are read whether or not a pad byte follows an odd-sized one: files
// from RIFF writers have it, the editor's own builder never wrote it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gs {

// The display rate is counted in 1/60 s.
inline constexpr int kJiffiesPerSecond = 60;
// More steps than this is not an animation anyone drew by hand.
inline constexpr std::size_t kMaxAniSteps = 4096;

struct AniFrameRef {
  std::size_t offset = 0;  // of the frame's bytes (after the "icon" chunk header)
  std::size_t size = 0;
};

struct AniStep {
  std::size_t frame = 0;      // index into frames
  std::uint32_t jiffies = 0;  // at least 1
};

struct AniSequence {
  std::vector<AniFrameRef> frames;  // the "icon" chunks in file order
  std::vector<AniStep> steps;       // play order: "seq " when present, else frame order
  std::span<const std::uint8_t> FrameBytes(std::span<const std::uint8_t> file,
                                           std::size_t frame) const {
    const AniFrameRef& f = frames.at(frame);
    return file.subspan(f.offset, f.size);
  }
};

// True when the bytes are an animated cursor with at least one frame to show.
// Damage after the first usable frames is tolerated (and named in `problem`);
// a file with no frame, or frames that are not cursor images, is refused.
bool ReadAniSequence(std::span<const std::uint8_t> bytes, AniSequence& out, std::string& problem);

// True when the bytes start as an animated cursor ("RIFF" ... "ACON").
bool LooksLikeAni(std::span<const std::uint8_t> bytes);

}  // namespace gs
