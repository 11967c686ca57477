// import: a region of a picture (BMP, DIB, PNG, JPEG, GIF) as a 32 x 32 icon,
// scaled as the editor's import window scales it; one picture or many.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "app/tool/tool_common.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
#include "import/picture_decoder.h"
#include "import/picture_import.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

struct ImportOptions {
  bool hasRegion = false;
  ImportRegion region;
  int depth = 24;
  std::string outDir;
  std::string to = "ico";
  std::vector<std::string> paths;
};

bool IsImportOutput(const std::string& ext) {
  return ext == "ico" || ext == "cur" || ext == "bmp" || ext == "pcx" || ext == "png";
}

int ParseImportOptions(const std::vector<std::string>& args, ImportOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--region") {
      if (!hasValue || !ParseRegionText(args[++i], o.region))
        return Usage("--region takes X1,Y1,X2,Y2 (whole numbers, 0 or more)");
      o.hasRegion = true;
    } else if (a == "--depth") {
      const std::string v = hasValue ? args[++i] : "";
      if (v == "1" || v == "4" || v == "8" || v == "24")
        o.depth = std::stoi(v);
      else
        return Usage("--depth takes 1, 4, 8 or 24");
    } else if (a == "--out-dir") {
      if (!hasValue || args[i + 1].empty()) return Usage("--out-dir takes a folder");
      o.outDir = args[++i];
    } else if (a == "--to") {
      if (!hasValue || !IsImportOutput(args[i + 1])) return Usage("--to takes ico, cur, bmp, pcx or png");
      o.to = args[++i];
    } else if (a == "--") {
      o.paths.insert(o.paths.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage("unknown option '" + a + "'");
    } else {
      o.paths.push_back(a);
    }
  }
  return 0;
}

// The icon the import window would give for this picture and region.
bool ImportFile(const std::string& path, const ImportOptions& o, Surface& icon, std::string& error) {
  PictureRequest request;
  // The whole picture may come from the JPEG decoder already reduced (by
  // whole blocks), as long as each side still covers the 32 icon pixels.
  if (!o.hasRegion) request.shrinkWidth = request.shrinkHeight = 32;
  Picture picture;
  if (!LoadPictureFile(path, picture, error, request)) return false;
  icon = Surface(32, 32);
  icon.FillRect(icon.Bounds(), kWhite);
  const ImportRegion region = o.hasRegion ? o.region : ImportRegion{0, 0, picture.width, picture.height};
  if (!ImportPictureRegion(icon, picture, region)) {
    error = path + ": the region has no width or height";
    return false;
  }
  return true;
}

std::vector<std::uint8_t> EncodeIcon(const std::string& format, Surface& icon, int depth) {
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

std::string StemOfPath(const std::string& path) {
  const auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

int ImportOne(const ImportOptions& o) {
  if (o.paths.size() != 2) return Usage("import takes PICTURE and OUT (or --out-dir DIR PICTURE...)");
  const std::string format = ExtensionOf(o.paths[1]);
  if (!IsImportOutput(format)) return Usage("OUT must end in .ico, .cur, .bmp, .pcx or .png");
  Surface icon;
  std::string error;
  if (!ImportFile(o.paths[0], o, icon, error)) return Fail(error);
  const std::vector<std::uint8_t> bytes = EncodeIcon(format, icon, o.depth);
  if (bytes.empty()) return Fail(o.paths[1] + ": could not encode");
  if (WriteStatus st = WriteFileSafely(o.paths[1], bytes); !st) return Fail(st.error);
  return kExitOk;
}

int ImportMany(const ImportOptions& o) {
  if (o.paths.empty()) return Usage("import --out-dir needs at least one picture");
  struct stat st {};
  if (::stat(o.outDir.c_str(), &st) != 0) return Fail(o.outDir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return Fail(o.outDir + ": not a folder");
  std::set<std::string> outputs;
  SafeWriteBatch batch;
  std::vector<std::string> committed;
  bool failed = false;
  Surface icon;
  std::string error;
  for (const std::string& in : o.paths) {
    const std::string out = o.outDir + "/" + StemOfPath(in) + "." + o.to;
    if (!outputs.insert(out).second) {
      Fail(in + ": same output name as an earlier input (" + out + ")");
      failed = true;
    } else if (!ImportFile(in, o, icon, error)) {
      Fail(error);
      failed = true;
    } else if (WriteStatus ws = batch.Add(out, EncodeIcon(o.to, icon, o.depth), &committed); !ws) {
      Fail(ws.error);
      failed = true;
    }
    for (const std::string& e : committed) Fail(e), failed = true;
    committed.clear();
  }
  for (const std::string& e : batch.Commit()) Fail(e), failed = true;
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

int RunImport(const std::vector<std::string>& args) {
  ImportOptions o;
  if (int rc = ParseImportOptions(args, o); rc != 0) return rc;
  return o.outDir.empty() ? ImportOne(o) : ImportMany(o);
}

}  // namespace gs::tool
