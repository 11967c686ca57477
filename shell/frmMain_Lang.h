#pragma once
// State of the main window's lang concern.
#include "shell/frmMain.h"

namespace gs {

struct LangPart {};

}  // namespace gs
