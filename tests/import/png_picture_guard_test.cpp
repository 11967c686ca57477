// The picture import's PNG decoder against headers claiming far more than the
// bytes hold: refused, or read, within a small, fixed amount of memory.
#include <gtest/gtest.h>

#include "import/picture_decoder.h"
#include "tests/files/hostile_png.h"

namespace gs {
namespace {

using namespace test::png_bytes;

TEST(PngPictureGuard, HostilePicturesStayWithinAFewMegabytes) {
  const Bytes tinyIdat = Deflated(Bytes(64, 0));
  Bytes bigText{'k', 0, 0};
  const Bytes inflated = Deflated(Bytes(4000000, 'a'));
  bigText.insert(bigText.end(), inflated.begin(), inflated.end());
  struct Case {
    const char* name;
    Bytes png;
    bool reads;
  } cases[] = {
      {"text chunk claiming 2 GB",
       Png(8,
           [](bytes::Writer& w) {
             Chunk(w, "tEXt", {'k', 0, 'v'}, 0x7FFFFFF0);
           }),
       false},
      {"profile claiming 2 GB",
       Png(8,
           [](bytes::Writer& w) {
             Chunk(w, "iCCP", {'p', 0, 0}, 0x7FFFFFF0);
           }),
       false},
      {"4000 x 4000 header over 64 bytes of pixels", Png(4000, nullptr, &tinyIdat), false},
      {"60 compressed texts of 4 MB each",
       Png(8,
           [&](bytes::Writer& w) {
             for (int i = 0; i < 60; ++i) Chunk(w, "zTXt", bigText);
           }),
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool read = false;
    const long peak = PeakMegabytesDoing(
        [&] {
          Picture pic;
          std::string error;
          return DecodePngPicture(c.png, pic, error) && pic.pixels.at(0) == RGB(200, 10, 20);
        },
        read);
    EXPECT_LT(peak, 64);
    EXPECT_EQ(read, c.reads);
  }
}

}  // namespace
}  // namespace gs
