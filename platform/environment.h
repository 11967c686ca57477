#pragma once
// What the windows and the file commands need from the world around them,
// handed in rather than looked up in globals, so that a test builds its own
// on a temporary folder with fake dialogs.
//
// The editor's main() makes one and lends it to the main window, which lends
// it to every window it opens; it must outlive them all:
//
//   Environment env = SystemEnvironment();
//   env.dialogs = &RealDialogs();              // platform/qt_dialog_seam.h
//   frmMain window(env);
//
// A new window takes `Environment&` in its constructor, keeps it, and after
// building its controls translates itself with
//
//   LoadWindowLanguage(this, env);            // lang/qt_translation.h
//
// which exports its French texts to <userDataFolder>/Lang/Francais.lng, reads
// the user's language choice into env.languageFile and translates the window
// with it. Message boxes and file dialogs go through env.Dialogs(); settings
// through env.Settings(); files beside the program through env.programFolder.
//
// In a test:
//   test::FakeDialogs fake;
//   Environment env{dir.file("prog"), dir.file("settings"), "", &fake};
#include <string>

#include "platform/settings_store.h"

namespace gs {

class DialogSeam;  // platform/qt_dialog_seam.h: file dialogs, message boxes, modal runs

struct Environment {
  std::string programFolder;   // holds Lang/, icon/ and curseur/
  std::string settingsFolder;  // holds the settings store
  std::string languageFile;    // the language the windows are shown in ("" before the first load)
  DialogSeam* dialogs = nullptr;
  // Holds the Lang/ folder the editor writes and reads first; "" writes none.
  // The program folder may be a system folder and is never written.
  std::string userDataFolder;

  SettingsStore Settings() const { return SettingsStore(settingsFolder); }
  DialogSeam& Dialogs() const { return *dialogs; }
};

// The running program's: its executable's folder, the user's settings folder
// (SettingsFolder()), no language yet, no dialogs (a window system must
// supply them) and the user's data folder (UserDataFolder()).
Environment SystemEnvironment();

}  // namespace gs
