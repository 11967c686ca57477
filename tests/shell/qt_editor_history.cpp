// Undo history and redo, zoom keys, the grid and files dropped on the window,
// driven through the real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QUrl>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <filesystem>

#include "document/numeric.h"
#include "document/qt_canvas.h"
#include "files/file_commands.h"
#include "files/icon_writer.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Tools.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<frmMain>(env);
    w->Start(QString());
    w->show();
    const QSize extra = w->size() - w->client()->size();
    w->resize(560 + extra.width(), 420 + extra.height());  // canvas 320: 10 pixels a cell
    QApplication::processEvents();
    ASSERT_EQ(w->picIcon()->width(), 320);
  }

  void Mouse(QEvent::Type type, int cx, int cy, Qt::MouseButtons held) {
    const QPointF pos(cx * 10 + 5, cy * 10 + 5);
    QMouseEvent e(type, pos, w->picIcon()->mapToGlobal(pos),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w->picIcon(), &e);
  }
  void Stroke(int cx, int cy) {
    Mouse(QEvent::MouseButtonPress, cx, cy, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, cx, cy, Qt::NoButton);
  }
  std::vector<Color> Pixels() const { return w->Document().surface.Pixels(); }
  bool Trigger(const char* name, int index = -1) {
    QAction* a = w->MenuAction(name, index);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    return true;
  }
  bool CanUndo() const { return w->MenuAction("mnuEdit", 0)->isEnabled(); }
  bool CanRedo() const { return w->MenuAction("mnuEdit", 5)->isEnabled(); }
  std::string Icon(const std::string& name) {
    Surface s = MakeIconSurface();
    s.FillRect({0, 0, 8, 8}, RGB(0, 0, 200));
    const std::string path = env.dir.file(name);
    EXPECT_TRUE(WriteIconFile(path, s, 24, PaletteMethod::None));
    return path;
  }
  void Drop(const std::vector<std::string>& paths, bool accepted = true) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    // As a file manager writes them: the name's bytes, percent-encoded.
    for (const std::string& p : paths)
      urls << QUrl::fromEncoded("file://" + QByteArray::fromStdString(p).toPercentEncoding("/"));
    data->setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), accepted);
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &drop);
    QApplication::processEvents();  // the open runs after the drop
    delete data;
  }

  test::TestEnvironment env;
  std::unique_ptr<frmMain> w;
};

TEST_F(EditorTest, HundredStrokesUndoToTheFirstPictureAndRedoToTheLast) {
  MnuTool_Click(*w, ToolIndex::kPencil);
  const std::vector<Color> first = Pixels();
  for (int i = 0; i < 100; ++i) Stroke(i % 32, i / 32);
  const std::vector<Color> last = Pixels();
  EXPECT_FALSE(CanRedo());

  for (int i = 0; i < 100; ++i) ASSERT_TRUE(Trigger("mnuEdit", 0)) << i;
  EXPECT_EQ(Pixels(), first);
  EXPECT_FALSE(CanUndo());
  EXPECT_TRUE(w->Document().modified) << "undo leaves the modified flag alone";

  for (int i = 0; i < 100; ++i) ASSERT_TRUE(Trigger("mnuEdit", 5)) << i;
  EXPECT_EQ(Pixels(), last);
  EXPECT_FALSE(CanRedo());
  EXPECT_TRUE(CanUndo());

  // A change after an undo is a new line of changes: the redo steps go.
  Trigger("mnuEdit", 0);
  EXPECT_TRUE(CanRedo());
  Stroke(20, 20);
  EXPECT_FALSE(CanRedo());
  EXPECT_FALSE(Trigger("mnuEdit", 5));

  // Undo or redo with the button still down changes nothing: the stroke's
  // press took the step they would undo.
  Trigger("mnuEdit", 0);
  const std::vector<Color> before = Pixels();
  Mouse(QEvent::MouseButtonPress, 25, 25, Qt::LeftButton);
  EXPECT_FALSE(w->Tools().engine->EditUndo());
  EXPECT_FALSE(w->Tools().engine->EditRedo());
  EXPECT_NE(w->Document().surface.GetPixel(25, 25), kWhite);
  Mouse(QEvent::MouseButtonRelease, 25, 25, Qt::NoButton);
  EXPECT_TRUE(Trigger("mnuEdit", 0));
  EXPECT_EQ(Pixels(), before);
}

TEST_F(EditorTest, TheKeysUndoAndRedoAndOpenForgetsBoth) {
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  MnuTool_Click(*w, ToolIndex::kPencil);
  Stroke(1, 1);
  Stroke(2, 2);
  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w->Document().surface.GetPixel(1, 1), kWhite);
  QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_NE(w->Document().surface.GetPixel(1, 1), kWhite);
  EXPECT_EQ(w->Document().surface.GetPixel(2, 2), kWhite);
  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_NE(w->Document().surface.GetPixel(2, 2), kWhite);

  // A save that fails leaves the history as it was; redo only touches the picture.
  Trigger("mnuEdit", 0);
  ASSERT_TRUE(CanRedo());
  const std::string nowhere = env.dir.file("missing/folder/x.ico");
  env.fake.saveAnswers.push_back(Q(nowhere));
  Trigger("mnuFile", 2);
  ASSERT_FALSE(env.fake.messages.empty()) << "the failure is said";
  EXPECT_TRUE(Trigger("mnuEdit", 5));
  EXPECT_FALSE(std::filesystem::exists(nowhere));
  EXPECT_TRUE(w->Document().fileName.empty());

  Trigger("mnuEdit", 0);
  ASSERT_TRUE(CanRedo());
  env.fake.buttons.push_back(QMessageBox::No);  // keep no changes
  env.fake.openAnswers.push_back(Q(Icon("a.ico")));
  Trigger("mnuFile", 1);
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
}

