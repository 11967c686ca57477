// What Open does with files that are not plain icons: pictures, animated
// cursors, text, empty and unreadable files, damaged icons.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/ani_format.h"
#include "files/file_commands.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "platform/app_identity.h"
#include "platform/settings_store.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// Records what the window was asked to show; every dialog is cancelled.
class RecordingHost : public FileCommandHost {
 public:
  std::vector<std::string> messages, titles;
  int saveDialogs = 0, repaints = 0, pictures = 0;
  bool acceptPictures = false;

  std::string OpenFileDialog(const FileDialogRequest&, const std::string&) override { return ""; }
  std::string SaveFileDialog(const FileDialogRequest&) override {
    ++saveDialogs;
    return "";
  }
  SaveChangesAnswer AskSaveChangesQuestion() override { return SaveChangesAnswer::Cancel; }
  void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
  SaveOptionsChoice RunSaveOptions(SaveKind) override { return {kSaveCancelled, 4, 0, 0}; }
  void SetTitle(const std::string& t) override { titles.push_back(t); }
  void RePaint() override { ++repaints; }
  bool OpenPicture(const std::string&, std::span<const std::uint8_t>) override {
    ++pictures;
    return acceptPictures;
  }
};

class FileOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_.surface.SetPixelV(1, 1, RGB(200, 0, 0));
    doc_.fileName = "/work/mine.ico";
    doc_.modified = true;
  }

  test::TempDir dir_;
  IconDocument doc_;
  RecordingHost host_;
  Environment env_{dir_.file("prog"), dir_.file("settings"), "", nullptr, ""};
  FileCommands files_{doc_, host_, env_};
};

TEST_F(FileOpenTest, FilesThatAreNotIconsOpenNothingAndSaySo) {
  const Surface pic = test::ManyColours();
  const std::vector<std::uint8_t> icon = BuildIconBytes(pic, 24, PaletteMethod::None);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool picture;
  } cases[] = {
      {"picture.png", BuildPngBytes(pic), true},
      {"picture.bmp", {'B', 'M', 0, 0, 0, 0}, true},
      {"picture.gif", {'G', 'I', 'F', '8', '9', 'a', 0}, true},
      {"picture.jpg", {0xFF, 0xD8, 0xFF, 0xE0}, true},
      {"notes.txt", {'h', 'e', 'l', 'l', 'o', '\n'}, false},
      {"empty.ico", {}, false},
      {"reserved_not_0.ico", {1, 0, 1, 0, 1, 0}, false},
      {"type_3.ico", {0, 0, 3, 0, 1, 0}, false},
      {"count_0.ico", {0, 0, 1, 0, 0, 0}, false},
      {"directory_outside.ico", std::vector<std::uint8_t>(icon.begin(), icon.begin() + 20), false},
      {"animated_without_frames.ani", BuildAnimatedCursorBytes({}, 1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host_ = RecordingHost{};
    const std::string path = dir_.file(c.name);
    test::WriteAll(path, c.bytes);
    EXPECT_FALSE(files_.LoadFile(path));
    EXPECT_EQ(host_.pictures, c.picture ? 1 : 0) << "pictures go to the window first";
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_NE(host_.messages[0].find(path), std::string::npos) << host_.messages[0];
    EXPECT_TRUE(host_.titles.empty());
    EXPECT_EQ(doc_.fileName, "/work/mine.ico");
    EXPECT_TRUE(doc_.modified);
    EXPECT_EQ(doc_.surface.GetPixel(1, 1), RGB(200, 0, 0));
  }
}

TEST_F(FileOpenTest, PictureTakenByTheWindowShowsNoMessage) {
  host_.acceptPictures = true;
  test::WriteAll(dir_.file("p.png"), BuildPngBytes(test::ManyColours()));
  EXPECT_TRUE(files_.LoadFile(dir_.file("p.png")));
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FileOpenTest, UnreadableFileSaysWhyAndChangesNothing) {
  // Longer than any icon: refused before it is read.
  const std::string path = dir_.file("huge.ico");
  test::WriteAll(path, BuildIconBytes(test::ManyColours(), 24, PaletteMethod::None));
  std::filesystem::resize_file(path, kMaxIconFileBytes + 1);
  EXPECT_FALSE(files_.LoadFile(path));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].find(path), std::string::npos);
  EXPECT_EQ(doc_.fileName, "/work/mine.ico");
  EXPECT_EQ(doc_.surface.GetPixel(1, 1), RGB(200, 0, 0));
}

