// The main window as a user meets it in the first minutes: modal dialogs
// that answer the mouse with the floating spectrum up, the folders the real
// file dialogs start in, the start size and place, New and Save as, and the
// save-options window's default button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest/QTest>
#include <deque>
#include <filesystem>
#include <functional>

#include "files/file_dialogs.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "platform/qt_dialog_seam.h"
#include "platform/settings_store.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Colors.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/test_support.h"
#include "tools/frmPalette.h"

namespace gs {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Answers real modal windows one after the other as they come up. Each answer
// sees the modal window; a window it fails to close is closed for it, so a
// test that finds a dead dialog fails instead of hanging.
class ModalAnswers : public QObject {
 public:
  using Answer = std::function<void(QWidget* modal)>;
  explicit ModalAnswers(std::deque<Answer> answers) : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(5);
  }
  int unanswered() const { return static_cast<int>(answers_.size()); }
  int forced = 0;  // windows a click did not close

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_) return;
    last_ = modal;
    if (answers_.empty()) {
      ADD_FAILURE() << "unexpected modal window " << modal->windowTitle().toStdString();
    } else {
      Answer a = std::move(answers_.front());
      answers_.pop_front();
      a(modal);
    }
    QApplication::processEvents();
    if (last_ && last_->isVisible()) {
      ++forced;
      if (auto* d = qobject_cast<QDialog*>(last_.data())) d->reject();
    }
  }

  std::deque<Answer> answers_;
  QPointer<QWidget> last_;
  QTimer timer_;
};

void Click(QAbstractButton* b) {
  ASSERT_TRUE(b);
  QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

class MainWindowMends : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<frmMain>(env_);
    window_->Start(QString());
    window_->show();
    QApplication::processEvents();
  }
  void TearDown() override { window_.reset(); }
  frmMain& W() { return *window_; }
  // Rests the pointer on the thumbnail: the floating spectrum comes up and
  // holds the mouse.
  void SpectrumUp() {
    ShowSpectrum(W());
    ASSERT_TRUE(W().Colors().palette);
    ASSERT_TRUE(QWidget::mouseGrabber());
  }
  std::string Icon(const std::string& name) {
    Surface s = MakeIconSurface();
    s.FillRect({0, 0, 8, 8}, RGB(0, 0, 200));
    const std::string path = tmp_.file(name);
    EXPECT_TRUE(WriteIconFile(path, s, 24, PaletteMethod::None));
    return path;
  }

  test::TempDir tmp_;
  // Qt's own dialogs, answered by ModalAnswers.
  Environment env_{tmp_.file("prog"), tmp_.file("settings"), "", &RealDialogs(), tmp_.file("data")};
  std::unique_ptr<frmMain> window_;
};

// What a modal window finds when it comes up with the spectrum showing: who
// holds the mouse, and whether the spectrum could come back over it.
struct Seen {
  bool grabbed = true;
  bool spectrumBack = true;
};

ModalAnswers::Answer Check(frmMain& w, Seen& seen, std::function<void(QWidget*)> then) {
  return [&w, &seen, then](QWidget* modal) {
    seen.grabbed = QWidget::mouseGrabber() != nullptr;
    ShowSpectrum(w);  // the pointer rests on the thumbnail again
    seen.spectrumBack = w.Colors().palette != nullptr;
    then(modal);
  };
}

