#include "import/icon_resources.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "files/byte_io.h"
#include "files/icon_image.h"
#include "platform/text_util.h"

namespace gs {

namespace {

constexpr std::uint16_t kGroupIconType = 14;  // RT_GROUP_ICON
constexpr std::uint16_t kIconType = 3;        // RT_ICON
constexpr std::uint16_t kNeGroupIconType = 0x800E;
constexpr std::uint16_t kNeIconType = 0x8003;
constexpr std::size_t kGroupHeaderBytes = 6;
constexpr std::size_t kGroupEntryBytes = 14;
constexpr std::size_t kFileEntryBytes = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
// A group directory of 65,535 entries is the most the count field can say.
constexpr std::uint32_t kMaxGroupBytes = kGroupHeaderBytes + kGroupEntryBytes * kMaxGroupImages;
// Every resource address is looked up among the sections: real programs have
// a few dozen.
constexpr std::uint32_t kMaxPeSections = 1024;
constexpr unsigned kMaxNeAlignShift = 20;
// All that one reader may read: a few passes over the file, and enough for
// the headers of a tiny one.
constexpr std::uint64_t kReadPasses = 16;
constexpr std::uint64_t kReadAllowance = 1u << 20;
constexpr std::uint64_t kMaxReadBudget = std::uint64_t{256} << 20;

using bytes::GetU16;
using bytes::GetU32;

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint16_t v = 0;
  GetU16(b, at, v);
  return v;
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint32_t v = 0;
  GetU32(b, at, v);
  return v;
}

// No buffer is sized before the bytes it is for are known to be in the file.
bool Read(ByteSource& src, std::uint64_t at, std::size_t n, std::vector<std::uint8_t>& out) {
  const std::uint64_t size = src.Size();
  if (at > size || n > size - at) {
    out.clear();
    return false;
  }
  out.resize(n);
  return src.ReadAt(at, n, out.data());
}

// UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::span<const std::uint8_t> b, std::size_t units) {
  std::string out;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t c = U16(b, 2 * i);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
      const std::uint32_t low = U16(b, 2 * i + 2);
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

// Single-byte names of 16-bit programs: Windows-1252 is what they mostly hold;
// bytes above 0x7F are taken as Latin-1, which agrees for letters.
std::string Utf8FromLatin1(std::span<const std::uint8_t> b) {
  std::string out;
  for (std::uint8_t c : b) AppendUtf8(out, c);
  return out;
}

// Named groups as stored, then numbered ones ascending (stable for equal ids).
template <class T>
void OrderGroups(std::vector<T>& groups) {
  std::stable_partition(groups.begin(), groups.end(), [](const T& g) { return g.name.named; });
  const auto firstId =
      std::find_if(groups.begin(), groups.end(), [](const T& g) { return !g.name.named; });
  std::stable_sort(firstId, groups.end(),
                   [](const T& a, const T& b) { return a.name.id < b.name.id; });
}

// The twelve bytes an icon file's directory entry and a program's group
// entry share: size, colours, planes, bit count and byte count. The caller
// has checked that they are there.
IconGroupEntry EntryHead(std::span<const std::uint8_t> b, std::size_t at) {
  IconGroupEntry e;
  e.width = b[at];
  e.height = b[at + 1];
  e.colorCount = b[at + 2];
  e.reserved = b[at + 3];
  e.planes = U16(b, at + 4);
  e.bitCount = U16(b, at + 6);
  e.bytesInRes = U32(b, at + 8);
  return e;
}

}  // namespace

bool ParseGroupDirectory(std::span<const std::uint8_t> b, std::vector<IconGroupEntry>& entries) {
  entries.clear();
  if (!bytes::Has(b, 0, kGroupHeaderBytes)) return false;
  if (U16(b, 0) != 0 || U16(b, 2) != 1) return false;
  const std::size_t count = U16(b, 4);
  // Entries the bytes do not hold are left out rather than invented.
  const std::size_t held = (b.size() - kGroupHeaderBytes) / kGroupEntryBytes;
  const std::size_t n = std::min({count, held, std::size_t{kMaxGroupImages}});
  entries.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = kGroupHeaderBytes + kGroupEntryBytes * i;
    IconGroupEntry e = EntryHead(b, at);
    e.id = U16(b, at + 12);
    entries.push_back(e);
  }
  return n == std::min(count, std::size_t{kMaxGroupImages});
}

