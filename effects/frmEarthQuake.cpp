#include "effects/frmEarthQuake.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "effects/effect_kernels.h"
#include "effects/qt_effect_widgets.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"

namespace gs {

frmEarthQuake::frmEarthQuake(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent)
    : PreviewEffectWindow(host, env, parent) {
  setObjectName("frmEarthQuake");
  setModal(true);
  setWindowTitle(QString::fromUtf8(GLYPHSMITH_APP_TITLE " " GLYPHSMITH_TITLE_VERSION " - Tirage"));

  auto* label5 = new QLabel(QString::fromUtf8("Intensité:"), this);
  label5->setObjectName("Label5");
  txtIntense_ = new QLineEdit("3", this);
  txtIntense_->setObjectName("txtIntense");
  txtIntense_->setMaximumWidth(60);
  chkEnds_ = new QCheckBox(QString::fromUtf8("Aperçu"), this);
  chkEnds_->setObjectName("chkEnds");
  MakePictures(previewSize, "Original :", "Tirage :");
  MakeOkCancel();

  auto* intensity = new QHBoxLayout;
  intensity->addWidget(label5);
  intensity->addWidget(txtIntense_);
  intensity->addWidget(chkEnds_);
  intensity->addStretch();
  LayOut(intensity, ControlsAt::Above);

  picOrg_->SetSurface(host_.Document().surface);
  LoadWindowLanguage(this, env_);
  ReDrawQuake();

  connect(txtIntense_, &QLineEdit::textChanged, this, [this] { ReDrawQuake(); });
  connect(chkEnds_, &QCheckBox::toggled, this, [this] { ReDrawQuake(); });
  connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });
}

void frmEarthQuake::ReDrawQuake() {
  const IconDocument& doc = host_.Document();
  const Rect r = doc.EffectRect().Normalized();
  const int n = EarthQuakeShift(txtIntense_->text().toStdString(), r.Width());
  picSample_->SetSurface(EarthQuakePreview(doc.surface, doc.selection, n, chkEnds_->isChecked()));
}

void frmEarthQuake::Confirm() {
  ReDrawQuake();
  ApplyPreview();
}

}  // namespace gs
