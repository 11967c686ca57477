// The editor.
#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include "document/qt_canvas.h"
#include "files/qt_dialog_seam.h"
#include "shell/frmMain.h"

namespace {

// For bench/startup.sh: quit once the canvas has painted, to time a launch.
class QuitAfterFirstPaint : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QApplication::quit);
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Varnel Glyphsmith");
  // Standard buttons and dialogs speak the desktop's language, as the
  // platform's own boxes do; the editor's texts come from its language files.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale::system(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  // The whole command line is one path, spaces and all.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  gs::Environment env = gs::SystemEnvironment();
  env.dialogs = &gs::RealDialogs();
  gs::frmMain window(env);
  window.Start(args.join(' '));
  QuitAfterFirstPaint quitter;
  if (qEnvironmentVariableIsSet("GLYPHSMITH_QUIT_AFTER_FIRST_PAINT"))
    window.picIcon()->installEventFilter(&quitter);
  window.show();
  return app.exec();
}
