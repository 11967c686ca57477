#include <gtest/gtest.h>

#include <algorithm>

#include "platform/profile_file.h"
#include "shell/about_memory.h"
#include "shell/help_text.h"
#include "shell/splash_timer.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

TEST(AboutMemory, ParsesMeminfo) {
  struct Case {
    const char* name;
    const char* text;
    std::optional<std::uint64_t> totalKb, availableKb;
  } cases[] = {
      {"usual", "MemTotal:        524288 kB\nMemFree:   1000 kB\nMemAvailable:    196608 kB\n",
       524288, 196608},
      {"old kernel", "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n", 1000,
       400},
      {"no trailing newline", "MemAvailable: 5 kB\nMemTotal: 10 kB", 10, 5},
      {"available beyond total", "MemTotal: 10 kB\nMemAvailable: 50 kB\n", 10, 10},
      {"no total", "MemFree: 100 kB\n", std::nullopt, std::nullopt},
      {"zero total", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", std::nullopt, std::nullopt},
      {"damaged number", "MemTotal: abc kB\nMemAvailable: 1 kB\n", std::nullopt, std::nullopt},
      {"huge number", "MemTotal: 99999999999999999999999 kB\n", std::nullopt, std::nullopt},
      {"empty", "", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const auto m = ParseMeminfo(c.text);
    ASSERT_EQ(m.has_value(), c.totalKb.has_value()) << c.name;
    if (!m) continue;
    EXPECT_EQ(m->totalBytes, *c.totalKb * 1024) << c.name;
    EXPECT_EQ(m->availableBytes, *c.availableKb * 1024) << c.name;
  }
}

TEST(AboutMemory, Texts) {
  EXPECT_EQ(TotalMemoryText(512ull << 20), "512 Mb");
  EXPECT_EQ(TotalMemoryText(3ull << 30), "3072 Mb");
  EXPECT_EQ(TotalMemoryText((16ull << 30) + 12345), "16384 Mb");  // beyond 4 GiB stays right
  EXPECT_EQ(TotalMemoryText((1ull << 20) - 1), "0 Mb");
  EXPECT_EQ(FreeShareText(63), "37%");
  EXPECT_EQ(FreeShareText(0), "100%");
  EXPECT_EQ(FreeShareText(100), "0%");
  EXPECT_EQ(MemoryLoad({1000, 370}), 63);
  EXPECT_EQ(MemoryLoad({1000, 1000}), 0);
  EXPECT_EQ(MemoryLoad({1000, 0}), 100);
  EXPECT_EQ(MemoryLoad({0, 0}), 0);
  EXPECT_EQ(MemoryLoad({200, 199}), 0);  // 0.5 % goes to the even 0
}

TEST(AboutMemory, ThisMachine) {
  const auto m = ReadMemoryStatus();
  ASSERT_TRUE(m.has_value());
  EXPECT_GT(m->totalBytes, 0u);
  EXPECT_LE(m->availableBytes, m->totalBytes);
}

TEST(HelpText, TwentyFiveLinesInItsLayout) {
  const auto& lines = BuiltInHelpLines();
  ASSERT_EQ(lines.size(), 25u);
  for (int n : {5, 9, 11, 13, 16, 18, 21, 23}) EXPECT_EQ(lines[n - 1], "") << n;
  for (int n : {4, 6, 10, 12, 14, 17, 19, 22}) EXPECT_EQ(lines[n - 1].substr(0, 1), "-") << n;
  EXPECT_EQ(lines[23], std::string(15, ' ') + std::string(40, '_'));
  EXPECT_EQ(lines[24].substr(0, 16), std::string(15, ' ') + "V");
  const std::string text = HelpText(lines);
  EXPECT_EQ(text.front(), '\r');
  EXPECT_NE(text.back(), '\r');
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 25);
  EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(HelpText, ExportedToFrenchAndReadFromTheChosenFile) {
  test::TempDir dir;
  const std::string french = dir.file("Francais.lng"), english = dir.file("English.lng");
  ASSERT_TRUE(WriteProfileString(english, "HLP", "line1", "An easy editor"));
  ASSERT_TRUE(WriteProfileString(english, "HLP", "line24", std::string(15, ' ') + "___"));
  const auto lines = LoadHelpLines(french, english);
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[0], "An easy editor");
  EXPECT_EQ(lines[1], BuiltInHelpLines()[1]);          // missing: the built-in line
  EXPECT_EQ(lines[23], std::string(15, ' ') + "___");  // leading blanks kept
  // The French file holds every line, blanks and empty lines included.
  const ProfileFile fr(french);
  for (int n = 1; n <= 25; ++n)
    EXPECT_EQ(fr.Find("HLP", "line" + std::to_string(n)), BuiltInHelpLines()[n - 1]) << n;
  // The French file chosen: the built-in lines.
  EXPECT_EQ(LoadHelpLines(french, french), BuiltInHelpLines());
}

TEST(SplashTimer, SeventeenTicks) {
  int value = 0, ticks = 0;
  std::vector<int> seen;
  while (!SplashFinished(value) && ticks < 100) {
    value = NextSplashValue(value);
    seen.push_back(value);
    ++ticks;
  }
  EXPECT_EQ(ticks, 17);
  EXPECT_EQ(seen.front(), 6);
  EXPECT_EQ(seen.back(), 102);
  EXPECT_EQ(NextSplashValue(1), 6);  // 6.5 goes to the even 6
  EXPECT_EQ(NextSplashValue(2), 8);  // 7.5 goes to 8
  EXPECT_FALSE(SplashFinished(99));
  EXPECT_TRUE(SplashFinished(100));
}

}  // namespace
}  // namespace gs
