#include "shell/frmMain_Cursor.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>

#include "document/qt_canvas.h"
#include "files/file_commands.h"
#include "files/frmSave.h"
#include "files/xcursor_format.h"
#include "shell/frmMain.h"
#include "shell/frmMain_File.h"

namespace gs {

namespace {

FileDialogRequest ExportXcursorDialog() {
  return {{{"Curseur X11 (*)", "*"}}, "Save X11 Cursor...", ""};
}

// The hotspot the save-options window holds now; the document's when it is not loaded.
void CurrentHotspot(frmMain& window, int& x, int& y) {
  x = window.Document().hotspotX;
  y = window.Document().hotspotY;
  if (!window.File().host) return;
  if (const frmSave* w = window.File().host->LoadedSaveWindow()) {
    x = w->Model().hotspotX;
    y = w->Model().hotspotY;
  }
}

void ExportXcursor(frmMain& window) {
  MainFileHost* host = window.File().host.get();
  if (!host) return;
  const std::string path = host->SaveFileDialog(ExportXcursorDialog());
  if (path.empty()) return;
  const SaveOptionsChoice choice = host->RunSaveOptions(SaveKind::Cursor);
  if (choice.result == kSaveCancelled) return;
  window.Document().hotspotX = choice.hotspotX;
  window.Document().hotspotY = choice.hotspotY;
  const CursorFrame frame{window.Document().surface, choice.hotspotX, choice.hotspotY, 0};
  host->SetBusy(true);
  const WriteStatus st = WriteXcursorFile(path, std::span(&frame, 1));
  host->SetBusy(false);
  if (!st) {
    std::string reason = st.error;
    if (reason.rfind(path + ": ", 0) == 0) reason.erase(0, path.size() + 2);
    host->ShowMessage(MessageKind::Error, SaveFailedMessage(path, reason));
  }
}

}  // namespace

QCursor DrawingPointer(const Surface& drawing, int hotspotX, int hotspotY) {
  QImage image(drawing.Width(), drawing.Height(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < drawing.Height(); ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < drawing.Width(); ++x) line[x] = XcursorPixelOf(drawing.Row(y)[x]);
  }
  return QCursor(QPixmap::fromImage(image), hotspotX, hotspotY);
}

CursorTrial::CursorTrial(frmMain& window) : QObject(&window), window_(window) {
  setObjectName("CursorTrial");
  qApp->installEventFilter(this);
}

bool CursorTrial::BelongsToWindow(QObject* o) const {
  auto* w = qobject_cast<QWidget*>(o);
  return w && (w == &window_ || window_.isAncestorOf(w));
}

bool CursorTrial::PointerOverCanvas() const {
  const IconCanvas* canvas = window_.picIcon();
  return canvas->isVisible() && canvas->rect().contains(canvas->mapFromGlobal(QCursor::pos()));
}

void CursorTrial::Begin() {
  if (trying_) return;
  int x = 0, y = 0;
  CurrentHotspot(window_, x, y);
  const QCursor pointer = DrawingPointer(window_.Document().surface, x, y);
  saved_ = window_.picIcon()->cursor();
  shownKey_ = pointer.pixmap().cacheKey();
  window_.picIcon()->setCursor(pointer);
  trying_ = true;
}

void CursorTrial::End() {
  if (!trying_) return;
  trying_ = false;
  // A tool chosen meanwhile has put its own pointer up: that one stays.
  if (window_.picIcon()->cursor().pixmap().cacheKey() == shownKey_)
    window_.picIcon()->setCursor(saved_);
}

bool CursorTrial::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() != kTryCursorKey || key->isAutoRepeat() || !BelongsToWindow(watched)) break;
      if (event->type() == QEvent::KeyRelease) {
        End();
      } else if (key->modifiers() == Qt::NoModifier && PointerOverCanvas()) {
        Begin();
        return true;
      }
      break;
    }
    case QEvent::WindowDeactivate:
      // The release may go to another window.
      if (watched == &window_) End();
      break;
    default:
      break;
  }
  return false;
}

void frmMain::SetupCursor() {
  new CursorTrial(*this);
  if (QAction* a = MenuAction("mnuExport", 3))
    connect(a, &QAction::triggered, this, [this] { ExportXcursor(*this); });
}

}  // namespace gs
