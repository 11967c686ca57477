// The extraction and animated-cursor windows driven offscreen: browsing,
// choosing a file, the grid, selecting, extracting, cancelling; the frame
// list and the build. With GS_SCREENSHOT_DIR set, each window is saved there
// as a picture for a person to look at.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <deque>
#include <functional>

#include "files/ani_format.h"
#include "files/frmAni.h"
#include "import/frmExtract.h"
#include "lang/language_files.h"
#include "platform/qt_dialog_seam.h"
#include "platform/qt_file_browser.h"
#include "shell/frmMain.h"
#include "tests/import/many_groups.h"
#include "tests/import/refused_files.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

class Seam : public DialogSeam {
 public:
  std::deque<QString> saveAnswers;
  std::deque<QMessageBox::StandardButton> buttons;
  std::vector<QString> messages;
  std::vector<QMessageBox::Icon> icons;
  std::vector<QString> modalTitles;
  std::function<void(QDialog&)> onModal;

  QString OpenFileName(QWidget*, const FileDialogRequest&, const QString&) override { return {}; }
  QString SaveFileName(QWidget*, const FileDialogRequest& r) override {
    lastSave = r;
    if (saveAnswers.empty()) return {};
    QString s = saveAnswers.front();
    saveAnswers.pop_front();
    return s;
  }
  QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) override {
    messages.push_back(text);
    icons.push_back(icon);
    lastTitle = title;
    if (buttons.empty()) return QMessageBox::Ok;
    const auto b = buttons.front();
    buttons.pop_front();
    return b;
  }
  void RunModal(QDialog* d) override {
    modalTitles.push_back(d->windowTitle());
    d->show();
    if (onModal) onModal(*d);
    if (d->isVisible()) d->reject();
  }
  FileDialogRequest lastSave;
  QString lastTitle;
};