IconImageInfo ImageInfoOf(std::span<const std::uint8_t> h) {
  IconImageInfo info;
  IconImageHeader peek;
  if (!PeekIconImage(h, peek)) return info;
  const int bits = peek.bitCount;
  if (peek.width < 1 || peek.width > 256 || peek.height < 1 || peek.height > 256) return info;
  if (!peek.png && bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return info;
  info.readable = true;
  info.png = peek.png;
  info.width = peek.width;
  info.height = peek.height;
  info.bitCount = bits;
  return info;
}

int PickExtractImage(std::span<const IconImageInfo> images) {
  int best = -1;
  auto distance = [](const IconImageInfo& i) {
    return std::abs(i.width - 32) + std::abs(i.height - 32);
  };
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImageInfo& c = images[i];
    if (!c.readable) continue;
    if (best < 0) {
      best = static_cast<int>(i);
      continue;
    }
    const IconImageInfo& b = images[best];
    const int dc = distance(c), db = distance(b);
    if (dc != db) {
      if (dc < db) best = static_cast<int>(i);
      continue;
    }
    // Same distance: shrinking keeps more detail than growing.
    const int ac = c.width * c.height, ab = b.width * b.height;
    if (ac != ab) {
      if (ac > ab) best = static_cast<int>(i);
      continue;
    }
    if (c.bitCount > b.bitCount) best = static_cast<int>(i);
  }
  return best;
}

IconResourceReader::IconResourceReader(ByteSource& src) : src_(src) {
  // A sparse file may claim any size: the budget has a ceiling of its own, and
  // a caller's tighter limit stays.
  const std::uint64_t own = std::min(kReadPasses * src_.Size() + kReadAllowance, kMaxReadBudget);
  src_.LimitTotalReads(std::min(src_.ReadLimit(), src_.BytesRead() + own));
  std::array<std::uint8_t, 64> head{};
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(src_.Size(), head.size()));
  if (n < 6 || !src_.ReadAt(0, n, head.data())) {
    Fail("too short for a program or an icon file");
    return;
  }
  const std::span<const std::uint8_t> h(head.data(), n);
  if (h[0] == 'M' && h[1] == 'Z') {
    recognised_ = true;
    if (n < 64) {
      Fail("program header cut short");
      return;
    }
    const std::uint32_t next = U32(h, 0x3C);
    std::array<std::uint8_t, 4> sig{};
    if (!src_.ReadAt(next, 4, sig.data())) {
      Fail("a DOS program without Windows headers");
      return;
    }
    if (sig[0] == 'P' && sig[1] == 'E' && sig[2] == 0 && sig[3] == 0) {
      ReadPe(next);
    } else if (sig[0] == 'N' && sig[1] == 'E') {
      ReadNe(next);
    } else {
      Fail("a DOS program without Windows headers");
    }
    return;
  }
  if (U16(h, 0) == 0 && (U16(h, 2) == 1 || U16(h, 2) == 2)) {
    recognised_ = true;
    ReadIconFile();
    return;
  }
  Fail("not a program, library or icon file");
}

void IconResourceReader::Fail(const std::string& why) {
  if (problem_.empty()) problem_ = why;
}

// ---------------------------------------------------------------------------
// Icon files: one group, the file's own directory.

void IconResourceReader::ReadIconFile() {
  container_ = IconContainer::IconFile;
  std::array<std::uint8_t, 6> h{};
  src_.ReadAt(0, 6, h.data());
  const std::uint16_t count = U16(h, 4);
  if (count == 0) {
    Fail("icon file without images");
    return;
  }
  Group g;
  g.offset = 0;
  g.size = static_cast<std::uint32_t>(std::min<std::uint64_t>(
      src_.Size(),
      kGroupHeaderBytes + kFileEntryBytes * std::min<std::uint32_t>(count, kMaxGroupImages)));
  groups_.push_back(g);
}

