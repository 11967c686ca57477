// glyphsmith-tool's commands agree with the editor and with each other: the
// same image of a file of several, the same refusal of a damaged file, the
// other images kept as Save as keeps them, names printed the same safe way,
// and every list and animation bounded.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "files/ani_format.h"
#include "files/icon_image.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "tests/files/file_test_util.h"
#include "tests/files/xcursor_readback.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
  int rc = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

Bytes ReadBytes(const std::string& path) {
  const std::string s = Slurp(path);
  return Bytes(s.begin(), s.end());
}

void WriteBytes(const std::string& path, const Bytes& b) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A shell word, whatever bytes the name holds.
std::string Quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the tool with `args` (shell words) after `prefix` (a ulimit, say).
ToolRun Tool(const test::TempDir& dir, const std::string& args, const std::string& prefix = "") {
  const std::string cmd = prefix + std::string(GS_TOOL_PATH) + " " + args + " >" +
                          dir.file(".out") + " 2>" + dir.file(".err") + " </dev/null";
  const int status = std::system(("cd " + Quoted(dir.file("")) + " && " + cmd).c_str());
  ToolRun r;
  r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(dir.file(".out"));
  r.err = Slurp(dir.file(".err"));
  return r;
}

bool Have(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

// A 32-bit address-space limit that sanitizer builds cannot run under.
bool CanLimitMemory() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#else
  return true;
#endif
#else
  return true;
#endif
}

Color PixelOf(const Surface& s) { return s.GetPixel(5, 5); }

class ToolAgreement : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Have("icotool") || !Have("convert")) GTEST_SKIP() << "icoutils or ImageMagick missing";
  }
  // Square PNGs of one colour, made by ImageMagick, and icoutils' icotool
  // putting them together, as other programs' icons are made.
  void MakeWithIcotool(const std::string& out, const std::string& images) {
    ASSERT_EQ(std::system(("cd " + Quoted(dir_.file("")) + " && icotool -c -o " + out + " " +
                           images + " 2>/dev/null")
                              .c_str()),
              0);
  }
  void Png(const std::string& name, int side, const char* colour) {
    ASSERT_EQ(std::system(("convert -size " + std::to_string(side) + "x" + std::to_string(side) +
                           " xc:" + colour + " " + Quoted(dir_.file(name)))
                              .c_str()),
              0);
  }

  test::TempDir dir_;
};

// The icotool file the commands used to disagree on: 4-bit red, 8-bit green
// and 32-bit blue, all 32 x 32. Each command takes the image the editor opens.
TEST_F(ToolAgreement, EveryCommandTakesTheImageTheEditorOpens) {
  Png("r.png", 32, "red");
  Png("g.png", 32, "lime");
  Png("b.png", 32, "blue");
  MakeWithIcotool("m.ico", "-b 4 r.png -b 8 g.png -b 32 b.png");
  const IconDecodeResult editor = DecodeIconFile(ReadBytes(dir_.file("m.ico")));
  ASSERT_TRUE(editor.problem.empty()) << editor.problem;
  const Color want = PixelOf(editor.pixels);
  char hex[8];
  std::snprintf(hex, sizeof hex, "%02X%02X%02X", RedOf(want), GreenOf(want), BlueOf(want));

  ToolRun r = Tool(dir_, "pixels m.ico");
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out.substr(7 * 5, 6), hex) << "pixels";
  r = Tool(dir_, "info m.ico");
  EXPECT_NE(r.out.find("read: entry " + std::to_string(editor.entryIndex) + " "), std::string::npos)
      << r.out;
  for (const std::string command : {"convert m.ico c.ico --single-image", "extract m.ico e.ico",
                                    "effect m.ico f.ico invert --single-image"}) {
    r = Tool(dir_, command);
    ASSERT_EQ(r.rc, 0) << command << ": " << r.err;
  }
  EXPECT_EQ(PixelOf(DecodeIconFile(ReadBytes(dir_.file("c.ico"))).pixels), want) << "convert";
  EXPECT_EQ(PixelOf(DecodeIconFile(ReadBytes(dir_.file("e.ico"))).pixels), want) << "extract";
  const Color inverted = RGB(255 - RedOf(want), 255 - GreenOf(want), 255 - BlueOf(want));
  EXPECT_EQ(PixelOf(DecodeIconFile(ReadBytes(dir_.file("f.ico"))).pixels), inverted) << "effect";

  r = Tool(dir_, "thumbnail m.ico t.png 32");
  ASSERT_EQ(r.rc, 0) << r.err;
  RgbaImage thumb;
  ASSERT_TRUE(DecodePng(ReadBytes(dir_.file("t.png")), thumb));
  const std::uint8_t* p = thumb.rgba.data() + (5 * 32 + 5) * 4;
  EXPECT_EQ(RGB(p[0], p[1], p[2]), want) << "thumbnail";

  r = Tool(dir_, "xcursor m.ico x");
  ASSERT_EQ(r.rc, 0) << r.err;
  std::vector<test::XcursorFrame> frames;
  ASSERT_TRUE(test::LoadXcursorFile(dir_.file("x"), frames));
  ASSERT_EQ(frames.size(), 1u);
  const std::uint32_t argb = frames[0].pixels[5 * 32 + 5];
  EXPECT_EQ(RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF), want) << "xcursor";
}

