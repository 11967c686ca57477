#include "tools/clipboard.h"

namespace gs {

Rect ClipboardSourceRect(const IconDocument& doc) {
  const Rect whole{0, 0, kIconSize, kIconSize};
  if (!doc.selection.active) return whole;
  // Mid-drag the corners may still be reversed.
  const Rect r = doc.selection.Pixels().Normalized().Intersected(whole);
  return r.IsEmpty() ? whole : r;
}

Surface CopyImage(const IconDocument& doc) {
  const Rect r = ClipboardSourceRect(doc);
  Surface out(r.Width(), r.Height());
  BitBlt(out, Area{0, 0, r.Width(), r.Height()}, doc.surface, Point{r.left, r.top});
  return out;
}

bool EditCopy(const IconDocument& doc, ImageClipboard& clipboard) {
  return clipboard.SetImage(CopyImage(doc));
}

void EditCut(IconDocument& doc, ImageClipboard& clipboard) {
  EditCopy(doc, clipboard);
  doc.surface.FillRect(ClipboardSourceRect(doc), kWhite);
  doc.modified = true;
}

void PasteImageAtOrigin(IconDocument& doc, const Surface& image) {
  BitBlt(doc.surface, Area{0, 0, image.Width(), image.Height()}, image, Point{0, 0});
  doc.modified = true;
}

std::optional<Surface> ImageToPaste(ImageClipboard& clipboard) {
  std::optional<Surface> image = clipboard.GetImage();
  if (!image || image->Width() <= 0 || image->Height() <= 0) return std::nullopt;
  return image;
}

bool EditPaste(IconDocument& doc, ImageClipboard& clipboard) {
  const std::optional<Surface> image = ImageToPaste(clipboard);
  if (!image) return false;
  PasteImageAtOrigin(doc, *image);
  return true;
}

}  // namespace gs
