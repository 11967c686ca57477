#pragma once
// The extraction window's rules, without the window: what a file offers
// (its icons, or the icon its type is shown with), the grid of three 32-pixel
// columns with its scroll range and selection, and putting the chosen icon
// into the document.
//
//   ResourceIconProvider icons;              // the window's provider adds theme icons
//   ExtractGrid grid;
//   grid.ChooseFile(path, icons);           // fills the grid, selection 0
//   grid.Select(x, y, leftOnly);            // mouse in grid pixels
//   std::string why;
//   if (LoadIconIntoDocument(doc, path, grid.ExtractMode(path, icons), grid.selected, icons,
//                            why, takeUndoCopy) < 0)
//     tell(ExtractFailedMessage(lead, path, why));
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/icon_document.h"
#include "document/surface.h"
#include "import/icon_resources.h"

namespace gs {

// What the platform offers about a file's icons. Reasons are worded to follow
// the file's name, as the tool prints them ("<path>: <reason>").
class IconProvider {
 public:
  virtual ~IconProvider() = default;
  // Icons the file holds; 0 for a file that is not a program, library or icon file.
  virtual int Count(const std::string& path) = 0;
  // Icon k; false, with why in `reason`, when it cannot be drawn.
  virtual bool Icon(const std::string& path, int k, IconPicture& out, std::string& reason) = 0;
  // The icon the desktop shows for the file; false when there is none.
  virtual bool Associated(const std::string& path, IconPicture& out) = 0;
  // Why a file without icons of its own offers nothing to take: it cannot be
  // read, or it is a program, library or icon file that is damaged or holds
  // none. Empty when it holds icons, or is any other file (a text file), which
  // stands for itself by the icon of its type.
  virtual std::string Refusal(const std::string& /*path*/) { return {}; }
};

// Counts and icons from the file's own resources, keeping the last file open
// between calls; no associated icon.
class ResourceIconProvider : public IconProvider {
 public:
  int Count(const std::string& path) override;
  bool Icon(const std::string& path, int k, IconPicture& out, std::string& reason) override;
  bool Associated(const std::string& /*path*/, IconPicture& /*out*/) override { return false; }
  std::string Refusal(const std::string& path) override;
  // Closes the file, so the next call reads it afresh.
  void Forget();

 private:
  IconResourceReader* ReaderFor(const std::string& path);
  std::string path_;
  std::unique_ptr<FileSource> source_;
  std::unique_ptr<IconResourceReader> reader_;
  std::string openFailure_;  // why the last file could not be opened
};

// A page with its corner folded, drawn for files whose type has no icon of its own.
IconPicture GenericDocumentIcon();

inline constexpr int kModeAssociated = 1;
inline constexpr int kModeIndex = 2;

// What "&Extraire" says of a file it cannot take an icon from, the lead
// sentence in the window's language; the file's name and the reason follow.
inline constexpr char kExtractFailedMessageKey[] = "msgExtractFailed";
inline constexpr char kExtractFailed[] = "Impossible d'extraire une icône du fichier";
std::string ExtractFailedMessage(const std::string& lead, const std::string& path,
                                 const std::string& reason);

// The reason when neither the file nor its type has an icon.
inline constexpr char kNoIconForType[] = "holds no icons, and its type has none";

// Puts icon `index` of the file (mode bit 2) or its associated icon (mode 1)
// into the document over white, `beforeChange` (the undo copy) just before.
// Marks the document unmodified; its file name stays. -1, with why in
// `reason` and nothing called or changed, when the file cannot be opened or
// the icon cannot be drawn (a damaged group, a program without icons, a file
// whose type has no icon either).
int LoadIconIntoDocument(IconDocument& doc, const std::string& path, int mode, int index,
                         IconProvider& icons, std::string& reason,
                         const std::function<void()>& beforeChange = {});

// The grid of icons and its state.
class ExtractGrid {
 public:
  static constexpr int kCell = 32;
  static constexpr int kColumns = 3;
  static constexpr int kWidth = kCell * kColumns;
  // Icons beyond this are not shown: the grid's picture stays a few megabytes.
  static constexpr int kMaxIcons = 3000;

  explicit ExtractGrid(int viewportInnerHeight = 136);

  // A file was chosen: clears and fills the grid, computes the scroll range.
  // Only icons that can be drawn take a cell, in the file's order; when none
  // can (or the file is refused, or has no icon at all) the grid says so and
  // offers nothing.
  void ChooseFile(const std::string& path, IconProvider& icons);
  // The mouse at (x, y) in grid pixels with exactly the left button (press
  // released, or held while moving); false when the event does not count.
  bool Select(int x, int y, bool leftButtonOnly);
  // Mode for "Extraire": the file's icons when it holds any, else its associated icon.
  static int ExtractMode(const std::string& path, IconProvider& icons);

  // The grid's picture with the highlight shown inverted.
  Surface Shown() const;
  const Surface& Picture() const { return picture_; }
  int Height() const { return picture_.Height(); }

  int iconCount = 0;  // cells offered
  int selected = 0;   // the file's icon to extract (its index in the file)
  Rect highlight;     // empty when nothing is highlighted
  bool scrollEnabled = false;
  int scrollMax = 0;     // may be negative when everything fits; the bar then shows 0
  bool noIcons = false;  // " No icons" / " available" is printed on the grid

 private:
  void Grow(int height);
  void OfferNothing();
  std::vector<int> cells_;  // the file's icon index of each cell
  int innerHeight_;
  Surface picture_;
};

}  // namespace gs
