#pragma once
// State of the main window's file concern.
#include "shell/frmMain.h"

namespace gs {

struct FilePart {};

}  // namespace gs
