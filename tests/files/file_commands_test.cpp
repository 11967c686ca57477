#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "platform/app_identity.h"
#include "platform/settings_store.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// Answers every dialog from queues and records what was shown.
class FakeHost : public FileCommandHost {
 public:
  std::deque<std::string> openAnswers, saveAnswers;
  std::deque<SaveChangesAnswer> questionAnswers;
  std::deque<SaveOptionsChoice> optionAnswers;
  std::vector<std::string> openStarts, messages, titles;
  std::vector<FileDialogRequest> dialogs;
  std::vector<SaveKind> optionKinds;
  int questions = 0, repaints = 0;

  std::string OpenFileDialog(const FileDialogRequest& request, const std::string& start) override {
    dialogs.push_back(request);
    openStarts.push_back(start);
    return Pop(openAnswers);
  }
  std::string SaveFileDialog(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    return Pop(saveAnswers);
  }
  SaveChangesAnswer AskSaveChangesQuestion() override {
    ++questions;
    if (questionAnswers.empty()) ADD_FAILURE() << "unexpected save-changes question";
    return questionAnswers.empty() ? SaveChangesAnswer::Cancel : Take(questionAnswers);
  }
  void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
  SaveOptionsChoice RunSaveOptions(SaveKind kind) override {
    optionKinds.push_back(kind);
    if (optionAnswers.empty()) ADD_FAILURE() << "unexpected save-options window";
    return optionAnswers.empty() ? SaveOptionsChoice{} : Take(optionAnswers);
  }
  void SetTitle(const std::string& t) override { titles.push_back(t); }
  void RePaint() override { ++repaints; }

 private:
  template <class T>
  static T Take(std::deque<T>& q) {
    T v = q.front();
    q.pop_front();
    return v;
  }
  static std::string Pop(std::deque<std::string>& q) { return q.empty() ? std::string() : Take(q); }
};

SaveOptionsChoice Ok(int bits, std::uint8_t method = 0, std::int16_t hx = 0, std::int16_t hy = 0) {
  return {method, bits, hx, hy};
}
const SaveOptionsChoice kCancelled{kSaveCancelled, 4, 0, 0};

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { doc_.surface.SetPixelV(1, 1, RGB(200, 0, 0)); }
  bool Exists(const std::string& p) { return std::filesystem::exists(p); }

  test::TempDir tmp_;
  IconDocument doc_;
  FakeHost host_;
  Environment env_{tmp_.file("prog"), tmp_.file("settings"), "", nullptr};
  FileCommands files_{doc_, host_, env_};
};

TEST_F(FileCommandsTest, UnmodifiedDocumentIsNotAsked) {
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::GoOn);
  EXPECT_EQ(host_.questions, 0);
}

TEST_F(FileCommandsTest, NoGoesOnCancelCancels) {
  doc_.modified = true;
  host_.questionAnswers = {SaveChangesAnswer::No, SaveChangesAnswer::Cancel};
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::GoOn);
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::Cancel);
}

TEST_F(FileCommandsTest, YesSavesUnderTheCurrentName) {
  doc_.modified = true;
  doc_.fileName = tmp_.file("a.ico");
  host_.questionAnswers = {SaveChangesAnswer::Yes};
  host_.optionAnswers = {Ok(24)};
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::GoOn);
  EXPECT_FALSE(doc_.modified);
  EXPECT_EQ(test::ReadAll(tmp_.file("a.ico")).size(), 3262u);
  EXPECT_TRUE(host_.dialogs.empty());
}

TEST_F(FileCommandsTest, YesThenOptionsCancelledCancels) {
  doc_.modified = true;
  doc_.fileName = tmp_.file("a.ico");
  host_.questionAnswers = {SaveChangesAnswer::Yes};
  host_.optionAnswers = {kCancelled};
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::Cancel);
  EXPECT_TRUE(doc_.modified);
  EXPECT_FALSE(Exists(tmp_.file("a.ico")));
}

