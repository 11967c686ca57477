#include "files/file_dialogs.h"

#include "platform/app_identity.h"
#include "platform/settings_store.h"

namespace gs {

namespace {

// The text of key `key` in kDialogTexts.
std::string T(std::string_view key) {
  for (const DialogText& t : kDialogTexts)
    if (key == t.key) return t.text;
  return {};
}

FileFilter IconFilter() { return {T("msgIconFilter"), "*.ico;*.cur"}; }

}  // namespace

FileDialogRequest OpenIconDialog() {
  return {{IconFilter(), {T("msgAllFiles"), "*.*"}}, T("msgOpenIconTitle"), ""};
}

FileDialogRequest CursorSampleDialog() {
  return {{IconFilter(), {T("msgAllFilesCursor"), "*.*"}}, T("msgOpenCursorTitle"), ""};
}

FileDialogRequest SaveAsDialog() {
  return {{{"Ico (*.ico)", "*.ico"}}, T("msgSaveAsTitle"), "ico"};
}

FileDialogRequest SaveChangesDialog() {
  return {{{T("msgIcoFileFilter"), "*.ico"}}, T("msgSaveIconTitle"), "ico"};
}

FileDialogRequest ExportCursorDialog() {
  return {{{T("msgCursorFilter"), "*.cur"}}, T("msgSaveCursorTitle"), "cur"};
}

FileDialogRequest ExportBitmapDialog() {
  return {{{"Bitmap (*.bmp)", "*.bmp"}}, T("msgSaveBitmapTitle"), "bmp"};
}

FileDialogRequest ExportPcxDialog() {
  return {{{"PCX (*.pcx)", "*.pcx"}}, T("msgSavePcxTitle"), "pcx"};
}

std::string FolderOfPath(std::string_view path) {
  const auto cut = path.find_last_of("/\\");
  if (cut == std::string_view::npos) return {};
  return std::string(path.substr(0, cut + 1));
}

std::string CutAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string ReadOpenDir(const SettingsStore& store) {
  return store.ReadRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, kRegOpenDirValue);
}

bool WriteOpenDir(const SettingsStore& store, const std::string& folder) {
  return store.WriteRegistry(RegistryRoot::CurrentUser, kRegDirectoriesKey, kRegOpenDirValue,
                             folder);
}

std::string ShowOpenDialog(const SettingsStore& store, const FileDialogRequest& request,
                           const OpenDialogFn& dialog) {
  const std::string chosen = CutAtNul(dialog(request, ReadOpenDir(store)));
  if (chosen.empty()) return {};
  WriteOpenDir(store, FolderOfPath(chosen));
  return chosen;
}

std::string ShowSaveDialog(const FileDialogRequest& request, const SaveDialogFn& dialog) {
  return CutAtNul(dialog(request));
}

std::string SampleFolder(const std::string& programFolder, bool cursors) {
  std::string folder = programFolder;
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder + (cursors ? "curseur" : "icon");
}

}  // namespace gs
