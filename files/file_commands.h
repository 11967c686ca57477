#pragma once
// The File menu's commands and the flows around the readers and writers:
// New, Open, Save, Save as, the exports, the recent entries, the sample
// commands and the save-changes question that guards every command that would
// discard the document. The window supplies dialogs, messages, the
// save-options window and its title and canvas through FileCommandHost.
// Settings (recent files, the open dialog's folder) live in the environment's
// settings store; the sample folders "icon" and "curseur" in its program folder.
//
//   FileCommands files(doc, host, env);
//   files.LoadRecent();                 // start-up
//   files.Open();                       // File > Open
//   if (files.AskSaveChanges() == AskResult::Cancel) keepWindowOpen();
//   files.SaveRecent();                 // shutdown
//
// New starts an untitled document (no file name, the start title), and an
// icon saved under a new name retitles the window, so the title always names
// the file Save writes to. New and every file that opens tell the host
// (DocumentReplaced), so that undo never puts another document's picture back.
//
// A save that fails shows the file and the system's reason, keeps the
// modified flag and the file name, and makes the save-changes question
// answer Cancel, so unsaved work is never discarded after it. A save over a
// file that another program changed since the editor read or wrote it asks
// first (replace it, save under another name, or write nothing).
#include <cstdint>
#include <span>
#include <string>

#include "document/icon_document.h"
#include "files/file_dialogs.h"
#include "files/recent_files.h"
#include "files/save_options.h"
#include "platform/environment.h"
#include "platform/file_stamp.h"

namespace gs {

inline constexpr char kSaveChangesQuestion[] =
    "Voulez vous enregistrer les modifications apportées à ce fichier ?";
inline constexpr char kFileNotFound[] = "Fichier non trouvé!";
// The leads of SaveFailedMessage, OpenFailedMessage and NotAnIconMessage.
inline constexpr char kSaveFailedLead[] = "Impossible d'enregistrer le fichier";
inline constexpr char kOpenFailedLead[] = "Impossible d'ouvrir le fichier";
inline constexpr char kNotAnIconLead[] = "Ce fichier n'est ni une icône ni un curseur :";
// The lead of DamagedFileMessage.
inline constexpr char kDamagedFileLead[] =
    "Ce fichier est endommagé : il s'ouvre sans nom, pour qu'un enregistrement ne le remplace "
    "pas.";
// Asked before Save writes over a file that another program changed since the
// editor read or wrote it; the path follows.
inline constexpr char kFileChangedQuestion[] =
    "Le fichier a été modifié par un autre programme depuis son ouverture. Le remplacer par "
    "votre travail ? (Non : enregistrer sous un autre nom)";
// Asked when another 32 x 32 image of the file, of a greater depth, would be
// the one opened next time instead of the picture being saved.
inline constexpr char kHiddenSaveQuestion[] =
    "Une autre image 32 x 32 de ce fichier, plus profonde, s'ouvrira à la place de celle-ci. "
    "Enregistrer quand même ?";

enum class AskResult : std::uint8_t { GoOn = 0, Cancel = 255 };
enum class SaveChangesAnswer { Yes, No, Cancel };
enum class MessageKind { Information, Exclamation, Error };
enum class SaveKind { Icon, Cursor, Bitmap, Pcx };
enum class SaveFlowResult { Saved, Cancelled, Failed };

// The save-options window title of each kind of save.
const char* SaveOptionsTitle(SaveKind kind);

// What the save-options window gave when it closed.
struct SaveOptionsChoice {
  std::uint8_t result = kSaveCancelled;  // 255 cancelled, else the palette method
  int bitCnt = 4;
  std::int16_t hotspotX = 0;
  std::int16_t hotspotY = 0;
};

// The message shown when a file could not be written.
std::string SaveFailedMessage(const std::string& path, const std::string& reason);
// The messages shown when Open meets a file it cannot read or that is no icon.
std::string OpenFailedMessage(const std::string& path, const std::string& reason);
std::string NotAnIconMessage(const std::string& path);
// The message shown when a file opens only in part (damaged, cut short).
std::string DamagedFileMessage(const std::string& path, const std::string& problem);

// What a file given to Open (or on the command line) is, from its first bytes.
enum class OpenedFileKind { Icon, AnimatedCursor, Picture, Other };
OpenedFileKind ClassifyOpenedFile(std::span<const std::uint8_t> bytes);

// Files dropped on the window: the first opens, the others are only counted.
struct DropPlan {
  std::string path;  // empty: nothing to open
  std::size_t ignored = 0;
};
DropPlan PlanDrop(std::span<const std::string> paths);
// The status line after a drop that left `ignored` files unopened; empty for none.
std::string DropIgnoredMessage(std::size_t ignored);

class FileCommandHost {
 public:
  virtual ~FileCommandHost() = default;
  // The platform's dialogs: the chosen path, or empty text when cancelled.
  virtual std::string OpenFileDialog(const FileDialogRequest& request,
                                     const std::string& startFolder) = 0;
  virtual std::string SaveFileDialog(const FileDialogRequest& request) = 0;
  // kSaveChangesQuestion with Yes, No and Cancel.
  virtual SaveChangesAnswer AskSaveChangesQuestion() = 0;
  // A message box titled with the application title.
  virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
  // Prepares and shows the save-options window modally.
  virtual SaveOptionsChoice RunSaveOptions(SaveKind kind) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void RePaint() = 0;
  // Hourglass pointer on and off around writing.
  virtual void SetBusy(bool /*busy*/) {}
  // A PNG, BMP, GIF or JPEG given to Open: true when the window opened it (as
  // an untitled import of the whole picture) or told the user why not. The
  // default opens nothing and the user is told the file is not an icon. A
  // picture that opens is a replaced document (DocumentReplaced).
  virtual bool OpenPicture(const std::string& /*path*/, std::span<const std::uint8_t> /*bytes*/) {
    return false;
  }
  // The document holds another picture now (New, or a file opened): what the
  // window keeps about the old one, the undo copy, no longer applies.
  virtual void DocumentReplaced() {}
  // kFileChangedQuestion about path: Yes writes over it, No saves under
  // another name, Cancel writes nothing.
  virtual SaveChangesAnswer AskFileChanged(const std::string& /*path*/) {
    return SaveChangesAnswer::Cancel;
  }
  // kHiddenSaveQuestion: true saves all the same.
  virtual bool ConfirmHiddenSave() { return false; }
};

class FileCommands {
 public:
  // `env` must outlive the commands.
  FileCommands(IconDocument& doc, FileCommandHost& host, const Environment& env)
      : doc_(doc), host_(host), env_(env) {}

