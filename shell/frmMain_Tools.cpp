#include "shell/frmMain_Tools.h"

namespace gs {

void frmMain::SetupTools() {}

}  // namespace gs
