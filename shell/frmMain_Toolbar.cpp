#include "shell/frmMain_Toolbar.h"

#include <QAction>
#include <QFrame>
#include <QLayout>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <array>

#include "shell/frmMain.h"
#include "shell/menu_tree.h"

namespace gs {

namespace {

constexpr char kStripName[] = "gsToolbarStrip";

// The strip of slots inside the toolbar; places them exactly and keeps them
// by number, so that a theme reaches every button without a search.
class ToolbarStrip : public QWidget {
 public:
  explicit ToolbarStrip(QWidget* parent) : QWidget(parent) {
    const ToolbarSlot& last = ToolbarSlots().back();
    setFixedSize(last.x + kToolbarButtonSide + 2, kToolbarHeight);
    setObjectName(kStripName);
  }
  void Place(int number, QWidget* widget) {
    if (number >= 0 && number < static_cast<int>(slots_.size()))
      slots_[static_cast<std::size_t>(number)] = widget;
  }
  QWidget* Slot(int number) const {
    return number >= 0 && number < static_cast<int>(slots_.size())
               ? slots_[static_cast<std::size_t>(number)].data()
               : nullptr;
  }

 private:
  std::array<QPointer<QWidget>, 20> slots_{};  // by slot number, 1-19
};

ToolbarStrip* Strip(const frmMain& w) {
  return static_cast<ToolbarStrip*>(
      w.Toolbar1()->findChild<QWidget*>(kStripName, Qt::FindDirectChildrenOnly));
}

void FollowEntry(QToolButton* button, QAction* action) {
  const auto sync = [button, action] {
    button->setEnabled(action->isEnabled());
    // The entry's text, in the language in use, names the button and is its tooltip.
    const QString spoken = QString::fromStdString(SpokenCaption(action->text().toStdString()));
    button->setAccessibleName(spoken);
    button->setToolTip(spoken);
  };
  sync();
  QObject::connect(action, &QAction::changed, button, sync);
}

}  // namespace

void SetupShellToolbar(frmMain& w) {
  QToolBar* bar = w.Toolbar1();
  bar->setFloatable(false);
  bar->setMovable(false);
  bar->setContentsMargins(0, 0, 0, 0);
  if (bar->layout()) {
    bar->layout()->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setSpacing(0);
  }
  auto* strip = new ToolbarStrip(bar);
  for (const ToolbarSlot& slot : ToolbarSlots()) {
    QWidget* widget = nullptr;
    if (slot.separator) {
      auto* line = new QFrame(strip);
      line->setProperty("gsToolbarSeparator", true);
      line->setFrameShape(QFrame::NoFrame);
      line->setAutoFillBackground(true);
      line->setGeometry(slot.x, kToolbarSeparatorTop, kToolbarSeparatorWidth,
                        kToolbarSeparatorHeight);
      widget = line;
    } else {
      auto* button = new QToolButton(strip);
      button->setAutoRaise(true);
      button->setFocusPolicy(Qt::NoFocus);
      // The picture comes with the toolbar's theme, drawn in its colours.
      button->setIconSize(QSize(kToolbarPictureSide, kToolbarPictureSide));
      button->setGeometry(slot.x, kToolbarButtonTop, kToolbarButtonSide, kToolbarButtonSide);
      const int number = slot.number;
      QObject::connect(button, &QToolButton::clicked, &w,
                       [&w, number] { Toolbar1_ButtonClick(w, number); });
      if (QAction* action = w.MenuAction(QString::fromLatin1(slot.menuName), slot.menuIndex))
        FollowEntry(button, action);
      widget = button;
    }
    strip->Place(slot.number, widget);
  }
  bar->addWidget(strip);
}

void TeardownShellToolbar(frmMain& w) {
  // A toolbar being destroyed hands its widgets back, unparented, which
  // restyles every button of the strip one by one only to delete them.
  delete Strip(w);
}

void Toolbar1_ButtonClick(frmMain& w, int number) {
  const ToolbarSlot* slot = FindToolbarSlot(number);
  if (!slot || slot->separator) return;
  if (QAction* action = w.MenuAction(QString::fromLatin1(slot->menuName), slot->menuIndex))
    action->trigger();
}

QWidget* ToolbarSlotWidget(const frmMain& w, int number) {
  const ToolbarStrip* strip = Strip(w);
  return strip ? strip->Slot(number) : nullptr;
}

}  // namespace gs
