#pragma once
// What the file commands ask of the standard file dialogs (filters, titles,
// default extensions) and the remembered folder of the open dialog.
//
//   std::string path = ShowOpenDialog(env.Settings(), OpenIconDialog(), [&](const
//   FileDialogRequest& s,
//                                      const std::string& start) { return RunDialog(s, start); });
//
// The open dialog starts in "OpenDir" ("Software\Varnel Glyphsmith\Directories")
// and a confirmed choice makes its folder the next starting folder. Save
// dialogs neither read nor write it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/app_identity.h"
#include "platform/file_dialog_request.h"
#include "platform/settings_store.h"

namespace gs {

inline constexpr char kRegOpenDirValue[] = "OpenDir";

// The titles and type descriptions of the dialogs below, each under the key
// the main window keeps it by (lang/qt_translation.h, AddWindowMessages), so
// that they are shown in the language in use.
struct DialogText {
  const char* key;
  const char* text;
};
inline constexpr DialogText kDialogTexts[] = {
    {"msgOpenIconTitle", GLYPHSMITH_APP_TITLE " - Open an Icon"},
    {"msgIconFilter", "Icon (*.ico; *.cur)"},
    {"msgAllFiles", "All files (*.*)"},
    {"msgOpenCursorTitle", GLYPHSMITH_APP_TITLE " - Ouvrir un curseur"},
    {"msgAllFilesCursor", "Tous les fichiers (*.*)"},
    {"msgSaveAsTitle", "Sauvez Icon ..."},
    {"msgIcoFileFilter", "Ico File (*.ico)"},
    {"msgSaveIconTitle", "Save Icon ..."},
    {"msgCursorFilter", "Curseur (*.cur)"},
    {"msgSaveCursorTitle", "Save Cursor..."},
    {"msgSaveBitmapTitle", "Save Bitmap..."},
    {"msgSavePcxTitle", "Save PCX..."},
};

FileDialogRequest OpenIconDialog();      // Open and the "Icons" sample command
FileDialogRequest CursorSampleDialog();  // the "Curseurs" sample command
FileDialogRequest SaveAsDialog();
FileDialogRequest SaveChangesDialog();  // Save from the save-changes question
FileDialogRequest ExportCursorDialog();
FileDialogRequest ExportBitmapDialog();
FileDialogRequest ExportPcxDialog();

// The chosen path up to and including its last folder separator ("/" or
// "\"); empty when it has none.
std::string FolderOfPath(std::string_view path);

// Text up to its first NUL character (all of it when it holds none).
std::string CutAtNul(std::string_view text);

std::string ReadOpenDir(const SettingsStore& store);
bool WriteOpenDir(const SettingsStore& store, const std::string& folder);

// A dialog as the platform shows it: returns the chosen full path, or empty
// text when the user cancels.
using OpenDialogFn =
    std::function<std::string(const FileDialogRequest&, const std::string& startFolder)>;
using SaveDialogFn = std::function<std::string(const FileDialogRequest&)>;

// Shows the open dialog in the remembered folder and remembers the folder of
// a confirmed choice. Returns the path, or empty text when cancelled.
std::string ShowOpenDialog(const SettingsStore& store, const FileDialogRequest& request,
                           const OpenDialogFn& dialog);
// Shows the save dialog (no starting folder). Returns the path or empty text.
std::string ShowSaveDialog(const FileDialogRequest& request, const SaveDialogFn& dialog);

// The sample folders beside the program: "<programFolder>/icon", "/curseur".
std::string SampleFolder(const std::string& programFolder, bool cursors);

}  // namespace gs
