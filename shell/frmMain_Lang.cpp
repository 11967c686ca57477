#include "shell/frmMain_Lang.h"

#include "lang/qt_translation.h"

namespace gs {

void frmMain::SetupLanguage() {
  LoadWindowLanguage(this, env_);
  RebuildLanguageMenu(this, Menu("mnuLng"), env_);
}

}  // namespace gs
