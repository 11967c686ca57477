#include "files/xcursor_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>

#include "files/ani_frames.h"
#include "files/icon_image.h"
#include "files/icon_reader.h"
#include "platform/system_library.h"

// After our own headers: Xlib's macros (None, Status, Bool) must not reach them.
// Its types only: the functions come from the library loaded on first use.
#include <X11/Xcursor/Xcursor.h>

namespace gs {

namespace {

// libXcursor brings X11's libraries along, whose loading would cost every
// call of the tool; only X11 cursors need it, so it is loaded when they do.
struct XcursorLibrary {
  decltype(&XcursorImagesCreate) imagesCreate = nullptr;
  decltype(&XcursorImagesDestroy) imagesDestroy = nullptr;
  decltype(&XcursorImageCreate) imageCreate = nullptr;
  decltype(&XcursorCommentsCreate) commentsCreate = nullptr;
  decltype(&XcursorCommentsDestroy) commentsDestroy = nullptr;
  decltype(&XcursorXcFileSave) xcFileSave = nullptr;
  std::string problem;  // "" once every function is there
};

const XcursorLibrary& Xcursor() {
  static const XcursorLibrary lib = [] {
    XcursorLibrary l;
    SystemLibrary x(kXcursorLibraryName, "libxcursor1");
    x.Find(l.imagesCreate, "XcursorImagesCreate");
    x.Find(l.imagesDestroy, "XcursorImagesDestroy");
    x.Find(l.imageCreate, "XcursorImageCreate");
    x.Find(l.commentsCreate, "XcursorCommentsCreate");
    x.Find(l.commentsDestroy, "XcursorCommentsDestroy");
    x.Find(l.xcFileSave, "XcursorXcFileSave");
    if (!x.ok()) l.problem = "X11 cursors need " + x.problem();
    return l;
  }();
  return lib;
}

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
  long base = whence == SEEK_CUR   ? static_cast<long>(m->pos)
              : whence == SEEK_END ? static_cast<long>(m->bytes.size())
                                   : 0;
  if (base + offset < 0) return -1;
  m->pos = static_cast<std::size_t>(base + offset);
  return static_cast<int>(m->pos);
}

// An X11 cursor file: a 16-byte header, then for each image a 12-byte table
// of contents entry, a 36-byte chunk header and 4 bytes a pixel.
constexpr std::uint64_t kXcursorFileHeaderBytes = 16;
constexpr std::uint64_t XcursorImageBytes(std::uint64_t pixels) { return 12 + 36 + 4 * pixels; }

struct ImagesDeleter {
  void operator()(XcursorImages* images) const { Xcursor().imagesDestroy(images); }
};

}  // namespace

std::uint32_t XcursorPixelOf(Color c) {
  if (c == kWhite || c == kInvalidColor) return 0;
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}

std::string XcursorUnavailable() { return Xcursor().problem; }

std::vector<std::uint8_t> BuildXcursorBytes(std::span<const XcursorFrameImage> frames) {
  if (frames.empty() || !Xcursor().problem.empty()) return {};
  const XcursorLibrary& x = Xcursor();
  std::unique_ptr<XcursorImages, ImagesDeleter> images(
      x.imagesCreate(static_cast<int>(frames.size())));
  if (!images) return {};
  for (const XcursorFrameImage& f : frames) {
    const int w = f.width, h = f.height;
    if (w <= 0 || h <= 0 || f.argb.size() != static_cast<std::size_t>(w) * h) return {};
    XcursorImage* image = x.imageCreate(w, h);
    if (!image) return {};
    // Owned by `images` from here, so an early return frees it too.
    images->images[images->nimage++] = image;
    image->size = static_cast<XcursorDim>(f.nominalSize > 0 ? f.nominalSize : std::max(w, h));
    image->xhot = static_cast<XcursorDim>(std::clamp(f.hotspotX, 0, w - 1));
    image->yhot = static_cast<XcursorDim>(std::clamp(f.hotspotY, 0, h - 1));
    image->delay = static_cast<XcursorUInt>(f.delayMs > 0 ? f.delayMs : 0);
    std::copy(f.argb.begin(), f.argb.end(), image->pixels);
  }
  // The file's size is known: one buffer, not a doubling series of them.
  MemoryFile memory;
  std::uint64_t expected = kXcursorFileHeaderBytes;
  for (const XcursorFrameImage& f : frames) expected += XcursorImageBytes(f.argb.size());
  memory.bytes.reserve(static_cast<std::size_t>(expected));
  XcursorFile file{&memory, ReadNothing, WriteToMemory, SeekInMemory};
  // libXcursor wants a comment list, even an empty one.
  XcursorComments* comments = x.commentsCreate(0);
  if (!comments) return {};
  const bool saved = x.xcFileSave(&file, comments, images.get());
  x.commentsDestroy(comments);
  if (!saved) return {};
  return std::move(memory.bytes);
}

