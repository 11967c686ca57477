#pragma once
// Little-endian field access for the file formats. Reads check that the bytes
// are there and say so; nothing is ever read past the end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace gs::bytes {

inline bool Has(std::span<const std::uint8_t> b, std::size_t offset, std::size_t n) {
  return offset <= b.size() && n <= b.size() - offset;
}

inline bool GetU16(std::span<const std::uint8_t> b, std::size_t offset, std::uint16_t& v) {
  if (!Has(b, offset, 2)) return false;
  v = static_cast<std::uint16_t>(b[offset] | (b[offset + 1] << 8));
  return true;
}

inline bool GetU32(std::span<const std::uint8_t> b, std::size_t offset, std::uint32_t& v) {
  if (!Has(b, offset, 4)) return false;
  v = static_cast<std::uint32_t>(b[offset]) | (static_cast<std::uint32_t>(b[offset + 1]) << 8) |
      (static_cast<std::uint32_t>(b[offset + 2]) << 16) |
      (static_cast<std::uint32_t>(b[offset + 3]) << 24);
  return true;
}

class Writer {
 public:
  explicit Writer(std::size_t reserve = 0) { out_.reserve(reserve); }
  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Tag(std::string_view four) {
    for (char c : four) U8(static_cast<std::uint8_t>(c));
  }
  void Bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
  void Fill(std::size_t n, std::uint8_t v) { out_.insert(out_.end(), n, v); }
  // n zero bytes appended, for the caller to fill in place.
  std::uint8_t* Grow(std::size_t n) {
    out_.resize(out_.size() + n);
    return out_.data() + out_.size() - n;
  }
  std::size_t Size() const { return out_.size(); }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

// Overwrites a 16-bit field in place; false when it is not there.
inline bool PutU16(std::vector<std::uint8_t>& b, std::size_t offset, std::uint16_t v) {
  if (!Has(b, offset, 2)) return false;
  b[offset] = static_cast<std::uint8_t>(v & 0xFF);
  b[offset + 1] = static_cast<std::uint8_t>(v >> 8);
  return true;
}

}  // namespace gs::bytes
