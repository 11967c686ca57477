// The print window, printed through Qt's own PDF output and read back with
// pdftocairo, as a user would look at the page.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "document/canvas_view.h"
#include "shell/frmPrint.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

constexpr int kMarginPixels = 150;  // a quarter inch at 600 dpi

struct Gray {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  unsigned char at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Renders the first page of `pdf` in grey at `dpi`, optionally cropped
// (cairo places image edges exactly on the pixel grid).
bool Rasterize(const std::string& pdf, int dpi, Gray& out, const std::string& crop = "") {
  const std::string base = pdf + ".page";
  const std::string cmd = "pdftocairo -png -gray -singlefile -r " + std::to_string(dpi) + " " +
                          crop + " '" + pdf + "' '" + base + "' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return false;
  const QImage img =
      QImage(QString::fromStdString(base + ".png")).convertToFormat(QImage::Format_Grayscale8);
  if (img.isNull()) return false;
  out.width = img.width();
  out.height = img.height();
  out.pixels.clear();
  for (int y = 0; y < img.height(); ++y)
    out.pixels.insert(out.pixels.end(), img.constScanLine(y), img.constScanLine(y) + img.width());
  return true;
}

struct Box {
  int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1 when nothing is dark
};
Box DarkBox(const Gray& g) {
  Box b;
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (g.at(x, y) < 128) {
        if (b.left < 0 || x < b.left) b.left = x;
        if (b.right < x) b.right = x;
        if (b.top < 0) b.top = y;
        b.bottom = y;
      }
  return b;
}

class PrintWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v pdftocairo >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "pdftocairo (poppler-utils) missing";
    SetPrinterProbe([] { return false; });
    for (Color& c : doc_.surface.Pixels()) c = kBlack;
  }
  void TearDown() override { SetPrinterProbe(nullptr); }

  // Prints `text` to a PDF through the window's no-printer road.
  std::string PrintToPdf(frmPrint& w, const QString& text) {
    const std::string path = dir_.file("page.pdf");
    std::remove(path.c_str());
    fakes_.saveAnswers.push_back(QString::fromStdString(path));
    w.cboStretch()->setCurrentText(text);
    w.cmdPrint()->click();
    return path;
  }

  IconDocument doc_;
  test::TempDir dir_;
  test::FakeDialogs fakes_;
  test::TestEnvironment env_{&fakes_};
};

TEST_F(PrintWindow, OpensWithTheLastSizeInPortraitAtLeft56) {
  frmPrint w(doc_, env_);
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8(" Varnel Glyphsmith - Impression"));
  EXPECT_EQ(w.cboStretch()->count(), 15);
  EXPECT_EQ(w.cboStretch()->itemText(0), "100%");
  EXPECT_EQ(w.cboStretch()->currentText(), "5000%");
  EXPECT_TRUE(w.optStyle(0)->isChecked());
  EXPECT_EQ(w.Picture1()->size(), QSize(481, 481));
  EXPECT_EQ(w.picPaper()->geometry(), QRect(56, 2, 344, 468));
  w.optStyle(1)->click();
  EXPECT_EQ(w.picPaper()->geometry(), QRect(2, 18, 468, 344));
  w.optStyle(0)->click();
  EXPECT_EQ(w.picPaper()->geometry(), QRect(18, 2, 344, 468));
}

TEST_F(PrintWindow, PreviewFollowsTheSheetProportions) {
  frmPrint w(doc_, env_);
  const PrintSize page = w.PrintableSize();
  ASSERT_GT(page.width, 0);
  const PixelRect r = w.PreviewRect();
  EXPECT_EQ(r.width, static_cast<int>(std::nearbyint(344.0 / page.width * 1600)));
  EXPECT_EQ(r.left, static_cast<int>(std::nearbyint((page.width - 1600) / 2.0 * 344 / page.width)));
  w.cboStretch()->setCurrentText("Stretch");
  EXPECT_EQ(w.PreviewRect(), (PixelRect{0, 0, 344, 468}));
  // The sheet shows the icon where the preview says.
  w.cboStretch()->setCurrentText("5000%");
  const QImage sheet = w.picPaper()->grab().toImage();
  const PixelRect p = w.PreviewRect();
  EXPECT_EQ(sheet.pixel(p.left + p.width / 2, p.top + p.height / 2), qRgb(0, 0, 0));
  EXPECT_EQ(sheet.pixel(p.left - 2, p.top + p.height / 2), qRgb(255, 255, 255));
}

TEST_F(PrintWindow, PrintsCentredAtTheMagnification) {
  struct Case {
    const char* text;
    int side;
  } cases[] = {{"100%", 32}, {"5000%", 1600}, {"250%", 80}};
  for (const Case& c : cases) {
    frmPrint w(doc_, env_);
    const PrintSize page = w.PrintableSize();
    const std::string pdf = PrintToPdf(w, c.text);
    ASSERT_EQ(w.result(), QDialog::Accepted) << c.text;
    const int left = kMarginPixels + static_cast<int>(std::nearbyint((page.width - c.side) / 2.0));
    const int top = kMarginPixels + static_cast<int>(std::nearbyint((page.height - c.side) / 2.0));
    // Only the neighbourhood of the icon, at the page's own resolution.
    const std::string crop = "-x " + std::to_string(left - 8) + " -y " + std::to_string(top - 8) +
                             " -W " + std::to_string(c.side + 16) + " -H " +
                             std::to_string(c.side + 16);
    Gray g;
    ASSERT_TRUE(Rasterize(pdf, 600, g, crop)) << c.text;
    const Box b = DarkBox(g);
    EXPECT_EQ(b.left, 8) << c.text;
    EXPECT_EQ(b.top, 8) << c.text;
    EXPECT_EQ(b.right - b.left + 1, c.side) << c.text;
    EXPECT_EQ(b.bottom - b.top + 1, c.side) << c.text;
  }
}

