#include "shell/frmMain_Menus.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "document/qt_canvas.h"
#include "lang/language_files.h"
#include "lang/qt_translation.h"
#include "platform/program_folder.h"
#include "platform/qt_dialog_seam.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Toolbar.h"
#include "shell/frmPrint.h"
#include "shell/help_text.h"
#include "shell/menu_tree.h"
#include "shell/product.h"
#include "shell/qt_appearance.h"
#include "shell/qt_command_art.h"
#include "shell/qt_web.h"
#include "tools/qt_tool_art.h"

namespace gs {

namespace {

constexpr char kMenuLookProperty[] = "gsMenuLook";

constexpr char kDecoratedLookProperty[] = "gsDecoratedLook";

QPixmap PictureFor(const QAction* a) {
  const QVariant index = a->property(kControlIndexProperty);
  const std::string key =
      MenuPictureKey(a->objectName().toStdString(), index.isValid() ? index.toInt() : kNoIndex);
  for (const MenuPicture& p : MenuPictures())
    if (key == p.key)
      return p.art ? CommandPicture(*p.art, 16) : p.tool ? ToolMenuPicture(*p.tool) : QPixmap();
  return QPixmap();
}

// A menu gets its look and its entries' pictures when it is about to show:
// nothing of it is on screen before, and the first paint need not wait.
void DecorateMenu(frmMain& w, QMenu* m) {
  const int look = MenuLook(w);
  const QVariant done = m->property(kDecoratedLookProperty);
  if (done.isValid() && done.toInt() == look) return;
  if (!done.isValid()) {
    for (QAction* a : m->actions()) {
      if (a->menu() || a->isSeparator() || !a->icon().isNull()) continue;
      if (const QPixmap pm = PictureFor(a); !pm.isNull()) {
        a->setIcon(QIcon(pm));
        a->setIconVisibleInMenu(true);
      }
    }
  }
  m->setStyleSheet(MenuStyleSheet(look));
  m->setProperty(kDecoratedLookProperty, look);
}

void ApplyMenuLook(frmMain& w, int look) {
  w.setProperty(kMenuLookProperty, look);
  // The main window gave the bar the first look before its entries.
  if (const QString sheet = MenuBarStyleSheet(look); w.menuBar()->styleSheet() != sheet)
    w.menuBar()->setStyleSheet(sheet);
  for (QMenu* m : w.findChildren<QMenu*>())
    if (m->property(kDecoratedLookProperty).isValid()) DecorateMenu(w, m);
  if (QAction* a = w.MenuAction("mnuxp")) a->setChecked(look == 0);
  if (QAction* a = w.MenuAction("mnu2003")) a->setChecked(look == 1);
}

void ApplyToolbarTheme(frmMain& w, int theme) {
  // The main window gave the strip the first theme before its buttons.
  if (const QString sheet = ToolbarStyleSheet(theme, QApplication::palette());
      w.Toolbar1()->styleSheet() != sheet)
    w.Toolbar1()->setStyleSheet(sheet);
  // The pictures are drawn for light toolbars; on the desktop's dark one
  // their lines turn light.
  const QColor background = ToolbarBackground(theme, QApplication::palette());
  for (const ToolbarSlot& slot : ToolbarSlots())
    if (auto* button = qobject_cast<QToolButton*>(ToolbarSlotWidget(w, slot.number));
        button && slot.art)
      button->setIcon(
          QIcon(ReadableOn(CommandPicture(*slot.art, kToolbarPictureSide), background)));
  for (int i = 0; i < kToolbarThemeCount; ++i)
    if (QAction* a = w.MenuAction("MnuTb", i)) a->setChecked(i == theme);
}

void On(frmMain& w, QAction* action, std::function<void()> handler) {
  if (action) QObject::connect(action, &QAction::triggered, &w, std::move(handler));
}

// The colour bar and the status line cover a canvas larger than its room.
void KeepBarsAboveTheCanvas(frmMain& w) {
  for (QWidget* bar : {w.picColors(), w.picStatus()}) {
    bar->setAutoFillBackground(true);
    bar->raise();
  }
}

}  // namespace

void SetupShellMenus(frmMain& w) {
  for (QMenu* m : w.findChildren<QMenu*>())
    QObject::connect(m, &QMenu::aboutToShow, &w, [&w, m] { DecorateMenu(w, m); });

  On(w, w.MenuAction("mnuxp"), [&w] { mnuxp_Click(w); });
  On(w, w.MenuAction("mnu2003"), [&w] { mnu2003_Click(w); });
  for (int i = 0; i < kToolbarThemeCount; ++i)
    On(w, w.MenuAction("MnuTb", i), [&w, i] { MnuTb_Click(w, i); });
  On(w, w.MenuAction("hlp"), [&w] { hlp_Click(w); });
  On(w, w.MenuAction("mnuHandbook"), [&w] { OpenHandbook(&w, w.Env()); });
  for (int i : {0, 1}) On(w, w.MenuAction("mnuHelp", i), [&w, i] { mnuHelp_Click(w, i); });
  On(w, w.MenuAction("mnuFile", 10), [&w] { mnuFilePrint_Click(w); });

  ApplyMenuLook(w, kInitialMenuLook);
  ApplyToolbarTheme(w, kInitialToolbarTheme);
  KeepBarsAboveTheCanvas(w);
}

int MenuLook(const frmMain& w) { return w.property(kMenuLookProperty).toInt(); }

void mnuxp_Click(frmMain& w) { ApplyMenuLook(w, 0); }
void mnu2003_Click(frmMain& w) { ApplyMenuLook(w, 1); }

void MnuTb_Click(frmMain& w, int theme) {
  if (theme < 0 || theme >= kToolbarThemeCount) return;
  ApplyToolbarTheme(w, theme);
}

void hlp_Click(frmMain& w) {
  const std::vector<std::string> lines =
      // Like a window's load, the box reads the language choice afresh.
      LoadHelpLines(ExportedFrenchFile(w.Env().userDataFolder),
                    w.Env().Settings().Get(kSettingsAppName, "FILES", "LNG", w.Env().languageFile));
  // Our lines end in carriage returns; Qt breaks lines at line feeds.
  const QString text = QString::fromStdString(HelpText(lines)).replace('\r', '\n');
  w.Env().Dialogs().Message(&w, QMessageBox::Question,
                            WindowMessage(&w, "msgHelpTitle", kHelpTitle), text, QMessageBox::Ok,
                            QMessageBox::Ok);
}

void mnuHelp_Click(frmMain& w, int index) {
  if (index == 0) {
    OpenProductPage(&w, w.Env());
  } else if (index == 1) {
    frmAbout about(w.Env(), &w);
    w.Env().Dialogs().RunModal(&about);
  }
}

void mnuFilePrint_Click(frmMain& w) {
  frmPrint print(w.Document(), w.Env(), &w);
  w.Env().Dialogs().RunModal(&print);
}

}  // namespace gs
