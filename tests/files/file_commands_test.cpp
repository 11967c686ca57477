#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>

#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "platform/app_identity.h"
#include "platform/settings_store.h"
#include "tests/files/file_test_util.h"
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
  SaveChangesAnswer AskFileChanged(const std::string&) override {
    ++changedQuestions;
    if (whileAsked) whileAsked();
    if (changedAnswers.empty()) ADD_FAILURE() << "unexpected question about a changed file";
    return changedAnswers.empty() ? SaveChangesAnswer::Cancel : Take(changedAnswers);
  }
  bool ConfirmHiddenSave() override {
    ++hiddenQuestions;
    if (hiddenAnswers.empty()) ADD_FAILURE() << "unexpected question about a hidden image";
    return !hiddenAnswers.empty() && Take(hiddenAnswers);
  }

  std::deque<SaveChangesAnswer> changedAnswers;
  std::deque<bool> hiddenAnswers;
  std::function<void()> whileAsked;
  int changedQuestions = 0, hiddenQuestions = 0;

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
  Environment env_{tmp_.file("prog"), tmp_.file("settings"), "", nullptr, ""};
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

// Other programs' files of several images (tests/data/files/multi, written by
// make_multi.sh): Save puts the edited picture in the place of the image it
// came from and writes every other image back as it was.
struct StoredEntry {
  std::vector<std::uint8_t> fields;  // the directory entry without its offset
  std::vector<std::uint8_t> image;
};
std::vector<StoredEntry> Entries(const std::vector<std::uint8_t>& file) {
  std::vector<StoredEntry> out;
  const IconDirectory dir = ReadIconDirectory(file);
  for (std::size_t i = 0; i < dir.entries.size(); ++i) {
    const IconDirectoryEntry& e = dir.entries[i];
    const auto at = file.begin() + 6 + 16 * static_cast<std::ptrdiff_t>(i);
    StoredEntry s{{at, at + 12}, {}};
    if (std::size_t{e.imageOffset} + e.bytesInResource <= file.size())
      s.image.assign(file.begin() + e.imageOffset,
                     file.begin() + e.imageOffset + e.bytesInResource);
    out.push_back(std::move(s));
  }
  return out;
}

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[512];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class KeptImagesTest : public FileCommandsTest {
 protected:
  // The fixture copied to the temporary folder, opened, and a pixel changed.
  std::string OpenEdited(const std::string& fixture) {
    const std::string path = tmp_.file(fixture);
    original_ = test::ReadAll(test::DataPath("files/multi/" + fixture));
    test::WriteAll(path, original_);
    EXPECT_TRUE(files_.LoadFile(path));
    EXPECT_EQ(doc_.fileName, path);
    doc_.surface.SetPixelV(0, 0, RGB(1, 2, 3));
    doc_.modified = true;
    return path;
  }
  std::vector<std::uint8_t> original_;
};

TEST_F(KeptImagesTest, SevenSizeIconKeepsEveryOtherImageByteForByte) {
  const std::string path = OpenEdited("seven_sizes_imagemagick.ico");
  host_.optionAnswers = {Ok(4)};
  files_.Save();
  const std::vector<std::uint8_t> saved = test::ReadAll(path);
  const std::vector<StoredEntry> before = Entries(original_), after = Entries(saved);
  ASSERT_EQ(after.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    if (i == 2) continue;  // the 32 x 32 one, replaced by the edited picture
    EXPECT_EQ(after[i].fields, before[i].fields) << "entry " << i;
    EXPECT_TRUE(after[i].image == before[i].image) << "entry " << i;
  }
  EXPECT_EQ(after[2].fields[0], 32);
  EXPECT_EQ(after[2].image.at(14), 4);  // the depth chosen in the save options
  const IconDecodeResult back = DecodeIconFile(saved);
  EXPECT_EQ(back.entryIndex, 2);
  EXPECT_EQ(back.pixels.GetPixel(0, 0), RGB(0, 0, 0));  // 1,2,3 at 4 bits
  EXPECT_EQ(doc_.modified, false);

  // Other readers still see all seven.
  EXPECT_EQ(Lines(Output("icotool -l '" + path + "' 2>&1")), 7);
  EXPECT_EQ(Lines(Output("identify '" + path + "' 2>&1")), 7);
  const std::string thumb = tmp_.file("thumb.png");
  Output("gdk-pixbuf-thumbnailer -s 256 '" + path + "' '" + thumb + "' 2>&1");
  EXPECT_NE(Output("identify '" + thumb + "' 2>&1").find("256x256"), std::string::npos);
}

