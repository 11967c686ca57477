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

}  // namespace
}  // namespace gs
