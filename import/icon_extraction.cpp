#include "import/icon_extraction.h"

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
  doc.modified = false;
  doc.surface.FillRect({0, 0, kIconSize, kIconSize}, kWhite);
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x)
      if (pic.alpha[y * 32 + x] != 0) doc.surface.SetPixelV(x, y, pic.overWhite.GetPixel(x, y));
  return 0;
}

ExtractGrid::ExtractGrid(int viewportInnerHeight)
    : innerHeight_(viewportInnerHeight), picture_(kWidth, kWidth) {
  picture_.FillRect(picture_.Bounds(), kWhite);
}

void ExtractGrid::Grow(int height) {
  Surface bigger(kWidth, height);
  bigger.FillRect(bigger.Bounds(), kWhite);
  BitBlt(bigger, Area{0, 0, kWidth, picture_.Height()}, picture_, Point{0, 0});
  picture_ = std::move(bigger);
}

void ExtractGrid::OfferNothing() {
  noIcons = true;
  iconCount = 0;
  cells_.clear();
  scrollEnabled = false;
  highlight = Rect{};
  selected = 0;
}

void ExtractGrid::ChooseFile(const std::string& path, IconProvider& icons) {
  // A fresh 96 x 96 grid whatever the last file needed.
  picture_ = Surface(kWidth, kWidth);
  picture_.FillRect(picture_.Bounds(), kWhite);
  noIcons = false;
  cells_.clear();
  const int n = std::min(icons.Count(path), kMaxIcons);
  if (n != 0) {
    int x = 0, y = 0;
    for (int k = 0; k < n; ++k) {
      IconPicture pic;
      std::string reason;
      // A damaged icon takes no cell: a blank one would pass for an icon.
      if (!icons.Icon(path, k, pic, reason)) continue;
      if (picture_.Height() < y + kCell) Grow(y + kCell);
      BitBlt(picture_, Area{x, y, kCell, kCell}, pic.overWhite, Point{0, 0});
      cells_.push_back(k);
      if (kWidth > x + kCell) {
        x += kCell;
      } else {
        x = 0;
        y += kCell;
      }
    }
    if (cells_.empty()) {
      OfferNothing();
      return;
    }
    scrollMax = Nearest(static_cast<double>(y + kCell - innerHeight_) / kCell);
  } else {
    IconPicture pic;
    if (!icons.Refusal(path).empty() || !icons.Associated(path, pic)) {
      OfferNothing();
      return;
    }
    BitBlt(picture_, Area{0, 0, kCell, kCell}, pic.overWhite, Point{0, 0});
    cells_.push_back(0);
  }
  iconCount = static_cast<int>(cells_.size());
  scrollEnabled = iconCount > 9;
  highlight = Rect{};
  selected = cells_.front();
}

bool ExtractGrid::Select(int x, int y, bool leftButtonOnly) {
  if (!leftButtonOnly || x <= 0 || y <= 0 || x >= kWidth || y >= picture_.Height()) return false;
  const int column = x / kCell, row = y / kCell;
  const int cell = kColumns * row + column;
  if (cell >= iconCount) return false;
  selected = cells_[static_cast<std::size_t>(cell)];
  highlight = {kCell * column, kCell * row, kCell * (column + 1), kCell * (row + 1)};
  return true;
}

int ExtractGrid::ExtractMode(const std::string& path, IconProvider& icons) {
  return icons.Count(path) != 0 ? kModeIndex : kModeAssociated;
}

Surface ExtractGrid::Shown() const {
  Surface s = picture_;
  if (!highlight.IsEmpty()) s.InvertRect(highlight);
  return s;
}

}  // namespace gs
