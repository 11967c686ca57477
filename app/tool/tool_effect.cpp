// effect: one effect of the editor's "Effets" menu on whole icons, written as
// convert writes its output.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>

#include "app/tool/tool_common.h"
#include "document/numeric.h"
#include "effects/effect_kernels.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/palette_methods.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

const char* const kEffectHelp =
    "Usage: glyphsmith-tool effect IN OUT OPERATION [ARGS] [options]\n"
    "       glyphsmith-tool effect --out-dir DIR [--to ico|cur|bmp|pcx|png] OPERATION [ARGS]"
    " [options] -- IN...\n"
    "Operations (on the whole icon, as the editor's Effets menu does them):\n"
    "  invert                      invert colours; white and black end up white\n"
    "  replace RRGGBB RRGGBB       every pixel of the first colour becomes the second\n"
    "  pixelate N                  blocks of N x N taking their top-left pixel\n"
    "  zigzag [--highlight RRGGBB] checkerboard of the highlight colour (default 308CC6)\n"
    "  mirror h|v                  h: top and bottom swap; v: left and right swap\n"
    "  turn 90|180|270             clockwise quarter turn, half turn, counter-clockwise\n"
    "  rotate ANGLE [--fill RRGGBB]  free angle in degrees, clockwise (default fill FFFFFF)\n"
    "  duotone [RRGGBB]            keep the bits of the colour (default FF0000)\n"
    "  earthquake N [--wrap]       even rows slide right, odd rows left by N pixels\n"
    "  resample X Y WIDTH HEIGHT   redraw the icon, smoothed, into that rectangle\n"
    "  depth 1|4|8                 reduce to the standard colour table of that depth\n"
    "N, ANGLE and the resample numbers are read as the editor reads typed text: the\n"
    "leading number, rounded halves to even (\"7x\" is 7, \"2.5\" is 2). A value the editor\n"
    "would ignore (pixelate 0, rotate 0) leaves the picture as it is; earthquake N is\n"
    "taken as 0 below 0 and as 32 above 32.\n"
    "Options as for convert: --depth 1|4|8|24 (default 24), --palette none|high|extreme,\n"
    "--hotspot X,Y (.cur output). With --out-dir each IN gives DIR/<name>.<--to>, default ico.\n";

struct EffectOp {
  std::string name;
  std::vector<std::string> args;
  Color highlight = kDefaultHighlight;
  Color fill = kWhite;
  bool wrap = false;
};

struct EffectOptions {
  int depth = 24;
  PaletteMethod palette = PaletteMethod::None;
  bool hasHotspot = false;
  std::int16_t hotspotX = 0, hotspotY = 0;
  std::string outDir;
  std::string to = "ico";
  std::vector<std::string> positional;  // before "--"
  std::vector<std::string> inputs;      // after "--"
  bool sawDashDash = false;
  EffectOp op;
};

bool IsOutputFormat(const std::string& ext) {
  return ext == "ico" || ext == "cur" || ext == "bmp" || ext == "pcx" || ext == "png";
}

bool ParseSmallInt(const std::string& s, int from, int to, int& v) {
  if (s.empty() || s.size() > 3) return false;
  v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  return v >= from && v <= to;
}

// RRGGBB in hexadecimal, with or without a leading '#'.
std::optional<Color> ParseColor(std::string s) {
  if (!s.empty() && s[0] == '#') s.erase(0, 1);
  if (s.size() != 6) return std::nullopt;
  unsigned v = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return std::nullopt;
    v = v * 16 + static_cast<unsigned>(d);
  }
  return RGB(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
}

