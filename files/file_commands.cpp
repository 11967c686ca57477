#include "files/file_commands.h"

#include <cstring>
#include <optional>
#include <vector>

#include "files/ani_frames.h"
#include "files/bmp_format.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/kept_images.h"
#include "files/pcx_format.h"
#include "platform/app_identity.h"
#include "platform/file_read.h"
#include "platform/safe_file.h"
#include "platform/text_util.h"

namespace gs {

namespace {

bool FileExists(const std::string& path) { return !path.empty() && RegularFileExists(path); }

// What the file holds now; empty when it cannot be read.
FileStamp StampOnDisk(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  return ReadWholeFile(path, bytes, nullptr, kMaxIconFileBytes) ? StampFile(path, bytes)
                                                                : FileStamp{};
}

}  // namespace

const char* SaveOptionsTitle(SaveKind kind) {
  switch (kind) {
    case SaveKind::Icon:
      return kSaveIconTitle;
    case SaveKind::Cursor:
      return kSaveCursorTitle;
    case SaveKind::Bitmap:
      return kSaveBitmapTitle;
    case SaveKind::Pcx:
      return kSavePcxTitle;
  }
  return kSaveIconTitle;
}

std::string SaveFailedMessage(const std::string& path, const std::string& reason) {
  return std::string(kSaveFailedLead) + "\n" + path + "\n\n" + reason;
}

std::string OpenFailedMessage(const std::string& path, const std::string& reason) {
  return std::string(kOpenFailedLead) + "\n" + path + "\n\n" + reason;
}

std::string NotAnIconMessage(const std::string& path) {
  return std::string(kNotAnIconLead) + "\n" + path;
}

std::string DamagedFileMessage(const std::string& path, const std::string& problem) {
  return std::string(kDamagedFileLead) + "\n" + path + "\n\n" + problem;
}

OpenedFileKind ClassifyOpenedFile(std::span<const std::uint8_t> b) {
  auto starts = [&](const char* sig, std::size_t n, std::size_t at = 0) {
    return b.size() >= at + n && std::memcmp(b.data() + at, sig, n) == 0;
  };
  if (HasIconHeader(b)) return OpenedFileKind::Icon;
  if (LooksLikeAni(b)) return OpenedFileKind::AnimatedCursor;
  if (starts("\x89PNG\r\n\x1a\n", 8) || starts("BM", 2) || starts("GIF87a", 6) ||
      starts("GIF89a", 6) || starts("\xFF\xD8\xFF", 3))
    return OpenedFileKind::Picture;
  return OpenedFileKind::Other;
}

AskResult FileCommands::AskSaveChanges() {
  if (!doc_.modified) return AskResult::GoOn;
  switch (host_.AskSaveChangesQuestion()) {
    case SaveChangesAnswer::No:
      return AskResult::GoOn;
    case SaveChangesAnswer::Cancel:
      return AskResult::Cancel;
    case SaveChangesAnswer::Yes:
      break;
  }
  if (!doc_.fileName.empty())
    return SaveIconFlow(doc_.fileName) == SaveFlowResult::Saved ? AskResult::GoOn
                                                                : AskResult::Cancel;
  return SaveUnderNewName(SaveChangesDialog()) == SaveFlowResult::Saved ? AskResult::GoOn
                                                                        : AskResult::Cancel;
}

bool FileCommands::LoadFile(const std::string& path) {
  if (!FileExists(path)) return false;
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, &error, kMaxIconFileBytes)) {
    ShowUnreadable(path, std::move(error));
    return false;
  }
  switch (ClassifyOpenedFile(bytes)) {
    case OpenedFileKind::Icon: {
      const IconLoadResult r = LoadIconBytes(path, bytes, doc_);
      known_ = doc_.fileName.empty() ? FileStamp{} : StampFile(path, bytes);
      host_.DocumentReplaced();
      host_.SetTitle(r.title);
      host_.RePaint();
      if (r.addToRecent) AddRecentFile(path);
      // What could not be read is said, so that a black or partial picture
      // is never taken for the file's own.
      if (!r.problem.empty())
        host_.ShowMessage(MessageKind::Exclamation, DamagedFileMessage(path, r.problem));
      return true;
    }
    case OpenedFileKind::AnimatedCursor: {
      AniSequence sequence;
      std::string problem;
      if (!ReadAniSequence(bytes, sequence, problem)) break;
      // The editor cannot write an animated cursor back: the frame is a new,
      // unnamed document.
      IconDecodeResult r = DecodeIconFile(sequence.FrameBytes(bytes, 0));
      doc_.surface = std::move(r.pixels);
      doc_.Width = doc_.Height = kIconSize;
      doc_.fileName.clear();
      doc_.ForgetOtherImages();
      doc_.modified = false;
      known_ = {};
      host_.DocumentReplaced();
      host_.SetTitle(kMainTitle);  // untitled, as after New
      host_.RePaint();
      return true;
    }
    case OpenedFileKind::Picture:
      if (host_.OpenPicture(path, bytes)) {
        if (doc_.fileName.empty()) known_ = {};
        return true;
      }
      break;
    case OpenedFileKind::Other:
      break;
  }
  host_.ShowMessage(MessageKind::Exclamation, NotAnIconMessage(path));
  return false;
}

