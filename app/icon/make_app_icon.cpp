// Paints the application's icon with the editor's own drawing code and writes
// it as PNGs of the hicolor theme: make_app_icon OUT_FOLDER NAME SIZE...
// writes OUT_FOLDER/<S>x<S>/apps/NAME.png for each size.
//
// The picture: a pixel-art heart on a checkered canvas in a slate frame, with
// a pencil across its corner. It is drawn once large and averaged down, colour
// and coverage apart, so small sizes keep clean transparent edges.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "document/area_scale.h"
#include "document/colors.h"
#include "document/surface.h"
#include "files/png_codec.h"
#include "platform/safe_file.h"

namespace {

using namespace gs;

constexpr int kCanvas = 512;

// Colour and coverage drawn together: every shape lands opaque on both.
struct Layers {
  Surface color{kCanvas, kCanvas};
  Surface cover{kCanvas, kCanvas};

  template <class Draw>
  void Paint(Color c, Draw draw) {
    draw(color, c);
    draw(cover, kWhite);
  }
};

void Box(Layers& l, Color c, int left, int top, int right, int bottom) {
  l.Paint(c, [&](Surface& s, Color k) { s.FillRect({left, top, right, bottom}, k); });
}

void RoundBox(Layers& l, Color c, int left, int top, int right, int bottom, int corner) {
  l.Paint(c, [&](Surface& s, Color k) {
    s.SelectPen(Pen::None());
    s.SelectBrush(Brush::Solid(k));
    s.RoundRect(left, top, right, bottom, corner, corner);
  });
}

void ThickLine(Layers& l, Color c, int width, int x1, int y1, int x2, int y2) {
  l.Paint(c, [&](Surface& s, Color k) {
    s.SelectPen(Pen::Solid(width, k));
    s.MoveToEx(x1, y1);
    s.LineTo(x2, y2);
  });
}

Layers PaintIcon() {
  Layers l;
  RoundBox(l, RGB(0x2E, 0x3A, 0x59), 24, 24, 488, 488, 120);
  // The canvas: 8 x 8 magnified pixels, checkered where transparent.
  constexpr int kCell = 44, kLeft = 80, kTop = 80;
  static const char* kHeart[8] = {".XX..XX.", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
                                  ".XXXXXX.", "..XXXX..", "...XX...", "........"};
  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 8; ++col) {
      const bool heart = kHeart[row][col] == 'X';
      const bool light = (row + col) % 2 == 0;
      const Color c =
          heart ? (row < 2 && col % 4 == 1 ? RGB(0xFF, 0x8A, 0x80) : RGB(0xE5, 0x39, 0x35))
                : (light ? RGB(0xF4, 0xF4, 0xF4) : RGB(0xD0, 0xD4, 0xDC));
      Box(l, c, kLeft + col * kCell, kTop + row * kCell, kLeft + (col + 1) * kCell,
          kTop + (row + 1) * kCell);
    }
  }
  // The pencil: body, ferrule and lead, from the lower right towards the heart.
  ThickLine(l, RGB(0x1B, 0x1F, 0x2A), 84, 468, 468, 300, 300);
  ThickLine(l, RGB(0xFF, 0xC1, 0x07), 60, 462, 462, 318, 318);
  ThickLine(l, RGB(0x90, 0xA4, 0xAE), 60, 330, 330, 310, 310);
  ThickLine(l, RGB(0xF0, 0xC8, 0x90), 36, 300, 300, 272, 272);
  ThickLine(l, RGB(0x1B, 0x1F, 0x2A), 16, 272, 272, 262, 262);
  return l;
}

RgbaImage Scaled(const Layers& l, int size) {
  Surface color(size, size), cover(size, size);
  AreaScaleCopy(color, Area{0, 0, size, size}, ViewOf(l.color), Area{0, 0, kCanvas, kCanvas});
  AreaScaleCopy(cover, Area{0, 0, size, size}, ViewOf(l.cover), Area{0, 0, kCanvas, kCanvas});
  RgbaImage out{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 4)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // The colour layer is black where nothing was painted, so each channel
      // is already weighted by coverage; dividing by it restores the colour.
      const Color c = color.Row(y)[x];
      const int a = RedOf(cover.Row(y)[x]);
      const auto unweight = [a](int v) { return a ? std::min(255, (v * 255 + a / 2) / a) : 0; };
      std::uint8_t* p = out.rgba.data() + (static_cast<std::size_t>(y) * size + x) * 4;
      p[0] = static_cast<std::uint8_t>(unweight(RedOf(c)));
      p[1] = static_cast<std::uint8_t>(unweight(GreenOf(c)));
      p[2] = static_cast<std::uint8_t>(unweight(BlueOf(c)));
      p[3] = static_cast<std::uint8_t>(a);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: make_app_icon OUT_FOLDER NAME SIZE...\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  const std::string name = argv[2];
  const Layers layers = PaintIcon();
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 1 || size > kCanvas) {
      std::fprintf(stderr, "make_app_icon: bad size %s\n", argv[i]);
      return 2;
    }
    const std::string dir =
        folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::vector<std::uint8_t> png = EncodeRgbaPng(Scaled(layers, size), PngEffort::Small);
    const WriteStatus st = WriteFileSafely(dir + "/" + name + ".png", png);
    if (png.empty() || !st) {
      std::fprintf(stderr, "make_app_icon: %s\n",
                   png.empty() ? "PNG encoding failed" : st.error.c_str());
      return 1;
    }
  }
  return 0;
}