TEST_F(EditorTest, ZoomKeysAndWheelDoWhatTheMenuDoes) {
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  IconCanvas* c = w->picIcon();
  QTest::keyClick(w.get(), Qt::Key_Plus);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), 352);
  QTest::keyClick(w.get(), Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), 352 * 0.88);
  QTest::keyClick(w.get(), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), ZoomIn(ZoomOut(ZoomIn({320, 320}))).width);
  EXPECT_EQ(c->width(), Nearest(c->ScaleWidth()));

  // Ctrl+wheel: a notch a step, half notches add up; a bare wheel scrolls.
  QWidget* view = w->picIconView()->viewport();
  const auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent e(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(c, &e);
  };
  const double before = c->ScaleWidth();
  wheel(120, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), before * 1.1);
  wheel(-60, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), before * 1.1);
  wheel(-60, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), before * 1.1 * 0.88);
  wheel(120, Qt::NoModifier);
  EXPECT_DOUBLE_EQ(c->ScaleWidth(), before * 1.1 * 0.88);
}

TEST_F(EditorTest, GridDrawsCellBordersFromSixPixelsAndIsRemembered) {
  const auto border = [this] { return w->picIcon()->Rendered().pixel(10, 3); };
  ASSERT_EQ(border(), qRgb(255, 255, 255));
  Trigger("mnuGrid");
  EXPECT_TRUE(w->MenuAction("mnuGrid")->isChecked());
  const QRgb line = border();
  EXPECT_NE(line, qRgb(255, 255, 255));
  EXPECT_EQ(w->picIcon()->Rendered().pixel(15, 3), qRgb(255, 255, 255)) << "inside a cell";
  // The status line reads the picture, not the line, and names the cell.
  const QPointF onLine(10, 3);
  QMouseEvent move(QEvent::MouseMove, onLine, w->picIcon()->mapToGlobal(onLine), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w->picIcon(), &move);
  EXPECT_EQ(w->lblStatus()->text(), "RGB: 255 255 255   1, 0");

  // Three zoom-outs: 320 x 0.88^3 = 218.1, 6.8 pixels a cell, still drawn;
  // a fourth: 5.997, none.
  for (int i = 0; i < 3; ++i) Trigger("ZooAr");
  EXPECT_GE(w->picIcon()->ScaleWidth() / 32, 6);
  const std::vector<int> lines = GridLines(w->picIcon()->ScaleWidth());
  EXPECT_EQ(w->picIcon()->Rendered().pixel(lines[0], 1), line);
  Trigger("ZooAr");
  EXPECT_LT(w->picIcon()->ScaleWidth() / 32, 6);
  const QImage small = w->picIcon()->Rendered();
  for (int x = 0; x < small.width(); ++x) ASSERT_EQ(small.pixel(x, 1), qRgb(255, 255, 255)) << x;

  frmMain again(env);
  again.Start(QString());
  EXPECT_TRUE(again.MenuAction("mnuGrid")->isChecked());
  EXPECT_TRUE(again.picIcon()->Grid());
}

TEST_F(EditorTest, ADroppedFileOpensAsOpenWould) {
  const std::string a = Icon("a.ico"), b = Icon("b.ico"), c = Icon("c.ico");
  // Unsaved work: the question first; Cancel keeps everything.
  w->Document().modified = true;
  env.fake.buttons.push_back(QMessageBox::Cancel);
  Drop({a});
  ASSERT_EQ(env.fake.messages.size(), 1u);
  EXPECT_TRUE(w->Document().fileName.empty());

  env.fake.buttons.push_back(QMessageBox::No);
  Drop({a, b, c});
  EXPECT_EQ(w->Document().fileName, a);
  EXPECT_EQ(w->Document().surface.GetPixel(0, 0), RGB(0, 0, 200));
  EXPECT_EQ(w->lblStatus()->text(), Q(DropIgnoredMessage(2)));
  EXPECT_EQ(DropIgnoredMessage(0), "");

  // Not while a modal window is up.
  {
    QDialog modal(w.get());
    modal.setModal(true);
    modal.show();
    Drop({b}, false);
    EXPECT_EQ(w->Document().fileName, a);
  }

  // A name that is not UTF-8 opens as it is on the disk.
  const std::string latin = Icon("caf\xE9.ico");
  Drop({latin});
  EXPECT_EQ(w->Document().fileName, latin);
  Drop({a});

  // A folder is said as Open says a file it cannot read, with no question.
  const std::size_t shown = env.fake.messages.size();
  Drop({env.dir.path()});
  ASSERT_EQ(env.fake.messages.size(), shown + 1);
  EXPECT_TRUE(env.fake.messages.back().startsWith(Q(OpenFailedMessage(env.dir.path(), ""))));
  EXPECT_EQ(w->Document().fileName, a);
}

}  // namespace
}  // namespace gs
