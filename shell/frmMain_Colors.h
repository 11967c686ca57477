#pragma once
// State of the main window's colors concern.
#include "shell/frmMain.h"

namespace gs {

struct ColorsPart {};

}  // namespace gs
