#include "import/ne_resources.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "import/icon_resources.h"
#include "platform/text_util.h"

namespace gs {

namespace {

// The NE header; its table offsets count from its start.
constexpr std::size_t kHeaderBytes = 0x40;
constexpr std::size_t kResourceTableAt = 0x24;
constexpr std::size_t kResidentNameTableAt = 0x26;

// The resource table: the alignment shift count, then for each type a type
// record followed by its resources' records, ended by a type of 0.
constexpr std::size_t kShiftCountBytes = 2;
constexpr unsigned kMaxAlignShift = 20;
constexpr std::size_t kTypeInfoBytes = 8;  // type id, count, reserved
struct TypeInfo {
  std::uint16_t typeId = 0;
  std::uint16_t count = 0;
};
constexpr std::size_t kNameInfoBytes = 12;  // offset, length, flags, id, handle, usage
struct NameInfo {
  std::uint16_t offset = 0;  // in alignment units, as the length
  std::uint16_t length = 0;
  std::uint16_t id = 0;
};
NameInfo ReadNameInfo(std::span<const std::uint8_t> t, std::size_t at) {
  NameInfo n;
  n.offset = U16At(t, at);
  n.length = U16At(t, at + 2);
  n.id = U16At(t, at + 6);
  return n;
}
// Type ids and resource ids with this bit are numbers; without it, the offset
// in the table of a name (a length byte, then the characters).
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kGroupIconType = kIntegerId | kGroupIconResourceType;
constexpr std::uint16_t kIconType = kIntegerId | kIconResourceType;

// Single-byte names of 16-bit programs: Windows-1252 is what they mostly hold;
// bytes above 0x7F are taken as Latin-1, which agrees for letters.
std::string Utf8FromLatin1(std::span<const std::uint8_t> b) {
  std::string out;
  for (std::uint8_t c : b) AppendUtf8(out, c);
  return out;
}

}  // namespace

void ReadNeResources(ByteSource& src, std::uint32_t ne, ResourceIndex& index) {
  index.container = IconContainer::Ne;
  std::vector<std::uint8_t> h;
  if (!ReadBounded(src, ne, kHeaderBytes, h)) {
    index.Fail("program header cut short");
    return;
  }
  const std::uint16_t rsrc = U16At(h, kResourceTableAt);
  const std::uint16_t resident = U16At(h, kResidentNameTableAt);
  if (rsrc == resident) {
    index.Fail("no resources");
    return;
  }
  const std::uint64_t start = std::uint64_t{ne} + rsrc;
  if (start >= src.Size()) {
    index.Fail("resource table beyond the end of the file");
    return;
  }
  // The table ends where the resident-name table starts; its offsets are 16-bit.
  std::uint64_t length = resident > rsrc ? resident - rsrc : 0x10000;
  length = std::min<std::uint64_t>(length, src.Size() - start);
  std::vector<std::uint8_t> t;
  if (!ReadBounded(src, start, static_cast<std::size_t>(length), t)) {
    index.Fail("resource table cut short");
    return;
  }
  const unsigned shift = U16At(t, 0);
  if (shift > kMaxAlignShift) {
    index.Fail("resource alignment out of range");
    return;
  }
  std::size_t pos = kShiftCountBytes;
  while (bytes::Has(t, pos, 2)) {
    TypeInfo type;
    type.typeId = U16At(t, pos);
    if (type.typeId == 0) break;
    if (!bytes::Has(t, pos, kTypeInfoBytes)) {
      index.Fail("resource table cut short");
      break;
    }
    type.count = U16At(t, pos + 2);
    pos += kTypeInfoBytes;
    for (std::uint16_t i = 0; i < type.count; ++i, pos += kNameInfoBytes) {
      if (!bytes::Has(t, pos, kNameInfoBytes)) {
        index.Fail("resource table cut short");
        break;
      }
      const NameInfo r = ReadNameInfo(t, pos);
      const std::uint64_t offset = std::uint64_t{r.offset} << shift;
      const std::uint64_t size = std::uint64_t{r.length} << shift;
      const std::uint32_t clipped = static_cast<std::uint32_t>(
          offset < src.Size() ? std::min<std::uint64_t>(size, src.Size() - offset) : 0);
      if (type.typeId == kGroupIconType) {
        if (static_cast<int>(index.groups.size()) >= kMaxIconGroups) {
          index.groupsCut = true;
          continue;
        }
        ResourceGroup g;
        g.offset = offset;
        g.size = clipped;
        if (r.id & kIntegerId) {
          g.name.id = r.id & ~kIntegerId;
        } else {
          g.name.named = true;
          if (r.id < t.size()) {
            const std::size_t n = std::min<std::size_t>(t[r.id], t.size() - r.id - 1);
            g.name.name = Utf8FromLatin1(std::span(t).subspan(r.id + 1, n));
          }
        }
        index.groups.push_back(std::move(g));
      } else if (type.typeId == kIconType && (r.id & kIntegerId)) {
        ResourceIcon icon;
        icon.id = static_cast<std::uint16_t>(r.id & ~kIntegerId);
        icon.offset = offset;
        icon.size = clipped;
        index.icons.push_back(icon);
      }
    }
  }
  OrderGroups(index.groups);
  SortById(index.icons);
  if (index.groups.empty()) index.Fail("no icons");
}

}  // namespace gs
