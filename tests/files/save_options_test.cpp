#include "files/save_options.h"

#include <gtest/gtest.h>

#include "document/icon_document.h"
#include "files/depth.h"
#include "files/file_dialogs.h"

namespace gs {
namespace {

struct HotCase {
  const char* x;
  const char* y;
  bool ok;
  const char* warning;  // when refused
  int hx, hy;           // when accepted
};

class HotspotCheckTest : public ::testing::TestWithParam<HotCase> {};

TEST_P(HotspotCheckTest, ChecksXThenYAndRoundsHalvesToEven) {
  const HotCase& c = GetParam();
  const HotspotCheck r = CheckHotspot(c.x, c.y);
  EXPECT_EQ(r.ok, c.ok) << c.x << " / " << c.y;
  if (c.ok) {
    EXPECT_EQ(r.x, c.hx);
    EXPECT_EQ(r.y, c.hy);
  } else {
    EXPECT_EQ(r.warning, c.warning);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HotspotCheckTest,
    ::testing::Values(
        HotCase{"31", "0", true, "", 31, 0}, HotCase{"31.4", "0", false, kHotspotXWarning, 0, 0},
        HotCase{"0", "31.4", false, kHotspotYWarning, 0, 0},
        HotCase{"-0.4", "0", false, kHotspotXWarning, 0, 0},
        HotCase{"30.5", "29.5", true, "", 30, 30}, HotCase{"2.5", "3.5", true, "", 2, 4},
        HotCase{"abc", "xyz", true, "", 0, 0}, HotCase{"  7 px", "5,9", true, "", 7, 5},
        HotCase{"99", "-5", false, kHotspotXWarning, 0, 0},  // X first
        HotCase{"3e1", "1e2", false, kHotspotYWarning, 0, 0}, HotCase{"", "", true, "", 0, 0}));

TEST(SaveOptions, FirstLoadIs4BitsWithExtremeAndTheListDisabled) {
  SaveOptions o;
  o.Prepare(kSaveIconTitle, false);
  EXPECT_EQ(o.typeRow, 1);
  EXPECT_EQ(o.bitCnt, 4);
  EXPECT_EQ(o.arrUBnd, 511);
  EXPECT_EQ(o.optimizeRow, 2);
  EXPECT_FALSE(o.OptimizeEnabled());
  EXPECT_EQ(o.hotXText, "0");
  EXPECT_EQ(o.hotYText, "0");
}

TEST(SaveOptions, TypeRowsSetBitCountAndLastIndex) {
  SaveOptions o;
  const int bits[] = {1, 4, 8, 24}, last[] = {127, 511, 1023, 3071};
  for (int row = 0; row < 4; ++row) {
    o.SelectType(row);
    EXPECT_EQ(o.bitCnt, bits[row]);
    EXPECT_EQ(o.arrUBnd, last[row]);
  }
  o.SelectType(7);  // a row the list does not have
  EXPECT_EQ(o.bitCnt, 24);
}

TEST(SaveOptions, OptimizeListEnabledOnlyAt8BitsOutsideBitmapAndPcx) {
  struct {
    const char* title;
    int bits;
    bool enabled;
  } cases[] = {{kSaveIconTitle, 8, true}, {kSaveCursorTitle, 8, true}, {kSaveBitmapTitle, 8, false},
               {kSavePcxTitle, 8, false}, {kSaveIconTitle, 4, false},  {kSaveIconTitle, 24, false}};
  for (const auto& c : cases) EXPECT_EQ(OptimizeListEnabled(c.title, c.bits), c.enabled) << c.title;
}

TEST(SaveOptions, MethodWrittenIsTheOneTheListShows) {
  SaveOptions o;
  o.Prepare(kSaveIconTitle, false);
  o.SelectType(2);
  ASSERT_TRUE(o.Confirm().ok);
  EXPECT_EQ(PaletteMethodFromResult(o.result), PaletteMethod::Extreme);

  // The next showing resets the result; the list still shows "Extreme".
  o.Prepare(kSaveIconTitle, false);
  EXPECT_EQ(o.result, 0);
  ASSERT_TRUE(o.Confirm().ok);
  EXPECT_EQ(PaletteMethodFromResult(o.result), PaletteMethod::Extreme);

  o.Prepare(kSaveIconTitle, false);
  o.SelectOptimize(1);
  o.SelectType(3);  // changing the depth does not change the method
  o.SelectType(2);
  ASSERT_TRUE(o.Confirm().ok);
  EXPECT_EQ(PaletteMethodFromResult(o.result), PaletteMethod::High);

  o.Prepare(kSaveIconTitle, false);
  o.Cancel();
  EXPECT_TRUE(o.Cancelled());
}

TEST(SaveOptions, WriterReadsResultBits) {
  EXPECT_EQ(PaletteMethodFromResult(0), PaletteMethod::None);
  EXPECT_EQ(PaletteMethodFromResult(1), PaletteMethod::High);
  EXPECT_EQ(PaletteMethodFromResult(2), PaletteMethod::Extreme);
  EXPECT_EQ(PaletteMethodFromResult(3), PaletteMethod::High);
}

TEST(SaveOptions, HotspotCheckedOnlyWhenTheGroupIsShown) {
  SaveOptions o;
  o.Prepare(kSaveBitmapTitle, false);
  EXPECT_TRUE(o.Confirm("99", "99").ok);
  EXPECT_EQ(o.hotspotX, 0);

  o.Prepare(kSaveCursorTitle, true);
  const HotspotCheck bad = o.Confirm("40", "40");
  EXPECT_FALSE(bad.ok);
  EXPECT_EQ(bad.warning, kHotspotXWarning);
  EXPECT_EQ(o.result, 0);  // still open, nothing taken

  o.PointAtPreview(5, 7);
  EXPECT_EQ(o.hotXText, "5");
  EXPECT_EQ(o.hotYText, "7");
  ASSERT_TRUE(o.Confirm().ok);
  EXPECT_EQ(o.hotspotX, 5);
  EXPECT_EQ(o.hotspotY, 7);
}

TEST(SaveOptions, PreviewShowsTheStandardTableAndKeepsWhite) {
  IconDocument doc;
  doc.surface.SetPixelV(3, 4, RGB(250, 10, 10));
  doc.surface.SetPixelV(5, 6, RGB(20, 20, 20));
  const Surface one = PreviewAtDepth(doc.surface, 1);
  EXPECT_EQ(one.GetPixel(0, 0), kWhite);
  EXPECT_EQ(one.GetPixel(5, 6), kBlack);
  const Surface eight = PreviewAtDepth(doc.surface, 8);
  EXPECT_EQ(eight.GetPixel(3, 4),
            StandardTable(8)[NearestStandardIndex(8, RGB(250, 10, 10))].ToColor());
  const Surface full = PreviewAtDepth(doc.surface, 24);
  EXPECT_EQ(full.GetPixel(3, 4), RGB(250, 10, 10));
}

TEST(FileDialogs, PatternsAndFolders) {
  EXPECT_EQ(FilterPatterns({"Icon (*.ico; *.cur)", "*.ico;*.cur"}),
            (std::vector<std::string>{"*.ico", "*.cur"}));
  EXPECT_EQ(FilterPatterns({"x", " *.a ; ;*.b"}), (std::vector<std::string>{"*.a", "*.b"}));
  EXPECT_EQ(FolderOfPath("/home/ann/star.ico"), "/home/ann/");
  EXPECT_EQ(FolderOfPath("C:\\Icons\\a.ico"), "C:\\Icons\\");
  EXPECT_EQ(FolderOfPath("star.ico"), "");
  EXPECT_EQ(CutAtNul(std::string("/a.ico\0/b", 9)), "/a.ico");
  EXPECT_EQ(SampleFolder("/opt/gs", true), "/opt/gs/curseur");
  EXPECT_EQ(SampleFolder("/opt/gs/", false), "/opt/gs/icon");
}

}  // namespace
}  // namespace gs
