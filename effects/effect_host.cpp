#include "effects/effect_host.h"

namespace gs {

void ApplyEffectResult(EffectHost& host, const Surface& result) {
  IconDocument& doc = host.Document();
  host.CreateBackup();
  // A change that does not mark the document would be lost on closing unasked.
  if (doc.surface.Pixels() != result.Pixels()) doc.modified = true;
  doc.surface = result;
  doc.selection.DestroyMask();
  host.RePaint();
}

}  // namespace gs
