// Flood fills of regions that a scanline fill reaches only through one end of
// a run, drawn as ASCII pictures ('#' walls, '.' white, 'r' filled).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/surface.h"
#include "tests/support/pixel_art.h"

namespace gs {
namespace {

constexpr Color kRed = RGB(255, 0, 0);

Surface FromLines(const std::vector<std::string>& rows) {
  Surface s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      s.SetPixelV(
          x, y,
          rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? kBlack : kWhite);
  return s;
}

TEST(SurfaceFlood, RegionsReachedOnlyThroughTheEndsOfARun) {
  const struct {
    const char* name;
    Point seed;
    std::vector<std::string> before, after;
  } cases[] = {
      {"U shape entered through the last pixel of the seed's run",
       {0, 0},
       {"....#", "###.#", "#...#", "#.###", "#...."},
       {"rrrr#", "###r#", "#rrr#", "#r###", "#rrrr"}},
      {"U shape entered through the first pixel of the seed's run",
       {4, 0},
       {"#....", "#.###", "#...#", "###.#", "....#"},
       {"#rrrr", "#r###", "#rrr#", "###r#", "rrrr#"}},
      {"a run below whose only link is its own last pixel",
       {0, 2},
       {".....", "####.", "....."},
       {"rrrrr", "####r", "rrrrr"}},
      {"upwards through the last pixel",
       {0, 2},
       {".....", "####.", ".....", "#####"},
       {"rrrrr", "####r", "rrrrr", "#####"}},
  };
  for (const auto& c : cases) {
    Surface s = FromLines(c.before);
    s.SelectBrush(Brush::Solid(kRed));
    ASSERT_TRUE(s.ExtFloodFill(c.seed.x, c.seed.y, kWhite)) << c.name;
    EXPECT_EQ(test::Picture(s, s.Bounds(), {{kRed, 'r'}}), test::Lines(c.after)) << c.name;
  }
}

}  // namespace
}  // namespace gs
