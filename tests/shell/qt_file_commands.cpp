// The File menu driven through the main window, with the dialogs answered by
// a fake seam and the settings store in a temporary folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>

#include "files/ani_format.h"
#include "files/icon_writer.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "shell/frmMain.h"
#include "shell/frmMain_File.h"
#include "shell/frmMain_Toolbar.h"
#include "shell/menu_tree.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

class FileMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<frmMain>(env_);
    window_->Start(QString());
  }
  void TearDown() override { window_.reset(); }

  frmMain& W() { return *window_; }
  IconDocument& Doc() { return window_->Document(); }
  void Trigger(const char* name, int index = -1) { W().MenuAction(name, index)->trigger(); }
  // Opens the File menu as the user would, refreshing the recent entries.
  QStringList RecentCaptions() {
    emit W().Menu("mnuFilePop")->aboutToShow();
    QStringList out;
    for (int i = 12; i <= 15; ++i) out << W().MenuAction("mnuFile", i)->text();
    return out;
  }
  std::string Icon(const std::string& name, Color c = RGB(0, 0, 200)) {
    Surface s = MakeIconSurface();
    s.FillRect({0, 0, 8, 8}, c);
    const std::string path = tmp_.file(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    EXPECT_TRUE(WriteIconFile(path, s, 24, PaletteMethod::None));
    return path;
  }
  void OpenThroughMenu(const std::string& path) {
    seam_.openAnswers.push_back(Q(path));
    Trigger("mnuFile", 1);
  }

  test::TempDir tmp_;
  test::FakeDialogs seam_;
  Environment env_{tmp_.file("prog"), tmp_.file("settings"), "", &seam_, tmp_.file("data")};
  std::unique_ptr<frmMain> window_;
};

TEST_F(FileMenuTest, RecentEntriesFollowOpenedFiles) {
  EXPECT_EQ(RecentCaptions(), (QStringList{"1. ", "2. ", "3. ", "4. "}));
  EXPECT_FALSE(W().MenuAction("mnuFile", 12)->isEnabled());

  const std::string a = Icon("a.ico"), b = Icon("b.ico"), c = Icon("c.ico"), d = Icon("d.ico");
  for (const auto& p : {a, b, c, d}) OpenThroughMenu(p);
  EXPECT_EQ(RecentCaptions(),
            (QStringList{Q("1. " + d), Q("2. " + c), Q("3. " + b), Q("4. " + a)}));

  OpenThroughMenu(b);  // slot 3 moves to the head
  EXPECT_EQ(RecentCaptions(),
            (QStringList{Q("1. " + b), Q("2. " + d), Q("3. " + c), Q("4. " + a)}));

  const std::string e = Icon("e.ico");  // a fifth file pushes the oldest out
  OpenThroughMenu(e);
  EXPECT_EQ(RecentCaptions(),
            (QStringList{Q("1. " + e), Q("2. " + b), Q("3. " + d), Q("4. " + c)}));
  EXPECT_TRUE(W().MenuAction("mnuFile", 15)->isEnabled());
  EXPECT_EQ(W().windowTitle(), Q(e + " - Varnel Glyphsmith"));
}

// "R&D" in a recent path is three letters, not R and an underlined D.
TEST_F(FileMenuTest, AnAmpersandInARecentPathIsShownAsItIs) {
  const std::string path = Icon("R&D/a&b.ico");
  OpenThroughMenu(path);
  RecentCaptions();
  const QAction* entry = W().MenuAction("mnuFile", 12);
  EXPECT_EQ(entry->iconText(), Q("1. " + path));  // the text as shown, mnemonics taken out
  EXPECT_TRUE(QKeySequence::mnemonic(entry->text()).isEmpty()) << entry->text().toStdString();
}

