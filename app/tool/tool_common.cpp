#include "app/tool/tool_common.h"

#include <cstdio>

#include "files/icon_reader.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

// Icons larger than this are not what the editor opens.
constexpr std::size_t kMaxInputBytes = std::size_t{16} << 20;

}  // namespace

int Fail(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: %s\n", message.c_str());
  return kExitFailure;
}

int Usage(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: %s (see --help)\n", message.c_str());
  return kExitUsage;
}

bool LoadInput(const std::string& path, Surface& pixels, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, &error, kMaxInputBytes)) return false;
  IconDecodeResult r = DecodeIconFile(bytes);
  if (!r.problem.empty()) {
    error = path + ": " + r.problem;
    return false;
  }
  pixels = std::move(r.pixels);
  return true;
}

std::string ExtensionOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

}  // namespace gs::tool
