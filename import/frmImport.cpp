#include "import/frmImport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QValidator>

#include "document/qt_canvas.h"
#include "files/qt_file_dialogs.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"

namespace gs {

namespace {

constexpr int kMargin = 8;
constexpr int kFieldWidth = 70;
constexpr int kFieldHeight = 22;
constexpr int kButtonHeight = 27;

// The outline of a region, `width` pixels thick, drawn by inverting what is
// under it, so the rectangle shows on any picture.
void InvertOutline(QPainter& p, const QRect& r, int width) {
  if (r.width() <= 0 || r.height() <= 0) return;
  const int out = width / 2, in = width - out;
  const QRect outer = r.adjusted(-out, -out, out, out);
  const QRegion band = QRegion(outer).subtracted(QRegion(r.adjusted(in, in, -in, -in)));
  p.save();
  p.setClipRegion(band);
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.fillRect(outer, Qt::white);
  p.restore();
}

}  // namespace

// The picture at full size with the marked region; reports the pointer in
// picture pixels.
// The corner fields keep only the digits of what is typed or pasted.
class DigitsValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const std::string kept = DigitsOnly(input.toStdString());
    if (static_cast<qsizetype>(kept.size()) != input.size()) {
      pos = static_cast<int>(DigitsOnly(input.left(pos).toStdString()).size());
      input = QString::fromStdString(kept);
    }
    return Acceptable;
  }
};

class ImportPictureView : public QWidget {
 public:
  ImportPictureView(frmImport& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setObjectName("picFull");
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.fillRect(e->rect(), Qt::white);
    if (!owner_.shown_.isNull()) p.drawImage(0, 0, owner_.shown_);
    if (owner_.showRectangle_ || owner_.dragging_) {
      const ImportRegion r = owner_.OrderedRegion();
      InvertOutline(p, QRect(r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1), owner_.dragging_ ? 3 : 1);
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    owner_.PointerPressed(e->position().x(), e->position().y());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    owner_.PointerMoved(e->position().x(), e->position().y(), e->buttons() == Qt::LeftButton);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    owner_.PointerReleased(e->position().x(), e->position().y());
  }

 private:
  frmImport& owner_;
};

class ImportPreview : public QWidget {
 public:
  ImportPreview(const Surface& pixels, QSize size, QWidget* parent)
      : QWidget(parent), pixels_(pixels) {
    setObjectName("picResult");
    setFixedSize(size);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, SurfaceImage(pixels_));
  }

 private:
  const Surface& pixels_;
};

frmImport::frmImport(ImportTarget target, QSize previewSize, Environment& env, QWidget* parent)
    : QDialog(parent), target_(std::move(target)), preview_(32, 32), env_(env) {
  setObjectName("frmImport");
  setModal(true);
  setWindowTitle(QString::fromUtf8(kImportTitle));
  preview_.FillRect(preview_.Bounds(), kWhite);

  label1_ = new QLabel(QString::fromUtf8("Image complète :"), this);
  label1_->setObjectName("Label1");
  picture1_ = new QWidget(this);
  picture1_->setObjectName("Picture1");
  picture1_->setAutoFillBackground(true);
  picFull_ = new ImportPictureView(*this, picture1_);
  scrHorizontal_ = new QScrollBar(Qt::Horizontal, picture1_);
  scrHorizontal_->setObjectName("scrHorizontal");
  scrVertical_ = new QScrollBar(Qt::Vertical, picture1_);
  scrVertical_->setObjectName("scrVertical");

  static const char* const kLabels[4] = {"X1:", "Y1:", "X2:", "Y2:"};
  static const char* const kFieldNames[4] = {"txtLeft", "txtTop", "txtWidth", "txtHeight"};
  auto* digits = new DigitsValidator(this);
  for (int i = 0; i < 4; ++i) {
    fieldLabels_[i] = new QLabel(kLabels[i], this);
    fieldLabels_[i]->setObjectName(QString("Label%1").arg(i + 3));
    fields_[i] = new QLineEdit(kImportFieldDefaults[static_cast<std::size_t>(i)], this);
    fields_[i]->setObjectName(kFieldNames[i]);
    fields_[i]->setValidator(digits);
  }
  label2_ = new QLabel(QString::fromUtf8("Résultat:"), this);
  label2_->setObjectName("Label2");
  picResult_ = new ImportPreview(preview_, previewSize, this);
  cmdSelect_ = new QPushButton("&Selectionner image", this);
  cmdSelect_->setObjectName("cmdSelect");
  cmdImport_ = new QPushButton("&Importer", this);
  cmdImport_->setObjectName("cmdImport");

  // The corners start from the fields' built-in texts.
  for (int i = 0; i < 4; ++i)
    region_.SetCorner(i, CornerFromText(fields_[i]->text().toStdString()));
  for (int i = 0; i < 4; ++i)
    connect(fields_[i], &QLineEdit::textChanged, this,
            [this, i](const QString& t) { FieldChanged(i, t); });
  connect(scrHorizontal_, &QScrollBar::valueChanged, this,
          [this](int v) { picFull_->move(-v, picFull_->y()); });
  connect(scrVertical_, &QScrollBar::valueChanged, this,
          [this](int v) { picFull_->move(picFull_->x(), -v); });
  connect(cmdSelect_, &QPushButton::clicked, this, [this] { ChoosePicture(); });
  connect(cmdImport_, &QPushButton::clicked, this, [this] { Import(); });

  resize(640, 460);
  setMinimumSize(360, 260);
  LayoutControls();
}

