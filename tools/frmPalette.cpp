#include "tools/frmPalette.h"

#include <QApplication>
#include <QEvent>

#include "tools/qt_tool_panels.h"

namespace gs {

frmPalette::frmPalette(ColorState& colors, std::function<void()> colorsChanged, QWidget* focusBack)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      colors_(colors),
      colorsChanged_(std::move(colorsChanged)),
      focusBack_(focusBack) {
  setObjectName("frmPalette");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::NoFocus);
  picture_ = new SpectrumPicture(kSpectrumWidth, kSpectrumHeight, this);
  picture_->setObjectName("picPalette");
  picture_->move(0, 0);
  setFixedSize(picture_->size());
  connect(picture_, &SpectrumPicture::pressed, this, &frmPalette::PicturePress);
  connect(picture_, &SpectrumPicture::moved, this, &frmPalette::PictureMove);
}

void frmPalette::PlaceOver(const QRect& thumb) {
  move(thumb.left(), thumb.bottom() + 1 - picture_->height());
}

void frmPalette::ShowFloating() {
  if (QApplication::activeModalWidget()) {
    close();
    return;
  }
  show();
  raise();
  // Moves outside the picture must still arrive, so leaving it is noticed.
  Grab();
}

void frmPalette::Grab() {
  if (QApplication::activeModalWidget()) return;
  picture_->grabMouse();
}

bool frmPalette::event(QEvent* e) {
  // Sent when a modal window opens over us: let go before it takes input.
  if (e->type() == QEvent::WindowBlocked && isVisible()) Unload(false);
  return QWidget::event(e);
}

void frmPalette::PicturePress(Qt::MouseButton button, QPointF pos) {
  if (!colors_.PickColor(picture_->ColorAt(pos.x(), pos.y()), ToEngineButton(button))) return;
  if (colorsChanged_) colorsChanged_();
  Grab();
}

void frmPalette::PictureMove(Qt::MouseButtons buttons, QPointF pos) {
  if (!SpectrumKeepsOpen(pos.x(), pos.y(), picture_->width(), picture_->height())) {
    Unload(true);
    return;
  }
  if (colors_.PickColor(picture_->ColorAt(pos.x(), pos.y()), ToEngineButtons(buttons)) &&
      colorsChanged_)
    colorsChanged_();
  Grab();
}

void frmPalette::Unload(bool focusMain) {
  picture_->releaseMouse();
  // The main window keeps (or gets back) the keyboard, with its canvas focus;
  // a modal window that made us go keeps it instead.
  if (focusMain && focusBack_) focusBack_->activateWindow();
  close();
}

}  // namespace gs
