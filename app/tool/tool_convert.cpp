// convert: an .ico/.cur into any format the editor writes, one file or many.
#include <algorithm>
#include <iterator>
#include <optional>

#include "app/tool/tool_batch.h"
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "app/tool/tool_output.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/kept_images.h"
#include "files/palette_methods.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
#include "platform/text_util.h"

namespace gs::tool {

bool IsOutputFormat(std::string_view ext) {
  return std::find(std::begin(kFormatChoices), std::end(kFormatChoices), ext) !=
         std::end(kFormatChoices);
}

namespace {

// What each of kPaletteChoices means.
constexpr PaletteMethod kPaletteMethods[] = {PaletteMethod::None, PaletteMethod::High,
                                             PaletteMethod::Extreme};
static_assert(std::size(kPaletteMethods) == std::size(kPaletteChoices));

int ChoiceIndex(std::span<const std::string_view> choices, std::string_view v) {
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i] == v) return static_cast<int>(i);
  return -1;
}

}  // namespace

int ReadOptions(const Invocation& call, ConvertOptions& o) {
  if (auto v = call.Value("--depth")) {
    unsigned long long n = 0;
    if (ChoiceIndex(kDepthChoices, *v) < 0 || !ParseWholeNumber(*v, 1, 32, n) ||
        !IsSupportedDepth(static_cast<int>(n)))
      return Usage("--depth takes " + ChoiceList(kDepthChoices));
    o.depth = static_cast<int>(n);
  }
  if (auto v = call.Value("--palette")) {
    const int k = ChoiceIndex(kPaletteChoices, *v);
    if (k < 0) return Usage("--palette takes " + ChoiceList(kPaletteChoices));
    o.palette = kPaletteMethods[k];
  }
  if (auto v = call.Value("--hotspot")) {
    const auto comma = v->find(',');
    unsigned long long x = 0, y = 0;
    if (comma == std::string_view::npos || !ParseWholeNumber(v->substr(0, comma), 0, 31, x) ||
        !ParseWholeNumber(v->substr(comma + 1), 0, 31, y))
      return Usage("--hotspot takes X,Y with each from 0 to 31");
    o.hasHotspot = true;
    o.hotspotX = static_cast<int>(x);
    o.hotspotY = static_cast<int>(y);
  }
  if (auto v = call.Value("--to")) {
    if (!IsOutputFormat(*v)) return Usage("--to takes " + ChoiceList(kFormatChoices));
    o.to = std::string(*v);
  }
  o.singleImage = call.Has("--single-image");
  return -1;
}

// Checks what the options mean for this format: a usage error, a warning, or nothing.
int CheckForFormat(const Invocation& call, const ConvertOptions& o, const std::string& format) {
  if (o.hasHotspot && format != "cur") return Usage("--hotspot applies to .cur output only");
  if (call.Has("--palette") && (o.depth != 8 || (format != "ico" && format != "cur")))
    Warn("--palette does nothing here: it chooses the colour table of 8-bit .ico and .cur files");
  return -1;
}

int ChooseOutputFormat(const Invocation& call, const ConvertOptions& o, std::string_view command,
                       const std::string& out, std::string& format) {
  format = out == "-" ? o.to : ExtensionOf(out);
  if (out == "-" && format.empty())
    return Usage(std::string(command) + " to standard output needs --to FORMAT");
  if (!IsOutputFormat(format)) return Usage("OUT must end in " + ChoiceList(kFormatChoices, "."));
  if (!o.to.empty() && o.to != format)
    return Usage("OUT ends in ." + format + " but --to says " + o.to);
  return CheckForFormat(call, o, format);
}

// The bytes of one output file, built the way the editor's save and export build them.
namespace {

// An .ico written from an icon, or a .cur from a cursor, of several images
// keeps the others (an icon's images have no hotspots to give a cursor).
bool KeepsOthers(const std::string& format, const LoadedIcon& icon, const ConvertOptions& o) {
  return !o.singleImage && (icon.sourceFile || !icon.othersNotKept.empty()) &&
         (format == (icon.cursor ? "cur" : "ico"));
}

}  // namespace

std::string KeptImagesProblem(const std::string& format, const LoadedIcon& icon,
                              const ConvertOptions& o) {
  if (!KeepsOthers(format, icon, o) || icon.sourceFile) return "";
  return "its other images cannot be kept (" + icon.othersNotKept +
         "); --single-image writes the image read alone";
}

