// The editor given files that are not icons, through the Open menu and the
// command line: it never takes their name, and Save then asks for one.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <filesystem>

#include "files/ani_format.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "platform/settings_store.h"
#include "shell/frmMain.h"
#include "shell/frmMain_File.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

class OpenNonIconTest : public ::testing::Test {
 protected:
  void SetUp() override { env_.settingsFolder = tmp_.file("settings"); }
  void TearDown() override { window_.reset(); }
  void Start(const std::string& path = "") {
    window_ = std::make_unique<frmMain>(env_);
    window_->Start(Q(path));
  }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = tmp_.file(name);
    test::WriteAll(path, bytes);
    return path;
  }
  // Every file the editor must not adopt, with what it does with it.
  std::vector<std::pair<std::string, bool>> Files() {  // path, opens as a document
    Surface s = MakeIconSurface();
    s.FillRect({0, 0, 8, 8}, RGB(0, 0, 200));
    const auto cur = BuildIconBytes(s, 24, PaletteMethod::None);
    // A picture opens as the untitled import of the whole picture.
    return {{Write("picture.png", BuildPngBytes(s)), true},
            {Write("walk.ani",
                   BuildAnimatedCursorBytes(std::vector<std::vector<std::uint8_t>>{cur}, 5)),
             true},
            {Write("notes.txt", {'h', 'i', '\n'}), false},
            {Write("empty.ico", {}), false}};
  }

  test::TempDir tmp_;
  test::FakeDialogs seam_;
  test::TestEnvironment env_{&seam_};
  std::unique_ptr<frmMain> window_;
};

TEST_F(OpenNonIconTest, OpenNeverTakesTheirNameAndSaveAsksForOne) {
  Start();
  for (const auto& [path, opens] : Files()) {
    SCOPED_TRACE(path);
    seam_.messages.clear();
    seam_.dialogs.clear();
    seam_.openAnswers.push_back(Q(path));
    window_->MenuAction("mnuFile", 1)->trigger();
    IconDocument& doc = window_->Document();
    EXPECT_EQ(doc.fileName, "");
    EXPECT_NE(window_->windowTitle(), Q(path + " - Varnel Glyphsmith"));
    if (opens) {
      EXPECT_TRUE(seam_.messages.empty());
      EXPECT_EQ(doc.surface.GetPixel(0, 0), RGB(0, 0, 200))
          << "the picture or first frame is shown";
    } else {
      ASSERT_EQ(seam_.messages.size(), 1u);
      EXPECT_TRUE(seam_.messages[0].contains(Q(path)));
    }
    const auto before = test::ReadAll(path);
    window_->MenuAction("mnuFile", 2)->trigger();  // Save: a name is asked, then cancelled
    ASSERT_EQ(seam_.dialogs.size(), 2u);
    EXPECT_EQ(seam_.dialogs.back().title, "Sauvez Icon ...");
    EXPECT_EQ(test::ReadAll(path), before);
  }
}

TEST_F(OpenNonIconTest, CommandLineFileThatIsNoIconLeavesTheNewDocument) {
  const std::string path = Write("notes.txt", {'h', 'i', '\n'});
  Start(path);
  EXPECT_EQ(window_->Document().fileName, "");
  EXPECT_NE(window_->windowTitle(), Q(path + " - Varnel Glyphsmith"));
  ASSERT_EQ(seam_.messages.size(), 1u);
  EXPECT_TRUE(seam_.messages[0].contains(Q(path)));
}

}  // namespace
}  // namespace gs
