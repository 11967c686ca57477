#include "effects/frmText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "effects/qt_effect_widgets.h"
#include "effects/qt_text_raster.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"

namespace gs {

// The sample picture box.
class SampleBox : public QWidget {
 public:
  explicit SampleBox(QWidget* parent) : QWidget(parent) {
    setObjectName("picPreview");
    setFixedSize(170, 48);
  }
  void SetImage(const QImage& image) {
    image_ = image;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, image_);
  }

 private:
  QImage image_;
};

namespace {

QCheckBox* StyleBox(const char* name, const char* text, void (QFont::*set)(bool), QWidget* parent) {
  auto* c = new QCheckBox(QString::fromUtf8(text), parent);
  c->setObjectName(name);
  QFont f = c->font();
  (f.*set)(true);
  c->setFont(f);
  return c;
}

}  // namespace

frmText::frmText(EffectHost& host, QSize previewSize, int offX, int offY, Color foreColor,
                 Environment& env, QWidget* parent)
    : QDialog(parent), OffX(offX), OffY(offY), NewForeColor(foreColor), host_(host), env_(env) {
  setObjectName("frmText");
  setModal(true);
  setWindowTitle(QString::fromUtf8(GLYPHSMITH_APP_TITLE " - Texte Maker"));

  auto* frame4 = new QFrame(this);
  frame4->setObjectName("Frame4");
  frame4->setFrameShape(QFrame::StyledPanel);
  cmbFonts_ = new QComboBox(frame4);
  cmbFonts_->setObjectName("cmbFonts");
  cmbFonts_->setEditable(true);
  cmbFonts_->setInsertPolicy(QComboBox::NoInsert);
  cmbFonts_->setMinimumContentsLength(18);
  cmbFontSize_ = new QComboBox(frame4);
  cmbFontSize_->setObjectName("cmbFontSize");
  cmbFontSize_->setEditable(true);
  cmbFontSize_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* s : kTextFontSizes) cmbFontSize_->addItem(s);
  auto* f4 = new QHBoxLayout(frame4);
  f4->addWidget(cmbFonts_, 1);
  f4->addWidget(cmbFontSize_);

  auto* frame2 = new QGroupBox(QString::fromUtf8("Effets"), this);
  frame2->setObjectName("Frame2");
  chkBold_ = StyleBox("chkBold", "B", &QFont::setBold, frame2);
  chkItalic_ = StyleBox("chkItalic", "I", &QFont::setItalic, frame2);
  chkUnderlined_ = StyleBox("chkUnderlined", "U", &QFont::setUnderline, frame2);
  chkStrikeThrough_ = StyleBox("chkStrikeThrough", "S", &QFont::setStrikeOut, frame2);
  auto* f2 = new QHBoxLayout(frame2);
  for (QCheckBox* c : {chkBold_, chkItalic_, chkUnderlined_, chkStrikeThrough_}) f2->addWidget(c);

  auto* frame1 = new QGroupBox(QString::fromUtf8("Example"), this);
  frame1->setObjectName("Frame1");
  picPreview_ = new SampleBox(frame1);
  auto* f1 = new QVBoxLayout(frame1);
  f1->addWidget(picPreview_, 0, Qt::AlignCenter);

  auto* frame3 = new QGroupBox(QString::fromUtf8("position"), this);
  frame3->setObjectName("Frame3");
  auto* label4 = NamedLabel("Label4", "X:", frame3);
  txtOffX_ = new QLineEdit("0", frame3);
  txtOffX_->setObjectName("txtOffX");
  txtOffX_->setMaximumWidth(60);
  auto* label5 = NamedLabel("Label5", "Y:", frame3);
  txtOffY_ = new QLineEdit("0", frame3);
  txtOffY_->setObjectName("txtOffY");
  txtOffY_->setMaximumWidth(60);
  auto* f3 = new QGridLayout(frame3);
  f3->addWidget(label4, 0, 0);
  f3->addWidget(txtOffX_, 0, 1);
  f3->addWidget(label5, 1, 0);
  f3->addWidget(txtOffY_, 1, 1);

  auto* label3 = NamedLabel("Label3", "Mon texte:", this);
  txtText_ = new QLineEdit(QString::fromUtf8(kTextDefault), this);
  txtText_->setObjectName("txtText");
  auto* label1 = NamedLabel("Label1", "Originale:", this);
  picOrg_ = new SurfaceBox("picOrg", previewSize, this);
  auto* label2 = NamedLabel("Label2", "Résultat:", this);
  picResult_ = new SurfaceBox("picResult", previewSize, this);
  cmdapply_ = new QPushButton(QString::fromUtf8("&Appliquer"), this);
  cmdapply_->setObjectName("cmdapply");
  cmdapply_->setDefault(true);
  cmdCancel_ = new QPushButton(QString::fromUtf8("&Annuler"), this);
  cmdCancel_->setObjectName("cmdCancel");

  auto* left = new QVBoxLayout;
  left->addWidget(frame4);
  left->addWidget(frame2);
  left->addWidget(frame1);
  auto* text = new QHBoxLayout;
  text->addWidget(label3);
  text->addWidget(txtText_, 1);
  left->addLayout(text);
  QGridLayout* pictures = PicturePair(label1, picOrg_, label2, picResult_);
  auto* right = new QVBoxLayout;
  right->addWidget(frame3);
  right->addLayout(pictures);
  right->addStretch();
  right->addWidget(cmdapply_);
  right->addWidget(cmdCancel_);
  auto* outer = new QHBoxLayout(this);
  outer->addLayout(left);
  outer->addLayout(right);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  auto redraw = [this] {
    if (!loading_) RedrawMe();
  };
  connect(txtOffX_, &QLineEdit::textChanged, this, [this, redraw](const QString& t) {
    OffX = TextPositionFromText(t.toStdString());
    redraw();
  });
  connect(txtOffY_, &QLineEdit::textChanged, this, [this, redraw](const QString& t) {
    OffY = TextPositionFromText(t.toStdString());
    redraw();
  });
  connect(txtText_, &QLineEdit::textChanged, this, redraw);
  connect(cmbFonts_, &QComboBox::currentTextChanged, this, redraw);
  connect(cmbFontSize_, &QComboBox::currentTextChanged, this, redraw);
  for (QCheckBox* c : {chkBold_, chkItalic_, chkUnderlined_, chkStrikeThrough_})
    connect(c, &QCheckBox::toggled, this, redraw);
  connect(cmdapply_, &QPushButton::clicked, this, [this] { Apply(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });

  // Load.
  picOrg_->SetSurface(host_.Document().surface);
  cmbFontSize_->setCurrentIndex(kTextDefaultSizeIndex);
  txtOffX_->setText(QString::number(OffX));
  txtOffY_->setText(QString::number(OffY));
  const QStringList families = InstalledFontFamilies();
  cmbFonts_->addItems(families);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(families.size()));
  for (const QString& f : families) names.push_back(f.toStdString());
  const int start = ChooseStartFont(names, DesktopSansSerif().toStdString());
  if (start >= 0) cmbFonts_->setCurrentIndex(start);
  LoadWindowLanguage(this, env_);
  loading_ = false;
  RedrawMe();
}

QWidget* frmText::picPreview() const { return picPreview_; }

void frmText::SetFont() {
  style_.bold = chkBold_->isChecked();
  style_.italic = chkItalic_->isChecked();
  style_.underline = chkUnderlined_->isChecked();
  style_.strikeOut = chkStrikeThrough_->isChecked();
  style_.family = cmbFonts_->currentText().toStdString();
  // A size the font refuses ("abc", "0") keeps the one before.
  if (std::optional<int> size = FontSizeFromText(cmbFontSize_->currentText().toStdString()))
    style_.pointSize = *size;
}

void frmText::RedrawMe() {
  SetFont();
  picPreview_->SetImage(TextSampleImage(style_, NewForeColor, picPreview_->size()));
  picResult_->SetSurface(
      StampText(host_.Document().surface, style_, txtText_->text(), OffX, OffY, NewForeColor));
}

void frmText::Apply() {
  RedrawMe();
  host_.Document().surface = picResult_->Shown();
  host_.RePaint();
  picOrg_->SetSurface(host_.Document().surface);
}

}  // namespace gs