frmImport::~frmImport() = default;

QWidget* frmImport::picFull() const { return picFull_; }
QWidget* frmImport::picResult() const { return picResult_; }

ImportRegion frmImport::OrderedRegion() const {
  ImportRegion r = region_;
  r.Arrange();
  return r;
}

void frmImport::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!activated_) {
    activated_ = true;
    // Pending events first, so the window is drawn behind the file dialog.
    QTimer::singleShot(0, this, [this] { Activate(); });
  }
}

void frmImport::Activate() {
  if (!HasPicture()) {
    ChoosePicture();
    if (!HasPicture()) {
      reject();
      return;
    }
  }
  LoadWindowLanguage(this, env_);
}

bool frmImport::ChoosePicture() {
  const QString path = ShowOpenDialog(env_, this, ImportPictureDialog());
  if (path.isEmpty()) return false;
  return LoadPicture(path);
}

bool frmImport::LoadPicture(const QString& path) {
  Picture next;
  std::string error;
  if (!LoadPictureFile(path.toStdString(), next, error)) {
    // The picture shown before, if any, stays.
    env_.Dialogs().Message(this, QMessageBox::Critical, kAppTitle, QString::fromStdString(error),
                           QMessageBox::Ok, QMessageBox::Ok);
    return false;
  }
  // Later pictures keep the region the user marked.
  const bool first = picture_.Empty();
  picture_ = std::move(next);
  shown_ = QImage(picture_.width, picture_.height, QImage::Format_RGB32);
  for (int y = 0; y < picture_.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown_.scanLine(y));
    const Color* src = picture_.pixels.data() + static_cast<std::size_t>(y) * picture_.width;
    for (int x = 0; x < picture_.width; ++x)
      row[x] = qRgb(RedOf(src[x]), GreenOf(src[x]), BlueOf(src[x]));
  }
  scrHorizontal_->setValue(0);
  scrVertical_->setValue(0);
  picFull_->setGeometry(0, 0, picture_.width, picture_.height);
  if (first)
    ShowRegion(StartRegion(picture_.width, picture_.height));
  else
    ReDraw(true);
  UpdateScrollRanges();
  return true;
}

void frmImport::ReDraw(bool showRectangle) {
  showRectangle_ = showRectangle;
  picFull_->update();
  if (showRectangle) {
    ImportPictureRegion(preview_, picture_, region_);
    picResult_->update();
  }
}

void frmImport::FieldChanged(int index, const QString& text) {
  region_.SetCorner(index, CornerFromText(text.toStdString()));
  ReDraw(true);
}

