#include "shell/frmMain_Lang.h"

namespace gs {

void frmMain::SetupLanguage() {}

}  // namespace gs
