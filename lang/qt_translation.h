#pragma once
// Translation of our Qt windows. Every window calls LoadWindowLanguage once
// when it loads (after building its controls), with the environment it was
// given (platform/environment.h):
//
//   frmPrint::frmPrint(Environment& env, ...) : env_(env) {
//     ...build controls...;
//     LoadWindowLanguage(this, env);
//   }
//
// How a window describes itself (the convention every window follows):
//   - The window's objectName is its section name ("frmMain", "frmPrint").
//   - A widget or QAction whose objectName is set is a control of that name;
//     objects without a name, and Qt's own "qt_..." objects, are not.
//   - A member of an indexed group carries its index in the dynamic property
//     "gsIndex" (int): SetControlIndex(action, 9) or
//     setProperty(kControlIndexProperty, 9). A submenu that is a group member
//     carries it on its menuAction(), with the group's name on both the QMenu
//     and its menuAction().
//   - Captions: QAction and submenu text, QAbstractButton text, QLabel text
//     (a QLabel showing a picture has none), QGroupBox title, the tab text of
//     a QTabWidget page, or a "caption" Q_PROPERTY of a custom widget. Other
//     widgets (fields, lists, picture boxes) have no caption.
//   - Tooltips: any named widget's toolTip; a QAction's toolTip only when set
//     explicitly (Qt's automatic one, made from the text, does not count).
//   - Controls are taken in layout order: the object tree, with menus in the
//     order of their entries. Child windows (dialogs) are not part of it.
#include <QString>

#include "lang/translation.h"
#include "platform/environment.h"

class QMenu;
class QObject;
class QWidget;

namespace gs {

inline constexpr char kControlIndexProperty[] = "gsIndex";

void SetControlIndex(QObject* control, int index);

// Qt counterparts of the core routines, on a live window.
bool ExportWindowTexts(QWidget* window, const std::string& file);
void TranslateWindow(QWidget* window, const std::string& file);

// The calling order at every window's load: export the built-in texts to
// <env.programFolder>/Lang/Francais.lng (with `exportMessages`, the splash
// window, also the "MSG" list), read the language choice from env's settings
// into env.languageFile, translate the window with it. No events run meanwhile.
void LoadWindowLanguage(QWidget* window, Environment& env, bool exportMessages = false);

// A message box text of `window` (LoadMessageText in the window's section)
// for the language in use; call it after LoadWindowLanguage, at load, so that
// the French file holds the text before it is ever shown.
QString LoadWindowMessage(const QWidget* window, const Environment& env, const char* key,
                          const char* builtIn);

// Fills the `MNlangueChoice` entries of the language submenu `mnuLng` with the
// names of the language files (entry 0 stays "#" when there is none). An
// entry chosen by the user makes its file env.languageFile, stores it as the
// language choice, translates `mainWindow` with it and rebuilds the menu.
// Entries are created as needed (named, indexed, connected) and never
// removed. `env` must outlive the menu.
void RebuildLanguageMenu(QWidget* mainWindow, QMenu* mnuLng, Environment& env);
// What choosing entry `index` does.
void ChooseLanguage(QWidget* mainWindow, QMenu* mnuLng, int index, Environment& env);

}  // namespace gs
