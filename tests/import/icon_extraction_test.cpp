// The extraction window's rules: grid filling, scroll range, selection, and
// putting an icon into the document.
#include "import/icon_extraction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "platform/folder_listing.h"
#include "tests/import/refused_files.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// n icons, icon k filled with colour k + 1 unless damaged; an associated
// icon when asked, unless the file is refused.
class FakeIcons : public IconProvider {
 public:
  int n = 0;
  bool associated = true;
  std::set<int> damaged;
  std::string refusal;
  int Count(const std::string&) override { return n; }
  bool Icon(const std::string&, int k, IconPicture& out, std::string& reason) override {
    if (k >= n || damaged.count(k)) {
      reason = "icon " + std::to_string(k) + ": damaged";
      return false;
    }
    out.overWhite = Surface(32, 32);
    out.overWhite.FillRect({0, 0, 32, 32}, RGB(k + 1, 0, 0));
    out.alpha.fill(255);
    return true;
  }
  bool Associated(const std::string&, IconPicture& out) override {
    if (!associated) return false;
    out = GenericDocumentIcon();
    return true;
  }
  std::string Refusal(const std::string&) override { return refusal; }
};

TEST(ExtractGrid, FillsRowsOfThreeAndComputesTheScrollRange) {
  struct Row {
    int icons;
    int height;
    bool scroll;
    int max;
  } rows[] = {
      {1, 96, false, -3},  // y = 0 after the loop: round(-3.25)
      {9, 96, false, 0},   // y = 96 after the loop: round(-0.25)
      {10, 128, true, 0},  // four rows fit the viewport
      {15, 160, true, 2},  // y = 160: round(1.75)
      {16, 192, true, 2},  // y = 160: the last row is not full
      {18, 192, true, 3},  // y = 192: round(2.75)
  };
  for (const Row& r : rows) {
    FakeIcons icons;
    icons.n = r.icons;
    ExtractGrid grid;
    grid.ChooseFile("x", icons);
    EXPECT_EQ(grid.iconCount, r.icons);
    EXPECT_EQ(grid.Height(), r.height) << r.icons;
    EXPECT_EQ(grid.scrollEnabled, r.scroll) << r.icons;
    EXPECT_EQ(grid.scrollMax, r.max) << r.icons;
    // Icon k at (32 * (k mod 3), 32 * (k / 3)).
    const int k = r.icons - 1;
    EXPECT_EQ(grid.Picture().GetPixel(32 * (k % 3) + 5, 32 * (k / 3) + 5), RGB(k + 1, 0, 0));
  }
}

TEST(ExtractGrid, SelectsOnlyInsideTheGridWithTheLeftButtonBelowTheCount) {
  FakeIcons icons;
  icons.n = 5;
  ExtractGrid grid;
  grid.ChooseFile("x", icons);
  struct Row {
    const char* what;
    int x, y;
    bool left;
    bool counts;
    int index;
  } rows[] = {
      {"left column of pixels", 0, 10, true, false, 0},
      {"top row of pixels", 10, 0, true, false, 0},
      {"first cell", 1, 1, true, true, 0},
      {"second row, second column", 40, 40, true, true, 4},
      {"right button", 70, 10, false, false, 4},
      {"empty cell after the last icon", 70, 40, true, false, 4},
      {"beyond the grid's width", 96, 10, true, false, 4},
      {"beyond the grid's height", 10, 96, true, false, 4},
      {"third column", 95, 31, true, true, 2},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(grid.Select(r.x, r.y, r.left), r.counts) << r.what;
    EXPECT_EQ(grid.selected, r.index) << r.what;
  }
  EXPECT_EQ(grid.highlight, (Rect{64, 0, 96, 32}));
  // The highlight shows inverted; selecting the same cell again keeps it.
  EXPECT_EQ(grid.Shown().GetPixel(70, 5), RGB(255 - 3, 255, 255));
  EXPECT_TRUE(grid.Select(80, 20, true));
  EXPECT_EQ(grid.Shown().GetPixel(70, 5), RGB(255 - 3, 255, 255));
}

