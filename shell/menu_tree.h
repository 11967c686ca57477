#pragma once
// The facts of the main window's menus and toolbar, in one place: every
// entry's name, index, caption, shortcut and first state; the pictures
// beside entries; the toolbar's 19 slots. The window applies them, and the
// tests walk the window against them.
#include <optional>
#include <span>
#include <string>

#include "tools/tool_table.h"

namespace gs {

// The pictures we draw (shell/qt_command_art.h draws them).
enum class CommandArt {
  New,
  Open,
  Save,
  SaveAs,
  Print,
  Undo,
  Cut,
  Copy,
  Paste,
  ZoomIn,
  ZoomOut,
  ImportPicture,
  ExtractIcons,
  WebPage,
  Help,
};

inline constexpr int kNoIndex = -1;

struct MenuRow {
  int level;  // 1 for the menu bar's menus
  const char* name;
  int index;                       // kNoIndex outside indexed groups
  const char* caption;             // built-in French; "-" is a separator
  const char* shortcut = nullptr;  // as Qt's portable text, "Ctrl+N"
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
  bool submenu = false;
  const char* altShortcut = nullptr;  // a second key for the same entry
};

// Depth-first, in the order the menus show them.
std::span<const MenuRow> MenuTree();

// The picture beside an entry: a command picture or a tool's.
struct MenuPicture {
  const char* key;  // "#mnuFile:0", "#zooAv"
  std::optional<CommandArt> art;
  std::optional<ToolIndex> tool;  // MnuTool pictures
};
std::span<const MenuPicture> MenuPictures();  // the 23 keys, in order

// "#" + name, then ":" + index for a group member.
std::string MenuPictureKey(const std::string& name, int index);

struct ToolbarSlot {
  int number;  // 1-19
  int x;       // left edge in the toolbar
  bool separator;
  const char* menuName = nullptr;  // the entry whose handler the button runs
  int menuIndex = kNoIndex;
  std::optional<CommandArt> art;
};
inline constexpr int kToolbarButtonSide = 24;
// Pictures are drawn at the size they are shown, inside the button's frame.
inline constexpr int kToolbarPictureSide = kToolbarButtonSide - 4;
inline constexpr int kToolbarButtonTop = 2;
inline constexpr int kToolbarSeparatorWidth = 2;
inline constexpr int kToolbarSeparatorHeight = 20;
inline constexpr int kToolbarSeparatorTop = 4;
inline constexpr int kToolbarHeight = 28;
std::span<const ToolbarSlot> ToolbarSlots();
// The slot of that number, or nothing outside 1-19.
const ToolbarSlot* FindToolbarSlot(int number);

// The appearance choices: menu look 0 or 1 (1 at start), toolbar theme 0-5
// (0 at start). Not stored between runs.
inline constexpr int kMenuLookCount = 2;
inline constexpr int kInitialMenuLook = 1;
inline constexpr int kToolbarThemeCount = 6;
inline constexpr int kInitialToolbarTheme = 0;
inline constexpr int kAutomaticTheme = 5;

// An entry's caption as a name for screen readers: without mnemonics, the
// trailing dots and surrounding blanks.
std::string SpokenCaption(const std::string& caption);

}  // namespace gs
