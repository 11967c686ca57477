// The editor's printer module (shell/qt_printer.h): the only code that needs
// Qt's printing library, loaded by the print window when it asks about a
// printer.
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "shell/qt_printer.h"

namespace {

void Orient(QPrinter& printer, int orientation) {
  if (orientation >= 0)
    printer.setPageOrientation(static_cast<QPageLayout::Orientation>(orientation));
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) bool gs_default_printer_exists() {
  return !QPrinterInfo::defaultPrinter().isNull();
}

__attribute__((visibility("default"))) bool gs_printable_rect(int orientation, QRect* rect) {
  QPrinter printer(QPrinter::HighResolution);
  Orient(printer, orientation);
  *rect = printer.pageLayout().paintRectPixels(printer.resolution());
  return true;
}

__attribute__((visibility("default"))) bool gs_print_page(int orientation, gs::PagePainter paint,
                                                          void* context) {
  QPrinter printer(QPrinter::HighResolution);
  Orient(printer, orientation);
  return paint(printer, context);
}

}  // extern "C"
