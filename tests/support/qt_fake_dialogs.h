#pragma once
// A dialog seam for tests: answers file dialogs and message boxes from
// queues, records what was asked, and drives the save-options window through
// a callback instead of a modal loop.
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <deque>
#include <functional>
#include <vector>

#include "files/frmSave.h"
#include "platform/qt_dialog_seam.h"

namespace gs::test {

class FakeDialogs : public DialogSeam {
 public:
  struct Shown {
    QString title;
    QString startFolder;  // open dialogs only
    QStringList filters;
    QString defaultExtension;
  };
  std::deque<QString> openAnswers, saveAnswers;
  std::deque<QMessageBox::StandardButton> buttons;
  std::vector<Shown> dialogs;
  std::vector<QString> messages;
  std::vector<QMessageBox::Icon> icons;
  int modalRuns = 0;
  // Runs while the save-options window is shown; by default presses OK.
  std::function<void(frmSave&)> onSave = [](frmSave& w) { w.cmdOK()->click(); };

  QString OpenFileName(QWidget*, const FileDialogRequest& request, const QString& start) override {
    dialogs.push_back({QString::fromStdString(request.title), start, NameFilters(request),
                       QString::fromStdString(request.defaultExtension)});
    return Pop(openAnswers);
  }
  QString SaveFileName(QWidget*, const FileDialogRequest& request) override {
    dialogs.push_back({QString::fromStdString(request.title), QString(), NameFilters(request),
                       QString::fromStdString(request.defaultExtension)});
    return Pop(saveAnswers);
  }
  QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) override {
    messages.push_back(text);
    icons.push_back(icon);
    lastTitle = title;
    if (buttons.empty()) return QMessageBox::Ok;
    const auto b = buttons.front();
    buttons.pop_front();
    return b;
  }
  void RunModal(QDialog* dialog) override {
    ++modalRuns;
    dialog->show();
    if (auto* save = qobject_cast<frmSave*>(dialog)) onSave(*save);
    // A test that leaves the window up has forgotten to answer it.
    if (dialog->isVisible()) dialog->reject();
  }
  QString lastTitle;

 private:
  static QString Pop(std::deque<QString>& q) {
    if (q.empty()) return {};
    QString s = q.front();
    q.pop_front();
    return s;
  }
};

}  // namespace gs::test
