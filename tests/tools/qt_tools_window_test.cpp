// The tool side of the real main window, driven with mouse and key events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include "document/qt_canvas.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Colors.h"
#include "shell/frmMain_Edit.h"
#include "shell/frmMain_Tools.h"
#include "tests/support/qt_test_environment.h"
#include "tools/frmPalette.h"
#include "tools/qt_tool_art.h"
#include "tools/qt_tool_panels.h"
#include "tools/tool_kinds.h"

namespace gs {
namespace {

struct CountingRandom : RandomSource {
  int reseeds = 0;
  void Reseed(double) override { ++reseeds; }
  double Next() override { return 0.0; }  // every dot on the centre
};

class ToolsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Start(QString());
    w.show();
    const QSize extra = w.size() - w.client()->size();
    w.resize(560 + extra.width(), 420 + extra.height());  // canvas 320: 10 pixels a cell
    QApplication::processEvents();
    ASSERT_EQ(w.picIcon()->width(), 320);
  }

  static QPointF Cell(int x, int y) { return QPointF(x * 10 + 5, y * 10 + 5); }

  void Send(QWidget* to, QEvent::Type type, QPointF pos, Qt::MouseButton button,
            Qt::MouseButtons held) {
    QMouseEvent e(type, pos, to->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
  }
  void Press(QPointF p, Qt::MouseButton b = Qt::LeftButton) {
    Send(w.picIcon(), QEvent::MouseButtonPress, p, b, b);
  }
  void Move(QPointF p, Qt::MouseButtons held = Qt::LeftButton) {
    Send(w.picIcon(), QEvent::MouseMove, p, Qt::NoButton, held);
  }
  void Release(QPointF p, Qt::MouseButton b = Qt::LeftButton) {
    Send(w.picIcon(), QEvent::MouseButtonRelease, p, b, Qt::NoButton);
  }
  void ChooseTool(ToolIndex tool) { QTest::mouseClick(w.Tools().Button(tool), Qt::LeftButton); }
  Color Pixel(int x, int y) { return w.Document().surface.GetPixel(x, y); }
  // What the system delivers for a double-click: press, release, double-click, release.
  static void DoubleClick(QWidget* target) {
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::mouseDClick(target, Qt::LeftButton);
    QTest::mouseRelease(target, Qt::LeftButton);
  }

  test::TestEnvironment env;
  frmMain w{env};
};

TEST_F(ToolsWindowTest, ToolButtonsMenuAndPanels) {
  ChooseTool(ToolIndex::kSpray);
  EXPECT_EQ(w.Tools().options.currentTool, ToolIndex::kSpray);
  EXPECT_TRUE(w.MenuAction("MnuTool", IndexOf(ToolIndex::kSpray))->isChecked());
  EXPECT_FALSE(w.MenuAction("MnuTool", IndexOf(ToolIndex::kSelect))->isChecked());
  OptionPanelWidget* spray = w.Tools().Panel(OptionPanel::Tool6);
  EXPECT_TRUE(spray->isVisible());
  EXPECT_FALSE(w.Tools().Panel(OptionPanel::Tool9)->isVisible());
  EXPECT_TRUE(w.picIcon()->hasFocus());

  // The middle line picks a top quarter; below it the large blot.
  const int h = spray->height(), wd = spray->width();
  QTest::mouseClick(spray, Qt::LeftButton, {}, QPoint(wd - 2, h / 2));
  EXPECT_EQ(w.Tools().options.spraySize, 1);
  QTest::mouseClick(spray, Qt::RightButton, {}, QPoint(2, h - 2));
  EXPECT_EQ(w.Tools().options.spraySize, 1) << "right clicks are ignored here";
  QTest::mouseClick(spray, Qt::LeftButton, {}, QPoint(2, h - 2));
  EXPECT_EQ(w.Tools().options.spraySize, 2);

  w.MenuAction("MnuTool", IndexOf(ToolIndex::kEllipse))->trigger();
  OptionPanelWidget* fill = w.Tools().Panel(OptionPanel::Tool9);
  EXPECT_TRUE(fill->isVisible());
  EXPECT_FALSE(spray->isVisible());
  EXPECT_TRUE(w.Tools().Button(ToolIndex::kEllipse)->isChecked());
  QTest::mouseClick(fill, Qt::RightButton, {}, QPoint(5, fill->height() - 3));
  EXPECT_EQ(w.Tools().options.FillStyleOf(ToolIndex::kEllipse), FillStyle::kSolid);

  // Each fill tool shows its own remembered style: the marked row is inverted.
  auto markedRow = [&] {
    const QImage img = fill->Rendered();
    for (int row = 0; row < 3; ++row)
      if (img.pixel(1, row * fill->height() / 3 + 2) == qRgb(0, 0, 0)) return row;
    return -1;
  };
  EXPECT_EQ(markedRow(), 2);
  ChooseTool(ToolIndex::kRectangle);
  EXPECT_EQ(markedRow(), 0);
  ChooseTool(ToolIndex::kEllipse);
  EXPECT_EQ(markedRow(), 2);
}

// The brush panel shows each shape as the brush's own cells at twice the
// size, centred in its cell, at the window's panel size and a smaller one.
TEST(BrushPanelPicture, EachCellShowsItsStampTwiceTheSize) {
  for (const QSize size : {QSize(56, 104), QSize(48, 80)}) {
    const QImage img = PanelPicture(OptionPanel::Tool5, size.width(), size.height());
    for (int shape = 0; shape < kBrushShapes; ++shape) {
      const CellF cell = PanelCell(OptionPanel::Tool5, shape, size.width(), size.height());
      const QRect box(QPoint(static_cast<int>(cell.left), static_cast<int>(cell.top)),
                      QPoint(static_cast<int>(cell.right) - 1, static_cast<int>(cell.bottom) - 1));
      std::vector<Point> black;
      QRect inked;
      for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
          if (img.pixel(x, y) == qRgb(0, 0, 0)) {
            black.push_back({x, y});
            inked |= QRect(x, y, 1, 1);
          }
      const std::vector<Point> stamp = BrushShapePixels(shape);
      ASSERT_EQ(black.size(), 4 * stamp.size()) << "shape " << shape;
      // Every stamp cell, shifted to the picture's corner, is one 2 x 2 block.
      const Rect bounds = BoundsOf(stamp);
      EXPECT_EQ(inked.size(), QSize(2 * bounds.Width(), 2 * bounds.Height())) << "shape " << shape;
      for (const Point& c : stamp)
        for (int k = 0; k < 4; ++k) {
          const int x = inked.left() + 2 * (c.x - bounds.left) + k % 2;
          const int y = inked.top() + 2 * (c.y - bounds.top) + k / 2;
          EXPECT_EQ(img.pixel(x, y), qRgb(0, 0, 0)) << "shape " << shape << " at " << x << "," << y;
        }
      // Centred: at most one pixel off the cell's middle, either way.
      EXPECT_LE(std::abs(inked.left() + inked.right() + 1 - (cell.left + cell.right)), 2.0)
          << "shape " << shape;
      EXPECT_LE(std::abs(inked.top() + inked.bottom() + 1 - (cell.top + cell.bottom)), 2.0)
          << "shape " << shape;
    }
  }
}

TEST(ToolPointers, EightImagesWithTheirHotspots) {
  for (int i = 0; i < kPointerImageCount; ++i) {
    const QCursor c = ToolPointer(i);
    const Point hot = PointerHotspot(i);
    EXPECT_EQ(c.hotSpot(), QPoint(hot.x, hot.y)) << i;
    EXPECT_EQ(c.pixmap().size(), QSize(32, 32)) << i;
  }
}

TEST_F(ToolsWindowTest, PencilStrokeWithUndo) {
  ChooseTool(ToolIndex::kPencil);
  Press(Cell(3, 4));
  Move(Cell(4, 4));
  Move(Cell(6, 4));
  Release(Cell(6, 4));
  EXPECT_EQ(Pixel(3, 4), kBlack);
  EXPECT_EQ(Pixel(4, 4), kBlack);
  EXPECT_EQ(Pixel(5, 4), kWhite) << "moves are not joined";
  EXPECT_EQ(Pixel(6, 4), kBlack);
  EXPECT_TRUE(w.Document().modified);
  QAction* undo = w.MenuAction("mnuEdit", 0);
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(Pixel(3, 4), kWhite);
  EXPECT_FALSE(undo->isEnabled());
}

TEST_F(ToolsWindowTest, RectangleDragAndEscape) {
  ChooseTool(ToolIndex::kRectangle);
  Press(Cell(3, 3));
  Move(Cell(8, 8));
  Move(Cell(6, 6));
  Release(Cell(6, 6));
  for (int i = 3; i <= 6; ++i) {
    EXPECT_EQ(Pixel(i, 3), kBlack);
    EXPECT_EQ(Pixel(3, i), kBlack);
    EXPECT_EQ(Pixel(6, i), kBlack);
  }
  EXPECT_EQ(Pixel(4, 4), kWhite);
  EXPECT_EQ(Pixel(8, 8), kWhite);

  Press(Cell(10, 10));
  Move(Cell(20, 20));
  QTest::keyClick(w.picIcon(), Qt::Key_Escape);
  Move(Cell(22, 22));
  Release(Cell(22, 22));
  EXPECT_EQ(Pixel(10, 10), kWhite);
  EXPECT_EQ(Pixel(20, 20), kWhite);
}

TEST_F(ToolsWindowTest, SelectionDragMoveAndPointer) {
  w.Document().surface.FillRect({4, 4, 8, 8}, RGB(0, 128, 0));
  ChooseTool(ToolIndex::kSelect);
  Press(Cell(4, 4));
  Move(Cell(7, 7));
  Release(Cell(7, 7));
  EXPECT_EQ(w.Document().selection.Pixels(), (Rect{4, 4, 8, 8}));
  EXPECT_EQ(w.Document().selection.viewRect, (Rect{40, 40, 80, 80}));

  Move(Cell(5, 5), Qt::NoButton);
  EXPECT_EQ(w.picIcon()->cursor().hotSpot(), QPoint(16, 16)) << "the move pointer";
  Move(Cell(20, 20), Qt::NoButton);
  EXPECT_EQ(w.picIcon()->cursor().hotSpot(), QPoint(15, 16));

  Press(Cell(5, 6));
  Move(Cell(10, 10));
  EXPECT_TRUE(w.picIcon()->Moving()) << "no outline while moving";
  Release(Cell(10, 10));
  EXPECT_FALSE(w.picIcon()->Moving());
  EXPECT_FALSE(w.Document().selection.active);
  EXPECT_EQ(Pixel(9, 8), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(12, 11), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(4, 4), kWhite);
  EXPECT_EQ(Pixel(8, 7), kWhite);
}

TEST_F(ToolsWindowTest, SprayHeldForSeveralTimerTicks) {
  CountingRandom random;
  ToolsPart& tools = w.Tools();
  tools.engine->SetRandomSource(&random);
  tools.engine->SetClock([] { return 100.0; });
  ChooseTool(ToolIndex::kSpray);
  Press(Cell(12, 12), Qt::RightButton);
  ASSERT_TRUE(tools.tmrPoints->isActive());
  EXPECT_EQ(tools.tmrPoints->interval(), 100);
  EXPECT_EQ(random.reseeds, 1);
  EXPECT_EQ(Pixel(12, 12), kWhite) << "the right colour starts white";

  w.Colors().colors.right = RGB(0, 0, 255);
  for (int tick = 0; tick < 5; ++tick) tmrPoints_Timer(w);
  EXPECT_EQ(random.reseeds, 6) << "one burst per tick, each re-seeded";
  EXPECT_EQ(Pixel(12, 12), RGB(0, 0, 255));

  Release(Cell(12, 12), Qt::RightButton);
  EXPECT_FALSE(tools.tmrPoints->isActive());
  tools.engine->SetRandomSource(nullptr);
}

TEST_F(ToolsWindowTest, ColourBoxesAndDialog) {
  ColorsPart& colors = w.Colors();
  EXPECT_EQ(colors.picLeftButton->GetColor(), kBlack);
  EXPECT_EQ(colors.picRightButton->GetColor(), kWhite);
  EXPECT_EQ(colors.picColor[0]->geometry(), QRect(48, 8, 17, 17));
  EXPECT_EQ(colors.picColor[20]->geometry(), QRect(244, 24, 17, 17));
  // The bar is laid out from the same rectangles the clicks are judged by.
  const auto q = [](const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); };
  EXPECT_EQ(colors.Picture2->geometry(), q(FrameRect()));
  EXPECT_EQ(colors.picLeftButton->geometry(), q(LeftButtonRect()));
  EXPECT_EQ(colors.picRightButton->geometry(), q(RightButtonRect()));
  for (int i = 0; i < kPaletteBoxes; ++i)
    EXPECT_EQ(colors.picColor[static_cast<std::size_t>(i)]->geometry(), q(PaletteBoxRect(i)));
  // Where two boxes share a border, the later one takes the click.
  QWidget* bar = colors.picColor[0]->parentWidget();
  const struct { int x, y, box; } hits[] = {{50, 10, 0}, {50, 24, 1}, {250, 30, 20}, {230, 30, -1}};
  for (const auto& h : hits) {
    QWidget* under = bar->childAt(h.x, h.y);
    if (h.box >= 0) {
      EXPECT_EQ(under, colors.picColor[static_cast<std::size_t>(h.box)]) << h.x << "," << h.y;
    } else {
      for (QWidget* box : colors.picColor) EXPECT_NE(under, box) << h.x << "," << h.y;
    }
  }

