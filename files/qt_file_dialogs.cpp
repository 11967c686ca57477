#include "files/qt_file_dialogs.h"

#include <QWidget>

#include "lang/qt_translation.h"

namespace gs {

FileDialogRequest InWindowLanguage(const QWidget* owner, FileDialogRequest request) {
  const auto local = [owner](std::string& text) {
    text = InWindowLanguage(owner, QString::fromStdString(text)).toStdString();
  };
  local(request.title);
  for (FileFilter& f : request.filters) local(f.description);
  return request;
}

QString ShowOpenDialog(const Environment& env, QWidget* owner, const FileDialogRequest& request) {
  DialogSeam& dialogs = env.Dialogs();
  return QString::fromStdString(ShowOpenDialog(
      env.Settings(), InWindowLanguage(owner, request),
      [&](const FileDialogRequest& s, const std::string& start) {
        return dialogs.OpenFileName(owner, s, QString::fromStdString(start)).toStdString();
      }));
}

QString ShowSaveDialog(const Environment& env, QWidget* owner, const FileDialogRequest& request) {
  DialogSeam& dialogs = env.Dialogs();
  return QString::fromStdString(ShowSaveDialog(
      InWindowLanguage(owner, request),
      [&](const FileDialogRequest& s) { return dialogs.SaveFileName(owner, s).toStdString(); }));
}

}  // namespace gs
