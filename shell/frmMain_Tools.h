#pragma once
// State of the main window's tools concern.
#include "shell/frmMain.h"

namespace gs {

struct ToolsPart {};

}  // namespace gs
