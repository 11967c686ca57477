#include "shell/qt_printer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace gs {

namespace {

struct Module {
  DefaultPrinterExistsEntry defaultPrinterExists = nullptr;
  PrintableRectEntry printableRect = nullptr;
  PrintPageEntry printPage = nullptr;
};

// Beside the program in the build tree, else where it is installed.
const Module& PrinterModule() {
  static const Module module = [] {
    Module m;
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& path :
         {folder + QStringLiteral("/libglyphsmith_print.so"),
          folder + QStringLiteral("/../" GLYPHSMITH_PRINT_MODULE_DIR "/libglyphsmith_print.so")}) {
      QLibrary library(path);
      if (!library.load()) continue;
      m.defaultPrinterExists =
          reinterpret_cast<DefaultPrinterExistsEntry>(library.resolve(kDefaultPrinterExistsEntry));
      m.printableRect = reinterpret_cast<PrintableRectEntry>(library.resolve(kPrintableRectEntry));
      m.printPage = reinterpret_cast<PrintPageEntry>(library.resolve(kPrintPageEntry));
      if (m.defaultPrinterExists && m.printableRect && m.printPage) break;
      m = Module();
    }
    return m;
  }();
  return module;
}

}  // namespace

bool PrinterModuleLoaded() { return PrinterModule().printPage != nullptr; }

bool ModuleDefaultPrinterExists() {
  const Module& m = PrinterModule();
  return m.defaultPrinterExists && m.defaultPrinterExists();
}

std::optional<QRect> ModulePrintableRect(int orientation) {
  const Module& m = PrinterModule();
  QRect r;
  if (!m.printableRect || !m.printableRect(orientation, &r)) return std::nullopt;
  return r;
}

bool ModulePrintPage(int orientation, const std::function<bool(QPagedPaintDevice&)>& paint) {
  const Module& m = PrinterModule();
  if (!m.printPage) return false;
  return m.printPage(
      orientation,
      [](QPagedPaintDevice& device, void* context) {
        return (*static_cast<const std::function<bool(QPagedPaintDevice&)>*>(context))(device);
      },
      const_cast<std::function<bool(QPagedPaintDevice&)>*>(&paint));
}

}  // namespace gs