void Shot(QWidget& w, const char* name) {
  const QByteArray dir = qgetenv("GS_SCREENSHOT_DIR");
  if (!dir.isEmpty()) w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

std::string Programs() { return test::DataPath("import/programs"); }

// Clicks the file `name` in the browser's file list.
void ClickFile(FileBrowser& b, const QString& name) {
  const auto found = b.fleFile()->findItems(name, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << name.toStdString();
  QListWidgetItem* item = found.front();
  b.fleFile()->setCurrentItem(item);
  const QRect r = b.fleFile()->visualItemRect(item);
  QTest::mouseClick(b.fleFile()->viewport(), Qt::LeftButton, {}, r.center());
}

TEST(frmExtract, ChooseSelectExtract) {
  Seam seam;
  test::TestEnvironment env(&seam);
  IconDocument doc;
  doc.fileName = "/kept/name.ico";
  doc.modified = true;
  int repaints = 0;
  frmExtract w({doc, {}, [&] { ++repaints; }}, env);
  w.show();
  EXPECT_EQ(w.windowTitle().toStdString(),
            "Varnel Glyphsmith 2.3 - extraire icons depuis un fichiers");
  EXPECT_EQ(w.size(), QSize(486, 293));
  EXPECT_TRUE(w.FramePlus1()->isVisible());
  EXPECT_FALSE(w.FramePlus3()->isVisible());
  EXPECT_EQ(w.Browser().drvDrive()->itemText(0), "/");

  // "&Suivant" without a file does nothing.
  w.ButtonPlus1()->click();
  EXPECT_TRUE(w.FramePlus1()->isVisible());

  ASSERT_TRUE(w.Browser().SetFolder(Programs()));
  ClickFile(w.Browser(), "groups64.exe");
  Shot(w, "frmExtract_page1");
  w.ButtonPlus1()->click();
  EXPECT_FALSE(w.FramePlus1()->isVisible());
  EXPECT_TRUE(w.FramePlus3()->isVisible());
  EXPECT_EQ(w.Grid().iconCount, 11);
  EXPECT_TRUE(w.scrPreview()->isEnabled());
  EXPECT_EQ(w.scrPreview()->maximum(), 0);
  EXPECT_EQ(w.picIcons()->height(), 128);

  // Left click on the fifth icon; a right-button drag elsewhere changes nothing.
  QTest::mouseClick(w.picIcons(), Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_EQ(w.Grid().selected, 4);
  QTest::mouseClick(w.picIcons(), Qt::RightButton, {}, QPoint(70, 70));
  EXPECT_EQ(w.Grid().selected, 4);
  QMouseEvent drag(QEvent::MouseMove, QPointF(70, 10), QPointF(70, 10), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.picIcons(), &drag);
  EXPECT_EQ(w.Grid().selected, 2);
  Shot(w, "frmExtract_page2");

  w.cmdExtract()->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(doc.modified) << "quitting must ask before the extracted picture is lost";
  EXPECT_EQ(doc.fileName, "/kept/name.ico");
  // The document holds icon 2 (group 7) as the reader gives it.
  ResourceIconProvider icons;
  IconPicture want;
  std::string why;
  ASSERT_TRUE(icons.Icon(Programs() + "/groups64.exe", 2, want, why));
  EXPECT_EQ(doc.surface.Pixels(), want.overWhite.Pixels());
}

TEST(frmExtract, ManyIconsScrollAndOtherFiles) {
  Seam seam;
  test::TestEnvironment env(&seam);
  IconDocument doc;
  frmExtract w({doc, {}, {}}, env);
  w.show();
  ASSERT_TRUE(w.Browser().SetFolder(Programs()));
  ClickFile(w.Browser(), "depths64.exe");
  EXPECT_EQ(w.Grid().iconCount, 4);
  // The arrow keys choose too: the next file down is groups64.exe.
  w.Browser().fleFile()->setFocus();
  QTest::keyClick(w.Browser().fleFile(), Qt::Key_Down);
  EXPECT_EQ(w.Grid().iconCount, 11);
  QTest::keyClick(w.Browser().fleFile(), Qt::Key_Up);
  EXPECT_FALSE(w.scrPreview()->isEnabled());
  EXPECT_EQ(w.picIcons()->height(), 96);

  // A file that is no program: its associated icon, one cell.
  test::TempDir dir;
  test::WriteAll(dir.file("notes.txt"), {'h', 'i', '\n'});
  ASSERT_TRUE(w.Browser().SetFolder(dir.path()));
  ClickFile(w.Browser(), "notes.txt");
  EXPECT_EQ(w.Grid().iconCount, 1);
  EXPECT_FALSE(w.Grid().noIcons);
  w.ButtonPlus1()->click();
  Shot(w, "frmExtract_text_file");
  w.cmdExtract()->click();
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kWhite);
  EXPECT_NE(doc.surface.GetPixel(15, 20), kWhite);
}

TEST(frmExtract, VanishedFileIsRefusedAndCancelLeavesTheDocument) {
  Seam seam;
  test::TestEnvironment env(&seam);
  IconDocument doc;
  doc.surface.FillRect({0, 0, 32, 32}, kBlack);
  test::TempDir dir;
  test::WriteAll(dir.file("a.ico"),
                 test::ReadAll(test::DataPath("files/valid/red_cross_4bit.ico")));
  {
    frmExtract w({doc, {}, {}}, env);
    w.show();
    ASSERT_TRUE(w.Browser().SetFolder(dir.path()));
    ClickFile(w.Browser(), "a.ico");
    EXPECT_EQ(w.Grid().iconCount, 1);
    w.ButtonPlus1()->click();
    std::remove(dir.file("a.ico").c_str());
    w.cmdExtract()->click();
    // Refused and said; the window stays for Cancel.
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_NE(seam.messages[0].indexOf("No such file or directory"), -1);
    EXPECT_EQ(doc.surface.GetPixel(0, 0), kBlack);
  }
  frmExtract w({doc, {}, {}}, env);
  w.show();
  w.cmdCancel()->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kBlack);
}

// Files that offer no icon to take, and "&Extraire"
// names the file and the reason (the tool's words) in the window's language,
// leaving the document, its name and its modified flag alone.
TEST(frmExtract, DamagedOrIconlessProgramsAreRefusedWithTheReason) {
  Seam seam;
  test::TestEnvironment env(&seam);
  ASSERT_TRUE(
      StoreLanguageChoice(env.Settings(), std::string(GS_APP_DATA_DIR) + "/Lang/English.lng"));
  test::TempDir dir;
  test::WriteRefusedFiles(dir);
  struct Row {
    const char* file;
    const char* reason;
    bool crossed;
  } rows[] = {
      {"dos.exe", "holds no icons (a DOS program without Windows headers)", false},
      {"broken.ico", "icon 0: no readable image in the icon group", true},
  };
  for (const Row& r : rows) {
    IconDocument doc;
    doc.surface.FillRect({0, 0, 32, 32}, kBlack);
    doc.fileName = "/kept/name.ico";
    doc.modified = false;
    int backups = 0, repaints = 0;
    seam.messages.clear();
    frmExtract w({doc, [&] { ++backups; }, [&] { ++repaints; }}, env);
    w.show();
    ASSERT_TRUE(w.Browser().SetFolder(dir.path()));
    ClickFile(w.Browser(), QString::fromUtf8(r.file));
    // A file without icons offers nothing; a damaged icon is crossed out in its cell.
    EXPECT_EQ(w.Grid().noIcons, !r.crossed) << r.file;
    EXPECT_EQ(w.Grid().iconCount, r.crossed ? 1 : 0) << r.file;
    EXPECT_EQ(w.Grid().Damaged(0), r.crossed) << r.file;
    w.ButtonPlus1()->click();
    w.cmdExtract()->click();
    ASSERT_EQ(seam.messages.size(), 1u) << r.file;
    EXPECT_EQ(seam.messages[0].toStdString(),
              "Cannot extract an icon from the file\n" + dir.file(r.file) + "\n\n" + r.reason);
    EXPECT_EQ(seam.icons.back(), QMessageBox::Critical);
    EXPECT_EQ(doc.surface.GetPixel(5, 5), kBlack) << r.file;
    EXPECT_EQ(doc.fileName, "/kept/name.ico");
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(backups, 0);
    EXPECT_EQ(repaints, 0);
    EXPECT_TRUE(w.isVisible());
  }
}

// Counts the icons drawn, through the window's own provider.
class CountingIcons : public ResourceIconProvider {
 public:
  int drawn = 0;
  bool Icon(const std::string& path, int k, IconPicture& out, std::string& reason) override {
    ++drawn;
    return ResourceIconProvider::Icon(path, k, out, reason);
  }
};

// A program of 5,000 icon groups opens at once: the limit is said once, the
// first 4,096 are offered, and icons are drawn only as their rows come into
// view. Its damaged icon is crossed out, and taking it is refused with the
// reason, the document untouched.
TEST(frmExtract, ManyGroupsAreDrawnAsTheyComeIntoView) {
  Seam seam;
  test::TestEnvironment env(&seam);
  test::TempDir dir;
  test::WriteAll(dir.file("many.exe"), test::ManyGroupsProgram(5000, 1));
  auto counting = std::make_unique<CountingIcons>();
  CountingIcons& icons = *counting;
  IconDocument doc;
  doc.surface.FillRect({0, 0, 32, 32}, kBlack);
  int backups = 0;
  frmExtract w({doc, [&] { ++backups; }, {}}, env, nullptr, std::move(counting));
  w.show();
  ASSERT_TRUE(w.Browser().SetFolder(dir.path()));
  ClickFile(w.Browser(), "many.exe");
  EXPECT_EQ(w.Grid().iconCount, kMaxIconGroups);
  EXPECT_EQ(icons.drawn, 21);  // the five rows in view and two more
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_EQ(seam.messages[0].toStdString(),
            "Ce fichier contient plus de 4096 icônes : seules les 4096 premières sont "
            "proposées.");
  EXPECT_EQ(seam.icons[0], QMessageBox::Information);
  ClickFile(w.Browser(), "many.exe");  // not said again
  EXPECT_EQ(seam.messages.size(), 1u);
  w.ButtonPlus1()->click();

  // Far down: the rows reached are drawn, and painted where the view shows them.
  icons.drawn = 0;
  w.scrPreview()->setValue(1000);
  EXPECT_EQ(icons.drawn, 27);
  const QImage painted = w.picIcons()->grab(QRect(0, 32 * 1000, 96, 32)).toImage();
  EXPECT_EQ(painted.pixel(40, 5), qRgb(255, 0, 0));
  w.scrPreview()->setValue(0);
  const QImage top = w.picIcons()->grab(QRect(0, 0, 96, 32)).toImage();
  EXPECT_EQ(top.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(top.pixel(32 + 10, 10), qRgb(128, 128, 128));  // the cross
  EXPECT_TRUE(w.Grid().Damaged(1));

  QTest::mouseClick(w.picIcons(), Qt::LeftButton, {}, QPoint(40, 5));
  EXPECT_EQ(w.Grid().selected, 1);
  seam.messages.clear();
  w.cmdExtract()->click();
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_TRUE(seam.messages[0].startsWith(QString::fromStdString(
      std::string(kExtractFailed) + "\n" + dir.file("many.exe") + "\n\nicon 1: ")))
      << seam.messages[0].toStdString();
  EXPECT_EQ(doc.surface.GetPixel(5, 5), kBlack);
  EXPECT_EQ(backups, 0);
  EXPECT_TRUE(w.isVisible());

  QTest::mouseClick(w.picIcons(), Qt::LeftButton, {}, QPoint(5, 5));
  w.cmdExtract()->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(doc.surface.GetPixel(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(backups, 1);
}

TEST(frmMain, SpecialMenuOpensExtractionAfterTheQuestionAndTheBuilderWithout) {
  Seam seam;
  test::TestEnvironment env(&seam);
  frmMain main(env);
  main.Start(QString());
  main.Document().modified = true;
  seam.buttons = {QMessageBox::Cancel};
  main.MenuAction("mnuspecial", 5)->trigger();
  EXPECT_EQ(seam.messages.size(), 1u);  // the question, then nothing
  EXPECT_TRUE(seam.modalTitles.empty());
  seam.buttons = {QMessageBox::No};
  main.MenuAction("mnuspecial", 5)->trigger();
  ASSERT_EQ(seam.modalTitles.size(), 1u);
  EXPECT_EQ(seam.modalTitles[0].toStdString(),
            "Varnel Glyphsmith 2.3 - extraire icons depuis un fichiers");

  // Through the menu to the document: the fifth icon of the many-groups program.
  seam.buttons = {QMessageBox::No};
  seam.onModal = [](QDialog& d) {
    auto* w = qobject_cast<frmExtract*>(&d);
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->Browser().SetFolder(Programs()));
    ClickFile(w->Browser(), "groups64.exe");
    w->ButtonPlus1()->click();
    QTest::mouseClick(w->picIcons(), Qt::LeftButton, {}, QPoint(40, 40));
    w->cmdExtract()->click();
  };
  main.MenuAction("mnuspecial", 5)->trigger();
  seam.onModal = nullptr;
  ResourceIconProvider icons;
  IconPicture want;
  std::string why;
  ASSERT_TRUE(icons.Icon(Programs() + "/groups64.exe", 4, want, why));
  EXPECT_EQ(main.Document().surface.Pixels(), want.overWhite.Pixels());
  main.show();
  Shot(main, "frmMain_after_extract");
  // The extraction can be taken back.
  QAction* undo = main.MenuAction("mnuEdit", 0);
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(main.Document().surface.Pixels(), IconDocument().surface.Pixels());

  seam.messages.clear();
  main.MenuAction("mnuspecial", 8)->trigger();
  EXPECT_TRUE(seam.messages.empty());
  ASSERT_EQ(seam.modalTitles.size(), 3u);
  EXPECT_EQ(seam.modalTitles[2], QString::fromUtf8(kAniTitle));
}

// ---------------------------------------------------------------------------

TEST(frmAni, FrameListAndMessages) {
  Seam seam;
  test::TestEnvironment env(&seam);
  frmAni w(QSize(36, 36), env);
  w.show();
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Création des curseurs animés"));
  EXPECT_EQ(w.txtInterval()->text(), "10");
  EXPECT_EQ(w.picPrev()->size(), QSize(36, 36));

  // Nothing selected: a message, nothing added.
  w.cmdAdd()->click();
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_EQ(seam.messages[0], QString::fromUtf8("Vous devez selectionner le fichier a ajouté !"));
  EXPECT_EQ(seam.icons[0], QMessageBox::Warning);

  test::TempDir dir;
  const auto cursor = test::ReadAll(test::DataPath("files/valid/stripes_1bit.cur"));
  test::WriteAll(dir.file("a.cur"), cursor);
  test::WriteAll(dir.file("b.ico"), cursor);
  ASSERT_TRUE(w.Browser().SetFolder(dir.path()));
  EXPECT_EQ(w.Browser().fleFile()->count(), 1);  // "*.cur" only
  ClickFile(w.Browser(), "a.cur");
  w.cmdAdd()->click();
  w.cmdAdd()->click();
  // A double-click in the file list adds too.
  const auto item = w.Browser().fleFile()->findItems("a.cur", Qt::MatchExactly).front();
  QTest::mouseDClick(w.Browser().fleFile()->viewport(), Qt::LeftButton, {},
                     w.Browser().fleFile()->visualItemRect(item).center());
  ASSERT_EQ(w.lstFiles()->count(), 3);
  EXPECT_EQ(w.lstFiles()->item(0)->text().toStdString(), dir.file("a.cur"));
  Shot(w, "frmAni");

  // "<-" with nothing selected changes nothing; with a selection removes it.
  w.lstFiles()->clearSelection();
  w.lstFiles()->setCurrentRow(-1);
  w.cmdDelete()->click();
  EXPECT_EQ(w.lstFiles()->count(), 3);
  w.lstFiles()->setCurrentRow(2);
  w.cmdDelete()->click();
  EXPECT_EQ(w.lstFiles()->count(), 2);

  struct Row {
    const char* interval;
    const char* message;
  } rows[] = {{"0", "Intervale invalide"}, {"abc", "Intervale invalide"}};
  for (const Row& r : rows) {
    seam.messages.clear();
    w.txtInterval()->setText(r.interval);
    w.cmdCreate()->click();
    ASSERT_EQ(seam.messages.size(), 1u) << r.interval;
    EXPECT_EQ(seam.messages[0], QString::fromUtf8(r.message));
    EXPECT_EQ(seam.icons.back(), QMessageBox::Critical);
  }

  // Built: the two frames at rate 25, exactly as the writer lays them out.
  seam.messages.clear();
  w.txtInterval()->setText("250");
  seam.saveAnswers = {QString::fromStdString(dir.file("out.ani"))};
  w.cmdCreate()->click();
  EXPECT_TRUE(seam.messages.empty());
  EXPECT_EQ(seam.lastSave.title, "Save Animated Cursor");
  EXPECT_EQ(seam.lastSave.defaultExtension, "ani");
  const std::vector<std::vector<std::uint8_t>> frames = {cursor, cursor};
  EXPECT_EQ(test::ReadAll(dir.file("out.ani")), BuildAnimatedCursorBytes(frames, 25));
  EXPECT_TRUE(w.isVisible());

  // A frame that vanished: the system's reason, the old target untouched.
  std::remove(dir.file("a.cur").c_str());
  seam.saveAnswers = {QString::fromStdString(dir.file("out.ani"))};
  w.cmdCreate()->click();
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_NE(seam.messages[0].indexOf("No such file or directory"), -1)
      << seam.messages[0].toStdString();
  EXPECT_EQ(test::ReadAll(dir.file("out.ani")), BuildAnimatedCursorBytes(frames, 25));

  w.lstFiles()->clear();
  seam.messages.clear();
  w.cmdCreate()->click();
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_EQ(seam.messages[0], QString::fromUtf8("SVP, selectionnez quelques fichiers !"));
  EXPECT_EQ(seam.icons.back(), QMessageBox::Warning);
}

}  // namespace
}  // namespace gs
