#include "effects/qt_effect_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/qt_canvas.h"

namespace gs {

SurfaceBox::SurfaceBox(const QString& name, QSize size, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedSize(size);
}

void SurfaceBox::SetSurface(const Surface& s) {
  surface_ = s;
  update();
}

QImage SurfaceBox::Rendered() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  if (surface_.Width() > 0) p.drawImage(0, 0, SurfaceImage(surface_));
  return image;
}

void SurfaceBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Rendered());
}

QLabel* NamedLabel(const char* name, const char* text, QWidget* parent) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setObjectName(name);
  return l;
}

QPushButton* NamedButton(const char* name, const char* text, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(name);
  return b;
}

QGridLayout* PicturePair(QLabel* label1, SurfaceBox* original, QLabel* label2,
                         SurfaceBox* changed) {
  auto* pictures = new QGridLayout;
  pictures->addWidget(label1, 0, 0);
  pictures->addWidget(original, 1, 0, Qt::AlignLeft);
  pictures->addWidget(label2, 0, 1);
  pictures->addWidget(changed, 1, 1, Qt::AlignLeft);
  return pictures;
}

void LayOutEffectWindow(QWidget* window, QLayout* controls, ControlsAt where, QLabel* label1,
                        SurfaceBox* original, QLabel* label2, SurfaceBox* changed, QPushButton* ok,
                        QPushButton* cancel) {
  QGridLayout* pictures = PicturePair(label1, original, label2, changed);
  auto* left = new QVBoxLayout;
  if (where == ControlsAt::Above) left->addLayout(controls);
  left->addLayout(pictures);
  if (where == ControlsAt::Below) left->addLayout(controls);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* outer = new QHBoxLayout(window);
  outer->addLayout(left);
  outer->addLayout(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

PreviewEffectWindow::PreviewEffectWindow(EffectHost& host, Environment& env, QWidget* parent)
    : QDialog(parent), host_(host), env_(env) {}

void PreviewEffectWindow::MakePictures(QSize previewSize, const char* originalCaption,
                                       const char* changedCaption) {
  label1_ = NamedLabel("Label1", originalCaption, this);
  picOrg_ = new SurfaceBox("picOrg", previewSize, this);
  label2_ = NamedLabel("Label2", changedCaption, this);
  picSample_ = new SurfaceBox("picSample", previewSize, this);
}

void PreviewEffectWindow::MakeOkCancel() {
  cmdOK_ = NamedButton("cmdOK", "&OK", this);
  cmdOK_->setDefault(true);
  cmdCancel_ = NamedButton("cmdCancel", "&Annuler", this);
}

void PreviewEffectWindow::LayOut(QLayout* controls, ControlsAt where) {
  LayOutEffectWindow(this, controls, where, label1_, picOrg_, label2_, picSample_, cmdOK_,
                     cmdCancel_);
}

void PreviewEffectWindow::ApplyPreview() {
  ApplyEffectResult(host_, picSample_->Shown());
  accept();
}

}  // namespace gs