  RecentFiles& Recent() { return recent_; }
  const RecentFiles& Recent() const { return recent_; }

  void LoadRecent() { recent_ = LoadRecentFiles(env_.Settings()); }
  bool SaveRecent() const { return SaveRecentFiles(env_.Settings(), recent_); }
  void AddRecentFile(const std::string& path) { gs::AddRecentFile(recent_, path); }

  // GoOn when the document may be discarded: unmodified, answered No, or
  // saved. Cancel when the user cancelled anywhere or the save failed.
  AskResult AskSaveChanges();

  // Opens what the path names: an icon or cursor into the document (title,
  // repaint, recent list); the first frame of an animated cursor as an
  // untitled document; a picture through the host. Anything else, or a file
  // that cannot be read, changes nothing and is said in a message naming it.
  // False (nothing changed) when the path is empty, names no file, or the
  // file was refused.
  bool LoadFile(const std::string& path);

  SaveFlowResult SaveIconFlow(const std::string& path);
  SaveFlowResult SaveCursorFlow(const std::string& path);
  SaveFlowResult ExportBitmapFlow(const std::string& path);
  SaveFlowResult ExportPcxFlow(const std::string& path);

  // The menu commands.
  void New();
  void Open();
  void Save();
  void SaveAs();
  void ExportCursor();
  void ExportBitmap();
  void ExportPcx();
  void OpenRecent(int n);  // 1..4
  // Files dropped on the window: the first as Open opens it, after the
  // save-changes question; one that is no readable file (a folder, gone) is
  // said as Open says an unreadable file, without the question. Returns the
  // status line text (DropIgnoredMessage) once the question let the drop go on.
  std::string OpenDropped(std::span<const std::string> paths);
  void OpenSample(bool cursors);

  std::string ShowOpenDialog(const FileDialogRequest& request);
  std::string ShowSaveDialog(const FileDialogRequest& request);

 private:
  enum class OutsideChange { GoOn, SaveAs, Cancel };
  // Before writing over the file last read or written: asks when another
  // program has changed it since, again if it changes while being asked.
  OutsideChange CheckOutsideChange(const std::string& path);
  SaveFlowResult RunWrite(SaveKind kind, const std::string& path);
  // The save dialog, then Save under the name chosen, which joins the recent list.
  SaveFlowResult SaveUnderNewName(const FileDialogRequest& dialog);
  // Save writes a cursor: the document was read from one, and path is that
  // file or another cursor's name.
  bool SavesAsCursor(const std::string& path) const;
  void OpenChosen(const std::string& path);
  void ShowUnreadable(const std::string& path, std::string reason);
  // The file as the editor last read or wrote it; empty when the document
  // comes from no file it could write back.
  void Remember(const std::string& path);

  IconDocument& doc_;
  FileCommandHost& host_;
  const Environment& env_;
  RecentFiles recent_;
  FileStamp known_;
};

}  // namespace gs