  QTest::mouseClick(colors.picColor[0], Qt::RightButton);
  QTest::mouseClick(colors.picColor[19], Qt::RightButton);
  EXPECT_EQ(colors.colors.right, kBlack);
  EXPECT_EQ(colors.picRightButton->GetColor(), kBlack);
  QTest::mouseClick(colors.picColor[6], Qt::LeftButton);
  EXPECT_EQ(colors.colors.left, RGB(0, 0, 255));
  EXPECT_EQ(colors.picLeftButton->GetColor(), RGB(0, 0, 255));

  int asked = 0;
  std::optional<QColor> answer = QColor(1, 2, 3);
  colors.chooseColor = [&](QWidget*) {
    ++asked;
    return answer;
  };
  DoubleClick(colors.picColor[20]);
  EXPECT_EQ(asked, 0) << "the transparent box opens no dialog";
  EXPECT_EQ(colors.colors.left, kWhite);
  DoubleClick(colors.picColor[3]);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(colors.colors.boxes[3], RGB(1, 2, 3));
  EXPECT_EQ(colors.picColor[3]->GetColor(), RGB(1, 2, 3));
  answer.reset();
  DoubleClick(colors.picColor[3]);
  EXPECT_EQ(colors.colors.boxes[3], RGB(1, 2, 3)) << "cancel changes nothing";
}

