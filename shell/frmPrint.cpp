#include "shell/frmPrint.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <optional>

#include "document/canvas_view.h"
#include "document/qt_canvas.h"
#include "files/qt_file_dialogs.h"
#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "platform/safe_file.h"
#include "shell/qt_command_art.h"
#include "shell/qt_printer.h"

namespace gs {

namespace {

std::function<bool()>& PrinterProbe() {
  static std::function<bool()> probe;
  return probe;
}

// The orientation last chosen stays for the rest of the run; until then the
// printer keeps its own.
std::optional<QPageLayout::Orientation>& ChosenOrientation() {
  static std::optional<QPageLayout::Orientation> o;
  return o;
}

constexpr char kNoPrinterCancelled[] =
    "Aucune imprimante n'est installée et aucun fichier PDF n'a été choisi : rien n'a été imprimé.";
constexpr char kPrinterFailed[] = "L'imprimante n'a pas pu commencer l'impression.";

QPageSize LocalPaper() {
  return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
             ? QPageSize(QPageSize::Letter)
             : QPageSize(QPageSize::A4);
}

// A quarter inch all round: what a desktop printer usually cannot reach.
QPageLayout PdfLayout() {
  return QPageLayout(LocalPaper(), ChosenOrientation().value_or(QPageLayout::Portrait),
                     QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
}

// For the printer: the orientation chosen, or -1 for the printer's own.
int PrinterOrientation() { return ChosenOrientation() ? int(*ChosenOrientation()) : -1; }

constexpr char kPdfFilter[] = "Document PDF (*.pdf)";
constexpr char kPdfTitle[] = "Imprimer dans un fichier PDF";

FileDialogRequest PdfDialog() { return {{{kPdfFilter, "*.pdf"}}, kPdfTitle, "pdf"}; }

void SetGeometryF(QWidget* w, const SheetGeometry& s) {
  w->setGeometry(static_cast<int>(std::lround(s.left)), static_cast<int>(std::lround(s.top)),
                 static_cast<int>(std::lround(s.width)), static_cast<int>(std::lround(s.height)));
}

}  // namespace

void SetPrinterProbe(std::function<bool()> probe) { PrinterProbe() = std::move(probe); }

bool DefaultPrinterExists() {
  if (PrinterProbe()) return PrinterProbe()();
  return ModuleDefaultPrinterExists();
}

bool PrintIconPage(QPagedPaintDevice& device, const IconDocument& doc, const QString& text) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const int pw = device.width(), ph = device.height();
  const PrintSize size = MagnifiedSize(text.toStdString(), pw, ph);
  const PixelRect page = PagePlacement(pw, ph, size);
  // The exact pixels on paper: the icon is enlarged here in whole printer
  // pixels and drawn 1:1, kept out of JPEG, so that neither the page
  // description nor the printer has anything left to smooth or approximate.
  // White stays white on paper: the document already holds it that way.
  painter.setRenderHint(QPainter::LosslessImageRendering);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // The whole sheet, margins included, in the printable area's pixels: a
  // page larger than the printable area reaches the paper's edges, where the
  // printer itself cuts what it cannot reach.
  const int dpi = device.logicalDpiY();
  const QRect paper = device.pageLayout().fullRectPixels(dpi);
  const QRect printable = device.pageLayout().paintRectPixels(dpi);
  const PixelRect sheet{paper.left() - printable.left(), paper.top() - printable.top(),
                        paper.width(), paper.height()};
  constexpr long long kBandPixels = 4 << 20;
  for (const PixelRect& band : PrintBands(sheet, page, kBandPixels)) {
    QImage image(band.width, band.height, QImage::Format_RGB32);
    if (image.isNull()) return false;
    StretchToArgb32(doc.surface, reinterpret_cast<std::uint32_t*>(image.bits()),
                    image.bytesPerLine() / 4,
                    {static_cast<double>(page.width), static_cast<double>(page.height),
                     band.left - page.left, band.top - page.top, band.width, band.height});
    painter.drawImage(QPoint(band.left, band.top), image);
  }
  return painter.end();
}

// The sheet of paper: white, with the icon where the page would have it.
class PaperPreview : public QWidget {
 public:
  PaperPreview(frmPrint& owner, const IconDocument& doc, QWidget* parent)
      : QWidget(parent), owner_(owner), doc_(doc) {
    setObjectName("picPaper");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const PixelRect r = owner_.PreviewRect();
    if (r.width > 0 && r.height > 0)
      p.drawImage(QRect(r.left, r.top, r.width, r.height), SurfaceImage(doc_.surface));
  }

