#include "effects/frmResample.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "effects/effect_kernels.h"
#include "effects/qt_effect_widgets.h"
#include "lang/qt_translation.h"

namespace gs {

namespace {

QLineEdit* Field(const char* name, const char* text, QWidget* parent) {
  auto* f = new QLineEdit(text, parent);
  f->setObjectName(name);
  f->setMaximumWidth(70);
  return f;
}

}  // namespace

frmResample::frmResample(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent)
    : QDialog(parent), host_(host), env_(env) {
  setObjectName("frmResample");
  setModal(true);
  setWindowTitle(QString::fromUtf8("Changer la taille de l'icone"));

  auto* frame1 = new QGroupBox(QString::fromUtf8("Image Position"), this);
  frame1->setObjectName("FramePlus1");
  auto* label3 = NamedLabel("Label3", "X:", frame1);
  txtOffX_ = Field("txtOffX", "0", frame1);
  auto* label4 = NamedLabel("Label4", "Y:", frame1);
  txtOffY_ = Field("txtOffY", "0", frame1);
  auto* g1 = new QGridLayout(frame1);
  g1->addWidget(label3, 0, 0);
  g1->addWidget(txtOffX_, 0, 1);
  g1->addWidget(label4, 1, 0);
  g1->addWidget(txtOffY_, 1, 1);

  auto* frame2 = new QGroupBox(QString::fromUtf8(" Taille d'image "), this);
  frame2->setObjectName("FramePlus2");
  auto* label5 = NamedLabel("Label5", "Largeur:", frame2);
  txtNewWidth_ = Field("txtNewWidth", "32", frame2);
  auto* label6 = NamedLabel("Label6", "Longueur:", frame2);
  txtNewHeight_ = Field("txtNewHeight", "32", frame2);
  auto* g2 = new QGridLayout(frame2);
  g2->addWidget(label5, 0, 0);
  g2->addWidget(txtNewWidth_, 0, 1);
  g2->addWidget(label6, 1, 0);
  g2->addWidget(txtNewHeight_, 1, 1);

  auto* label1 = NamedLabel("Label1", "Originale :", this);
  picOrg_ = new SurfaceBox("picOrg", previewSize, this);
  auto* label2 = NamedLabel("Label2", "Changée :", this);
  picSample_ = new SurfaceBox("picSample", previewSize, this);
  cmdOK_ = new QPushButton("&OK", this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setDefault(true);
  cmdCancel_ = new QPushButton("&Annuler", this);
  cmdCancel_->setObjectName("cmdCancel");

  auto* fields = new QHBoxLayout;
  fields->addWidget(frame1);
  fields->addWidget(frame2);
  LayOutEffectWindow(this, fields, ControlsAt::Above, label1, picOrg_, label2, picSample_, cmdOK_,
                     cmdCancel_);

  for (QLineEdit* f : {txtOffX_, txtOffY_, txtNewWidth_, txtNewHeight_})
    connect(f, &QLineEdit::textChanged, this, [this] { ReDrawResample(); });
  connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });

  // Load: a selection puts itself in the fields, so untouched fields keep it in place.
  const IconDocument& doc = host_.Document();
  picOrg_->SetSurface(doc.surface);
  if (doc.selection.active) {
    const ResampleBox box = InitialResampleBox(doc.selection);
    txtOffX_->setText(QString::number(box.offX));
    txtOffY_->setText(QString::number(box.offY));
    txtNewWidth_->setText(QString::number(box.width));
    txtNewHeight_->setText(QString::number(box.height));
  }
  ReDrawResample();
  LoadWindowLanguage(this, env_);
}

void frmResample::ReDrawResample() {
  const IconDocument& doc = host_.Document();
  const ResampleBox box =
      ResampleBoxFromTexts(txtOffX_->text().toStdString(), txtOffY_->text().toStdString(),
                           txtNewWidth_->text().toStdString(), txtNewHeight_->text().toStdString());
  picSample_->SetSurface(ResampleIcon(doc.surface, doc.selection, box));
}

void frmResample::Confirm() {
  ReDrawResample();
  ApplyEffectResult(host_, picSample_->Shown());
  accept();
}

}  // namespace gs
