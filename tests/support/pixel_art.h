#pragma once
// Small ASCII pictures for pixel expectations: each character is one pixel,
// '.' white, '#' black, other letters from a legend. Failures print both pictures.
#include <map>
#include <string>
#include <vector>

#include "document/surface.h"

namespace gs::test {

inline std::string Picture(const Surface& s, Rect area, const std::map<Color, char>& legend = {}) {
  std::string out;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const Color c = s.GetPixel(x, y);
      auto it = legend.find(c);
      if (it != legend.end())
        out += it->second;
      else if (c == kWhite)
        out += '.';
      else if (c == kBlack)
        out += '#';
      else
        out += '?';
    }
    out += '\n';
  }
  return out;
}

inline std::string Lines(const std::vector<std::string>& rows) {
  std::string out;
  for (const auto& r : rows) out += r + "\n";
  return out;
}

}  // namespace gs::test
