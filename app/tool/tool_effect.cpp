// effect: one effect of the editor's "Effets" menu on whole icons, written as
// convert writes its output.
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

#include "app/tool/tool_batch.h"
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "app/tool/tool_output.h"
#include "effects/effect_kernels.h"
#include "files/depth.h"

namespace gs::tool {

namespace {

constexpr OptionSpec kEffectOptions[] = {
    {"--highlight", "RRGGBB", "zigzag: the highlight colour (default 308CC6)"},
    {"--fill", "RRGGBB", "rotate: the colour where no pixel lands (default\nFFFFFF, transparent)"},
    {"--wrap", "", "earthquake: pixels pushed out re-enter on the other side"},
};

struct EffectOp {
  std::string name;
  std::vector<std::string> args;
  Color highlight = kDefaultHighlight;
  Color fill = kWhite;
  bool wrap = false;
};

// RRGGBB in hexadecimal, with or without a leading '#'.
std::optional<Color> ParseColor(std::string_view s) {
  if (!s.empty() && s[0] == '#') s.remove_prefix(1);
  if (s.size() != 6) return std::nullopt;
  unsigned v = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    v = v * 16 + static_cast<unsigned>(d);
  }
  return RGB(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF),
             static_cast<int>(v & 0xFF));
}

struct OpShape {
  const char* name;
  std::size_t minArgs, maxArgs;
  const char* usage;
};
constexpr OpShape kOps[] = {
    {"invert", 0, 0, "invert takes no argument"},
    {"replace", 2, 2, "replace takes two colours RRGGBB RRGGBB"},
    {"pixelate", 1, 1, "pixelate takes N"},
    {"zigzag", 0, 0, "zigzag takes no argument (--highlight RRGGBB)"},
    {"mirror", 1, 1, "mirror takes h or v"},
    {"turn", 1, 1, "turn takes 90, 180 or 270"},
    {"rotate", 1, 1, "rotate takes ANGLE"},
    {"duotone", 0, 1, "duotone takes at most one colour RRGGBB"},
    {"earthquake", 1, 1, "earthquake takes N"},
    {"resample", 4, 4, "resample takes X Y WIDTH HEIGHT"},
    {"depth", 1, 1, "depth takes 1, 4 or 8"},
};

// The operations' names, for completion.
constexpr auto kOpNames = [] {
  std::array<std::string_view, std::size(kOps)> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kOps[i].name;
  return names;
}();

const OpShape* FindOp(std::string_view name) {
  for (const OpShape& s : kOps)
    if (name == s.name) return &s;
  return nullptr;
}

// Takes the operation and its arguments from words[first...]; returns how many
// words it used, or -1 (usage message printed) for an unknown operation. With
// `rest` (batch mode) the words after the arguments are inputs, so an optional
// argument is taken only when it fits (a colour for duotone).
int TakeOp(const std::vector<std::string_view>& words, std::size_t first, bool rest, EffectOp& op) {
  if (first >= words.size()) {
    Usage("effect needs an OPERATION (see effect --help)");
    return -1;
  }
  op.name = std::string(words[first]);
  const OpShape* shape = FindOp(op.name);
  if (!shape) {
    Usage("unknown effect operation '" + op.name + "'");
    return -1;
  }
  std::size_t n = words.size() - first - 1;
  if (rest) {
    n = std::min(n, shape->maxArgs);
    if (op.name == "duotone" && n == 1 && !ParseColor(words[first + 1])) n = 0;
  }
  for (std::size_t i = 0; i < n; ++i) op.args.emplace_back(words[first + 1 + i]);
  return static_cast<int>(n + 1);
}

// Checks the operation's words; -1 when sound, else the usage exit (message printed).
int CheckOp(const EffectOp& op, const Invocation& call) {
  const OpShape& shape = *FindOp(op.name);
  if (op.args.size() < shape.minArgs || op.args.size() > shape.maxArgs) return Usage(shape.usage);
  const auto& a = op.args;
  if (op.name == "replace" && (!ParseColor(a[0]) || !ParseColor(a[1]))) return Usage(shape.usage);
  if (op.name == "duotone" && !a.empty() && !ParseColor(a[0])) return Usage(shape.usage);
  if (op.name == "mirror" && a[0] != "h" && a[0] != "v") return Usage(shape.usage);
  if (op.name == "turn" && a[0] != "90" && a[0] != "180" && a[0] != "270")
    return Usage(shape.usage);
  if (op.name == "depth" && a[0] != "1" && a[0] != "4" && a[0] != "8") return Usage(shape.usage);
  if (call.Has("--wrap") && op.name != "earthquake")
    return Usage("--wrap applies to earthquake only");
  if (call.Has("--highlight") && op.name != "zigzag")
    return Usage("--highlight applies to zigzag only");
  if (call.Has("--fill") && op.name != "rotate") return Usage("--fill applies to rotate only");
  return -1;
}

