#include "platform/qt_image_plugins.h"

#include <QApplication>
#include <QIcon>

#include "platform/qt_first_frame.h"

namespace gs {

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
  AfterFirstFrame(window, [this] { Release(); });
}

}  // namespace gs
