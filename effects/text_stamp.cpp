#include "effects/text_stamp.h"

#include <cctype>

#include "document/numeric.h"

namespace gs {

std::optional<int> FontSizeFromText(std::string_view text) {
  const int n = Nearest(ParseLeadingNumber(text));
  if (n <= 0 || n > kTextMaxPointSize) return std::nullopt;
  return n;
}

int TextPositionFromText(std::string_view text) { return Nearest(ParseLeadingNumber(text)); }

namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (prefix.empty() || s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

int FirstStartingWith(const std::vector<std::string>& names, std::string_view prefix) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (StartsWithNoCase(names[i], prefix)) return static_cast<int>(i);
  return -1;
}

}  // namespace

int ChooseStartFont(const std::vector<std::string>& names, std::string_view desktopSansSerif) {
  if (names.empty()) return -1;
  if (int i = FirstStartingWith(names, kTextPreferredFont); i >= 0) return i;
  // An exact name first, so "DejaVu Sans" is not beaten by "DejaVu Sans Mono".
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i].size() == desktopSansSerif.size() && StartsWithNoCase(names[i], desktopSansSerif))
      return static_cast<int>(i);
  if (int i = FirstStartingWith(names, desktopSansSerif); i >= 0) return i;
  return 0;
}

void StampCoverage(Surface& dst, const std::vector<std::uint8_t>& coverage, Color color) {
  const std::size_t w = static_cast<std::size_t>(dst.Width());
  if (coverage.size() != w * static_cast<std::size_t>(dst.Height())) return;
  for (int y = 0; y < dst.Height(); ++y) {
    Color* row = dst.Row(y);
    const std::uint8_t* cov = coverage.data() + static_cast<std::size_t>(y) * w;
    for (std::size_t x = 0; x < w; ++x)
      if (cov[x] >= 128) row[x] = color;
  }
}

}  // namespace gs
