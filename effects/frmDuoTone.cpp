#include "effects/frmDuoTone.h"

#include <QColorDialog>
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
    : PreviewEffectWindow(host, env, parent), duoColor_(kDuoToneRed) {
  setObjectName("frmDuoTone");
  setModal(true);
  setWindowTitle(
      QString::fromUtf8(GLYPHSMITH_APP_TITLE " " GLYPHSMITH_TITLE_VERSION " - Nocturne"));

  MakePictures(previewSize, "Original :", "Nocturne :");
  auto* label3 = NamedLabel("Label3", "Nocturne color:", this);
  picDuoColor_ = new QFrame(this);
  picDuoColor_->setObjectName("picDuoColor");
  picDuoColor_->setFrameShape(QFrame::Box);
  picDuoColor_->setFixedSize(previewSize.width(), 21);
  picDuoColor_->setAutoFillBackground(true);
  ShowTint();
  cmdColor_ = NamedButton("cmdColor", "...", this);
  cmdColor_->setFixedWidth(cmdColor_->fontMetrics().horizontalAdvance("...") + 16);
  MakeOkCancel();

  auto* colour = new QHBoxLayout;
  colour->addWidget(label3);
  colour->addWidget(picDuoColor_);
  colour->addWidget(cmdColor_);
  colour->addStretch();
  LayOut(colour, ControlsAt::Below);

  connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });
  chooseColor = [this](QWidget* owner) -> std::optional<QColor> {
    const QColor c = QColorDialog::getColor(ToQColor(duoColor_), owner);
    if (!c.isValid()) return std::nullopt;
    return c;
  };
  connect(cmdColor_, &QPushButton::clicked, this, [this] { ChooseTint(); });

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

void frmDuoTone::ChooseTint() {
  if (!chooseColor) return;
  const std::optional<QColor> chosen = chooseColor(this);
  if (!chosen || !chosen->isValid()) return;
  duoColor_ = FromQColor(*chosen);
  ShowTint();
  ReDrawDuo();
}

void frmDuoTone::ShowTint() {
  QPalette pal = picDuoColor_->palette();
  pal.setColor(QPalette::Window, ToQColor(duoColor_));
  picDuoColor_->setPalette(pal);
}

void frmDuoTone::Confirm() {
  ReDrawDuo();
  ApplyPreview();
}

}  // namespace gs
