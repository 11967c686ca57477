#pragma once
// The memory figures of the About window, read from /proc/meminfo at each
// opening.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gs {

struct MemoryStatus {
  std::uint64_t totalBytes = 0;
  std::uint64_t availableBytes = 0;
};

// MemTotal and MemAvailable (kB) of a /proc/meminfo text; kernels without
// MemAvailable give MemFree + Buffers + Cached. Nothing when MemTotal is
// missing or zero, or a line is damaged.
std::optional<MemoryStatus> ParseMeminfo(std::string_view text);
// The machine's, or nothing when /proc/meminfo cannot be read.
std::optional<MemoryStatus> ReadMemoryStatus();

// Share of memory in use, 0-100, to the nearest percent.
int MemoryLoad(const MemoryStatus& m);

// floor(total / 1024^2) as an unsigned 32-bit count of MiB, then " Mb".
// (Counting MiB, not bytes, in 32 bits keeps machines beyond 4 GiB right.)
std::string TotalMemoryText(std::uint64_t totalBytes);
// (100 - load) then "%".
std::string FreeShareText(int load);

}  // namespace gs
