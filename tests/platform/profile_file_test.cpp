#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using namespace std::string_literals;

class ProfileTest : public ::testing::Test {
 protected:
  std::string Put(const std::string& bytes) {
    std::string path = dir_.file("test.lng");
    test::WriteAll(path, {bytes.begin(), bytes.end()});
    return path;
  }
  std::string Bytes(const std::string& path) {
    auto b = test::ReadAll(path);
    return {b.begin(), b.end()};
  }
  test::TempDir dir_;
};

struct ReadCase {
  const char* what;
  std::string file;
  const char* section;
  const char* key;
  std::string expected;  // "<default>" stands for the default coming back
};

TEST_F(ProfileTest, ReadRules) {
  const std::string v300(300, 'x');
  const std::vector<ReadCase> cases = {
      {"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
      {"names ignore case", "[frmmain]\nFORM.caption=x\n", "frmMain", "Form.Caption", "x"},
      {"blanks around names and value", "[ S ]\n  k \t=  v w \t\n", "S", "k", "v w"},
      {"double quotes keep blanks", "[S]\nk=\"  v  \"\n", "S", "k", "  v  "},
      {"single quotes", "[S]\nk='x'\n", "S", "k", "x"},
      {"unmatched quotes stay", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
      {"empty value wins over default", "[S]\nk=\n", "S", "k", ""},
      {"missing key", "[S]\nj=1\n", "S", "k", "<default>"},
      {"missing section", "[T]\nk=1\n", "S", "k", "<default>"},
      {"key of another section", "[S]\n[T]\nk=1\n", "S", "k", "<default>"},
      {"first key wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
      {"first section wins", "[S]\na=1\n[S]\nk=2\n", "S", "a", "1"},
      {"lone CR line ends", "[S]\rj=w\rk=v", "S", "k", "v"},
      {"mixed line ends", "[S]\r\nj=w\rk=v\n", "S", "k", "v"},
      {"no final line end", "[S]\nk=v", "S", "k", "v"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF[S]\nk=\xC3\xA9t\xC3\xA9\n", "S", "k",
       "\xC3\xA9t\xC3\xA9"},
      {"Windows-1252 letters", "[S]\nk=\xE9\xE8\xE0\xE7\xB0\x80\n", "S", "k",
       "\xC3\xA9\xC3\xA8\xC3\xA0\xC3\xA7\xC2\xB0\xE2\x82\xAC"},
      {"NUL ends the value", "[S]\nk=ab\0cd\n"s, "S", "k", "ab"},
      {"NUL elsewhere is harmless", "[S]\n\0\0junk\0\nk=v\n"s, "S", "k", "v"},
      {"unclosed section does not open", "[S]\na=1\n[T\nk=2\n", "S", "k", "<default>"},
      {"unclosed section is unreachable", "[S]\na=1\n[T\nk=2\n", "T", "k", "<default>"},
      {"line without equals", "[S]\njunk line\nk=v\n", "S", "k", "v"},
      {"comment line", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
      {"entries before any section", "k=0\n[S]\nk=1\n", "S", "k", "1"},
      {"text after the bracket", "[S] trailing\nk=v\n", "S", "k", "v"},
      {"equals in the value", "[S]\nk=a=b\n", "S", "k", "a=b"},
      {"value cut to 254", "[S]\nk=" + v300 + "\n", "S", "k", v300.substr(0, 254)},
      {"empty file", "", "S", "k", "<default>"},
      {"only a byte-order mark", "\xEF\xBB\xBF", "S", "k", "<default>"},
  };
  for (const ReadCase& c : cases) {
    std::string path = Put(c.file);
    std::string expected = c.expected == "<default>" ? "dflt" : c.expected;
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "dflt"), expected) << c.what;
  }
}

TEST_F(ProfileTest, DefaultComesBackWhole) {
  // A missing key must leave the caller's text exactly as it was, long or not.
  const std::string longDefault(300, 'd');
  EXPECT_EQ(ReadProfileString(dir_.file("missing.lng"), "S", "k", longDefault), longDefault);
  EXPECT_EQ(ReadProfileString(dir_.file("missing.lng"), "S", "k", "trailing  "), "trailing  ");
  EXPECT_EQ(ReadProfileString(dir_.path(), "S", "k", "folder"), "folder");
}

TEST_F(ProfileTest, WriteCreatesFileAndSection) {
  std::string path = dir_.file("new.lng");
  ASSERT_TRUE(WriteProfileString(path, "frmMain", "Form.Caption", "Varnel Glyphsmith"));
  ASSERT_TRUE(WriteProfileString(path, "frmMain", "mnuFile(0).Caption", "&Nouveau"));
  ASSERT_TRUE(WriteProfileString(path, "frmPrint", "Form.Caption", ""));
  EXPECT_EQ(Bytes(path),
            "[frmMain]\r\nForm.Caption=Varnel Glyphsmith\r\nmnuFile(0).Caption=&Nouveau\r\n"
            "\r\n[frmPrint]\r\nForm.Caption=\r\n");
  EXPECT_EQ(ReadProfileString(path, "frmPrint", "Form.Caption", "dflt"), "");
}

TEST_F(ProfileTest, WriteReplacesInPlaceAndKeepsTheRest) {
  std::string path = Put("; translator's note\n[S]\n  k = old \nj=1\n\n[T]\nx=2\n");
  ASSERT_TRUE(WriteProfileString(path, "s", "K", "new"));
  EXPECT_EQ(Bytes(path), "; translator's note\n[S]\nk=new\nj=1\n\n[T]\nx=2\n");
  ASSERT_TRUE(WriteProfileString(path, "S", "added", "3"));
  EXPECT_EQ(Bytes(path), "; translator's note\n[S]\nk=new\nj=1\nadded=3\n\n[T]\nx=2\n");
}

TEST_F(ProfileTest, WritingTheSameValueLeavesTheFileAlone) {
  std::string path = Put("[S]\nk=v\n");
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  ASSERT_TRUE(WriteProfileString(path, "S", "k", "v"));
  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino) << "not replaced";
  ASSERT_TRUE(WriteProfileString(path, "S", "k", "w"));
  EXPECT_EQ(Bytes(path), "[S]\nk=w\n");
}

TEST_F(ProfileTest, WriteAfterLastLineWithoutLineEnd) {
  std::string path = Put("[S]\rk=1");
  ASSERT_TRUE(WriteProfileString(path, "S", "j", "2"));
  ASSERT_TRUE(WriteProfileString(path, "T", "x", "3"));
  EXPECT_EQ(Bytes(path), "[S]\rk=1\rj=2\r\r[T]\rx=3\r");
}

TEST_F(ProfileTest, AccentsAreStoredAsWindows1252AndSurvive) {
  const std::string french =
      "Propri\xC3\xA9t\xC3\xA9s, d\xC3\xA9j\xC3\xA0, fa\xC3\xA7on, 90\xC2\xB0, \xE2\x82\xAC";
  std::string path = dir_.file("fr.lng");
  ASSERT_TRUE(WriteProfileString(path, "S", "k", french));
  EXPECT_EQ(Bytes(path), "[S]\r\nk=Propri\xE9t\xE9s, d\xE9j\xE0, fa\xE7on, 90\xB0, \x80\r\n");
  EXPECT_EQ(ReadProfileString(path, "S", "k", ""), french);
  // Outside the code page there is no byte to write.
  ASSERT_TRUE(WriteProfileString(path, "S", "k", "\xE2\x86\x92"));
  EXPECT_EQ(ReadProfileString(path, "S", "k", ""), "?");
}

TEST_F(ProfileTest, Utf8FileStaysUtf8) {
  std::string path = Put("\xEF\xBB\xBF[S]\nk=1\n");
  ASSERT_TRUE(WriteProfileString(path, "S", "j", "\xC3\xA9\xE2\x86\x92"));
  EXPECT_EQ(Bytes(path), "\xEF\xBB\xBF[S]\nk=1\nj=\xC3\xA9\xE2\x86\x92\n");
}

TEST_F(ProfileTest, AwkwardValuesRoundTripExactly) {
  std::string path = dir_.file("odd.lng");
  for (std::string value : {"  padded  "s, "\"quoted\""s, "'single'"s, "\""s, "a=b;c[d]"s, ""s,
                            std::string(300, 'z')}) {
    ASSERT_TRUE(WriteProfileString(path, "S", "k", value));
    ProfileFile profile(path);
    EXPECT_EQ(profile.Find("S", "k"), value) << value;
  }
}

TEST_F(ProfileTest, LineBreaksInValueCannotAddEntries) {
  std::string path = dir_.file("inject.lng");
  ASSERT_TRUE(WriteProfileString(path, "S", "k", "one\r\n[X]\r\nevil=1\ntwo"));
  EXPECT_EQ(ReadProfileString(path, "X", "evil", "safe"), "safe");
  EXPECT_EQ(ReadProfileString(path, "S", "k", ""), "one  [X]  evil=1 two");
}

TEST_F(ProfileTest, NamesThatCannotBeStoredAreRefused) {
  std::string path = dir_.file("names.lng");
  for (auto [section, key] : std::vector<std::pair<std::string, std::string>>{{"", "k"},
                                                                              {"S", ""},
                                                                              {"S]", "k"},
                                                                              {"S", "a=b"},
                                                                              {"S\n", "k"},
                                                                              {"S", "k\r"},
                                                                              {" S", "k"},
                                                                              {"S", "k "},
                                                                              {"S", "[k"},
                                                                              {"S", ";k"}}) {
    EXPECT_FALSE(WriteProfileString(path, section, key, "v")) << section << "/" << key;
  }
  struct stat st {};
  EXPECT_NE(stat(path.c_str(), &st), 0) << "nothing may be written";
}

TEST_F(ProfileTest, WriteFailuresLeaveNoTrace) {
  EXPECT_FALSE(WriteProfileString(dir_.file("no/such/folder/x.lng"), "S", "k", "v"));
  EXPECT_FALSE(WriteProfileString(dir_.path(), "S", "k", "v"));
  // A file too large to read is not replaced by one holding a single entry.
  std::string big = Put(std::string((64u << 20) + 1, ';'));
  EXPECT_FALSE(WriteProfileString(big, "S", "k", "v"));
  struct stat st {};
  ASSERT_EQ(stat(big.c_str(), &st), 0);
  EXPECT_EQ(static_cast<std::size_t>(st.st_size), (64u << 20) + 1);
}

TEST_F(ProfileTest, PipeInsteadOfFileNeitherBlocksNorIsReplaced) {
  std::string fifo = dir_.file("pipe.lng");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadProfileString(fifo, "S", "k", "dflt"), "dflt");
  EXPECT_FALSE(WriteProfileString(fifo, "S", "k", "v"));
  struct stat st {};
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(ProfileTest, HostileFilesNeverBreakReadOrWrite) {
  const std::vector<std::string> pieces = {"[S]",
                                           "[S",
                                           "[]",
                                           "[ s ]x",
                                           "]",
                                           "k=v",
                                           "k=",
                                           "=v",
                                           "k",
                                           "K = \"q\"",
                                           ";c",
                                           "\r",
                                           "\n",
                                           "\r\n",
                                           "\n\r",
                                           "\0"s,
                                           "\xEF\xBB\xBF",
                                           "\xFF\xFE",
                                           "\x81\x8D",
                                           "\xC3",
                                           std::string(70000, 'L'),
                                           "[T]",
                                           "k=" + std::string(400, 'v'),
                                           "'",
                                           "\"",
                                           "  ",
                                           "\t",
                                           "=",
                                           "[[S]]",
                                           "k==",
                                           "\xE9"};
  std::mt19937 rng(12345);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1), count(0, 24);
  for (int round = 0; round < 400; ++round) {
    std::string file;
    for (std::size_t n = count(rng); n > 0; --n) file += pieces[pick(rng)];
    std::string path = Put(file);
    (void)ReadProfileString(path, "S", "k", "d");
    (void)ReadProfileString(path, "T", "", "d");
    const std::string value = "val\xC3\xA9 " + std::to_string(round);
    ASSERT_TRUE(WriteProfileString(path, "S", "k", value)) << round;
    ASSERT_TRUE(WriteProfileString(path, "New", "k", "n")) << round;
    EXPECT_EQ(ReadProfileString(path, "S", "k", "d"), value) << "round " << round;
    EXPECT_EQ(ReadProfileString(path, "New", "k", "d"), "n") << "round " << round;
  }
}