// A name may hold ESC, BEL or a line break: the title shows a mark for each,
// never the character itself.
TEST_F(FileMenuTest, ControlCharactersInANameAreMarkedInTheTitle) {
  const std::string path = Icon("a\x1b]0;forged\x07\nline.ico");
  OpenThroughMenu(path);
  ASSERT_EQ(Doc().fileName, path);
  const QString title = W().windowTitle();
  for (QChar c : title)
    EXPECT_FALSE(c.unicode() < 0x20 || c.unicode() == 0x7F) << title.toStdString();
  EXPECT_TRUE(title.contains("a\\x1b]0;forged", Qt::CaseInsensitive)) << title.toStdString();
  EXPECT_TRUE(title.endsWith("line.ico - Varnel Glyphsmith")) << title.toStdString();
  EXPECT_EQ(QString(title).remove(QRegularExpression("\\\\(x[0-9A-Fa-f]{2}|[a-z])")),
            Q(tmp_.path() + "/a]0;forgedline.ico - Varnel Glyphsmith"));
}

TEST_F(FileMenuTest, SamePathInOtherLettersKeepsTheList) {
  const std::string upper = Icon("Star.ICO"), lower = Icon("star.ico");
  OpenThroughMenu(upper);
  OpenThroughMenu(lower);
  EXPECT_EQ(RecentCaptions(), (QStringList{Q("1. " + upper), "2. ", "3. ", "4. "}));
}

TEST_F(FileMenuTest, RecentEntryOpensAndAMissingOneIsDropped) {
  const std::string a = Icon("a.ico", RGB(10, 20, 30)), b = Icon("b.ico");
  OpenThroughMenu(a);
  OpenThroughMenu(b);
  RecentCaptions();
  Trigger("mnuFile", 13);  // "2. a.ico"
  EXPECT_EQ(Doc().fileName, a);
  EXPECT_EQ(Doc().surface.GetPixel(0, 0), RGB(10, 20, 30));

  std::filesystem::remove(b);
  RecentCaptions();
  Trigger("mnuFile", 13);  // "2. b.ico", gone
  EXPECT_EQ(seam_.messages.back(), QString::fromUtf8("Fichier non trouvé!"));
  EXPECT_EQ(seam_.icons.back(), QMessageBox::Critical);
  EXPECT_EQ(RecentCaptions(), (QStringList{Q("1. " + a), "2. ", "3. ", "4. "}));
}

TEST_F(FileMenuTest, SaveOnAFileLoadedFromACursorKeepsItACursorWithItsHotspot) {
  const std::string cur = tmp_.file("arrow.cur");
  ASSERT_TRUE(WriteCursorFile(cur, MakeIconSurface(), 4, PaletteMethod::None, 9, 9));
  ASSERT_TRUE(W().OpenIconFile(Q(cur)));
  seam_.onSave = [](frmSave& s) {
    EXPECT_EQ(s.windowTitle(), "Save Icon");
    EXPECT_FALSE(s.Frame2()->isVisibleTo(&s));
    s.cmbSaveAs()->setCurrentIndex(3);
    s.cmdOK()->click();
  };
  Trigger("mnuFile", 2);
  const auto bytes = test::ReadAll(cur);
  ASSERT_EQ(bytes.size(), 3262u);
  EXPECT_EQ(bytes[2], 2) << "the user's cursor stays a cursor";
  EXPECT_EQ(bytes[10], 9);
  EXPECT_EQ(bytes[12], 9);
  EXPECT_TRUE(seam_.dialogs.empty());

  // Saved as an icon under an icon's name, it is an icon.
  seam_.saveAnswers = {Q(tmp_.file("arrow.ico"))};
  Trigger("mnuFile", 3);
  EXPECT_EQ(test::ReadAll(tmp_.file("arrow.ico"))[2], 1);
  Trigger("mnuFile", 2);
  EXPECT_EQ(test::ReadAll(tmp_.file("arrow.ico"))[2], 1) << "and stays one";
}

