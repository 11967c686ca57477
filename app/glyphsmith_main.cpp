// The editor.
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>

#include "document/qt_canvas.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "platform/command_line.h"
#include "platform/environment.h"
#include "platform/qt_dialog_seam.h"
#include "platform/qt_first_frame.h"
#include "platform/qt_image_plugins.h"
#include "platform/settings_store.h"
#include "shell/FrmSplash.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Lang.h"

namespace {

// For bench/startup.sh: quit once the canvas has painted, to time a launch.
class QuitAfterFirstPaint : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QApplication::quit);
    return false;
  }
};

// The main window, once it exists: it keeps the texts shown outside windows.
const QWidget* MainWindow() {
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("frmMain")) return w;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before any window system is asked for: they need none.
  if (const std::optional<std::string> out =
          gs::CommandLineAnswer(argc, argv, GLYPHSMITH_VERSION)) {
    std::fputs(out->c_str(), stdout);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(gs::kAppTitle));
  // Settings that cannot be saved would be lost without a word: say so, once;
  // a lock held elsewhere, each time.
  gs::SetSettingsSaveFailureHandler([](gs::SettingsFailure kind, const std::string& reason) {
    const bool busy = kind == gs::SettingsFailure::Busy;
    QMessageBox::warning(
        nullptr, QString::fromUtf8(gs::kAppTitle),
        gs::WindowMessage(MainWindow(), busy ? "msgSettingsBusy" : "msgSettingsNotSaved",
                          busy ? gs::kSettingsBusy : gs::kSettingsNotSaved) +
            QStringLiteral("\n\n") + QString::fromStdString(reason));
  });
  // Ties the windows to the installed launcher and its icon.
  QGuiApplication::setDesktopFileName("org.varnel.Glyphsmith");
  // The icon's search through the desktop's icon themes costs an X11 start a
  // fifth of its time: the first window shows, then gets it.
  const auto setIcon = [] {
    QApplication::setWindowIcon(QIcon::fromTheme("org.varnel.Glyphsmith"));
  };
  // No picture of the first frame needs Qt's image-format plugins: they are
  // loaded once it is painted (platform/qt_image_plugins.h).
  gs::DeferredImagePlugins imagePlugins;
  // The whole command line is one path, spaces and all, taken as bytes (Qt's
  // own options are gone from argv by now): a name need not be UTF-8.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  // Standard buttons and dialogs speak the chosen language file's language:
  // every window's load puts the toolkit's texts for it in place.
  gs::Environment env = gs::SystemEnvironment();
  env.dialogs = &gs::RealDialogs();
  QuitAfterFirstPaint quitter;
  const bool quitAfterPaint = qEnvironmentVariableIsSet("GLYPHSMITH_QUIT_AFTER_FIRST_PAINT");
  // The first window shows; what waits for its first frame follows it.
  const auto run = [&](QWidget& first) {
    imagePlugins.ReleaseAfterFirstPaint(&first);
    gs::AfterFirstFrame(&first, setIcon);
    first.show();
    const int code = app.exec();
    imagePlugins.Forget();
    return code;
  };
  // Tests and the start-up benchmark skip the splash and its five seconds.
  if (qEnvironmentVariable("GLYPHSMITH_NO_SPLASH") == QLatin1String("1")) {
    // Never taken apart: it saved what it keeps when it closed, and undoing
    // its hundred widgets one by one would only hold up the exit. (Held by
    // a static, so leak checkers see it reachable.)
    static gs::frmMain* const kept = new gs::frmMain(env);
    gs::frmMain& window = *kept;
    window.ExportTemplateAfterFirstFrame();
    window.Start(commandLine);
    if (quitAfterPaint) window.picIcon()->installEventFilter(&quitter);
    return run(window);
  }
  gs::FrmSplash splash(env);
  splash.Load(commandLine);
  if (quitAfterPaint) splash.MainWindow()->picIcon()->installEventFilter(&quitter);
  return run(splash);
}
