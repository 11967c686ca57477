#pragma once
// The one road from the windows to the file dialogs, message boxes, modal
// tool windows and the desktop's browser: each window reaches it through its
// environment, env.Dialogs() (platform/environment.h). The editor's main() puts
// RealDialogs() there; tests put their own so that no test ever waits on a
// real modal dialog. files/qt_file_dialogs.h puts the language in use and the
// remembered folder around its file dialogs.
//
//   class Answers : public DialogSeam { ... };
//   Answers answers;
//   Environment env{programFolder, settingsFolder, "", &answers};
//   frmMain window(env);
//   window.MenuAction("mnuFile", 1)->trigger();   // Open asks `answers`
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "platform/file_dialog_request.h"

class QDialog;
class QUrl;
class QWidget;

namespace gs {

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  // The chosen path, or empty text when cancelled. Open dialogs accept only
  // existing files; save dialogs ask before replacing one and add the
  // default extension to a name without one.
  virtual QString OpenFileName(QWidget* owner, const FileDialogRequest& request,
                               const QString& startFolder) = 0;
  virtual QString SaveFileName(QWidget* owner, const FileDialogRequest& request) = 0;
  // The button that closed the box.
  virtual QMessageBox::StandardButton Message(QWidget* owner, QMessageBox::Icon icon,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) = 0;
  // Shows a tool window modally and returns when it is hidden.
  virtual void RunModal(QDialog* dialog) = 0;
  // Hands an address to the desktop's browser (QDesktopServices, so a URL
  // handler set there receives it); false when nothing could take it.
  virtual bool OpenAddress(const QUrl& address);
};

// Qt's own dialogs and message boxes.
DialogSeam& RealDialogs();

// The filters as Qt's dialogs take them: the description shown, the patterns
// in the trailing parentheses ("*.*" meaning every file).
QStringList NameFilters(const FileDialogRequest& request);

}  // namespace gs
