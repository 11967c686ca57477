#include <gtest/gtest.h>

#include "effects/text_stamp.h"

namespace gs {
namespace {

TEST(TextStamp, SizeAndPositionTexts) {
  struct Case {
    const char* text;
    std::optional<int> size;
    int position;
  } cases[] = {{"8", 8, 8},
               {"abc", std::nullopt, 0},
               {"0", std::nullopt, 0},
               {"-3", std::nullopt, -3},
               {"10.5", 10, 10},
               {"11.5pt", 12, 12},
               {"1e12", std::nullopt, 2147483647}};
  for (const Case& c : cases) {
    EXPECT_EQ(FontSizeFromText(c.text), c.size) << c.text;
    EXPECT_EQ(TextPositionFromText(c.text), c.position) << c.text;
  }
  EXPECT_STREQ(kTextFontSizes[kTextDefaultSizeIndex], "8");
}

TEST(TextStamp, StartFont) {
  struct Case {
    std::vector<std::string> names;
    const char* desktop;
    int chosen;
  } cases[] = {
      {{"Arial", "ms sans serif bold", "MS Sans Serif"}, "Arial", 1},
      {{"DejaVu Sans Mono", "DejaVu Serif", "DejaVu Sans"}, "DejaVu Sans", 2},
      {{"DejaVu Sans Mono", "Liberation"}, "DejaVu Sans", 0},
      {{"Zed", "Noto Sans Display"}, "Noto Sans", 1},
      {{"Zed", "Ypsilon"}, "Noto Sans", 0},
      {{}, "Noto Sans", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseStartFont(c.names, c.desktop), c.chosen) << c.desktop;
}

TEST(TextStamp, CoverageStampsOnlyGlyphPixels) {
  Surface s(4, 1);
  s.FillRect(s.Bounds(), kWhite);
  StampCoverage(s, {0, 127, 128, 255}, RGB(255, 0, 0));
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  EXPECT_EQ(s.GetPixel(1, 0), kWhite);
  EXPECT_EQ(s.GetPixel(2, 0), RGB(255, 0, 0));
  EXPECT_EQ(s.GetPixel(3, 0), RGB(255, 0, 0));
  StampCoverage(s, {255}, kBlack);  // wrong size: nothing
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
}

}  // namespace
}  // namespace gs