TEST_F(MainWindowMends, SaveChangesQuestionTakesClicksWithTheSpectrumUp) {
  W().Document().modified = true;
  SpectrumUp();
  Seen seen;
  ModalAnswers answers({Check(W(), seen, [](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_TRUE(box);
    Click(box->button(QMessageBox::No));
  })});
  W().MenuAction("mnuFile", 0)->trigger();  // New asks first
  EXPECT_FALSE(seen.grabbed);
  EXPECT_FALSE(seen.spectrumBack);
  EXPECT_EQ(answers.unanswered(), 0);
  EXPECT_EQ(answers.forced, 0) << "the question ignored the click";
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(MainWindowMends, FileDialogThenSaveOptionsTakeClicksWithTheSpectrumUp) {
  const std::string target = tmp_.file("export.cur");
  SpectrumUp();
  Seen inDialog, inOptions;
  ModalAnswers answers({
      Check(W(), inDialog,
            [&](QWidget* modal) {
              auto* dlg = qobject_cast<QFileDialog*>(modal);
              ASSERT_TRUE(dlg);
              dlg->selectFile(Q(target));
              QMetaObject::invokeMethod(dlg, "accept");
            }),
      Check(W(), inOptions,
            [](QWidget* modal) {
              auto* save = qobject_cast<frmSave*>(modal);
              ASSERT_TRUE(save);
              Click(save->cmdCancel());
            }),
  });
  W().MenuAction("mnuExport", 0)->trigger();  // "Save Cursor..."
  EXPECT_FALSE(inDialog.grabbed);
  EXPECT_FALSE(inDialog.spectrumBack);
  EXPECT_FALSE(inOptions.grabbed);
  EXPECT_FALSE(inOptions.spectrumBack);
  EXPECT_EQ(answers.unanswered(), 0);
  EXPECT_EQ(answers.forced, 0) << "a button ignored the click";
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(MainWindowMends, ColourDialogOpensWithoutTheSpectrumHoldingTheMouse) {
  W().Colors().chooseColor = [](QWidget* owner) -> std::optional<QColor> {
    QDialog dialog(owner);
    dialog.exec();
    return std::nullopt;
  };
  SpectrumUp();
  Seen seen;
  ModalAnswers answers(
      {Check(W(), seen, [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); })});
  ColorBoxDoubleClicked(W(), 3);
  EXPECT_FALSE(seen.grabbed);
  EXPECT_FALSE(seen.spectrumBack);
}

TEST_F(MainWindowMends, OpenStartsInTheRememberedFolderAndSaveDoesNot) {
  const std::string remembered = tmp_.file("remembered");
  std::filesystem::create_directories(remembered);
  ASSERT_TRUE(WriteOpenDir(env_.Settings(), remembered + "/"));
  QString openShowed, saveShowed, exportShowed;
  const auto look = [](QString& into) {
    return [&into](QWidget* modal) {
      auto* dlg = qobject_cast<QFileDialog*>(modal);
      ASSERT_TRUE(dlg);
      into = QDir(dlg->directory()).canonicalPath();
      dlg->reject();
    };
  };
  ModalAnswers answers({look(openShowed), look(saveShowed), look(exportShowed)});
  W().MenuAction("mnuFile", 1)->trigger();
  W().MenuAction("mnuFile", 3)->trigger();
  W().MenuAction("mnuExport", 1)->trigger();
  EXPECT_EQ(openShowed, QDir(Q(remembered)).canonicalPath());
  EXPECT_EQ(saveShowed, QDir::current().canonicalPath());
  EXPECT_EQ(exportShowed, QDir::current().canonicalPath());
  EXPECT_EQ(answers.unanswered(), 0);
}

TEST_F(MainWindowMends, StartsAt487By388CentredWithTheMinimumOnTheOuterWindow) {
  EXPECT_EQ(W().client()->size(), QSize(487, 388));
  const QRect area = W().screen()->availableGeometry();
  const QPoint off = W().frameGeometry().center() - area.center();
  EXPECT_LE(std::abs(off.x()), 1);
  EXPECT_LE(std::abs(off.y()), 1);
  // The offscreen frame is thin: the outer window keeps 400 pixels of height,
  // and the width stops at the start width rather than grow past it.
  W().resize(300, 200);
  EXPECT_EQ(W().frameGeometry().height(), 400);
  EXPECT_EQ(W().width(), 487);
}

class FileTitleTest : public MainWindowMends {
 protected:
  void SetUp() override {
    env_.dialogs = &seam_;
    MainWindowMends::SetUp();
  }
  test::FakeDialogs seam_;
};

TEST_F(FileTitleTest, AfterNewSaveAsksForANameAndAfterSaveAsTheTitleNamesTheNewFile) {
  const std::string opened = Icon("opened.ico");
  const auto before = test::ReadAll(opened);
  seam_.openAnswers.push_back(Q(opened));
  W().MenuAction("mnuFile", 1)->trigger();
  ASSERT_EQ(W().windowTitle(), Q(LoadedTitle(opened)));

  W().MenuAction("mnuFile", 0)->trigger();
  EXPECT_EQ(W().windowTitle(), QString::fromUtf8(kMainTitle));
  W().Document().surface.SetPixelV(5, 5, RGB(0, 0, 0));
  W().Document().modified = true;
  const std::size_t asked = seam_.dialogs.size();
  W().MenuAction("mnuFile", 2)->trigger();  // Ctrl+S
  ASSERT_EQ(seam_.dialogs.size(), asked + 1);
  EXPECT_EQ(seam_.dialogs.back().title, QString("Sauvez Icon ..."));
  EXPECT_EQ(test::ReadAll(opened), before);

  const std::string renamed = tmp_.file("renamed.ico");
  seam_.saveAnswers.push_back(Q(renamed));
  W().MenuAction("mnuFile", 3)->trigger();
  EXPECT_EQ(W().windowTitle(), Q(LoadedTitle(renamed)));
  EXPECT_EQ(W().Document().fileName, renamed);
}

TEST_F(FileTitleTest, SaveOptionsOkIsTheDefaultEachTimeItOpens) {
  const std::string target = tmp_.file("enter.ico");
  int run = 0;
  seam_.onSave = [&](frmSave& w) {
    if (run++ == 0) {
      w.cmdCancel()->setFocus();
      Click(w.cmdCancel());
      return;
    }
    EXPECT_TRUE(w.cmdOK()->isDefault());
    EXPECT_FALSE(w.cmdCancel()->isDefault());
    EXPECT_EQ(w.focusWidget(), w.cmdOK());
    QTest::keyClick(&w, Qt::Key_Return);
  };
  seam_.saveAnswers = {Q(target), Q(target)};
  W().MenuAction("mnuFile", 3)->trigger();
  EXPECT_FALSE(std::filesystem::exists(target));
  W().MenuAction("mnuFile", 3)->trigger();
  EXPECT_TRUE(std::filesystem::exists(target)) << "Enter cancelled the save";
}

}  // namespace
}  // namespace gs
