#pragma once
// The current tool, the option values the drawing engine reads, and the
// click rules of the five option panels. Everything here is plain data and
// pure functions, so the panels' windows only draw and forward clicks.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "document/surface.h"

namespace gs {

enum ToolIndex : int {
  kToolSelect = 0,
  kToolEraser = 1,
  kToolFill = 2,
  kToolPicker = 3,
  kToolPencil = 4,
  kToolBrush = 5,
  kToolSpray = 6,
  kToolText = 7,
  kToolLine = 8,
  kToolRectangle = 9,
  kToolEllipse = 10,
  kToolRoundRect = 11,
};
inline constexpr int kToolCount = 12;

// Mouse buttons as the canvas handlers see them; a bit set when several are held.
enum MouseButton : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

enum class OptionPanel { None, Tool1, Tool5, Tool6, Tool8, Tool9 };

// The pointer shown over an existing selection.
inline constexpr int kMovePointerImage = 7;
inline constexpr int kPointerImageCount = 8;

struct ToolInfo {
  std::string_view caption;  // MnuTool entry
  OptionPanel panel;
  int pointerImage;
};

const ToolInfo& GetToolInfo(int tool);  // tool outside 0..11 gives the selection tool's entry
Point PointerHotspot(int image);        // hotspot of pointer image 0..7

struct ToolOptions {
  std::int32_t currentTool = kToolSelect;
  std::uint8_t eraserSize = 0;  // 0..3
  std::uint8_t brushShape = 0;  // 0..11
  std::uint8_t spraySize = 0;   // 0..2
  std::uint8_t lineWidth = 0;   // 0..4
  // Fill style of the rectangle, ellipse and rounded rectangle, each kept apart.
  std::array<std::uint8_t, 3> fillStyle{0, 0, 0};

  static bool HasFillStyle(int tool) { return tool >= kToolRectangle && tool <= kToolRoundRect; }
  // The fill style of `tool`, 0 for tools without one.
  int FillStyleOf(int tool) const;

  int EraserSide() const { return (eraserSize + 2) * 2; }  // 4, 6, 8, 10
  int SprayDiameter() const { return 8 * spraySize + 9; }  // 9, 17, 25
  int LinePenWidth() const { return lineWidth + 1; }       // 1..5
};

// A cell of an option panel, in panel pixels (fractions allowed: the panel
// size need not divide evenly).
struct CellF {
  double left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const CellF&, const CellF&) = default;
};

// Which value a click at (x, y) on a panel of inner size w x h chooses, or
// nothing when the panel ignores the click (wrong button, empty panel).
// Results are kept inside each option's range.
std::optional<int> PanelChoice(OptionPanel panel, double x, double y, double w, double h,
                               int button);

// Applies a click to the options: stores the value the panel chose. On
// `picTool9` the value is kept only while a fill-style tool is current.
// Returns true when a click was taken (the panel is then marked again).
bool ApplyPanelClick(ToolOptions& options, OptionPanel panel, double x, double y, double w,
                     double h, int button);

// The value a panel shows marked, from the stored options.
int PanelValue(const ToolOptions& options, OptionPanel panel);

// The cell marked for `value`.
CellF PanelCell(OptionPanel panel, int value, double w, double h);

// How many choices a panel offers (its rows x columns).
int PanelChoiceCount(OptionPanel panel);

}  // namespace gs
