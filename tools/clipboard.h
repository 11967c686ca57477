#pragma once
// The edit menu's clipboard commands, on any store that holds one image.
#include <optional>

#include "document/icon_document.h"

namespace gs {

// Where copied images go and pasted ones come from. The editor puts the
// system clipboard behind it; the headless tool and tests keep one in memory.
class ImageClipboard {
 public:
  virtual ~ImageClipboard() = default;
  // False when the store cannot take the image (clipboard busy).
  virtual bool SetImage(const Surface& image) = 0;
  // The image on offer, or nothing (empty, or only text).
  virtual std::optional<Surface> GetImage() = 0;
};

class MemoryClipboard : public ImageClipboard {
 public:
  bool SetImage(const Surface& image) override {
    image_ = image;
    return true;
  }
  std::optional<Surface> GetImage() override { return image_; }
  void Clear() { image_.reset(); }

 private:
  std::optional<Surface> image_;
};

// The rectangle Copy and Cut take: the selection when one is active, else the
// whole icon; kept inside the icon, since a selection dragged past the canvas
// edge reaches beyond the pixels that exist.
Rect ClipboardSourceRect(const IconDocument& doc);

// The image of the source rectangle.
Surface CopyImage(const IconDocument& doc);

// Copy: the image goes to the clipboard. The document is not modified.
bool EditCopy(const IconDocument& doc, ImageClipboard& clipboard);

// Cut: Copy, then the source rectangle turns white (transparent) and the
// document is modified, even when the clipboard refused the image. The
// selection stays.
void EditCut(IconDocument& doc, ImageClipboard& clipboard);

// The clipboard's image when it offers one with pixels.
std::optional<Surface> ImageToPaste(ImageClipboard& clipboard);

// Paste: an image on the clipboard lands at (0, 0), cut at 32 x 32; pixels
// outside it stay. Returns false, changing nothing, when there is no image.
bool EditPaste(IconDocument& doc, ImageClipboard& clipboard);

// The pasting step itself, for images from any source.
void PasteImageAtOrigin(IconDocument& doc, const Surface& image);

}  // namespace gs
