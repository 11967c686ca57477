#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace gs {
namespace {

namespace fs = std::filesystem;

// Layouts of a prefix: which folders exist, and where the program folder must land.
struct Layout {
  const char* name;
  bool langBesideExe;
  bool langInShare;
  const char* expected;  // relative to the prefix
};

TEST(ProgramFolder, BuildTreeWinsThenTheInstalledShareFolderThenTheExecutableFolder) {
  const Layout layouts[] = {
      {"build tree", true, false, "bin"},
      {"build tree beside an install", true, true, "bin"},
      {"installed", false, true, "share/glyphsmith"},
      {"nothing at all", false, false, "bin"},
  };
  for (const Layout& l : layouts) {
    test::TempDir prefix;
    const fs::path root = fs::canonical(prefix.path());
    fs::create_directories(root / "bin");
    if (l.langBesideExe) fs::create_directories(root / "bin/Lang");
    if (l.langInShare) fs::create_directories(root / "share/glyphsmith/Lang");
    EXPECT_EQ(ChooseProgramFolder((root / "bin").string()), (root / l.expected).string()) << l.name;
  }
}

TEST(ProgramFolder, AFileNamedLangIsNotTheLanguageFolder) {
  test::TempDir prefix;
  const fs::path root = fs::canonical(prefix.path());
  fs::create_directories(root / "bin");
  fs::create_directories(root / "share/glyphsmith/Lang");
  test::WriteAll((root / "bin/Lang").string(), {1});
  EXPECT_EQ(ChooseProgramFolder((root / "bin").string()), (root / "share/glyphsmith").string());
}

// The program folder is bin/ in the build tree, share/glyphsmith once
// installed; the handbook is found from either, the build tree's first.
TEST(Handbook, FoundBesideTheProgramThenAmongTheInstalledDocuments) {
  test::TempDir prefix;
  const fs::path root = fs::canonical(prefix.path());
  const std::string share = (root / "share/glyphsmith").string();
  const std::string installed = (root / "share/doc/glyphsmith/handbook/index.html").string();
  const std::string beside = (root / "share/glyphsmith/handbook/index.html").string();
  // Plain paths, without "..": the message when it is missing names them.
  EXPECT_EQ(HandbookPlaces(share), (std::vector<std::string>{beside, installed}));
  EXPECT_EQ(FindHandbook(share), "");
  fs::create_directories(root / "share/doc/glyphsmith/handbook");
  // A folder of that name is no page.
  fs::create_directories(beside);
  test::WriteAll(installed, {'<'});
  EXPECT_EQ(FindHandbook(share), installed);
  fs::remove(beside);
  test::WriteAll(beside, {'<'});
  EXPECT_EQ(FindHandbook(share), beside);
  EXPECT_EQ(HandbookPlaces("/").back(), "/doc/glyphsmith/handbook/index.html");
}

}  // namespace
}  // namespace gs
