#pragma once
// The steps the one safe write (WriteFileSafely) and the batch
// (SafeWriteBatch) share; nothing else needs them.
//
// An output's bytes go into a draft in the target's folder: a file with no
// name (O_TMPFILE) where the file system allows, else a tracked temporary
// (platform/temporaries.h). A new name then gets the draft in one step that
// never replaces anything (linkat, or a rename that refuses to replace), so
// no one ever sees it part written; an existing file is replaced by a rename
// of the draft, under a temporary name, once its bytes are safe.
#include <cstdint>
#include <span>
#include <string>

#include "platform/safe_file.h"

namespace gs::safe_file_steps {

std::string FolderOf(const std::string& path);

// A file replaced from a draft waiting for its rename.
struct Replacement {
  std::string temp;       // the draft's tracked temporary name
  std::string target;     // the file it replaces (links followed)
  int slot = -1;          // where a signal finds the temporary
  bool replaces = false;  // false: a link that points at nothing yet
};

// Writes `bytes` for `path`. Under a free name the file is whole when this
// returns, and `pending` stays empty. A name taken by a file (or a link,
// followed) leaves the draft under a temporary name in `pending`, with the
// old file's mode, flushed first when `flush`. On failure nothing is left.
WriteStatus WriteOrPrepare(const std::string& path, std::span<const std::uint8_t> bytes, bool flush,
                           Replacement& pending);

// Tests only: drafts are always named temporaries, as on a file system
// without O_TMPFILE.
void UseNamedDraftsOnly(bool on);

}  // namespace gs::safe_file_steps
