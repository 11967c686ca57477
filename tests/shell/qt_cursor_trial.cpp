// Trying the drawing as the mouse pointer over the canvas, and exporting it
// as an X11 cursor from Exporter image.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QtTest/QTest>
#include <filesystem>

#include "document/qt_canvas.h"
#include "platform/settings_store.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Cursor.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

constexpr Color kRed = RGB(255, 0, 0);

class CursorTrialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.settingsFolder = tmp_.file("settings");
    window_ = std::make_unique<frmMain>(env_);
    window_->Start(QString());
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    Doc().surface.SetPixelV(0, 0, kRed);
    Doc().hotspotX = 5;
    Doc().hotspotY = 7;
  }
  void TearDown() override { window_.reset(); }
  frmMain& W() { return *window_; }
  IconDocument& Doc() { return window_->Document(); }
  IconCanvas* Canvas() { return window_->picIcon(); }
  // Puts the pointer at a point of the canvas, or just outside it.
  bool PointAt(QPoint local) {
    QCursor::setPos(Canvas()->mapToGlobal(local));
    return QCursor::pos() == Canvas()->mapToGlobal(local);
  }
  qint64 PointerKey() { return Canvas()->cursor().pixmap().cacheKey(); }

  test::TempDir tmp_;
  test::FakeDialogs seam_;
  test::TestEnvironment env_{&seam_};
  std::unique_ptr<frmMain> window_;
};

TEST_F(CursorTrialTest, HoldingTheKeyOverTheCanvasShowsTheDrawingThenTheToolsPointer) {
  if (!PointAt({40, 40})) GTEST_SKIP() << "this platform cannot place the pointer";
  const qint64 toolPointer = PointerKey();
  QTest::keyPress(Canvas(), kTryCursorKey);
  const QCursor shown = Canvas()->cursor();
  const QImage image = shown.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(32, 32)) << "actual size";
  EXPECT_EQ(shown.hotSpot(), QPoint(5, 7));
  EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0) << "white is transparent";

  QTest::keyRelease(Canvas(), kTryCursorKey);
  EXPECT_EQ(PointerKey(), toolPointer);
}

TEST_F(CursorTrialTest, RepeatsAreIgnoredAndOtherPlacesOrModifiersLeaveThePointer) {
  if (!PointAt({40, 40})) GTEST_SKIP() << "this platform cannot place the pointer";
  const qint64 toolPointer = PointerKey();
  QTest::keyPress(Canvas(), kTryCursorKey);
  QKeyEvent repeatRelease(QEvent::KeyRelease, kTryCursorKey, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(Canvas(), &repeatRelease);
  EXPECT_NE(PointerKey(), toolPointer) << "still held";
  QTest::keyRelease(Canvas(), kTryCursorKey);
  EXPECT_EQ(PointerKey(), toolPointer);

  QTest::keyPress(Canvas(), kTryCursorKey, Qt::ControlModifier);
  EXPECT_EQ(PointerKey(), toolPointer) << "Ctrl+C copies; it does not try the cursor";
  QTest::keyRelease(Canvas(), kTryCursorKey, Qt::ControlModifier);

  ASSERT_TRUE(PointAt({-5, -5}));
  QTest::keyPress(Canvas(), kTryCursorKey);
  EXPECT_EQ(PointerKey(), toolPointer) << "away from the canvas";
  QTest::keyRelease(Canvas(), kTryCursorKey);
}

TEST_F(CursorTrialTest, APointerTheToolPutUpMeanwhileStaysAfterTheRelease) {
  if (!PointAt({40, 40})) GTEST_SKIP() << "this platform cannot place the pointer";
  QTest::keyPress(Canvas(), kTryCursorKey);
  Canvas()->setCursor(Qt::CrossCursor);  // as the drawing engine does over another area
  QTest::keyRelease(Canvas(), kTryCursorKey);
  EXPECT_EQ(Canvas()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(CursorTrialTest, LeavingTheWindowWhileHoldingEndsTheTrial) {
  if (!PointAt({40, 40})) GTEST_SKIP() << "this platform cannot place the pointer";
  const qint64 toolPointer = PointerKey();
  QTest::keyPress(Canvas(), kTryCursorKey);
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(&W(), &deactivate);
  EXPECT_EQ(PointerKey(), toolPointer);
}

TEST_F(CursorTrialTest, ExportX11CursorWritesTheHotspotFromTheSaveOptions) {
  QAction* entry = W().MenuAction("mnuExport", 3);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(), "Curseur X11");
  seam_.saveAnswers = {QString::fromStdString(tmp_.file("pointer"))};
  seam_.onSave = [](frmSave& s) {
    EXPECT_EQ(s.windowTitle(), "Save Cursor");
    QTest::mouseClick(s.picPrev(), Qt::LeftButton, {}, QPoint(9, 3));
    s.cmdOK()->click();
  };
  entry->trigger();
  EXPECT_EQ(seam_.dialogs.back().title, "Save X11 Cursor...");
  const auto b = test::ReadAll(tmp_.file("pointer"));
  ASSERT_EQ(b.size(), 64u + 32 * 32 * 4) << "one 32 x 32 image";
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "Xcur");
  EXPECT_EQ(b[52], 9) << "xhot";
  EXPECT_EQ(b[56], 3) << "yhot";
  EXPECT_EQ((std::vector<std::uint8_t>(b.begin() + 64, b.begin() + 68)),
            (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0xFF}))
      << "the red corner pixel, ARGB little-endian";
  EXPECT_EQ(Doc().hotspotX, 9);

  // Cancelled in the save options: nothing is written.
  seam_.saveAnswers = {QString::fromStdString(tmp_.file("other"))};
  seam_.onSave = [](frmSave& s) { s.cmdCancel()->click(); };
  entry->trigger();
  EXPECT_FALSE(std::filesystem::exists(tmp_.file("other")));
}

}  // namespace
}  // namespace gs
