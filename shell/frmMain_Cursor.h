#pragma once
// The main window's cursor concern: exporting the drawing as an X11 cursor
// (Exporter image > mnuExport 3) and trying it as the mouse pointer while
// kTryCursorKey is held over the canvas.
#include <QCursor>
#include <QObject>
#include <QPointer>

#include "document/surface.h"

namespace gs {

class frmMain;

// Held (without modifiers) over the canvas, the pointer becomes the drawing.
inline constexpr Qt::Key kTryCursorKey = Qt::Key_C;

// The drawing at actual size as a pointer: white is transparent.
QCursor DrawingPointer(const Surface& drawing, int hotspotX, int hotspotY);

// Watches the keys of the main window and its children.
class CursorTrial : public QObject {
  Q_OBJECT
 public:
  explicit CursorTrial(frmMain& window);
  void Begin();
  void End();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool PointerOverCanvas() const;
  bool BelongsToWindow(QObject* o) const;

  frmMain& window_;
  bool trying_ = false;
  QCursor saved_;
  qint64 shownKey_ = 0;  // pixmap of the pointer shown while trying
};

}  // namespace gs