TEST_F(FileMenuTest, SavingAnIconOfSeveralSizesSaysTheyAreKept) {
  const std::string seven = tmp_.file("seven.ico");
  test::WriteAll(seven, test::ReadAll(test::DataPath("files/multi/seven_sizes_imagemagick.ico")));
  ASSERT_TRUE(W().OpenIconFile(Q(seven)));
  bool kept = false;
  QString depth;
  seam_.onSave = [&](frmSave& s) {
    kept = s.lblKept()->isVisibleTo(&s);
    depth = s.cmbSaveAs()->currentText();
    s.cmdOK()->click();
  };
  Trigger("mnuFile", 2);
  EXPECT_TRUE(kept);
  // The 32 x 32 image read is 32-bit: Enter saves it at the deepest depth, so
  // that the file opens on it again.
  EXPECT_EQ(depth, "24 bit");
  EXPECT_EQ(test::ReadAll(seven)[4], 7);  // seven images still

  Trigger("mnuFile", 0);  // New: a single image from now on
  Doc().fileName = seven;
  Trigger("mnuFile", 2);
  EXPECT_FALSE(kept);
  EXPECT_EQ(test::ReadAll(seven)[4], 1);
}

TEST_F(FileMenuTest, AFileReplacedByAnotherProgramIsAskedAboutBeforeSave) {
  const std::string a = Icon("a.ico");
  OpenThroughMenu(a);
  const std::vector<std::uint8_t> theirs = test::ReadAll(Icon("theirs.ico", RGB(0, 200, 0)));
  test::WriteAll(a, theirs);
  Doc().surface.SetPixelV(20, 20, kBlack);
  Doc().modified = true;
  seam_.onSave = [](frmSave& s) { s.cmdOK()->click(); };
  seam_.buttons = {QMessageBox::Cancel};
  Trigger("mnuFile", 2);
  ASSERT_EQ(seam_.messages.size(), 1u);
  EXPECT_TRUE(seam_.messages[0].startsWith("Le fichier a été modifié par un autre programme"));
  EXPECT_TRUE(seam_.messages[0].endsWith(Q(a)));
  EXPECT_EQ(test::ReadAll(a), theirs);
  EXPECT_TRUE(Doc().modified);
}

TEST_F(FileMenuTest, SaveAsThenCancelWritesNothing) {
  const std::string a = Icon("a.ico");
  OpenThroughMenu(a);
  Doc().modified = true;
  seam_.saveAnswers = {Q(tmp_.file("copy.ico"))};
  seam_.onSave = [](frmSave& s) { s.cmdCancel()->click(); };
  Trigger("mnuFile", 3);
  EXPECT_EQ(seam_.dialogs.back().title, "Sauvez Icon ...");
  EXPECT_EQ(seam_.dialogs.back().defaultExtension, "ico");
  EXPECT_FALSE(std::filesystem::exists(tmp_.file("copy.ico")));
  EXPECT_EQ(RecentCaptions(), (QStringList{Q("1. " + a), "2. ", "3. ", "4. "}));
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(Doc().fileName, a);
}

TEST_F(FileMenuTest, SaveWindowKeepsChoicesUntilItsCloseBoxUnloadsIt) {
  Doc().fileName = tmp_.file("keep.ico");
  std::vector<QString> seen;
  seam_.onSave = [&](frmSave& s) {
    seen.push_back(s.cmbSaveAs()->currentText() + "/" + s.cmbOptimize()->currentText());
    if (seen.size() == 1) {
      s.cmbSaveAs()->setCurrentIndex(2);
      s.cmbOptimize()->setCurrentIndex(1);
      s.cmdOK()->click();
    } else if (seen.size() == 2) {
      s.close();  // the close box
    } else {
      s.cmdOK()->click();
    }
  };
  Trigger("mnuFile", 2);
  const auto first = test::ReadAll(tmp_.file("keep.ico"));
  ASSERT_EQ(first.size(), 2238u);
  Doc().surface.SetPixelV(0, 0, kBlack);
  Trigger("mnuFile", 2);  // closed: nothing written
  EXPECT_EQ(test::ReadAll(tmp_.file("keep.ico")), first);
  Trigger("mnuFile", 2);
  EXPECT_EQ(test::ReadAll(tmp_.file("keep.ico")).size(), 766u);
  EXPECT_EQ(seen, (std::vector<QString>{"16 colors (4bit)/Extreme", "256 colors (8bit)/High",
                                        "16 colors (4bit)/Extreme"}));
}

