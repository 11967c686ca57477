#include "platform/qt_dialog_seam.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>

namespace gs {

namespace {

// Qt's dialog otherwise starts wherever the previous one was left, so a save
// would follow the open dialog's folder. Without a remembered folder a dialog
// starts in the program's working folder, as one given no folder does.
QString StartFolder(const QString& remembered) {
  if (!remembered.isEmpty() && QDir(remembered).exists()) return remembered;
  return QDir::currentPath();
}

class QtDialogs : public DialogSeam {
 public:
  QString OpenFileName(QWidget* owner, const FileDialogRequest& request,
                       const QString& startFolder) override {
    QFileDialog dlg(owner, QString::fromStdString(request.title), StartFolder(startFolder));
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(NameFilters(request));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
  }

  QString SaveFileName(QWidget* owner, const FileDialogRequest& request) override {
    QFileDialog dlg(owner, QString::fromStdString(request.title), StartFolder(QString()));
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(NameFilters(request));
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    if (!request.defaultExtension.empty())
      dlg.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
  }

  QMessageBox::StandardButton Message(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton defaultButton) override {
    QMessageBox box(icon, title, text, buttons, owner);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    // Closing a box that has a Cancel button counts as Cancel.
    if (pressed == QMessageBox::NoButton && (buttons & QMessageBox::Cancel))
      return QMessageBox::Cancel;
    return pressed;
  }

  void RunModal(QDialog* dialog) override { dialog->exec(); }
};

}  // namespace

bool DialogSeam::OpenAddress(const QUrl& address) { return QDesktopServices::openUrl(address); }

DialogSeam& RealDialogs() {
  static QtDialogs real;
  return real;
}

QStringList NameFilters(const FileDialogRequest& request) {
  QStringList out;
  for (const FileFilter& f : request.filters) {
    QStringList patterns;
    for (const std::string& p : FilterPatterns(f))
      patterns << (p == "*.*" ? QStringLiteral("*") : QString::fromStdString(p));
    out << QString::fromStdString(f.description) + " (" + patterns.join(' ') + ")";
  }
  return out;
}

}  // namespace gs
