#pragma once
// What the container readers (pe_resources.*, ne_resources.*, and icon files
// in icon_resources.cpp) find in a file, and the bounded reading they share.
// Internal to the icon-resource reader (import/icon_resources.h).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/byte_io.h"
#include "import/byte_source.h"

namespace gs {

enum class IconContainer { None, IconFile, Pe32, Pe32Plus, Ne };

struct IconGroupName {
  bool named = false;
  std::string name;  // UTF-8, for named groups
  std::uint32_t id = 0;
};

// Resource types, alike in PE and NE (where NE sets its integer-id bit on them).
inline constexpr std::uint16_t kIconResourceType = 3;        // RT_ICON
inline constexpr std::uint16_t kGroupIconResourceType = 14;  // RT_GROUP_ICON

// An icon group and where its directory lies.
struct ResourceGroup {
  IconGroupName name;
  std::uint64_t offset = 0;  // icon files: the directory; NE: the resource
  std::uint32_t size = 0;
  std::uint32_t peEntry = 0;  // PE: the name entry's OffsetToData
};

// An image resource, which group directories name by id.
struct ResourceIcon {
  std::uint16_t id = 0;
  std::uint32_t peEntry = 0;  // PE
  std::uint64_t offset = 0;   // NE; PE once located
  std::uint32_t size = 0;
  // PE: 0 until located, then 1 found or 2 not; many entries may name one icon.
  std::uint8_t located = 0;
};

struct ResourceIndex {
  IconContainer container = IconContainer::None;
  std::string problem;  // the first thing found damaged; empty when clean
  bool groupsCut = false;
  std::vector<ResourceGroup> groups;
  std::vector<ResourceIcon> icons;  // by id, once SortById has run

  void Fail(const std::string& why) {
    if (problem.empty()) problem = why;
  }
};

// Named groups as stored, then numbered ones ascending (stable for equal ids).
void OrderGroups(std::vector<ResourceGroup>& groups);
void SortById(std::vector<ResourceIcon>& icons);

// Exactly n bytes at `at` into out; false when they are not all in the file
// or cannot be read. No buffer is sized before its bytes are known to be there.
bool ReadBounded(ByteSource& src, std::uint64_t at, std::size_t n, std::vector<std::uint8_t>& out);

// Little-endian fields that the caller has checked are there (0 otherwise).
inline std::uint16_t U16At(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint16_t v = 0;
  bytes::GetU16(b, at, v);
  return v;
}
inline std::uint32_t U32At(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint32_t v = 0;
  bytes::GetU32(b, at, v);
  return v;
}

}  // namespace gs
