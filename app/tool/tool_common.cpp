#include "app/tool/tool_common.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/ani_frames.h"
#include "files/cursor_frames.h"
#include "files/icon_reader.h"
#include "import/picture_decoder.h"
#include "platform/file_read.h"
#include "platform/safe_file.h"
#include "platform/text_util.h"

namespace gs::tool {

int Fail(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: %s\n", PrintableText(message).c_str());
  return kExitFailure;
}

int Usage(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: %s (see --help)\n", PrintableText(message).c_str());
  return kExitUsage;
}

std::string NameOf(const std::string& path) { return path == "-" ? "standard input" : path; }

bool ReadInput(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  if (path != "-") return ReadWholeFile(path, bytes, &error, kMaxInputBytes);
  bytes.clear();
  std::uint8_t chunk[65536];
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::string("standard input: ") + std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    if (bytes.size() + static_cast<std::size_t>(n) > kMaxInputBytes) {
      error = "standard input: file too large";
      return false;
    }
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
}

bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error) {
  if (path != "-") {
    const WriteStatus st = WriteFileSafely(path, bytes);
    if (!st) error = st.error;
    return st.ok;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0) {
    error = std::string("standard output: ") + std::strerror(errno);
    return false;
  }
  return true;
}

std::string PictureKindOf(std::span<const std::uint8_t> bytes) {
  if (HasIconHeader(bytes) || LooksLikeAni(bytes)) return "";
  switch (SniffPictureFormat(bytes)) {
    case PictureFormat::Bmp:
    case PictureFormat::Png:
    case PictureFormat::Jpeg:
    case PictureFormat::Gif:
      return PictureFormatName(SniffPictureFormat(bytes));
    default:
      return "";
  }
}

std::string PictureRefusal(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string kind = PictureKindOf(bytes);
  return kind.empty() ? "" : NameOf(path) + ": this is a " + kind + " picture: use import";
}

bool DecodeInput(const std::string& path, std::span<const std::uint8_t> bytes, LoadedIcon& icon,
                 std::string& error) {
  icon = LoadedIcon{};
  if (error = PictureRefusal(path, bytes); !error.empty()) return false;
  // An animated cursor opens as its first frame, as in the editor; every
  // frame is read first, so that damage anywhere refuses it.
  std::span<const std::uint8_t> file = bytes;
  if (!HasIconHeader(bytes) && LooksLikeAni(bytes)) {
    std::vector<CursorFrame> frames;
    std::string problem;
    AniSequence sequence;
    if (!LoadCursorFrames(bytes, frames, problem, 1) ||
        !ReadAniSequence(bytes, sequence, problem)) {
      error = NameOf(path) + ": " + problem;
      return false;
    }
    file = sequence.FrameBytes(bytes, 0);
  }
  // The editor's own load: the same entry, and the file kept for Save as.
  IconDocument doc;
  IconLoadResult r = LoadIconBytes(path, file, doc);
  if (!r.decoded.problem.empty()) {
    error = NameOf(path) + ": " + r.decoded.problem;
    return false;
  }
  icon.pixels = std::move(doc.surface);
  icon.sourceFile = std::move(doc.sourceFile);
  icon.sourceEntry = icon.sourceFile ? doc.sourceEntry : -1;
  icon.othersNotKept = r.decoded.entryCount > 1 && !icon.sourceFile ? r.problem : "";
  icon.cursor = r.decoded.cursor && r.decoded.entryIndex >= 0;
  if (icon.cursor) {
    // An entry of another size is scaled to 32 x 32, and so is its hotspot.
    const std::size_t at = 6 + 16 * static_cast<std::size_t>(r.decoded.entryIndex);
    const int width = at + 2 <= file.size() && file[at] ? file[at] : 256;
    const int height = at + 2 <= file.size() && file[at + 1] ? file[at + 1] : 256;
    icon.hotspotX = std::min(31, r.decoded.hotspotX * 32 / width);
    icon.hotspotY = std::min(31, r.decoded.hotspotY * 32 / height);
  }
  return true;
}

bool LoadInput(const std::string& path, LoadedIcon& icon, std::string& error) {
  std::vector<std::uint8_t> bytes;
  return ReadInput(path, bytes, error) && DecodeInput(path, bytes, icon, error);
}

int CheckOutputExtension(std::string_view command, const std::string& out, std::string_view writes,
                         std::string_view what) {
  static constexpr std::string_view kKnown[] = {"ico", "cur", "ani", "bmp", "dib",
                                                "pcx", "png", "gif", "jpg", "jpeg"};
  if (out == "-") return -1;
  const std::string ext = ExtensionOf(out);
  if (ext == writes || std::find(std::begin(kKnown), std::end(kKnown), ext) == std::end(kKnown))
    return -1;
  return Usage("OUT ends in ." + ext + " but " + std::string(command) + " writes " +
               std::string(what));
}

bool ParseWholeNumber(std::string_view s, unsigned long long from, unsigned long long to,
                      unsigned long long& v) {
  if (s.empty() || s.size() > 19) return false;
  v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  return v >= from && v <= to;
}

}  // namespace gs::tool
