#include "widgets/qt_progress_bar.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string>

namespace gs {
namespace {

// The bar as rows of characters: '.' white, 'F' frame, 'B' fill, '?' other.
std::string Picture(const QImage& img) {
  std::string out;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      out += c == qRgb(255, 255, 255)   ? '.'
             : c == qRgb(131, 157, 202) ? 'F'
             : c == qRgb(195, 207, 229) ? 'B'
                                        : '?';
    }
    out += '\n';
  }
  return out;
}

std::string Rows(std::initializer_list<const char*> rows) {
  std::string out;
  for (const char* r : rows) out += std::string(r) + "\n";
  return out;
}

XP_ProgressBar* SplashBar(QWidget& host, QSize size) {
  auto* bar = new XP_ProgressBar(&host);
  bar->resize(size);
  bar->setColor(QColor(51, 94, 168));
  bar->setScrolling(3);
  return bar;
}

TEST(XPProgressBar, Defaults) {
  XP_ProgressBar bar;
  EXPECT_EQ(bar.brushStyle(), 4);
  EXPECT_EQ(bar.min(), 0);
  EXPECT_EQ(bar.max(), 100);
  EXPECT_EQ(bar.orientation(), 0);
  EXPECT_EQ(bar.scrolling(), 0);
  EXPECT_FALSE(bar.showText());
  EXPECT_EQ(bar.value(), 0);
  EXPECT_TRUE(bar.image().isNull());
  EXPECT_EQ(bar.color(), bar.palette().color(QPalette::Highlight));
  // The properties are reachable by name, as a layout would set them.
  EXPECT_TRUE(bar.setProperty("Value", 40));
  EXPECT_EQ(bar.property("Value").toInt(), 40);
}

TEST(XPProgressBar, Style3PixelsExactly) {
  QWidget host;
  XP_ProgressBar* bar = SplashBar(host, QSize(12, 4));
  struct Case {
    int value;
    std::string picture;
  } cases[] = {
      {0, Rows({"FFFFFFFFFFFF", "F..........F", "F..........F", "FFFFFFFFFFFF"})},
      {25, Rows({"FFFFFFFFFFFF", "FBB........F", "FBB........F", "FFFFFFFFFFFF"})},
      {50, Rows({"FFFFFFFFFFFF", "FBBBBB.....F", "FBBBBB.....F", "FFFFFFFFFFFF"})},
      {100, Rows({"FFFFFFFFFFFF", "FBBBBBBBBBBB", "FBBBBBBBBBBB", "FFFFFFFFFFFF"})},
      {102, Rows({"FFFFFFFFFFFF", "FBBBBBBBBBBB", "FBBBBBBBBBBB", "FFFFFFFFFFFF"})},
  };
  for (const Case& c : cases) {
    bar->setValue(c.value);
    EXPECT_EQ(Picture(bar->Rendered()), c.picture) << "value " << c.value;
  }
  EXPECT_EQ(bar->value(), 100);  // 102 reads back 100
}

TEST(XPProgressBar, SplashSizeHalfway) {
  QWidget host;
  XP_ProgressBar* bar = SplashBar(host, QSize(217, 9));
  bar->setValue(48);  // 104.16 -> right edge 104
  const QImage img = bar->Rendered();
  EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, qRgb(131, 157, 202) & 0xFFFFFF);
  EXPECT_EQ(img.pixel(216, 8) & 0xFFFFFF, qRgb(131, 157, 202) & 0xFFFFFF);
  EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, qRgb(195, 207, 229) & 0xFFFFFF);
  EXPECT_EQ(img.pixel(103, 7) & 0xFFFFFF, qRgb(195, 207, 229) & 0xFFFFFF);
  EXPECT_EQ(img.pixel(104, 4) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(img.pixel(215, 4) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(XPProgressBar, EveryStyleDrawsAndTheTextShows) {
  // The other styles are drawn freely; each must draw something that
  // differs between an empty and a full bar, at any size, without failing.
  for (int style = 0; style <= 9; ++style) {
    for (QSize size : {QSize(120, 16), QSize(3, 3), QSize(1, 1)}) {
      XP_ProgressBar bar;
      bar.resize(size);
      bar.setColor(QColor(40, 120, 60));
      bar.setScrolling(style);
      if (style == 8) {
        QPixmap pattern(4, 4);
        pattern.fill(Qt::red);
        bar.setImage(pattern);
      }
      bar.setValue(0);
      const QImage empty = bar.Rendered();
      bar.setValue(100);
      const QImage full = bar.Rendered();
      ASSERT_EQ(full.size(), size);
      if (size.width() >= 16) {
        EXPECT_NE(empty, full) << "style " << style;
      }
    }
  }
  XP_ProgressBar bar;
  bar.resize(120, 20);
  bar.setScrolling(3);
  bar.setValue(0);
  const QImage plain = bar.Rendered();
  bar.setShowText(true);
  EXPECT_NE(bar.Rendered(), plain);
  bar.setOrientation(1);
  EXPECT_EQ(bar.Rendered().size(), QSize(120, 20));
}

// The framed styles: the fill stays inside the bevel at any value, and a
// full bar reaches the bevel's inner right edge.
TEST(XPProgressBar, FramedStylesFillUpToTheirBevelOnly) {
  struct Framed {
    int style, bevel;
    bool reachesRight;
  } framed[] = {{0, 1, false}, {1, 1, true},  {2, 1, true}, {4, 2, true},
                {6, 1, true},  {7, 2, false}, {8, 1, true}};
  for (const Framed& f : framed) {
    for (QSize size : {QSize(120, 16), QSize(37, 9), QSize(8, 6)}) {
      XP_ProgressBar bar;
      bar.resize(size);
      bar.setColor(QColor(40, 120, 60));
      bar.setScrolling(f.style);
      QPixmap pattern(4, 4);
      pattern.fill(Qt::red);
      bar.setImage(pattern);
      bar.setValue(0);
      const QImage empty = bar.Rendered();
      const int w = size.width(), h = size.height();
      auto inBevel = [&](int x, int y) {
        return x < f.bevel || y < f.bevel || x >= w - f.bevel || y >= h - f.bevel;
      };
      for (int value : {1, 37, 50, 99, 100, 101}) {
        bar.setValue(value);
        const QImage img = bar.Rendered();
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            if (!inBevel(x, y)) continue;
            ASSERT_EQ(img.pixel(x, y), empty.pixel(x, y))
                << "style " << f.style << ", " << w << " x " << h << ", value " << value
                << ": bevel painted at " << x << "," << y;
          }
        }
        if (value == 100 && f.reachesRight) {
          bool reached = false;
          for (int y = f.bevel; y < h - f.bevel; ++y)
            reached |= img.pixel(w - 1 - f.bevel, y) != empty.pixel(w - 1 - f.bevel, y);
          EXPECT_TRUE(reached) << "style " << f.style << ", " << w << " x " << h;
        }
      }
    }
  }
}

}  // namespace
}  // namespace gs