int ReadEffectOptions(const Invocation& call, EffectOp& op, ConvertOptions& o) {
  for (auto [name, colour] :
       {std::pair{"--highlight", &op.highlight}, std::pair{"--fill", &op.fill}}) {
    if (auto v = call.Value(name)) {
      const std::optional<Color> c = ParseColor(*v);
      if (!c) return Usage(std::string(name) + " takes a colour RRGGBB");
      *colour = *c;
    }
  }
  op.wrap = call.Has("--wrap");
  // The output options are those of convert, read by the same code.
  return tool::ReadOptions(call, o);
}

// A cursor's hotspot goes with the picture under a mirror or a turn: the
// point it names stays the point it names.
void MoveHotspot(const EffectOp& op, LoadedIcon& icon) {
  if (!icon.cursor) return;
  const auto& a = op.args;
  const int x = icon.hotspotX, y = icon.hotspotY, last = kIconSize - 1;
  Point to{x, y};
  if (op.name == "mirror") {
    to = a[0] == "h" ? Point{x, last - y} : Point{last - x, y};
  } else if (op.name == "turn") {
    to = a[0] == "90"    ? Point{last - y, x}
         : a[0] == "180" ? Point{last - x, last - y}
                         : Point{y, last - x};
  } else if (op.name == "rotate") {
    if (std::optional<double> angle = RotationAngle(a[0])) to = RotatedCell(x, y, *angle);
  }
  icon.hotspotX = std::clamp(to.x, 0, last);
  icon.hotspotY = std::clamp(to.y, 0, last);
  icon.hotspotMoved = op.name == "mirror" || op.name == "turn" || op.name == "rotate";
}

// The same kernels as the editor's menu and windows, on the whole icon.
void ApplyEffect(const EffectOp& op, LoadedIcon& icon) {
  MoveHotspot(op, icon);
  Surface& s = icon.pixels;
  const auto& a = op.args;
  const Rect whole{0, 0, kIconSize, kIconSize};
  if (op.name == "invert") {
    InvertColors(s, whole);
  } else if (op.name == "replace") {
    ReplaceColor(s, whole, *ParseColor(a[0]), *ParseColor(a[1]));
  } else if (op.name == "pixelate") {
    if (std::optional<int> n = PixelateBlockSize(a[0]))
      PixelateRect(s, Area{0, 0, kIconSize, kIconSize}, *n, s);
  } else if (op.name == "zigzag") {
    ZigzagRect(s, Area{0, 0, kIconSize, kIconSize}, true, kWhite, op.highlight);
  } else if (op.name == "mirror") {
    Mirror(s, a[0] == "h" ? MirrorAxis::Horizontal : MirrorAxis::Vertical);
  } else if (op.name == "turn") {
    RotateQuarter(s, a[0] == "90" ? 90 : a[0] == "180" ? 180 : 270);
  } else if (op.name == "rotate") {
    if (std::optional<double> angle = RotationAngle(a[0])) RotateByAngle(s, *angle, op.fill);
  } else if (op.name == "duotone") {
    s = DuoTonePreview(s, Selection{}, a.empty() ? kDuoToneRed : *ParseColor(a[0]));
  } else if (op.name == "earthquake") {
    s = EarthQuakePreview(s, Selection{}, EarthQuakeShift(a[0], kIconSize), op.wrap);
  } else if (op.name == "resample") {
    s = ResampleIcon(s, Selection{}, ResampleBoxFromTexts(a[0], a[1], a[2], a[3]));
  } else if (op.name == "depth") {
    ConvertDocumentToDepth(s, a[0] == "1" ? 1 : a[0] == "4" ? 4 : 8);
  }
}

