#include "import/icon_resources.h"

#include <algorithm>
#include <array>

#include "files/icon_image.h"
#include "import/ne_resources.h"

namespace gs {

namespace {

// A program's group directory: the icon file's header, then 14-byte entries
// that end in the image's resource id.
constexpr std::size_t kGroupEntryBytes = kIconEntryFieldsBytes + 2;
// A group directory of 65,535 entries is the most the count field can say.
constexpr std::uint32_t kMaxGroupBytes = kIconFileHeaderBytes + kGroupEntryBytes * kMaxGroupImages;
// The DOS header, whose last field is the offset of the Windows header.
constexpr std::size_t kDosHeaderBytes = 64;
constexpr std::size_t kNewHeaderOffsetAt = 0x3C;
constexpr std::size_t kSignatureBytes = 4;
// All that one reader may read: a few passes over the file, and enough for
// the headers of a tiny one.
constexpr std::uint64_t kReadPasses = 16;
constexpr std::uint64_t kReadAllowance = 1u << 20;
constexpr std::uint64_t kMaxReadBudget = std::uint64_t{256} << 20;

bool IsIconFileHeader(const IconFileHeader& h) {
  return h.reserved == 0 && (h.type == 1 || h.type == 2);
}

}  // namespace

bool ParseGroupDirectory(std::span<const std::uint8_t> b, std::vector<IconGroupEntry>& entries) {
  entries.clear();
  IconFileHeader h;
  if (!ReadIconFileHeader(b, h) || h.reserved != 0 || h.type != 1) return false;
  const std::size_t count = h.count;
  // Entries the bytes do not hold are left out rather than invented.
  const std::size_t held = (b.size() - kIconFileHeaderBytes) / kGroupEntryBytes;
  const std::size_t n = std::min({count, held, std::size_t{kMaxGroupImages}});
  entries.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = kIconFileHeaderBytes + kGroupEntryBytes * i;
    IconGroupEntry e;
    ReadIconEntryFields(b, at, e);
    e.id = U16At(b, at + kIconEntryFieldsBytes);
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

IconResourceReader::IconResourceReader(ByteSource& src) : src_(src), pe_(src) {
  // A sparse file may claim any size: the budget has a ceiling of its own, and
  // a caller's tighter limit stays.
  const std::uint64_t own = std::min(kReadPasses * src_.Size() + kReadAllowance, kMaxReadBudget);
  src_.LimitTotalReads(std::min(src_.ReadLimit(), src_.BytesRead() + own));
  std::array<std::uint8_t, kDosHeaderBytes> head{};
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(src_.Size(), head.size()));
  IconFileHeader file;
  if (n < kIconFileHeaderBytes || !src_.ReadAt(0, n, head.data())) {
    index_.Fail("too short for a program or an icon file");
    return;
  }
  const std::span<const std::uint8_t> h(head.data(), n);
  if (h[0] == 'M' && h[1] == 'Z') {
    recognised_ = true;
    if (n < kDosHeaderBytes) {
      index_.Fail("program header cut short");
      return;
    }
    const std::uint32_t next = U32At(h, kNewHeaderOffsetAt);
    std::array<std::uint8_t, kSignatureBytes> sig{};
    if (!src_.ReadAt(next, sig.size(), sig.data())) {
      index_.Fail("a DOS program without Windows headers");
      return;
    }
    if (sig[0] == 'P' && sig[1] == 'E' && sig[2] == 0 && sig[3] == 0) {
      pe_.Read(next, index_);
    } else if (sig[0] == 'N' && sig[1] == 'E') {
      ReadNeResources(src_, next, index_);
    } else {
      index_.Fail("a DOS program without Windows headers");
    }
    return;
  }
  if (ReadIconFileHeader(h, file) && IsIconFileHeader(file)) {
    recognised_ = true;
    ReadIconFile();
    return;
  }
  index_.Fail("not a program, library or icon file");
}

// ---------------------------------------------------------------------------
// Icon files: one group, the file's own directory.

void IconResourceReader::ReadIconFile() {
  index_.container = IconContainer::IconFile;
  std::array<std::uint8_t, kIconFileHeaderBytes> b{};
  src_.ReadAt(0, b.size(), b.data());
  IconFileHeader h;
  ReadIconFileHeader(b, h);
  const std::uint16_t count = h.count;
  if (count == 0) {
    index_.Fail("icon file without images");
    return;
  }
  ResourceGroup g;
  g.offset = 0;
  g.size = static_cast<std::uint32_t>(std::min<std::uint64_t>(
      src_.Size(), kIconFileHeaderBytes +
                       kIconDirectoryEntryBytes * std::min<std::uint32_t>(count, kMaxGroupImages)));
  index_.groups.push_back(g);
}

bool IconResourceReader::ReadIconFileGroup(std::uint32_t size,
                                           std::vector<IconGroupEntry>& entries) {
  std::vector<std::uint8_t> dir;
  IconFileHeader h;
  if (!ReadBounded(src_, 0, size, dir) || !ReadIconFileHeader(dir, h)) return false;
  const std::size_t count = h.count;
  const std::size_t n =
      std::min(count, (dir.size() - kIconFileHeaderBytes) / kIconDirectoryEntryBytes);
  for (std::size_t i = 0; i < n; ++i) {
    IconDirectoryEntry f;
    ReadIconDirectoryEntry(dir, kIconFileHeaderBytes + kIconDirectoryEntryBytes * i, f);
    IconGroupEntry e;
    static_cast<IconEntryFields&>(e) = f;
    // A last image cut short keeps what the file holds of it.
    if (f.imageOffset < src_.Size()) {
      e.present = true;
      e.offset = f.imageOffset;
      e.size = static_cast<std::uint32_t>(
          std::min<std::uint64_t>(e.bytesInResource, src_.Size() - f.imageOffset));
    }
    entries.push_back(e);
  }
  return !entries.empty();
}

// ---------------------------------------------------------------------------
// Groups and images.

bool IconResourceReader::LocateIcon(IconGroupEntry& e) {
  // NE group directories may carry the integer-id bit.
  const std::uint16_t id = index_.container == IconContainer::Ne ? (e.id & 0x7FFF) : e.id;
  const auto it = std::lower_bound(index_.icons.begin(), index_.icons.end(), id,
                                   [](const ResourceIcon& a, std::uint16_t v) { return a.id < v; });
  if (it == index_.icons.end() || it->id != id) return false;
  if (index_.container == IconContainer::Ne) {
    e.offset = it->offset;
    e.size = it->size;
    return e.size > 0;
  }
  if (it->located == 0) it->located = pe_.Resolve(it->peEntry, it->offset, it->size) ? 1 : 2;
  e.offset = it->offset;
  e.size = it->size;
  return it->located == 1;
}

bool IconResourceReader::ReadGroup(int k, std::vector<IconGroupEntry>& entries) {
  entries.clear();
  if (k < 0 || k >= Count()) return false;
  const ResourceGroup& g = index_.groups[k];
  if (index_.container == IconContainer::IconFile) return ReadIconFileGroup(g.size, entries);
  std::uint64_t offset = g.offset;
  std::uint32_t size = g.size;
  if (index_.container != IconContainer::Ne && !pe_.Resolve(g.peEntry, offset, size)) return false;
  size = std::min(size, kMaxGroupBytes);
  std::vector<std::uint8_t> dir;
  if (!ReadBounded(src_, offset, size, dir)) return false;
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
  return ReadBounded(src_, e.offset, e.size, out);
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
