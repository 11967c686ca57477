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
    : QDialog(parent), host_(host), env_(env) {
  setObjectName("frmEarthQuake");
  setModal(true);
  setWindowTitle(QString::fromUtf8("Varnel Glyphsmith " GLYPHSMITH_TITLE_VERSION " - Tirage"));

  auto* label5 = new QLabel(QString::fromUtf8("Intensité:"), this);
  label5->setObjectName("Label5");
  txtIntense_ = new QLineEdit("3", this);
  txtIntense_->setObjectName("txtIntense");
  txtIntense_->setMaximumWidth(60);
  chkEnds_ = new QCheckBox(QString::fromUtf8("Aperçu"), this);
  chkEnds_->setObjectName("chkEnds");
  auto* label1 = new QLabel(QString::fromUtf8("Original :"), this);
  label1->setObjectName("Label1");
  picOrg_ = new SurfaceBox("picOrg", previewSize, this);
  auto* label2 = new QLabel(QString::fromUtf8("Tirage :"), this);
  label2->setObjectName("Label2");
  picSample_ = new SurfaceBox("picSample", previewSize, this);
  cmdOK_ = new QPushButton("&OK", this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setDefault(true);
  cmdCancel_ = new QPushButton("&Annuler", this);
  cmdCancel_->setObjectName("cmdCancel");

  auto* intensity = new QHBoxLayout;
  intensity->addWidget(label5);
  intensity->addWidget(txtIntense_);
  intensity->addWidget(chkEnds_);
  intensity->addStretch();
  LayOutEffectWindow(this, intensity, ControlsAt::Above, label1, picOrg_, label2, picSample_,
                     cmdOK_, cmdCancel_);

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
  ApplyEffectResult(host_, picSample_->Shown());
  accept();
}

}  // namespace gs
