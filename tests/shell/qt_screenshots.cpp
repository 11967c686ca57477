// Pictures of the windows for a person to look at; not run by ctest.
//   GS_SHOTS_DIR=/tmp/shots xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb
//     build/bin/qttest_shell --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
// (GS_SHOTS_LANG=English.lng for the English windows.) The handbook's
// pictures, doc/handbook/*.png, are the handbook_*.png of an English run
// (scripts/handbook_pictures.sh takes them and puts them in place).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>
#include <chrono>
#include <filesystem>
#include <initializer_list>

#include "files/frmAni.h"
#include "files/frmSave.h"
#include "import/frmExtract.h"
#include "import/frmImport.h"
#include "lang/language_files.h"
#include "platform/program_folder.h"
#include "platform/qt_dialog_seam.h"
#include "shell/FrmSplash.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Colors.h"
#include "shell/frmMain_Menus.h"
#include "shell/frmPrint.h"
#include "shell/menu_tree.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"
#include "tools/frmPalette.h"
#include "widgets/qt_progress_bar.h"

namespace gs {
namespace {

QString ShotsDir() { return qEnvironmentVariable("GS_SHOTS_DIR"); }

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QTest::qWait(30);
  }
}

void Screen(const QString& name) {
  Settle();
  QApplication::primaryScreen()->grabWindow(0).save(ShotsDir() + "/" + name + ".png");
}

// The handbook's pictures are small: most compressed.
void SaveHandbookPicture(const QPixmap& picture, const QString& name) {
  picture.save(ShotsDir() + "/handbook_" + name + ".png", "PNG", 0);
}

// A window as the handbook shows it.
void HandbookShot(QWidget& window, const QString& name) {
  window.move(0, 0);
  window.show();
  Settle();
  SaveHandbookPicture(window.grab(), name);
  window.hide();
}

// The part of the screen that shows `widgets`.
void HandbookScreenShot(std::initializer_list<const QWidget*> widgets, const QString& name) {
  Settle();
  QRect area;
  for (const QWidget* w : widgets)
    if (w && w->isVisible())
      area = area.united(w->isWindow() ? w->frameGeometry()
                                       : QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
  SaveHandbookPicture(
      QApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()),
      name);
}

void CloseMenus(frmMain& w) {
  for (QMenu* open : w.findChildren<QMenu*>()) open->hide();
  w.menuBar()->setActiveAction(nullptr);
  Settle();
}

// A menu of the bar opened over the window, with one of its submenus open
// when `sub` is given.
void HandbookMenuShot(frmMain& w, const char* menu, const char* sub, const QString& name) {
  QMenu* m = w.Menu(menu);
  w.menuBar()->setActiveAction(m->menuAction());
  Settle();
  QMenu* s = sub ? w.Menu(sub) : nullptr;
  if (s) {
    m->setActiveAction(s->menuAction());
    Settle();
    if (!s->isVisible()) s->popup(m->actionGeometry(s->menuAction()).topRight() + m->pos());
  }
  HandbookScreenShot({&w, m, s}, name);
  CloseMenus(w);
}

// The editor's real dialogs and message boxes, each photographed as soon as
// it shows and then closed, as if cancelled.
class PhotographedDialogs : public DialogSeam {
 public:
  QString next;  // the picture's name for the next dialog
  QString OpenFileName(QWidget* owner, const FileDialogRequest& request,
                       const QString& startFolder) override {
    Photograph();
    return RealDialogs().OpenFileName(owner, request, startFolder);
  }
  QString SaveFileName(QWidget* owner, const FileDialogRequest& request) override {
    Photograph();
    return RealDialogs().SaveFileName(owner, request);
  }
  QMessageBox::StandardButton Message(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton defaultButton) override {
    Photograph();
    return RealDialogs().Message(owner, icon, title, text, buttons, defaultButton);
  }
  void RunModal(QDialog* dialog) override {
    Photograph();
    RealDialogs().RunModal(dialog);
  }

