#include "platform/system_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

// Declared only to type a function that no library here has.
extern "C" int gs_function_no_library_has(int);

namespace gs {
namespace {

// A table as the picture libraries build theirs (png_library.h...), over a
// library every machine has.
#define GS_C_FUNCTIONS(X, arg) X(arg, getpid) X(arg, gs_function_no_library_has) X(arg, strlen)

struct CFunctions {
  GS_C_FUNCTIONS(GS_LIBRARY_MEMBER, _)
  std::string problem;
  explicit CFunctions(SystemLibrary lib) {
    GS_C_FUNCTIONS(GS_LIBRARY_FIND, lib)
    problem = lib.problem();
  }
};

// A library that loads but lacks one function is refused as a whole, with the
// name of what is missing, however many other functions it has.
TEST(SystemLibrary, ALibraryWithoutOneFunctionIsRefusedAndSaysWhich) {
  const CFunctions c(SystemLibrary("libc.so.6", "libc6"));
  EXPECT_EQ(c.problem,
            "libc.so.6 (the libc6 package), whose copy here has no gs_function_no_library_has");
  EXPECT_EQ(c.gs_function_no_library_has, nullptr);
  ASSERT_NE(c.getpid, nullptr);  // found before and after the missing one alike
  ASSERT_NE(c.strlen, nullptr);
  EXPECT_EQ(c.strlen("four"), 4u);

  SystemLibrary whole("libc.so.6", "libc6");
  decltype(&::getpid) pid = nullptr;
  whole.Find(pid, "getpid");
  ASSERT_NE(pid, nullptr);
  EXPECT_EQ(pid(), ::getpid());
  EXPECT_TRUE(whole.ok()) << whole.problem();
  EXPECT_EQ(whole.problem(), "");
}

TEST(SystemLibrary, AMissingLibraryIsRefusedAndEveryFunctionIsNull) {
  SystemLibrary lib("libgs-no-such-library.so.9", "libgs9");
  decltype(&::getpid) f = &::getpid;
  lib.Find(f, "getpid");
  EXPECT_EQ(f, nullptr);
  EXPECT_FALSE(lib.ok());
  EXPECT_EQ(lib.problem().rfind("libgs-no-such-library.so.9 (the libgs9 package), which cannot be "
                                "loaded",
                                0),
            0u)
      << lib.problem();
}

}  // namespace
}  // namespace gs