int EffectOne(const Invocation& call, EffectOp& op, const ConvertOptions& o) {
  const auto& words = call.operands();
  if (words.size() < 3)
    return Usage("effect takes IN OUT OPERATION [ARGS] (or --out-dir DIR OPERATION [ARGS] IN...)");
  if (TakeOp(words, 2, false, op) < 0) return kExitUsage;
  if (int rc = CheckOp(op, call); rc >= 0) return rc;
  const std::string in(words[0]), out(words[1]);
  std::string format;
  if (int rc = ChooseOutputFormat(call, o, "effect", out, format); rc >= 0) return rc;
  LoadedIcon icon;
  std::string error;
  if (!LoadInput(in, icon, error)) return Fail(error);
  if (const std::string why = KeptImagesProblem(format, icon, o); !why.empty())
    return Fail(NameOf(in) + ": " + why);
  ApplyEffect(op, icon);
  const std::vector<std::uint8_t> bytes = BuildOutput(format, icon, o);
  if (bytes.empty()) return Fail(out + ": " + EncodeFailure(format));
  if (!WriteOutput(out, bytes, error)) return Fail(error);
  return kExitOk;
}

int RunEffect(const Invocation& call) {
  EffectOp op;
  ConvertOptions o;
  if (int rc = ReadEffectOptions(call, op, o); rc >= 0) return rc;
  if (!call.IsBatch()) return EffectOne(call, op, o);
  // Batch: OPERATION [ARGS] IN...; the inputs may also come from --files-from.
  const int used = TakeOp(call.operands(), 0, true, op);
  if (used < 0) return kExitUsage;
  if (int rc = CheckOp(op, call); rc >= 0) return rc;
  const std::string format = o.to.empty() ? std::string(call.command().defaultFormat) : o.to;
  if (int rc = CheckForFormat(call, o, format); rc >= 0) return rc;
  LoadedIcon icon;
  return RunBatch(
      call, format,
      [&](const BatchItem& item, std::vector<std::uint8_t>& out, std::string& error) {
        if (!DecodeInput(item.path, item.bytes, icon, error)) return false;
        if (std::string why = KeptImagesProblem(format, icon, o); !why.empty()) {
          error = item.path + ": " + why;
          return false;
        }
        ApplyEffect(op, icon);
        out = BuildOutput(format, icon, o);
        if (out.empty()) error = item.path + ": " + EncodeFailure(format);
        return !out.empty();
      },
      static_cast<std::size_t>(used));
}

}  // namespace

extern const CommandSpec kEffectCommand{
    .name = "effect",
    .synopsis = "IN OUT OPERATION [ARGS] [OPTIONS]\n--out-dir DIR [OPTIONS] OPERATION [ARGS] IN...",
    .summary = "an effect of the Effets menu on whole icons, one file or many",
    .description =
        "Operations, on the whole icon as the editor's menu does them:\n"
        "  invert                  invert colours; white and black end up white\n"
        "  replace RRGGBB RRGGBB   every pixel of the first colour becomes the second\n"
        "  pixelate N              blocks of N x N taking their top-left pixel\n"
        "  zigzag                  checkerboard of the highlight colour (--highlight)\n"
        "  mirror h|v              h: top and bottom swap; v: left and right swap\n"
        "  turn 90|180|270         clockwise quarter turn, half turn, counter-clockwise\n"
        "  rotate ANGLE            free angle in degrees, clockwise (--fill)\n"
        "  duotone [RRGGBB]        keep the bits of the colour (default FF0000)\n"
        "  earthquake N            even rows slide right, odd rows left (--wrap)\n"
        "  resample X Y WIDTH HEIGHT  redraw the icon, smoothed, into that rectangle\n"
        "  depth 1|4|8             reduce to the standard colour table of that depth\n"
        "N, ANGLE and the resample numbers are read as the editor reads typed text:\n"
        "the leading number, rounded halves to even (\"7x\" is 7, \"2.5\" is 2); negative\n"
        "numbers may be written as they are. A value the editor would ignore\n"
        "(pixelate 0, rotate 0) leaves the picture as it is; earthquake N counts as\n"
        "0 below 0 and as 32 above 32. OUT is written as convert writes it (the\n"
        "other images of IN kept, unless --single-image).",
    .options = kEffectOptions,
    .batch = true,
    .defaultFormat = "ico",
    .keepsOtherImages = true,
    .words = kOpNames,
    .run = RunEffect,
};

}  // namespace gs::tool
