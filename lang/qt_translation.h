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
//   - A text the window shows outside its controls (a message, a question,
//     a dialog title) is a child object named "msg<Name>" made by
//     AddWindowMessages; its key is the name alone.
//   - A control showing what the window measures as it opens (About's memory
//     figures) is marked live (MarkLiveControl): it has no text of its own,
//     so it is neither exported nor translated.
//   - Controls are taken in layout order: the object tree, with menus in the
//     order of their entries. Child windows (dialogs) are not part of it.
#include <QString>
#include <initializer_list>

#include "lang/translation.h"
#include "platform/environment.h"

class QMenu;
class QObject;
class QWidget;

namespace gs {

inline constexpr char kControlIndexProperty[] = "gsIndex";

void SetControlIndex(QObject* control, int index);
void MarkLiveControl(QObject* control);

// Qt counterparts of the core routines, on a live window.
bool ExportWindowTexts(QWidget* window, const std::string& file);
void TranslateWindow(QWidget* window, const std::string& file);

// The calling order at every window's load: export the built-in texts to
// <env.userDataFolder>/Lang/Francais.lng (with `exportMessages`, the splash
// window, also the "MSG" list; a failed export is told once per run and
// nothing is written elsewhere), read the language choice from env's settings
// into env.languageFile (on the first start, the locale's language, stored),
// translate the window with it. The program folder is only read.
// With TemplateExport::AfterFirstFrame, a French file already there is
// brought up to date once the window's first frame is painted
// (platform/qt_first_frame.h): nothing read before that frame depends on its
// contents. A missing one is written at once, as the language choice and
// menu look for it.
enum class TemplateExport { Now, AfterFirstFrame };
void LoadWindowLanguage(QWidget* window, Environment& env, bool exportMessages = false,
                        TemplateExport when = TemplateExport::Now);

// Texts a window shows outside its controls: message boxes, questions, dialog
// titles. Each is kept on the window under its key ("msg<Name>"), exported
// with the controls' texts and translated with them (so a language switch
// reaches them too). Add them before LoadWindowLanguage.
struct WindowMessageText {
  const char* key;
  const char* builtIn;  // UTF-8
};
void AddWindowMessages(QWidget* window, std::initializer_list<WindowMessageText> messages);
// The text of message `key` of `window` or of a window that owns it, in the
// language in use; `builtIn` when none has it.
QString WindowMessage(const QWidget* window, const char* key, const char* builtIn = "");
// `text`, made in the core from a built-in message and more (a path, a
// reason), with that message's built-in lead replaced by its text in the
// language in use (the longest lead of `window` and its owners that matches).
QString InWindowLanguage(const QWidget* window, const QString& text);

// Told once when the French texts cannot be exported to the user's folder.
inline constexpr char kLanguageNotSavedKey[] = "msgLanguageNotSaved";
inline constexpr char kLanguageNotSaved[] =
    "Les textes français ne peuvent pas être exportés dans le dossier des langues :";

// Fills the `MNlangueChoice` entries of the language submenu `mnuLng` with the
// names of the language files (entry 0 stays "#" when there is none). An
// entry chosen by the user makes its file env.languageFile, stores it as the
// language choice, translates `mainWindow` with it and rebuilds the menu.
// Entries are created as needed (named, indexed, connected) and never
// removed. `env` must outlive the menu.
void RebuildLanguageMenu(QWidget* mainWindow, QMenu* mnuLng, Environment& env);
// A window whose title shows a document (a file name) keeps it here; a
// language switch then leaves the title alone.
inline constexpr char kDocumentTitleProperty[] = "gsDocumentTitle";

// What choosing entry `index` does.
void ChooseLanguage(QWidget* mainWindow, QMenu* mnuLng, int index, Environment& env);

}  // namespace gs
