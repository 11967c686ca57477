// What we write must open in other programs: Qt's own ICO, BMP and PNG readers
// read our files with the same pixels and transparency. Qt's ICO reader skips
// no colour table above 8 bits, as many readers do not, so our 24-bit icons
// carry none (it reads no AND mask there either, so ImageMagick and Pillow
// check their transparency: imagemagick_readers_test.cpp).
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "document/icon_document.h"
#include "document/pixel_helpers.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/kept_images.h"
#include "files/png_codec.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

QImage Decode(const std::vector<std::uint8_t>& bytes, const char* format) {
  QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  // No format: Qt tells the file by its first bytes, as for a file named
  // otherwise or dropped on a program.
  QImageReader reader(&buffer, format ? QByteArray(format) : QByteArray());
  QImage img = reader.read();
  EXPECT_FALSE(img.isNull()) << format << ": " << reader.errorString().toStdString();
  return img.convertToFormat(QImage::Format_ARGB32);
}

// Qt's picture against the colours of `want`; where `document` is white
// (when given) Qt must give a transparent pixel instead.
std::string Compare(const QImage& got, const Surface& want, const Surface* document) {
  if (got.width() != 32 || got.height() != 32)
    return "size " + std::to_string(got.width()) + " x " + std::to_string(got.height());
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Color w = want.GetPixel(x, y);
      const QRgb g = got.pixel(x, y);
      const bool clear = document && document->GetPixel(x, y) == kWhite;
      const bool ok =
          clear ? qAlpha(g) == 0 : qAlpha(g) == 255 && RGB(qRed(g), qGreen(g), qBlue(g)) == w;
      if (!ok) {
        char buf[120];
        std::snprintf(buf, sizeof buf, "at (%d, %d): Qt gives %08X, want %06X%s", x, y, g, w,
                      clear ? " transparent" : "");
        return buf;
      }
    }
  return "";
}

Surface Sample() {
  Surface s = test::ManyColours();
  s.FillRect({4, 4, 12, 9}, kWhite);
  s.FillRect({20, 0, 32, 3}, kBlack);
  s.FillRect({0, 28, 6, 32}, RGB(255, 0, 0));
  return s;
}

Surface Reduced(const Surface& s, int bits) {
  Surface r = s;
  if (bits != 24) ConvertDocumentToDepth(r, bits);
  return r;
}

TEST(QtReadsOurFiles, IconsAndCursorsAtEveryDepth) {
  const Surface pic = Sample();
  for (int bits : {1, 4, 8, 24}) {
    for (PaletteMethod m : {PaletteMethod::None, PaletteMethod::High, PaletteMethod::Extreme}) {
      if (bits != 8 && m != PaletteMethod::None) continue;
      SCOPED_TRACE("bits " + std::to_string(bits) + " method " + std::to_string(int(m)));
      std::vector<std::uint8_t> b = BuildIconBytes(pic, bits, m);
      Surface want = Reduced(pic, bits);
      if (m != PaletteMethod::None) {
        // The palette methods work on a copy with white turned black; more
        // than 256 colours means not every pixel keeps its own.
        Surface working = pic;
        ReplaceColorInRect(working, Area{0, 0, 32, 32}, kWhite, kBlack, working);
        const DepthImage img =
            m == PaletteMethod::High ? BuildExactPalette(working) : BuildSampledPalette(working);
        for (int y = 0; y < 32; ++y)
          for (int x = 0; x < 32; ++x)
            want.SetPixelV(x, y, DepthImagePixel(img, RowOrder::BottomUp, x, y));
      }
      // Above 8 bits Qt reads no AND mask: it shows the black stored under
      // the transparent pixels, and only the colours can be checked.
      const Surface* clear = &pic;
      if (bits == 24) {
        ReplaceColorInRect(want, Area{0, 0, 32, 32}, kWhite, kBlack, want);
        clear = nullptr;
      }
      EXPECT_EQ(Compare(Decode(b, "ico"), want, clear), "");
      EXPECT_EQ(Compare(Decode(b, nullptr), want, clear), "") << "told by its bytes";
      MarkAsCursor(b, 3, 9);
      EXPECT_EQ(Compare(Decode(b, "cur"), want, clear), "") << "as a cursor";
    }
  }
}

TEST(QtReadsOurFiles, EveryImageOfAFileSavedAmongOthers) {
  IconDocument doc;
  doc.surface = Sample();
  doc.sourceFile = std::make_shared<const std::vector<std::uint8_t>>(
      test::ReadAll(test::DataPath("files/multi/three_depths_icotool.ico")));
  doc.sourceEntry = 1;
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE("bits " + std::to_string(bits));
    MergedFile merged;
    std::string error;
    ASSERT_TRUE(
        BuildKeepingOtherImages(doc, bits, PaletteMethod::None, std::nullopt, merged, error));
    QByteArray data(reinterpret_cast<const char*>(merged.bytes.data()),
                    static_cast<int>(merged.bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    ASSERT_EQ(reader.imageCount(), 3) << reader.errorString().toStdString();
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(reader.jumpToImage(i));
      const QImage img = reader.read();
      EXPECT_FALSE(img.isNull()) << "image " << i << ": " << reader.errorString().toStdString();
      EXPECT_EQ(img.size(), QSize(32, 32));
    }
  }
}

TEST(QtReadsOurFiles, BitmapsAtEveryDepth) {
  const Surface pic = Sample();
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(Compare(Decode(BuildBitmapBytes(pic, bits), "bmp"), Reduced(pic, bits), nullptr), "");
  }
}

TEST(QtReadsOurFiles, PngKeepsColoursAndMakesWhiteTransparent) {
  const Surface pic = Sample();
  EXPECT_EQ(Compare(Decode(BuildPngBytes(pic), "png"), pic, &pic), "");
}

}  // namespace
}  // namespace gs
