#pragma once
// The drive, folder and file lists shared by the extraction and the
// animated-cursor windows. The drive list holds the mounted volumes (root
// first); the folder list shows the folders from the root down to the current
// one, then its sub-folders, and a double-click (or Enter) opens one; the file
// list shows the folder's files matching the pattern.
//
//   FileBrowser b(this, "*.cur");
//   b.onDriveFailed = [](const QString& why) { ... };   // then the list is back at "/"
//   b.onFileClicked = [](const QString& path) { ... };
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QWidget;

namespace gs {

class FileBrowser {
 public:
  FileBrowser(QWidget* parent, const std::string& pattern);

  QComboBox* drvDrive() const { return drvDrive_; }
  QListWidget* drDir() const { return drDir_; }
  QListWidget* fleFile() const { return fleFile_; }

  const std::string& Folder() const { return folder_; }
  // Shows the folder in the folder and file lists; false (lists unchanged)
  // with the system's reason when it cannot be read.
  bool SetFolder(const std::string& folder, std::string* error = nullptr);
  // Chooses drive entry `index`: its root, or back to "/" when it fails.
  void ChooseDrive(int index);
  // The file selected in the file list, or empty.
  std::string SelectedName() const;
  std::string SelectedPath() const;

  std::function<void(const QString& error)> onDriveFailed;
  std::function<void(const QString& path)> onFileClicked;
  std::function<void(const QString& path)> onFileActivated;

 private:
  void FillDrives();
  std::string pattern_;
  std::string folder_;
  std::vector<std::string> volumes_;
  QComboBox* drvDrive_ = nullptr;
  QListWidget* drDir_ = nullptr;
  QListWidget* fleFile_ = nullptr;
  bool quiet_ = false;  // while the lists are filled by code
};

}  // namespace gs