std::vector<std::uint8_t> BuildOutput(const std::string& format, LoadedIcon& icon,
                                      const ConvertOptions& o) {
  Surface& pixels = icon.pixels;
  if (KeepsOthers(format, icon, o)) {
    // The picture takes the place of the image it was read from, as Save as
    // does; a cursor keeps that image's hotspot unless one is given.
    std::optional<CursorHotspot> hotspot;
    if (o.hasHotspot)
      hotspot = CursorHotspot{o.hotspotX, o.hotspotY};
    else if (icon.hotspotMoved)
      hotspot = CursorHotspot{icon.hotspotX, icon.hotspotY};
    MergedFile merged;
    if (!icon.sourceFile ||
        !MergeEditedImage(*icon.sourceFile, icon.sourceEntry,
                          BuildIconBytes(pixels, o.depth, o.palette), hotspot, merged))
      return {};
    // Written all the same, as asked; the editor would have asked first.
    if (!merged.shownOnOpen)
      Warn("a deeper 32 x 32 image of the file opens before the one written at " +
           std::to_string(o.depth) + " bits");
    return std::move(merged.bytes);
  }
  if (format == "ico") return BuildIconBytes(pixels, o.depth, o.palette);
  if (format == "cur") {
    std::vector<std::uint8_t> b = BuildIconBytes(pixels, o.depth, o.palette);
    const int x = o.hasHotspot ? o.hotspotX : icon.hotspotX;
    const int y = o.hasHotspot ? o.hotspotY : icon.hotspotY;
    MarkAsCursor(b, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    return b;
  }
  if (format == "bmp") return BuildBitmapBytes(pixels, o.depth);
  if (format == "pcx") return BuildPcxBytes(pixels, o.depth);
  // PNG keeps full colour; a lower depth first reduces the colours as the editor's command does.
  if (o.depth != 24) ConvertDocumentToDepth(pixels, o.depth);
  return BuildPngBytes(pixels);
}

std::string EncodeFailure(const std::string& format) {
  return format == "png" ? PngEncodeFailure() : "could not encode";
}

namespace {

int ConvertOne(const Invocation& call, const ConvertOptions& o) {
  if (call.operands().size() != 2)
    return Usage("convert takes IN and OUT (or --out-dir DIR IN...)");
  const std::string in(call.operands()[0]);
  const std::string out(call.operands()[1]);
  std::string format;
  if (int rc = ChooseOutputFormat(call, o, "convert", out, format); rc >= 0) return rc;
  LoadedIcon icon;
  std::string error;
  if (!LoadInput(in, icon, error)) return Fail(error);
  if (const std::string why = KeptImagesProblem(format, icon, o); !why.empty())
    return Fail(NameOf(in) + ": " + why);
  const std::vector<std::uint8_t> bytes = BuildOutput(format, icon, o);
  if (bytes.empty()) return Fail(out + ": " + EncodeFailure(format));
  if (!WriteOutput(out, bytes, error)) return Fail(error);
  return kExitOk;
}

int RunConvert(const Invocation& call) {
  ConvertOptions o;
  if (int rc = ReadOptions(call, o); rc >= 0) return rc;
  if (!call.IsBatch()) return ConvertOne(call, o);
  const std::string format = o.to.empty() ? std::string(call.command().defaultFormat) : o.to;
  if (int rc = CheckForFormat(call, o, format); rc >= 0) return rc;
  LoadedIcon icon;
  return RunBatch(call, format,
                  [&](const BatchItem& item, std::vector<std::uint8_t>& out, std::string& error) {
                    if (!DecodeInput(item.path, item.bytes, icon, error)) return false;
                    if (std::string why = KeptImagesProblem(format, icon, o); !why.empty()) {
                      error = item.path + ": " + why;
                      return false;
                    }
                    out = BuildOutput(format, icon, o);
                    if (out.empty()) error = item.path + ": " + EncodeFailure(format);
                    return !out.empty();
                  });
}

}  // namespace

extern const CommandSpec kConvertCommand{
    .name = "convert",
    .synopsis = "IN OUT [OPTIONS]\n--out-dir DIR [--to FORMAT] [OPTIONS] IN...",
    .summary = "an .ico/.cur into .ico, .cur, .bmp, .pcx or .png, one file or many",
    .description =
        "Reads IN as the editor opens it and writes OUT the way the editor saves\n"
        "and exports; the format of OUT comes from its extension. IN may be - for\n"
        "standard input, OUT - for standard output (then --to names the format).\n"
        "An .ico (.cur) written from an icon (cursor) of several images keeps the\n"
        "others, the picture in place of the image read, as the editor's Save as\n"
        "does; --single-image writes it alone. With --out-dir many files are\n"
        "converted in one call.",
    .options = {},
    .batch = true,
    .defaultFormat = "bmp",
    .keepsOtherImages = true,
    .run = RunConvert,
};

}  // namespace gs::tool