// ---------------------------------------------------------------------------
// PE32 / PE32+.

void IconResourceReader::ReadPe(std::uint32_t pe) {
  std::vector<std::uint8_t> coff;
  if (!Read(src_, std::uint64_t{pe} + 4, 20, coff)) {
    Fail("program header cut short");
    return;
  }
  const std::uint32_t sectionCount = std::min<std::uint32_t>(U16(coff, 2), kMaxPeSections);
  const std::uint16_t optSize = U16(coff, 16);
  const std::uint64_t opt = std::uint64_t{pe} + 24;
  std::vector<std::uint8_t> o;
  if (optSize < 2 || !Read(src_, opt, optSize, o)) {
    Fail("optional header cut short");
    return;
  }
  const std::uint16_t magic = U16(o, 0);
  std::size_t dirs = 0, rvaCountAt = 0;
  if (magic == 0x10B) {
    container_ = IconContainer::Pe32;
    rvaCountAt = 92;
    dirs = 96;
  } else if (magic == 0x20B) {
    container_ = IconContainer::Pe32Plus;
    rvaCountAt = 108;
    dirs = 112;
  } else {
    Fail("unknown optional header");
    return;
  }
  sizeOfHeaders_ = U32(o, 60);
  if (U32(o, rvaCountAt) <= 2 || !bytes::Has(o, dirs + 16, 8)) {
    Fail("no resources");
    return;
  }
  rsrcRva_ = U32(o, dirs + 16);
  rsrcSize_ = U32(o, dirs + 20);
  if (rsrcRva_ == 0) {
    Fail("no resources");
    return;
  }
  std::vector<std::uint8_t> table;
  if (!Read(src_, opt + optSize, std::size_t{40} * sectionCount, table)) {
    Fail("section table cut short");
    return;
  }
  sections_.reserve(sectionCount);
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = std::size_t{40} * i;
    sections_.push_back(
        {U32(table, at + 12), U32(table, at + 8), U32(table, at + 16), U32(table, at + 20)});
  }

  std::vector<std::uint8_t> types;
  int named = 0, ids = 0;
  if (!PeDirectory(0, types, named, ids)) {
    Fail("resource directory cut short");
    return;
  }
  std::uint32_t groupDir = 0, iconDir = 0;
  bool haveGroups = false, haveIcons = false;
  for (int i = named; i < named + ids; ++i) {
    const std::uint32_t name = U32(types, 8 * i), data = U32(types, 8 * i + 4);
    if (!(data & kHighBit)) continue;
    if (name == kGroupIconType && !haveGroups) {
      groupDir = data & ~kHighBit;
      haveGroups = true;
    } else if (name == kIconType && !haveIcons) {
      iconDir = data & ~kHighBit;
      haveIcons = true;
    }
  }
  if (!haveGroups) {
    Fail("no icons");
    return;
  }
  std::vector<std::uint8_t> names;
  if (!PeDirectory(groupDir, names, named, ids)) {
    Fail("icon group directory cut short");
    return;
  }
  // Named groups come first and identifiers ascend in the directory, so the
  // first kMaxIconGroups are the ones the desktop would list first.
  const int kept = std::min(named + ids, kMaxIconGroups);
  groupsCut_ = named + ids > kMaxIconGroups;
  groups_.reserve(static_cast<std::size_t>(kept));
  for (int i = 0; i < kept; ++i) {
    const std::uint32_t name = U32(names, 8 * i);
    Group g;
    g.peEntry = U32(names, 8 * i + 4);
    if (name & kHighBit) {
      g.name.named = true;
      g.name.name = PeName(name & ~kHighBit);
    } else {
      g.name.id = name & 0xFFFF;
    }
    groups_.push_back(std::move(g));
  }
  OrderGroups(groups_);

  if (haveIcons && PeDirectory(iconDir, names, named, ids)) {
    iconIds_.reserve(ids);
    for (int i = named; i < named + ids; ++i) {
      const std::uint32_t name = U32(names, 8 * i);
      if (name & kHighBit || name > 0xFFFF) continue;
      IconId icon;
      icon.id = static_cast<std::uint16_t>(name);
      icon.peEntry = U32(names, 8 * i + 4);
      iconIds_.push_back(icon);
    }
    std::stable_sort(iconIds_.begin(), iconIds_.end(),
                     [](const IconId& a, const IconId& b) { return a.id < b.id; });
  }
}

