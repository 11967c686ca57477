#pragma once
// One level of undo: a copy of the whole image taken just before a change.
#include <optional>

#include "document/surface.h"

namespace gs {

class UndoBuffer {
 public:
  void CreateBackup(const Surface& document);
  // Puts the copy back; false (and nothing changes) when there is none.
  bool RestoreBackup(Surface& document);
  bool Available() const { return available_; }
  // The document now holds another picture: the copy belongs to the one
  // before and must not be put back over it.
  void Clear() { available_ = false; }

 private:
  std::optional<Surface> copy_;
  bool available_ = false;
};

}  // namespace gs
