#include "app/tool/tool_common.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/icon_reader.h"
#include "platform/safe_file.h"

namespace gs::tool {

int Fail(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: %s\n", message.c_str());
  return kExitFailure;
}

int Usage(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: %s (see --help)\n", message.c_str());
  return kExitUsage;
}

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

bool DecodeInput(const std::string& path, std::span<const std::uint8_t> bytes, LoadedIcon& icon,
                 std::string& error) {
  IconDecodeResult r = DecodeIconFile(bytes);
  if (!r.problem.empty()) {
    error = (path == "-" ? std::string("standard input") : path) + ": " + r.problem;
    return false;
  }
  icon.pixels = std::move(r.pixels);
  icon.cursor = r.cursor && r.entryIndex >= 0;
  icon.hotspotX = icon.hotspotY = 0;
  if (icon.cursor) {
    // An entry of another size is scaled to 32 x 32, and so is its hotspot.
    const std::size_t at = 6 + 16 * static_cast<std::size_t>(r.entryIndex);
    const int width = at + 2 <= bytes.size() && bytes[at] ? bytes[at] : 256;
    const int height = at + 2 <= bytes.size() && bytes[at + 1] ? bytes[at + 1] : 256;
    icon.hotspotX = std::min(31, r.hotspotX * 32 / width);
    icon.hotspotY = std::min(31, r.hotspotY * 32 / height);
  }
  return true;
}

bool LoadInput(const std::string& path, LoadedIcon& icon, std::string& error) {
  std::vector<std::uint8_t> bytes;
  return ReadInput(path, bytes, error) && DecodeInput(path, bytes, icon, error);
}

std::string ExtensionOf(std::string_view path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext(path.substr(dot + 1));
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
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
