#include "import/icon_extraction.h"

#include <algorithm>

#include "document/numeric.h"

namespace gs {

namespace {

// The system's reason names the path; the user is told it after the name.
std::string WithoutPath(std::string error, const std::string& path) {
  if (error.rfind(path + ": ", 0) == 0) error.erase(0, path.size() + 2);
  return error;
}

}  // namespace

IconResourceReader* ResourceIconProvider::ReaderFor(const std::string& path) {
  if (reader_ && path == path_) return reader_.get();
  Forget();
  std::string error;
  source_ = FileSource::Open(path, error);
  if (!source_) {
    openFailure_ = WithoutPath(error, path);
    return nullptr;
  }
  path_ = path;
  reader_ = std::make_unique<IconResourceReader>(*source_);
  return reader_.get();
}

void ResourceIconProvider::Forget() {
  reader_.reset();
  source_.reset();
  path_.clear();
  openFailure_.clear();
}

int ResourceIconProvider::Count(const std::string& path) {
  IconResourceReader* r = ReaderFor(path);
  return r ? r->Count() : 0;
}

bool ResourceIconProvider::Icon(const std::string& path, int k, IconPicture& out,
                                std::string& reason) {
  IconResourceReader* r = ReaderFor(path);
  if (!r) {
    reason = openFailure_;
    return false;
  }
  if (r->Count() == 0) {
    reason = NoIconsReason(*r);
    return false;
  }
  return ExtractIcon(*r, k, out, reason);
}

bool ResourceIconProvider::Cut(const std::string& path) {
  IconResourceReader* r = ReaderFor(path);
  return r && r->GroupsCut();
}

std::string ResourceIconProvider::Refusal(const std::string& path) {
  IconResourceReader* r = ReaderFor(path);
  if (!r) return openFailure_;
  if (r->Count() != 0 || !r->Recognised()) return {};
  return NoIconsReason(*r);
}

IconPicture GenericDocumentIcon() {
  // A sheet from x 6 to 25, y 2 to 29, its top-right corner folded over:
  //   ######....       outline dark grey, page white, fold light grey,
  //   #    #\..        three lines of "text" across the page
  //   #    ###
  IconPicture p;
  p.overWhite = Surface(32, 32);
  p.overWhite.FillRect({0, 0, 32, 32}, kWhite);
  p.alpha.fill(0);
  constexpr int left = 6, right = 25, top = 2, bottom = 29, fold = 7;
  const Color outline = RGB(96, 96, 96), foldColour = RGB(208, 208, 208), text = RGB(150, 170, 200);
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const int cut = x - (right - fold);      // columns into the folded corner
      if (cut > 0 && y - top < cut) continue;  // beyond the fold's diagonal: no page
      Color c = kWhite - 0x010101;             // near-white, so the page is not see-through
      if (x == left || x == right || y == top || y == bottom || (cut > 0 && y - top == cut))
        c = outline;
      else if (cut >= 0 && y - top <= fold)
        c = (x == right - fold || y - top == fold) ? outline : foldColour;
      else if ((y - top) % 4 == 0 && y > top + fold && y < bottom - 2 && x > left + 2 &&
               x < right - 2)
        c = text;
      p.overWhite.SetPixelV(x, y, c);
      p.alpha[y * 32 + x] = 255;
    }
  return p;
}

std::string ExtractFailedMessage(const std::string& lead, const std::string& path,
                                 const std::string& reason) {
  return lead + "\n" + path + "\n\n" + reason;
}

int LoadIconIntoDocument(IconDocument& doc, const std::string& path, int mode, int index,
                         IconProvider& icons, std::string& reason,
                         const std::function<void()>& beforeChange) {
  {
    // Gone, a folder, or not to be read: the system's reason.
    std::string error;
    if (!FileSource::Open(path, error)) {
      reason = WithoutPath(error, path);
      return -1;
    }
  }
  IconPicture pic;
  if (mode & kModeIndex) {
    if (!icons.Icon(path, index, pic, reason)) return -1;
  } else {
    reason = icons.Refusal(path);
    if (!reason.empty()) return -1;
    if (mode != kModeAssociated || !icons.Associated(path, pic)) {
      reason = kNoIconForType;
      return -1;
    }
  }
  if (beforeChange) beforeChange();
  // The extracted picture exists nowhere as an icon yet: leaving must ask to
  // save it.
  doc.modified = true;
  doc.surface.FillRect({0, 0, kIconSize, kIconSize}, kWhite);
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x)
      if (pic.alpha[y * 32 + x] != 0) doc.surface.SetPixelV(x, y, pic.overWhite.GetPixel(x, y));
  return 0;
}

ExtractGrid::ExtractGrid(int viewportInnerHeight) : innerHeight_(viewportInnerHeight) {}

int ExtractGrid::Height() const {
  const int rows = (iconCount + kColumns - 1) / kColumns;
  return std::max(kWidth, kCell * rows);
}

