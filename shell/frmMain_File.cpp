#include "shell/frmMain_File.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "document/qt_canvas.h"
#include "files/frmSave.h"
#include "files/kept_images.h"
#include "files/qt_file_dialogs.h"
#include "lang/qt_translation.h"
#include "platform/profile_file.h"
#include "platform/text_util.h"

namespace gs {

namespace {

constexpr int kFirstRecentEntry = 12;  // mnuFile 12..15 are recent slots 1..4

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

std::string MainFileHost::OpenFileDialog(const FileDialogRequest& request,
                                         const std::string& startFolder) {
  return window_.Env()
      .Dialogs()
      .OpenFileName(&window_, InWindowLanguage(&window_, request), Text(startFolder))
      .toStdString();
}

std::string MainFileHost::SaveFileDialog(const FileDialogRequest& request) {
  return window_.Env()
      .Dialogs()
      .SaveFileName(&window_, InWindowLanguage(&window_, request))
      .toStdString();
}

SaveChangesAnswer MainFileHost::AskYesNoCancel(QMessageBox::Icon icon, const QString& text,
                                               QMessageBox::StandardButton preferred) {
  switch (window_.Env().Dialogs().Message(&window_, icon, kAppTitle, text,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                          preferred)) {
    case QMessageBox::Yes:
      return SaveChangesAnswer::Yes;
    case QMessageBox::No:
      return SaveChangesAnswer::No;
    default:
      return SaveChangesAnswer::Cancel;
  }
}

SaveChangesAnswer MainFileHost::AskSaveChangesQuestion() {
  return AskYesNoCancel(QMessageBox::Question,
                        WindowMessage(&window_, "msgSaveChanges", kSaveChangesQuestion),
                        QMessageBox::Yes);
}

void MainFileHost::ShowMessage(MessageKind kind, const std::string& text) {
  const QMessageBox::Icon icon = kind == MessageKind::Error         ? QMessageBox::Critical
                                 : kind == MessageKind::Exclamation ? QMessageBox::Warning
                                                                    : QMessageBox::Information;
  window_.Env().Dialogs().Message(&window_, icon, kAppTitle, InWindowLanguage(&window_, Text(text)),
                                  QMessageBox::Ok, QMessageBox::Ok);
}

frmSave* MainFileHost::SaveWindow() {
  if (!saveWindow_)
    saveWindow_ =
        new frmSave(window_.Document(), window_.picSmallIcon()->size(), window_.Env(), &window_);
  return saveWindow_;
}

SaveOptionsChoice MainFileHost::RunSaveOptions(SaveKind kind) {
  frmSave* w = SaveWindow();
  const IconDocument& doc = window_.Document();
  const bool keeps = kind == SaveKind::Icon     ? doc.HasOtherImages()
                     : kind == SaveKind::Cursor ? KeptFileIsCursor(doc)
                                                : false;
  w->Prepare(SaveOptionsTitle(kind), kind == SaveKind::Cursor, keeps,
             keeps ? DepthOfImageRead(doc) : 0);
  window_.Env().Dialogs().RunModal(w);
  const SaveOptions& m = w->Model();
  SaveOptionsChoice choice{m.result, m.bitCnt, m.hotspotX, m.hotspotY};
  if (w->Unloaded()) {
    // Closed by its close box: the next save loads it afresh.
    saveWindow_ = nullptr;
    w->deleteLater();
    choice.result = kSaveCancelled;
  }
  return choice;
}

SaveChangesAnswer MainFileHost::AskFileChanged(const std::string& path) {
  // Cancel is the default: Enter must not write over the other program's work.
  return AskYesNoCancel(QMessageBox::Warning,
                        WindowMessage(&window_, "msgFileChanged", kFileChangedQuestion) +
                            QStringLiteral("\n\n") + Text(PrintableText(path)),
                        QMessageBox::Cancel);
}

bool MainFileHost::ConfirmHiddenSave() {
  return window_.Env().Dialogs().Message(
             &window_, QMessageBox::Question, kAppTitle,
             WindowMessage(&window_, "msgHiddenSave", kHiddenSaveQuestion),
             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void MainFileHost::SetTitle(const std::string& title) {
  // A file's title stays through a language switch; the untitled one is the
  // window's caption in the language in use.
  // A name's control characters (ESC, a line break) show as marks.
  const bool untitled = title == kMainTitle;
  const QString shown = Text(PrintableText(title));
  window_.setProperty(kDocumentTitleProperty, untitled ? QString() : shown);
  window_.setWindowTitle(
      untitled
          ? Text(ProfileFile(window_.Env().languageFile).Read("frmMain", "Form.Caption", title))
          : shown);
}

void MainFileHost::RePaint() { window_.RePaint(); }

void MainFileHost::SetBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void frmMain::SetupFile() {
  file_->host = std::make_unique<MainFileHost>(*this);
  file_->commands = std::make_unique<FileCommands>(doc_, *file_->host, env_);
  FileCommands& files = *file_->commands;
  files.LoadRecent();
  RefreshRecentMenu();

  const auto on = [this](QAction* action, auto handler) {
    if (action) connect(action, &QAction::triggered, this, handler);
  };
  on(MenuAction("mnuFile", 0), [&files] { files.New(); });
  on(MenuAction("mnuFile", 1), [&files] { files.Open(); });
  on(MenuAction("mnuFile", 2), [&files] { files.Save(); });
  on(MenuAction("mnuFile", 3), [&files] { files.SaveAs(); });
  for (int n = 1; n <= kRecentSlots; ++n)
    on(MenuAction("mnuFile", kFirstRecentEntry - 1 + n), [&files, n] { files.OpenRecent(n); });
  on(MenuAction("mnuFile", 17), [this] { close(); });
  on(MenuAction("mnuExport", 0), [&files] { files.ExportCursor(); });
  on(MenuAction("mnuExport", 1), [&files] { files.ExportBitmap(); });
  on(MenuAction("mnuExport", 2), [&files] { files.ExportPcx(); });
  on(MenuAction("exico"), [&files] { files.OpenSample(false); });
  on(MenuAction("excur"), [&files] { files.OpenSample(true); });
  if (QMenu* menu = Menu("mnuFilePop"))
    connect(menu, &QMenu::aboutToShow, this, [this] { RefreshRecentMenu(); });
}

void frmMain::RefreshRecentMenu() {
  if (!file_->commands) return;
  const auto entries = RecentMenuEntries(file_->commands->Recent());
  for (int k = 0; k < kRecentSlots; ++k) {
    QAction* a = MenuAction("mnuFile", kFirstRecentEntry + k);
    if (!a) continue;
    // An ampersand in a path is a letter, not a mnemonic.
    a->setText(Text(entries[k].caption).replace('&', "&&"));
    a->setEnabled(entries[k].enabled);
  }
}

bool frmMain::OpenIconFile(const std::string& path) {
  if (!file_->commands) return false;
  return file_->commands->LoadFile(path);
}

bool frmMain::QueryClose() {
  if (!file_->commands) return true;
  return file_->commands->AskSaveChanges() == AskResult::GoOn;
}

void frmMain::ShutdownFile() {
  if (!file_->commands) return;
  file_->commands->SaveRecent();
  if (frmSave* w = file_->host->LoadedSaveWindow()) w->deleteLater();
}

}  // namespace gs
