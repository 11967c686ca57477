// import: a region of a picture (BMP, DIB, PNG, JPEG, GIF) as a 32 x 32 icon,
// scaled as the editor's import window scales it; one picture or many.
#include "app/tool/tool_batch.h"
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
#include "import/picture_import.h"

namespace gs::tool {

namespace {

constexpr OptionSpec kImportOptions[] = {
    {"--region", "X1,Y1,X2,Y2",
     "the corners of the region in picture pixels, right\n"
     "and bottom excluded, in any order (default the\n"
     "whole picture); beyond the picture its edge repeats"},
    {"--depth", "N", "bits per pixel: 1, 4, 8 or 24 (default 24)"},
    {"--to", "FORMAT",
     "ico, cur, bmp, pcx or png: the format of OUT when\n"
     "it is -, and of every output in batch mode\n"
     "(default ico)"},
};

struct ImportOptions {
  bool hasRegion = false;
  ImportRegion region;
  int depth = 24;
  std::string to;
};

bool IsImportOutput(std::string_view ext) {
  return ext == "ico" || ext == "cur" || ext == "bmp" || ext == "pcx" || ext == "png";
}

int ReadOptions(const Invocation& call, ImportOptions& o) {
  if (auto v = call.Value("--region")) {
    if (!ParseRegionText(*v, o.region))
      return Usage("--region takes X1,Y1,X2,Y2 (whole numbers, 0 or more)");
    if (o.region.Empty()) return Usage("--region has no width or height");
    o.hasRegion = true;
  }
  unsigned long long n = 0;
  if (auto v = call.Value("--depth")) {
    if (!ParseWholeNumber(*v, 1, 24, n) || !IsSupportedDepth(static_cast<int>(n)))
      return Usage("--depth takes 1, 4, 8 or 24");
    o.depth = static_cast<int>(n);
  }
  if (auto v = call.Value("--to")) {
    if (!IsImportOutput(*v)) return Usage("--to takes ico, cur, bmp, pcx or png");
    o.to = std::string(*v);
  }
  return -1;
}

// The icon the import window gives for this picture and region.
bool ImportBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                 const ImportOptions& o, Surface& icon, std::string& error) {
  std::string why;
  if (ImportPictureBytes(bytes, o.hasRegion ? std::optional(o.region) : std::nullopt, icon, why))
    return true;
  error = path + ": " + why;
  return false;
}

std::vector<std::uint8_t> Encode(const std::string& format, Surface& icon, int depth) {
  if (format == "ico" || format == "cur") {
    std::vector<std::uint8_t> b = BuildIconBytes(icon, depth, PaletteMethod::None);
    if (format == "cur") MarkAsCursor(b, 0, 0);
    return b;
  }
  if (format == "bmp") return BuildBitmapBytes(icon, depth);
  if (format == "pcx") return BuildPcxBytes(icon, depth);
  if (depth != 24) ConvertDocumentToDepth(icon, depth);
  return BuildPngBytes(icon);
}

int ImportOne(const Invocation& call, const ImportOptions& o) {
  if (call.operands().size() != 2)
    return Usage("import takes PICTURE and OUT (or --out-dir DIR PICTURE...)");
  const std::string in(call.operands()[0]);
  const std::string out(call.operands()[1]);
  const std::string format = out == "-" ? o.to : ExtensionOf(out);
  if (out == "-" && format.empty()) return Usage("import to standard output needs --to FORMAT");
  if (!IsImportOutput(format)) return Usage("OUT must end in .ico, .cur, .bmp, .pcx or .png");
  if (!o.to.empty() && o.to != format)
    return Usage("OUT ends in ." + format + " but --to says " + o.to);
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadInput(in, bytes, error)) return Fail(error);
  Surface icon;
  if (!ImportBytes(in, bytes, o, icon, error)) return Fail(error);
  const std::vector<std::uint8_t> encoded = Encode(format, icon, o.depth);
  if (encoded.empty()) return Fail(out + ": could not encode");
  if (!WriteOutput(out, encoded, error)) return Fail(error);
  return kExitOk;
}

int RunImport(const Invocation& call) {
  ImportOptions o;
  if (int rc = ReadOptions(call, o); rc >= 0) return rc;
  if (!call.IsBatch()) return ImportOne(call, o);
  const std::string format = o.to.empty() ? "ico" : o.to;
  Surface icon;
  return RunBatch(call, format,
                  [&](const BatchItem& item, std::vector<std::uint8_t>& out, std::string& error) {
                    if (!ImportBytes(item.path, item.bytes, o, icon, error)) return false;
                    out = Encode(format, icon, o.depth);
                    if (out.empty()) error = item.path + ": could not encode";
                    return !out.empty();
                  });
}

}  // namespace

extern const CommandSpec kImportCommand{
    .name = "import",
    .synopsis = "PICTURE OUT [OPTIONS]\n--out-dir DIR [--to FORMAT] [OPTIONS] PICTURE...",
    .summary = "a region of a BMP, DIB, PNG, JPEG or GIF picture as a 32 x 32 icon",
    .description =
        "Scales the region of PICTURE to 32 x 32, each axis on its own, averaging\n"
        "the pixels each icon pixel covers, as the editor's \"Importer image\" does;\n"
        "transparent picture pixels become white (transparent in the icon). A GIF\n"
        "gives its first frame; metafiles are refused. Pictures of more than 16384\n"
        "pixels a side or 64 million pixels are refused. OUT is written as convert\n"
        "writes it, its format from its extension (--to when OUT is -). PICTURE may\n"
        "be - for standard input. With --out-dir many pictures in one call.",
    .options = kImportOptions,
    .batch = true,
    .run = RunImport,
};

}  // namespace gs::tool
