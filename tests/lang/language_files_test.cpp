#include "lang/language_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/settings_store.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

class LanguageFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(mkdir(dir_.file("Lang").c_str(), 0700), 0); }
  void Touch(const std::string& name) { test::WriteAll(dir_.file("Lang/" + name), {'x'}); }
  std::string lang() const { return dir_.file("Lang"); }
  test::TempDir dir_;
  SettingsStore store_{dir_.file("config")};
};

TEST_F(LanguageFilesTest, PathsFollowTheProgramFolder) {
  EXPECT_EQ(LanguageFolder("/opt/vg"), "/opt/vg/Lang");
  EXPECT_EQ(FrenchLanguageFile("/opt/vg"), "/opt/vg/Lang/Francais.lng");
  EXPECT_EQ(LanguageChoicePath("/", "English.lng"), "/Lang/English.lng");
  EXPECT_EQ(LanguageChoicePath("/opt/vg", "#"), "/opt/vg/Lang/#");
}

TEST_F(LanguageFilesTest, ChoiceDefaultsToFrenchAndIsStored) {
  EXPECT_EQ(ReadLanguageChoice(store_, "/opt/vg"), "/opt/vg/Lang/Francais.lng");
  ASSERT_TRUE(StoreLanguageChoice(store_, "/opt/vg/Lang/English.lng"));
  EXPECT_EQ(ReadLanguageChoice(store_, "/opt/vg"), "/opt/vg/Lang/English.lng");
  EXPECT_EQ(store_.Get("Varnel Glyphsmith", "FILES", "LNG", ""), "/opt/vg/Lang/English.lng");
}

TEST_F(LanguageFilesTest, ListsLanguageFilesInAscendingOrder) {
  for (const char* name : {"espanol.lng", "Francais.lng", "English.lng", "notes.txt", ".hidden.lng",
                           "UPPER.LNG", "lng", "a.lng.bak"})
    Touch(name);
  ASSERT_EQ(mkdir(dir_.file("Lang/folder.lng").c_str(), 0700), 0);
  EXPECT_EQ(ListLanguageFiles(lang()),
            (std::vector<std::string>{"English.lng", "espanol.lng", "Francais.lng", "UPPER.LNG"}));
  EXPECT_TRUE(ListLanguageFiles(dir_.file("missing")).empty());
}

TEST_F(LanguageFilesTest, MenuCaptions) {
  // No file: the single "#" entry of the layout.
  EXPECT_EQ(LanguageMenuCaptions({"#"}, lang()), std::vector<std::string>{"#"});
  EXPECT_EQ(LanguageMenuCaptions({}, dir_.file("missing")), std::vector<std::string>{"#"});
  // Only the built-in file.
  Touch("Francais.lng");
  EXPECT_EQ(LanguageMenuCaptions({"#"}, lang()), std::vector<std::string>{"Francais.lng"});
  // Entries grow on demand and are never removed.
  Touch("English.lng");
  Touch("Deutsch.lng");
  std::vector<std::string> three = LanguageMenuCaptions({"Francais.lng"}, lang());
  EXPECT_EQ(three, (std::vector<std::string>{"Deutsch.lng", "English.lng", "Francais.lng"}));
  ASSERT_EQ(unlink(dir_.file("Lang/Deutsch.lng").c_str()), 0);
  EXPECT_EQ(LanguageMenuCaptions(three, lang()),
            (std::vector<std::string>{"English.lng", "Francais.lng", "Francais.lng"}));
}

TEST_F(LanguageFilesTest, FirstStartFollowsTheLocaleOnceAndTheUserWins) {
  EXPECT_EQ(LocaleLanguageFileName(nullptr, nullptr, nullptr), "Francais.lng");
  EXPECT_EQ(LocaleLanguageFileName("", "", "C"), "Francais.lng");
  EXPECT_EQ(LocaleLanguageFileName(nullptr, nullptr, "C.UTF-8"), "Francais.lng");
  EXPECT_EQ(LocaleLanguageFileName(nullptr, nullptr, "POSIX"), "Francais.lng");
  EXPECT_EQ(LocaleLanguageFileName(nullptr, nullptr, "fr_CA.UTF-8"), "Francais.lng");
  EXPECT_EQ(LocaleLanguageFileName(nullptr, nullptr, "en_US.UTF-8"), "English.lng");
  EXPECT_EQ(LocaleLanguageFileName(nullptr, nullptr, "de_DE"), "English.lng");
  // LC_ALL before LC_MESSAGES before LANG.
  EXPECT_EQ(LocaleLanguageFileName("fr_FR", "en_GB", "en_US"), "Francais.lng");
  EXPECT_EQ(LocaleLanguageFileName("", "en_GB", "fr_FR"), "English.lng");

  // The user's folder is read before the program's.
  const std::string user = dir_.file("user/Lang");
  ASSERT_EQ(mkdir(dir_.file("user").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(user.c_str(), 0700), 0);
  const std::vector<std::string> folders = {user, lang()};
  Touch("Francais.lng");
  // No English file: French, whatever the locale.
  EXPECT_EQ(StartLanguageChoice(store_, folders, "English.lng"), lang() + "/Francais.lng");
  ASSERT_TRUE(store_.Save("Varnel Glyphsmith", "FILES", "LNG", ""));
  Touch("English.lng");
  EXPECT_EQ(StartLanguageChoice(store_, folders, "English.lng"), lang() + "/English.lng");
  // Chosen once: a French locale later changes nothing.
  EXPECT_EQ(StartLanguageChoice(store_, folders, "Francais.lng"), lang() + "/English.lng");
  // The user's choice always wins.
  ASSERT_TRUE(StoreLanguageChoice(store_, lang() + "/Francais.lng"));
  EXPECT_EQ(StartLanguageChoice(store_, folders, "English.lng"), lang() + "/Francais.lng");

  test::WriteAll(user + "/English.lng", {'x'});
  EXPECT_EQ(LanguageChoicePath(folders, "English.lng"), user + "/English.lng");
  EXPECT_EQ(LanguageChoicePath(folders, "Francais.lng"), lang() + "/Francais.lng");
  EXPECT_EQ(LanguageChoicePath(folders, "Missing.lng"), lang() + "/Missing.lng");
  EXPECT_EQ(LanguageMenuCaptions({"#"}, folders),
            (std::vector<std::string>{"English.lng", "Francais.lng"}));
  EXPECT_EQ(LanguageFolders("", "/opt/vg"), std::vector<std::string>{"/opt/vg/Lang"});
  EXPECT_EQ(ExportedFrenchFile(""), "");
  EXPECT_EQ(ExportedFrenchFile("/home/u/.local/share/glyphsmith"),
            "/home/u/.local/share/glyphsmith/Lang/Francais.lng");
}

}  // namespace
}  // namespace gs