 private:
  frmPrint& owner_;
  const IconDocument& doc_;
};

frmPrint::frmPrint(const IconDocument& doc, Environment& env, QWidget* parent)
    : QDialog(parent), doc_(doc), env_(env) {
  setObjectName("frmPrint");
  setModal(true);
  setWindowTitle(QString::fromUtf8(kPrintTitle));
  setFixedSize(515, 605);

  auto* frame2 =
      new QGroupBox(QString::fromUtf8("Barre d'outils de l'aperçu avant l'impression :"), this);
  frame2->setObjectName("FramePlus2");
  frame2->setGeometry(8, 6, 430, 84);
  const char* styles[] = {"Portrait", "Paysage"};
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) {
    optStyle_[i] = new QRadioButton(QString::fromUtf8(styles[i]), frame2);
    optStyle_[i]->setObjectName("optStyle");
    SetControlIndex(optStyle_[i], i);
    optStyle_[i]->setGeometry(12, 22 + 28 * i, 110, 24);
    group->addButton(optStyle_[i], i);
  }
  optStyle_[0]->setChecked(true);
  auto* label1 = new QLabel(QString::fromUtf8("Dimenssion :"), frame2);
  label1->setObjectName("Label1");
  label1->setGeometry(130, 24, 90, 20);
  cboStretch_ = new QComboBox(frame2);
  cboStretch_->setObjectName("cboStretch");
  cboStretch_->setEditable(true);
  cboStretch_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* m : kMagnifications) cboStretch_->addItem(QString::fromLatin1(m));
  cboStretch_->setGeometry(130, 48, 100, 26);
  cmdPrint_ = new QPushButton(QString::fromUtf8("&Imprimer"), frame2);
  cmdPrint_->setObjectName("cmdPrint");
  cmdPrint_->setGeometry(300, 18, 118, 28);
  cmdPrint_->setDefault(true);
  cmdQuit_ = new QPushButton(QString::fromUtf8("&Quitter"), frame2);
  cmdQuit_->setObjectName("cmdQuit");
  cmdQuit_->setGeometry(300, 50, 118, 28);

  auto* frame1 = new QGroupBox(QString::fromUtf8("Aperçu :"), this);
  frame1->setObjectName("FramePlus1");
  frame1->setGeometry(8, 96, 499, 503);
  picture1_ = new QWidget(frame1);
  picture1_->setObjectName("Picture1");
  picture1_->setGeometry(9, 16, kPreviewBackdropSide, kPreviewBackdropSide);
  picture1_->setAutoFillBackground(true);
  QPalette backdrop = picture1_->palette();
  backdrop.setColor(QPalette::Window, QColor(128, 128, 128));
  picture1_->setPalette(backdrop);
  picPaper_ = new PaperPreview(*this, doc_, picture1_);

  image1_ = new QLabel(this);
  image1_->setObjectName("Image1");
  image1_->setPixmap(CommandPicture(CommandArt::Print, 48));
  image1_->setGeometry(450, 22, 56, 56);
  image1_->setAlignment(Qt::AlignCenter);

  // Load: the last magnification, the sheet in its first place, the texts.
  cboStretch_->setCurrentIndex(cboStretch_->count() - 1);
  sheet_ = InitialSheet();
  SetGeometryF(picPaper_, sheet_);
  const std::optional<QRect> printer =
      DefaultPrinterExists() ? ModulePrintableRect(PrinterOrientation()) : std::nullopt;
  const QRect r = printer ? *printer : PdfLayout().paintRectPixels(kPdfResolution);
  printable_ = {r.width(), r.height()};
  AddWindowMessages(this, {{"msgNoPrinter", kNoPrinterCancelled},
                           {"msgPrinterFailed", kPrinterFailed},
                           {"msgPdfTitle", kPdfTitle},
                           {"msgPdfFilter", kPdfFilter}});
  LoadWindowLanguage(this, env_);

  connect(group, &QButtonGroup::idClicked, this, [this](int id) { optStyle_Click(id); });
  connect(cboStretch_, &QComboBox::currentTextChanged, this, [this] { RedrawPrev(); });
  connect(cmdPrint_, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
  connect(cmdQuit_, &QPushButton::clicked, this, [this] { reject(); });
}

frmPrint::~frmPrint() = default;

QWidget* frmPrint::picPaper() const { return picPaper_; }

PrintSize frmPrint::PrintableSize() const { return printable_; }

PixelRect frmPrint::PreviewRect() const {
  const PrintSize s =
      MagnifiedSize(cboStretch_->currentText().toStdString(), printable_.width, printable_.height);
  return PreviewPlacement(sheet_, printable_.width, printable_.height, s);
}

void frmPrint::optStyle_Click(int index) {
  picture1_->setUpdatesEnabled(false);
  const bool landscape = index == 1;
  sheet_ = SheetFor(landscape ? PrintOrientation::Landscape : PrintOrientation::Portrait);
  SetGeometryF(picPaper_, sheet_);
  ChosenOrientation() = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  // The printable area turns with the page.
  if ((printable_.width > printable_.height) != landscape)
    std::swap(printable_.width, printable_.height);
  picture1_->setUpdatesEnabled(true);
  RedrawPrev();
}

void frmPrint::RedrawPrev() { picPaper_->update(); }

void frmPrint::cmdPrint_Click() {
  const QString text = cboStretch_->currentText();
  const auto fail = [this](const QString& why) {
    env_.Dialogs().Message(this, QMessageBox::Information, QString::fromUtf8(kAppTitle),
                           InWindowLanguage(this, why), QMessageBox::Ok, QMessageBox::Ok);
  };
  if (DefaultPrinterExists()) {
    if (!ModulePrintPage(PrinterOrientation(), [&](QPagedPaintDevice& printer) {
          return PrintIconPage(printer, doc_, text);
        }))
      return fail(QString::fromUtf8(kPrinterFailed));
    accept();
    return;
  }
  const QString path = env_.Dialogs().SaveFileName(this, InWindowLanguage(this, PdfDialog()));
  if (path.isEmpty()) return fail(QString::fromUtf8(kNoPrinterCancelled));
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&bytes);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(PdfLayout());
    pdf.setCreator(QString::fromUtf8(kAppTitle));
    if (!PrintIconPage(pdf, doc_, text)) return fail(QString::fromUtf8(kPrinterFailed));
  }
  const QByteArray& data = bytes.data();
  const WriteStatus st =
      WriteFileSafely(path.toStdString(),
                      std::span<const std::uint8_t>(
                          reinterpret_cast<const std::uint8_t*>(data.constData()), data.size()));
  if (!st) return fail(QString::fromStdString(st.error));
  accept();
}

}  // namespace gs