TEST_F(ToolsWindowTest, PickerAndStatusLine) {
  w.Document().surface.SetPixelV(2, 2, RGB(10, 20, 30));
  w.RePaint();
  QApplication::processEvents();
  w.picIcon()->repaint();
  Move(Cell(2, 2), Qt::NoButton);
  EXPECT_EQ(w.lblStatus()->text(), "RGB: 10 20 30   2, 2");
  ChooseTool(ToolIndex::kPicker);
  Press(Cell(2, 2), Qt::RightButton);
  Release(Cell(2, 2), Qt::RightButton);
  EXPECT_EQ(w.Colors().picRightButton->GetColor(), RGB(10, 20, 30));
}

TEST_F(ToolsWindowTest, SpectrumPicksWhileDraggedAndClosesWhenLeft) {
  ShowSpectrum(w);
  QPointer<frmPalette> palette = w.Colors().palette;
  ASSERT_TRUE(palette);
  EXPECT_TRUE(palette->isVisible());
  EXPECT_TRUE(palette->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(palette->windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_EQ(palette->size(), QSize(202, 131));
  const QRect thumb(w.Colors().picPalette->mapToGlobal(QPoint(0, 0)), QSize(47, 47));
  EXPECT_EQ(palette->geometry().bottomLeft(), thumb.bottomLeft());

  palette->PicturePress(Qt::LeftButton, QPointF(0, 0));
  EXPECT_EQ(w.Colors().colors.left, kWhite);
  palette->PictureMove(Qt::RightButton, QPointF(100, 130));
  EXPECT_EQ(w.Colors().colors.right, kBlack);
  EXPECT_EQ(w.Colors().picRightButton->GetColor(), kBlack);
  palette->PictureMove(Qt::LeftButton, QPointF(202, 60));  // one past the right edge
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(palette.isNull() || !palette->isVisible());
  EXPECT_EQ(w.Colors().colors.left, kWhite) << "leaving picks nothing";
}

TEST_F(ToolsWindowTest, ClipboardCopyCutPaste) {
  QClipboard* clip = QGuiApplication::clipboard();
  w.Document().surface.FillRect({4, 4, 8, 10}, RGB(200, 0, 0));
  w.Document().selection = Selection{};
  w.Document().selection.active = true;
  w.Document().selection.X1 = 4, w.Document().selection.Y1 = 4;
  w.Document().selection.X2 = 8, w.Document().selection.Y2 = 10;
  w.Document().modified = false;
  w.MenuAction("mnuEdit", 3)->trigger();
  QImage out = clip->image();
  ASSERT_FALSE(out.isNull());
  EXPECT_EQ(out.size(), QSize(4, 6));
  EXPECT_EQ(out.pixel(0, 0), qRgb(200, 0, 0));
  EXPECT_FALSE(w.Document().modified);

  w.MenuAction("mnuEdit", 2)->trigger();
  EXPECT_EQ(Pixel(5, 5), kWhite);
  EXPECT_TRUE(w.Document().modified);
  w.MenuAction("mnuEdit", 4)->trigger();
  EXPECT_EQ(Pixel(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(Pixel(3, 5), RGB(200, 0, 0));
  EXPECT_EQ(Pixel(4, 0), kWhite);

  QImage big(48, 48, QImage::Format_ARGB32);
  big.fill(qRgb(0, 0, 90));
  big.setPixel(31, 31, qRgba(0, 0, 0, 0));  // see-through: becomes white
  clip->setImage(big);
  w.MenuAction("mnuEdit", 4)->trigger();
  EXPECT_EQ(Pixel(0, 0), RGB(0, 0, 90));
  EXPECT_EQ(Pixel(30, 31), RGB(0, 0, 90));
  EXPECT_EQ(Pixel(31, 31), kWhite);

  clip->setText("just text");
  w.Document().modified = false;
  w.MenuAction("mnuEdit", 4)->trigger();
  EXPECT_FALSE(w.Document().modified);
  EXPECT_EQ(Pixel(0, 0), RGB(0, 0, 90));
}

}  // namespace
}  // namespace gs
