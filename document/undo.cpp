#include "document/undo.h"

#include "document/icon_document.h"

namespace gs {

void UndoBuffer::CreateBackup(const Surface& document) {
  if (!copy_) copy_.emplace(kIconSize, kIconSize);
  BitBlt(*copy_, Area{0, 0, kIconSize, kIconSize}, document, Point{0, 0});
  available_ = true;
}

bool UndoBuffer::RestoreBackup(Surface& document) {
  if (!available_ || !copy_) return false;
  available_ = false;
  BitBlt(document, Area{0, 0, kIconSize, kIconSize}, *copy_, Point{0, 0});
  return true;
}

}  // namespace gs