namespace {

XcursorFrameImage FromDrawing(const CursorFrame& f) {
  XcursorFrameImage x{f.pixels.Width(),
                      f.pixels.Height(),
                      kXcursorNominalSize,
                      f.hotspotX,
                      f.hotspotY,
                      f.delayMs,
                      {}};
  x.argb.reserve(f.pixels.Pixels().size());
  for (Color c : f.pixels.Pixels()) x.argb.push_back(XcursorPixelOf(c));
  return x;
}

std::uint32_t Premultiplied(Color c, int a) {
  const auto weigh = [a](int v) { return static_cast<std::uint32_t>((v * a + 127) / 255); };
  return (static_cast<std::uint32_t>(a) << 24) | (weigh(RedOf(c)) << 16) |
         (weigh(GreenOf(c)) << 8) | weigh(BlueOf(c));
}

// The entry of each size in one icon or cursor file: the deepest, by the
// images' own headers, so nothing is decoded before the whole cost is known;
// of the size the editor reads, its entry (`editorEntry`), which has that size.
std::map<int, int> ChosenEntries(std::span<const std::uint8_t> file, const IconDirectory& dir,
                                 int editorEntry = -1) {
  std::map<int, int> entryOf;
  std::map<int, int> depthOf;
  for (std::size_t i = 0; i < dir.entries.size(); ++i) {
    const IconDirectoryEntry& e = dir.entries[i];
    if (e.imageOffset >= file.size()) continue;
    IconImageHeader h;
    if (!PeekIconImage(file.subspan(e.imageOffset), h) || h.width <= 0 || h.width != h.height)
      continue;
    if (depthOf.count(h.width) && depthOf[h.width] >= h.bitCount) continue;
    entryOf[h.width] = static_cast<int>(i);
    depthOf[h.width] = h.bitCount;
  }
  if (editorEntry >= 0 && static_cast<std::size_t>(editorEntry) < dir.entries.size()) {
    IconImageHeader h;
    const std::uint32_t at = dir.entries[editorEntry].imageOffset;
    if (at < file.size() && PeekIconImage(file.subspan(at), h) && entryOf.count(h.width) &&
        h.width == h.height)
      entryOf[h.width] = editorEntry;
  }
  return entryOf;
}

// False, with the decoder's reason, when an image to be written is damaged.
bool StoredImages(std::span<const std::uint8_t> file, int editorEntry,
                  std::map<int, XcursorFrameImage>& bySide, std::string& problem) {
  bySide.clear();
  const IconDirectory dir = ReadIconDirectory(file);
  for (const auto& [side, index] : ChosenEntries(file, dir, editorEntry)) {
    const IconDirectoryEntry& e = dir.entries[index];
    const auto bytes = file.subspan(
        e.imageOffset, std::min<std::size_t>(e.bytesInResource, file.size() - e.imageOffset));
    IconImage image;
    std::string why;
    if (!DecodeIconImageAtSize(bytes, image, why) || !why.empty()) {
      problem = "image " + std::to_string(index) + " (" + std::to_string(side) + " x " +
                std::to_string(side) + "): " + (why.empty() ? "no image could be read" : why);
      return false;
    }
    if (image.width != side) continue;
    XcursorFrameImage x{image.width, image.height, image.width, 0, 0, 0, {}};
    if (dir.header.type == 2) {
      x.hotspotX = e.planes;
      x.hotspotY = e.bitCount;
    }
    x.argb.resize(image.colors.size());
    for (std::size_t i = 0; i < image.colors.size(); ++i)
      x.argb[i] = Premultiplied(image.colors[i], image.alpha[i]);
    bySide[side] = std::move(x);
  }
  return true;
}

// What one step's images add to the file: a chunk header and its pixels each.
std::uint64_t StepBytes(std::span<const std::uint8_t> file) {
  std::uint64_t n = 0;
  for (const auto& [side, index] : ChosenEntries(file, ReadIconDirectory(file)))
    n += XcursorImageBytes(std::uint64_t{1} * side * side);
  return n ? n : XcursorImageBytes(kXcursorNominalSize * kXcursorNominalSize);
}

}  // namespace

