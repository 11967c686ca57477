#include "files/xcursor_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

// After our own headers: Xlib's macros (None, Status, Bool) must not reach them.
#include <X11/Xcursor/Xcursor.h>

namespace gs {

namespace {

// A seekable growing buffer behind libXcursor's file callbacks, so that the
// bytes can go through the safe writer instead of libXcursor's own fopen.
struct MemoryFile {
  std::vector<std::uint8_t> bytes;
  std::size_t pos = 0;
};

int WriteToMemory(XcursorFile* file, unsigned char* buf, int len) {
  auto* m = static_cast<MemoryFile*>(file->closure);
  if (len < 0) return -1;
  const std::size_t n = static_cast<std::size_t>(len);
  if (m->pos + n > m->bytes.size()) m->bytes.resize(m->pos + n);
  std::memcpy(m->bytes.data() + m->pos, buf, n);
  m->pos += n;
  return len;
}

int ReadNothing(XcursorFile*, unsigned char*, int) { return -1; }

int SeekInMemory(XcursorFile* file, long offset, int whence) {
  auto* m = static_cast<MemoryFile*>(file->closure);
  long base = whence == SEEK_CUR ? static_cast<long>(m->pos)
              : whence == SEEK_END ? static_cast<long>(m->bytes.size())
                                   : 0;
  if (base + offset < 0) return -1;
  m->pos = static_cast<std::size_t>(base + offset);
  return static_cast<int>(m->pos);
}

struct ImagesDeleter {
  void operator()(XcursorImages* images) const { XcursorImagesDestroy(images); }
};

}  // namespace

std::uint32_t XcursorPixelOf(Color c) {
  if (c == kWhite || c == kInvalidColor) return 0;
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}

std::vector<std::uint8_t> BuildXcursorBytes(std::span<const CursorFrame> frames) {
  if (frames.empty()) return {};
  std::unique_ptr<XcursorImages, ImagesDeleter> images(
      XcursorImagesCreate(static_cast<int>(frames.size())));
  if (!images) return {};
  for (const CursorFrame& f : frames) {
    const int w = f.pixels.Width();
    const int h = f.pixels.Height();
    if (w <= 0 || h <= 0) return {};
    XcursorImage* image = XcursorImageCreate(w, h);
    if (!image) return {};
    // Owned by `images` from here, so an early return frees it too.
    images->images[images->nimage++] = image;
    image->size = kXcursorNominalSize;
    image->xhot = static_cast<XcursorDim>(std::clamp(f.hotspotX, 0, w - 1));
    image->yhot = static_cast<XcursorDim>(std::clamp(f.hotspotY, 0, h - 1));
    image->delay = static_cast<XcursorUInt>(f.delayMs > 0 ? f.delayMs : 0);
    for (int y = 0; y < h; ++y) {
      const Color* row = f.pixels.Row(y);
      for (int x = 0; x < w; ++x) image->pixels[y * w + x] = XcursorPixelOf(row[x]);
    }
  }
  MemoryFile memory;
  XcursorFile file{&memory, ReadNothing, WriteToMemory, SeekInMemory};
  // libXcursor wants a comment list, even an empty one.
  XcursorComments* comments = XcursorCommentsCreate(0);
  if (!comments) return {};
  const bool saved = XcursorXcFileSave(&file, comments, images.get());
  XcursorCommentsDestroy(comments);
  if (!saved) return {};
  return std::move(memory.bytes);
}

WriteStatus WriteXcursorFile(const std::string& path, std::span<const CursorFrame> frames) {
  const std::vector<std::uint8_t> bytes = BuildXcursorBytes(frames);
  if (bytes.empty()) return WriteStatus::Failure(path, "could not encode the X11 cursor");
  return WriteFileSafely(path, bytes);
}

}  // namespace gs
