#pragma once
// Many files written safely at once (batch conversion). A new output appears
// under its name whole, in one step that never replaces anything (as
// WriteFileSafely does it); files that replace others wait under temporary
// names and are renamed at the group's commit, after one syncfs of their file
// system, a few renames at a time. After a crash every replaced file holds
// either its old bytes or the whole new ones, and every new one is absent or
// whole; the temporaries a killed run leaves are removed by the next batch
// writing into that folder (platform/temporaries.h).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/safe_file.h"
#include "platform/safe_file_steps.h"

namespace gs {

// Writes new files at once and the others through temporaries, first removing from each folder it
// writes the temporaries of runs that are over; Commit (also run every groupSize files and by the
// destructor) makes the replacing ones durable and renames them over their targets. A file that
// could not be written is reported by Add (a new one leaves nothing under its name, a replacing one
// its old target); one that fails at the flush or the rename is reported by Commit. Memory stays
// at one group, whatever the number of files.
class SafeWriteBatch {
 public:
  explicit SafeWriteBatch(std::size_t groupSize = 256) : groupSize_(groupSize ? groupSize : 1) {}
  ~SafeWriteBatch();
  SafeWriteBatch(const SafeWriteBatch&) = delete;
  SafeWriteBatch& operator=(const SafeWriteBatch&) = delete;

  // Failures of files committed as a side effect are appended to `committedErrors`.
  WriteStatus Add(const std::string& path, std::span<const std::uint8_t> bytes,
                  std::vector<std::string>* committedErrors = nullptr);
  // Returns the errors of this group ("<path>: <reason>" each); empty when all went well.
  std::vector<std::string> Commit();
  // Drops the replacements waiting for their commit (their old files stay);
  // returns the files they were to replace.
  std::vector<std::string> Discard();

 private:
  std::size_t groupSize_;
  std::vector<safe_file_steps::Replacement> pending_;
  std::unordered_set<std::string> swept_;  // folders cleared of stale temporaries
};

}  // namespace gs
