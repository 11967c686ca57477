#include "platform/absolute_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/test_support.h"

namespace gs {
namespace {

namespace fs = std::filesystem;

TEST(AbsolutePath, RelativePathsJoinTheCurrentFolderAndAreNormalised) {
  struct Row {
    const char* path;
    const char* folder;
    const char* want;
  } rows[] = {
      {"smiley.ico", "/home/u/icons", "/home/u/icons/smiley.ico"},
      {"./a//b/./c.ico", "/home/u/", "/home/u/a/b/c.ico"},
      {"../../x.ico", "/home/u/icons", "/home/x.ico"},
      {"../../../../x.ico", "/home/u", "/x.ico"},
      {"/var/./lib/../tmp//y.cur", "/home/u", "/var/tmp/y.cur"},
      {"sub/", "/home/u", "/home/u/sub/"},
      {"\"quoted.ico\"", "/home/u", "/home/u/\"quoted.ico\""},
      {"my icon.ico", "/", "/my icon.ico"},
      // Names are bytes: Latin-1 and broken UTF-8 stay as they were.
      {"caf\xE9/d\xFF\xC3.ico", "/home/\xE9t\xE9", "/home/\xE9t\xE9/caf\xE9/d\xFF\xC3.ico"},
      {"", "/home/u", ""},
      {"relative.ico", "", "relative.ico"},
  };
  for (const Row& r : rows) EXPECT_EQ(AbsolutePath(r.path, r.folder), r.want) << r.path;
}

// "link/.." is where the link points, one up; every other link stays as written.
TEST(AbsolutePath, OnlyALinkFollowedByDotDotIsResolved) {
  test::TempDir tmp;
  const std::string root = fs::canonical(tmp.path()).string();
  fs::create_directories(root + "/real/deep");
  fs::create_directory_symlink(root + "/real/deep", root + "/link");
  EXPECT_EQ(AbsolutePath("link/a.ico", root), root + "/link/a.ico");
  EXPECT_EQ(AbsolutePath("link/../a.ico", root), root + "/real/a.ico");
  EXPECT_EQ(AbsolutePath("link/sub/../a.ico", root), root + "/link/a.ico");
  EXPECT_EQ(AbsolutePath("../a.ico", root + "/link"), root + "/real/a.ico");
}

TEST(AbsolutePath, CurrentFolderKeepsTheShellsNameOnlyWhenItIsTheSameFolder) {
  test::TempDir tmp;
  const std::string here = fs::current_path().string();
  const std::string link = tmp.file("here");
  fs::create_directory_symlink(here, link);
  const char* saved = std::getenv("PWD");
  const std::string before = saved ? saved : "";
  ::setenv("PWD", link.c_str(), 1);
  EXPECT_EQ(CurrentFolder(), link);
  ::setenv("PWD", tmp.path().c_str(), 1);  // another folder: the kernel's name
  EXPECT_EQ(CurrentFolder(), here);
  ::setenv("PWD", "here", 1);  // not absolute
  EXPECT_EQ(CurrentFolder(), here);
  if (saved)
    ::setenv("PWD", before.c_str(), 1);
  else
    ::unsetenv("PWD");
}

}  // namespace
}  // namespace gs
