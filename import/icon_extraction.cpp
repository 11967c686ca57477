#include "import/icon_extraction.h"

#include "document/numeric.h"
#include "platform/safe_file.h"

namespace gs {

IconResourceReader* ResourceIconProvider::ReaderFor(const std::string& path) {
  if (reader_ && path == path_) return reader_.get();
  Forget();
  std::string error;
  source_ = FileSource::Open(path, error);
  if (!source_) return nullptr;
  path_ = path;
  reader_ = std::make_unique<IconResourceReader>(*source_);
  return reader_.get();
}

void ResourceIconProvider::Forget() {
  reader_.reset();
  source_.reset();
  path_.clear();
}

int ResourceIconProvider::Count(const std::string& path) {
  IconResourceReader* r = ReaderFor(path);
  return r ? r->Count() : 0;
}

bool ResourceIconProvider::Icon(const std::string& path, int k, IconPicture& out) {
  IconResourceReader* r = ReaderFor(path);
  return r && ExtractIconPicture(*r, k, out);
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

int LoadIconIntoDocument(IconDocument& doc, const std::string& path, int mode, int index,
                         IconProvider& icons) {
  if (path.empty() || !RegularFileExists(path)) return -1;
  doc.modified = false;
  doc.surface.FillRect({0, 0, kIconSize, kIconSize}, kWhite);
  IconPicture pic;
  const bool drawn = (mode & kModeIndex) ? icons.Icon(path, index, pic)
                                         : (mode == kModeAssociated && icons.Associated(path, pic));
  if (drawn) {
    for (int y = 0; y < kIconSize; ++y)
      for (int x = 0; x < kIconSize; ++x)
        if (pic.alpha[y * 32 + x] != 0) doc.surface.SetPixelV(x, y, pic.overWhite.GetPixel(x, y));
  }
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

void ExtractGrid::ChooseFile(const std::string& path, IconProvider& icons) {
  // A fresh 96 x 96 grid whatever the last file needed.
  picture_ = Surface(kWidth, kWidth);
  picture_.FillRect(picture_.Bounds(), kWhite);
  noIcons = false;
  const int n = std::min(icons.Count(path), kMaxIcons);
  scrollEnabled = n > 9;
  if (n != 0) {
    iconCount = n;
    int x = 0, y = 0;
    for (int k = 0; k < n; ++k) {
      if (picture_.Height() < y + kCell) Grow(y + kCell);
      IconPicture pic;
      if (icons.Icon(path, k, pic))
        BitBlt(picture_, Area{x, y, kCell, kCell}, pic.overWhite, Point{0, 0});
      if (kWidth > x + kCell) {
        x += kCell;
      } else {
        x = 0;
        y += kCell;
      }
    }
    scrollMax = Nearest(static_cast<double>(y + kCell - innerHeight_) / kCell);
  } else {
    IconPicture pic;
    if (!icons.Associated(path, pic)) {
      // Count, selection and highlight keep what they were.
      noIcons = true;
      return;
    }
    BitBlt(picture_, Area{0, 0, kCell, kCell}, pic.overWhite, Point{0, 0});
    iconCount = 1;
  }
  highlight = Rect{};
  selected = 0;
}

bool ExtractGrid::Select(int x, int y, bool leftButtonOnly) {
  if (!leftButtonOnly || x <= 0 || y <= 0 || x >= kWidth || y >= picture_.Height()) return false;
  const int column = x / kCell, row = y / kCell;
  const int index = kColumns * row + column;
  if (index >= iconCount) return false;
  selected = index;
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
