// Two editors on one settings folder: each saves what it did to the recent
// list onto the list the other saved, so neither loses its files, whichever
// quits first.
#include <gtest/gtest.h>

#include "files/recent_files.h"
#include "platform/settings_store.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Paths = std::array<std::string, kRecentSlots>;

TEST(RecentFilesMerge, TwoEditorsQuittingInEitherOrderKeepBothLists) {
  struct Case {
    const char* name;
    bool firstQuitsFirst;
    Paths saved;
  } cases[] = {
      {"first quits first", true, {"/e.ico", "/c.ico", "/a.ico", ""}},
      {"second quits first", false, {"/c.ico", "/e.ico", "/a.ico", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const SettingsStore store(dir.path());
    RecentFiles start;
    AddRecentFile(start, "/b.ico");
    AddRecentFile(start, "/a.ico");
    ASSERT_TRUE(SaveRecentFiles(store, start));

    RecentFiles first = LoadRecentFiles(store), second = LoadRecentFiles(store);
    AddRecentFile(first, "/c.ico");
    AddRecentFile(second, "/e.ico");
    RemoveRecentFile(second, 3);  // b.ico, gone from the disk
    ASSERT_EQ(second.paths, (Paths{"/e.ico", "/a.ico", "", ""}));
    if (c.firstQuitsFirst) {
      ASSERT_TRUE(SaveRecentFiles(store, first));
      ASSERT_TRUE(SaveRecentFiles(store, second));
    } else {
      ASSERT_TRUE(SaveRecentFiles(store, second));
      ASSERT_TRUE(SaveRecentFiles(store, first));
    }
    EXPECT_EQ(LoadRecentFiles(store).paths, c.saved);
  }
}

// An editor that only read the list, and one that reopened a file another
// editor has since moved down, change nothing else of it.
TEST(RecentFilesMerge, OnlyTheEditorsOwnChangesAreMadeOnTheStoredList) {
  test::TempDir dir;
  const SettingsStore store(dir.path());
  RecentFiles idle = LoadRecentFiles(store), reopening = LoadRecentFiles(store);
  AddRecentFile(reopening, "/x.ico");
  RecentFiles other = LoadRecentFiles(store);
  for (const char* p : {"/x.ico", "/y.ico", "/z.ico"}) AddRecentFile(other, p);
  ASSERT_TRUE(SaveRecentFiles(store, other));
  ASSERT_TRUE(SaveRecentFiles(store, idle));
  EXPECT_EQ(LoadRecentFiles(store).paths, (Paths{"/z.ico", "/y.ico", "/x.ico", ""}));
  ASSERT_TRUE(SaveRecentFiles(store, reopening));
  EXPECT_EQ(LoadRecentFiles(store).paths, (Paths{"/x.ico", "/z.ico", "/y.ico", ""}));
}

TEST(RecentFilesMerge, ChangesAreDoneAgainInTheirOrder) {
  RecentFiles r;
  AddRecentFile(r, "/a");
  AddRecentFile(r, "/b");
  RemoveRecentFile(r, 2);  // /a
  AddRecentFile(r, "/A");  // again, after its removal
  Paths stored{"/q", "/a", "/r", ""};
  ApplyRecentChanges(stored, r.changes);
  EXPECT_EQ(stored, (Paths{"/A", "/b", "/q", "/r"}));
  // A long session remembers a bounded number of changes, the newest.
  for (int i = 0; i < 1000; ++i) AddRecentFile(r, "/" + std::to_string(i) + ".ico");
  EXPECT_LE(r.changes.size(), 64u);
  Paths empty{};
  ApplyRecentChanges(empty, r.changes);
  EXPECT_EQ(empty, (Paths{"/999.ico", "/998.ico", "/997.ico", "/996.ico"}));
}

}  // namespace
}  // namespace gs
