#include "import/frmExtract.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "document/qt_canvas.h"
#include "import/qt_icon_provider.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "platform/qt_dialog_seam.h"

namespace gs {

namespace {
constexpr int kClientWidth = 486;
constexpr int kClientHeight = 293;
constexpr int kViewportWidth = 141;
constexpr int kViewportHeight = 140;
constexpr int kViewportBorder = 2;
constexpr int kInnerHeight = kViewportHeight - 2 * kViewportBorder;  // 136
constexpr int kScrollWidth = 17;
}  // namespace

// picIcons: the grid's picture, the highlight inverted, and the pointer in grid pixels.
class ExtractGridView : public QWidget {
 public:
  ExtractGridView(const ExtractGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setObjectName("picIcons");
  }
  std::function<void(int, int, bool)> pointed;

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // Only the rows being painted: the whole grid of a large program is tall.
    const QRect r = rect().intersected(e->rect());
    const int first = std::max(0, r.top() / ExtractGrid::kCell);
    const int last = std::max(first, r.bottom() / ExtractGrid::kCell);
    p.drawImage(0, ExtractGrid::kCell * first, SurfaceImage(grid_.Band(first, last - first + 1)));
    if (grid_.noIcons) {
      p.setPen(Qt::black);
      const int line = fontMetrics().height();
      p.drawText(0, fontMetrics().ascent(), QStringLiteral(" No icons"));
      p.drawText(0, line + fontMetrics().ascent(), QStringLiteral(" available"));
    }
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Report(e, e->button() == Qt::LeftButton && e->buttons() == Qt::NoButton);
  }
  void mouseMoveEvent(QMouseEvent* e) override { Report(e, e->buttons() == Qt::LeftButton); }

 private:
  void Report(QMouseEvent* e, bool leftOnly) {
    if (pointed)
      pointed(static_cast<int>(std::floor(e->position().x())),
              static_cast<int>(std::floor(e->position().y())), leftOnly);
  }
  const ExtractGrid& grid_;
};

// Image1: the decorative picture beside the pages, a few icon cells on a gradient.
class ExtractDecoration : public QWidget {
 public:
  explicit ExtractDecoration(QWidget* parent) : QWidget(parent) { setObjectName("Image1"); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(40, 70, 140));
    g.setColorAt(1, QColor(120, 170, 230));
    p.fillRect(rect(), g);
    p.setPen(QColor(255, 255, 255, 90));
    for (int y = 24; y < height() - 24; y += 40)
      for (int x = 20; x + 32 <= width() - 16; x += 44) p.drawRect(x, y, 32, 32);
    const IconPicture doc = GenericDocumentIcon();
    p.drawImage(width() / 2 - 16, height() - 64, ImageOfPicture(doc));
  }
};

