#pragma once
// The icon resources of PE32 and PE32+ programs and libraries (any machine):
// the section table, which maps addresses to file offsets, and the resource
// directory's three levels (type, name, language). Read by seeking; every
// count, address and size is checked before use, and each directory is
// visited by a path of fixed depth.
#include <cstdint>
#include <string>
#include <vector>

#include "import/byte_source.h"
#include "import/resource_index.h"

namespace gs {

class PeResources {
 public:
  explicit PeResources(ByteSource& src) : src_(src) {}

  // Reads the headers after the "PE\0\0" signature at `pe` and lists the icon
  // groups and images into index (each with its name entry's OffsetToData).
  void Read(std::uint32_t pe, ResourceIndex& index);
  // Such an entry through the first language to its bytes in the file.
  bool Resolve(std::uint32_t entry, std::uint64_t& offset, std::uint32_t& size);

 private:
  struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t sizeOfRawData = 0;
    std::uint32_t pointerToRawData = 0;
  };
  struct Directory {
    int named = 0;
    int ids = 0;
    std::vector<std::uint8_t> entries;  // named ones first, 8 bytes each
  };

  // The directory at `rel` from the resource section's start.
  bool ReadDirectory(std::uint32_t rel, Directory& d);
  // An address and the size there to a file offset: inside one section's raw
  // data, or inside the headers.
  bool Map(std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) const;
  std::string Name(std::uint32_t rel);

  ByteSource& src_;
  std::vector<Section> sections_;
  std::uint32_t sizeOfHeaders_ = 0;
  std::uint32_t resourceRva_ = 0;  // directory offsets count from here
};

}  // namespace gs
