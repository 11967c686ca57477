// Draws the sample icons and cursors of data/icon and data/curseur with the
// editor's own drawing and writing code. Build and run from the project root:
//   c++ -std=c++20 -I. scripts/make_samples.cpp build/libglyphsmith_core.a -lpng -o
//   /tmp/make_samples /tmp/make_samples data
#include <cstdio>
#include <string>

#include "document/icon_document.h"
#include "files/icon_writer.h"

using namespace gs;

namespace {

void Fill(Surface& s, Rect r, Color c) { s.FillRect(r, c); }

void Shape(Surface& s, Color pen, Color brush) {
  s.SelectPen(Pen::Solid(1, pen));
  s.SelectBrush(Brush::Solid(brush));
}

Surface Smiley() {
  Surface s = MakeIconSurface();
  Shape(s, kBlack, RGB(255, 220, 0));
  s.Ellipse(1, 1, 31, 31);
  Shape(s, kBlack, kBlack);
  s.Ellipse(9, 9, 13, 14);
  s.Ellipse(19, 9, 23, 14);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.MoveToEx(8, 19);
  s.LineTo(11, 22);
  s.LineTo(20, 22);
  s.LineTo(24, 18);
  return s;
}

Surface House() {
  Surface s = MakeIconSurface();
  s.SelectPen(Pen::Solid(1, RGB(200, 60, 40)));
  for (int y = 3; y < 15; ++y) {  // roof
    s.MoveToEx(16 - (y - 3) - 1, y);
    s.LineTo(16 + (y - 3) + 1, y);
  }
  s.SelectPen(Pen::Solid(1, kBlack));
  s.MoveToEx(3, 15);
  s.LineTo(16, 2);
  s.LineTo(30, 16);
  Shape(s, kBlack, RGB(240, 220, 170));
  s.Rectangle(5, 14, 27, 30);
  Shape(s, kBlack, RGB(120, 70, 30));
  s.Rectangle(13, 20, 19, 30);
  Shape(s, kBlack, RGB(120, 190, 255));
  s.Rectangle(7, 17, 12, 22);
  s.Rectangle(20, 17, 25, 22);
  return s;
}

Surface Folder() {
  Surface s = MakeIconSurface();
  Shape(s, RGB(120, 90, 0), RGB(230, 180, 40));
  s.RoundRect(2, 6, 14, 12, 4, 4);
  Shape(s, RGB(120, 90, 0), RGB(250, 210, 80));
  s.Rectangle(2, 9, 30, 27);
  return s;
}

Surface Rainbow() {
  Surface s = MakeIconSurface();
  const Color bands[] = {RGB(255, 0, 0), RGB(255, 128, 0), RGB(255, 255, 0),
                         RGB(0, 200, 0), RGB(0, 128, 255), RGB(128, 0, 255)};
  s.SelectPen(Pen::None());
  for (int i = 0; i < 6; ++i) {
    s.SelectBrush(Brush::Solid(bands[i]));
    s.Ellipse(1 + 2 * i, 6 + 2 * i, 31 - 2 * i, 36 - 2 * i);
  }
  Fill(s, {0, 22, 32, 32}, kWhite);
  s.SelectBrush(Brush::Solid(kWhite));
  s.Ellipse(13, 18, 19, 24);
  return s;
}

// '#' black, 'o' opaque near-white (pure white would be transparent), '.' transparent.
Surface FromPicture(const char* const* rows, int count) {
  Surface s = MakeIconSurface();
  for (int y = 0; y < count; ++y)
    for (int x = 0; rows[y][x]; ++x)
      if (rows[y][x] != '.') s.SetPixelV(x, y, rows[y][x] == '#' ? kBlack : RGB(254, 254, 254));
  return s;
}

Surface Arrow() {
  static const char* const rows[] = {
      "#",         "##",        "#o#",        "#oo#",        "#ooo#",     "#oooo#",   "#ooooo#",
      "#oooooo#",  "#ooooooo#", "#oooooooo#", "#ooooo#####", "#oo#oo#",   "#o#.#oo#", "##..#oo#",
      "#....#oo#", ".....#oo#", "......#oo#", "......#oo#",  ".......##",
  };
  return FromPicture(rows, static_cast<int>(sizeof rows / sizeof *rows));
}

Surface Cross() {
  Surface s = MakeIconSurface();
  Fill(s, {15, 2, 17, 30}, kBlack);
  Fill(s, {2, 15, 30, 17}, kBlack);
  Shape(s, RGB(200, 0, 0), kWhite);
  s.SelectBrush(Brush::Hollow());
  s.Ellipse(8, 8, 25, 25);
  return s;
}

Surface Hourglass() {
  Surface s = MakeIconSurface();
  Fill(s, {8, 2, 24, 4}, kBlack);
  Fill(s, {8, 28, 24, 30}, kBlack);
  for (int y = 4; y < 28; ++y) {
    const int half = y < 16 ? 16 - y : y - 15;
    const int w = half < 1 ? 1 : (half > 7 ? 7 : half);
    s.SetPixelV(16 - w - 1, y, kBlack);
    s.SetPixelV(16 + w, y, kBlack);
    const bool sand = (y > 9 && y < 16) || y > 22;
    if (w > 0) Fill(s, {16 - w, y, 16 + w, y + 1}, sand ? RGB(220, 170, 60) : RGB(230, 240, 255));
  }
  return s;
}

bool Save(const std::string& path, const Surface& s, int bits, PaletteMethod m) {
  const WriteStatus st = WriteIconFile(path, s, bits, m);
  if (!st) std::fprintf(stderr, "%s\n", st.error.c_str());
  return static_cast<bool>(st);
}

bool SaveCursor(const std::string& path, const Surface& s, int bits, int hx, int hy) {
  const WriteStatus st = WriteCursorFile(path, s, bits, PaletteMethod::None, hx, hy);
  if (!st) std::fprintf(stderr, "%s\n", st.error.c_str());
  return static_cast<bool>(st);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string root = argc > 1 ? argv[1] : "data";
  bool ok = true;
  ok &= Save(root + "/icon/smiley.ico", Smiley(), 4, PaletteMethod::None);
  ok &= Save(root + "/icon/maison.ico", House(), 8, PaletteMethod::High);
  ok &= Save(root + "/icon/dossier.ico", Folder(), 24, PaletteMethod::None);
  ok &= Save(root + "/icon/arc-en-ciel.ico", Rainbow(), 8, PaletteMethod::Extreme);
  ok &= SaveCursor(root + "/curseur/fleche.cur", Arrow(), 1, 0, 0);
  ok &= SaveCursor(root + "/curseur/viseur.cur", Cross(), 4, 16, 16);
  ok &= SaveCursor(root + "/curseur/sablier.cur", Hourglass(), 4, 16, 16);
  return ok ? 0 : 1;
}
