#include "files/ani_frames.h"

#include <algorithm>
#include <string_view>

#include "files/byte_io.h"

namespace gs {

namespace {

std::string_view TagAt(std::span<const std::uint8_t> b, std::size_t offset) {
  if (!bytes::Has(b, offset, 4)) return {};
  return {reinterpret_cast<const char*>(b.data() + offset), 4};
}

bool IsKnownTag(std::string_view t) {
  return t == "icon" || t == "LIST" || t == "anih" || t == "rate" || t == "seq " || t == "INAM" ||
         t == "IART";
}

// Where the chunk after one of `size` data bytes at `data` starts: after the
// pad byte of an odd size, unless the next chunk visibly starts without one.
std::size_t NextChunk(std::span<const std::uint8_t> b, std::size_t data, std::uint32_t size,
                      std::size_t end) {
  const std::size_t unpadded = data + size;
  if ((size & 1) == 0) return unpadded;
  if (unpadded + 8 <= end && IsKnownTag(TagAt(b, unpadded))) return unpadded;
  return unpadded + 1;
}

struct Header {
  bool present = false;
  std::uint32_t frames = 0;
  std::uint32_t steps = 0;
  std::uint32_t rate = 0;
  std::uint32_t flags = 0;
};

}  // namespace

bool LooksLikeAni(std::span<const std::uint8_t> b) {
  return TagAt(b, 0) == "RIFF" && TagAt(b, 8) == "ACON";
}

bool ReadAniSequence(std::span<const std::uint8_t> b, AniSequence& out, std::string& problem) {
  out = {};
  problem.clear();
  if (!LooksLikeAni(b)) {
    problem = "not an animated cursor";
    return false;
  }
  std::uint32_t riffSize = 0;
  bytes::GetU32(b, 4, riffSize);
  const std::size_t end = std::min<std::size_t>(b.size(), std::size_t{8} + riffSize);
  if (std::size_t{8} + riffSize > b.size()) problem = "the file is shorter than its RIFF size";

  Header anih;
  std::vector<std::uint32_t> rates;
  std::vector<std::uint32_t> sequence;
  std::size_t pos = 12;
  while (pos + 8 <= end) {
    const std::string_view tag = TagAt(b, pos);
    std::uint32_t size = 0;
    bytes::GetU32(b, pos + 4, size);
    const std::size_t data = pos + 8;
    if (size > end - data) {
      if (problem.empty()) problem = "chunk \"" + std::string(tag) + "\" runs past the end";
      size = static_cast<std::uint32_t>(end - data);
    }
    const auto chunk = b.subspan(data, size);
    if (tag == "anih" && size >= 36) {
      anih.present = true;
      bytes::GetU32(chunk, 4, anih.frames);
      bytes::GetU32(chunk, 8, anih.steps);
      bytes::GetU32(chunk, 28, anih.rate);
      bytes::GetU32(chunk, 32, anih.flags);
    } else if ((tag == "rate" || tag == "seq ") && size >= 4) {
      auto& list = tag == "rate" ? rates : sequence;
      list.clear();
      for (std::size_t i = 0; i + 4 <= size && list.size() < kMaxAniSteps; i += 4) {
        std::uint32_t v = 0;
        bytes::GetU32(chunk, i, v);
        list.push_back(v);
      }
    } else if (tag == "LIST" && size >= 4 && TagAt(chunk, 0) == "fram") {
      const std::size_t listEnd = data + size;
      std::size_t sub = data + 4;
      while (sub + 8 <= listEnd && out.frames.size() < kMaxAniSteps) {
        std::uint32_t frameSize = 0;
        bytes::GetU32(b, sub + 4, frameSize);
        const std::size_t frameData = sub + 8;
        if (frameSize > listEnd - frameData) {
          if (problem.empty()) problem = "a frame runs past the end of its list";
          frameSize = static_cast<std::uint32_t>(listEnd - frameData);
        }
        if (TagAt(b, sub) == "icon") out.frames.push_back({frameData, frameSize});
        sub = NextChunk(b, frameData, frameSize, listEnd);
      }
    }
    pos = NextChunk(b, data, size, end);
  }

  if (anih.present && (anih.flags & 1) == 0) {
    problem = "the frames are raw bitmaps, not cursor images";
    return false;
  }
  if (out.frames.empty()) {
    problem = "no frames";
    return false;
  }
  const std::uint32_t defaultRate = anih.rate ? anih.rate : 1;
  std::size_t stepCount = sequence.empty() ? out.frames.size() : sequence.size();
  for (std::size_t i = 0; i < stepCount; ++i) {
    const std::size_t frame = sequence.empty() ? i : sequence[i];
    if (frame >= out.frames.size()) {
      if (problem.empty()) problem = "the sequence names a frame the file does not hold";
      continue;
    }
    std::uint32_t jiffies = i < rates.size() ? rates[i] : defaultRate;
    out.steps.push_back({frame, jiffies ? jiffies : 1});
  }
  if (out.steps.empty()) {
    problem = "no frame to show";
    return false;
  }
  return true;
}

}  // namespace gs
