#include "platform/qt_file_browser.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QStyle>

#include "platform/folder_listing.h"

namespace gs {

namespace {
constexpr int kPathRole = Qt::UserRole;
QString Text(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

FileBrowser::FileBrowser(QWidget* parent, const std::string& pattern) : pattern_(pattern) {
  drvDrive_ = new QComboBox(parent);
  drvDrive_->setObjectName("drvDrive");
  drDir_ = new QListWidget(parent);
  drDir_->setObjectName("drDir");
  fleFile_ = new QListWidget(parent);
  fleFile_->setObjectName("fleFile");
  FillDrives();

  QObject::connect(drvDrive_, &QComboBox::currentIndexChanged, drvDrive_, [this](int i) {
    if (!quiet_) ChooseDrive(i);
  });
  QObject::connect(drDir_, &QListWidget::itemActivated, drDir_, [this](QListWidgetItem* item) {
    // An unreadable folder leaves the lists as they were.
    if (item) SetFolder(item->data(kPathRole).toString().toStdString());
  });
  QObject::connect(fleFile_, &QListWidget::itemClicked, fleFile_, [this](QListWidgetItem*) {
    if (onFileClicked) onFileClicked(Text(SelectedPath()));
  });
  QObject::connect(fleFile_, &QListWidget::itemActivated, fleFile_, [this](QListWidgetItem*) {
    if (onFileActivated) onFileActivated(Text(SelectedPath()));
  });

  // Start where the user's files are.
  const std::string home = QDir::homePath().toStdString();
  if (!SetFolder(home)) SetFolder("/");
}

void FileBrowser::FillDrives() {
  volumes_ = MountedVolumes();
  quiet_ = true;
  drvDrive_->clear();
  for (const std::string& v : volumes_) drvDrive_->addItem(Text(v));
  quiet_ = false;
}

bool FileBrowser::SetFolder(const std::string& folder, std::string* error) {
  FolderListing listing;
  std::string why;
  if (!ListFolder(folder, pattern_, listing, why)) {
    if (error) *error = why;
    return false;
  }
  folder_ = folder;
  drDir_->clear();
  const std::vector<std::string> chain = FolderChain(folder);
  int depth = 0;
  for (const std::string& f : chain) {
    const std::string name = f == "/" ? "/" : f.substr(f.find_last_of('/') + 1);
    auto* item = new QListWidgetItem(QString(depth * 2, ' ') + Text(name), drDir_);
    item->setData(kPathRole, Text(f));
    item->setIcon(drDir_->style()->standardIcon(QStyle::SP_DirOpenIcon));
    ++depth;
  }
  drDir_->setCurrentRow(static_cast<int>(chain.size()) - 1);
  for (const std::string& sub : listing.folders) {
    auto* item = new QListWidgetItem(QString(depth * 2, ' ') + Text(sub), drDir_);
    item->setData(kPathRole, Text(JoinPath(folder, sub)));
    item->setIcon(drDir_->style()->standardIcon(QStyle::SP_DirClosedIcon));
  }
  fleFile_->clear();
  for (const std::string& f : listing.files) fleFile_->addItem(Text(f));
  // The drive list follows the folder.
  const int drive = drvDrive_->findText(Text(VolumeOf(folder, volumes_)));
  if (drive >= 0 && drive != drvDrive_->currentIndex()) {
    quiet_ = true;
    drvDrive_->setCurrentIndex(drive);
    quiet_ = false;
  }
  return true;
}

void FileBrowser::ChooseDrive(int index) {
  if (index < 0 || index >= static_cast<int>(volumes_.size())) return;
  std::string error;
  if (SetFolder(volumes_[index], &error)) return;
  if (onDriveFailed) onDriveFailed(Text(error));
  quiet_ = true;
  drvDrive_->setCurrentIndex(0);
  quiet_ = false;
  SetFolder("/");
}

std::string FileBrowser::SelectedName() const {
  const QListWidgetItem* item = fleFile_->currentItem();
  if (!item || !item->isSelected()) return {};
  return item->text().toStdString();
}

std::string FileBrowser::SelectedPath() const {
  const std::string name = SelectedName();
  return name.empty() ? std::string() : JoinPath(folder_, name);
}

}  // namespace gs