bool IconResourceReader::PeMap(std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) const {
  for (const Section& s : sections_) {
    if (rva < s.va) continue;
    const std::uint64_t into = std::uint64_t{rva} - s.va;
    if (into + size > s.rawSize) continue;
    offset = std::uint64_t{s.rawOffset} + into;
    return true;
  }
  if (std::uint64_t{rva} + size <= sizeOfHeaders_) {
    offset = rva;
    return true;
  }
  return false;
}

// The entries of the directory at `rel` (from the resource section's start).
bool IconResourceReader::PeDirectory(std::uint32_t rel, std::vector<std::uint8_t>& entries,
                                     int& named, int& ids) {
  std::uint64_t at = 0;
  std::vector<std::uint8_t> h;
  if (std::uint64_t{rsrcRva_} + rel > 0xFFFFFFFFu) return false;
  const std::uint32_t rva = rsrcRva_ + rel;
  if (!PeMap(rva, 16, at) || !Read(src_, at, 16, h)) return false;
  named = U16(h, 12);
  ids = U16(h, 14);
  const std::uint32_t bytesNeeded = 8u * (static_cast<std::uint32_t>(named) + ids);
  std::uint64_t entriesAt = 0;
  if (std::uint64_t{rva} + 16 + bytesNeeded > 0xFFFFFFFFu) return false;
  if (!PeMap(rva + 16, bytesNeeded, entriesAt)) return false;
  return Read(src_, entriesAt, bytesNeeded, entries);
}

std::string IconResourceReader::PeName(std::uint32_t rel) {
  std::uint64_t at = 0;
  std::vector<std::uint8_t> len;
  if (std::uint64_t{rsrcRva_} + rel + 2 > 0xFFFFFFFFu) return {};
  if (!PeMap(rsrcRva_ + rel, 2, at) || !Read(src_, at, 2, len)) return {};
  const std::uint32_t units = std::min<std::uint32_t>(U16(len, 0), kMaxGroupNameUnits);
  std::vector<std::uint8_t> text;
  std::uint64_t textAt = 0;
  if (!PeMap(rsrcRva_ + rel + 2, 2 * units, textAt) || !Read(src_, textAt, 2 * units, text))
    return {};
  return Utf8FromUtf16(text, units);
}

// A name entry's data: through the first language of its directory to the
// data entry, then to the bytes in the file.
bool IconResourceReader::PeResolve(std::uint32_t entry, std::uint64_t& offset,
                                   std::uint32_t& size) {
  std::uint32_t dataEntry = entry;
  if (entry & kHighBit) {
    std::vector<std::uint8_t> langs;
    int named = 0, ids = 0;
    if (!PeDirectory(entry & ~kHighBit, langs, named, ids) || named + ids == 0) return false;
    dataEntry = U32(langs, 4);
    if (dataEntry & kHighBit) return false;  // a fourth level does not exist
  }
  std::uint64_t at = 0;
  std::vector<std::uint8_t> d;
  if (std::uint64_t{rsrcRva_} + dataEntry > 0xFFFFFFFFu) return false;
  if (!PeMap(rsrcRva_ + dataEntry, 16, at) || !Read(src_, at, 16, d)) return false;
  size = U32(d, 4);
  return PeMap(U32(d, 0), size, offset) && offset + size <= src_.Size();
}

// ---------------------------------------------------------------------------
// NE (16-bit).

