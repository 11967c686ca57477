#include "files/qt_dialog_seam.h"

#include <QDialog>
#include <QFileDialog>

namespace gs {

namespace {

class RealDialogs : public DialogSeam {
 public:
  QString OpenFileName(QWidget* owner, const FileDialogSpec& spec,
                       const QString& startFolder) override {
    QFileDialog dlg(owner, QString::fromStdString(spec.title), startFolder);
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(NameFilters(spec));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
  }

  QString SaveFileName(QWidget* owner, const FileDialogSpec& spec) override {
    QFileDialog dlg(owner, QString::fromStdString(spec.title));
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(NameFilters(spec));
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    if (!spec.defaultExtension.empty())
      dlg.setDefaultSuffix(QString::fromStdString(spec.defaultExtension));
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

RealDialogs& Real() {
  static RealDialogs real;
  return real;
}

DialogSeam* g_seam = nullptr;

}  // namespace

DialogSeam& Dialogs() { return g_seam ? *g_seam : Real(); }

DialogSeam* SetDialogSeam(DialogSeam* seam) {
  DialogSeam* previous = g_seam;
  g_seam = seam;
  return previous;
}

QStringList NameFilters(const FileDialogSpec& spec) {
  QStringList out;
  for (const FileFilter& f : spec.filters) {
    QStringList patterns;
    for (const std::string& p : FilterPatterns(f))
      patterns << (p == "*.*" ? QStringLiteral("*") : QString::fromStdString(p));
    out << QString::fromStdString(f.description) + " (" + patterns.join(' ') + ")";
  }
  return out;
}

QString ShowOpenDialog(QWidget* owner, const FileDialogSpec& spec) {
  return QString::fromStdString(
      ShowOpenDialog(spec, [owner](const FileDialogSpec& s, const std::string& start) {
        return Dialogs().OpenFileName(owner, s, QString::fromStdString(start)).toStdString();
      }));
}

QString ShowSaveDialog(QWidget* owner, const FileDialogSpec& spec) {
  return QString::fromStdString(ShowSaveDialog(spec, [owner](const FileDialogSpec& s) {
    return Dialogs().SaveFileName(owner, s).toStdString();
  }));
}

}  // namespace gs