TEST_F(KeptImagesTest, CursorKeepsItsImagesAndHotspots) {
  const std::string path = OpenEdited("two_hotspots_icotool.cur");
  host_.optionAnswers = {Ok(8, 2)};
  files_.Save();
  const std::vector<std::uint8_t> saved = test::ReadAll(path);
  const std::vector<StoredEntry> after = Entries(saved);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(test::U16At(saved, 2), 2);  // still a cursor
  EXPECT_TRUE(after[1].image == Entries(original_)[1].image);
  EXPECT_EQ(Output("icotool -l '" + path + "' 2>&1"),
            "--cursor --index=1 --width=32 --height=32 --bit-depth=8 --palette-size=256 "
            "--hotspot-x=3 --hotspot-y=5\n"
            "--cursor --index=2 --width=48 --height=48 --bit-depth=32 --palette-size=0 "
            "--hotspot-x=20 --hotspot-y=40\n");

  // Exported as a cursor, the edited image takes the hotspot asked for.
  const std::string exported = tmp_.file("exported.cur");
  host_.saveAnswers = {exported};
  host_.optionAnswers = {Ok(1, 0, 7, 9)};
  files_.ExportCursor();
  const std::vector<std::uint8_t> x = test::ReadAll(exported);
  ASSERT_EQ(Entries(x).size(), 2u);
  EXPECT_EQ(test::U16At(x, 6 + 4), 7);
  EXPECT_EQ(test::U16At(x, 6 + 6), 9);
  EXPECT_EQ(test::U16At(x, 6 + 16 + 6), 40);
}

TEST_F(KeptImagesTest, FileWithoutA32PixelImageGainsOne) {
  // Only the 16 and 48 of the seven: the picture comes from the 48.
  std::vector<std::uint8_t> two = {0, 0, 1, 0, 2, 0};
  const std::vector<std::uint8_t> seven =
      test::ReadAll(test::DataPath("files/multi/seven_sizes_imagemagick.ico"));
  const std::vector<StoredEntry> es = Entries(seven);
  std::uint32_t at = 6 + 32;
  for (int i : {0, 3}) {
    two.insert(two.end(), es[i].fields.begin(), es[i].fields.end());
    for (int k = 0; k < 4; ++k) two.push_back(static_cast<std::uint8_t>(at >> (8 * k)));
    at += static_cast<std::uint32_t>(es[i].image.size());
  }
  for (int i : {0, 3}) two.insert(two.end(), es[i].image.begin(), es[i].image.end());
  const std::string path = tmp_.file("two.ico");
  test::WriteAll(path, two);
  ASSERT_TRUE(files_.LoadFile(path));
  host_.optionAnswers = {Ok(24)};
  files_.Save();
  const std::vector<StoredEntry> after = Entries(test::ReadAll(path));
  ASSERT_EQ(after.size(), 3u);
  EXPECT_TRUE(after[0].image == es[0].image);
  EXPECT_TRUE(after[1].image == es[3].image);
  EXPECT_EQ(after[2].fields[0], 32);
}

TEST_F(KeptImagesTest, DamagedOtherImageIsKeptAndABrokenDirectoryIsNeverWrittenOver) {
  std::vector<std::uint8_t> file =
      test::ReadAll(test::DataPath("files/multi/seven_sizes_imagemagick.ico"));
  const IconDirectory dir = ReadIconDirectory(file);
  // The 48's header and pixels become noise: kept as they are.
  for (std::size_t i = 0; i < 64; ++i)
    file[dir.entries[3].imageOffset + i] = static_cast<std::uint8_t>(i * 37);
  const std::string path = tmp_.file("damaged.ico");
  test::WriteAll(path, file);
  ASSERT_TRUE(files_.LoadFile(path));
  ASSERT_EQ(doc_.fileName, path);
  host_.optionAnswers = {Ok(4)};
  files_.Save();
  EXPECT_TRUE(Entries(test::ReadAll(path))[3].image == Entries(file)[3].image);

  // Two entries sharing bytes: the images cannot be copied out, so Save asks
  // for a new name and the file stays as it was.
  file = test::ReadAll(test::DataPath("files/multi/seven_sizes_imagemagick.ico"));
  std::copy(file.begin() + 6 + 12, file.begin() + 6 + 16, file.begin() + 6 + 16 + 12);
  test::WriteAll(path, file);
  ASSERT_TRUE(files_.LoadFile(path));
  EXPECT_EQ(doc_.fileName, "");
  host_.saveAnswers = {};
  files_.Save();
  EXPECT_TRUE(test::ReadAll(path) == file);
}

