#include "import/picture_import.h"

#include <gtest/gtest.h>

#include "document/area_scale.h"
#include "files/png_codec.h"

namespace gs {
namespace {

Picture Checkerboard(int w, int h) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.pixels.push_back(RGB(x * 255 / std::max(1, w - 1), y * 4 % 256, (x + y) % 2 ? 200 : 10));
  return p;
}

Surface Blank() {
  Surface s(32, 32);
  s.FillRect(s.Bounds(), RGB(1, 2, 3));
  return s;
}

TEST(PictureImport, ThirtyTwoSquareRegionIsReproducedExactly) {
  const Picture pic = Checkerboard(32, 32);
  Surface icon = Blank();
  ASSERT_TRUE(ImportPictureRegion(icon, pic, {0, 0, 32, 32}));
  EXPECT_EQ(icon.Pixels(), pic.pixels);
}

TEST(PictureImport, SixtyFourSquareBecomesTwoByTwoAverages) {
  const Picture pic = Checkerboard(64, 64);
  Surface icon = Blank();
  ASSERT_TRUE(ImportPictureRegion(icon, pic, {0, 0, 64, 64}));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int sum[3] = {};
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
          const Color c = pic.pixels[static_cast<std::size_t>(2 * y + dy) * 64 + 2 * x + dx];
          sum[0] += RedOf(c), sum[1] += GreenOf(c), sum[2] += BlueOf(c);
        }
      const Color got = icon.GetPixel(x, y);
      // Quarter sums: .5 goes to the even neighbour, the scaler's rounding.
      EXPECT_NEAR(RedOf(got), sum[0] / 4.0, 0.5) << x << "," << y;
      EXPECT_NEAR(GreenOf(got), sum[1] / 4.0, 0.5) << x << "," << y;
      EXPECT_NEAR(BlueOf(got), sum[2] / 4.0, 0.5) << x << "," << y;
    }
}

TEST(PictureImport, WideRegionIsSqueezedEachAxisOnItsOwn) {
  const Picture pic = Checkerboard(64, 32);
  Surface icon = Blank();
  ASSERT_TRUE(ImportPictureRegion(icon, pic, {0, 0, 64, 32}));
  Surface expected = Blank();
  AreaScaleCopy(expected, Area{0, 0, 32, 32}, pic.View(), Area{0, 0, 64, 32});
  EXPECT_EQ(icon.Pixels(), expected.Pixels());
  // Rows keep their own colours (no vertical blend); columns are pairs.
  const Color c = icon.GetPixel(5, 7);
  EXPECT_EQ(GreenOf(c), 28);
  EXPECT_EQ(BlueOf(c), 105);
}

TEST(PictureImport, DraggingBackwardsGivesOrderedCorners) {
  ImportRegion r;
  r.Press(40, 30);
  r.Move(200, -5, 100, 80);  // clamped to the picture while dragging
  EXPECT_EQ(r.x2, 100);
  EXPECT_EQ(r.y2, 0);
  r.Release(10, 5, 100, 80);
  r.Arrange();
  EXPECT_EQ(r, (ImportRegion{10, 5, 40, 30}));
  // Halves go to the even neighbour.
  r.Press(2.5, 3.5);
  EXPECT_EQ(r.x1, 2);
  EXPECT_EQ(r.y1, 4);
}

TEST(PictureImport, StartRegionIsTheLargestCentredSquare) {
  struct Row {
    int width, height;
    ImportRegion start;
  };
  for (const Row& r :
       {Row{40, 40, {0, 0, 40, 40}}, Row{64, 48, {8, 0, 56, 48}}, Row{40, 101, {0, 30, 40, 70}},
        Row{2000, 1, {999, 0, 1000, 1}}, Row{0, 0, {0, 0, 0, 0}}}) {
    SCOPED_TRACE(testing::Message() << r.width << " x " << r.height);
    EXPECT_EQ(StartRegion(r.width, r.height), r.start);
  }
  // A square picture's start gives the icon the whole picture opens as.
  const Picture pic = Checkerboard(64, 64);
  Surface icon = Blank();
  ASSERT_TRUE(ImportPictureRegion(icon, pic, StartRegion(64, 64)));
  EXPECT_EQ(icon.Pixels(), ImportWholePicture(pic).Pixels());
}