TEST_F(FileCommandsTest, YesWithoutNameAsksForOneAndAddsItToRecent) {
  doc_.modified = true;
  host_.questionAnswers = {SaveChangesAnswer::Yes, SaveChangesAnswer::Yes};
  // First the save dialog is cancelled, then a path is given.
  host_.saveAnswers = {"", tmp_.file("new.ico")};
  host_.optionAnswers = {Ok(4)};
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::Cancel);
  EXPECT_EQ(host_.dialogs.back(), SaveChangesDialog());
  EXPECT_EQ(files_.AskSaveChanges(), AskResult::GoOn);
  EXPECT_EQ(doc_.fileName, tmp_.file("new.ico"));
  EXPECT_FALSE(doc_.modified);
  EXPECT_EQ(files_.Recent().paths[0], tmp_.file("new.ico"));
  EXPECT_EQ(test::ReadAll(tmp_.file("new.ico")).size(), 766u);
}

TEST_F(FileCommandsTest, FailedSaveKeepsTheWorkAndCancelsTheQuestion) {
  doc_.modified = true;
  const std::string target = tmp_.file("missing-folder/a.ico");
  doc_.fileName = target;
  host_.questionAnswers = {SaveChangesAnswer::Yes};
  host_.optionAnswers = {Ok(8, 1)};
  // New must not wipe the picture when the save before it failed.
  files_.New();
  EXPECT_EQ(doc_.surface.GetPixel(1, 1), RGB(200, 0, 0));
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(doc_.fileName, target);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].find(target), std::string::npos);
  EXPECT_GT(host_.messages[0].size(), SaveFailedMessage(target, "").size());  // a reason follows
}

TEST_F(FileCommandsTest, FailedSaveAsOverReadOnlyFileKeepsOldFileAndName) {
  const std::string target = tmp_.file("locked.ico");
  test::WriteAll(target, {1, 2, 3});
  std::filesystem::permissions(target, std::filesystem::perms::owner_read);
  doc_.modified = true;
  doc_.fileName = tmp_.file("before.ico");
  host_.saveAnswers = {target};
  host_.optionAnswers = {Ok(24)};
  files_.SaveAs();
  EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(doc_.fileName, tmp_.file("before.ico"));
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(files_.Recent(), RecentFiles{});
  EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(FileCommandsTest, SaveWithoutNameRunsSaveAs) {
  host_.saveAnswers = {tmp_.file("x.ico")};
  host_.optionAnswers = {Ok(1)};
  doc_.modified = true;
  files_.Save();
  EXPECT_EQ(test::ReadAll(tmp_.file("x.ico")).size(), 326u);
  EXPECT_EQ(files_.Recent().paths[0], tmp_.file("x.ico"));
  EXPECT_FALSE(doc_.modified);
}

TEST_F(FileCommandsTest, OpenRemembersFolderAndIgnoresMissingFiles) {
  const std::string icon = tmp_.file("sub/star.ico");
  std::filesystem::create_directory(tmp_.file("sub"));
  ASSERT_TRUE(WriteIconFile(icon, doc_.surface, 24, PaletteMethod::None));
  IconDocument fresh;
  FileCommands files(fresh, host_, env_);
  host_.openAnswers = {icon, tmp_.file("sub/gone.ico")};
  files.Open();
  EXPECT_EQ(fresh.fileName, icon);
  EXPECT_EQ(fresh.surface.GetPixel(1, 1), RGB(200, 0, 0));
  files.Open();
  EXPECT_EQ(fresh.fileName, icon);
  EXPECT_EQ(host_.openStarts, (std::vector<std::string>{"", tmp_.file("sub/")}));
  EXPECT_EQ(host_.dialogs[0], OpenIconDialog());
}

TEST_F(FileCommandsTest, RecentEntryLoadsAfterTheQuestion) {
  const std::string icon = tmp_.file("r.ico");
  ASSERT_TRUE(WriteIconFile(icon, doc_.surface, 8, PaletteMethod::High));
  files_.Recent() = RecentFiles{{"/a", "/b", icon, ""}};
  doc_.modified = true;
  host_.questionAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::No};
  files_.OpenRecent(3);
  EXPECT_EQ(doc_.fileName, "");
  files_.OpenRecent(3);
  EXPECT_EQ(doc_.fileName, icon);
  EXPECT_FALSE(doc_.modified);
  EXPECT_EQ(files_.Recent(), (RecentFiles{{icon, "/a", "/b", ""}}));
}

