#pragma once
// The batch mode shared by the commands that take --out-dir:
//
//   int RunConvert(const Invocation& call) {
//     if (call.IsBatch())
//       return RunBatch(call, "bmp", [&](const BatchItem& item, std::vector<std::uint8_t>& out,
//                                        std::string& error) { ...; return true; });
//
// RunBatch takes the inputs from the operands and then from --files-from (read
// as they are needed, so memory does not grow with their number), reads each
// (at most kMaxInputBytes), asks the command for the output bytes and writes
// them to DIR/<input name without extension>.<extension> through one
// SafeWriteBatch. It shows progress on a terminal, prints one line per failed
// input and ends with "1,000 files: 950 written, 50 failed" on stderr.
// Exit code 1 when any input failed. Interrupted (SIGINT, SIGTERM, SIGHUP), it
// stops between two files, drops the replacements of the group in flight
// (a commit under way completes), lists them ("<path>: not replaced
// (interrupted)"), ends with "interrupted after 351 files: 102 written,
// 0 failed, 249 not replaced" and exit code 130.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/tool/tool_command.h"

namespace gs::tool {

// A --files-from list is read up to this many lines (blank ones included),
// each a name of at most this many bytes (a path's limit); past either the
// batch stops with a message and exit code 1.
inline constexpr unsigned long long kMaxListLines = 1000000;
inline constexpr std::size_t kMaxListLineBytes = 4096;

struct BatchItem {
  const std::string& path;              // the input as named
  std::span<const std::uint8_t> bytes;  // its whole content
};

// Fills `out` (empty on entry, its capacity reused) or returns false with
// `error` ("<path>: <reason>").
using BatchBuild =
    std::function<bool(const BatchItem& item, std::vector<std::uint8_t>& out, std::string& error)>;

// Operands before `firstInput` are the command's own (effect's operation), not inputs.
// PathOnly: the build opens item.path itself (item.bytes is empty), for
// inputs read by seeking, such as programs whose icons are extracted.
enum class BatchInputs { ReadWhole, PathOnly };

int RunBatch(const Invocation& call, std::string_view extension, const BatchBuild& build,
             std::size_t firstInput = 0, BatchInputs reading = BatchInputs::ReadWhole);

// "3 files: 2 written, 1 failed"; for an interrupted batch, after "interrupted after ",
// "3 files: 1 written, 0 failed, 2 not replaced".
std::string BatchSummary(unsigned long long inputs, unsigned long long failed,
                         std::optional<unsigned long long> notReplaced = std::nullopt);

}  // namespace gs::tool
