// extract: an icon held in a program, library or icon file, written as
// `convert` writes; or the list of the icons a file holds.
#include <cstdio>
#include <memory>

#include "app/tool/tool_batch.h"
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "app/tool/tool_output.h"
#include "import/icon_resources.h"
#include "platform/text_util.h"

namespace gs::tool {

namespace {

constexpr OptionSpec kExtractOptions[] = {
    {"--index", "K", "the icon to extract, from 0 (default 0)"},
    {"--list", "",
     "print the number of icons, then one line per icon:\n"
     "its index, its name, and the size and depth of\n"
     "every image of its group"},
};

// Images described by one listing, over all its groups.
constexpr std::size_t kMaxListedImages = 65536;

struct Opened {
  std::unique_ptr<FileSource> source;
  std::unique_ptr<IconResourceReader> reader;
};

bool Open(const std::string& path, Opened& o, std::string& error) {
  if (path == "-") {
    error = "-: icons are read from a file, not from standard input";
    return false;
  }
  o.source = FileSource::Open(path, error);
  if (!o.source) return false;
  o.reader = std::make_unique<IconResourceReader>(*o.source);
  if (o.reader->Count() == 0) {
    error = path + ": " + NoIconsReason(*o.reader);
    return false;
  }
  return true;
}

// Icon k as the extraction window puts it into the document.
bool Extract(const std::string& path, int k, LoadedIcon& icon, std::string& error) {
  Opened o;
  if (!Open(path, o, error)) return false;
  IconPicture pic;
  std::string reason;
  if (o.reader->Container() == IconContainer::IconFile && k == 0) {
    // An icon file is read whole, as the editor opens it: the same image,
    // refused for the same damage. Its other images stay behind.
    std::vector<std::uint8_t> bytes;
    o.reader.reset();
    o.source.reset();
    if (!ReadInput(path, bytes, error) || !DecodeInput(path, bytes, icon, error)) return false;
    icon.sourceFile.reset();
    icon.sourceEntry = -1;
    icon.othersNotKept.clear();
    icon.cursor = false;
    icon.hotspotX = icon.hotspotY = 0;
    return true;
  }
  if (!ExtractIcon(*o.reader, k, pic, reason)) {
    error = path + ": " + reason;
    return false;
  }
  icon = LoadedIcon{};
  icon.pixels = std::move(pic.overWhite);
  return true;
}

int List(const Invocation& call) {
  if (call.operands().size() != 1) return Usage("extract --list takes one FILE");
  const std::string path(call.operands()[0]);
  Opened o;
  std::string error;
  if (!Open(path, o, error)) return Fail(error);
  IconResourceReader& r = *o.reader;
  std::printf("%d\n", r.Count());
  std::vector<IconGroupEntry> entries;
  // 4,096 groups of 256 images is a million lines' worth of images: past
  // kMaxListedImages in all, groups are listed by name only.
  std::size_t listed = 0;
  int unlistedFrom = -1;
  for (int k = 0; k < r.Count(); ++k) {
    const IconGroupName& n = r.GroupName(k);
    std::string line = std::to_string(k) + " " +
                       (n.named ? "\"" + PrintableText(n.name) + "\"" : std::to_string(n.id));
    entries.clear();
    if (listed >= kMaxListedImages) {
      if (unlistedFrom < 0) unlistedFrom = k;
    } else if (!r.ReadGroup(k, entries)) {
      line += " damaged";
    }
    listed += entries.size();
    for (const IconGroupEntry& e : entries) {
      IconImageInfo info;
      if (r.ReadImageInfo(e, info)) {
        line += " " + std::to_string(info.width) + "x" + std::to_string(info.height) + "x" +
                std::to_string(info.bitCount) + (info.png ? "png" : "");
      } else {
        line += e.present ? " unreadable" : " missing";
      }
    }
    std::printf("%s\n", line.c_str());
  }
  if (unlistedFrom >= 0)
    Fail(path + ": more than " + std::to_string(kMaxListedImages) + " images; icons from " +
         std::to_string(unlistedFrom) + " on are listed by name only");
  if (r.GroupsCut())
    return Fail(path + ": more than " + std::to_string(kMaxIconGroups) +
                " icon groups; only the first " + std::to_string(kMaxIconGroups) + " are listed");
  return unlistedFrom >= 0 ? kExitFailure : kExitOk;
}

int RunExtract(const Invocation& call) {
  if (call.Has("--list")) {
    if (call.IsBatch()) return Usage("--list takes one FILE, not --out-dir");
    return List(call);
  }
  ConvertOptions o;
  if (int rc = ReadOptions(call, o); rc >= 0) return rc;
  unsigned long long index = 0;
  if (auto v = call.Value("--index"))
    if (!ParseWholeNumber(*v, 0, 1000000, index))
      return Usage("--index takes a whole number from 0");
  const int k = static_cast<int>(index);
  if (call.IsBatch()) {
    const std::string format = o.to.empty() ? std::string(call.command().defaultFormat) : o.to;
    if (int rc = CheckForFormat(call, o, format); rc >= 0) return rc;
    LoadedIcon icon;
    return RunBatch(
        call, format,
        [&](const BatchItem& item, std::vector<std::uint8_t>& out, std::string& error) {
          if (!Extract(item.path, k, icon, error)) return false;
          out = BuildOutput(format, icon, o);
          if (out.empty()) error = item.path + ": " + EncodeFailure(format);
          return !out.empty();
        },
        0, BatchInputs::PathOnly);
  }
  if (call.operands().size() != 2)
    return Usage("extract takes FILE and OUT (or --list FILE, or --out-dir DIR FILE...)");
  const std::string in(call.operands()[0]);
  const std::string out(call.operands()[1]);
  std::string format;
  if (int rc = ChooseOutputFormat(call, o, "extract", out, format); rc >= 0) return rc;
  LoadedIcon icon;
  std::string error;
  if (!Extract(in, k, icon, error)) return Fail(error);
  const std::vector<std::uint8_t> bytes = BuildOutput(format, icon, o);
  if (bytes.empty()) return Fail(out + ": " + EncodeFailure(format));
  if (!WriteOutput(out, bytes, error)) return Fail(error);
  return kExitOk;
}

}  // namespace

extern const CommandSpec kExtractCommand{
    .name = "extract",
    .synopsis =
        "FILE OUT [--index K] [OPTIONS]\n--list FILE\n"
        "--out-dir DIR [--index K] [OPTIONS] FILE...",
    .summary = "an icon held in a program, library or icon file",
    .description =
        "Takes icon K of FILE (a Windows program or library, 32- or 64-bit or\n"
        "16-bit, or an .ico file) as the editor's extraction window puts it into\n"
        "the document: the group's 32 x 32 image of the highest depth, else the\n"
        "nearest size brought to 32 x 32; of an icon file, the image the editor\n"
        "opens, alone. OUT is written as convert writes it.\n"
        "Icons are numbered as the desktop lists them: named groups first, then\n"
        "numbered ones in ascending order. Only the headers and the icons needed\n"
        "are read, however large FILE is.",
    .options = kExtractOptions,
    .batch = true,
    .defaultFormat = "ico",
    .run = RunExtract,
};

}  // namespace gs::tool
