#include "shell/frmMain_Edit.h"

namespace gs {

void frmMain::SetupEdit() {}

}  // namespace gs