void IconResourceReader::ReadNe(std::uint32_t ne) {
  container_ = IconContainer::Ne;
  std::vector<std::uint8_t> h;
  if (!Read(src_, ne, 0x40, h)) {
    Fail("program header cut short");
    return;
  }
  const std::uint16_t rsrc = U16(h, 0x24), resident = U16(h, 0x26);
  if (rsrc == resident) {
    Fail("no resources");
    return;
  }
  const std::uint64_t start = std::uint64_t{ne} + rsrc;
  if (start >= src_.Size()) {
    Fail("resource table beyond the end of the file");
    return;
  }
  // The table ends where the resident-name table starts; its offsets are 16-bit.
  std::uint64_t length = resident > rsrc ? resident - rsrc : 0x10000;
  length = std::min<std::uint64_t>(length, src_.Size() - start);
  std::vector<std::uint8_t> t;
  if (!Read(src_, start, static_cast<std::size_t>(length), t)) {
    Fail("resource table cut short");
    return;
  }
  const unsigned shift = U16(t, 0);
  if (shift > kMaxNeAlignShift) {
    Fail("resource alignment out of range");
    return;
  }
  std::size_t pos = 2;
  while (bytes::Has(t, pos, 2)) {
    const std::uint16_t type = U16(t, pos);
    if (type == 0) break;
    if (!bytes::Has(t, pos, 8)) {
      Fail("resource table cut short");
      break;
    }
    const std::uint16_t count = U16(t, pos + 2);
    pos += 8;
    for (std::uint16_t i = 0; i < count; ++i, pos += 12) {
      if (!bytes::Has(t, pos, 12)) {
        Fail("resource table cut short");
        break;
      }
      const std::uint64_t offset = std::uint64_t{U16(t, pos)} << shift;
      const std::uint64_t size = std::uint64_t{U16(t, pos + 2)} << shift;
      const std::uint16_t id = U16(t, pos + 6);
      const std::uint32_t clipped = static_cast<std::uint32_t>(
          offset < src_.Size() ? std::min<std::uint64_t>(size, src_.Size() - offset) : 0);
      if (type == kNeGroupIconType) {
        if (static_cast<int>(groups_.size()) >= kMaxIconGroups) {
          groupsCut_ = true;
          continue;
        }
        Group g;
        g.offset = offset;
        g.size = clipped;
        if (id & 0x8000) {
          g.name.id = id & 0x7FFF;
        } else {
          g.name.named = true;
          if (id < t.size()) {
            const std::size_t n = std::min<std::size_t>(t[id], t.size() - id - 1);
            g.name.name = Utf8FromLatin1(std::span(t).subspan(id + 1, n));
          }
        }
        groups_.push_back(std::move(g));
      } else if (type == kNeIconType && (id & 0x8000)) {
        IconId icon;
        icon.id = id & 0x7FFF;
        icon.offset = offset;
        icon.size = clipped;
        iconIds_.push_back(icon);
      }
    }
  }
  OrderGroups(groups_);
  std::stable_sort(iconIds_.begin(), iconIds_.end(),
                   [](const IconId& a, const IconId& b) { return a.id < b.id; });
  if (groups_.empty()) Fail("no icons");
}

// ---------------------------------------------------------------------------
// Groups and images.

bool IconResourceReader::LocateIcon(IconGroupEntry& e) {
  const std::uint16_t id = container_ == IconContainer::Ne ? (e.id & 0x7FFF) : e.id;
  const auto it = std::lower_bound(iconIds_.begin(), iconIds_.end(), id,
                                   [](const IconId& a, std::uint16_t v) { return a.id < v; });
  if (it == iconIds_.end() || it->id != id) return false;
  if (container_ == IconContainer::Ne) {
    e.offset = it->offset;
    e.size = it->size;
    return e.size > 0;
  }
  if (it->located == 0) it->located = PeResolve(it->peEntry, it->offset, it->size) ? 1 : 2;
  e.offset = it->offset;
  e.size = it->size;
  return it->located == 1;
}

