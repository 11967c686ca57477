#pragma once
// The About window: what the editor is, the machine's total memory and the
// free share (read afresh at each opening), and the maker's web page.
//
//   frmAbout about(mainWindow);
//   env.Dialogs().RunModal(&about);
#include <QDialog>

#include "platform/app_identity.h"
#include "platform/environment.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace gs {

inline constexpr char kAboutAuthor[] =
    GLYPHSMITH_APP_TITLE " " GLYPHSMITH_TITLE_VERSION " - conçu et écrit par Varnel Software";
inline constexpr char kAboutTitle[] = " A propos de Varnel Glyphsmith " GLYPHSMITH_TITLE_VERSION;

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(Environment& env, QWidget* parent = nullptr);

  QLabel* lblTotMem() const { return lblTotMem_; }
  QLabel* lblAvail() const { return lblAvail_; }
  QLabel* Label6() const { return label6_; }
  QPushButton* cmdOK() const { return cmdOK_; }

  // A click on the link label.
  void Label6_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* lblTotMem_ = nullptr;
  QLabel* lblAvail_ = nullptr;
  QLabel* label6_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  Environment& env_;
};

}  // namespace gs
