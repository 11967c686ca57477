#pragma once
// Pictures and byte helpers for the file-format tests.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "document/colors.h"
#include "document/surface.h"

namespace gs::test {

// A 32 x 32 picture from rows of characters drawn at the top left; what the
// rows do not cover is `rest`. Legend: '.' white, '#' black, others as given.
inline Surface Picture(std::initializer_list<std::string_view> rows,
                       const std::map<char, Color>& legend = {}, Color rest = kWhite) {
  Surface s(32, 32);
  s.FillRect({0, 0, 32, 32}, rest);
  int y = 0;
  for (std::string_view row : rows) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      const char c = row[x];
      Color col = c == '.' ? kWhite : c == '#' ? kBlack : kBlack;
      if (auto it = legend.find(c); it != legend.end()) col = it->second;
      s.SetPixelV(x, y, col);
    }
    ++y;
  }
  return s;
}

// Every pixel a different colour, none of them white.
inline Surface ManyColours() {
  Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.SetPixelV(x, y, RGB(x * 8, y * 8, (x * 3 + y * 5) % 250));
  return s;
}

inline std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
inline std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
         static_cast<std::uint32_t>(b.at(at + 2)) << 16 |
         static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

// "first difference at (x, y): got RRGGBB, want RRGGBB", or "" when equal.
inline std::string FirstDifference(const Surface& got, const Surface& want) {
  char buf[96];
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (got.GetPixel(x, y) != want.GetPixel(x, y)) {
        const Color g = got.GetPixel(x, y), w = want.GetPixel(x, y);
        std::snprintf(buf, sizeof buf,
                      "first difference at (%d, %d): got %02X%02X%02X, want %02X%02X%02X", x, y,
                      RedOf(g), GreenOf(g), BlueOf(g), RedOf(w), GreenOf(w), BlueOf(w));
        return buf;
      }
  return "";
}

}  // namespace gs::test