bool IconResourceReader::ReadGroup(int k, std::vector<IconGroupEntry>& entries) {
  entries.clear();
  if (k < 0 || k >= Count()) return false;
  Group& g = groups_[k];
  std::vector<std::uint8_t> dir;
  if (container_ == IconContainer::IconFile) {
    if (!Read(src_, 0, g.size, dir) || dir.size() < kGroupHeaderBytes) return false;
    const std::size_t count = U16(dir, 4);
    const std::size_t n = std::min(count, (dir.size() - kGroupHeaderBytes) / kFileEntryBytes);
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t at = kGroupHeaderBytes + kFileEntryBytes * i;
      IconGroupEntry e = EntryHead(dir, at);
      const std::uint32_t offset = U32(dir, at + 12);
      // A last image cut short keeps what the file holds of it.
      if (offset < src_.Size()) {
        e.present = true;
        e.offset = offset;
        e.size =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(e.bytesInRes, src_.Size() - offset));
      }
      entries.push_back(e);
    }
    return !entries.empty();
  }
  std::uint64_t offset = g.offset;
  std::uint32_t size = g.size;
  if (container_ != IconContainer::Ne && !PeResolve(g.peEntry, offset, size)) return false;
  size = std::min(size, kMaxGroupBytes);
  if (!Read(src_, offset, size, dir)) return false;
  ParseGroupDirectory(dir, entries);
  for (IconGroupEntry& e : entries) e.present = LocateIcon(e);
  return !entries.empty();
}

bool IconResourceReader::ReadImageInfo(const IconGroupEntry& e, IconImageInfo& info) {
  info = IconImageInfo{};
  if (!e.present) return false;
  std::array<std::uint8_t, 40> head{};
  const std::size_t n = std::min<std::size_t>(e.size, head.size());
  const auto known = infos_.find({e.offset, n});
  if (known != infos_.end()) {
    info = known->second;
    return info.readable;
  }
  if (!src_.ReadAt(e.offset, n, head.data())) return false;
  info = ImageInfoOf(std::span<const std::uint8_t>(head.data(), n));
  infos_.emplace(std::make_pair(e.offset, n), info);
  return info.readable;
}

bool IconResourceReader::ReadImage(const IconGroupEntry& e, std::vector<std::uint8_t>& out) {
  out.clear();
  if (!e.present || e.size == 0 || e.size > kMaxIconImageBytes) return false;
  return Read(src_, e.offset, e.size, out);
}

// ---------------------------------------------------------------------------

bool ExtractIconPicture(IconResourceReader& reader, int k, IconPicture& out, std::string* problem) {
  auto fail = [&](const char* why) {
    if (problem) *problem = why;
    return false;
  };
  std::vector<IconGroupEntry> entries;
  if (!reader.ReadGroup(k, entries)) return fail("icon group missing or damaged");
  std::vector<IconImageInfo> infos(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) reader.ReadImageInfo(entries[i], infos[i]);
  const int chosen = PickExtractImage(infos);
  if (chosen < 0) return fail("no readable image in the icon group");
  std::vector<std::uint8_t> bytes;
  if (!reader.ReadImage(entries[chosen], bytes)) return fail("icon image missing or too large");
  IconImageResult decoded;
  if (!DecodeIconImage(bytes, decoded)) return fail("damaged icon image");
  out.overWhite = std::move(decoded.pixels);
  out.alpha = decoded.alpha;
  out.scaled = infos[chosen].width != 32 || infos[chosen].height != 32;
  out.imageIndex = chosen;
  out.source = infos[chosen];
  return true;
}

std::string NoIconsReason(const IconResourceReader& reader) {
  return "holds no icons (" +
         (reader.Problem().empty() ? std::string("no icon groups") : reader.Problem()) + ")";
}

bool ExtractIcon(IconResourceReader& reader, int k, IconPicture& out, std::string& reason) {
  const int n = reader.Count();
  if (k < 0 || k >= n) {
    reason =
        "no icon " + std::to_string(k) + " (" + std::to_string(n) + (n == 1 ? " icon)" : " icons)");
    return false;
  }
  std::string problem;
  if (ExtractIconPicture(reader, k, out, &problem)) return true;
  reason = "icon " + std::to_string(k) + ": " + problem;
  return false;
}

}  // namespace gs
