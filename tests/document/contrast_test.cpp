#include "document/contrast.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

TEST(Contrast, RatioAndTheInkThatStaysReadable) {
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(RGB(53, 53, 53), RGB(53, 53, 53)), 1.0);
  // Black lines on a dark desktop's button grey: the fault this guards.
  const Color darkButton = RGB(53, 53, 53);
  EXPECT_LT(ContrastRatio(kBlack, darkButton), kReadableContrast);
  EXPECT_EQ(ReadableInk(kBlack, darkButton), kWhite);
  EXPECT_EQ(ReadableInk(RGB(52, 56, 68), darkButton), kWhite);
  // A readable ink is kept; on a light grey black stays.
  EXPECT_EQ(ReadableInk(kBlack, RGB(239, 239, 239)), kBlack);
  EXPECT_EQ(ReadableInk(RGB(200, 0, 0), kWhite), RGB(200, 0, 0));
  // Mid grey: whichever of black and white contrasts more.
  EXPECT_EQ(ReadableInk(RGB(110, 110, 110), RGB(120, 120, 120)), kBlack);
  EXPECT_GE(ContrastRatio(ReadableInk(kBlack, RGB(90, 90, 90)), RGB(90, 90, 90)),
            kReadableContrast);
}

}  // namespace
}  // namespace gs
