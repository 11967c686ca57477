#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest/QTest>

#include "document/qt_canvas.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Tools.h"
#include "tests/support/qt_test_environment.h"
#include "tools/tool_table.h"

namespace gs {
namespace {

// Resizes the window so that its client area is exactly w x h.
void SetClientSize(frmMain& w, int cw, int ch) {
  const QSize extra = w.size() - w.client()->size();
  w.resize(cw + extra.width(), ch + extra.height());
  QApplication::processEvents();
}

TEST(MainWindow, StartsWhiteTitledWithTheCanvasAt64By25) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  QApplication::processEvents();
  EXPECT_EQ(w.windowTitle(),
            QString::fromUtf8("Varnel Glyphsmith 2.3 - Création professionnelle d'icones"));
  EXPECT_EQ(w.picIcon()->mapTo(w.client(), QPoint(0, 0)), QPoint(64, 25));
  EXPECT_EQ(w.picIcon()->width() % 32, 0);
  EXPECT_EQ(w.picIcon()->width(), w.picIcon()->height());
  EXPECT_EQ(w.picSmallIcon()->size(), QSize(36, 36));
  for (Color c : w.Document().surface.Pixels()) ASSERT_EQ(c, kWhite);
  EXPECT_FALSE(w.MenuAction("mnuEdit", 0)->isEnabled());
}

TEST(MainWindow, LayoutOf560By420GivesA320Canvas) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  SetClientSize(w, 560, 420);
  EXPECT_EQ(w.client()->size(), QSize(560, 420));
  EXPECT_EQ(QRect(w.picIcon()->mapTo(w.client(), QPoint(0, 0)), w.picIcon()->size()),
            QRect(64, 25, 320, 320));
  EXPECT_EQ(w.picIconView()->geometry(), QRect(64, 25, 320, 320)) << "no scroll bar";
  EXPECT_EQ(w.picSmallIcon()->x(), 560 - 36 - 15);
  EXPECT_EQ(w.imgMaximize()->x(), 560 - 24);
}

TEST(MainWindow, PointerMappingOnTheRealCanvas) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  SetClientSize(w, 560, 420);  // 320 pixels: cell 10
  EXPECT_EQ(w.picIcon()->CellAt(QPointF(0, 0)), (Point{0, 0}));
  EXPECT_EQ(w.picIcon()->CellAt(QPointF(319, 9.99)), (Point{31, 0}));
  EXPECT_EQ(w.picIcon()->CellAt(QPointF(320, -1)), (Point{32, -1}));
  w.ZoomIn();
  EXPECT_DOUBLE_EQ(w.picIcon()->ScaleWidth(), 352);
  EXPECT_EQ(w.picIcon()->CellAt(QPointF(11, 0)), (Point{1, 0}));
  EXPECT_EQ(w.picIcon()->mapTo(w.client(), QPoint(0, 0)), QPoint(64, 25));
}

// Zoomed past its room, the canvas is scrolled, never cut off by the colour
// bar: its last row can be scrolled to, seen and painted.
TEST(MainWindow, AZoomedCanvasScrollsToItsLastRow) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  SetClientSize(w, 487, 407);
  for (int x = 0; x < kIconSize; ++x) {
    w.Document().surface.SetPixelV(x, 31, RGB(255, 0, 0));
    w.Document().surface.SetPixelV(x, 0, RGB(x * 8, 100, 255 - x));
  }
  w.RePaint();
  for (int i = 0; i < 3; ++i) {
    w.ZoomIn();
    QApplication::processEvents();
    // Each column shows the cell a click on it names.
    const QImage top = w.picIcon()->grab(QRect(0, 0, w.picIcon()->width(), 1)).toImage();
    for (int x = 0; x < top.width(); ++x) {
      const Point cell = w.picIcon()->CellAt(QPointF(x, 0));
      ASSERT_EQ(FromArgb32(top.pixel(x, 0)), w.Document().surface.GetPixel(cell.x, cell.y))
          << "zoom " << i + 1 << ", column " << x;
    }
  }
  const int barTop = w.picColors()->y();
  QScrollArea* view = w.picIconView();
  ASSERT_GT(25 + w.picIcon()->height(), barTop) << "the canvas must outgrow its room";
  EXPECT_LE(view->geometry().bottom() + 1, barTop);
  QScrollBar* bar = view->verticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  EXPECT_FALSE(view->horizontalScrollBar()->isVisible()) << "the width still fits";

  bar->setValue(bar->maximum());
  QApplication::processEvents();
  QWidget* port = view->viewport();
  const int last = port->height() - 1;
  const QPoint onLastRow(100, last);
  ASSERT_EQ(port->childAt(onLastRow), w.picIcon());
  const QPoint canvasPos = w.picIcon()->mapFrom(port, onLastRow);
  EXPECT_EQ(canvasPos.y(), w.picIcon()->height() - 1);
  const double scale = w.picIcon()->ScaleHeight();
  const ScreenSpan row31 = CellSpan(31, scale);
  const QImage seen = port->grab().toImage();
  EXPECT_EQ(seen.pixel(onLastRow), qRgb(255, 0, 0));
  EXPECT_EQ(seen.pixel(100, last - (w.picIcon()->height() - row31.first)), qRgb(255, 255, 255))
      << "row 30 just above";

  // The pencil on that last line paints row 31, in the column it shows.
  QTest::mouseClick(w.Tools().Button(ToolIndex::kPencil), Qt::LeftButton);
  for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, canvasPos, w.picIcon()->mapToGlobal(canvasPos), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.picIcon(), &e);
  }
  const int column = CellOf(canvasPos.x(), w.picIcon()->ScaleWidth());
  EXPECT_EQ(w.Document().surface.GetPixel(column, 31), kBlack);
  EXPECT_EQ(w.Document().surface.GetPixel(column, 30), kWhite);
  QApplication::processEvents();
  EXPECT_EQ(port->grab().toImage().pixel(onLastRow), qRgb(0, 0, 0));
}