TEST(CodePageTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Utf8ToCp1252("\xC3\x28 \xF0\x9F\x98\x80 \xED\xA0\x80"), "?( ? ???");
}

// Many writes held in one ProfileFile and saved once give the same bytes as
// the same writes made one key at a time, each read and saved on its own.
TEST_F(ProfileTest, ManyWritesSavedOnceEqualOneAtATime) {
  const std::vector<std::string> starts = {
      "",
      "[S]\r\nk=1\r\n",
      "[S]\nk=1",
      "[S]\n; note\n\n[T]\nk=1\n\n",
      "\xEF\xBB\xBF[s]\rk=1\r[S]\rj=2",
      "k=orphan\n[S]\n[T",
      "[A]\nx=1\n   ",
  };
  struct W {
    const char *section, *key, *value;
  };
  const std::vector<W> writes = {{"S", "k", "2"},   {"New", "a", "1"}, {"S", "n", "3"},
                                 {"new", "A", "4"}, {"T", "k", " x "}, {"S", "k", "2"},
                                 {"S", "n", "5"},   {"Z", "q", ""},    {"A", "y", "\xC3\xA9"}};
  for (std::size_t f = 0; f < starts.size(); ++f) {
    SCOPED_TRACE(f);
    const std::string one = Put(starts[f]);
    for (const W& w : writes) ASSERT_TRUE(WriteProfileString(one, w.section, w.key, w.value));
    const std::string expected = Bytes(one);
    const std::string many = dir_.file("many.lng");
    test::WriteAll(many, {starts[f].begin(), starts[f].end()});
    ProfileFile profile(many);
    for (const W& w : writes) {
      ASSERT_TRUE(profile.Write(w.section, w.key, w.value));
      EXPECT_EQ(profile.Read(w.section, w.key, "?"), w.value);
    }
    EXPECT_EQ(profile.bytes(), expected);
    ASSERT_TRUE(profile.Save());
    EXPECT_EQ(Bytes(many), expected);
  }
}