TEST_F(FileMenuTest, NewAfterNoKeepsTheFlagAndOpenAsksAgain) {
  Doc().surface.SetPixelV(3, 3, kBlack);
  Doc().modified = true;
  seam_.buttons = {QMessageBox::No, QMessageBox::Cancel};
  Trigger("mnuFile", 0);
  EXPECT_EQ(Doc().surface.GetPixel(3, 3), kWhite);
  EXPECT_TRUE(Doc().modified);
  ASSERT_EQ(seam_.messages.size(), 1u);
  EXPECT_EQ(
      seam_.messages[0],
      QString::fromUtf8("Voulez vous enregistrer les modifications apportées à ce fichier ?"));
  EXPECT_EQ(seam_.icons[0], QMessageBox::Question);
  EXPECT_EQ(seam_.lastTitle, "Varnel Glyphsmith");
  Trigger("mnuFile", 1);
  EXPECT_EQ(seam_.messages.size(), 2u);
  EXPECT_TRUE(seam_.dialogs.empty());  // cancelled: no open dialog
}

TEST_F(FileMenuTest, OpenDirFollowsOpenDialogsNotSaveDialogs) {
  const std::string a = Icon("one/a.ico");
  OpenThroughMenu(a);
  EXPECT_EQ(seam_.dialogs[0].title, "Varnel Glyphsmith - Open an Icon");
  EXPECT_EQ(seam_.dialogs[0].filters,
            (QStringList{"Icon (*.ico; *.cur) (*.ico *.cur)", "All files (*.*) (*)"}));
  std::filesystem::create_directories(tmp_.file("two"));
  seam_.saveAnswers = {Q(tmp_.file("two/b.ico"))};
  Trigger("mnuFile", 3);
  EXPECT_TRUE(std::filesystem::exists(tmp_.file("two/b.ico")));
  Trigger("mnuFile", 1);  // cancelled
  EXPECT_EQ(seam_.dialogs.back().startFolder, Q(tmp_.file("one/")));
  EXPECT_EQ(Q(ReadOpenDir(env_.Settings())), Q(tmp_.file("one/")));
}

TEST_F(FileMenuTest, FailedSaveShowsTheReasonAndKeepsTheWindowOpen) {
  const std::string a = Icon("a.ico");
  OpenThroughMenu(a);
  std::filesystem::permissions(a, std::filesystem::perms::owner_read);
  Doc().surface.SetPixelV(20, 20, RGB(1, 2, 3));
  Doc().modified = true;
  W().show();
  seam_.buttons = {QMessageBox::Yes, QMessageBox::Ok};
  W().close();
  EXPECT_TRUE(W().isVisible());
  ASSERT_EQ(seam_.messages.size(), 2u);
  EXPECT_TRUE(seam_.messages[1].contains(Q(a)));
  EXPECT_TRUE(seam_.messages[1].contains("Permission denied")) << seam_.messages[1].toStdString();
  EXPECT_EQ(seam_.icons[1], QMessageBox::Critical);
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(Doc().fileName, a);
  EXPECT_EQ(Doc().surface.GetPixel(20, 20), RGB(1, 2, 3));
  EXPECT_EQ(test::ReadAll(a).size(), 3262u);  // the old file is untouched

  // Answering No closes without saving.
  seam_.buttons = {QMessageBox::No};
  W().close();
  EXPECT_FALSE(W().isVisible());
}

