#pragma once
// Colour-depth reduction to fixed standard tables, shared by the icon, bitmap
// and PCX writers, the save-options preview and the "Convertir en" command.
//
//   DepthImage img = ConvertToDepth(doc.surface, 8, RowOrder::BottomUp);
//   // img.block: 1024 index bytes, bottom row first; img.table: 256 entries
//   ConvertDocumentToDepth(doc.surface, 4);   // in place (take the undo copy first)
//
// Tables: 1 bit black and white; 4 bits the classic 16 colours; 8 bits those
// 16, a 6 x 6 x 6 cube and a grey ramp. Black and white are in every table, so
// transparent (white) pixels stay transparent. Each pixel goes to the nearest
// table colour (squared RGB distance, lowest index on a tie).
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "document/colors.h"
#include "document/surface.h"

namespace gs {

// One colour-table entry as files store it: blue, green, red, 0.
struct PaletteEntry {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;

  Color ToColor() const { return RGB(red, green, blue); }
  static PaletteEntry FromColor(Color c) {
    return {static_cast<std::uint8_t>(BlueOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
            static_cast<std::uint8_t>(RedOf(c)), 0};
  }
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

enum class RowOrder { BottomUp, TopDown };

// 32 x 32 pixels at one depth: rows of 4, 16, 32 or 96 bytes (128, 512, 1024
// or 3072 in all); 24-bit pixels are blue, green, red. `table` holds 2, 16 or
// 256 entries, none at 24 bits.
struct DepthImage {
  int bitCount = 24;
  std::vector<std::uint8_t> block;
  std::vector<PaletteEntry> table;
};

// A colour table as files store it: blue, green, red and a zero byte per entry.
std::vector<std::uint8_t> ColorTableBytes(std::span<const PaletteEntry> table);

bool IsSupportedDepth(int bitCount);  // 1, 4, 8 or 24
int BlockRowBytes(int bitCount);      // 4, 16, 32, 96; 0 otherwise

// The fixed table of a depth (2, 16 or 256 entries); empty for 24 or unknown.
std::span<const PaletteEntry> StandardTable(int bitCount);
// The same as files store it (ColorTableBytes of it).
std::span<const std::uint8_t> StandardTableBytes(int bitCount);
// Index of the standard table's colour nearest to c.
int NearestStandardIndex(int bitCount, Color c);

// The writer looks the nearest colour up by box of 4 x 4 x 4 colours in
// tables made at build time from NearestStandardIndex
// (files/generate/depth_lookup_gen.cpp): a box holds one answer, or two with
// a mask of which of its 64 colours take which, or (rarely) more, which
// search. The key names the box and the cell the colour within it.
inline constexpr int kDepthLookupSize = 1 << 18;
inline constexpr int kClassicLookupMarker = 0xFF;  // no 16-colour index
inline constexpr int kByteLookupMarker = 16;       // cube black: classic 0 wins every tie
constexpr int DepthLookupKey(Color c) {
  return (RedOf(c) >> 2) << 12 | (GreenOf(c) >> 2) << 6 | BlueOf(c) >> 2;
}
constexpr int DepthLookupCell(Color c) {
  return (RedOf(c) & 3) | (GreenOf(c) & 3) << 2 | (BlueOf(c) & 3) << 4;
}

// The source's top-left 32 x 32 pixels at bitCount (1, 4, 8, 24). An unknown
// depth gives an empty block.
DepthImage ConvertToDepth(const Surface& src, int bitCount, RowOrder order);
// The same from 32 x 32 pixels held in an array, top row first.
DepthImage ConvertPixelsToDepth(std::span<const Color, 1024> pixels, int bitCount, RowOrder order);
// The block alone, into `block` (32 rows of BlockRowBytes(bitCount)). False,
// with nothing written, for an unknown depth or a block too small.
bool ConvertPixelsInto(std::span<const Color, 1024> pixels, int bitCount, RowOrder order,
                       std::span<std::uint8_t> block);
// A surface's top-left 32 x 32 pixels, top row first; black outside it.
std::array<Color, 1024> PixelsOf(const Surface& src);

// Pixel (x, y) of a depth image (y from the top), as a colour; black when the
// index has no table entry.
Color DepthImagePixel(const DepthImage& img, RowOrder order, int x, int y);

// Reduces the surface's 32 x 32 pixels in place to the standard table of
// bitCount (1, 4 or 8); other depths leave it unchanged. Returns false then.
bool ConvertDocumentToDepth(Surface& surface, int bitCount);

}  // namespace gs
