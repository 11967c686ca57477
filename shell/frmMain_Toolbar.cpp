#include "shell/frmMain_Toolbar.h"

#include <QAction>
#include <QFrame>
#include <QLayout>
#include <QToolBar>
#include <QToolButton>

#include "shell/frmMain.h"
#include "shell/menu_tree.h"
#include "shell/qt_command_art.h"

namespace gs {

namespace {

constexpr char kSlotProperty[] = "gsToolbarSlot";
constexpr char kStripProperty[] = "gsToolbarStrip";

// The strip of slots inside the toolbar; places them exactly.
class ToolbarStrip : public QWidget {
 public:
  explicit ToolbarStrip(QWidget* parent) : QWidget(parent) {
    const ToolbarSlot& last = ToolbarSlots().back();
    setFixedSize(last.x + kToolbarButtonSide + 2, kToolbarHeight);
    setProperty(kStripProperty, true);
  }
};

QWidget* Strip(const frmMain& w) {
  for (QWidget* child : w.Toolbar1()->findChildren<QWidget*>())
    if (child->property(kStripProperty).toBool()) return child;
  return nullptr;
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
      button->setIcon(QIcon(CommandPicture(*slot.art, kToolbarButtonSide)));
      button->setIconSize(QSize(kToolbarButtonSide - 4, kToolbarButtonSide - 4));
      button->setGeometry(slot.x, kToolbarButtonTop, kToolbarButtonSide, kToolbarButtonSide);
      const int number = slot.number;
      QObject::connect(button, &QToolButton::clicked, &w,
                       [&w, number] { Toolbar1_ButtonClick(w, number); });
      if (QAction* action = w.MenuAction(QString::fromLatin1(slot.menuName), slot.menuIndex))
        FollowEntry(button, action);
      widget = button;
    }
    widget->setProperty(kSlotProperty, slot.number);
  }
  bar->addWidget(strip);
  bar->setVisible(true);
}

void Toolbar1_ButtonClick(frmMain& w, int number) {
  const ToolbarSlot* slot = FindToolbarSlot(number);
  if (!slot || slot->separator) return;
  if (QAction* action = w.MenuAction(QString::fromLatin1(slot->menuName), slot->menuIndex))
    action->trigger();
}

QWidget* ToolbarSlotWidget(const frmMain& w, int number) {
  QWidget* strip = Strip(w);
  if (!strip) return nullptr;
  for (QWidget* child : strip->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->property(kSlotProperty).toInt() == number) return child;
  return nullptr;
}

}  // namespace gs
