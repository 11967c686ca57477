// Animated-cursor sequences, cursor frames, thumbnails and X11 cursors, read
// back with libXcursor itself.
#include "files/cursor_frames.h"

#include <gtest/gtest.h>

#include <optional>

#include "files/ani_format.h"
#include "files/ani_frames.h"
#include "files/byte_io.h"
#include "files/icon_image.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "files/thumbnail.h"
#include "files/xcursor_format.h"
#include "tests/files/file_test_util.h"
#include "tests/files/xcursor_readback.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);

Bytes CursorBytes(Color fill, int hotX, int hotY) {
  Surface s = test::Picture({"xx", "x."}, {{'x', fill}});
  Bytes b = BuildIconBytes(s, 24, PaletteMethod::None);
  MarkAsCursor(b, static_cast<std::int16_t>(hotX), static_cast<std::int16_t>(hotY));
  return b;
}

// An animated cursor laid out chunk by chunk, as RIFF writers of all kinds do.
struct AniSpec {
  std::vector<Bytes> frames;
  std::uint32_t anihRate = 6;
  std::uint32_t flags = 1;
  std::optional<std::vector<std::uint32_t>> rates{};
  std::optional<std::vector<std::uint32_t>> sequence{};
  bool padOddChunks = true;
};

Bytes BuildAni(const AniSpec& ani) {
  bytes::Writer w;
  w.Tag("RIFF");
  w.U32(0);
  w.Tag("ACON");
  auto chunk = [&](std::string_view tag, const Bytes& data) {
    w.Tag(tag);
    w.U32(static_cast<std::uint32_t>(data.size()));
    w.Bytes(data);
    if (ani.padOddChunks && data.size() % 2) w.U8(0);
  };
  auto words = [](const std::vector<std::uint32_t>& v) {
    bytes::Writer d;
    for (auto x : v) d.U32(x);
    return d.Take();
  };
  const auto n = static_cast<std::uint32_t>(ani.frames.size());
  const auto steps = ani.sequence ? static_cast<std::uint32_t>(ani.sequence->size()) : n;
  chunk("anih", words({36, n, steps, 0, 0, 0, 0, ani.anihRate, ani.flags}));
  if (ani.rates) chunk("rate", words(*ani.rates));
  if (ani.sequence) chunk("seq ", words(*ani.sequence));
  bytes::Writer list;
  list.Tag("fram");
  for (const Bytes& f : ani.frames) {
    list.Tag("icon");
    list.U32(static_cast<std::uint32_t>(f.size()));
    list.Bytes(f);
    if (ani.padOddChunks && f.size() % 2) list.U8(0);
  }
  chunk("LIST", list.Take());
  Bytes out = w.Take();
  const auto riff = static_cast<std::uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
  return out;
}

std::vector<std::pair<std::size_t, std::uint32_t>> Steps(const AniSequence& s) {
  std::vector<std::pair<std::size_t, std::uint32_t>> out;
  for (const AniStep& st : s.steps) out.emplace_back(st.frame, st.jiffies);
  return out;
}

TEST(AniSequence, PlayOrderAndRatesComeFromSeqRateAndHeader) {
  const Bytes a = CursorBytes(kRed, 1, 2), b = CursorBytes(kBlue, 3, 4);
  Bytes odd = a;
  odd.push_back(0x55);  // an odd-sized frame, to exercise pad handling
  using StepList = std::vector<std::pair<std::size_t, std::uint32_t>>;
  const struct {
    const char* name;
    AniSpec ani;
    StepList want;
  } cases[] = {
      {"frames in order at the header's rate", {.frames = {a, b}, .anihRate = 6}, {{0, 6}, {1, 6}}},
      {"a rate chunk gives each step its own time",
       {.frames = {a, b}, .anihRate = 6, .rates = std::vector<std::uint32_t>{3, 9}},
       {{0, 3}, {1, 9}}},
      {"a sequence replays frames",
       {.frames = {a, b}, .anihRate = 4, .sequence = std::vector<std::uint32_t>{1, 0, 1}},
       {{1, 4}, {0, 4}, {1, 4}}},
      {"rate of zero still shows the frame", {.frames = {a}, .anihRate = 0}, {{0, 1}}},
      {"sequence entries past the frames are skipped",
       {.frames = {a}, .anihRate = 2, .sequence = std::vector<std::uint32_t>{0, 7}},
       {{0, 2}}},
      {"odd frame with the RIFF pad byte", {.frames = {odd, b}, .anihRate = 5}, {{0, 5}, {1, 5}}},
      {"odd frame without a pad byte (the editor's own files)",
       {.frames = {odd, b}, .anihRate = 5, .padOddChunks = false},
       {{0, 5}, {1, 5}}},
  };
  for (const auto& c : cases) {
    const Bytes file = BuildAni(c.ani);
    AniSequence seq;
    std::string problem;
    ASSERT_TRUE(ReadAniSequence(file, seq, problem)) << c.name << ": " << problem;
    EXPECT_EQ(Steps(seq), c.want) << c.name;
    EXPECT_EQ(seq.frames.size(), c.ani.frames.size()) << c.name;
  }
}