TEST_F(FileMenuTest, CloseQuestionCancelKeepsTheWindowYesSavesAndCloses) {
  const std::string a = Icon("a.ico");
  OpenThroughMenu(a);
  Doc().surface.SetPixelV(0, 31, RGB(9, 9, 9));
  Doc().modified = true;
  W().show();
  seam_.buttons = {QMessageBox::Cancel};
  W().close();
  EXPECT_TRUE(W().isVisible());
  seam_.buttons = {QMessageBox::Yes};
  W().close();
  EXPECT_FALSE(W().isVisible());
  EXPECT_FALSE(Doc().modified);
  EXPECT_EQ(test::ReadAll(a).size(), 766u);  // the window's first-load depth: 4 bits
  // The recent list was saved at shutdown.
  EXPECT_EQ(env_.Settings().ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1"),
            a);
}

// Undo belongs to the picture it was taken on: after anything that puts
// another picture into the document, Ctrl+Z must not bring the old one back
// (where Save would write it into the new file).
TEST_F(FileMenuTest, EveryNewOrOpenedDocumentDropsTheUndoCopy) {
  const std::string a = Icon("a.ico", RGB(200, 0, 0)), b = Icon("b.ico", RGB(0, 200, 0));
  const std::string cur = tmp_.file("frame.cur");
  ASSERT_TRUE(WriteCursorFile(cur, MakeIconSurface(), 24, PaletteMethod::None, 0, 0));
  const std::string ani = tmp_.file("spin.ani");
  const std::vector<std::vector<std::uint8_t>> frames = {test::ReadAll(cur)};
  test::WriteAll(ani, BuildAnimatedCursorBytes(frames, 10));
  const std::string bmp = tmp_.file("picture.bmp");
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(qRgb(0, 0, 90));
  ASSERT_TRUE(picture.save(Q(bmp), "BMP"));
  OpenThroughMenu(b);
  RecentCaptions();

  QAction* undo = W().MenuAction("mnuEdit", 0);
  QWidget* undoButton = nullptr;
  for (const ToolbarSlot& slot : ToolbarSlots())
    if (slot.menuName && std::string(slot.menuName) == "mnuEdit" && slot.menuIndex == 0)
      undoButton = ToolbarSlotWidget(W(), slot.number);
  ASSERT_NE(undoButton, nullptr);

  struct Row {
    const char* what;
    std::function<void()> replace;
  } rows[] = {
      {"open", [&] { OpenThroughMenu(b); }},
      {"recent entry", [&] { Trigger("mnuFile", 13); }},  // "2. b.ico"
      {"animated cursor", [&] { OpenThroughMenu(ani); }},
      {"picture", [&] { OpenThroughMenu(bmp); }},
      {"new", [&] { Trigger("mnuFile", 0); }},
  };
  for (const Row& r : rows) {
    ASSERT_TRUE(W().OpenIconFile(Q(a)));
    RecentCaptions();
    Trigger("mnuEffects", 3);  // a change on a.ico that undo could take back
    ASSERT_TRUE(undo->isEnabled()) << r.what;
    seam_.buttons = {QMessageBox::No};  // discard the change
    r.replace();
    const std::vector<Color> replaced = Doc().surface.Pixels();
    ASSERT_NE(Doc().surface.GetPixel(2, 2), RGB(255 - 200, 255, 255)) << r.what;
    EXPECT_FALSE(undo->isEnabled()) << r.what;
    EXPECT_FALSE(undoButton->isEnabled()) << r.what;
    undo->trigger();
    EXPECT_EQ(Doc().surface.Pixels(), replaced) << r.what;
  }
}

TEST_F(FileMenuTest, RecentFilesAreLoadedAtStartUp) {
  const std::string a = Icon("a.ico");
  env_.Settings().WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File2", a);
  frmMain second(env_);
  second.Start(QString());
  emit second.Menu("mnuFilePop")->aboutToShow();
  EXPECT_EQ(second.MenuAction("mnuFile", 12)->text(), "1. ");
  EXPECT_EQ(second.MenuAction("mnuFile", 13)->text(), Q("2. " + a));
  EXPECT_TRUE(second.MenuAction("mnuFile", 13)->isEnabled());
}

