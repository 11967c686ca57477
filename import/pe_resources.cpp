#include "import/pe_resources.h"

#include <algorithm>
#include <span>
#include <utility>

#include "import/icon_resources.h"
#include "platform/text_util.h"

namespace gs {

namespace {

// The COFF file header, after the 4-byte signature.
constexpr std::size_t kSignatureBytes = 4;
constexpr std::size_t kFileHeaderBytes = 20;
struct FileHeader {
  std::uint16_t numberOfSections = 0;
  std::uint16_t sizeOfOptionalHeader = 0;
};
FileHeader ReadFileHeader(std::span<const std::uint8_t> b) {
  FileHeader h;
  h.numberOfSections = U16At(b, 2);
  h.sizeOfOptionalHeader = U16At(b, 16);
  return h;
}
// Every resource address is looked up among the sections: real programs have
// a few dozen.
constexpr std::uint32_t kMaxSections = 1024;

// The optional header, as far as this reader needs it. PE32+ widens the image
// base and the stack and heap sizes to 64 bits and drops BaseOfData, which
// moves the fields after them 16 bytes on.
struct OptionalHeaderLayout {
  std::uint16_t magic;
  IconContainer container;
  std::size_t numberOfRvaAndSizes;
  std::size_t dataDirectories;
};
constexpr OptionalHeaderLayout kPe32Layout{0x10B, IconContainer::Pe32, 92, 96};
constexpr OptionalHeaderLayout kPe32PlusLayout{0x20B, IconContainer::Pe32Plus, 108, 112};
constexpr std::size_t kSizeOfHeadersAt = 60;  // alike in both
// The data directories: address and size, 8 bytes each; resources are the third.
constexpr std::size_t kDataDirectoryBytes = 8;
constexpr std::uint32_t kResourceDirectoryIndex = 2;

struct OptionalHeader {
  std::uint32_t sizeOfHeaders = 0;
  // The resource data directory; present false when the header has none.
  bool present = false;
  std::uint32_t resourceRva = 0;
  std::uint32_t resourceSize = 0;
};
OptionalHeader ReadOptionalHeader(std::span<const std::uint8_t> b, const OptionalHeaderLayout& l) {
  OptionalHeader h;
  h.sizeOfHeaders = U32At(b, kSizeOfHeadersAt);
  const std::size_t at = l.dataDirectories + kDataDirectoryBytes * kResourceDirectoryIndex;
  if (U32At(b, l.numberOfRvaAndSizes) <= kResourceDirectoryIndex ||
      !bytes::Has(b, at, kDataDirectoryBytes))
    return h;
  h.present = true;
  h.resourceRva = U32At(b, at);
  h.resourceSize = U32At(b, at + 4);
  return h;
}

// The section table, after the optional header: 40 bytes each.
constexpr std::size_t kSectionHeaderBytes = 40;

// The resource directory: 16 bytes, then its entries.
constexpr std::size_t kDirectoryBytes = 16;
constexpr std::size_t kNumberOfNamedEntriesAt = 12;
constexpr std::size_t kNumberOfIdEntriesAt = 14;
// An entry: its name (an id, or with the high bit the offset of a string) and
// its OffsetToData (a data entry, or with the high bit a directory).
constexpr std::size_t kDirectoryEntryBytes = 8;
constexpr std::uint32_t kHighBit = 0x80000000u;
struct DirectoryEntry {
  std::uint32_t name = 0;
  std::uint32_t offsetToData = 0;
};
DirectoryEntry EntryAt(std::span<const std::uint8_t> entries, int i) {
  const std::size_t at = kDirectoryEntryBytes * static_cast<std::size_t>(i);
  return {U32At(entries, at), U32At(entries, at + 4)};
}
// A data entry: the data's address, its size, a code page and a reserved field.
constexpr std::size_t kDataEntryBytes = 16;
// A string: its length in UTF-16 units, then the units.
constexpr std::size_t kStringLengthBytes = 2;

// UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::span<const std::uint8_t> b, std::size_t units) {
  std::string out;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t c = U16At(b, 2 * i);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
      const std::uint32_t low = U16At(b, 2 * i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? 0xFFFD : c);
  }
  return out;
}

}  // namespace

