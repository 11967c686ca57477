#include "shell/frmMain_Colors.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QFrame>
#include <QPainter>

#include "tools/frmPalette.h"
#include "tools/qt_tool_panels.h"

namespace gs {

namespace {

constexpr int kLeftPanelWidth = 64;
constexpr QPoint kThumbnailPos{268, 1};

// Paints the colour bar's white highlight along its top edge.
class ColorBarPainter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* bar = static_cast<QWidget*>(watched);
      QPainter p(bar);
      p.setPen(Qt::white);
      p.drawLine(kLeftPanelWidth - 2, 0, bar->width() - 1, 0);
      p.drawLine(kLeftPanelWidth - 2, 1, bar->width() - 1, 1);
    }
    return false;
  }
};

// The colour dialog as the editor opens it: no colour chosen in advance, the
// custom colours of earlier openings in this run offered again.
std::optional<QColor> RunColorDialog(QWidget* owner) {
  const QColor c = QColorDialog::getColor(Qt::black, owner);
  if (!c.isValid()) return std::nullopt;
  return c;
}

}  // namespace

void RefreshColorButtons(frmMain& w) {
  ColorsPart& part = w.Colors();
  if (part.picLeftButton) part.picLeftButton->SetColor(part.colors.left);
  if (part.picRightButton) part.picRightButton->SetColor(part.colors.right);
}

void ColorBoxReleased(frmMain& w, int box, Qt::MouseButton button) {
  if (w.Colors().colors.PickBox(box, ToEngineButton(button))) RefreshColorButtons(w);
}

void ColorBoxDoubleClicked(frmMain& w, int box) {
  ColorsPart& part = w.Colors();
  if (!ColorState::BoxTakesDialog(box) || !part.chooseColor) return;
  const std::optional<QColor> chosen = part.chooseColor(&w);
  if (!chosen) return;
  part.colors.boxes[static_cast<std::size_t>(box)] = FromQColor(*chosen);
  part.picColor[static_cast<std::size_t>(box)]->SetColor(FromQColor(*chosen));
  for (int i = 0; i < kCustomColors; ++i)
    part.colors.customColors[static_cast<std::size_t>(i)] =
        FromQColor(QColorDialog::customColor(i));
}

void ShowSpectrum(frmMain& w) {
  ColorsPart& part = w.Colors();
  // Over a modal window the spectrum would take the mouse from it.
  if (part.palette || QApplication::activeModalWidget()) return;
  auto* palette = new frmPalette(
      part.colors, [&w] { RefreshColorButtons(w); }, &w);
  part.palette = palette;
  palette->PlaceOver(QRect(part.picPalette->mapToGlobal(QPoint(0, 0)), part.picPalette->size()));
  palette->ShowFloating();
}

void frmMain::SetupColors() {
  ColorsPart& part = Colors();
  part.colors = ColorState();
  part.chooseColor = RunColorDialog;
  // The dialog's custom colours start black and live for the run.
  for (int i = 0; i < kCustomColors; ++i) QColorDialog::setCustomColor(i, Qt::black);

  QWidget* bar = picColors();
  bar->installEventFilter(new ColorBarPainter(bar));

  part.Picture2 = new QFrame(bar);
  part.Picture2->setObjectName("Picture2");
  part.Picture2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const auto place = [](QWidget* w, const Rect& r) {
    w->setGeometry(r.left, r.top, r.Width(), r.Height());
  };
  place(part.Picture2, FrameRect());
  part.picRightButton = new ColorBox("picRightButton", -1, part.Picture2);
  place(part.picRightButton, RightButtonRect());
  part.picLeftButton = new ColorBox("picLeftButton", -1, part.Picture2);
  place(part.picLeftButton, LeftButtonRect());
  part.picLeftButton->raise();

  for (int i = 0; i < kPaletteBoxes; ++i) {
    auto* box = new ColorBox("picColor", i, bar);
    place(box, PaletteBoxRect(i));
    box->SetColor(part.colors.boxes[static_cast<std::size_t>(i)]);
    connect(box, &ColorBox::released, this,
            [this](int index, Qt::MouseButton b) { ColorBoxReleased(*this, index, b); });
    connect(box, &ColorBox::doubleClicked, this,
            [this](int index) { ColorBoxDoubleClicked(*this, index); });
    part.picColor[static_cast<std::size_t>(i)] = box;
  }
  // Box 20 is the transparent colour.
  part.colors.boxes[kTransparentBox] = kWhite;
  part.picColor[kTransparentBox]->SetColor(kWhite);

  part.picPalette = new SpectrumPicture(kSpectrumThumbSide, kSpectrumThumbSide, bar);
  part.picPalette->setObjectName("picPalette");
  part.picPalette->move(kThumbnailPos);
  connect(part.picPalette, &SpectrumPicture::entered, this, [this] { ShowSpectrum(*this); });
  connect(part.picPalette, &SpectrumPicture::moved, this, [this] { ShowSpectrum(*this); });

  RefreshColorButtons(*this);
}

}  // namespace gs
