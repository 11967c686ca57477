// convert: an .ico/.cur into any format the editor writes, one file or many.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "app/tool/tool_common.h"
#include "document/numeric.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/palette_methods.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

struct ConvertOptions {
  int depth = 24;
  PaletteMethod palette = PaletteMethod::None;
  bool hasHotspot = false;
  std::int16_t hotspotX = 0;
  std::int16_t hotspotY = 0;
  std::string outDir;
  std::string to = "bmp";
  std::vector<std::string> paths;
};

bool IsOutputFormat(const std::string& ext) {
  return ext == "ico" || ext == "cur" || ext == "bmp" || ext == "pcx" || ext == "png";
}

// A whole decimal number from..to, nothing else.
bool ParseSmallInt(const std::string& s, int from, int to, int& v) {
  if (s.empty() || s.size() > 3) return false;
  v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  return v >= from && v <= to;
}

// Returns 0 when the options are sound, else the usage exit code (message printed).
int ParseOptions(const std::vector<std::string>& args, ConvertOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--depth") {
      if (!value(v) || !ParseSmallInt(v, 1, 24, o.depth) || !IsSupportedDepth(o.depth))
        return Usage("--depth takes 1, 4, 8 or 24");
    } else if (a == "--palette") {
      if (!value(v)) return Usage("--palette takes none, high or extreme");
      if (v == "none")
        o.palette = PaletteMethod::None;
      else if (v == "high")
        o.palette = PaletteMethod::High;
      else if (v == "extreme")
        o.palette = PaletteMethod::Extreme;
      else
        return Usage("--palette takes none, high or extreme");
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
      if (!value(o.to) || !IsOutputFormat(o.to))
        return Usage("--to takes ico, cur, bmp, pcx or png");
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

// The bytes of one output file, built the way the editor's save and export build them.
std::vector<std::uint8_t> BuildOutput(const std::string& format, Surface& pixels,
                                      const ConvertOptions& o) {
  if (format == "ico") return BuildIconBytes(pixels, o.depth, o.palette);
  if (format == "cur") {
    std::vector<std::uint8_t> b = BuildIconBytes(pixels, o.depth, o.palette);
    MarkAsCursor(b, o.hotspotX, o.hotspotY);
    return b;
  }
  if (format == "bmp") return BuildBitmapBytes(pixels, o.depth);
  if (format == "pcx") return BuildPcxBytes(pixels, o.depth);
  // PNG keeps full colour; a lower depth first reduces the colours as the editor's command does.
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

int ConvertOne(const ConvertOptions& o) {
  if (o.paths.size() != 2) return Usage("convert takes IN and OUT (or --out-dir DIR IN...)");
  const std::string& in = o.paths[0];
  const std::string& out = o.paths[1];
  const std::string format = ExtensionOf(out);
  if (!IsOutputFormat(format)) return Usage("OUT must end in .ico, .cur, .bmp, .pcx or .png");
  if (o.hasHotspot && format != "cur") return Usage("--hotspot applies to .cur output only");
  Surface pixels;
  std::string error;
  if (!LoadInput(in, pixels, error)) return Fail(error);
  const std::vector<std::uint8_t> bytes = BuildOutput(format, pixels, o);
  if (bytes.empty()) return Fail(out + ": could not encode");
  if (WriteStatus st = WriteFileSafely(out, bytes); !st) return Fail(st.error);
  return kExitOk;
}

class Progress {
 public:
  explicit Progress(std::size_t total) : total_(total), shown_(isatty(STDERR_FILENO) == 1) {}
  void Step(std::size_t done) {
    if (!shown_ || (done % 64 != 0 && done != total_)) return;
    std::fprintf(stderr, "\rconverting %zu/%zu", done, total_);
    std::fflush(stderr);
    dirty_ = true;
  }
  // Errors go on their own line, not over the progress text.
  void Error(const std::string& message) {
    Clear();
    Fail(message);
  }
  void Clear() {
    if (dirty_) std::fputs("\r\033[K", stderr);
    dirty_ = false;
  }

 private:
  std::size_t total_;
  bool shown_;
  bool dirty_ = false;
};

int ConvertMany(const ConvertOptions& o) {
  if (o.paths.empty()) return Usage("convert --out-dir needs at least one input file");
  if (o.hasHotspot && o.to != "cur") return Usage("--hotspot applies to .cur output only");
  struct stat st {};
  if (::stat(o.outDir.c_str(), &st) != 0) return Fail(o.outDir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return Fail(o.outDir + ": not a folder");
  std::set<std::string> outputs;
  Progress progress(o.paths.size());
  SafeWriteBatch batch;
  std::vector<std::string> committedErrors;
  bool failed = false;
  Surface pixels;
  std::string error;
  for (std::size_t i = 0; i < o.paths.size(); ++i) {
    const std::string& in = o.paths[i];
    const std::string out = o.outDir + "/" + StemOf(in) + "." + o.to;
    if (!outputs.insert(out).second) {
      progress.Error(in + ": same output name as an earlier input (" + out + ")");
      failed = true;
    } else if (!LoadInput(in, pixels, error)) {
      progress.Error(error);
      failed = true;
    } else if (WriteStatus st = batch.Add(out, BuildOutput(o.to, pixels, o), &committedErrors);
               !st) {
      progress.Error(st.error);
      failed = true;
    }
    for (const std::string& e : committedErrors) progress.Error(e), failed = true;
    committedErrors.clear();
    progress.Step(i + 1);
  }
  for (const std::string& e : batch.Commit()) progress.Error(e), failed = true;
  progress.Clear();
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

int RunConvert(const std::vector<std::string>& args) {
  ConvertOptions o;
  if (int rc = ParseOptions(args, o); rc != 0) return rc;
  return o.outDir.empty() ? ConvertOne(o) : ConvertMany(o);
}

}  // namespace gs::tool