// The directory entries of a file and each entry's stored bytes.
std::vector<Bytes> StoredImages(const Bytes& file) {
  std::vector<Bytes> images;
  for (const IconDirectoryEntry& e : ReadIconDirectory(file).entries)
    images.emplace_back(file.begin() + e.imageOffset,
                        file.begin() + e.imageOffset + e.bytesInResource);
  return images;
}

TEST_F(ToolAgreement, ConvertAndEffectKeepTheOtherImagesAsSaveAsDoes) {
  std::string images;
  int k = 0;
  for (int side : {256, 128, 64, 48, 32, 24, 16}) {
    const std::string name = "p" + std::to_string(side) + ".png";
    Png(name, side, k++ % 2 ? "red" : "navy");
    images += (side == 256 ? " -r " : " -b 32 ") + name;
  }
  MakeWithIcotool("multi.ico", images);
  const Bytes before = ReadBytes(dir_.file("multi.ico"));
  const int read = DecodeIconFile(before).entryIndex;
  ASSERT_EQ(StoredImages(before).size(), 7u);

  // Written over itself at 8 bits: seven images, six of them byte for byte.
  ToolRun r = Tool(dir_, "convert multi.ico multi.ico --depth 8");
  ASSERT_EQ(r.rc, 0) << r.err;
  const Bytes after = ReadBytes(dir_.file("multi.ico"));
  const std::vector<Bytes> was = StoredImages(before), now = StoredImages(after);
  ASSERT_EQ(now.size(), 7u);
  for (int i = 0; i < 7; ++i)
    if (i != read) {
      EXPECT_EQ(now[i], was[i]) << "image " << i;
    }
  IconImageHeader h;
  ASSERT_TRUE(PeekIconImage(now[read], h));
  EXPECT_EQ(h.bitCount, 8);

  // effect on the same file: the picture changes in its place, the rest stays.
  r = Tool(dir_, "effect multi.ico fx.ico invert");
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(StoredImages(ReadBytes(dir_.file("fx.ico"))).size(), 7u);
  // --single-image writes the image read alone; a .bmp is one picture anyway.
  r = Tool(dir_, "convert multi.ico one.ico --single-image");
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(StoredImages(ReadBytes(dir_.file("one.ico"))).size(), 1u);
  EXPECT_NE(Tool(dir_, "convert --help").out.find("--single-image"), std::string::npos);
}

// The hotspot of an entry of a cursor file.
std::pair<int, int> HotspotOf(const std::string& path, int entry) {
  const IconDirectory d = ReadIconDirectory(ReadBytes(path));
  return {d.entries.at(entry).planes, d.entries.at(entry).bitCount};
}