bool ExtractGrid::Damaged(int cell) const {
  return cell >= 0 && cell < static_cast<int>(states_.size()) &&
         states_[static_cast<std::size_t>(cell)] == CellState::Damaged;
}

void ExtractGrid::OfferNothing() {
  noIcons = true;
  iconCount = 0;
  states_.clear();
  pictures_.clear();
  scrollEnabled = false;
  highlight = Rect{};
  selected = 0;
}

void ExtractGrid::ChooseFile(const std::string& path, IconProvider& icons) {
  path_ = path;
  noIcons = false;
  cut = false;
  states_.clear();
  pictures_.clear();
  highlight = Rect{};
  selected = 0;
  const int n = icons.Count(path);
  if (n != 0) {
    cut = icons.Cut(path);
    iconCount = n;
    states_.assign(static_cast<std::size_t>(n), CellState::NotDrawn);
    pictures_.resize(static_cast<std::size_t>(n));
    // The row after the last icon, as a filling loop would have left it.
    const int y = kCell * (n / kColumns);
    scrollMax = Nearest(static_cast<double>(y + kCell - innerHeight_) / kCell);
    ShowRows(0, icons);
  } else {
    IconPicture pic;
    if (!icons.Refusal(path).empty() || !icons.Associated(path, pic)) {
      OfferNothing();
      return;
    }
    iconCount = 1;
    states_.assign(1, CellState::Drawn);
    pictures_.assign(1, std::move(pic.overWhite));
    path_.clear();  // nothing more to draw
  }
  scrollEnabled = iconCount > 9;
}

void ExtractGrid::ShowRows(int topRow, IconProvider& icons) {
  if (path_.empty()) return;
  const int rows = Rows();
  const int inView = (innerHeight_ + kCell - 1) / kCell;
  const int first = std::max(0, topRow - kRowsAhead);
  const int last = std::min(rows, topRow + inView + kRowsAhead);  // past the end
  const int keepFirst = topRow - kKeptRows, keepLast = topRow + inView + kKeptRows;
  for (int cell = 0; cell < iconCount; ++cell) {
    const int row = cell / kColumns;
    const auto i = static_cast<std::size_t>(cell);
    if (row >= first && row < last) {
      if (states_[i] != CellState::NotDrawn) continue;
      IconPicture pic;
      std::string reason;
      if (icons.Icon(path_, cell, pic, reason)) {
        states_[i] = CellState::Drawn;
        pictures_[i] = std::move(pic.overWhite);
      } else {
        // Remembered, so it is not tried again while the file stays chosen.
        states_[i] = CellState::Damaged;
      }
    } else if ((row < keepFirst || row >= keepLast) && states_[i] == CellState::Drawn) {
      states_[i] = CellState::NotDrawn;
      pictures_[i] = Surface();
    }
  }
}

bool ExtractGrid::Select(int x, int y, bool leftButtonOnly) {
  if (!leftButtonOnly || x <= 0 || y <= 0 || x >= kWidth || y >= Height()) return false;
  const int column = x / kCell, row = y / kCell;
  const int cell = kColumns * row + column;
  if (cell >= iconCount) return false;
  selected = cell;
  highlight = {kCell * column, kCell * row, kCell * (column + 1), kCell * (row + 1)};
  return true;
}

int ExtractGrid::ExtractMode(const std::string& path, IconProvider& icons) {
  return icons.Count(path) != 0 ? kModeIndex : kModeAssociated;
}

Surface ExtractGrid::BandOf(int firstRow, int rows, bool withHighlight) const {
  Surface band(kWidth, kCell * std::max(rows, 0));
  band.FillRect(band.Bounds(), kWhite);
  const int top = kCell * firstRow;
  for (int row = firstRow; row < firstRow + rows; ++row)
    for (int column = 0; column < kColumns; ++column) {
      const int cell = kColumns * row + column;
      if (cell < 0 || cell >= iconCount) continue;
      const auto i = static_cast<std::size_t>(cell);
      const int x = kCell * column, y = kCell * row - top;
      if (states_[i] == CellState::Drawn) {
        BitBlt(band, Area{x, y, kCell, kCell}, pictures_[i], Point{0, 0});
      } else if (states_[i] == CellState::Damaged) {
        // A grey cross: something is there, and it cannot be drawn.
        for (int d = 6; d < kCell - 6; ++d) {
          band.SetPixelV(x + d, y + d, RGB(128, 128, 128));
          band.SetPixelV(x + kCell - 1 - d, y + d, RGB(128, 128, 128));
        }
      }
    }
  if (withHighlight && !highlight.IsEmpty())
    band.InvertRect(
        Rect{highlight.left, highlight.top - top, highlight.right, highlight.bottom - top});
  return band;
}

Surface ExtractGrid::Band(int firstRow, int rows) const { return BandOf(firstRow, rows, true); }

Surface ExtractGrid::Picture() const { return BandOf(0, Rows(), false); }

}  // namespace gs
