#include "shell/qt_appearance.h"

namespace gs {

namespace {

QString Hex(const QColor& c) { return c.name(QColor::HexRgb); }

struct Theme {
  QColor top, bottom, border, hover, hoverBorder, pressed, separator;
};

QString ToolbarSheet(const Theme& t) {
  return QStringLiteral(
             "QToolBar { border: none; border-bottom: 1px solid %3; padding: 0px; spacing: 0px;"
             " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }"
             "QToolBar QToolButton { border: 1px solid transparent; border-radius: 2px; "
             "background: transparent;"
             " padding: 0px; margin: 0px; }"
             "QToolBar QToolButton:hover { background: %4; border: 1px solid %5; }"
             "QToolBar QToolButton:pressed { background: %6; border: 1px solid %5; }"
             "QToolBar QToolButton:disabled { background: transparent; border: 1px solid "
             "transparent; }"
             "QToolBar QFrame[gsToolbarSeparator=\"true\"] { background: %7; border: none; }")
      .arg(Hex(t.top), Hex(t.bottom), Hex(t.border), Hex(t.hover), Hex(t.hoverBorder),
           Hex(t.pressed), Hex(t.separator));
}

}  // namespace

QString MenuBarStyleSheet(int look) {
  if (look == 0)
    return QStringLiteral(
        "QMenuBar { background: #f4f3ee; border-bottom: 1px solid #d6d3c8; }"
        "QMenuBar::item { padding: 3px 8px; background: transparent; color: #1b1b1b; }"
        "QMenuBar::item:selected { background: #c9d9f2; border: 1px solid #3d6fc4; padding: 2px "
        "7px; }"
        "QMenuBar::item:pressed { background: #f9f8f4; border: 1px solid #8c8a82; padding: 2px "
        "7px; }");
  return QStringLiteral(
      "QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #e6effa, stop:1 "
      "#bcd2ee);"
      " border-bottom: 1px solid #8aa8d6; }"
      "QMenuBar::item { padding: 3px 8px; background: transparent; color: #10213f; }"
      "QMenuBar::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 "
      "#fff4d6,"
      " stop:1 #ffd58c); border: 1px solid #1d3f7a; padding: 2px 7px; }"
      "QMenuBar::item:pressed { background: #dde8f7; border: 1px solid #1d3f7a; padding: 2px 7px; "
      "}");
}

QString MenuStyleSheet(int look) {
  if (look == 0)
    return QStringLiteral(
        "QMenu { background: #fcfcfa; border: 1px solid #8c8a82; padding: 2px; }"
        "QMenu::item { padding: 4px 26px 4px 8px; color: #1b1b1b; border: 1px solid transparent; }"
        "QMenu::item:selected { background: #c9d9f2; border: 1px solid #3d6fc4; }"
        "QMenu::item:disabled { color: #a3a199; }"
        "QMenu::icon { padding-left: 4px; }"
        "QMenu::icon:checked { background: #e3ebf8; border: 1px solid #3d6fc4; }"
        "QMenu::separator { height: 1px; background: #d6d3c8; margin: 3px 4px 3px 30px; }");
  return QStringLiteral(
      "QMenu { border: 1px solid #6f8fc0; padding: 2px;"
      " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #e6effa, stop:0.11 #b4cbec,"
      " stop:0.1101 #f7f9fc, stop:1 #f7f9fc); }"
      "QMenu::item { padding: 4px 26px 4px 8px; color: #10213f; border: 1px solid transparent; }"
      "QMenu::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4d6,"
      " stop:1 #ffd58c); border: 1px solid #1d3f7a; }"
      "QMenu::item:disabled { color: #8d97a8; }"
      "QMenu::icon { padding-left: 4px; }"
      "QMenu::icon:checked { background: #ffc86e; border: 1px solid #1d3f7a; }"
      "QMenu::separator { height: 1px; background: #9db5dc; margin: 3px 4px 3px 30px; }");
}

QColor ToolbarBackground(int theme, const QPalette& desktop) {
  static const char* const kBottoms[] = {"#a9c6ee", "#cfcfcf", "#b9d69b", "#ebe9e1", "#efcb4f"};
  if (theme >= 0 && theme < 5) return QColor(kBottoms[theme]);
  return desktop.color(QPalette::Window).darker(108);
}

QString ToolbarStyleSheet(int theme, const QPalette& desktop) {
  switch (theme) {
    case 0:  // blue
      return ToolbarSheet({QColor("#e3eefc"), QColor("#a9c6ee"), QColor("#6f93c9"),
                           QColor("#ffe7a8"), QColor("#1d3f7a"), QColor("#ffc264"),
                           QColor("#7f9fcf")});
    case 1:  // grey
      return ToolbarSheet({QColor("#f7f7f7"), QColor("#cfcfcf"), QColor("#9a9a9a"),
                           QColor("#e8e8e8"), QColor("#6b6b6b"), QColor("#bdbdbd"),
                           QColor("#9a9a9a")});
    case 2:  // green
      return ToolbarSheet({QColor("#eef6e4"), QColor("#b9d69b"), QColor("#7ea35a"),
                           QColor("#fff1b8"), QColor("#4b6b2a"), QColor("#f5cf74"),
                           QColor("#86a866")});
    case 3:  // flat light, framed highlight
      return ToolbarSheet({QColor("#f8f7f3"), QColor("#ebe9e1"), QColor("#c7c4b8"),
                           QColor("#c9d9f2"), QColor("#3d6fc4"), QColor("#98b5e6"),
                           QColor("#b3b0a4")});
    case 4:  // gold, black edges
      return ToolbarSheet({QColor("#fff6cc"), QColor("#efcb4f"), QColor("#3a3000"),
                           QColor("#fffdf4"), QColor("#1c1c1c"), QColor("#f7dc7e"),
                           QColor("#6b5600")});
    default: {  // the desktop's own colours
      const QColor base = desktop.color(QPalette::Window);
      const QColor light = desktop.color(QPalette::Highlight).lighter(170);
      return ToolbarSheet({base.lighter(106), base.darker(108), desktop.color(QPalette::Mid), light,
                           desktop.color(QPalette::Highlight), light.darker(112),
                           desktop.color(QPalette::Mid)});
    }
  }
}

}  // namespace gs