TEST(AniSequence, TheEditorsOwnBuilderIsReadBackInEitherChunkOrder) {
  const Bytes a = CursorBytes(kRed, 5, 6);
  const std::vector<Bytes> frames{a, a, a};
  const Bytes file = BuildAnimatedCursorBytes(frames, 25);
  // Files written before the header came first: the texts, then "anih" at 124.
  Bytes older(file.begin(), file.begin() + 12);
  older.insert(older.end(), file.begin() + 56, file.begin() + 168);
  older.insert(older.end(), file.begin() + 12, file.begin() + 56);
  older.insert(older.end(), file.begin() + 168, file.end());
  ASSERT_EQ(std::string(older.begin() + 124, older.begin() + 128), "anih");
  for (const Bytes* f : std::initializer_list<const Bytes*>{&file, &older}) {
    SCOPED_TRACE(f == &file ? "header first" : "texts first");
    AniSequence seq;
    std::string problem;
    ASSERT_TRUE(ReadAniSequence(*f, seq, problem)) << problem;
    EXPECT_EQ(problem, "");
    EXPECT_EQ(Steps(seq),
              (std::vector<std::pair<std::size_t, std::uint32_t>>{{0, 25}, {1, 25}, {2, 25}}));
    const auto got = seq.FrameBytes(*f, 2);
    EXPECT_EQ(Bytes(got.begin(), got.end()), a);
  }
}

TEST(AniSequence, FilesWithoutAFrameToShowAreRefused) {
  const Bytes a = CursorBytes(kRed, 0, 0);
  Bytes truncated = BuildAni({.frames = {a}});
  truncated.resize(60);  // cut inside the frame list header
  Bytes notAcon = BuildAni({.frames = {a}});
  notAcon[8] = 'W';
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"an icon", a},
      {"RIFF of another kind", notAcon},
      {"no frames", BuildAni({})},
      {"raw bitmap frames", BuildAni({.frames = {a}, .flags = 0})},
      {"cut before the first frame", truncated},
  };
  for (const auto& c : cases) {
    AniSequence seq;
    std::string problem;
    EXPECT_FALSE(ReadAniSequence(c.file, seq, problem)) << c.name;
    EXPECT_FALSE(problem.empty()) << c.name;
  }
}

TEST(CursorFrames, CursorsKeepTheirHotspotAndAniFramesTheirDelays) {
  std::vector<CursorFrame> frames;
  std::string problem;
  ASSERT_TRUE(LoadCursorFrames(CursorBytes(kRed, 7, 9), frames, problem)) << problem;
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].hotspotX, 7);
  EXPECT_EQ(frames[0].hotspotY, 9);
  EXPECT_EQ(frames[0].delayMs, 0);
  EXPECT_EQ(frames[0].pixels.GetPixel(0, 0), kRed);
  EXPECT_EQ(frames[0].pixels.GetPixel(1, 1), kWhite);

  ASSERT_TRUE(LoadCursorFrames(
      BuildAnimatedCursorBytes(std::vector<Bytes>{CursorBytes(kBlue, 0, 0)}, 25), frames, problem));
  EXPECT_EQ(frames[0].delayMs, 417) << "25 / 60 s";

  const Bytes icon = BuildIconBytes(test::Picture({"x"}, {{'x', kRed}}), 24, PaletteMethod::None);
  ASSERT_TRUE(LoadCursorFrames(icon, frames, problem));
  EXPECT_EQ(frames[0].hotspotX, 0) << "an icon has no hotspot";

  const Bytes badFrame = BuildAni({.frames = {Bytes{'n', 'o', 'p', 'e', 0, 0}}});
  EXPECT_FALSE(LoadCursorFrames(badFrame, frames, problem));
  EXPECT_NE(problem.find("frame 1"), std::string::npos) << problem;
  EXPECT_FALSE(LoadCursorFrames(Bytes{'G', 'I', 'F', '8', '9', 'a'}, frames, problem));
}