std::vector<std::uint8_t> BuildXcursorBytes(std::span<const CursorFrame> frames) {
  std::vector<XcursorFrameImage> images;
  for (const CursorFrame& f : frames) images.push_back(FromDrawing(f));
  return BuildXcursorBytes(images);
}

bool CursorFileImages(std::span<const std::uint8_t> bytes, std::vector<XcursorFrameImage>& images,
                      std::string& problem) {
  images.clear();
  // The stored images of each step's file, in playing order (the steps that
  // LoadCursorFrames below draws, when the file is sound).
  std::vector<std::span<const std::uint8_t>> files;
  std::vector<std::size_t> frameOf;  // of each step, for messages
  const bool animated = LooksLikeAni(bytes);
  if (animated) {
    AniSequence seq;
    ReadAniSequence(bytes, seq, problem);
    for (const AniStep& s : seq.steps) {
      if (files.size() >= kMaxAniSteps) break;
      files.push_back(seq.FrameBytes(bytes, s.frame));
      frameOf.push_back(s.frame);
    }
  } else {
    files.push_back(bytes);
  }
  // A few kilobytes of animation may repeat large images in every step: the
  // file's size is known from the headers before anything is decoded, even
  // the frames' drawings.
  // Steps repeat frames: each frame's headers are read once.
  std::uint64_t total = kXcursorFileHeaderBytes;
  std::map<const std::uint8_t*, std::uint64_t> frameBytes;
  for (std::size_t i = 0; i < files.size(); ++i) {
    auto [known, fresh] = frameBytes.try_emplace(files[i].data());
    if (fresh) known->second = StepBytes(files[i]);
    total += known->second;
    if (total > kMaxXcursorBytes) {
      problem =
          "the X11 cursor would be larger than " + std::to_string(kMaxXcursorBytes >> 20) + " MiB";
      return false;
    }
  }
  std::vector<CursorFrame> drawn;
  if (!LoadCursorFrames(bytes, drawn, problem, kMaxAniSteps)) return false;
  // Steps repeat frames: each distinct frame's images are decoded once, and
  // moved rather than copied for the last step that shows them.
  std::map<const std::uint8_t*, std::map<int, XcursorFrameImage>> decoded;
  std::map<const std::uint8_t*, std::size_t> lastStep;
  for (std::size_t i = 0; i < drawn.size() && i < files.size(); ++i) lastStep[files[i].data()] = i;
  std::map<int, std::vector<XcursorFrameImage>> bySize;
  for (std::size_t i = 0; i < drawn.size() && i < files.size(); ++i) {
    auto [it, fresh] = decoded.try_emplace(files[i].data());
    if (fresh && !StoredImages(files[i], drawn[i].entryIndex, it->second, problem)) {
      if (animated) problem = "frame " + std::to_string(frameOf[i] + 1) + ": " + problem;
      images.clear();
      return false;
    }
    std::map<int, XcursorFrameImage> stored =
        lastStep[files[i].data()] == i ? std::move(it->second) : it->second;
    if (stored.empty()) stored[kXcursorNominalSize] = FromDrawing(drawn[i]);
    for (auto& [side, image] : stored) {
      image.delayMs = drawn[i].delayMs;
      bySize[side].push_back(std::move(image));
    }
  }
  // A size that only some frames hold would animate unevenly: keep the sizes every frame has.
  for (auto& [side, list] : bySize)
    if (list.size() == drawn.size())
      images.insert(images.end(), std::make_move_iterator(list.begin()),
                    std::make_move_iterator(list.end()));
  if (images.empty())
    for (const CursorFrame& f : drawn) images.push_back(FromDrawing(f));
  return true;
}

WriteStatus WriteXcursorFile(const std::string& path, std::span<const CursorFrame> frames) {
  if (const std::string why = XcursorUnavailable(); !why.empty())
    return WriteStatus::Failure(path, why);
  const std::vector<std::uint8_t> bytes = BuildXcursorBytes(frames);
  if (bytes.empty()) return WriteStatus::Failure(path, "could not encode the X11 cursor");
  return WriteFileSafely(path, bytes);
}

}  // namespace gs