TEST_F(FileCommandsTest, ExportCursorWritesHotspotAndLeavesNameAndFlag) {
  doc_.modified = true;
  doc_.fileName = "/doc.ico";
  host_.saveAnswers = {tmp_.file("c.cur")};
  host_.optionAnswers = {Ok(1, 0, 5, 7)};
  files_.ExportCursor();
  EXPECT_EQ(host_.dialogs.back(), ExportCursorDialog());
  const auto b = test::ReadAll(tmp_.file("c.cur"));
  ASSERT_EQ(b.size(), 326u);
  EXPECT_EQ(b[2], 2);
  EXPECT_EQ(b[10] | b[11] << 8, 5);
  EXPECT_EQ(b[12] | b[13] << 8, 7);
  EXPECT_EQ(host_.optionKinds, (std::vector<SaveKind>{SaveKind::Cursor}));
  EXPECT_EQ(doc_.hotspotX, 5);
  EXPECT_EQ(doc_.hotspotY, 7);
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(doc_.fileName, "/doc.ico");
  EXPECT_EQ(files_.Recent(), RecentFiles{});
}

}  // namespace
}  // namespace gs

namespace gs {
namespace {

// After New the old file must be safe from Ctrl+S, and after any save under a
// new name the title must name the file later saves go to.
TEST_F(FileCommandsTest, NewIsUntitledAndSavingUnderANewNameRetitles) {
  const std::string old = tmp_.file("old.ico");
  doc_.fileName = old;
  files_.New();
  EXPECT_EQ(doc_.fileName, "");
  ASSERT_FALSE(host_.titles.empty());
  EXPECT_EQ(host_.titles.back(), kMainTitle);

  doc_.surface.SetPixelV(2, 2, RGB(0, 0, 0));
  doc_.modified = true;
  host_.saveAnswers = {tmp_.file("drawn.ico")};
  host_.optionAnswers = {Ok(24)};
  files_.Save();
  EXPECT_EQ(host_.dialogs.back(), SaveAsDialog());
  EXPECT_FALSE(Exists(old));
  EXPECT_EQ(host_.titles.back(), LoadedTitle(tmp_.file("drawn.ico")));

  const struct {
    const char* name;
    void (*run)(FileCommands&);
    std::deque<SaveChangesAnswer> answers;
  } routes[] = {
      {"save as", [](FileCommands& f) { f.SaveAs(); }, {}},
      {"save from the question", [](FileCommands& f) { f.New(); }, {SaveChangesAnswer::Yes}},
  };
  for (const auto& r : routes) {
    doc_.fileName.clear();
    doc_.modified = true;
    const std::string target = tmp_.file(std::string(r.name) + ".ico");
    host_.saveAnswers = {target};
    host_.optionAnswers = {Ok(24)};
    host_.questionAnswers = r.answers;
    const std::size_t before = host_.titles.size();
    r.run(files_);
    ASSERT_GT(host_.titles.size(), before) << r.name;
    EXPECT_EQ(host_.titles[before], LoadedTitle(target)) << r.name;
  }

  // A cancelled Save as leaves name and title alone.
  doc_.fileName = tmp_.file("kept.ico");
  const std::size_t titles = host_.titles.size();
  host_.saveAnswers = {tmp_.file("other.ico")};
  host_.optionAnswers = {kCancelled};
  files_.SaveAs();
  EXPECT_EQ(doc_.fileName, tmp_.file("kept.ico"));
  EXPECT_EQ(host_.titles.size(), titles);
}

}  // namespace
}  // namespace gs
