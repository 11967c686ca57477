#pragma once
// Qt's first reading of any picture, even one of its own PNG icons, loads
// every image-format plugin it finds (TIFF, WebP, MNG... with their
// libraries) to ask each whether it reads the format: a third of the editor's
// start before its window shows. The first frame needs none of them, so the
// editor holds them back until that frame is painted; PNG, BMP and XPM, built
// into Qt, are read meanwhile, and every format is there afterwards.
//
//   QApplication app(argc, argv);
//   DeferredImagePlugins plugins;        // before any window is made
//   ...build the first window...
//   plugins.ReleaseAfterFirstPaint(window);
#include <QStringList>

class QWidget;

namespace gs {

class DeferredImagePlugins {
 public:
  // Needs the application object. The style and the icon theme are settled
  // first, with every plugin folder, as they choose their plugins once.
  DeferredImagePlugins();
  ~DeferredImagePlugins();
  DeferredImagePlugins(const DeferredImagePlugins&) = delete;
  DeferredImagePlugins& operator=(const DeferredImagePlugins&) = delete;

  // The plugin folders come back after the first frame of `window`
  // (platform/qt_first_frame.h), or at once when it is null. The window goes
  // before this object.
  void ReleaseAfterFirstPaint(QWidget* window);
  void Release();
  // The program is ending: the folders need not come back (which would send
  // every plugin loader looking through them again).
  void Forget() { held_ = false; }
  bool Held() const { return held_; }

 private:
  QStringList folders_;
  bool held_ = false;
};

}  // namespace gs