frmExtract::frmExtract(ImportTarget target, Environment& env, QWidget* parent,
                       std::unique_ptr<IconProvider> icons)
    : QDialog(parent),
      target_(std::move(target)),
      icons_(icons ? std::move(icons) : std::make_unique<DesktopIconProvider>()),
      grid_(kInnerHeight),
      env_(env) {
  setObjectName("frmExtract");
  setModal(true);
  setWindowTitle(QString::fromUtf8(GLYPHSMITH_APP_TITLE " " GLYPHSMITH_TITLE_VERSION
                                                        " - extraire icons depuis un fichiers"));
  setFixedSize(kClientWidth, kClientHeight);

  auto* image = new ExtractDecoration(this);
  image->setGeometry(8, 8, 120, 240);

  // Page 1.
  frame1_ = new QGroupBox(QString::fromUtf8("Bienvenue"), this);
  frame1_->setObjectName("FramePlus1");
  frame1_->setGeometry(136, 8, 342, 240);
  frame2_ = new QGroupBox(QString::fromUtf8("Choisisser un fichier"), frame1_);
  frame2_->setObjectName("FramePlus2");
  frame2_->setGeometry(10, 20, 322, 162);
  browser_ = std::make_unique<FileBrowser>(frame2_, "*");
  browser_->drvDrive()->setGeometry(8, 28, 145, 24);
  browser_->drDir()->setGeometry(8, 56, 145, 96);
  browser_->fleFile()->setGeometry(160, 28, 154, 124);
  browser_->onDriveFailed = [this](const QString& error) {
    env_.Dialogs().Message(this, QMessageBox::Critical, kAppTitle, error, QMessageBox::Ok,
                           QMessageBox::Ok);
  };
  browser_->onFileClicked = [this](const QString& path) { ChooseFile(path.toStdString()); };
  auto* label1 = new QLabel(
      QString::fromUtf8("Choisisser un fichier pour extraire les icons, souvent c'est des "
                        "exécutables et des dlls."),
      frame1_);
  label1->setObjectName("Label1");
  label1->setWordWrap(true);
  label1->setGeometry(12, 186, 318, 46);

  // Page 2, in the same place, hidden at first.
  frame3_ = new QGroupBox(QString::fromUtf8("Icons contenus dans le fichier :"), this);
  frame3_->setObjectName("FramePlus3");
  frame3_->setGeometry(136, 8, 342, 240);
  preview_ = new QFrame(frame3_);
  preview_->setObjectName("picPreview");
  preview_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  preview_->setLineWidth(kViewportBorder);
  preview_->setGeometry(12, 24, kViewportWidth, kViewportHeight);
  auto* inner = new QWidget(preview_);
  inner->setGeometry(kViewportBorder, kViewportBorder, kViewportWidth - 2 * kViewportBorder,
                     kInnerHeight);
  gridView_ = new ExtractGridView(grid_, inner);
  gridView_->setGeometry(0, 0, ExtractGrid::kWidth, ExtractGrid::kWidth);
  gridView_->pointed = [this](int x, int y, bool leftOnly) { GridMouse(x, y, leftOnly); };
  scroll_ = new QScrollBar(Qt::Vertical, inner);
  scroll_->setObjectName("scrPreview");
  scroll_->setGeometry(inner->width() - kScrollWidth, 0, kScrollWidth, kInnerHeight);
  scroll_->setRange(0, 0);
  scroll_->setPageStep(1);
  scroll_->setEnabled(false);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { Scroll(v); });
  auto* label2 = new QLabel(QString::fromUtf8("Choisisser une icon dans la liste et cliquer sur "
                                              "'Extraire' pour l'importer"),
                            frame3_);
  label2->setObjectName("Label2");
  label2->setWordWrap(true);
  label2->setGeometry(164, 24, 170, 64);
  auto* label4 = new QLabel(QString::fromUtf8("Un fichier qui n'est ni un programme, ni une "
                                              "bibliothèque, ni une icône montre l'icône que le "
                                              "bureau donne à son type."),
                            frame3_);
  label4->setObjectName("Label4");
  label4->setWordWrap(true);
  label4->setGeometry(164, 92, 170, 80);
  extract_ = new QPushButton(QString::fromUtf8("&Extraire"), frame3_);
  extract_->setObjectName("cmdExtract");
  extract_->setGeometry(164, 180, 110, 28);
  frame3_->setVisible(false);

  next_ = new QPushButton(QString::fromUtf8("&Suivant"), this);
  next_->setObjectName("ButtonPlus1");
  next_->setGeometry(286, 256, 92, 28);
  next_->setDefault(true);
  cancel_ = new QPushButton(QString::fromUtf8("&Annuler"), this);
  cancel_->setObjectName("cmdCancel");
  cancel_->setGeometry(386, 256, 92, 28);

  connect(next_, &QPushButton::clicked, this, [this] { NextPage(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
  connect(extract_, &QPushButton::clicked, this, [this] { Extract(); });
  AddWindowMessages(
      this, {{kExtractFailedMessageKey, kExtractFailed}, {kTooManyIconsMessageKey, kTooManyIcons}});
  LoadWindowLanguage(this, env_);
}

frmExtract::~frmExtract() = default;

QWidget* frmExtract::picIcons() const { return gridView_; }

void frmExtract::ChooseFile(const std::string& path) {
  grid_.ChooseFile(path, *icons_);
  if (grid_.scrollEnabled) {
    scroll_->setValue(0);
    scroll_->setEnabled(true);
  } else {
    scroll_->setEnabled(false);
  }
  gridView_->setGeometry(0, 0, ExtractGrid::kWidth, grid_.Height());
  // A range below zero (everything fits) shows as an empty range.
  scroll_->setRange(0, std::max(0, grid_.scrollMax));
  Scroll(scroll_->value());
  gridView_->update();
  if (grid_.cut && path != cutSaid_) {
    // Said once for the file, not each time the arrow keys pass over it.
    cutSaid_ = path;
    env_.Dialogs().Message(
        this, QMessageBox::Information, kAppTitle,
        WindowMessage(this, kTooManyIconsMessageKey, kTooManyIcons).arg(kMaxIconGroups),
        QMessageBox::Ok, QMessageBox::Ok);
  }
}

void frmExtract::NextPage() {
  if (browser_->SelectedName().empty()) return;
  frame1_->setVisible(false);
  frame3_->setVisible(true);
}

void frmExtract::Scroll(int value) {
  grid_.ShowRows(value, *icons_);
  gridView_->move(0, -ExtractGrid::kCell * value);
  gridView_->update();
}

void frmExtract::GridMouse(int x, int y, bool leftOnly) {
  if (grid_.Select(x, y, leftOnly)) gridView_->update();
}

void frmExtract::Extract() {
  const std::string path = browser_->SelectedPath();
  // The file is read afresh: it may have changed since it was shown.
  if (auto* resources = dynamic_cast<ResourceIconProvider*>(icons_.get())) resources->Forget();
  const int mode = ExtractGrid::ExtractMode(path, *icons_);
  std::string reason;
  if (LoadIconIntoDocument(target_.document, path, mode, mode == kModeIndex ? grid_.selected : 0,
                           *icons_, reason, target_.createBackup) < 0) {
    // Open still: another icon of the file may be whole.
    env_.Dialogs().Message(
        this, QMessageBox::Critical, kAppTitle,
        QString::fromStdString(ExtractFailedMessage(
            WindowMessage(this, kExtractFailedMessageKey, kExtractFailed).toStdString(), path,
            reason)),
        QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  if (target_.rePaint) target_.rePaint();
  accept();
}

}  // namespace gs