TEST_F(KeptImagesTest, NewForgetsTheOtherImages) {
  OpenEdited("seven_sizes_imagemagick.ico");
  host_.questionAnswers = {SaveChangesAnswer::No};
  files_.New();
  const std::string fresh = tmp_.file("fresh.ico");
  host_.saveAnswers = {fresh};
  host_.optionAnswers = {Ok(4)};
  files_.SaveAs();
  EXPECT_EQ(test::ReadAll(fresh).size(), 766u);
}

// A file of several 32 x 32 images opens on one of them; after Save at any
// depth it opens on the edited picture again, or the user was asked.
TEST_F(KeptImagesTest, SavedPictureIsThePictureReopened) {
  struct Case {
    const char* fixture;
    int bits;
    bool asked;  // another image of a greater depth would open instead
  } cases[] = {
      {"three_depths_icotool.ico", 8, false},  {"three_depths_icotool.ico", 4, false},
      {"three_depths_icotool.ico", 24, false}, {"three_depths_icotool.ico", 1, true},
      {"two_depths_icotool.cur", 24, false},   {"two_depths_icotool.cur", 8, false},
      {"two_depths_icotool.cur", 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fixture) + " at " + std::to_string(c.bits) + " bits");
    const std::string path = OpenEdited(c.fixture);
    const int opened = DecodeIconFile(original_).entryIndex;
    doc_.surface.SetPixelV(20, 20, kBlack);  // black is in every table
    host_.optionAnswers = {Ok(c.bits)};
    host_.hiddenQuestions = 0;
    if (c.asked) {
      // Refused: nothing is written and the work stays unsaved.
      host_.hiddenAnswers = {false};
      files_.Save();
      EXPECT_EQ(host_.hiddenQuestions, 1);
      EXPECT_TRUE(test::ReadAll(path) == original_);
      EXPECT_TRUE(doc_.modified);
      continue;
    }
    files_.Save();
    EXPECT_EQ(host_.hiddenQuestions, 0);
    const std::vector<std::uint8_t> saved = test::ReadAll(path);
    const IconDirectory dir = ReadIconDirectory(saved);
    ASSERT_EQ(dir.entries.size(), ReadIconDirectory(original_).entries.size());
    const IconDecodeResult back = DecodeIconFile(saved);
    ASSERT_GE(back.entryIndex, 0);
    EXPECT_EQ(back.pixels.GetPixel(20, 20), kBlack);
    const IconDirectoryEntry& e = dir.entries[back.entryIndex];
    if (dir.header.type == 1) {
      EXPECT_EQ(e.planes, 1);
      EXPECT_EQ(e.bitCount, c.bits);
    } else {
      // The cursor keeps the hotspot of the image it replaced.
      const IconDirectoryEntry was = ReadIconDirectory(original_).entries[opened];
      EXPECT_EQ(e.planes, was.planes);
      EXPECT_EQ(e.bitCount, was.bitCount);
    }
    // Every other image is still there, byte for byte.
    std::vector<StoredEntry> before = Entries(original_), after = Entries(saved);
    before.erase(before.begin() + opened);
    after.erase(after.begin() + back.entryIndex);
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(after[i].image == before[i].image);
  }
}

TEST_F(KeptImagesTest, LoneImageOfAnotherSizeStaysBesideTheNew32) {
  const std::string path = OpenEdited("lone_256_imagemagick.ico");
  host_.optionAnswers = {Ok(4)};
  files_.Save();
  const std::vector<std::uint8_t> saved = test::ReadAll(path);
  const std::vector<StoredEntry> after = Entries(saved);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_TRUE(after[0].image == Entries(original_)[0].image);
  EXPECT_EQ(after[0].fields, Entries(original_)[0].fields);
  EXPECT_EQ(DecodeIconFile(saved).entryIndex, 1);
}

TEST_F(KeptImagesTest, EntryDeclaringNoBytesKeepsItsImage) {
  std::vector<std::uint8_t> file =
      test::ReadAll(test::DataPath("files/multi/seven_sizes_imagemagick.ico"));
  const IconDirectory dir = ReadIconDirectory(file);
  const std::uint32_t length = dir.entries[0].bytesInResource;  // the 16 x 16
  ASSERT_GT(length, 0u);
  std::fill(file.begin() + 6 + 8, file.begin() + 6 + 12, 0);
  const std::string path = tmp_.file("zero.ico");
  test::WriteAll(path, file);
  ASSERT_TRUE(files_.LoadFile(path));
  ASSERT_EQ(doc_.fileName, path);
  doc_.modified = true;
  host_.optionAnswers = {Ok(4)};
  files_.Save();
  const std::vector<StoredEntry> after = Entries(test::ReadAll(path));
  ASSERT_EQ(after.size(), 7u);
  EXPECT_EQ(after[0].image.size(), length);
  EXPECT_TRUE(std::equal(after[0].image.begin(), after[0].image.end(),
                         file.begin() + dir.entries[0].imageOffset));
}

