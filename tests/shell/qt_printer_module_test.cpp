// The printer module, loaded beside the program: the editor itself does not
// link Qt's printing library.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <optional>

#include "shell/qt_printer.h"

namespace gs {
namespace {

TEST(PrinterModule, FoundBesideTheProgramAndTurnsThePageWithTheOrientation) {
  (void)ModuleDefaultPrinterExists();  // a real question, answered without a crash
  const std::optional<QRect> portrait = ModulePrintableRect(QPageLayout::Portrait);
  const std::optional<QRect> landscape = ModulePrintableRect(QPageLayout::Landscape);
  ASSERT_TRUE(portrait && landscape) << "the module was not loaded";
  EXPECT_GT(portrait->height(), portrait->width());
  EXPECT_GT(landscape->width(), landscape->height());
  EXPECT_TRUE(ModulePrintableRect(-1).has_value());
}

}  // namespace
}  // namespace gs