bool FileCommands::SavesAsCursor(const std::string& path) const {
  if (!doc_.fromCursor) return false;
  // Back into the cursor, or under another cursor's name; an .ico name asks
  // for an icon.
  return path == doc_.fileName || ExtensionOf(path) == "cur";
}

FileCommands::OutsideChange FileCommands::CheckOutsideChange(const std::string& path) {
  if (path != known_.path) return OutsideChange::GoOn;
  FileStamp asked = known_;
  while (ChangedSince(asked)) {
    // The file as it is while the question is open: if it changes again
    // before the answer, the answer was about something else.
    asked = StampOnDisk(path);
    switch (host_.AskFileChanged(path)) {
      case SaveChangesAnswer::Cancel:
        return OutsideChange::Cancel;
      case SaveChangesAnswer::No:
        return OutsideChange::SaveAs;
      case SaveChangesAnswer::Yes:
        break;
    }
  }
  return OutsideChange::GoOn;
}

void FileCommands::Remember(const std::string& path) { known_ = StampOnDisk(path); }

SaveFlowResult FileCommands::RunWrite(SaveKind kind, const std::string& path) {
  const SaveOptionsChoice choice = host_.RunSaveOptions(kind);
  if (choice.result == kSaveCancelled) return SaveFlowResult::Cancelled;
  const PaletteMethod method = PaletteMethodFromResult(choice.result);
  if (kind == SaveKind::Cursor) {
    doc_.hotspotX = choice.hotspotX;
    doc_.hotspotY = choice.hotspotY;
  }
  // An icon's other images have no hotspots to give a cursor: only a
  // cursor's are kept.
  const bool keep = kind == SaveKind::Icon     ? doc_.HasOtherImages()
                    : kind == SaveKind::Cursor ? KeptFileIsCursor(doc_)
                                               : false;
  MergedFile merged;
  std::string error;
  if (keep) {
    const auto hotspot = kind == SaveKind::Cursor
                             ? std::optional(CursorHotspot{choice.hotspotX, choice.hotspotY})
                             : std::nullopt;
    if (!BuildKeepingOtherImages(doc_, choice.bitCnt, method, hotspot, merged, error)) {
      host_.ShowMessage(MessageKind::Error, SaveFailedMessage(path, error));
      return SaveFlowResult::Failed;
    }
    if (!merged.shownOnOpen && !host_.ConfirmHiddenSave()) return SaveFlowResult::Cancelled;
  }
  host_.SetBusy(true);
  WriteStatus status;
  switch (kind) {
    case SaveKind::Icon:
      status = keep                  ? WriteFileSafely(path, merged.bytes)
               : SavesAsCursor(path) ? WriteCursorFile(path, doc_.surface, choice.bitCnt, method,
                                                       doc_.fileHotspotX, doc_.fileHotspotY)
                                     : WriteIconFile(path, doc_.surface, choice.bitCnt, method);
      break;
    case SaveKind::Cursor:
      status = keep ? WriteFileSafely(path, merged.bytes)
                    : WriteCursorFile(path, doc_.surface, choice.bitCnt, method, choice.hotspotX,
                                      choice.hotspotY);
      break;
    case SaveKind::Bitmap:
      status = WriteBitmapFile(path, doc_.surface, choice.bitCnt);
      break;
    case SaveKind::Pcx:
      status = WritePcxFile(path, doc_.surface, choice.bitCnt);
      break;
  }
  host_.SetBusy(false);
  if (!status) {
    // The status names the path itself; the message puts it on its own line.
    std::string reason = status.error;
    if (reason.rfind(path + ": ", 0) == 0) reason.erase(0, path.size() + 2);
    host_.ShowMessage(MessageKind::Error, SaveFailedMessage(path, reason));
    return SaveFlowResult::Failed;
  }
  // What the editor knows of the file Save writes to from now on (or of the
  // one it was tied to, written over by an export).
  if (kind == SaveKind::Icon || path == known_.path) Remember(path);
  return SaveFlowResult::Saved;
}

SaveFlowResult FileCommands::SaveIconFlow(const std::string& path) {
  switch (CheckOutsideChange(path)) {
    case OutsideChange::Cancel:
      return SaveFlowResult::Cancelled;
    case OutsideChange::SaveAs:
      return SaveUnderNewName(SaveAsDialog());
    case OutsideChange::GoOn:
      break;
  }
  const bool asCursor = SavesAsCursor(path);
  const SaveFlowResult r = RunWrite(SaveKind::Icon, path);
  if (r == SaveFlowResult::Saved) {
    doc_.fromCursor = asCursor;
    // Later saves go to this file, so the title names it.
    if (doc_.fileName != path) host_.SetTitle(LoadedTitle(path));
    doc_.fileName = path;
    doc_.modified = false;
  }
  return r;
}

SaveFlowResult FileCommands::SaveCursorFlow(const std::string& path) {
  return RunWrite(SaveKind::Cursor, path);
}

