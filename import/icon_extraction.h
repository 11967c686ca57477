#pragma once
// The extraction window's rules, without the window: what a file offers
// (its icons, or the icon its type is shown with), the grid of three 32-pixel
// columns with its scroll range and selection, and putting the chosen icon
// into the document.
//
//   ResourceIconProvider icons;              // the window's provider adds theme icons
//   ExtractGrid grid;
//   grid.ChooseFile(path, icons);           // counts the icons, draws the first rows
//   grid.ShowRows(topRow, icons);           // as the view scrolls: draws the rows it reaches
//   grid.Select(x, y, leftOnly);            // mouse in grid pixels
//   std::string why;
//   if (LoadIconIntoDocument(doc, path, grid.ExtractMode(path, icons), grid.selected, icons,
//                            why, takeUndoCopy) < 0)
//     tell(ExtractFailedMessage(lead, path, why));
#include <cstdint>
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
  // The file holds more icons than Count() offers (kMaxIconGroups).
  virtual bool Cut(const std::string& /*path*/) { return false; }
};

// Counts and icons from the file's own resources, keeping the last file open
// between calls; no associated icon.
class ResourceIconProvider : public IconProvider {
 public:
  int Count(const std::string& path) override;
  bool Icon(const std::string& path, int k, IconPicture& out, std::string& reason) override;
  bool Associated(const std::string& /*path*/, IconPicture& /*out*/) override { return false; }
  std::string Refusal(const std::string& path) override;
  bool Cut(const std::string& path) override;
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

// What the window says once of a file holding more icons than it offers;
// "%1" stands for kMaxIconGroups.
inline constexpr char kTooManyIconsMessageKey[] = "msgTooManyIcons";
inline constexpr char kTooManyIcons[] =
    "Ce fichier contient plus de %1 icônes : seules les %1 premières sont proposées.";

// The reason when neither the file nor its type has an icon.
inline constexpr char kNoIconForType[] = "holds no icons, and its type has none";

// Puts icon `index` of the file (mode bit 2) or its associated icon (mode 1)
// into the document over white, `beforeChange` (the undo copy) just before.
// Marks the document modified; its file name stays. -1, with why in
// `reason` and nothing called or changed, when the file cannot be opened or
// the icon cannot be drawn (a damaged group, a program without icons, a file
// whose type has no icon either).
int LoadIconIntoDocument(IconDocument& doc, const std::string& path, int mode, int index,
                         IconProvider& icons, std::string& reason,
                         const std::function<void()>& beforeChange = {});

// The grid of icons and its state. A program may hold thousands of icons, so
// choosing it reads only how many; an icon is drawn when its row comes into
// view (or a few rows before), and rows far from the view are forgotten and
// drawn again if they come back. Every icon takes a cell in the file's order;
// one found damaged when drawn is crossed out, and stays selectable so that
// "Extraire" says why it cannot be taken.
class ExtractGrid {
 public:
  static constexpr int kCell = 32;
  static constexpr int kColumns = 3;
  static constexpr int kWidth = kCell * kColumns;
  // Rows drawn beyond those in view, before and after them.
  static constexpr int kRowsAhead = 2;
  // Drawn rows kept on either side of the view: a few hundred kilobytes.
  static constexpr int kKeptRows = 24;

  explicit ExtractGrid(int viewportInnerHeight = 136);

  // A file was chosen: clears the grid, counts its icons (the file's group
  // directory only), computes the scroll range and draws the rows in view.
  // A file without icons of its own offers the icon of its type in one cell;
  // when it has none (or is refused) the grid says so and offers nothing.
  void ChooseFile(const std::string& path, IconProvider& icons);
  // The view shows rows from `topRow` on: draws those not yet drawn (and
  // kRowsAhead more each way), and forgets rows beyond kKeptRows.
  void ShowRows(int topRow, IconProvider& icons);
  // The mouse at (x, y) in grid pixels with exactly the left button (press
  // released, or held while moving); false when the event does not count.
  bool Select(int x, int y, bool leftButtonOnly);
  // Mode for "Extraire": the file's icons when it holds any, else its associated icon.
  static int ExtractMode(const std::string& path, IconProvider& icons);

  // Rows [firstRow, firstRow + rows) of the grid's picture, the highlight
  // inverted: drawn icons, damaged ones crossed out, white elsewhere.
  Surface Band(int firstRow, int rows) const;
  // The whole grid, without and with the highlight (small grids and tests;
  // the window draws bands).
  Surface Picture() const;
  Surface Shown() const { return Band(0, Rows()); }
  int Rows() const { return Height() / kCell; }
  int Height() const;
  // Icon `cell` was found damaged when drawn.
  bool Damaged(int cell) const;

  int iconCount = 0;  // cells offered
  int selected = 0;   // the file's icon to extract (its index in the file)
  Rect highlight;     // empty when nothing is highlighted
  bool scrollEnabled = false;
  int scrollMax = 0;     // may be negative when everything fits; the bar then shows 0
  bool noIcons = false;  // " No icons" / " available" is printed on the grid
  bool cut = false;      // the file holds more icons than offered

 private:
  enum class CellState : std::uint8_t { NotDrawn, Drawn, Damaged };
  void OfferNothing();
  Surface BandOf(int firstRow, int rows, bool withHighlight) const;
  int innerHeight_;
  std::string path_;
  std::vector<CellState> states_;
  std::vector<Surface> pictures_;  // drawn cells only; empty otherwise
};

}  // namespace gs