// Another program's save is never overwritten without the user's word.
Surface Variant(int k) {
  Surface s = test::ManyColours();
  s.FillRect({0, 0, 2 + 3 * k, 2 + 3 * k}, kBlack);
  return s;
}

TEST_F(FileCommandsTest, SaveAsksBeforeWritingOverAFileChangedByAnotherProgram) {
  const std::string path = tmp_.file("a.ico");
  test::WriteAll(path, BuildIconBytes(test::ManyColours(), 4, PaletteMethod::None));
  ASSERT_TRUE(files_.LoadFile(path));
  doc_.surface.SetPixelV(3, 3, kBlack);
  doc_.modified = true;
  // Same length, other bytes: only the content tells.
  const std::vector<std::uint8_t> theirs = BuildIconBytes(Variant(1), 4, PaletteMethod::None);
  test::WriteAll(path, theirs);

  host_.changedAnswers = {SaveChangesAnswer::Cancel};
  files_.Save();
  EXPECT_EQ(host_.changedQuestions, 1);
  EXPECT_TRUE(test::ReadAll(path) == theirs);
  EXPECT_TRUE(doc_.modified);

  // No: saved under another name; their file stays theirs.
  host_.changedAnswers = {SaveChangesAnswer::No};
  host_.saveAnswers = {tmp_.file("mine.ico")};
  host_.optionAnswers = {Ok(4)};
  files_.Save();
  EXPECT_TRUE(test::ReadAll(path) == theirs);
  EXPECT_EQ(doc_.fileName, tmp_.file("mine.ico"));
  EXPECT_EQ(files_.Recent().paths[0], tmp_.file("mine.ico"));

  // Changed again while the question is open: asked again, then Yes writes.
  ASSERT_TRUE(files_.LoadFile(path));
  doc_.modified = true;
  test::WriteAll(path, BuildIconBytes(Variant(2), 4, PaletteMethod::None));
  host_.whileAsked = [&] {
    host_.whileAsked = nullptr;
    test::WriteAll(path, BuildIconBytes(Variant(3), 8, PaletteMethod::None));
  };
  host_.changedQuestions = 0;
  host_.changedAnswers = {SaveChangesAnswer::Yes, SaveChangesAnswer::Yes};
  host_.optionAnswers = {Ok(24)};
  files_.Save();
  EXPECT_EQ(host_.changedQuestions, 2);
  EXPECT_EQ(test::ReadAll(path).size(), 3262u);

  // What the editor wrote itself is no news: the next save asks nothing.
  doc_.modified = true;
  host_.optionAnswers = {Ok(24)};
  files_.Save();
  EXPECT_EQ(host_.changedQuestions, 2);
  EXPECT_FALSE(doc_.modified);
}

TEST(CursorImageChoice, HotspotNeverChoosesTheImage) {
  // A 4-bit image whose hotspot Y is 24, then a 32-bit one: the directory's
  // depth pass would take the first; the images' own headers take the second.
  const std::vector<std::uint8_t> four =
      BuildIconBytes(test::ManyColours(), 4, PaletteMethod::None);
  const std::vector<std::uint8_t> deep =
      test::ReadAll(test::DataPath("files/corpus/icotool_cursor_32_32bit.cur"));
  const std::vector<StoredEntry> a = Entries(four), b = Entries(deep);
  std::vector<std::uint8_t> cur = {0, 0, 2, 0, 2, 0};
  std::uint32_t at = 6 + 32;
  for (const StoredEntry* e : {&a[0], &b[0]}) {
    cur.insert(cur.end(), e->fields.begin(), e->fields.end());
    for (int k = 0; k < 4; ++k) cur.push_back(static_cast<std::uint8_t>(at >> (8 * k)));
    at += static_cast<std::uint32_t>(e->image.size());
  }
  cur[6 + 6] = 24;
  cur[6 + 7] = 0;
  cur.insert(cur.end(), a[0].image.begin(), a[0].image.end());
  cur.insert(cur.end(), b[0].image.begin(), b[0].image.end());
  EXPECT_EQ(DecodeIconFile(cur).entryIndex, 1);
  cur[2] = 1;  // as an icon the directory's depth still leads
  EXPECT_EQ(DecodeIconFile(cur).entryIndex, 0);
}

}  // namespace
}  // namespace gs