TEST(CursorFrames, JiffiesRoundToTheNearestMillisecond) {
  EXPECT_EQ(JiffiesToMs(1), 17);
  EXPECT_EQ(JiffiesToMs(6), 100);
  EXPECT_EQ(JiffiesToMs(60), 1000);
}

// --- Thumbnails ---------------------------------------------------------------

std::array<int, 4> Rgba(const RgbaImage& img, int x, int y) {
  const std::uint8_t* p = img.rgba.data() + (static_cast<std::size_t>(y) * img.width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

TEST(Thumbnail, GrowingKeepsSharpSquarePixelsAndWhiteTransparent) {
  const Surface s = test::Picture({"r.", ".b"}, {{'r', kRed}, {'b', kBlue}});
  const RgbaImage big = RenderThumbnail(s, 128);
  ASSERT_EQ(big.width, 128);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Rgba(big, x, y), (std::array<int, 4>{255, 0, 0, 255}));
  EXPECT_EQ(Rgba(big, 4, 0)[3], 0);
  EXPECT_EQ(Rgba(big, 5, 5), (std::array<int, 4>{0, 0, 255, 255}));
  EXPECT_EQ(Rgba(big, 127, 127)[3], 0);
}

TEST(Thumbnail, ShrinkingAveragesCoverageWithoutAWhiteFringe) {
  // Each 2 x 2 block: two red pixels and two transparent ones.
  Surface s(32, 32);
  s.FillRect({0, 0, 32, 32}, kWhite);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; x += 2) s.SetPixelV(x, y, kRed);
  const RgbaImage small = RenderThumbnail(s, 16);
  EXPECT_EQ(Rgba(small, 3, 3), (std::array<int, 4>{255, 0, 0, 128}));
  const RgbaImage same = RenderThumbnail(s, 32);
  EXPECT_EQ(Rgba(same, 1, 0)[3], 0);
}

TEST(Thumbnail, SizesOutsideTheRangeGiveNothing) {
  const Surface s(32, 32);
  EXPECT_TRUE(RenderThumbnail(s, 0).rgba.empty());
  EXPECT_TRUE(RenderThumbnail(s, kMaxThumbnailSize + 1).rgba.empty());
  EXPECT_EQ(RenderThumbnail(s, 1).rgba.size(), 4u);
}

TEST(Thumbnail, AnimatedCursorsShowTheirFirstStep) {
  AniSpec ani{.frames = {CursorBytes(kRed, 0, 0), CursorBytes(kBlue, 0, 0)}};
  ani.sequence = std::vector<std::uint32_t>{1, 0};
  RgbaImage img;
  std::string problem;
  ASSERT_TRUE(MakeThumbnail(BuildAni(ani), 32, img, problem)) << problem;
  EXPECT_EQ(Rgba(img, 0, 0), (std::array<int, 4>{0, 0, 255, 255}));
  const Bytes png = EncodeRgbaPng(img, PngEffort::Fast);
  RgbaImage back;
  ASSERT_TRUE(DecodePng(png, back));
  EXPECT_EQ(back.rgba, img.rgba);
}

TEST(Thumbnail, BestImageIsTheSmallestLargeEnoughElseTheLargestThenTheDeepest) {
  using H = IconImageHeader;
  const std::vector<H> set{{16, 16, 32}, {48, 48, 8}, {48, 48, 32}, {256, 256, 32}, {0, 0, 0}};
  const struct {
    int size;
    int want;
  } cases[] = {{16, 0}, {17, 2}, {48, 2}, {64, 3}, {256, 3}, {1024, 3}, {1, 0}};
  for (const auto& c : cases) EXPECT_EQ(BestImageForSize(set, c.size), c.want) << "size " << c.size;
  EXPECT_EQ(BestImageForSize(std::vector<H>{{0, 0, 0}}, 32), -1);
  EXPECT_EQ(BestImageForSize({}, 32), -1);
}

