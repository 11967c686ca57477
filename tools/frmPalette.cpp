#include "tools/frmPalette.h"

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
  show();
  raise();
  // Moves outside the picture must still arrive, so leaving it is noticed.
  picture_->grabMouse();
}

void frmPalette::PicturePress(Qt::MouseButton button, QPointF pos) {
  const Color c = picture_->ColorAt(pos.x(), pos.y());
  if (button == Qt::LeftButton)
    colors_.left = c;
  else if (button == Qt::RightButton)
    colors_.right = c;
  else
    return;
  if (colorsChanged_) colorsChanged_();
  picture_->grabMouse();
}

void frmPalette::PictureMove(Qt::MouseButtons buttons, QPointF pos) {
  if (!SpectrumKeepsOpen(pos.x(), pos.y(), picture_->width(), picture_->height())) {
    Unload();
    return;
  }
  const Color c = picture_->ColorAt(pos.x(), pos.y());
  if (buttons & Qt::LeftButton) {
    colors_.left = c;
    if (colorsChanged_) colorsChanged_();
  } else if (buttons & Qt::RightButton) {
    colors_.right = c;
    if (colorsChanged_) colorsChanged_();
  }
  picture_->grabMouse();
}

void frmPalette::Unload() {
  picture_->releaseMouse();
  // The main window keeps (or gets back) the keyboard, with its canvas focus.
  if (focusBack_) focusBack_->activateWindow();
  emit unloaded();
  close();
}

}  // namespace gs