TEST_F(FileMenuTest, CommandLineFileOpensAfterTheRecentList) {
  const std::string a = Icon("cmd line.ico");
  frmMain second(env_);
  second.Start(Q(a));
  EXPECT_EQ(second.Document().fileName, a);
  EXPECT_EQ(second.File().commands->Recent().paths[0], a);
  frmMain third(env_);
  third.Start(Q("\"" + a + "\""));  // quotes are part of the name: nothing opens
  EXPECT_EQ(third.Document().fileName, "");
  // A name relative to the folder the editor starts in (and not UTF-8) is
  // opened, shown and remembered as its whole path, bytes as they are.
  const std::string latin = Icon("sub/caf\xE9.ico");
  const std::string whole = std::filesystem::canonical(latin).string();
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(tmp_.path());
  frmMain fourth(env_);
  fourth.Start(std::string("./sub/../sub/caf\xE9.ico"));
  std::filesystem::current_path(before);
  EXPECT_EQ(fourth.Document().fileName, whole);
  EXPECT_EQ(fourth.File().commands->Recent().paths[0], whole);
}

TEST_F(FileMenuTest, ExportCursorTakesTheHotspotFromThePreview) {
  Doc().modified = true;
  seam_.saveAnswers = {Q(tmp_.file("c.cur"))};
  seam_.onSave = [](frmSave& s) {
    EXPECT_EQ(s.windowTitle(), "Save Cursor");
    EXPECT_TRUE(s.Frame2()->isVisibleTo(&s));
    QTest::mouseClick(s.picPrev(), Qt::LeftButton, {}, QPoint(5, 7));
    EXPECT_EQ(s.txtHotX()->text(), "5");
    EXPECT_EQ(s.txtHotY()->text(), "7");
    s.cmdOK()->click();
  };
  Trigger("mnuExport", 0);
  EXPECT_EQ(seam_.dialogs.back().title, "Save Cursor...");
  const auto b = test::ReadAll(tmp_.file("c.cur"));
  ASSERT_EQ(b.size(), 766u);
  EXPECT_EQ(b[2], 2);
  EXPECT_EQ(b[10], 5);
  EXPECT_EQ(b[12], 7);
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(Doc().fileName, "");
  EXPECT_EQ(RecentCaptions()[0], "1. ");
}

TEST_F(FileMenuTest, BitmapAndPcxExportsKeepTheOptimiseListOff) {
  seam_.saveAnswers = {Q(tmp_.file("p.bmp")), Q(tmp_.file("p.pcx"))};
  std::vector<QString> titles;
  seam_.onSave = [&](frmSave& s) {
    titles.push_back(s.windowTitle());
    s.cmbSaveAs()->setCurrentIndex(2);
    EXPECT_FALSE(s.cmbOptimize()->isEnabled());
    EXPECT_FALSE(s.Frame2()->isVisibleTo(&s));
    s.cmdOK()->click();
  };
  Trigger("mnuExport", 1);
  Trigger("mnuExport", 2);
  EXPECT_EQ(titles, (std::vector<QString>{"Save Bitmap", "Save PCX"}));
  EXPECT_EQ(test::ReadAll(tmp_.file("p.bmp")).size(), 2102u);
  EXPECT_EQ(test::ReadAll(tmp_.file("p.pcx")).size(), 961u);
  EXPECT_EQ(seam_.dialogs[0].title, "Save Bitmap...");
  EXPECT_EQ(seam_.dialogs[1].title, "Save PCX...");
}

TEST_F(FileMenuTest, SampleCommandsRememberTheSampleFolder) {
  env_.programFolder = tmp_.path();
  Trigger("excur");  // cancelled in the dialog
  const QString folder = Q(tmp_.file("curseur"));
  EXPECT_EQ(Q(ReadOpenDir(env_.Settings())), folder);
  EXPECT_EQ(seam_.dialogs.back().title, "Varnel Glyphsmith - Ouvrir un curseur");
  EXPECT_EQ(seam_.dialogs.back().startFolder, folder);
  Trigger("exico");
  EXPECT_EQ(seam_.dialogs.back().startFolder, Q(tmp_.file("icon")));
}

}  // namespace
}  // namespace gs