TEST(ExtractGrid, FileWithoutIconsShowsItsAssociatedIconOrNothing) {
  FakeIcons icons;
  icons.n = 4;
  ExtractGrid grid;
  grid.ChooseFile("a", icons);
  grid.Select(40, 5, true);

  icons.n = 0;
  grid.ChooseFile("text", icons);
  EXPECT_EQ(grid.iconCount, 1);
  EXPECT_EQ(grid.selected, 0);
  EXPECT_TRUE(grid.highlight.IsEmpty());
  EXPECT_FALSE(grid.noIcons);
  EXPECT_EQ(grid.Picture().GetPixel(15, 15), GenericDocumentIcon().overWhite.GetPixel(15, 15));

  // Nothing to show, or a file refused: the grid says so and offers no cell.
  for (bool refused : {false, true}) {
    grid.ChooseFile("text", icons);
    grid.Select(5, 5, true);
    icons.associated = refused;
    icons.refusal = refused ? "holds no icons (no resources)" : "";
    grid.ChooseFile("nothing", icons);
    EXPECT_TRUE(grid.noIcons) << refused;
    EXPECT_EQ(grid.iconCount, 0) << refused;
    EXPECT_TRUE(grid.highlight.IsEmpty()) << refused;
    EXPECT_FALSE(grid.Select(5, 5, true)) << refused;
    EXPECT_EQ(grid.Picture().GetPixel(15, 15), kWhite) << refused;
  }
}

// A damaged icon keeps its cell, crossed out, and can be selected so that
// "Extraire" says why it cannot be taken.
TEST(ExtractGrid, DamagedIconsAreCrossedOutInTheirCells) {
  FakeIcons icons;
  icons.n = 5;
  icons.damaged = {0, 2};
  ExtractGrid grid;
  grid.ChooseFile("x", icons);
  EXPECT_EQ(grid.iconCount, 5);
  EXPECT_FALSE(grid.noIcons);
  EXPECT_EQ(grid.selected, 0);
  EXPECT_TRUE(grid.Damaged(0));
  EXPECT_FALSE(grid.Damaged(1));
  EXPECT_TRUE(grid.Damaged(2));
  const Surface p = grid.Picture();
  EXPECT_EQ(p.GetPixel(37, 5), RGB(2, 0, 0));
  EXPECT_EQ(p.GetPixel(10, 10), RGB(128, 128, 128));  // on the cross
  EXPECT_EQ(p.GetPixel(10, 20), kWhite);              // beside it
  EXPECT_EQ(p.GetPixel(64 + 21, 10), RGB(128, 128, 128));
  EXPECT_EQ(p.GetPixel(37, 37), RGB(5, 0, 0));
  EXPECT_TRUE(grid.Select(70, 5, true));
  EXPECT_EQ(grid.selected, 2);
}

// Choosing a program of thousands of icons draws only the rows in view and a
// few beyond; scrolling draws the rows it reaches, once, and forgets far ones.
class CountingIcons : public FakeIcons {
 public:
  std::vector<int> drawn;
  bool Icon(const std::string& path, int k, IconPicture& out, std::string& reason) override {
    drawn.push_back(k);
    return FakeIcons::Icon(path, k, out, reason);
  }
};

