#include "document/icon_document.h"

#include <utility>

namespace gs {

void Selection::ArrangeMask() {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
}

void Selection::DestroyMask() {
  active = false;
  viewRect = {};
  X1 = X2 = Y1 = Y2 = 0;
}

Surface MakeIconSurface() {
  Surface s(kIconSize, kIconSize);
  s.FillRect({0, 0, kIconSize, kIconSize}, kWhite);
  return s;
}

IconDocument::IconDocument() : surface(MakeIconSurface()) {}

void IconDocument::Clear() { surface.FillRect({0, 0, kIconSize, kIconSize}, kWhite); }

Rect IconDocument::EffectRect() const {
  if (selection.active) return selection.Pixels();
  return {0, 0, kIconSize, kIconSize};
}

}  // namespace gs