// Only words beginning "--" are options, so negative numbers ("rotate -45",
// "resample 31 0 -32 32") stay arguments.
int ParseArgs(const std::vector<std::string>& args, EffectOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (o.sawDashDash) {
      o.inputs.push_back(a);
      continue;
    }
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--") {
      o.sawDashDash = true;
    } else if (a == "--depth") {
      if (!value(v) || !ParseSmallInt(v, 1, 24, o.depth) || !IsSupportedDepth(o.depth))
        return Usage("--depth takes 1, 4, 8 or 24");
    } else if (a == "--palette") {
      if (!value(v)) return Usage("--palette takes none, high or extreme");
      if (v == "none") o.palette = PaletteMethod::None;
      else if (v == "high") o.palette = PaletteMethod::High;
      else if (v == "extreme") o.palette = PaletteMethod::Extreme;
      else return Usage("--palette takes none, high or extreme");
    } else if (a == "--hotspot") {
      const auto comma = value(v) ? v.find(',') : std::string::npos;
      int x = 0, y = 0;
      if (comma == std::string::npos || !ParseSmallInt(v.substr(0, comma), 0, 31, x) ||
          !ParseSmallInt(v.substr(comma + 1), 0, 31, y))
        return Usage("--hotspot takes X,Y with each from 0 to 31");
      o.hasHotspot = true;
      o.hotspotX = static_cast<std::int16_t>(x);
      o.hotspotY = static_cast<std::int16_t>(y);
    } else if (a == "--out-dir") {
      if (!value(o.outDir) || o.outDir.empty()) return Usage("--out-dir takes a folder");
    } else if (a == "--to") {
      if (!value(o.to) || !IsOutputFormat(o.to)) return Usage("--to takes ico, cur, bmp, pcx or png");
    } else if (a == "--highlight" || a == "--fill") {
      std::optional<Color> c = value(v) ? ParseColor(v) : std::nullopt;
      if (!c) return Usage(a + " takes a colour RRGGBB");
      (a == "--fill" ? o.op.fill : o.op.highlight) = *c;
    } else if (a == "--wrap") {
      o.op.wrap = true;
    } else if (a.rfind("--", 0) == 0) {
      return Usage("unknown option '" + a + "'");
    } else {
      o.positional.push_back(a);
    }
  }
  return 0;
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

// Checks the operation's words; 0 when sound, else the usage exit (message printed).
int CheckOp(const EffectOp& op) {
  const OpShape* shape = nullptr;
  for (const OpShape& s : kOps)
    if (op.name == s.name) shape = &s;
  if (!shape) return Usage("unknown effect operation '" + op.name + "'");
  if (op.args.size() < shape->minArgs || op.args.size() > shape->maxArgs) return Usage(shape->usage);
  const auto& a = op.args;
  if (op.name == "replace" && (!ParseColor(a[0]) || !ParseColor(a[1]))) return Usage(shape->usage);
  if (op.name == "duotone" && !a.empty() && !ParseColor(a[0])) return Usage(shape->usage);
  if (op.name == "mirror" && a[0] != "h" && a[0] != "v") return Usage(shape->usage);
  if (op.name == "turn" && a[0] != "90" && a[0] != "180" && a[0] != "270") return Usage(shape->usage);
  if (op.name == "depth" && a[0] != "1" && a[0] != "4" && a[0] != "8") return Usage(shape->usage);
  if (op.wrap && op.name != "earthquake") return Usage("--wrap applies to earthquake only");
  return 0;
}

