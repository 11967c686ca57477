#include "effects/frmDuoTone.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "effects/effect_kernels.h"
#include "effects/qt_effect_widgets.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"

namespace gs {

frmDuoTone::frmDuoTone(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent)
    : QDialog(parent), host_(host), duoColor_(kDuoToneRed), env_(env) {
  setObjectName("frmDuoTone");
  setModal(true);
  setWindowTitle(QString::fromUtf8("Varnel Glyphsmith " GLYPHSMITH_TITLE_VERSION " - Nocturne"));

  auto* label1 = NamedLabel("Label1", "Original :", this);
  picOrg_ = new SurfaceBox("picOrg", previewSize, this);
  auto* label2 = NamedLabel("Label2", "Nocturne :", this);
  picSample_ = new SurfaceBox("picSample", previewSize, this);
  auto* label3 = NamedLabel("Label3", "Nocturne color:", this);
  picDuoColor_ = new QFrame(this);
  picDuoColor_->setObjectName("picDuoColor");
  picDuoColor_->setFrameShape(QFrame::Box);
  picDuoColor_->setFixedSize(previewSize.width(), 21);
  picDuoColor_->setAutoFillBackground(true);
  QPalette pal = picDuoColor_->palette();
  pal.setColor(QPalette::Window, ToQColor(duoColor_));
  picDuoColor_->setPalette(pal);
  cmdColor_ = NamedButton("cmdColor", "...", this);
  cmdColor_->setFixedWidth(cmdColor_->fontMetrics().horizontalAdvance("...") + 16);
  cmdOK_ = NamedButton("cmdOK", "&OK", this);
  cmdOK_->setDefault(true);
  cmdCancel_ = NamedButton("cmdCancel", "&Annuler", this);

  auto* colour = new QHBoxLayout;
  colour->addWidget(label3);
  colour->addWidget(picDuoColor_);
  colour->addWidget(cmdColor_);
  colour->addStretch();
  LayOutEffectWindow(this, colour, ControlsAt::Below, label1, picOrg_, label2, picSample_, cmdOK_,
                     cmdCancel_);

  connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });

  // Load: translate, compute the preview once, focus on OK.
  picOrg_->SetSurface(host_.Document().surface);
  LoadWindowLanguage(this, env_);
  ReDrawDuo();
  cmdOK_->setFocus();
}

void frmDuoTone::ReDrawDuo() {
  const IconDocument& doc = host_.Document();
  picSample_->SetSurface(DuoTonePreview(doc.surface, doc.selection, duoColor_));
}

void frmDuoTone::Confirm() {
  ReDrawDuo();
  ApplyEffectResult(host_, picSample_->Shown());
  accept();
}

}  // namespace gs
