// ani: an animated cursor from cursor files, as the editor's builder makes it.
#include <limits>

#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/ani_format.h"

namespace gs::tool {

namespace {

constexpr unsigned long long kMaxRate = std::numeric_limits<std::uint32_t>::max();

constexpr OptionSpec kAniOptions[] = {
    {"--interval", "MS",
     "time between frames in milliseconds, as the\n"
     "editor's builder takes it: the file stores MS / 10\n"
     "(cut, at least 1) as the display rate, which readers\n"
     "take in sixtieths of a second, so 250 shows each\n"
     "frame for 25/60 s (about 417 ms); a rate beyond 32\n"
     "bits is refused"},
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
    unsigned long long ms = 0;
    if (!ParseWholeNumber(*interval, 1, std::numeric_limits<long long>::max() / 2, ms))
      return Usage("--interval must be a whole number of milliseconds from 1");
    std::int32_t editorRate = 0;
    if (ms <= static_cast<unsigned long long>(std::numeric_limits<std::int32_t>::max()) &&
        DisplayRateFromInterval(static_cast<double>(ms), editorRate))
      rate = static_cast<unsigned long long>(editorRate);
    else
      rate = ms / 10;  // the builder's rule, beyond what its text field can hold
    if (rate > kMaxRate)
      return Usage("--interval " + std::string(*interval) +
                   " gives a display rate beyond 32 bits (at most 42949672959 ms)");
  }
  const std::string out(ops[0]);
  std::vector<std::vector<std::uint8_t>> frames(ops.size() - 1);
  std::string error;
  for (std::size_t i = 1; i < ops.size(); ++i)
    if (!ReadInput(std::string(ops[i]), frames[i - 1], error)) return Fail(error);
  // The field is unsigned; the writer takes its 32 bits as they are.
  const auto stored = static_cast<std::int32_t>(static_cast<std::uint32_t>(rate));
  const std::vector<std::uint8_t> bytes = BuildAnimatedCursorBytes(frames, stored);
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
        "same display rate. Frames are not checked; each is at most 16 MiB.",
    .options = kAniOptions,
    .run = RunAni,
};

}  // namespace gs::tool
