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

struct FieldRow {
  const char* label;
  const char* caption;
  const char* field;
  const char* value;
};

// A frame of two labelled fields, one above the other; `fields` gets the fields.
QGroupBox* FieldFrame(const char* name, const char* title, const FieldRow (&rows)[2],
                      QLineEdit* (&fields)[2], QWidget* parent) {
  auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
  frame->setObjectName(name);
  QLabel* labels[2];
  for (int i = 0; i < 2; ++i) {
    labels[i] = NamedLabel(rows[i].label, rows[i].caption, frame);
    fields[i] = new QLineEdit(rows[i].value, frame);
    fields[i]->setObjectName(rows[i].field);
    fields[i]->setMaximumWidth(70);
  }
  auto* grid = new QGridLayout(frame);
  for (int i = 0; i < 2; ++i) {
    grid->addWidget(labels[i], i, 0);
    grid->addWidget(fields[i], i, 1);
  }
  return frame;
}

}  // namespace

frmResample::frmResample(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent)
    : PreviewEffectWindow(host, env, parent) {
  setObjectName("frmResample");
  setModal(true);
  setWindowTitle(QString::fromUtf8("Changer la taille de l'icone"));

  QLineEdit* offset[2];
  auto* frame1 = FieldFrame("FramePlus1", "Image Position",
                            {{"Label3", "X:", "txtOffX", "0"}, {"Label4", "Y:", "txtOffY", "0"}},
                            offset, this);
  txtOffX_ = offset[0];
  txtOffY_ = offset[1];
  QLineEdit* size[2];
  auto* frame2 = FieldFrame(
      "FramePlus2", " Taille d'image ",
      {{"Label5", "Largeur:", "txtNewWidth", "32"}, {"Label6", "Longueur:", "txtNewHeight", "32"}},
      size, this);
  txtNewWidth_ = size[0];
  txtNewHeight_ = size[1];

  MakePictures(previewSize, "Originale :", "Changée :");
  MakeOkCancel();

  auto* fields = new QHBoxLayout;
  fields->addWidget(frame1);
  fields->addWidget(frame2);
  LayOut(fields, ControlsAt::Above);

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
  ApplyPreview();
}

}  // namespace gs
