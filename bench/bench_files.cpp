// The codecs on one 32 x 32 icon: what a conversion costs without the process around it.
#include <benchmark/benchmark.h>

#include "document/surface.h"
#include "files/bmp_format.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"

namespace {

gs::Surface Picture() {
  gs::Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      s.SetPixelV(x, y, (x + y) % 7 == 0 ? gs::kWhite : gs::RGB(x * 8, y * 8, (x * y) % 256));
  return s;
}

void BM_BuildIcon(benchmark::State& state) {
  const gs::Surface pic = Picture();
  const int bits = static_cast<int>(state.range(0));
  const auto method = static_cast<gs::PaletteMethod>(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(gs::BuildIconBytes(pic, bits, method));
}
BENCHMARK(BM_BuildIcon)
    ->Args({1, 0})
    ->Args({4, 0})
    ->Args({8, 0})
    ->Args({8, 1})
    ->Args({8, 2})
    ->Args({24, 0});

void BM_DecodeIcon(benchmark::State& state) {
  const auto bytes =
      gs::BuildIconBytes(Picture(), static_cast<int>(state.range(0)), gs::PaletteMethod::None);
  for (auto _ : state) benchmark::DoNotOptimize(gs::DecodeIconFile(bytes));
}
BENCHMARK(BM_DecodeIcon)->Arg(1)->Arg(8)->Arg(24);

void BM_DecodePngIcon(benchmark::State& state) {
  const auto png = gs::BuildPngBytes(Picture());
  std::vector<std::uint8_t> file = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
  const auto size = static_cast<std::uint32_t>(png.size());
  for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  file.insert(file.end(), {22, 0, 0, 0});
  file.insert(file.end(), png.begin(), png.end());
  for (auto _ : state) benchmark::DoNotOptimize(gs::DecodeIconFile(file));
}
BENCHMARK(BM_DecodePngIcon);

void BM_BuildBitmap(benchmark::State& state) {
  const gs::Surface pic = Picture();
  for (auto _ : state)
    benchmark::DoNotOptimize(gs::BuildBitmapBytes(pic, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_BuildBitmap)->Arg(1)->Arg(8)->Arg(24);

void BM_BuildPcx(benchmark::State& state) {
  const gs::Surface pic = Picture();
  for (auto _ : state)
    benchmark::DoNotOptimize(gs::BuildPcxBytes(pic, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_BuildPcx)->Arg(8)->Arg(24);

void BM_BuildPng(benchmark::State& state) {
  const gs::Surface pic = Picture();
  for (auto _ : state) benchmark::DoNotOptimize(gs::BuildPngBytes(pic));
}
BENCHMARK(BM_BuildPng);

}  // namespace
