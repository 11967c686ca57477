// The icon-resource reader on the committed test programs (built by
// tests/data/import/make_programs.py) and on damaged and hostile bytes.
#include "import/icon_resources.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "files/byte_io.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

std::string Program(const std::string& name) { return test::DataPath("import/programs/" + name); }

std::vector<std::string> Names(IconResourceReader& r) {
  std::vector<std::string> out;
  for (int k = 0; k < r.Count(); ++k) {
    const IconGroupName& n = r.GroupName(k);
    out.push_back(n.named ? n.name : std::to_string(n.id));
  }
  return out;
}

struct ProgramCase {
  const char* file;
  IconContainer container;
  std::vector<std::string> groups;  // in extraction order
};

class Programs : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(Programs, ListsGroupsNamedFirstThenNumbersAscending) {
  const ProgramCase& c = GetParam();
  std::string error;
  auto src = FileSource::Open(Program(c.file), error);
  ASSERT_TRUE(src) << error;
  IconResourceReader r(*src);
  EXPECT_EQ(r.Container(), c.container);
  EXPECT_EQ(Names(r), c.groups) << r.Problem();
  for (int k = 0; k < r.Count(); ++k) {
    IconPicture pic;
    std::string problem;
    EXPECT_TRUE(ExtractIconPicture(r, k, pic, &problem))
        << c.file << " icon " << k << ": " << problem;
    EXPECT_EQ(pic.overWhite.Width(), 32);
    EXPECT_EQ(pic.alpha.size(), 1024u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Committed, Programs,
    ::testing::Values(ProgramCase{"one_icon32.exe", IconContainer::Pe32, {"1"}},
                      ProgramCase{
                          "groups64.exe",
                          IconContainer::Pe32Plus,
                          {"ALPHA", "ZETA", "2", "7", "9", "10", "11", "12", "40", "41", "300"}},
                      ProgramCase{"depths64.exe", IconContainer::Pe32Plus, {"1", "2", "3", "4"}},
                      ProgramCase{"library32.dll", IconContainer::Pe32, {"LOGO", "5"}},
                      ProgramCase{"sixteen.exe", IconContainer::Ne, {"APP", "1", "3"}}),
    [](const auto& info) {
      std::string n = info.param.file;
      for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

TEST(PickExtractImage, Prefers32ThenNearestLargerThenDeepest) {
  auto info = [](int w, int h, int bits) { return IconImageInfo{true, false, w, h, bits}; };
  struct Row {
    const char* what;
    std::vector<IconImageInfo> images;
    int want;
  } rows[] = {
      {"deepest 32 x 32", {info(32, 32, 4), info(32, 32, 32), info(32, 32, 8)}, 1},
      {"first of equal depths", {info(32, 32, 8), info(32, 32, 8)}, 0},
      {"32 beats a deeper 48", {info(48, 48, 32), info(32, 32, 1)}, 1},
      {"48 before 16 at the same distance", {info(16, 16, 32), info(48, 48, 4)}, 1},
      {"nearest size", {info(256, 256, 32), info(64, 64, 8), info(16, 16, 32)}, 2},
      {"unreadable skipped", {IconImageInfo{}, info(16, 16, 4)}, 1},
      {"nothing readable", {IconImageInfo{}}, -1},
  };
  for (const Row& r : rows) EXPECT_EQ(PickExtractImage(r.images), r.want) << r.what;
}

std::vector<std::uint8_t> dib16() {
  bytes::Writer w;
  w.U32(40);
  w.U32(32);
  w.U32(64);
  w.U16(1);
  w.U16(16);
  w.Fill(24, 0);
  return w.Take();
}

TEST(ImageInfoOf, ReadsDibAndPngHeaders) {
  bytes::Writer dib;
  dib.U32(40);
  dib.U32(48);
  dib.U32(96);
  dib.U16(1);
  dib.U16(24);
  dib.Fill(24, 0);
  IconImageInfo i = ImageInfoOf(dib.Take());
  EXPECT_TRUE(i.readable);
  EXPECT_EQ(i.width, 48);
  EXPECT_EQ(i.height, 48);
  EXPECT_EQ(i.bitCount, 24);

  const std::uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I',
                              'H',  'D', 'R', 0,   0,    1,    0,    0,    0, 1, 0, 8,  6};
  i = ImageInfoOf(png);
  EXPECT_TRUE(i.readable && i.png);
  EXPECT_EQ(i.width, 256);
  EXPECT_EQ(i.bitCount, 32);

  // Larger than any icon, or a depth the decoder does not read: not a candidate.
  std::vector<std::uint8_t> big(png, png + sizeof png);
  big[18] = 2;  // 512 wide
  EXPECT_FALSE(ImageInfoOf(big).readable);
  std::vector<std::uint8_t> sixteen = dib16();
  EXPECT_FALSE(ImageInfoOf(sixteen).readable);
}

// ---------------------------------------------------------------------------
// Hostile bytes: each is read without crashing, within the file, and gives a
// count that the bytes can justify.

std::vector<std::uint8_t> Bytes(const std::string& name) { return test::ReadAll(Program(name)); }

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t GetU32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v = 0;
  bytes::GetU32(b, at, v);
  return v;
}

// Offset of the resource section's first directory in the file.
std::size_t ResourceDirectoryOffset(const std::vector<std::uint8_t>& b) {
  const std::size_t pe = GetU32(b, 0x3C);
  const std::size_t opt = pe + 24;
  const bool plus = b[opt] == 0x0B && b[opt + 1] == 0x02;
  const std::uint32_t rva = GetU32(b, opt + (plus ? 112 : 96) + 16);
  const std::size_t sections = opt + (b[pe + 20] | (b[pe + 21] << 8));
  for (int i = 0; i < (b[pe + 6] | (b[pe + 7] << 8)); ++i) {
    const std::size_t s = sections + 40 * i;
    const std::uint32_t va = GetU32(b, s + 12), raw = GetU32(b, s + 20);
    if (rva >= va && rva < va + GetU32(b, s + 16)) return raw + (rva - va);
  }
  return 0;
}

struct HostileCase {
  const char* what;
  const char* base;
  std::function<void(std::vector<std::uint8_t>&)> damage;
  int maxCount;
};

class Hostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(Hostile, ReadsSafely) {
  const HostileCase& c = GetParam();
  std::vector<std::uint8_t> b = Bytes(c.base);
  c.damage(b);
  MemorySource src(b);
  IconResourceReader r(src);
  EXPECT_LE(r.Count(), c.maxCount) << r.Problem();
  for (int k = 0; k < r.Count(); ++k) {
    IconPicture pic;
    ExtractIconPicture(r, k, pic);
  }
  // Reading every icon never reads more than a few times the file.
  EXPECT_LE(src.BytesRead(), 4 * b.size() + 4096);
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, Hostile,
    ::testing::Values(
        HostileCase{"cut after the DOS header", "groups64.exe", [](auto& b) { b.resize(64); }, 0},
        HostileCase{"cut in the resource directory", "groups64.exe",
                    [](auto& b) { b.resize(ResourceDirectoryOffset(b) + 40); }, 11},
        HostileCase{"cut in the icons", "depths64.exe", [](auto& b) { b.resize(b.size() / 2); }, 4},
        HostileCase{"new header far beyond the end", "one_icon32.exe",
                    [](auto& b) { PutU32(b, 0x3C, 0xFFFFFFF0u); }, 0},
        HostileCase{"type directory claims 65535 + 65535 entries", "groups64.exe",
                    [](auto& b) {
                      const std::size_t d = ResourceDirectoryOffset(b);
                      b[d + 12] = b[d + 13] = b[d + 14] = b[d + 15] = 0xFF;
                    },
                    11},
        HostileCase{"group directory loops back to the type directory", "groups64.exe",
                    [](auto& b) {
                      const std::size_t d = ResourceDirectoryOffset(b);
                      // Every type entry's subdirectory is the root itself.
                      const int n = b[d + 12] + b[d + 14];
                      for (int i = 0; i < n; ++i) PutU32(b, d + 16 + 8 * i + 4, 0x80000000u);
                    },
                    16},
        HostileCase{"resource RVA overflows", "one_icon32.exe",
                    [](auto& b) {
                      const std::size_t opt = GetU32(b, 0x3C) + 24;
                      PutU32(b, opt + 96 + 16, 0xFFFFFFF8u);
                    },
                    0},
        HostileCase{"NE alignment shift of 30", "sixteen.exe", [](auto& b) { b[0x80] = 30; }, 0},
        HostileCase{"NE table without end", "sixteen.exe",
                    [](auto& b) {
                      // The resident-name table offset points at the file's end.
                      b[0x40 + 0x26] = 0xFF;
                      b[0x40 + 0x27] = 0xFF;
                      b[0x82] = 0xFF;  // first type count: 0x..FF entries
                    },
                    3},
        HostileCase{"icon file claiming 65535 images", "one_icon32.exe",
                    [](auto& b) {
                      b = {0, 0, 1, 0,    0xFF, 0xFF, 32,   32, 0, 0, 1,
                           0, 8, 0, 0xFF, 0xFF, 0xFF, 0x7F, 22, 0, 0, 0};
                    },
                    1},
        HostileCase{"not a program", "one_icon32.exe", [](auto& b) { b[0] = 'X'; }, 0},
        HostileCase{"empty", "one_icon32.exe", [](auto& b) { b.clear(); }, 0}));

TEST(FileSource, RefusesFoldersAndMissingFiles) {
  test::TempDir dir;
  std::string error;
  EXPECT_FALSE(FileSource::Open(dir.path(), error));
  EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
  EXPECT_FALSE(FileSource::Open(dir.file("none.exe"), error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  // A FIFO with no writer is refused at once rather than waited on.
  ASSERT_EQ(mkfifo(dir.file("pipe.exe").c_str(), 0600), 0);
  EXPECT_FALSE(FileSource::Open(dir.file("pipe.exe"), error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

// A 64 MB program whose resources sit before 64 MB of other data: the reader
// touches only the headers and the icon it extracts.
TEST(FileSource, ReadsOnlyHeadersAndTheNeededIcon) {
  test::TempDir dir;
  std::vector<std::uint8_t> b = Bytes("groups64.exe");
  const std::size_t small = b.size();
  b.resize(b.size() + (64u << 20));
  test::WriteAll(dir.file("big.exe"), b);
  std::string error;
  auto src = FileSource::Open(dir.file("big.exe"), error);
  ASSERT_TRUE(src);
  IconResourceReader r(*src);
  ASSERT_EQ(r.Count(), 11);
  IconPicture pic;
  ASSERT_TRUE(ExtractIconPicture(r, 3, pic));
  EXPECT_LT(src->BytesRead(), small / 4) << src->Reads() << " reads";
}

// Listing every group again (as the extraction window and --list may) finds
// each group's directory again but neither locates nor reads its images
// twice: a hostile file's groups may name one image a million times.
TEST(IconResources, ImagesListedAgainAreNotReadAgain) {
  const std::vector<std::uint8_t> b = Bytes("groups64.exe");
  MemorySource src(b);
  IconResourceReader r(src);
  ASSERT_EQ(r.Count(), 11);
  auto listAll = [&r] {
    std::vector<std::string> out;
    std::vector<IconGroupEntry> entries;
    for (int k = 0; k < r.Count(); ++k) {
      r.ReadGroup(k, entries);
      for (const IconGroupEntry& e : entries) {
        IconImageInfo i;
        r.ReadImageInfo(e, i);
        out.push_back(std::to_string(e.offset) + ":" + std::to_string(e.size) + " " +
                      std::to_string(i.width) + "x" + std::to_string(i.height) + "x" +
                      std::to_string(i.bitCount) + (i.png ? "png" : ""));
      }
    }
    return out;
  };
  const std::vector<std::string> first = listAll();
  const int reads = src.Reads();
  EXPECT_EQ(listAll(), first);
  // Per group: its language directory (header, entries), data entry and bytes.
  EXPECT_LE(src.Reads() - reads, 4 * r.Count());
}

// An old-style program of 5,000 icon groups (all the same small directory):
// only the first 4,096 are offered, and the reader says the rest were cut.
TEST(IconResources, GroupsBeyondTheLimitAreCutAndSaid) {
  constexpr int kGroups = 5000;
  bytes::Writer w;
  w.Tag("MZ");
  w.Fill(0x3C - 2, 0);
  w.U32(0x40);
  const std::size_t tableLength = 2 + 8 + 12 * kGroups + 2;
  w.Tag("NE");
  w.Fill(0x24 - 2, 0);
  w.U16(0x40);                                       // resource table, from the header
  w.U16(static_cast<unsigned>(0x40 + tableLength));  // resident names
  w.Fill(0x40 - 0x28, 0);
  const std::uint32_t dataAt = (0x80 + tableLength + 15) / 16 * 16;
  w.U16(4);  // shift
  w.U16(0x800E), w.U16(kGroups), w.U32(0);
  for (int k = 0; k < kGroups; ++k)
    w.U16(dataAt >> 4), w.U16(2), w.U16(0x1030), w.U16(0x8000 | (k + 1)), w.U32(0);
  w.U16(0);
  w.Fill(dataAt - w.Size(), 0);
  w.U16(0), w.U16(1), w.U16(0);  // an empty group directory
  w.Fill(26, 0);
  const std::vector<std::uint8_t> program = w.Take();
  MemorySource src(program);
  IconResourceReader reader(src);
  EXPECT_EQ(reader.Container(), IconContainer::Ne);
  EXPECT_EQ(reader.Count(), kMaxIconGroups);
  EXPECT_TRUE(reader.GroupsCut());
  EXPECT_EQ(reader.GroupName(kMaxIconGroups - 1).id, static_cast<std::uint32_t>(kMaxIconGroups));

  // A group of 300 images: the first 256 are read, and the group is sound.
  bytes::Writer g;
  g.U16(0), g.U16(1), g.U16(300);
  g.Fill(14 * 300, 0);
  std::vector<IconGroupEntry> entries;
  EXPECT_TRUE(ParseGroupDirectory(g.Take(), entries));
  EXPECT_EQ(entries.size(), kMaxGroupImages);
}

// Group names that are not ASCII: UTF-16 with a surrogate pair (programs)
// and Latin-1 letters of the upper half (16-bit programs).
TEST(GroupNames, NonAsciiNamesDecodeToUtf8) {
  auto replace = [](std::vector<std::uint8_t>& b, const std::vector<std::uint8_t>& from,
                    const std::vector<std::uint8_t>& to) {
    const auto at = std::search(b.begin(), b.end(), from.begin(), from.end());
    ASSERT_NE(at, b.end());
    std::copy(to.begin(), to.end(), at);
  };
  {
    std::vector<std::uint8_t> b = Bytes("groups64.exe");
    // "ALPHA" (5 units) becomes e-acute, U+1F600 (two units), y-diaeresis, "A".
    replace(b, {5, 0, 'A', 0, 'L', 0, 'P', 0, 'H', 0, 'A', 0},
            {5, 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0xFF, 0, 'A', 0});
    MemorySource src(b);
    IconResourceReader r(src);
    ASSERT_GE(r.Count(), 1) << r.Problem();
    EXPECT_EQ(Names(r)[0],
              "\xC3\xA9\xF0\x9F\x98\x80\xC3\xBF"
              "A");
  }
  {
    std::vector<std::uint8_t> b = Bytes("sixteen.exe");
    replace(b, {3, 'A', 'P', 'P'}, {3, 0xC0, 0xE9, 0xFF});
    MemorySource src(b);
    IconResourceReader r(src);
    ASSERT_GE(r.Count(), 1) << r.Problem();
    EXPECT_EQ(Names(r)[0], "\xC3\x80\xC3\xA9\xC3\xBF");
  }
}

// A program whose last resource ends exactly where its section's raw data
// ends is read; one byte less of the section and it is not.
TEST(PeSections, ResourceEndingAtTheSectionsEndIsRead) {
  const std::vector<std::uint8_t> original = Bytes("one_icon32.exe");
  std::uint64_t end = 0;
  {
    MemorySource src(original);
    IconResourceReader r(src);
    std::vector<IconGroupEntry> entries;
    ASSERT_TRUE(r.ReadGroup(0, entries));
    // The last of the resources: an image or the group directory (found by its bytes).
    std::vector<std::uint8_t> group = {0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
    for (const IconGroupEntry& e : entries) {
      end = std::max(end, e.offset + e.size);
      const std::uint8_t row[] = {e.width,
                                  e.height,
                                  e.colorCount,
                                  e.reserved,
                                  static_cast<std::uint8_t>(e.planes),
                                  static_cast<std::uint8_t>(e.planes >> 8),
                                  static_cast<std::uint8_t>(e.bitCount),
                                  static_cast<std::uint8_t>(e.bitCount >> 8),
                                  static_cast<std::uint8_t>(e.bytesInResource),
                                  static_cast<std::uint8_t>(e.bytesInResource >> 8),
                                  static_cast<std::uint8_t>(e.bytesInResource >> 16),
                                  static_cast<std::uint8_t>(e.bytesInResource >> 24),
                                  static_cast<std::uint8_t>(e.id),
                                  static_cast<std::uint8_t>(e.id >> 8)};
      group.insert(group.end(), std::begin(row), std::end(row));
    }
    const auto at = std::search(original.begin(), original.end(), group.begin(), group.end());
    ASSERT_NE(at, original.end());
    end = std::max<std::uint64_t>(end, (at - original.begin()) + group.size());
  }
  const std::size_t pe = GetU32(original, 0x3C);
  const std::size_t table = pe + 24 + (original[pe + 20] | (original[pe + 21] << 8));
  std::size_t section = 0;
  for (int i = 0; i < (original[pe + 6] | (original[pe + 7] << 8)); ++i) {
    const std::size_t s = table + 40 * i;
    const std::uint32_t raw = GetU32(original, s + 20), rawSize = GetU32(original, s + 16);
    if (end > raw && end <= raw + rawSize) section = s;
  }
  ASSERT_NE(section, 0u);
  for (std::uint32_t cut : {0u, 1u}) {
    std::vector<std::uint8_t> b = original;
    const std::uint32_t rawSize = static_cast<std::uint32_t>(end - GetU32(b, section + 20)) - cut;
    PutU32(b, section + 16, rawSize);
    MemorySource src(b);
    IconResourceReader r(src);
    IconPicture pic;
    EXPECT_EQ(r.Count() == 1 && ExtractIconPicture(r, 0, pic), cut == 0)
        << "section cut " << cut << " byte(s) short of the icon's end: " << r.Problem();
  }
}

}  // namespace
}  // namespace gs