TEST(PictureImport, FieldsTakeDigitsAndTheirLeadingNumber) {
  struct Row {
    const char* typed;
    const char* kept;
    int corner;
  };
  for (const Row& r : {Row{"12", "12", 12}, Row{"a1b2", "12", 12}, Row{"-7", "7", 7},
                       Row{"", "", 0}, Row{"99999999999999", "99999999999999", 2147483647}}) {
    SCOPED_TRACE(r.typed);
    EXPECT_EQ(DigitsOnly(r.typed), r.kept);
    EXPECT_EQ(CornerFromText(DigitsOnly(r.typed)), r.corner);
  }
  EXPECT_EQ(ImportRegion{}, (ImportRegion{0, 0, 32, 3}));
}

TEST(PictureImport, EmptyOrHugeRegions) {
  const Picture pic = Checkerboard(10, 10);
  Surface icon = Blank();
  EXPECT_FALSE(ImportPictureRegion(icon, pic, {5, 5, 5, 9}));
  EXPECT_EQ(icon.Pixels(), Blank().Pixels());
  // Corners far beyond the picture read its edge pixels; nothing breaks.
  EXPECT_TRUE(ImportPictureRegion(icon, pic, {0, 0, 2147483647, 2147483647}));
  EXPECT_EQ(icon.GetPixel(31, 31), pic.pixels.back());
  EXPECT_FALSE(ImportPictureRegion(icon, Picture{}, {0, 0, 32, 32}));
}

TEST(PictureImport, ScrollRangesAndDialog) {
  EXPECT_EQ(ScrollMaximum(100, 300), 0);
  EXPECT_EQ(ScrollMaximum(500, 300), 200);
  EXPECT_EQ(ScrollMaximum(300, 300), 0);
  const FileDialogRequest d = ImportPictureDialog();
  EXPECT_EQ(d.title, "Import Picture");
  ASSERT_EQ(d.filters.size(), 6u);
  EXPECT_EQ(d.filters[0].pattern, "*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf");
  EXPECT_EQ(d.filters[4].description, "Windows Metafiles (*.wmf;*.emf)");
  EXPECT_EQ(d.filters[5].pattern, "*.*");
}

TEST(PictureImport, RegionTextOfTheTool) {
  ImportRegion r;
  EXPECT_TRUE(ParseRegionText("1,2,30,40", r));
  EXPECT_EQ(r, (ImportRegion{1, 2, 30, 40}));
  for (const char* bad :
       {"", "1,2,3", "1,2,3,4,5", "1,-2,3,4", "a,2,3,4", "1,2,3,99999999999", "1, 2,3,4"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseRegionText(bad, r));
  }
}

TEST(PictureImport, OpenedPictureIsAnUntitledDocument) {
  IconDocument doc;
  doc.fileName = "/home/me/logo.png";
  doc.modified = true;
  doc.selection.active = true;
  Surface s(32, 32);
  s.FillRect(s.Bounds(), RGB(0, 0, 200));
  std::string error;
  ASSERT_TRUE(OpenPictureAsDocument(BuildPngBytes(s), doc, error)) << error;
  EXPECT_EQ(doc.surface.Pixels(), s.Pixels());
  EXPECT_TRUE(doc.fileName.empty());
  EXPECT_FALSE(doc.modified);
  EXPECT_FALSE(doc.selection.active);
  // Damaged: the document stays as it was.
  doc.fileName = "kept.ico";
  const std::vector<std::uint8_t> damaged = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
  EXPECT_FALSE(OpenPictureAsDocument(damaged, doc, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(doc.fileName, "kept.ico");
}

TEST(PictureImport, WholePictureOnWhite) {
  Picture p;
  p.width = 1;
  p.height = 1;
  p.pixels = {RGB(9, 9, 9)};
  const Surface icon = ImportWholePicture(p);
  for (Color c : icon.Pixels()) EXPECT_EQ(c, RGB(9, 9, 9));
}

}  // namespace
}  // namespace gs