TEST_F(ToolAgreement, AKeptCursorKeepsItsHotspotUnlessOneIsGivenOrMoved) {
  Png("p48.png", 48, "navy");
  Png("p32.png", 32, "red");
  ASSERT_EQ(std::system(("cd " + Quoted(dir_.file("")) +
                         " && icotool -c --cursor -X 6 -Y 9 -o c.cur p48.png p32.png")
                            .c_str()),
            0);
  const int read = DecodeIconFile(ReadBytes(dir_.file("c.cur"))).entryIndex;
  ASSERT_EQ(read, 1);  // the 32 x 32 image
  struct Case {
    std::string args;
    std::pair<int, int> hotspot;
  } cases[] = {
      {"convert c.cur o.cur --depth 4", {6, 9}},
      {"convert c.cur o.cur --hotspot 3,4", {3, 4}},
      {"effect c.cur o.cur mirror v", {25, 9}},
      {"effect c.cur o.cur invert", {6, 9}},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(dir_, c.args);
    ASSERT_EQ(r.rc, 0) << c.args << ": " << r.err;
    EXPECT_EQ(StoredImages(ReadBytes(dir_.file("o.cur"))).size(), 2u) << c.args;
    EXPECT_EQ(HotspotOf(dir_.file("o.cur"), read), c.hotspot) << c.args;
    EXPECT_EQ(HotspotOf(dir_.file("o.cur"), 0), HotspotOf(dir_.file("c.cur"), 0)) << c.args;
  }
}

Bytes Cursor(Color colour) {
  Bytes b = BuildIconBytes(test::Picture({"xx"}, {{'x', colour}}, colour), 8, PaletteMethod::None);
  MarkAsCursor(b, 1, 2);
  return b;
}

