// The program readers on layouts the committed programs do not have: resources
// at an odd file offset or inside the headers, for both optional headers, and
// 16-bit programs at the limits of their alignment shift.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "document/colors.h"
#include "files/byte_io.h"
#include "import/icon_resources.h"

namespace gs {
namespace {

// A 32 x 32 icon image at 1 bit, every pixel index 0 (red) and opaque.
constexpr std::uint32_t kDibBytes = 40 + 8 + 128 + 128;
void PutDib(bytes::Writer& w) {
  w.U32(40), w.U32(32), w.U32(64), w.U16(1), w.U16(1);
  w.Fill(40 - 16, 0);
  w.U32(0x00FF0000), w.U32(0x00FFFFFF);
  w.Fill(128 + 128, 0);
}

// The resource data of one group holding one icon (both id 1), for a
// section whose first byte lies at address `base`.
std::vector<std::uint8_t> ResourceData(std::uint32_t base) {
  // Three levels for each of the two types, then two data entries, the group
  // directory and the image.
  constexpr std::uint32_t kDir = 16 + 8;  // a directory of one entry
  const std::uint32_t icons = 16 + 2 * 8, iconLang = icons + kDir;
  const std::uint32_t groups = iconLang + kDir, groupLang = groups + kDir;
  const std::uint32_t iconData = groupLang + kDir, groupData = iconData + 16;
  const std::uint32_t group = groupData + 16, image = group + 6 + 14;
  bytes::Writer w;
  auto directory = [&w](std::uint32_t id, std::uint32_t to) {
    w.Fill(12, 0), w.U16(0), w.U16(1), w.U32(id), w.U32(to);
  };
  w.Fill(12, 0), w.U16(0), w.U16(2);  // the types, ascending
  w.U32(3), w.U32(0x80000000u | icons);
  w.U32(14), w.U32(0x80000000u | groups);
  directory(1, 0x80000000u | iconLang);
  directory(0x409, iconData);
  directory(1, 0x80000000u | groupLang);
  directory(0x409, groupData);
  w.U32(base + image), w.U32(kDibBytes), w.U32(0), w.U32(0);
  w.U32(base + group), w.U32(6 + 14), w.U32(0), w.U32(0);
  w.U16(0), w.U16(1), w.U16(1);
  w.U8(32), w.U8(32), w.U8(2), w.U8(0), w.U16(1), w.U16(1), w.U32(kDibBytes), w.U16(1);
  EXPECT_EQ(w.Size(), image);
  PutDib(w);
  return w.Take();
}

struct PeLayout {
  const char* what;
  bool plus;         // PE32+
  bool inHeaders;    // no sections: the resources lie inside the headers
  std::uint32_t at;  // the resources' file offset
};

std::vector<std::uint8_t> Program(const PeLayout& l) {
  constexpr std::uint32_t kPe = 0x40, kVa = 0x3000;
  const std::uint32_t optSize = l.plus ? 240 : 224;
  const std::uint32_t rva = l.inHeaders ? l.at : kVa;
  const std::vector<std::uint8_t> data = ResourceData(rva);
  const auto dataSize = static_cast<std::uint32_t>(data.size());
  bytes::Writer w;
  w.Tag("MZ");
  w.Fill(0x3C - 2, 0);
  w.U32(kPe);
  w.Tag("PE");
  w.U16(0);
  w.U16(l.plus ? 0x8664 : 0x14C), w.U16(l.inHeaders ? 0 : 1), w.Fill(12, 0);
  w.U16(optSize), w.U16(0x0102);
  // The optional header: what lies between its named fields is zero.
  const std::size_t opt = w.Size();
  w.U16(l.plus ? 0x20B : 0x10B);
  w.Fill(optSize - 2, 0);
  std::vector<std::uint8_t> b = w.Take();
  auto put32 = [&b](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  const std::uint32_t end = l.at + dataSize;
  put32(opt + 56, kVa + 0x1000);                  // SizeOfImage
  put32(opt + 60, l.inHeaders ? end : l.at);      // SizeOfHeaders
  put32(opt + (l.plus ? 108 : 92), 16);           // NumberOfRvaAndSizes
  put32(opt + (l.plus ? 112 : 96) + 2 * 8, rva);  // the resource directory
  put32(opt + (l.plus ? 112 : 96) + 2 * 8 + 4, dataSize);
  if (!l.inHeaders) {
    bytes::Writer s;
    s.Tag(".rsrc"), s.Fill(3, 0);
    s.U32(dataSize), s.U32(kVa), s.U32(dataSize), s.U32(l.at);
    s.Fill(16, 0);
    const std::vector<std::uint8_t> section = s.Take();
    b.insert(b.end(), section.begin(), section.end());
  }
  EXPECT_LE(b.size(), l.at) << l.what;
  b.resize(l.at, 0);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

void PrintTo(const PeLayout& l, std::ostream* os) { *os << l.what; }

class PeLayouts : public ::testing::TestWithParam<PeLayout> {};

TEST_P(PeLayouts, TheIconIsFoundAndDrawn) {
  const PeLayout& l = GetParam();
  const std::vector<std::uint8_t> b = Program(l);
  MemorySource src(b);
  IconResourceReader r(src);
  EXPECT_EQ(r.Container(), l.plus ? IconContainer::Pe32Plus : IconContainer::Pe32);
  ASSERT_EQ(r.Count(), 1) << l.what << ": " << r.Problem();
  EXPECT_EQ(r.GroupName(0).id, 1u);
  std::vector<IconGroupEntry> entries;
  ASSERT_TRUE(r.ReadGroup(0, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_TRUE(entries[0].present);
  EXPECT_EQ(entries[0].offset, b.size() - kDibBytes);
  IconPicture pic;
  std::string problem;
  ASSERT_TRUE(ExtractIconPicture(r, 0, pic, &problem)) << l.what << ": " << problem;
  for (int i : {0, 1023}) {
    const Color c = pic.overWhite.Pixels()[i];
    EXPECT_EQ(RedOf(c) * 65536 + GreenOf(c) * 256 + BlueOf(c), 0xFF0000) << "pixel " << i;
    EXPECT_EQ(pic.alpha[i], 255);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Crafted, PeLayouts,
    ::testing::Values(PeLayout{"PE32+ section at an odd offset", true, false, 0x1F1},
                      PeLayout{"PE32 section at an odd offset", false, false, 0x1E1},
                      PeLayout{"PE32+ resources in the headers", true, true, 0x203},
                      PeLayout{"PE32 resources in the headers", false, true, 0x1F3}),
    [](const auto& info) {
      std::string n;
      for (const char* p = info.param.what; *p; ++p)
        n += *p == '+'                                      ? "Plus"
             : std::isalnum(static_cast<unsigned char>(*p)) ? std::string(1, *p)
                                                            : "_";
      return n;
    });

// ---------------------------------------------------------------------------
// 16-bit programs: resource offsets and lengths count in units of 2^shift
// bytes, so a program can place its icons far beyond 4 GiB.

// Zeros but for the regions put in; as large as it claims.
class SparseSource : public ByteSource {
 public:
  explicit SparseSource(std::uint64_t size) : size_(size) {}
  void Put(std::uint64_t at, std::vector<std::uint8_t> bytes) { regions_[at] = std::move(bytes); }
  std::uint64_t Size() const override { return size_; }

 protected:
  bool DoRead(std::uint64_t offset, std::size_t n, std::uint8_t* out) override {
    std::memset(out, 0, n);
    for (const auto& [at, b] : regions_) {
      const std::uint64_t from = std::max(at, offset), to = std::min(at + b.size(), offset + n);
      if (from < to) std::memcpy(out + (from - offset), b.data() + (from - at), to - from);
    }
    return true;
  }

 private:
  std::uint64_t size_;
  std::map<std::uint64_t, std::vector<std::uint8_t>> regions_;
};

// A program whose group lies at `groupUnit` and its icon right after it.
// Returns the units it spans.
unsigned PutNeProgram(SparseSource& src, unsigned shift, unsigned groupUnit) {
  const unsigned unit = 1u << shift;
  const unsigned groupUnits = (6 + 14 + unit - 1) >> shift;
  const unsigned iconUnits = (kDibBytes + unit - 1) >> shift;
  bytes::Writer w;
  w.Tag("MZ");
  w.Fill(0x3C - 2, 0);
  w.U32(0x40);
  constexpr unsigned kTable = 2 + 2 * (8 + 12) + 2;
  w.Tag("NE");
  w.Fill(0x24 - 2, 0);
  w.U16(0x40), w.U16(0x40 + kTable);  // resource and resident-name tables
  w.Fill(0x40 - 0x28, 0);
  w.U16(shift);
  w.U16(0x800E), w.U16(1), w.U32(0);
  w.U16(groupUnit), w.U16(groupUnits), w.U16(0x1030), w.U16(0x8001), w.U32(0);
  w.U16(0x8003), w.U16(1), w.U32(0);
  w.U16(groupUnit + groupUnits), w.U16(iconUnits), w.U16(0x1030), w.U16(0x8001), w.U32(0);
  w.U16(0);
  src.Put(0, w.Take());
  bytes::Writer g;
  g.U16(0), g.U16(1), g.U16(1);
  g.U8(32), g.U8(32), g.U8(2), g.U8(0), g.U16(1), g.U16(1), g.U32(kDibBytes), g.U16(1);
  src.Put(std::uint64_t{groupUnit} << shift, g.Take());
  bytes::Writer i;
  PutDib(i);
  src.Put(std::uint64_t{groupUnit + groupUnits} << shift, i.Take());
  return groupUnit + groupUnits + iconUnits;
}

TEST(NeShift, TheLargestShiftReachesBeyond4GiBOneMoreIsRefused) {
  struct Case {
    unsigned shift, groupUnit;
    bool read;
  };
  // 20: units of 1 MiB, the group at 4 GiB + 1 MiB; 21 is out of range.
  for (const Case c : {Case{4, 0x10, true}, Case{20, 0x1001, true}, Case{21, 0x10, false}}) {
    SparseSource src(std::uint64_t{0x1010} << c.shift);
    const unsigned units = PutNeProgram(src, c.shift, c.groupUnit);
    ASSERT_LE(units, 0x1010u);
    IconResourceReader r(src);
    EXPECT_EQ(r.Container(), IconContainer::Ne);
    IconPicture pic;
    std::string problem;
    EXPECT_EQ(r.Count() == 1 && ExtractIconPicture(r, 0, pic, &problem), c.read)
        << "shift " << c.shift << ": " << r.Problem() << problem;
    if (!c.read) {
      EXPECT_EQ(r.Problem(), "resource alignment out of range");
    }
  }
}

}  // namespace
}  // namespace gs