void frmImport::PointerPressed(double x, double y) {
  ReDraw(false);
  region_.Press(x, y);
  dragging_ = true;
  picFull_->update();
}

void frmImport::PointerMoved(double x, double y, bool leftOnly) {
  if (!leftOnly || !dragging_) return;
  region_.Move(x, y, picFull_->width(), picFull_->height());
  picFull_->update();
}

void frmImport::PointerReleased(double x, double y) {
  if (!dragging_) return;
  dragging_ = false;
  region_.Release(x, y, picFull_->width(), picFull_->height());
  // Ordered before the fields are written, so that they show the region used.
  ShowRegion(OrderedRegion());
}

void frmImport::ShowRegion(const ImportRegion& r) {
  // One redraw for the four fields, not one for each.
  for (int i = 0; i < 4; ++i) {
    const QSignalBlocker quiet(fields_[i]);
    fields_[i]->setText(QString::number(r.Corner(i)));
  }
  region_ = r;
  ReDraw(true);
}

void frmImport::Import() {
  Surface result = target_.document.surface;
  if (HasPicture() && ImportPictureRegion(result, picture_, region_)) {
    if (target_.createBackup) target_.createBackup();
    target_.document.surface = std::move(result);
    // The imported picture exists nowhere else: leaving must ask to save it.
    target_.document.modified = true;
    if (target_.rePaint) target_.rePaint();
  }
  accept();
}

void frmImport::UpdateScrollRanges() {
  const int hMax = ScrollMaximum(picture_.width, scrVertical_->x());
  const int vMax = ScrollMaximum(picture_.height, scrHorizontal_->y());
  scrHorizontal_->setRange(0, hMax);
  scrVertical_->setRange(0, vMax);
  scrHorizontal_->setEnabled(hMax >= 1);
  scrVertical_->setEnabled(vMax >= 1);
  scrHorizontal_->setPageStep(std::max(1, scrVertical_->x()));
  scrVertical_->setPageStep(std::max(1, scrHorizontal_->y()));
  scrHorizontal_->setSingleStep(16);
  scrVertical_->setSingleStep(16);
}

void frmImport::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  LayoutControls();
}

void frmImport::LayoutControls() {
  const int w = width(), h = height();
  label1_->setGeometry(kMargin, 4, 200, 18);
  const int vpLeft = kMargin, vpTop = 24;
  const int vpWidth = w - vpLeft - kFieldWidth - 15 - kMargin;
  const int vpHeight = h - vpTop - kButtonHeight - 10;
  // Sizes that do not fit skip the step, as the window does at tiny sizes.
  if (vpWidth > 40 && vpHeight > 40) {
    picture1_->setGeometry(vpLeft, vpTop, vpWidth, vpHeight);
    const int bar = scrVertical_->sizeHint().width();
    const int barH = scrHorizontal_->sizeHint().height();
    scrVertical_->setGeometry(vpWidth - bar, 0, bar, vpHeight - barH);
    scrHorizontal_->setGeometry(0, vpHeight - barH, vpWidth - bar, barH);
    scrVertical_->raise();
    scrHorizontal_->raise();
  }
  cmdSelect_->setGeometry(kMargin, h - kButtonHeight - 5, 150, kButtonHeight);
  cmdImport_->setGeometry(w - 110 - 5, h - kButtonHeight - 5, 110, kButtonHeight);
  const int fieldLeft = w - kFieldWidth - 10;
  for (int i = 0; i < 4; ++i) {
    fieldLabels_[i]->setGeometry(fieldLeft, 24 + i * 46, kFieldWidth, 18);
    fields_[i]->setGeometry(fieldLeft + 5, 42 + i * 46, kFieldWidth - 5, kFieldHeight);
  }
  label2_->setGeometry(w - picResult_->width() - 10 - 20, 24 + 4 * 46, picResult_->width() + 25,
                       18);
  picResult_->move(w - picResult_->width() - 5, 42 + 4 * 46);
  UpdateScrollRanges();
}

}  // namespace gs
