#include "files/frmSave.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "document/qt_canvas.h"
#include "files/qt_file_dialogs.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"

namespace gs {

// The actual-size preview; reports presses and left-button drags in its own
// pixels.
class SavePreview : public QWidget {
 public:
  SavePreview(const IconDocument& doc, const int& bitCnt, QSize size, QWidget* parent)
      : QWidget(parent), doc_(doc), bitCnt_(bitCnt) {
    setObjectName("picPrev");
    setFixedSize(size);
  }
  std::function<void(int, int)> pointed;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (bitCnt_ != 0) p.drawImage(0, 0, SurfaceImage(PreviewAtDepth(doc_.surface, bitCnt_)));
  }
  void mousePressEvent(QMouseEvent* e) override { Report(e); }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (e->buttons() & Qt::LeftButton) Report(e);
  }

 private:
  void Report(QMouseEvent* e) {
    if (pointed)
      pointed(static_cast<int>(std::floor(e->position().x())),
              static_cast<int>(std::floor(e->position().y())));
  }
  const IconDocument& doc_;
  const int& bitCnt_;
};

frmSave::frmSave(const IconDocument& doc, QSize previewSize, Environment& env, QWidget* parent)
    : QDialog(parent), doc_(doc), env_(env) {
  setObjectName("frmSave");
  setModal(true);
  setWindowTitle(kSaveIconTitle);

  label1_ = new QLabel(QString::fromUtf8("Enregistrer sous.."), this);
  label1_->setObjectName("Label1");
  cmbSaveAs_ = new QComboBox(this);
  cmbSaveAs_->setObjectName("cmbSaveAs");
  for (const SaveTypeRow& row : kSaveTypeRows) cmbSaveAs_->addItem(row.text);

  picPrev_ = new SavePreview(doc_, model_.bitCnt, previewSize, this);
  picPrev_->pointed = [this](int x, int y) { PointAt(x, y); };

  frame1_ = new QGroupBox("Optimiser", this);
  frame1_->setObjectName("Frame1");
  cmbOptimize_ = new QComboBox(frame1_);
  cmbOptimize_->setObjectName("cmbOptimize");
  for (const char* text : kOptimizeRows) cmbOptimize_->addItem(text);
  auto* f1 = new QVBoxLayout(frame1_);
  f1->addWidget(cmbOptimize_);

  frame2_ = new QGroupBox("Hotspot", this);
  frame2_->setObjectName("Frame2");
  auto* label2 = new QLabel("X:", frame2_);
  label2->setObjectName("Label2");
  auto* label3 = new QLabel("Y:", frame2_);
  label3->setObjectName("Label3");
  txtHotX_ = new QLineEdit("0", frame2_);
  txtHotX_->setObjectName("txtHotX");
  txtHotY_ = new QLineEdit("0", frame2_);
  txtHotY_->setObjectName("txtHotY");
  auto* f2 = new QGridLayout(frame2_);
  f2->addWidget(label2, 0, 0);
  f2->addWidget(txtHotX_, 0, 1);
  f2->addWidget(label3, 1, 0);
  f2->addWidget(txtHotY_, 1, 1);
  frame2_->setVisible(false);

  lblKept_ = new QLabel(QString::fromUtf8("Les autres tailles du fichier sont conservées."), this);
  lblKept_->setObjectName("lblKept");
  lblKept_->setVisible(false);

  cmdOK_ = new QPushButton("&OK", this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setDefault(true);
  cmdCancel_ = new QPushButton("&Annuler", this);
  cmdCancel_->setObjectName("cmdCancel");

  auto* top = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(label1_);
  left->addWidget(cmbSaveAs_);
  left->addWidget(frame1_);
  left->addWidget(frame2_);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(picPrev_, 0, Qt::AlignHCenter);
  right->addStretch();
  right->addWidget(cmdOK_);
  right->addWidget(cmdCancel_);
  top->addLayout(left);
  top->addLayout(right);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top);
  outer->addWidget(lblKept_);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  // First load: 4 bits, then "Extreme".
  cmbSaveAs_->setCurrentIndex(model_.typeRow);
  cmbOptimize_->setCurrentIndex(model_.optimizeRow);
  TypeChanged(model_.typeRow);
  AddWindowMessages(this, {{"msgHotspotX", kHotspotXWarning},
                           {"msgHotspotY", kHotspotYWarning},
                           {"msgIconTitle", kSaveIconTitle},
                           {"msgCursorTitle", kSaveCursorTitle},
                           {"msgBitmapTitle", kSaveBitmapTitle},
                           {"msgPcxTitle", kSavePcxTitle}});
  LoadWindowLanguage(this, env_);
  connect(cmbSaveAs_, &QComboBox::currentIndexChanged, this, [this](int row) { TypeChanged(row); });
  connect(cmbOptimize_, &QComboBox::currentIndexChanged, this,
          [this](int row) { model_.SelectOptimize(row); });
  connect(cmdOK_, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });
}

QWidget* frmSave::picPrev() const { return picPrev_; }

void frmSave::Prepare(const QString& title, bool hotspotVisible, bool keepsOtherImages,
                      int keepDepth) {
  model_.Prepare(title.toStdString(), hotspotVisible);
  if (const int row = SaveTypeRowFor(keepDepth); row >= 0) cmbSaveAs_->setCurrentIndex(row);
  unloaded_ = false;
  setWindowTitle(InWindowLanguage(this, title));
  frame2_->setVisible(hotspotVisible);
  lblKept_->setVisible(keepsOtherImages);
  cmbOptimize_->setEnabled(model_.OptimizeEnabled());
  picPrev_->update();
  // The window is reused: a Cancel pressed last time must not keep the focus,
  // or Enter would cancel this save.
  cmdOK_->setDefault(true);
  cmdOK_->setFocus(Qt::OtherFocusReason);
}

void frmSave::TypeChanged(int row) {
  model_.SelectType(row);
  cmbOptimize_->setEnabled(model_.OptimizeEnabled());
  picPrev_->update();
}

void frmSave::PointAt(int x, int y) {
  model_.PointAtPreview(x, y);
  txtHotX_->setText(QString::fromStdString(model_.hotXText));
  txtHotY_->setText(QString::fromStdString(model_.hotYText));
}

void frmSave::Confirm() {
  const HotspotCheck check =
      model_.Confirm(txtHotX_->text().toStdString(), txtHotY_->text().toStdString());
  if (!check.ok) {
    env_.Dialogs().Message(this, QMessageBox::Warning, kAppTitle,
                           InWindowLanguage(this, QString::fromUtf8(check.warning.c_str())),
                           QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  accept();
}

void frmSave::reject() {
  model_.Cancel();
  QDialog::reject();
}

void frmSave::closeEvent(QCloseEvent* e) {
  unloaded_ = true;
  model_.Cancel();
  QDialog::closeEvent(e);
}

}  // namespace gs
