// ani: an animated cursor from cursor files, as the editor's builder makes it.
#include <sys/stat.h>

#include <limits>

#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "document/numeric.h"
#include "files/ani_format.h"
#include "files/icon_reader.h"

namespace gs::tool {

namespace {

constexpr unsigned long long kMaxRate = std::numeric_limits<std::uint32_t>::max();

constexpr OptionSpec kAniOptions[] = {
    {"--interval", "MS",
     "time between frames in milliseconds, read and\n"
     "turned into the display rate as the editor's\n"
     "builder does: the file stores MS / 10 (cut, at\n"
     "least 1, at most 4294967295), which readers take in\n"
     "sixtieths of a second, so 250 shows each frame for\n"
     "25/60 s (about 417 ms)"},
    {"--jiffies", "N",
     "the display rate itself, in sixtieths of a second\n"
     "(1 to 4294967295); instead of --interval"},
};

int RunAni(const Invocation& call) {
  const auto& ops = call.operands();
  if (ops.size() < 2) return Usage("ani takes OUT and at least one FRAME");
  const auto interval = call.Value("--interval");
  const auto jiffies = call.Value("--jiffies");
  if (interval && jiffies) return Usage("ani takes --interval or --jiffies, not both");
  if (!interval && !jiffies) return Usage("ani needs --interval MS or --jiffies N");
  unsigned long long rate = 0;
  if (jiffies) {
    if (!ParseWholeNumber(*jiffies, 1, kMaxRate, rate))
      return Usage("--jiffies takes a whole number from 1 to 4294967295");
  } else {
    // The builder's field and rule, so that both write the same rate.
    std::uint32_t editorRate = 0;
    if (!DisplayRateFromInterval(ParseLeadingNumber(*interval), editorRate))
      return Usage("--interval takes a number of milliseconds from 1 to 42949672959");
    rate = editorRate;
  }
  const std::string out(ops[0]);
  if (int rc = CheckOutputExtension("ani", out, "ani", "an animated cursor (.ani)"); rc >= 0)
    return rc;
  // The file must stay within what the readers take (kMaxInputBytes, the
  // RIFF fields far beyond): the frames' sizes are checked before any is
  // read, and again as each is read (standard input and special files).
  std::vector<std::uint64_t> sizes;
  for (std::size_t i = 1; i < ops.size(); ++i) {
    struct stat st {};
    const std::string frame(ops[i]);
    sizes.push_back(frame != "-" && ::stat(frame.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                        ? static_cast<std::uint64_t>(st.st_size)
                        : 0);
  }
  const auto tooLarge = [&] {
    return Fail(out + ": the frames would make an animated cursor of " +
                GroupDigits(AnimatedCursorFileSize(sizes)) + " bytes; readers take at most " +
                std::to_string(kMaxInputBytes >> 20) + " MiB");
  };
  if (AnimatedCursorFileSize(sizes) > kMaxInputBytes) return tooLarge();
  std::vector<std::vector<std::uint8_t>> frames(ops.size() - 1);
  std::string error;
  for (std::size_t i = 1; i < ops.size(); ++i) {
    const std::string frame(ops[i]);
    if (!ReadInput(frame, frames[i - 1], error)) return Fail(error);
    sizes[i - 1] = frames[i - 1].size();
    if (AnimatedCursorFileSize(sizes) > kMaxInputBytes) return tooLarge();
    // Copied as they are, like the builder copies them; readers expect cursors.
    const std::string name = frame == "-" ? "standard input" : frame;
    if (const std::string kind = PictureKindOf(frames[i - 1]); !kind.empty())
      Warn(name + ": this is a " + kind + " picture, not a cursor (import makes one)");
    else if (!HasIconHeader(frames[i - 1]) || frames[i - 1][2] != 2)
      Warn(name + ": not a cursor file; the frame is stored as it is");
  }
  const std::vector<std::uint8_t> bytes =
      BuildAnimatedCursorBytes(frames, static_cast<std::uint32_t>(rate));
  if (bytes.empty()) return Fail(out + ": frames too large for one file");
  if (!WriteOutput(out, bytes, error)) return Fail(error);
  return kExitOk;
}

}  // namespace

extern const CommandSpec kAniCommand{
    .name = "ani",
    .synopsis = "OUT --interval MS FRAME...\nOUT --jiffies N FRAME...",
    .summary = "an animated cursor from cursor files",
    .description =
        "Writes OUT (- for standard output) as the editor's animated-cursor builder\n"
        "does: each FRAME file copied whole, in order, every frame shown for the\n"
        "same display rate. A frame that is not a cursor file is stored all the same,\n"
        "with a warning. The whole file is at most 16 MiB, as the readers take it;\n"
        "larger frames are refused before they are read.",
    .options = kAniOptions,
    .run = RunAni,
};

}  // namespace gs::tool
