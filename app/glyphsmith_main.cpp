// The editor.
#include <QApplication>
#include <QStringList>

#include "shell/frmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Varnel Glyphsmith");
  // The whole command line is one path, spaces and all.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  gs::frmMain window;
  window.Start(args.join(' '));
  window.show();
  return app.exec();
}