void PeResources::Read(std::uint32_t pe, ResourceIndex& index) {
  std::vector<std::uint8_t> b;
  if (!ReadBounded(src_, std::uint64_t{pe} + kSignatureBytes, kFileHeaderBytes, b)) {
    index.Fail("program header cut short");
    return;
  }
  const FileHeader file = ReadFileHeader(b);
  const std::uint32_t sectionCount = std::min<std::uint32_t>(file.numberOfSections, kMaxSections);
  const std::uint64_t opt = std::uint64_t{pe} + kSignatureBytes + kFileHeaderBytes;
  if (file.sizeOfOptionalHeader < 2 || !ReadBounded(src_, opt, file.sizeOfOptionalHeader, b)) {
    index.Fail("optional header cut short");
    return;
  }
  const std::uint16_t magic = U16At(b, 0);
  const OptionalHeaderLayout* layout = nullptr;
  for (const OptionalHeaderLayout* l : {&kPe32Layout, &kPe32PlusLayout})
    if (magic == l->magic) layout = l;
  if (!layout) {
    index.Fail("unknown optional header");
    return;
  }
  index.container = layout->container;
  const OptionalHeader optional = ReadOptionalHeader(b, *layout);
  sizeOfHeaders_ = optional.sizeOfHeaders;
  if (!optional.present || optional.resourceRva == 0) {
    index.Fail("no resources");
    return;
  }
  resourceRva_ = optional.resourceRva;
  if (!ReadBounded(src_, opt + file.sizeOfOptionalHeader, kSectionHeaderBytes * sectionCount, b)) {
    index.Fail("section table cut short");
    return;
  }
  sections_.reserve(sectionCount);
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = kSectionHeaderBytes * i;
    Section s;
    s.virtualAddress = U32At(b, at + 12);
    s.sizeOfRawData = U32At(b, at + 16);
    s.pointerToRawData = U32At(b, at + 20);
    sections_.push_back(s);
  }

  Directory types;
  if (!ReadDirectory(0, types)) {
    index.Fail("resource directory cut short");
    return;
  }
  std::uint32_t groupDir = 0, iconDir = 0;
  bool haveGroups = false, haveIcons = false;
  for (int i = types.named; i < types.named + types.ids; ++i) {
    const DirectoryEntry e = EntryAt(types.entries, i);
    if (!(e.offsetToData & kHighBit)) continue;
    if (e.name == kGroupIconResourceType && !haveGroups) {
      groupDir = e.offsetToData & ~kHighBit;
      haveGroups = true;
    } else if (e.name == kIconResourceType && !haveIcons) {
      iconDir = e.offsetToData & ~kHighBit;
      haveIcons = true;
    }
  }
  if (!haveGroups) {
    index.Fail("no icons");
    return;
  }
  Directory names;
  if (!ReadDirectory(groupDir, names)) {
    index.Fail("icon group directory cut short");
    return;
  }
  // Named groups come first and identifiers ascend in the directory, so the
  // first kMaxIconGroups are the ones the desktop would list first.
  const int listed = names.named + names.ids;
  const int kept = std::min(listed, kMaxIconGroups);
  index.groupsCut = listed > kMaxIconGroups;
  index.groups.reserve(static_cast<std::size_t>(kept));
  for (int i = 0; i < kept; ++i) {
    const DirectoryEntry e = EntryAt(names.entries, i);
    ResourceGroup g;
    g.peEntry = e.offsetToData;
    if (e.name & kHighBit) {
      g.name.named = true;
      g.name.name = Name(e.name & ~kHighBit);
    } else {
      g.name.id = e.name & 0xFFFF;
    }
    index.groups.push_back(std::move(g));
  }
  OrderGroups(index.groups);

  Directory icons;
  if (haveIcons && ReadDirectory(iconDir, icons)) {
    index.icons.reserve(icons.ids);
    for (int i = icons.named; i < icons.named + icons.ids; ++i) {
      const DirectoryEntry e = EntryAt(icons.entries, i);
      if (e.name & kHighBit || e.name > 0xFFFF) continue;
      ResourceIcon icon;
      icon.id = static_cast<std::uint16_t>(e.name);
      icon.peEntry = e.offsetToData;
      index.icons.push_back(icon);
    }
    SortById(index.icons);
  }
}