TEST(ExtractGrid, DrawsOnlyTheRowsNearTheView) {
  CountingIcons icons;
  icons.n = kMaxIconGroups;
  ExtractGrid grid;  // five rows in view (the fifth in part)
  grid.ChooseFile("x", icons);
  EXPECT_EQ(grid.iconCount, kMaxIconGroups);
  EXPECT_EQ(grid.Height(), 32 * 1366);
  EXPECT_EQ(grid.scrollMax, 1362);
  // Rows 0 to 6: in view and two ahead.
  ASSERT_EQ(icons.drawn.size(), 21u);
  EXPECT_EQ(icons.drawn.back(), 20);

  icons.drawn.clear();
  grid.ShowRows(1, icons);  // one row more
  EXPECT_EQ(icons.drawn, (std::vector<int>{21, 22, 23}));
  icons.drawn.clear();
  grid.ShowRows(1000, icons);  // rows 998 to 1006
  ASSERT_EQ(icons.drawn.size(), 27u);
  EXPECT_EQ(icons.drawn.front(), 2994);
  EXPECT_NE(grid.Band(1000, 1).GetPixel(40, 5), kWhite);
  EXPECT_EQ(grid.Band(500, 1).GetPixel(40, 5), kWhite);  // never in view
  // Back at the top: the first rows were forgotten and are drawn again.
  icons.drawn.clear();
  grid.ShowRows(0, icons);
  EXPECT_EQ(icons.drawn.size(), 21u);
  EXPECT_EQ(grid.Band(0, 1).GetPixel(5, 5), RGB(1, 0, 0));
  // The last row, partly filled (4,096 = 3 x 1,365 + 1).
  grid.ShowRows(grid.scrollMax, icons);
  EXPECT_EQ(grid.Band(1365, 1).GetPixel(40, 5), kWhite);
  EXPECT_TRUE(grid.Select(5, 32 * 1365 + 5, true));
  EXPECT_EQ(grid.selected, 4095);
  EXPECT_FALSE(grid.Select(40, 32 * 1365 + 5, true));
}

TEST(LoadIconIntoDocument, ReplacesPixelsKeepsNameRefusesMissingFiles) {
  test::TempDir dir;
  const std::string path = dir.file("prog.exe");
  test::WriteAll(path, {1, 2, 3});
  FakeIcons icons;
  icons.n = 3;
  IconDocument doc;
  doc.fileName = "/old/name.ico";
  doc.modified = true;
  doc.surface.FillRect({0, 0, 32, 32}, kBlack);
  int backups = 0;
  const auto backup = [&] {
    ++backups;
    EXPECT_EQ(doc.surface.GetPixel(7, 7), kBlack);  // taken before the change
  };
  std::string why;

  EXPECT_EQ(LoadIconIntoDocument(doc, dir.file("gone.exe"), kModeIndex, 0, icons, why, backup), -1);
  EXPECT_EQ(why, "No such file or directory");
  EXPECT_EQ(LoadIconIntoDocument(doc, "", kModeIndex, 0, icons, why, backup), -1);
  EXPECT_EQ(LoadIconIntoDocument(doc, dir.path(), kModeIndex, 0, icons, why, backup), -1);
  EXPECT_EQ(why, "Is a directory");
  // A damaged icon, a refused file, a file whose type has no icon: nothing changes.
  icons.damaged = {1};
  EXPECT_EQ(LoadIconIntoDocument(doc, path, kModeIndex, 1, icons, why, backup), -1);
  EXPECT_EQ(why, "icon 1: damaged");
  icons.refusal = "holds no icons (no resources)";
  EXPECT_EQ(LoadIconIntoDocument(doc, path, kModeAssociated, 0, icons, why, backup), -1);
  EXPECT_EQ(why, icons.refusal);
  icons.refusal.clear();
  icons.associated = false;
  EXPECT_EQ(LoadIconIntoDocument(doc, path, kModeAssociated, 0, icons, why, backup), -1);
  EXPECT_EQ(why, kNoIconForType);
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kBlack);
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(backups, 0);

  EXPECT_EQ(LoadIconIntoDocument(doc, path, kModeIndex, 2, icons, why, backup), 0);
  EXPECT_EQ(doc.surface.GetPixel(7, 7), RGB(3, 0, 0));
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(doc.fileName, "/old/name.ico");
  EXPECT_EQ(backups, 1);

  // The associated icon: transparent parts are white.
  icons.associated = true;
  EXPECT_EQ(LoadIconIntoDocument(doc, path, kModeAssociated, 0, icons, why), 0);
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kWhite);
  EXPECT_EQ(doc.surface.GetPixel(10, 20), GenericDocumentIcon().overWhite.GetPixel(10, 20));
}

TEST(GenericDocumentIcon, IsAnOpaquePageOnTransparency) {
  const IconPicture p = GenericDocumentIcon();
  EXPECT_EQ(p.alpha[0], 0);
  EXPECT_EQ(p.alpha[16 * 32 + 16], 255);
  // Nothing on the page is pure white: it would become transparent in the document.
  for (int i = 0; i < 1024; ++i) {
    if (p.alpha[i]) {
      EXPECT_NE(p.overWhite.Pixels()[i], kWhite) << i;
    }
  }
}

