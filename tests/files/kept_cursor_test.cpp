// A cursor of several sizes without a 32 x 32 image: the edited picture joins
// it, and its hotspot is the hotspot of the image shown, moved to the same
// place at 32 pixels, each axis by its own coordinate.
#include <gtest/gtest.h>

#include "files/byte_io.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/kept_images.h"

namespace gs {
namespace {

// A 1-bit cursor image of side x side pixels, all black: header, two colours,
// colour rows and mask rows of whole 32-bit words.
std::vector<std::uint8_t> CursorImage(int side) {
  const std::size_t rowBytes = static_cast<std::size_t>((side + 31) / 32 * 4);
  bytes::Writer w;
  w.U32(40);
  w.U32(static_cast<std::uint32_t>(side));
  w.U32(static_cast<std::uint32_t>(side * 2));
  w.U16(1);
  w.U16(1);
  w.Fill(24, 0);
  w.U32(0x000000);
  w.U32(0xFFFFFF);
  w.Fill(rowBytes * static_cast<std::size_t>(side) * 2, 0);
  return w.Take();
}

struct Image {
  int side;
  int hotspotX, hotspotY;
};

std::vector<std::uint8_t> CursorFile(const std::vector<Image>& images) {
  bytes::Writer w;
  w.U16(0);
  w.U16(2);
  w.U16(static_cast<unsigned>(images.size()));
  std::vector<std::vector<std::uint8_t>> data;
  std::uint32_t at = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const Image& i : images) {
    data.push_back(CursorImage(i.side));
    w.U8(static_cast<unsigned>(i.side));
    w.U8(static_cast<unsigned>(i.side));
    w.U8(2);
    w.U8(0);
    w.U16(static_cast<unsigned>(i.hotspotX));
    w.U16(static_cast<unsigned>(i.hotspotY));
    w.U32(static_cast<std::uint32_t>(data.back().size()));
    w.U32(at);
    at += static_cast<std::uint32_t>(data.back().size());
  }
  for (const auto& d : data) w.Bytes(d);
  return w.Take();
}

TEST(KeptCursor, JoiningImageTakesTheShownHotspotScaledOnEachAxis) {
  struct Case {
    const char* name;
    std::vector<Image> images;
    int shown;
    int wantX, wantY;
  } cases[] = {
      {"48 shown", {{16, 1, 2}, {48, 20, 40}}, 1, 13, 26},  // 20 * 32 / 48, 40 * 32 / 48
      {"16 shown", {{16, 5, 9}, {64, 0, 63}}, 0, 10, 18},
      {"a hotspot past the image stays inside", {{16, 1, 1}, {48, 60, 2}}, 1, 31, 1},
  };
  const Surface picture;
  const std::vector<std::uint8_t> single = BuildIconBytes(picture, 1, PaletteMethod::None);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::uint8_t> source = CursorFile(c.images);
    MergedFile merged;
    ASSERT_TRUE(MergeEditedImage(source, c.shown, single, std::nullopt, merged));
    const IconDirectory dir = ReadIconDirectory(merged.bytes);
    EXPECT_EQ(dir.header.type, 2);
    ASSERT_EQ(dir.entries.size(), c.images.size() + 1);
    const IconDirectoryEntry& joined = dir.entries.back();
    EXPECT_EQ(joined.width, 32);
    EXPECT_EQ(joined.planes, c.wantX) << "hotspot x";
    EXPECT_EQ(joined.bitCount, c.wantY) << "hotspot y";
    for (std::size_t i = 0; i < c.images.size(); ++i) {
      EXPECT_EQ(dir.entries[i].planes, c.images[i].hotspotX) << "entry " << i;
      EXPECT_EQ(dir.entries[i].bitCount, c.images[i].hotspotY) << "entry " << i;
    }
  }
}

}  // namespace
}  // namespace gs
