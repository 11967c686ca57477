#pragma once
// The editor's file dialogs through the dialog seam: in the language in use,
// the open dialog starting in the remembered folder.
#include <QString>

#include "files/file_dialogs.h"
#include "platform/environment.h"
#include "platform/qt_dialog_seam.h"

class QWidget;

namespace gs {

// `request` with its title and type descriptions in the language in use
// (InWindowLanguage of lang/qt_translation.h, through `owner`).
FileDialogRequest InWindowLanguage(const QWidget* owner, FileDialogRequest request);

// The open dialog in the remembered folder ("OpenDir" in env's settings),
// remembering the folder of a confirmed choice; used by every window that
// opens a file.
QString ShowOpenDialog(const Environment& env, QWidget* owner, const FileDialogRequest& request);
// The save dialog; it neither reads nor writes the remembered folder.
QString ShowSaveDialog(const Environment& env, QWidget* owner, const FileDialogRequest& request);

}  // namespace gs