// The entry of `file` with the given side, decoded at its own size as RGBA.
Bytes EntryRgba(const Bytes& file, int side) {
  for (const IconDirectoryEntry& e : ReadIconDirectory(file).entries) {
    IconImage img;
    std::string problem;
    const auto image = std::span(file).subspan(e.imageOffset);
    if (!DecodeIconImageAtSize(image, img, problem) || img.width != side) continue;
    Bytes rgba;
    for (std::size_t i = 0; i < img.colors.size(); ++i) {
      const int a = img.alpha[i];
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(a ? RedOf(img.colors[i]) : 0),
                               static_cast<std::uint8_t>(a ? GreenOf(img.colors[i]) : 0),
                               static_cast<std::uint8_t>(a ? BlueOf(img.colors[i]) : 0),
                               static_cast<std::uint8_t>(a)});
    }
    return rgba;
  }
  return {};
}

TEST(Thumbnail, TheStoredImageThatFitsTheSizeIsDrawnAtItsOwnResolution) {
  const struct {
    const char* file;
    int size;
    int entrySide;  // the entry expected, drawn 1:1
  } cases[] = {
      {"files/valid/modern_16_48_32bit.ico", 48, 48},
      {"files/valid/modern_16_48_32bit.ico", 16, 16},
      {"files/valid/png_64.ico", 64, 64},
  };
  for (const auto& c : cases) {
    const Bytes file = test::ReadAll(test::DataPath(c.file));
    RgbaImage img;
    std::string problem;
    ASSERT_TRUE(MakeThumbnail(file, c.size, img, problem)) << c.file << ": " << problem;
    const Bytes want = EntryRgba(file, c.entrySide);
    ASSERT_FALSE(want.empty()) << c.file;
    EXPECT_EQ(img.rgba, want) << c.file << " at " << c.size;
  }
  // Between sizes: the smallest larger image, averaged down.
  const Bytes file = test::ReadAll(test::DataPath("files/valid/modern_16_48_32bit.ico"));
  RgbaImage at24;
  std::string problem;
  ASSERT_TRUE(MakeThumbnail(file, 24, at24, problem));
  EXPECT_EQ(at24.width, 24);
}

// --- X11 cursors, read back with libXcursor ---------------------------------------

std::vector<test::XcursorFrame> WriteAndLoad(const std::vector<CursorFrame>& frames,
                                             const test::TempDir& dir) {
  const std::string path = dir.file("x11");
  EXPECT_TRUE(WriteXcursorFile(path, frames));
  std::vector<test::XcursorFrame> back;
  EXPECT_TRUE(test::LoadXcursorFile(path, back));
  return back;
}

TEST(Xcursor, RoundTripKeepsPixelsHotspotsAndDelays) {
  test::TempDir dir;
  std::vector<CursorFrame> frames;
  std::string problem;
  AniSpec ani{.frames = {CursorBytes(kRed, 3, 4), CursorBytes(kBlue, 30, 31)}};
  ani.rates = std::vector<std::uint32_t>{6, 30};
  ASSERT_TRUE(LoadCursorFrames(BuildAni(ani), frames, problem)) << problem;
  const auto x = WriteAndLoad(frames, dir);
  ASSERT_EQ(x.size(), 2u);
  const struct {
    unsigned xhot, yhot, delay;
    std::uint32_t corner;
  } want[] = {{3, 4, 100, 0xFFFF0000u}, {30, 31, 500, 0xFF0000FFu}};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(x[i].size, 32u);
    EXPECT_EQ(x[i].width, 32u);
    EXPECT_EQ(x[i].xhot, want[i].xhot);
    EXPECT_EQ(x[i].yhot, want[i].yhot);
    EXPECT_EQ(x[i].delay, want[i].delay);
    EXPECT_EQ(x[i].pixels[0], want[i].corner) << "frame " << i;
    EXPECT_EQ(x[i].pixels[1 * 32 + 1], 0u) << "white is fully transparent";
  }
}

