#pragma once
// The document an import window (picture import, icon extraction) writes
// into, and what the editor does around that change. The main window lends
// its document, undo copy and repaint; tests count the calls.
//
//   frmExtract w({doc, [&] { CreateBackup(); }, [&] { RePaint(); }}, env, this);
#include <functional>

#include "document/icon_document.h"

namespace gs {

struct ImportTarget {
  IconDocument& document;
  // The undo copy, just before the picture changes; never called when the
  // window is cancelled or refuses.
  std::function<void()> createBackup;
  // Redraws the canvas and the preview after the change.
  std::function<void()> rePaint;
};

}  // namespace gs
