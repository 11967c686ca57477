#include "files/ani_format.h"

#include <cmath>
#include <limits>

#include "files/byte_io.h"

namespace gs {

std::string_view AniCreatorNote() {
  static constexpr char kNote[] =
      "Varnel Glyphsmith - animated cursor made with the icon editor   ";
  static_assert(sizeof(kNote) - 1 == 64);
  return kNote;
}

std::string_view AniAuthorName() {
  static constexpr char kAuthor[] = "Glyphsmith authors";
  static_assert(sizeof(kAuthor) - 1 == 18);
  return kAuthor;
}

bool DisplayRateFromInterval(double intervalMs, std::int32_t& rate) {
  if (!(intervalMs >= 1)) return false;  // also refuses NaN
  const double ticks = std::trunc(std::min(intervalMs, 2147483647.0) / 10);
  rate = ticks < 1 ? 1 : static_cast<std::int32_t>(ticks);
  return true;
}

std::vector<std::uint8_t> BuildAnimatedCursorBytes(
    std::span<const std::vector<std::uint8_t>> frames, std::int32_t rate,
    std::string_view creatorNote, std::string_view authorName) {
  const std::uint64_t t = creatorNote.size(), a = authorName.size(), n = frames.size();
  std::uint64_t framesBytes = 0;
  for (const auto& f : frames) framesBytes += f.size();
  const std::uint64_t riffSize = 90 + t + a + 8 * n + framesBytes;
  if (riffSize > std::numeric_limits<std::uint32_t>::max() - 8 ||
      n > std::numeric_limits<std::uint32_t>::max())
    return {};

  bytes::Writer w(static_cast<std::size_t>(riffSize + 8));
  w.Tag("RIFF");
  w.U32(static_cast<std::uint32_t>(riffSize));
  w.Tag("ACON");
  w.Tag("LIST");
  w.U32(static_cast<std::uint32_t>(22 + t + a));
  w.Tag("INFO");
  // No pad bytes after odd-sized chunks: readers of these files expect none.
  w.Tag("INAM");
  w.U32(static_cast<std::uint32_t>(t + 1));
  for (char c : creatorNote) w.U8(static_cast<std::uint8_t>(c));
  w.U8(0);
  w.Tag("IART");
  w.U32(static_cast<std::uint32_t>(a + 1));
  for (char c : authorName) w.U8(static_cast<std::uint8_t>(c));
  w.U8(0);
  w.Tag("anih");
  w.U32(36);
  w.U32(36);
  w.U32(static_cast<std::uint32_t>(n));  // frames
  w.U32(static_cast<std::uint32_t>(n));  // steps
  w.U32(0);                              // width
  w.U32(0);                              // height
  w.U32(0);                              // bit count
  w.U32(0);                              // planes
  w.U32(static_cast<std::uint32_t>(rate));
  w.U32(1);  // frames are icon-format data
  w.Tag("LIST");
  w.U32(static_cast<std::uint32_t>(4 + 8 * n + framesBytes));
  w.Tag("fram");
  for (const auto& f : frames) {
    w.Tag("icon");
    w.U32(static_cast<std::uint32_t>(f.size()));
    w.Bytes(f);
  }
  return w.Take();
}

WriteStatus WriteAnimatedCursor(const std::string& path, std::span<const std::string> framePaths,
                                std::int32_t rate) {
  if (framePaths.empty()) return WriteStatus::Failure(path, "no frames");
  // Every frame is read whole before the target is touched.
  std::vector<std::vector<std::uint8_t>> frames(framePaths.size());
  for (std::size_t i = 0; i < framePaths.size(); ++i) {
    std::string error;
    if (!ReadWholeFile(framePaths[i], frames[i], &error)) return {false, error};
  }
  const std::vector<std::uint8_t> b = BuildAnimatedCursorBytes(frames, rate);
  if (b.empty()) return WriteStatus::Failure(path, "frames too large for one file");
  return WriteFileSafely(path, b);
}

namespace {

// Reads the chunks of [begin, end); LIST and RIFF chunks open a nested range.
// Depth is bounded so hostile nesting cannot recurse without end.
void ReadChunkRange(std::span<const std::uint8_t> b, std::size_t begin, std::size_t end, int depth,
                    std::vector<RiffChunk>& chunks, std::string& problem, std::size_t maxChunks) {
  auto tag = [&](std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data()) + at, 4);
  };
  std::size_t at = begin;
  while (at < end && problem.empty() && chunks.size() < maxChunks) {
    std::uint32_t size = 0;
    if (end - at < 8 || !bytes::GetU32(b, at + 4, size)) {
      problem = "chunk header cut short at offset " + std::to_string(at);
      return;
    }
    RiffChunk c{tag(at), size, at + 4, depth};
    const std::size_t body = at + 8;
    const bool list = c.id == "RIFF" || c.id == "LIST";
    if (list && end - body >= 4) c.id += " " + tag(body);
    chunks.push_back(c);
    if (size > end - body) {
      problem = "chunk '" + c.id + "' runs past its end at offset " + std::to_string(at);
      return;
    }
    if (list && size >= 4 && depth < 8)
      ReadChunkRange(b, body + 4, body + size, depth + 1, chunks, problem, maxChunks);
    at = body + size;
  }
}

}  // namespace

bool ReadRiffChunks(std::span<const std::uint8_t> b, std::vector<RiffChunk>& chunks,
                    std::string& problem, std::size_t maxChunks) {
  chunks.clear();
  problem.clear();
  if (!bytes::Has(b, 0, 12) ||
      std::string_view(reinterpret_cast<const char*>(b.data()), 4) != "RIFF")
    return false;
  ReadChunkRange(b, 0, b.size(), 0, chunks, problem, maxChunks);
  return true;
}

}  // namespace gs
