// The printer module, found beside the program with every entry point: the
// editor itself does not link Qt's printing library. (No printer is asked.)
#include <gtest/gtest.h>

#include "shell/qt_printer.h"

namespace gs {
namespace {

TEST(PrinterModule, FoundBesideTheProgramWithEveryEntryPoint) {
  EXPECT_TRUE(PrinterModuleLoaded());
}

}  // namespace
}  // namespace gs