SaveFlowResult FileCommands::ExportBitmapFlow(const std::string& path) {
  return RunWrite(SaveKind::Bitmap, path);
}

SaveFlowResult FileCommands::ExportPcxFlow(const std::string& path) {
  return RunWrite(SaveKind::Pcx, path);
}

void FileCommands::New() {
  if (AskSaveChanges() != AskResult::GoOn) return;
  doc_.Clear();
  // An untitled document: Save must ask for a name rather than overwrite the
  // file opened before with the new drawing.
  doc_.fileName.clear();
  doc_.ForgetOtherImages();
  known_ = {};
  host_.DocumentReplaced();
  host_.SetTitle(kMainTitle);
  host_.RePaint();
}

void FileCommands::ShowUnreadable(const std::string& path, std::string reason) {
  // The system's reason names the path; the message puts it on its own line.
  if (reason.rfind(path + ": ", 0) == 0) reason.erase(0, path.size() + 2);
  host_.ShowMessage(MessageKind::Error, OpenFailedMessage(path, reason));
}

DropPlan PlanDrop(std::span<const std::string> paths) {
  DropPlan plan;
  for (const std::string& p : paths) {
    if (p.empty()) continue;
    if (plan.path.empty())
      plan.path = p;
    else
      ++plan.ignored;
  }
  return plan;
}

std::string DropIgnoredMessage(std::size_t ignored) {
  if (ignored == 0) return {};
  if (ignored == 1) return "Un seul fichier s'ouvre à la fois : 1 autre fichier ignoré";
  return "Un seul fichier s'ouvre à la fois : " + std::to_string(ignored) +
         " autres fichiers ignorés";
}

std::string FileCommands::OpenDropped(std::span<const std::string> paths) {
  const DropPlan plan = PlanDrop(paths);
  if (plan.path.empty()) return {};
  if (!FileExists(plan.path)) {
    // Read only for the system's reason (a folder, a file gone).
    std::vector<std::uint8_t> none;
    std::string error;
    ReadWholeFile(plan.path, none, &error, 0);
    ShowUnreadable(plan.path, std::move(error));
    return DropIgnoredMessage(plan.ignored);
  }
  if (AskSaveChanges() != AskResult::GoOn) return {};
  LoadFile(plan.path);
  return DropIgnoredMessage(plan.ignored);
}

void FileCommands::OpenChosen(const std::string& path) {
  if (FileExists(path)) LoadFile(path);
}

void FileCommands::Open() {
  if (AskSaveChanges() != AskResult::GoOn) return;
  OpenChosen(ShowOpenDialog(OpenIconDialog()));
}

void FileCommands::Save() {
  if (doc_.fileName.empty()) {
    SaveAs();
    return;
  }
  SaveIconFlow(doc_.fileName);
}

SaveFlowResult FileCommands::SaveUnderNewName(const FileDialogRequest& dialog) {
  const std::string path = ShowSaveDialog(dialog);
  if (path.empty()) return SaveFlowResult::Cancelled;
  const SaveFlowResult r = SaveIconFlow(path);
  if (r == SaveFlowResult::Saved) AddRecentFile(path);
  return r;
}

void FileCommands::SaveAs() { SaveUnderNewName(SaveAsDialog()); }

void FileCommands::ExportCursor() {
  const std::string path = ShowSaveDialog(ExportCursorDialog());
  if (!path.empty()) SaveCursorFlow(path);
}

void FileCommands::ExportBitmap() {
  const std::string path = ShowSaveDialog(ExportBitmapDialog());
  if (!path.empty()) ExportBitmapFlow(path);
}

void FileCommands::ExportPcx() {
  const std::string path = ShowSaveDialog(ExportPcxDialog());
  if (!path.empty()) ExportPcxFlow(path);
}

void FileCommands::OpenRecent(int n) {
  if (n < 1 || n > kRecentSlots) return;
  const std::string path = recent_.paths[n - 1];
  if (path.empty()) return;
  if (!FileExists(path)) {
    RemoveRecentFile(recent_, n);
    host_.ShowMessage(MessageKind::Error, kFileNotFound);
    return;
  }
  if (AskSaveChanges() == AskResult::GoOn) LoadFile(path);
}

void FileCommands::OpenSample(bool cursors) {
  // The sample folder is remembered even when the user then cancels.
  WriteOpenDir(env_.Settings(), SampleFolder(env_.programFolder, cursors));
  if (AskSaveChanges() != AskResult::GoOn) return;
  OpenChosen(ShowOpenDialog(cursors ? CursorSampleDialog() : OpenIconDialog()));
}

std::string FileCommands::ShowOpenDialog(const FileDialogRequest& request) {
  return gs::ShowOpenDialog(env_.Settings(), request,
                            [this](const FileDialogRequest& s, const std::string& start) {
                              return host_.OpenFileDialog(s, start);
                            });
}

std::string FileCommands::ShowSaveDialog(const FileDialogRequest& request) {
  return gs::ShowSaveDialog(request,
                            [this](const FileDialogRequest& s) { return host_.SaveFileDialog(s); });
}

}  // namespace gs
