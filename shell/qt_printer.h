#pragma once
// The printer, through a module of its own (app/print/glyphsmith_print.cpp)
// loaded when a printer is first asked about: Qt's printing library, which
// only the print window needs, stays out of every start of the editor. Without
// the module there is no printer, and the print window writes a PDF file.
#include <QRect>
#include <functional>
#include <optional>

class QPagedPaintDevice;

namespace gs {

// The module's entry points, by these names. `orientation` is a
// QPageLayout::Orientation, or -1 for the printer's own.
using PagePainter = bool (*)(QPagedPaintDevice& device, void* context);
extern "C" {
using DefaultPrinterExistsEntry = bool (*)();
using PrintableRectEntry = bool (*)(int orientation, QRect* rect);
using PrintPageEntry = bool (*)(int orientation, PagePainter paint, void* context);
}
inline constexpr char kDefaultPrinterExistsEntry[] = "gs_default_printer_exists";
inline constexpr char kPrintableRectEntry[] = "gs_printable_rect";
inline constexpr char kPrintPageEntry[] = "gs_print_page";

// Whether the module was found and offers every entry point (asks no printer).
bool PrinterModuleLoaded();
bool ModuleDefaultPrinterExists();
// The default printer's printable area in its pixels at high resolution.
std::optional<QRect> ModulePrintableRect(int orientation);
// One page on the default printer, drawn by `paint`; false when either fails.
bool ModulePrintPage(int orientation, const std::function<bool(QPagedPaintDevice&)>& paint);

}  // namespace gs
