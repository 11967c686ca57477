#include "platform/file_read.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileRead, ReadWholeFileLimitsAndReasons) {
  test::TempDir dir;
  test::WriteAll(dir.file("f"), Bytes(100, 1));
  Bytes out;
  std::string error;
  EXPECT_TRUE(ReadWholeFile(dir.file("f"), out, &error));
  EXPECT_EQ(out.size(), 100u);
  EXPECT_FALSE(ReadWholeFile(dir.file("f"), out, &error, 99));
  EXPECT_EQ(error, dir.file("f") + ": file too large");
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(ReadWholeFile(dir.file("nope"), out, &error));
  EXPECT_EQ(error, dir.file("nope") + ": No such file or directory");
  EXPECT_FALSE(ReadWholeFile(dir.path(), out, &error));
  EXPECT_EQ(error, dir.path() + ": Is a directory");
  mkfifo(dir.file("pipe").c_str(), 0600);
  EXPECT_FALSE(ReadWholeFile(dir.file("pipe"), out, &error)) << "must not wait for a writer";
  EXPECT_EQ(error, dir.file("pipe") + ": not a regular file");
  // A file that says it is empty may still have bytes (the kernel's files):
  // all of them are read, up to the limit.
  std::ifstream environ("/proc/self/environ", std::ios::binary);
  const Bytes expected{std::istreambuf_iterator<char>(environ), {}};
  ASSERT_GT(expected.size(), 10u);
  EXPECT_TRUE(ReadWholeFile("/proc/self/environ", out, &error));
  EXPECT_EQ(out, expected);
  EXPECT_TRUE(ReadWholeFile("/proc/self/environ", out, &error, 10));
  EXPECT_EQ(out, Bytes(expected.begin(), expected.begin() + 10));
  EXPECT_TRUE(RegularFileExists(dir.file("f")));
  EXPECT_FALSE(RegularFileExists(dir.path()));
  EXPECT_FALSE(RegularFileExists(""));
}

}  // namespace
}  // namespace gs