TEST(Xcursor, EveryPixelOfAStillCursorSurvives) {
  test::TempDir dir;
  CursorFrame f{test::ManyColours(), 16, 15, 0};
  f.pixels.SetPixelV(31, 31, kWhite);
  const auto x = WriteAndLoad({f}, dir);
  ASSERT_EQ(x.size(), 1u);
  for (int y = 0; y < 32; ++y)
    for (int xx = 0; xx < 32; ++xx)
      ASSERT_EQ(x[0].pixels[y * 32 + xx], XcursorPixelOf(f.pixels.GetPixel(xx, y)))
          << "at " << xx << "," << y;
  EXPECT_EQ(x[0].pixels[31 * 32 + 31], 0u);
  EXPECT_EQ(x[0].xhot, 16u);
  EXPECT_EQ(x[0].yhot, 15u);
}

TEST(Xcursor, CursorFilesKeepEveryStoredSizeAndAnOpaqueWhiteFill) {
  // A cursor whose pixel (1, 1) is white but opaque: white colour, mask bit
  // cleared (24 bits: 3072 colour bytes, then 128 mask bytes; rows bottom first).
  Bytes cur = CursorBytes(kRed, 2, 3);
  const std::size_t colour = cur.size() - 128 - 3072 + ((31 - 1) * 32 + 1) * 3;
  cur[colour] = cur[colour + 1] = cur[colour + 2] = 0xFF;
  cur[cur.size() - 128 + (31 - 1) * 4] &= static_cast<std::uint8_t>(~0x40);
  std::vector<XcursorFrameImage> images;
  std::string problem;
  ASSERT_TRUE(CursorFileImages(cur, images, problem)) << problem;
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].nominalSize, 32);
  EXPECT_EQ(images[0].hotspotX, 2);
  EXPECT_EQ(images[0].hotspotY, 3);
  EXPECT_EQ(images[0].argb[0], 0xFFFF0000u);
  EXPECT_EQ(images[0].argb[1 * 32 + 1], 0xFFFFFFFFu) << "opaque white stays white";
  EXPECT_EQ(images[0].argb[31 * 32 + 31], 0u);

  const Bytes multi = test::ReadAll(test::DataPath("files/valid/modern_16_48_32bit.ico"));
  ASSERT_TRUE(CursorFileImages(multi, images, problem)) << problem;
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].nominalSize, 16);
  EXPECT_EQ(images[1].nominalSize, 48);
  EXPECT_EQ(images[1].argb.size(), 48u * 48);

  test::TempDir dir;
  test::WriteAll(dir.file("x11"), BuildXcursorBytes(images));
  std::vector<test::XcursorFrame> back;
  ASSERT_TRUE(test::LoadXcursorFile(dir.file("x11"), back));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].size, 48u);
  EXPECT_EQ(back[1].pixels, images[1].argb);
}

TEST(Xcursor, AnimationsGiveEveryStepWithItsDelay) {
  AniSpec ani{.frames = {CursorBytes(kRed, 1, 1), CursorBytes(kBlue, 9, 9)}};
  ani.sequence = std::vector<std::uint32_t>{1, 0, 1};
  ani.rates = std::vector<std::uint32_t>{3, 6, 9};
  std::vector<XcursorFrameImage> images;
  std::string problem;
  ASSERT_TRUE(CursorFileImages(BuildAni(ani), images, problem)) << problem;
  ASSERT_EQ(images.size(), 3u);
  const int delays[] = {50, 100, 150};
  const int hot[] = {9, 1, 9};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(images[i].delayMs, delays[i]) << i;
    EXPECT_EQ(images[i].hotspotX, hot[i]) << i;
  }
  EXPECT_FALSE(CursorFileImages(Bytes{1, 2, 3}, images, problem));
}

TEST(Xcursor, NothingToWriteIsAFailureAndTheOldFileStays) {
  test::TempDir dir;
  test::WriteAll(dir.file("old"), {1, 2, 3});
  EXPECT_FALSE(WriteXcursorFile(dir.file("old"), {}));
  EXPECT_EQ(test::ReadAll(dir.file("old")), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace gs