TEST(ResourceIconProvider, ReadsTheFileOnceUntilForgotten) {
  ResourceIconProvider icons;
  const std::string path = test::DataPath("import/programs/groups64.exe");
  EXPECT_EQ(icons.Count(path), 11);
  IconPicture pic;
  std::string why;
  EXPECT_TRUE(icons.Icon(path, 10, pic, why));
  EXPECT_FALSE(icons.Icon(path, 11, pic, why));
  EXPECT_EQ(why, "no icon 11 (11 icons)");
  EXPECT_EQ(icons.Count(test::DataPath("files/valid/red_cross_4bit.ico")), 1);
  EXPECT_EQ(icons.Count(test::DataPath("files/valid/red_cross_4bit.txt")), 0);
}

// Which files without icons are refused (with the tool's words) and which
// stand for themselves by the icon of their type.
TEST(ResourceIconProvider, RefusesDamagedAndUnreadableFilesNotOtherFiles) {
  test::TempDir dir;
  test::WriteRefusedFiles(dir);
  test::WriteAll(dir.file("notes.txt"), {'h', 'i', '\n'});
  ResourceIconProvider icons;
  EXPECT_EQ(icons.Refusal(dir.file("dos.exe")),
            "holds no icons (a DOS program without Windows headers)");
  EXPECT_EQ(icons.Refusal(dir.file("gone.exe")), "No such file or directory");
  EXPECT_EQ(icons.Refusal(dir.file("notes.txt")), "");
  EXPECT_EQ(icons.Refusal(test::DataPath("import/programs/groups64.exe")), "");
  ASSERT_EQ(icons.Count(dir.file("broken.ico")), 1);
  IconPicture pic;
  std::string why;
  EXPECT_FALSE(icons.Icon(dir.file("broken.ico"), 0, pic, why));
  EXPECT_EQ(why, "icon 0: no readable image in the icon group");
}

TEST(MountedVolumes, RealFileSystemsRootFirst) {
  const std::string mounts =
      "proc /proc proc rw 0 0\n"
      "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "/dev/sda1 / ext4 rw 0 0\n"
      "tmpfs /dev/shm tmpfs rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "cgroup /sys/fs/cgroup/cpu cgroup rw 0 0\n";
  EXPECT_EQ(VolumesFromMountsText(mounts),
            (std::vector<std::string>{"/", "/home", "/media/usb stick"}));
  EXPECT_EQ(VolumesFromMountsText(""), (std::vector<std::string>{"/"}));
  const std::vector<std::string> v = {"/", "/home", "/home/ann/disk"};
  EXPECT_EQ(VolumeOf("/home/ann/disk/x", v), "/home/ann/disk");
  EXPECT_EQ(VolumeOf("/homework", v), "/");
  EXPECT_EQ(FolderChain("/home/ann"), (std::vector<std::string>{"/", "/home", "/home/ann"}));
  EXPECT_EQ(FolderChain("/"), (std::vector<std::string>{"/"}));
}

TEST(ListFolder, FoldersAndMatchingFilesHiddenLeftOut) {
  test::TempDir dir;
  for (const char* f : {"b.cur", "A.CUR", "c.ico", ".hidden.cur"}) test::WriteAll(dir.file(f), {0});
  ASSERT_EQ(mkdir(dir.file("sub").c_str(), 0700), 0);
  FolderListing l;
  std::string error;
  ASSERT_TRUE(ListFolder(dir.path(), "*.cur", l, error));
  EXPECT_EQ(l.files, (std::vector<std::string>{"A.CUR", "b.cur"}));
  EXPECT_EQ(l.folders, (std::vector<std::string>{"sub"}));
  ASSERT_TRUE(ListFolder(dir.path(), "*", l, error));
  EXPECT_EQ(l.files.size(), 3u);
  EXPECT_FALSE(ListFolder(dir.file("none"), "*", l, error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos);
}

}  // namespace
}  // namespace gs
