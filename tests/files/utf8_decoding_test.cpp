// Overlong and otherwise invalid UTF-8 through the one decoder and its users:
// the language-file code page, the sanitiser and the recent list's path
// comparison must all refuse the same sequences.
#include <gtest/gtest.h>

#include <string>

#include "files/recent_files.h"
#include "platform/text_util.h"

namespace gs {
namespace {

TEST(Utf8Decoding, InvalidSequencesAreRefusedOneByteAtATime) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"overlong '/' in two bytes", "\xC0\xAF"},
      {"overlong NUL in two bytes", "\xC0\x80"},
      {"overlong '/' in three bytes", "\xE0\x80\xAF"},
      {"overlong U+07FF in three bytes", "\xE0\x9F\xBF"},
      {"overlong '/' in four bytes", "\xF0\x80\x80\xAF"},
      {"overlong U+FFFF in four bytes", "\xF0\x8F\xBF\xBF"},
      {"a surrogate", "\xED\xA0\x80"},
      {"above U+10FFFF", "\xF4\x90\x80\x80"},
      {"cut short", "\xE2\x82"},
      {"a lone continuation byte", "\x80"},
  };
  for (const auto& c : cases) {
    std::size_t i = 0;
    std::uint32_t cp = 0;
    EXPECT_FALSE(DecodeUtf8(c.bytes, i, cp)) << c.name;
    EXPECT_EQ(i, 1u) << c.name;
    std::string replaced;
    for (std::size_t k = 0; k < c.bytes.size(); ++k) replaced += "\xEF\xBF\xBD";
    EXPECT_EQ(SanitizeUtf8(c.bytes), replaced) << c.name;
    EXPECT_EQ(Utf8ToCp1252(c.bytes), std::string(c.bytes.size(), '?')) << c.name;
  }
}

TEST(Utf8Decoding, ShortestFormsAtEachLengthAreAccepted) {
  const struct {
    std::string bytes;
    std::uint32_t cp;
  } cases[] = {
      {"\x7F", 0x7F},
      {"\xC2\x80", 0x80},
      {"\xE0\xA0\x80", 0x800},
      {"\xF0\x90\x80\x80", 0x10000},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF},
  };
  for (const auto& c : cases) {
    std::size_t i = 0;
    std::uint32_t cp = 0;
    EXPECT_TRUE(DecodeUtf8(c.bytes, i, cp)) << std::hex << c.cp;
    EXPECT_EQ(cp, c.cp);
    EXPECT_EQ(i, c.bytes.size());
  }
}

TEST(Utf8Decoding, AnOverlongSlashIsNotTheSamePath) {
  EXPECT_FALSE(PathsEqualIgnoreCase("/home/ann/a.ico",
                                    "/home\xC0\xAF"
                                    "ann/a.ico"));
  EXPECT_FALSE(PathsEqualIgnoreCase("/\xC3\x89T\xC3\xA9.ico",
                                    "/\xC3\xA9t\xC3\xA9\xC0\xAE"
                                    "ico"));
  EXPECT_TRUE(PathsEqualIgnoreCase("/\xC3\x89T\xC3\xA9.ico", "/\xC3\xA9t\xC3\xA9.ICO"));
  // The same broken byte on both sides still compares equal to itself.
  EXPECT_TRUE(PathsEqualIgnoreCase("/a\xFF.ico", "/A\xFF.ico"));
}

// Names from files reach the terminal only as printable text.
TEST(Utf8Decoding, PrintableTextEscapesEveryControlAndBrokenByte) {
  EXPECT_EQ(PrintableText("a\x1b[2J\x07\nb\r\t"), "a\\x1b[2J\\x07\\nb\\r\\t");
  // Each \xhh is one byte: a C1 control (two bytes) is told from a stray byte.
  EXPECT_EQ(PrintableText("\xC2\x9B"
                          "31m \x7F \\ \xFF \x9B"),
            "\\xc2\\x9b31m \\x7f \\\\ \\xff \\x9b");
  EXPECT_EQ(PrintableText("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC");
}

}  // namespace
}  // namespace gs
