#include "files/recent_files.h"

#include <gtest/gtest.h>

#include "files/file_dialogs.h"
#include "platform/settings_store.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

RecentFiles Slots(std::string a, std::string b, std::string c, std::string d) {
  return RecentFiles{{std::move(a), std::move(b), std::move(c), std::move(d)}};
}

struct AddCase {
  const char* name;
  RecentFiles before;
  std::string path;
  RecentFiles after;
};

class AddRecentFileTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddRecentFileTest, MovesOrInserts) {
  RecentFiles r = GetParam().before;
  AddRecentFile(r, GetParam().path);
  EXPECT_EQ(r.paths, GetParam().after.paths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddRecentFileTest,
    ::testing::Values(
        AddCase{"IntoEmptyList", Slots("", "", "", ""), "/a.ico", Slots("/a.ico", "", "", "")},
        AddCase{"Slot1Unchanged", Slots("/a", "/b", "/c", "/d"), "/a",
                Slots("/a", "/b", "/c", "/d")},
        AddCase{"Slot1OtherCaseKeepsOldSpelling", Slots("/Dir/Star.ICO", "/b", "", ""),
                "/dir/star.ico", Slots("/Dir/Star.ICO", "/b", "", "")},
        AddCase{"Slot2ToHead", Slots("/a", "/b", "/c", "/d"), "/b", Slots("/b", "/a", "/c", "/d")},
        AddCase{"Slot3ToHead", Slots("/a", "/b", "/c", "/d"), "/c", Slots("/c", "/a", "/b", "/d")},
        AddCase{"Slot3OtherCaseStoresNewSpelling", Slots("/a", "/b", "/c.ico", "/d"), "/C.ICO",
                Slots("/C.ICO", "/a", "/b", "/d")},
        AddCase{"Slot4ToHead", Slots("/a", "/b", "/c", "/d"), "/d", Slots("/d", "/a", "/b", "/c")},
        AddCase{"NewPushesOldestOut", Slots("/a", "/b", "/c", "/d"), "/e",
                Slots("/e", "/a", "/b", "/c")},
        AddCase{"AccentedLettersFold", Slots("/été.ico", "/b", "", ""), "/ÉTÉ.ICO",
                Slots("/été.ico", "/b", "", "")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecentFiles, FiveFilesInTurnKeepTheNewestFour) {
  RecentFiles r;
  for (const char* p : {"/1.ico", "/2.ico", "/3.ico", "/4.ico", "/5.ico"}) AddRecentFile(r, p);
  EXPECT_EQ(r.paths, Slots("/5.ico", "/4.ico", "/3.ico", "/2.ico").paths);
  EXPECT_EQ(RecentMenuEntries(r)[0].caption, "1. /5.ico");
}

TEST(RecentFiles, RemoveMovesLaterSlotsUp) {
  RecentFiles r = Slots("/a", "/b", "/c", "/d");
  RemoveRecentFile(r, 2);
  EXPECT_EQ(r.paths, Slots("/a", "/c", "/d", "").paths);
  RemoveRecentFile(r, 4);
  RemoveRecentFile(r, 0);
  RemoveRecentFile(r, 5);
  EXPECT_EQ(r.paths, Slots("/a", "/c", "/d", "").paths);
  RemoveRecentFile(r, 1);
  EXPECT_EQ(r.paths, Slots("/c", "/d", "", "").paths);
}

TEST(RecentFiles, MenuShowsBareNumberDisabledForEmptySlots) {
  const auto e = RecentMenuEntries(Slots("/x/a.ico", "", "/y/c.cur", ""));
  EXPECT_EQ(e[0].caption, "1. /x/a.ico");
  EXPECT_TRUE(e[0].enabled);
  EXPECT_EQ(e[1].caption, "2. ");
  EXPECT_FALSE(e[1].enabled);
  EXPECT_EQ(e[2].caption, "3. /y/c.cur");
  EXPECT_TRUE(e[2].enabled);
  EXPECT_EQ(e[3].caption, "4. ");
  EXPECT_FALSE(e[3].enabled);
}

// A tab would split the entry into a name and a shortcut, a line break or ESC
// reach the menu raw: each shows as a mark; the path itself is kept.
TEST(RecentFiles, MenuMarksControlCharactersInAPath) {
  const RecentFiles r = Slots("/a\tb/c\nd\x1b.ico", "", "", "");
  const std::string caption = RecentMenuEntries(r)[0].caption;
  for (char c : caption) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << caption;
  EXPECT_EQ(caption.rfind("1. /a\\", 0), 0u) << caption;
  EXPECT_NE(caption.find(".ico"), std::string::npos) << caption;
  EXPECT_EQ(r.paths[0], "/a\tb/c\nd\x1b.ico");
}

TEST(RecentFiles, CaseFoldingIsLimitedToLetters) {
  EXPECT_TRUE(PathsEqualIgnoreCase("/A/B.ico", "/a/b.ICO"));
  EXPECT_TRUE(PathsEqualIgnoreCase("/ПАПКА/Ÿ", "/папка/ÿ"));
  EXPECT_FALSE(PathsEqualIgnoreCase("/a/b.ico", "/a/b.ic"));
  EXPECT_FALSE(PathsEqualIgnoreCase("/a/b", "/a/c"));
  EXPECT_FALSE(PathsEqualIgnoreCase("/×", "/÷"));  // not letters
  // Broken UTF-8 compares byte for byte and never reads past the end.
  EXPECT_TRUE(PathsEqualIgnoreCase("/\xC3", "/\xC3"));
  EXPECT_FALSE(PathsEqualIgnoreCase("/\xC3", "/\xE3"));
}

class RecentStoreTest : public ::testing::Test {
 protected:
  test::TempDir tmp_;
  SettingsStore store_{tmp_.path()};
};

TEST_F(RecentStoreTest, RoundTripThroughTheStore) {
  RecentFiles r = LoadRecentFiles(store_);
  AddRecentFile(r, "/c.cur");
  AddRecentFile(r, "/b");
  AddRecentFile(r, "/a b/é.ico");
  RemoveRecentFile(r, 2);
  ASSERT_EQ(r, Slots("/a b/é.ico", "/c.cur", "", ""));
  ASSERT_TRUE(SaveRecentFiles(store_, r));
  EXPECT_EQ(LoadRecentFiles(store_), r);
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2"), "/c.cur");
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File3"), "");
}

TEST_F(RecentStoreTest, MissingValuesReadEmptyAndTextStopsAtNul) {
  EXPECT_EQ(LoadRecentFiles(store_), RecentFiles{});
  store_.WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2",
                       std::string("/a.ico\0junk", 11));
  EXPECT_EQ(LoadRecentFiles(store_), Slots("", "/a.ico", "", ""));
}

TEST_F(RecentStoreTest, SavingOverwritesEmptiedSlots) {
  RecentFiles r;
  for (const char* p : {"/d", "/c", "/b", "/a"}) AddRecentFile(r, p);
  SaveRecentFiles(store_, r);
  r = LoadRecentFiles(store_);
  for (int n : {2, 2, 2}) RemoveRecentFile(r, n);
  SaveRecentFiles(store_, r);
  EXPECT_EQ(LoadRecentFiles(store_), Slots("/a", "", "", ""));
}

TEST_F(RecentStoreTest, OpenDialogRemembersTheChosenFolderSaveDialogDoesNot) {
  std::string seenStart = "unset";
  const auto open = [&](const FileDialogRequest&, const std::string& start) {
    seenStart = start;
    return std::string("/home/ann/icons/star.ico");
  };
  EXPECT_EQ(ShowOpenDialog(store_, OpenIconDialog(), open), "/home/ann/icons/star.ico");
  EXPECT_EQ(seenStart, "");
  EXPECT_EQ(ReadOpenDir(store_), "/home/ann/icons/");

  EXPECT_EQ(
      ShowSaveDialog(SaveAsDialog(),
                     [](const FileDialogRequest&) { return std::string("/tmp/other/x.ico"); }),
      "/tmp/other/x.ico");
  EXPECT_EQ(ReadOpenDir(store_), "/home/ann/icons/");

  // Cancelling the open dialog leaves the folder as it was.
  EXPECT_EQ(ShowOpenDialog(store_, OpenIconDialog(),
                           [&](const FileDialogRequest&, const std::string& start) {
                             seenStart = start;
                             return std::string();
                           }),
            "");
  EXPECT_EQ(seenStart, "/home/ann/icons/");
  EXPECT_EQ(ReadOpenDir(store_), "/home/ann/icons/");
}

}  // namespace
}  // namespace gs
