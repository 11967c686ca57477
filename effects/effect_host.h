#pragma once
// What an effect window sees of the editor: the document, the undo copy and
// the repaint. The main window implements it; tests give their own.
#include "document/icon_document.h"

namespace gs {

class EffectHost {
 public:
  virtual ~EffectHost() = default;
  virtual IconDocument& Document() = 0;
  // Takes the one-level undo copy of the whole image.
  virtual void CreateBackup() = 0;
  // Redraws the canvas and the actual-size preview from the document.
  virtual void RePaint() = 0;
};

// Writes an effect window's result into the document: the undo copy first,
// then the picture, the selection cleared, the document marked modified when
// a pixel changed, and the repaint.
void ApplyEffectResult(EffectHost& host, const Surface& result);

}  // namespace gs
