#include "shell/about_memory.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "document/numeric.h"

namespace gs {

namespace {

// "Name:   1234 kB" -> 1234; nothing when the line does not have that form.
std::optional<std::uint64_t> Kilobytes(std::string_view rest) {
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  std::uint64_t v = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), v);
  if (ec != std::errc() || end == rest.data()) return std::nullopt;
  if (v > UINT64_MAX / 1024) return std::nullopt;
  return v;
}

}  // namespace

std::optional<MemoryStatus> ParseMeminfo(std::string_view text) {
  std::optional<std::uint64_t> total, available, free, buffers, cached;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, colon);
    const std::string_view rest = line.substr(colon + 1);
    if (name == "MemTotal")
      total = Kilobytes(rest);
    else if (name == "MemAvailable")
      available = Kilobytes(rest);
    else if (name == "MemFree")
      free = Kilobytes(rest);
    else if (name == "Buffers")
      buffers = Kilobytes(rest);
    else if (name == "Cached")
      cached = Kilobytes(rest);
  }
  if (!total || *total == 0) return std::nullopt;
  if (!available) {
    if (!free) return std::nullopt;
    available = *free + buffers.value_or(0) + cached.value_or(0);
  }
  MemoryStatus m;
  m.totalBytes = *total * 1024;
  m.availableBytes = std::min(*available, *total) * 1024;
  return m;
}

std::optional<MemoryStatus> ReadMemoryStatus() {
  std::ifstream in("/proc/meminfo");
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return ParseMeminfo(text.str());
}

int MemoryLoad(const MemoryStatus& m) {
  if (m.totalBytes == 0) return 0;
  const double used = static_cast<double>(m.totalBytes - std::min(m.availableBytes, m.totalBytes));
  return std::clamp(Nearest(used * 100.0 / static_cast<double>(m.totalBytes)), 0, 100);
}

std::string TotalMemoryText(std::uint64_t totalBytes) {
  const auto mib =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(totalBytes >> 20, UINT32_MAX));
  return std::to_string(mib) + " Mb";
}

std::string FreeShareText(int load) { return std::to_string(100 - std::clamp(load, 0, 100)) + "%"; }

}  // namespace gs