// The images a PDF holds, as pdfimages writes them out (PNG, so nothing is
// re-encoded on the way back).
std::vector<QImage> PdfImages(const std::string& pdf) {
  const std::string base = pdf + ".img";
  const std::string cmd = "pdfimages -png '" + pdf + "' '" + base + "' 2>/dev/null";
  std::vector<QImage> images;
  if (std::system(cmd.c_str()) != 0) return images;
  for (int i = 0;; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "-%03d.png", i);
    const QImage img(QString::fromStdString(base + name));
    if (img.isNull()) break;
    images.push_back(img.convertToFormat(QImage::Format_RGB32));
  }
  return images;
}

// The page holds the icon's own pixels, enlarged in whole printer pixels: no
// JPEG, no smoothing, at any magnification.
TEST_F(PrintWindow, ThePageHoldsTheIconsExactPixels) {
  if (std::system("command -v pdfimages >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "pdfimages (poppler-utils) missing";
  // Busy: yellow and some eight hundred other colours side by side.
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x)
      doc_.surface.SetPixelV(
          x, y,
          (x + y) % 5 == 0 ? RGB(255, 255, 0) : RGB(x * 8 + y % 8, y * 8 + x % 8, (x * y) % 256));
  for (const auto& [text, side] : {std::pair{"100%", 32}, {"250%", 80}, {"5000%", 1600}}) {
    frmPrint w(doc_, env_);
    const std::string pdf = PrintToPdf(w, text);
    ASSERT_EQ(w.result(), QDialog::Accepted) << text;
    const std::vector<QImage> images = PdfImages(pdf);
    ASSERT_EQ(images.size(), 1u) << text;
    const QImage& img = images[0];
    ASSERT_EQ(img.size(), QSize(side, side)) << text;
    int wrong = 0;
    for (int j = 0; j < side; ++j)
      for (int i = 0; i < side; ++i) {
        const Color want = doc_.surface.GetPixel(CellOf(i, side), CellOf(j, side));
        if (FromArgb32(img.pixel(i, j)) != want && ++wrong <= 3)
          ADD_FAILURE() << text << " (" << i << ", " << j << "): " << std::hex << img.pixel(i, j);
      }
    EXPECT_EQ(wrong, 0) << text;
  }
}

TEST_F(PrintWindow, TooLargeIsCutByThePageStillCentred) {
  frmPrint w(doc_, env_);
  const PrintSize page = w.PrintableSize();
  const std::string pdf = PrintToPdf(w, "20000%");  // 6400 printer pixels
  ASSERT_EQ(w.result(), QDialog::Accepted);
  Gray g;
  ASSERT_TRUE(Rasterize(pdf, 60, g));  // a tenth of the page's resolution
  const Box b = DarkBox(g);
  const int pageWidth = g.width, pageHeight = g.height;
  if (page.width < 6400) {
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, pageWidth - 1);
  }
  if (page.height > 6400) {
    const double top = (kMarginPixels + (page.height - 6400) / 2.0) / 10.0;
    EXPECT_NEAR(b.top, top, 1.0);
    EXPECT_NEAR(b.bottom + 1, top + 640, 1.0);
  }
  EXPECT_NEAR((b.left + b.right + 1) / 2.0, pageWidth / 2.0, 1.0);
  EXPECT_NEAR((b.top + b.bottom + 1) / 2.0, pageHeight / 2.0, 1.0);
}

TEST_F(PrintWindow, LandscapeTurnsThePage) {
  frmPrint w(doc_, env_);
  const PrintSize portrait = w.PrintableSize();
  w.optStyle(1)->click();
  const PrintSize landscape = w.PrintableSize();
  EXPECT_EQ(landscape.width, portrait.height);
  const std::string pdf = PrintToPdf(w, "1000%");
  Gray g;
  ASSERT_TRUE(Rasterize(pdf, 60, g));
  EXPECT_GT(g.width, g.height);
  const Box b = DarkBox(g);
  EXPECT_NEAR((b.left + b.right + 1) / 2.0, g.width / 2.0, 1.0);
  EXPECT_NEAR(b.right - b.left + 1, 32, 1.0);
  // Leave the run's printer in portrait for the other tests.
  frmPrint again(doc_, env_);
  again.optStyle(0)->click();
}

TEST_F(PrintWindow, NoFileChosenOrUnwritableSaysSoAndStaysOpen) {
  frmPrint w(doc_, env_);
  w.show();
  w.cmdPrint()->click();  // the PDF dialog is cancelled
  ASSERT_EQ(fakes_.messages.size(), 1u);
  EXPECT_EQ(fakes_.icons[0], QMessageBox::Information);
  EXPECT_EQ(fakes_.lastTitle, "Varnel Glyphsmith");
  EXPECT_TRUE(fakes_.messages[0].contains("PDF"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(fakes_.dialogs.back().defaultExtension, "pdf");

  fakes_.saveAnswers.push_back(QString::fromStdString(dir_.file("no/such/folder/page.pdf")));
  w.cmdPrint()->click();
  ASSERT_EQ(fakes_.messages.size(), 2u);
  EXPECT_TRUE(fakes_.messages[1].contains("no/such/folder")) << fakes_.messages[1].toStdString();
  EXPECT_TRUE(w.isVisible());
}

}  // namespace
}  // namespace gs
