#pragma once
// Colours are 0x00BBGGRR: red in the low byte. Pure white is the transparent colour.
#include <cstdint>

namespace gs {

using Color = std::uint32_t;

inline constexpr Color kWhite = 0x00FFFFFF;
inline constexpr Color kBlack = 0x00000000;
inline constexpr Color kTransparent = kWhite;
// What a pixel read outside a surface returns.
inline constexpr Color kInvalidColor = 0xFFFFFFFF;

constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

struct ColorParts {
  std::int32_t red = 0;
  std::int32_t green = 0;
  std::int32_t blue = 0;
};

constexpr ColorParts SplitColor(Color c) {
  return {static_cast<std::int32_t>(c & 0xFF), static_cast<std::int32_t>((c & 0xFF00) / 256),
          static_cast<std::int32_t>((c & 0xFF0000) / 65536)};
}

}  // namespace gs
