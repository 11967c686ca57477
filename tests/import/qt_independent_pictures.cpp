// Our picture decoders against Qt's own readers, on the seed pictures written
// by ImageMagick (every BMP layout, PNG kinds, JPEG baseline, progressive,
// grey and CMYK, GIF plain, interlaced, transparent and animated). Transparent
// pixels are composed over white on both sides, as the import does.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>

#include "import/picture_decoder.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

TEST(IndependentPictures, AgreeWithQtsReaders) {
  const QString root = QString(GS_TEST_DATA_DIR) + "/../fuzz/picture_corpus";
  int compared = 0;
  for (const char* format : {"bmp", "png", "jpeg", "gif"}) {
    const QDir dir(root + "/" + format);
    for (const QString& name : dir.entryList(QDir::Files)) {
      SCOPED_TRACE((QString(format) + "/" + name).toStdString());
      const QString path = dir.filePath(name);
      QImageReader reader(path);
      QImage theirs = reader.read();
      if (theirs.isNull()) continue;  // a layout Qt does not read
      theirs = theirs.convertToFormat(QImage::Format_ARGB32);
      Picture ours;
      std::string error;
      ASSERT_TRUE(LoadPictureFile(path.toStdString(), ours, error)) << error;
      ASSERT_EQ(ours.width, theirs.width());
      ASSERT_EQ(ours.height, theirs.height());
      const int tolerance = QString(format) == "jpeg" ? 2 : 1;
      int worst = 0;
      for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
          const QRgb q = theirs.pixel(x, y);
          const Color expected = OverWhite(qRed(q), qGreen(q), qBlue(q), qAlpha(q));
          const Color got = ours.pixels[static_cast<std::size_t>(y) * ours.width + x];
          worst = std::max({worst, std::abs(RedOf(got) - RedOf(expected)),
                            std::abs(GreenOf(got) - GreenOf(expected)),
                            std::abs(BlueOf(got) - BlueOf(expected))});
        }
      EXPECT_LE(worst, tolerance);
      ++compared;
    }
  }
  EXPECT_GE(compared, 18);
}

}  // namespace
}  // namespace gs
