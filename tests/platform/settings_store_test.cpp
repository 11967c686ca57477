#include "platform/settings_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>
#include <string>

#include "platform/home_folder.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void UseFolder(const std::string& folder) { store_ = SettingsStore(folder); }
  // As a new run would: the store is read from the file again, not from what
  // this run kept.
  void ReadAgainFromDisk() {
    SettingsStore(dir_.file("elsewhere")).Get(kSettingsAppName, "FILES", "LNG", "");
  }

  test::TempDir dir_;
  SettingsStore store_{dir_.path() + "/config/Varnel Glyphsmith"};
};

TEST_F(SettingsStoreTest, MissingEntryGivesDefaultAndEmptyValueWins) {
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "/p/Lang/Francais.lng"),
            "/p/Lang/Francais.lng");
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", ""));
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "/p/Lang/Francais.lng"), "");
}

TEST_F(SettingsStoreTest, FolderIsCreatedAndValuesSurviveOddCharacters) {
  const std::string odd = "/home/x/a=b%c [d];e\n\r\tf\xC3\xA9.lng";
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", odd));
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "Other", "x"));
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), odd);
  EXPECT_EQ(store_.Get(kSettingsAppName, "files", "lng", "?"), odd);  // names ignore letter case
  EXPECT_EQ(store_.Get("Other App", "FILES", "LNG", "?"), "?");
}

TEST_F(SettingsStoreTest, RegistryKeysAreSeparateFromApplicationSettings) {
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1"), "");
  for (int n = 1; n <= 4; ++n)
    ASSERT_TRUE(store_.WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey,
                                     "File" + std::to_string(n), "/icons/" + std::to_string(n)));
  ASSERT_TRUE(
      store_.WriteRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir", "/icons/"));
  ASSERT_TRUE(
      store_.WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2", "/new path"));
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1"),
            "/icons/1");
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2"),
            "/new path");
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File4"),
            "/icons/4");
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"),
            "/icons/");
  EXPECT_EQ(store_.Get(kSettingsAppName, "Recent Files", "File1", "none"), "none");
}

TEST_F(SettingsStoreTest, RegistryReadStopsAtFirstNul) {
  ASSERT_TRUE(store_.WriteRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir",
                                   std::string("/a\0/b", 5)));
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"), "/a");
}

TEST_F(SettingsStoreTest, DamagedStoreKeepsWhatCanBeRead) {
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "keep"));
  std::string file = store_.FilePath();
  auto bytes = test::ReadAll(file);
  std::string junk = "\xEF\xBB\xBFgarbage\r\n[unclosed\r\nLNG=lost\n\0\0=\n[";
  std::vector<std::uint8_t> damaged(junk.begin(), junk.end());
  damaged.insert(damaged.end(), bytes.begin(), bytes.end());
  damaged.push_back('[');
  test::WriteAll(file, damaged);
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), "keep");
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "Second", "2"));
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), "keep");
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "Second", "?"), "2");
}

TEST_F(SettingsStoreTest, StoreThatCannotBeWrittenReportsFailure) {
  // A folder whose parent is a regular file can never be created, even by root.
  test::WriteAll(dir_.file("plain"), {'x'});
  UseFolder(dir_.file("plain") + "/Varnel Glyphsmith");
  EXPECT_FALSE(store_.Save(kSettingsAppName, "FILES", "LNG", "new"));
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "default"), "default");
}

