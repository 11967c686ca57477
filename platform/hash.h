#pragma once
// 64-bit FNV-1a: a quick hash of bytes for stamps, markers and name tables,
// not for security.
#include <cstdint>
#include <span>
#include <string_view>

namespace gs {

inline std::uint64_t Fnv1a64(std::span<const std::uint8_t> bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (std::uint8_t v : bytes) h = (h ^ v) * 1099511628211ull;
  return h;
}

inline std::uint64_t Fnv1a64(std::string_view text) {
  return Fnv1a64({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace gs
