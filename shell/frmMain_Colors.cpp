#include "shell/frmMain_Colors.h"

namespace gs {

void frmMain::SetupColors() {}

}  // namespace gs
