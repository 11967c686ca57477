#include "files/ani_format.h"

#include <cmath>
#include <limits>

#include "files/byte_io.h"
#include "platform/app_identity.h"
#include "platform/file_read.h"

namespace gs {

// 65 and 17 characters: with their NUL both chunks are even-sized, so no pad
// byte is needed and the frame list starts at offset 168.
std::string_view AniCreatorNote() {
  static constexpr char kNote[] =
      GLYPHSMITH_APP_TITLE " - animated cursor made with the icon editor    ";
  static_assert(sizeof(kNote) - 1 == 65);
  return kNote;
}

std::string_view AniAuthorName() {
  static constexpr char kAuthor[] = "Glyphsmith makers";
  static_assert(sizeof(kAuthor) - 1 == 17);
  return kAuthor;
}

bool DisplayRateFromInterval(double intervalMs, std::uint32_t& rate) {
  if (!(intervalMs >= 1)) return false;  // also refuses NaN
  const double ticks = std::trunc(intervalMs / 10);
  if (ticks > static_cast<double>(std::numeric_limits<std::uint32_t>::max())) return false;
  rate = ticks < 1 ? 1 : static_cast<std::uint32_t>(ticks);
  return true;
}

namespace {

// RIFF chunks of odd size are followed by a pad byte, counted in the sizes
// of the lists around them (never in the chunk's own size).
constexpr std::uint64_t Padded(std::uint64_t n) { return n + (n & 1); }

std::uint64_t InfoListSize(std::string_view creatorNote, std::string_view authorName) {
  return 4 + 8 + Padded(creatorNote.size() + 1) + 8 + Padded(authorName.size() + 1);
}

// The RIFF chunk's size field: everything after it.
std::uint64_t RiffSize(std::uint64_t infoSize, std::uint64_t framesBytes) {
  return 4 + 8 + infoSize + 8 + 36 + 8 + (4 + framesBytes);
}

}  // namespace

std::uint64_t AnimatedCursorFileSize(std::span<const std::uint64_t> frameSizes) {
  std::uint64_t framesBytes = 0;
  for (std::uint64_t n : frameSizes) framesBytes += 8 + Padded(n);
  return 8 + RiffSize(InfoListSize(AniCreatorNote(), AniAuthorName()), framesBytes);
}

std::vector<std::uint8_t> BuildAnimatedCursorBytes(
    std::span<const std::vector<std::uint8_t>> frames, std::uint32_t rate,
    std::string_view creatorNote, std::string_view authorName) {
  const std::uint64_t n = frames.size();
  std::uint64_t framesBytes = 0;
  for (const auto& f : frames) framesBytes += 8 + Padded(f.size());
  const std::uint64_t infoSize = InfoListSize(creatorNote, authorName);
  const std::uint64_t framSize = 4 + framesBytes;
  const std::uint64_t riffSize = RiffSize(infoSize, framesBytes);
  if (riffSize > std::numeric_limits<std::uint32_t>::max() - 8 ||
      n > std::numeric_limits<std::uint32_t>::max())
    return {};

  auto text = [](bytes::Writer& w, std::string_view s) {
    for (char c : s) w.U8(static_cast<std::uint8_t>(c));
    w.U8(0);
    if ((s.size() + 1) & 1) w.U8(0);
  };
  bytes::Writer w(static_cast<std::size_t>(riffSize + 8));
  w.Tag("RIFF");
  w.U32(static_cast<std::uint32_t>(riffSize));
  w.Tag("ACON");
  // The header first: some readers refuse a file whose first chunk is not it.
  w.Tag("anih");
  w.U32(36);
  w.U32(36);
  w.U32(static_cast<std::uint32_t>(n));  // frames
  w.U32(static_cast<std::uint32_t>(n));  // steps
  w.U32(0);                              // width
  w.U32(0);                              // height
  w.U32(0);                              // bit count
  w.U32(0);                              // planes
  w.U32(rate);
  w.U32(1);  // frames are icon-format data
  w.Tag("LIST");
  w.U32(static_cast<std::uint32_t>(infoSize));
  w.Tag("INFO");
  w.Tag("INAM");
  w.U32(static_cast<std::uint32_t>(creatorNote.size() + 1));
  text(w, creatorNote);
  w.Tag("IART");
  w.U32(static_cast<std::uint32_t>(authorName.size() + 1));
  text(w, authorName);
  w.Tag("LIST");
  w.U32(static_cast<std::uint32_t>(framSize));
  w.Tag("fram");
  for (const auto& f : frames) {
    w.Tag("icon");
    w.U32(static_cast<std::uint32_t>(f.size()));
    w.Bytes(f);
    if (f.size() & 1) w.U8(0);
  }
  return w.Take();
}

WriteStatus WriteAnimatedCursor(const std::string& path, std::span<const std::string> framePaths,
                                std::uint32_t rate) {
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

// Where the chunk after one of `size` bytes at `body` starts: past the pad
// byte of an odd size when there is one. Older files of ours have odd chunks
// with no pad; a pad byte is always 0, a chunk id never starts with one.
std::size_t NextChunk(std::span<const std::uint8_t> b, std::size_t body, std::size_t size,
                      std::size_t end) {
  const std::size_t next = body + size;
  return (size & 1) && next < end && b[next] == 0 ? next + 1 : next;
}

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
    at = NextChunk(b, body, size, end);
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
