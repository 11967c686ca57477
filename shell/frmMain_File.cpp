#include "shell/frmMain_File.h"

namespace gs {

void frmMain::SetupFile() {}

bool frmMain::OpenIconFile(const QString&) { return false; }

bool frmMain::QueryClose() { return true; }

void frmMain::ShutdownFile() {}

}  // namespace gs
