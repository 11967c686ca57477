#pragma once
// The splash window: a borderless picture with a thin progress bar. Loading
// it translates it and creates and starts the main window, hidden; its timer
// then fills the bar and, once the bar passes 99, shows the main window and
// closes the splash. The splash keeps the main window alive after closing.
//
//   FrmSplash splash(env);             // env: platform/environment.h
//   splash.Load(commandLine);
//   splash.show();
#include <QWidget>
#include <memory>
#include <string>

#include "platform/environment.h"

class QLabel;
class QTimer;

namespace gs {

class frmMain;
class XP_ProgressBar;

class FrmSplash : public QWidget {
  Q_OBJECT
 public:
  // `env` must outlive the splash and the main window it makes.
  explicit FrmSplash(Environment& env, QWidget* parent = nullptr);
  ~FrmSplash() override;

  // Export and translate the texts, then create and start the main window
  // (hidden). `commandLine` as frmMain::Start takes it.
  void Load(const std::string& commandLine);
  void Load(const QString& commandLine) { Load(commandLine.toStdString()); }
  // One tick of Timer1.
  void Timer1_Timer();

  frmMain* MainWindow() const { return main_.get(); }
  XP_ProgressBar* bar() const { return bar_; }
  QTimer* Timer1() const { return timer1_; }
  QLabel* Image1() const { return image1_; }

 private:
  QLabel* image1_ = nullptr;
  XP_ProgressBar* bar_ = nullptr;
  QTimer* timer1_ = nullptr;
  Environment& env_;
  std::unique_ptr<frmMain> main_;
};

// The line under the program's name on the splash picture.
inline constexpr char kSplashTagline[] = "Création professionnelle d'icones et de curseurs";
// The splash picture, drawn by us at 481 x 278, with `tagline` (the built-in
// one when empty).
QPixmap SplashPicture(const QString& tagline = QString());

}  // namespace gs