TEST_F(FileOpenTest, AnimatedCursorOpensItsFirstFrameUntitled) {
  const Surface first =
      test::Picture({"##rr", "..gg"}, {{'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)}});
  std::vector<std::uint8_t> cur = BuildIconBytes(first, 24, PaletteMethod::None);
  MarkAsCursor(cur, 4, 5);
  const std::vector<std::vector<std::uint8_t>> frames{
      cur, BuildIconBytes(test::ManyColours(), 24, PaletteMethod::None)};
  const std::string path = dir_.file("walk.ani");
  test::WriteAll(path, BuildAnimatedCursorBytes(frames, 10));
  EXPECT_TRUE(files_.LoadFile(path));
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(test::FirstDifference(doc_.surface, first), "");
  EXPECT_EQ(doc_.fileName, "");
  EXPECT_FALSE(doc_.modified);
  ASSERT_EQ(host_.titles.size(), 1u);
  EXPECT_EQ(host_.titles[0], kMainTitle);
  EXPECT_TRUE(files_.Recent().paths[0].empty()) << "an animated cursor is not an icon to reopen";
  // Save asks for a name rather than writing over the animated cursor.
  files_.Save();
  EXPECT_EQ(host_.saveDialogs, 1);
  EXPECT_EQ(test::ReadAll(path).size(), BuildAnimatedCursorBytes(frames, 10).size());
}

TEST_F(FileOpenTest, DamagedIconSaysSoOpensUntitledAndIsNeverSavedOverItself) {
  const auto good = BuildIconBytes(test::ManyColours(), 8, PaletteMethod::None);
  const std::string path = dir_.file("cut.ico");
  const std::vector<std::uint8_t> cut(good.begin(), good.begin() + 700);
  test::WriteAll(path, cut);
  EXPECT_TRUE(files_.LoadFile(path));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].rfind(DamagedFileMessage(path, ""), 0), 0u) << host_.messages[0];
  ASSERT_EQ(host_.titles.size(), 1u);
  EXPECT_EQ(host_.titles[0], kMainTitle);
  EXPECT_EQ(host_.repaints, 1);
  EXPECT_EQ(doc_.fileName, "");
  EXPECT_FALSE(doc_.modified);
  EXPECT_EQ(files_.Recent().paths[0], "");
  files_.Save();
  EXPECT_EQ(host_.saveDialogs, 1);
  EXPECT_EQ(test::ReadAll(path), cut);

  // A sound icon keeps its name and says nothing.
  test::WriteAll(dir_.file("good.ico"), good);
  EXPECT_TRUE(files_.LoadFile(dir_.file("good.ico")));
  EXPECT_EQ(doc_.fileName, dir_.file("good.ico"));
  EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(FileOpenTest, FileWithoutA32PixelImageIsShownAndRemembered) {
  // Only the 48 x 48 and 16 x 16 images of an icon made by ImageMagick.
  const std::vector<std::uint8_t> seven =
      test::ReadAll(test::DataPath("files/multi/seven_sizes_imagemagick.ico"));
  std::vector<std::uint8_t> two = {0, 0, 1, 0, 2, 0};
  const IconDirectory dir = ReadIconDirectory(seven);
  std::uint32_t at = 6 + 32;
  for (int i : {3, 0}) {
    two.insert(two.end(), seven.begin() + 6 + 16 * i, seven.begin() + 6 + 16 * i + 12);
    for (int k = 0; k < 4; ++k) two.push_back(static_cast<std::uint8_t>(at >> (8 * k)));
    at += dir.entries[i].bytesInResource;
  }
  for (int i : {3, 0})
    two.insert(two.end(), seven.begin() + dir.entries[i].imageOffset,
               seven.begin() + dir.entries[i].imageOffset + dir.entries[i].bytesInResource);
  const std::string path = dir_.file("no32.ico");
  test::WriteAll(path, two);
  EXPECT_TRUE(files_.LoadFile(path));
  EXPECT_EQ(host_.repaints, 1);
  EXPECT_EQ(files_.Recent().paths[0], path);
  EXPECT_EQ(host_.titles.back(), path + " - Varnel Glyphsmith");
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(doc_.surface.GetPixel(1, 1), kWhite);  // the 48's clear corner, not the old red
}

}  // namespace
}  // namespace gs