TEST_F(SettingsStoreTest, UnreadableStoreIsNotReplaced) {
  // A store that exists but cannot be read must not be overwritten with a nearly empty one.
  UseFolder(dir_.path());
  ASSERT_EQ(mkdir(store_.FilePath().c_str(), 0700), 0);
  EXPECT_FALSE(
      store_.WriteRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir", "/x"));
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"), "");
  struct stat st {};
  ASSERT_EQ(stat(store_.FilePath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

std::string Text(const std::string& path) {
  const auto b = test::ReadAll(path);
  return std::string(b.begin(), b.end());
}

TEST_F(SettingsStoreTest, WritesAreCompactAndDoNotGrow) {
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "a"));
  ASSERT_TRUE(store_.WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1", "/x"));
  const std::string first = Text(store_.FilePath());
  for (int i = 0; i < 20; ++i) {
    ReadAgainFromDisk();
    ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "a"));
  }
  EXPECT_EQ(Text(store_.FilePath()), first);
  EXPECT_EQ(first.find("\n\n"), std::string::npos) << first;
}

TEST_F(SettingsStoreTest, ReadOnceAndAgainOnlyWhenTheFileChanges) {
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "one"));
  const std::string file = store_.FilePath();
  struct stat before {};
  ASSERT_EQ(stat(file.c_str(), &before), 0);
  std::string text = Text(file);
  text.replace(text.find("one"), 3, "two");
  test::WriteAll(file, std::vector<std::uint8_t>(text.begin(), text.end()));
  // Same size and time: taken for the file already read, so not read again.
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  struct stat now {};
  ASSERT_EQ(stat(file.c_str(), &now), 0);
  if (now.st_ino == before.st_ino) {
    EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), "one");
  }
  // Another copy of the editor saved: the change is seen.
  text.replace(text.find("two"), 3, "three");
  test::WriteAll(file, std::vector<std::uint8_t>(text.begin(), text.end()));
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), "three");
}

TEST_F(SettingsStoreTest, DamagedStoresAreKeptAsideBeforeBeingReplaced) {
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"random bytes",
       [] {
         std::vector<std::uint8_t> b(4000);
         std::uint32_t x = 12345;
         for (auto& c : b) x = x * 1103515245 + 12345, c = static_cast<std::uint8_t>(x >> 16);
         return b;
       }()},
      {"over 1 MiB",
       [] {
         std::string s = "[App\\Varnel Glyphsmith\\FILES]\nLNG=big\n";
         s.resize((std::size_t{1} << 20) + 10, '\n');
         return std::vector<std::uint8_t>(s.begin(), s.end());
       }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseFolder(dir_.file(c.name));
    ASSERT_EQ(mkdir(store_.Folder().c_str(), 0700), 0);
    test::WriteAll(store_.FilePath(), c.bytes);
    EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "default"), "default");
    ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "new"));
    EXPECT_EQ(test::ReadAll(store_.FilePath() + ".damaged"), c.bytes);
    EXPECT_EQ(Text(store_.FilePath()), "[App\\Varnel Glyphsmith\\FILES]\nLNG=new\n");
    // From then on it is a sound store, replaced in place.
    ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "newer"));
    EXPECT_EQ(test::ReadAll(store_.FilePath() + ".damaged"), c.bytes);
  }
}

TEST_F(SettingsStoreTest, AFailureToSaveIsToldOnce) {
  std::vector<std::string> told;
  SetSettingsSaveFailureHandler(
      [&](SettingsFailure, const std::string& reason) { told.push_back(reason); });
  test::WriteAll(dir_.file("plain"), {'x'});
  UseFolder(dir_.file("plain") + "/Varnel Glyphsmith");
  EXPECT_FALSE(store_.Save(kSettingsAppName, "FILES", "LNG", "1"));
  EXPECT_FALSE(store_.WriteRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir", "/"));
  SetSettingsSaveFailureHandler(nullptr);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(dir_.file("plain")), std::string::npos) << told[0];
}

TEST_F(SettingsStoreTest, AWriteGroupWritesOnceAtItsEnd) {
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "before"));
  const std::string before = Text(store_.FilePath());
  {
    SettingsWriteGroup group;
    for (int k = 1; k <= 4; ++k)
      ASSERT_TRUE(store_.WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey,
                                       "File" + std::to_string(k), "/f" + std::to_string(k)));
    {
      SettingsWriteGroup inner;  // nested groups wait for the outermost
    }
    EXPECT_EQ(Text(store_.FilePath()), before);
    EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File4"), "/f4");
    EXPECT_TRUE(group.Finish());
  }
  ReadAgainFromDisk();
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2"), "/f2");
}

