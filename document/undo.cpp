#include "document/undo.h"

#include <algorithm>

#include "document/icon_document.h"

namespace gs {

namespace {
constexpr std::size_t kPixels = static_cast<std::size_t>(kIconSize) * kIconSize;
}

// Pictures are reused rather than freed, so a step allocates nothing once
// the history has its size.
UndoBuffer::Picture UndoBuffer::Take() {
  if (spare_.empty()) return Picture(kPixels);
  Picture p = std::move(spare_.back());
  spare_.pop_back();
  return p;
}

// Only the 32 x 32 of the image counts; a surface of another size (there is
// none in the editor) gives or takes what it has of it.
void UndoBuffer::Keep(Picture& into, const Surface& document) {
  const int w = std::min(kIconSize, document.Width());
  const int h = std::min(kIconSize, document.Height());
  if (w < kIconSize || h < kIconSize) std::fill(into.begin(), into.end(), kWhite);
  for (int y = 0; y < h; ++y) {
    const Color* row = document.Row(y);
    std::copy_n(row, w, into.begin() + static_cast<std::ptrdiff_t>(y) * kIconSize);
  }
}

void UndoBuffer::PutBack(const Picture& from, Surface& document) {
  const int w = std::min(kIconSize, document.Width());
  for (int y = 0; y < std::min(kIconSize, document.Height()); ++y)
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(y) * kIconSize, w, document.Row(y));
}

void UndoBuffer::CreateBackup(const Surface& document) {
  while (!redo_.empty()) {
    spare_.push_back(std::move(redo_.back()));
    redo_.pop_back();
  }
  Picture p;
  if (undo_.size() >= kUndoSteps) {
    p = std::move(undo_.front());
    undo_.pop_front();
  } else {
    p = Take();
  }
  Keep(p, document);
  undo_.push_back(std::move(p));
}

bool UndoBuffer::RestoreBackup(Surface& document) { return Step(undo_, redo_, document); }

bool UndoBuffer::Redo(Surface& document) { return Step(redo_, undo_, document); }

// Undo and redo mirror each other: the present picture goes onto the other
// list and the newest of `from` comes back.
bool UndoBuffer::Step(std::deque<Picture>& from, std::deque<Picture>& to, Surface& document) {
  if (from.empty()) return false;
  Picture present = Take();
  Keep(present, document);
  to.push_back(std::move(present));
  PutBack(from.back(), document);
  spare_.push_back(std::move(from.back()));
  from.pop_back();
  return true;
}

std::size_t UndoBuffer::MemoryBytes() const {
  return (undo_.size() + redo_.size() + spare_.size()) * kPixels * sizeof(Color);
}

void UndoBuffer::Clear() {
  for (auto* list : {&undo_, &redo_})
    while (!list->empty()) {
      spare_.push_back(std::move(list->back()));
      list->pop_back();
    }
}

}  // namespace gs
