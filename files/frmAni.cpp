#include "files/frmAni.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <vector>

#include "document/numeric.h"
#include "document/qt_canvas.h"
#include "files/ani_format.h"
#include "files/icon_reader.h"
#include "files/qt_file_dialogs.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "platform/file_read.h"
#include "platform/qt_file_browser.h"
#include "platform/safe_file.h"

namespace gs {

namespace {
// A cursor file larger than this is not shown in the preview (it is still a frame).
constexpr std::size_t kPreviewReadLimit = std::size_t{4} << 20;
}  // namespace

// picPrev: the clicked cursor as the editor reads it, on white.
class CursorPreview : public QWidget {
 public:
  CursorPreview(QSize size, QWidget* parent) : QWidget(parent) {
    setObjectName("picPrev");
    setFixedSize(size);
  }
  void Show(const Surface* pixels) {
    has_ = pixels != nullptr;
    if (pixels) pixels_ = *pixels;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (has_) p.drawImage((width() - 32) / 2, (height() - 32) / 2, SurfaceImage(pixels_));
  }

 private:
  bool has_ = false;
  Surface pixels_;
};

frmAni::frmAni(QSize previewSize, Environment& env, QWidget* parent) : QDialog(parent), env_(env) {
  setObjectName("frmAni");
  setModal(true);
  setWindowTitle(QString::fromUtf8(kAniTitle));
  setFixedSize(520, 292);

  browser_ = std::make_unique<FileBrowser>(this, "*.cur");
  browser_->drvDrive()->setGeometry(8, 8, 170, 24);
  browser_->drDir()->setGeometry(8, 36, 170, 110);
  browser_->fleFile()->setGeometry(8, 150, 170, 134);
  browser_->onFileClicked = [this](const QString& path) { ShowPreview(path.toStdString()); };
  browser_->onFileActivated = [this](const QString&) { AddFrame(); };

  picPrev_ = new CursorPreview(previewSize, this);
  picPrev_->move(186 + (64 - previewSize.width()) / 2, 36);
  cmdAdd_ = new QPushButton("->", this);
  cmdAdd_->setObjectName("cmdAdd");
  cmdAdd_->setGeometry(190, 150, 56, 28);
  cmdDelete_ = new QPushButton("<-", this);
  cmdDelete_->setObjectName("cmdDelete");
  cmdDelete_->setGeometry(190, 184, 56, 28);

  lstFiles_ = new QListWidget(this);
  lstFiles_->setObjectName("lstFiles");
  lstFiles_->setGeometry(254, 8, 258, 196);

  auto* label1 = new QLabel(QString::fromUtf8("Interval entre les icons :"), this);
  label1->setObjectName("Label1");
  label1->setGeometry(254, 212, 150, 24);
  txtInterval_ = new QLineEdit("10", this);
  txtInterval_->setObjectName("txtInterval");
  txtInterval_->setGeometry(404, 212, 56, 24);
  auto* label2 = new QLabel(QString::fromUtf8("msecs."), this);
  label2->setObjectName("Label2");
  label2->setGeometry(466, 212, 46, 24);

  cmdCreate_ = new QPushButton(QString::fromUtf8("Créez ANI"), this);
  cmdCreate_->setObjectName("cmdCreate");
  cmdCreate_->setGeometry(316, 256, 96, 28);
  cmdCancel_ = new QPushButton(QString::fromUtf8("&Annuler"), this);
  cmdCancel_->setObjectName("cmdCancel");
  cmdCancel_->setGeometry(416, 256, 96, 28);

  connect(cmdAdd_, &QPushButton::clicked, this, [this] { AddFrame(); });
  connect(cmdDelete_, &QPushButton::clicked, this, [this] { RemoveFrame(); });
  connect(cmdCreate_, &QPushButton::clicked, this, [this] { BuildAnimatedCursor(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });
  lstFiles_->clear();
  AddWindowMessages(this, {{"msgNoFileChosen", "Vous devez selectionner le fichier a ajouté !"},
                           {"msgBadInterval", "Intervale invalide"},
                           {"msgNoFiles", "SVP, selectionnez quelques fichiers !"}});
  LoadWindowLanguage(this, env_);
}

frmAni::~frmAni() = default;

QWidget* frmAni::picPrev() const { return picPrev_; }

void frmAni::Error(const QString& text, bool exclamation) {
  env_.Dialogs().Message(this, exclamation ? QMessageBox::Warning : QMessageBox::Critical,
                         kAppTitle, InWindowLanguage(this, text), QMessageBox::Ok, QMessageBox::Ok);
}

void frmAni::ShowPreview(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, &error, kPreviewReadLimit)) {
    picPrev_->Show(nullptr);
    return;
  }
  const IconDecodeResult r = DecodeIconFile(bytes);
  picPrev_->Show(&r.pixels);
}

void frmAni::AddFrame() {
  const std::string path = browser_->SelectedPath();
  if (path.empty()) {
    Error(QString::fromUtf8("Vous devez selectionner le fichier a ajouté !"), true);
    return;
  }
  lstFiles_->addItem(QString::fromStdString(path));
}

void frmAni::RemoveFrame() {
  const int row = lstFiles_->currentRow();
  if (row < 0 || !lstFiles_->currentItem()->isSelected()) return;
  delete lstFiles_->takeItem(row);
}

void frmAni::BuildAnimatedCursor() {
  std::uint32_t rate = 0;
  if (!DisplayRateFromInterval(ParseLeadingNumber(txtInterval_->text().toStdString()), rate)) {
    Error(QString::fromUtf8("Intervale invalide"), false);
    return;
  }
  if (lstFiles_->count() == 0) {
    Error(QString::fromUtf8("SVP, selectionnez quelques fichiers !"), true);
    return;
  }
  const FileDialogRequest request{
      {{"Animated cursors (*.ani)", "*.ani"}}, "Save Animated Cursor", "ani"};
  const QString target = ShowSaveDialog(env_, this, request);
  if (target.isEmpty()) return;
  std::vector<std::string> frames;
  for (int i = 0; i < lstFiles_->count(); ++i)
    frames.push_back(lstFiles_->item(i)->text().toStdString());
  // Every frame is read before the target is touched; a vanished one is named with the reason.
  if (const WriteStatus st = WriteAnimatedCursor(target.toStdString(), frames, rate); !st)
    Error(QString::fromStdString(st.error), false);
}

}  // namespace gs