// Every start saves the language and the recent files: what is already
// stored is not written again (a rename would give the file a new inode).
TEST_F(SettingsStoreTest, SavingWhatIsStoredWritesNothing) {
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "/p/English.lng"));
  struct stat before {
  }, after{};
  ASSERT_EQ(stat(store_.FilePath().c_str(), &before), 0);
  ASSERT_TRUE(store_.Save(kSettingsAppName, "files", "lng", "/p/English.lng"));
  ASSERT_EQ(stat(store_.FilePath().c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "/p/Francais.lng"));
  ASSERT_EQ(stat(store_.FilePath().c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
}

// Two editors saving at once, one of them through a write group: every save
// either side was told succeeded is in the file afterwards.
TEST_F(SettingsStoreTest, TwoProcessesSavingAtOnceLoseNothing) {
  // Each side waits for the other's writes however slow the disk: a busy lock
  // is another test's matter.
  SetSettingsLockWait({std::numeric_limits<int>::max(), nullptr});
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "start", "1"));
  constexpr int kSaves = 60;
  auto saveAll = [&](const char* side) {
    for (int i = 0; i < kSaves; ++i) {
      if (i % 20 == 19) {
        SettingsWriteGroup group;
        store_.Save(kSettingsAppName, side, "g" + std::to_string(i), "v");
        if (!group.Finish()) return false;
      } else if (!store_.Save(kSettingsAppName, side, "k" + std::to_string(i), "v")) {
        return false;
      }
    }
    return true;
  };
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(saveAll("child") ? 0 : 1);
  const bool parentSaved = saveAll("parent");
  SetSettingsLockWait({});
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(parentSaved);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ReadAgainFromDisk();
  int missing = 0;
  for (const char* side : {"child", "parent"})
    for (int i = 0; i < kSaves; ++i)
      missing += store_.Get(kSettingsAppName, side, (i % 20 == 19 ? "g" : "k") + std::to_string(i),
                            "") != "v";
  EXPECT_EQ(missing, 0);
}

// Another program holds the lock (a copy of the editor stuck, a backup tool):
// a write tries a bounded number of times, then gives up, says so, and loses
// nothing: the change is seen at once and written with the next write.
TEST_F(SettingsStoreTest, ALockHeldElsewhereEndsInAFailureThatLosesNothing) {
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "before"));
  const std::string onDisk = Text(store_.FilePath());
  int toHold[2], toRelease[2];
  ASSERT_EQ(pipe(toHold), 0);
  ASSERT_EQ(pipe(toRelease), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    // Without the other ends, the holder also lets go when this test stops early.
    close(toHold[0]);
    close(toRelease[1]);
    const int fd = open((store_.Folder() + "/settings.ini.lock").c_str(), O_RDWR);
    const char held = fd >= 0 && flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
    char go = 0;
    _exit(write(toHold[1], &held, 1) == 1 && read(toRelease[0], &go, 1) == 1 ? 0 : 1);
  }
  close(toHold[1]);
  close(toRelease[0]);
  char held = 0;
  ASSERT_EQ(read(toHold[0], &held, 1), 1);
  ASSERT_EQ(held, 'y');

  // Were the tries unbounded, the holder lets go after many: the count fails, nothing hangs.
  int pauses = 0;
  bool released = false;
  const auto release = [&] {
    if (!released) released = write(toRelease[1], "x", 1) == 1;
  };
  SetSettingsLockWait({5, [&] {
                         if (++pauses == 1000) release();
                       }});
  std::vector<std::pair<SettingsFailure, std::string>> told;
  SetSettingsSaveFailureHandler(
      [&](SettingsFailure kind, const std::string& reason) { told.emplace_back(kind, reason); });
  // What is stored already is not waited for (every start saves the language).
  EXPECT_TRUE(store_.Save(kSettingsAppName, "FILES", "LNG", "before"));
  EXPECT_EQ(pauses, 0);
  EXPECT_FALSE(store_.Save(kSettingsAppName, "FILES", "LNG", "while locked"));
  EXPECT_EQ(pauses, 4);  // five tries, a pause between two
  EXPECT_FALSE(
      store_.WriteRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir", "/kept/"));
  EXPECT_EQ(pauses, 8);
  ASSERT_EQ(told.size(), 2u);  // each time, not once per run
  EXPECT_EQ(told[0].first, SettingsFailure::Busy);
  EXPECT_NE(told[0].second.find(store_.FilePath()), std::string::npos) << told[0].second;
  EXPECT_EQ(Text(store_.FilePath()), onDisk);
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), "while locked");

  release();
  int status = 0;
  ASSERT_EQ(waitpid(holder, &status, 0), holder);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(store_.Save(kSettingsAppName, "FILES", "Other", "after"));
  SetSettingsSaveFailureHandler(nullptr);
  SetSettingsLockWait({});
  EXPECT_EQ(pauses, 8);
  EXPECT_EQ(told.size(), 2u);
  ReadAgainFromDisk();
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "LNG", "?"), "while locked");
  EXPECT_EQ(store_.ReadRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"),
            "/kept/");
  EXPECT_EQ(store_.Get(kSettingsAppName, "FILES", "Other", "?"), "after");
  close(toHold[0]);
  close(toRelease[1]);
}

