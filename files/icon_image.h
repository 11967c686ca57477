#pragma once
// One stored icon image -> the editor's 32 x 32 picture. This is the single
// decoder of icon images: icon and cursor files, the tool and the icons found
// inside programs all come through here, so they cannot disagree.
//
//   IconImageResult r;
//   DecodeIconImage(imageBytes, r);   // never fails; r.problem says what was wrong
//   // r.pixels: 32 x 32, white where transparent; r.alpha: 0 or 255 per pixel
//
// imageBytes starts at the image's first byte, as an icon directory entry or a
// program's icon resource stores it: a bitmap-format image (40-byte or longer
// info header, colour table, colour rows, AND mask rows; height doubled) or a
// PNG. Bytes after the image are ignored; bytes missing read as 0.
//
// Transparency: the editor has only "transparent" and "opaque", so alpha below
// 128 is transparent (white) and anything else is the pixel's own colour,
// unblended. Blending a soft edge over white would make light, opaque halos that
// show on every other background once saved; the threshold keeps the edge
// colours true and the outline where the image's author put the middle of it.
// A 32-bit image whose alpha is all 0 uses its AND mask; without an AND mask
// its alpha decides.
//
// Size: 32 x 32 as it is; a side that divides 32 is enlarged by whole factors
// with nearest-neighbour (16 -> crisp 2 x 2 blocks); any other size goes
// through AreaScaleCopy, colours weighted by alpha so that transparent pixels
// do not darken the edges, and the scaled alpha thresholded as above.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/colors.h"
#include "document/surface.h"

namespace gs {

enum class IconImageKind {
  None,     // nothing could be read
  Indexed,  // 1, 4 or 8 bits
  Rgb24,
  Rgba32,
  Png,
  Fallback,  // (files only) no entry qualified: the best image was drawn
};

// An image at its real size, rows top first.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<Color> colors;
  std::vector<std::uint8_t> alpha;  // 0..255
};

struct IconImageResult {
  Surface pixels;                          // 32 x 32, white where transparent
  std::array<std::uint8_t, 1024> alpha{};  // 0 transparent, 255 opaque; top row first
  IconImageKind kind = IconImageKind::None;
  int width = 0;  // the stored image's own size and depth (0 when unknown)
  int height = 0;
  int bitCount = 0;     // 32 for PNG
  std::string problem;  // empty when the image read cleanly
};

// Decodes one image. Returns false when nothing usable was in it (the result
// is then black and opaque where no mask said otherwise, with a problem).
bool DecodeIconImage(std::span<const std::uint8_t> image, IconImageResult& out);

// The same image at its real size (1..256 a side). False when it cannot be read.
bool DecodeIconImageAtSize(std::span<const std::uint8_t> image, IconImage& out,
                           std::string& problem);

// Brings an image of any size to 32 x 32 by the rules above.
void BringTo32(const IconImage& image, Surface& pixels, std::array<std::uint8_t, 1024>& alpha);

// What an image says about itself without decoding it: size and depth from
// its own header (PNG: 32 bits). False when neither header is there.
struct IconImageHeader {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  bool png = false;
};
bool PeekIconImage(std::span<const std::uint8_t> image, IconImageHeader& out);

// Row decoders shared by every path: `count` pixels of one stored row.
// Indices read their colour from a 256-entry table (missing entries black).
void DecodeRow1(const std::uint8_t* row, int count, const Color* table, Color* out);
void DecodeRow4(const std::uint8_t* row, int count, const Color* table, Color* out);
void DecodeRow8(const std::uint8_t* row, int count, const Color* table, Color* out);
void DecodeRow24(const std::uint8_t* row, int count, Color* out);
void DecodeRow32(const std::uint8_t* row, int count, Color* out, std::uint8_t* alpha);

}  // namespace gs