// One refusal for every command, with the reader's message, and nothing written.
TEST_F(ToolAgreement, DamageAnywhereIsRefusedByEveryCommandInTheSameWords) {
  const std::vector<Bytes> frames = {Cursor(kBlack), Cursor(RGB(200, 0, 0)), Cursor(kBlack),
                                     Cursor(RGB(0, 0, 200))};
  const Bytes ani = BuildAnimatedCursorBytes(frames, 6);
  // Cut inside the last frame; then, within a whole RIFF, the third frame's
  // image data cut short (its directory says more bytes than its chunk holds).
  WriteBytes(dir_.file("cut.ani"), Bytes(ani.begin(), ani.end() - 700));
  WriteBytes(dir_.file("whole.ani"), ani);
  ASSERT_EQ(Tool(dir_, "xcursor whole.ani w").rc, 0);
  // Whole frames in a file shorter than its RIFF size says.
  Bytes longer = ani;
  const std::uint32_t riffSize = test::U32At(longer, 4) + 100;
  for (int i = 0; i < 4; ++i) longer[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
  WriteBytes(dir_.file("riff.ani"), longer);
  std::vector<Bytes> shortThird = frames;
  shortThird[2].resize(shortThird[2].size() - 600);
  WriteBytes(dir_.file("third.ani"), BuildAnimatedCursorBytes(shortThird, 6));
  // A 257 x 257 PNG entry beside a sound one, and one with its data damaged:
  // nothing the editor would read.
  Bytes png = EncodeRgbaPng(RgbaImage{257, 257, Bytes(257 * 257 * 4, 255)}, PngEffort::Fast);
  ASSERT_FALSE(png.empty());
  png[png.size() / 2] ^= 0xFF;
  Bytes big = {0, 0, 2, 0, 1, 0, 0, 0, 0, 0, 3, 0, 4, 0};
  for (std::uint32_t v : {static_cast<std::uint32_t>(png.size()), 22u})
    for (int i = 0; i < 4; ++i) big.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  big.insert(big.end(), png.begin(), png.end());
  WriteBytes(dir_.file("big.cur"), big);

  for (const std::string file : {"cut.ani", "riff.ani", "third.ani", "big.cur"}) {
    std::string said;
    for (const std::string& command :
         {"convert " + file + " o.cur", "pixels " + file, "xcursor " + file + " o",
          "thumbnail " + file + " o.png 48", "effect " + file + " o.ico invert",
          "convert --out-dir od " + file}) {
      std::filesystem::create_directories(dir_.file("od"));
      const ToolRun r = Tool(dir_, command);
      EXPECT_EQ(r.rc, 1) << command << ": " << r.err;
      const std::string message = r.err.substr(0, r.err.find('\n'));
      if (said.empty()) said = message;
      EXPECT_EQ(message, said) << command;
      for (const char* out : {"o.cur", "o", "o.png", "o.ico"})
        EXPECT_FALSE(std::filesystem::exists(dir_.file(out))) << command << " wrote " << out;
      EXPECT_TRUE(std::filesystem::is_empty(dir_.file("od"))) << command;
    }
  }
  EXPECT_NE(Tool(dir_, "pixels third.ani").err.find("frame 3: "), std::string::npos);
  EXPECT_NE(Tool(dir_, "pixels riff.ani").err.find("shorter than its RIFF size"),
            std::string::npos);

  // A 16 x 16 image cut short beside the sound 32 x 32 one the editor reads:
  // the commands that would draw it refuse rather than draw black.
  Bytes two = Cursor(kBlack);
  Bytes small = {40, 0, 0, 0, 16, 0, 0, 0, 32, 0, 0, 0, 1, 0, 1, 0};
  small.resize(40 + 8 + 10, 0);  // header and colours whole, 10 of 128 pixel bytes
  two[4] = 2;
  two.insert(two.begin() + 22, {16, 16, 2, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  for (int e = 0; e < 2; ++e) {  // the first image moves 16 bytes on; the new one goes last
    const std::uint32_t at =
        e == 0 ? test::U32At(two, 18) + 16 : static_cast<std::uint32_t>(two.size());
    const std::uint32_t size =
        e == 0 ? test::U32At(two, 14) : static_cast<std::uint32_t>(small.size());
    for (int i = 0; i < 4; ++i) {
      two[6 + 16 * e + 8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
      two[6 + 16 * e + 12 + i] = static_cast<std::uint8_t>(at >> (8 * i));
    }
  }
  two.insert(two.end(), small.begin(), small.end());
  WriteBytes(dir_.file("two.cur"), two);
  ASSERT_EQ(Tool(dir_, "pixels two.cur").rc, 0);
  for (const std::string command : {"xcursor two.cur o", "thumbnail two.cur o.png 16"}) {
    const ToolRun r = Tool(dir_, command);
    EXPECT_EQ(r.rc, 1) << command;
    EXPECT_NE(r.err.find("two.cur: "), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir_.file("o"))) << command;
    EXPECT_FALSE(std::filesystem::exists(dir_.file("o.png"))) << command;
  }

  // A picture, even named .ico, is named as convert names it.
  WriteBytes(dir_.file("picture.ico"),
             EncodeRgbaPng(RgbaImage{2, 2, Bytes(16, 9)}, PngEffort::Fast));
  for (const std::string command : {"info picture.ico", "convert picture.ico o.bmp"}) {
    const ToolRun r = Tool(dir_, command);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "glyphsmith-tool: picture.ico: this is a PNG picture: use import\n")
        << command;
  }
  // 65,535 entries that the file does not hold: every icon command says what
  // the reader says.
  WriteBytes(dir_.file("many.ico"), Bytes{0, 0, 1, 0, 0xFF, 0xFF, 32, 32});
  const std::string reader = DecodeIconFile(ReadBytes(dir_.file("many.ico"))).problem;
  for (const std::string command : {"convert many.ico o.bmp", "pixels many.ico"})
    EXPECT_EQ(Tool(dir_, command).err, "glyphsmith-tool: many.ico: " + reader + "\n") << command;
}

// A name with ESC, BEL, a line end and a byte that is no UTF-8 is printed
// escaped in every line, usage errors included; accents stay as they are.
TEST_F(ToolAgreement, NamesCannotDriveTheTerminalOrForgeALine) {
  const std::string name = "caf\xC3\xA9\x1B]0;owned\x07\nbatch: 0 failed\xFF.ico";
  const std::string shown = "caf\xC3\xA9\\x1b]0;owned\\x07\\nbatch: 0 failed\\xff.ico";
  WriteBytes(dir_.file(name), BuildIconBytes(test::Picture({"#"}), 4, PaletteMethod::None));
  WriteBytes(dir_.file("list"), Bytes{'n', 'o', '\x1B', '\n'});
  std::filesystem::create_directories(dir_.file("od"));
  struct Case {
    std::string args;
    std::string expect;  // a line holding it
  } cases[] = {
      {"info " + Quoted(name), shown + ": icon, "},
      {"convert " + Quoted(name) + " x.zip", ""},
      {"convert " + Quoted(name) + " " + Quoted("o\x1B\n.bmp") + " --depth 3", ""},
      {"convert " + Quoted("missing\x1B\n.ico") + " o.bmp", "missing\\x1b\\n.ico: "},
      {"convert " + Quoted(name) + " o.ico " + Quoted("--b\x1B\n"), "'--b\\x1b\\n'"},
      {"convert --out-dir od --files-from list", "no\\x1b: "},
      {"ani " + Quoted(name) + ".ani --jiffies 1 " + Quoted(name), shown + ": not a cursor"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(dir_, c.args);
    const std::string all = r.out + r.err;
    EXPECT_EQ(all.find('\x1B'), std::string::npos) << c.args << ": " << all;
    EXPECT_EQ(all.find('\x07'), std::string::npos) << c.args;
    EXPECT_EQ(all.find('\xFF'), std::string::npos) << c.args;
    // Every line starts as the tool's lines start: none was forged.
    std::istringstream lines(all);
    for (std::string line; std::getline(lines, line);)
      EXPECT_TRUE(line.starts_with("glyphsmith-tool: ") || line.starts_with("caf\xC3\xA9") ||
                  line.starts_with("header:") || line.starts_with("entry ") ||
                  line.starts_with("  image:") || line.starts_with("read:") ||
                  std::regex_match(line, std::regex("[0-9,]+ files?: .*")))
          << c.args << ": " << line;
    EXPECT_NE(all.find(c.expect), std::string::npos) << c.args << ": " << all;
  }
}

TEST_F(ToolAgreement, ListsAndAnimationsAreBoundedBeforeTheyCostMemory) {
  std::filesystem::create_directories(dir_.file("od"));
  // Should the bound go, the endless list ends in these limits (processor
  // time, not the clock), not in the machine's memory.
  const std::string guard =
      std::string("ulimit -t 20; ") + (CanLimitMemory() ? "ulimit -v 262144; " : "");
  ToolRun r = Tool(dir_, "convert --out-dir od --files-from /dev/zero", guard);
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("/dev/zero: line 1 longer than 4,096 bytes"), std::string::npos) << r.err;
  r = Tool(dir_, "convert --out-dir od --files-from /dev/zero -0", guard);
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("/dev/zero: more than 1,000,000 lines"), std::string::npos) << r.err;

  // Two sparse cursors of 9 MiB make an animation past what readers take:
  // refused before either is read, nothing written.
  Bytes head = Cursor(kBlack);
  for (const char* f : {"a.cur", "b.cur"}) {
    WriteBytes(dir_.file(f), head);
    std::filesystem::resize_file(dir_.file(f), std::uintmax_t{9} << 20);
  }
  r = Tool(dir_, "ani big.ani --jiffies 6 a.cur b.cur",
           CanLimitMemory() ? "ulimit -v 65536; " : "");
  EXPECT_EQ(r.rc, 1) << r.err;
  EXPECT_NE(r.err.find("big.ani: the frames would make an animated cursor of 18,874,"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir_.file("big.ani")));

  // Memory running out is a failure with a message, never a summary of success.
  if (!CanLimitMemory()) return;
  Bytes large = head;
  large.resize(std::size_t{15} << 20);
  WriteBytes(dir_.file("large.ico"), large);
  r = Tool(dir_, "convert --out-dir od large.ico", "ulimit -v 14000; ");
  EXPECT_EQ(r.rc, 1) << r.err;
  EXPECT_NE(r.err.find("glyphsmith-tool: convert: out of memory"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("written"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace gs
