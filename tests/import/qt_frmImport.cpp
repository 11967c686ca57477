// The import window driven offscreen through the special menu, with the file
// dialog and message boxes answered by a fake seam.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest/QTest>
#include <functional>

#include "document/area_scale.h"
#include "import/frmImport.h"
#include "import/picture_import.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "shell/frmMain.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// Runs `onImport` while the import window is up (after its first activation).
class ImportSeam : public test::FakeDialogs {
 public:
  std::function<void(frmImport&)> onImport;
  bool closedByItself = false;
  void RunModal(QDialog* dialog) override {
    ++modalRuns;
    dialog->show();
    QCoreApplication::processEvents();  // the first activation
    auto* w = qobject_cast<frmImport*>(dialog);
    closedByItself = !dialog->isVisible();
    if (w && dialog->isVisible() && onImport) onImport(*w);
    if (dialog->isVisible()) dialog->reject();
  }
};

class ImportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.programFolder = tmp_.path();
    env_.settingsFolder = tmp_.file("settings");
    ASSERT_EQ(mkdir(tmp_.file("Lang").c_str(), 0700), 0);
    window_ = std::make_unique<frmMain>(env_);
    window_->Start(QString());
  }
  void TearDown() override { window_.reset(); }
  // A picture of w x h with a colour per pixel, saved by Qt in `format`.
  QString Picture(const char* name, int w, int h, const char* format = "BMP") {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        img.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x * y) % 251));
    const QString path = QString::fromStdString(tmp_.file(name));
    EXPECT_TRUE(img.save(path, format));
    return path;
  }
  void OpenImport() { window_->MenuAction("mnuspecial", 6)->trigger(); }
  IconDocument& Doc() { return window_->Document(); }

  test::TempDir tmp_;
  ImportSeam seam_;
  test::TestEnvironment env_{&seam_};
  std::unique_ptr<frmMain> window_;
};

TEST_F(ImportWindowTest, OpensTheDialogAtOnceAndCancellingLeavesTheIcon) {
  Doc().surface.FillRect({0, 0, 32, 32}, RGB(5, 6, 7));
  const std::vector<Color> before = Doc().surface.Pixels();
  OpenImport();
  ASSERT_EQ(seam_.modalRuns, 1);
  ASSERT_EQ(seam_.dialogs.size(), 1u);
  EXPECT_EQ(seam_.dialogs[0].title, "Import Picture");
  EXPECT_EQ(seam_.dialogs[0].filters.size(), 6);
  EXPECT_TRUE(seam_.dialogs[0].filters.last().contains("(*)"))
      << seam_.dialogs[0].filters.last().toStdString();
  EXPECT_TRUE(seam_.closedByItself);
  EXPECT_EQ(Doc().surface.Pixels(), before);
}

TEST_F(ImportWindowTest, AsksToSaveChangesFirst) {
  Doc().modified = true;
  seam_.buttons.push_back(QMessageBox::Cancel);
  OpenImport();
  EXPECT_EQ(seam_.modalRuns, 0);
  ASSERT_EQ(seam_.messages.size(), 1u);
}

