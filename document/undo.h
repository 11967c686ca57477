#pragma once
// Undo history: a copy of the whole image taken just before each change, the
// newest kUndoSteps of them kept, and the pictures undone since the last
// change, to be redone.
#include <cstddef>
#include <deque>
#include <vector>

#include "document/surface.h"

namespace gs {

inline constexpr std::size_t kUndoSteps = 100;

class UndoBuffer {
 public:
  // The document as it is now becomes the newest undo step; the redo steps
  // belong to another line of changes and are dropped. The oldest step goes
  // when there are more than kUndoSteps.
  void CreateBackup(const Surface& document);
  // Puts the newest step back, keeping the present picture to redo; false (and
  // nothing changes) when there is none.
  bool RestoreBackup(Surface& document);
  // Puts back the picture the last restore replaced; false when there is none.
  bool Redo(Surface& document);
  bool Available() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }
  // Bytes held by the pictures of both lists.
  std::size_t MemoryBytes() const;
  // The document now holds another picture: no step belongs to it.
  void Clear();

 private:
  using Picture = std::vector<Color>;
  Picture Take();
  bool Step(std::deque<Picture>& from, std::deque<Picture>& to, Surface& document);
  static void Keep(Picture& into, const Surface& document);
  static void PutBack(const Picture& from, Surface& document);

  std::deque<Picture> undo_;  // oldest first
  std::deque<Picture> redo_;  // the next redo last
  std::vector<Picture> spare_;
};

}  // namespace gs