// The same kernels as the editor's menu and windows, on the whole icon.
void ApplyEffect(const EffectOp& op, Surface& s) {
  const auto& a = op.args;
  const Rect whole{0, 0, kIconSize, kIconSize};
  if (op.name == "invert") {
    InvertColors(s, whole);
  } else if (op.name == "replace") {
    ReplaceColor(s, whole, *ParseColor(a[0]), *ParseColor(a[1]));
  } else if (op.name == "pixelate") {
    if (std::optional<int> n = PixelateBlockSize(a[0])) PixelateRect(s, kIconSize, kIconSize, *n, s);
  } else if (op.name == "zigzag") {
    ZigzagRect(s, 0, 0, kIconSize, kIconSize, true, kWhite, op.highlight);
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

std::vector<std::uint8_t> BuildOutput(const std::string& format, Surface& pixels,
                                      const EffectOptions& o) {
  if (format == "ico") return BuildIconBytes(pixels, o.depth, o.palette);
  if (format == "cur") {
    std::vector<std::uint8_t> b = BuildIconBytes(pixels, o.depth, o.palette);
    MarkAsCursor(b, o.hotspotX, o.hotspotY);
    return b;
  }
  if (format == "bmp") return BuildBitmapBytes(pixels, o.depth);
  if (format == "pcx") return BuildPcxBytes(pixels, o.depth);
  if (o.depth != 24) ConvertDocumentToDepth(pixels, o.depth);
  return BuildPngBytes(pixels);
}

std::string StemOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

int EffectOne(EffectOptions& o) {
  if (o.positional.size() < 3) return Usage("effect takes IN OUT OPERATION [ARGS]");
  const std::string in = o.positional[0], out = o.positional[1];
  o.op.name = o.positional[2];
  o.op.args.assign(o.positional.begin() + 3, o.positional.end());
  if (int rc = CheckOp(o.op); rc != 0) return rc;
  const std::string format = ExtensionOf(out);
  if (!IsOutputFormat(format)) return Usage("OUT must end in .ico, .cur, .bmp, .pcx or .png");
  if (o.hasHotspot && format != "cur") return Usage("--hotspot applies to .cur output only");
  Surface pixels;
  std::string error;
  if (!LoadInput(in, pixels, error)) return Fail(error);
  ApplyEffect(o.op, pixels);
  const std::vector<std::uint8_t> bytes = BuildOutput(format, pixels, o);
  if (bytes.empty()) return Fail(out + ": could not encode");
  if (WriteStatus st = WriteFileSafely(out, bytes); !st) return Fail(st.error);
  return kExitOk;
}

int EffectMany(EffectOptions& o) {
  if (o.positional.empty()) return Usage("effect --out-dir takes OPERATION [ARGS] -- IN...");
  o.op.name = o.positional[0];
  o.op.args.assign(o.positional.begin() + 1, o.positional.end());
  if (int rc = CheckOp(o.op); rc != 0) return rc;
  if (o.inputs.empty()) return Usage("effect --out-dir needs input files after --");
  if (o.hasHotspot && o.to != "cur") return Usage("--hotspot applies to .cur output only");
  struct stat st {};
  if (::stat(o.outDir.c_str(), &st) != 0) return Fail(o.outDir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return Fail(o.outDir + ": not a folder");
  std::set<std::string> outputs;
  SafeWriteBatch batch;
  std::vector<std::string> committedErrors;
  bool failed = false;
  Surface pixels;
  std::string error;
  for (const std::string& in : o.inputs) {
    const std::string out = o.outDir + "/" + StemOf(in) + "." + o.to;
    if (!outputs.insert(out).second) {
      Fail(in + ": same output name as an earlier input (" + out + ")");
      failed = true;
    } else if (!LoadInput(in, pixels, error)) {
      Fail(error);
      failed = true;
    } else {
      ApplyEffect(o.op, pixels);
      if (WriteStatus ws = batch.Add(out, BuildOutput(o.to, pixels, o), &committedErrors); !ws) {
        Fail(ws.error);
        failed = true;
      }
    }
    for (const std::string& e : committedErrors) Fail(e), failed = true;
    committedErrors.clear();
  }
  for (const std::string& e : batch.Commit()) Fail(e), failed = true;
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

int RunEffect(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") break;
    if (a == "--help" || a == "-h") {
      std::fputs(kEffectHelp, stdout);
      return kExitOk;
    }
  }
  EffectOptions o;
  if (int rc = ParseArgs(args, o); rc != 0) return rc;
  if (o.outDir.empty()) {
    if (o.sawDashDash) return Usage("'--' is for effect --out-dir DIR OPERATION -- IN...");
    return EffectOne(o);
  }
  return EffectMany(o);
}

}  // namespace gs::tool
