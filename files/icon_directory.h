#pragma once
// The directory at the start of an icon or cursor file. A program's icon
// group directory is laid out the same way, but for each entry's last field:
// the image's 16-bit resource id where a file has the image's 32-bit offset.
// Both read their entries' shared fields here.
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/byte_io.h"

namespace gs {

inline constexpr std::size_t kIconFileHeaderBytes = 6;
inline constexpr std::size_t kIconEntryFieldsBytes = 12;
inline constexpr std::size_t kIconDirectoryEntryBytes = kIconEntryFieldsBytes + 4;

// 6 bytes at offset 0.
struct IconFileHeader {
  std::uint16_t reserved = 0;
  std::uint16_t type = 0;  // 1 icon, 2 cursor
  // Read as the unsigned 16-bit number that Windows and the program readers
  // take it for.
  std::uint16_t count = 0;
};

// The first 12 bytes of an entry, alike in files and programs.
struct IconEntryFields {
  std::uint8_t width = 0;  // 0 means 256
  std::uint8_t height = 0;
  std::uint8_t colorCount = 0;
  std::uint8_t reserved = 0;
  std::uint16_t planes = 0;    // cursors: hotspot X
  std::uint16_t bitCount = 0;  // cursors: hotspot Y
  std::uint32_t bytesInResource = 0;
};

// 16 bytes each, from offset 6.
struct IconDirectoryEntry : IconEntryFields {
  std::uint32_t imageOffset = 0;
};

// False, with h untouched, when the 6 bytes are not all there.
inline bool ReadIconFileHeader(std::span<const std::uint8_t> b, IconFileHeader& h) {
  if (!bytes::Has(b, 0, kIconFileHeaderBytes)) return false;
  bytes::GetU16(b, 0, h.reserved);
  bytes::GetU16(b, 2, h.type);
  bytes::GetU16(b, 4, h.count);
  return true;
}

// The shared fields of the entry at `at`; false, with e untouched, when they
// are not all there.
inline bool ReadIconEntryFields(std::span<const std::uint8_t> b, std::size_t at,
                                IconEntryFields& e) {
  if (!bytes::Has(b, at, kIconEntryFieldsBytes)) return false;
  e.width = b[at];
  e.height = b[at + 1];
  e.colorCount = b[at + 2];
  e.reserved = b[at + 3];
  bytes::GetU16(b, at + 4, e.planes);
  bytes::GetU16(b, at + 6, e.bitCount);
  bytes::GetU32(b, at + 8, e.bytesInResource);
  return true;
}

// A file's entry at `at`; false, with e untouched, when its 16 bytes are not all there.
inline bool ReadIconDirectoryEntry(std::span<const std::uint8_t> b, std::size_t at,
                                   IconDirectoryEntry& e) {
  if (!bytes::Has(b, at, kIconDirectoryEntryBytes)) return false;
  ReadIconEntryFields(b, at, e);
  bytes::GetU32(b, at + kIconEntryFieldsBytes, e.imageOffset);
  return true;
}

}  // namespace gs
