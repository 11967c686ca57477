// The save-options window on its own: controls, enabling, hotspot checks and
// what OK, Cancel and the close box leave behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "files/frmSave.h"
#include "tests/support/qt_test_environment.h"

namespace gs {
namespace {

class SaveWindowTest : public ::testing::Test {
 protected:
  void Show(const char* title, bool hotspot) {
    w_.Prepare(title, hotspot);
    w_.show();
  }
  IconDocument doc_;
  test::TestEnvironment env_;
  test::FakeDialogs& seam_ = env_.fake;
  frmSave w_{doc_, QSize(36, 36), env_};
};

TEST_F(SaveWindowTest, FirstLoadShows4BitsAndExtremeDisabled) {
  Show("Save Icon", false);
  EXPECT_EQ(w_.cmbSaveAs()->currentText(), "16 colors (4bit)");
  EXPECT_EQ(w_.cmbOptimize()->currentText(), "Extreme");
  EXPECT_FALSE(w_.cmbOptimize()->isEnabled());
  EXPECT_EQ(w_.cmbSaveAs()->count(), 4);
  EXPECT_EQ(w_.txtHotX()->text(), "0");
  EXPECT_EQ(w_.picPrev()->size(), QSize(36, 36));
  EXPECT_FALSE(w_.Frame2()->isVisible());
}

TEST_F(SaveWindowTest, OptimiseListFollowsDepthAndTitle) {
  Show("Save Icon", false);
  w_.cmbSaveAs()->setCurrentIndex(2);
  EXPECT_TRUE(w_.cmbOptimize()->isEnabled());
  EXPECT_EQ(w_.Model().bitCnt, 8);
  EXPECT_EQ(w_.Model().arrUBnd, 1023);
  w_.cmbSaveAs()->setCurrentIndex(3);
  EXPECT_FALSE(w_.cmbOptimize()->isEnabled());
  w_.cmdOK()->click();

  Show("Save Bitmap", false);
  w_.cmbSaveAs()->setCurrentIndex(2);
  EXPECT_FALSE(w_.cmbOptimize()->isEnabled());
  w_.cmdOK()->click();
  Show("Save Cursor", true);  // same depth, new title: enabled again
  EXPECT_TRUE(w_.cmbOptimize()->isEnabled());
}

TEST_F(SaveWindowTest, HotspotWarningsXFirstThenY) {
  Show("Save Cursor", true);
  w_.txtHotX()->setText("40");
  w_.txtHotY()->setText("-3");
  w_.cmdOK()->click();
  ASSERT_EQ(seam_.messages.size(), 1u);
  EXPECT_EQ(seam_.messages[0], "X Hotspot doit avoir une valeur entre 0 et 31 !");
  EXPECT_EQ(seam_.icons[0], QMessageBox::Warning);
  EXPECT_TRUE(w_.isVisible());
  w_.txtHotX()->setText("30.5");
  w_.cmdOK()->click();
  EXPECT_EQ(seam_.messages.back(), "Y Hotspot doit avoir une valeur entre 0 et 31 !");
  EXPECT_TRUE(w_.isVisible());
  w_.txtHotY()->setText("29.5");
  w_.cmdOK()->click();
  EXPECT_FALSE(w_.isVisible());
  EXPECT_EQ(w_.Model().hotspotX, 30);
  EXPECT_EQ(w_.Model().hotspotY, 30);
  EXPECT_FALSE(w_.Model().Cancelled());
}

TEST_F(SaveWindowTest, IconSaveDoesNotCheckTheHotspotTexts) {
  Show("Save Cursor", true);
  w_.txtHotX()->setText("99");
  w_.cmdCancel()->click();
  EXPECT_TRUE(w_.Model().Cancelled());
  Show("Save Icon", false);
  w_.cmdOK()->click();
  EXPECT_TRUE(seam_.messages.empty());
  EXPECT_FALSE(w_.isVisible());
  EXPECT_EQ(w_.txtHotX()->text(), "99");  // kept for the next cursor
}

TEST_F(SaveWindowTest, DraggingOnThePreviewSetsTheHotspotFields) {
  Show("Save Cursor", true);
  QTest::mousePress(w_.picPrev(), Qt::RightButton, {}, QPoint(3, 4));
  EXPECT_EQ(w_.txtHotX()->text(), "3");
  EXPECT_EQ(w_.txtHotY()->text(), "4");
  QTest::mouseRelease(w_.picPrev(), Qt::RightButton, {}, QPoint(3, 4));
  QTest::mousePress(w_.picPrev(), Qt::LeftButton, {}, QPoint(1, 1));
  QMouseEvent move(QEvent::MouseMove, QPointF(12, 20), w_.picPrev()->mapToGlobal(QPointF(12, 20)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w_.picPrev(), &move);
  EXPECT_EQ(w_.txtHotX()->text(), "12");
  EXPECT_EQ(w_.txtHotY()->text(), "20");
}

TEST_F(SaveWindowTest, ChoicesCarryOverAndTheResultIsTheListedMethod) {
  Show("Save Icon", false);
  w_.cmbSaveAs()->setCurrentIndex(2);
  w_.cmbOptimize()->setCurrentIndex(1);
  w_.cmdOK()->click();
  EXPECT_EQ(w_.Model().result, 1);
  Show("Save Icon", false);
  EXPECT_EQ(w_.cmbSaveAs()->currentIndex(), 2);
  EXPECT_EQ(w_.cmbOptimize()->currentText(), "High");
  w_.cmdOK()->click();
  EXPECT_EQ(w_.Model().result, 1);  // not the reset 0: the list shows "High"
}

TEST_F(SaveWindowTest, CloseBoxCancelsAndUnloads) {
  Show("Save Icon", false);
  w_.close();
  EXPECT_TRUE(w_.Unloaded());
  EXPECT_TRUE(w_.Model().Cancelled());
}

TEST_F(SaveWindowTest, PreviewShowsTheChosenDepth) {
  doc_.surface.FillRect({0, 0, 32, 32}, RGB(200, 180, 40));
  doc_.surface.FillRect({0, 0, 4, 4}, kWhite);
  Show("Save Icon", false);
  w_.cmbSaveAs()->setCurrentIndex(0);
  QImage img = w_.picPrev()->grab().toImage();
  EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white));
  const QColor oneBit = img.pixelColor(10, 10);
  EXPECT_TRUE(oneBit == QColor(Qt::white) || oneBit == QColor(Qt::black));
  w_.cmbSaveAs()->setCurrentIndex(3);
  img = w_.picPrev()->grab().toImage();
  EXPECT_EQ(img.pixelColor(10, 10), QColor(200, 180, 40));
}

}  // namespace
}  // namespace gs
