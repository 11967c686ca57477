#include "files/thumbnail.h"

#include <algorithm>
#include <vector>

#include "document/area_scale.h"
#include "files/cursor_frames.h"

namespace gs {

namespace {

void PutPixel(RgbaImage& out, int x, int y, int r, int g, int b, int a) {
  std::uint8_t* p = out.rgba.data() + (static_cast<std::size_t>(y) * out.width + x) * 4;
  p[0] = static_cast<std::uint8_t>(r);
  p[1] = static_cast<std::uint8_t>(g);
  p[2] = static_cast<std::uint8_t>(b);
  p[3] = static_cast<std::uint8_t>(a);
}

// Each destination pixel takes the source pixel under its centre.
void Grow(const Surface& picture, RgbaImage& out) {
  const int w = picture.Width(), h = picture.Height();
  std::vector<int> column(static_cast<std::size_t>(out.width));
  for (int x = 0; x < out.width; ++x) column[x] = static_cast<int>((2LL * x + 1) * w / (2LL * out.width));
  for (int y = 0; y < out.height; ++y) {
    const Color* row = picture.Row(static_cast<int>((2LL * y + 1) * h / (2LL * out.height)));
    for (int x = 0; x < out.width; ++x) {
      const Color c = row[column[x]];
      if (c == kWhite)
        PutPixel(out, x, y, 0, 0, 0, 0);
      else
        PutPixel(out, x, y, RedOf(c), GreenOf(c), BlueOf(c), 255);
    }
  }
}

// Colour and coverage are averaged apart (colour weighted by coverage), so
// transparent white never bleeds into the edges as a pale fringe.
void Shrink(const Surface& picture, RgbaImage& out) {
  const int w = picture.Width(), h = picture.Height();
  Surface weighted(w, h), coverage(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Color c = picture.Row(y)[x];
      const bool opaque = c != kWhite;
      weighted.Row(y)[x] = opaque ? c : kBlack;
      coverage.Row(y)[x] = opaque ? kWhite : kBlack;
    }
  }
  Surface smallColor(out.width, out.height), smallCover(out.width, out.height);
  AreaScaleCopy(smallColor, 0, 0, out.width, out.height, ViewOf(weighted), 0, 0, w, h);
  AreaScaleCopy(smallCover, 0, 0, out.width, out.height, ViewOf(coverage), 0, 0, w, h);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const Color c = smallColor.Row(y)[x];
      const int a = RedOf(smallCover.Row(y)[x]);
      if (a == 0) {
        PutPixel(out, x, y, 0, 0, 0, 0);
        continue;
      }
      const auto unweight = [a](int v) { return std::min(255, (v * 255 + a / 2) / a); };
      PutPixel(out, x, y, unweight(RedOf(c)), unweight(GreenOf(c)), unweight(BlueOf(c)), a);
    }
  }
}

}  // namespace

RgbaImage RenderThumbnail(const Surface& picture, int size) {
  RgbaImage out;
  if (size < 1 || size > kMaxThumbnailSize || picture.Width() <= 0 || picture.Height() <= 0)
    return out;
  out.width = out.height = size;
  out.rgba.assign(static_cast<std::size_t>(size) * size * 4, 0);
  if (size >= picture.Width() && size >= picture.Height())
    Grow(picture, out);
  else
    Shrink(picture, out);
  return out;
}

bool MakeThumbnail(std::span<const std::uint8_t> bytes, int size, RgbaImage& out,
                   std::string& problem) {
  out = {};
  std::vector<CursorFrame> frames;
  if (!LoadCursorFrames(bytes, frames, problem, 1)) return false;
  out = RenderThumbnail(frames.front().pixels, size);
  if (out.rgba.empty()) {
    problem = "size must be from 1 to " + std::to_string(kMaxThumbnailSize);
    return false;
  }
  return true;
}

}  // namespace gs
