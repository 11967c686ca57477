#include "platform/qt_image_plugins.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <QWidget>

namespace gs {

namespace {

constexpr int kLongestWait = 3000;  // ms

}  // namespace

DeferredImagePlugins::DeferredImagePlugins() {
  QApplication::style();
  // Settles the icon theme, its SVG support included.
  (void)QIcon::themeName();
  folders_ = QCoreApplication::libraryPaths();
  // Plugins already loaded (the platform's) stay; loaders made from now on
  // find none until the folders come back, and then find them all.
  QCoreApplication::setLibraryPaths({});
  held_ = true;
}

DeferredImagePlugins::~DeferredImagePlugins() { Release(); }

void DeferredImagePlugins::Release() {
  if (!held_) return;
  held_ = false;
  QCoreApplication::setLibraryPaths(folders_);
}

void DeferredImagePlugins::ReleaseAfterFirstPaint(QWidget* window) {
  if (!window) {
    Release();
    return;
  }
  window->installEventFilter(this);
  // A window that never paints (started minimised) does not keep them away.
  QTimer::singleShot(kLongestWait, this, [this] { Release(); });
}

bool DeferredImagePlugins::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    watched->removeEventFilter(this);
    QTimer::singleShot(0, this, [this] { Release(); });
  }
  return false;
}

}  // namespace gs