bool PeResources::Map(std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) const {
  for (const Section& s : sections_) {
    if (rva < s.virtualAddress) continue;
    const std::uint64_t into = std::uint64_t{rva} - s.virtualAddress;
    if (into + size > s.sizeOfRawData) continue;
    offset = std::uint64_t{s.pointerToRawData} + into;
    return true;
  }
  if (std::uint64_t{rva} + size <= sizeOfHeaders_) {
    offset = rva;
    return true;
  }
  return false;
}

bool PeResources::ReadDirectory(std::uint32_t rel, Directory& d) {
  std::uint64_t at = 0;
  std::vector<std::uint8_t> h;
  if (std::uint64_t{resourceRva_} + rel > 0xFFFFFFFFu) return false;
  const std::uint32_t rva = resourceRva_ + rel;
  if (!Map(rva, kDirectoryBytes, at) || !ReadBounded(src_, at, kDirectoryBytes, h)) return false;
  d.named = U16At(h, kNumberOfNamedEntriesAt);
  d.ids = U16At(h, kNumberOfIdEntriesAt);
  const std::uint32_t bytesNeeded =
      kDirectoryEntryBytes * (static_cast<std::uint32_t>(d.named) + d.ids);
  std::uint64_t entriesAt = 0;
  if (std::uint64_t{rva} + kDirectoryBytes + bytesNeeded > 0xFFFFFFFFu) return false;
  if (!Map(rva + kDirectoryBytes, bytesNeeded, entriesAt)) return false;
  return ReadBounded(src_, entriesAt, bytesNeeded, d.entries);
}

std::string PeResources::Name(std::uint32_t rel) {
  std::uint64_t at = 0;
  std::vector<std::uint8_t> len;
  if (std::uint64_t{resourceRva_} + rel + kStringLengthBytes > 0xFFFFFFFFu) return {};
  if (!Map(resourceRva_ + rel, kStringLengthBytes, at) ||
      !ReadBounded(src_, at, kStringLengthBytes, len))
    return {};
  const std::uint32_t units = std::min<std::uint32_t>(U16At(len, 0), kMaxGroupNameUnits);
  std::vector<std::uint8_t> text;
  std::uint64_t textAt = 0;
  if (!Map(resourceRva_ + rel + kStringLengthBytes, 2 * units, textAt) ||
      !ReadBounded(src_, textAt, 2 * units, text))
    return {};
  return Utf8FromUtf16(text, units);
}

bool PeResources::Resolve(std::uint32_t entry, std::uint64_t& offset, std::uint32_t& size) {
  std::uint32_t dataEntry = entry;
  if (entry & kHighBit) {
    Directory langs;
    if (!ReadDirectory(entry & ~kHighBit, langs) || langs.named + langs.ids == 0) return false;
    dataEntry = EntryAt(langs.entries, 0).offsetToData;
    if (dataEntry & kHighBit) return false;  // a fourth level does not exist
  }
  std::uint64_t at = 0;
  std::vector<std::uint8_t> d;
  if (std::uint64_t{resourceRva_} + dataEntry > 0xFFFFFFFFu) return false;
  if (!Map(resourceRva_ + dataEntry, kDataEntryBytes, at) ||
      !ReadBounded(src_, at, kDataEntryBytes, d))
    return false;
  size = U32At(d, 4);
  return Map(U32At(d, 0), size, offset) && offset + size <= src_.Size();
}

}  // namespace gs
