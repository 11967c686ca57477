// import: a region of a picture (BMP, DIB, PNG, JPEG, GIF) as a 32 x 32 icon,
// scaled as the editor's import window scales it; one picture or many.
#include "app/tool/tool_batch.h"
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "app/tool/tool_output.h"
#include "import/picture_import.h"

namespace gs::tool {

namespace {

constexpr OptionSpec kImportOptions[] = {
    {"--region", "X1,Y1,X2,Y2",
     "the corners of the region in picture pixels, right\n"
     "and bottom excluded, in any order (default the\n"
     "whole picture); beyond the picture its edge repeats"},
};

struct ImportOptions {
  bool hasRegion = false;
  ImportRegion region;
  ConvertOptions out;  // read and written as convert's
};

int ReadImportOptions(const Invocation& call, ImportOptions& o) {
  if (auto v = call.Value("--region")) {
    if (!ParseRegionText(*v, o.region))
      return Usage("--region takes X1,Y1,X2,Y2 (whole numbers, 0 or more)");
    if (o.region.Empty()) return Usage("--region has no width or height");
    o.hasRegion = true;
  }
  return ReadOptions(call, o.out);
}

// The icon the import window gives for this picture and region.
bool ImportBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                 const ImportOptions& o, LoadedIcon& icon, std::string& error) {
  std::string why;
  icon = LoadedIcon{};
  if (ImportPictureBytes(bytes, o.hasRegion ? std::optional(o.region) : std::nullopt, icon.pixels,
                         why))
    return true;
  error = path + ": " + why;
  return false;
}

int ImportOne(const Invocation& call, const ImportOptions& o) {
  if (call.operands().size() != 2)
    return Usage("import takes PICTURE and OUT (or --out-dir DIR PICTURE...)");
  const std::string in(call.operands()[0]);
  const std::string out(call.operands()[1]);
  std::string format;
  if (int rc = ChooseOutputFormat(call, o.out, "import", out, format); rc >= 0) return rc;
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadInput(in, bytes, error)) return Fail(error);
  LoadedIcon icon;
  if (!ImportBytes(in, bytes, o, icon, error)) return Fail(error);
  const std::vector<std::uint8_t> encoded = BuildOutput(format, icon, o.out);
  if (encoded.empty()) return Fail(out + ": " + EncodeFailure(format));
  if (!WriteOutput(out, encoded, error)) return Fail(error);
  return kExitOk;
}

int RunImport(const Invocation& call) {
  ImportOptions o;
  if (int rc = ReadImportOptions(call, o); rc >= 0) return rc;
  if (!call.IsBatch()) return ImportOne(call, o);
  const std::string format =
      o.out.to.empty() ? std::string(call.command().defaultFormat) : o.out.to;
  if (int rc = CheckForFormat(call, o.out, format); rc >= 0) return rc;
  LoadedIcon icon;
  return RunBatch(call, format,
                  [&](const BatchItem& item, std::vector<std::uint8_t>& out, std::string& error) {
                    if (!ImportBytes(item.path, item.bytes, o, icon, error)) return false;
                    out = BuildOutput(format, icon, o.out);
                    if (out.empty()) error = item.path + ": " + EncodeFailure(format);
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
        "pixels a side or 16 million pixels are refused. OUT is written as convert\n"
        "writes it, its format from its extension (--to when OUT is -). PICTURE may\n"
        "be - for standard input. With --out-dir many pictures in one call.",
    .options = kImportOptions,
    .batch = true,
    .defaultFormat = "ico",
    .run = RunImport,
};

}  // namespace gs::tool