TEST(MainWindow, PreviewAndCanvasShowAChangeAfterRePaint) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  SetClientSize(w, 560, 420);
  w.Document().surface.SetPixelV(3, 4, RGB(255, 0, 0));
  w.RePaint();
  QApplication::processEvents();
  const QImage preview = w.picSmallIcon()->Rendered();
  EXPECT_EQ(preview.pixel(3, 4), qRgb(255, 0, 0));
  EXPECT_EQ(preview.pixel(4, 4), qRgb(255, 255, 255));
  const QImage canvas = w.picIcon()->grab().toImage();
  EXPECT_EQ(canvas.pixel(35, 45), qRgb(255, 0, 0));  // inside the 10 x 10 block of (3, 4)
  EXPECT_EQ(canvas.pixel(40, 45), qRgb(255, 255, 255));
}

TEST(MainWindow, SelectionOutlineAndViewRect) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  SetClientSize(w, 560, 420);
  w.Document().selection = {true, 2, 3, 10, 12, {}};
  w.RePaint();
  EXPECT_EQ(w.Document().selection.viewRect, (Rect{20, 30, 100, 120}));
  const QImage canvas = w.picIcon()->grab().toImage();
  EXPECT_EQ(canvas.pixel(20, 30), qRgb(0, 0, 0));  // outline inverts white to black
  w.DestroyMask();
  w.RePaint();
  EXPECT_TRUE(w.Document().selection.viewRect.IsEmpty());
}

TEST(MainWindow, UndoEntryFollowsTheBackup) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.CreateBackup();
  EXPECT_TRUE(w.MenuAction("mnuEdit", 0)->isEnabled());
  w.Document().surface.SetPixelV(0, 0, kBlack);
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(w.Document().surface.GetPixel(0, 0), kWhite);
  EXPECT_FALSE(w.MenuAction("mnuEdit", 0)->isEnabled());
  // A copy the engine takes itself (strokes, effects) is the one the entry
  // restores, and it keeps the entry's state.
  w.Document().surface.SetPixelV(1, 1, kBlack);
  w.Tools().engine->CreateBackup();
  EXPECT_TRUE(w.MenuAction("mnuEdit", 0)->isEnabled());
  w.Document().surface.SetPixelV(1, 1, kWhite);
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(w.Document().surface.GetPixel(1, 1), kBlack);
  EXPECT_FALSE(w.MenuAction("mnuEdit", 0)->isEnabled());
}

TEST(MainWindow, StatusLineClearsOverTheBareBackground) {
  test::TestEnvironment env;
  frmMain w(env);
  w.Start(QString());
  w.show();
  w.lblStatus()->setText("RGB: 1 2 3");
  QMouseEvent move(QEvent::MouseMove, QPointF(450, 100), w.client()->mapToGlobal(QPointF(450, 100)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w.client(), &move);
  EXPECT_TRUE(w.lblStatus()->text().isEmpty());
}

}  // namespace
}  // namespace gs
