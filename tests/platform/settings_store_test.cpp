#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "tests/support/test_support.h"

namespace gs {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsFolder(dir_.path() + "/config/Varnel Glyphsmith"); }
  void TearDown() override { SetSettingsFolder(""); }
  test::TempDir dir_;
};

TEST_F(SettingsStoreTest, MissingEntryGivesDefaultAndEmptyValueWins) {
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "LNG", "/p/Lang/Francais.lng"), "/p/Lang/Francais.lng");
  ASSERT_TRUE(SaveSetting(kSettingsAppName, "FILES", "LNG", ""));
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "LNG", "/p/Lang/Francais.lng"), "");
}

TEST_F(SettingsStoreTest, FolderIsCreatedAndValuesSurviveOddCharacters) {
  const std::string odd = "/home/x/a=b%c [d];e\n\r\tf\xC3\xA9.lng";
  ASSERT_TRUE(SaveSetting(kSettingsAppName, "FILES", "LNG", odd));
  ASSERT_TRUE(SaveSetting(kSettingsAppName, "FILES", "Other", "x"));
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "LNG", "?"), odd);
  EXPECT_EQ(GetSetting(kSettingsAppName, "files", "lng", "?"), odd);  // names ignore letter case
  EXPECT_EQ(GetSetting("Other App", "FILES", "LNG", "?"), "?");
}

TEST_F(SettingsStoreTest, RegistryKeysAreSeparateFromApplicationSettings) {
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1"), "");
  for (int n = 1; n <= 4; ++n)
    ASSERT_TRUE(WriteRegistryString(RegistryRoot::CurrentUser, kRegRecentFilesKey,
                                    "File" + std::to_string(n), "/icons/" + std::to_string(n)));
  ASSERT_TRUE(
      WriteRegistryString(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir", "/icons/"));
  ASSERT_TRUE(
      WriteRegistryString(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2", "/new path"));
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1"), "/icons/1");
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2"),
            "/new path");
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File4"), "/icons/4");
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"),
            "/icons/");
  EXPECT_EQ(GetSetting(kSettingsAppName, "Recent Files", "File1", "none"), "none");
}

TEST_F(SettingsStoreTest, RegistryReadStopsAtFirstNul) {
  ASSERT_TRUE(WriteRegistryString(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir",
                                  std::string("/a\0/b", 5)));
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"), "/a");
}

TEST_F(SettingsStoreTest, DamagedStoreKeepsWhatCanBeRead) {
  ASSERT_TRUE(SaveSetting(kSettingsAppName, "FILES", "LNG", "keep"));
  std::string file = SettingsFilePath();
  auto bytes = test::ReadAll(file);
  std::string junk = "\xEF\xBB\xBFgarbage\r\n[unclosed\r\nLNG=lost\n\0\0=\n[";
  std::vector<std::uint8_t> damaged(junk.begin(), junk.end());
  damaged.insert(damaged.end(), bytes.begin(), bytes.end());
  damaged.push_back('[');
  test::WriteAll(file, damaged);
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "LNG", "?"), "keep");
  ASSERT_TRUE(SaveSetting(kSettingsAppName, "FILES", "Second", "2"));
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "LNG", "?"), "keep");
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "Second", "?"), "2");
}

TEST_F(SettingsStoreTest, StoreThatCannotBeWrittenReportsFailure) {
  // A folder whose parent is a regular file can never be created, even by root.
  test::WriteAll(dir_.file("plain"), {'x'});
  SetSettingsFolder(dir_.file("plain") + "/Varnel Glyphsmith");
  EXPECT_FALSE(SaveSetting(kSettingsAppName, "FILES", "LNG", "new"));
  EXPECT_EQ(GetSetting(kSettingsAppName, "FILES", "LNG", "default"), "default");
}

TEST_F(SettingsStoreTest, UnreadableStoreIsNotReplaced) {
  // A store that exists but cannot be read must not be overwritten with a nearly empty one.
  SetSettingsFolder(dir_.path());
  ASSERT_EQ(mkdir(SettingsFilePath().c_str(), 0700), 0);
  EXPECT_FALSE(WriteRegistryString(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir", "/x"));
  EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kRegDirectoriesKey, "OpenDir"), "");
  struct stat st {};
  ASSERT_EQ(stat(SettingsFilePath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST(SettingsFolderTest, EnvironmentChoosesTheFolder) {
  SetSettingsFolder("");
  std::string savedOwn =
      std::getenv("GLYPHSMITH_CONFIG_DIR") ? std::getenv("GLYPHSMITH_CONFIG_DIR") : "";
  std::string savedXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  setenv("GLYPHSMITH_CONFIG_DIR", "/tmp/own", 1);
  EXPECT_EQ(SettingsFolder(), "/tmp/own");
  unsetenv("GLYPHSMITH_CONFIG_DIR");
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(SettingsFolder(), "/tmp/xdg/Varnel Glyphsmith");
  SetSettingsFolder("/tmp/forced");
  EXPECT_EQ(SettingsFilePath(), "/tmp/forced/settings.ini");
  SetSettingsFolder("");
  if (savedOwn.empty())
    unsetenv("GLYPHSMITH_CONFIG_DIR");
  else
    setenv("GLYPHSMITH_CONFIG_DIR", savedOwn.c_str(), 1);
  if (savedXdg.empty())
    unsetenv("XDG_CONFIG_HOME");
  else
    setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
}

}  // namespace
}  // namespace gs
