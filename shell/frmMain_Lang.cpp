#include "shell/frmMain_Lang.h"

#include "lang/qt_translation.h"

namespace gs {

void frmMain::SetupLanguage() {
  LoadWindowLanguage(this);
  RebuildLanguageMenu(this, Menu("mnuLng"));
}

}  // namespace gs
