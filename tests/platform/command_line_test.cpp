#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

std::optional<std::string> Answer(std::initializer_list<const char*> args) {
  std::vector<const char*> argv = {"glyphsmith"};
  argv.insert(argv.end(), args);
  return CommandLineAnswer(static_cast<int>(argv.size()), argv.data(), "2.3.0");
}

TEST(CommandLine, HelpAndVersionAreAnsweredAndPathsAreNot) {
  EXPECT_EQ(Answer({"--version"}), "glyphsmith 2.3.0\n");
  for (const char* help : {"--help", "-h"}) {
    const std::optional<std::string> text = Answer({help});
    ASSERT_TRUE(text) << help;
    EXPECT_EQ(text->rfind("Usage: glyphsmith [FILE]\n", 0), 0u) << *text;
  }
  EXPECT_FALSE(Answer({}));
  EXPECT_FALSE(Answer({"icon.ico"}));
  EXPECT_FALSE(Answer({"--helpful.ico"}));
  // The whole line is one path: "my --help" names a file.
  EXPECT_FALSE(Answer({"my", "--help"}));
}

}  // namespace
}  // namespace gs