TEST_F(ImportWindowTest, DragOrdersTheCornersAndImportReplacesEveryPixel) {
  const QString path = Picture("big.bmp", 64, 48);
  seam_.openAnswers.push_back(path);
  Doc().fileName = "kept.ico";
  Doc().modified = false;
  std::vector<Color> expected;
  seam_.onImport = [&](frmImport& w) {
    // After a fresh load the fields and the preview show the largest centred square.
    EXPECT_EQ(w.Region(), (ImportRegion{8, 0, 56, 48}));
    EXPECT_EQ(w.txtLeft()->text(), "8");
    EXPECT_EQ(w.txtHeight()->text(), "48");
    Surface square(32, 32);
    square.FillRect(square.Bounds(), kWhite);
    AreaScaleCopy(square, Area{0, 0, 32, 32}, w.CurrentPicture().View(), Area{8, 0, 48, 48});
    EXPECT_EQ(w.PreviewPixels().Pixels(), square.Pixels());
    EXPECT_FALSE(w.scrHorizontal()->isEnabled());
    EXPECT_FALSE(w.scrVertical()->isEnabled());

    QWidget* pic = w.picFull();
    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(40, 30));
    QTest::mouseMove(pic, QPoint(20, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 5), pic->mapToGlobal(QPointF(10, 5)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(pic, &move);
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(w.txtLeft()->text(), "10");
    EXPECT_EQ(w.txtTop()->text(), "5");
    EXPECT_EQ(w.txtWidth()->text(), "40");
    EXPECT_EQ(w.txtHeight()->text(), "30");
    EXPECT_EQ(w.Region(), (ImportRegion{10, 5, 40, 30}));

    Surface s(32, 32);
    AreaScaleCopy(s, Area{0, 0, 32, 32}, w.CurrentPicture().View(), Area{10, 5, 30, 25});
    expected = s.Pixels();
    if (const char* dir = std::getenv("GS_SCREENSHOT_DIR"))
      w.grab().save(QString(dir) + "/frmImport.png");
    w.cmdImport()->click();
  };
  Doc().surface.SetPixelV(3, 3, kBlack);
  const std::vector<Color> before = Doc().surface.Pixels();
  OpenImport();
  EXPECT_EQ(Doc().surface.Pixels(), expected);
  EXPECT_EQ(Doc().fileName, "kept.ico");
  EXPECT_TRUE(Doc().modified) << "quitting must ask before the imported picture is lost";
  // The import can be taken back.
  QAction* undo = window_->MenuAction("mnuEdit", 0);
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(Doc().surface.Pixels(), before);
}

TEST_F(ImportWindowTest, FieldsAcceptDigitsOnlyAndRedrawAtOnce) {
  seam_.openAnswers.push_back(Picture("wide.png", 2000, 40, "PNG"));
  seam_.onImport = [&](frmImport& w) {
    EXPECT_TRUE(w.scrHorizontal()->isEnabled());
    EXPECT_FALSE(w.scrVertical()->isEnabled());
    w.scrHorizontal()->setValue(100);
    EXPECT_EQ(w.picFull()->x(), -100);
    EXPECT_EQ(w.Region(), (ImportRegion{980, 0, 1020, 40}));
    w.txtLeft()->setText("0");
    w.txtWidth()->selectAll();
    QTest::keyClicks(w.txtWidth(), "1a-2");
    EXPECT_EQ(w.txtWidth()->text(), "12");
    // Pasted text keeps its digits too, the cursor after the last one kept.
    w.txtHeight()->selectAll();
    w.txtHeight()->insert("a7b");
    EXPECT_EQ(w.txtHeight()->text(), "7");
    EXPECT_EQ(w.txtHeight()->cursorPosition(), 1);
    w.txtHeight()->setText("3");
    EXPECT_EQ(w.Region().x2, 12);
    Surface s(32, 32);
    s.FillRect(s.Bounds(), kWhite);
    AreaScaleCopy(s, Area{0, 0, 32, 32}, w.CurrentPicture().View(), Area{0, 0, 12, 3});
    EXPECT_EQ(w.PreviewPixels().Pixels(), s.Pixels());
    // Past the right edge while dragging: on the edge.
    QTest::mousePress(w.picFull(), Qt::LeftButton, {}, QPoint(1990, 2));
    QTest::mouseRelease(w.picFull(), Qt::LeftButton, {}, QPoint(1990, 2));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2500, 90),
                        w.picFull()->mapToGlobal(QPointF(2500, 90)), Qt::LeftButton, Qt::NoButton,
                        {});
    QTest::mousePress(w.picFull(), Qt::LeftButton, {}, QPoint(1990, 2));
    QApplication::sendEvent(w.picFull(), &release);
    EXPECT_EQ(w.Region(), (ImportRegion{1990, 2, 2000, 40}));
  };
  OpenImport();
}

