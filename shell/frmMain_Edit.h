#pragma once
// State of the main window's edit concern.
#include "shell/frmMain.h"

namespace gs {

struct EditPart {};

}  // namespace gs
