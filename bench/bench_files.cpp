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

// Writes `pic` at the depth and palette method of the benchmark's arguments.
void BuildIconOf(benchmark::State& state, const gs::Surface& pic) {
  const int bits = static_cast<int>(state.range(0));
  const auto method = static_cast<gs::PaletteMethod>(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(gs::BuildIconBytes(pic, bits, method));
}

// Every depth, and the three palette methods at 8 bits.
void DepthsAndMethods(benchmark::internal::Benchmark* b) {
  b->Args({1, 0})->Args({4, 0})->Args({8, 0})->Args({8, 1})->Args({8, 2})->Args({24, 0});
}

void BM_BuildIcon(benchmark::State& state) { BuildIconOf(state, Picture()); }
BENCHMARK(BM_BuildIcon)->Apply(DepthsAndMethods);

// A drawn icon: a handful of colours, as most icons have.
gs::Surface FewColours() {
  static const gs::Color kColours[] = {gs::kWhite,           gs::kBlack,
                                       gs::RGB(255, 0, 0),   gs::RGB(0, 128, 0),
                                       gs::RGB(30, 60, 200), gs::RGB(250, 200, 10),
                                       gs::RGB(90, 90, 90),  gs::RGB(200, 120, 60)};
  gs::Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.SetPixelV(x, y, kColours[(x / 5 + y / 7) % 8]);
  return s;
}

void BM_BuildIconFewColours(benchmark::State& state) { BuildIconOf(state, FewColours()); }
BENCHMARK(BM_BuildIconFewColours)->Apply(DepthsAndMethods);

// A file of one entry of side x side at 32 bits (alpha), or, with several
// entries, 16, 32 and 48 pixels whose directory bit counts say nothing (0):
// the reader qualifies the 32 x 32 one by its own header.
std::vector<std::uint8_t> ThirtyTwoBitFile(std::initializer_list<int> sides) {
  std::vector<std::vector<std::uint8_t>> images;
  for (int side : sides) {
    std::vector<std::uint8_t> img;
    auto u32 = [&](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) img.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    u32(40);
    u32(side);
    u32(2 * side);
    u32(1 | 32 << 16);
    for (int i = 0; i < 6; ++i) u32(0);
    for (int i = 0; i < side * side; ++i) u32(0xFF000000u | (i * 2654435761u >> 8));
    img.resize(img.size() + static_cast<std::size_t>((side + 31) / 32 * 4) * side, 0);
    images.push_back(std::move(img));
  }
  std::vector<std::uint8_t> file = {0, 0, 1, 0, static_cast<std::uint8_t>(images.size()), 0};
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  auto it = sides.begin();
  for (const auto& img : images) {
    const int side = *it++;
    file.insert(file.end(), {static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side), 0, 0,
                             1, 0, 0, 0});
    for (std::uint32_t v : {static_cast<std::uint32_t>(img.size()), offset})
      for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    offset += static_cast<std::uint32_t>(img.size());
  }
  for (const auto& img : images) file.insert(file.end(), img.begin(), img.end());
  return file;
}

void BM_DecodeThirtyTwoBit(benchmark::State& state) {
  const auto file = ThirtyTwoBitFile({static_cast<int>(state.range(0))});
  for (auto _ : state) benchmark::DoNotOptimize(gs::DecodeIconFile(file));
}
BENCHMARK(BM_DecodeThirtyTwoBit)->Arg(16)->Arg(32)->Arg(48);

void BM_DecodeMultiSize(benchmark::State& state) {
  const auto file = ThirtyTwoBitFile({16, 32, 48});
  for (auto _ : state) benchmark::DoNotOptimize(gs::DecodeIconFile(file));
}
BENCHMARK(BM_DecodeMultiSize);

void BM_DecodeIcon(benchmark::State& state) {
  const auto bytes =
      gs::BuildIconBytes(Picture(), static_cast<int>(state.range(0)), gs::PaletteMethod::None);
  for (auto _ : state) benchmark::DoNotOptimize(gs::DecodeIconFile(bytes));
}
BENCHMARK(BM_DecodeIcon)->Arg(1)->Arg(4)->Arg(8)->Arg(24);

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