 private:
  void Photograph() {
    const QString name = next;
    next.clear();
    QTimer::singleShot(0, [name] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      dialog->move(0, 0);
      Settle();
      if (!name.isEmpty()) SaveHandbookPicture(dialog->grab(), name);
      dialog->reject();
    });
  }
};

// A program folder as installed: the language files and the samples.
std::string MakeProgramFolder() {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(ShotsDir().toStdString()) / "glyphsmith";
  fs::create_directories(folder);
  fs::copy(GS_APP_DATA_DIR, folder,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  // One date for every file, so that the open window looks the same in every run.
  using namespace std::chrono;
  const sys_time<seconds> day = sys_days{2026y / January / 15} + 10h;
  const auto date = file_clock::from_sys(day);
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
    fs::last_write_time(e.path(), date);
  return folder.string();
}

// The handbook's pictures: the editor with a sample open, its menus and
// dialogs, and the import, extraction, save, print and animated-cursor
// windows.
void HandbookShots(test::TestEnvironment& env) {
  env.programFolder = MakeProgramFolder();
  const std::string icons = JoinPath(env.programFolder, "icon");
  const std::string cursors = JoinPath(env.programFolder, "curseur");
  const std::string sample = JoinPath(icons, "smiley.ico");
  frmMain w(env);
  w.Start(sample);
  HandbookShot(w, "editor");

  w.move(0, 0);
  w.show();
  Settle();
  HandbookMenuShot(w, "mnuEffectsPop", nullptr, "effects");

  // Opening: the real open dialog, reached as Help > Samples > Icons reaches it.
  PhotographedDialogs photographed;
  env.dialogs = &photographed;
  photographed.next = "open";
  w.MenuAction("exico")->trigger();
  env.dialogs = &env.fake;
  Settle();
  HandbookMenuShot(w, "mnuHelpPop", "ex", "samples");

  // Four files opened in turn: the newest heads the File menu's list.
  for (const char* name :
       {"curseur/viseur.cur", "icon/maison.ico", "icon/dossier.ico", "icon/smiley.ico"})
    w.OpenIconFile(JoinPath(env.programFolder, name));
  HandbookMenuShot(w, "mnuFilePop", nullptr, "recent");

  // Colours: red on the left button, blue on the right, the spectrum open.
  ColorBoxReleased(w, 0, Qt::LeftButton);
  ColorBoxReleased(w, 6, Qt::RightButton);
  ShowSpectrum(w);
  Settle();
  HandbookScreenShot({w.picColors(), w.Colors().palette.data()}, "colours");
  if (w.Colors().palette) w.Colors().palette->close();
  Settle();

  HandbookMenuShot(w, "Affi", "mnuLng", "language");
  HandbookMenuShot(w, "Affi", "ToolBar", "looks");
  // The two menu looks side by side, then the six toolbar styles one above another.
  {
    QPixmap looks[2];
    for (int look = 0; look < 2; ++look) {
      look == 0 ? mnuxp_Click(w) : mnu2003_Click(w);
      QMenu* m = w.Menu("mnuEditPop");
      w.menuBar()->setActiveAction(m->menuAction());
      Settle();
      const QRect area = QRect(w.pos(), QSize(w.width(), 0)).united(m->geometry());
      looks[look] = QApplication::primaryScreen()->grabWindow(
          0, area.x(), area.y(), m->geometry().right() - area.x() + 1, area.height());
      CloseMenus(w);
    }
    mnu2003_Click(w);
    QPixmap both(looks[0].width() + looks[1].width() + 8,
                 std::max(looks[0].height(), looks[1].height()));
    both.fill(Qt::white);
    QPainter p(&both);
    p.drawPixmap(0, 0, looks[0]);
    p.drawPixmap(looks[0].width() + 8, 0, looks[1]);
    p.end();
    SaveHandbookPicture(both, "menulooks");

    const int barHeight = w.Toolbar1()->height();
    QPixmap bars(w.Toolbar1()->width(), kToolbarThemeCount * (barHeight + 4));
    bars.fill(Qt::white);
    QPainter q(&bars);
    for (int theme = 0; theme < kToolbarThemeCount; ++theme) {
      MnuTb_Click(w, theme);
      Settle();
      q.drawPixmap(0, theme * (barHeight + 4), w.Toolbar1()->grab());
    }
    q.end();
    MnuTb_Click(w, kInitialToolbarTheme);
    SaveHandbookPicture(bars, "themes");
  }

  // Settings: the grid, remembered between runs.
  w.SetGrid(true);
  w.RePaint();
  HandbookMenuShot(w, "Affi", nullptr, "settings");
  w.SetGrid(false);
  w.hide();
  Settle();

  QImage picture(400, 300, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.fillRect(picture.rect(), QColor(120, 180, 240));
  painter.setBrush(QColor(250, 210, 40));
  painter.drawEllipse(QPoint(112, 104), 60, 60);
  painter.fillRect(QRect(0, 220, 400, 80), QColor(60, 150, 60));
  painter.end();
  const QString picturePath = ShotsDir() + "/picture.png";
  picture.save(picturePath);
  frmImport import({w.Document(), [] {}, [] {}}, QSize(36, 36), env);
  import.LoadPicture(picturePath);
  // The region around the sun, typed into X1, Y1, X2 and Y2.
  const QList<QLineEdit*> fields = import.findChildren<QLineEdit*>();
  const char* corners[] = {"40", "32", "184", "176"};
  for (int i = 0; i < 4 && i < fields.size(); ++i) fields[i]->setText(corners[i]);
  HandbookShot(import, "import");

  // A program with several icons, from the extraction tests' files.
  frmExtract extract({w.Document(), [] {}, [] {}}, env);
  extract.move(0, 0);
  extract.show();
  extract.Browser().SetFolder(test::DataPath("import/programs"));
  const auto found = extract.Browser().fleFile()->findItems("groups64.exe", Qt::MatchExactly);
  if (!found.isEmpty()) {
    extract.Browser().fleFile()->setCurrentItem(found.front());
    QTest::mouseClick(extract.Browser().fleFile()->viewport(), Qt::LeftButton, {},
                      extract.Browser().fleFile()->visualItemRect(found.front()).center());
  }
  extract.NextPage();
  HandbookShot(extract, "extract");

  // Saving at 8 bits: the palette method can be chosen.
  frmSave save(w.Document(), QSize(36, 36), env);
  save.Prepare(kSaveIconTitle, false);
  save.cmbSaveAs()->setCurrentIndex(2);
  HandbookShot(save, "save");
  save.Prepare(kSaveCursorTitle, true);
  save.txtHotX()->setText("15");
  save.txtHotY()->setText("15");
  HandbookShot(save, "save_cursor");

  // The three sample cursors in the frame list.
  frmAni ani(QSize(36, 36), env);
  ani.move(0, 0);
  ani.show();
  ani.Browser().SetFolder(cursors);
  for (const char* name : {"fleche.cur", "sablier.cur", "viseur.cur"}) {
    const auto items = ani.Browser().fleFile()->findItems(name, Qt::MatchExactly);
    if (items.isEmpty()) continue;
    ani.Browser().fleFile()->setCurrentItem(items.front());
    ani.AddFrame();
  }
  ani.txtInterval()->setText("150");
  HandbookShot(ani, "ani");

  frmPrint print(w.Document(), env);
  HandbookShot(print, "print");
}

TEST(DISABLED_Screenshots, LooksThemesAndWindows) {
  ASSERT_FALSE(ShotsDir().isEmpty());
  test::TestEnvironment env;
  // GS_SHOTS_LANG=English.lng takes the pictures in that language.
  if (const QString lang = qEnvironmentVariable("GS_SHOTS_LANG"); !lang.isEmpty())
    StoreLanguageChoice(env.Settings(),
                        std::string(GS_APP_DATA_DIR) + "/Lang/" + lang.toStdString());
  HandbookShots(env);
  frmMain w(env);
  w.Start(QString());
  w.move(0, 0);
  w.show();
  for (int look = 0; look < 2; ++look) {
    look == 0 ? mnuxp_Click(w) : mnu2003_Click(w);
    for (const char* menu : {"mnuFilePop", "mnuEditPop", "mnuTools", "Affi"}) {
      QMenu* m = w.Menu(menu);
      w.menuBar()->setActiveAction(m->menuAction());
      if (QString(menu) == "Affi") {
        QMenu* zoom = w.Menu("zoom");
        m->setActiveAction(zoom->menuAction());
        Settle();
        zoom->popup(m->geometry().topRight() + QPoint(0, 60));
      }
      Screen(QString("menu%1_%2").arg(look).arg(menu));
      QApplication::sendEvent(m, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
      for (QMenu* open : w.findChildren<QMenu*>()) open->hide();
      Settle();
    }
  }
  // The canvas at the smallest window, then zoomed past its room.
  const QSize start = w.size();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      w.Document().surface.SetPixelV(x, y, (x + y) % 2 ? RGB(x * 8, y * 8, 160) : kWhite);
  w.resize(w.minimumSize());
  w.RePaint();
  Settle();
  w.grab().save(ShotsDir() + "/canvas_small.png");
  w.resize(487 + w.width() - w.client()->width(), 407 + w.height() - w.client()->height());
  for (int i = 0; i < 3; ++i) w.ZoomIn();
  Settle();
  w.grab().save(ShotsDir() + "/canvas_zoomed.png");
  w.picIconView()->verticalScrollBar()->setValue(w.picIconView()->verticalScrollBar()->maximum());
  Settle();
  w.grab().save(ShotsDir() + "/canvas_zoomed_bottom.png");
  for (int i = 0; i < 4; ++i) w.ZoomIn();
  Settle();
  w.grab().save(ShotsDir() + "/canvas_zoomed_both.png");
  for (Color& c : w.Document().surface.Pixels()) c = kWhite;
  w.resize(start);
  for (int theme = 0; theme < 6; ++theme) {
    MnuTb_Click(w, theme);
    Settle();
    w.grab().save(ShotsDir() + QString("/theme%1.png").arg(theme));
  }
  w.hide();

  FrmSplash splash(env);
  splash.move(0, 0);
  splash.show();
  splash.bar()->setValue(48);
  Screen("splash");
  splash.hide();

  frmAbout about(env);
  about.move(0, 0);
  about.show();
  Screen("about");
  about.hide();

  w.Document().surface.SetPixelV(10, 10, RGB(255, 0, 0));
  for (int x = 4; x < 28; ++x) w.Document().surface.SetPixelV(x, 20, RGB(0, 0, 200));
  frmPrint print(w.Document(), env);
  print.move(0, 0);
  print.show();
  Screen("print");
  print.hide();

  {
    // The tool pictures on a dark desktop palette.
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    frmMain darkMain(env);
    darkMain.Start(QString());
    MnuTb_Click(darkMain, 5);
    darkMain.show();
    Settle();
    darkMain.grab().save(ShotsDir() + "/dark_palette.png");
    darkMain.hide();
    QApplication::setPalette(saved);
  }

  QWidget bars;
  bars.resize(240, 10 * 22 + 8);
  for (int s = 0; s < 10; ++s) {
    auto* bar = new XP_ProgressBar(&bars);
    bar->setGeometry(4, 4 + 22 * s, 232, 18);
    bar->setColor(QColor(51, 94, 168));
    bar->setScrolling(s);
    bar->setShowText(s != 3);
    bar->setValue(40 + 5 * s);
  }
  bars.grab().save(ShotsDir() + "/bars.png");
}

}  // namespace
}  // namespace gs
