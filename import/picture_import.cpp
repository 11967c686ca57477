#include "import/picture_import.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "document/area_scale.h"
#include "document/numeric.h"

namespace gs {

void ImportRegion::Arrange() {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
}

int ImportRegion::Corner(int index) const {
  switch (index) {
    case 0:
      return x1;
    case 1:
      return y1;
    case 2:
      return x2;
    default:
      return y2;
  }
}

void ImportRegion::SetCorner(int index, int value) {
  switch (index) {
    case 0:
      x1 = value;
      break;
    case 1:
      y1 = value;
      break;
    case 2:
      x2 = value;
      break;
    default:
      y2 = value;
      break;
  }
}

void ImportRegion::Press(double x, double y) {
  x1 = Nearest(x);
  y1 = Nearest(y);
}

void ImportRegion::Release(double x, double y, int pictureWidth, int pictureHeight) {
  x2 = ClampedPicturePixel(x, pictureWidth);
  y2 = ClampedPicturePixel(y, pictureHeight);
}

ImportRegion StartRegion(int pictureWidth, int pictureHeight) {
  const int w = std::max(0, pictureWidth), h = std::max(0, pictureHeight);
  const int side = std::min(w, h);
  const int x = (w - side) / 2, y = (h - side) / 2;
  return {x, y, x + side, y + side};
}

int ClampedPicturePixel(double v, int limit) {
  return std::clamp(Nearest(v), 0, std::max(0, limit));
}

int CornerFromText(std::string_view text) { return Nearest(ParseLeadingNumber(text)); }

std::string DigitsOnly(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c >= '0' && c <= '9') out.push_back(c);
  return out;
}

int ScrollMaximum(int pictureExtent, int visibleExtent) {
  const long long m = static_cast<long long>(pictureExtent) - visibleExtent;
  return m > 0 ? static_cast<int>(std::min<long long>(m, 0x7FFFFFFF)) : 0;
}

bool ImportPictureRegion(Surface& icon, const Picture& picture, ImportRegion r) {
  r.Arrange();
  if (r.Empty() || picture.Empty()) return false;
  // Extents are at most 2^31 - 1 apart: corners come from digits-only fields
  // and the pointer, never negative.
  const long long w = static_cast<long long>(r.x2) - r.x1, h = static_cast<long long>(r.y2) - r.y1;
  if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  AreaScaleCopy(icon, Area{0, 0, 32, 32}, picture.View(),
                Area{r.x1, r.y1, static_cast<int>(w), static_cast<int>(h)});
  return true;
}

Surface ImportWholePicture(const Picture& picture) {
  Surface icon(32, 32);
  icon.FillRect(icon.Bounds(), kWhite);
  ImportPictureRegion(icon, picture, {0, 0, picture.width, picture.height});
  return icon;
}

bool ImportPictureBytes(std::span<const std::uint8_t> bytes,
                        const std::optional<ImportRegion>& region, Surface& icon,
                        std::string& error) {
  Picture picture;
  if (!DecodePicture(bytes, picture, error)) return false;
  icon = Surface(kIconSize, kIconSize);
  icon.FillRect(icon.Bounds(), kWhite);
  ImportPictureRegion(icon, picture,
                      region.value_or(ImportRegion{0, 0, picture.width, picture.height}));
  return true;
}

bool OpenPictureAsDocument(std::span<const std::uint8_t> bytes, IconDocument& doc,
                           std::string& error) {
  Surface icon;
  if (!ImportPictureBytes(bytes, std::nullopt, icon, error)) return false;
  doc.surface = std::move(icon);
  doc.Width = doc.Height = kIconSize;
  doc.fileName.clear();
  doc.ForgetOtherImages();
  doc.modified = false;
  doc.selection.DestroyMask();
  return true;
}

FileDialogRequest ImportPictureDialog() {
  FileDialogRequest r;
  r.title = "Import Picture";
  r.filters = {
      {"Supported pictures", "*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf"},
      {"Windows Bitmaps (*.bmp;*.dib)", "*.bmp;*.dib"},
      {"Compuserve GIF (*.gif)", "*.gif"},
      {"JPEG bitmaps (*.jpg)", "*.jpg"},
      {"Windows Metafiles (*.wmf;*.emf)", "*.wmf;*.emf"},
      {"All files (*.*)", "*.*"},
  };
  return r;
}

bool ParseRegionText(std::string_view text, ImportRegion& out) {
  int v[4] = {};
  std::size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t end = i < 3 ? text.find(',', pos) : text.size();
    if (end == std::string_view::npos) return false;
    const std::string_view part = text.substr(pos, end - pos);
    if (part.empty() || part.find_first_not_of("0123456789") != std::string_view::npos)
      return false;
    const auto [p, ec] = std::from_chars(part.data(), part.data() + part.size(), v[i]);
    if (ec != std::errc() || p != part.data() + part.size()) return false;
    pos = end + 1;
  }
  out = {v[0], v[1], v[2], v[3]};
  return true;
}

}  // namespace gs
