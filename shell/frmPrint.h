#pragma once
// The print window: one page on the default printer, the icon centred at a
// chosen magnification, portrait or landscape, with a proportional preview.
// Without a printer (common on Linux) "&Imprimer" asks for a PDF file and
// writes the page there as a printer at kPdfResolution would get it.
//
//   frmPrint w(doc, mainWindow);
//   env.Dialogs().RunModal(&w);
#include <QDialog>
#include <functional>
#include <memory>

#include "document/icon_document.h"
#include "platform/environment.h"
#include "shell/print_layout.h"

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QRadioButton;

namespace gs {

inline constexpr int kPdfResolution = 600;
inline constexpr char kPrintTitle[] = " Varnel Glyphsmith - Impression";

// Whether a default printer is there; tests answer no so nothing ever reaches
// a real printer. nullptr puts back the real question.
void SetPrinterProbe(std::function<bool()> probe);
bool DefaultPrinterExists();

// Draws the icon on one page of `device` at the magnification `text`: its
// exact pixels, each a block of whole printer pixels, stored losslessly;
// false when the device cannot be painted on.
bool PrintIconPage(QPagedPaintDevice& device, const IconDocument& doc, const QString& text);

class PaperPreview;

class frmPrint : public QDialog {
  Q_OBJECT
 public:
  frmPrint(const IconDocument& doc, Environment& env, QWidget* parent = nullptr);
  ~frmPrint() override;

  QRadioButton* optStyle(int i) const { return optStyle_[i]; }
  QComboBox* cboStretch() const { return cboStretch_; }
  QPushButton* cmdPrint() const { return cmdPrint_; }
  QWidget* picPaper() const;
  QWidget* Picture1() const { return picture1_; }

  // The printable area of the page that "&Imprimer" would print, in pixels.
  PrintSize PrintableSize() const;
  // The icon on the sheet, in sheet pixels.
  PixelRect PreviewRect() const;

  void cmdPrint_Click();

 private:
  void optStyle_Click(int index);
  void RedrawPrev();

  const IconDocument& doc_;
  QRadioButton* optStyle_[2] = {nullptr, nullptr};
  QComboBox* cboStretch_ = nullptr;
  QPushButton* cmdPrint_ = nullptr;
  QPushButton* cmdQuit_ = nullptr;
  QWidget* picture1_ = nullptr;
  PaperPreview* picPaper_ = nullptr;
  QLabel* image1_ = nullptr;
  SheetGeometry sheet_;
  PrintSize printable_;
  Environment& env_;
};

}  // namespace gs
