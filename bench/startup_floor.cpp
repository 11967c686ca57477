// The floor bench/startup_compare.sh puts the editor beside: the least a Qt 6
// program showing a main window with a menu bar does before its first paint.
// It quits once its central widget has painted, as the editor does under
// GLYPHSMITH_QUIT_AFTER_FIRST_PAINT.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

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
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Floor"));
  for (const char* title : {"&File", "&Edit", "&View", "&Help"}) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
    for (const char* entry : {"&New", "&Open...", "&Save", "Save &As..."})
      menu->addAction(QString::fromLatin1(entry));
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Close"));
  }
  auto* central = new QWidget(&window);
  window.setCentralWidget(central);
  QuitAfterFirstPaint quitter;
  central->installEventFilter(&quitter);
  window.resize(487, 430);
  window.show();
  return app.exec();
}
