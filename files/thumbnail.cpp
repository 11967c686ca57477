#include "files/thumbnail.h"

#include <algorithm>
#include <vector>

#include "document/area_scale.h"
#include "files/ani_frames.h"
#include "files/cursor_frames.h"
#include "files/icon_image.h"
#include "files/icon_reader.h"

namespace gs {

namespace {

void PutPixel(RgbaImage& out, int x, int y, Color c, int a) {
  std::uint8_t* p = out.rgba.data() + (static_cast<std::size_t>(y) * out.width + x) * 4;
  p[0] = static_cast<std::uint8_t>(a ? RedOf(c) : 0);
  p[1] = static_cast<std::uint8_t>(a ? GreenOf(c) : 0);
  p[2] = static_cast<std::uint8_t>(a ? BlueOf(c) : 0);
  p[3] = static_cast<std::uint8_t>(a);
}

// Each destination pixel takes the source pixel under its centre.
void Grow(const IconImage& image, RgbaImage& out) {
  const int w = image.width, h = image.height;
  std::vector<int> column(static_cast<std::size_t>(out.width));
  for (int x = 0; x < out.width; ++x)
    column[x] = static_cast<int>((2LL * x + 1) * w / (2LL * out.width));
  for (int y = 0; y < out.height; ++y) {
    const std::size_t row = static_cast<std::size_t>((2LL * y + 1) * h / (2LL * out.height)) * w;
    for (int x = 0; x < out.width; ++x)
      PutPixel(out, x, y, image.colors[row + column[x]], image.alpha[row + column[x]]);
  }
}

// Colour (weighted by alpha) and alpha are averaged apart, so transparent
// pixels never bleed into the edges as a fringe.
void Shrink(const IconImage& image, RgbaImage& out) {
  const int w = image.width, h = image.height;
  Surface weighted(w, h), coverage(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      const Color c = image.colors[i];
      const int a = image.alpha[i];
      const auto weigh = [a](int v) { return (v * a + 127) / 255; };
      weighted.Row(y)[x] = RGB(weigh(RedOf(c)), weigh(GreenOf(c)), weigh(BlueOf(c)));
      coverage.Row(y)[x] = RGB(a, a, a);
    }
  }
  Surface smallColor(out.width, out.height), smallCover(out.width, out.height);
  AreaScaleCopy(smallColor, Area{0, 0, out.width, out.height}, ViewOf(weighted), Area{0, 0, w, h});
  AreaScaleCopy(smallCover, Area{0, 0, out.width, out.height}, ViewOf(coverage), Area{0, 0, w, h});
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const Color c = smallColor.Row(y)[x];
      const int a = RedOf(smallCover.Row(y)[x]);
      const auto unweigh = [a](int v) { return a ? std::min(255, (v * 255 + a / 2) / a) : 0; };
      PutPixel(out, x, y, RGB(unweigh(RedOf(c)), unweigh(GreenOf(c)), unweigh(BlueOf(c))), a);
    }
  }
}

}  // namespace

RgbaImage RenderThumbnail(const IconImage& image, int size) {
  RgbaImage out;
  if (size < 1 || size > kMaxThumbnailSize || image.width <= 0 || image.height <= 0) return out;
  out.width = out.height = size;
  out.rgba.assign(static_cast<std::size_t>(size) * size * 4, 0);
  if (size >= image.width && size >= image.height)
    Grow(image, out);
  else
    Shrink(image, out);
  return out;
}

int BestImageForSize(std::span<const IconImageHeader> images, int size) {
  int best = -1, bestSide = 0, bestDepth = 0;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImageHeader& h = images[i];
    if (h.width <= 0 || h.height <= 0) continue;
    const int side = std::max(h.width, h.height);
    const bool fits = side >= size, bestFits = bestSide >= size;
    const bool better = best < 0 || (fits && !bestFits) ||
                        (fits == bestFits && (fits ? side < bestSide : side > bestSide)) ||
                        (side == bestSide && h.bitCount > bestDepth);
    if (better) {
      best = static_cast<int>(i);
      bestSide = side;
      bestDepth = h.bitCount;
    }
  }
  return best;
}

namespace {

IconImage FromPicture(const Surface& picture) {
  IconImage image{picture.Width(), picture.Height(), picture.Pixels(), {}};
  image.alpha.resize(image.colors.size());
  for (std::size_t i = 0; i < image.colors.size(); ++i)
    image.alpha[i] = image.colors[i] == kWhite ? 0 : 255;
  return image;
}

// The stored image of an icon file that suits `size` best, decoded. Of the
// images of that size, the one the editor reads (`editorEntry`) is taken.
// False, with the decoder's reason, when that image is damaged; true with an
// empty image when no image has a header to rank it by.
bool BestStoredImage(std::span<const std::uint8_t> file, int size, int editorEntry, IconImage& out,
                     std::string& problem) {
  const IconDirectory dir = ReadIconDirectory(file);
  std::vector<std::span<const std::uint8_t>> images;
  std::vector<IconImageHeader> headers;
  int editor = -1;
  for (std::size_t i = 0; i < dir.entries.size(); ++i) {
    const IconDirectoryEntry& e = dir.entries[i];
    if (e.imageOffset >= file.size()) continue;
    if (static_cast<int>(i) == editorEntry) editor = static_cast<int>(images.size());
    images.push_back(file.subspan(
        e.imageOffset, std::min<std::size_t>(e.bytesInResource, file.size() - e.imageOffset)));
    headers.emplace_back();
    if (!PeekIconImage(images.back(), headers.back())) headers.back() = {};
  }
  int best = BestImageForSize(headers, size);
  if (best < 0) return true;
  const auto side = [&](int i) { return std::max(headers[i].width, headers[i].height); };
  if (editor >= 0 && side(editor) == side(best)) best = editor;
  if (!DecodeIconImageAtSize(images[static_cast<std::size_t>(best)], out, problem) ||
      !problem.empty()) {
    if (problem.empty()) problem = "no image could be read";
    out = {};
    return false;
  }
  return true;
}

}  // namespace

RgbaImage RenderThumbnail(const Surface& picture, int size) {
  return RenderThumbnail(FromPicture(picture), size);
}

bool MakeThumbnail(std::span<const std::uint8_t> bytes, int size, RgbaImage& out,
                   std::string& problem) {
  out = {};
  problem.clear();
  if (size < 1 || size > kMaxThumbnailSize) {
    problem = "size must be from 1 to " + std::to_string(kMaxThumbnailSize);
    return false;
  }
  // The reader's verdict and choice, as every command takes them: damage
  // anywhere (any frame of an animation) refuses the file.
  std::vector<CursorFrame> frames;
  if (!LoadCursorFrames(bytes, frames, problem, 1)) return false;
  // An animated cursor shows its first step, itself a cursor file.
  std::span<const std::uint8_t> file = bytes;
  if (LooksLikeAni(bytes)) {
    AniSequence seq;
    ReadAniSequence(bytes, seq, problem);
    file = seq.FrameBytes(bytes, seq.steps.front().frame);
  }
  IconImage image;
  if (!BestStoredImage(file, size, frames.front().entryIndex, image, problem)) return false;
  // No stored image has a header to rank it by: the editor's own picture.
  if (image.width <= 0) image = FromPicture(frames.front().pixels);
  out = RenderThumbnail(image, size);
  return !out.rgba.empty();
}

}  // namespace gs
