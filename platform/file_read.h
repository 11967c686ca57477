#pragma once
// Reading whole files, bounded: a pipe, a device or a folder in place of a
// file is refused rather than waited on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gs {

// Reads a whole regular file. Fails (with "<path>: <reason>") on a missing or
// unreadable file, a folder, or a file longer than maxBytes.
inline constexpr std::size_t kDefaultReadLimit = std::size_t{64} << 20;
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::size_t maxBytes = kDefaultReadLimit);

// True when path names an existing regular file (or a link to one).
bool RegularFileExists(const std::string& path);

}  // namespace gs