TEST_F(ProfileTest, FilesOverTheLimitAreRefusedAndLeftAlone) {
  std::string big = "[S]\r\nk=v\r\n";
  big.resize(kProfileMaxBytes + 1, '\n');
  const std::string path = Put(big);
  EXPECT_EQ(ReadProfileString(path, "S", "k", "d"), "d");
  EXPECT_FALSE(WriteProfileString(path, "S", "k", "w"));
  EXPECT_EQ(Bytes(path), big);
  big.resize(kProfileMaxBytes);
  const std::string fits = Put(big);
  EXPECT_EQ(ReadProfileString(fits, "S", "k", "d"), "v");
}

// What a file costs in memory stays a small multiple of its size, whatever
// its lines are, also once every section has been looked up.
TEST_F(ProfileTest, MemoryIsASmallMultipleOfTheFileSize) {
  const std::size_t size = kProfileMaxBytes - 64;
  auto fill = [&](auto line) {
    std::string text;
    for (int i = 0; text.size() + 16 < size; ++i) text += line(i);
    return text;
  };
  const std::vector<std::pair<const char*, std::string>> files = {
      {"line ends", std::string(size, '\n')},
      {"entries", "[S]\n" + fill([](int) { return std::string("k=\n"); })},
      {"distinct keys", "[S]\n" + fill([](int i) { return std::to_string(i) + "=\n"; })},
      {"sections", fill([](int i) { return "[" + std::to_string(i) + "]\n"; })},
  };
  for (const auto& [what, text] : files) {
    SCOPED_TRACE(what);
    const std::string path = Put(text);
    const std::size_t before = mallinfo2().uordblks;
    {
      ProfileFile profile(path);
      EXPECT_EQ(profile.Read("S", "k", "d"), text.find("k=") != std::string::npos ? "" : "d");
      EXPECT_EQ(profile.Read("7", "k", "d"), "d");
      const std::size_t used = mallinfo2().uordblks - before;
      EXPECT_LT(used, 12 * text.size()) << used << " bytes for " << text.size();
    }
  }
}

}  // namespace
}  // namespace gs