TEST_F(ImportWindowTest, UnreadablePicturesShowTheDecodersReason) {
  struct Row {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* says;
  };
  const std::vector<Row> rows = {
      {"drawing.wmf", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0}, "Windows Metafile (WMF)"},
      {"notes.bmp", {'h', 'i'}, "not a picture"},
      {"huge.gif",
       {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0,    0, 0, ',', 0,
        0,   0,   0,   1,   0,   1,   0,    0,    2,    2,    0x4C, 1, 0, ';'},
       "too large"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    test::WriteAll(tmp_.file(r.name), r.bytes);
    seam_.messages.clear();
    seam_.openAnswers.push_back(QString::fromStdString(tmp_.file(r.name)));
    OpenImport();
    ASSERT_EQ(seam_.messages.size(), 1u);
    EXPECT_TRUE(seam_.messages[0].contains(r.says)) << seam_.messages[0].toStdString();
    EXPECT_EQ(seam_.icons[0], QMessageBox::Critical);
    EXPECT_EQ(seam_.lastTitle, "Varnel Glyphsmith");
    EXPECT_TRUE(seam_.closedByItself);
  }
  // A failed choice after a good one keeps the good picture and the window.
  seam_.openAnswers.push_back(Picture("ok.bmp", 40, 40));
  seam_.onImport = [&](frmImport& w) {
    seam_.openAnswers.push_back(QString::fromStdString(tmp_.file("notes.bmp")));
    w.cmdSelect()->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.CurrentPicture().width, 40);
    // Only the first picture brings its start region; the next keeps the one marked.
    w.txtLeft()->setText("3");
    seam_.openAnswers.push_back(Picture("next.bmp", 90, 20));
    w.cmdSelect()->click();
    EXPECT_EQ(w.CurrentPicture().width, 90);
    EXPECT_EQ(w.Region(), (ImportRegion{3, 0, 40, 40}));
  };
  OpenImport();
}

TEST_F(ImportWindowTest, PicturesOpenAsUntitledImportsAndSaveAsksForAName) {
  for (const char* format : {"PNG", "BMP", "GIF", "JPEG"}) {
    SCOPED_TRACE(format);
    QString path;
    if (std::string(format) == "GIF") {  // Qt writes no GIF: two pixels, red and green
      path = QString::fromStdString(tmp_.file("logo.gif"));
      test::WriteAll(path.toStdString(),
                     {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 255,  0,    0, 0,  255,
                      0,   ',', 0,   0,   0,   0,   2, 0, 1, 0, 0,    2, 2, 0x44, 0x0A, 0, ';'});
    } else {
      path = Picture((std::string("logo.") + format).c_str(), 96, 64, format);
    }
    window_ = std::make_unique<frmMain>(env_);
    window_->Start(path);
    gs::Picture pic;
    std::string error;
    ASSERT_TRUE(LoadPictureFile(path.toStdString(), pic, error)) << error;
    EXPECT_EQ(Doc().surface.Pixels(), ImportWholePicture(pic).Pixels());
    EXPECT_TRUE(Doc().fileName.empty());
    EXPECT_FALSE(Doc().modified);
    EXPECT_FALSE(window_->windowTitle().contains("logo"));
    // Save asks for a name instead of writing over the picture.
    const std::vector<std::uint8_t> before = test::ReadAll(path.toStdString());
    seam_.dialogs.clear();
    window_->MenuAction("mnuFile", 2)->trigger();
    ASSERT_EQ(seam_.dialogs.size(), 1u);
    EXPECT_EQ(test::ReadAll(path.toStdString()), before);
  }
}

TEST_F(ImportWindowTest, ADamagedPictureOpensNothingAndSaysWhy) {
  Doc().fileName = "kept.ico";
  Doc().surface.FillRect({0, 0, 32, 32}, RGB(5, 6, 7));
  const std::vector<Color> before = Doc().surface.Pixels();
  test::WriteAll(tmp_.file("broken.png"),
                 {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I'});
  seam_.openAnswers.push_back(QString::fromStdString(tmp_.file("broken.png")));
  window_->MenuAction("mnuFile", 1)->trigger();
  ASSERT_EQ(seam_.messages.size(), 1u);
  EXPECT_TRUE(seam_.messages[0].contains("PNG")) << seam_.messages[0].toStdString();
  EXPECT_EQ(Doc().fileName, "kept.ico");
  EXPECT_EQ(Doc().surface.Pixels(), before);
}

}  // namespace
}  // namespace gs