TEST(SettingsFolderTest, EnvironmentChoosesTheFolder) {
  std::string savedOwn =
      std::getenv("GLYPHSMITH_CONFIG_DIR") ? std::getenv("GLYPHSMITH_CONFIG_DIR") : "";
  std::string savedXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  setenv("GLYPHSMITH_CONFIG_DIR", "/tmp/own", 1);
  EXPECT_EQ(SettingsFolder(), "/tmp/own");
  unsetenv("GLYPHSMITH_CONFIG_DIR");
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(SettingsFolder(), "/tmp/xdg/Varnel Glyphsmith");
  EXPECT_EQ(SettingsStore("/tmp/forced").FilePath(), "/tmp/forced/settings.ini");
  if (savedOwn.empty())
    unsetenv("GLYPHSMITH_CONFIG_DIR");
  else
    setenv("GLYPHSMITH_CONFIG_DIR", savedOwn.c_str(), 1);
  if (savedXdg.empty())
    unsetenv("XDG_CONFIG_HOME");
  else
    setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
}

TEST(SettingsFolderTest, WithoutHomeThePasswordEntryOrNothingAtAll) {
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  std::string savedXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  std::string savedData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(HomeFolder(), entry->pw_dir);
  EXPECT_EQ(SettingsFolder(), std::string(entry->pw_dir) + "/.config/Varnel Glyphsmith");
  EXPECT_EQ(UserDataFolder(), std::string(entry->pw_dir) + "/.local/share/glyphsmith");
  setenv("XDG_DATA_HOME", "/tmp/data", 1);
  EXPECT_EQ(UserDataFolder(), "/tmp/data/glyphsmith");
  setenv("HOME", savedHome.c_str(), 1);
  if (!savedXdg.empty()) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (savedData.empty())
    unsetenv("XDG_DATA_HOME");
  else
    setenv("XDG_DATA_HOME", savedData.c_str(), 1);

  // No home at all: nothing is saved anywhere, and the user is told once.
  std::vector<std::string> told;
  SetSettingsSaveFailureHandler(
      [&](SettingsFailure, const std::string& reason) { told.push_back(reason); });
  const SettingsStore nowhere("");
  EXPECT_FALSE(nowhere.Save(kSettingsAppName, "FILES", "LNG", "1"));
  EXPECT_FALSE(nowhere.Save(kSettingsAppName, "FILES", "LNG", "2"));
  EXPECT_EQ(nowhere.Get(kSettingsAppName, "FILES", "LNG", "none"), "none");
  SetSettingsSaveFailureHandler(nullptr);
  EXPECT_EQ(told.size(), 1u);
  EXPECT_NE(::access("/settings.ini", F_OK), 0);
}

}  // namespace
}  // namespace gs
