#pragma once
// The rules of the text window that need no font: its lists and starting
// texts, how typed numbers are read, which font it starts with, and how the
// glyphs a rasteriser drew are stamped into the icon.
//
//   TextStyle style;                       // read from the controls
//   if (auto size = FontSizeFromText("12")) style.pointSize = *size;
//   coverage = <glyph pixels drawn by the platform at (OffX, OffY)>;
//   StampCoverage(result, coverage, foreColor);
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/colors.h"
#include "document/surface.h"

namespace gs {

inline constexpr std::array<const char*, 31> kTextFontSizes = {
    "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15", "16", "17", "18", "19",
    "20", "21", "22", "23", "24", "26", "28", "30", "34", "38", "42", "46", "50", "60", "72"};
inline constexpr int kTextDefaultSizeIndex = 4;  // "8"
inline constexpr const char* kTextSample = "AaBbYyZz";
inline constexpr const char* kTextDefault = "Zud";
inline constexpr const char* kTextPreferredFont = "MS Sans Serif";

struct TextStyle {
  std::string family;
  int pointSize = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// The size a text of the size list asks for: its leading number, halves to
// even. A size the rasteriser would refuse (0 or less, or beyond what a
// 32-pixel icon can show of it) gives nothing, and the previous size stays.
std::optional<int> FontSizeFromText(std::string_view text);
inline constexpr int kTextMaxPointSize = 1000;

// A position field: leading number, halves to even (no number gives 0).
int TextPositionFromText(std::string_view text);

// The font the window starts with: the first name beginning with "MS Sans
// Serif" (ignoring case); else the first beginning with the desktop's
// sans-serif family; else the first name. -1 for an empty list.
int ChooseStartFont(const std::vector<std::string>& names, std::string_view desktopSansSerif);

// Sets every pixel of `dst` whose coverage (one byte per pixel, rows top
// first, the size of dst) is at least half to `color`; the rest stay, so the
// background shows through. Without smoothing coverage is only 0 or 255.
void StampCoverage(Surface& dst, const std::vector<std::uint8_t>& coverage, Color color);

}  // namespace gs
